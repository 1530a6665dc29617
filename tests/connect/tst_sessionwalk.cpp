// Getting connected with the keyboard only, through the program's own windows as main wires
// them: after every step the port, the main window's online state, its status bar and its
// link-dependent actions tell the same story.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

#include "choosedialog.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"
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

void pressReturnOn(QWidget *window, const char *button)
{
    QPushButton *b = child<QPushButton>(window, button);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);
}

} // namespace

class TestSessionWalk : public QObject
{
    Q_OBJECT

private slots:
    void keyboardWalk();
};

void TestSessionWalk::keyboardWalk()
{
    TempWorkDir work;
    SimulatedDrive drive;
    SimulatedModel::install(drive, 0);
    QVERIFY2(drive.start(), qPrintable(drive.errorString()));
    ModalBoxAnswerer boxes;
    WindowSet set;
    const Windows &w = set.windows();
    boxes.setLeftAlone([&set](QWidget *widget) {
        const auto &windows = set.createdWindows();
        return std::find(windows.begin(), windows.end(), widget) != windows.end();
    });
    QStatusBar *status = child<QStatusBar>(w.mainWindow, "statusBar");
    QAction *information = child<QAction>(w.mainWindow, "action_version");
    QTableWidget *found = child<QTableWidget>(w.link, "tableWidget");

    // Port, online state, status bar and the link-dependent action agree.
    auto agree = [&](bool open, const char *step) {
        QVERIFY2(w.link->isPortOpen() == open, step);
        QVERIFY2(w.mainWindow->isOnline() == open, step);
        QVERIFY2(information->isEnabled() == open, step);
        if (open)
            QTRY_COMPARE_WITH_TIMEOUT(status->currentMessage(), QStringLiteral("OnLine"), 6000);
        else
            QVERIFY2(status->currentMessage() != QLatin1String("OnLine"), step);
    };
    auto connectAndScan = [&] {
        QComboBox *ports = child<QComboBox>(w.link, "comboBox_Port");
        if (ports->findText(drive.portName()) < 0)
            ports->addItem(drive.portName());
        ports->setCurrentIndex(ports->findText(drive.portName()));
        child<QLineEdit>(w.link, "lineEdit_End")->setText(QStringLiteral("1"));
        pressReturnOn(w.link, "pushButtot_Connect");
        QTRY_VERIFY(found->item(0, 0));
    };

    // On-line, Connect and its scan, then Escape: back to the start-up choice, nothing shown.
    pressReturnOn(w.chooseDialog, "pushButton_online");
    QTRY_VERIFY(w.link->isVisible());
    connectAndScan();
    QTest::keyClick(w.link, Qt::Key_Escape);
    QTRY_VERIFY(w.chooseDialog->isVisible());
    QVERIFY(!w.mainWindow->isVisible());

    // Off-line: the main window, and the port closed.
    pressReturnOn(w.chooseDialog, "pushButton_offline");
    QTRY_VERIFY(w.mainWindow->isVisible());
    agree(false, "off-line");

    // Connect from the main window; Return on the chosen drive confirms it.
    child<QAction>(w.mainWindow, "action")->trigger();
    QTRY_VERIFY(w.link->isVisible());
    connectAndScan();
    found->setFocus();
    found->selectRow(0);
    QTest::keyClick(found, Qt::Key_Return);
    QTRY_VERIFY(!w.link->isVisible());
    agree(true, "reconnected");

    // Opened again from the running session: Return on the focused toggle keeps the link,
    // Escape returns to the session as it was.
    child<QAction>(w.mainWindow, "action")->trigger();
    pressReturnOn(w.link, "pushButtot_Connect");
    QVERIFY(w.link->isPortOpen());
    QTest::keyClick(w.link, Qt::Key_Escape);
    QVERIFY(!w.chooseDialog->isVisible());
    agree(true, "escape from the session");

    // Disconnected there, then Escape: the session goes on off-line; a link opened again but
    // left with Escape before OK is not kept.
    for (bool reconnect : {false, true}) {
        child<QAction>(w.mainWindow, "action")->trigger();
        if (reconnect)
            connectAndScan();
        else
            child<QPushButton>(w.link, "pushButtot_Connect")->click();
        QTest::keyClick(w.link, Qt::Key_Escape);
        QVERIFY(!w.chooseDialog->isVisible());
        agree(false, reconnect ? "left unconfirmed" : "disconnected");
    }
}

QTEST_MAIN(TestSessionWalk)
#include "tst_sessionwalk.moc"
