#include "spectrumcomputation.h"

#include <fftw3.h>

#include <climits>
#include <cmath>

namespace SpectrumComputation {

namespace {

// The phase in degrees as the drive tools have always shown it: atan2 over this value of pi.
constexpr double kPi = 3.1415926;

int clampToInt(double value)
{
    if (!(value == value)) // NaN
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(value);
}

} // namespace

int roundHalfAway(double value)
{
    return clampToInt(value > 0 ? value + 0.5 : value - 0.5);
}

int binFrequency(int bin, int sampleCount, int multiplier)
{
    if (sampleCount <= 0 || multiplier == 0)
        return 0;
    const double f = (double(kBaseRateHz) / sampleCount) * bin / multiplier;
    return roundHalfAway(f);
}

Spectrum compute(const QVector<int> &samples, int multiplier)
{
    Spectrum s;
    const int n = samples.size();
    s.sampleCount = n;
    s.periodMultiplier = multiplier;
    if (n == 0)
        return s;

    const int half = n / 2;
    const int produced = half + 1; // bins 0 .. N/2 come out of the transform
    double *in = static_cast<double *>(fftw_malloc(sizeof(double) * size_t(n)));
    fftw_complex *out = static_cast<fftw_complex *>(fftw_malloc(sizeof(fftw_complex) * size_t(produced)));
    for (int i = 0; i < n; ++i)
        in[i] = double(samples[i]);
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE);
    fftw_execute(plan);

    s.amplitudes.resize(n);
    s.phases.resize(n);
    int *amplitude = s.amplitudes.data();
    int *phase = s.phases.data();
    for (int k = 0; k < produced && k < n; ++k) {
        const double re = out[k][0];
        const double im = out[k][1];
        phase[k] = clampToInt(std::atan2(im, re) / kPi * 180.0);
        // Bin 0 (and bin N/2 of an even N) has no mirror bin sharing its energy: |X| / N there.
        const bool unpaired = k == 0 || 2 * k == n;
        const double magnitude = std::sqrt(re * re + im * im);
        // Fewer than two samples make no spectrum: every amplitude stays 0.
        amplitude[k] = n < 2 ? 0 : clampToInt(magnitude / (unpaired ? n : half));
    }
    // A real signal's spectrum is conjugate-symmetric: bin k above N/2 mirrors bin N - k.
    for (int k = produced; k < n; ++k) {
        amplitude[k] = amplitude[n - k];
        phase[k] = -phase[n - k];
    }

    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);

    s.frequencies.resize(n);
    int *frequency = s.frequencies.data();
    for (int k = 0; k < n; ++k)
        frequency[k] = binFrequency(k, n, multiplier);
    return s;
}

QVector<Peak> findPeaks(QVector<int> &amplitudes, int sampleCount, int multiplier)
{
    QVector<Peak> peaks;
    const int half = amplitudes.size() / 2;
    for (int pass = 0; pass < 4; ++pass) {
        int best = 0;
        int index = 0;
        for (int k = 0; k < half; ++k) {
            if (amplitudes[k] > best) {
                best = amplitudes[k];
                index = k;
            }
        }
        if (pass < 3 && index < amplitudes.size())
            amplitudes[index] = -1;
        peaks.append({index, binFrequency(index, sampleCount, multiplier), best});
    }
    return peaks;
}

} // namespace SpectrumComputation
