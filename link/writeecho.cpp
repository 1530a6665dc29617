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
    // The write is the first request the link takes during the emit (a slot that runs inside it
    // may ask for more). Known before the emit, so that an echo handed over inside it counts.
    request = LineTickets::lastTaken() + 1;
    emitWrite();
    if (LineTickets::lastTaken() < request)
        request = 0;
    return request;
}

bool WriteEcho::wait(int limitMs, const std::function<bool()> &goOn)
{
    if (request == 0)
        return done;
    BoundedWait::forReply([&] { return done || (goOn && !goOn()); }, limitMs, request);
    return done;
}

bool WriteEcho::offer(const QString &echo)
{
    const LineTickets::Ticket answered = LineTickets::answering();
    for (WriteEcho *write : qAsConst(waiting())) {
        if (answered == 0 || write->request != answered)
            continue;
        if (!FrameCodec::echoConfirms(echo, write->address, write->data)) {
            qCDebug(linkLog) << "echo" << echo << "does not repeat the write of" << write->data << "at" << write->address;
            return false;
        }
        write->done = true;
        return true;
    }
    return false;
}
