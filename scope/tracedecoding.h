#ifndef TRACEDECODING_H
#define TRACEDECODING_H

#include <QString>
#include <QVector>

#include <array>

// The drive's trace buffer, as uploaded (4-hex-digit words), turned into channel values.
//
// VR family: the upload holds four channels as four consecutive quarters. Each channel is a
// ring of 1024 words around the trigger; a sample is one word (bit 15 the I/O state, bits 14-0
// a 15-bit two's-complement value) or, with 32-bit samples, two words low word first (bit 31
// the I/O state, bits 30-0 a 31-bit value). The value is then scaled by the channel's kind.
// HXQ family: the words alternate CH1, CH2, each a signed 16-bit value; no ring, no I/O state.
namespace TraceDecoding {

constexpr int vrRingWords = 1024;

// The four quarters of a VR upload (the remainder of a length not divisible by 4 is dropped).
std::array<QVector<QString>, 4> vrQuarters(const QVector<QString> &words);

struct HxqChannels
{
    QVector<QString> raw1, raw2;
    QVector<int> values1, values2;
};
HxqChannels hxqChannels(const QVector<QString> &words);

// The ring in time order: the pretrigger samples before the trigger sample, then the trigger
// sample and what follows. Indexes count samples (two words each when wordsPerSample is 2);
// a trigger index outside the ring, as a faulty reply could give, is taken modulo the ring.
QVector<QString> rotate(const QVector<QString> &ring, int triggerIndex, int pretrigger, int wordsPerSample);

// A sample's analog value scaled by its kind (samplercoding.h), computed without overflow:
// torque and speed rounded half away from zero, gain truncated toward zero.
qint64 scaled(qint64 analog, quint32 sample, int kind, short maxTrqc, short osVelcc);

struct Decoded
{
    QVector<int> values;
    QVector<short> io;
};

// One VR channel: rotation, I/O state, scaling. Refuses (returns false, leaves *out empty) a
// ring that is not exactly vrRingWords long or a sample width other than 1 or 2. With 32-bit
// samples a value beyond the int range is held at the nearest limit.
bool decodeVrChannel(const QVector<QString> &ring, int sampleWidth, int kind, int triggerIndex, int pretrigger,
                     short maxTrqc, short osVelcc, Decoded *out);

} // namespace TraceDecoding

#endif // TRACEDECODING_H
