#include "wiring.h"

#include "autowindow.h"
#include "choosedialog.h"
#include "comparewindow.h"
#include "encoderdatawindow.h"
#include "mainwindow.h"
#include "parameterwindow.h"
#include "passworddialog.h"
#include "serialport.h"
#include "staticwindow.h"

namespace Wiring {

void afterSerialPort(const Windows &w)
{
    // 4
    QObject::connect(w.link, &serialPort::showMainWindow, w.mainWindow, &MainWindow::showMainWindow);
}

void afterStaticWindow(const Windows &w)
{
    // 6
    QObject::connect(w.mainWindow, &MainWindow::showStatic, w.capture, &staticWindow::showStaticWindow);
}

void afterParameterWindow(const Windows &w)
{
    // 7
    QObject::connect(w.mainWindow, &MainWindow::showParameter, w.parameters, &parameterWindow::showParameterWindow);
}

void afterCompareWindow(const Windows &w)
{
    // 8
    QObject::connect(w.mainWindow, &MainWindow::showComparePage, w.compare, &compareWindow::showCompareWindow);
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
    staticWindow *capture = w.capture;
    compareWindow *compare = w.compare;

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

    // 45
    QObject::connect(compare, &compareWindow::getParameterName, parameters, &parameterWindow::matchingName);
    // 46
    QObject::connect(parameters, &parameterWindow::sendMatchName, compare, &compareWindow::recieveName);
    // 47
    QObject::connect(compare, &compareWindow::getOnlineData, parameters, &parameterWindow::OnlineMatchData);
    // 48
    QObject::connect(parameters, &parameterWindow::sendMatchOnlineData, compare, &compareWindow::recieveOnlineData);
    // (unnumbered) the numbers beside the values, so the comparison pairs them by number
    QObject::connect(parameters, &parameterWindow::sendMatchOnlineNumbers, compare, &compareWindow::recieveOnlineNumbers);
    // 49
    QObject::connect(parameters, &parameterWindow::showCompareWindow, compare, &compareWindow::showCompareWindow);
    // 50
    QObject::connect(parameters, &parameterWindow::isOnLine, compare, &compareWindow::isOnline);

    // 51
    QObject::connect(link, &serialPort::isOpenSerial, mainWindow, &MainWindow::isOpenSerialPlotOK);
    // 52
    QObject::connect(link, &serialPort::isOpenSerial, parameters, &parameterWindow::isOpenSerial);
    // 53
    QObject::connect(link, &serialPort::isOpenSerial, capture, &staticWindow::isOpenSerialPlot);

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

    // 83
    QObject::connect(w.passwordDialog, &PasswordDialog::sendPassWordFlags2, capture, &staticWindow::receviePasswordFlags2);
    // 85
    QObject::connect(w.passwordDialog, &PasswordDialog::sendPassWordFlags, mainWindow, &MainWindow::passwordIsOK);

    // 96
    QObject::connect(parameters, &parameterWindow::stopMainWindowQuery, mainWindow, &MainWindow::stopQuery);
    // 97
    QObject::connect(parameters, &parameterWindow::startMainWindowQuery, mainWindow, &MainWindow::StartQuery);

    // 118
    QObject::connect(w.encoder, &EncoderdataWindow::sendEncoderIsOk, parameters, &parameterWindow::receiveEncoderIsOk);
    // 119
    QObject::connect(parameters, &parameterWindow::sendParameterIsOk, w.encoder, &EncoderdataWindow::receiveParameterIsOk);

    // 121
    QObject::connect(mainWindow, &MainWindow::sendOnlineOrOffLine, parameters, &parameterWindow::receiveMainWindow);
    // 122
    QObject::connect(mainWindow, &MainWindow::sendOnlineOrOffLine, capture, &staticWindow::receiveMainWindow);
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

    // 173
    QObject::connect(mainWindow, &MainWindow::closeAllWindow, w.capture, &staticWindow::closeThisWindow);
    // 178
    QObject::connect(mainWindow, &MainWindow::closeAllWindow, w.compare, &compareWindow::closeThisWindow);
    // 180
    QObject::connect(mainWindow, &MainWindow::closeAllWindow, w.parameters, &parameterWindow::closeThisWindow);
}

void afterAutoWindow(const Windows &w)
{
    AutoWindow *automation = w.automation;
    parameterWindow *parameters = w.parameters;
    staticWindow *capture = w.capture;
    serialPort *link = w.link;
    MainWindow *mainWindow = w.mainWindow;

    // 183 (needs the automation window, so it is made once that exists)
    QObject::connect(capture, &staticWindow::showAutoWindow, automation, &QWidget::show);
    // 184
    QObject::connect(automation, &AutoWindow::readDataFromParameter, parameters, &parameterWindow::AutoReadParameter);
    // 185
    QObject::connect(link, &serialPort::readDataToAuto, automation, &AutoWindow::receiveReadData);
    // 186
    QObject::connect(automation, &AutoWindow::writeDataFromParameter, parameters, &parameterWindow::AutoWriteParameter);
    // 187
    QObject::connect(link, &serialPort::writeDataToAuto, automation, &AutoWindow::receiveWriteResult);
    // 188
    QObject::connect(automation, &AutoWindow::startOperation_WV, parameters, &parameterWindow::AutoStartOperation_WV);
    // 189
    QObject::connect(automation, &AutoWindow::sendToQuery_Wv, parameters, &parameterWindow::queryOperation_WV);
    // 190
    QObject::connect(parameters, &parameterWindow::endOperation, automation, &AutoWindow::receiveEndOperation);
    // 191
    QObject::connect(automation, &AutoWindow::stopOperation, parameters, &parameterWindow::stopOperation);
    // 192
    QObject::connect(automation, &AutoWindow::stopMainWindowQuery, mainWindow, &MainWindow::stopQuery);
    // 193
    QObject::connect(automation, &AutoWindow::startMainWindowQuery, mainWindow, &MainWindow::StartQuery);
    // 194
    QObject::connect(automation, &AutoWindow::startOperation_RV, parameters, &parameterWindow::AutoStartOperation_RV);
    // 195
    QObject::connect(parameters, &parameterWindow::sendOperation_RV, automation, &AutoWindow::receiveOperationRV);
    // 196
    QObject::connect(automation, &AutoWindow::StartSampling, capture, &staticWindow::autoSampling);
    // 197
    QObject::connect(automation, &AutoWindow::StopSampling, capture, &staticWindow::autoSampling);
    // 198
    QObject::connect(capture, &staticWindow::autoOperation_WOP, automation, &AutoWindow::receiveOperationWOP);
    // 199
    QObject::connect(automation, &AutoWindow::QueryStatus_WOP, capture, &staticWindow::autoQuerySamplingStatus);
    // 200
    QObject::connect(capture, &staticWindow::sendOperation_ROP, automation, &AutoWindow::receiveOperationROP);
    // 201
    QObject::connect(automation, &AutoWindow::readMonitorFromParameter, parameters, &parameterWindow::AutoReadMonitor);
    // (unnumbered) the automation window answers "port not open" itself, so it follows the port
    QObject::connect(link, &serialPort::isOpenSerial, automation, &AutoWindow::receivePortOpen);
}

} // namespace Wiring
