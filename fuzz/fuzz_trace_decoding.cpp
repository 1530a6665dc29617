// The trace decoding over words as a drive could send them: any text per word, any trigger
// index, pretrigger, sample width, kind and scales. Nothing may read outside the buffer, and
// what comes out must hold: 1024 / width samples with I/O bits of 0 or 1, a rotation that keeps
// the ring's order and only moves its start, and a trigger level that the coding and the scaling
// give back. A ring of well-formed words made from the first bytes must decode, each sample to
// the I/O bit and the scaled value of the words it came from.

#include "samplercoding.h"
#include "fuzzcheck.h"
#include "tracedecoding.h"

#include <QString>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// The level the drive gets back in display units: its register pair scaled as a sample is.
void checkLevel(int variableIndex, int level, short maxTrqc, short osVelcc)
{
    const SamplerCoding::Level coded = SamplerCoding::levelToHex(variableIndex, level, maxTrqc, osVelcc);
    if (coded.error != SamplerCoding::Level::None) {
        require(coded.hex.isEmpty());
        return;
    }
    bool ok = false;
    require(coded.hex.size() == 8);
    const qint64 register32 = qint32(coded.hex.toUInt(&ok, 16));
    require(ok);
    double back = double(register32);
    double step = 0; // what one unit of the register is worth in display units
    switch (variableIndex) {
    case 0: case 1: case 3: case 9:
        back = register32 * double(osVelcc) / 16384;
        step = std::abs(double(osVelcc)) / 16384;
        break;
    case 2: case 10:
        back = register32 * double(maxTrqc) * 10 / 16384;
        step = std::abs(double(maxTrqc)) * 10 / 16384;
        break;
    case 11: // effective gain: plotted as the sample / 4096
        back = register32 / 4096.0;
        break;
    default:
        break;
    }
    require(std::abs(back - level) <= step + 1e-6 * std::abs(double(level)) + 1e-9);
}

// The upper-case text of every word, made at once in the first run: a ring is then put together
// without making a text per run (and no run but the first leaves memory behind).
const QString &wordText(quint16 word)
{
    static const QVector<QString> texts = [] {
        QVector<QString> all;
        for (int w = 0; w <= 0xFFFF; ++w)
            all.append(QStringLiteral("%1").arg(w, 4, 16, QLatin1Char('0')).toUpper());
        return all;
    }();
    return texts.at(word);
}

// "0", "1", ...: ring entries that tell where each one came from, as many as the longest input
// can hold.
const QVector<QString> &labels()
{
    static const QVector<QString> made = [] {
        QVector<QString> all;
        for (int i = 0; i < TraceDecoding::vrRingWords * 16; ++i)
            all.append(QString::number(i));
        return all;
    }();
    return made;
}

// A decoder that refused every ring, or put out samples of its own, would pass the checks above.
// The ring is made from the first bytes of the input (decoding a whole ring costs more than all
// the rest of a run).
void checkWellFormedRing(const uint8_t *data, size_t size, int trigger, int pretrigger, short maxTrqc, short osVelcc)
{
    constexpr size_t kShaping = 16;
    if (seenBefore(data, std::min(size, kShaping)))
        return;
    const int width = 1 + (data[8] & 1);
    const int kind = data[9] % 6;
    constexpr int n = TraceDecoding::vrRingWords;
    FuzzNumbers in(data, size, kShaping);
    for (int i = 0; i < 3; ++i)
        in.next(); // the trigger, the scales and the choices above
    quint16 raw[n];
    static QVector<QString> ring(n);
    QString *ringTexts = ring.data();
    for (int i = 0; i < n; i += 2) {
        const quint32 pair = in.next();
        raw[i] = quint16(pair);
        raw[i + 1] = quint16(pair >> 16);
        ringTexts[i] = wordText(raw[i]);
        ringTexts[i + 1] = wordText(raw[i + 1]);
    }
    TraceDecoding::Decoded decoded;
    require(TraceDecoding::decodeVrChannel(ring, width, kind, trigger, pretrigger, maxTrqc, osVelcc, &decoded));
    const int samples = TraceDecoding::vrRingWords / width;
    require(decoded.values.size() == samples && decoded.io.size() == samples);
    const int *values = decoded.values.constData();
    const short *io = decoded.io.constData();
    // The sample shown first is the one `pretrigger` samples before the trigger.
    const qint64 start = (qint64(trigger) - pretrigger) * width;
    for (int i = 0; i < samples; ++i) {
        const int at = int((((start + qint64(i) * width) % n) + n) % n);
        const quint32 sample = width == 1 ? raw[at] : raw[at] | quint32(raw[(at + 1) % n]) << 16;
        const int bits = width == 1 ? 15 : 31;
        const qint64 analog = qint64(sample & ((1u << bits) - 1)) - ((sample >> (bits - 1)) & 1 ? qint64(1) << bits : 0);
        double value = double(analog);
        if (kind == SamplerCoding::TorqueKind)
            value = std::round(double(analog) * maxTrqc * 10 / 16384);
        else if (kind == SamplerCoding::SpeedKind)
            value = std::round(double(analog) * osVelcc / 16384);
        else if (kind == SamplerCoding::GainKind)
            value = std::trunc(double(analog) / 4096);
        else if (kind == SamplerCoding::UnsignedLowKind)
            value = sample & 0x7FFF;
        value = std::min(std::max(value, double(INT32_MIN)), double(INT32_MAX));
        require(io[i] == short(sample >> bits));
        require(values[i] == int(value));
    }
}

} // namespace

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
    words.reserve(text.size() / 4);
    for (int i = 0; i + 4 <= text.size(); i += 4)
        words.append(text.mid(i, 4));
    // The words as they come, or repeated into a ring of the right length. The ring's own
    // rotation is checked with the well-formed ring below.
    QVector<QString> ring;
    if (fullRing) {
        ring.reserve(TraceDecoding::vrRingWords);
        for (int i = 0; i < TraceDecoding::vrRingWords; ++i)
            ring.append(words.isEmpty() ? QStringLiteral("0000") : words.at(i % words.size()));
    }

    TraceDecoding::Decoded decoded;
    if (TraceDecoding::decodeVrChannel(fullRing ? ring : words, width, kind, trigger, pretrigger, maxTrqc, osVelcc, &decoded)) {
        require(decoded.values.size() == TraceDecoding::vrRingWords / width);
        require(decoded.io.size() == decoded.values.size());
        for (short bit : decoded.io)
            require(bit == 0 || bit == 1);
    } else {
        require(decoded.values.isEmpty() && decoded.io.isEmpty());
    }

    // A ring of distinct words comes back with every word once, in the ring's order.
    const QVector<QString> distinct = labels().mid(0, qMin(words.size(), labels().size()));
    const QVector<QString> rotated = TraceDecoding::rotate(distinct, trigger, pretrigger, width);
    require(rotated.size() == distinct.size());
    if (!rotated.isEmpty()) {
        bool ok = false;
        const int first = rotated.first().toInt(&ok);
        require(ok && first >= 0 && first < distinct.size());
        for (int i = 0; i < rotated.size(); ++i)
            require(rotated.at(i) == distinct.at((first + i) % distinct.size()));
    }

    TraceDecoding::vrQuarters(words);
    TraceDecoding::hxqChannels(words);
    checkLevel(data[11] % 40 - 4, trigger * 65536 + pretrigger, maxTrqc, osVelcc);
    checkWellFormedRing(data, size, trigger, pretrigger, maxTrqc, osVelcc);
    return 0;
}
