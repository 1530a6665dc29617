// The road a commissioning engineer takes, through the program's own windows as main builds
// them, with clicks and keys: choose the family, go online, connect and scan, confirm the
// drive, then the main window's functions one after the other, and close. Once for each
// family, with what that family enables.

#include <QAbstractButton>
#include <QAction>
#include <QCommandLinkButton>
#include "qcustomplot.h"
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSettings>
#include <QTableWidget>
#include <QTreeView>
#include <QtTest>

#include <memory>

#include "choosedialog.h"
#include "controlwindow.h"
#include "encoderdatawindow.h"
#include "fftwindow.h"
#include "monitorwindow.h"
#include "passworddialog.h"
#include "simmotor.h"
#include "driveparameters.h"
#include "drivecommands.h"
#include "function_af1.h"
#include "function_af11.h"
#include "function_af6.h"
#include "function_af7.h"
#include "functionaf8.h"
#include "staticwindow.h"
#include "ui_staticwindow.h"
#include "dynamicwindow.h"
#include "function_af4.h"
#include "mastercontrol.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"
#include "treemodel.h"
#include "windowset.h"
#include "autowindow.h"
#include "simlive.h"
#include "simsampler.h"
#include "simauxiliary.h"
#include "ui_autowindow.h"
#include "unreadvalue.h"
#include "linetickets.h"
#include "versions.h"

namespace {

template <typename T>
T *child(QWidget *window, const char *name)
{
    T *widget = window->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("%s has no %s", window->metaObject()->className(), name);
    return widget;
}

void click(QWidget *window, const char *button)
{
    QPushButton *b = child<QPushButton>(window, button);
    QVERIFY2(b->isEnabled(), button);
    QTest::mouseClick(b, Qt::LeftButton);
}

int rowOf(const QAbstractItemModel *model, const QString &number)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data(Qt::EditRole).toString().simplified() == number)
            return row;
    }
    return -1;
}

// An outside program working the command file from its own timer, as another process would. It
// writes the requests in turn (two identical lines each) and reads each answer (three lines, the
// request line first) before it writes over it; until `total` are written. Given `heard` (what
// the drive has heard), it writes the next request at a random moment once the tool has taken the
// last one, often while that one still runs.
class OutsideProgram : public QObject
{
public:
    OutsideProgram(const QString &path, const QStringList &requests, std::function<int()> heard = {})
        : path(path), requests(requests), heard(std::move(heard))
    {
        clock.start();
        connect(&timer, &QTimer::timeout, this, [this] { look(); });
        timer.start(2);
    }

    struct Exchange
    {
        qint64 writtenMs = -1, answeredMs = -1;
        QString result; // the answer's second and third lines
    };
    QVector<Exchange> exchanges; // in the order written
    int answered = 0;
    int total = 1 << 30;
    QElapsedTimer clock;
    // A request that is never answered (lost) would keep the program waiting for ever.
    bool stuck() const { return answered < exchanges.size() && clock.elapsed() - exchanges.at(answered).writtenMs > 10000; }

private:
    void takeAnswer()
    {
        QFile file(path);
        if (answered == exchanges.size() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
            return;
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
        if (lines.size() != 3 || lines.first() != requests.at(answered % requests.size()))
            return;
        Exchange &done = exchanges[answered++];
        done.answeredMs = clock.elapsed();
        done.result = lines.mid(1).join(' ');
    }

    void look()
    {
        takeAnswer();
        const int written = exchanges.size();
        if (written == total || !(written == answered || (heard && written == answered + 1 && heard() > heardAtWrite))) {
            writeAt = -1;
            return;
        }
        if (writeAt < 0)
            writeAt = clock.elapsed() + (heard ? random.bounded(150) : 0);
        if (clock.elapsed() < writeAt)
            return;
        takeAnswer(); // an answer that came meanwhile is read before it is written over
        const QString request = requests.at(written % requests.size());
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write((request + '\n' + request + '\n').toLocal8Bit());
        heardAtWrite = heard ? heard() : 0;
        if (file.commit())
            exchanges.append({clock.elapsed(), -1, QString()});
        writeAt = -1;
    }

    const QString path;
    const QStringList requests;
    const std::function<int()> heard;
    int heardAtWrite = 0;
    qint64 writeAt = -1;
    QRandomGenerator random{20261208};
    QTimer timer;
};

} // namespace

enum class Shared { CommandFile, Monitor, LiveTrend, DriveInfo, AlarmHistory, MotorData };
Q_DECLARE_METATYPE(Shared)

class TestWalk : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholeRoad_data();
    void wholeRoad();
    void sharedLine_data();
    void sharedLine();
    void stallsOverASecond_data();
    void stallsOverASecond();
    void pollersTakeTurns_data();
    void pollersTakeTurns();
    void stopGoesFirst_data();
    void stopGoesFirst();
    void noBoxHoldsTheLine_data();
    void noBoxHoldsTheLine();
    void requestsWrittenWhileOneRuns();
    void oneCommandAtATime_data();
    void oneCommandAtATime();
    void everyHeldWriteIsGuarded_data();
    void everyHeldWriteIsGuarded();
    void secondPressWhileOneRuns_data();
    void secondPressWhileOneRuns();

private:
    void chooseAndConnect(int family);
    void parameters(int family);
    void liveTrend();
    void alarmHistory();
    void capture();
    void spectrum();
    void monitor();
    void jog();
    void motorData();

    void connectShared(int family = 0);
    void shareTheLine(Shared ticking, Shared working, int delay, int stallMs);
    void begin(Shared w);
    void end(Shared w);
    QStringList shown(Shared w);
    QStringList answers; // the command file's
    QString commandFile(const QString &request);

    std::unique_ptr<TempWorkDir> workDir;
    std::unique_ptr<ModalBoxAnswerer> answerer;
    std::unique_ptr<SimulatedDrive> drive;
    std::unique_ptr<WindowSet> set;
};

void TestWalk::init()
{
    workDir = std::make_unique<TempWorkDir>();
    answerer = std::make_unique<ModalBoxAnswerer>(ModalBoxAnswerer::Answer::Ok);
}

void TestWalk::cleanup()
{
    set.reset();
    drive.reset();
    answerer.reset();
    workDir.reset();
}

void TestWalk::wholeRoad_data()
{
    QTest::addColumn<int>("family");
    QTest::newRow("VR") << 0;
    QTest::newRow("HXQ") << 1;
}

void TestWalk::wholeRoad()
{
    QFETCH(int, family);
    drive = std::make_unique<SimulatedDrive>();
    SimulatedModel::install(*drive, family);
    QVERIFY2(drive->start(), qPrintable(drive->errorString()));
    set = std::make_unique<WindowSet>();
    // The auxiliary panel and its dialogs are modal on purpose; only real boxes are answered.
    answerer->setLeftAlone([this](QWidget *w) {
        const auto &windows = set->createdWindows();
        return std::find(windows.begin(), windows.end(), w) != windows.end();
    });

    chooseAndConnect(family);
    if (QTest::currentTestFailed())
        return;
    parameters(family);
    if (QTest::currentTestFailed())
        return;
    capture();
    if (QTest::currentTestFailed())
        return;
    // With the HXQ family the main window keeps the live trend and the drive functions
    // disabled while it is up.
    if (family == 0) {
        using Step = void (TestWalk::*)();
        for (Step step : {&TestWalk::liveTrend, &TestWalk::spectrum, &TestWalk::monitor, &TestWalk::jog,
                          &TestWalk::alarmHistory, &TestWalk::motorData}) {
            (this->*step)();
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Closing the main window ends every window it opened.
    MainWindow *mainWindow = set->windows().mainWindow;
    mainWindow->close();
    QTRY_VERIFY(!set->windows().parameters->isVisible());
    for (const ModalBoxAnswerer::Box &box : answerer->boxes())
        qWarning() << "box:" << box.title << box.text;
    QCOMPARE(answerer->count(), 0);
}

// The start-up choice, "在线", the connection dialog's Connect with a scan over station 1, the
// found drive picked with the keyboard and confirmed with OK.
void TestWalk::chooseAndConnect(int family)
{
    const Windows &w = set->windows();
    QVERIFY(w.chooseDialog->isVisible());
    child<QComboBox>(w.chooseDialog, "comboBox_Driver")->setCurrentIndex(family);
    click(w.chooseDialog, "pushButton_online");
    QTRY_VERIFY(w.link->isVisible());

    QComboBox *ports = child<QComboBox>(w.link, "comboBox_Port");
    ports->addItem(drive->portName());
    ports->setCurrentIndex(ports->count() - 1);
    child<QLineEdit>(w.link, "lineEdit_Start")->setText(QStringLiteral("1"));
    child<QLineEdit>(w.link, "lineEdit_End")->setText(QStringLiteral("1"));
    click(w.link, "pushButtot_Connect");
    QTableWidget *found = child<QTableWidget>(w.link, "tableWidget");
    QTRY_VERIFY(found->item(0, 0) && found->item(0, 1));
    QVERIFY(!found->item(1, 0));
    found->setFocus();
    found->setCurrentCell(0, 0);
    click(w.link, "pushButton_OK");
    QTRY_VERIFY(w.mainWindow->isVisible());
    QVERIFY(!w.link->isVisible());
}

// The table opens from the menu and reads every parameter at once; a value typed into the
// table reaches the drive on Download.
void TestWalk::parameters(int family)
{
    const Windows &w = set->windows();
    child<QAction>(w.mainWindow, "action_Parameter")->trigger();
    parameterWindow *table = w.parameters;
    QTRY_VERIFY(table->isVisible());
    QAbstractItemModel *model = table->model.get();
    const QString number = QStringLiteral("PA100");
    Q_UNUSED(family)
    const int row = rowOf(model, number);
    QVERIFY2(row >= 0, qPrintable(number));
    // The first read fills every row with the drive's own value, limits and default.
    QTRY_VERIFY_WITH_TIMEOUT(!table->firstRead, 30000);
    QCOMPARE(model->index(row, 8).data(Qt::EditRole).toString(), QString());
    QVERIFY(!model->index(row, 2).data(Qt::EditRole).toString().isEmpty());

    model->setData(model->index(row, 2), QStringLiteral("321"), Qt::EditRole);
    model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    click(table, "pushButton_Download");
    QTRY_COMPARE_WITH_TIMEOUT(model->index(row, 8).data(Qt::EditRole).toString(), QStringLiteral("已下载"), 10000);
    QCOMPARE(drive->registerValue(family == 0 ? 0x0100 : 100), quint16(321));
}

// The live trend opens from the menu and plots the drive's moving speed; pause stops it.
void TestWalk::liveTrend()
{
    const Windows &w = set->windows();
    QAction *action = child<QAction>(w.mainWindow, "action_Dynamic");
    QTRY_VERIFY(action->isEnabled());
    action->trigger();
    dynamicWindow *trend = w.trend;
    QTRY_VERIFY(trend->isVisible());
    QCustomPlot *plot = child<QCustomPlot>(trend, "widget_Dynamic");
    QTRY_VERIFY_WITH_TIMEOUT(plot->graphCount() > 0 && plot->graph(0)->dataCount() > 10, 10000);
    click(trend, "pushButton_pause");
    const int points = plot->graph(0)->dataCount();
    QTest::qWait(300);
    QVERIFY(plot->graph(0)->dataCount() <= points + 1);
    trend->close();
}

// The auxiliary-function panel opens from the menu; the alarm history reads the drive's ten
// entries with their texts.
void TestWalk::alarmHistory()
{
    const Windows &w = set->windows();
    QAction *action = child<QAction>(w.mainWindow, "action_master");
    QTRY_VERIFY(action->isEnabled());
    action->trigger();
    QTRY_VERIFY(w.master->isVisible());
    QTest::mouseClick(child<QCommandLinkButton>(w.master, "commandLinkButton_2"), Qt::LeftButton);
    QTRY_VERIFY(w.alarms->isVisible());
    click(w.alarms, "pushButton_UploadAlarm");
    QTableWidget *history = child<QTableWidget>(w.alarms, "tableWidget");
    QTRY_VERIFY_WITH_TIMEOUT(history->item(9, 0) && !history->item(9, 0)->text().isEmpty(), 10000);
    QVERIFY(history->item(0, 1) && !history->item(0, 1)->text().isEmpty());
    w.alarms->close();
    w.master->close();
}

// The capture window opens from the menu; a capture with its default selection draws the
// drive's waveform.
void TestWalk::capture()
{
    const Windows &w = set->windows();
    child<QAction>(w.mainWindow, "action_Static")->trigger();
    staticWindow *scope = w.capture;
    QTRY_VERIFY(scope->isVisible());
    click(scope, "pushButton_Sampling");
    QTRY_VERIFY_WITH_TIMEOUT(scope->graphCH1 && scope->graphCH1->dataCount() > 100, 30000);
    QTRY_VERIFY(child<QPushButton>(scope, "pushButton_Sampling")->isEnabled());
    scope->close();
}

// The spectrum window captures the drive's speed and names its largest peak.
void TestWalk::spectrum()
{
    const Windows &w = set->windows();
    child<QAction>(w.mainWindow, "action_Analysis")->trigger();
    QTRY_VERIFY(w.spectrum->isVisible());
    click(w.spectrum, "pushButton_Start");
    QLineEdit *peak = child<QLineEdit>(w.spectrum, "lineEdit_fre1");
    QTRY_VERIFY_WITH_TIMEOUT(!peak->text().isEmpty() && peak->text().toDouble() > 0, 30000);
    QTRY_VERIFY(child<QPushButton>(w.spectrum, "pushButton_Start")->isEnabled());
    w.spectrum->close();
}

// The monitor sweeps the drive's state variables; closing it ends the sweeps.
void TestWalk::monitor()
{
    const Windows &w = set->windows();
    child<QAction>(w.mainWindow, "action_monitor")->trigger();
    QTRY_VERIFY(w.monitor->isMonitoring());
    QAbstractItemModel *model = w.monitor->treeModel();
    QCOMPARE(model->rowCount(), 29);
    QTRY_VERIFY_WITH_TIMEOUT(!model->index(28, 3).data().toString().isEmpty(), 10000);
    w.monitor->close();
    QTRY_VERIFY(!w.monitor->isMonitoring());
}

// JOG: switch it on, hold the forward button (the motor turns), release it (the motor comes
// to rest), switch it off.
void TestWalk::jog()
{
    const Windows &w = set->windows();
    child<QAction>(w.mainWindow, "action_Alarm")->trigger();
    controlWindow *control = w.control;
    QTRY_VERIFY(control->isVisible());
    click(control, "pushButton_NO");
    QApplication::setActiveWindow(control);
    QPushButton *forward = child<QPushButton>(control, "pushButton_Foreward");
    SimMotor *motor = drive->part<SimMotor>();
    QVERIFY(motor);
    QTest::mousePress(forward, Qt::LeftButton);
    QTRY_VERIFY(motor->speedRpm() > 0);
    QTest::mouseRelease(forward, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(motor->atRest(), 10000);
    click(control, "pushButton_OFF");
    control->close();
}

// The motor data need the higher access level; then the table uploads all 46 rows.
void TestWalk::motorData()
{
    const Windows &w = set->windows();
    // The level is granted to a drive that answers the status poll (which the windows before
    // paused and gave back).
    QTRY_VERIFY_WITH_TIMEOUT(w.mainWindow->pollAnswered(), 10000);
    child<QAction>(w.mainWindow, "action_PassWord")->trigger();
    QTRY_VERIFY(w.passwordDialog->isVisible());
    QLineEdit *entry = child<QLineEdit>(w.passwordDialog, "lineEdit_password");
    QTest::keyClicks(entry, QStringLiteral("MOLVE314"));
    click(w.passwordDialog, "pushButton_OK");
    QAction *action = child<QAction>(w.mainWindow, "action_motorParameter");
    QTRY_VERIFY(action->isEnabled());
    action->trigger();
    EncoderdataWindow *encoder = w.encoder;
    QTRY_VERIFY(encoder->isVisible());
    click(encoder, "pushButton_upLoad");
    QAbstractItemModel *model = encoder->model;
    QTRY_VERIFY_WITH_TIMEOUT(model->index(45, 8).data(Qt::EditRole).toString() == QStringLiteral("已上传"), 20000);
    QCOMPARE(model->index(0, 8).data(Qt::EditRole).toString(), QStringLiteral("已上传"));
    encoder->close();
}

// Several windows on the one line at once. Each window's values are first taken alone from a
// prompt drive; then, with another window at work meanwhile and a drive that answers late (0 to
// 300 ms) or stalls once, every value shown and every answer of the command file must be the
// same, or shown as not read where the stall left its read unanswered. The status poll runs
// throughout and never takes the busy line for a lost one.

void TestWalk::sharedLine_data()
{
    QTest::addColumn<Shared>("ticking"); // runs by its own timer
    QTest::addColumn<Shared>("working"); // works while it does
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("stallMs");
    const char *names[] = {"command file", "monitor", "live trend", "drive information", "alarm history", "motor data"};
    for (auto pair : {qMakePair(Shared::Monitor, Shared::CommandFile), qMakePair(Shared::LiveTrend, Shared::CommandFile),
                      qMakePair(Shared::Monitor, Shared::DriveInfo), qMakePair(Shared::LiveTrend, Shared::AlarmHistory),
                      qMakePair(Shared::Monitor, Shared::MotorData)}) {
        for (int delay : {0, 30, 70, 120, 300, -70})
            QTest::addRow("%s + %s, %d ms%s", names[int(pair.first)], names[int(pair.second)], qAbs(delay),
                          delay < 0 ? " and a stall" : "") << pair.first << pair.second << qAbs(delay) << (delay < 0 ? 900 : 0);
    }
}

void TestWalk::sharedLine()
{
    QFETCH(Shared, ticking);
    QFETCH(Shared, working);
    QFETCH(int, delay);
    QFETCH(int, stallMs);
    shareTheLine(ticking, working, delay, stallMs);
}

// A stall of a second or more, while two windows keep the line busy back to back: the drive
// answers every request it heard, late and in order, and no answer may reach a request it does
// not answer, then or later.
void TestWalk::stallsOverASecond_data()
{
    QTest::addColumn<Shared>("ticking");
    QTest::addColumn<int>("stallMs");
    for (int stall : {1000, 1100, 1200, 1500, 2000}) {
        QTest::addRow("live trend + command file, %d ms stall", stall) << Shared::LiveTrend << stall;
        QTest::addRow("monitor + command file, %d ms stall", stall) << Shared::Monitor << stall;
    }
}

void TestWalk::stallsOverASecond()
{
    QFETCH(Shared, ticking);
    QFETCH(int, stallMs);
    shareTheLine(ticking, Shared::CommandFile, 120, stallMs);
}

// A drive with held variables, parameters no other window reads, the session connected with the
// access level that the motor data and the command file need.
void TestWalk::connectShared(int family)
{
    drive = std::make_unique<SimulatedDrive>();
    SimulatedModel::install(*drive, family);
    if (family == 0) {
        drive->part<SimLiveVariables>()->hold(true);
        drive->part<SimMotor>()->hold(true);
    }
    // Parameters the command file reads, with values no register the other windows read holds.
    for (quint16 r : {0x101, 0x102, 0x103, 0x10A, 0x10B})
        drive->setRegister(r, quint16(0x1100 * (r & 0xF) + r));
    QVERIFY2(drive->start(), qPrintable(drive->errorString()));
    set = std::make_unique<WindowSet>();
    const Windows &w = set->windows();
    answerer->setLeftAlone([this](QWidget *window) {
        const auto &windows = set->createdWindows();
        return std::find(windows.begin(), windows.end(), window) != windows.end();
    });
    chooseAndConnect(family);
    QTRY_VERIFY_WITH_TIMEOUT(w.mainWindow->pollAnswered(), 10000);
    child<QAction>(w.mainWindow, "action_PassWord")->trigger();
    QTest::keyClicks(child<QLineEdit>(w.passwordDialog, "lineEdit_password"), QStringLiteral("MOLVE314"));
    click(w.passwordDialog, "pushButton_OK");
    w.automation->filePath = workDir->filePath(QStringLiteral("command.txt"));
    w.automation->chooseFile = false;
}

void TestWalk::shareTheLine(Shared ticking, Shared working, int delay, int stallMs)
{
    connectShared();
    if (QTest::currentTestFailed())
        return;
    QMap<Shared, QStringList> alone;
    for (Shared one : {ticking, working}) {
        begin(one);
        end(one);
        alone[one] = shown(one);
        QVERIFY2(!alone[one].join(QString()).isEmpty(), qPrintable(alone[one].join('|')));
    }
    drive->setReplyDelay(delay);
    drive->setLateDelay(stallMs);
    if (stallMs > 0)
        drive->setFailure(SimulatedDrive::Failure::Late, 1);
    begin(ticking);
    begin(working);
    end(working);
    end(ticking);
    for (Shared one : {ticking, working}) {
        const QStringList now = shown(one);
        QCOMPARE(now.size(), alone[one].size());
        for (int i = 0; i < now.size(); ++i) {
            const bool unread = now.at(i).isEmpty() || UnreadValue::isUnread(now.at(i)) || now.at(i).endsWith(" F");
            QVERIFY2(now.at(i) == alone[one].at(i) || (stallMs > 0 && unread),
                     qPrintable(QStringLiteral("value %1: \"%2\", the drive's \"%3\"").arg(i).arg(now.at(i), alone[one].at(i))));
        }
    }
    QCOMPARE(answerer->count(), 0);
}

// Windows that poll take turns on the line: none stops because another waits. The monitor and
// the live trend both keep updating, every monitor row in every sweep; the monitor keeps sweeping
// while a capture waits for its trigger; the drive information opened while the monitor sweeps
// shows its first values within two seconds, all of them the drive's.
void TestWalk::pollersTakeTurns_data()
{
    QTest::addColumn<QString>("with");
    QTest::addColumn<int>("delay");
    for (int delay : {0, 120, 300})
        QTest::addRow("monitor + live trend, %d ms", delay) << "live trend" << delay;
    QTest::newRow("monitor + a capture waiting for its trigger, 120 ms") << "capture" << 120;
    QTest::newRow("monitor + drive information, 300 ms") << "drive information" << 300;
}

void TestWalk::pollersTakeTurns()
{
    QFETCH(QString, with);
    QFETCH(int, delay);
    connectShared();
    if (QTest::currentTestFailed())
        return;
    const Windows &w = set->windows();
    begin(Shared::DriveInfo);
    end(Shared::DriveInfo);
    const QStringList infoAlone = shown(Shared::DriveInfo);
    drive->setReplyDelay(delay);
    child<QAction>(w.mainWindow, "action_monitor")->trigger();
    QTRY_VERIFY(w.monitor->isMonitoring());
    // When each monitor row last showed a value read from the drive, and the longest it waited.
    QElapsedTimer clock;
    clock.start();
    const int rows = w.monitor->treeModel()->rowCount();
    QVector<qint64> last(rows, -1);
    qint64 longestWait = 0;
    connect(w.monitor->treeModel(), &QAbstractItemModel::dataChanged, this, [&](const QModelIndex &cell) {
        if (cell.column() != 3 || UnreadValue::isUnread(cell.data().toString()))
            return;
        longestWait = qMax(longestWait, last.at(cell.row()) < 0 ? 0 : clock.elapsed() - last.at(cell.row()));
        last[cell.row()] = clock.elapsed();
    });
    const auto allReadSince = [&](qint64 since) {
        return std::all_of(last.cbegin(), last.cend(), [since](qint64 t) { return t > since; });
    };
    // A sweep of the rows with another window's read between each two, plus slack.
    const int sweepMs = rows * 2 * (delay + 100) + 3000;
    QTRY_VERIFY_WITH_TIMEOUT(allReadSince(0), sweepMs);

    if (with == QLatin1String("live trend")) {
        w.trend->history = LiveTrend::ValueHistory();
        child<QAction>(w.mainWindow, "action_Dynamic")->trigger();
        const qint64 opened = clock.elapsed();
        QTRY_VERIFY_WITH_TIMEOUT(allReadSince(opened) && w.trend->history.values().size() >= 10, 2 * sweepMs);
        w.trend->close();
    } else if (with == QLatin1String("capture")) {
        // The capture waits for its trigger inside the click: the monitor is looked at, and the
        // capture stopped, from a timer meanwhile.
        drive->part<SimSampler>()->setFault(SimSampler::Fault::NeverTriggers);
        child<QAction>(w.mainWindow, "action_Static")->trigger();
        QTRY_VERIFY(w.capture->isVisible());
        bool sweptWhileWaiting = false;
        const qint64 started = clock.elapsed() + 500;
        QTimer::singleShot(0, w.capture, [&] { click(w.capture, "pushButton_Sampling"); });
        QTimer::singleShot(500 + sweepMs, w.capture, [&] {
            sweptWhileWaiting = allReadSince(started);
            click(w.capture, "pushButton_Stop");
        });
        QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() > started + sweepMs && child<QPushButton>(w.capture, "pushButton_Sampling")->isEnabled(),
                                 3 * sweepMs);
        QVERIFY2(sweptWhileWaiting, "the monitor stopped while the capture waited for its trigger");
        w.capture->close();
    } else {
        // The time the first field shows a value, counted from the click that opens the window.
        for (QLineEdit *field : w.versions->findChildren<QLineEdit *>())
            UnreadValue::show(field);
        const qint64 opened = clock.elapsed();
        qint64 first = -1;
        for (QLineEdit *field : w.versions->findChildren<QLineEdit *>()) {
            connect(field, &QLineEdit::textChanged, this, [&](const QString &text) {
                if (first < 0 && !UnreadValue::isUnread(text))
                    first = clock.elapsed() - opened;
            });
        }
        child<QAction>(w.mainWindow, "action_version")->trigger();
        QVERIFY2(first >= 0 && first <= 2000, qPrintable(QStringLiteral("the first value came after %1 ms").arg(first)));
        QCOMPARE(shown(Shared::DriveInfo), infoAlone);
        w.versions->close();
    }
    QVERIFY2(longestWait <= sweepMs, qPrintable(QStringLiteral("a row waited %1 ms").arg(longestWait)));
    w.monitor->close();
    QCOMPARE(answerer->count(), 0);
}

// The JOG control's Stop, pressed while other requests wait their turn, or while the line settles
// after a request the drive left unanswered: the stop is the next frame on the line.
void TestWalk::stopGoesFirst_data()
{
    QTest::addColumn<bool>("settling");
    QTest::newRow("requests waiting") << false;
    QTest::newRow("during a settle") << true;
}

void TestWalk::stopGoesFirst()
{
    QFETCH(bool, settling);
    connectShared();
    if (QTest::currentTestFailed())
        return;
    const Windows &w = set->windows();
    drive->part<SimMotor>()->hold(false);
    drive->setReplyDelay(120);
    child<QAction>(w.mainWindow, "action_Alarm")->trigger();
    controlWindow *control = w.control;
    QTRY_VERIFY(control->isVisible());
    click(control, "pushButton_NO");
    click(control, "pushButton_continuousForeward");
    SimMotor *motor = drive->part<SimMotor>();
    QTRY_VERIFY_WITH_TIMEOUT(motor->speedRpm() > 0, 10000);
    if (settling) {
        // The link gives the silent request up after about 0.4 s and settles until 1.1 s.
        const int heard = drive->requestCount();
        drive->setFailure(SimulatedDrive::Failure::NoAnswer, 1);
        QTRY_VERIFY_WITH_TIMEOUT(drive->requestCount() > heard, 5000);
        QTest::qWait(600);
    } else {
        // Reads of another window on the line and waiting their turn behind it.
        for (const char *address : {"0101", "0102", "0103", "010A"})
            w.link->readSerial(address, "0001", 7);
    }
    // What was on the line when Stop was pressed may still reach the drive first; nothing else.
    const int heard = drive->requestCount();
    const QByteArray onLine = w.link->onLine ? w.link->current.frame : QByteArray();
    QTest::mouseClick(child<QPushButton>(control, "pushButton_stop"), Qt::LeftButton);
    const QByteArray stop = QByteArray::fromHex("010620010000");
    QList<QByteArray> after;
    QTRY_VERIFY_WITH_TIMEOUT((after = drive->requests().mid(heard)).size() >= 2 || after.value(0).startsWith(stop), 5000);
    QVERIFY2(after.at(0).startsWith(stop) || (after.at(0) == onLine && after.at(1).startsWith(stop)),
             "another frame went ahead of the stop");
    QTRY_VERIFY_WITH_TIMEOUT(motor->atRest(), 10000);
    click(control, "pushButton_OFF");
    control->close();
}

// A box that a person leaves open holds neither the line nor the command file. A window's slot
// that still opens one inside its answer (held 3 s) while the live trend and the command file keep
// the line busy: none of their requests is given up. The JOG control's warning after three
// unanswered steps, left open 10 s in automatic mode: once the drive answers again, every request
// of the command file is answered within 2 s of being written.
void TestWalk::noBoxHoldsTheLine_data()
{
    QTest::addColumn<bool>("jog");
    QTest::newRow("a slot's box held 3 s, trend and command file busy") << false;
    QTest::newRow("the JOG warning open 10 s in automatic mode") << true;
}

void TestWalk::noBoxHoldsTheLine()
{
    QFETCH(bool, jog);
    connectShared();
    if (QTest::currentTestFailed())
        return;
    const Windows &w = set->windows();
    begin(Shared::CommandFile);
    const QString expected = answers.first(); // "rp 101 0 u16" answered alone
    const QString key = jog ? QStringLiteral("驱动器连续三次未应答") : QStringLiteral("probe");
    const int heldMs = jog ? 10000 : 3000;
    QElapsedTimer boxUp;
    answerer->setLeftAlone([&](QWidget *window) {
        const auto &windows = set->createdWindows();
        const auto *box = qobject_cast<QMessageBox *>(window);
        if (std::find(windows.begin(), windows.end(), window) != windows.end())
            return true;
        if (!box || !box->text().contains(key))
            return false;
        if (!boxUp.isValid()) {
            boxUp.start();
            drive->setFailure(SimulatedDrive::Failure::None); // the stall that raised the JOG warning ends
        }
        return boxUp.elapsed() < heldMs; // left open, then answered
    });
    if (jog) {
        drive->part<SimMotor>()->hold(false);
        drive->setReplyDelay(120);
        child<QAction>(w.mainWindow, "action_Alarm")->trigger();
        QTRY_VERIFY(w.control->isVisible());
        click(w.control, "pushButton_NO");
        click(w.control, "pushButton_continuousForeward");
        QTRY_VERIFY_WITH_TIMEOUT(drive->part<SimMotor>()->speedRpm() > 0, 10000);
        // The drive stalls until the JOG control has stopped the motion and warns (the command
        // file's requests meanwhile are answered as failed).
        QTimer::singleShot(1000, this, [&] { drive->setFailure(SimulatedDrive::Failure::NoAnswer); });
    } else {
        begin(Shared::LiveTrend);
        // A window's slot that opens its box inside the trend's answer, once (what no window may
        // do; the link must stand it). The test support is told of it, and lets it pass here.
        LineTickets::setMisuseWatch([](const char *) {});
        connect(w.link, &serialPort::readDataToDynamic, this, [probed = false]() mutable {
            if (!std::exchange(probed, true))
                QMessageBox::warning(nullptr, QStringLiteral("probe"), QStringLiteral("probe"));
        });
    }
    const int givenUp = w.link->givenUpCount;
    w.automation->ui->checkBox->setChecked(true);
    OutsideProgram program(w.automation->filePath, {QStringLiteral("rp 101 0 u16")});
    QTRY_VERIFY_WITH_TIMEOUT(boxUp.isValid() && boxUp.elapsed() > heldMs + 1000, heldMs + 20000);
    program.total = program.exchanges.size();
    QTRY_COMPARE_WITH_TIMEOUT(program.answered, program.total, 5000);
    w.automation->ui->checkBox->setChecked(false);
    w.trend->close();
    w.control->close();
    // Every request written once the box was up (and the drive answered again) was answered
    // within 2 s, truly; none given up while the drive answered.
    const qint64 upMs = program.clock.elapsed() - boxUp.elapsed();
    int underTheBox = 0;
    for (const OutsideProgram::Exchange &e : program.exchanges) {
        if (e.writtenMs < upMs + 1000)
            continue;
        QVERIFY2(e.answeredMs - e.writtenMs <= 2000, qPrintable(QStringLiteral("written at %1 ms, answered at %2 ms").arg(e.writtenMs).arg(e.answeredMs)));
        QCOMPARE(e.result, expected);
        ++underTheBox;
    }
    QVERIFY2(underTheBox >= 5, qPrintable(QString::number(underTheBox)));
    QVERIFY(jog || w.link->givenUpCount == givenUp);
    const QList<ModalBoxAnswerer::Box> boxes = answerer->boxes();
    QCOMPARE(std::count_if(boxes.cbegin(), boxes.cend(), [&](const ModalBoxAnswerer::Box &b) { return b.text.contains(key); }), 1);
}

// An outside program that writes its next request at a random moment, often while the tool
// still carries out the last one (once the tool has taken it: its read reached the drive), and
// reads every answer before it writes over it. 500 requests at a 120 ms drive: every request is
// answered, in order, with its own value; none is lost.
void TestWalk::requestsWrittenWhileOneRuns()
{
    connectShared();
    if (QTest::currentTestFailed())
        return;
    const Windows &w = set->windows();
    begin(Shared::CommandFile);
    const QStringList expected = answers; // each request answered alone
    drive->setReplyDelay(120);
    w.automation->ui->checkBox->setChecked(true);
    OutsideProgram program(w.automation->filePath, {"rp 101 0 u16", "rp 102 0 h16", "rp 10A 0 u32", "rp 103 0 i16"},
                           [this] { return drive->requestCount(); });
    program.total = 500;
    QTRY_VERIFY_WITH_TIMEOUT(program.answered == program.total || program.stuck(), 600000);
    QVERIFY2(!program.stuck(), qPrintable(QStringLiteral("request %1 was never answered").arg(program.answered)));
    w.automation->ui->checkBox->setChecked(false);
    int ahead = 0;
    for (int i = 0; i < program.total; ++i) {
        QCOMPARE(program.exchanges.at(i).result, expected.at(i % 4));
        ahead += i > 0 && program.exchanges.at(i).writtenMs < program.exchanges.at(i - 1).answeredMs;
    }
    QVERIFY2(ahead >= program.total / 10, qPrintable(QString::number(ahead))); // written while the last ran
}

// One drive command at a time. A second operation started (by a user or the command file) while
// the first holds the drive's command registers is refused with a notice naming the holder and
// sends nothing; the first ends with its own result (the reset resets, the spectrum shows the
// drive's peaks, the capture its step, the execute finishes, the JOG runs on); then the second
// starts. "held": while another holds them, every start of every window is refused and the
// capture's and spectrum's Stop write nothing, but a motion stop goes.
void TestWalk::oneCommandAtATime_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QByteArray>("heard"); // the frame after which the second is started
    QTest::addColumn<QString>("holder");
    QTest::newRow("factory reset; a capture in its wait") << "reset" << QByteArray("010620001005") << "factory reset";
    QTest::newRow("spectrum; a capture in its set-up") << "spectrum" << QByteArray("010621030001") << "spectrum capture";
    QTest::newRow("spectrum; a capture in its status wait") << "spectrum" << QByteArray("01032205") << "spectrum capture";
    QTest::newRow("spectrum; a capture in its upload") << "spectrum" << QByteArray("01034000") << "spectrum capture";
    QTest::newRow("command file's capture; the spectrum in its upload") << "capture" << QByteArray("01034000") << "capture";
    QTest::newRow("motor data execute; the encoder reset in its wait") << "execute" << QByteArray("010620010004") << "motor data execute";
    QTest::newRow("JOG; the command file's capture and stop") << "jog" << QByteArray() << "JOG";
    QTest::newRow("JOG steps without a mode; a capture") << "steps" << QByteArray() << "JOG";
    QTest::newRow("JOG ON; the command file's capture in its OFF writes") << "on" << QByteArray("010620000000") << "JOG";
    QTest::newRow("capture; the command file's register writes") << "wp" << QByteArray("01032205") << "capture";
    QTest::newRow("held; every start") << "held" << QByteArray() << "test run";
}

void TestWalk::oneCommandAtATime()
{
    QFETCH(QString, first);
    QFETCH(QByteArray, heard);
    QFETCH(QString, holder);
    connectShared();
    if (QTest::currentTestFailed())
        return;
    const Windows &w = set->windows();
    const auto press = [](QWidget *window, const char *slot) { QVERIFY(QMetaObject::invokeMethod(window, slot)); };
    // The frames the drive heard (from the `from`-th on) that start so.
    const auto sent = [&](const QByteArray &start, int from = 0) {
        const QList<QByteArray> frames = drive->requests().mid(from);
        return std::count_if(frames.cbegin(), frames.cend(), [&](const QByteArray &f) { return f.toHex().toUpper().startsWith(start); });
    };
    // The second start, from the event loop once the drive has heard `heard`: the link takes nothing.
    int refused = 0;
    QTimer watch;
    const auto startWhenHeard = [&](const std::function<void()> &open, const std::function<void()> &start) {
        connect(&watch, &QTimer::timeout, this, [&, open, start] {
            if (sent(heard) == 0)
                return;
            watch.stop();
            open();
            const LineTickets::Ticket before = LineTickets::lastTaken();
            start();
            refused += LineTickets::lastTaken() == before;
        });
        watch.start(2);
    };
    const auto captureStep = [&] {
        QTRY_COMPARE_WITH_TIMEOUT(w.capture->dataCH1.size(), 512, 30000);
        for (int k = 0; k < 512; ++k)
            QVERIFY(std::fabs(w.capture->dataCH1.at(k) - SimSampler::speedFeedback((k - SimSampler::kFreeRunStepSample) * 125e-6)) <= 1);
    };
    const auto spectrumPeaks = [&] {
        QCOMPARE(child<QLineEdit>(w.spectrum, "lineEdit_fre1")->text(), QStringLiteral("125"));
        QCOMPARE(child<QLineEdit>(w.spectrum, "lineEdit_fre2")->text(), QStringLiteral("375"));
    };
    const auto openWindow = [&](const char *action, QWidget *window) {
        child<QAction>(w.mainWindow, action)->trigger();
        QTRY_VERIFY(window->isVisible());
    };
    const auto openSpectrum = [&] {
        openWindow("action_Analysis", w.spectrum);
        child<QComboBox>(w.spectrum, "comboBox_Choose")->setCurrentIndex(0); // speed feedback
    };
    // Opening the capture window closes the spectrum window, not its run. Its Stop writes nothing.
    const auto captureAndStop = [&] { press(w.capture, "on_pushButton_Sampling_clicked"); press(w.capture, "on_pushButton_Stop_clicked"); };
    const auto spectrumAndStop = [&] { press(w.spectrum, "on_pushButton_Start_clicked"); press(w.spectrum, "on_pushButton_stop_clicked"); };
    const auto encoderReset = [&] { answerer->queueAnswers({ModalBoxAnswerer::Answer::Yes}); press(w.encoderReset, "on_pushButton_AF11_clicked"); };
    const QString refusal = "-1 drive command registers held by %1 wop F";
    if (first == QLatin1String("reset")) {
        openWindow("action_Parameter", w.parameters);
        QTRY_VERIFY_WITH_TIMEOUT(!w.parameters->firstRead, 30000);
        openWindow("action_Static", w.capture);
        drive->setReplyDelay(300);
        startWhenHeard([&] { drive->setReplyDelay(0); }, captureAndStop);
        answerer->queueAnswers({ModalBoxAnswerer::Answer::Yes});
        press(w.parameters, "on_pushButton_Default_clicked");
        QCOMPARE(drive->part<DriveParameters>()->resetCount(), 1);
        QCOMPARE(w.parameters->model->index(0, 8).data(Qt::EditRole).toString(), QStringLiteral("已恢复"));
        press(w.capture, "on_pushButton_Sampling_clicked");
        captureStep();
    } else if (first == QLatin1String("spectrum")) {
        openSpectrum();
        startWhenHeard([&] { openWindow("action_Static", w.capture); }, captureAndStop);
        press(w.spectrum, "on_pushButton_Start_clicked");
        spectrumPeaks();
        press(w.capture, "on_pushButton_Sampling_clicked");
        captureStep();
    } else if (first == QLatin1String("capture")) {
        openSpectrum();
        startWhenHeard([] {}, spectrumAndStop);
        QCOMPARE(commandFile("wop S1 0 0"), QStringLiteral("0 wop T"));
        QCOMPARE(commandFile("rop S1 0 0"), QStringLiteral("2 rop T"));
        captureStep();
        press(w.spectrum, "on_pushButton_Start_clicked");
        spectrumPeaks();
    } else if (first == QLatin1String("execute")) {
        openWindow("action_motorParameter", w.encoder);
        startWhenHeard([&] { openWindow("action_master", w.master); press(w.master, "on_commandLinkButton_6_clicked"); }, encoderReset);
        press(w.encoder, "on_pushButton_startExecute_clicked");
        QCOMPARE(child<QLabel>(w.encoder, "label_Step_EN")->text(), QStringLiteral("finished execution"));
        w.encoderReset->retryPauseMs = 200;
        encoderReset();
        QCOMPARE(drive->part<SimAuxiliary>()->encoderResetStarts(), 1);
    } else if (first == QLatin1String("jog")) {
        drive->part<SimMotor>()->hold(false);
        openWindow("action_Alarm", w.control);
        press(w.control, "on_pushButton_NO_clicked");
        press(w.control, "on_pushButton_continuousForeward_clicked");
        QTRY_VERIFY_WITH_TIMEOUT(drive->part<SimMotor>()->speedRpm() > 0, 10000);
        const int before = drive->requestCount();
        QCOMPARE(commandFile("wop S1 0 0"), refusal.arg(holder));
        QCOMPARE(commandFile("wop S2 0 0"), refusal.arg(holder));
        for (const QByteArray &frame : drive->requests().mid(before)) // the JOG's steps and the poll's reads
            QVERIFY(frame.toHex().startsWith("010620010002") || quint8(frame.at(1)) == 0x03);
        refused = 1;
        QVERIFY(w.automation->ui->label_error->text().contains(u8"“JOG”")); // as the interface says it
        QVERIFY(drive->part<SimMotor>()->speedRpm() > 0 && w.control->mode == controlWindow::JogMode);
        press(w.control, "on_pushButton_OFF_clicked");
        QCOMPARE(commandFile("wop S1 0 0"), QStringLiteral("0 wop T"));
    } else if (first == QLatin1String("steps")) {
        openWindow("action_Alarm", w.control);
        press(w.control, "on_pushButton_continuousForeward_clicked");
        const int before = drive->requestCount();
        QCOMPARE(commandFile("wop S1 0 0"), refusal.arg(holder));
        press(w.capture, "on_pushButton_Sampling_clicked");
        QTRY_VERIFY(sent("010620010002", before) >= 2); // the steps go on
        for (const QByteArray &frame : drive->requests().mid(before))
            QVERIFY(frame.toHex().startsWith("010620010002") || quint8(frame.at(1)) == 0x03);
        refused = 1;
        press(w.control, "on_pushButton_stop_clicked");
        QVERIFY(!DriveCommands::isHeld());
        press(w.capture, "on_pushButton_Sampling_clicked");
        captureStep();
    } else if (first == QLatin1String("on")) {
        openWindow("action_Alarm", w.control);
        drive->clearRequests();
        // A drive that answers at once could take the ON's last writes between two looks.
        drive->setReplyDelay(50);
        startWhenHeard([&] { drive->setReplyDelay(0); }, [&] { QCOMPARE(commandFile("wop S1 0 0"), refusal.arg(holder)); });
        press(w.control, "on_pushButton_NO_clicked");
        QCOMPARE(refused, 1);
        QCOMPARE(w.control->mode, controlWindow::JogMode);
        QVERIFY(sent("010620001002") == 1 && sent("010621000004") == 0); // JOG selected, no sampler set-up
        press(w.control, "on_pushButton_OFF_clicked");
        QCOMPARE(commandFile("wop S1 0 0"), QStringLiteral("0 wop T"));
        captureStep();
    } else if (first == QLatin1String("wp")) {
        openWindow("action_Static", w.capture);
        QStringList answered;
        int writesAfter = -1;
        startWhenHeard([] {}, [&] {
            const int before = drive->requestCount();
            answered << commandFile("wp 2001 0 u16") << commandFile("wp 2000 0 u16");
            writesAfter = sent("0106", before) + sent("0110", before);
        });
        press(w.capture, "on_pushButton_Sampling_clicked");
        captureStep();
        const QString held = "-1 drive command registers held by capture wp F";
        QCOMPARE(answered, (QStringList{held, held}));
        QCOMPARE(writesAfter, 0);
        refused = 1;
    } else {
        QObject other;
        DriveCommands::take(&other, DriveCommands::Operation::TestRun);
        const int before = drive->requestCount();
        answerer->queueAnswers({ModalBoxAnswerer::Answer::Yes, ModalBoxAnswerer::Answer::Yes, ModalBoxAnswerer::Answer::Yes});
        const std::vector<std::pair<QWidget *, const char *>> starts{
            {w.capture, "on_pushButton_Sampling_clicked"}, {w.capture, "on_pushButton_Stop_clicked"},
            {w.spectrum, "on_pushButton_Start_clicked"}, {w.spectrum, "on_pushButton_stop_clicked"},
            {w.parameters, "on_pushButton_Default_clicked"}, {w.encoder, "on_pushButton_removeAlarm_clicked"},
            {w.encoder, "on_pushButton_startExecute_clicked"}, {w.encoder, "on_pushButton_startLoading_clicked"},
            {w.encoder, "on_pushButton_startTest_clicked"}, {w.control, "on_pushButton_ProgramON_clicked"},
            {w.control, "on_pushButton_originForeward_clicked"}, {w.teaching, "on_pushButton_AF1_clicked"},
            {w.alarms, "on_pushButton_resert_clicked"}, {w.alarms, "on_pushButton_AF4_clicked"},
            {w.analogOffset, "on_pushButton_AF6_clicked"}, {w.speedOffset, "on_pushButton_AF7UP_clicked"},
            {w.torqueOffset, "on_pushButton_AF8Up_clicked"}, {w.encoderReset, "on_pushButton_AF11_clicked"},
            {w.control, "on_pushButton_stop_clicked"}};
        for (const auto &start : starts)
            press(start.first, start.second);
        for (const QByteArray &frame : drive->requests().mid(before))
            QVERIFY(quint8(frame.at(1)) == 0x03 || frame.toHex().startsWith("010620010000")); // the status poll's reads
        QCOMPARE(sent("010620010000", before), 1); // and the JOG's stop
        refused = ModalBoxAnswerer::takeNotices().size() == int(starts.size()) - 3;
        QCOMPARE(commandFile("wop S1 0 0"), refusal.arg(holder));
    }
    const QStringList notices = ModalBoxAnswerer::takeNotices();
    const bool noticed = !QStringList{"jog", "held", "on", "wp"}.contains(first);
    QVERIFY2(refused == 1 && notices.size() == noticed, qPrintable(notices.join('|')));
    QVERIFY(notices.isEmpty() || notices.first().contains(holder));
    QVERIFY(!DriveCommands::isHeld());
}

// Every register an operation writes while it holds the drive's command registers is one the
// link guards, for both families: each such operation runs once against the simulated drive and
// what reached the drive's registers meanwhile is taken from the line. So a writer added later,
// or a register added to one, cannot be left outside the gate.
void TestWalk::everyHeldWriteIsGuarded_data()
{
    QTest::addColumn<int>("family");
    QTest::newRow("VR") << 0;
    QTest::newRow("HXQ") << 1;
}

void TestWalk::everyHeldWriteIsGuarded()
{
    QFETCH(int, family);
    connectShared(family);
    if (QTest::currentTestFailed())
        return;
    const Windows &w = set->windows();
    const auto press = [](QWidget *window, const char *names) {
        for (const QByteArray &slot : QByteArray(names).split(' '))
            QVERIFY2(QMetaObject::invokeMethod(window, slot.constData()), slot.constData());
    };
    const auto open = [&](const char *action, QWidget *window) {
        child<QAction>(w.mainWindow, action)->trigger();
        QTRY_VERIFY(window->isVisible());
    };
    const auto yes = [&] { answerer->queueAnswers({ModalBoxAnswerer::Answer::Yes}); };
    struct Run
    {
        const char *name;
        std::function<void()> open, steps;
    };
    const auto none = [] {};
    std::vector<Run> runs{
        {"capture", [&] { open("action_Static", w.capture); }, [&] { press(w.capture, "on_pushButton_Sampling_clicked"); }},
        {"factory reset", [&] { open("action_Parameter", w.parameters); QTRY_VERIFY_WITH_TIMEOUT(!w.parameters->firstRead, 30000); },
         [&] { yes(); press(w.parameters, "on_pushButton_Default_clicked"); }},
    };
    if (family == 0) {
        const std::vector<Run> vr{
            {"spectrum capture", [&] { open("action_Analysis", w.spectrum); }, [&] { press(w.spectrum, "on_pushButton_Start_clicked"); }},
            {"JOG", [&] { open("action_Alarm", w.control); },
             [&] { press(w.control, "on_pushButton_NO_clicked on_pushButton_continuousForeward_clicked on_pushButton_stop_clicked on_pushButton_OFF_clicked"); }},
            {"JOG without a mode", none, [&] { press(w.control, "on_pushButton_continuousReversal_clicked on_pushButton_stop_clicked"); }},
            {"program run", none,
             [&] { press(w.control, "on_pushButton_ProgramON_clicked on_pushButton_programForeward_clicked on_pushButton_programStop_clicked on_pushButton_programOFF_clicked"); }},
            {"homing", none,
             [&] { press(w.control, "on_pushButton_originON_clicked on_pushButton_originForeward_clicked on_pushButton_originStop_clicked on_pushButton_originOFF_clicked"); }},
            {"motor data", [&] { w.control->close(); open("action_motorParameter", w.encoder); },
             [&] { press(w.encoder, "on_pushButton_removeAlarm_clicked on_pushButton_startExecute_clicked on_pushButton_startLoading_clicked on_pushButton_startTest_clicked"); }},
            {"auxiliary functions", [&] { w.encoder->close(); open("action_master", w.master); },
             [&] {
                 press(w.teaching, "on_pushButton_AF1_clicked");
                 press(w.alarms, "on_pushButton_resert_clicked on_pushButton_AF4_clicked");
                 press(w.analogOffset, "on_pushButton_AF6_clicked");
                 press(w.speedOffset, "on_pushButton_AF7UP_clicked on_pushButton_AF7DOWN_clicked");
                 press(w.torqueOffset, "on_pushButton_AF8Up_clicked on_pushButton_AF8Down_clicked");
                 yes();
                 press(w.encoderReset, "on_pushButton_AF11_clicked");
             }},
        };
        runs.insert(runs.end(), vr.begin(), vr.end());
    }
    QStringList faults;
    for (const Run &run : runs) {
        run.open();
        drive->clearRequests();
        run.steps();
        QTRY_VERIFY_WITH_TIMEOUT(!DriveCommands::isHeld(), 60000);
        int writes = 0;
        QStringList unguarded;
        for (const QByteArray &frame : drive->requests()) {
            const quint8 function = quint8(frame.at(1));
            if (function != 0x06 && function != 0x10)
                continue;
            const quint16 first = quint16((quint8(frame.at(2)) << 8) | quint8(frame.at(3)));
            for (int i = 0; i < (function == 0x10 ? quint8(frame.at(5)) : 1); ++i) {
                ++writes;
                if (!DriveCommands::isCommandRegister(family, quint16(first + i)))
                    unguarded << QString::number(first + i, 16).toUpper();
            }
        }
        unguarded.removeDuplicates();
        QVERIFY2(writes > 0, run.name);
        if (!unguarded.isEmpty())
            faults << QStringLiteral("%1 wrote %2").arg(run.name, unguarded.join(' '));
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ") + " unguarded"));
}

// An entry whose sequence of waited requests runs, pressed a second and a third time inside its
// first wait (the drive answers late), starts nothing: it shows the values, sends the requests
// and opens the boxes of one press on a session of its own, but for its warnings ("said", once a
// press). The third press finds what the refused second one left of the run's guard. Registers
// are set apart, so that an answer taken into another field shows.
void TestWalk::secondPressWhileOneRuns_data()
{
    for (const char *column : {"before", "entry", "again", "shown", "said"})
        QTest::addColumn<QString>(column);
    const char *const panel = "MainWindow/action_master", *const button = "masterControl/commandLinkButton";
    const QStringList dialogs{"Function_AF1", "function_AF4", "Function_AF6", "Function_AF7", "FunctionAF8", "Function_AF11", "function_AF30"};
    const QStringList buttons{"", "_2", "_3", "_4", "_5", "_6", "_AF30"};
    for (int i = 0; i < dialogs.size(); ++i)
        QTest::addRow("panel opens %s", qPrintable(dialogs[i])) << panel << button + buttons[i] << "" << dialogs[i] << "";
    const char *const rows[][6] = { // name, before, entry, again (empty: the entry), shown, said
        {"alarm history, then teaching", panel, "masterControl/commandLinkButton_2", button, "function_AF4", ""},
        {"teaching, then the panel", "MainWindow/action_master;masterControl/commandLinkButton", "Function_AF1/pushButton_AF1", button, "Function_AF1", ""},
        {"torque offset, then a step", panel, "masterControl/commandLinkButton_5", "FunctionAF8/pushButton_AF8Up", "FunctionAF8", ""},
        {"encoder reset, then the reset", panel, "masterControl/commandLinkButton_6", "Function_AF11/pushButton_AF11", "Function_AF11", ""},
        {"rigidity Write", "MainWindow/action_master;masterControl/commandLinkButton_AF30", "function_AF30/pushButton_write", "", "function_AF30", ""},
        {"drive information", "", "MainWindow/action_version", "", "Versions", ""},
        {"parameter first read", "", "MainWindow/action_Parameter", "", "parameterWindow", ""},
        {"parameter Upload", "MainWindow/action_Parameter;parameterWindow/checkBox_All", "parameterWindow/pushButton_Upload", "",
         "parameterWindow", ""},
        {"motor data opening", "", "MainWindow/action_motorParameter", "", "EncoderdataWindow", ""},
        {"motor data Upload", "MainWindow/action_motorParameter", "EncoderdataWindow/pushButton_upLoad", "", "EncoderdataWindow", ""},
        {"loop gains Read", "MainWindow/action_Static", "staticWindow/pushButton_read", "", "staticWindow", ""},
        {"loop gains Write", "MainWindow/action_Static;staticWindow/pushButton_read", "staticWindow/pushButton_write", "", "staticWindow", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[1] << row[2] << row[3] << row[4] << row[5];
}

void TestWalk::secondPressWhileOneRuns()
{
    QFETCH(QString, before);
    QFETCH(QString, entry);
    QFETCH(QString, again);
    QFETCH(QString, shown);
    QFETCH(QString, said);
    if (again.isEmpty())
        again = entry;
    const auto window = [this](const QString &name) {
        const auto &windows = set->createdWindows();
        return *std::find_if(windows.begin(), windows.end(), [&](QWidget *w) { return w->objectName() == name; });
    };
    // A menu action is triggered, a button clicked (a greyed one does nothing).
    const auto press = [&](const QString &path) {
        QObject *pressed = window(path.section('/', 0, 0))->findChild<QObject *>(path.section('/', 1));
        if (auto *action = qobject_cast<QAction *>(pressed))
            action->trigger();
        else
            qobject_cast<QAbstractButton *>(pressed)->click();
    };
    QList<QByteArray> heard[2];
    QStringList values[2], boxes[2];
    for (int twice = 1; twice >= 0; --twice) {
        set.reset();
        connectShared();
        // Motor power and voltage class unlike the drive's, pulses, voltages, offsets and turns.
        for (quint16 r : {0xC00F, 0xC011, 0xE001, 0xE003, 0xE007, 0xE009, 0xE30B, 0xE30C, 0xE162})
            drive->setRegister(r, r == 0xC011 ? 1 : (r & 0x3FF) + 40);
        for (const QString &first : before.split(';', Qt::SkipEmptyParts))
            press(first);
        drive->setReplyDelay(30);
        answerer->clear();
        const int from = drive->requestCount();
        QObject first; // the later presses come from the first run's waits for the drive, or not at all
        bool entryReturned = false, thirdInside = !twice;
        if (twice)
            QTimer::singleShot(0, &first, [&] {
                press(again);
                QTimer::singleShot(0, &first, [&] { thirdInside = !entryReturned; press(again); });
            });
        press(entry);
        entryReturned = true;
        QVERIFY(thirdInside);
        for (const QByteArray &frame : drive->requests().mid(from)) {
            if (!frame.startsWith(QByteArray::fromHex("0103E31B"))) // the status poll's
                heard[twice] << frame;
        }
        for (const ModalBoxAnswerer::Box &box : answerer->boxes())
            boxes[twice] << box.text;
        for (const QLineEdit *field : window(shown)->findChildren<QLineEdit *>())
            values[twice] << field->text();
        QSet<const QAbstractItemModel *> models;
        for (const QAbstractItemView *view : window(shown)->findChildren<QAbstractItemView *>()) {
            const QAbstractItemModel *m = view->model();
            for (int cell = 0; !models.contains(m) && cell < m->rowCount() * m->columnCount(); ++cell)
                values[twice] << m->index(cell / m->columnCount(), cell % m->columnCount()).data().toString();
            models.insert(m);
        }
    }
    QVERIFY(!heard[0].isEmpty() && !values[0].contains(UnreadValue::text()));
    QCOMPARE(values[1], values[0]);
    QCOMPARE(heard[1], heard[0]);
    if (!said.isEmpty())
        boxes[0] << said << said;
    QCOMPARE(boxes[1], boxes[0]);
}

// The command file's answer to one request (its last two lines), carried out in automatic mode.
QString TestWalk::commandFile(const QString &request)
{
    AutoWindow *automation = set->windows().automation;
    QSaveFile file(automation->filePath);
    file.open(QIODevice::WriteOnly);
    file.write((request + '\n' + request + '\n').toLocal8Bit());
    file.commit();
    automation->ui->checkBox->setEnabled(true);
    automation->ui->checkBox->setChecked(true);
    automation->timeSlot();
    automation->ui->checkBox->setChecked(false);
    QFile answer(automation->filePath);
    answer.open(QIODevice::ReadOnly);
    return QString::fromLocal8Bit(answer.readAll()).split('\n').mid(1).join(' ');
}

void TestWalk::begin(Shared one)
{
    const Windows &w = set->windows();
    switch (one) {
    case Shared::CommandFile:
        answers.clear();
        for (const QString request : {"rp 101 0 u16", "rp 102 0 h16", "rp 10A 0 u32", "rp 103 0 i16"}) {
            QFile file(w.automation->filePath);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write((request + '\n' + request + '\n').toLocal8Bit());
            file.close();
            w.automation->ui->checkBox->setEnabled(true);
            w.automation->ui->checkBox->setChecked(true);
            w.automation->timeSlot();
            QVERIFY(file.open(QIODevice::ReadOnly));
            answers << QString::fromLocal8Bit(file.readAll()).split('\n').mid(1).join(' ');
        }
        w.automation->ui->checkBox->setChecked(false);
        break;
    case Shared::Monitor:
        for (int row = 0; row < w.monitor->treeModel()->rowCount(); ++row)
            w.monitor->treeModel()->setData(w.monitor->treeModel()->index(row, 3), UnreadValue::text(), Qt::EditRole);
        child<QAction>(w.mainWindow, "action_monitor")->trigger();
        break;
    case Shared::LiveTrend:
        w.trend->history = LiveTrend::ValueHistory();
        child<QAction>(w.mainWindow, "action_Dynamic")->trigger();
        break;
    case Shared::DriveInfo:
        child<QAction>(w.mainWindow, "action_version")->trigger();
        break;
    case Shared::AlarmHistory:
        child<QAction>(w.mainWindow, "action_master")->trigger();
        QTest::mouseClick(child<QCommandLinkButton>(w.master, "commandLinkButton_2"), Qt::LeftButton);
        break;
    case Shared::MotorData:
        for (int row = 0; row < w.encoder->model->rowCount(); ++row)
            w.encoder->model->setData(w.encoder->model->index(row, 8), QString(), Qt::EditRole);
        child<QAction>(w.mainWindow, "action_motorParameter")->trigger();
        click(w.encoder, "pushButton_upLoad");
        break;
    }
}

// A window that runs by its own timer has shown everything once every row holds a value (the
// monitor) or a few points are drawn (the trend).
void TestWalk::end(Shared one)
{
    const Windows &w = set->windows();
    if (one == Shared::Monitor) {
        QTRY_VERIFY_WITH_TIMEOUT(!shown(one).contains(UnreadValue::text()), 60000);
        w.monitor->close();
    } else if (one == Shared::LiveTrend) {
        QTRY_VERIFY_WITH_TIMEOUT(w.trend->history.values().size() >= 5, 20000);
        w.trend->close();
    }
    for (QWidget *window : {static_cast<QWidget *>(w.alarms), static_cast<QWidget *>(w.master),
                            static_cast<QWidget *>(w.versions), static_cast<QWidget *>(w.encoder)})
        window->close();
}

QStringList TestWalk::shown(Shared one)
{
    const Windows &w = set->windows();
    QStringList values;
    if (one == Shared::CommandFile)
        values = answers;
    for (int row = 0; one == Shared::Monitor && row < w.monitor->treeModel()->rowCount(); ++row)
        values << w.monitor->treeModel()->index(row, 3).data().toString();
    for (qint32 v : one == Shared::LiveTrend ? w.trend->history.values() : QVector<qint32>())
        values << QString::number(v);
    if (one == Shared::LiveTrend)
        values.removeDuplicates(); // one held value
    for (const QLineEdit *field : one == Shared::DriveInfo ? w.versions->findChildren<QLineEdit *>() : QList<QLineEdit *>())
        values << field->text();
    const QTableWidget *table = child<QTableWidget>(w.alarms, "tableWidget");
    for (int cell = 0; one == Shared::AlarmHistory && cell < 2 * table->rowCount(); ++cell)
        values << (table->item(cell / 2, cell % 2) ? table->item(cell / 2, cell % 2)->text() : QString());
    // A motor-data row not uploaded this time shows nothing as read.
    for (int row = 0; one == Shared::MotorData && row < w.encoder->model->rowCount(); ++row)
        values << (w.encoder->model->index(row, 8).data().toString() == QStringLiteral("已上传")
                       ? w.encoder->model->index(row, 3).data().toString() : QString());
    return values;
}

QTEST_MAIN(TestWalk)
#include "tst_walk.moc"
