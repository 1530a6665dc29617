#ifndef LINETICKETS_H
#define LINETICKETS_H

#include <QtGlobal>

// Where each request the link took stands: waiting its turn, on the line, or finished
// (answered, refused or given up). The link numbers every request it takes; a window that waits
// for its answer looks its request up here, so that its wait counts from when the request went on
// the line (not from when it joined the queue) and ends when the link has finished with it.
// GUI thread only, like the link.
namespace LineTickets {

using Ticket = quint64;

// The link's side.
Ticket take();                          // a new request joined the queue
void putOnLine(Ticket ticket);          // its frame was just sent
void finish(Ticket ticket);             // answered, refused, given up or dropped with the port

// The windows' side.
Ticket lastTaken();                     // the request taken last (0 before the first)
bool isFinished(Ticket ticket);         // also true for 0 and for tickets never taken
bool isOnLine(Ticket ticket);
qint64 msOnLine(Ticket ticket);         // -1 while it waits its turn or once it is finished
// A waiting window asks that its request be given at least this long on the line before the link
// gives it up; the link never gives less than its own limit.
void askAtLeast(Ticket ticket, int ms);
int askedMs(Ticket ticket);             // 0 when nobody asked

} // namespace LineTickets

#endif // LINETICKETS_H
