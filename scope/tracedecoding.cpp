#include "tracedecoding.h"

#include "samplercoding.h"

#include <limits>

namespace TraceDecoding {

namespace {

// Rounds n / d (d > 0) to the nearest integer, halves away from zero.
qint64 roundedQuotient(qint64 n, qint64 d)
{
    qint64 q = n / d;
    const qint64 r = n % d;
    if (2 * (r < 0 ? -r : r) >= d)
        q += n < 0 ? -1 : 1;
    return q;
}

quint32 hexValue(const QString &text)
{
    bool ok = false;
    const quint32 value = text.toUInt(&ok, 16);
    return ok ? value : 0;
}

} // namespace

std::array<QVector<QString>, 4> vrQuarters(const QVector<QString> &words)
{
    std::array<QVector<QString>, 4> quarters;
    const int q = words.size() / 4;
    for (int k = 0; k < 4; ++k)
        quarters[k] = words.mid(k * q, q);
    return quarters;
}

HxqChannels hxqChannels(const QVector<QString> &words)
{
    HxqChannels channels;
    for (int i = 0; i < words.size(); ++i) {
        const int value = qint16(quint16(hexValue(words[i])));
        if (i % 2 == 0) {
            channels.raw1.append(words[i]);
            channels.values1.append(value);
        } else {
            channels.raw2.append(words[i]);
            channels.values2.append(value);
        }
    }
    return channels;
}

QVector<QString> rotate(const QVector<QString> &ring, int triggerIndex, int pretrigger, int wordsPerSample)
{
    const int n = ring.size();
    QVector<QString> rotated;
    if (n == 0)
        return rotated;
    const qint64 start = (qint64(triggerIndex) - pretrigger) * wordsPerSample;
    const int s = int(((start % n) + n) % n);
    rotated.reserve(n);
    rotated += ring.mid(s);
    rotated += ring.mid(0, s);
    return rotated;
}

qint64 scaled(qint64 analog, quint32 sample, int kind, short maxTrqc, short osVelcc)
{
    switch (kind) {
    case SamplerCoding::TorqueKind:
        return roundedQuotient(analog * maxTrqc * 10, 16384);
    case SamplerCoding::SpeedKind:
        return roundedQuotient(analog * osVelcc, 16384);
    case SamplerCoding::GainKind:
        return analog / 4096;
    case SamplerCoding::UnsignedLowKind:
        return sample & 0x7FFF;
    default:
        return analog;
    }
}

bool decodeVrChannel(const QVector<QString> &ring, int sampleWidth, int kind, int triggerIndex, int pretrigger,
                     short maxTrqc, short osVelcc, Decoded *out)
{
    out->values.clear();
    out->io.clear();
    if (ring.size() != vrRingWords || (sampleWidth != 1 && sampleWidth != 2))
        return false;
    const QVector<QString> words = rotate(ring, triggerIndex, pretrigger, sampleWidth);
    const int samples = words.size() / sampleWidth;
    out->values.reserve(samples);
    out->io.reserve(samples);
    for (int i = 0; i < samples; ++i) {
        if (sampleWidth == 1) {
            const quint32 w = hexValue(words[i]) & 0xFFFF;
            const qint64 analog = (w & 0x4000) ? qint64(w & 0x7FFF) - 0x8000 : qint64(w & 0x7FFF);
            out->io.append(short((w >> 15) & 1));
            // A 15-bit sample scaled by a 16-bit scale stays well inside int.
            out->values.append(int(scaled(analog, w, kind, maxTrqc, osVelcc)));
        } else {
            const quint32 v = hexValue(words[2 * i + 1] + words[2 * i]);
            const qint64 analog = (v & 0x40000000u) ? qint64(v & 0x7FFFFFFFu) - 0x80000000LL : qint64(v & 0x7FFFFFFFu);
            out->io.append(short(v >> 31));
            const qint64 value = scaled(analog, v, kind, maxTrqc, osVelcc);
            out->values.append(int(qBound<qint64>(std::numeric_limits<int>::min(), value, std::numeric_limits<int>::max())));
        }
    }
    return true;
}

} // namespace TraceDecoding
