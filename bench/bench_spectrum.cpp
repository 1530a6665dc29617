// Our spectrum computation with its peak search beside a bare FFTW real-to-complex plan,
// execute and destroy (FFTW_ESTIMATE) on the same 1024 samples, in one run; the ratio is printed.
// The goal is to stay within twice the bare call.
//
//   bench_spectrum [repetitions]      (default 20000)

#include "simspectrumsampler.h"
#include "spectrumcomputation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QVector>

#include <fftw3.h>

namespace {

volatile double sink = 0;

qint64 bareFftw(const QVector<int> &samples, int repetitions)
{
    const int n = samples.size();
    QElapsedTimer clock;
    clock.start();
    for (int r = 0; r < repetitions; ++r) {
        double *in = static_cast<double *>(fftw_malloc(sizeof(double) * size_t(n)));
        fftw_complex *out = static_cast<fftw_complex *>(fftw_malloc(sizeof(fftw_complex) * size_t(n / 2 + 1)));
        for (int i = 0; i < n; ++i)
            in[i] = samples[i];
        fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE);
        fftw_execute(plan);
        sink = sink + out[1][0];
        fftw_destroy_plan(plan);
        fftw_free(in);
        fftw_free(out);
    }
    return clock.nsecsElapsed();
}

qint64 ours(const QVector<int> &samples, int repetitions)
{
    QElapsedTimer clock;
    clock.start();
    for (int r = 0; r < repetitions; ++r) {
        SpectrumComputation::Spectrum s = SpectrumComputation::compute(samples, 1);
        const QVector<SpectrumComputation::Peak> peaks =
            SpectrumComputation::findPeaks(s.amplitudes, s.sampleCount, s.periodMultiplier);
        sink = sink + peaks[0].amplitude;
    }
    return clock.nsecsElapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 20000;

    // The simulated drive's torque signal: 500 Hz with its second harmonic and a little noise.
    QVector<int> samples;
    for (int n = 0; n < 1024; ++n)
        samples << SimSpectrumSampler::sample(0x0165, 1, n);

    // Warm both up once (FFTW builds its codelet tables on first use).
    bareFftw(samples, 100);
    ours(samples, 100);
    const qint64 bare = bareFftw(samples, repetitions);
    const qint64 mine = ours(samples, repetitions);

    QTextStream out(stdout);
    out << "1024-point spectrum, " << repetitions << " repetitions\n";
    out << "  bare FFTW plan+execute+destroy: " << double(bare) / repetitions / 1000.0 << " us each\n";
    out << "  computation with peak search:   " << double(mine) / repetitions / 1000.0 << " us each\n";
    out << "  ratio: " << double(mine) / double(bare) << " (goal: 2 or less)\n";
    return 0;
}
