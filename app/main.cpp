// Program start: translation, the windows in their fixed creation order, their wiring,
// the style sheet and the event loop. The windows are destroyed in reverse order.

#include <QApplication>
#include <QFile>
#include <QTranslator>

#include <memory>

#include "autowindow.h"
#include "choicefiles.h"
#include "choosedialog.h"
#include "comparewindow.h"
#include "encoderdatawindow.h"
#include "languageswitcher.h"
#include "mainwindow.h"
#include "parameterwindow.h"
#include "passworddialog.h"
#include "serialport.h"
#include "staticwindow.h"
#include "translation.h"
#include "wiring.h"

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);

    const int language = readLanguageChoice();
    QTranslator translator;
    translator.load(translationResource(language), QString(), QString(), QString());
    a.installTranslator(&translator);
    // A language switch later takes it out in favour of the chosen file.
    LanguageSwitcher::adoptStartupTranslator(&translator);

    // Windows, in creation order; each gets its quit-on-close attribute right after creation.
    // Every connection between them is made in wiring.cpp, numbered; each Wiring:: call comes
    // right after the window it is named after.
    Windows windows;

    // 1 MainWindow
    auto mainWindow = std::make_unique<MainWindow>();
    mainWindow->setAttribute(Qt::WA_QuitOnClose, true);
    windows.mainWindow = mainWindow.get();

    // 2 EncoderdataWindow
    auto encoder = std::make_unique<EncoderdataWindow>();
    encoder->setAttribute(Qt::WA_QuitOnClose, false);
    windows.encoder = encoder.get();

    // 7 ChooseDialog, shown at once: the first window the user sees
    auto choose = std::make_unique<ChooseDialog>();
    choose->show();
    choose->setAttribute(Qt::WA_QuitOnClose, true);
    windows.chooseDialog = choose.get();

    // 8 serialPort
    auto link = std::make_unique<serialPort>();
    link->setAttribute(Qt::WA_QuitOnClose, true);
    windows.link = link.get();
    Wiring::afterSerialPort(windows);

    // 10 staticWindow
    auto capture = std::make_unique<staticWindow>();
    capture->setAttribute(Qt::WA_QuitOnClose, true);
    windows.capture = capture.get();
    Wiring::afterStaticWindow(windows);

    // 11 parameterWindow
    auto parameters = std::make_unique<parameterWindow>();
    parameters->setAttribute(Qt::WA_QuitOnClose, false);
    windows.parameters = parameters.get();
    Wiring::afterParameterWindow(windows);

    // 12 compareWindow
    auto compare = std::make_unique<compareWindow>();
    compare->setAttribute(Qt::WA_QuitOnClose, false);
    windows.compare = compare.get();
    Wiring::afterCompareWindow(windows);

    // 13 PasswordDialog
    auto password = std::make_unique<PasswordDialog>();
    password->setAttribute(Qt::WA_QuitOnClose, false);
    windows.passwordDialog = password.get();
    Wiring::afterPasswordDialog(windows);

    // 14 Versions (connections 10 to 131 follow it)
    Wiring::afterVersions(windows);

    // 15 to 21 the auxiliary-function dialogs (connections 132 to 182 follow them)
    Wiring::afterServiceDialogs(windows);

    // 22 AutoWindow (connections 183 to 203 follow it)
    auto automation = std::make_unique<AutoWindow>();
    windows.automation = automation.get();
    Wiring::afterAutoWindow(windows);

    QApplication::setQuitOnLastWindowClosed(true);

    QFile styleFile(QStringLiteral(":/qss/qss/style1.qss"));
    styleFile.open(QFile::ReadOnly);
    a.setStyleSheet(QString::fromUtf8(styleFile.readAll().constData()));
    styleFile.close();

    return a.exec();
}
