#ifndef SPECTRUMCOMPUTATION_H
#define SPECTRUMCOMPUTATION_H

#include <QVector>

// The spectrum of one signal: FFTW's real-to-complex transform of N integer samples taken every
// 125 us times a multiplier, as whole-number frequency, amplitude and phase per bin, and the
// four largest peaks of the lower half. No widgets: the spectrum window shows what comes out.
namespace SpectrumComputation {

// The drive's base sampling rate in Hz (one sample every 125 us).
constexpr int kBaseRateHz = 8000;

struct Spectrum {
    int sampleCount = 0;        // N
    int periodMultiplier = 0;   // m
    QVector<int> frequencies;   // N entries, Hz
    QVector<int> amplitudes;    // N entries, |X[k]| / (N / 2); |X[k]| / N at DC and at N/2
    QVector<int> phases;        // N entries, whole degrees
};

struct Peak {
    int bin = 0;
    int frequency = 0;
    int amplitude = 0;
};

// Rounds half away from zero (2.5 -> 3, -2.5 -> -3) and truncates to int.
int roundHalfAway(double value);

// The frequency of bin k of an N-point transform at multiplier m, rounded; 0 when N or m is 0.
int binFrequency(int bin, int sampleCount, int multiplier);

// The transform. Every vector gets N entries; the bins above N/2, which a real transform does not
// produce, mirror bins N - k (same amplitude, opposite phase). With fewer than two samples every
// amplitude is 0; with m = 0 every frequency is 0; an empty input plans nothing. An amplitude too
// large for an int is clamped to the largest int.
Spectrum compute(const QVector<int> &samples, int multiplier);

// The four largest amplitudes among bins 0 .. size/2 - 1, largest first; the lowest bin wins a
// tie, and a bin must be above 0 to be chosen (otherwise bin 0 with amplitude 0). The bins of the
// first three peaks are marked -1 in `amplitudes`, so each pass finds a new bin.
QVector<Peak> findPeaks(QVector<int> &amplitudes, int sampleCount, int multiplier);

} // namespace SpectrumComputation

#endif // SPECTRUMCOMPUTATION_H
