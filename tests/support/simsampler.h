#ifndef SIMSAMPLER_H
#define SIMSAMPLER_H

#include <QtGlobal>

#include <memory>

class SimulatedDrive;

// The trace sampler of a simulated drive.
//
// VR family: function select "2000" = 2000 hex chooses the sampler; "2001" = 0001 starts it and
// 0000 stops it. Set-up registers 2100-2103, 2110-2113 (I/O code in the high byte, variable code
// in the low byte), 2200, 2201-2203, 2009, 2208, 220A-220B are stored as written. Status "2205":
// 0 idle, 1 armed, 2 triggered, 3 done. Scales "E601" (MAXTRQC) and "E602" (OSVELCC); trigger
// position "2204" in samples; buffer 4000-4FFF, four rings of 1024 words (CH1 to CH4), each
// sample with its I/O bit on top (bit 15, or bit 31 of a low-word-first pair in 32-bit mode).
//
// HXQ family: "1000" = 0001 starts, 0000 stops; channel codes "1003"/"1004", interval "1008".
// Status "0730": bits 15-14 are 1 armed and 2 done (the low bits carry other state). Buffer
// 2000-27FF, the two channels' samples interleaved (CH1, CH2, CH1, ...).
//
// The waveforms follow the variables chosen: a speed step to 1000 rpm (reference) and the
// motor's damped answer to it (feedback), the torque that accelerates it, positions that
// integrate the speeds, a 25 Hz sine on the remaining variables, the bus voltage with ripple,
// and I/O bits that follow the motion or toggle. Timing runs on a steady clock: armed for
// 300 ms, then triggered until the post-trigger part is filled at the chosen interval.
class SimSampler
{
public:
    // Named ways to fail, for the tests.
    enum class Fault {
        None,
        NeverTriggers,       // stays armed for ever
        LostBlock,           // the upload's block kLostBlock (and its resend) is never answered
        LateBlock,           // block kLostBlock is answered late (SimulatedDrive::lateDelay())
        SetupEchoMissingOnce, // the echo of one set-up write (VR "2208", HXQ "1006") is lost once
        SetupEchoMissingAlways, // from that write on no write is echoed
    };

    static constexpr quint16 kMaxTrqc = 300;  // E601: 300 % torque at full scale
    static constexpr quint16 kOsvelcc = 6000; // E602: 6000 rpm at full scale
    static constexpr int kTriggerIndex16 = 700; // trigger position with 16-bit samples
    static constexpr int kTriggerIndex32 = 300; // with 32-bit samples (512 in a ring)
    static constexpr int kHxqTriggerSample = 128; // where the HXQ step happens
    static constexpr int kFreeRunStepSample = 128; // VR step without a trigger condition
    static constexpr int kLostBlock = 5;
    static constexpr int kArmMs = 300;

    // Physical values of the waveforms at time t (seconds from the trigger).
    static double speedReference(double t);
    static double speedFeedback(double t);
    static double torque(double t); // 0.1 % units
    static double sine(double t);   // rpm

    // family: 0 VR, 1 HXQ.
    explicit SimSampler(int family);
    // Sets the scales and adds the hooks for `station`; the model keeps the sampler as a part
    // of the drive (SimulatedDrive::part<SimSampler>()).
    void install(SimulatedDrive &drive, int station = 1);

    void setFault(Fault fault);
    // Starts of the sampler heard so far.
    int startCount() const;

    struct State;

private:
    std::shared_ptr<State> d;
};

#endif // SIMSAMPLER_H
