#ifndef DRIVECOMMANDS_H
#define DRIVECOMMANDS_H

#include <QString>

class QObject;

// Who holds the drive's command registers: the function select (2000), the sub-command (2001)
// and the result (2036), and the sampler (its set-up, start, status and upload). A multi-step
// command written there by one window is undone by another window's start under it, and the
// first would then report what the drive never did. So one operation holds them, from its first
// such write to its end, and a start elsewhere meanwhile is refused before anything is sent,
// naming the holder. Stops never ask: a motion stop or OFF goes whoever holds them.
//
// Widget-free: the windows ask it and show the refusal themselves.
namespace DriveCommands {

enum class Operation {
    FactoryReset,
    MotorAlarmClear,
    MotorExecute,
    EncoderInitialisation,
    TestRun,
    Jog,
    ProgramRun,
    Homing,
    PositionTeaching,
    AlarmReset,
    AlarmHistoryClear,
    AnalogOffset,
    SpeedOffset,
    TorqueOffset,
    EncoderReset,
    Capture,
    SpectrumCapture,
};

// Takes them for owner's operation. True when they were free or are owner's already (they are
// then held for this operation). The hold ends with release(owner), or when owner is destroyed.
bool take(QObject *owner, Operation operation);
void release(QObject *owner);
bool isHeld();
// Held, by someone other than owner.
bool heldByOther(QObject *owner);
// The operation that holds them (meaningful only while they are held).
Operation holding();

// The registers a sequence of the family (0 VR, 1 HXQ) writes while it holds them: for the VR
// family the function select, sub-command, program select and result and the sampler's set-up;
// for the HXQ family its sampler's and its reset's. Written by anyone else meanwhile, they land
// under that sequence.
bool isCommandRegister(int family, quint16 address);

// The holding operation's name in the interface language (empty when free).
QString holderName();
// A start refused while they are held: the box's text, in the interface language, and the
// command file's reason, in English like every answer in the file.
QString refusalText();
QString refusalReason();
// A reason from refusalReason() as the interface shows it; empty for any other reason.
QString shownReason(const QString &reason);

// An operation's hold for as long as it runs: taken when made (taken() says whether), given
// back when it ends, whichever way it ends. A hold its owner had already leaves that one be.
class Hold
{
public:
    Hold(QObject *owner, Operation operation);
    ~Hold();
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;

    bool taken() const { return m_taken; }
    // Gives them back before the end (a box that tells how it went must not hold them).
    void release();

private:
    QObject *m_owner;
    bool m_taken;
    bool m_mine; // taken here, not held by the owner already
};

} // namespace DriveCommands

#endif // DRIVECOMMANDS_H
