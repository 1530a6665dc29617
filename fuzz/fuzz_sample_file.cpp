// Arbitrary bytes as a spectrum sample file: the reader must never crash, take a file only with
// exactly 1024 samples, and whatever it takes must survive being written and read again; a
// refusal names the line it refused. A whole file shaped by the first bytes must be taken, with
// its samples and interval; with one field spoilt it must be refused at that field's line.

#include "samplefile.h"
#include "fuzzcheck.h"

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <string>

namespace {

// A reader that refused every file would pass the checks on arbitrary bytes. Only the first
// bytes of the input shape the file (reading 1024 samples costs more than all the rest of a
// run), and its text is built in a buffer kept from run to run.
void checkWholeFile(const uint8_t *data, size_t size)
{
    constexpr size_t kShaping = 16;
    if (seenBefore(data, std::min(size, kShaping)))
        return;
    FuzzNumbers in(data, size, kShaping);
    const quint32 shape = in.next();
    const char *end = shape & 1 ? "\r\n" : "\n";
    const int multiplier = SampleFile::kMinMultiplier + int(in.below(SampleFile::kMaxMultiplier));
    // One field spoilt, the interval's or a sample's: refused at its line, naming it.
    const bool spoilInterval = shape & 2;
    const int spoilt = int(in.below(SampleFile::kMaxSamples));

    static std::string text;
    text.clear();
    for (const char *line : {"2024-01-01_00-00-00", "VR1P", "125"})
        text.append(line).append(end);
    std::string spoiltField = std::to_string(multiplier);
    text.append(spoiltField).append(",");
    size_t spoiltEnd = text.size() - 1;
    text.append(end);
    for (const char *line : {"speed", "caption", "CH1:"})
        text.append(line).append(end);
    QVector<int> samples(SampleFile::kMaxSamples);
    for (int i = 0; i < samples.size(); ++i) {
        // Every width of number, the extremes included.
        samples[i] = in.anyWidth();
        const std::string field = std::to_string(samples[i]);
        text.append(field).append(",");
        if (!spoilInterval && i == spoilt) {
            spoiltEnd = text.size() - 1;
            spoiltField = field;
        }
    }
    text.append(end);

    QByteArray bytes = QByteArray::fromRawData(text.data(), int(text.size()));
    QBuffer buffer(&bytes);
    buffer.open(shape & 4 ? QIODevice::ReadOnly | QIODevice::Text : QIODevice::ReadOnly);
    const SampleFile::Contents whole = SampleFile::read(&buffer);
    require(whole.status == SampleFile::Contents::Ok && whole.samples == samples);
    require(whole.hasMultiplier && whole.multiplier == multiplier && whole.channel == QLatin1String("speed"));
    require(whole.driveModel == QLatin1String("VR1P"));

    text.insert(spoiltEnd, 1, 'x');
    QByteArray spoiltBytes = QByteArray::fromRawData(text.data(), int(text.size()));
    QBuffer spoiltBuffer(&spoiltBytes);
    spoiltBuffer.open(QIODevice::ReadOnly);
    const SampleFile::Contents refused = SampleFile::read(&spoiltBuffer);
    const int line = spoilInterval ? 4 : 8;
    require(refused.status == SampleFile::Contents::BadValue && refused.line == line);
    require(refused.field == QString::fromStdString(spoiltField + 'x') && refused.samples.isEmpty());
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
