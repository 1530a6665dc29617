#ifndef LINETICKETS_H
#define LINETICKETS_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

class QObject;

// Where each request the link took stands: waiting its turn, on the line, or finished
// (answered, refused, given up or withdrawn). The link numbers every request it takes; a window
// that waits for its answer looks its request up here, so that its wait counts from when the
// request went on the line (not from when it joined the queue) and ends when the link has
// finished with it. GUI thread only, like the link.
namespace LineTickets {

using Ticket = quint64;

// The link's side.
Ticket take();                          // a new request joined the queue
void putOnLine(Ticket ticket);          // its frame was just sent
void finish(Ticket ticket);             // answered, refused, given up or dropped with the port
void refuse(Ticket ticket, const QString &why); // finished unsent, for this reason
void describe(Ticket ticket, const QByteArray &frame); // the frame it carries
// True while a send() of sendFirst runs: the request taken then goes ahead of every waiting one.
bool takingFirst();

// The windows' side.
Ticket lastTaken();                     // the request taken last (0 before the first)
bool isFinished(Ticket ticket);         // also true for 0 and for tickets never taken
bool isOnLine(Ticket ticket);
// Why the link refused the request unsent, asked right after handing it over (empty when it
// took it, and for any request but the last one it refused).
QString refusal(Ticket ticket);
qint64 msOnLine(Ticket ticket);         // -1 while it waits its turn or once it is finished
QByteArray frameOf(Ticket ticket);      // empty once it is finished
// A waiting window asks that its request be given at least this long on the line before the link
// gives it up; the link never gives less than its own limit.
void askAtLeast(Ticket ticket, int ms);
int askedMs(Ticket ticket);             // 0 when nobody asked

// Calls ended() once the request is finished, from the event loop (so after the slot that took
// its answer has run); soon when it is finished already. Nothing is called once receiver is gone.
void whenFinished(Ticket ticket, QObject *receiver, std::function<void()> ended);

// A motion stop: the request that send() emits goes on the line before every request waiting
// its turn, as soon as the one on the line has ended.
void sendFirst(const std::function<void()> &send);
// Takes a request that still waits its turn back: it finishes unanswered and never goes on the
// line (a motion command that a stop overtook must not follow it). False once it is on the line
// or over.
bool withdraw(Ticket ticket);

// While the link hands an answer to a window, or tells a window that its request ended, the
// window's slot runs inside the link's turn: a box, a dialog or a wait opened there would hold
// every other window (and the command file waiting beneath) until someone closes it. Such a
// slot opens its box later, from the event loop (AnswerBox::later).
bool delivering();
// The request whose answer the link is handing over right now (0 outside such a hand-over, and
// while a window is told that its request ended): a write's echo confirms that request only.
Ticket answering();
// The link's side: held while it hands over (the answer of `answered`, when it hands one over).
class Delivery
{
public:
    explicit Delivery(Ticket answered = 0);
    ~Delivery();
    Delivery(const Delivery &) = delete;
    Delivery &operator=(const Delivery &) = delete;

private:
    Ticket outer;
};
// Told when a box opens or a wait starts while delivering (the tests make it fatal; the program
// only logs it).
void setMisuseWatch(std::function<void(const char *what)> watch);
void noteMisuse(const char *what);

} // namespace LineTickets

#endif // LINETICKETS_H
