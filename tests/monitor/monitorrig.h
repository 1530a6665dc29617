#ifndef MONITORRIG_H
#define MONITORRIG_H

// The monitor, jog control and drive-information windows and the link, wired by the
// program's own wiring, against a simulated VR drive with its motor.

#include <QSettings>
#include <QStringList>

#include <memory>

#include "controlwindow.h"
#include "monitorwindow.h"
#include "serialport.h"
#include "simlive.h"
#include "simmotor.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "versions.h"
#include "wiring.h"

inline void writeChoices(int family, int language)
{
    QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), family);
    QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), language);
}

struct MonitorRig {
    explicit MonitorRig(int language = 1)
    {
        writeChoices(0, language);
        monitor = std::make_unique<MonitorWindow>();
        control = std::make_unique<controlWindow>();
        versions = std::make_unique<Versions>();
        windows.link = &link;
        windows.monitor = monitor.get();
        windows.control = control.get();
        windows.versions = versions.get();
        // The connections to the windows left out are refused with a warning each: kept quiet.
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        Wiring::afterVersions(windows);
        Wiring::afterServiceDialogs(windows);
        qInstallMessageHandler(previous);
        SimulatedModel::install(drive, 0);
        // The external command stays still: the motor moves only as the tests move it.
        drive.part<SimLiveVariables>()->hold(true);
    }

    // Starts the drive and opens the port as the connection dialog does.
    bool connect()
    {
        if (!drive.start() || !link.openPort(drive.portName(), 115200))
            return false;
        emit link.isOpenSerial(true);
        drive.clearRequests();
        return true;
    }

    // The requests the drive heard, as "06 2001 0002" (writes), "10 05A1 00020400004000" and
    // "03 E000 0001" (reads).
    QStringList heard() const
    {
        QStringList list;
        for (const QByteArray &frame : drive.requests()) {
            const QByteArray hex = frame.toHex().toUpper();
            const QByteArray function = hex.mid(2, 2);
            const QByteArray rest = function == "10" ? hex.mid(8, 14) : hex.mid(8, 4);
            list << QString::fromLatin1(function + ' ' + hex.mid(4, 4) + ' ' + rest);
        }
        return list;
    }

    QStringList writes() const
    {
        QStringList list;
        for (const QString &request : heard()) {
            if (!request.startsWith(QLatin1String("03")))
                list << request;
        }
        return list;
    }

    SimMotor *motor() const { return drive.part<SimMotor>(); }

    SimulatedDrive drive;
    serialPort link;
    std::unique_ptr<MonitorWindow> monitor;
    std::unique_ptr<controlWindow> control;
    std::unique_ptr<Versions> versions;
    Windows windows;
};

#endif // MONITORRIG_H
