#ifndef SIMMOTORDATA_H
#define SIMMOTORDATA_H

#include <QList>
#include <QPair>

#include <chrono>
#include <mutex>

class SimulatedDrive;

// The motor and encoder data of a VR drive and the functions of the motor-parameter wizard:
//   0F00..0F21  the motor data of a 750 W motor (packed registers included)
//   2000 <- 1016, 2001 <- 0004   execute the motor data: 2036 reads 0 while busy, then 1
//   2001 <- 0002 (seven times)   encoder initialisation steps after the execute; then 2036 = 3
//   2001 <- 0003                 ends the initialisation
//   2000 <- 1002, 2001 <- 0004   test mode; then each 2001 <- 0002 / 0003 turns the motor
//                                forward / in reverse for a second; 2001 <- 0000 stops it
// Only these function codes are answered here; the command registers serve other functions too.
class SimMotorData
{
public:
    enum class Failure {
        None,
        ExecuteFails,    // the execute ends with status 2
        InitialiseFails, // the initialisation ends with status 4
        NeverDone,       // the drive stays busy (status 0) for ever
    };

    static constexpr int ExecuteMs = 1500;     // busy time of the execute
    static constexpr int InitialiseMs = 1000;  // after the seventh step
    static constexpr int PulseMs = 1000;       // one test-run command turns the motor this long
    static constexpr int TestSpeedRpm = 300;

    // Sets the registers and adds the hooks; the drive keeps the part (SimulatedModel).
    void install(SimulatedDrive &drive, int station = 1);

    // The motor data as installed, register by register from 0F00.
    static QList<quint16> defaultRegisters();

    void setFailure(Failure failure);
    // Test view of the motor: turning now, its direction (1 forward, -1 reverse), the forward
    // and reverse commands taken, and the revolutions turned so far (signed).
    bool isTurning() const;
    int direction() const;
    int forwardCommands() const;
    int reverseCommands() const;
    double revolutions() const;
    int status() const;

private:
    using Clock = std::chrono::steady_clock;

    void onWrite(quint16 addr, quint16 value);
    void onRead(quint16 addr, quint16 count);
    int statusLocked() const;
    bool executedLocked(Clock::time_point now) const;
    double revolutionsLocked(Clock::time_point now) const;
    void stopMotorLocked(Clock::time_point now);

    SimulatedDrive *m_drive = nullptr;
    int m_station = 1;
    mutable std::mutex m_mutex;
    Failure m_failure = Failure::None;
    quint16 m_function = 0;
    bool m_executing = false;
    Clock::time_point m_executeAt;
    int m_initSteps = 0;
    Clock::time_point m_initAt;
    bool m_initialised = false;
    bool m_testMode = false;
    int m_direction = 0;
    Clock::time_point m_pulseStart;
    Clock::time_point m_pulseEnd;
    double m_revolutions = 0; // turned by the pulses that ended
    int m_forward = 0;
    int m_reverse = 0;
};

#endif // SIMMOTORDATA_H
