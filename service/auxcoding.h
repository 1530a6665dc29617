#ifndef AUXCODING_H
#define AUXCODING_H

#include <QByteArray>
#include <QString>
#include <QVector>

// The values the auxiliary-function dialogs exchange with the drive, widget-free: the window
// ids under which the panel relays a dialog's requests, what became of a relayed write, the
// register words as numbers, the command offsets and the rigidity levels.
namespace AuxCoding {

// The id a dialog passes with every request; the panel hands a read reply back by it.
enum WindowId {
    TeachingWindow = 1,       // Function_AF1
    AlarmWindow = 2,          // function_AF4
    AnalogOffsetWindow = 3,   // Function_AF6
    SpeedOffsetWindow = 4,    // Function_AF7
    TorqueOffsetWindow = 5,   // FunctionAF8
    EncoderResetWindow = 6,   // Function_AF11
    RigidityWindow = 8,       // function_AF30
};

// What became of a write the panel relayed for a dialog.
enum WriteOutcome {
    WriteConfirmed = 0,   // the drive echoed it (CRC right)
    WriteRefused = 1,     // not done for a closed link: not sent (the panel has said so), or
                          // the link was lost while it waited (the link has said so)
    WriteUnconfirmed = 2, // sent, but no valid echo came in time
};

// The drive's command registers and the unlock word of its protected registers.
inline QByteArray functionSelect() { return QByteArrayLiteral("2000"); }
inline QByteArray subCommand() { return QByteArrayLiteral("2001"); }
inline QByteArray unlockRegister() { return QByteArrayLiteral("2003"); }
inline QByteArray unlockWord() { return QByteArrayLiteral("9C47"); }
inline QByteArray resultRegister() { return QByteArrayLiteral("2036"); }

// Four upper-case hex digits of the low 16 bits.
QByteArray hexWord(qint64 value);

// A register word of a reply (1 to 4 hex digits) as a number; false for anything else.
bool wordValue(const QString &word, quint16 *value);
// The first word of a reply as a signed 16-bit number; false when there is none or it is no word.
bool firstSigned16(const QVector<QString> &words, qint16 *value);
// Exactly two words, low word first, as a signed 32-bit number.
bool signed32(const QVector<QString> &words, qint32 *value);

// A typed command offset. The drive keeps 16 times the typed unit; the speed offset register
// holds 32 bits, the torque offset register 16, and the typed value must fit the register.
struct OffsetEntry
{
    enum Result { Ok, NotANumber, OutOfRange };
    Result result = NotANumber;
    qint64 typed = 0;   // the typed offset (valid when Ok)
    qint64 minimum = 0; // the range a typed offset must lie in for this register
    qint64 maximum = 0;
};
OffsetEntry parseOffset(const QString &text, int registerBits);
// The register contents for a typed offset that fits (16 times the offset, two's complement).
QByteArray torqueOffsetWord(qint64 typed);                 // one word
QByteArray speedOffsetData(qint64 typed);                  // "000204", low word, high word
// The offset a register word shows: the word divided by 16, truncated toward zero.
int shownOffset(qint16 word);

// The rigidity levels 1 to 25, each a set of four gain parameters.
struct RigidityLevel
{
    int speedLoopGain = 0;      // PA100, register 0100, 0.1 Hz
    int speedIntegralTime = 0;  // PA101, register 0101, 0.01 ms
    int positionLoopGain = 0;   // PA102, register 0102, 0.1/s
    int torqueFilterTime = 0;   // PA401, register 0401, 0.01 ms
};
const int MinRigidity = 1;
const int MaxRigidity = 25;
// The values of a level; a level outside 1..25 is taken as the nearest one.
RigidityLevel rigidityLevel(int level);
// The level a first speed-loop gain falls in: the lowest level whose gain is not below it,
// 1 for anything up to the level-1 gain and 25 for anything above the level-25 gain.
int levelForSpeedLoopGain(int gain);
// The level four gains read from the drive stand at: the level PA100 falls in, when PA101,
// PA102 and PA401 hold that level's values too; 0 when they do not (a write that ran only in
// part, or gains set one by one).
int levelOfGains(qint16 speedLoopGain, int speedIntegralTime, int positionLoopGain, int torqueFilterTime);

} // namespace AuxCoding

#endif // AUXCODING_H
