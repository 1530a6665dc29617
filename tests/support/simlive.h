#ifndef SIMLIVE_H
#define SIMLIVE_H

#include <QtGlobal>

#include <atomic>
#include <memory>

class SimulatedDrive;

// The drive's live variables E000 to E009, which move on their own: the internal speed command
// follows a slow profile (rest, up to 1500 min-1, hold, down, rest, reverse to -1000 min-1,
// hold, down; 20 s a cycle), the motor speed follows it a little behind, the torque command
// follows the acceleration, and the pulse counters count the distance travelled. Every value
// is computed from a steady clock when it is read.
namespace SimLive {

// Registers (one word each unless said): E000 motor speed (min-1), E001 feedback pulses
// (two words), E003 command pulses (two words), E005 position deviation (two words),
// E007 speed command (0.01 V), E008 internal speed command (min-1), E009 torque command (0.01 V).
struct Values
{
    qint16 motorSpeed = 0;
    qint32 feedbackPulses = 0;
    qint32 commandPulses = 0;
    qint32 deviation = 0;
    qint16 speedCommandVolts = 0;
    qint16 speedCommand = 0;
    qint16 torqueCommandVolts = 0;
};

// The variables at `seconds` after the model started.
Values valuesAt(double seconds);

} // namespace SimLive

// The live variables as a part of the drive model; the clock starts at install().
class SimLiveVariables
{
public:
    explicit SimLiveVariables(int family = 0) { Q_UNUSED(family) } // the same registers in both families
    void install(SimulatedDrive &drive, int station = 1);

    // Held, the variables keep whatever was last stored in them (a test that sets them itself).
    void hold(bool held) { *m_held = held; }

private:
    std::shared_ptr<std::atomic<bool>> m_held = std::make_shared<std::atomic<bool>>(false);
};

#endif // SIMLIVE_H
