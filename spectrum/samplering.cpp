#include "samplering.h"

#include <QByteArray>

namespace SampleRing {

namespace {

QByteArray hexWord(int value)
{
    return QByteArray::number(value & 0xFFFF, 16).rightJustified(4, '0').toUpper();
}

} // namespace

QByteArray blockAddress(int block)
{
    return hexWord(kFirstAddress + kBlockWords * block);
}

QByteArray blockCount(int block)
{
    return hexWord(block < kBlocks - 1 ? kBlockWords : kWords - kBlockWords * (kBlocks - 1));
}

int sampleFromWord(quint16 word)
{
    return int(word & 0x3FFF) - int(word & 0x4000);
}

int scaledSpeed(int sample, qint16 speedScale)
{
    const double x = double(sample) * double(speedScale) / 16384.0;
    const int rounded = x > 0 ? int(x + 0.5) : int(x - 0.5);
    return qint16(rounded);
}

QVector<int> samplesFromRing(const QVector<QString> &words, int ringStart, int scaleKind, qint16 speedScale)
{
    QVector<int> samples;
    if (words.size() != kWords || ringStart < 0 || ringStart >= kWords)
        return samples;
    samples.reserve(kWords);
    for (int i = 0; i < kWords; ++i) {
        const QString &text = words[(ringStart + i) % kWords];
        bool ok = false;
        const uint word = text.toUInt(&ok, 16);
        if (!ok || text.size() != 4)
            return {};
        const int v = sampleFromWord(quint16(word));
        samples.append(scaleKind == Speed ? scaledSpeed(v, speedScale) : v);
    }
    return samples;
}

} // namespace SampleRing
