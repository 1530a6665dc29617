#include "portsettings.h"

#include <QCoreApplication>

bool PortSettings::operator==(const PortSettings &other) const
{
    return portName == other.portName && baudRate == other.baudRate && dataBits == other.dataBits
        && parity == other.parity && stopBits == other.stopBits
        && dataTerminalReady == other.dataTerminalReady;
}

namespace PortChoices {

QStringList fixedPortNames()
{
    return {QStringLiteral("COM3"), QStringLiteral("COM2"), QStringLiteral("COM1"),
            QStringLiteral("COM4"), QStringLiteral("COM5"), QStringLiteral("COM6"),
            QStringLiteral("COM7"), QStringLiteral("COM8"), QStringLiteral("COM9")};
}

QStringList baudRates()
{
    return {QStringLiteral("57600"), QStringLiteral("9600"), QStringLiteral("4800"),
            QStringLiteral("14400"), QStringLiteral("115200"), QStringLiteral("128000"),
            QStringLiteral("256000")};
}

QStringList dataBits()
{
    return {QStringLiteral("8"), QStringLiteral("7"), QStringLiteral("6"), QStringLiteral("5")};
}

QStringList stopBits()
{
    return {QStringLiteral("1"), QStringLiteral("2")};
}

QStringList parities()
{
    return {QStringLiteral("NoParity"), QStringLiteral("odd"), QStringLiteral("even")};
}

PortSettings settingsFromChoices(const QString &portText, const QString &baudText, int dataIndex,
                                 const QString &parityText, int stopIndex)
{
    PortSettings settings;
    settings.portName = portText;
    settings.baudRate = baudText.toInt();

    switch (dataIndex) {
    case 0: settings.dataBits = QSerialPort::Data8; break;
    case 1: settings.dataBits = QSerialPort::Data7; break;
    case 2: settings.dataBits = QSerialPort::Data6; break;
    case 3: settings.dataBits = QSerialPort::Data5; break;
    default: break;
    }

    if (parityText == QCoreApplication::translate("serialPort", "NoParity"))
        settings.parity = QSerialPort::NoParity;
    else if (parityText == QCoreApplication::translate("serialPort", "odd"))
        settings.parity = QSerialPort::OddParity;
    else
        settings.parity = QSerialPort::EvenParity;

    if (stopIndex == 0)
        settings.stopBits = QSerialPort::OneStop;
    else if (stopIndex == 1)
        settings.stopBits = QSerialPort::TwoStop;

    settings.dataTerminalReady = true;
    return settings;
}

} // namespace PortChoices
