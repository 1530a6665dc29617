// The link's exchange rate: N register reads through serialPort against the simulated drive
// on a pty, and the same N reads by a bare libmodbus client against a drive of its own, in
// one run; then the CPU time the bounded wait uses while a silent drive keeps it waiting.
//
//   bench_link [N]      (default 1000)

#include "boundedwait.h"
#include "serialport.h"
#include "simulateddrive.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTextStream>

#include <modbus.h>

#include <sys/resource.h>

namespace {

struct Rate {
    bool ok = false;
    int reads = 0;
    qint64 ms = 0;
    double perSecond() const { return ms > 0 ? 1000.0 * reads / double(ms) : 0.0; }
};

qint64 cpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000 + usage.ru_utime.tv_usec
        + usage.ru_stime.tv_usec;
}

void fillRegisters(SimulatedDrive &drive)
{
    drive.setRegister(0x0010, 0x1234);
    drive.setRegister(0x0011, 0xABCD);
}

Rate toolReads(int n)
{
    Rate rate;
    SimulatedDrive drive(1);
    fillRegisters(drive);
    if (!drive.start())
        return rate;
    serialPort link;
    if (!link.openPort(drive.portName(), 115200))
        return rate;
    int answers = 0;
    QObject::connect(&link, &serialPort::readDataToShow, [&answers](const QVector<QString> &) { ++answers; });

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < n; ++i) {
        const int before = answers;
        link.TreeViewOk(true);
        link.readSerial("0010", "0002", 1);
        if (!BoundedWait::forReply([&] { return answers > before; }, 1000))
            return rate;
        ++rate.reads;
    }
    rate.ms = clock.elapsed();
    rate.ok = true;
    return rate;
}

Rate libmodbusReads(int n)
{
    Rate rate;
    SimulatedDrive drive(1);
    fillRegisters(drive);
    if (!drive.start())
        return rate;
    modbus_t *ctx = modbus_new_rtu(drive.portName().toLocal8Bit().constData(), 115200, 'N', 8, 1);
    if (!ctx)
        return rate;
    modbus_set_slave(ctx, 1);
    modbus_set_response_timeout(ctx, 1, 0);
    if (modbus_connect(ctx) != 0) {
        modbus_free(ctx);
        return rate;
    }
    uint16_t words[2];
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < n; ++i) {
        if (modbus_read_registers(ctx, 0x0010, 2, words) != 2 || words[0] != 0x1234)
            break;
        ++rate.reads;
    }
    rate.ms = clock.elapsed();
    rate.ok = rate.reads == n;
    modbus_close(ctx);
    modbus_free(ctx);
    return rate;
}

// CPU used by a 300 ms wait for a drive that never answers.
qint64 silentWaitCpu(qint64 *wallMs)
{
    SimulatedDrive drive(1);
    if (!drive.start())
        return -1;
    drive.setFailure(SimulatedDrive::Failure::NoAnswer);
    serialPort link;
    if (!link.openPort(drive.portName(), 115200))
        return -1;
    bool answered = false;
    QObject::connect(&link, &serialPort::readDataToShow, [&answered](const QVector<QString> &) { answered = true; });
    link.readSerial("0010", "0002", 1);
    QElapsedTimer clock;
    clock.start();
    const qint64 before = cpuMicroseconds();
    BoundedWait::forReply([&] { return answered; }, 300);
    const qint64 used = cpuMicroseconds() - before;
    *wallMs = clock.elapsed();
    return used;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The link writes every read to the debug stream; that is not what is measured.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const int n = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 1000;
    QTextStream out(stdout);

    const Rate tool = toolReads(n);
    const Rate bare = libmodbusReads(n);
    out << "register reads (2 words each), N = " << n << '\n';
    out << QStringLiteral("  serialPort : %1 reads in %2 ms, %3 reads/s%4\n")
               .arg(tool.reads).arg(tool.ms).arg(tool.perSecond(), 0, 'f', 1).arg(tool.ok ? "" : " (FAILED)");
    out << QStringLiteral("  libmodbus  : %1 reads in %2 ms, %3 reads/s%4\n")
               .arg(bare.reads).arg(bare.ms).arg(bare.perSecond(), 0, 'f', 1).arg(bare.ok ? "" : " (FAILED)");
    if (tool.perSecond() > 0)
        out << QStringLiteral("  libmodbus / serialPort = %1 (goal: at most 2)\n")
                   .arg(bare.perSecond() / tool.perSecond(), 0, 'f', 2);

    qint64 wallMs = 0;
    const qint64 cpu = silentWaitCpu(&wallMs);
    if (cpu >= 0 && wallMs > 0)
        out << QStringLiteral("300 ms wait on a silent drive: %1 ms of CPU in %2 ms (%3%, goal: under 5%)\n")
                   .arg(cpu / 1000.0, 0, 'f', 2).arg(wallMs).arg(100.0 * cpu / 1000.0 / double(wallMs), 0, 'f', 2);
    else
        out << "300 ms wait on a silent drive: could not be measured\n";
    out.flush();
    return tool.ok && bare.ok && cpu >= 0 ? 0 : 1;
}
