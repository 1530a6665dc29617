#include "wiring.h"

#include "choosedialog.h"
#include "mainwindow.h"
#include "parameterwindow.h"
#include "passworddialog.h"
#include "serialport.h"

namespace Wiring {

void afterSerialPort(const Windows &w)
{
    // 4
    QObject::connect(w.link, &serialPort::showMainWindow, w.mainWindow, &MainWindow::showMainWindow);
}

void afterParameterWindow(const Windows &w)
{
    // 7
    QObject::connect(w.mainWindow, &MainWindow::showParameter, w.parameters, &parameterWindow::showParameterWindow);
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
    parameterWindow *parameters = w.parameters;

    // 11
    QObject::connect(link, &serialPort::showChooseDialog, choose, &ChooseDialog::showChooseDialog);
    // 12
    QObject::connect(choose, &ChooseDialog::showSerialPlot, link, &serialPort::showSerialPlotWindow);
    // 13
    QObject::connect(choose, &ChooseDialog::showMainWindow, mainWindow, &MainWindow::showMainWindow);
    // 14
    QObject::connect(choose, &ChooseDialog::sendOFF_NO, parameters, &parameterWindow::receiveOnline_offline);
    // 15
    QObject::connect(choose, &ChooseDialog::sendOFF_NO, mainWindow, &MainWindow::offLineIsOk);
    // 16
    QObject::connect(mainWindow, &MainWindow::showSerialConnect, link, &serialPort::showSerialPlotWindow);
    // 17
    QObject::connect(link, &serialPort::readDataToShow, parameters, &parameterWindow::readData);
    // 18
    QObject::connect(parameters, &parameterWindow::readSerialStr, link, &serialPort::readSerial);
    // 19
    QObject::connect(parameters, &parameterWindow::writeSerialStr, link, &serialPort::writeSerial);
    // 20
    QObject::connect(parameters, &parameterWindow::TreeViewOk, link, &serialPort::TreeViewOk);
    // 21
    QObject::connect(link, &serialPort::changeFirst, parameters, &parameterWindow::changeFrist);
    // 22
    QObject::connect(link, &serialPort::writeDataToCheck, parameters, &parameterWindow::receiveWriteDataToCheck);
    // 23
    QObject::connect(parameters, &parameterWindow::writeSerialStr2, link, &serialPort::writeSerial2);

    // 51
    QObject::connect(link, &serialPort::isOpenSerial, mainWindow, &MainWindow::isOpenSerialPlotOK);
    // 52
    QObject::connect(link, &serialPort::isOpenSerial, parameters, &parameterWindow::isOpenSerial);

    // 60
    QObject::connect(link, &serialPort::driverModelToSave, parameters, &parameterWindow::DriverModelToSave);

    // 65
    QObject::connect(mainWindow, &MainWindow::queryDriverStatus, link, &serialPort::queryStatus);
    // 66
    QObject::connect(link, &serialPort::sendStatus, mainWindow, &MainWindow::recevieStatus);
    // 67
    QObject::connect(mainWindow, &MainWindow::QueryOperateInterface, link, &serialPort::QueryInterface);
    // 68
    QObject::connect(link, &serialPort::sendQueryOperateInterface, mainWindow, &MainWindow::recevieveInterface);

    // 69
    QObject::connect(mainWindow, &MainWindow::changeLanguageEnglish, parameters, &parameterWindow::changeLanguageToEnglsih);
    // 70
    QObject::connect(mainWindow, &MainWindow::changeLanguageChinese, parameters, &parameterWindow::changeLanguageToChinese);

    // 73
    QObject::connect(mainWindow, &MainWindow::changeLanguageChinese, link, &serialPort::changeLanguage);
    // 74
    QObject::connect(mainWindow, &MainWindow::changeLanguageEnglish, link, &serialPort::changeLanguage);

    // 85
    QObject::connect(w.passwordDialog, &PasswordDialog::sendPassWordFlags, mainWindow, &MainWindow::passwordIsOK);

    // 96
    QObject::connect(parameters, &parameterWindow::stopMainWindowQuery, mainWindow, &MainWindow::stopQuery);
    // 97
    QObject::connect(parameters, &parameterWindow::startMainWindowQuery, mainWindow, &MainWindow::StartQuery);

    // 121
    QObject::connect(mainWindow, &MainWindow::sendOnlineOrOffLine, parameters, &parameterWindow::receiveMainWindow);
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

    // 180
    QObject::connect(mainWindow, &MainWindow::closeAllWindow, w.parameters, &parameterWindow::closeThisWindow);
}

} // namespace Wiring
