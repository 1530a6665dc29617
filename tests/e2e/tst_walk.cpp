// The road a commissioning engineer takes, through the program's own windows as main builds
// them, with clicks and keys: choose the family, go online, connect and scan, confirm the
// drive, then the main window's functions one after the other, and close. Once for each
// family, with what that family enables.

#include <QAction>
#include <QStatusBar>
#include <QCommandLinkButton>
#include "qcustomplot.h"
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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
#include "session.h"
#include "windowset.h"

using E2e::child;
using E2e::click;

namespace {

int rowOf(const QAbstractItemModel *model, const QString &number)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data(Qt::EditRole).toString().simplified() == number)
            return row;
    }
    return -1;
}

} // namespace

class TestWalk : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholeRoad_data();
    void wholeRoad();

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

void TestWalk::chooseAndConnect(int family)
{
    E2e::chooseAndConnect(set->windows(), *drive, family);
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
    QTRY_COMPARE_WITH_TIMEOUT(w.mainWindow->statusBar()->currentMessage(), QStringLiteral("OnLine"), 10000);
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

QTEST_MAIN(TestWalk)
#include "tst_walk.moc"
