#include "afterwaits.h"

#include <QCoreApplication>
#include <QPointer>
#include <QQueue>
#include <QTimer>

namespace AfterWaits {

namespace {

struct Later
{
    QPointer<QObject> receiver;
    std::function<void()> fn;
};

int depth = 0; // waits running, one inside another
QQueue<Later> laters;
bool flushPosted = false;

void flush();

void postFlush()
{
    if (flushPosted || laters.isEmpty())
        return;
    flushPosted = true;
    QTimer::singleShot(0, QCoreApplication::instance(), flush);
}

// One at a time: the next is posted before this one runs, so that while a box opened by this
// one is up, the next opens in the box's own event loop.
void flush()
{
    flushPosted = false;
    if (depth > 0)
        return; // the outermost wait posts again when it ends
    while (!laters.isEmpty()) {
        const Later later = laters.dequeue();
        if (!later.receiver)
            continue;
        postFlush();
        later.fn();
        return;
    }
}

} // namespace

void run(QObject *receiver, std::function<void()> fn)
{
    laters.enqueue({receiver, std::move(fn)});
    postFlush();
}

void enter()
{
    ++depth;
}

void leave()
{
    if (--depth == 0)
        postFlush();
}

} // namespace AfterWaits
