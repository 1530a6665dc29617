#include "windowset.h"

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

WindowSet::WindowSet()
{
    // Each Wiring:: call comes right after the window it is named after.
    w.mainWindow = make<MainWindow>(QuitOn);
    w.encoder = make<EncoderdataWindow>(QuitOff);
    w.control = make<controlWindow>(QuitOff);

    w.spectrum = make<FFT_Window>(QuitOff);
    Wiring::afterFFTWindow(w);

    w.monitor = make<MonitorWindow>(QuitDefault);

    w.master = make<masterControl>(QuitDefault);
    Wiring::afterMasterControl(w);

    // The first window the user sees.
    w.chooseDialog = new ChooseDialog;
    w.chooseDialog->show();
    w.chooseDialog->setAttribute(Qt::WA_QuitOnClose, true);
    order.push_back(w.chooseDialog);
    owned.emplace_back(w.chooseDialog);

    w.link = make<serialPort>(QuitOn);
    Wiring::afterSerialPort(w);

    w.trend = make<dynamicWindow>(QuitOff);
    Wiring::afterDynamicWindow(w);

    w.capture = make<staticWindow>(QuitOn);
    Wiring::afterStaticWindow(w);

    w.parameters = make<parameterWindow>(QuitOff);
    Wiring::afterParameterWindow(w);

    w.compare = make<compareWindow>(QuitOff);
    Wiring::afterCompareWindow(w);

    w.passwordDialog = make<PasswordDialog>(QuitOff);
    Wiring::afterPasswordDialog(w);

    w.versions = make<Versions>(QuitDefault);
    Wiring::afterVersions(w);

    w.teaching = make<Function_AF1>(QuitDefault);
    w.alarms = make<function_AF4>(QuitDefault);
    w.analogOffset = make<Function_AF6>(QuitDefault);
    w.speedOffset = make<Function_AF7>(QuitDefault);
    w.torqueOffset = make<FunctionAF8>(QuitDefault);
    w.encoderReset = make<Function_AF11>(QuitDefault);
    w.rigidity = make<function_AF30>(QuitDefault);

    Wiring::afterServiceDialogs(w);

    w.automation = make<AutoWindow>(QuitDefault);
    Wiring::afterAutoWindow(w);
}

WindowSet::~WindowSet()
{
    while (!owned.empty())
        owned.pop_back();
}
