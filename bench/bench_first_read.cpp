// The first read of the whole VR catalogue (mailbox write and record read per parameter)
// through parameterWindow and serialPort against the simulated drive, beside a bare libmodbus
// client doing the same exchanges with a drive of its own.

#include "driveparameters.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSettings>
#include <QTextStream>

#include <modbus.h>

#include <memory>

namespace {

struct Result {
    bool ok = false;
    int exchanges = 0;
    qint64 ms = 0;
};

int vrParameterCount()
{
    SimulatedDrive drive(1);
    SimulatedModel::install(drive, 0);
    return drive.part<DriveParameters>()->parameters().size();
}

Result toolFirstRead()
{
    Result result;
    SimulatedDrive drive(1);
    SimulatedModel::install(drive, 0);
    DriveParameters &params = *drive.part<DriveParameters>();
    if (!drive.start())
        return result;
    params.scramble();

    serialPort link;
    parameterWindow window;
    QObject::connect(&window, &parameterWindow::readSerialStr, &link, &serialPort::readSerial);
    QObject::connect(&window, &parameterWindow::writeSerialStr, &link, &serialPort::writeSerial);
    QObject::connect(&window, &parameterWindow::TreeViewOk, &link, &serialPort::TreeViewOk);
    QObject::connect(&link, &serialPort::readDataToShow, &window, &parameterWindow::readData);
    QObject::connect(&link, &serialPort::writeDataToCheck, &window, &parameterWindow::receiveWriteDataToCheck);
    QObject::connect(&link, &serialPort::isOpenSerial, &window, &parameterWindow::isOpenSerial);
    if (!link.openPort(drive.portName(), 115200))
        return result;
    window.changeFrist(true);
    window.showParameterWindow(); // offline: builds the model only
    emit link.isOpenSerial(true);
    drive.clearRequests();

    QElapsedTimer clock;
    clock.start();
    window.showParameterWindow(); // online with the first read pending: the whole read
    result.ms = clock.elapsed();
    result.exchanges = drive.requestCount();
    result.ok = !window.firstRead && params.mailboxSelections() == params.parameters().size();
    return result;
}

Result libmodbusFirstRead()
{
    Result result;
    SimulatedDrive drive(1);
    SimulatedModel::install(drive, 0);
    DriveParameters &params = *drive.part<DriveParameters>();
    if (!drive.start())
        return result;
    modbus_t *ctx = modbus_new_rtu(drive.portName().toLocal8Bit().constData(), 115200, 'N', 8, 1);
    if (!ctx)
        return result;
    modbus_set_slave(ctx, 1);
    if (modbus_connect(ctx) != 0) {
        modbus_free(ctx);
        return result;
    }
    uint16_t words[9];
    bool ok = true;
    QElapsedTimer clock;
    clock.start();
    for (const DriveParameters::Parameter &p : params.parameters()) {
        ok = ok && modbus_write_register(ctx, 0xCF00, p.address) == 1;
        ok = ok && modbus_read_registers(ctx, 0xCF01, 9, words) == 9;
        result.exchanges += 2;
    }
    result.ms = clock.elapsed();
    result.ok = ok;
    modbus_close(ctx);
    modbus_free(ctx);
    return result;
}

void print(QTextStream &out, const char *name, const Result &r)
{
    const double rate = r.ms > 0 ? 1000.0 * r.exchanges / r.ms : 0.0;
    out << qSetFieldWidth(34) << Qt::left << name << qSetFieldWidth(0) << (r.ok ? "" : "(FAILED) ")
        << r.exchanges << " exchanges in " << r.ms << " ms, " << QString::number(rate, 'f', 1)
        << " exchanges/s\n";
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    TempWorkDir dir;
    QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), 0);
    QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), 1);

    QTextStream out(stdout);
    out << "First read of the VR catalogue (" << vrParameterCount() << " parameters)\n";
    const Result tool = toolFirstRead();
    print(out, "parameterWindow + serialPort:", tool);
    out << "  (includes the 500 ms pause after the first mailbox write; without it "
        << QString::number(tool.ms > 500 ? 1000.0 * tool.exchanges / (tool.ms - 500) : 0.0, 'f', 1)
        << " exchanges/s)\n";
    print(out, "bare libmodbus client:", libmodbusFirstRead());
    return tool.ok ? 0 : 1;
}
