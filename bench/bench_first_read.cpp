// The first read of the whole VR catalogue (mailbox write and record read per parameter)
// through parameterWindow and serialPort against the simulated drive, beside a bare libmodbus
// client doing the same exchanges with a drive of its own.
//
// The rate is taken where the drive hears the requests, from the tenth request to the last, so
// that both sides are measured on the same exchanges and neither counts its start (the tool's
// window paints itself for the first time during its first exchanges). Several rounds, the two
// sides taking turns at going first, since the machine's load moves both.

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

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Result {
    bool ok = false;
    int exchanges = 0;
    double rate = 0; // exchanges per second after the first one
};

// When the drive heard each request (on the drive's thread).
class RequestTimes
{
public:
    explicit RequestTimes(SimulatedDrive &drive)
    {
        drive.addWriteHook([this](int, quint16, quint16) { note(); });
        drive.addReadHook([this](int, quint16, quint16) { note(); });
    }
    // Exchanges per second from the tenth request heard to the last.
    double rate() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const size_t first = 9;
        if (m_times.size() < first + 2)
            return 0;
        const double seconds = std::chrono::duration<double>(m_times.back() - m_times.at(first)).count();
        return seconds > 0 ? double(m_times.size() - first - 1) / seconds : 0;
    }

private:
    void note()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_times.push_back(Clock::now());
    }
    mutable std::mutex m_mutex;
    std::vector<Clock::time_point> m_times;
};

Result toolFirstRead()
{
    Result result;
    SimulatedDrive drive(1);
    SimulatedModel::install(drive, 0);
    DriveParameters &params = *drive.part<DriveParameters>();
    // Its wake-ups are for tests waiting in an event loop; here they would only load the tool's.
    drive.setWakesTestThread(false);
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

    RequestTimes times(drive);
    window.showParameterWindow(); // online with the first read pending: the whole read
    result.exchanges = drive.requestCount();
    result.rate = times.rate();
    result.ok = !window.firstRead && params.mailboxSelections() == params.parameters().size();
    return result;
}

Result libmodbusFirstRead()
{
    Result result;
    SimulatedDrive drive(1);
    SimulatedModel::install(drive, 0);
    DriveParameters &params = *drive.part<DriveParameters>();
    drive.setWakesTestThread(false);
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
    RequestTimes times(drive);
    uint16_t words[9];
    bool ok = true;
    for (const DriveParameters::Parameter &p : params.parameters()) {
        ok = ok && modbus_write_register(ctx, 0xCF00, p.address) == 1;
        ok = ok && modbus_read_registers(ctx, 0xCF01, 9, words) == 9;
        result.exchanges += 2;
    }
    result.rate = times.rate();
    result.ok = ok;
    modbus_close(ctx);
    modbus_free(ctx);
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values.at(values.size() / 2);
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

    const int rounds = qMax(1, qEnvironmentVariableIntValue("BENCH_ROUNDS") ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 5);
    QTextStream out(stdout);
    out << "First read of the VR catalogue, mailbox write and record read per parameter; exchanges/s after the "
           "first request, as the drive hears them\n";
    std::vector<double> toolRates, bareRates;
    bool ok = true;
    for (int round = 0; round < rounds; ++round) {
        Result tool, bare;
        if (round % 2 == 0) {
            tool = toolFirstRead();
            bare = libmodbusFirstRead();
        } else {
            bare = libmodbusFirstRead();
            tool = toolFirstRead();
        }
        ok = ok && tool.ok && bare.ok;
        toolRates.push_back(tool.rate);
        bareRates.push_back(bare.rate);
        out << "round " << round + 1 << ": parameterWindow + serialPort " << QString::number(tool.rate, 'f', 0)
            << (tool.ok ? "" : " (FAILED)") << ", bare libmodbus " << QString::number(bare.rate, 'f', 0)
            << (bare.ok ? "" : " (FAILED)") << " (" << tool.exchanges << " / " << bare.exchanges << " exchanges), ratio "
            << QString::number(bare.rate > 0 ? tool.rate / bare.rate : 0, 'f', 2) << '\n';
        out.flush();
    }
    const double toolMedian = median(toolRates), bareMedian = median(bareRates);
    out << "median: parameterWindow + serialPort " << QString::number(toolMedian, 'f', 0) << ", bare libmodbus "
        << QString::number(bareMedian, 'f', 0) << ", ratio "
        << QString::number(bareMedian > 0 ? toolMedian / bareMedian : 0, 'f', 2) << '\n';
    return ok ? 0 : 1;
}
