#include "linedoubt.h"
#include "framecodec.h"

namespace {

// More kinds of late reply than a drive could still owe: the oldest is forgotten first.
constexpr int kMostShapes = 32;

quint8 byteAt(const QByteArray &bytes, int i)
{
    return i < bytes.size() ? quint8(bytes.at(i)) : 0;
}

} // namespace

LineDoubt::Shape LineDoubt::replyShape(const QByteArray &request)
{
    Shape shape;
    shape.function = byteAt(request, 1);
    if (shape.function == FrameCodec::ReadHolding) {
        shape.length = 5 + 2 * ((byteAt(request, 4) << 8) | byteAt(request, 5));
    } else {
        // Function 06 echoes the whole request, function 10 only its address and quantity.
        shape.length = 8;
        shape.echo = request.left(6);
        if (shape.function == FrameCodec::WriteMultiple)
            shape.written = request.mid(6, qMax(0, request.size() - 8));
    }
    return shape;
}

void LineDoubt::gaveUp(const QByteArray &request, qint64 sentMs, int settleMs, qint64 nowMs)
{
    if (request.size() < 2)
        return;
    Owed &owed = m_owed[byteAt(request, 0)];
    const Shape shape = replyShape(request);
    if (!owed.shapes.contains(shape)) {
        if (owed.shapes.size() >= kMostShapes)
            owed.shapes.removeFirst();
        owed.shapes.append(shape);
    }
    // Counted from when it went out, and never from later than now: the settle always ends.
    owed.settleEnd = qMax(owed.settleEnd, qMin(sentMs, nowMs) + qMax(0, settleMs));
}

qint64 LineDoubt::mayGoAt(const QByteArray &request, qint64 nowMs) const
{
    const auto it = m_owed.constFind(byteAt(request, 0));
    if (it == m_owed.constEnd() || byteAt(request, 1) != FrameCodec::ReadHolding)
        return nowMs;
    if (!it->shapes.contains(replyShape(request)))
        return nowMs;
    return qMax(nowMs, it->settleEnd);
}

LineDoubt::Verdict LineDoubt::judge(const QByteArray &request, const QByteArray &reply) const
{
    const auto it = m_owed.constFind(byteAt(request, 0));
    if (it == m_owed.constEnd())
        return Verdict::Take;
    const quint8 function = byteAt(reply, 1);
    if (function & 0x80) {
        // Any request owed of that function could have ended in this exception.
        for (const Shape &shape : it->shapes) {
            if (shape.function == (function & 0x7F))
                return Verdict::Hold;
        }
        return Verdict::Take;
    }
    const Shape asked = replyShape(request);
    bool same = false;
    for (const Shape &owed : it->shapes) {
        if (!owed.sameReply(asked))
            continue;
        // A read's reply, or the echo of a write of other values (a function 10 echo does not
        // repeat them): the late one would look the same.
        if (asked.function == FrameCodec::ReadHolding || owed.written != asked.written)
            return Verdict::Hold;
        same = true;
    }
    return same ? Verdict::TakeSame : Verdict::Take;
}

void LineDoubt::inStep(quint8 station)
{
    m_owed.remove(station);
}

void LineDoubt::behind(const QByteArray &request, int settleMs, qint64 nowMs)
{
    gaveUp(request, nowMs, settleMs, nowMs);
}

void LineDoubt::clear()
{
    m_owed.clear();
}
