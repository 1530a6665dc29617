#ifndef E2E_SESSION_H
#define E2E_SESSION_H

// What the end-to-end walks share: finding a window's widgets by object name, clicking them,
// and the way into a session (start-up choice, connection dialog, scan, OK).

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "choosedialog.h"
#include "mainwindow.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "wiring.h"

namespace E2e {

template <typename T>
T *child(QWidget *window, const char *name)
{
    T *widget = window->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("%s has no %s", window->metaObject()->className(), name);
    return widget;
}

inline void click(QWidget *window, const char *button)
{
    QPushButton *b = child<QPushButton>(window, button);
    QVERIFY2(b->isEnabled(), button);
    QTest::mouseClick(b, Qt::LeftButton);
}

// The start-up choice, "在线", the connection dialog's Connect with a scan over station 1, the
// found drive picked with the keyboard and confirmed with OK.
inline void chooseAndConnect(const Windows &w, const SimulatedDrive &drive, int family)
{
    QVERIFY(w.chooseDialog->isVisible());
    child<QComboBox>(w.chooseDialog, "comboBox_Driver")->setCurrentIndex(family);
    click(w.chooseDialog, "pushButton_online");
    QTRY_VERIFY(w.link->isVisible());

    QComboBox *ports = child<QComboBox>(w.link, "comboBox_Port");
    ports->addItem(drive.portName());
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

} // namespace E2e

#endif // E2E_SESSION_H
