#ifndef WIRING_H
#define WIRING_H

class MainWindow;
class ChooseDialog;
class serialPort;
class PasswordDialog;
class parameterWindow;

// The windows main creates, filled in as they are created. Windows of parts of the tool that
// are not built yet have no member here; their connections come with them.
struct Windows
{
    MainWindow *mainWindow = nullptr;       // 1
    ChooseDialog *chooseDialog = nullptr;   // 7
    serialPort *link = nullptr;             // 8
    parameterWindow *parameters = nullptr;  // 11
    PasswordDialog *passwordDialog = nullptr; // 13
};

// Every connection between two windows is made here, numbered in the order main makes them;
// for a signal with several receivers that order is the order of delivery. Each function is
// called right after the window it is named after has been created.
namespace Wiring {

void afterSerialPort(const Windows &w);       // 4
void afterParameterWindow(const Windows &w);  // 7
void afterPasswordDialog(const Windows &w);   // 9
void afterVersions(const Windows &w);         // 10 to 131
void afterServiceDialogs(const Windows &w);   // 132 to 183

} // namespace Wiring

#endif // WIRING_H
