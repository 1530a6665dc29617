#ifndef SAMPLERCODING_H
#define SAMPLERCODING_H

#include <QByteArray>
#include <QString>

// The drive sampler's set-up codes: what the capture window's selections (positions in its
// channel, I/O signal and trigger boxes), its trigger levels and the drive's two scales turn
// into. Every code is upper-case hexadecimal text.
namespace SamplerCoding {

// How the samples of a VR channel become values (see tracedecoding.h).
enum ScalingKind {
    RawKind = 0,         // as read
    TorqueKind = 1,      // x MAXTRQC x 10 / 16384
    SpeedKind = 2,       // x OSVELCC / 16384
    GainKind = 3,        // / 4096
    UnsignedLowKind = 4, // the low 15 bits
};

// VR channel register: the I/O signal's code in the high byte, the variable's in the low byte
// ("0102" for speed feedback with /S-ON). Positions outside the tables code as "00". When the
// variable carries a scaling kind it is stored in *kind; otherwise *kind is left as it is.
QByteArray channelCode(int channelIndex, int ioIndex, int *kind);

// Whether the VR variable at this position is recorded as a 32-bit value.
bool isWideVariable(int channelIndex);

// HXQ channel register: the variable's code, or an empty array for a position outside the list.
QByteArray channelCodeModelB(int index);

// VR trigger register: "00", the condition digit, the source digit (a position outside its
// table adds no digit). A rising edge on CH1 gives "0011", a falling edge on the I/O signal "0029".
QByteArray triggerModeCode(int condition, int source);

// A trigger level in the display units of the VR variable at variableIndex, turned into the
// drive's units (the inverse of the speed, torque and gain scaling) as 8 hex digits, two's
// complement.
struct Level
{
    enum Error { None, SpeedScaleZero, TorqueScaleZero, OutOfRange };
    QString hex;          // empty unless error is None
    Error error = None;
};
Level levelToHex(int variableIndex, int level, short maxTrqc, short osVelcc);

} // namespace SamplerCoding

#endif // SAMPLERCODING_H
