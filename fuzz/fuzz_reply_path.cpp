// Arbitrary byte deliveries after each kind of request: the gatherer must never crash, must
// never hand over a reply that is not whole and valid for the request, and must take the
// valid reply whole.

#include "framecodec.h"
#include "replygatherer.h"

#include <cstdlib>

namespace {

QByteArray requestFor(quint8 kind, quint8 station, quint8 words)
{
    const QString st = QStringLiteral("%1").arg(station, 2, 16, QLatin1Char('0')).toUpper();
    const QByteArray count = QString::asprintf("%04X", words).toLatin1();
    QString frame;
    switch (kind % 3) {
    case 0: frame = FrameCodec::buildReadFrame(st, "E31B", count); break;
    case 1: frame = FrameCodec::buildWriteSingleFrame(st, "0000", "000A"); break;
    default: frame = FrameCodec::buildWriteMultipleFrame(st, "05A1000204", "00640000"); break;
    }
    return FrameCodec::hexStringToBytes(frame);
}

void checkTaken(const QByteArray &request, const QByteArray &reply)
{
    const bool ok = reply.size() >= 5 && reply.at(0) == request.at(0) && reply.at(1) == request.at(1)
        && FrameCodec::checkFrameCrc(FrameCodec::bytesToHexText(reply));
    if (!ok)
        std::abort();
    if (quint8(request.at(1)) == FrameCodec::ReadHolding) {
        const int words = (quint8(request.at(4)) << 8) | quint8(request.at(5));
        if (quint8(reply.at(2)) != 2 * words || reply.size() != 5 + 2 * words
            || FrameCodec::replyWords(reply).size() != words)
            std::abort();
    } else if (reply.size() != 8 || reply.left(6) != request.left(6)) {
        std::abort();
    }
}

// The other way round: the valid reply to the request (its read words taken from the input),
// delivered in two pieces cut where the input says, is taken whole and as it was sent.
void checkValidTaken(const QByteArray &request, const uint8_t *data, size_t size)
{
    QByteArray reply = request.left(quint8(request.at(1)) == FrameCodec::ReadHolding ? 2 : 6);
    if (quint8(request.at(1)) == FrameCodec::ReadHolding) {
        const int bytes = 2 * ((quint8(request.at(4)) << 8) | quint8(request.at(5)));
        reply.append(char(bytes));
        for (int k = 0; k < bytes; ++k)
            reply.append(char(size_t(k) < size ? data[k] : k));
    }
    reply += FrameCodec::hexStringToBytes(FrameCodec::crc16Modbus(FrameCodec::bytesToHexText(reply)));
    const int cut = size > 0 ? data[0] % reply.size() : 0;
    ReplyGatherer gatherer;
    gatherer.start(request);
    ReplyGatherer::Result result = gatherer.feed(reply.left(cut));
    if (result != ReplyGatherer::Result::Complete)
        result = gatherer.feed(reply.mid(cut));
    if (result != ReplyGatherer::Result::Complete || gatherer.frame() != reply)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const QByteArray request = requestFor(data[0], data[1] ? data[1] : 1, data[2] % 8 + 1);
    checkValidTaken(request, data + 3, size - 3);
    ReplyGatherer gatherer;
    gatherer.start(request);
    // The rest is a series of deliveries, each prefixed by its length.
    size_t i = 3;
    while (i < size) {
        const size_t len = std::min<size_t>(data[i] % 32, size - i - 1);
        const QByteArray piece(reinterpret_cast<const char *>(data + i + 1), int(len));
        i += len + 1;
        if (gatherer.feed(piece) == ReplyGatherer::Result::Complete) {
            checkTaken(request, gatherer.frame());
            gatherer.start(request);
        }
        // Text forms of the same bytes must not crash either.
        FrameCodec::hexStringToBytes(QString::fromLatin1(piece));
        FrameCodec::crc16Modbus(QString::fromLatin1(piece));
    }
    return 0;
}
