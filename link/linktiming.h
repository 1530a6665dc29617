#ifndef LINKTIMING_H
#define LINKTIMING_H

#include <QtGlobal>

// How long an exchange may take on the line. Every window that waits for the drive asks here
// for its limit, so that a slow line never times out a reply that is still on its way: the
// limit is the window's own fixed limit, but never less than the wire time of the request and
// its reply at the baud rate of the open port plus a margin for the drive to answer.
// The link sets the baud rate when it opens a port; windows hold no pointer to the link.
namespace LinkTiming {

// The baud rate of the open port (0 when no port is open: then only the fixed limits count).
void setBaudRate(qint32 baud);
qint32 baudRate();

// A floor under every limit (0, the default, adds none). Tests that check an exact sequence of
// requests on a heavily loaded machine raise it, so that no reply is taken as missing.
void setFloorMs(int ms);

// Milliseconds the line needs for this many bytes (11 bit times a character), rounded up.
int wireMs(int bytes);

// Byte counts of the frames a window waits for.
inline int readRequestBytes() { return 8; }
inline int readReplyBytes(int words) { return 5 + 2 * words; }
inline int writeSingleBytes() { return 8; }
inline int writeMultipleRequestBytes(int words) { return 9 + 2 * words; }
inline int writeMultipleReplyBytes() { return 8; }

// The wait limit for one exchange.
int limitMs(int fixedMs, int requestBytes, int replyBytes);
// Shorthands for a read of `words` registers, a single-register write and a two-register write.
int readLimitMs(int fixedMs, int words);
int writeLimitMs(int fixedMs);
int write2LimitMs(int fixedMs);

// The limit of a request sent a second time after `firstLimitMs` passed without an answer:
// longer, so that an answer that was merely late (a loaded machine, a slow drive) gets the
// time to arrive.
int retryLimitMs(int firstLimitMs);

} // namespace LinkTiming

#endif // LINKTIMING_H
