#include "simspectrumsampler.h"

#include "simulateddrive.h"

#include <QVector>

#include <chrono>
#include <cmath>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

constexpr quint16 kFunctionSelect = 0x2000;
constexpr quint16 kStart = 0x2001;
constexpr quint16 kSetupWord = 0x2102;
constexpr quint16 kInterval = 0x2103;
constexpr quint16 kChannel1 = 0x2110;
constexpr quint16 kTriggerIndex = 0x2204;
constexpr quint16 kStatus = 0x2205;
constexpr quint16 kRing = 0x4000;
constexpr int kRingWords = 1024;
constexpr quint16 kSpeedCode = 0x0102;
constexpr quint16 kTorqueCode = 0x0165;

bool covers(quint16 addr, quint16 count, quint16 reg)
{
    return reg >= addr && reg < addr + count;
}

// A small, repeatable noise of +-12 for sample n.
int noise(int n)
{
    quint32 x = quint32(n) * 2654435761u + 0x9E3779B9u;
    x ^= x >> 15;
    x *= 2246822519u;
    x ^= x >> 13;
    return int(x % 25) - 12;
}

} // namespace

struct SimSpectrumSampler::State {
    std::mutex mutex;
    SimulatedDrive *drive = nullptr;
    int family = 0;
    int station = 1;
    quint16 functionSelect = 0xFFFF;
    bool active = false;   // this sampler's capture is the last one started
    bool stopped = false;  // stopped before it was done
    Clock::time_point started;
    Clock::duration length{};
    int captures = 0;
    Fault fault = Fault::None;
    QVector<quint16> ring;
    quint16 triggerIndex = 0;

    bool isSpectrumSetup() const
    {
        if (functionSelect != 0x0000 || drive->registerValue(kSetupWord, station) != 0x1000)
            return false;
        const quint16 code = drive->registerValue(kChannel1, station);
        if (code != kSpeedCode && code != kTorqueCode)
            return false;
        for (quint16 reg = kChannel1 + 1; reg <= kChannel1 + 3; ++reg) {
            if (drive->registerValue(reg, station) != code)
                return false;
        }
        return true;
    }

    void start()
    {
        const int multiplier = drive->registerValue(kInterval, station);
        const quint16 code = drive->registerValue(kChannel1, station);
        const int trigger = (captures * 389 + 211) % kRingWords;
        ++captures;
        ring.fill(0, kRingWords);
        for (int n = 0; n < kRingWords; ++n) {
            quint16 word = quint16(sample(code, multiplier, n) & 0x7FFF);
            if (n == 0)
                word |= 0x8000; // the drive marks the trigger sample in bit 15, which is no part of it
            ring[(trigger + n) % kRingWords] = word;
        }
        triggerIndex = fault == Fault::TriggerOutOfRange ? quint16(kRingWords) : quint16(trigger);
        started = Clock::now();
        length = std::chrono::microseconds(125LL * multiplier * kRingWords);
        active = true;
        stopped = false;
    }

    void onWrite(quint16 addr, quint16 value)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (addr == kFunctionSelect) {
            functionSelect = value;
        } else if (addr == kStart && value == 0x0001) {
            active = false;
            if (isSpectrumSetup())
                start();
        } else if (addr == kStart && value == 0x0000 && active) {
            stopped = stopped || Clock::now() - started < length;
        }
    }

    // Runs after the capture window's sampler: while this capture is the last one started, the
    // status, the trigger index and the ring read are this sampler's.
    void onRead(quint16 addr, quint16 count)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!active)
            return;
        if (covers(addr, count, kStatus)) {
            const bool done = !stopped && fault != Fault::NeverDone && Clock::now() - started >= length;
            drive->setRegister(kStatus, done ? 3 : 1, station);
        }
        if (covers(addr, count, kTriggerIndex))
            drive->setRegister(kTriggerIndex, triggerIndex, station);
        for (int i = 0; i < count; ++i) {
            const int offset = addr + i - kRing;
            if (offset >= 0 && offset < kRingWords)
                drive->setRegister(quint16(addr + i), ring[offset], station);
        }
    }
};

int SimSpectrumSampler::sample(quint16 channelCode, int multiplier, int n)
{
    const double t = double(n) * multiplier * 125e-6;
    const double twoPi = 2.0 * M_PI;
    double x = 0;
    if (channelCode == kSpeedCode)
        x = 4000.0 * std::sin(twoPi * 125.0 * t) + 1200.0 * std::sin(twoPi * 375.0 * t + 0.4);
    else
        x = 3000.0 * std::sin(twoPi * 500.0 * t) + 900.0 * std::sin(twoPi * 1000.0 * t + 0.6);
    return int(std::lround(x)) + noise(n);
}

SimSpectrumSampler::SimSpectrumSampler(int family)
    : d(std::make_shared<State>())
{
    d->family = family == 0 ? 0 : 1;
}

void SimSpectrumSampler::install(SimulatedDrive &drive, int station)
{
    if (d->family != 0)
        return;
    d->drive = &drive;
    d->station = station;
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

void SimSpectrumSampler::setFault(Fault fault)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->fault = fault;
    if (d->active && fault == Fault::TriggerOutOfRange)
        d->triggerIndex = quint16(kRingWords);
}
