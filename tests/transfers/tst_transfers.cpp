// Upload, first read, download and factory reset of the parameter window, through serialPort,
// against the simulated drive over a pseudo-terminal pair, wired as the program wires them.

#include "driveparameters.h"
#include "encoderdatawindow.h"
#include "modalanswerer.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "tempworkdir.h"
#include "treemodel.h"

#include <QPushButton>
#include <QSettings>
#include <QtTest>

#include <atomic>
#include <memory>

using Failure = SimulatedDrive::Failure;
using Answer = ModalBoxAnswerer::Answer;

namespace {

const QString kLinkDown = QStringLiteral("串口未打开/设备未连接");
const QString kNotReady = QStringLiteral("串口未打开/设备未连接/地址未选择");
const QString kMotorBusy = QStringLiteral("操作冲突,请关闭电机操作");

enum class Operation { Upload, Download, Reset };

// The window, the link, the drive and the motor-data window, connected as main connects them.
struct Rig {
    explicit Rig(int family, int language = 1)
    {
        QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), family);
        QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), language);

        params = std::make_unique<DriveParameters>(
            family, DriveParameters::fromCatalogue(DriveParameters::catalogueText(family, language), family));
        drive = std::make_unique<SimulatedDrive>(1);
        link = std::make_unique<serialPort>();
        window = std::make_unique<parameterWindow>();
        encoder = std::make_unique<EncoderdataWindow>();

        QObject::connect(window.get(), &parameterWindow::readSerialStr, link.get(), &serialPort::readSerial);
        QObject::connect(window.get(), &parameterWindow::writeSerialStr, link.get(), &serialPort::writeSerial);
        QObject::connect(window.get(), &parameterWindow::TreeViewOk, link.get(), &serialPort::TreeViewOk);
        QObject::connect(link.get(), &serialPort::readDataToShow, window.get(), &parameterWindow::readData);
        QObject::connect(link.get(), &serialPort::changeFirst, window.get(), &parameterWindow::changeFrist);
        QObject::connect(link.get(), &serialPort::writeDataToCheck, window.get(), &parameterWindow::receiveWriteDataToCheck);
        QObject::connect(window.get(), &parameterWindow::writeSerialStr2, link.get(), &serialPort::writeSerial2);
        QObject::connect(link.get(), &serialPort::isOpenSerial, window.get(), &parameterWindow::isOpenSerial);
        QObject::connect(link.get(), &serialPort::isOpenSerial, encoder.get(), [] {});
        QObject::connect(encoder.get(), &EncoderdataWindow::sendEncoderIsOk, window.get(), &parameterWindow::receiveEncoderIsOk);
        QObject::connect(window.get(), &parameterWindow::sendParameterIsOk, encoder.get(), &EncoderdataWindow::receiveParameterIsOk);

        busy = std::make_unique<QSignalSpy>(window.get(), &parameterWindow::sendParameterIsOk);
        pollStopped = std::make_unique<QSignalSpy>(window.get(), &parameterWindow::stopMainWindowQuery);
        pollStarted = std::make_unique<QSignalSpy>(window.get(), &parameterWindow::startMainWindowQuery);
        onLine = std::make_unique<QSignalSpy>(window.get(), &parameterWindow::isOnLine);
    }

    // Starts the drive with the parameters installed and opens the port as the connection
    // dialog does; the first read stays pending unless firstRead is false.
    bool connect(bool firstRead = false)
    {
        params->install(*drive);
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
    void setCell(const QString &number, int column, const QString &text)
    {
        window->model->setData(window->model->index(rowOf(number), column), text, Qt::EditRole);
    }
    void check(const QString &number)
    {
        window->model->setData(window->model->index(rowOf(number), 0), Qt::Checked, Qt::CheckStateRole);
    }
    void click(Operation operation)
    {
        const char *name = operation == Operation::Upload ? "pushButton_Upload"
            : operation == Operation::Download            ? "pushButton_Download"
                                                          : "pushButton_Default";
        auto *button = window->findChild<QPushButton *>(QString::fromLatin1(name));
        QVERIFY(button && button->isEnabled());
        button->click();
    }
    // The values the busy announcement took, in order.
    QList<bool> busyValues() const
    {
        QList<bool> values;
        for (const QList<QVariant> &args : *busy)
            values.append(args.at(0).toBool());
        return values;
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

    TempWorkDir dir;
    ModalBoxAnswerer boxes;
    std::unique_ptr<DriveParameters> params;
    std::unique_ptr<SimulatedDrive> drive;
    std::unique_ptr<serialPort> link;
    std::unique_ptr<parameterWindow> window;
    std::unique_ptr<EncoderdataWindow> encoder;
    std::unique_ptr<QSignalSpy> busy, pollStopped, pollStarted, onLine;
};

// The text a cell shows for a drive value, by attribute code (hex words as four digits).
QString shown(const DriveParameters::Parameter &p, qint64 value)
{
    if (p.attribute == 0 || p.attribute == 1)
        return QStringLiteral("%1").arg(quint16(value), 4, 16, QLatin1Char('0')).toUpper();
    return QString::number(value);
}

} // namespace

class TransfersTest : public QObject
{
    Q_OBJECT

private slots:
    void upload_checkedRows_data();
    void upload_checkedRows();
    void upload_unansweredRowIsFailedNotUploaded();
    void firstRead_wholeCatalogue_data();
    void firstRead_wholeCatalogue();
    void firstRead_lostMailboxWriteReadsNoRecord();
    void firstRead_linkDropKeepsFirstRead();
    void firstRead_reconnectKeepsRecordInItsRow();
    void download_rows_data();
    void download_rows();
    void download_refusedValueSendsNothing_data();
    void download_refusedValueSendsNothing();
    void download_linkDropMarksOnlyWhatWasWritten();
    void reset_restoresFactoryValues_data();
    void reset_restoresFactoryValues();
    void reset_answerNoSendsNothing();
    void reset_unconfirmedCommandRestoresNothing();
    void refusals_withdrawTheAnnouncement_data();
    void refusals_withdrawTheAnnouncement();
    void refusals_runningTransferKeepsItsAnnouncement_data();
    void refusals_runningTransferKeepsItsAnnouncement();
};

// ---- upload ----------------------------------------------------------------------------

void TransfersTest::upload_checkedRows_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QList<qint64>>("values");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("lastAnsweredLate");
    // One row of each attribute code of the family; VR code 5 reads two words.
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
    for (int i = 0; i < numbers.size(); ++i) {
        rig.params->setValue(numbers.at(i), values.at(i));
        rig.check(numbers.at(i));
    }
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
    rig.click(Operation::Upload);

    for (int i = 0; i < numbers.size(); ++i) {
        QCOMPARE(rig.cell(numbers.at(i), 2), expected.at(i));
        QCOMPARE(rig.cell(numbers.at(i), 8), QStringLiteral("已上传"));
    }
    // One read per row (a slow machine may need the resend).
    QVERIFY(rig.drive->requestCount() >= numbers.size() && rig.drive->requestCount() <= 2 * numbers.size());
    QCOMPARE(rig.requestsWithFunction(0x03), rig.drive->requestCount());
    QCOMPARE(rig.cell(QStringLiteral("PA002"), 8), QString()); // not checked, not touched
    QCOMPARE(rig.boxes.count(), 0);
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStopped->count(), 1);
    QCOMPARE(rig.pollStarted->count(), 1);
    QVERIFY(!rig.encoder->isParameterBusy());
    QVERIFY(!rig.window->uploadRunning);
}

// A row whose read is never answered is no "已上传": it is marked failed and counted.
void TransfersTest::upload_unansweredRowIsFailedNotUploaded()
{
    Rig rig(0);
    QVERIFY(rig.connect());
    rig.params->setValue(QStringLiteral("PA100"), 700);
    rig.params->setValue(QStringLiteral("PA102"), 800);
    rig.check(QStringLiteral("PA100"));
    rig.check(QStringLiteral("PA102"));
    rig.drive->setFailure(Failure::NoAnswer, 2); // the first row's read and its resend
    rig.click(Operation::Upload);

    QCOMPARE(rig.cell(QStringLiteral("PA100"), 8), QStringLiteral("上传失败"));
    QCOMPARE(rig.cell(QStringLiteral("PA100"), 2), QStringLiteral("0000"));
    QCOMPARE(rig.cell(QStringLiteral("PA102"), 8), QStringLiteral("已上传"));
    QCOMPARE(rig.cell(QStringLiteral("PA102"), 2), QStringLiteral("800"));
    QCOMPARE(rig.boxes.countWithText(QStringLiteral("1 个参数上传失败")), 1);
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
}

// ---- first read --------------------------------------------------------------------------

void TransfersTest::firstRead_wholeCatalogue_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("language");
    QTest::newRow("VR") << 0 << 1;
    QTest::newRow("VR English") << 0 << 0;
    QTest::newRow("HXQ") << 1 << 1;
}

// Every row gets the drive's own maximum, minimum, default and value, also where the drive's
// limits differ from the catalogue's.
void TransfersTest::firstRead_wholeCatalogue()
{
    QFETCH(int, family);
    QFETCH(int, language);

    Rig rig(family, language);
    rig.params->setLimits(QStringLiteral("PA100"), 5, 30000, 450);
    QVERIFY(rig.connect(true));
    rig.params->scramble();
    rig.drive->clearRequests();

    rig.window->showParameterWindow(); // online with the first read pending: it runs now

    const QVector<DriveParameters::Parameter> &parameters = rig.params->parameters();
    QCOMPARE(rig.window->parameterRowCount(), parameters.size());
    for (int row = 0; row < parameters.size(); ++row) {
        const DriveParameters::Parameter &p = parameters.at(row);
        QCOMPARE(rig.cell(row, 0).simplified(), p.number);
        const QString where = p.number + QLatin1Char(' ');
        QVERIFY2(rig.cell(row, 2) == shown(p, rig.params->value(p.number)), qPrintable(where + rig.cell(row, 2)));
        QVERIFY2(rig.cell(row, 3) == shown(p, p.minimum), qPrintable(where + rig.cell(row, 3)));
        QVERIFY2(rig.cell(row, 4) == shown(p, p.maximum), qPrintable(where + rig.cell(row, 4)));
        QVERIFY2(rig.cell(row, 5) == shown(p, p.factory), qPrintable(where + rig.cell(row, 5)));
    }
    QCOMPARE(rig.cell(QStringLiteral("PA100"), 3), QStringLiteral("5"));
    QCOMPARE(rig.cell(QStringLiteral("PA100"), 4), QStringLiteral("30000"));
    QVERIFY(rig.params->mailboxSelections() >= parameters.size());
    QVERIFY(rig.readCounts(family == 0 ? 0xCF01 : 0x0752).size() >= parameters.size());
    QVERIFY(!rig.window->firstRead);
    QCOMPARE(rig.onLine->count(), 1);
    QCOMPARE(rig.boxes.count(), 0);
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
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
    QCOMPARE(rig.cell(row1, 2), QStringLiteral("0000")); // catalogue values, not PA000's record
    QCOMPARE(rig.cell(row1, 4), QStringLiteral("FFFF"));
    QCOMPARE(rig.cell(row1, 8), QStringLiteral("上传失败"));
    for (const QString &number : {QStringLiteral("PA000"), QStringLiteral("PA002")})
        QCOMPARE(rig.cell(number, 2), shown(*rig.params->find(number), rig.params->value(number)));
    QCOMPARE(rig.boxes.countWithText(QStringLiteral("1 个参数上传失败")), 1);
    QVERIFY(!rig.window->firstRead); // the pass reached its end
}

// A first read cut off by a lost link is no first read: the flag stays, nothing says online.
void TransfersTest::firstRead_linkDropKeepsFirstRead()
{
    Rig rig(1);
    QVERIFY(rig.connect(true));
    rig.params->scramble();
    QTimer cutter;
    QObject::connect(&cutter, &QTimer::timeout, [&rig, &cutter] {
        if (rig.params->mailboxSelections() >= 20) {
            cutter.stop();
            rig.drive->dropLink();
        }
    });
    cutter.start(2);
    rig.window->showParameterWindow();

    QCOMPARE(rig.boxes.countWithText(kLinkDown), 1);
    QVERIFY(rig.window->firstRead);
    QCOMPARE(rig.onLine->count(), 0);
    QVERIFY(!rig.window->uploadRunning);
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStarted->count(), 1);
    const QString last = rig.params->parameters().last().number;
    QCOMPARE(rig.cell(last, 2), QStringLiteral("0000")); // never reached
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
    QObject::connect(rig.window.get(), &parameterWindow::readSerialStr, rig.window.get(),
                     [&](QByteArray addr) {
                         if (addr == "CF01" && ++recordReads == 4)
                             QTimer::singleShot(5, rig.window.get(), [&rig] { rig.window->changeFrist(true); });
                     });
    rig.window->showParameterWindow();

    const QVector<DriveParameters::Parameter> &parameters = rig.params->parameters();
    for (int row = 0; row < 4; ++row) {
        const DriveParameters::Parameter &p = parameters.at(row);
        QCOMPARE(rig.cell(row, 2), shown(p, rig.params->value(p.number)));
        QCOMPARE(rig.cell(row, 4), shown(p, p.maximum));
    }
    QVERIFY(rig.window->firstRead);
    QCOMPARE(rig.onLine->count(), 0);
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStarted->count(), 1);
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

    const QStringList vrRows{"PA000", "PA124", "PA20E", "PA101"};
    const QStringList vrTexts{"11d1", "-100", "70000", "65535"};
    QTest::newRow("VR good rows") << 0 << vrRows << vrTexts << QList<qint64>{0x11D1, -100, 70000, 65535}
                                  << int(Failure::None) << QStringList{"已下载", "已下载", "已下载", "已下载"} << 4;
    QTest::newRow("HXQ good rows") << 1 << QStringList{"PA123", "PA005", "PA011"} << QStringList{"5", "1", "-100"}
                                   << QList<qint64>{5, 0x0001, -100} << int(Failure::None)
                                   << QStringList{"已下载", "已下载", "已下载"} << 3;
    // The drive stores but never echoes: each row is sent twice and none counts as written.
    QTest::newRow("VR no echo") << 0 << QStringList{"PA124", "PA20E"} << QStringList{"-100", "70000"}
                                << QList<qint64>{-100, 70000} << int(Failure::NoEchoEver)
                                << QStringList{"下载失败", "下载失败"} << 4;
    // The drive refuses the first row (exception, twice): that row only is failed.
    QTest::newRow("HXQ refused by drive") << 1 << QStringList{"PA123", "PA124"} << QStringList{"5", "6"}
                                          << QList<qint64>{0, 6} << int(Failure::Exception)
                                          << QStringList{"下载失败", "已下载"} << 3;
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
    for (int i = 0; i < numbers.size(); ++i) {
        rig.setCell(numbers.at(i), 2, texts.at(i));
        rig.check(numbers.at(i));
    }
    rig.drive->clearRequests();
    rig.params->clearWrites();
    if (Failure(failure) == Failure::Exception)
        rig.drive->setFailure(Failure::Exception, 2);
    else if (Failure(failure) != Failure::None)
        rig.drive->setFailure(Failure(failure));
    rig.click(Operation::Download);

    for (int i = 0; i < numbers.size(); ++i) {
        QCOMPARE(rig.cell(numbers.at(i), 8), marks.at(i));
        QCOMPARE(rig.params->value(numbers.at(i)), driveValues.at(i));
    }
    QVERIFY(rig.drive->requestCount() >= requests && rig.drive->requestCount() <= 2 * numbers.size());
    const int failed = marks.count(QStringLiteral("下载失败"));
    QCOMPARE(rig.boxes.count(), failed ? 1 : 0);
    if (failed)
        QCOMPARE(rig.boxes.countWithText(QStringLiteral("%1 个参数下载失败").arg(failed)), 1);
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStarted->count(), 1);
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
    rig.setCell(QStringLiteral("PA101"), 2, QStringLiteral("7")); // a good row before it
    rig.check(QStringLiteral("PA101"));
    rig.setCell(number, 2, text);
    rig.check(number);
    rig.drive->clearRequests();
    rig.click(Operation::Download);

    QCOMPARE(rig.boxes.countWithText(number + QStringLiteral(" is error")), 1);
    QTest::qWait(50);
    QCOMPARE(rig.drive->requestCount(), 0);
    QCOMPARE(rig.cell(QStringLiteral("PA101"), 8), QString());
    QCOMPARE(rig.cell(number, 8), QString());
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStopped->count(), 1);
    QCOMPARE(rig.pollStarted->count(), 1);
    QVERIFY(!rig.encoder->isParameterBusy());
}

void TransfersTest::download_linkDropMarksOnlyWhatWasWritten()
{
    Rig rig(0);
    QVERIFY(rig.connect());
    const QStringList numbers{"PA100", "PA102", "PA103", "PA104", "PA106", "PA109", "PA10A", "PA10C"};
    for (const QString &number : numbers) {
        rig.setCell(number, 2, QStringLiteral("1234"));
        rig.check(number);
    }
    rig.params->clearWrites();
    QTimer cutter;
    QObject::connect(&cutter, &QTimer::timeout, [&rig, &cutter] {
        if (rig.params->writes().size() >= 3) {
            cutter.stop();
            rig.drive->dropLink();
        }
    });
    cutter.start(1);
    rig.click(Operation::Download);

    QCOMPARE(rig.boxes.countWithText(kLinkDown), 1);
    QCOMPARE(rig.boxes.count(), 1);
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
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStarted->count(), 1);
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
    rig.click(Operation::Reset);

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
        QVERIFY2(rig.cell(row, 2) == shown(p, p.factory), qPrintable(p.number + QLatin1Char(' ') + rig.cell(row, 2)));
        QCOMPARE(rig.cell(row, 8), QStringLiteral("已恢复"));
    }
    if (family == 0) {
        const QList<int> counts = rig.readCounts(0x020E);
        QVERIFY(!counts.isEmpty());
        for (int count : counts)
            QCOMPARE(count, 2); // the 32-bit rows read two words
    }
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStopped->count(), 1);
    QCOMPARE(rig.pollStarted->count(), 1);
}

void TransfersTest::reset_answerNoSendsNothing()
{
    Rig rig(0);
    QVERIFY(rig.connect());
    rig.drive->clearRequests();
    rig.boxes.queueAnswers({Answer::No});
    rig.click(Operation::Reset);

    QTest::qWait(50);
    QCOMPARE(rig.drive->requestCount(), 0);
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStopped->count(), 0);
    QVERIFY(!rig.encoder->isParameterBusy());
}

// A reset command the drive never confirms restores nothing in the table's eyes.
void TransfersTest::reset_unconfirmedCommandRestoresNothing()
{
    Rig rig(0);
    QVERIFY(rig.connect());
    rig.drive->clearRequests();
    rig.drive->setFailure(Failure::NoAnswer);
    rig.boxes.queueAnswers({Answer::Yes});
    rig.click(Operation::Reset);

    QCOMPARE(rig.drive->requestCount(), 2); // the first step and its resend, nothing after it
    QCOMPARE(rig.boxes.countWithText(QStringLiteral("驱动器未确认恢复出厂值命令，参数未恢复")), 1);
    for (int row = 0; row < rig.window->parameterRowCount(); ++row)
        QCOMPARE(rig.cell(row, 8), QString());
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false}));
    QCOMPARE(rig.pollStarted->count(), 1);
}

// ---- refusals ----------------------------------------------------------------------------

void TransfersTest::refusals_withdrawTheAnnouncement_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<bool>("motorBusy");
    QTest::newRow("upload, motor data busy") << int(Operation::Upload) << true;
    QTest::newRow("download, motor data busy") << int(Operation::Download) << true;
    QTest::newRow("reset, motor data busy") << int(Operation::Reset) << true;
    QTest::newRow("upload, port closed") << int(Operation::Upload) << false;
    QTest::newRow("download, port closed") << int(Operation::Download) << false;
    QTest::newRow("reset, port closed") << int(Operation::Reset) << false;
}

// The busy refusal announces nothing; the port refusal withdraws what it announced, so the
// motor-data window is not left locked out.
void TransfersTest::refusals_withdrawTheAnnouncement()
{
    QFETCH(int, operation);
    QFETCH(bool, motorBusy);

    Rig rig(0);
    QVERIFY(rig.connect());
    rig.check(QStringLiteral("PA100"));
    rig.drive->clearRequests();
    if (motorBusy)
        emit rig.encoder->sendEncoderIsOk(true);
    else
        rig.window->isOpenSerial(false);
    switch (Operation(operation)) {
    case Operation::Upload: rig.window->on_pushButton_Upload_clicked(); break;
    case Operation::Download: rig.window->on_pushButton_Download_clicked(); break;
    case Operation::Reset: rig.window->on_pushButton_Default_clicked(); break;
    }

    QCOMPARE(rig.boxes.count(), 1);
    QCOMPARE(rig.boxes.last().text, motorBusy ? kMotorBusy : kNotReady);
    QTest::qWait(50);
    QCOMPARE(rig.drive->requestCount(), 0);
    QCOMPARE(rig.busyValues(), motorBusy ? QList<bool>() : (QList<bool>{true, false}));
    QCOMPARE(rig.pollStopped->count(), 0);
    QVERIFY(!rig.encoder->isParameterBusy());

    if (motorBusy) {
        // Once the motor-data window is done, the operation runs and holds the other one off.
        emit rig.encoder->sendEncoderIsOk(false);
        bool heldOff = false;
        QObject::connect(rig.window.get(), &parameterWindow::readSerialStr, rig.encoder.get(),
                         [&] { heldOff = rig.encoder->isParameterBusy(); });
        QObject::connect(rig.window.get(), &parameterWindow::writeSerialStr, rig.encoder.get(),
                         [&] { heldOff = rig.encoder->isParameterBusy(); });
        rig.boxes.queueAnswers({Answer::Yes});
        rig.window->on_pushButton_Upload_clicked();
        QVERIFY(heldOff);
        QVERIFY(!rig.encoder->isParameterBusy());
    }
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
    QTest::newRow("reset, No to the question") << int(Operation::Reset) << true << "Will Reset?";
}

// A second press while a download runs is refused (or, for the reset, answered No), and
// neither releases the motor-data window or the status poll under the running download.
void TransfersTest::refusals_runningTransferKeepsItsAnnouncement()
{
    QFETCH(int, second);
    QFETCH(bool, answerNo);
    QFETCH(QString, text);

    Rig rig(0);
    QVERIFY(rig.connect());
    for (const QString &number : {QStringLiteral("PA100"), QStringLiteral("PA102"), QStringLiteral("PA103")}) {
        rig.setCell(number, 2, QStringLiteral("500"));
        rig.check(number);
    }
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
            if (answerNo)
                rig.boxes.queueAnswers({Answer::No});
            else
                rig.boxes.queueAnswers({Answer::Yes, Answer::Ok});
            switch (Operation(second)) {
            case Operation::Upload: rig.window->on_pushButton_Upload_clicked(); break;
            case Operation::Download: rig.window->on_pushButton_Download_clicked(); break;
            case Operation::Reset: rig.window->on_pushButton_Default_clicked(); break;
            }
        });
    });
    rig.click(Operation::Download);

    QCOMPARE(rig.boxes.countWithText(text), 1);
    QVERIFY(writesAfter >= 2);
    QVERIFY(stillBusy);
    QCOMPARE(rig.busyValues().last(), false);
    QCOMPARE(rig.busyValues().count(false), 1);
    QCOMPARE(rig.pollStarted->count(), 1);
    for (const QString &number : {QStringLiteral("PA100"), QStringLiteral("PA102"), QStringLiteral("PA103")})
        QCOMPARE(rig.cell(number, 8), QStringLiteral("已下载"));
}

QTEST_MAIN(TransfersTest)
#include "tst_transfers.moc"
