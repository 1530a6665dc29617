#ifndef WIRING_H
#define WIRING_H

#include <QObject>
#include <QString>
#include <QVector>

class MainWindow;
class ChooseDialog;
class serialPort;
class PasswordDialog;
class parameterWindow;
class EncoderdataWindow;
class staticWindow;
class dynamicWindow;
class compareWindow;
class AutoWindow;
class FFT_Window;
class masterControl;
class Function_AF1;
class function_AF4;
class Function_AF6;
class Function_AF7;
class FunctionAF8;
class Function_AF11;
class function_AF30;
class controlWindow;
class MonitorWindow;
class Versions;

// The windows main creates, filled in as they are created.
struct Windows
{
    MainWindow *mainWindow = nullptr;       // 1
    EncoderdataWindow *encoder = nullptr;   // 2
    FFT_Window *spectrum = nullptr;         // 4
    controlWindow *control = nullptr;       // 3
    MonitorWindow *monitor = nullptr;       // 5
    masterControl *master = nullptr;        // 6
    ChooseDialog *chooseDialog = nullptr;   // 7
    serialPort *link = nullptr;             // 8
    dynamicWindow *trend = nullptr;         // 9
    staticWindow *capture = nullptr;        // 10
    parameterWindow *parameters = nullptr;  // 11
    compareWindow *compare = nullptr;       // 12
    PasswordDialog *passwordDialog = nullptr; // 13
    Versions *versions = nullptr;           // 14
    Function_AF1 *teaching = nullptr;       // 15
    function_AF4 *alarms = nullptr;         // 16
    Function_AF6 *analogOffset = nullptr;   // 17
    Function_AF7 *speedOffset = nullptr;    // 18
    FunctionAF8 *torqueOffset = nullptr;    // 19
    Function_AF11 *encoderReset = nullptr;  // 20
    function_AF30 *rigidity = nullptr;      // 21
    AutoWindow *automation = nullptr;       // 22
};

// Every connection between two windows is made here through WIRE, numbered in the order main
// makes them; for a signal with several receivers that order is the order of delivery. Each
// function is called right after the window it is named after has been created.
namespace Wiring {

// One connection as made: its number (0 for the few additions that carry no number), the
// signal and the receiving member as "Class::member", and whether the toolkit took it.
struct Connection
{
    int number = 0;
    QString signal;
    QString receiver;
    bool made = false;
};

// Every connection made so far, in the order made.
const QVector<Connection> &made();
void record(int number, const char *signal, const char *receiver, bool ok);

template <typename Sender, typename Signal, typename Receiver, typename Slot>
void wire(int number, Sender *sender, Signal signal, Receiver *receiver, Slot slot,
          const char *signalName, const char *receiverName)
{
    const bool ok = bool(QObject::connect(sender, signal, receiver, slot));
    record(number, signalName, receiverName, ok);
}

void afterFFTWindow(const Windows &w);        // 1
void afterMasterControl(const Windows &w);    // 2 and 3
void afterSerialPort(const Windows &w);       // 4
void afterDynamicWindow(const Windows &w);    // 5
void afterStaticWindow(const Windows &w);     // 6
void afterParameterWindow(const Windows &w);  // 7
void afterCompareWindow(const Windows &w);    // 8
void afterPasswordDialog(const Windows &w);   // 9
void afterVersions(const Windows &w);         // 10 to 131
void afterServiceDialogs(const Windows &w);   // 132 to 182
void afterAutoWindow(const Windows &w);       // 183 to 203

} // namespace Wiring

// WIRE(19, parameters, parameterWindow, writeSerialStr, link, serialPort, writeSerial)
// connects parameters' writeSerialStr to link's writeSerial and records it as number 19.
#define WIRE(number, sender, SenderClass, signal, receiver, ReceiverClass, member) \
    Wiring::wire(number, sender, &SenderClass::signal, receiver, &ReceiverClass::member, \
                 #SenderClass "::" #signal, #ReceiverClass "::" #member)

#endif // WIRING_H
