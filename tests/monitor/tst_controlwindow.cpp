// The jog control window against the simulated drive and its motor: the write sequences of
// every mode and command, hold-to-run stepping ended by every kind of release, and the safety
// rules: Stop ends the program poll, stop echoes are retried and reported, three missed steps
// stop the stepping, a lost link stops everything and says so, Stop and OFF stay enabled.

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <atomic>

#include "afterwaits.h"
#include "boundedwait.h"
#include "drivecommands.h"
#include "modalanswerer.h"
#include "monitorrig.h"
#include "linetickets.h"
#include "pollturn.h"
#include "tempworkdir.h"
#include "ui_controlwindow.h"
#include "unreadvalue.h"

using Failure = SimulatedDrive::Failure;

Q_DECLARE_METATYPE(Failure)

namespace {

const QStringList kModeOff{ "06 2000 0000", "06 2001 0004" };
const QString kStop = QStringLiteral("06 2001 0000");
const QString kForward = QStringLiteral("06 2001 0002");
const QStringList kTyped{ "6000", "0005", "1073741824", "3000", "2", "10000", "1000" };
const QStringList kProgramWrites{ "06 05A0 0005", "10 05A1 00020400004000", "06 05A3 0BB8",
                                  "06 05A4 0002", "06 05A5 2710", "06 05A6 03E8" };

enum class Release { OverButton, AwayFromButton, FocusLost, MessageBox, WindowClosed };

} // namespace

Q_DECLARE_METATYPE(Release)

class TestControlWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sequences_data();
    void sequences();
    void holdToRun_data();
    void holdToRun();
    void stopEcho_data();
    void stopEcho();
    void threeMissedStepsStopStepping();
    void motionStops_data();
    void motionStops();
    void aStopGoesFirst_data();
    void aStopGoesFirst();
    void programStatus_data();
    void programStatus();
    void linkLostWhileMoving();
    void stopAndOffStayEnabled();
    void fieldsAndAlarmGate();
    void anOnIsWholeOrNothing_data();
    void anOnIsWholeOrNothing();
    void insideARun_data();
    void insideARun();

private:
    std::unique_ptr<TempWorkDir> workDir;
    std::unique_ptr<ModalBoxAnswerer> answerer;
    std::unique_ptr<MonitorRig> rig;
    Ui::controlWindow *ui = nullptr;
    int stopsUnheld = 0; // stop writes handed to the link after the window gave its hold back

    void open()
    {
        rig = std::make_unique<MonitorRig>();
        stopsUnheld = 0;
        connect(rig->control.get(), &controlWindow::writeSerialControl, this, [this](const QByteArray &addr, const QByteArray &value) {
            stopsUnheld += addr == "2001" && value == "0000" && !DriveCommands::isHeld();
        });
        QVERIFY(rig->connect());
        ui = rig->control->ui;
        rig->control->showControl();
        QVERIFY(QTest::qWaitForWindowExposed(rig->control.get()));
        rig->drive.clearRequests();
    }

    // What the JOG speed and the program tab's fields show, in their order, once kTyped is typed
    // there (type) or as they are.
    QStringList values(bool type = false)
    {
        const QList<QLineEdit *> fields{ ui->lineEdit_Switch,     ui->lineEdit_distance, ui->lineEdit_ProgramSpeed,
                                         ui->lineEdit_AandDTime, ui->lineEdit_WaitTime, ui->lineEdit_Time };
        if (type)
            ui->spinBox_Speed->setValue(kTyped.first().toInt());
        QStringList shown{ ui->spinBox_Speed->text() };
        for (int i = 0; i < fields.size(); ++i) {
            if (type)
                fields.at(i)->setText(kTyped.at(i + 1));
            shown << fields.at(i)->text();
        }
        return shown;
    }
};

void TestControlWindow::init()
{
    workDir = std::make_unique<TempWorkDir>();
    answerer = std::make_unique<ModalBoxAnswerer>();
    // The window is application-modal itself: the answerer answers only the boxes.
    answerer->setLeftAlone([](QWidget *w) { return qobject_cast<controlWindow *>(w) != nullptr; });
}

void TestControlWindow::cleanup()
{
    // Whatever stopped the motion, the window held the drive's command registers until its stop
    // had gone: nothing started elsewhere meanwhile finds the stop under its own function.
    QCOMPARE(stopsUnheld, 0);
    rig.reset();
    answerer.reset();
    workDir.reset();
}

void TestControlWindow::sequences_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("offShown");

    QTest::newRow("JOG ON") << "pushButton_NO"
                            << (kModeOff + kModeOff + QStringList{ "06 2000 0000", "06 2000 1002", "06 2001 0004" })
                            << "pushButton_OFF";
    QTest::newRow("program ON") << "pushButton_ProgramON"
                                << (kModeOff + kModeOff
                                    + QStringList{ "06 2000 0000", "06 2000 100A", "06 2008 000A", "06 2001 0004" })
                                << "pushButton_programOFF";
    QTest::newRow("homing ON") << "pushButton_originON"
                               << (kModeOff + kModeOff + QStringList{ "06 2000 0000", "06 2000 100B", "06 2001 0004" })
                               << "pushButton_originOFF";
    QTest::newRow("JOG OFF") << "pushButton_OFF" << kModeOff << "";
    QTest::newRow("speed 6000") << "pushButton_Write" << QStringList{ "06 0304 1770" } << "";
    QTest::newRow("program parameters") << "pushButton_programWrite" << kProgramWrites << "";
    QTest::newRow("program start outside program mode") << "pushButton_programReversal" << QStringList() << "";
    QTest::newRow("program start in JOG mode") << "pushButton_NO pushButton_programForeward"
                                              << (kModeOff + kModeOff + QStringList{ "06 2000 0000", "06 2000 1002", "06 2001 0004" })
                                              << "pushButton_OFF";
}

void TestControlWindow::sequences()
{
    QFETCH(QString, button);
    QFETCH(QStringList, writes);
    QFETCH(QString, offShown);

    open();
    values(true);
    for (const QString &name : button.split(' '))
        rig->control->findChild<QPushButton *>(name)->click();

    QVERIFY2(rig->writes() == writes, qPrintable(rig->heard().join(", ")));
    for (QPushButton *off : { ui->pushButton_OFF, ui->pushButton_programOFF, ui->pushButton_originOFF })
        QCOMPARE(!off->isHidden(), off->objectName() == offShown);
    // A write of values reads them back.
    if (button == "pushButton_Write") {
        QCOMPARE(rig->heard().last(), QStringLiteral("03 0304 0001"));
        QCOMPARE(ui->spinBox_Speed->value(), 6000);
    }
    if (button == "pushButton_programWrite") {
        QCOMPARE(ui->lineEdit_Switch->text(), QStringLiteral("0005"));
        QCOMPARE(ui->lineEdit_distance->text(), QStringLiteral("1073741824"));
    }
    QVERIFY(!rig->control->programStatusTimer->isActive());
    QCOMPARE(answerer->count(), 0);
}

void TestControlWindow::holdToRun_data()
{
    QTest::addColumn<Release>("release");
    QTest::addColumn<bool>("jogOn"); // without JOG ON the steps hold the drive's command registers themselves
    QTest::newRow("over the button") << Release::OverButton << true;
    QTest::newRow("away from the button") << Release::AwayFromButton << true;
    QTest::newRow("focus lost") << Release::FocusLost << true;
    QTest::newRow("message box takes the focus") << Release::MessageBox << true;
    QTest::newRow("window closed") << Release::WindowClosed << true;
    QTest::newRow("over the button, no mode") << Release::OverButton << false;
}

void TestControlWindow::holdToRun()
{
    QFETCH(Release, release);
    QFETCH(bool, jogOn);
    open();
    if (jogOn)
        ui->pushButton_NO->click();
    rig->drive.clearRequests();
    QApplication::setActiveWindow(rig->control.get());

    QTest::mousePress(ui->pushButton_Foreward, Qt::LeftButton);
    QCOMPARE(rig->writes(), QStringList{ kForward });
    QTRY_VERIFY(rig->writes().count(kForward) >= 2); // one more every 500 ms while held
    QVERIFY(rig->motor()->speedRpm() > 0 || !jogOn);
    QVERIFY(DriveCommands::isHeld());

    switch (release) {
    case Release::OverButton:
        QTest::mouseRelease(ui->pushButton_Foreward, Qt::LeftButton);
        break;
    case Release::AwayFromButton:
        QTest::mouseRelease(ui->pushButton_Foreward, Qt::LeftButton, {}, QPoint(-40, -40));
        break;
    case Release::FocusLost: {
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(rig->control.get(), &deactivate);
        break;
    }
    case Release::MessageBox:
        QMessageBox::information(nullptr, "other", "a box from elsewhere");
        break;
    case Release::WindowClosed:
        rig->control->close();
        break;
    }
    QVERIFY(!rig->control->jogForwardTimer->isActive());
    // After the stop (sent again only if its echo was very late) nothing but the OFF pair of a close.
    const auto afterStop = [this] {
        QStringList writes = rig->writes();
        writes = writes.mid(writes.indexOf(kStop));
        writes.removeAll(kStop);
        return writes;
    };
    QVERIFY2(rig->writes().indexOf(kStop) > 0, qPrintable(rig->writes().join(", ")));
    QCOMPARE(afterStop(), release == Release::WindowClosed ? kModeOff : QStringList());
    QTest::qWait(700); // no step after the stop
    QCOMPARE(afterStop(), release == Release::WindowClosed ? kModeOff : QStringList());
    QTRY_VERIFY(rig->motor()->atRest());
    QCOMPARE(DriveCommands::isHeld(), jogOn && release != Release::WindowClosed);
}

void TestControlWindow::stopEcho_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<int>("stops");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<bool>("jogOn");
    QTest::newRow("one echo missing: sent again") << Failure::NoEchoOnce << 2 << 0 << false;
    QTest::newRow("no echo at all: three tries, then told") << Failure::NoEchoEver << 3 << 1 << false;
    QTest::newRow("no echo at all, JOG on: told") << Failure::NoEchoEver << 3 << 1 << true;
}

void TestControlWindow::stopEcho()
{
    QFETCH(Failure, failure);
    QFETCH(int, stops);
    QFETCH(int, boxes);
    QFETCH(bool, jogOn);
    open();
    if (jogOn)
        ui->pushButton_NO->click();
    ui->pushButton_continuousForeward->click();
    rig->drive.setFailure(failure);
    connect(rig->control.get(), &controlWindow::writeSerialControl, // spoiled echoes come too: they confirm nothing
            [this] { rig->control->receiveToCheck(QStringLiteral("01062001000000FF")); });
    ui->pushButton_stop->click();
    QCOMPARE(rig->writes().count(kStop), stops);
    QTRY_COMPARE(answerer->count(), boxes);
    if (boxes)
        QCOMPARE(answerer->last().text, QStringLiteral("驱动器未确认停止命令，电机可能仍在运行"));
    QVERIFY(!rig->control->motionMayRun());
}

void TestControlWindow::threeMissedStepsStopStepping()
{
    open();
    rig->drive.setFailure(Failure::NoEchoEver);
    ui->pushButton_continuousReversal->click();
    // The steps run inside another window's wait (the command file's): the box waits for its end.
    QVERIFY(BoundedWait::until([this] { return !rig->control->jogReverseTimer->isActive(); }, 10000));
    QCOMPARE(answerer->count(), 0);
    QCOMPARE(rig->writes().count(QStringLiteral("06 2001 0003")), 3);
    QCOMPARE(rig->writes().count(kStop), 3);
    QTRY_COMPARE(answerer->count(), 1);
    QCOMPARE(answerer->last().text, QStringLiteral("驱动器连续三次未应答，点动已停止"));
    QVERIFY(!DriveCommands::isHeld()); // the steps without a mode held them until this stop
}

void TestControlWindow::motionStops_data()
{
    QTest::addColumn<QString>("motion"); // the ON button and the start button
    QTest::addColumn<QString>("event");  // the monitor opening, or the window's slot of that name
    QTest::newRow("continuous JOG, OFF") << "NO continuousForeward" << "on_pushButton_OFF_clicked";
    QTest::newRow("homing, OFF") << "originON originForeward" << "on_pushButton_originOFF_clicked";
    QTest::newRow("program run, Stop") << "ProgramON programForeward" << "on_pushButton_programStop_clicked";
    QTest::newRow("program run, OFF") << "ProgramON programForeward" << "on_pushButton_programOFF_clicked";
    QTest::newRow("program run, main window closes all") << "ProgramON programForeward" << "closeThisWindow";
    QTest::newRow("continuous JOG, the monitor opens") << "NO continuousForeward" << "monitor";
    // Without a mode the steps hold the drive's command registers only until they stop.
    QTest::newRow("continuous JOG without a mode, the monitor opens") << "continuousForeward" << "monitor";
    QTest::newRow("continuous JOG without a mode, Forward clicked") << "continuousForeward" << "on_pushButton_Foreward_clicked";
}

void TestControlWindow::motionStops()
{
    QFETCH(QString, motion);
    QFETCH(QString, event);
    open();
    const bool modeOn = motion.contains(' ');
    for (const QString &name : motion.split(' '))
        rig->control->findChild<QPushButton *>("pushButton_" + name)->click();
    QTRY_VERIFY(rig->motor()->speedRpm() > 0 || !modeOn);
    QEvent deactivate(QEvent::WindowDeactivate); // a lost focus leaves these motions running
    QCoreApplication::sendEvent(rig->control.get(), &deactivate);
    QVERIFY(rig->control->motionMayRun());
    if (event == "monitor") // a modal window elsewhere would take the input away from Stop
        rig->monitor->show();
    else
        QVERIFY(QMetaObject::invokeMethod(rig->control.get(), qPrintable(event)));
    QVERIFY(!rig->control->motionMayRun());
    QTRY_VERIFY(rig->motor()->atRest());
    // A mode holds the drive's command registers until it is off.
    QCOMPARE(DriveCommands::isHeld(), modeOn && (event == "on_pushButton_programStop_clicked" || event == "monitor"));
    if (event == "monitor") { // and so does every such window after it
        rig->monitor->hide();
        ui->pushButton_continuousForeward->click();
        QCOMPARE(ui->label_state->text(), QString()); // the old note goes with a new start
        rig->monitor->show();
        QVERIFY(!rig->control->motionMayRun());
    }
}

// A stop while the window's step waits its turn behind another window's read (or its speed read
// behind its status read): the stop is the next frame, and nothing asked before it follows.
void TestControlWindow::aStopGoesFirst_data()
{
    QTest::addColumn<QString>("start"); // a JOG or program start button, or the program run's status poll
    QTest::addColumn<QString>("stop");  // the window's slot
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("JOG start waiting, window closed") << "continuousReversal" << "close"
                                                     << (QStringList{ "03 E000 0001", kStop } + kModeOff);
    QTest::newRow("JOG start waiting, another start") << "continuousForeward" << "on_pushButton_continuousReversal_clicked"
                                                      << QStringList{ "03 E000 0001", "06 2001 0003" };
    // The status read's answer restarts nothing and lands in no field.
    QTest::newRow("status read on the line") << "poll" << "on_pushButton_programStop_clicked"
                                             << QStringList{ "03 2031 0001", kStop, "03 0304 0001" };
    // The status read is taken back; the poll and its start steps stay off.
    QTest::newRow("status read waiting its turn") << "poll waiting" << "on_pushButton_programStop_clicked"
                                                  << QStringList{ "03 E000 0001", kStop };
    QTest::newRow("program start waiting for its echo") << "programForeward" << "on_pushButton_programStop_clicked"
                                                        << QStringList{ kForward, kStop };
}

void TestControlWindow::aStopGoesFirst()
{
    QFETCH(QString, start);
    QFETCH(QString, stop);
    QFETCH(QStringList, heard);
    open();
    const bool poll = start.startsWith("poll");
    (poll || start.startsWith("program") ? ui->pushButton_ProgramON : ui->pushButton_NO)->click();
    if (poll)
        ui->pushButton_programForeward->click();
    const int speed = ui->spinBox_Speed->value(); // as read at the opening
    QTimer::singleShot(50, [&] { QVERIFY(QMetaObject::invokeMethod(rig->control.get(), qPrintable(stop))); });
    rig->drive.clearRequests();
    rig->drive.setReplyDelay(250);
    if (start == "poll") {
        rig->control->QueryProgramStaus();
        ui->pushButton_Read->click();
    } else {
        if (start != "programForeward") // another window's read on the line first
            rig->link.readSerial("E000", "0001", 1);
        if (poll)
            rig->control->QueryProgramStaus();
        else
            rig->control->findChild<QPushButton *>("pushButton_" + start)->click();
    }
    QTRY_VERIFY(LineTickets::isFinished(LineTickets::lastTaken()));
    QTest::qWait(700); // nothing after the stop
    QStringList now = rig->heard();
    now.removeDuplicates(); // the steps that follow one another
    QVERIFY2(now == heard, qPrintable(now.join(", ")));
    QCOMPARE(ui->spinBox_Speed->value(), speed);
    QVERIFY(!ui->spinBox_Speed->property("unread").toBool()); // a read after the stop is its own
    QVERIFY(!rig->control->programStatusTimer->isActive());
}

void TestControlWindow::programStatus_data()
{
    QTest::addColumn<int>("status"); // -1: the drive does not answer
    QTest::addColumn<QString>("runSwitch");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("polls"); // each poll: x unanswered, . answered, r answered with the user's read behind it
    QTest::newRow("ended") << 2 << "0000" << kModeOff << "" << ".";
    QTest::newRow("execution fault") << 3 << "0000" << kModeOff << "执行异常" << ".";
    QTest::newRow("running, switch 4 goes on forward") << 1 << "0004" << QStringList{ kForward } << "" << ".";
    QTest::newRow("running, switch 1 goes on in reverse") << 1 << "0001" << QStringList{ "06 2001 0003" } << "" << ".";
    QTest::newRow("silent three times: stopped once, told once")
        << -1 << "0000" << QStringList{ kStop, kStop, kStop } << "驱动器连续三次未应答，程序运行已停止" << "xxx";
    QTest::newRow("silent twice, answered, silent twice: goes on")
        << 1 << "0000" << QStringList{ kForward } << "" << "xx.xx";
    QTest::newRow("running, the user's read asked while the status read is out")
        << 1 << "0000" << QStringList{ kForward } << "" << "r";
    QTest::newRow("running, the run switch's read unanswered: no step, no start, the poll goes on")
        << 1 << "lost" << QStringList() << "" << ".";
    QTest::newRow("running, a run switch beyond 0 to 5 gives no direction") << 1 << "0009" << QStringList() << "" << ".";
}

void TestControlWindow::programStatus()
{
    QFETCH(int, status);
    QFETCH(QString, runSwitch);
    QFETCH(QStringList, writes);
    QFETCH(QString, box);
    QFETCH(QString, polls);
    open();
    rig->drive.setRegister(0x05A6, status == 1 ? 10 : 1); // a single move; a running program outlasts the polls
    ui->pushButton_ProgramON->click();
    ui->pushButton_programForeward->click();
    if (runSwitch == QLatin1String("lost")) {
        rig->drive.missRequests(0x05A0, 1);
        ui->pushButton_ProgramRead->click();
    } else {
        ui->lineEdit_Switch->setText(runSwitch);
    }
    if (status == 3)
        rig->motor()->failProgram();
    QTRY_COMPARE(rig->motor()->programStatus(), qMax(1, status));
    rig->drive.clearRequests();
    for (const QChar poll : polls) {
        rig->drive.setFailure(poll == 'x' ? Failure::NoAnswer : Failure::None);
        rig->control->QueryProgramStaus();
        if (poll == 'r') { // its answers fill the fields, none is taken for the status
            ui->lineEdit_WaitTime->clear();
            ui->pushButton_ProgramRead->click();
            QCOMPARE(ui->lineEdit_WaitTime->text(), QStringLiteral("500"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!rig->control->statusTurn->waiting() // its read ended, and a step it sent
                                     && LineTickets::isFinished(LineTickets::lastTaken()), 10000);
    }
    // A stop the poll's end decides goes out from the event loop, and its box after it.
    QTRY_VERIFY2(rig->writes() == writes, qPrintable(rig->writes().join(", ")));
    QTRY_COMPARE(answerer->count(), int(!box.isEmpty()));
    QCOMPARE(answerer->last().text, box);
    QCOMPARE(rig->control->programStatusTimer->isActive(), status == 1);
    if (status == 1 && writes.isEmpty()) { // no direction from a switch not known, from the poll or a button
        QCOMPARE(ui->label_state->text(), QStringLiteral("运行开关未读出，暂不发送启动指令"));
        ui->pushButton_programReversal->click();
        QVERIFY(rig->writes().isEmpty() && ui->label_state->text() == QStringLiteral("运行开关未读出，程序运行未启动"));
    }
    QCOMPARE(!ui->pushButton_ProgramON->isHidden(), writes == kModeOff);
    QCOMPARE(DriveCommands::isHeld(), writes != kModeOff); // given back after the OFF pair
}

void TestControlWindow::linkLostWhileMoving()
{
    open();
    ui->pushButton_originON->click();
    ui->pushButton_originForeward->click();
    QVERIFY(rig->control->motionMayRun());
    // The JOG tab's Stop (the one in view) in the window.
    const auto stopPlace = [this] { return ui->pushButton_stop->mapTo(rig->control.get(), QPoint()); };
    const QPoint stopBefore = stopPlace();
    rig->drive.dropLink();
    QTRY_VERIFY(!rig->control->serialOpen);
    QVERIFY(!rig->control->motionMayRun());
    QVERIFY(!DriveCommands::isHeld());
    QCOMPARE(ui->label_state->text(), QStringLiteral("通讯中断，电机状态未知"));
    ui->label_state->setText(ui->label_state->text().repeated(12)); // however long the state text
    QTest::qWait(0);
    QCOMPARE(stopPlace(), stopBefore); // it moves no stop control
    QVERIFY(ui->pushButton_originOFF->isHidden()); // the drive's function is unknown now
    QTest::qWait(700);
    QCOMPARE(answerer->count(), 0); // the link tells it; nothing per tick
}

void TestControlWindow::stopAndOffStayEnabled()
{
    open();
    rig->control->receiveMainWindow(false);
    for (QPushButton *button : { ui->pushButton_stop, ui->pushButton_programStop, ui->pushButton_originStop,
                                 ui->pushButton_OFF, ui->pushButton_programOFF, ui->pushButton_originOFF })
        QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(!ui->pushButton_Foreward->isEnabled());
    QVERIFY(!ui->pushButton_NO->isEnabled());
    rig->control->receiveMainWindow(true);
    QVERIFY(ui->pushButton_Foreward->isEnabled());
}

// Fields that are empty or not whole numbers are refused and nothing is written; an alarm in
// the drive disables the three ON buttons until a read finds it gone.
void TestControlWindow::fieldsAndAlarmGate()
{
    rig = std::make_unique<MonitorRig>(); // opened with no link, it shows nothing as the drive's
    rig->control->showControl();
    QCOMPARE(rig->control->ui->spinBox_Speed->text() + rig->control->ui->lineEdit_Time->placeholderText(),
             UnreadValue::text().repeated(2));
    open();
    ui->lineEdit_WaitTime->setText("");
    ui->pushButton_programWrite->click();
    QCOMPARE(rig->writes(), QStringList());
    QTRY_COMPARE(answerer->count(), 1);

    rig->drive.setRegister(0xE30A, 0x0021);
    ui->pushButton_ProgramRead->click();
    QVERIFY(!ui->pushButton_NO->isEnabled());
    QVERIFY(!ui->pushButton_originON->isEnabled());
    QCOMPARE(ui->lineEdit_WaitTime->text(), QStringLiteral("500"));
    rig->drive.setRegister(0xE30A, 0);
    ui->pushButton_ProgramRead->click();
    QVERIFY(ui->pushButton_ProgramON->isEnabled());
    // A read left unanswered shows no older value as the drive's.
    rig->drive.setFailure(Failure::NoAnswer, 1 + 7); // the speed read, then the program tab's seven
    ui->pushButton_Read->click();
    ui->pushButton_ProgramRead->click();
    rig->drive.clearRequests();
    ui->pushButton_Write->click(); // refused: the unread speed is not written as the box's minimum
    QVERIFY(ui->spinBox_Speed->text() == QStringLiteral("未读出") && rig->writes().isEmpty());
    QCOMPARE(ui->lineEdit_WaitTime->text(), QString());
    ui->spinBox_Speed->selectAll(); // 0, the box's minimum, typed over "not read" is written
    QTest::keyClicks(ui->spinBox_Speed, "0");
    ui->pushButton_Write->click();
    QCOMPARE(rig->writes(), QStringList{ "06 0304 0000" });
    rig->drive.setFailure(Failure::NoAnswer, 1); // and read as 0 after "not read", it is read
    ui->pushButton_Read->click();
    ui->pushButton_Read->click();
    QVERIFY(!ui->spinBox_Speed->property("unread").toBool());
}

// A mode's ON is whole or nothing. A start clicked at any of its writes sends nothing (it is
// refused while the ON selects the function); closed, the link lost or stopped at any of them, it
// sends nothing of itself afterwards; a write the drive leaves unconfirmed ends it as OFF, and
// the box names that write. Only an ON that ran whole shows its mode on.
void TestControlWindow::anOnIsWholeOrNothing_data()
{
    QTest::addColumn<QString>("on");    // the ON button, then the start button of its tab
    QTest::addColumn<QString>("cut");   // what happens in the wait of the ON's write "at"
    QTest::addColumn<int>("at");
    QTest::addColumn<QStringList>("writes");
    const QStringList programOn = kModeOff + kModeOff + QStringList{ "06 2000 0000", "06 2000 100A", "06 2008 000A", "06 2001 0004" };
    for (const char *cut : { "start", "close", "link", "stop", "stall" }) {
        for (int at = 0; at < programOn.size(); ++at) {
            QStringList writes = programOn.mid(0, at + 1);
            if (qstrcmp(cut, "start") == 0)
                writes = programOn;
            else if (qstrcmp(cut, "close") == 0 || qstrcmp(cut, "stall") == 0)
                writes += kModeOff;
            else if (qstrcmp(cut, "stop") == 0)
                writes += QStringList{ kStop } + kModeOff;
            QTest::addRow("program, %s at %d (%s)", cut, at, qPrintable(programOn.at(at)))
                << "ProgramON programForeward" << QString(cut) << at << writes;
        }
    }
    QTest::newRow("program, main window closes all at 2008") << "ProgramON programForeward" << "closeThisWindow" << 6
                                                             << (programOn.mid(0, 7) + kModeOff + kModeOff);
    const QStringList jogOn = kModeOff + kModeOff + QStringList{ "06 2000 0000", "06 2000 1002", "06 2001 0004" };
    QTest::newRow("JOG, held Forward pressed at 1002") << "NO Foreward" << "start" << 5 << jogOn;
    QTest::newRow("homing, Forward at its OFF writes") << "originON originForeward" << "start" << 1
                                                       << (jogOn.mid(0, 5) + QStringList{ "06 2000 100B", "06 2001 0004" });
    QTest::newRow("program, JOG ON at 2008") << "ProgramON NO" << "start" << 6 << programOn;
    QTest::newRow("JOG, stall at 1002") << "NO Foreward" << "stall" << 5 << (jogOn.mid(0, 6) + kModeOff);
}

void TestControlWindow::anOnIsWholeOrNothing()
{
    QFETCH(QString, on);
    QFETCH(QString, cut);
    QFETCH(int, at);
    QFETCH(QStringList, writes);
    open();
    const QStringList buttons = on.split(' ');
    auto *onButton = rig->control->findChild<QPushButton *>("pushButton_" + buttons.first());
    auto *startButton = rig->control->findChild<QPushButton *>("pushButton_" + buttons.last());
    for (int tab = 0; tab < ui->tabWidget->count(); ++tab) {
        if (ui->tabWidget->widget(tab)->isAncestorOf(startButton))
            ui->tabWidget->setCurrentIndex(tab);
    }
    // As the window handed them to the link; a write sent again right after itself counted once.
    const auto add = [](QStringList &list, const QString &write) {
        if (list.isEmpty() || list.last() != write)
            list << write;
    };
    QStringList expected;
    for (const QString &write : writes)
        add(expected, write);
    QStringList sent;
    bool triggered = false;
    // The write "at" and its retries go unechoed: set as the drive stores the write before it, so
    // that neither the echo nor a poll's read between them can come first.
    std::atomic<int> stored{ 0 };
    const int tries = at < 4 ? 3 : 1;
    if (cut == "stall" && at == 0)
        rig->drive.setFailure(Failure::NoEchoEver, tries);
    else if (cut == "stall")
        rig->drive.setWriteHook([&](int, quint16, quint16) {
            if (++stored == at)
                rig->drive.setFailure(Failure::NoEchoEver, tries);
        });
    connect(rig->control.get(), &controlWindow::writeSerialControl, this, [&](const QByteArray &addr, const QByteArray &value) {
        add(sent, QString::fromLatin1("06 " + addr + ' ' + value));
        if (sent.size() != at + 1 || triggered || cut == "stall")
            return;
        triggered = true;
        QTimer::singleShot(0, rig->control.get(), [&] { // in that write's wait
            QVERIFY(!onButton->isHidden()); // no mode shows on before its ON has ended
            if (cut == "start") { // refused, and said
                QTest::mouseClick(startButton, Qt::LeftButton);
                QCOMPARE(ui->label_state->text(), QStringLiteral("模式切换中，请稍候"));
            } else if (cut == "link")
                rig->drive.dropLink();
            else if (cut == "stop")
                ui->pushButton_programStop->click();
            else
                QVERIFY(QMetaObject::invokeMethod(rig->control.get(), qPrintable(cut)));
        });
    });
    onButton->click(); // returns once the ON has ended
    QTRY_VERIFY(!DriveCommands::isHeld() || cut == "start");
    QVERIFY2(sent == expected, qPrintable(sent.join(", ")));
    QCOMPARE(onButton->isHidden(), cut == "start");
    QTRY_COMPARE(answerer->count(), int(cut == "stall"));
    if (cut == "stall")
        QVERIFY2(answerer->last().text.contains(writes.at(at).mid(3).replace(' ', QStringLiteral(" \u2190 "))),
                 qPrintable(answerer->last().text));
    if (cut == "start") { // after the ON it goes
        QCOMPARE(ui->label_state->text(), QString());
        const int before = sent.size();
        QTest::mouseClick(startButton, Qt::LeftButton);
        QTRY_VERIFY(sent.size() > before);
        rig->control->close();
    }
}

// Inside a run (the JOG ON failing at 2000 <- 1002, or Setting of either tab) a close, Stop, the
// link lost, regained or told online, and the entry pressed twice more: the writes the window then
// hands to the link and the boxes it opens. Nothing of a closed window's ON follows the close's own
// OFF pair, nor does the ON tell anything; a Stop's outcome is told with the ON's, in one box, the
// ON's OFF pair going while the window still holds the drive's command registers. Setting stays
// greyed: each value typed is written once, then shown as read back, or as not known.
void TestControlWindow::insideARun_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("path");       // in the wait of the ON's OFF pair (a close: its third try), or of Setting's first write
    QTest::addColumn<int>("silent");         // requests the drive leaves unanswered from 2000 <- 1002 on (-1: all)
    QTest::addColumn<QStringList>("writes"); // from 2000 <- 1002, or from Setting's first write; each try
    QTest::addColumn<QStringList>("told");
    const QString failed = "06 2000 1002", off = kModeOff.first(), select = kModeOff.last();
    const QString unconfirmed = QStringLiteral("驱动器未确认写入 2000 \u2190 1002，模式未打开");
    const QString stops = QStringLiteral("驱动器未确认停止命令，电机可能仍在运行");
    QTest::newRow("ON failed, closed at its third try") << "NO" << "close" << -1
                                                       << QStringList{ failed, off, off, off, off, off, off, select, select, select }
                                                       << QStringList{ stops };
    QTest::newRow("ON failed, Stop") << "NO" << "stop" << -1
                                    << QStringList{ failed, off, kStop, kStop, kStop, off, off, select, select, select }
                                    << QStringList{ unconfirmed + '\n' + stops };
    QTest::newRow("ON failed, link lost") << "NO" << "lost" << 2 << QStringList{ failed, off } << QStringList();
    QTest::newRow("ON failed, ON pressed twice more") << "NO" << "press" << 2 << QStringList{ failed, off, off, select }
                                                     << QStringList{ unconfirmed };
    for (const QString entry : { "Write", "programWrite" }) {
        const QStringList writes = entry == "Write" ? QStringList{ "06 0304 1770" } : kProgramWrites;
        for (const QString path : { "online", "regained", "lost" })
            QTest::addRow("%s, %s", qPrintable(entry), qPrintable(path))
                << entry << path << 0 << (path == "lost" ? QStringList(writes.mid(0, 1)) : writes) << QStringList();
    }
}

void TestControlWindow::insideARun()
{
    QFETCH(QString, entry);
    QFETCH(QString, path);
    QFETCH(int, silent);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, told);
    open();
    values(true);
    std::atomic<int> deselected{ 0 }; // as the drive stores the ON's third 2000 <- 0000: it meets 2000 <- 1002
    rig->drive.setWriteHook([&](int, quint16 addr, quint16 value) {
        if (entry == "NO" && addr == 0x2000 && value == 0 && ++deselected == 3)
            rig->drive.setFailure(Failure::NoAnswer, silent);
    });
    auto *button = rig->control->findChild<QPushButton *>("pushButton_" + entry);
    ui->tabWidget->setCurrentIndex(entry == "programWrite");
    QStringList sent;
    bool held = true;
    const auto handed = [&](const QString &write) {
        if (entry == "NO" && sent.isEmpty() && write != writes.first())
            return;
        held = held && (DriveCommands::isHeld() || entry != "NO");
        sent << write;
        if (sent.size() == (entry != "NO" ? 1 : path == "close" ? 4 : 2))
            QTimer::singleShot(0, rig->control.get(), [&] {
                if (path == "close")
                    rig->control->close();
                else if (path == "stop")
                    ui->pushButton_stop->click();
                else if (path == "online")
                    rig->control->receiveMainWindow(true);
                else if (path == "regained") {
                    emit rig->link.isOpenSerial(false);
                    emit rig->link.isOpenSerial(true);
                } else if (path == "lost") {
                    rig->drive.dropLink();
                    QTRY_VERIFY(!rig->control->serialOpen);
                }
                QVERIFY(entry == "NO" || (!ui->pushButton_Write->isEnabled() && !ui->pushButton_programWrite->isEnabled()));
                for (int press = 0; press < 2 && (entry != "NO" || path == "press"); ++press)
                    QTest::mouseClick(button, Qt::LeftButton);
            });
    };
    connect(rig->control.get(), &controlWindow::writeSerialControl, this,
            [&](const QByteArray &addr, const QByteArray &value) { handed(QString::fromLatin1("06 " + addr + ' ' + value)); });
    connect(rig->control.get(), &controlWindow::writeSerialControl2, this,
            [&](const QByteArray &addr, const QByteArray &data) { handed(QString::fromLatin1("10 " + addr + ' ' + data)); });
    button->click(); // returns once the run has ended
    QVERIFY2(sent == writes && held && !DriveCommands::isHeld(), qPrintable(sent.join(", ")));
    QCOMPARE(rig->control->unconfirmedStops, 0); // nothing left to tell later
    bool asked = false; // once this has run, every box asked for so far has opened
    AfterWaits::run(this, [&] { asked = true; });
    QTRY_VERIFY(asked && !qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
    QStringList texts;
    for (const ModalBoxAnswerer::Box &box : answerer->boxes())
        texts << box.text;
    QCOMPARE(texts, told);
    // The fields of the entry's tab as typed and read back, or not known after a lost link.
    const int first = entry == "Write" ? 0 : 1, count = entry == "Write" ? 1 : 6;
    const QStringList unread = QStringList{ UnreadValue::text() } + QVector<QString>(6).toList();
    QCOMPARE(values().mid(first, count), (path == "lost" ? unread : kTyped).mid(first, count));
}

QTEST_MAIN(TestControlWindow)
#include "tst_controlwindow.moc"
