// The trace decoding over words as a drive could send them: any text per word, any trigger
// index, pretrigger, sample width, kind and scales; nothing may read outside the buffer.

#include "samplercoding.h"
#include "tracedecoding.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 12)
        return 0;
    int16_t trigger, maxTrqc, osVelcc;
    std::memcpy(&trigger, data, 2);
    std::memcpy(&maxTrqc, data + 2, 2);
    std::memcpy(&osVelcc, data + 4, 2);
    const int pretrigger = data[6] | (data[7] << 8);
    const int width = data[8] % 3;
    const int kind = data[9] % 6;
    const bool fullRing = data[10] & 1;
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data + 12), int(size - 12));

    QVector<QString> words;
    for (int i = 0; i + 4 <= text.size(); i += 4)
        words.append(text.mid(i, 4));
    if (fullRing) {
        QVector<QString> ring;
        for (int i = 0; i < TraceDecoding::vrRingWords; ++i)
            ring.append(words.isEmpty() ? QStringLiteral("0000") : words.at(i % words.size()));
        words = ring;
    }

    TraceDecoding::Decoded decoded;
    TraceDecoding::decodeVrChannel(words, width, kind, trigger, pretrigger, maxTrqc, osVelcc, &decoded);
    TraceDecoding::rotate(words, trigger, pretrigger, width);
    TraceDecoding::vrQuarters(words);
    TraceDecoding::hxqChannels(words);
    SamplerCoding::levelToHex(data[11] % 40 - 4, trigger * 65536 + pretrigger, maxTrqc, osVelcc);
    return 0;
}
