// The windows and their wiring as data: the creation order and quit-on-close attributes, and
// every connection main makes, checked against the table of what joins what. Every connection
// is made, with its number, in increasing order, so that every signal reaches its receivers in
// the order of the table.

#include <QMap>
#include <QSet>
#include <QtTest>

#include "tempworkdir.h"
#include "windowset.h"

namespace {

struct Expected
{
    int number;
    const char *signal;
    const char *receiver;
};

// number, "Sender::signal", "Receiver::member"
const Expected kConnections[] = {
    {1, "MainWindow::showFFTWindow", "FFT_Window::showFFTWindow"},
    {2, "MainWindow::showMasterWindow", "masterControl::showMasterWindow"},
    {3, "masterControl::sendThisWindow", "MainWindow::showMasterWindowInMdi"},
    {4, "serialPort::showMainWindow", "MainWindow::showMainWindow"},
    {5, "MainWindow::showDynamic", "dynamicWindow::showDynamicWindow"},
    {6, "MainWindow::showStatic", "staticWindow::showStaticWindow"},
    {7, "MainWindow::showParameter", "parameterWindow::showParameterWindow"},
    {8, "MainWindow::showComparePage", "compareWindow::showCompareWindow"},
    {9, "MainWindow::showPassWordDialog", "PasswordDialog::showPassword"},
    {10, "MainWindow::showVersionsWindow", "Versions::showVersionWindow"},
    {11, "serialPort::showChooseDialog", "ChooseDialog::showChooseDialog"},
    {12, "ChooseDialog::showSerialPlot", "serialPort::showSerialPlotWindow"},
    {13, "ChooseDialog::showMainWindow", "MainWindow::showMainWindow"},
    {14, "ChooseDialog::sendOFF_NO", "parameterWindow::receiveOnline_offline"},
    {15, "ChooseDialog::sendOFF_NO", "MainWindow::offLineIsOk"},
    {16, "MainWindow::showSerialConnect", "serialPort::showSerialPlotWindow"},
    {17, "serialPort::readDataToShow", "parameterWindow::readData"},
    {18, "parameterWindow::readSerialStr", "serialPort::readSerial"},
    {19, "parameterWindow::writeSerialStr", "serialPort::writeSerial"},
    {20, "parameterWindow::TreeViewOk", "serialPort::TreeViewOk"},
    {21, "serialPort::changeFirst", "parameterWindow::changeFrist"},
    {22, "serialPort::writeDataToCheck", "parameterWindow::receiveWriteDataToCheck"},
    {23, "parameterWindow::writeSerialStr2", "serialPort::writeSerial2"},
    {24, "staticWindow::readPicData", "serialPort::readStaticPic"},
    {25, "staticWindow::imageSetting", "serialPort::writeStaticPic"},
    {26, "staticWindow::imageSetting2", "serialPort::writeStaticPic2"},
    {27, "serialPort::readDataToPaint", "staticWindow::readGraphDataRecieve"},
    {28, "staticWindow::startDrow", "serialPort::startDrow"},
    {29, "staticWindow::endDrow", "serialPort::endDrow"},
    {30, "serialPort::sendPicFinished", "staticWindow::PicStastus"},
    {31, "serialPort::FrameDataIsOK", "staticWindow::FrameDataIsOK"},
    {32, "serialPort::WriteGraphToCheck", "staticWindow::recevieWriteGraphToCheck"},
    {33, "FFT_Window::imageRead", "serialPort::readStaticPic"},
    {34, "FFT_Window::imageWrite", "serialPort::writeStaticPic"},
    {35, "serialPort::readDataToPaint1", "FFT_Window::readGraphDataRecieve"},
    {36, "FFT_Window::startDrow", "serialPort::startDrow"},
    {37, "FFT_Window::endDrow", "serialPort::endDrow"},
    {38, "serialPort::sendPicFinished1", "FFT_Window::PicStastus"},
    {39, "serialPort::FrameDataIsOK1", "FFT_Window::FrameDataIsOK"},
    {40, "serialPort::WriteGraphToCheck1", "FFT_Window::recevieWriteGraphToCheck"},
    {41, "dynamicWindow::readDynamicData", "serialPort::readDynamic"},
    {42, "serialPort::readDataToDynamic", "dynamicWindow::readGraphDataRecieve"},
    {43, "dynamicWindow::stopMainWindowQuery", "MainWindow::stopQuery"},
    {44, "dynamicWindow::startMainWindowQuery", "MainWindow::StartQuery"},
    {45, "compareWindow::getParameterName", "parameterWindow::matchingName"},
    {46, "parameterWindow::sendMatchName", "compareWindow::recieveName"},
    {47, "compareWindow::getOnlineData", "parameterWindow::OnlineMatchData"},
    {48, "parameterWindow::sendMatchOnlineData", "compareWindow::recieveOnlineData"},
    {49, "parameterWindow::showCompareWindow", "compareWindow::showCompareWindow"},
    {50, "parameterWindow::isOnLine", "compareWindow::isOnline"},
    {51, "serialPort::isOpenSerial", "MainWindow::isOpenSerialPlotOK"},
    {52, "serialPort::isOpenSerial", "parameterWindow::isOpenSerial"},
    {53, "serialPort::isOpenSerial", "staticWindow::isOpenSerialPlot"},
    {54, "serialPort::isOpenSerial", "EncoderdataWindow::isOpenSerial"},
    {55, "serialPort::isOpenSerial", "controlWindow::receiveSerialIsOK"},
    {56, "serialPort::isOpenSerial", "MonitorWindow::setSerialOpen"},
    {57, "serialPort::isOpenSerial", "masterControl::receiveSerialIsOK"},
    {58, "serialPort::isOpenSerial", "dynamicWindow::isOpenSerialPlot"},
    {59, "serialPort::isOpenSerial", "FFT_Window::isOpenSerialPlot"},
    {60, "serialPort::driverModelToSave", "parameterWindow::DriverModelToSave"},
    {61, "serialPort::driverModelToSave", "staticWindow::DriverModelToSave"},
    {62, "serialPort::driverModelToSave", "EncoderdataWindow::driverModel"},
    {63, "serialPort::driverModelToSave", "dynamicWindow::DriverModelToSave"},
    {64, "serialPort::driverModelToSave", "FFT_Window::DriverModelToSave"},
    {65, "MainWindow::queryDriverStatus", "serialPort::queryStatus"},
    {66, "serialPort::sendStatus", "MainWindow::recevieStatus"},
    {67, "MainWindow::QueryOperateInterface", "serialPort::QueryInterface"},
    {68, "serialPort::sendQueryOperateInterface", "MainWindow::recevieveInterface"},
    {69, "MainWindow::changeLanguageEnglish", "parameterWindow::changeLanguageToEnglsih"},
    {70, "MainWindow::changeLanguageChinese", "parameterWindow::changeLanguageToChinese"},
    {71, "MainWindow::changeLanguageEnglish", "staticWindow::EnglishLable"},
    {72, "MainWindow::changeLanguageChinese", "staticWindow::ChineseLable"},
    {73, "MainWindow::changeLanguageChinese", "serialPort::changeLanguage"},
    {74, "MainWindow::changeLanguageEnglish", "serialPort::changeLanguage"},
    {75, "MainWindow::changeLanguageChinese", "EncoderdataWindow::changeLanguageToChinese"},
    {76, "MainWindow::changeLanguageEnglish", "EncoderdataWindow::changeLanguageToEnglsih"},
    {77, "MainWindow::changeLanguageChinese", "MonitorWindow::loadTreeChinese"},
    {78, "MainWindow::changeLanguageEnglish", "MonitorWindow::loadTreeEnglish"},
    {79, "MainWindow::changeLanguageChinese", "dynamicWindow::ChineseLable"},
    {80, "MainWindow::changeLanguageEnglish", "dynamicWindow::EnglishLable"},
    {81, "MainWindow::changeLanguageChinese", "FFT_Window::ChineseLable"},
    {82, "MainWindow::changeLanguageEnglish", "FFT_Window::EnglishLable"},
    {83, "PasswordDialog::sendPassWordFlags2", "staticWindow::receviePasswordFlags2"},
    {84, "PasswordDialog::sendPassWordFlags", "staticWindow::receviePasswordFlags"},
    {85, "PasswordDialog::sendPassWordFlags", "MainWindow::passwordIsOK"},
    {86, "MainWindow::showMonitorWindow", "MonitorWindow::showMonitor"},
    {87, "MonitorWindow::sendThis", "MainWindow::showMonitorWindowInMdi"},
    {88, "MonitorWindow::stopMainWindowQuery", "MainWindow::stopQuery"},
    {89, "MonitorWindow::startMainWindowQuery", "MainWindow::StartQuery"},
    {90, "controlWindow::stopMainWindowQuery", "MainWindow::stopQuery"},
    {91, "controlWindow::startMainWindowQuery", "MainWindow::StartQuery"},
    {92, "masterControl::stopMainWindowQuery", "MainWindow::stopQuery"},
    {93, "masterControl::startMainWindowQuery", "MainWindow::StartQuery"},
    {94, "staticWindow::stopMainWindowQuery", "MainWindow::stopQuery"},
    {95, "staticWindow::startMainWindowQuery", "MainWindow::StartQuery"},
    {96, "parameterWindow::stopMainWindowQuery", "MainWindow::stopQuery"},
    {97, "parameterWindow::startMainWindowQuery", "MainWindow::StartQuery"},
    {98, "MainWindow::showControlWindow", "controlWindow::showControl"},
    {99, "MainWindow::showEncoderDataWindow", "EncoderdataWindow::showEncoderDataWindow"},
    {100, "MonitorWindow::readSerial", "serialPort::readSerial"},
    {101, "serialPort::readDataTOMonitor", "MonitorWindow::receiveMonitorData"},
    {102, "MonitorWindow::treeViewOK", "serialPort::TreeViewOk"},
    {103, "serialPort::SendVision", "Versions::receiveVersion"},
    {104, "Versions::readVisons", "serialPort::readSerial"},
    {105, "Versions::VersionOK", "serialPort::TreeViewOk"},
    {106, "controlWindow::readSerialContorl", "serialPort::readSerial"},
    {107, "controlWindow::writeSerialControl", "serialPort::writeSerial"},
    {108, "serialPort::writeDataToControl", "controlWindow::receiveToCheck"},
    {109, "controlWindow::JogIsOk", "serialPort::TreeViewOk"},
    {110, "serialPort::readDataToControl", "controlWindow::receiveToControl"},
    {111, "controlWindow::writeSerialControl2", "serialPort::writeSerial2"},
    {112, "EncoderdataWindow::readSerialEncoder", "serialPort::readSerial"},
    {113, "serialPort::readDataToEncoder", "EncoderdataWindow::readDataToEncoder"},
    {114, "EncoderdataWindow::treeViewOK", "serialPort::TreeViewOk"},
    {115, "EncoderdataWindow::writeSerialEncoder", "serialPort::writeSerial"},
    {116, "serialPort::writeDataToEncoder", "EncoderdataWindow::receiveToCheck"},
    {117, "serialPort::sendEncodeQuery", "EncoderdataWindow::receiveStatus"},
    {118, "EncoderdataWindow::sendEncoderIsOk", "parameterWindow::receiveEncoderIsOk"},
    {119, "parameterWindow::sendParameterIsOk", "EncoderdataWindow::receiveParameterIsOk"},
    {120, "MainWindow::sendOnlineOrOffLine", "EncoderdataWindow::receiveMainWindow"},
    {121, "MainWindow::sendOnlineOrOffLine", "parameterWindow::receiveMainWindow"},
    {122, "MainWindow::sendOnlineOrOffLine", "staticWindow::receiveMainWindow"},
    {123, "MainWindow::sendOnlineOrOffLine", "controlWindow::receiveMainWindow"},
    {124, "MainWindow::sendOnlineOrOffLine", "MonitorWindow::setOnline"},
    {125, "MainWindow::sendOnlineOrOffLine", "masterControl::receiveMainWindow"},
    {126, "MainWindow::sendOnlineOrOffLine", "FFT_Window::receiveMainWindow"},
    {127, "masterControl::writeSerialMoster", "serialPort::writeSerial"},
    {128, "serialPort::writeDataToMaster", "masterControl::receiveToCheck"},
    {129, "masterControl::readSerialMoster", "serialPort::readSerial"},
    {130, "serialPort::readDataToMaster", "masterControl::receiveToShowAlarm"},
    {131, "masterControl::writeSerialMoster2", "serialPort::writeSerial2"},
    {132, "masterControl::showAF1", "Function_AF1::showFunctionAF1"},
    {133, "masterControl::showAF4", "function_AF4::showAF4"},
    {134, "masterControl::showAF6", "Function_AF6::showAF6"},
    {135, "masterControl::showAF7", "Function_AF7::showAF7"},
    {136, "masterControl::showAF8", "FunctionAF8::showAF8"},
    {137, "masterControl::showAF11", "Function_AF11::showAF11"},
    {138, "masterControl::showAF30", "function_AF30::showAF30Window"},
    {139, "masterControl::sendToShowAlram", "function_AF4::receiveAlarmData"},
    {140, "function_AF4::sendToMaster", "masterControl::receiveFunctionAF"},
    {141, "function_AF4::sendToMasterAlarm", "masterControl::receiveFunctionAFRead"},
    {142, "function_AF4::AlarmIsOK", "masterControl::AlarmIsOk"},
    {143, "masterControl::sendToShowAF1", "Function_AF1::ReadDataToShow"},
    {144, "Function_AF1::sendToMaster", "masterControl::receiveFunctionAF"},
    {145, "Function_AF1::sendToMasterToRead", "masterControl::receiveFunctionAFRead"},
    {146, "Function_AF1::AlarmIsOk", "masterControl::AlarmIsOk"},
    {147, "masterControl::sendToShowAF6", "Function_AF6::readDataToAF6"},
    {148, "Function_AF6::sendToMaster", "masterControl::receiveFunctionAF"},
    {149, "Function_AF6::sendToMasterRead", "masterControl::receiveFunctionAFRead"},
    {150, "Function_AF6::AlarmIsOk", "masterControl::AlarmIsOk"},
    {151, "masterControl::sendToShowAF7", "Function_AF7::readDataToAF7"},
    {152, "Function_AF7::sendToMasterWrite2", "masterControl::receiveFunctionAF2"},
    {153, "Function_AF7::sendToMaster", "masterControl::receiveFunctionAF"},
    {154, "Function_AF7::sendToMasterRead", "masterControl::receiveFunctionAFRead"},
    {155, "Function_AF7::AlarmIsOk", "masterControl::AlarmIsOk"},
    {156, "masterControl::sendToShowAF8", "FunctionAF8::readDataToAF8"},
    {157, "FunctionAF8::sendToMaster", "masterControl::receiveFunctionAF"},
    {158, "FunctionAF8::sendToMasterRead", "masterControl::receiveFunctionAFRead"},
    {159, "FunctionAF8::AlarmIsOk", "masterControl::AlarmIsOk"},
    {160, "masterControl::sendToShowAF11", "Function_AF11::ReadDataToAF11"},
    {161, "Function_AF11::sendToMaster", "masterControl::receiveFunctionAF"},
    {162, "Function_AF11::sendToMasterToRead", "masterControl::receiveFunctionAFRead"},
    {163, "Function_AF11::AlarmIsOk", "masterControl::AlarmIsOk"},
    {164, "masterControl::sendToShowAF30", "function_AF30::receiveAF30Values"},
    {165, "function_AF30::sendToMaster", "masterControl::receiveFunctionAF"},
    {166, "function_AF30::sendToMasterToRead", "masterControl::receiveFunctionAFRead"},
    {167, "function_AF30::AlarmIsOk", "masterControl::AlarmIsOk"},
    {168, "MainWindow::readSerial", "serialPort::readSerial"},
    {169, "MainWindow::writeSerial", "serialPort::writeSerial"},
    {170, "serialPort::readDataToMaster", "MainWindow::recevieReadData"},
    {171, "serialPort::writeDataToMaster", "MainWindow::recevieWriteData"},
    {172, "masterControl::AlarmOK", "serialPort::TreeViewOk"},
    {173, "MainWindow::closeAllWindow", "staticWindow::closeThisWindow"},
    {174, "MainWindow::closeAllWindow", "dynamicWindow::closeThisWindow"},
    {175, "MainWindow::closeAllWindow", "controlWindow::closeThisWindow"},
    {176, "MainWindow::closeAllWindow", "FFT_Window::closeThisWindow"},
    {177, "MainWindow::closeAllWindow", "EncoderdataWindow::closeThisWindow"},
    {178, "MainWindow::closeAllWindow", "compareWindow::closeThisWindow"},
    {179, "MainWindow::closeAllWindow", "MonitorWindow::closeMonitor"},
    {180, "MainWindow::closeAllWindow", "parameterWindow::closeThisWindow"},
    {181, "staticWindow::closeFFT", "FFT_Window::closeThisWindow"},
    {182, "FFT_Window::closeStatic", "staticWindow::closeThisWindow"},
    {183, "staticWindow::showAutoWindow", "QWidget::show"},
    {184, "AutoWindow::readDataFromParameter", "parameterWindow::AutoReadParameter"},
    {185, "serialPort::readDataToAuto", "AutoWindow::receiveReadData"},
    {186, "AutoWindow::writeDataFromParameter", "parameterWindow::AutoWriteParameter"},
    {187, "serialPort::writeDataToAuto", "AutoWindow::receiveWriteResult"},
    {188, "AutoWindow::startOperation_WV", "parameterWindow::AutoStartOperation_WV"},
    {189, "AutoWindow::sendToQuery_Wv", "parameterWindow::queryOperation_WV"},
    {190, "parameterWindow::endOperation", "AutoWindow::receiveEndOperation"},
    {191, "AutoWindow::stopOperation", "parameterWindow::stopOperation"},
    {192, "AutoWindow::stopMainWindowQuery", "MainWindow::stopQuery"},
    {193, "AutoWindow::startMainWindowQuery", "MainWindow::StartQuery"},
    {194, "AutoWindow::startOperation_RV", "parameterWindow::AutoStartOperation_RV"},
    {195, "parameterWindow::sendOperation_RV", "AutoWindow::receiveOperationRV"},
    {196, "AutoWindow::StartSampling", "staticWindow::autoSampling"},
    {197, "AutoWindow::StopSampling", "staticWindow::autoSampling"},
    {198, "staticWindow::autoOperation_WOP", "AutoWindow::receiveOperationWOP"},
    {199, "AutoWindow::QueryStatus_WOP", "staticWindow::autoQuerySamplingStatus"},
    {200, "staticWindow::sendOperation_ROP", "AutoWindow::receiveOperationROP"},
    {201, "AutoWindow::readMonitorFromParameter", "parameterWindow::AutoReadMonitor"},
    {202, "FFT_Window::sendFFTResult", "staticWindow::recevieFFTResult"},
    {203, "staticWindow::FFTAnalyze", "FFT_Window::FFTAnalyze"},};

// Signals with several receivers: the numbers of their connections in delivery order.
const QList<QPair<QString, QList<int>>> kSharedSignals = {
    {QStringLiteral("ChooseDialog::sendOFF_NO"), {14, 15}},
    {QStringLiteral("serialPort::isOpenSerial"), {51, 52, 53, 54, 55, 56, 57, 58, 59}},
    {QStringLiteral("serialPort::driverModelToSave"), {60, 61, 62, 63, 64}},
    {QStringLiteral("MainWindow::changeLanguageEnglish"), {69, 71, 74, 76, 78, 80, 82}},
    {QStringLiteral("MainWindow::changeLanguageChinese"), {70, 72, 73, 75, 77, 79, 81}},
    {QStringLiteral("PasswordDialog::sendPassWordFlags"), {84, 85}},
    {QStringLiteral("MainWindow::sendOnlineOrOffLine"), {120, 121, 122, 123, 124, 125, 126}},
    {QStringLiteral("serialPort::writeDataToMaster"), {128, 171}},
    {QStringLiteral("serialPort::readDataToMaster"), {130, 170}},
    {QStringLiteral("MainWindow::closeAllWindow"), {173, 174, 175, 176, 177, 178, 179, 180}},};

// The few connections added without a number, and why they exist (see wiring.cpp).
const QSet<QPair<QString, QString>> kUnnumbered = {
    {QStringLiteral("parameterWindow::sendMatchOnlineNumbers"), QStringLiteral("compareWindow::recieveOnlineNumbers")},
    {QStringLiteral("ChooseDialog::sendOFF_NO"), QStringLiteral("serialPort::workOnlineOrOffline")},
    {QStringLiteral("ChooseDialog::sendOFF_NO"), QStringLiteral("EncoderdataWindow::sessionChosen")},
    {QStringLiteral("MainWindow::giveUpLink"), QStringLiteral("serialPort::giveUpLink")},
    {QStringLiteral("serialPort::driveAnswered"), QStringLiteral("MainWindow::linkAnswered")},
    {QStringLiteral("serialPort::isOpenSerial"), QStringLiteral("AutoWindow::receivePortOpen")},
    {QStringLiteral("serialPort::readDataToAuto"), QStringLiteral("parameterWindow::autoAnswerCame")},
    {QStringLiteral("serialPort::writeDataToAuto"), QStringLiteral("parameterWindow::autoAnswerCame")},
    {QStringLiteral("serialPort::writeEchoRefused"), QStringLiteral("AutoWindow::receiveEchoRefused")},
    {QStringLiteral("serialPort::driveRefused"), QStringLiteral("AutoWindow::receiveDriveRefusal")},
    {QStringLiteral("staticWindow::autoOperationFailed"), QStringLiteral("AutoWindow::receiveCaptureFailure")},
    {QStringLiteral("staticWindow::startDrow"), QStringLiteral("serialPort::startUpload")},
    {QStringLiteral("FFT_Window::startDrow"), QStringLiteral("serialPort::startUpload")},
    {QStringLiteral("serialPort::isOpenSerial"), QStringLiteral("Versions::setSerialOpen")},
    {QStringLiteral("MainWindow::changeLanguageChinese"), QStringLiteral("EncoderdataWindow::stopBeforeLinkCloses")},
    {QStringLiteral("MainWindow::changeLanguageEnglish"), QStringLiteral("EncoderdataWindow::stopBeforeLinkCloses")},
    {QStringLiteral("MainWindow::changeLanguageChinese"), QStringLiteral("FFT_Window::stopBeforeLinkCloses")},
    {QStringLiteral("MainWindow::changeLanguageEnglish"), QStringLiteral("FFT_Window::stopBeforeLinkCloses")},
    {QStringLiteral("masterControl::writeOutcome"), QStringLiteral("Function_AF1::receiveWriteOutcome")},
    {QStringLiteral("masterControl::writeOutcome"), QStringLiteral("function_AF4::receiveWriteOutcome")},
    {QStringLiteral("masterControl::writeOutcome"), QStringLiteral("Function_AF6::receiveWriteOutcome")},
    {QStringLiteral("masterControl::writeOutcome"), QStringLiteral("Function_AF7::receiveWriteOutcome")},
    {QStringLiteral("masterControl::writeOutcome"), QStringLiteral("FunctionAF8::receiveWriteOutcome")},
    {QStringLiteral("masterControl::writeOutcome"), QStringLiteral("Function_AF11::receiveWriteOutcome")},
    {QStringLiteral("masterControl::writeOutcome"), QStringLiteral("function_AF30::receiveWriteOutcome")},
    {QStringLiteral("parameterWindow::autoRequestRefused"), QStringLiteral("AutoWindow::receiveRefusal")},
};

// Creation order and the quit-on-close attribute each window gets (-1: left at its default).
const QList<QPair<QString, int>> kCreation = {
    {QStringLiteral("MainWindow"), 1},
    {QStringLiteral("EncoderdataWindow"), 0},
    {QStringLiteral("controlWindow"), 0},
    {QStringLiteral("FFT_Window"), 0},
    {QStringLiteral("MonitorWindow"), -1},
    {QStringLiteral("masterControl"), -1},
    {QStringLiteral("ChooseDialog"), 1},
    {QStringLiteral("serialPort"), 1},
    {QStringLiteral("dynamicWindow"), 0},
    {QStringLiteral("staticWindow"), 1},
    {QStringLiteral("parameterWindow"), 0},
    {QStringLiteral("compareWindow"), 0},
    {QStringLiteral("PasswordDialog"), 0},
    {QStringLiteral("Versions"), -1},
    {QStringLiteral("Function_AF1"), -1},
    {QStringLiteral("function_AF4"), -1},
    {QStringLiteral("Function_AF6"), -1},
    {QStringLiteral("Function_AF7"), -1},
    {QStringLiteral("FunctionAF8"), -1},
    {QStringLiteral("Function_AF11"), -1},
    {QStringLiteral("function_AF30"), -1},
    {QStringLiteral("AutoWindow"), -1},
};

} // namespace

class TestWiring : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void creationOrderAndAttributes();
    void everyConnectionAsTheTableSays();
    void sharedSignalsReachTheirReceiversInOrder();

private:
    TempWorkDir workDir;
    WindowSet *set = nullptr;
};

void TestWiring::initTestCase()
{
    set = new WindowSet;
}

void TestWiring::cleanupTestCase()
{
    delete set;
}

void TestWiring::creationOrderAndAttributes()
{
    QStringList expectedOrder;
    QMap<QString, int> attribute;
    for (const auto &c : kCreation) {
        expectedOrder << c.first;
        attribute[c.first] = c.second;
    }
    QStringList order;
    for (QWidget *w : set->createdWindows()) {
        const QString name = QString::fromLatin1(w->metaObject()->className());
        order << name;
        QVERIFY2(!w->parent(), qPrintable(name));
        if (attribute.value(name, -1) >= 0)
            QCOMPARE(w->testAttribute(Qt::WA_QuitOnClose), attribute.value(name) == 1);
    }
    QCOMPARE(order, expectedOrder);
}

void TestWiring::everyConnectionAsTheTableSays()
{
    QMap<int, Expected> table;
    for (const Expected &e : kConnections)
        table.insert(e.number, e);

    int previous = 0;
    QSet<int> madeNumbers;
    QSet<QPair<QString, QString>> unnumbered;
    for (const Wiring::Connection &c : Wiring::made()) {
        const QString what = QStringLiteral("%1: %2 -> %3").arg(c.number).arg(c.signal, c.receiver);
        QVERIFY2(c.made, qPrintable(what));
        if (c.number == 0) {
            unnumbered.insert({c.signal, c.receiver});
            continue;
        }
        QVERIFY2(table.contains(c.number), qPrintable(what));
        QVERIFY2(c.number > previous, qPrintable(what + QStringLiteral(" made after %1").arg(previous)));
        previous = c.number;
        madeNumbers.insert(c.number);
        QCOMPARE(c.signal, QString::fromLatin1(table[c.number].signal));
        QCOMPARE(c.receiver, QString::fromLatin1(table[c.number].receiver));
    }
    QCOMPARE(unnumbered, kUnnumbered);

    // Every connection is made.
    QStringList missing;
    for (const Expected &e : kConnections) {
        if (!madeNumbers.contains(e.number))
            missing << QString::number(e.number);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not made: ") + missing.join(QLatin1Char(' '))));
}

void TestWiring::sharedSignalsReachTheirReceiversInOrder()
{
    QMap<int, QString> receiverOf;
    for (const Expected &e : kConnections)
        receiverOf.insert(e.number, QString::fromLatin1(e.receiver));
    for (const auto &shared : kSharedSignals) {
        QStringList expected;
        for (int number : shared.second)
            expected << receiverOf[number];
        QStringList delivered;
        for (const Wiring::Connection &c : Wiring::made()) {
            if (c.number != 0 && c.signal == shared.first)
                delivered << c.receiver;
        }
        QCOMPARE(delivered, expected);
    }
}

QTEST_MAIN(TestWiring)
#include "tst_wiring.moc"
