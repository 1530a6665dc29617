#include "windowset.h"

#include "autowindow.h"
#include "choosedialog.h"
#include "comparewindow.h"
#include "dynamicwindow.h"
#include "encoderdatawindow.h"
#include "mainwindow.h"
#include "parameterwindow.h"
#include "passworddialog.h"
#include "serialport.h"
#include "staticwindow.h"

WindowSet::WindowSet()
{
    // Each Wiring:: call comes right after the window it is named after.
    w.mainWindow = make<MainWindow>(QuitOn);
    w.encoder = make<EncoderdataWindow>(QuitOff);

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

    Wiring::afterVersions(w);

    Wiring::afterServiceDialogs(w);

    w.automation = make<AutoWindow>(QuitDefault);
    Wiring::afterAutoWindow(w);
}

WindowSet::~WindowSet()
{
    while (!owned.empty())
        owned.pop_back();
}
