#include "linetickets.h"
#include "linklog.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QVector>

namespace LineTickets {

namespace {

struct Watcher
{
    QPointer<QObject> receiver;
    std::function<void()> ended;
};

struct Entry
{
    QElapsedTimer onLine; // invalid while the request waits its turn
    int askedMs = 0;
    QByteArray frame;
    QVector<Watcher> watchers;
};

Ticket lastTicket = 0;
QHash<Ticket, Entry> open; // taken and not yet finished
Ticket lastRefused = 0;
QString lastRefusal;
int firstDepth = 0;
int deliveryDepth = 0;
Ticket answeringTicket = 0;
std::function<void(const char *)> misuseWatch;

void tell(const Watcher &watcher)
{
    if (!watcher.receiver)
        return;
    const std::function<void()> ended = watcher.ended;
    QMetaObject::invokeMethod(
        watcher.receiver.data(),
        [ended] {
            const Delivery delivery;
            ended();
        },
        Qt::QueuedConnection);
}

} // namespace

Ticket take()
{
    open.insert(++lastTicket, Entry());
    return lastTicket;
}

void putOnLine(Ticket ticket)
{
    const auto it = open.find(ticket);
    if (it != open.end())
        it->onLine.start();
}

void describe(Ticket ticket, const QByteArray &frame)
{
    const auto it = open.find(ticket);
    if (it != open.end())
        it->frame = frame;
}

QByteArray frameOf(Ticket ticket)
{
    const auto it = open.constFind(ticket);
    return it != open.constEnd() ? it->frame : QByteArray();
}

void finish(Ticket ticket)
{
    const auto it = open.find(ticket);
    if (it == open.end())
        return;
    const QVector<Watcher> watchers = it->watchers;
    open.erase(it);
    for (const Watcher &watcher : watchers)
        tell(watcher);
}

void refuse(Ticket ticket, const QString &why)
{
    lastRefused = ticket;
    lastRefusal = why;
    finish(ticket);
}

QString refusal(Ticket ticket)
{
    return ticket != 0 && ticket == lastRefused ? lastRefusal : QString();
}

bool takingFirst()
{
    return firstDepth > 0;
}

Ticket lastTaken()
{
    return lastTicket;
}

bool isFinished(Ticket ticket)
{
    return !open.contains(ticket);
}

bool isOnLine(Ticket ticket)
{
    const auto it = open.constFind(ticket);
    return it != open.constEnd() && it->onLine.isValid();
}

qint64 msOnLine(Ticket ticket)
{
    const auto it = open.constFind(ticket);
    return it != open.constEnd() && it->onLine.isValid() ? it->onLine.elapsed() : -1;
}

void askAtLeast(Ticket ticket, int ms)
{
    const auto it = open.find(ticket);
    if (it != open.end())
        it->askedMs = qMax(it->askedMs, ms);
}

int askedMs(Ticket ticket)
{
    const auto it = open.constFind(ticket);
    return it != open.constEnd() ? it->askedMs : 0;
}

void whenFinished(Ticket ticket, QObject *receiver, std::function<void()> ended)
{
    const Watcher watcher{receiver, std::move(ended)};
    const auto it = open.find(ticket);
    if (it == open.end())
        tell(watcher);
    else
        it->watchers.append(watcher);
}

void sendFirst(const std::function<void()> &send)
{
    struct Depth
    {
        Depth() { ++firstDepth; }
        ~Depth() { --firstDepth; }
    } first;
    send();
}

bool withdraw(Ticket ticket)
{
    if (isFinished(ticket) || isOnLine(ticket))
        return false;
    finish(ticket);
    return true;
}

bool delivering()
{
    return deliveryDepth > 0;
}

Ticket answering()
{
    return answeringTicket;
}

Delivery::Delivery(Ticket answered) : outer(answeringTicket)
{
    ++deliveryDepth;
    answeringTicket = answered;
}

Delivery::~Delivery()
{
    --deliveryDepth;
    answeringTicket = outer;
}

void setMisuseWatch(std::function<void(const char *)> watch)
{
    misuseWatch = std::move(watch);
}

void noteMisuse(const char *what)
{
    qCWarning(linkLog) << what << "while the link hands an answer over";
    if (misuseWatch)
        misuseWatch(what);
}

} // namespace LineTickets
