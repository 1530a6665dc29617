#ifndef SIMMOTOR_H
#define SIMMOTOR_H

#include <QtGlobal>

#include <chrono>
#include <memory>
#include <atomic>
#include <mutex>

class SimulatedDrive;

// The motor of a simulated VR-family drive as the jog control moves it, and the registers
// that show it: the monitor's state variables beyond the live ones (loads, I/O bits, voltage,
// counters, angles, running time, encoder values) and the drive-information registers
// (versions, ratings).
//
// Left alone, the drive follows its external command (the live variables E000 to E009). Once
// the jog control selects one of its functions (function select 2000: "1002" JOG, "100A"
// program run, "100B" homing; sub-command 2001: "0004" ready, "0002"/"0003" forward/reverse,
// "0000" stop), the motor is the tool's: each step keeps it running for a short while, so it
// rests again when the steps stop coming, and every stop or change of function ramps it down
// to rest. Values that move are worked out from a steady clock whenever they are read;
// counters are counted on from what the registers hold, so another part of the drive that
// clears one sees it count on from zero.
class SimMotor : public std::enable_shared_from_this<SimMotor>
{
public:
    using Clock = std::chrono::steady_clock;

    explicit SimMotor(int family);
    // Sets the registers and adds the hooks (the VR family only: the HXQ family's registers
    // from 2000 on are its sampler buffer).
    void install(SimulatedDrive &drive, int station = 1);

    double speedRpm();        // the tool's motion, now
    bool atRest();            // the tool's motion has ended and nothing asks for more
    quint16 function();       // the last function selected (0 for none of the jog control's)
    int programStatus();      // 0 idle, 1 running, 2 finished, 3 execution fault

    // Named failure: the running program ends with an execution fault (status 3) and the
    // motor ramps down.
    void failProgram();

    // Held, the monitor variables keep what they hold (a test that compares two reads of them).
    void hold(bool held) { this->held = held; }

    // How long one forward or reverse step keeps the motor running.
    static constexpr int StepHoldMs = 700;

private:
    void onWrite(quint16 addr, quint16 value);
    void onRead(quint16 addr, quint16 count);
    void advance(Clock::time_point now);        // integrates up to now (lock held)
    double targetAt(Clock::time_point t);       // the speed asked for at t (lock held)
    void publish();                             // writes the moving registers (lock held)
    bool owning() const { return selected != 0 || speed != 0; }
    quint32 register32(quint16 addr) const;

    const int family;
    std::atomic<bool> held{false};
    SimulatedDrive *drive = nullptr;
    int station = 1;
    std::mutex mutex;

    quint16 selected = 0;      // 2000, when it is one of the jog control's functions
    int direction = 0;         // +1 / -1 of the last step
    double jogTarget = 0;      // rpm asked by the steps, until stepUntil
    Clock::time_point stepUntil;
    bool homed = false;

    // program run
    int status = 0;
    Clock::time_point programStart;
    double programRpm = 0, programMoveS = 0, programWaitS = 0;
    int programMoves = 0;

    // kinematics
    Clock::time_point started, lastUpdate;
    double speed = 0;          // the tool's motion, rpm
    double external = 0;       // the speed the external command gives, as last read
    double accel = 2000;       // rpm per second
    double revolutions = 0;    // since start
    double publishedRevs = 0;  // what the counters already hold
    double lastTarget = 0;
    bool wasOwning = false;
    quint32 ownFeedback = 0;   // E001 while the tool moves the motor
};

#endif // SIMMOTOR_H
