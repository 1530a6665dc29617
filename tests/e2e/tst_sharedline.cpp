// Several windows on the one line at once, as main builds them, against a drive that answers
// late (0 to 300 ms) or stalls for most of a second: every value a window shows and every answer
// the command file gives is the drive's own, never another window's. Each window's values are
// first taken alone from a prompt drive; under load each shown value must be that value, or
// shown as not read (an empty field, an answer F) when the stall left its read unanswered. The
// main window's status poll runs throughout and must never take the busy line for a lost one.

#include <QAction>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QFile>
#include <QStatusBar>
#include <QtTest>

#include <memory>

#include "autowindow.h"
#include "dynamicwindow.h"
#include "encoderdatawindow.h"
#include "function_af4.h"
#include "mastercontrol.h"
#include "modalanswerer.h"
#include "monitorwindow.h"
#include "passworddialog.h"
#include "session.h"
#include "simlive.h"
#include "simmotor.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"
#include "treemodel.h"
#include "unreadvalue.h"
#include "ui_autowindow.h"
#include "versions.h"
#include "windowset.h"

using E2e::child;
using E2e::click;

namespace {

enum class Window { CommandFile, Monitor, LiveTrend, DriveInfo, AlarmHistory, MotorData };
const char *const kNames[] = {"command file", "monitor", "live trend", "drive information", "alarm history",
                              "motor data"};
// How a value whose read went unanswered shows: the unread mark, an empty field, an answer F.
bool unread(const QString &shown)
{
    return shown.isEmpty() || UnreadValue::isUnread(shown) || shown.endsWith(QLatin1String(" F"));
}

// Parameters with a value no other register the windows read holds.
const QStringList kRequests{"rp 101 0 u16", "rp 102 0 h16", "rp 10A 0 u32", "rp 103 0 i16"};

} // namespace

Q_DECLARE_METATYPE(Window)

class TestSharedLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyValueIsTheDrivesOwn_data();
    void everyValueIsTheDrivesOwn();

private:
    // A window that runs by its own timer while the other one works (monitor, live trend).
    static bool ticksByItself(Window w) { return w == Window::Monitor || w == Window::LiveTrend; }
    void start(Window w);
    void finish(Window w);
    QStringList shown(Window w) const;
    void forget(Window w);

    std::unique_ptr<TempWorkDir> work;
    std::unique_ptr<ModalBoxAnswerer> answerer;
    std::unique_ptr<SimulatedDrive> drive;
    std::unique_ptr<WindowSet> set;
    QStringList answers; // the command file's answers
};

void TestSharedLine::init()
{
    work = std::make_unique<TempWorkDir>();
    answerer = std::make_unique<ModalBoxAnswerer>(ModalBoxAnswerer::Answer::Ok);
    drive = std::make_unique<SimulatedDrive>();
    SimulatedModel::install(*drive, 0);
    drive->part<SimLiveVariables>()->hold(true);
    drive->part<SimMotor>()->hold(true);
    drive->setRegister(0x0101, 0x1101);
    drive->setRegister(0x0102, 0x2202);
    drive->setRegister32(0x010A, 0x33030A0A);
    drive->setRegister(0x0103, 0xC404);
    QVERIFY2(drive->start(), qPrintable(drive->errorString()));
    set = std::make_unique<WindowSet>();
    answerer->setLeftAlone([this](QWidget *w) {
        const auto &windows = set->createdWindows();
        return std::find(windows.begin(), windows.end(), w) != windows.end();
    });
    const Windows &w = set->windows();
    E2e::chooseAndConnect(w, *drive, 0);
    // The motor data ask for the raised access level.
    QTRY_COMPARE_WITH_TIMEOUT(w.mainWindow->statusBar()->currentMessage(), QStringLiteral("OnLine"), 10000);
    child<QAction>(w.mainWindow, "action_PassWord")->trigger();
    QTRY_VERIFY(w.passwordDialog->isVisible());
    QTest::keyClicks(child<QLineEdit>(w.passwordDialog, "lineEdit_password"), QStringLiteral("MOLVE314"));
    click(w.passwordDialog, "pushButton_OK");
    w.automation->filePath = work->filePath(QStringLiteral("command.txt"));
    w.automation->chooseFile = false;
}

void TestSharedLine::cleanup()
{
    set.reset();
    drive.reset();
    answerer.reset();
    work.reset();
}

void TestSharedLine::start(Window w)
{
    const Windows &ws = set->windows();
    switch (w) {
    case Window::Monitor:
        child<QAction>(ws.mainWindow, "action_monitor")->trigger();
        QTRY_VERIFY(ws.monitor->isMonitoring());
        break;
    case Window::LiveTrend:
        child<QAction>(ws.mainWindow, "action_Dynamic")->trigger();
        QTRY_VERIFY(ws.trend->isVisible());
        break;
    case Window::CommandFile:
        answers.clear();
        for (const QString &request : kRequests) {
            QFile file(ws.automation->filePath);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write((request + '\n' + request + '\n').toLocal8Bit());
            file.close();
            ws.automation->ui->checkBox->setEnabled(true);
            ws.automation->ui->checkBox->setChecked(true);
            ws.automation->timeSlot();
            QVERIFY(file.open(QIODevice::ReadOnly));
            answers << QString::fromLocal8Bit(file.readAll()).split('\n').mid(1).join(' ');
        }
        ws.automation->ui->checkBox->setChecked(false);
        break;
    case Window::DriveInfo:
        child<QAction>(ws.mainWindow, "action_version")->trigger();
        break;
    case Window::AlarmHistory:
        child<QAction>(ws.mainWindow, "action_master")->trigger();
        QTRY_VERIFY(ws.master->isVisible());
        QTest::mouseClick(child<QCommandLinkButton>(ws.master, "commandLinkButton_2"), Qt::LeftButton);
        QTRY_VERIFY(ws.alarms->isVisible());
        break;
    case Window::MotorData:
        child<QAction>(ws.mainWindow, "action_motorParameter")->trigger();
        QTRY_VERIFY(ws.encoder->isVisible());
        click(ws.encoder, "pushButton_upLoad");
        break;
    }
}

// A window that ticks by itself has shown everything once it has a value in every row (the
// monitor) or a few points (the trend); then it is closed.
void TestSharedLine::finish(Window w)
{
    const Windows &ws = set->windows();
    if (w == Window::Monitor) {
        TreeModel *model = ws.monitor->treeModel();
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (int row = 0; row < model->rowCount(); ++row)
                    if (unread(model->index(row, 3).data().toString()))
                        return false;
                return true;
            }(),
            60000);
        ws.monitor->close();
        QTRY_VERIFY(!ws.monitor->isMonitoring());
    } else if (w == Window::LiveTrend) {
        QTRY_VERIFY_WITH_TIMEOUT(ws.trend->history.values().size() >= 5, 20000);
        ws.trend->close();
    } else if (w == Window::AlarmHistory) {
        ws.alarms->close();
        ws.master->close();
    } else if (w == Window::DriveInfo) {
        ws.versions->close();
    } else if (w == Window::MotorData) {
        ws.encoder->close();
    }
}

QStringList TestSharedLine::shown(Window w) const
{
    const Windows &ws = set->windows();
    QStringList values;
    switch (w) {
    case Window::CommandFile:
        return answers;
    case Window::Monitor:
        for (int row = 0; row < ws.monitor->treeModel()->rowCount(); ++row)
            values << ws.monitor->treeModel()->index(row, 3).data().toString();
        break;
    case Window::LiveTrend:
        for (qint32 v : ws.trend->history.values())
            values << QString::number(v);
        values.removeDuplicates();
        break;
    case Window::DriveInfo:
        for (const QLineEdit *field : ws.versions->findChildren<QLineEdit *>())
            values << field->text();
        break;
    case Window::AlarmHistory: {
        const QTableWidget *table = child<QTableWidget>(ws.alarms, "tableWidget");
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < 2; ++column)
                values << (table->item(row, column) ? table->item(row, column)->text() : QString());
        break;
    }
    case Window::MotorData:
        // A row that was not uploaded this time shows nothing as read.
        for (int row = 0; row < ws.encoder->model->rowCount(); ++row) {
            const bool uploaded = ws.encoder->model->index(row, 8).data().toString() == QStringLiteral("已上传");
            values << (uploaded ? ws.encoder->model->index(row, 3).data().toString() : QString());
        }
        break;
    }
    return values;
}

// What a window still shows from the first round is not taken for the second round's values.
void TestSharedLine::forget(Window w)
{
    const Windows &ws = set->windows();
    if (w == Window::Monitor) {
        for (int row = 0; row < ws.monitor->treeModel()->rowCount(); ++row)
            ws.monitor->treeModel()->setData(ws.monitor->treeModel()->index(row, 3), QString(), Qt::EditRole);
    } else if (w == Window::LiveTrend) {
        ws.trend->history = LiveTrend::ValueHistory();
    } else if (w == Window::MotorData) {
        for (int row = 0; row < ws.encoder->model->rowCount(); ++row)
            ws.encoder->model->setData(ws.encoder->model->index(row, 8), QString(), Qt::EditRole);
    }
}

void TestSharedLine::everyValueIsTheDrivesOwn_data()
{
    QTest::addColumn<Window>("ticking");
    QTest::addColumn<Window>("working");
    QTest::addColumn<int>("delay");
    QTest::addColumn<bool>("stall");
    const QList<QPair<Window, Window>> pairs{{Window::Monitor, Window::CommandFile},
                                             {Window::LiveTrend, Window::CommandFile},
                                             {Window::Monitor, Window::DriveInfo},
                                             {Window::LiveTrend, Window::AlarmHistory},
                                             {Window::Monitor, Window::MotorData}};
    for (const auto &pair : pairs) {
        for (int delay : {0, 30, 70, 120, 300})
            QTest::addRow("%s + %s, %d ms", kNames[int(pair.first)], kNames[int(pair.second)], delay)
                << pair.first << pair.second << delay << false;
        QTest::addRow("%s + %s, 70 ms and a stall", kNames[int(pair.first)], kNames[int(pair.second)])
            << pair.first << pair.second << 70 << true;
    }
}

void TestSharedLine::everyValueIsTheDrivesOwn()
{
    QFETCH(Window, ticking);
    QFETCH(Window, working);
    QFETCH(int, delay);
    QFETCH(bool, stall);

    // Alone, from a prompt drive.
    QMap<Window, QStringList> alone;
    for (Window w : {ticking, working}) {
        start(w);
        finish(w);
        alone[w] = shown(w);
        forget(w);
    }
    for (Window w : {ticking, working})
        QVERIFY2(std::none_of(alone[w].cbegin(), alone[w].cend(), unread) || w == Window::AlarmHistory,
                 qPrintable(alone[w].join(QLatin1Char('|'))));

    // Together, from a slow drive that may also stall once.
    drive->setReplyDelay(delay);
    drive->setLateDelay(900);
    if (stall)
        drive->setFailure(SimulatedDrive::Failure::Late, 1);
    start(ticking);
    start(working);
    finish(working);
    finish(ticking);
    for (Window w : {ticking, working}) {
        const QStringList now = shown(w);
        QCOMPARE(now.size(), alone[w].size());
        for (int i = 0; i < now.size(); ++i) {
            QVERIFY2(now.at(i) == alone[w].at(i) || (stall && unread(now.at(i))),
                     qPrintable(QStringLiteral("%1, value %2: \"%3\", the drive's \"%4\"")
                                    .arg(QLatin1String(kNames[int(w)])).arg(i).arg(now.at(i), alone[w].at(i))));
        }
    }
    for (const ModalBoxAnswerer::Box &box : answerer->boxes())
        qWarning() << "box:" << box.title << box.text;
    QCOMPARE(answerer->count(), 0);
}

QTEST_MAIN(TestSharedLine)
#include "tst_sharedline.moc"
