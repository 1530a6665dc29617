#include "writeecho.h"

#include "boundedwait.h"
#include "framecodec.h"
#include "linklog.h"

#include <QVector>

namespace {

// The writes now waiting for their echo, in every window (GUI thread only, like the link).
QVector<WriteEcho *> &waiting()
{
    static QVector<WriteEcho *> writes;
    return writes;
}

} // namespace

WriteEcho::WriteEcho(const QByteArray &address, const QByteArray &data) : address(address), data(data)
{
    waiting().append(this);
}

WriteEcho::~WriteEcho()
{
    waiting().removeOne(this);
}

LineTickets::Ticket WriteEcho::send(const std::function<void()> &emitWrite)
{
    done = false;
    request = 0;
    // The write's request is the one the link takes for this frame during the emit (other slots
    // that run inside it may ask for more).
    takenAfter = LineTickets::lastTaken();
    sending = true;
    emitWrite();
    sending = false;
    for (LineTickets::Ticket ticket = takenAfter + 1; ticket <= LineTickets::lastTaken() && !done; ++ticket) {
        if (FrameCodec::isWriteOf(LineTickets::frameOf(ticket), address, data)) {
            request = ticket;
            break;
        }
    }
    return request;
}

bool WriteEcho::wait(int limitMs, const std::function<bool()> &goOn)
{
    if (request == 0) // refused unsent, not taken, or already answered
        return done;
    BoundedWait::forReply([&] { return done || (goOn && !goOn()); }, limitMs, request);
    return done;
}

bool WriteEcho::offer(const QString &echo)
{
    const LineTickets::Ticket answered = LineTickets::answering();
    for (WriteEcho *write : qAsConst(waiting())) {
        // Its own request: the one noted for it, or (answered inside the emit) one taken then.
        const bool own = write->request != 0 ? write->request == answered
                                             : write->sending && answered > write->takenAfter;
        if (answered == 0 || !own)
            continue;
        if (FrameCodec::echoConfirms(echo, write->address, write->data)) {
            write->done = true;
            return true;
        }
    }
    qCDebug(linkLog) << "echo" << echo << "confirms no write waiting for it";
    return false;
}
