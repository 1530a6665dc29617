// The main window against a simulated drive: the link-status poll (misses, the reconnect
// question, the alarm announced once), the end of the poll on close, and the access level.
// The windows are joined by main's own wiring.

#include "answerbox.h"
#include "automationmode.h"
#include "choosedialog.h"
#include "linetickets.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "monitorwindow.h"
#include "passworddialog.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "tempworkdir.h"
#include "wiring.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Written before the windows are made: they read the family when they are constructed.
int writeFamily(int family)
{
    QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), family);
    return family;
}

struct Tool
{
    explicit Tool(int family = 0)
        : familyWritten(writeFamily(family))
    {
        windows.mainWindow = &mainWindow;
        windows.chooseDialog = &choose;
        windows.link = &link;
        windows.passwordDialog = &password;
        // The connections to the windows left out are refused with a warning each: kept quiet.
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        Wiring::afterSerialPort(windows);
        Wiring::afterPasswordDialog(windows);
        Wiring::afterVersions(windows);
        Wiring::afterServiceDialogs(windows);
        qInstallMessageHandler(previous);
        // The rows tick by hand and count the ticks: the poll's own two-second timer stays
        // active but adds none of its own, however slow the machine runs them.
        const QList<QTimer *> timers = mainWindow.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
        if (timers.size() == 1)
            timers.first()->blockSignals(true);
        else
            qFatal("the main window's poll timer not found");
    }

    bool connect(SimulatedDrive &drive)
    {
        if (!link.openPort(drive.portName(), 115200))
            return false;
        mainWindow.isOpenSerialPlotOK(true);
        return true;
    }

    // Each tick runs to its end: its reads answered or given up, a box it opened answered.
    void ticks(int count)
    {
        for (int tick = 0; tick < count; ++tick) {
            mainWindow.queryStatus();
            QVERIFY(QTest::qWaitFor([this] { return !mainWindow.tickUnderWay(); }, 10000));
            QCoreApplication::processEvents();
        }
    }

    // The seven drive actions as in tst_actionenabling: '+' enabled, '-' disabled.
    QString enabling() const
    {
        QString text;
        for (int a = 0; a < ActionEnabling::ActionCount; ++a)
            text += mainWindow.actionFor(ActionEnabling::Action(a))->isEnabled() ? QLatin1Char('+') : QLatin1Char('-');
        return text;
    }

    QString message() const { return mainWindow.linkState(); }

    int familyWritten;
    MainWindow mainWindow;
    ChooseDialog choose;
    serialPort link;
    PasswordDialog password;
    Windows windows;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void reconnectQuestionAfterMisses_data();
    void reconnectQuestionAfterMisses();
    void busyLinkIsNoLostLink();
    void boxesOpenOverTheMonitor();
    void aWindowGoneUnderItsBox();
    void reconnectQuestionDoesNotNest();
    void offlineTicksSendNothing();
    void alarmShownOnce_data();
    void alarmShownOnce();
    void alarmBoxOpenBlocksAnother();
    void closingStopsThePollForGood();
    void passwordNeedsAnAnsweringVrDrive_data();
    void passwordNeedsAnAnsweringVrDrive();
    void keyboardSessionWalk();
    void stateLineFollowsTheLink();

private:
    std::unique_ptr<TempWorkDir> work;
    std::unique_ptr<SimulatedDrive> drive;
};

void TestMainWindow::init()
{
    work = std::make_unique<TempWorkDir>();
    QVERIFY(work->isValid());
    drive = std::make_unique<SimulatedDrive>(1);
    QVERIFY2(drive->start(), qPrintable(drive->errorString()));
}

void TestMainWindow::cleanup()
{
    drive.reset();
    work.reset();
}

void TestMainWindow::reconnectQuestionAfterMisses_data()
{
    QTest::addColumn<bool>("answeredFirst");
    QTest::addColumn<bool>("keepTrying");
    QTest::addColumn<int>("silentTicks");
    QTest::addColumn<QString>("meanwhile");

    // From the start the fifth silent tick asks; after the drive has answered, the sixth.
    QTest::newRow("silent from the start, No") << false << false << 5 << QString();
    QTest::newRow("silent after answering, No") << true << false << 6 << QString();
    QTest::newRow("silent from the start, Yes") << false << true << 5 << QString();
    // Yes keeps trying only if no other window paused the poll while the question was open.
    QTest::newRow("Yes, the poll paused meanwhile") << false << true << 5 << "pause";
    // Another window's request waits on the line at the fifth miss: the link is alive, no question.
    QTest::newRow("the link busy at the fifth miss") << false << true << 5 << "busy";
}

void TestMainWindow::reconnectQuestionAfterMisses()
{
    QFETCH(bool, answeredFirst);
    QFETCH(bool, keepTrying);
    QFETCH(int, silentTicks);
    QFETCH(QString, meanwhile);

    Tool tool;
    QVERIFY(tool.connect(*drive));
    ModalBoxAnswerer answerer(keepTrying ? ModalBoxAnswerer::Answer::Yes : ModalBoxAnswerer::Answer::No);
    QSignalSpy online(&tool.mainWindow, &MainWindow::sendOnlineOrOffLine);
    tool.mainWindow.StartQuery();

    if (answeredFirst) {
        drive->setRegister(0xE31B, 0x0020);
        tool.ticks(1);
        QCOMPARE(tool.message(), QStringLiteral("OnLine"));
        QCOMPARE(online.count(), 1);
        QCOMPARE(online.takeLast().at(0).toBool(), true);
    }

    drive->setFailure(SimulatedDrive::Failure::NoAnswer);
    tool.ticks(silentTicks - 1);
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(tool.message(), QStringLiteral("OffLine"));
    online.clear();
    if (meanwhile == QLatin1String("busy")) {
        tool.mainWindow.queryStatus();
        tool.link.readSerial(QByteArrayLiteral("0000"), QByteArrayLiteral("0001"), 1);
        QVERIFY(QTest::qWaitFor([&] { return !tool.mainWindow.tickUnderWay(); }, 10000));
        QTest::qWait(100); // a question would open from the event loop
        QCOMPARE(answerer.count(), 0);
        QCOMPARE(tool.mainWindow.missCount(), 0);
        return;
    }
    if (meanwhile == QLatin1String("pause")) {
        // Another window stops the poll while the question is up (then it is answered).
        answerer.setLeftAlone([&](QWidget *) {
            tool.mainWindow.stopQuery();
            return false;
        });
    }
    tool.ticks(1);
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().text, QStringLiteral("通讯断开,重连？"));

    if (!meanwhile.isEmpty()) {
        QVERIFY(!tool.mainWindow.isPolling());
    } else if (keepTrying) {
        QVERIFY(tool.mainWindow.isPolling());
        QCOMPARE(online.count(), 0);
        QCOMPARE(tool.enabling(), QStringLiteral("++-++++"));
        // Counting starts again: four more silent ticks ask nothing.
        tool.ticks(4);
        QCOMPARE(answerer.count(), 1);
    } else {
        QVERIFY(!tool.mainWindow.isPolling());
        QCOMPARE(online.count(), 1);
        QCOMPARE(online.last().at(0).toBool(), false);
        QVERIFY(!tool.link.isPortOpen()); // given up: the port is closed too
        // The VR family keeps only the spectrum analysis.
        QCOMPARE(tool.enabling(), QStringLiteral("----+--"));
    }
}

void TestMainWindow::busyLinkIsNoLostLink()
{
    Tool tool;
    QVERIFY(tool.connect(*drive));
    ModalBoxAnswerer answerer(ModalBoxAnswerer::Answer::No);
    // Another window's slow read holds the line at every tick: the status query waits its turn
    // and is answered; waiting is no miss.
    drive->setReplyDelay(150);
    const int heard = drive->requestCount();
    for (int tick = 0; tick < 5; ++tick) {
        tool.link.readSerial(QByteArrayLiteral("0000"), QByteArrayLiteral("0001"), 1);
        tool.ticks(1);
    }
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(tool.mainWindow.missCount(), -1);
    QCOMPARE(drive->requestCount(), heard + 10);

    // Ticks while the poll's read is out are left out (no miss, no read); once the poll has ended,
    // its read on the line keeps it out, and its read still waiting is taken back (stop, close).
    for (int tick = 0; tick < 3; ++tick)
        tool.mainWindow.queryStatus();
    QCOMPARE(tool.mainWindow.missCount(), -1);
    tool.mainWindow.stopQuery();
    tool.mainWindow.queryStatus();
    QTRY_VERIFY(!tool.mainWindow.tickUnderWay());
    for (const bool close : { false, true }) {
        tool.link.readSerial(QByteArrayLiteral("0000"), QByteArrayLiteral("0001"), 1);
        tool.mainWindow.queryStatus();
        close ? void(tool.mainWindow.close()) : tool.mainWindow.stopQuery();
        QTRY_VERIFY(!tool.mainWindow.tickUnderWay());
    }
    QTest::qWait(800);
    QCOMPARE(drive->requestCount(), heard + 13);
}

// A box the user must answer opens over the modal monitor, not behind it; without one, over its owner.
void TestMainWindow::boxesOpenOverTheMonitor()
{
    Tool tool;
    QVERIFY(tool.connect(*drive));
    tool.link.findChild<QPushButton *>(QStringLiteral("pushButtot_Connect"))->setText(QStringLiteral("断开")); // as after Connect
    MonitorWindow monitor;
    ModalBoxAnswerer answerer(ModalBoxAnswerer::Answer::Yes);
    answerer.setLeftAlone([&](QWidget *w) { return w == &monitor; });
    monitor.show();
    drive->setRegister(0xE31B, 0x8000);
    tool.ticks(1); // the alarm
    drive->setFailure(SimulatedDrive::Failure::NoAnswer);
    tool.ticks(6); // the reconnect question, answered Yes
    monitor.hide();
    tool.ticks(5); // asked again, no modal window open
    monitor.show();
    tool.ticks(4);
    tool.mainWindow.queryStatus(); // the link lost while the fifth's read is out: its message, no question
    drive->dropLink();
    QTRY_COMPARE(answerer.count(), 4);
    QTest::qWait(500);
    QCOMPARE(answerer.count(), 4);
    QWidget *const over[] = { &monitor, &monitor, &tool.mainWindow, &monitor };
    for (int box = 0; box < 4; ++box)
        QVERIFY2(answerer.boxes().at(box).parent == over[box], qPrintable(answerer.boxes().at(box).text));
}

// The window a box opened over goes while the box is up (closed and deleted by the program):
// the box goes with it and the one who asked hears Cancel, without a crash.
void TestMainWindow::aWindowGoneUnderItsBox()
{
    QPointer<MonitorWindow> monitor = new MonitorWindow;
    monitor->show();
    ModalBoxAnswerer answerer(ModalBoxAnswerer::Answer::Ok);
    answerer.setLeftAlone([&](QWidget *w) {
        if (w != monitor)
            delete monitor.data();
        return true;
    });
    QCOMPARE(AnswerBox::warning(monitor, QStringLiteral("error"), QStringLiteral("text")), QMessageBox::Cancel);
    QVERIFY(monitor.isNull());
}

void TestMainWindow::reconnectQuestionDoesNotNest()
{
    Tool tool;
    QVERIFY(tool.connect(*drive));
    ModalBoxAnswerer answerer(ModalBoxAnswerer::Answer::No);
    QSignalSpy online(&tool.mainWindow, &MainWindow::sendOnlineOrOffLine);
    tool.mainWindow.StartQuery();
    drive->setFailure(SimulatedDrive::Failure::NoAnswer);
    tool.ticks(4);
    QCOMPARE(answerer.count(), 0);

    // While the question is open: a tick comes due, another window asks to resume the poll,
    // and the drive's answer finally arrives.
    bool pollingWhileOpen = true;
    bool ranInsideQuestion = false;
    // (The question opens from the event loop: looked for until it is up.)
    std::function<void()> whileOpen = [&] {
        if (!QApplication::activeModalWidget()) {
            QTimer::singleShot(0, &tool.mainWindow, whileOpen);
            return;
        }
        ranInsideQuestion = true;
        tool.ticks(1);
        tool.mainWindow.StartQuery();
        pollingWhileOpen = tool.mainWindow.isPolling();
        tool.mainWindow.recevieStatus({QStringLiteral("0020")});
    };
    QObject::connect(&tool.mainWindow, &MainWindow::QueryOperateInterface, &tool.mainWindow,
                     [&] { QTimer::singleShot(0, &tool.mainWindow, whileOpen); });
    online.clear();
    tool.ticks(1);

    QVERIFY(ranInsideQuestion);
    QCOMPARE(answerer.count(), 1);
    QVERIFY(!pollingWhileOpen);
    QVERIFY(!tool.mainWindow.isPolling());
    // The answer that came while the question was open counts: the drive is there.
    QCOMPARE(online.count(), 1);
    QCOMPARE(online.last().at(0).toBool(), true);
    QCOMPARE(tool.enabling(), QStringLiteral("++-++++"));
}

void TestMainWindow::offlineTicksSendNothing()
{
    Tool tool;
    ModalBoxAnswerer answerer(ModalBoxAnswerer::Answer::No);
    tool.choose.findChild<QPushButton *>(QStringLiteral("pushButton_offline"))->click();
    QCOMPARE(tool.message(), QStringLiteral("OffLine")); // at once, not from the poll's first round
    QSignalSpy online(&tool.mainWindow, &MainWindow::sendOnlineOrOffLine);
    tool.ticks(12);
    QCOMPARE(online.count(), 12);
    QVERIFY(std::none_of(online.cbegin(), online.cend(), [](const QList<QVariant> &a) { return a.at(0).toBool(); }));
    QCOMPARE(tool.message(), QStringLiteral("OffLine"));
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(drive->requestCount(), 0);
}

void TestMainWindow::alarmShownOnce_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("statusRegister");
    QTest::addColumn<int>("alarmRegister");
    QTest::addColumn<int>("alarmWord");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("automatic"); // the command file's automatic mode: a notice, no box

    QTest::newRow("VR") << 0 << 0xE31B << 0xE30A << 0x0123 << "Alarm signal:E.123" << false;
    QTest::newRow("VR chosen at the start after an HXQ session (-1)") << -1 << 0xE31B << 0xE30A << 0x0123 << "Alarm signal:E.123" << false;
    QTest::newRow("HXQ") << 1 << 0x0660 << 0x0630 << 0x001E << "Alarm signal:30" << false;
    QTest::newRow("VR, automatic mode") << 0 << 0xE31B << 0xE30A << 0x0123 << "Alarm signal:E.123" << true;
}

void TestMainWindow::alarmShownOnce()
{
    QFETCH(int, family);
    QFETCH(int, statusRegister);
    QFETCH(int, alarmRegister);
    QFETCH(int, alarmWord);
    QFETCH(QString, message);
    QFETCH(bool, automatic);

    AutomationMode::setOn(automatic);
    const auto manual = qScopeGuard([] { AutomationMode::setOn(false); });
    const int boxes = automatic ? 0 : 1;
    Tool tool(qAbs(family));
    if (family < 0) {
        tool.choose.findChild<QComboBox *>(QStringLiteral("comboBox_Driver"))->setCurrentIndex(0);
        tool.choose.findChild<QPushButton *>(QStringLiteral("pushButton_online"))->click();
    }
    QVERIFY(tool.connect(*drive));
    ModalBoxAnswerer answerer;
    drive->setRegister(quint16(statusRegister), 0x8020);
    drive->setRegister(quint16(alarmRegister), quint16(alarmWord));

    tool.ticks(1);
    QCOMPARE(answerer.count(), boxes);
    QCOMPARE(automatic ? ModalBoxAnswerer::takeNotices().value(0) : answerer.last().text, message);
    QCOMPARE(tool.mainWindow.statusBar()->toolTip(), QStringLiteral("R/T power open\nAlarm signal"));
    QCOMPARE(drive->requestCount(), 2);

    // The alarm is still there: the next ticks read the status word only, and say nothing.
    tool.ticks(2);
    QCOMPARE(answerer.count(), boxes);
    QCOMPARE(drive->requestCount(), 4);
    QCOMPARE(tool.message(), QStringLiteral("OnLine"));

    // Gone and back: still announced only once (until a language switch).
    drive->setRegister(quint16(statusRegister), 0x0000);
    tool.ticks(1);
    QCOMPARE(tool.mainWindow.statusBar()->toolTip(), QStringLiteral("R/T power close\nNo Alarm signal"));
    drive->setRegister(quint16(statusRegister), 0x8000);
    tool.ticks(1);
    QCOMPARE(answerer.count(), boxes);
    QVERIFY(ModalBoxAnswerer::takeNotices().isEmpty());
}

void TestMainWindow::alarmBoxOpenBlocksAnother()
{
    ModalBoxAnswerer answerer;
    MainWindow window;
    window.recevieStatus({QStringLiteral("8000")});
    window.recevieStatus({QStringLiteral("0123")});
    QCOMPARE(answerer.count(), 0); // opened from the event loop, not inside the link's answer
    // A second alarm answer arrives while the first box is still open.
    QTimer::singleShot(0, &window, [&] { window.recevieStatus({QStringLiteral("0123")}); });
    QTRY_COMPARE(answerer.count(), 1);
    QTest::qWait(200);
    QCOMPARE(answerer.count(), 1);
    QVERIFY(window.alarmAnnounced());
}

void TestMainWindow::closingStopsThePollForGood()
{
    Tool tool;
    QVERIFY(tool.connect(*drive));
    ModalBoxAnswerer answerer(ModalBoxAnswerer::Answer::Yes);
    // A window closed by closeAllWindow resumes the poll as it ends its own work.
    QObject::connect(&tool.mainWindow, &MainWindow::closeAllWindow, &tool.mainWindow, [&] { tool.mainWindow.StartQuery(); });
    QSignalSpy closeAll(&tool.mainWindow, &MainWindow::closeAllWindow);
    tool.mainWindow.showMainWindow();
    QVERIFY(tool.mainWindow.isPolling());
    drive->setFailure(SimulatedDrive::Failure::NoAnswer);
    tool.ticks(4);

    // The fifth silent tick is under way when the window is closed: no question follows.
    QTimer::singleShot(100, &tool.mainWindow, [&] { tool.mainWindow.close(); });
    tool.ticks(1);
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(closeAll.count(), 1);
    QVERIFY(!tool.mainWindow.isPolling());
    tool.mainWindow.StartQuery();
    QVERIFY(!tool.mainWindow.isPolling());

    // Shown again, the poll runs again.
    tool.mainWindow.showMainWindow();
    QVERIFY(tool.mainWindow.isPolling());
}

void TestMainWindow::passwordNeedsAnAnsweringVrDrive_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<bool>("driveAnswers");
    QTest::addColumn<QString>("then"); // what happens after the first tick, before OK
    QTest::addColumn<bool>("motorParameter");

    QTest::newRow("VR answering, between two reads") << 0 << true << "" << true;
    QTest::newRow("VR answering, a status read out") << 0 << true << "read out" << true;
    QTest::newRow("VR answering, the port closed") << 0 << true << "port closed" << false;
    QTest::newRow("VR silent, between two reads") << 0 << false << "" << false;
    QTest::newRow("VR silent, then a read out that it answers") << 0 << false << "read out" << false;
    QTest::newRow("HXQ answering") << 1 << true << "" << false;
    // The poll paused by another window: the grant follows that window's requests, as the
    // state line does, on the link it answered first and on a new one.
    QTest::newRow("VR answering, paused, then silent") << 0 << true << "paused silent" << false;
    QTest::newRow("VR silent, paused, then answering") << 0 << false << "paused answering" << true;
    QTest::newRow("VR answering, a new link, paused, silent") << 0 << true << "new link paused silent" << false;
    QTest::newRow("VR silent, a new link, paused, answering") << 0 << false << "new link paused answering" << true;
}

void TestMainWindow::passwordNeedsAnAnsweringVrDrive()
{
    QFETCH(int, family);
    QFETCH(bool, driveAnswers);
    QFETCH(QString, then);
    QFETCH(bool, motorParameter);

    Tool tool(family);
    QVERIFY(tool.connect(*drive));
    ModalBoxAnswerer answerer(ModalBoxAnswerer::Answer::No);
    if (!driveAnswers)
        drive->setFailure(SimulatedDrive::Failure::NoAnswer);
    tool.ticks(1);
    QVERIFY(!tool.mainWindow.actionFor(ActionEnabling::MotorParameter)->isEnabled());
    QCOMPARE(tool.mainWindow.actionFor(ActionEnabling::MotorParameter)->toolTip().section(QStringLiteral("："), -1),
             QString(family ? "仅适用于VR系列驱动器" : "需先输入密码，且驱动器在线"));

    if (then == QLatin1String("read out")) {
        // The next read reaches the drive, which answers it only after the password is given.
        drive->setFailure(SimulatedDrive::Failure::None);
        drive->setReplyDelay(1000);
        const int heard = drive->requestCount();
        tool.mainWindow.queryStatus();
        QTRY_VERIFY(drive->requestCount() > heard);
        QVERIFY(tool.mainWindow.tickUnderWay());
    } else if (then == QLatin1String("port closed") || then.startsWith(QLatin1String("new link"))) {
        tool.link.closePort();
        tool.mainWindow.isOpenSerialPlotOK(false);
        if (then != QLatin1String("port closed"))
            QVERIFY(tool.connect(*drive));
    }
    if (then.contains(QLatin1String("paused"))) {
        tool.mainWindow.stopQuery();
        drive->setFailure(then.endsWith(QLatin1String("silent")) ? SimulatedDrive::Failure::NoAnswer
                                                                  : SimulatedDrive::Failure::None);
        tool.link.readSerial(QByteArrayLiteral("0000"), QByteArrayLiteral("0001"), 7);
        QVERIFY(QTest::qWaitFor([] { return LineTickets::isFinished(LineTickets::lastTaken()); }, 10000));
    }
    // The grant follows what the state line says.
    if (family == 0)
        QCOMPARE(tool.message() == QLatin1String("OnLine"), motorParameter);
    tool.password.findChild<QLineEdit *>(QStringLiteral("lineEdit_password"))->setText(QStringLiteral("MOLVE314"));
    tool.password.findChild<QPushButton *>(QStringLiteral("pushButton_OK"))->click();
    QCOMPARE(tool.mainWindow.actionFor(ActionEnabling::MotorParameter)->isEnabled(), motorParameter);
    QCOMPARE(answerer.count(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!tool.mainWindow.tickUnderWay(), 10000);
}

// Start-up choice and connection dialog by keyboard: port, status bar and actions agree after every step.
void TestMainWindow::keyboardSessionWalk()
{
    Tool tool;
    ModalBoxAnswerer boxes;
    QAction *connectAction = tool.mainWindow.findChild<QAction *>(QStringLiteral("action"));
    auto *found = tool.link.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    auto *toggle = tool.link.findChild<QPushButton *>(QStringLiteral("pushButtot_Connect"));
    auto connectAndScan = [&] {
        auto *ports = tool.link.findChild<QComboBox *>(QStringLiteral("comboBox_Port"));
        ports->addItem(drive->portName());
        ports->setCurrentIndex(ports->count() - 1);
        tool.link.findChild<QLineEdit *>(QStringLiteral("lineEdit_End"))->setText(QStringLiteral("1"));
        toggle->setFocus();
        QTest::keyClick(toggle, Qt::Key_Return);
        QTRY_VERIFY(found->item(0, 0));
    };
    auto agree = [&](bool open, const char *step) {
        tool.ticks(open ? 1 : 0); // a live link's actions follow the status poll
        QVERIFY2(tool.link.isPortOpen() == open && tool.mainWindow.isOnline() == open && !tool.choose.isVisible(), step);
        QVERIFY2(tool.mainWindow.actionFor(ActionEnabling::Version)->isEnabled() == open
                 && (tool.message() == QLatin1String("OnLine")) == open, step);
    };

    // On-line, Connect and its scan, then Escape: the start-up choice again. Off-line there.
    tool.choose.findChild<QPushButton *>(QStringLiteral("pushButton_online"))->click();
    connectAndScan();
    QTest::keyClick(&tool.link, Qt::Key_Escape);
    tool.choose.findChild<QPushButton *>(QStringLiteral("pushButton_offline"))->click();
    agree(false, "off-line");

    // Connected, and opened again: Return on the focused toggle keeps the link, Escape goes back to the session.
    connectAction->trigger();
    connectAndScan();
    found->selectRow(0);
    tool.link.findChild<QPushButton *>(QStringLiteral("pushButton_OK"))->click();
    connectAction->trigger();
    toggle->setFocus();
    QTest::keyClick(toggle, Qt::Key_Return);
    QTest::keyClick(&tool.link, Qt::Key_Escape);
    agree(true, "connected");

    // Disconnected there, or connected again but left before OK: the session goes on off-line.
    connectAction->trigger();
    toggle->click();
    QTest::keyClick(&tool.link, Qt::Key_Escape);
    agree(false, "disconnected");
    connectAction->trigger();
    connectAndScan();
    QTest::keyClick(&tool.link, Qt::Key_Escape);
    agree(false, "left before OK");
}

// With the poll paused as the command file's automatic mode holds it, the state line says what the
// link knows: on-line once a drive found by the scan is confirmed, off-line while the drive leaves
// a request unanswered or once it is pulled, on-line again after a reconnect by hand. A request
// answered before OK, or a rescan's silent station, says nothing of the drive worked with.
void TestMainWindow::stateLineFollowsTheLink()
{
    Tool tool;
    ModalBoxAnswerer boxes;
    AutomationMode::setOn(true);
    const auto manual = qScopeGuard([] { AutomationMode::setOn(false); });
    auto *lastStation = tool.link.findChild<QLineEdit *>(QStringLiteral("lineEdit_End"));
    auto ask = [&] { // another window's read, and the state line once it has ended
        tool.link.readSerial(QByteArrayLiteral("0000"), QByteArrayLiteral("0001"), 7);
        const bool ended = QTest::qWaitFor([] { return LineTickets::isFinished(LineTickets::lastTaken()); });
        return ended ? tool.message() : QStringLiteral("the read never ended");
    };
    auto connectTo = [&](const SimulatedDrive &d) {
        auto *ports = tool.link.findChild<QComboBox *>(QStringLiteral("comboBox_Port"));
        ports->addItem(d.portName());
        ports->setCurrentIndex(ports->count() - 1);
        lastStation->setText(QStringLiteral("1"));
        const QString before = tool.message();
        tool.link.findChild<QPushButton *>(QStringLiteral("pushButtot_Connect"))->click();
        QCOMPARE(ask(), before);
        tool.link.findChild<QTableWidget *>(QStringLiteral("tableWidget"))->selectRow(0);
        tool.link.findChild<QPushButton *>(QStringLiteral("pushButton_OK"))->click();
        tool.mainWindow.stopQuery();
        QCOMPARE(tool.message(), QStringLiteral("OnLine"));
    };
    tool.choose.findChild<QPushButton *>(QStringLiteral("pushButton_online"))->click();
    connectTo(*drive);
    drive->setFailure(SimulatedDrive::Failure::NoAnswer, 1);
    QCOMPARE(ask(), QStringLiteral("OffLine"));
    QCOMPARE(ask(), QStringLiteral("OnLine"));
    lastStation->setText(QStringLiteral("2"));
    tool.link.findChild<QPushButton *>(QStringLiteral("pushButton_Search"))->click();
    QCOMPARE(tool.message(), QStringLiteral("OnLine"));

    drive->dropLink();
    QTRY_COMPARE(tool.message(), QStringLiteral("OffLine"));
    SimulatedDrive restarted(1);
    QVERIFY2(restarted.start(), qPrintable(restarted.errorString()));
    tool.mainWindow.findChild<QAction *>(QStringLiteral("action"))->trigger();
    connectTo(restarted);
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
