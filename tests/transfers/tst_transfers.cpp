// Upload, first read, download and factory reset of the parameter window, through serialPort,
// against the simulated drive over a pseudo-terminal pair, wired as the program wires them.

#include "driveparameters.h"
#include "encoderdatawindow.h"
#include "modalanswerer.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"
#include "treemodel.h"
#include "unreadvalue.h"

#include <QPushButton>
#include <QSettings>
#include <QTreeView>
#include "boundedwait.h"

#include <QtTest>

#include <atomic>
#include <memory>

using Failure = SimulatedDrive::Failure;
using Answer = ModalBoxAnswerer::Answer;

namespace {


enum class Operation { Upload, Download, Reset, FirstRead };

// The window, the link, the drive and the motor-data window, connected as main connects them.
struct Rig {
    explicit Rig(int family, int language = 1)
    {
        QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), family);
        QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), language);

        drive = std::make_unique<SimulatedDrive>(1);
        SimulatedModel::install(*drive, family);
        params = drive->part<DriveParameters>();
        // The table's own catalogue, so that both sides agree on every attribute.
        params->setParameters(DriveParameters::fromCatalogue(DriveParameters::catalogueText(family, language), family));
        link = std::make_unique<serialPort>();
        window = std::make_unique<parameterWindow>();
        encoder = std::make_unique<EncoderdataWindow>();

        parameterWindow *w = window.get();
        serialPort *l = link.get();
        // Requests the window sends once it knows the port is closed (counted before the link
        // takes them: a loss found while the link sends one is not the window's fault).
        for (auto request : {&parameterWindow::readSerialStr, &parameterWindow::writeSerialStr})
            QObject::connect(w, request, [this, w] { sentClosed += !w->portOpen; });
        QObject::connect(w, &parameterWindow::readSerialStr, l, &serialPort::readSerial);
        QObject::connect(w, &parameterWindow::writeSerialStr, l, &serialPort::writeSerial);
        QObject::connect(w, &parameterWindow::writeSerialStr2, l, &serialPort::writeSerial2);
        QObject::connect(w, &parameterWindow::TreeViewOk, l, &serialPort::TreeViewOk);
        QObject::connect(l, &serialPort::readDataToShow, w, &parameterWindow::readData);
        QObject::connect(l, &serialPort::changeFirst, w, &parameterWindow::changeFrist);
        QObject::connect(l, &serialPort::writeDataToCheck, w, &parameterWindow::receiveWriteDataToCheck);
        QObject::connect(l, &serialPort::isOpenSerial, w, &parameterWindow::isOpenSerial);
        QObject::connect(encoder.get(), &EncoderdataWindow::sendEncoderIsOk, w, &parameterWindow::receiveEncoderIsOk);
        QObject::connect(w, &parameterWindow::sendParameterIsOk, encoder.get(), &EncoderdataWindow::receiveParameterIsOk);

        // Whether the window held the motor-data window while a box of it was open.
        boxes.setLeftAlone([this](QWidget *) {
            busyAtBox << encoder->isParameterBusy();
            return false;
        });
        busy = std::make_unique<QSignalSpy>(w, &parameterWindow::sendParameterIsOk);
        pollStopped = std::make_unique<QSignalSpy>(w, &parameterWindow::stopMainWindowQuery);
        pollStarted = std::make_unique<QSignalSpy>(w, &parameterWindow::startMainWindowQuery);
        onLine = std::make_unique<QSignalSpy>(w, &parameterWindow::isOnLine);
    }

    // Starts the drive with the parameters installed and opens the port as the connection
    // dialog does; the first read stays pending unless firstRead is false.
    bool connect(bool firstRead = false)
    {
        if (!drive->start() || !link->openPort(drive->portName(), 115200))
            return false;
        window->showParameterWindow(); // builds the model for the family, offline: no first read
        emit link->isOpenSerial(true);
        window->changeFrist(firstRead);
        return true;
    }

    int rowOf(const QString &number) const
    {
        for (int row = 0; row < window->parameterRowCount(); ++row) {
            if (window->model->index(row, 0).data(Qt::EditRole).toString().simplified() == number)
                return row;
        }
        return -1;
    }
    QString cell(int row, int column) const { return window->model->index(row, column).data(Qt::EditRole).toString(); }
    QString cell(const QString &number, int column) const { return cell(rowOf(number), column); }
    // Checks a row, with a value typed into the table (download) or held by the drive (upload).
    void check(const QString &number, const QString &text = QString())
    {
        if (!text.isNull())
            window->model->setData(window->model->index(rowOf(number), 2), text, Qt::EditRole);
        window->model->setData(window->model->index(rowOf(number), 0), Qt::Checked, Qt::CheckStateRole);
    }
    void checkOnDrive(const QString &number, qint64 value)
    {
        params->setValue(number, value);
        check(number);
    }
    void press(Operation operation)
    {
        switch (operation) {
        case Operation::Upload:
        case Operation::FirstRead: window->on_pushButton_Upload_clicked(); break;
        case Operation::Download: window->on_pushButton_Download_clicked(); break;
        case Operation::Reset: window->on_pushButton_Default_clicked(); break;
        }
    }
    // The values the busy announcement took, in order.
    QList<bool> busyValues() const
    {
        QList<bool> values;
        for (const QList<QVariant> &args : *busy)
            values.append(args.at(0).toBool());
        return values;
    }
    // The motor-data window and the status poll were taken once (the poll stopped `stopped`
    // times) and given back once; the table's views paint and its model announces changes again.
    bool released(int stopped = 1) const
    {
        QSignalSpy announced(window->model.get(), &QAbstractItemModel::dataChanged);
        window->model->setData(window->model->index(0, 1), cell(0, 1));
        const QList<QTreeView *> views = window->findChildren<QTreeView *>();
        return announced.count() == 1
            && std::all_of(views.cbegin(), views.cend(), [](QTreeView *v) { return v->viewport()->updatesEnabled(); })
            && busyValues() == QList<bool>{true, false} && pollStopped->count() == stopped
            && pollStarted->count() == 1 && !encoder->isParameterBusy();
    }
    // Reads heard by the drive at an address, with their word counts.
    QList<int> readCounts(quint16 address) const
    {
        QList<int> counts;
        for (const QByteArray &frame : drive->requests()) {
            if (frame.size() >= 8 && quint8(frame.at(1)) == 0x03
                && ((quint8(frame.at(2)) << 8) | quint8(frame.at(3))) == address)
                counts.append((quint8(frame.at(4)) << 8) | quint8(frame.at(5)));
        }
        return counts;
    }
    int requestsWithFunction(quint8 function) const
    {
        int n = 0;
        for (const QByteArray &frame : drive->requests())
            n += frame.size() > 2 && quint8(frame.at(1)) == function;
        return n;
    }
    // The text a cell shows for a drive value, by attribute code (hex words as four digits).
    static QString shown(const DriveParameters::Parameter &p, qint64 value)
    {
        if (p.attribute == 0 || p.attribute == 1)
            return QStringLiteral("%1").arg(quint16(value), 4, 16, QLatin1Char('0')).toUpper();
        return QString::number(value);
    }
    QString shownOnDrive(const DriveParameters::Parameter &p) const { return shown(p, params->value(p.number)); }
    // Drops the link once the drive has heard `count` writes (or mailbox selections).
    void dropLinkAfter(int count, bool selections = false)
    {
        // From then on the drive is silent at once (on its own thread), so that a fast run
        // cannot finish the operation before the timer below has cut the line.
        SimulatedDrive *silent = drive.get();
        DriveParameters *heard = params;
        drive->addWriteHook([silent, heard, count, selections](int, quint16, quint16) {
            if ((selections ? heard->mailboxSelections() : heard->writes().size()) >= count)
                silent->setFailure(Failure::NoAnswer);
        });
        cutter = std::make_unique<QTimer>();
        QObject::connect(cutter.get(), &QTimer::timeout, [this, count, selections] {
            if ((selections ? params->mailboxSelections() : params->writes().size()) >= count) {
                cutter->stop();
                drive->dropLink();
            }
        });
        cutter->start(1);
    }

    TempWorkDir dir;
    ModalBoxAnswerer boxes;
    DriveParameters *params = nullptr;
    std::unique_ptr<SimulatedDrive> drive;
    std::unique_ptr<serialPort> link;
    std::unique_ptr<parameterWindow> window;
    std::unique_ptr<EncoderdataWindow> encoder;
    std::unique_ptr<QSignalSpy> busy, pollStopped, pollStarted, onLine;
    std::unique_ptr<QTimer> cutter;
    QList<bool> busyAtBox;
    int sentClosed = 0;
};

} // namespace

class TransfersTest : public QObject
{
    Q_OBJECT

private slots:
    void upload_checkedRows_data();
    void upload_checkedRows();
    void firstRead_wholeCatalogue_data();
    void firstRead_wholeCatalogue();
    void firstRead_lostMailboxWriteReadsNoRecord();
    void firstRead_linkDropKeepsFirstRead_data();
    void firstRead_linkDropKeepsFirstRead();
    void firstRead_reconnectKeepsRecordInItsRow();
    void firstRead_newConnectionForgetsAndReadsAtOnce();
    void download_rows_data();
    void download_rows();
    void download_refusedValueSendsNothing_data();
    void download_refusedValueSendsNothing();
    void download_linkDropMarksOnlyWhatWasWritten();
    void reset_restoresFactoryValues_data();
    void reset_restoresFactoryValues();
    void reset_unconfirmedCommandRestoresNothing();
    void refusals_withdrawTheAnnouncement_data();
    void refusals_withdrawTheAnnouncement();
    void refusals_runningTransferKeepsItsAnnouncement_data();
    void refusals_runningTransferKeepsItsAnnouncement();
    void pressesInsideARun_data();
    void pressesInsideARun();
};

// ---- upload ----------------------------------------------------------------------------

void TransfersTest::upload_checkedRows_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QList<qint64>>("values");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("lastAnsweredLate");
    // One row of each attribute code of the family; VR code 5 reads two words. An expected
    // text "-" is a row whose read is never answered: no "已上传", marked failed and counted, "not read".
    QTest::newRow("VR codes 0 1 2 3 5")
        << 0 << QStringList{"PA000", "PA003", "PA124", "PA101", "PA20E"}
        << QList<qint64>{0x11D1, 0x00A0, -1234, 60000, 1073741824}
        << QStringList{"11D1", "00A0", "-1234", "60000", "1073741824"} << false;
    QTest::newRow("VR negative 32-bit") << 0 << QStringList{"PA210"} << QList<qint64>{-70000}
                                        << QStringList{"-70000"} << false;
    QTest::newRow("HXQ codes 0 1 2 3 4")
        << 1 << QStringList{"PA005", "PA006", "PA011", "PA023", "PA301"}
        << QList<qint64>{0x5044, 0x0001, -300, 65000, 32768}
        << QStringList{"5044", "0001", "-300", "65000", "32768"} << false;
    // The last parameter's reply comes after its resend's wait; its digit rows follow it in
    // the list, and the closing wait still takes the reply.
    QTest::newRow("late reply of a last switch word") << 0 << QStringList{"PA100", "PA000"}
                                                      << QList<qint64>{700, 0x1101}
                                                      << QStringList{"700", "1101"} << true;
    QTest::newRow("first row unanswered") << 0 << QStringList{"PA100", "PA102"} << QList<qint64>{700, 800}
                                          << QStringList{"-", "800"} << false;
}

void TransfersTest::upload_checkedRows()
{
    QFETCH(int, family);
    QFETCH(QStringList, numbers);
    QFETCH(QList<qint64>, values);
    QFETCH(QStringList, expected);
    QFETCH(bool, lastAnsweredLate);

    Rig rig(family);
    QVERIFY(rig.connect());
    for (int i = 0; i < numbers.size(); ++i)
        rig.checkOnDrive(numbers.at(i), values.at(i));
    rig.drive->clearRequests();
    if (lastAnsweredLate) {
        SimulatedDrive *drive = rig.drive.get();
        const quint16 before = DriveParameters::addressOf(numbers.at(numbers.size() - 2), family);
        rig.drive->setLateDelay(650);
        rig.drive->setReadHook([drive, before](int, quint16 addr, quint16) {
            if (addr == before)
                drive->setFailure(Failure::Late, 1); // the next read: the last row's first one
        });
    }
    const int failed = expected.count(QStringLiteral("-"));
    if (failed)
        rig.drive->setFailure(Failure::NoAnswer, 2); // the first row's read and its resend
    rig.press(Operation::Upload);

    for (int i = 0; i < numbers.size(); ++i) {
        const bool ok = expected.at(i) != QLatin1String("-");
        QCOMPARE(rig.cell(numbers.at(i), 2), ok ? expected.at(i) : UnreadValue::text()); // not the default
        QCOMPARE(rig.cell(numbers.at(i), 8), ok ? QStringLiteral("已上传") : QStringLiteral("上传失败"));
    }
    // One read per row (a slow machine may need the resend).
    QVERIFY(rig.drive->requestCount() >= numbers.size() && rig.drive->requestCount() <= 2 * numbers.size());
    QCOMPARE(rig.requestsWithFunction(0x03), rig.drive->requestCount());
    QCOMPARE(rig.cell(QStringLiteral("PA002"), 8), QString()); // not checked, not touched
    // The report opens once the operation is over and its slot has returned.
    QCoreApplication::processEvents();
    QTRY_COMPARE(rig.boxes.count(), failed ? 1 : 0);
    if (failed)
        QCOMPARE(rig.boxes.countWithText(QStringLiteral("%1 个参数上传失败").arg(failed)), 1);
    QVERIFY(rig.released());
    QVERIFY(!rig.window->uploadRunning);
}

// ---- first read --------------------------------------------------------------------------

void TransfersTest::firstRead_wholeCatalogue_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("language");
    QTest::newRow("VR") << 0 << 1;
    QTest::newRow("VR English") << 0 << 0;
    QTest::newRow("HXQ") << 1 << 1;
    QTest::newRow("VR, first mailbox echo after 0.8 s") << 0 << 1; // taken, not sent again
}

// Every row gets the drive's own maximum, minimum, default and value, also where the drive's
// limits differ from the catalogue's.
void TransfersTest::firstRead_wholeCatalogue()
{
    QFETCH(int, family);
    QFETCH(int, language);
    const bool lateEcho = QByteArray(QTest::currentDataTag()).contains("echo");

    Rig rig(family, language);
    rig.params->setLimits(QStringLiteral("PA100"), 5, 30000, 450);
    QVERIFY(rig.connect(true));
    rig.params->scramble();
    rig.drive->clearRequests();
    rig.drive->setLateDelay(800);
    rig.drive->setFailure(lateEcho ? Failure::Late : Failure::None, 1);

    rig.window->showParameterWindow(); // online with the first read pending: it runs now

    const QVector<DriveParameters::Parameter> &parameters = rig.params->parameters();
    QCOMPARE(rig.window->parameterRowCount(), parameters.size());
    for (int row = 0; row < parameters.size(); ++row) {
        const DriveParameters::Parameter &p = parameters.at(row);
        const QStringList got{rig.cell(row, 0).simplified(), rig.cell(row, 2), rig.cell(row, 3), rig.cell(row, 4),
                              rig.cell(row, 5)};
        const QStringList want{p.number, rig.shownOnDrive(p), Rig::shown(p, p.minimum), Rig::shown(p, p.maximum),
                               Rig::shown(p, p.factory)};
        QCOMPARE(got, want);
    }
    QCOMPARE(rig.cell(QStringLiteral("PA100"), 3), QStringLiteral("5"));
    QVERIFY(rig.params->mailboxSelections() >= parameters.size());
    QVERIFY(!lateEcho || rig.params->mailboxSelections() == parameters.size());
    QVERIFY(rig.readCounts(family == 0 ? 0xCF01 : 0x0752).size() >= parameters.size());
    QVERIFY(!rig.window->firstRead);
    QCOMPARE(rig.onLine->count(), 1);
    QCOMPARE(rig.boxes.count(), 0);
    QVERIFY(rig.released());
    if (family == 0) {
        // The switch words' digit rows follow their values.
        const int row = rig.rowOf(QStringLiteral("PA000"));
        const QString value = rig.cell(row, 2);
        const QModelIndex number = rig.window->model->index(row, 0);
        QCOMPARE(rig.window->model->index(0, 2, number).data().toString(), value.right(1));
        QCOMPARE(rig.window->model->index(3, 2, number).data().toString(), value.left(1));
    }
}

// A mailbox write the drive never heard leaves the previous parameter's record in the
// mailbox: it must not be read into this row.
void TransfersTest::firstRead_lostMailboxWriteReadsNoRecord()
{
    Rig rig(0);
    QVERIFY(rig.connect(true));
    rig.params->scramble();
    std::atomic<int> recordReads{0};
    SimulatedDrive *drive = rig.drive.get();
    rig.drive->setReadHook([&recordReads, drive](int, quint16 addr, quint16) {
        if (addr == 0xCF01 && ++recordReads == 1)
            drive->setFailure(Failure::NoAnswer, 2); // row 1's mailbox write and its resend
    });
    rig.drive->clearRequests();
    rig.window->showParameterWindow();

    const QList<QByteArray> requests = rig.drive->requests();
    int firstRecord = 0;
    while (firstRecord < requests.size() && quint8(requests.at(firstRecord).at(1)) != 0x03)
        ++firstRecord;
    QVERIFY(firstRecord + 4 < requests.size());
    for (int i = 1; i <= 3; ++i) // row 1's lost write, its resend, row 2's write: no record read between
        QCOMPARE(quint8(requests.at(firstRecord + i).at(1)), quint8(0x06));
    const int row1 = rig.rowOf(QStringLiteral("PA001"));
    QCOMPARE(rig.cell(row1, 2), UnreadValue::text()); // not PA000's record, nor the catalogue's
    QCOMPARE(rig.cell(row1, 4), QStringLiteral("FFFF"));
    QCOMPARE(rig.cell(row1, 8), QStringLiteral("上传失败"));
    for (const QString &number : {QStringLiteral("PA000"), QStringLiteral("PA002")})
        QCOMPARE(rig.cell(number, 2), rig.shownOnDrive(*rig.params->find(number)));
    QTRY_COMPARE(rig.boxes.countWithText(QStringLiteral("1 个参数上传失败")), 1);
    QVERIFY(!rig.window->firstRead); // the pass reached its end
}

void TransfersTest::firstRead_linkDropKeepsFirstRead_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("closed"); // the table is closed while it reads
    QTest::newRow("HXQ, table open") << 1 << 1 << false;
    QTest::newRow("VR English, table closed") << 0 << 0 << true;
}

// A first read cut off by a lost link is no first read: the flag stays, nothing says online.
// The loss is told once, by the link: the table sends nothing more and adds no box.
void TransfersTest::firstRead_linkDropKeepsFirstRead()
{
    QFETCH(int, family);
    QFETCH(int, language);
    QFETCH(bool, closed);
    Rig rig(family, language);
    QVERIFY(rig.connect(true));
    rig.params->scramble();
    rig.dropLinkAfter(20, true);
    // As after a Connect in the dialog: the link is up, and says so when it is lost.
    rig.link->findChild<QPushButton *>(QStringLiteral("pushButtot_Connect"))->setText(QStringLiteral("断开"));
    if (closed)
        QTimer::singleShot(0, rig.window.get(), [&rig] { rig.window->close(); });
    rig.window->showParameterWindow();

    QCOMPARE(rig.sentClosed, 0);
    QTRY_COMPARE(rig.boxes.count(), 1);
    QVERIFY2(rig.boxes.last().text.startsWith(QStringLiteral("串口 ")), qPrintable(rig.boxes.last().text));
    QVERIFY(rig.window->firstRead);
    QCOMPARE(rig.onLine->count(), 0);
    QVERIFY(!rig.window->uploadRunning);
    QVERIFY(rig.released());
    const QString last = rig.params->parameters().last().number;
    QCOMPARE(rig.cell(last, 2), rig.cell(last, 5)); // never reached: still the catalogue's default
    QCOMPARE(rig.cell(0, 2), UnreadValue::text()); // read over the lost link
    for (int row = 0; row < rig.window->parameterRowCount(); ++row)
        QCOMPARE(rig.cell(row, 8), QString());
}

// A new connection announced while a record is on its way: the record still goes into the
// row it was asked for, not into the first row, and the read counts as not done.
void TransfersTest::firstRead_reconnectKeepsRecordInItsRow()
{
    Rig rig(0);
    QVERIFY(rig.connect(true));
    rig.params->scramble();
    rig.drive->setReplyDelay(40);
    int recordReads = 0;
    QObject::connect(rig.window.get(), &parameterWindow::readSerialStr, rig.window.get(), [&](QByteArray addr) {
        if (addr == "CF01" && ++recordReads == 4)
            QTimer::singleShot(5, rig.window.get(), [&rig] { rig.window->changeFrist(true); });
    });
    rig.window->showParameterWindow();

    for (int row = 0; row < 4; ++row) {
        const DriveParameters::Parameter &p = rig.params->parameters().at(row);
        QCOMPARE(rig.cell(row, 2), rig.shownOnDrive(p));
        QCOMPARE(rig.cell(row, 4), Rig::shown(p, p.maximum));
    }
    QVERIFY(rig.window->firstRead);
    QCOMPARE(rig.onLine->count(), 0);
    QVERIFY(rig.released());
}

// Another station: until its read, which the open table makes at once, no value read from the
// station before looks read, nor its switch words' digits; a typed value stays.
void TransfersTest::firstRead_newConnectionForgetsAndReadsAtOnce()
{
    Rig rig(0);
    QVERIFY(rig.connect(true));
    rig.window->showParameterWindow();
    rig.check(QStringLiteral("PA101"), QStringLiteral("7"));
    emit rig.link->changeFirst(true);
    const QModelIndex switchWord = rig.window->model->index(rig.rowOf(QStringLiteral("PA000")), 0);
    QCOMPARE(rig.window->model->index(0, 2, switchWord).data().toString(), UnreadValue::text());
    QCOMPARE(rig.cell(QStringLiteral("PA100"), 2) + rig.cell(QStringLiteral("PA101"), 2), UnreadValue::text() + "7");
    // Announced while another window waits for the drive (the command file, say): the read
    // starts once that wait is over, never inside it, where it would hold it to its end.
    const int heard = rig.drive->requestCount();
    QTimer::singleShot(0, rig.window.get(), [&] { emit rig.link->isOpenSerial(true); });
    BoundedWait::pause(300);
    QCOMPARE(rig.drive->requestCount(), heard);
    QTRY_VERIFY_WITH_TIMEOUT(rig.cell(QStringLiteral("PA100"), 2) != UnreadValue::text(), 20000);
}

// ---- download ----------------------------------------------------------------------------

void TransfersTest::download_rows_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<qint64>>("driveValues");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<int>("requests");

    const QString done = QStringLiteral("已下载"), failed = QStringLiteral("下载失败");
    QTest::newRow("VR good rows") << 0 << QStringList{"PA000", "PA124", "PA20E", "PA101"}
                                  << QStringList{"11d1", "-100", "70000", "65535"}
                                  << QList<qint64>{0x11D1, -100, 70000, 65535} << int(Failure::None)
                                  << QStringList{done, done, done, done} << 4;
    QTest::newRow("HXQ good rows") << 1 << QStringList{"PA123", "PA005", "PA011"} << QStringList{"5", "1", "-100"}
                                   << QList<qint64>{5, 0x0001, -100} << int(Failure::None)
                                   << QStringList{done, done, done} << 3;
    // The drive stores but never echoes: each row is sent twice and none counts as written.
    QTest::newRow("VR no echo") << 0 << QStringList{"PA124", "PA20E"} << QStringList{"-100", "70000"}
                                << QList<qint64>{-100, 70000} << int(Failure::NoEchoEver)
                                << QStringList{failed, failed} << 4;
    // The drive refuses the first row (exception, twice): that row only is failed.
    QTest::newRow("HXQ refused by drive") << 1 << QStringList{"PA123", "PA124"} << QStringList{"5", "6"}
                                          << QList<qint64>{0, 6} << int(Failure::Exception)
                                          << QStringList{failed, done} << 3;
}

void TransfersTest::download_rows()
{
    QFETCH(int, family);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, texts);
    QFETCH(QList<qint64>, driveValues);
    QFETCH(int, failure);
    QFETCH(QStringList, marks);
    QFETCH(int, requests);

    Rig rig(family);
    QVERIFY(rig.connect());
    for (int i = 0; i < numbers.size(); ++i)
        rig.check(numbers.at(i), texts.at(i));
    rig.drive->clearRequests();
    rig.params->clearWrites();
    if (Failure(failure) == Failure::Exception)
        rig.drive->setFailure(Failure::Exception, 2);
    else if (Failure(failure) != Failure::None)
        rig.drive->setFailure(Failure(failure));
    rig.press(Operation::Download);

    for (int i = 0; i < numbers.size(); ++i) {
        QCOMPARE(rig.cell(numbers.at(i), 8), marks.at(i));
        QCOMPARE(rig.params->value(numbers.at(i)), driveValues.at(i));
    }
    QVERIFY(rig.drive->requestCount() >= requests && rig.drive->requestCount() <= 2 * numbers.size());
    const int failed = marks.count(QStringLiteral("下载失败"));
    QCoreApplication::processEvents();
    QTRY_COMPARE(rig.boxes.count(), failed ? 1 : 0);
    if (failed)
        QCOMPARE(rig.boxes.countWithText(QStringLiteral("%1 个参数下载失败").arg(failed)), 1);
    QVERIFY(rig.released());
    if (family == 0 && numbers.contains(QStringLiteral("PA000"))) {
        QCOMPARE(rig.cell(QStringLiteral("PA000"), 2), QStringLiteral("11d1"));
        QCOMPARE(rig.requestsWithFunction(0x10), 1); // the 32-bit row in one function-10 write
    }
}

void TransfersTest::download_refusedValueSendsNothing_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("below minimum") << "PA100" << "9";
    QTest::newRow("above maximum") << "PA100" << "20001";
    QTest::newRow("not a number, 0 within limits") << "PA124" << "abc";
    QTest::newRow("empty") << "PA124" << "";
    QTest::newRow("digit above its maximum digit") << "PA000" << "0F00";
    QTest::newRow("switch word not hex") << "PA000" << "00G0";
    QTest::newRow("32-bit above maximum") << "PA20E" << "1073741825";
}

// One bad value stops the whole download before anything is sent, and the window lets go
// of the motor-data window and the status poll.
void TransfersTest::download_refusedValueSendsNothing()
{
    QFETCH(QString, number);
    QFETCH(QString, text);

    Rig rig(0);
    QVERIFY(rig.connect());
    rig.check(QStringLiteral("PA101"), QStringLiteral("7")); // a good row before it
    rig.check(number, text);
    rig.drive->clearRequests();
    rig.press(Operation::Download);

    QCOMPARE(rig.boxes.countWithText(number + QStringLiteral(" is error")), 1);
    QCOMPARE(rig.busyAtBox, QList<bool>{false}); // withdrawn before the box
    QTest::qWait(50);
    QCOMPARE(rig.drive->requestCount(), 0);
    QCOMPARE(rig.cell(QStringLiteral("PA101"), 8), QString());
    QCOMPARE(rig.cell(number, 8), QString());
    QVERIFY(rig.released());
}

void TransfersTest::download_linkDropMarksOnlyWhatWasWritten()
{
    Rig rig(0);
    QVERIFY(rig.connect());
    const QStringList numbers{"PA100", "PA102", "PA103", "PA104", "PA106", "PA109", "PA10A", "PA10C"};
    for (const QString &number : numbers)
        rig.check(number, QStringLiteral("1234"));
    rig.params->clearWrites();
    rig.dropLinkAfter(3);
    rig.press(Operation::Download);

    // The link tells the loss (here unseen: the rig's link was never shown as up); the window adds nothing.
    QCOMPARE(rig.boxes.count(), 0);
    int done = 0;
    for (const QString &number : numbers) {
        const QString mark = rig.cell(number, 8);
        QVERIFY2(mark.isEmpty() || mark == QStringLiteral("已下载"), qPrintable(number + mark));
        if (mark == QStringLiteral("已下载")) {
            QCOMPARE(rig.params->value(number), 1234); // marked only what the drive has
            ++done;
        }
    }
    QVERIFY(done >= 2 && done < numbers.size());
    QCOMPARE(rig.cell(numbers.last(), 8), QString());
    QVERIFY(rig.released());
    QVERIFY(!rig.window->downloadRunning);
}

// ---- factory reset -----------------------------------------------------------------------

void TransfersTest::reset_restoresFactoryValues_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QList<int>>("commands"); // register, value, register, value, ...
    QTest::newRow("VR") << 0 << QList<int>{0x2000, 0x0000, 0x2000, 0x1005, 0x2001, 0x0001};
    QTest::newRow("HXQ") << 1 << QList<int>{0x0980, 0x0001};
}

void TransfersTest::reset_restoresFactoryValues()
{
    QFETCH(int, family);
    QFETCH(QList<int>, commands);

    Rig rig(family);
    QVERIFY(rig.connect());
    rig.params->scramble();
    rig.params->clearWrites();
    rig.drive->clearRequests();
    rig.boxes.queueAnswers({Answer::Yes});
    rig.press(Operation::Reset);

    QCOMPARE(rig.boxes.count(), 1);
    QCOMPARE(rig.boxes.last().text, QStringLiteral("Will Reset?"));
    QList<int> seen;
    QPair<quint16, quint16> previous(0xFFFF, 0xFFFF);
    for (const auto &write : rig.params->writes()) {
        if (write != previous) // a resend after a slow echo
            seen << write.first << write.second;
        previous = write;
    }
    QCOMPARE(seen, commands);
    QCOMPARE(rig.params->resetCount(), 1);
    const QVector<DriveParameters::Parameter> &parameters = rig.params->parameters();
    QVERIFY(rig.requestsWithFunction(0x03) >= parameters.size());
    QVERIFY(rig.requestsWithFunction(0x03) <= 2 * parameters.size());
    for (int row = 0; row < parameters.size(); ++row) {
        const DriveParameters::Parameter &p = parameters.at(row);
        QCOMPARE(rig.cell(row, 2) + QLatin1Char('|') + rig.cell(row, 8),
                 Rig::shown(p, p.factory) + QStringLiteral("|已恢复"));
    }
    if (family == 0) {
        const QList<int> counts = rig.readCounts(0x020E);
        QVERIFY(!counts.isEmpty());
        QCOMPARE(counts.count(2), counts.size()); // the 32-bit rows read two words
    }
    QVERIFY(rig.released());
}

// A reset command the drive never confirms restores nothing in the table's eyes.
void TransfersTest::reset_unconfirmedCommandRestoresNothing()
{
    Rig rig(0);
    QVERIFY(rig.connect());
    rig.drive->clearRequests();
    rig.drive->setFailure(Failure::NoAnswer);
    rig.boxes.queueAnswers({Answer::Yes});
    rig.press(Operation::Reset);

    QCOMPARE(rig.drive->requestCount(), 2); // the first step and its resend, nothing after it
    QTRY_COMPARE(rig.boxes.countWithText(QStringLiteral("驱动器未确认恢复出厂值命令，参数未恢复")), 1);
    for (int row = 0; row < rig.window->parameterRowCount(); ++row)
        QCOMPARE(rig.cell(row, 8), QString());
    QVERIFY(rig.released());
}

// ---- refusals ----------------------------------------------------------------------------

void TransfersTest::refusals_withdrawTheAnnouncement_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("refusal"); // "busy", "closed", "no" or "none" (nothing checked)
    QTest::addColumn<QString>("text");
    const QString busy = QStringLiteral("操作冲突,请关闭电机操作");
    const QString closed = QStringLiteral("串口未打开/设备未连接/地址未选择");
    QTest::newRow("upload, motor data busy") << int(Operation::Upload) << "busy" << busy;
    QTest::newRow("download, motor data busy") << int(Operation::Download) << "busy" << busy;
    QTest::newRow("reset, motor data busy") << int(Operation::Reset) << "busy" << busy;
    QTest::newRow("upload, port closed") << int(Operation::Upload) << "closed" << closed;
    QTest::newRow("download, port closed") << int(Operation::Download) << "closed" << closed;
    QTest::newRow("reset, port closed") << int(Operation::Reset) << "closed" << closed;
    QTest::newRow("reset, No to the question") << int(Operation::Reset) << "no" << "Will Reset?";
    QTest::newRow("upload, nothing checked") << int(Operation::Upload) << "none" << "请选择参数";
    QTest::newRow("download, nothing checked") << int(Operation::Download) << "none" << "请选择参数";
}

// The busy refusal announces nothing; the other refusals withdraw what they announced, so the
// motor-data window is not left locked out and the status poll runs again. Only the question,
// whose answer decides, is asked while the operation holds the motor-data window.
void TransfersTest::refusals_withdrawTheAnnouncement()
{
    QFETCH(int, operation);
    QFETCH(QString, refusal);
    QFETCH(QString, text);

    Rig rig(0);
    QVERIFY(rig.connect());
    if (refusal != QLatin1String("none"))
        rig.check(QStringLiteral("PA100"));
    rig.drive->clearRequests();
    if (refusal == QLatin1String("busy"))
        emit rig.encoder->sendEncoderIsOk(true);
    else if (refusal == QLatin1String("closed"))
        rig.window->isOpenSerial(false);
    else
        rig.boxes.queueAnswers({Answer::No});
    rig.press(Operation(operation));

    if (refusal == QLatin1String("busy")) { // the motor-data window waits for the drive: a notice holds nothing
        QCOMPARE(ModalBoxAnswerer::takeNotices(), QStringList{text});
    } else {
        QTRY_COMPARE(rig.boxes.count(), 1);
        QCOMPARE(rig.boxes.last().text, text);
        QCOMPARE(rig.busyAtBox, QList<bool>{refusal == QLatin1String("no")});
    }
    QTest::qWait(50);
    QCOMPARE(rig.drive->requestCount(), 0);
    if (refusal != QLatin1String("busy")) {
        QVERIFY(rig.released(refusal == QLatin1String("none") ? 1 : 0));
        return;
    }
    QVERIFY(rig.busy->isEmpty() && rig.pollStopped->isEmpty() && !rig.encoder->isParameterBusy());

    // Once the motor-data window is done, the operation runs and holds the other one off.
    emit rig.encoder->sendEncoderIsOk(false);
    bool heldOff = false;
    for (auto signal : {&parameterWindow::readSerialStr, &parameterWindow::writeSerialStr})
        QObject::connect(rig.window.get(), signal, rig.encoder.get(), [&] { heldOff = rig.encoder->isParameterBusy(); });
    rig.boxes.queueAnswers({Answer::Yes});
    rig.press(Operation::Upload);
    QVERIFY(heldOff);
    QVERIFY(!rig.encoder->isParameterBusy());
}

void TransfersTest::refusals_runningTransferKeepsItsAnnouncement_data()
{
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("answerNo");
    QTest::addColumn<QString>("text");
    QTest::newRow("upload") << int(Operation::Upload) << false << "The operation is not completed and cannot be uploaded";
    QTest::newRow("download") << int(Operation::Download) << false
                              << "The operation is not completed and cannot be downloaded";
    QTest::newRow("reset") << int(Operation::Reset) << false << "The operation is not completed and cannot be uploaded";
    QTest::newRow("reset, refused before its question") << int(Operation::Reset) << true
                                                        << "The operation is not completed and cannot be uploaded";
}

// A second press while a download runs is refused with a notice, before the reset's question,
// and releases neither the motor-data window nor the status poll under the running download.
void TransfersTest::refusals_runningTransferKeepsItsAnnouncement()
{
    QFETCH(int, second);
    QFETCH(bool, answerNo);
    QFETCH(QString, text);

    Rig rig(0);
    QVERIFY(rig.connect());
    const QStringList numbers{"PA100", "PA102", "PA103"};
    for (const QString &number : numbers)
        rig.check(number, QStringLiteral("500"));
    rig.drive->setReplyDelay(30);
    bool pressed = false;
    bool stillBusy = true;
    int writesAfter = 0;
    QObject::connect(rig.window.get(), &parameterWindow::writeSerialStr, rig.encoder.get(), [&] {
        if (pressed) {
            ++writesAfter;
            stillBusy = stillBusy && rig.encoder->isParameterBusy();
            return;
        }
        pressed = true;
        QTimer::singleShot(0, rig.window.get(), [&] {
            rig.boxes.queueAnswers(answerNo ? QList<Answer>{Answer::No} : QList<Answer>{Answer::Yes, Answer::Ok});
            rig.press(Operation(second));
        });
    });
    rig.press(Operation::Download);

    QCOMPARE(ModalBoxAnswerer::takeNotices(), QStringList{text});
    QCOMPARE(rig.boxes.count(), 0);
    QVERIFY(writesAfter >= 2);
    QVERIFY(stillBusy);
    QCOMPARE(rig.busyValues().last(), false);
    QCOMPARE(rig.busyValues().count(false), 1);
    QCOMPARE(rig.pollStarted->count(), 1);
    for (const QString &number : numbers)
        QCOMPARE(rig.cell(number, 8), QStringLiteral("已下载"));
}

void TransfersTest::pressesInsideARun_data()
{
    QTest::addColumn<int>("run");
    QTest::addColumn<QString>("path");   // what comes inside the run before the presses; "slot": none, the slot is called
    QTest::addColumn<QString>("button"); // pressed a second and a third time inside the run
    const QList<std::tuple<Operation, const char *, const char *>> runs{
        {Operation::Upload, "upload", "Upload"}, {Operation::FirstRead, "first read", "Upload"},
        {Operation::Download, "download", "Download"}, {Operation::Reset, "reset", "Default"}};
    for (const auto &r : runs) {
        for (const char *path : {"pressed", "port announced open", "main window online", "slot"})
            QTest::addRow("%s, %s", std::get<1>(r), path) << int(std::get<0>(r)) << path << QString("pushButton_") + std::get<2>(r);
    }
    QTest::newRow("upload, Save") << int(Operation::Upload) << "pressed" << "pushButton_Save";
    QTest::newRow("reset, Load") << int(Operation::Reset) << "pressed" << "pushButton_Load";
}

// Inside a run nothing enables a control the run greys, and a press that reaches its slot is
// refused with a notice, which holds nothing: the run goes on to read or write every row.
void TransfersTest::pressesInsideARun()
{
    QFETCH(int, run);
    QFETCH(QString, path);
    QFETCH(QString, button);
    Rig rig(0);
    QVERIFY(rig.connect(Operation(run) == Operation::FirstRead));
    rig.params->scramble();
    const QStringList numbers{"PA100", "PA20E", "PA000"}, typed{"4321", "70000", "1101"};
    for (int i = 0; i < numbers.size(); ++i)
        rig.check(numbers.at(i), Operation(run) == Operation::Download ? typed.at(i) : QString());
    rig.boxes.queueAnswers({Answer::Yes});
    int requests = 0;
    bool inside = false;
    for (auto request : {&parameterWindow::readSerialStr, &parameterWindow::writeSerialStr})
        QObject::connect(rig.window.get(), request, rig.window.get(), [&] {
            if (++requests == 2)
                QTimer::singleShot(0, rig.window.get(), [&] {
                    inside = rig.window->modelBusy();
                    if (path.startsWith("port"))
                        emit rig.link->isOpenSerial(true);
                    else if (path.startsWith("main"))
                        rig.window->receiveMainWindow(true);
                    for (int again = 0; again < 2; ++again)
                        path == "slot" ? void(QMetaObject::invokeMethod(rig.window.get(), qPrintable("on_" + button + "_clicked")))
                                       : rig.window->findChild<QPushButton *>(button)->click();
                });
        });
    rig.press(Operation(run));

    const QString refusal = QStringLiteral("The operation is not completed and cannot be ")
        + (Operation(run) == Operation::Download ? "downloaded" : "uploaded");
    QVERIFY(inside);
    QCOMPARE(rig.boxes.count(), Operation(run) == Operation::Reset ? 1 : 0); // its question, before the run
    QCOMPARE(ModalBoxAnswerer::takeNotices(), (path == "slot" ? QStringList{refusal, refusal} : QStringList()));
    for (const QString &number : numbers)
        QCOMPARE(rig.cell(number, 2), rig.shownOnDrive(*rig.params->find(number)));
    for (const char *name : {"pushButton_Upload", "pushButton_Download", "pushButton_Default", "pushButton_Save", "pushButton_Load"})
        QVERIFY2(rig.window->findChild<QPushButton *>(name)->isEnabled(), name);
    QVERIFY(rig.released());
}

QTEST_MAIN(TransfersTest)
#include "tst_transfers.moc"
