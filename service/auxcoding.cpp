#include "auxcoding.h"

#include "framecodec.h"

#include <QtGlobal>

namespace AuxCoding {

namespace {

const RigidityLevel kLevels[MaxRigidity] = {
    { 150, 6000, 150, 250 }, { 200, 4500, 200, 200 }, { 300, 3000, 300, 130 }, { 400, 2000, 400, 100 },
    { 600, 1500, 600, 70 },  { 800, 1000, 800, 50 },  { 1000, 800, 1000, 40 }, { 1200, 700, 1200, 35 },
    { 1400, 600, 1400, 30 }, { 1600, 500, 1600, 25 }, { 1800, 450, 1800, 20 }, { 2000, 400, 2000, 18 },
    { 2200, 350, 2200, 15 }, { 2400, 300, 2400, 12 }, { 2600, 250, 2600, 10 }, { 2800, 200, 2800, 8 },
    { 3000, 175, 3000, 6 },  { 3200, 150, 3200, 5 },  { 3400, 130, 3400, 4 },  { 3600, 110, 3600, 3 },
    { 3800, 100, 3800, 2 },  { 4200, 90, 4200, 1 },   { 4600, 80, 4600, 0 },   { 5000, 70, 5000, 0 },
    { 5400, 60, 5400, 0 },
};

const int kOffsetScale = 16;

} // namespace

QByteArray hexWord(qint64 value)
{
    return QByteArray::number(quint16(value & 0xFFFF), 16).rightJustified(4, '0').toUpper();
}

bool wordValue(const QString &word, quint16 *value)
{
    if (word.isEmpty() || word.size() > 4)
        return false;
    bool ok = false;
    const uint v = word.toUInt(&ok, 16);
    if (!ok || word.startsWith(QLatin1Char('+')) || word.startsWith(QLatin1Char('-')))
        return false;
    *value = quint16(v);
    return true;
}

bool firstSigned16(const QVector<QString> &words, qint16 *value)
{
    quint16 w = 0;
    if (words.isEmpty() || !wordValue(words.first(), &w))
        return false;
    *value = qint16(w);
    return true;
}

bool signed32(const QVector<QString> &words, qint32 *value)
{
    quint16 low = 0, high = 0;
    if (words.size() != 2 || !wordValue(words.at(0), &low) || !wordValue(words.at(1), &high))
        return false;
    *value = FrameCodec::join32(low, high);
    return true;
}

OffsetEntry parseOffset(const QString &text, int registerBits)
{
    OffsetEntry entry;
    const qint64 top = (qint64(1) << (registerBits - 1)) - 1;
    entry.maximum = top / kOffsetScale;
    entry.minimum = -(top + 1) / kOffsetScale;
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 typed = t.toLongLong(&ok, 10);
    // Only whole decimal numbers: no fraction, no blanks inside.
    if (!ok) {
        entry.result = OffsetEntry::NotANumber;
        return entry;
    }
    entry.typed = typed;
    entry.result = typed < entry.minimum || typed > entry.maximum ? OffsetEntry::OutOfRange : OffsetEntry::Ok;
    return entry;
}

QByteArray torqueOffsetWord(qint64 typed)
{
    return hexWord(typed * kOffsetScale);
}

QByteArray speedOffsetData(qint64 typed)
{
    const quint32 v = quint32(qint32(typed * kOffsetScale));
    return QByteArrayLiteral("000204") + hexWord(v & 0xFFFF) + hexWord(v >> 16);
}

int shownOffset(qint16 word)
{
    return word / kOffsetScale; // C++ division truncates toward zero
}

RigidityLevel rigidityLevel(int level)
{
    return kLevels[qBound(MinRigidity, level, MaxRigidity) - 1];
}

int levelForSpeedLoopGain(int gain)
{
    for (int level = MinRigidity; level <= MaxRigidity; ++level) {
        if (gain <= kLevels[level - 1].speedLoopGain)
            return level;
    }
    return MaxRigidity;
}

int levelOfGains(qint16 speedLoopGain, int speedIntegralTime, int positionLoopGain, int torqueFilterTime)
{
    const int level = levelForSpeedLoopGain(speedLoopGain);
    const RigidityLevel values = rigidityLevel(level);
    const bool same = values.speedIntegralTime == speedIntegralTime && values.positionLoopGain == positionLoopGain
        && values.torqueFilterTime == torqueFilterTime;
    return same ? level : 0;
}

} // namespace AuxCoding
