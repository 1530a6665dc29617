#ifndef WRITEECHO_H
#define WRITEECHO_H

#include "linetickets.h"

#include <QByteArray>
#include <QString>

#include <functional>

// One write a window waits for. It is done only on its own echo: the echo the link hands over
// for that very request, repeating its function, register and value (or quantity). The echo of
// a stop, of another step or window, or of an earlier try confirms nothing, however alike.
//
// A window's echo slot passes every echo it receives to offer(); the write's wait ends when its
// echo came or the link has finished with its request.
class WriteEcho
{
public:
    WriteEcho(const QByteArray &address, const QByteArray &data);
    ~WriteEcho();
    WriteEcho(const WriteEcho &) = delete;
    WriteEcho &operator=(const WriteEcho &) = delete;

    // Hands the write to the link through emitWrite() (the request signal's emit); again for a
    // second try. Returns the request the link took for it, 0 when it took none (the port is
    // closed, the link refused it) or the echo came within the emit.
    LineTickets::Ticket send(const std::function<void()> &emitWrite);
    // Waits, with events processed, until the echo came, the link has finished with the request,
    // or goOn() (when given) turns false; limitMs counts from when the request goes on the line.
    bool wait(int limitMs, const std::function<bool()> &goOn = {});
    bool confirmed() const { return done; }
    LineTickets::Ticket ticket() const { return request; }

    // For the windows' echo slots: confirms the waiting write this echo answers. True when it
    // confirmed one.
    static bool offer(const QString &echo);

private:
    QByteArray address;
    QByteArray data;
    LineTickets::Ticket takenAfter = 0; // the last request taken before the write's emit
    LineTickets::Ticket request = 0;
    bool sending = false;
    bool done = false;
};

#endif // WRITEECHO_H
