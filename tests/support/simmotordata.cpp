#include "simmotordata.h"

#include "simulateddrive.h"

namespace {

constexpr quint16 FirstRegister = 0x0F00;
constexpr quint16 FunctionSelect = 0x2000;
constexpr quint16 SubCommand = 0x2001;
constexpr quint16 StatusRegister = 0x2036;
constexpr quint16 Execute = 0x1016;
constexpr quint16 TestRun = 0x1002;

bool covers(quint16 addr, quint16 count, quint16 reg)
{
    return reg >= addr && reg < addr + count;
}

} // namespace

QList<quint16> SimMotorData::defaultRegisters()
{
    return {
        0x2103, // 0F00: input voltage 2, encoder type 1, motor type 3
        0x2516, // 0F01: HXQ drive model 2, encoder 5, motor 22
        750,    // 0F02: motor capacity 750 W
        0,      // 0F03
        65535,  // 0F04: multi-turn limit
        0x3C1E, // 0F05: rated 3000, maximum 6000 min-1
        0x780A, // 0F06: 10 poles, overspeed level 120 %
        239,    // 0F07: rated torque 2.39 Nm
        300,    // 0F08: maximum torque 300 %
        68,     // 0F09: rated peak current 6.8 A
        204,    // 0F0A: instantaneous peak current 20.4 A
        335,    // 0F0B: EMF constant 33.5 mV/min-1
        105,    // 0F0C: rotor inertia
        780,    // 0F0D: winding resistance 0.780 Ω
        320,    // 0F0E: armature inductance 3.20 mH
        100,    // 0F0F: base current for overload detection 100 %
        200,    // 0F10
        120,    // 0F11
        300,    // 0F12
        5,      // 0F13
        0,      // 0F14
        0,      // 0F15
        350,    // 0F16: Lq0 3.50 mH
        330,    // 0F17: Lq1 3.30 mH
        0x0000, // 0F18
        0x0000, // 0F19
        0, 0, 0, 0, 0, // 0F1A..0F1E
        0x1C40, // 0F1F: phase low 16 bits
        0x0001, // 0F20: phase high 16 bits
        0,      // 0F21
    };
}

void SimMotorData::install(SimulatedDrive &drive, int station)
{
    m_drive = &drive;
    m_station = station;
    const QList<quint16> registers = defaultRegisters();
    for (int i = 0; i < registers.size(); ++i)
        drive.setRegister(quint16(FirstRegister + i), registers.at(i), station);
    drive.addWriteHook([this](int s, quint16 addr, quint16 value) {
        if (s == m_station)
            onWrite(addr, value);
    });
    drive.addReadHook([this](int s, quint16 addr, quint16 count) {
        if (s == m_station)
            onRead(addr, count);
    });
}

void SimMotorData::setFailure(Failure failure)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failure = failure;
}

void SimMotorData::onWrite(quint16 addr, quint16 value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const Clock::time_point now = Clock::now();
    if (addr == FunctionSelect) {
        if (m_function == TestRun && value != TestRun)
            stopMotorLocked(now);
        m_function = value;
        if (value == Execute || value == TestRun) {
            // A new function forgets the result of the last one.
            m_executing = false;
            m_initSteps = 0;
            m_testMode = false;
            m_drive->setRegister(StatusRegister, 0, m_station);
        }
        return;
    }
    if (addr != SubCommand)
        return;
    if (m_function == Execute) {
        if (value == 0x0004) {
            m_executing = true;
            m_initSteps = 0;
            m_initialised = false;
            m_executeAt = now;
        } else if (value == 0x0002 && executedLocked(now) && m_initSteps < 7) {
            if (++m_initSteps == 7)
                m_initAt = now;
        } else if (value == 0x0003 && m_initSteps == 7) {
            m_initialised = true;
        } else if (value == 0x0000) {
            m_executing = false; // stopped
            m_initSteps = 0;
        }
    } else if (m_function == TestRun) {
        if (value == 0x0004) {
            m_testMode = true;
        } else if ((value == 0x0002 || value == 0x0003) && m_testMode) {
            const int direction = value == 0x0002 ? 1 : -1;
            // A command in the same direction keeps the motor turning; the other one turns it round.
            if (m_direction != 0 && now < m_pulseEnd && m_direction == direction) {
                m_pulseEnd = now + std::chrono::milliseconds(PulseMs);
            } else {
                stopMotorLocked(now);
                m_direction = direction;
                m_pulseStart = now;
                m_pulseEnd = now + std::chrono::milliseconds(PulseMs);
            }
            (direction > 0 ? m_forward : m_reverse) += 1;
        } else if (value == 0x0000) {
            stopMotorLocked(now);
            m_testMode = false;
        }
    }
}

void SimMotorData::onRead(quint16 addr, quint16 count)
{
    if (!covers(addr, count, StatusRegister))
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_function != Execute)
        return; // another function's result
    const int status = statusLocked();
    if (status >= 0)
        m_drive->setRegister(StatusRegister, quint16(status), m_station);
}

// The status of the execute and initialisation, or -1 when this function has none to give.
int SimMotorData::statusLocked() const
{
    const Clock::time_point now = Clock::now();
    if (!m_executing)
        return -1;
    if (m_failure == Failure::NeverDone)
        return 0;
    if (now < m_executeAt + std::chrono::milliseconds(ExecuteMs))
        return 0;
    if (m_failure == Failure::ExecuteFails)
        return 2;
    if (m_initSteps < 7)
        return 1;
    if (now < m_initAt + std::chrono::milliseconds(InitialiseMs))
        return 0;
    return m_failure == Failure::InitialiseFails ? 4 : 3;
}

bool SimMotorData::executedLocked(Clock::time_point now) const
{
    return m_executing && m_failure != Failure::NeverDone && m_failure != Failure::ExecuteFails
        && now >= m_executeAt + std::chrono::milliseconds(ExecuteMs);
}

double SimMotorData::revolutionsLocked(Clock::time_point now) const
{
    double turned = m_revolutions;
    if (m_direction != 0) {
        const Clock::time_point end = now < m_pulseEnd ? now : m_pulseEnd;
        const double seconds = std::chrono::duration<double>(end - m_pulseStart).count();
        turned += m_direction * seconds * TestSpeedRpm / 60.0;
    }
    return turned;
}

void SimMotorData::stopMotorLocked(Clock::time_point now)
{
    if (m_direction != 0 && now < m_pulseEnd)
        m_pulseEnd = now;
    m_revolutions = revolutionsLocked(now);
    m_direction = 0;
}

bool SimMotorData::isTurning() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_direction != 0 && Clock::now() < m_pulseEnd;
}

int SimMotorData::direction() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_direction != 0 && Clock::now() < m_pulseEnd ? m_direction : 0;
}

int SimMotorData::forwardCommands() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_forward;
}

int SimMotorData::reverseCommands() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_reverse;
}

double SimMotorData::revolutions() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return revolutionsLocked(Clock::now());
}

int SimMotorData::status() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return statusLocked();
}
