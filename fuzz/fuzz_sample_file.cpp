// Arbitrary bytes as a spectrum sample file: the reader must never crash, take a file only with
// exactly 1024 samples, and whatever it takes must survive being written and read again.

#include "samplefile.h"
#include "fuzzcheck.h"

#include <QBuffer>
#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    const SampleFile::Contents c = SampleFile::read(&buffer);

    // Taken only whole: exactly 1024 samples and, when line 4 holds one, an interval of 1 to 99.
    require((c.status == SampleFile::Contents::Ok) == (c.samples.size() == SampleFile::kMaxSamples));
    if (c.status != SampleFile::Contents::Ok) {
        require(c.samples.isEmpty());
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
