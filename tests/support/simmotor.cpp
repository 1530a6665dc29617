#include "simmotor.h"

#include "simulateddrive.h"

#include <cmath>
#include <map>

namespace {

constexpr quint16 FunctionSelect = 0x2000;
constexpr quint16 SubCommand = 0x2001;
constexpr quint16 ProgramStatus = 0x2031;
constexpr quint16 JogSpeed = 0x0304;

constexpr quint16 Jog = 0x1002;
constexpr quint16 Program = 0x100A;
constexpr quint16 Homing = 0x100B;

constexpr double PulsesPerRev = 131072.0;  // 17-bit encoder
constexpr double CommandUnitsPerRev = 10000.0;
constexpr int PolePairs = 5;
constexpr double HomingRpm = 60.0;
constexpr double StepSeconds = 0.005;      // integration step
constexpr quint32 RunningTimeBase = 1873412; // [100 ms], about 52 hours before this start

double seconds(SimMotor::Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

bool isMonitorRead(quint16 addr, quint16 count)
{
    const int first = addr;
    const int last = addr + qMax<int>(count, 1) - 1;
    return (last >= 0xE000 && first <= 0xE162) || (first <= ProgramStatus && last >= ProgramStatus);
}

} // namespace

SimMotor::SimMotor(int family)
    : family(family)
{
    started = lastUpdate = Clock::now();
}

void SimMotor::install(SimulatedDrive &target, int at)
{
    if (family != 0)
        return;
    drive = &target;
    station = at;
    const auto set = [this](quint16 addr, quint16 value) { drive->setRegister(addr, value, station); };
    const auto setIfUnset = [this](quint16 addr, quint16 value) {
        if (drive->registerValue(addr, station) == 0)
            drive->setRegister(addr, value, station);
    };

    // Identity and ratings: a 750 W drive of the 220 V class with its motor (the model word
    // C000 is the drive state's).
    setIfUnset(0xC000, 0x0010); // rotary
    set(0xC004, 0x0103); // MCU1 V1.03
    set(0xC005, 0x0110); // MCU2 V1.10
    set(0xC006, 0x0205); // FPGA V2.05
    set(0xC009, 750);    // drive power [W]
    set(0xC00B, 0);      // AC 220 V
    set(0xC00F, 750);    // motor power [W]
    set(0xC011, 0);      // AC 220 V
    set(0xC023, 0x0002); // 131072 pulses per turn
    set(0xE050, 3000);   // rated speed
    set(0xE051, 6000);   // maximum speed (as the motor data says)
    set(0xE150, 2);      // 750 W chassis
    set(0xE156, 300);    // overload [%]
    set(0xE157, 239);    // rated torque 2.39 Nm
    set(0xE158, 47);     // rated current 4.7 A
    set(0xE159, 141);    // maximum current 14.1 A

    // State variables at rest.
    set(0xE011, 0x0003); // both safety inputs on
    set(0xE012, 0x0011); // servo on, limit input
    set(0xE013, 0x0001); // ready
    set(0xE015, 311);
    set(0xE030, 1);      // first gain
    drive->setRegister32(0xE018, 1429290, station);
    drive->setRegister32(0xE160, 121273, station);
    setIfUnset(0xE162, 142);
    drive->setRegister32(0xE024, RunningTimeBase, station);

    // The jog speed and the program a drive leaves the factory with, unless set already.
    setIfUnset(JogSpeed, 500);
    setIfUnset(0x05A1, 50000);
    setIfUnset(0x05A3, 300);
    setIfUnset(0x05A4, 100);
    setIfUnset(0x05A5, 500);
    setIfUnset(0x05A6, 3);

    const std::shared_ptr<SimMotor> self = shared_from_this();
    drive->addWriteHook([self](int s, quint16 addr, quint16 value) {
        if (s == self->station)
            self->onWrite(addr, value);
    });
    drive->addReadHook([self](int s, quint16 addr, quint16 count) {
        if (s == self->station)
            self->onRead(addr, count);
    });
    std::lock_guard<std::mutex> lock(mutex);
    publish();
}

double SimMotor::speedRpm()
{
    std::lock_guard<std::mutex> lock(mutex);
    advance(Clock::now());
    return speed;
}

bool SimMotor::atRest()
{
    std::lock_guard<std::mutex> lock(mutex);
    const auto now = Clock::now();
    advance(now);
    return speed == 0 && targetAt(now) == 0;
}

quint16 SimMotor::function()
{
    std::lock_guard<std::mutex> lock(mutex);
    return selected;
}

int SimMotor::programStatus()
{
    std::lock_guard<std::mutex> lock(mutex);
    advance(Clock::now());
    return status;
}

void SimMotor::failProgram()
{
    std::lock_guard<std::mutex> lock(mutex);
    advance(Clock::now());
    status = 3;
}

double SimMotor::targetAt(Clock::time_point t)
{
    if (selected == Program && status == 1) {
        const double elapsed = seconds(t - programStart);
        const double cycle = programMoveS + programWaitS;
        const int move = cycle > 0 ? static_cast<int>(elapsed / cycle) : programMoves;
        if (move >= programMoves) {
            status = 2;
            return 0;
        }
        return elapsed - move * cycle < programMoveS ? direction * programRpm : 0;
    }
    if ((selected == Jog || selected == Homing) && t < stepUntil)
        return jogTarget;
    return 0;
}

void SimMotor::advance(Clock::time_point now)
{
    while (lastUpdate < now) {
        const auto step = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(StepSeconds));
        const auto next = std::min(now, lastUpdate + step);
        const double dt = seconds(next - lastUpdate);
        const double target = targetAt(next);
        const double before = speed;
        if (speed < target)
            speed = std::min(target, speed + accel * dt);
        else if (speed > target)
            speed = std::max(target, speed - accel * dt);
        revolutions += (owning() ? (before + speed) / 2.0 : external) / 60.0 * dt;
        lastTarget = target;
        lastUpdate = next;
        // Homing ends on the encoder's zero mark.
        if (selected == Homing && !homed && speed != 0
            && std::floor(revolutions) != std::floor(revolutions - (before + speed) / 2.0 / 60.0 * dt)) {
            homed = true;
            jogTarget = 0;
        }
    }
}

quint32 SimMotor::register32(quint16 addr) const
{
    return drive->registerValue(addr, station) | (quint32(drive->registerValue(quint16(addr + 1), station)) << 16);
}

void SimMotor::publish()
{
    const auto set = [this](quint16 addr, quint16 value) { drive->setRegister(addr, value, station); };
    const auto set32 = [this](quint16 addr, quint32 value) { drive->setRegister32(addr, value, station); };
    const double delta = revolutions - publishedRevs;
    const qint64 pulses = std::llround(delta * PulsesPerRev);
    const qint64 units = std::llround(delta * CommandUnitsPerRev);
    // Only whole pulses move into the counters; the rest waits for the next read.
    publishedRevs += pulses / PulsesPerRev;

    const bool own = owning();
    const double shown = own ? speed : external;
    const double elapsed = seconds(lastUpdate - started);
    const bool moving = std::fabs(shown) > 0.5;
    const double accelerating = !own ? 0 : (lastTarget > speed ? 1 : (lastTarget < speed ? -1 : 0));
    const int ripple = int(std::lround(std::sin(elapsed * 7.3) * 1.5));
    const double deviation = shown * 2.2 + (moving ? ripple : 0);

    // While the tool moves the motor, its speed and feedback are the tool's motion; otherwise
    // they are the live variables' (the external command).
    if (own) {
        if (!wasOwning)
            ownFeedback = register32(0xE001);
        ownFeedback += quint32(pulses);
        set(0xE000, quint16(qint16(std::lround(speed) + (moving ? ripple : 0))));
        set32(0xE001, ownFeedback);
        set32(0xE005, quint32(qint32(std::lround(deviation))));
        set(0xE008, quint16(qint16(std::lround(speed))));
    }
    wasOwning = own;

    set32(0xE018, register32(0xE018) + quint32(units));
    qint64 single = qint64(register32(0xE160) % quint32(PulsesPerRev)) + pulses;
    qint64 turns = 0;
    while (single < 0) {
        single += qint64(PulsesPerRev);
        --turns;
    }
    turns += single / qint64(PulsesPerRev);
    single %= qint64(PulsesPerRev);
    set32(0xE160, quint32(single));
    set(0xE162, quint16(drive->registerValue(0xE162, station) + turns));

    const double torque = accelerating * 38 + (moving ? (shown > 0 ? 6 : -6) : 0) + (moving ? ripple : 0);
    set(0xE00A, quint16(qint16(std::lround(torque))));
    set(0xE00B, quint16(9 + (moving ? 4 : 0)));
    set(0xE00C, quint16(accelerating < 0 && moving ? 2 : 0));
    set(0xE013, quint16(0x0001 | (std::fabs(shown) > 20 ? 0x0002 : 0) | (moving && accelerating == 0 ? 0x0004 : 0)));
    set(0xE015, quint16(311 + int(std::lround(std::sin(elapsed * 2.1) * 2))));
    set32(0xE01A, quint32(qint32(std::lround(deviation * CommandUnitsPerRev / PulsesPerRev))));
    const double electrical = std::fmod(revolutions * PolePairs, 1.0);
    const double fraction = electrical < 0 ? electrical + 1 : electrical;
    set32(0xE020, quint32(std::lround(fraction * PulsesPerRev)) % quint32(PulsesPerRev));
    set(0xE022, quint16(int(fraction * 360) % 360));
    set32(0xE024, RunningTimeBase + quint32(elapsed * 10));
    set(ProgramStatus, quint16(status));
}

void SimMotor::onRead(quint16 addr, quint16 count)
{
    if (held || !isMonitorRead(addr, count))
        return;
    std::lock_guard<std::mutex> lock(mutex);
    // The live variables have just been worked out for this read (their part comes first).
    external = qint16(drive->registerValue(0xE000, station));
    advance(Clock::now());
    publish();
}

void SimMotor::onWrite(quint16 addr, quint16 value)
{
    if (addr != FunctionSelect && addr != SubCommand)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    const auto now = Clock::now();
    advance(now);
    if (addr == FunctionSelect) {
        // Any change of function ends what the motor was doing; only the three motion
        // functions let it move again.
        selected = (value == Jog || value == Program || value == Homing) ? value : 0;
        jogTarget = 0;
        stepUntil = now;
        status = 0;
        homed = false;
        return;
    }
    if (selected == 0)
        return;
    switch (value) {
    case 0x0004: // ready after a change of function
        status = 0;
        homed = false;
        break;
    case 0x0002:
    case 0x0003: {
        direction = value == 0x0002 ? 1 : -1;
        if (selected == Program) {
            if (status == 1)
                break; // a running program takes the repeated start as a sign of life
            const auto reg = [&](quint16 a) { return drive->registerValue(a, station); };
            const quint32 distance = reg(0x05A1) | (quint32(reg(0x05A2)) << 16);
            programRpm = qBound(1, int(qint16(reg(0x05A3))), 6000);
            const double accelS = qBound(2, int(reg(0x05A4)), 10000) / 1000.0;
            accel = programRpm / accelS;
            programMoveS = qMax(0.05, distance / CommandUnitsPerRev / (programRpm / 60.0)) + accelS;
            programWaitS = reg(0x05A5) / 1000.0;
            programMoves = qMax(1, int(reg(0x05A6)));
            programStart = now;
            status = 1;
            break;
        }
        accel = 2000;
        if (selected == Homing && homed)
            break;
        const double rpm = selected == Homing ? HomingRpm : qBound(0, int(qint16(drive->registerValue(JogSpeed, station))), 6000);
        jogTarget = direction * rpm;
        stepUntil = now + std::chrono::milliseconds(StepHoldMs);
        break;
    }
    case 0x0000: // stop
        jogTarget = 0;
        stepUntil = now;
        if (status == 1)
            status = 0;
        break;
    default:
        break;
    }
}
