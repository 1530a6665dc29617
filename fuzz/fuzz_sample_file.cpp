// Arbitrary bytes as a spectrum sample file: the reader must never crash, never take more than
// 1024 samples, and whatever it takes must survive being written and read again.

#include "samplefile.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    const SampleFile::Contents c = SampleFile::read(&buffer);

    require(c.samples.size() <= SampleFile::kMaxSamples);
    require((c.status == SampleFile::Contents::Ok) == !c.samples.isEmpty());
    if (c.status != SampleFile::Contents::Ok)
        return 0;

    SampleFile::Header header;
    header.multiplier = c.multiplier;
    const SampleFile::Contents back = SampleFile::readText(SampleFile::format(header, c.samples));
    require(back.status == SampleFile::Contents::Ok);
    require(back.samples == c.samples);
    require(back.hasMultiplier && back.multiplier == c.multiplier);
    return 0;
}
