#include "linetickets.h"

#include <QElapsedTimer>
#include <QHash>

namespace LineTickets {

namespace {

struct Entry
{
    QElapsedTimer onLine; // invalid while the request waits its turn
    int askedMs = 0;
};

Ticket lastTicket = 0;
QHash<Ticket, Entry> open; // taken and not yet finished

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

void finish(Ticket ticket)
{
    open.remove(ticket);
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

} // namespace LineTickets
