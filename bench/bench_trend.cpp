// The live trend over a long session: eight hours of 40 ms ticks (720000) fed as fast as they
// go, without a drive, each with its point, rescale, tag and replot. Prints the memory in use
// and the mean time of a tick over the first and over the last minute of trend time.
//
//   bench_trend [hours]      (default 8)

#include "dynamicwindow.h"
#include "linetickets.h"
#include "ui_dynamicwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <cmath>

namespace {

constexpr int TicksPerMinute = 60 * 1000 / 40;

// Resident memory of this process, in kB, from /proc.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double hours = argc > 1 ? QString::fromLatin1(argv[1]).toDouble() : 8.0;
    const qint64 ticks = qint64(hours * 3600 * 1000 / 40);

    // Each tick's reads are answered at once, as a link would hand the drive's answers over: a
    // tick is the reads' answers and the plotting, with no serial line under it.
    dynamicWindow trend;
    int speed = 0;
    // Each read is taken and finished as the link would (the trend asks its next one only when
    // its last one has ended).
    QObject::connect(&trend, &dynamicWindow::readDynamicData, &trend, [&](QByteArray, QByteArray count) {
        const LineTickets::Ticket ticket = LineTickets::take();
        const QString low = QStringLiteral("%1").arg(quint16(qint16(speed)), 4, 16, QLatin1Char('0')).toUpper();
        trend.readGraphDataRecieve(count == "0002" ? QVector<QString>{low, QStringLiteral("0000")} : QVector<QString>{low});
        LineTickets::finish(ticket);
    });
    trend.isOpenSerialPlot(true);
    trend.resize(1280, 720);
    trend.showDynamicWindow();
    trend.trendTimer->stop();
    QCoreApplication::processEvents();

    QTextStream out(stdout);
    out << "live trend: " << ticks << " ticks (" << hours << " h of 40 ms)\n";
    QElapsedTimer clock;
    qint64 firstMinuteNs = 0, lastMinuteNs = 0;
    long firstMinuteKb = 0;
    clock.start();
    for (qint64 i = 0; i < ticks; ++i) {
        speed = int(std::lround(1500 * std::sin(double(i) / 250.0)));
        QElapsedTimer tick;
        tick.start();
        trend.timerSlot();
        QCoreApplication::processEvents();
        const qint64 ns = tick.nsecsElapsed();
        if (i < TicksPerMinute)
            firstMinuteNs += ns;
        if (i >= ticks - TicksPerMinute)
            lastMinuteNs += ns;
        if (i == TicksPerMinute - 1)
            firstMinuteKb = residentKb();
        if ((i + 1) % (TicksPerMinute * 60) == 0)
            out << "  " << (i + 1) / (TicksPerMinute * 60) << " h of trend after " << clock.elapsed() / 1000
                << " s, " << residentKb() << " kB, " << trend.graphCH1->dataCount() << " points kept\n" << Qt::flush;
    }
    const int perMinute = int(qMin<qint64>(ticks, TicksPerMinute));
    out << "first minute: " << firstMinuteNs / 1000.0 / perMinute << " us a tick, " << firstMinuteKb << " kB\n";
    out << "last minute:  " << lastMinuteNs / 1000.0 / perMinute << " us a tick, " << residentKb() << " kB\n";
    out << "points kept: " << trend.graphCH1->dataCount() << ", values kept for the file: " << trend.history.size()
        << "\n";
    return 0;
}
