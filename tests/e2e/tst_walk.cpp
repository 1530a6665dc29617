// The road a commissioning engineer takes, through the program's own windows as main builds
// them, with clicks and keys: choose the family, go online, connect and scan, confirm the
// drive, then the main window's functions one after the other, and close. Once for each
// family, with what that family enables.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTreeView>
#include <QtTest>

#include <memory>

#include "choosedialog.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"
#include "treemodel.h"
#include "windowset.h"

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

    chooseAndConnect(family);
    if (QTest::currentTestFailed())
        return;
    parameters(family);
    if (QTest::currentTestFailed())
        return;

    // Closing the main window ends every window it opened.
    MainWindow *mainWindow = set->windows().mainWindow;
    mainWindow->close();
    QTRY_VERIFY(!set->windows().parameters->isVisible());
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
    const QString number = family == 0 ? QStringLiteral("PA100") : QStringLiteral("P100");
    const int row = rowOf(model, number);
    QVERIFY2(row >= 0, qPrintable(number));
    // The first read fills the value with the drive's own (its default).
    QTRY_VERIFY_WITH_TIMEOUT(!model->index(row, 2).data(Qt::EditRole).toString().isEmpty()
                                 && model->index(row, 8).data(Qt::EditRole).toString() == QStringLiteral("已上传"),
                             20000);

    model->setData(model->index(row, 2), QStringLiteral("321"), Qt::EditRole);
    model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    click(table, "pushButton_Download");
    QTRY_COMPARE_WITH_TIMEOUT(model->index(row, 8).data(Qt::EditRole).toString(), QStringLiteral("已下载"), 10000);
}

QTEST_MAIN(TestWalk)
#include "tst_walk.moc"
