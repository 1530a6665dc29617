#include "simsampler.h"

#include "simulateddrive.h"

#include <QVector>

#include <chrono>
#include <cmath>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kPi = 3.14159265358979323846;
constexpr double kZeta = 0.5;
constexpr double kOmegaN = 2 * kPi * 20;
constexpr double kCountsPerRev = 131072;

// VR registers
constexpr quint16 kFunctionSelect = 0x2000;
constexpr quint16 kSubCommand = 0x2001;
constexpr quint16 kSamplerFunction = 0x2000;
constexpr quint16 kWidth = 0x2101;
constexpr quint16 kInterval = 0x2103;
constexpr quint16 kChannels = 0x2110;
constexpr quint16 kPretrigger = 0x2200;
constexpr quint16 kTrigger1 = 0x2201;
constexpr quint16 kTriggerPosition = 0x2204;
constexpr quint16 kStatus = 0x2205;
constexpr quint16 kTrigger2 = 0x2009;
constexpr quint16 kBuffer = 0x4000;
constexpr int kBufferWords = 4096;
constexpr int kRingWords = 1024;

// HXQ registers
constexpr quint16 kHxqStart = 0x1000;
constexpr quint16 kHxqChannel1 = 0x1003;
constexpr quint16 kHxqChannel2 = 0x1004;
constexpr quint16 kHxqInterval = 0x1008;
constexpr quint16 kHxqStatus = 0x0730;
constexpr quint16 kHxqBuffer = 0x2000;
constexpr int kHxqBufferWords = 2048;
constexpr quint16 kHxqOtherStatusBits = 0x0011;

constexpr int kBlockWords = 29;

bool covers(quint16 addr, quint16 count, quint16 reg)
{
    return reg >= addr && reg < int(addr) + int(count);
}

} // namespace

struct SimSampler::State {
    SimulatedDrive *drive = nullptr;
    int family = 0;
    int station = 1;

    std::mutex mutex;
    Fault fault = Fault::None;
    quint16 functionSelect = 0;
    bool running = false;
    bool filled = false;
    bool lostArmed = false;
    int starts = 0;
    Clock::time_point started;

    quint16 reg(quint16 addr) const { return drive->registerValue(addr, station); }
    void set(quint16 addr, quint16 value) { drive->setRegister(addr, value, station); }

    void start();
    void stop();
    // 0 idle, 1 armed, 2 triggered, 3 done (both families; HXQ shows them in its own bits).
    int phase();
    int postTriggerMs();
    void fill();
    void fillVr();
    void fillHxq();
    void onWrite(quint16 addr, quint16 value);
    void onRead(quint16 addr, quint16 count);
};

double SimSampler::speedReference(double t)
{
    return t < 0 ? 0.0 : 1000.0;
}

double SimSampler::speedFeedback(double t)
{
    if (t < 0)
        return 0.0;
    const double wd = kOmegaN * std::sqrt(1 - kZeta * kZeta);
    const double decay = std::exp(-kZeta * kOmegaN * t);
    return 1000.0 * (1 - decay * (std::cos(wd * t) + kZeta / std::sqrt(1 - kZeta * kZeta) * std::sin(wd * t)));
}

double SimSampler::torque(double t)
{
    if (t < 0)
        return 0.0;
    const double wd = kOmegaN * std::sqrt(1 - kZeta * kZeta);
    // The torque that accelerates the load, and the friction once it moves.
    return 2200.0 * std::exp(-kZeta * kOmegaN * t) * std::sin(wd * t) + 50.0 * (1 - std::exp(-t / 0.005));
}

double SimSampler::sine(double t)
{
    return 500.0 * std::sin(2 * kPi * 25 * t);
}

void SimSampler::State::start()
{
    running = true;
    filled = false;
    lostArmed = fault == Fault::LostBlock || fault == Fault::LateBlock;
    started = Clock::now();
    ++starts;
}

void SimSampler::State::stop()
{
    running = false;
}

int SimSampler::State::postTriggerMs()
{
    int samples = 1024;
    int interval = 1;
    if (family == 0) {
        samples = reg(kWidth) == 2 ? 512 : 1024;
        samples -= qMin(int(reg(kPretrigger)), samples);
        interval = qMax(1, int(reg(kInterval)));
    } else {
        samples -= kHxqTriggerSample;
        interval = qMax(1, int(reg(kHxqInterval)));
    }
    const int ms = int(samples * interval * 0.125);
    return qBound(100, ms, 3000);
}

int SimSampler::State::phase()
{
    if (!running)
        return 0;
    const qint64 elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
    if (fault == Fault::NeverTriggers || elapsed < kArmMs)
        return 1;
    if (elapsed < kArmMs + postTriggerMs())
        return 2;
    return 3;
}

namespace {

struct Motion {
    QVector<double> t, ref, fb, tq, sine, posRef, posFb;
};

Motion motion(int samples, int triggerSample, double dt)
{
    Motion m;
    double posRef = 0, posFb = 0;
    for (int k = 0; k < samples; ++k) {
        const double t = (k - triggerSample) * dt;
        m.t.append(t);
        m.ref.append(SimSampler::speedReference(t));
        m.fb.append(SimSampler::speedFeedback(t));
        m.tq.append(SimSampler::torque(t));
        m.sine.append(SimSampler::sine(t));
        posRef += m.ref.last() / 60.0 * kCountsPerRev * dt;
        posFb += m.fb.last() / 60.0 * kCountsPerRev * dt;
        m.posRef.append(std::round(posRef));
        m.posFb.append(std::round(posFb));
    }
    return m;
}

qint64 speedRaw(double rpm)
{
    return std::llround(rpm * 16384 / SimSampler::kOsvelcc);
}

qint64 torqueRaw(double tenthPercent)
{
    return std::llround(tenthPercent * 16384 / (SimSampler::kMaxTrqc * 10));
}

// A VR variable's raw sample before its I/O bit goes on top.
qint64 vrValue(int variable, const Motion &m, int k)
{
    const double t = m.t.at(k);
    const qint64 deviation = qint64(m.posRef.at(k) - m.posFb.at(k));
    const qint64 feedbackCounts = qint64(m.posFb.at(k));
    switch (variable) {
    case 0x01: return torqueRaw(m.tq.at(k));
    case 0x19: return torqueRaw(0.8 * m.tq.at(k));
    case 0x02: return speedRaw(m.fb.at(k));
    case 0x03: case 0x18: return speedRaw(m.ref.at(k));
    case 0x04: return speedRaw(m.sine.at(k));
    case 0x23: return std::llround(311 + 4 * std::sin(2 * kPi * 100 * t));
    case 0x21: return 3 * 4096;
    case 0x05: case 0x16: return deviation & 0x7FFF;
    case 0x30: return qint64(m.posRef.at(k)) & 0x7FFF;
    case 0x31: case 0x38: return feedbackCounts & 0x7FFF;
    case 0x85: case 0x96: return deviation;
    case 0xB0: return qint64(m.posRef.at(k));
    case 0xB1: return feedbackCounts;
    case 0xB8: return feedbackCounts % qint64(kCountsPerRev);
    case 0x24: case 0x25: case 0x61: case 0x63: case 0x65: return std::llround(m.tq.at(k) * 2);
    case 0x27: return t < 0 ? 0 : 5;
    case 0x39: return feedbackCounts / qint64(kCountsPerRev);
    case 0x40: return k > 0 ? qint64(m.posFb.at(k) - m.posFb.at(k - 1)) : 0;
    case 0x41: return k > 0 ? qint64(m.posRef.at(k) - m.posRef.at(k - 1)) : 0;
    case 0x66: case 0x67: return std::llround(2 * m.sine.at(k));
    default: return std::llround(m.sine.at(k));
    }
}

// The I/O signal that rides on a VR sample.
int vrIo(int io, const Motion &m, int k)
{
    const double t = m.t.at(k);
    switch (io) {
    case 0x00: case 0x80: case 0x89: return 0;
    case 0x01: case 0x84: return 1;
    case 0x86: return std::fabs(m.fb.at(k)) > 20 ? 1 : 0;
    case 0x85: return m.ref.at(k) != 0 && std::fabs(m.fb.at(k) - m.ref.at(k)) < 10 ? 1 : 0;
    case 0x81: case 0x8A: return std::fabs(m.posRef.at(k) - m.posFb.at(k)) < 2000 ? 1 : 0;
    case 0x83: return t >= -0.005 ? 1 : 0;
    case 0x87: return std::fabs(m.tq.at(k)) > 1200 ? 1 : 0;
    default: return ((k + io * 8) / (32 << (io % 3))) & 1;
    }
}

qint16 hxqValue(int code, const Motion &m, int k)
{
    const double t = m.t.at(k);
    const qint64 fbCounts = qint64(m.posFb.at(k));
    const qint64 refCounts = qint64(m.posRef.at(k));
    qint64 v = 0;
    switch (code) {
    case 0x0800: v = std::llround(m.fb.at(k)); break;
    case 0x0801: v = std::llround(m.ref.at(k)); break;
    case 0x0816: v = std::llround(10 * m.fb.at(k)); break;
    case 0x0817: v = std::llround(10 * m.ref.at(k)); break;
    case 0x0802: case 0x0803: v = std::llround(m.tq.at(k) / 10); break;
    case 0x0804: v = fbCounts & 0xFFFF; break;
    case 0x0805: v = fbCounts >> 16; break;
    case 0x0806: v = refCounts & 0xFFFF; break;
    case 0x0807: v = refCounts >> 16; break;
    case 0x0808: v = (refCounts - fbCounts) & 0xFFFF; break;
    case 0x0809: v = (refCounts - fbCounts) >> 16; break;
    case 0x0818: v = std::llround(311 + 4 * std::sin(2 * kPi * 100 * t)); break;
    case 0x080A: v = 0x0001 | (((k / 64) & 1) << 2); break;
    case 0x080B: v = std::fabs(m.fb.at(k)) > 20 ? 0x0002 : 0x0000; break;
    case 0x080C: v = (fbCounts % qint64(kCountsPerRev)) >> 2; break;
    case 0x080D: v = (fbCounts * 5 % qint64(kCountsPerRev)) * 3600 / qint64(kCountsPerRev); break;
    case 0x080E: v = std::llround((std::fabs(m.tq.at(k)) + 100) * std::sin(2 * kPi * 50 * t)); break;
    case 0x081F: v = std::llround((std::fabs(m.tq.at(k)) + 100) * std::sin(2 * kPi * 50 * t - 2 * kPi / 3)); break;
    case 0x0810: case 0x0811: v = 0; break;
    case 0x0812: case 0x0813: v = std::llround(m.tq.at(k)); break;
    default: v = std::llround(m.sine.at(k)); break;
    }
    return qint16(quint16(v & 0xFFFF));
}

} // namespace

void SimSampler::State::fillVr()
{
    const bool wide = reg(kWidth) == 2;
    const int samples = wide ? kRingWords / 2 : kRingWords;
    const int triggerIndex = wide ? kTriggerIndex32 : kTriggerIndex16;
    int pretrigger = qMin(int(reg(kPretrigger)), samples - 1);
    // With 32-bit samples and no trigger condition the sampler starts at once: nothing
    // comes before the trigger.
    auto active = [](quint16 code) { return ((code >> 4) & 0xF) != 0 && (code & 0xF) != 0; };
    const bool triggered = active(reg(kTrigger1)) || active(reg(kTrigger2));
    if (wide && !triggered)
        pretrigger = 0;
    const double dt = qMax(1, int(reg(kInterval))) * 125e-6;
    // With a trigger the step is what triggered; without one the motor steps on its own, a
    // little after the recording began.
    const Motion m = motion(samples, triggered ? pretrigger : kFreeRunStepSample, dt);

    QVector<quint16> buffer(kBufferWords, 0);
    for (int ch = 0; ch < 4; ++ch) {
        const quint16 code = reg(quint16(kChannels + ch));
        const int variable = code & 0xFF;
        const int io = code >> 8;
        for (int k = 0; k < samples; ++k) {
            // Sample k in time order sits at ring place (trigger - pretrigger + k).
            const int place = ((triggerIndex - pretrigger + k) % samples + samples) % samples;
            const qint64 value = vrValue(variable, m, k);
            const int bit = vrIo(io, m, k);
            const int base = ch * kRingWords;
            if (wide) {
                const qint64 clamped = qBound<qint64>(-0x40000000LL, value, 0x3FFFFFFFLL);
                const quint32 v = (quint32(clamped) & 0x7FFFFFFFu) | (quint32(bit) << 31);
                buffer[base + 2 * place] = quint16(v & 0xFFFF);
                buffer[base + 2 * place + 1] = quint16(v >> 16);
            } else {
                const qint64 clamped = (variable == 0x05 || variable == 0x16 || variable == 0x30 || variable == 0x31
                                        || variable == 0x38)
                    ? value
                    : qBound<qint64>(-16384, value, 16383);
                buffer[base + place] = quint16((quint16(clamped) & 0x7FFF) | (bit << 15));
            }
        }
    }
    for (int i = 0; i < kBufferWords; ++i)
        set(quint16(kBuffer + i), buffer.at(i));
    set(kTriggerPosition, quint16(triggerIndex));
}

void SimSampler::State::fillHxq()
{
    const double dt = qMax(1, int(reg(kHxqInterval))) * 125e-6;
    const int samples = kHxqBufferWords / 2;
    const Motion m = motion(samples, kHxqTriggerSample, dt);
    const quint16 codes[2] = {reg(kHxqChannel1), reg(kHxqChannel2)};
    for (int k = 0; k < samples; ++k)
        for (int ch = 0; ch < 2; ++ch)
            set(quint16(kHxqBuffer + 2 * k + ch), quint16(hxqValue(codes[ch], m, k)));
}

void SimSampler::State::fill()
{
    if (filled)
        return;
    filled = true;
    if (family == 0)
        fillVr();
    else
        fillHxq();
}

void SimSampler::State::onWrite(quint16 addr, quint16 value)
{
    std::lock_guard<std::mutex> lock(mutex);
    const bool echoFault = fault == Fault::SetupEchoMissingOnce || fault == Fault::SetupEchoMissingAlways;
    if (family == 0) {
        if (addr == kFunctionSelect) {
            functionSelect = value;
            if (value == kSamplerFunction)
                running = false;
        } else if (addr == kSubCommand && functionSelect == kSamplerFunction) {
            if (value == 0x0001)
                start();
            else if (value == 0x0000)
                stop();
        } else if (addr == kInterval && echoFault) {
            // The fault strikes the write after this one (the trigger combination).
            drive->setFailure(fault == Fault::SetupEchoMissingOnce ? SimulatedDrive::Failure::NoEchoOnce
                                                                   : SimulatedDrive::Failure::NoEchoEver,
                              -1);
        }
    } else {
        if (addr == kHxqStart) {
            if (value == 0x0001)
                start();
            else if (value == 0x0000)
                stop();
        } else if (addr == kHxqChannel2 && echoFault) {
            drive->setFailure(fault == Fault::SetupEchoMissingOnce ? SimulatedDrive::Failure::NoEchoOnce
                                                                   : SimulatedDrive::Failure::NoEchoEver,
                              -1);
        }
    }
}

void SimSampler::State::onRead(quint16 addr, quint16 count)
{
    std::lock_guard<std::mutex> lock(mutex);
    const quint16 statusReg = family == 0 ? kStatus : kHxqStatus;
    const quint16 buffer = family == 0 ? kBuffer : kHxqBuffer;
    const int words = family == 0 ? kBufferWords : kHxqBufferWords;
    const int p = phase();
    if (p == 3)
        fill();
    if (covers(addr, count, statusReg)) {
        if (family == 0) {
            set(kStatus, quint16(p));
        } else {
            // Two bits: 1 armed, 3 triggered, 2 done.
            const quint16 bits = p == 0 ? 0 : p == 1 ? 1 : p == 2 ? 3 : 2;
            set(kHxqStatus, quint16((bits << 14) | kHxqOtherStatusBits));
        }
    }
    if (lostArmed && addr >= buffer && addr < buffer + words
        && addr == buffer + kBlockWords * (kLostBlock - 1)) {
        // The block after this one goes unanswered, and so does its resend; or it comes late.
        lostArmed = false;
        if (fault == Fault::LostBlock)
            drive->setFailure(SimulatedDrive::Failure::NoAnswer, 2);
        else
            drive->setFailure(SimulatedDrive::Failure::Late, 1);
    }
}

SimSampler::SimSampler(int family)
    : d(std::make_shared<State>())
{
    d->family = family == 0 ? 0 : 1;
}

void SimSampler::install(SimulatedDrive &drive, int station)
{
    d->drive = &drive;
    d->station = station;
    if (d->family == 0) {
        drive.setRegister(0xE601, kMaxTrqc, station);
        drive.setRegister(0xE602, kOsvelcc, station);
        drive.setRegister(kWidth, 1, station);
        drive.setRegister(kInterval, 1, station);
    } else {
        drive.setRegister(kHxqInterval, 1, station);
        drive.setRegister(kHxqStatus, kHxqOtherStatusBits, station);
    }
    std::shared_ptr<State> state = d;
    drive.addWriteHook([state](int st, quint16 addr, quint16 value) {
        if (st == state->station)
            state->onWrite(addr, value);
    });
    drive.addReadHook([state](int st, quint16 addr, quint16 count) {
        if (st == state->station)
            state->onRead(addr, count);
    });
}

void SimSampler::setFault(Fault fault)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->fault = fault;
    if (fault == Fault::None)
        d->drive->setFailure(SimulatedDrive::Failure::None);
}

int SimSampler::startCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->starts;
}
