// The motor data window against the simulated drive through serialPort, wired as main wires
// them: upload and download with the shared registers, refused values, the busy exchange with
// the parameter window, the drive sequences with their status, the test run, and files.

#include <QSettings>
#include <QSpinBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolTip>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

#include "afterwaits.h"
#include "encoderdatawindow.h"
#include "encoderdelegation.h"
#include "drivecommands.h"
#include "modalanswerer.h"
#include "motordata.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "simmotordata.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"
#include "treemodel.h"
#include "ui_encoderdatawindow.h"
#include "choicefiles.h"
#include "unreadvalue.h"

using Op = EncoderdataWindow::Operation;

namespace {

const QString kConflict = QStringLiteral("操作冲突,请关闭参数表操作");

struct Rig {
    explicit Rig(bool withParameters = false, int storedFamily = 0)
    {
        QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), storedFamily);
        QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), 1);
        SimulatedModel::install(drive, 0);
        motor = drive.part<SimMotorData>();
        window = std::make_unique<EncoderdataWindow>();
        EncoderdataWindow *w = window.get();
        QObject::connect(&link, &serialPort::isOpenSerial, w, &EncoderdataWindow::isOpenSerial);
        QObject::connect(w, &EncoderdataWindow::readSerialEncoder, &link, &serialPort::readSerial);
        QObject::connect(&link, &serialPort::readDataToEncoder, w, &EncoderdataWindow::readDataToEncoder);
        QObject::connect(w, &EncoderdataWindow::treeViewOK, &link, &serialPort::TreeViewOk);
        QObject::connect(w, &EncoderdataWindow::writeSerialEncoder, &link, &serialPort::writeSerial);
        QObject::connect(&link, &serialPort::writeDataToEncoder, w, &EncoderdataWindow::receiveToCheck);
        QObject::connect(&link, &serialPort::sendEncodeQuery, w, &EncoderdataWindow::receiveStatus);
        if (withParameters) {
            parameters = std::make_unique<parameterWindow>();
            QObject::connect(w, &EncoderdataWindow::sendEncoderIsOk, parameters.get(), &parameterWindow::receiveEncoderIsOk);
            QObject::connect(parameters.get(), &parameterWindow::sendParameterIsOk, w, &EncoderdataWindow::receiveParameterIsOk);
        }
        busy = std::make_unique<QSignalSpy>(w, &EncoderdataWindow::sendEncoderIsOk);
        // No operation may still count as running while a box is up.
        boxes.setLeftAlone([this](QWidget *) {
            busyUnderBox = busyUnderBox || window->runningOperation() != Op::None;
            return false;
        });
    }
    bool connect()
    {
        if (!drive.start() || !link.openPort(drive.portName(), 115200))
            return false;
        emit link.isOpenSerial(true);
        return true;
    }
    TreeModel *model() const { return window->model; }
    QString cell(int rowNumber, int column) const
    {
        return model()->index(rowNumber - 1, column).data(Qt::EditRole).toString();
    }
    void setValue(int rowNumber, const QString &text)
    {
        model()->setData(model()->index(rowNumber - 1, 3), text, Qt::EditRole);
    }
    // The register writes the drive (or `other`) heard, as "ADDR=VALUE", in order.
    QStringList writes(const SimulatedDrive *other = nullptr) const
    {
        QStringList list;
        for (const QByteArray &f : (other ? other : &drive)->requests()) {
            if (f.size() >= 8 && quint8(f.at(1)) == 0x06)
                list << QStringLiteral("%1=%2").arg(f.mid(2, 2).toHex().toUpper(), f.mid(4, 2).toHex().toUpper());
        }
        return list;
    }
    int reads(quint16 address) const
    {
        int n = 0;
        for (const QByteArray &f : drive.requests())
            n += f.size() >= 8 && quint8(f.at(1)) == 0x03 && ((quint8(f.at(2)) << 8) | quint8(f.at(3))) == address;
        return n;
    }
    QList<bool> busyValues() const
    {
        QList<bool> values;
        for (const QList<QVariant> &args : *busy)
            values << args.at(0).toBool();
        return values;
    }
    QString hint() const { return window->ui->label_Step_CH->text(); }
    // Runs `action` right after the window has sent its `count`-th write matching `what`
    // ("ADDR=VALUE" prefix; "ADDR?" for a read), inside that request's emit: the same place on any machine.
    void when(const QString &what, int count, std::function<void()> action)
    {
        auto seen = std::make_shared<int>(0);
        const auto sent = [what, count, action, seen](const QByteArray &request) {
            if (QString::fromLatin1(request).startsWith(what) && ++*seen == count)
                action();
        };
        QObject::connect(window.get(), &EncoderdataWindow::writeSerialEncoder, window.get(),
                         [sent](const QByteArray &addr, const QByteArray &value) { sent(addr + '=' + value); });
        QObject::connect(window.get(), &EncoderdataWindow::readSerialEncoder, window.get(),
                         [sent](const QByteArray &addr) { sent(addr + '?'); });
    }

    // Loads a motor data file of these rows, with the model line given.
    void load(const QByteArray &rows, const QByteArray &model = "VR1M")
    {
        QFile file(dir.filePath(QStringLiteral("rows.CBC")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write("stamp\n" + model + "\nheader\n" + rows) > 0 && file.flush());
        boxes.setFileAnswer(file.fileName());
        window->on_pushButton_load_clicked();
    }

    TempWorkDir dir;
    ModalBoxAnswerer boxes;
    SimulatedDrive drive{1};
    SimMotorData *motor = nullptr;
    serialPort link;
    std::unique_ptr<EncoderdataWindow> window;
    std::unique_ptr<parameterWindow> parameters;
    std::unique_ptr<QSignalSpy> busy;
    bool busyUnderBox = false;
};

// Boxes asked for from the link's slots open later, once no wait runs: true once every box
// asked for so far has opened and been answered.
bool boxesSettled(QObject *receiver)
{
    const auto reached = std::make_shared<bool>(false);
    AfterWaits::run(receiver, [reached] { *reached = true; });
    return QTest::qWaitFor([reached] { return *reached && !QApplication::activeModalWidget(); }, 10000);
}

// Each state line (Chinese and English) shows its text whole, within the window as it stands.
bool stateShownWhole(EncoderdataWindow *window)
{
    for (QLabel *label : {window->ui->label_Step_CH, window->ui->label_Step_EN}) {
        const QRect place = label->contentsRect();
        if (!place.contains(label->fontMetrics().boundingRect(place, label->alignment() | Qt::TextWordWrap, label->text()))
            || !window->rect().contains(QRect(label->mapTo(window, QPoint()), label->size())))
            return false;
    }
    return true;
}

int messageBoxes(const ModalBoxAnswerer &boxes)
{
    int n = 0;
    for (const ModalBoxAnswerer::Box &box : boxes.boxes())
        n += box.className == QLatin1String("QMessageBox");
    return n;
}

} // namespace

class EncoderWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void constructionAndEditor_data();
    void constructionAndEditor();
    void uploadDownloadReadBack_data();
    void uploadDownloadReadBack();
    void downloadRefusals_data();
    void downloadRefusals();
    void downloadStopAndLanguageSwitch_data();
    void downloadStopAndLanguageSwitch();
    void busyExchangeWithParameterWindow();
    void sequencesWithStatus_data();
    void sequencesWithStatus();
    void testRun_data();
    void testRun();
    void testCommandNotTaken();
    void files_data();
    void files();
    void sessionFamilyPullAndReconnect();
    void greyedWhileItRuns_data();
    void greyedWhileItRuns();
};

void EncoderWindowTest::constructionAndEditor_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("two decimals at the maximum") << 14 << "655.35" << true;
    QTest::newRow("two decimals above") << 14 << "655.36" << false;
    QTest::newRow("three decimals above") << 20 << "65.536" << false;
    QTest::newRow("speed at the maximum") << 10 << "25500" << true;
    QTest::newRow("speed above") << 10 << "25501" << false;
    QTest::newRow("stored as typed") << 16 << "12" << true;
    QTest::newRow("reserved row showing 0F21 is read-only") << 42 << "5" << false;
    QTest::newRow("row 46 above its maximum") << 46 << "70000" << false;
    QTest::newRow("a decimal too many is not cut off") << 14 << "1.234" << false;
    QTest::newRow("a digit too many is not cut off") << 7 << "1234567890" << false;
    QTest::newRow("a minus sign is not dropped") << 7 << "-2" << false;
}

void EncoderWindowTest::constructionAndEditor()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    Rig rig;
    Ui::EncoderdataWindow *ui = rig.window->ui;
    QCOMPARE(rig.model()->rowCount(), 46);
    QVERIFY(!ui->treeView->isEnabled() && ui->pushButton_endTest->isHidden() && ui->label_complete->isHidden());
    QCOMPARE(ui->spinBox_ForewordTime->value(), 2); // no "test.ini" yet

    QVERIFY(!rig.window->delegation->createEditor(ui->treeView, {}, rig.model()->index(row - 1, 2)));
    QCOMPARE(encoderDelegation::commitValue(rig.model(), rig.model()->index(row - 1, 3), typed), accepted);
    QCOMPARE(rig.cell(row, 3), accepted ? typed : UnreadValue::text()); // no template value before anything is read
    QCOMPARE(rig.cell(row, 8), accepted ? QStringLiteral("***") : QString());
    if (accepted)
        return;
    // Refused on Return with the row's limits; a read-only row is "保留" and its tool tip says why.
    rig.window->show();
    ui->checkBox_modification->click();
    const QModelIndex value = rig.model()->index(row - 1, 3);
    ui->treeView->scrollTo(value);
    ui->treeView->edit(value);
    if (auto *editor = qobject_cast<QLineEdit *>(ui->treeView->indexWidget(value))) {
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(rig.boxes.count(), 1);
        const QString text = rig.boxes.last().text; // the value as typed, and the row's limits
        QVERIFY(text.startsWith(QStringLiteral("第 %1 行：%2 ").arg(row).arg(typed)) && text.endsWith(" 0 ~ " + rig.cell(row, 6)));
        return;
    }
    QCOMPARE(rig.cell(row, 2), QStringLiteral("保留"));
    QHelpEvent tip(QEvent::ToolTip, ui->treeView->visualRect(value).center(), QPoint());
    QApplication::sendEvent(ui->treeView->viewport(), &tip);
    QVERIFY(QToolTip::text().contains(QStringLiteral("0F21")));
}

void EncoderWindowTest::uploadDownloadReadBack_data()
{
    QTest::addColumn<QString>("values"); // typed into the table: "row=value,..."
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("word");
    QTest::newRow("0F01 packed") << "1=1,2=5,3=2" << 0x0F01 << 0x1205;
    QTest::newRow("speeds") << "10=3000,11=6000" << 0x0F05 << 0x3C1E;
    QTest::newRow("one decimal") << "16=6553.5" << 0x0F09 << 0xFFFF;
    QTest::newRow("row 46: rows 42 to 45 show what it holds") << "46=1234" << 0x0F21 << 0x04D2;
}

// Upload reads each register once and fills the shared rows; a download writes the unlock word
// first, packs the shared registers, and the values read back the same.
void EncoderWindowTest::uploadDownloadReadBack()
{
    QFETCH(QString, values);
    QFETCH(int, address);
    QFETCH(int, word);
    Rig rig;
    QVERIFY(rig.connect());
    rig.window->on_pushButton_upLoad_clicked();
    QCOMPARE(rig.cell(4, 3), QStringLiteral("3"));  // 0F00 = 2103
    QCOMPARE(rig.cell(6, 3), QStringLiteral("2"));
    QCOMPARE(rig.cell(11, 3), QStringLiteral("6000"));
    QCOMPARE(rig.cell(14, 3), QStringLiteral("2.39"));
    QCOMPARE(rig.cell(20, 3), QStringLiteral("0.78"));
    QCOMPARE(rig.reads(0x0F00), 1);
    QCOMPARE(rig.reads(0x0F21), 5);
    for (int row = 1; row <= 46; ++row)
        QCOMPARE(rig.cell(row, 8), QStringLiteral("已上传"));
    QCOMPARE(rig.hint(), QStringLiteral("上传结束"));

    for (const QString &pair : values.split(QLatin1Char(',')))
        rig.setValue(pair.section(QLatin1Char('='), 0, 0).toInt(), pair.section(QLatin1Char('='), 1));
    rig.drive.clearRequests();
    rig.window->on_pushButton_downLoad_clicked();
    QCOMPARE(rig.writes().first(), QStringLiteral("2003=9C47"));
    QCOMPARE(rig.writes().size(), 1 + 34);
    QCOMPARE(rig.drive.registerValue(quint16(address)), quint16(word));
    QCOMPARE(rig.drive.registerValue(0x0F00), quint16(0x2103)); // the rest as uploaded
    QCOMPARE(rig.cell(46, 8), QStringLiteral("已下载"));
    // Rows 42 to 45 are not written but show register 0F21, which row 46 wrote.
    QVERIFY(rig.cell(42, 8) == QStringLiteral("已下载") && rig.cell(45, 3) == rig.cell(46, 3));
    QCOMPARE(rig.busyValues(), (QList<bool>{true, false, true, false}));

    for (const QString &pair : values.split(QLatin1Char(',')))
        rig.setValue(pair.section(QLatin1Char('='), 0, 0).toInt(), QStringLiteral("0"));
    rig.window->on_pushButton_upLoad_clicked();
    for (const QString &pair : values.split(QLatin1Char(',')))
        QCOMPARE(rig.cell(pair.section(QLatin1Char('='), 0, 0).toInt(), 3), pair.section(QLatin1Char('='), 1));
    QCOMPARE(rig.boxes.count(), 0);
    // A row is marked by its own answer or echo only; a lost link is told by the link alone.
    rig.drive.setFailure(SimulatedDrive::Failure::NoAnswer, 1); // the first read: 0F01, rows 1 to 3
    rig.window->on_pushButton_upLoad_clicked();
    QCOMPARE(rig.cell(3, 8), QStringLiteral("上传失败"));
    for (int row = 1; row <= 3; ++row) // not read, so typed again before a download
        rig.setValue(row, QStringLiteral("1"));
    rig.when(QStringLiteral("0F06="), 1, [&] { rig.drive.setFailure(SimulatedDrive::Failure::NoEchoEver, 2); });
    rig.window->on_pushButton_downLoad_clicked();
    QCOMPARE(rig.cell(14, 8), QStringLiteral("下载失败")); // 0F07 is among the two writes not echoed
    rig.boxes.clear();
    rig.when(QStringLiteral("0F06="), 1, [&] { rig.drive.dropLink(); });
    rig.window->on_pushButton_downLoad_clicked();
    QCOMPARE(rig.hint(), QStringLiteral("已写入 11/42 行，连接已断开"));
    QVERIFY(rig.window->ui->progressBar_parameter->isHidden() && rig.boxes.count() == 0);
}

void EncoderWindowTest::downloadRefusals_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("box");
    QTest::newRow("out of range is never cut to 16 bits") << "range" << "";
    QTest::newRow("not a number") << "letters" << "";
    QTest::newRow("link closed") << "closed" << "串口未打开/设备未连接/地址未选择";
    QTest::newRow("parameter window busy") << "busy" << kConflict;
    QTest::newRow("drive does not echo the unlock") << "silent" << "驱动器未应答，下载未执行";
    QTest::newRow("a late unlock echo acknowledges no later unlock") << "lateEcho" << "驱动器未应答，下载未执行";
}

// Nothing reaches the drive's motor data when a value is refused or the download cannot run.
void EncoderWindowTest::downloadRefusals()
{
    QFETCH(QString, setup);
    QFETCH(QString, box);
    Rig rig;
    QVERIFY(rig.connect());
    rig.window->on_pushButton_upLoad_clicked();
    rig.busy->clear();
    if (setup == QLatin1String("range"))
        rig.setValue(7, QStringLiteral("70000"));
    else if (setup == QLatin1String("letters"))
        rig.setValue(14, QStringLiteral("abc"));
    else if (setup == QLatin1String("closed"))
        emit rig.link.isOpenSerial(false);
    else if (setup == QLatin1String("busy"))
        rig.window->receiveParameterIsOk(true);
    else
        rig.drive.setFailure(SimulatedDrive::Failure::NoEchoEver);
    if (setup == QLatin1String("lateEcho")) // the echo of an unlock whose wait has ended
        rig.window->receiveToCheck(QStringLiteral("010620039C475B38"));
    rig.window->on_pushButton_downLoad_clicked();
    // The parameter window's transfer is not held by the refusal: a notice, not a modal box.
    const bool notice = setup == QLatin1String("busy");
    QCOMPARE(rig.boxes.count(), notice ? 0 : 1);
    if (notice)
        QCOMPARE(ModalBoxAnswerer::takeNotices(), QStringList{box});
    else if (!box.isEmpty())
        QCOMPARE(rig.boxes.last().text, box);
    else
        QVERIFY(rig.boxes.last().text.contains(QStringLiteral("第 %1 行").arg(setup == QLatin1String("range") ? 7 : 14)));
    QVERIFY(rig.writes().filter(QStringLiteral("0F")).isEmpty());
    QVERIFY(rig.cell(1, 8) != QStringLiteral("已下载"));
    QCOMPARE(rig.window->runningOperation(), Op::None);
    QVERIFY(rig.busyValues().isEmpty() || rig.busyValues() == (QList<bool>{true, false}));
}

void EncoderWindowTest::downloadStopAndLanguageSwitch_data()
{
    QTest::addColumn<bool>("stop");
    QTest::newRow("Break") << true;
    QTest::newRow("language switch") << false;
}

// A stop ends the download and marks only what the drive echoed. A language switch that comes
// meanwhile changes nothing that is written; the fresh table comes once the download is over.
void EncoderWindowTest::downloadStopAndLanguageSwitch()
{
    QFETCH(bool, stop);
    Rig rig;
    QVERIFY(rig.connect());
    rig.window->on_pushButton_upLoad_clicked();
    rig.setValue(7, QStringLiteral("1000"));
    rig.drive.clearRequests();
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/translator/Velotrim_EN.qm")));
    rig.when(QStringLiteral("0F06="), 1, [&] {
        if (stop)
            rig.window->on_pushButton_interrupt_clicked();
        else
            QCoreApplication::installTranslator(&english), rig.window->changeLanguageToEnglsih();
    });
    rig.window->on_pushButton_downLoad_clicked();
    const QStringList writes = rig.writes();
    QVERIFY(writes.contains(QStringLiteral("0F02=03E8")));
    QCOMPARE(rig.window->runningOperation(), Op::None);
    if (!stop) {
        QCOMPARE(writes.size(), 1 + 34);
        QCOMPARE(rig.drive.registerValue(0x0F05), quint16(0x3C1E)); // not a zero of the new table
        QCOMPARE(rig.cell(4, 2), QStringLiteral("Motor type"));
        QCOMPARE(rig.cell(7, 3), QStringLiteral("1000")); // kept, not the template's 0
        QCOMPARE(rig.cell(42, 8), QStringLiteral("downloaded")); // its note said in the new language
        QVERIFY(rig.window->uploadOnShow);
        return;
    }
    QVERIFY2(writes.endsWith(QStringLiteral("2001=0004")) && writes.filter(QStringLiteral("0F21=")).isEmpty(), qPrintable(writes.join(" ")));
    QCOMPARE(rig.cell(7, 8), QStringLiteral("已下载"));
    QCOMPARE(rig.cell(46, 8), QStringLiteral("已上传"));
    for (int row = 1; row <= 46; ++row) {
        const QString address = QStringLiteral("0") + rig.cell(row, 0).trimmed().mid(2, 3) + QLatin1Char('=');
        if (rig.cell(row, 8) == QLatin1String("已下载"))
            QVERIFY2(!writes.filter(address).isEmpty(), qPrintable(address));
    }
    QVERIFY(rig.window->ui->pushButton_downLoad->isEnabled());
    QCOMPARE(rig.busyValues().last(), false);
    QCOMPARE(rig.hint(), QStringLiteral("已写入 13/42 行，已中断")); // the write on the line at the stop counts once echoed
}

// Each window refuses while the other one runs a transfer.
void EncoderWindowTest::busyExchangeWithParameterWindow()
{
    Rig rig(true);
    QVERIFY(rig.connect());
    rig.window->on_pushButton_upLoad_clicked();
    bool parameterSawBusy = false;
    rig.when(QStringLiteral("0F0"), 3, [&] {
        parameterSawBusy = rig.parameters->motorBusy;
        rig.parameters->on_pushButton_Upload_clicked();
    });
    rig.window->on_pushButton_downLoad_clicked();
    QVERIFY(parameterSawBusy);
    QVERIFY(!rig.parameters->motorBusy);
    QCOMPARE(ModalBoxAnswerer::takeNotices(), QStringList{QStringLiteral("操作冲突,请关闭电机操作")});

    emit rig.parameters->sendParameterIsOk(true);
    rig.drive.clearRequests();
    rig.window->on_pushButton_upLoad_clicked();
    rig.window->on_pushButton_startExecute_clicked();
    rig.window->on_pushButton_startTest_clicked();
    QCOMPARE(ModalBoxAnswerer::takeNotices(), (QStringList{kConflict, kConflict, kConflict}));
    QCOMPARE(rig.drive.requestCount(), 0);
    QVERIFY(QFile::exists(QStringLiteral("test.ini"))); // written even when refused
}

void EncoderWindowTest::sequencesWithStatus_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("event"); // "drop" or "silent" while the execute waits; "close..." in the initialisation
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("lastWrite");
    using F = SimMotorData::Failure;
    QTest::newRow("clear, execute, initialise") << int(F::None) << "" << "" << "2001=0003";
    QTest::newRow("execute fails") << int(F::ExecuteFails) << "" << "执行异常" << "2001=0004";
    QTest::newRow("initialisation fails") << int(F::InitialiseFails) << "" << "初始化异常" << "2001=0002";
    QTest::newRow("execute fails, then a lost link and a new one: still held, the opening's upload too, and said")
        << int(F::ExecuteFails) << "reconnect" << "执行异常" << "2001=0004";
    QTest::newRow("... and Upload after Break: no reading at the next opening") << int(F::ExecuteFails) << "reconnectUpload" << "执行异常" << "2001=0004";
    QTest::newRow("... and a file loaded after Break: the next opening reads the other rows") << int(F::ExecuteFails) << "reconnectLoad" << "执行异常" << "2001=0004";
    QTest::newRow("... and a value typed after Break: the next opening reads the other rows") << int(F::ExecuteFails) << "reconnectTyped" << "执行异常" << "2001=0004";
    QTest::newRow("typed, loaded, execute fails, a language switch, a new link, Break: nothing of drive A shown or downloaded; the opening keeps the person's rows")
        << int(F::ExecuteFails) << "language" << "执行异常" << "2001=0004";
    QTest::newRow("stale status, then Break") << int(F::NeverDone) << "" << "" << "2001=0004";
    QTest::newRow("link lost while waiting: told once") << int(F::NeverDone) << "drop" << "" << "2001=0004";
    QTest::newRow("link lost in the pause after the clear") << int(F::None) << "dropInPause" << "" << "2001=0001";
    QTest::newRow("silent while waiting") << int(F::NeverDone) << "silent" << "驱动器连续 3 次未应答，操作已停止" << "2001=0004";
    QTest::newRow("line busy for seconds while waiting: the drive is not silent") << int(F::None) << "busy" << "" << "2001=0003";
    QTest::newRow("window closed in the initialisation") << int(F::None) << "close" << "" << "2001=0004";
    QTest::newRow("all windows closed in the initialisation") << int(F::None) << "closeThisWindow" << "" << "2001=0004";
    QTest::newRow("answers of dropped polls count for no later wait") << int(F::None) << "droppedAnswer" << "" << "2001=0003";
    QTest::newRow("Break on a command waiting its turn: no box") << int(F::None) << "busyBreak" << "" << "2001=0004";
}

// The one-click run: download, alarm clear, execute and initialisation, each waiting for the
// drive's status; it stops where a step does not end normally.
void EncoderWindowTest::sequencesWithStatus()
{
    QFETCH(int, failure);
    QFETCH(QString, event);
    QFETCH(QString, box);
    QFETCH(QString, lastWrite);
    const bool drop = event == QLatin1String("drop");
    Rig rig;
    QVERIFY(rig.connect());
    rig.window->on_pushButton_upLoad_clicked();
    rig.motor->setFailure(SimMotorData::Failure(failure));
    const bool neverDone = failure == int(SimMotorData::Failure::NeverDone);
    if (drop || event == QLatin1String("dropInPause")) {
        rig.when(drop ? QStringLiteral("2001=0004") : QStringLiteral("2001=0001"), 1,
                 [&] { QTimer::singleShot(300, [&] { rig.drive.dropLink(); }); });
    } else if (event == QLatin1String("silent")) {
        rig.when(QStringLiteral("2001=0004"), 1, [&] {
            QSignalSpy echoed(&rig.link, &serialPort::writeDataToEncoder);
            QVERIFY(QTest::qWaitFor([&] { return echoed.count() > 0; }, 1000)); // the command itself echoed
            rig.drive.setFailure(SimulatedDrive::Failure::NoAnswer);
        });
    } else if (event.startsWith(QLatin1String("close"))) { // the slot of that name
        const auto close = [&] { QMetaObject::invokeMethod(rig.window.get(), qPrintable(event)); };
        rig.when(QStringLiteral("2001=0002"), 2, [close] { QTimer::singleShot(200, close); });
    } else if (event == QLatin1String("busy")) { // a tick with a poll out neither asks again nor waits
        QSignalSpy asks(rig.window.get(), &EncoderdataWindow::readSerialEncoder), answers(&rig.link, &serialPort::sendEncodeQuery);
        rig.window->queryStutas();
        rig.window->queryStutas();
        QVERIFY(asks.count() == 1 && answers.count() == 0);
        rig.when(QStringLiteral("2001=0004"), 1, [&] { // then other windows' reads hold the line for seconds
            rig.drive.setReplyDelay(160);
            for (int i = 0; i < 40; ++i)
                rig.link.readSerial("0F00", "0001", 1);
        });
    } else if (event == QLatin1String("droppedAnswer")) {
        // Late answers of polls dropped since (a fault, were it taken): one while no poll is out,
        // then one while each poll of the initialisation's last wait is on the line.
        const auto lateFault = [&] { QTimer::singleShot(0, [&] { emit rig.link.sendEncodeQuery({"0004"}); }); };
        rig.when(QStringLiteral("2000=1016"), 1, lateFault);
        rig.when(QStringLiteral("2001=0002"), 1, [&, lateFault] {
            rig.drive.setReplyDelay(100);
            QObject::connect(rig.window.get(), &EncoderdataWindow::readSerialEncoder, rig.window.get(),
                             [lateFault](const QByteArray &addr) { if (addr == "2036") lateFault(); });
        });
    } else if (event == QLatin1String("busyBreak")) { // the execute's command waits behind another window's reads
        rig.when(QStringLiteral("2000=1016"), 1, [&] {
            rig.drive.setReplyDelay(100);
            for (int i = 0; i < 12; ++i)
                rig.link.readSerial("0F00", "0001", 1);
        });
        rig.when(QStringLiteral("2001=0004"), 1, [&] { QTimer::singleShot(0, rig.window.get(), &EncoderdataWindow::on_pushButton_interrupt_clicked); });
    } else if (neverDone) {
        rig.window->driveStatus = 1; // left from an earlier execute: must not end this one's wait
        rig.when(QStringLiteral("2001=0004"), 1, [&] {
            QTimer::singleShot(2500, [&] { rig.window->on_pushButton_interrupt_clicked(); });
        });
    }
    if (event == QLatin1String("language"))
        rig.load("11,5000\n14,1.5\n46,9\n"), rig.boxes.clear(); // 11 shares 0F05 with 10
    rig.drive.clearRequests();
    rig.window->on_pushButton_importAll_clicked();
    QVERIFY(boxesSettled(rig.window.get()) && !rig.busyUnderBox);
    QVERIFY(!DriveCommands::isHeld());

    const QStringList writes = rig.writes();
    const int clear = writes.indexOf(QStringLiteral("2000=2001"));
    QCOMPARE(writes.mid(clear - 1, 3), (QStringList{"2000=0000", "2000=2001", "2001=0001"}));
    Ui::EncoderdataWindow *ui = rig.window->ui;
    if (event == QLatin1String("dropInPause")) { // one message (the link's), how far it got, nothing to start
        QVERIFY(writes.last() == lastWrite && rig.boxes.count() == 0);
        QCOMPARE(rig.hint(), QStringLiteral("一键执行 2/4：连接已断开"));
        QVERIFY(!ui->pushButton_removeAlarm->isEnabled() && !ui->pushButton_interrupt->isEnabled());
        return;
    }
    if (event == QLatin1String("busyBreak")) // taken back: the stop's writes follow the function code
        QCOMPARE(writes.mid(clear + 2), (QStringList{"2000=0000", "2000=1016", "2001=0000", "2000=0000", "2001=0004"}));
    else
        QCOMPARE(writes.mid(clear + 2, 3), (QStringList{"2000=0000", "2000=1016", "2001=0004"}));
    if (neverDone && !drop)
        QCOMPARE(writes.mid(writes.size() - 3), (QStringList{"2001=0000", "2000=0000", "2001=0004"}));
    else
        QCOMPARE(writes.last(), lastWrite);
    QCOMPARE(rig.boxes.count(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QCOMPARE(rig.boxes.last().text, box);
    if (failure == int(SimMotorData::Failure::None)
        && (event.isEmpty() || event == QLatin1String("busy") || event == QLatin1String("droppedAnswer"))) {
        QCOMPARE(writes.filter(QStringLiteral("2001=0002")).size(), 7);
        QCOMPARE(rig.hint(), QStringLiteral("请测试"));
        QVERIFY(ui->label_complete->isVisible() || !ui->label_complete->isHidden());
        QCOMPARE(ui->toolBox->currentIndex(), 3);
        QCOMPARE(rig.busyValues().last(), false);
        return;
    }
    QVERIFY(rig.hint() != QStringLiteral("执行结束") && rig.hint() != QStringLiteral("请测试"));
    if (drop || event == QLatin1String("silent"))
        QCOMPARE(rig.hint(), QStringLiteral("一键执行 2/4：") + (drop ? "连接已断开" : "驱动器无应答，已停止"));
    if (event == QLatin1String("silent"))
        QCOMPARE(rig.reads(0x2036), 3); // as many unanswered as the box says
    if (failure == int(SimMotorData::Failure::ExecuteFails) || failure == int(SimMotorData::Failure::InitialiseFails)) {
        // The error leaves the buttons to the stop request.
        QVERIFY(!ui->pushButton_startExecute->isEnabled() && ui->pushButton_interrupt->isEnabled());
        QCOMPARE(rig.busyValues().last(), true);
        QString held = QStringLiteral("%1：操作已停用，按“中断”解除（重新连接后仍停用）").arg(box);
        QVERIFY2(rig.hint().startsWith(held) && stateShownWhole(rig.window.get()), qPrintable(rig.hint()));
        SimulatedDrive other{1};
        QTranslator english;
        const bool language = event == QLatin1String("language");
        const bool reconnect = language || event.startsWith(QLatin1String("reconnect"));
        if (reconnect) {
            if (language) { // as the main window switches: the translation, the link closed, the fresh table
                QVERIFY(encoderDelegation::commitValue(rig.model(), rig.model()->index(6, 3), QStringLiteral("1000")));
                QVERIFY(english.load(QStringLiteral(":/translator/Velotrim_EN.qm")));
                QCoreApplication::installTranslator(&english);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
                held = QCoreApplication::translate("EncoderdataWindow", held.toUtf8().constData());
                rig.window->stopBeforeLinkCloses();
                rig.link.closePort();
                emit rig.link.isOpenSerial(false);
                rig.window->changeLanguageToEnglsih();
            } else {
                rig.drive.dropLink();
            }
            QTRY_VERIFY(!ui->pushButton_interrupt->isEnabled());
            SimulatedModel::install(other, 0);
            QVERIFY(other.start() && rig.link.openPort(other.portName(), 115200));
            emit rig.link.isOpenSerial(true);
            QVERIFY2(!ui->pushButton_startExecute->isEnabled() && ui->pushButton_interrupt->isEnabled() && rig.hint() == held,
                     qPrintable(rig.hint()));
            rig.window->showEncoderDataWindow(); // its upload on opening waits for Break too
            QTRY_COMPARE(rig.window->frameGeometry(), rig.window->screen()->availableGeometry());
            QVERIFY(other.requests().isEmpty() && rig.hint() == held && stateShownWhole(rig.window.get()));
            QEvent relabel(QEvent::LanguageChange); // the form empties the state line
            QApplication::sendEvent(rig.window.get(), &relabel);
            QCOMPARE(rig.hint(), held);
        }
        rig.window->on_pushButton_interrupt_clicked();
        QVERIFY(ui->pushButton_startExecute->isEnabled() && !rig.hint().contains(held));
        if (language) { // the typed and the loaded row keep their values; what drive A gave, downloaded or not, is gone
            QVERIFY(rig.cell(7, 3) == "1000" && rig.cell(14, 3) == "1.5" && rig.cell(4, 3) == UnreadValue::text()
                    && rig.cell(10, 3) == UnreadValue::text() && rig.cell(42, 3) == "9" && rig.cell(14, 8) == "imported");
            rig.boxes.setFileAnswer(rig.dir.filePath(QStringLiteral("motor")));
            rig.window->on_pushButton_save_clicked();
            rig.window->on_pushButton_downLoad_clicked();
            QVERIFY(!QFile::exists(rig.dir.filePath(QStringLiteral("motor.CBC"))) && rig.writes(&other).filter("0F").isEmpty());
            rig.window->showEncoderDataWindow(); // the reading put off reads drive B's rows, not the person's
            QVERIFY(rig.cell(7, 3) == "1000" && rig.cell(7, 8) == "***" && rig.cell(14, 3) == "1.5" && rig.cell(4, 3) == "3");
            QCOMPARE(rig.window->ui->label_Step_EN->text(), QStringLiteral("finished upload, 4 typed or loaded rows kept")); // 7, 11, 14, 46
            QVERIFY(rig.cell(11, 3) == "5000" && rig.cell(10, 3) == "3000" && rig.cell(42, 3) == "9");
            rig.window->on_pushButton_downLoad_clicked();
            QVERIFY(other.registerValue(0x0F02) == 1000 && other.registerValue(0x0F07) == 150 && other.registerValue(0x0F00) == 0x2103
                    && other.registerValue(0x0F05) == 0x321E && other.registerValue(0x0F21) == 9);
            return;
        }
        if (reconnect) {
            if (event == QLatin1String("reconnectUpload"))
                rig.window->on_pushButton_upLoad_clicked();
            else if (event == QLatin1String("reconnectLoad"))
                rig.load("7,1000\n");
            else if (event == QLatin1String("reconnectTyped"))
                QVERIFY(encoderDelegation::commitValue(rig.model(), rig.model()->index(6, 3), QStringLiteral("1000")));
            if (event != QLatin1String("reconnectUpload")) {
                rig.window->close();
                rig.window->showEncoderDataWindow(); // the reading held back runs at the next opening, over no row of the person's
                QCOMPARE(rig.hint(), event == QLatin1String("reconnect") ? QStringLiteral("上传结束") : QStringLiteral("上传结束，保留输入或导入的 1 行"));
                QVERIFY(stateShownWhole(rig.window.get()));
            }
            const int asked = other.requests().size();
            rig.window->close();
            rig.window->showEncoderDataWindow(); // and never again
            QVERIFY(other.requests().size() == asked && (event == QLatin1String("reconnect") || event == QLatin1String("reconnectUpload") || rig.cell(7, 3) == "1000"));
            return;
        }
        // A later operation stopped by hand says so, not the fault of the one before.
        rig.when(QStringLiteral("0F06="), 1, [&] { rig.window->on_pushButton_interrupt_clicked(); });
        rig.window->on_pushButton_downLoad_clicked();
        QVERIFY2(rig.hint().endsWith(QStringLiteral("，已中断")), qPrintable(rig.hint()));
    }
    QCOMPARE(rig.busyValues().last(), false);
}

void EncoderWindowTest::testRun_data()
{
    QTest::addColumn<QString>("end"); // how the run ends
    QTest::newRow("forward 2, reverse 3") << "complete";
    QTest::newRow("Break after the first forward command") << "break";
    QTest::newRow("end test") << "endTest";
    QTest::newRow("window closed") << "close";
    QTest::newRow("a modal window elsewhere") << "modal";
    QTest::newRow("link lost") << "drop";
    QTest::newRow("language switched (the link is closed after it)") << "language";
    QTest::newRow("drive stops echoing") << "silent";
    QTest::newRow("three echoes missing, with echoes between") << "scattered";
    QTest::newRow("Break on a busy line: the stop goes first, the waiting forward command never") << "busyBreak";
}

void EncoderWindowTest::testRun()
{
    QFETCH(QString, end);
    Rig rig;
    QVERIFY(rig.connect());
    Ui::EncoderdataWindow *ui = rig.window->ui;
    ui->spinBox_ReversalTime->setValue(3);
    bool stoppable = false;
    double turned = 0;
    const bool completes = end == QLatin1String("complete") || end == QLatin1String("scattered");
    if (end == QLatin1String("scattered")) { // the second and third forward command, and the first reverse one
        SimulatedDrive *drive = &rig.drive;
        auto forward = std::make_shared<int>(0);
        drive->addWriteHook([drive, forward](int, quint16 addr, quint16 value) {
            if (addr == 0x2001 && value == 2 && (++*forward == 1 || *forward == 4))
                drive->setFailure(SimulatedDrive::Failure::NoEchoEver, *forward == 1 ? 2 : 1);
        });
    }
    if (!completes) {
        rig.when(QStringLiteral("2001=0002"), 1, [&] {
            // The link going offline does not take the stop buttons away while the motor may run.
            rig.window->receiveMainWindow(false);
            stoppable = ui->pushButton_interrupt->isEnabled() && ui->pushButton_endTest->isEnabled()
                && !ui->pushButton_endTest->isHidden();
            QTimer::singleShot(200, [&] {
                turned = rig.motor->revolutions();
                if (end == QLatin1String("break"))
                    rig.window->on_pushButton_interrupt_clicked();
                else if (end == QLatin1String("endTest"))
                    rig.window->on_pushButton_endTest_clicked();
                else if (end == QLatin1String("close"))
                    rig.window->close();
                else if (end == QLatin1String("silent"))
                    rig.drive.setFailure(SimulatedDrive::Failure::NoEchoEver);
                else if (end == QLatin1String("modal")) {
                    QWidget other;
                    other.setWindowModality(Qt::ApplicationModal);
                    other.show();
                }
                else if (end == QLatin1String("busyBreak")) { // the next forward command waits behind another window's reads
                    rig.drive.setReplyDelay(100);
                    for (int i = 0; i < 12; ++i)
                        rig.link.readSerial("0F00", "0001", 1);
                    rig.when(QStringLiteral("2001=0002"), 1, [&] { QTimer::singleShot(0, rig.window.get(), &EncoderdataWindow::on_pushButton_interrupt_clicked); });
                }
                else if (end == QLatin1String("language")) {
                    rig.window->stopBeforeLinkCloses();
                    rig.drive.dropLink();
                }
                else
                    rig.drive.dropLink();
            });
        });
    }
    // The stop writes go while the run still holds the drive's command registers.
    bool heldAtStop = false;
    rig.when(QStringLiteral("2001=0000"), 1, [&] { heldAtStop = DriveCommands::isHeld(); });
    rig.window->show();
    const QRect breakPlace = ui->pushButton_interrupt->geometry();
    bool breakStayed = true;
    rig.when(QStringLiteral("2001=0002"), 1, [&] { breakStayed = ui->pushButton_interrupt->geometry() == breakPlace; });
    rig.window->on_pushButton_startTest_clicked();
    QTest::qWait(0);
    QVERIFY(breakStayed && ui->pushButton_interrupt->geometry() == breakPlace); // whatever the state line says
    QCOMPARE(QSettings(QStringLiteral("test.ini"), QSettings::IniFormat).value(QStringLiteral("config/ReversalTime")).toString(),
             QStringLiteral("3"));

    const QStringList writes = rig.writes();
    QCOMPARE(writes.mid(0, 3), (QStringList{"2000=0000", "2000=1002", "2001=0004"}));
    if (completes) {
        QCOMPARE(writes.filter(QStringLiteral("2001=0002")).size(), 4);
        QCOMPARE(writes.filter(QStringLiteral("2001=0003")).size(), 6);
        QCOMPARE(rig.motor->reverseCommands(), 6);
        QVERIFY(rig.motor->revolutions() < 0); // three seconds back after two forward
    } else {
        QVERIFY(stoppable);
        QVERIFY(turned > 0);
        QCOMPARE(writes.filter(QStringLiteral("2001=0003")).size(), 0);
        QVERIFY(rig.hint() != QStringLiteral("测试完成"));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.motor->isTurning(), 3000);
    }
    if (end != QLatin1String("drop"))
        QCOMPARE(writes.mid(writes.size() - 3), (QStringList{"2001=0000", "2000=0000", "2001=0004"}));
    if (end == QLatin1String("busyBreak")) // the stop went ahead of the reads that were waiting
        QTRY_VERIFY(rig.drive.requests().lastIndexOf(QByteArray::fromHex("01030F000001871E"))
                    > rig.drive.requests().indexOf(QByteArray::fromHex("010620010000D3CA")));
    QCOMPARE(writes.count(QStringLiteral("2001=0000")), end == QLatin1String("drop") ? 0 : 1); // the stop goes once
    const QHash<QString, QString> cause{ { "modal", "其他窗口已打开，已停止" }, { "drop", "连接已断开" },
                                         { "silent", "驱动器无应答，已停止" } }; // of a run that was cut short
    QCOMPARE(rig.hint(), cause.contains(end) ? "测试中断，" + cause.value(end) : QStringLiteral("测试结束"));
    QVERIFY(boxesSettled(rig.window.get()) && !rig.busyUnderBox);
    QCOMPARE(messageBoxes(rig.boxes), end == QLatin1String("silent") ? 1 : 0);
    QCOMPARE(rig.busyValues().last(), false);
    QCOMPARE(rig.window->runningOperation(), Op::None);
    QVERIFY(!DriveCommands::isHeld()); // however it ended
    QCOMPARE(heldAtStop, end != QLatin1String("drop"));
}

// A drive that does not take the test command: the test function is left as after a stop, and
// the command registers are given back after those stop writes, before the box.
void EncoderWindowTest::testCommandNotTaken()
{
    Rig rig;
    QVERIFY(rig.connect());
    rig.drive.addWriteHook([&rig](int, quint16 addr, quint16 value) {
        if (addr == 0x2000 && value == 0x1002)
            rig.drive.setFailure(SimulatedDrive::Failure::NoEchoEver, 1);
    });
    bool heldAtStop = false;
    rig.when(QStringLiteral("2001=0000"), 1, [&] { heldAtStop = DriveCommands::isHeld(); });
    rig.window->on_pushButton_startTest_clicked();
    QCOMPARE(rig.writes(), (QStringList{"2000=0000", "2000=1002", "2001=0004", "2001=0000", "2000=0000", "2001=0004"}));
    QVERIFY(heldAtStop && !DriveCommands::isHeld() && !rig.busyUnderBox);
    QCOMPARE(messageBoxes(rig.boxes), 1);
}

void EncoderWindowTest::files_data()
{
    QTest::addColumn<QString>("table"); // what the table holds when saved
    QTest::newRow("values typed") << "typed";
    QTest::newRow("after an upload") << "uploaded";
    QTest::newRow("after a lost link: refused, no file") << "lost";
    QTest::newRow("after an upload the drive stalled in: refused, naming those rows") << "stalled";
    QTest::newRow("an older file over an upload: one value for 0F21") << "file";
    QTest::newRow("an older file after a new link: one value for 0F21") << "fileAfterNewLink";
}

// Save writes the whole table with the suffix added, and loading it back gives every row the
// value it had; a table with rows that show "not read" is not saved. A partial or faulty file
// fills only the rows it gives and says so.
void EncoderWindowTest::files()
{
    QFETCH(QString, table);
    Rig rig;
    rig.window->driverModel(QStringLiteral("VR1M"));
    for (int row = 1; row <= 46 && table == QLatin1String("typed"); ++row)
        rig.setValue(row, QStringLiteral("0"));
    rig.setValue(14, QStringLiteral("2.39"));
    if (table != QLatin1String("typed")) {
        QVERIFY(rig.connect());
        rig.window->on_pushButton_upLoad_clicked();
    }
    if (table == QLatin1String("lost")) {
        rig.drive.dropLink();
        QTRY_COMPARE(rig.cell(4, 3), UnreadValue::text());
    }
    if (table == QLatin1String("stalled")) { // the reads of 0F05 (rows 10, 11) and 0F06 (12, 13) go unanswered
        rig.drive.addReadHook([&rig](int, quint16 addr, quint16) { if (addr == 0x0F04) rig.drive.setFailure(SimulatedDrive::Failure::NoAnswer, 2); });
        rig.window->on_pushButton_upLoad_clicked();
        QVERIFY(rig.cell(10, 3) == UnreadValue::text() && rig.cell(13, 3) == UnreadValue::text() && rig.cell(13, 8) == "上传失败");
        rig.boxes.clear();
    }
    SimulatedDrive driveB{1};
    if (table.startsWith(QLatin1String("file"))) { // an older file: rows 42 to 45 unlike row 46
        QByteArray rows;
        for (int row = 1; row <= 41; ++row)
            rows += QByteArray::number(row) + ',' + rig.cell(row, 3).toUtf8() + '\n';
        if (table == QLatin1String("fileAfterNewLink")) {
            rig.drive.dropLink();
            SimulatedModel::install(driveB, 0);
            QVERIFY(driveB.start() && rig.link.openPort(driveB.portName(), 115200));
            emit rig.link.isOpenSerial(true);
        }
        rig.load(rows + "42,88\n43,88\n44,88\n45,88\n46,77\n");
        QVERIFY(rig.cell(42, 3) == "77" && rig.cell(45, 8) == "已导入");
    }
    QStringList values;
    for (int row = 1; row <= 46; ++row)
        values << rig.cell(row, 3);
    const QString path = rig.dir.filePath(QStringLiteral("motor"));
    rig.boxes.setFileAnswer(path);
    rig.window->on_pushButton_save_clicked();
    if (table == QLatin1String("lost") || table == QLatin1String("stalled")) { // said before a name is asked for
        QVERIFY(!QFile::exists(path + QStringLiteral(".CBC")) && rig.boxes.count() == 1);
        const QString unread = table == QLatin1String("lost") ? QStringLiteral("46 行没有数值（未读出）：1, 2, 3")
                                                              : QStringLiteral("4 行没有数值（未读出）：10, 11, 12, 13");
        QVERIFY2(rig.boxes.last().text.startsWith(QStringLiteral("文件未保存\n") + unread), qPrintable(rig.boxes.last().text));
        if (table == QLatin1String("stalled")) // nor downloaded as the drive's
            rig.window->on_pushButton_downLoad_clicked();
        QVERIFY(rig.writes().isEmpty() && (table == "lost" || rig.boxes.last().text.contains(QStringLiteral("第 10 行：未读出"))));
        return;
    }
    QCOMPARE(rig.boxes.last().title, QStringLiteral("导出数据成功"));
    QFile saved(path + QStringLiteral(".CBC"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLocal8Bit(saved.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(1, 2), (QStringList{"VR1M", "编号Pn,数值"}));
    QCOMPARE(lines.at(3 + 13), "14," + values.at(13));

    Rig &other = rig;
    for (int row = 1; row <= 46; ++row)
        other.setValue(row, row < 42 || row == 46 ? QStringLiteral("0") : values.at(row - 1)); // 42 to 45 are read-only
    other.boxes.clear();
    other.boxes.setFileAnswer(path + QStringLiteral(".CBC"));
    other.window->on_pushButton_load_clicked();
    for (int row = 1; row <= 46; ++row)
        QCOMPARE(other.cell(row, 3), values.at(row - 1));
    QCOMPARE(other.hint(), QStringLiteral("已从文件导入 42 行")); // not an upload's end
    QCOMPARE(messageBoxes(other.boxes), 0);
    other.boxes.setFileAnswer(path + QStringLiteral("-again")); // saved again, the same rows
    other.window->on_pushButton_save_clicked();
    QFile again(path + QStringLiteral("-again.CBC"));
    QVERIFY(again.open(QIODevice::ReadOnly) && QString::fromLocal8Bit(again.readAll()).split(QLatin1Char('\n')).mid(1) == lines.mid(1));
    if (table != QLatin1String("typed"))
        return;

    other.boxes.clear();
    QFile partial(other.dir.filePath(QStringLiteral("partial.CBC")));
    QVERIFY(partial.open(QIODevice::WriteOnly));
    partial.write("stamp\nVR1M\nheader\n14,1.5\n7,70000\n43,0\n"); // row 43 is read-only: not taken
    partial.close();
    other.boxes.setFileAnswer(partial.fileName());
    other.setValue(7, QStringLiteral("750"));
    other.model()->setData(other.model()->index(6, 8), QString());
    other.window->on_pushButton_load_clicked();
    QCOMPARE(other.cell(14, 3), QStringLiteral("1.5"));
    QCOMPARE(other.cell(7, 3), QStringLiteral("750"));
    QCOMPARE(other.cell(7, 8), QString());
    QCOMPARE(messageBoxes(other.boxes), 1);
    QVERIFY(other.boxes.last().text.startsWith(QStringLiteral("文件出错\n已导入 1 行。")));
    other.load("14,2\n", "HXQ1"); // a file of the other family is refused whole
    QVERIFY(other.cell(14, 3) == "1.5" && other.boxes.last().text.contains(QStringLiteral("HXQ1")));
}

// Built in an HXQ session, the window takes the VR family chosen at the start; a pulled link leaves
// nothing shown as read from the drive but the user's edits, and a reconnect drops the old notes.
void EncoderWindowTest::sessionFamilyPullAndReconnect()
{
    Rig rig(false, 1);
    QVERIFY(rig.connect());
    rig.window->on_pushButton_downLoad_clicked(); // any operation, not only the upload, says why it sends nothing
    QCOMPARE(rig.hint(), QStringLiteral("电机操作只用于VR系列驱动器"));
    rig.window->on_pushButton_upLoad_clicked();
    QVERIFY(rig.hint() == QStringLiteral("电机操作只用于VR系列驱动器") && rig.drive.requestCount() == 0);
    QVERIFY(ChoiceFiles::storeDriverChoice(0));
    rig.window->sessionChosen(true);
    rig.window->on_pushButton_upLoad_clicked();
    QCOMPARE(rig.hint(), QStringLiteral("上传结束"));
    QVERIFY(encoderDelegation::commitValue(rig.model(), rig.model()->index(6, 3), QStringLiteral("1000")));
    // Editors closed on the value they were given (or on the same number written otherwise) change nothing.
    QVERIFY(encoderDelegation::commitValue(rig.model(), rig.model()->index(9, 3), rig.cell(10, 3))
            && encoderDelegation::commitValue(rig.model(), rig.model()->index(13, 3), QStringLiteral("2.390")));
    QVERIFY(rig.cell(10, 8) == QStringLiteral("已上传") && rig.cell(14, 3) == QStringLiteral("2.39") && rig.cell(14, 8) == QStringLiteral("已上传"));
    rig.window->show();
    rig.window->on_pushButton_downLoad_clicked();
    QCOMPARE(rig.cell(4, 8), QStringLiteral("已下载"));
    rig.drive.dropLink();
    rig.window->on_pushButton_upLoad_clicked();
    // Row 7 is the user's, not the drive's; row 4 came from the drive, downloaded back or not.
    QVERIFY(rig.cell(4, 3) == UnreadValue::text() && rig.cell(4, 8).isEmpty() && rig.cell(7, 3) == "1000" && rig.cell(7, 8) == "***"
            && rig.cell(10, 3) == UnreadValue::text() && rig.cell(14, 3) == UnreadValue::text());
    QString why; // nor is "not read" left as it was a refused value
    QVERIFY(encoderDelegation::commitValue(rig.model(), rig.model()->index(3, 3), UnreadValue::text(), &why) && why.isEmpty());
    QVERIFY(!rig.window->ui->pushButton_upLoad->isEnabled()); // the buttons follow the link
    SimulatedDrive other{1};
    SimulatedModel::install(other, 0);
    other.setRegister(0x0F00, 0x2105);
    other.setRegister(0x0F05, 0x3C14);
    QVERIFY(other.start() && rig.link.openPort(other.portName(), 115200));
    emit rig.link.isOpenSerial(true);
    QCOMPARE(rig.hint(), QString()); // not the old "link lost"
    QVERIFY(rig.window->ui->pushButton_upLoad->isEnabled());
    rig.window->on_pushButton_downLoad_clicked(); // nothing of the drive before goes to this one
    QVERIFY(rig.writes(&other).isEmpty() && rig.cell(1, 3) == UnreadValue::text());
    rig.boxes.clear();
    rig.window->showEncoderDataWindow(); // the opening's reading keeps row 7 only
    QVERIFY(rig.cell(4, 3) == QStringLiteral("5") && rig.cell(10, 3) == QStringLiteral("2000") && rig.boxes.count() == 0);
    QCOMPARE(rig.hint(), QStringLiteral("上传结束，保留输入或导入的 1 行"));
    rig.window->on_pushButton_downLoad_clicked();
    QVERIFY(other.registerValue(0x0F05) == 0x3C14 && other.registerValue(0x0F07) == 239 && other.registerValue(0x0F02) == 1000);
}

void EncoderWindowTest::greyedWhileItRuns_data()
{
    QTest::addColumn<QString>("start");       // "show", or the button that starts the run
    QTest::addColumn<QString>("at");          // the user acts at a request ("ADDR=VALUE", "ADDR?") or a state line; "": after the run
    QTest::addColumn<QString>("act");         // "online" or "open" told, or a value "typed" where the table takes one
    QTest::addColumn<QStringList>("presses"); // then pressed twice
    QTest::addColumn<QList<int>>("writesBoxes");
    const QString all = "pushButton_importAll", test = "pushButton_startTest", down = "pushButton_downLoad";
    QTest::newRow("upload on show, online told") << "show" << "0F03?" << "online" << QStringList{"show", all} << QList<int>{0, 0};
    QTest::newRow("upload on show, link told open") << "show" << "0F03?" << "open" << QStringList{"show", all} << QList<int>{0, 0};
    QTest::newRow("upload, a value typed") << "pushButton_upLoad" << "0F03?" << "typed" << QStringList{"pushButton_upLoad"} << QList<int>{0, 0};
    QTest::newRow("download") << down << "0F06=" << "" << QStringList{down, all} << QList<int>{35, 0};
    QTest::newRow("download, a value typed") << down << "0F06=" << "typed" << QStringList{down} << QList<int>{35, 0};
    QTest::newRow("test run, at its end") << test << "测试完成" << "" << QStringList{test, "pushButton_upLoad"} << QList<int>{14, 0};
    QTest::newRow("execute, online told after a drive fault") << "pushButton_startExecute" << "" << "online"
                                                               << QStringList{"pushButton_startExecute", all} << QList<int>{3, 1};
    QTest::newRow("Break with nothing running") << "pushButton_interrupt" << "2001=0000" << "" << QStringList{test} << QList<int>{3, 0};
}

// Nothing the user can press starts a second run inside a run, whatever is told meanwhile, and a
// value shown as the drive's is the drive's.
void EncoderWindowTest::greyedWhileItRuns()
{
    QFETCH(QString, start);
    QFETCH(QString, at);
    QFETCH(QString, act);
    QFETCH(QStringList, presses);
    QFETCH(QList<int>, writesBoxes);
    Rig rig;
    rig.drive.setRegister(0x0F02, 1111);
    QVERIFY(rig.connect());
    if (start != "show")
        rig.window->on_pushButton_upLoad_clicked();
    rig.window->ui->checkBox_modification->click();
    rig.motor->setFailure(SimMotorData::Failure::ExecuteFails); // only an execute meets it
    rig.drive.clearRequests();
    const auto press = [&](const QString &name) {
        name == "show" ? rig.window->showEncoderDataWindow() : rig.window->findChild<QAbstractButton *>(name)->click();
    };
    const auto user = [&] {
        act == "open" ? emit rig.link.isOpenSerial(true) : act == "online" ? rig.window->receiveMainWindow(true) : void();
        if (act == "typed" && rig.window->ui->treeView->isEnabled())
            rig.setValue(7, QStringLiteral("1234"));
        for (const QString &name : presses + presses)
            press(name);
    };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { if (rig.hint() == at) watch.stop(), user(); });
    at.contains('=') || at.contains('?') ? rig.when(at, 1, [&] { QTimer::singleShot(0, user); }) : watch.start(1);
    press(start);
    if (at.isEmpty())
        user();
    QVERIFY(boxesSettled(rig.window.get()) && rig.window->runningOperation() == Op::None);
    QCOMPARE((QList<int>{rig.writes().size(), messageBoxes(rig.boxes)}), writesBoxes);
    for (int row = 1; row <= 46; ++row) {
        const quint16 word = rig.drive.registerValue(MotorData::registerAddress(rig.cell(row, 0)).toUShort(nullptr, 16));
        for (const auto &value : MotorData::decodeRegister(row, rig.cell(row, 7).toInt(), word))
            QVERIFY(!rig.cell(value.first, 8).startsWith("已") || rig.cell(value.first, 3) == value.second);
    }
}

QTEST_MAIN(EncoderWindowTest)
#include "tst_encoderdatawindow.moc"
