#ifndef PORTSETTINGS_H
#define PORTSETTINGS_H

#include <QSerialPort>
#include <QString>
#include <QStringList>

// The line settings the connection dialog asks for, built from its choices by a pure
// function, so what a real port is given can be checked without one (a pseudo-terminal
// refuses some of them).
struct PortSettings
{
    QString portName;
    qint32 baudRate = 0;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    bool dataTerminalReady = true;

    bool operator==(const PortSettings &other) const;
};

namespace PortChoices {

// The entries of the dialog's choice boxes; "port.ini" stores indexes into them.
QStringList fixedPortNames();   // "COM3", "COM2", "COM1", "COM4" .. "COM9"
QStringList baudRates();        // "57600", "9600", "4800", "14400", "115200", "128000", "256000"
QStringList dataBits();         // "8", "7", "6", "5"
QStringList stopBits();         // "1", "2"
QStringList parities();         // "NoParity", "odd", "even"

// The settings for the dialog's current choices: the port box's text, the baud box's text,
// the data-bit box's index, the parity box's text and the stop-bit box's index (-1 when a box
// has no current entry; the data and stop bits then stay at the port's default, 8 and 1).
// The parity text is compared with "NoParity" and "odd" as the current translator gives them;
// anything else is even parity.
PortSettings settingsFromChoices(const QString &portText, const QString &baudText, int dataIndex,
                                 const QString &parityText, int stopIndex);

} // namespace PortChoices

#endif // PORTSETTINGS_H
