// The link's exchange rate: N register reads through serialPort against the simulated drive
// on a pty, and the same N reads by a bare libmodbus client against a drive of its own, in
// blocks that take turns within one run; then the CPU time the bounded wait uses while a
// silent drive keeps it waiting.
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
    // Its wake-ups are for tests waiting in an event loop; here they would only load the tool's.
    drive.setWakesTestThread(false);
}

// The tool's side: serialPort reading from a drive of its own, one read answered before the next.
class ToolReader
{
public:
    bool start()
    {
        fillRegisters(m_drive);
        if (!m_drive.start() || !m_link.openPort(m_drive.portName(), 115200))
            return false;
        QObject::connect(&m_link, &serialPort::readDataToShow, [this](const QVector<QString> &) { ++m_answers; });
        return true;
    }
    bool read(int n, Rate &rate)
    {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < n; ++i) {
            const int before = m_answers;
            m_link.readSerial("0010", "0002", 1);
            if (!BoundedWait::forReply([&] { return m_answers > before; }, 1000))
                return false;
            ++rate.reads;
        }
        rate.ms += clock.elapsed();
        return true;
    }

private:
    SimulatedDrive m_drive{1};
    serialPort m_link;
    int m_answers = 0;
};

// The bare side: a libmodbus client reading from a drive of its own.
class BareReader
{
public:
    ~BareReader()
    {
        if (m_ctx) {
            modbus_close(m_ctx);
            modbus_free(m_ctx);
        }
    }
    bool start()
    {
        fillRegisters(m_drive);
        if (!m_drive.start())
            return false;
        m_ctx = modbus_new_rtu(m_drive.portName().toLocal8Bit().constData(), 115200, 'N', 8, 1);
        if (!m_ctx)
            return false;
        modbus_set_slave(m_ctx, 1);
        modbus_set_response_timeout(m_ctx, 1, 0);
        return modbus_connect(m_ctx) == 0;
    }
    bool read(int n, Rate &rate)
    {
        uint16_t words[2];
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < n; ++i) {
            if (modbus_read_registers(m_ctx, 0x0010, 2, words) != 2 || words[0] != 0x1234)
                return false;
            ++rate.reads;
        }
        rate.ms += clock.elapsed();
        return true;
    }

private:
    SimulatedDrive m_drive{1};
    modbus_t *m_ctx = nullptr;
};

// N reads on each side, in blocks that take turns (the other side first every other block), so
// that whatever else loads the machine falls on both alike.
void compareReads(int n, Rate &tool, Rate &bare)
{
    ToolReader toolReader;
    BareReader bareReader;
    if (!toolReader.start() || !bareReader.start())
        return;
    const int block = qMin(n, 50);
    bool ok = true;
    for (int done = 0; ok && done < n; done += block) {
        const int count = qMin(block, n - done);
        const bool toolFirst = (done / block) % 2 == 0;
        ok = toolFirst ? toolReader.read(count, tool) && bareReader.read(count, bare)
                       : bareReader.read(count, bare) && toolReader.read(count, tool);
    }
    tool.ok = ok && tool.reads == n;
    bare.ok = ok && bare.reads == n;
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

    Rate tool, bare;
    compareReads(n, tool, bare);
    out << "register reads (2 words each), N = " << n << '\n';
    out << QStringLiteral("  serialPort : %1 reads in %2 ms, %3 reads/s%4\n")
               .arg(tool.reads).arg(tool.ms).arg(tool.perSecond(), 0, 'f', 1).arg(tool.ok ? "" : " (FAILED)");
    out << QStringLiteral("  libmodbus  : %1 reads in %2 ms, %3 reads/s%4\n")
               .arg(bare.reads).arg(bare.ms).arg(bare.perSecond(), 0, 'f', 1).arg(bare.ok ? "" : " (FAILED)");
    if (tool.perSecond() > 0)
        out << QStringLiteral("  libmodbus / serialPort = %1 (goal: at most 1.11, serialPort at 0.9x or better)\n")
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
