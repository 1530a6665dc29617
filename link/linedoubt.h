#ifndef LINEDOUBT_H
#define LINEDOUBT_H

#include <QByteArray>
#include <QHash>
#include <QVector>

// What the line may still owe after the link gave a request up. A Modbus RTU reply carries no
// request number, and a drive that stalled answers every request it heard, in order, however
// late. So after a give-up, a reply of the shape the late one could have is not trusted until
// the line shows that it is back in step. Widget-free and port-free: the caller passes the time
// (milliseconds on a monotonic clock).
class LineDoubt
{
public:
    // What the link does with a whole, valid reply (or exception) to the request on the line.
    enum class Verdict {
        Take,     // it cannot be a late reply: taken; the drive has answered all it heard before
        Hold,     // it could be a late reply: held until the line has stayed quiet
        TakeSame, // the echo of a write that only an identical write given up could also have
                  // sent: taken (same write, same effect), but the late echo may still come
    };

    // A request was given up at nowMs; it went out at sentMs. Its reply, or an exception, may
    // still come: until settleMs after it went out, a request whose reply could be taken for it
    // does not go on the line.
    void gaveUp(const QByteArray &request, qint64 sentMs, int settleMs, qint64 nowMs);
    // When the request may go on the line: nowMs, or the end of its station's settle when its
    // reply could be taken for one owed. A write never waits: only its own echo acknowledges it.
    qint64 mayGoAt(const QByteArray &request, qint64 nowMs) const;
    Verdict judge(const QByteArray &request, const QByteArray &reply) const;
    // The line showed that it is in step with the station: nothing is owed any more.
    void inStep(quint8 station);
    // A second reply came while one to this request was held: the drive was a reply behind.
    // Both are dropped, the request is owed a reply too, and the line settles again from now.
    void behind(const QByteArray &request, int settleMs, qint64 nowMs);
    void clear();

private:
    struct Shape
    {
        quint8 function = 0;
        int length = 0;
        QByteArray echo;    // writes: what the echo repeats of the request
        QByteArray written; // a function 10 write: the values, which its echo does not repeat
        bool sameReply(const Shape &o) const
        {
            return function == o.function && length == o.length && echo == o.echo;
        }
        bool operator==(const Shape &o) const { return sameReply(o) && written == o.written; }
    };
    struct Owed
    {
        QVector<Shape> shapes;
        qint64 settleEnd = 0;
    };
    static Shape replyShape(const QByteArray &request);

    QHash<quint8, Owed> m_owed;
};

#endif // LINEDOUBT_H
