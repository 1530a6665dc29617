#ifndef SAMPLERING_H
#define SAMPLERING_H

#include <QString>
#include <QVector>

// The drive's one-channel sample ring: 1024 words at 4000..43FF, the first sample in time order
// at the trigger index. Each word holds a 15-bit two's-complement sample in bits 0 to 14.
namespace SampleRing {

constexpr int kWords = 1024;
constexpr int kBlockWords = 29;
constexpr int kBlocks = 36; // 35 blocks of 29 words and one of 9
constexpr quint16 kFirstAddress = 0x4000;

// Scale kinds of the channel: speed feedback is scaled by the drive's speed scale, torque is raw.
enum ScaleKind { Raw = 0, Speed = 2 };

// Address and word count of block k (0..35), as 4-digit upper-case hex text.
QByteArray blockAddress(int block);
QByteArray blockCount(int block);

// The sample in bits 0..14 of a word (bit 14 is the sign, bit 15 is ignored).
int sampleFromWord(quint16 word);

// A speed sample v scaled by the drive's speed scale: v * scale / 16384, rounded half away from
// zero and kept as a signed 16-bit value.
int scaledSpeed(int sample, qint16 speedScale);

// The samples in time order. Only a whole ring (exactly 1024 words, each four hex digits) with a
// trigger index 0..1023 is converted; anything else gives no samples.
QVector<int> samplesFromRing(const QVector<QString> &words, int ringStart, int scaleKind, qint16 speedScale);

} // namespace SampleRing

#endif // SAMPLERING_H
