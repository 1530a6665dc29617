#include "wiring.h"

#include "autowindow.h"
#include "choosedialog.h"
#include "comparewindow.h"
#include "controlwindow.h"
#include "dynamicwindow.h"
#include "encoderdatawindow.h"
#include "fftwindow.h"
#include "function_af1.h"
#include "function_af11.h"
#include "function_af30.h"
#include "function_af4.h"
#include "function_af6.h"
#include "function_af7.h"
#include "functionaf8.h"
#include "mainwindow.h"
#include "mastercontrol.h"
#include "monitorwindow.h"
#include "parameterwindow.h"
#include "passworddialog.h"
#include "serialport.h"
#include "staticwindow.h"
#include "versions.h"

namespace Wiring {

namespace {
QVector<Connection> &connections()
{
    static QVector<Connection> list;
    return list;
}
} // namespace

const QVector<Connection> &made()
{
    return connections();
}

void record(int number, const char *signal, const char *receiver, bool ok)
{
    connections().append(Connection{number, QString::fromLatin1(signal), QString::fromLatin1(receiver), ok});
}

void afterFFTWindow(const Windows &w)
{
    WIRE(1, w.mainWindow, MainWindow, showFFTWindow, w.spectrum, FFT_Window, showFFTWindow);
}

void afterMasterControl(const Windows &w)
{
    // (the panel's slot takes no argument: the main window's pointer is dropped)
    WIRE(2, w.mainWindow, MainWindow, showMasterWindow, w.master, masterControl, showMasterWindow);
    WIRE(3, w.master, masterControl, sendThisWindow, w.mainWindow, MainWindow, showMasterWindowInMdi);
}

void afterSerialPort(const Windows &w)
{
    WIRE(4, w.link, serialPort, showMainWindow, w.mainWindow, MainWindow, showMainWindow);
}

void afterDynamicWindow(const Windows &w)
{
    WIRE(5, w.mainWindow, MainWindow, showDynamic, w.trend, dynamicWindow, showDynamicWindow);
}

void afterStaticWindow(const Windows &w)
{
    WIRE(6, w.mainWindow, MainWindow, showStatic, w.capture, staticWindow, showStaticWindow);
}

void afterParameterWindow(const Windows &w)
{
    WIRE(7, w.mainWindow, MainWindow, showParameter, w.parameters, parameterWindow, showParameterWindow);
}

void afterCompareWindow(const Windows &w)
{
    WIRE(8, w.mainWindow, MainWindow, showComparePage, w.compare, compareWindow, showCompareWindow);
}

void afterPasswordDialog(const Windows &w)
{
    WIRE(9, w.mainWindow, MainWindow, showPassWordDialog, w.passwordDialog, PasswordDialog, showPassword);
}

void afterVersions(const Windows &w)
{
    MainWindow *mainWindow = w.mainWindow;
    serialPort *link = w.link;
    ChooseDialog *choose = w.chooseDialog;
    parameterWindow *parameters = w.parameters;
    staticWindow *capture = w.capture;
    compareWindow *compare = w.compare;
    FFT_Window *spectrum = w.spectrum;
    dynamicWindow *trend = w.trend;
    controlWindow *control = w.control;
    MonitorWindow *monitor = w.monitor;
    Versions *versions = w.versions;
    EncoderdataWindow *encoder = w.encoder;

    WIRE(10, mainWindow, MainWindow, showVersionsWindow, versions, Versions, showVersionWindow);
    WIRE(11, link, serialPort, showChooseDialog, choose, ChooseDialog, showChooseDialog);
    WIRE(12, choose, ChooseDialog, showSerialPlot, link, serialPort, showSerialPlotWindow);
    WIRE(13, choose, ChooseDialog, showMainWindow, mainWindow, MainWindow, showMainWindow);
    WIRE(14, choose, ChooseDialog, sendOFF_NO, parameters, parameterWindow, receiveOnline_offline);
    WIRE(15, choose, ChooseDialog, sendOFF_NO, mainWindow, MainWindow, offLineIsOk);
    // Off-line work means the port is closed, whatever the connection dialog left open.
    WIRE(0, choose, ChooseDialog, sendOFF_NO, link, serialPort, workOnlineOrOffline);
    // The motor-data window was built before the start-up choice: it takes the family chosen
    // (and forgets the drive of the session before) whenever a choice is made.
    WIRE(0, choose, ChooseDialog, sendOFF_NO, encoder, EncoderdataWindow, sessionChosen);
    WIRE(16, mainWindow, MainWindow, showSerialConnect, link, serialPort, showSerialPlotWindow);
    // A link the user gave up is closed: the port, the status bar and the actions agree.
    WIRE(0, mainWindow, MainWindow, giveUpLink, link, serialPort, giveUpLink);
    WIRE(17, link, serialPort, readDataToShow, parameters, parameterWindow, readData);
    WIRE(18, parameters, parameterWindow, readSerialStr, link, serialPort, readSerial);
    WIRE(19, parameters, parameterWindow, writeSerialStr, link, serialPort, writeSerial);
    WIRE(20, parameters, parameterWindow, TreeViewOk, link, serialPort, TreeViewOk);
    WIRE(21, link, serialPort, changeFirst, parameters, parameterWindow, changeFrist);
    WIRE(22, link, serialPort, writeDataToCheck, parameters, parameterWindow, receiveWriteDataToCheck);
    WIRE(23, parameters, parameterWindow, writeSerialStr2, link, serialPort, writeSerial2);
    WIRE(24, capture, staticWindow, readPicData, link, serialPort, readStaticPic);
    WIRE(25, capture, staticWindow, imageSetting, link, serialPort, writeStaticPic);
    WIRE(26, capture, staticWindow, imageSetting2, link, serialPort, writeStaticPic2);
    WIRE(27, link, serialPort, readDataToPaint, capture, staticWindow, readGraphDataRecieve);
    WIRE(28, capture, staticWindow, startDrow, link, serialPort, startDrow);
    WIRE(29, capture, staticWindow, endDrow, link, serialPort, endDrow);
    WIRE(30, link, serialPort, sendPicFinished, capture, staticWindow, PicStastus);
    WIRE(31, link, serialPort, FrameDataIsOK, capture, staticWindow, FrameDataIsOK);
    WIRE(32, link, serialPort, WriteGraphToCheck, capture, staticWindow, recevieWriteGraphToCheck);
    WIRE(33, spectrum, FFT_Window, imageRead, link, serialPort, readStaticPic);
    WIRE(34, spectrum, FFT_Window, imageWrite, link, serialPort, writeStaticPic);
    WIRE(35, link, serialPort, readDataToPaint1, spectrum, FFT_Window, readGraphDataRecieve);
    WIRE(36, spectrum, FFT_Window, startDrow, link, serialPort, startDrow);
    // (unnumbered) an upload empties only its own window's gathered words
    Wiring::wire(0, capture, &staticWindow::startDrow, link, [link](bool) { link->startUpload(0); },
                 "staticWindow::startDrow", "serialPort::startUpload");
    Wiring::wire(0, spectrum, &FFT_Window::startDrow, link, [link](bool) { link->startUpload(1); },
                 "FFT_Window::startDrow", "serialPort::startUpload");
    WIRE(37, spectrum, FFT_Window, endDrow, link, serialPort, endDrow);
    WIRE(38, link, serialPort, sendPicFinished1, spectrum, FFT_Window, PicStastus);
    WIRE(39, link, serialPort, FrameDataIsOK1, spectrum, FFT_Window, FrameDataIsOK);
    WIRE(40, link, serialPort, WriteGraphToCheck1, spectrum, FFT_Window, recevieWriteGraphToCheck);

    WIRE(41, trend, dynamicWindow, readDynamicData, link, serialPort, readDynamic);
    WIRE(42, link, serialPort, readDataToDynamic, trend, dynamicWindow, readGraphDataRecieve);
    WIRE(43, trend, dynamicWindow, stopMainWindowQuery, mainWindow, MainWindow, stopQuery);
    WIRE(44, trend, dynamicWindow, startMainWindowQuery, mainWindow, MainWindow, StartQuery);

    WIRE(45, compare, compareWindow, getParameterName, parameters, parameterWindow, matchingName);
    WIRE(46, parameters, parameterWindow, sendMatchName, compare, compareWindow, recieveName);
    WIRE(47, compare, compareWindow, getOnlineData, parameters, parameterWindow, OnlineMatchData);
    WIRE(48, parameters, parameterWindow, sendMatchOnlineData, compare, compareWindow, recieveOnlineData);
    // (unnumbered) the numbers beside the values, so the comparison pairs them by number
    WIRE(0, parameters, parameterWindow, sendMatchOnlineNumbers, compare, compareWindow, recieveOnlineNumbers);
    WIRE(49, parameters, parameterWindow, showCompareWindow, compare, compareWindow, showCompareWindow);
    WIRE(50, parameters, parameterWindow, isOnLine, compare, compareWindow, isOnline);

    WIRE(51, link, serialPort, isOpenSerial, mainWindow, MainWindow, isOpenSerialPlotOK);
    WIRE(52, link, serialPort, isOpenSerial, parameters, parameterWindow, isOpenSerial);
    WIRE(53, link, serialPort, isOpenSerial, capture, staticWindow, isOpenSerialPlot);
    WIRE(54, link, serialPort, isOpenSerial, encoder, EncoderdataWindow, isOpenSerial);
    WIRE(55, link, serialPort, isOpenSerial, control, controlWindow, receiveSerialIsOK);
    WIRE(56, link, serialPort, isOpenSerial, monitor, MonitorWindow, setSerialOpen);
    WIRE(57, link, serialPort, isOpenSerial, w.master, masterControl, receiveSerialIsOK);

    WIRE(58, link, serialPort, isOpenSerial, trend, dynamicWindow, isOpenSerialPlot);
    WIRE(59, link, serialPort, isOpenSerial, spectrum, FFT_Window, isOpenSerialPlot);

    WIRE(60, link, serialPort, driverModelToSave, parameters, parameterWindow, DriverModelToSave);
    WIRE(61, link, serialPort, driverModelToSave, capture, staticWindow, DriverModelToSave);
    WIRE(62, link, serialPort, driverModelToSave, encoder, EncoderdataWindow, driverModel);
    WIRE(63, link, serialPort, driverModelToSave, trend, dynamicWindow, DriverModelToSave);
    WIRE(64, link, serialPort, driverModelToSave, spectrum, FFT_Window, DriverModelToSave);

    WIRE(65, mainWindow, MainWindow, queryDriverStatus, link, serialPort, queryStatus);
    WIRE(66, link, serialPort, sendStatus, mainWindow, MainWindow, recevieStatus);
    WIRE(67, mainWindow, MainWindow, QueryOperateInterface, link, serialPort, QueryInterface);
    WIRE(68, link, serialPort, sendQueryOperateInterface, mainWindow, MainWindow, recevieveInterface);
    // (unnumbered) the state line follows every request's outcome, also while the poll is paused
    WIRE(0, link, serialPort, driveAnswered, mainWindow, MainWindow, linkAnswered);

    WIRE(69, mainWindow, MainWindow, changeLanguageEnglish, parameters, parameterWindow, changeLanguageToEnglsih);
    WIRE(70, mainWindow, MainWindow, changeLanguageChinese, parameters, parameterWindow, changeLanguageToChinese);
    WIRE(71, mainWindow, MainWindow, changeLanguageEnglish, capture, staticWindow, EnglishLable);
    WIRE(72, mainWindow, MainWindow, changeLanguageChinese, capture, staticWindow, ChineseLable);

    // Unnumbered: the link's language step closes the port, so the motor-data window stops a
    // running operation (a test run turns the motor) before it, while the stop can be sent.
    WIRE(0, mainWindow, MainWindow, changeLanguageChinese, encoder, EncoderdataWindow, stopBeforeLinkCloses);
    WIRE(0, mainWindow, MainWindow, changeLanguageEnglish, encoder, EncoderdataWindow, stopBeforeLinkCloses);
    WIRE(0, mainWindow, MainWindow, changeLanguageChinese, spectrum, FFT_Window, stopBeforeLinkCloses);
    WIRE(0, mainWindow, MainWindow, changeLanguageEnglish, spectrum, FFT_Window, stopBeforeLinkCloses);
    WIRE(73, mainWindow, MainWindow, changeLanguageChinese, link, serialPort, changeLanguage);
    WIRE(74, mainWindow, MainWindow, changeLanguageEnglish, link, serialPort, changeLanguage);
    WIRE(75, mainWindow, MainWindow, changeLanguageChinese, encoder, EncoderdataWindow, changeLanguageToChinese);
    WIRE(76, mainWindow, MainWindow, changeLanguageEnglish, encoder, EncoderdataWindow, changeLanguageToEnglsih);

    WIRE(77, mainWindow, MainWindow, changeLanguageChinese, monitor, MonitorWindow, loadTreeChinese);
    WIRE(78, mainWindow, MainWindow, changeLanguageEnglish, monitor, MonitorWindow, loadTreeEnglish);
    WIRE(79, mainWindow, MainWindow, changeLanguageChinese, trend, dynamicWindow, ChineseLable);
    WIRE(80, mainWindow, MainWindow, changeLanguageEnglish, trend, dynamicWindow, EnglishLable);
    WIRE(81, mainWindow, MainWindow, changeLanguageChinese, spectrum, FFT_Window, ChineseLable);
    WIRE(82, mainWindow, MainWindow, changeLanguageEnglish, spectrum, FFT_Window, EnglishLable);

    WIRE(83, w.passwordDialog, PasswordDialog, sendPassWordFlags2, capture, staticWindow, receviePasswordFlags2);
    WIRE(84, w.passwordDialog, PasswordDialog, sendPassWordFlags, capture, staticWindow, receviePasswordFlags);
    WIRE(85, w.passwordDialog, PasswordDialog, sendPassWordFlags, mainWindow, MainWindow, passwordIsOK);

    WIRE(86, mainWindow, MainWindow, showMonitorWindow, monitor, MonitorWindow, showMonitor);
    WIRE(87, monitor, MonitorWindow, sendThis, mainWindow, MainWindow, showMonitorWindowInMdi);
    WIRE(88, monitor, MonitorWindow, stopMainWindowQuery, mainWindow, MainWindow, stopQuery);
    WIRE(89, monitor, MonitorWindow, startMainWindowQuery, mainWindow, MainWindow, StartQuery);
    WIRE(90, control, controlWindow, stopMainWindowQuery, mainWindow, MainWindow, stopQuery);
    WIRE(91, control, controlWindow, startMainWindowQuery, mainWindow, MainWindow, StartQuery);
    WIRE(92, w.master, masterControl, stopMainWindowQuery, mainWindow, MainWindow, stopQuery);
    WIRE(93, w.master, masterControl, startMainWindowQuery, mainWindow, MainWindow, StartQuery);
    WIRE(94, capture, staticWindow, stopMainWindowQuery, mainWindow, MainWindow, stopQuery);
    WIRE(95, capture, staticWindow, startMainWindowQuery, mainWindow, MainWindow, StartQuery);

    WIRE(96, parameters, parameterWindow, stopMainWindowQuery, mainWindow, MainWindow, stopQuery);
    WIRE(97, parameters, parameterWindow, startMainWindowQuery, mainWindow, MainWindow, StartQuery);

    WIRE(98, mainWindow, MainWindow, showControlWindow, control, controlWindow, showControl);
    WIRE(99, mainWindow, MainWindow, showEncoderDataWindow, encoder, EncoderdataWindow, showEncoderDataWindow);

    WIRE(100, monitor, MonitorWindow, readSerial, link, serialPort, readSerial);
    WIRE(101, link, serialPort, readDataTOMonitor, monitor, MonitorWindow, receiveMonitorData);
    WIRE(102, monitor, MonitorWindow, treeViewOK, link, serialPort, TreeViewOk);
    WIRE(103, link, serialPort, SendVision, versions, Versions, receiveVersion);
    WIRE(104, versions, Versions, readVisons, link, serialPort, readSerial);
    WIRE(105, versions, Versions, VersionOK, link, serialPort, TreeViewOk);
    WIRE(106, control, controlWindow, readSerialContorl, link, serialPort, readSerial);
    WIRE(107, control, controlWindow, writeSerialControl, link, serialPort, writeSerial);
    WIRE(108, link, serialPort, writeDataToControl, control, controlWindow, receiveToCheck);
    WIRE(109, control, controlWindow, JogIsOk, link, serialPort, TreeViewOk);
    WIRE(110, link, serialPort, readDataToControl, control, controlWindow, receiveToControl);
    WIRE(111, control, controlWindow, writeSerialControl2, link, serialPort, writeSerial2);
    WIRE(112, encoder, EncoderdataWindow, readSerialEncoder, link, serialPort, readSerial);
    WIRE(113, link, serialPort, readDataToEncoder, encoder, EncoderdataWindow, readDataToEncoder);
    WIRE(114, encoder, EncoderdataWindow, treeViewOK, link, serialPort, TreeViewOk);
    WIRE(115, encoder, EncoderdataWindow, writeSerialEncoder, link, serialPort, writeSerial);
    WIRE(116, link, serialPort, writeDataToEncoder, encoder, EncoderdataWindow, receiveToCheck);
    WIRE(117, link, serialPort, sendEncodeQuery, encoder, EncoderdataWindow, receiveStatus);

    WIRE(118, encoder, EncoderdataWindow, sendEncoderIsOk, parameters, parameterWindow, receiveEncoderIsOk);
    WIRE(119, parameters, parameterWindow, sendParameterIsOk, encoder, EncoderdataWindow, receiveParameterIsOk);
    WIRE(120, mainWindow, MainWindow, sendOnlineOrOffLine, encoder, EncoderdataWindow, receiveMainWindow);

    WIRE(121, mainWindow, MainWindow, sendOnlineOrOffLine, parameters, parameterWindow, receiveMainWindow);
    WIRE(122, mainWindow, MainWindow, sendOnlineOrOffLine, capture, staticWindow, receiveMainWindow);

    WIRE(123, mainWindow, MainWindow, sendOnlineOrOffLine, control, controlWindow, receiveMainWindow);
    WIRE(124, mainWindow, MainWindow, sendOnlineOrOffLine, monitor, MonitorWindow, setOnline);
    WIRE(125, mainWindow, MainWindow, sendOnlineOrOffLine, w.master, masterControl, receiveMainWindow);
    WIRE(126, mainWindow, MainWindow, sendOnlineOrOffLine, spectrum, FFT_Window, receiveMainWindow);

    WIRE(127, w.master, masterControl, writeSerialMoster, link, serialPort, writeSerial);
    WIRE(128, link, serialPort, writeDataToMaster, w.master, masterControl, receiveToCheck);
    WIRE(129, w.master, masterControl, readSerialMoster, link, serialPort, readSerial);
    WIRE(130, link, serialPort, readDataToMaster, w.master, masterControl, receiveToShowAlarm);
    WIRE(131, w.master, masterControl, writeSerialMoster2, link, serialPort, writeSerial2);
    // (unnumbered) the drive-information window follows the port, so that a closed port is
    // reported once rather than at each of its fifteen reads
    WIRE(0, link, serialPort, isOpenSerial, versions, Versions, setSerialOpen);
}

void afterServiceDialogs(const Windows &w)
{
    MainWindow *mainWindow = w.mainWindow;
    serialPort *link = w.link;
    masterControl *master = w.master;

    WIRE(132, master, masterControl, showAF1, w.teaching, Function_AF1, showFunctionAF1);
    WIRE(133, master, masterControl, showAF4, w.alarms, function_AF4, showAF4);
    WIRE(134, master, masterControl, showAF6, w.analogOffset, Function_AF6, showAF6);
    WIRE(135, master, masterControl, showAF7, w.speedOffset, Function_AF7, showAF7);
    WIRE(136, master, masterControl, showAF8, w.torqueOffset, FunctionAF8, showAF8);
    WIRE(137, master, masterControl, showAF11, w.encoderReset, Function_AF11, showAF11);
    WIRE(138, master, masterControl, showAF30, w.rigidity, function_AF30, showAF30Window);
    WIRE(139, master, masterControl, sendToShowAlram, w.alarms, function_AF4, receiveAlarmData);
    WIRE(140, w.alarms, function_AF4, sendToMaster, master, masterControl, receiveFunctionAF);
    WIRE(141, w.alarms, function_AF4, sendToMasterAlarm, master, masterControl, receiveFunctionAFRead);
    WIRE(142, w.alarms, function_AF4, AlarmIsOK, master, masterControl, AlarmIsOk);
    WIRE(143, master, masterControl, sendToShowAF1, w.teaching, Function_AF1, ReadDataToShow);
    WIRE(144, w.teaching, Function_AF1, sendToMaster, master, masterControl, receiveFunctionAF);
    WIRE(145, w.teaching, Function_AF1, sendToMasterToRead, master, masterControl, receiveFunctionAFRead);
    WIRE(146, w.teaching, Function_AF1, AlarmIsOk, master, masterControl, AlarmIsOk);
    WIRE(147, master, masterControl, sendToShowAF6, w.analogOffset, Function_AF6, readDataToAF6);
    WIRE(148, w.analogOffset, Function_AF6, sendToMaster, master, masterControl, receiveFunctionAF);
    WIRE(149, w.analogOffset, Function_AF6, sendToMasterRead, master, masterControl, receiveFunctionAFRead);
    WIRE(150, w.analogOffset, Function_AF6, AlarmIsOk, master, masterControl, AlarmIsOk);
    WIRE(151, master, masterControl, sendToShowAF7, w.speedOffset, Function_AF7, readDataToAF7);
    WIRE(152, w.speedOffset, Function_AF7, sendToMasterWrite2, master, masterControl, receiveFunctionAF2);
    WIRE(153, w.speedOffset, Function_AF7, sendToMaster, master, masterControl, receiveFunctionAF);
    WIRE(154, w.speedOffset, Function_AF7, sendToMasterRead, master, masterControl, receiveFunctionAFRead);
    WIRE(155, w.speedOffset, Function_AF7, AlarmIsOk, master, masterControl, AlarmIsOk);
    WIRE(156, master, masterControl, sendToShowAF8, w.torqueOffset, FunctionAF8, readDataToAF8);
    WIRE(157, w.torqueOffset, FunctionAF8, sendToMaster, master, masterControl, receiveFunctionAF);
    WIRE(158, w.torqueOffset, FunctionAF8, sendToMasterRead, master, masterControl, receiveFunctionAFRead);
    WIRE(159, w.torqueOffset, FunctionAF8, AlarmIsOk, master, masterControl, AlarmIsOk);
    WIRE(160, master, masterControl, sendToShowAF11, w.encoderReset, Function_AF11, ReadDataToAF11);
    WIRE(161, w.encoderReset, Function_AF11, sendToMaster, master, masterControl, receiveFunctionAF);
    WIRE(162, w.encoderReset, Function_AF11, sendToMasterToRead, master, masterControl, receiveFunctionAFRead);
    WIRE(163, w.encoderReset, Function_AF11, AlarmIsOk, master, masterControl, AlarmIsOk);
    WIRE(164, master, masterControl, sendToShowAF30, w.rigidity, function_AF30, receiveAF30Values);
    WIRE(165, w.rigidity, function_AF30, sendToMaster, master, masterControl, receiveFunctionAF);
    WIRE(166, w.rigidity, function_AF30, sendToMasterToRead, master, masterControl, receiveFunctionAFRead);
    WIRE(167, w.rigidity, function_AF30, AlarmIsOk, master, masterControl, AlarmIsOk);
    // (unnumbered) what became of each write the panel relayed, so that a dialog stops its
    // sequence and says so when the drive did not confirm a write
    WIRE(0, master, masterControl, writeOutcome, w.teaching, Function_AF1, receiveWriteOutcome);
    WIRE(0, master, masterControl, writeOutcome, w.alarms, function_AF4, receiveWriteOutcome);
    WIRE(0, master, masterControl, writeOutcome, w.analogOffset, Function_AF6, receiveWriteOutcome);
    WIRE(0, master, masterControl, writeOutcome, w.speedOffset, Function_AF7, receiveWriteOutcome);
    WIRE(0, master, masterControl, writeOutcome, w.torqueOffset, FunctionAF8, receiveWriteOutcome);
    WIRE(0, master, masterControl, writeOutcome, w.encoderReset, Function_AF11, receiveWriteOutcome);
    WIRE(0, master, masterControl, writeOutcome, w.rigidity, function_AF30, receiveWriteOutcome);


    WIRE(168, mainWindow, MainWindow, readSerial, link, serialPort, readSerial);
    WIRE(169, mainWindow, MainWindow, writeSerial, link, serialPort, writeSerial);
    WIRE(170, link, serialPort, readDataToMaster, mainWindow, MainWindow, recevieReadData);
    WIRE(171, link, serialPort, writeDataToMaster, mainWindow, MainWindow, recevieWriteData);
    WIRE(172, master, masterControl, AlarmOK, link, serialPort, TreeViewOk);

    WIRE(173, mainWindow, MainWindow, closeAllWindow, w.capture, staticWindow, closeThisWindow);
    WIRE(174, mainWindow, MainWindow, closeAllWindow, w.trend, dynamicWindow, closeThisWindow);
    WIRE(175, mainWindow, MainWindow, closeAllWindow, w.control, controlWindow, closeThisWindow);
    WIRE(176, mainWindow, MainWindow, closeAllWindow, w.spectrum, FFT_Window, closeThisWindow);
    WIRE(177, mainWindow, MainWindow, closeAllWindow, w.encoder, EncoderdataWindow, closeThisWindow);
    WIRE(178, mainWindow, MainWindow, closeAllWindow, w.compare, compareWindow, closeThisWindow);
    WIRE(179, mainWindow, MainWindow, closeAllWindow, w.monitor, MonitorWindow, closeMonitor);
    WIRE(180, mainWindow, MainWindow, closeAllWindow, w.parameters, parameterWindow, closeThisWindow);
    WIRE(181, w.capture, staticWindow, closeFFT, w.spectrum, FFT_Window, closeThisWindow);
    WIRE(182, w.spectrum, FFT_Window, closeStatic, w.capture, staticWindow, closeThisWindow);
}

void afterAutoWindow(const Windows &w)
{
    AutoWindow *automation = w.automation;
    parameterWindow *parameters = w.parameters;
    staticWindow *capture = w.capture;
    serialPort *link = w.link;
    MainWindow *mainWindow = w.mainWindow;

    // (needs the automation window, so it is made once that exists)
    WIRE(183, capture, staticWindow, showAutoWindow, automation, QWidget, show);
    WIRE(184, automation, AutoWindow, readDataFromParameter, parameters, parameterWindow, AutoReadParameter);
    WIRE(185, link, serialPort, readDataToAuto, automation, AutoWindow, receiveReadData);
    WIRE(186, automation, AutoWindow, writeDataFromParameter, parameters, parameterWindow, AutoWriteParameter);
    WIRE(187, link, serialPort, writeDataToAuto, automation, AutoWindow, receiveWriteResult);
    WIRE(188, automation, AutoWindow, startOperation_WV, parameters, parameterWindow, AutoStartOperation_WV);
    WIRE(189, automation, AutoWindow, sendToQuery_Wv, parameters, parameterWindow, queryOperation_WV);
    WIRE(190, parameters, parameterWindow, endOperation, automation, AutoWindow, receiveEndOperation);
    WIRE(191, automation, AutoWindow, stopOperation, parameters, parameterWindow, stopOperation);
    WIRE(192, automation, AutoWindow, stopMainWindowQuery, mainWindow, MainWindow, stopQuery);
    WIRE(193, automation, AutoWindow, startMainWindowQuery, mainWindow, MainWindow, StartQuery);
    WIRE(194, automation, AutoWindow, startOperation_RV, parameters, parameterWindow, AutoStartOperation_RV);
    WIRE(195, parameters, parameterWindow, sendOperation_RV, automation, AutoWindow, receiveOperationRV);
    WIRE(196, automation, AutoWindow, StartSampling, capture, staticWindow, autoSampling);
    WIRE(197, automation, AutoWindow, StopSampling, capture, staticWindow, autoSampling);
    WIRE(198, capture, staticWindow, autoOperation_WOP, automation, AutoWindow, receiveOperationWOP);
    WIRE(199, automation, AutoWindow, QueryStatus_WOP, capture, staticWindow, autoQuerySamplingStatus);
    WIRE(200, capture, staticWindow, sendOperation_ROP, automation, AutoWindow, receiveOperationROP);
    WIRE(201, automation, AutoWindow, readMonitorFromParameter, parameters, parameterWindow, AutoReadMonitor);
    WIRE(202, w.spectrum, FFT_Window, sendFFTResult, capture, staticWindow, recevieFFTResult);
    WIRE(203, capture, staticWindow, FFTAnalyze, w.spectrum, FFT_Window, FFTAnalyze);
    // (unnumbered) the automation window answers "port not open" itself, so it follows the port
    WIRE(0, link, serialPort, isOpenSerial, automation, AutoWindow, receivePortOpen);
    // (unnumbered) the parameter window's command-file services wait for each answer
    WIRE(0, link, serialPort, readDataToAuto, parameters, parameterWindow, autoAnswerCame);
    WIRE(0, link, serialPort, writeDataToAuto, parameters, parameterWindow, autoAnswerCame);
    // (unnumbered) an echo the link refused for a write of the command file is a wrong echo
    WIRE(0, link, serialPort, writeEchoRefused, automation, AutoWindow, receiveEchoRefused);
    // (unnumbered) a request of the command file that the drive refused with an exception says so
    WIRE(0, link, serialPort, driveRefused, automation, AutoWindow, receiveDriveRefusal);
    // (unnumbered) a command-file capture that failed says why
    WIRE(0, capture, staticWindow, autoOperationFailed, automation, AutoWindow, receiveCaptureFailure);
    // (unnumbered) so does a drive request that the parameter window turned away unsent
    WIRE(0, parameters, parameterWindow, autoRequestRefused, automation, AutoWindow, receiveRefusal);
}

} // namespace Wiring
