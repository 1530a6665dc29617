#include "boundedwait.h"
#include "afterwaits.h"
#include "linetickets.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace BoundedWait {

namespace {

// How often a wait looks whether its request has gone on the line yet, and how long a request may
// wait its turn at most (the link finishes every request; this only keeps a fault from hanging).
constexpr int kTurnLookMs = 10;
constexpr int kTurnCapMs = 120000;
// Slack after the link's own limit, in case its time-out event comes late.
constexpr int kLineSlackMs = 2000;

struct Depth
{
    Depth()
    {
        if (LineTickets::delivering())
            LineTickets::noteMisuse("a wait for the drive started");
        AfterWaits::enter();
    }
    ~Depth() { AfterWaits::leave(); }
};

// Runs the event loop until done() or until msLeft() says the time is up. A timer only wakes
// the loop when the time may be up: whenever the loop is about to sleep with time left, a
// wake-up must be pending, or the wait never ends (a timer may fire early, or inside another
// window's wait).
bool loop(const std::function<bool()> &done, const std::function<qint64()> &msLeft)
{
    const Depth running;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!done()) {
        const qint64 left = msLeft();
        if (left <= 0)
            break;
        if (!wake.isActive())
            wake.start(int(qBound<qint64>(1, left, kTurnCapMs)));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

} // namespace

bool until(const std::function<bool()> &done, int limitMs)
{
    const QDeadlineTimer deadline(qMax(0, limitMs), Qt::PreciseTimer);
    return loop(done, [&] { return deadline.remainingTime(); });
}

bool forReply(const std::function<bool()> &done, int limitMs)
{
    return forReply(done, limitMs, LineTickets::lastTaken());
}

bool forReply(const std::function<bool()> &done, int limitMs, quint64 ticket)
{
    LineTickets::askAtLeast(ticket, limitMs);
    const QDeadlineTimer turnCap(kTurnCapMs);
    // An answer that comes before the request has even gone on the line cannot be its own (an
    // earlier request of the same window may still be answered meanwhile).
    const auto over = [&] { return LineTickets::isFinished(ticket) || (LineTickets::isOnLine(ticket) && done()); };
    loop(over, [&]() -> qint64 {
        if (LineTickets::isFinished(ticket))
            return 0;
        const qint64 onLine = LineTickets::msOnLine(ticket);
        if (onLine < 0)
            return turnCap.hasExpired() ? 0 : kTurnLookMs;
        return qint64(qMax(0, limitMs)) + kLineSlackMs - onLine;
    });
    return done();
}

void pause(int ms)
{
    until([] { return false; }, ms);
}


} // namespace BoundedWait
