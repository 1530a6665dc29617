#include "simauxiliary.h"

#include "drivestate.h"
#include "simulateddrive.h"

#include <chrono>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

const quint16 kFunctionSelect = 0x2000;
const quint16 kSubCommand = 0x2001;
const quint16 kUnlock = 0x2003;
const quint16 kResult = 0x2036;
const quint16 kUnlockWord = 0x9C47;

const quint16 kFeedbackPulses = 0xE001; // 32 bits, low word first
const quint16 kCommandPulses = 0xE003;
const quint16 kSpeedVoltage = 0xE007;
const quint16 kTorqueVoltage = 0xE009;
const quint16 kSpeedOffsetShown = 0xE30B;
const quint16 kTorqueOffsetShown = 0xE30C;
const quint16 kSpeedOffset = 0x0E53;    // and 0E54, the high word
const quint16 kTorqueOffset = 0x0E56;
const quint16 kCurrentAlarm = 0xE30A;
const quint16 kAlarmCodes = 0xE300;
const quint16 kAlarmTimes = 0xE32A;
const quint16 kEncoderTurns = 0xE162;

const int kOffsetScale = 16;
const int kEncoderResetMs = 2000;

// The ten alarms of the history, the latest first: code word and power-on time in 0.1 s.
const struct { quint16 code; quint32 time; } kHistory[10] = {
    { 0x0190, 4823517 },  // E.190 undervoltage: mains switched off under load
    { 0x0A30, 4809262 },  // E.A30 position deviation too large
    { 0x0100, 3920415 },  // E.100 overcurrent
    { 0x055A, 3356021 },  // E.55A encoder battery alarm
    { 0x0190, 2768830 },  // E.190
    { 0x0320, 1904476 },  // E.320 regenerative overload
    { 0x0A10, 1021938 },  // E.A10 overspeed
    { 0x0502, 615207 },   // E.502 encoder communication errors
    { 0x0130, 98364 },    // E.130 motor overload (continuous)
    { 0x0180, 2741 },     // E.180 overvoltage at the first power-on
};

qint16 saturate16(qint64 v)
{
    return qint16(qBound<qint64>(-32768, v, 32767));
}

} // namespace

struct SimAuxiliary::State
{
    SimulatedDrive *drive = nullptr;
    int station = 1;
    mutable std::mutex mutex;

    quint16 selected = 0;
    bool encoderArmed = false;
    bool encoderRunning = false;
    Clock::time_point encoderStart;
    int resultReads = 0;
    int encoderStarts = 0;
    QList<quint16> encoderResults;
    bool unlocked = false;

    // The offsets the drive keeps (16 times the shown unit).
    qint32 speedOffset = 0;
    qint16 torqueOffset = 0;

    // A value this part serves on top of what the live part put into the register: the base
    // (what was there), what was served, and whether anything was served yet. A register that
    // still holds what was served was not refreshed (the live part is held) and keeps its base.
    struct Served
    {
        qint64 base = 0;
        qint64 served = 0;
        bool active = false;
        bool zeroPending = false; // take the next fresh value as the zero (teaching, auto-adjust)
        qint64 zero = 0;
    };
    Served feedback, command, speedVolts, torqueVolts;

    quint16 reg(quint16 addr) const { return drive->registerValue(addr, station); }
    void set(quint16 addr, quint16 value) { drive->setRegister(addr, value, station); }
    void set32(quint16 addr, quint32 value) { drive->setRegister32(addr, value, station); }

    void showOffsets()
    {
        set32(kSpeedOffset, quint32(speedOffset));
        set(kTorqueOffset, quint16(torqueOffset));
        set(kSpeedOffsetShown, quint16(saturate16(speedOffset)));
        set(kTorqueOffsetShown, quint16(torqueOffset));
    }

    void subCommand(quint16 value)
    {
        switch (selected) {
        case 0x1001:
            if (value == 4) {
                feedback.zeroPending = feedback.active = true;
                command.zeroPending = command.active = true;
            }
            break;
        case 0x2001:
            if (value == 1) {
                if (DriveState *state = drive->part<DriveState>(station))
                    state->setAlarm(0);
                else
                    set(kCurrentAlarm, 0);
            }
            break;
        case 0x1004:
            if (value == 1) {
                for (int k = 0; k < 10; ++k) {
                    set(quint16(kAlarmCodes + k), 0);
                    set32(quint16(kAlarmTimes + 2 * k), 0);
                }
            }
            break;
        case 0x1006:
            if (value == 1) {
                speedVolts.zeroPending = speedVolts.active = true;
                torqueVolts.zeroPending = torqueVolts.active = true;
            }
            break;
        case 0x1007:
            if (value == 2 || value == 3) {
                speedOffset += value == 2 ? kOffsetScale : -kOffsetScale;
                speedVolts.active = true;
                showOffsets();
            }
            break;
        case 0x1008:
            if (value == 2 || value == 3) {
                torqueOffset = saturate16(qint64(torqueOffset) + (value == 2 ? kOffsetScale : -kOffsetScale));
                torqueVolts.active = true;
                showOffsets();
            }
            break;
        case 0x1011:
            if (value == 2) {
                encoderArmed = true;
            } else if (value == 1) {
                // Started without being armed first, the drive refuses the reset.
                encoderRunning = encoderArmed;
                encoderArmed = false;
                encoderStart = Clock::now();
                resultReads = 0;
                ++encoderStarts;
                set(kResult, encoderRunning ? 0 : 2);
            }
            break;
        default:
            break;
        }
    }

    void written(quint16 addr, quint16 value)
    {
        if (addr == kFunctionSelect) {
            selected = value;
            encoderArmed = false;
        } else if (addr == kSubCommand) {
            subCommand(value);
        } else if (addr == kUnlock) {
            unlocked = value == kUnlockWord;
        } else if (addr == kSpeedOffset || addr == kSpeedOffset + 1 || addr == kTorqueOffset) {
            if (unlocked) {
                speedOffset = qint32((quint32(reg(kSpeedOffset + 1)) << 16) | reg(kSpeedOffset));
                torqueOffset = qint16(reg(kTorqueOffset));
                speedVolts.active = torqueVolts.active = true;
            }
            // The low word of the speed offset keeps the unlock for its high word.
            if (addr != kSpeedOffset)
                unlocked = false;
            showOffsets();
        }
    }

    qint64 value(quint16 addr, bool wide) const
    {
        return wide ? qint64(qint32((quint32(reg(quint16(addr + 1))) << 16) | reg(addr))) : qint64(qint16(reg(addr)));
    }

    // Serves base + add (pulse counters: base - zero) in a register the live part fills.
    void serve(Served &s, quint16 addr, bool wide, qint64 add)
    {
        if (!s.active)
            return;
        const qint64 current = value(addr, wide);
        if (current != s.served || s.zeroPending)
            s.base = current;
        if (s.zeroPending) {
            s.zero = s.base;
            s.zeroPending = false;
        }
        s.served = s.base - s.zero + add;
        if (wide) {
            s.served = qint32(s.served);
            set32(addr, quint32(s.served));
        } else {
            s.served = saturate16(s.served);
            set(addr, quint16(s.served));
        }
    }

    void read(quint16 addr, quint16 count)
    {
        const auto covers = [&](quint16 r) { return r >= addr && r < quint32(addr) + count; };
        if (covers(kFeedbackPulses))
            serve(feedback, kFeedbackPulses, true, 0);
        if (covers(kCommandPulses))
            serve(command, kCommandPulses, true, 0);
        // Auto-adjust: the voltage read right after it is the input's offset; from then on it
        // reads as zero, and the stored offset says so.
        if (covers(kSpeedVoltage)) {
            if (speedVolts.zeroPending) {
                speedOffset = qint32(-value(kSpeedVoltage, false) * kOffsetScale);
                speedVolts.zeroPending = false;
                speedVolts.base = value(kSpeedVoltage, false);
                speedVolts.served = qint64(1) << 40; // the base just taken is fresh
                showOffsets();
            }
            serve(speedVolts, kSpeedVoltage, false, saturate16(speedOffset) / kOffsetScale);
        }
        if (covers(kTorqueVoltage)) {
            if (torqueVolts.zeroPending) {
                torqueOffset = saturate16(-value(kTorqueVoltage, false) * kOffsetScale);
                torqueVolts.zeroPending = false;
                torqueVolts.served = qint64(1) << 40;
                showOffsets();
            }
            serve(torqueVolts, kTorqueVoltage, false, torqueOffset / kOffsetScale);
        }
        if (covers(kResult) && encoderRunning) {
            quint16 result = 0;
            if (!encoderResults.isEmpty()) {
                result = encoderResults.value(resultReads, encoderResults.last());
            } else {
                const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - encoderStart);
                result = elapsed.count() >= kEncoderResetMs ? 1 : 0;
            }
            ++resultReads;
            if (result != 0) {
                encoderRunning = false;
                if (result == 1)
                    set(kEncoderTurns, 0);
            }
            set(kResult, result);
        }
    }
};

SimAuxiliary::SimAuxiliary(int family)
    : m_family(family)
    , m_state(std::make_shared<State>())
{
}

void SimAuxiliary::install(SimulatedDrive &drive, int station)
{
    if (m_family != 0)
        return;
    const std::shared_ptr<State> state = m_state;
    state->drive = &drive;
    state->station = station;

    for (int k = 0; k < 10; ++k) {
        state->set(quint16(kAlarmCodes + k), kHistory[k].code);
        state->set32(quint16(kAlarmTimes + 2 * k), kHistory[k].time);
    }
    state->set(kEncoderTurns, 137);
    state->showOffsets();
    // The gain parameters at their factory values (rigidity level 4), unless the parameter
    // part of the model has put them there already.
    const quint16 gains[4][2] = { { 0x0100, 400 }, { 0x0101, 2000 }, { 0x0102, 400 }, { 0x0401, 100 } };
    for (const auto &gain : gains) {
        if (state->reg(gain[0]) == 0)
            state->set(gain[0], gain[1]);
    }

    drive.addWriteHook([state](int s, quint16 addr, quint16 value) {
        if (s != state->station)
            return;
        std::lock_guard<std::mutex> lock(state->mutex);
        state->written(addr, value);
    });
    drive.addReadHook([state](int s, quint16 addr, quint16 count) {
        if (s != state->station)
            return;
        std::lock_guard<std::mutex> lock(state->mutex);
        state->read(addr, count);
    });
}

void SimAuxiliary::recordAlarm(quint16 code)
{
    State &state = *m_state;
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.drive) // an HXQ drive keeps no history here
        return;
    const quint32 latest = state.reg(kAlarmTimes) | (quint32(state.reg(kAlarmTimes + 1)) << 16);
    for (int k = 9; k > 0; --k) {
        state.set(quint16(kAlarmCodes + k), state.reg(quint16(kAlarmCodes + k - 1)));
        state.set(quint16(kAlarmTimes + 2 * k), state.reg(quint16(kAlarmTimes + 2 * k - 2)));
        state.set(quint16(kAlarmTimes + 2 * k + 1), state.reg(quint16(kAlarmTimes + 2 * k - 1)));
    }
    state.set(kAlarmCodes, code);
    state.set32(kAlarmTimes, latest + 36000); // an hour of power-on time after the latest
}

void SimAuxiliary::setEncoderResetResults(const QList<quint16> &results)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->encoderResults = results;
}

int SimAuxiliary::encoderResetStarts() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->encoderStarts;
}
