#ifndef LINKSTANDIN_H
#define LINKSTANDIN_H

#include "linetickets.h"

#include <functional>

// For a window tested without a link: hands an answer over as the link does, as the answer to
// the next request the link takes (the one a window is just sending, when called inside its
// request signal).
inline void handOverAsTheLink(const std::function<void()> &handOver)
{
    const LineTickets::Ticket ticket = LineTickets::take();
    LineTickets::finish(ticket);
    const LineTickets::Delivery delivery(ticket);
    handOver();
}

#endif // LINKSTANDIN_H
