#ifndef SIMSPECTRUMSAMPLER_H
#define SIMSPECTRUMSAMPLER_H

#include <QtGlobal>

#include <memory>

class SimulatedDrive;

// The VR drive's one-channel sampler as the spectrum window uses it: function select 2000 set
// to 0000, set-up 2100..2113 with one channel code (0102 speed feedback, 0165 torque feedback)
// on all four channels, start by 2001 = 0001. It then records 1024 samples, one every
// 125 us x the multiplier in 2103: status 2205 reads 1 while it records and 3 once done (from
// the steady clock), 2204 holds the trigger index and 4000..43FF the ring, the first sample in
// time order at the trigger index. A start after any other function select belongs to the
// capture window's four-channel sampler (SimSampler); while this sampler's capture is the last
// one started, it answers the status and the ring itself.
//
// The signal is one a newcomer can check by eye: torque, a 500 Hz sine of amplitude 3000 with
// its second harmonic (1000 Hz, 900); speed, a 125 Hz sine of amplitude 4000 (raw units, scaled
// by E602) with its third harmonic (375 Hz, 1200); both with a little noise.
class SimSpectrumSampler
{
public:
    enum class Fault {
        None,
        NeverDone,          // the status stays 1: the capture never completes
        TriggerOutOfRange,  // 2204 reads 0400, one past the ring
    };

    // Sample n (time order, 0..1023) of the channel at the multiplier, as the ring holds it
    // (15-bit two's complement, before any scaling).
    static int sample(quint16 channelCode, int multiplier, int n);

    // family: 0 VR (the HXQ family has no spectrum sampler: nothing is installed).
    explicit SimSpectrumSampler(int family);
    // Adds the hooks for `station`; the model keeps the sampler as a part of the drive
    // (SimulatedDrive::part<SimSpectrumSampler>()).
    void install(SimulatedDrive &drive, int station = 1);

    void setFault(Fault fault);

    struct State;

private:
    std::shared_ptr<State> d;
};

#endif // SIMSPECTRUMSAMPLER_H
