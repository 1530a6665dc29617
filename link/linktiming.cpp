#include "linktiming.h"

#include <QtGlobal>

#include <atomic>

namespace LinkTiming {

namespace {
std::atomic<qint32> currentBaud{0};
// What a drive takes to start its answer, and slack for the event loop.
const int kTurnaroundMs = 20;
// What a loaded machine may add before the event loop sees a reply that came in time.
const int kSlackMs = 100;
} // namespace

void setBaudRate(qint32 baud)
{
    currentBaud = baud > 0 ? baud : 0;
}

qint32 baudRate()
{
    return currentBaud;
}

int wireMs(int bytes)
{
    const qint32 baud = currentBaud;
    if (baud <= 0 || bytes <= 0)
        return 0;
    const qint64 bits = qint64(bytes) * 11;
    return int((bits * 1000 + baud - 1) / baud);
}

int limitMs(int fixedMs, int requestBytes, int replyBytes)
{
    return currentBaud <= 0 ? fixedMs : qMax(fixedMs, wireMs(requestBytes + replyBytes) + kTurnaroundMs);
}

int readLimitMs(int fixedMs, int words)
{
    return limitMs(fixedMs, readRequestBytes(), readReplyBytes(words));
}

int writeLimitMs(int fixedMs)
{
    return limitMs(fixedMs, writeSingleBytes(), writeSingleBytes());
}

int write2LimitMs(int fixedMs)
{
    return limitMs(fixedMs, writeMultipleRequestBytes(2), writeMultipleReplyBytes());
}

int responseLimitMs(int requestBytes, int replyBytes)
{
    return wireMs(requestBytes + replyBytes) + kDriveAnswerMs + kSlackMs;
}

int settleMs(int replyBytes)
{
    return kStallMs + wireMs(replyBytes) + kSlackMs;
}


} // namespace LinkTiming
