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
    QDeadlineTimer deadline(qMax(0, limitMs));
    // The timer only wakes the event loop when the limit is reached.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(qMax(0, limitMs));
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

void pause(int ms)
{
    until([] { return false; }, ms);
}

} // namespace BoundedWait
