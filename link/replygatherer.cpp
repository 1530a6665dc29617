#include "replygatherer.h"
#include "framecodec.h"

namespace {

quint8 byteAt(const QByteArray &bytes, int i)
{
    return quint8(bytes.at(i));
}

bool crcOk(const QByteArray &frame)
{
    return FrameCodec::crc16(frame) == 0;
}

// The length a reply frame announces by its function (and byte count), or 0 when unknown.
int frameLengthOf(const QByteArray &head)
{
    const quint8 function = byteAt(head, 1);
    const quint8 base = function & 0x7F;
    const bool known = base == FrameCodec::ReadHolding || base == FrameCodec::WriteSingle
        || base == FrameCodec::WriteMultiple;
    if (!known)
        return 0;
    if (function & 0x80)
        return 5;
    if (function == FrameCodec::ReadHolding)
        return 5 + byteAt(head, 2);
    if (function == FrameCodec::WriteSingle || function == FrameCodec::WriteMultiple)
        return 8;
    return 0;
}

} // namespace

void ReplyGatherer::start(const QByteArray &requestFrame)
{
    m_request = requestFrame;
    m_buffer.clear();
    m_frame.clear();
    m_trailing.clear();
    m_reason.clear();
    m_skip = 0;
    m_active = requestFrame.size() >= 2;
}

void ReplyGatherer::stop()
{
    m_active = false;
    m_buffer.clear();
    m_skip = 0;
}

int ReplyGatherer::expectedLength() const
{
    if (m_request.size() < 2)
        return 0;
    switch (byteAt(m_request, 1)) {
    case FrameCodec::ReadHolding:
        if (m_request.size() < 6)
            return 0;
        return 5 + 2 * ((byteAt(m_request, 4) << 8) | byteAt(m_request, 5));
    case FrameCodec::WriteSingle:
    case FrameCodec::WriteMultiple:
        return 8;
    default:
        return 0;
    }
}

ReplyGatherer::Result ReplyGatherer::refuse(const QString &why, bool otherStation, int frameLength)
{
    m_reason = why;
    m_otherStation = otherStation;
    m_refusedLength = frameLength;
    return Result::Refused;
}

ReplyGatherer::Result ReplyGatherer::feed(const QByteArray &piece)
{
    if (!m_active)
        return Result::Idle;
    m_trailing.clear();
    const int skipped = qMin(m_skip, piece.size());
    m_skip -= skipped;
    if (skipped == piece.size())
        return Result::Incomplete;
    m_buffer.append(piece.mid(skipped));
    // A stale or foreign frame can share one delivery with the reply that follows it (a late
    // echo, then the right one): after a refusal, look again from the next byte that could
    // start the reply. Only a whole frame that passes every check is ever taken.
    for (;;) {
        m_refusedLength = 0;
        const Result result = check();
        if (result != Result::Refused)
            return result;
        if (m_refusedLength > 0) {
            // The refused frame told its length: pass over exactly that frame, even the part
            // still on its way, so its tail is never read as the start of a reply.
            if (m_refusedLength >= m_buffer.size()) {
                m_skip = m_refusedLength - m_buffer.size();
                m_buffer.clear();
                return Result::Refused;
            }
            m_buffer.remove(0, m_refusedLength);
            continue;
        }
        const int next = m_buffer.indexOf(m_request.at(0), 1);
        if (next < 0) {
            m_buffer.clear();
            return Result::Refused;
        }
        m_buffer.remove(0, next);
    }
}

ReplyGatherer::Result ReplyGatherer::check()
{
    const quint8 station = byteAt(m_request, 0);
    const quint8 function = byteAt(m_request, 1);

    if (m_buffer.isEmpty())
        return Result::Incomplete;
    if (byteAt(m_buffer, 0) != station) {
        // Another station's frame (a late reply, a neighbour on the line): when its function
        // tells its length, wait for that much so its tail is passed over too.
        if (m_buffer.size() < 3)
            return Result::Incomplete;
        const QString why = QStringLiteral("wrong station %1").arg(byteAt(m_buffer, 0), 2, 16, QLatin1Char('0'));
        return refuse(why, true, frameLengthOf(m_buffer));
    }
    if (m_buffer.size() < 2)
        return Result::Incomplete;

    if (byteAt(m_buffer, 1) == (function | 0x80)) {
        if (m_buffer.size() < 5)
            return Result::Incomplete;
        if (!crcOk(m_buffer.left(5)))
            return refuse(QStringLiteral("bad CRC on exception reply"));
        // The drive's whole answer, also when more bytes follow it in the same delivery: those
        // answer nothing, and are kept apart for the link to judge (trailing()).
        m_otherStation = false;
        m_reason = QStringLiteral("exception %1").arg(byteAt(m_buffer, 2), 2, 16, QLatin1Char('0'));
        m_frame = m_buffer.left(5);
        m_trailing = m_buffer.mid(5);
        m_buffer.clear();
        return Result::Exception;
    }
    // A write may be answered by the echo of the other write function: that is judged below
    // as an echo that is not this write's.
    const bool write = function == FrameCodec::WriteSingle || function == FrameCodec::WriteMultiple;
    const quint8 answered = byteAt(m_buffer, 1);
    const bool writeEcho = answered == FrameCodec::WriteSingle || answered == FrameCodec::WriteMultiple;
    if (answered != function && !(write && writeEcho))
        return refuse(QStringLiteral("wrong function %1").arg(answered, 2, 16, QLatin1Char('0')));

    const int length = expectedLength();
    if (function == FrameCodec::ReadHolding && m_buffer.size() >= 3 && byteAt(m_buffer, 2) != length - 5)
        return refuse(QStringLiteral("byte count %1, expected %2").arg(byteAt(m_buffer, 2)).arg(length - 5),
                      false, frameLengthOf(m_buffer));
    if (m_buffer.size() < length)
        return Result::Incomplete;
    // A write is acknowledged only by its own echo: function 06 echoes the whole request,
    // function 10 echoes station, function, address and quantity. A whole, valid echo of
    // another write (of either function) is judged as the echo that came, also when other
    // bytes follow it in the same delivery; they are looked at after it.
    if (function != FrameCodec::ReadHolding && crcOk(m_buffer.left(length))
        && m_buffer.left(6) != m_request.left(6)) {
        m_refusedEcho = true;
        return refuse(QStringLiteral("not the echo of this write"), false, length);
    }
    if (m_buffer.size() > length)
        return refuse(QStringLiteral("over-long reply (%1 bytes, expected %2)").arg(m_buffer.size()).arg(length));
    if (!crcOk(m_buffer))
        return refuse(QStringLiteral("bad CRC"));

    m_frame = m_buffer;
    m_buffer.clear();
    m_active = false;
    return Result::Complete;
}
