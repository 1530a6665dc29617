#include "wiring.h"

#include "choosedialog.h"
#include "mainwindow.h"
#include "passworddialog.h"
#include "serialport.h"

namespace Wiring {

void afterSerialPort(const Windows &w)
{
    // 4
    QObject::connect(w.link, &serialPort::showMainWindow, w.mainWindow, &MainWindow::showMainWindow);
}

void afterPasswordDialog(const Windows &w)
{
    // 9
    QObject::connect(w.mainWindow, &MainWindow::showPassWordDialog, w.passwordDialog, &PasswordDialog::showPassword);
}

void afterVersions(const Windows &w)
{
    MainWindow *mainWindow = w.mainWindow;
    serialPort *link = w.link;
    ChooseDialog *choose = w.chooseDialog;

    // 11
    QObject::connect(link, &serialPort::showChooseDialog, choose, &ChooseDialog::showChooseDialog);
    // 12
    QObject::connect(choose, &ChooseDialog::showSerialPlot, link, &serialPort::showSerialPlotWindow);
    // 13
    QObject::connect(choose, &ChooseDialog::showMainWindow, mainWindow, &MainWindow::showMainWindow);
    // 15
    QObject::connect(choose, &ChooseDialog::sendOFF_NO, mainWindow, &MainWindow::offLineIsOk);
    // 16
    QObject::connect(mainWindow, &MainWindow::showSerialConnect, link, &serialPort::showSerialPlotWindow);

    // 51
    QObject::connect(link, &serialPort::isOpenSerial, mainWindow, &MainWindow::isOpenSerialPlotOK);

    // 65
    QObject::connect(mainWindow, &MainWindow::queryDriverStatus, link, &serialPort::queryStatus);
    // 66
    QObject::connect(link, &serialPort::sendStatus, mainWindow, &MainWindow::recevieStatus);
    // 67
    QObject::connect(mainWindow, &MainWindow::QueryOperateInterface, link, &serialPort::QueryInterface);
    // 68
    QObject::connect(link, &serialPort::sendQueryOperateInterface, mainWindow, &MainWindow::recevieveInterface);

    // 73
    QObject::connect(mainWindow, &MainWindow::changeLanguageChinese, link, &serialPort::changeLanguage);
    // 74
    QObject::connect(mainWindow, &MainWindow::changeLanguageEnglish, link, &serialPort::changeLanguage);

    // 85
    QObject::connect(w.passwordDialog, &PasswordDialog::sendPassWordFlags, mainWindow, &MainWindow::passwordIsOK);
}

void afterServiceDialogs(const Windows &w)
{
    MainWindow *mainWindow = w.mainWindow;
    serialPort *link = w.link;

    // 168
    QObject::connect(mainWindow, &MainWindow::readSerial, link, &serialPort::readSerial);
    // 169
    QObject::connect(mainWindow, &MainWindow::writeSerial, link, &serialPort::writeSerial);
    // 170
    QObject::connect(link, &serialPort::readDataToMaster, mainWindow, &MainWindow::recevieReadData);
    // 171
    QObject::connect(link, &serialPort::writeDataToMaster, mainWindow, &MainWindow::recevieWriteData);
}

} // namespace Wiring
