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

// The windows main creates, filled in as they are created. Windows of parts of the tool that
// are not built yet have no member here; their connections come with them.
struct Windows
{
    MainWindow *mainWindow = nullptr;       // 1
    EncoderdataWindow *encoder = nullptr;   // 2
    ChooseDialog *chooseDialog = nullptr;   // 7
    serialPort *link = nullptr;             // 8
    dynamicWindow *trend = nullptr;         // 9
    staticWindow *capture = nullptr;        // 10
    parameterWindow *parameters = nullptr;  // 11
    compareWindow *compare = nullptr;       // 12
    PasswordDialog *passwordDialog = nullptr; // 13
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
