#include "pollturn.h"
#include "linetickets.h"

bool PollTurn::ask(const std::function<void()> &send, int limitMs)
{
    if (waiting())
        return false;
    const LineTickets::Ticket before = LineTickets::lastTaken();
    send();
    const LineTickets::Ticket taken = LineTickets::lastTaken();
    // Nothing taken: the port is closed. (A malformed request is taken and ends at once.)
    if (taken == before)
        return false;
    m_ticket = taken;
    if (limitMs > 0)
        LineTickets::askAtLeast(taken, limitMs);
    LineTickets::whenFinished(taken, this, [this, taken] {
        if (m_ticket != taken)
            return;
        m_ticket = 0;
        emit ended();
    });
    return true;
}

void PollTurn::drop()
{
    LineTickets::withdraw(m_ticket);
    m_ticket = 0;
}
