// Arbitrary bytes as a spectrum sample file: the reader must never crash, take a file only with
// exactly 1024 samples, and whatever it takes must survive being written and read again; a
// refusal names the line it refused. A whole file made from the same bytes must be taken, with
// its samples and interval; with one field spoilt it must be refused at that field's line.

#include "samplefile.h"
#include "fuzzcheck.h"

#include <QBuffer>
#include <QByteArray>
#include <QStringList>

#include <cstring>

namespace {

// A reader that refused every file would pass the checks on arbitrary bytes.
void checkWholeFile(const uint8_t *data, size_t size)
{
    auto number = [&](size_t k) {
        qint32 v = 0;
        for (size_t i = 0; i < 4 && size; ++i)
            v = qint32(quint32(v) << 8 | data[(k + i) % size]);
        return v;
    };
    QVector<int> samples;
    QStringList fields;
    for (int i = 0; i < SampleFile::kMaxSamples; ++i) {
        // Every width of number, the extremes included.
        samples.append(number(size_t(i) * 3) >> (i % 32));
        fields.append(QString::number(samples.last()) + QLatin1Char(','));
    }
    const int multiplier = SampleFile::kMinMultiplier + int(quint32(number(1)) % SampleFile::kMaxMultiplier);
    QStringList lines{QStringLiteral("2024-01-01_00-00-00"), QStringLiteral("VR1P"), QStringLiteral("125"),
                      QString::number(multiplier) + QLatin1Char(','), QStringLiteral("speed"),
                      QStringLiteral("caption"), QStringLiteral("CH1:"), fields.join(QString())};
    const QString end = size && (data[0] & 1) ? QStringLiteral("\r\n") : QStringLiteral("\n");

    QByteArray bytes = lines.join(end).toUtf8() + end.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const SampleFile::Contents whole = SampleFile::read(&buffer);
    require(whole.status == SampleFile::Contents::Ok && whole.samples == samples);
    require(whole.hasMultiplier && whole.multiplier == multiplier && whole.channel == QLatin1String("speed"));

    // One field spoilt, the interval's or a sample's: refused at its line, naming it.
    const bool interval = size > 1 && (data[1] & 1);
    const int line = interval ? 4 : 8;
    const int spoilt = interval ? 0 : int(quint32(number(2)) % quint32(fields.size()));
    QStringList lineFields = lines[line - 1].split(QLatin1Char(','));
    lineFields[spoilt] += QLatin1Char('x');
    lines[line - 1] = lineFields.join(QLatin1Char(','));
    const SampleFile::Contents refused = SampleFile::readText(lines.join(end) + end);
    require(refused.status == SampleFile::Contents::BadValue && refused.line == line);
    require(refused.field == lineFields.at(spoilt) && refused.samples.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    const SampleFile::Contents c = SampleFile::read(&buffer);

    // Taken only whole: exactly 1024 samples and, when line 4 holds one, an interval of 1 to 99.
    require((c.status == SampleFile::Contents::Ok) == (c.samples.size() == SampleFile::kMaxSamples));
    checkWholeFile(data, size);
    if (c.status != SampleFile::Contents::Ok) {
        require(c.samples.isEmpty());
        // Only line 4 and line 8 hold fields; a refused field is named with its line.
        if (c.status == SampleFile::Contents::BadValue || c.status == SampleFile::Contents::BadInterval)
            require((c.line == 4 || c.line == 8) && !c.field.isEmpty());
        if (c.status == SampleFile::Contents::TooFewSamples)
            require(c.line == 8 && c.count < SampleFile::kMaxSamples);
        return 0;
    }
    if (c.hasMultiplier)
        require(c.multiplier >= SampleFile::kMinMultiplier && c.multiplier <= SampleFile::kMaxMultiplier);

    SampleFile::Header header;
    header.multiplier = c.hasMultiplier ? c.multiplier : 1;
    const SampleFile::Contents back = SampleFile::readText(SampleFile::format(header, c.samples));
    require(back.status == SampleFile::Contents::Ok);
    require(back.samples == c.samples);
    require(back.hasMultiplier && back.multiplier == header.multiplier);
    return 0;
}
