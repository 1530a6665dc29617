#include "simlive.h"

#include "simulateddrive.h"

#include <chrono>
#include <cmath>

namespace SimLive {

namespace {

constexpr double CycleSeconds = 20.0;
constexpr double PulsesPerRev = 10000.0;
constexpr double FollowLag = 0.03;      // how far the motor runs behind its command (s)
constexpr double RatedVolts = 3.0;      // torque command voltage at 100 % torque
constexpr double VoltsPerRpm = 10.0 / 3000.0;

struct Point
{
    double t;
    double rpm;
};

// The speed command over one cycle, linear between the points.
const Point profile[] = {
    {0.0, 0}, {2.0, 0}, {4.0, 1500}, {9.0, 1500}, {11.0, 0},
    {13.0, 0}, {15.0, -1000}, {18.0, -1000}, {20.0, 0},
};
constexpr int PointCount = int(sizeof(profile) / sizeof(profile[0]));

double wrapped(double t)
{
    const double c = std::fmod(t, CycleSeconds);
    return c < 0 ? c + CycleSeconds : c;
}

double commandRpm(double t)
{
    const double c = wrapped(t);
    for (int i = 1; i < PointCount; ++i) {
        if (c <= profile[i].t) {
            const Point &a = profile[i - 1];
            const Point &b = profile[i];
            return a.rpm + (b.rpm - a.rpm) * (c - a.t) / (b.t - a.t);
        }
    }
    return 0;
}

// Revolutions per second squared of the command at t.
double commandAcceleration(double t)
{
    const double c = wrapped(t);
    for (int i = 1; i < PointCount; ++i) {
        if (c <= profile[i].t)
            return (profile[i].rpm - profile[i - 1].rpm) / 60.0 / (profile[i].t - profile[i - 1].t);
    }
    return 0;
}

// Revolutions from the start of a cycle to c seconds into it (exact for the linear pieces).
double revolutionsInCycle(double c)
{
    double revs = 0;
    for (int i = 1; i < PointCount; ++i) {
        const Point &a = profile[i - 1];
        const Point &b = profile[i];
        const double end = std::min(c, b.t);
        if (end <= a.t)
            break;
        const double endRpm = a.rpm + (b.rpm - a.rpm) * (end - a.t) / (b.t - a.t);
        revs += (a.rpm + endRpm) / 2.0 / 60.0 * (end - a.t);
    }
    return revs;
}

double commandRevolutions(double t)
{
    if (t <= 0)
        return 0;
    const double cycles = std::floor(t / CycleSeconds);
    return cycles * revolutionsInCycle(CycleSeconds) + revolutionsInCycle(t - cycles * CycleSeconds);
}

// Counters wrap as the drive's 32-bit registers do.
qint32 counter(double pulses)
{
    return qint32(quint32(qint64(std::llround(pulses))));
}

} // namespace

Values valuesAt(double t)
{
    Values v;
    const double ripple = std::sin(2 * M_PI * 7.0 * t);
    const double motorRpm = t > FollowLag ? commandRpm(t - FollowLag) : 0;
    v.speedCommand = qint16(std::lround(commandRpm(t)));
    v.motorSpeed = qint16(std::lround(motorRpm + (motorRpm != 0 ? 2.0 * ripple : 0)));
    v.speedCommandVolts = qint16(std::lround(commandRpm(t) * VoltsPerRpm * 100));

    // Torque: what the acceleration takes, plus friction against the motion.
    const double accelPercent = 40.0 * commandAcceleration(t - FollowLag) / (1500.0 / 60.0 / 2.0);
    const double frictionPercent = motorRpm > 1 ? 8.0 : (motorRpm < -1 ? -8.0 : 0.0);
    const double torquePercent = accelPercent + frictionPercent + (motorRpm != 0 ? 1.5 * ripple : 0);
    v.torqueCommandVolts = qint16(std::lround(torquePercent / 100.0 * RatedVolts * 100));

    const double commandPulses = commandRevolutions(t) * PulsesPerRev;
    const double feedbackPulses = commandRevolutions(t - FollowLag) * PulsesPerRev;
    v.commandPulses = counter(commandPulses);
    v.feedbackPulses = counter(feedbackPulses);
    v.deviation = qint32(std::llround(commandPulses - feedbackPulses));
    return v;
}

} // namespace SimLive

void SimLiveVariables::install(SimulatedDrive &drive, int station)
{
    using namespace SimLive;
    const auto started = std::chrono::steady_clock::now();
    SimulatedDrive *d = &drive;
    const std::shared_ptr<std::atomic<bool>> held = m_held;
    drive.addReadHook([d, station, started, held](int asked, quint16 addr, quint16 count) {
        if (*held || asked != station || addr > 0xE009 || int(addr) + count <= 0xE000)
            return;
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const Values v = valuesAt(t);
        d->setRegister(0xE000, quint16(v.motorSpeed), station);
        d->setRegister32(0xE001, quint32(v.feedbackPulses), station);
        d->setRegister32(0xE003, quint32(v.commandPulses), station);
        d->setRegister32(0xE005, quint32(v.deviation), station);
        d->setRegister(0xE007, quint16(v.speedCommandVolts), station);
        d->setRegister(0xE008, quint16(v.speedCommand), station);
        d->setRegister(0xE009, quint16(v.torqueCommandVolts), station);
    });
}
