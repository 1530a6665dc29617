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

// How long a drive may take before it starts its answer: the link waits this long (plus the wire
// time and slack for a loaded machine) before it gives a request up, whatever a window asked.
constexpr int kDriveAnswerMs = 300;
// How long a drive may stall (busy storing, an adapter that buffers) and still send its answer:
// after a request it gave up, the link sends nothing more to that station until this long after
// that request went out, so the late answer cannot answer another.
constexpr int kStallMs = 1000;

// The link's own limit for one exchange: the wire time of the request and its reply, the drive's
// answer time and slack.
int responseLimitMs(int requestBytes, int replyBytes);
// How long after a given-up request went out the line settles before the next request to the
// same station (its reply's wire time included).
int settleMs(int replyBytes);

} // namespace LinkTiming

#endif // LINKTIMING_H
