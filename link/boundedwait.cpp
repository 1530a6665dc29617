#include "boundedwait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace BoundedWait {

bool until(const std::function<bool()> &done, int limitMs)
{
    if (done())
        return true;
    QDeadlineTimer deadline(qMax(0, limitMs), Qt::PreciseTimer);
    // The timer only wakes the event loop when the limit is reached. A timer may fire a
    // little early (or inside another window's wait): whenever the loop is about to sleep
    // with the limit not yet reached, a wake-up must be pending, or the wait never ends.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!done() && !deadline.hasExpired()) {
        if (!wake.isActive())
            wake.start(int(qBound<qint64>(1, deadline.remainingTime(), limitMs)));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

void pause(int ms)
{
    until([] { return false; }, ms);
}

} // namespace BoundedWait
