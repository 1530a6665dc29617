// The transform with its peaks, and the sample ring's conversion into samples in time order.

#include "samplering.h"
#include "spectrumcomputation.h"

#include <QtTest>

#include <climits>
#include <cmath>

using namespace SpectrumComputation;

namespace {

QVector<int> constant(int n, int value)
{
    return QVector<int>(n, value);
}

// Sines of whole bins: each (bin, amplitude) pair adds amplitude * sin(2 pi bin n / N). Amplitudes
// of x.5 keep the truncated bin amplitude clear of the rounding of the samples.
QVector<int> sines(int n, const QList<QPair<int, double>> &parts)
{
    QVector<int> v(n, 0);
    for (int i = 0; i < n; ++i) {
        double x = 0;
        for (const auto &part : parts)
            x += part.second * std::sin(2.0 * M_PI * part.first * i / n);
        v[i] = int(std::lround(x));
    }
    return v;
}

QString peaksText(const QVector<Peak> &peaks)
{
    QStringList parts;
    for (const Peak &p : peaks)
        parts << QStringLiteral("%1/%2").arg(p.frequency).arg(p.amplitude);
    return parts.join(QLatin1Char(' '));
}

QVector<QString> ringOf(const QVector<quint16> &words)
{
    QVector<QString> texts;
    for (quint16 w : words)
        texts << QStringLiteral("%1").arg(w, 4, 16, QLatin1Char('0')).toUpper();
    return texts;
}

} // namespace

class TestSpectrumComputation : public QObject
{
    Q_OBJECT

private slots:
    void spectrumAndPeaks_data();
    void spectrumAndPeaks();
    void binsAboveHalfMirrorAndAreNeverSearched();
    void ringConversion_data();
    void ringConversion();
};

void TestSpectrumComputation::spectrumAndPeaks_data()
{
    QTest::addColumn<QVector<int>>("samples");
    QTest::addColumn<int>("multiplier");
    QTest::addColumn<QString>("peaks"); // frequency/amplitude of the four peaks

    QTest::newRow("constant 5: bin 0 of 5, then bin 0 of 0") << constant(1024, 5) << 1 << "0/5 0/0 0/0 0/0";
    QTest::newRow("all zeros") << constant(1024, 0) << 1 << "0/0 0/0 0/0 0/0";
    QTest::newRow("bin 64 at multiplier 1 is 500 Hz") << sines(1024, {{64, 100.5}}) << 1 << "500/100 0/0 0/0 0/0";
    QTest::newRow("bin 64 at multiplier 4 is 125 Hz") << sines(1024, {{64, 100.5}}) << 4 << "125/100 0/0 0/0 0/0";
    QTest::newRow("tie: the lower bin first") << sines(1024, {{20, 50.5}, {10, 50.5}}) << 1 << "78/50 156/50 0/0 0/0";
    QTest::newRow("four peaks largest first") << sines(1024, {{3, 40.5}, {7, 90.5}, {100, 60.5}, {200, 20.5}}) << 2
                                               << "27/90 391/60 12/40 781/20";
    // N < 2 and m = 0 divide by zero in the formulas: everything stays 0, nothing crashes.
    QTest::newRow("one sample") << constant(1, 7) << 1 << "0/0 0/0 0/0 0/0";
    QTest::newRow("multiplier 0") << sines(1024, {{64, 100.5}}) << 0 << "0/100 0/0 0/0 0/0";
    QTest::newRow("empty") << QVector<int>() << 1 << "0/0 0/0 0/0 0/0";
    // |X[0]| / N = 2^31 does not fit an int: clamped, not wrapped negative.
    QTest::newRow("overflowing amplitude") << constant(1024, INT_MIN) << 1
                                           << QStringLiteral("0/%1 0/0 0/0 0/0").arg(INT_MAX);
}

void TestSpectrumComputation::spectrumAndPeaks()
{
    QFETCH(QVector<int>, samples);
    QFETCH(int, multiplier);
    QFETCH(QString, peaks);

    Spectrum s = compute(samples, multiplier);
    QCOMPARE(s.sampleCount, samples.size());
    QCOMPARE(s.frequencies.size(), samples.size());
    QCOMPARE(s.amplitudes.size(), samples.size());
    QCOMPARE(s.phases.size(), samples.size());
    for (int a : s.amplitudes)
        QVERIFY(a >= 0);
    QCOMPARE(peaksText(findPeaks(s.amplitudes, s.sampleCount, multiplier)), peaks);
}

void TestSpectrumComputation::binsAboveHalfMirrorAndAreNeverSearched()
{
    Spectrum s = compute(sines(1024, {{64, 100.5}}), 1);
    QCOMPARE(s.frequencies.mid(0, 5), QVector<int>({0, 8, 16, 23, 31}));
    QCOMPARE(s.frequencies[511], 3992);
    QCOMPARE(s.amplitudes[1024 - 64], s.amplitudes[64]);
    QCOMPARE(s.phases[1024 - 64], -s.phases[64]);
    QCOMPARE(s.phases[64], -90); // a sine: atan2 = -pi/2, truncated toward zero

    QVector<int> amplitudes(1024, 0);
    amplitudes[512] = 999;
    amplitudes[900] = 999;
    amplitudes[5] = 3;
    QCOMPARE(peaksText(findPeaks(amplitudes, 1024, 1)), QStringLiteral("39/3 0/0 0/0 0/0"));

    // Bin N/2 has no mirror bin either: |X| / N there.
    QVector<int> alternating(1024, 100);
    for (int i = 1; i < 1024; i += 2)
        alternating[i] = -100;
    QCOMPARE(compute(alternating, 1).amplitudes[512], 100);
    QCOMPARE(compute(constant(1, 7), 1).amplitudes, QVector<int>{0}); // one sample makes no spectrum
}

void TestSpectrumComputation::ringConversion_data()
{
    QTest::addColumn<QVector<quint16>>("ring");
    QTest::addColumn<int>("ringStart");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QVector<int>>("head"); // the first samples in time order; empty: refused

    QVector<quint16> counting(1024);
    for (int i = 0; i < 1024; ++i)
        counting[i] = quint16(i);
    QVector<quint16> words = counting;
    words[0] = 0x3FFF;
    words[1] = 0x4000;
    words[2] = 0x7FFF;
    words[3] = 0x8001; // bit 15 is no part of the sample
    words[4] = 0xC000;

    QTest::newRow("torque raw, bit 15 ignored") << words << 0 << 0 << 0 << QVector<int>{16383, -16384, -1, 1, -16384};
    QTest::newRow("trigger 1000 comes first") << counting << 1000 << 0 << 0 << QVector<int>{1000, 1001};
    QVector<quint16> speed = counting;
    speed[0] = 3;
    speed[1] = 0x7FFF;
    speed[2] = 0x3FFF;
    QTest::newRow("speed scaled, half away from zero") << speed << 0 << 2 << 3000 << QVector<int>{1, 0, 3000};
    QTest::newRow("1023 words") << counting.mid(0, 1023) << 0 << 0 << 0 << QVector<int>();
    QTest::newRow("1025 words") << (counting + QVector<quint16>{0}) << 0 << 0 << 0 << QVector<int>();
    QTest::newRow("trigger index 1024") << counting << 1024 << 0 << 0 << QVector<int>();
    QTest::newRow("negative trigger index") << counting << -1 << 0 << 0 << QVector<int>();
    QVector<quint16> odd = counting;
    odd[7] = 0xFFFF; // written below as a word that is no hex number
    QTest::newRow("a word that is no number") << odd << 0 << 0 << 0 << QVector<int>();
}

void TestSpectrumComputation::ringConversion()
{
    QFETCH(QVector<quint16>, ring);
    QFETCH(int, ringStart);
    QFETCH(int, kind);
    QFETCH(int, scale);
    QFETCH(QVector<int>, head);

    QVector<QString> words = ringOf(ring);
    for (QString &word : words)
        word.replace(QStringLiteral("FFFF"), QStringLiteral("12G4"));
    const QVector<int> samples = SampleRing::samplesFromRing(words, ringStart, kind, qint16(scale));
    if (head.isEmpty()) {
        QVERIFY(samples.isEmpty());
        return;
    }
    QCOMPARE(samples.size(), 1024);
    QCOMPARE(samples.mid(0, head.size()), head);
    if (ringStart == 1000)
        QCOMPARE(samples[24], 0); // words 1000..1023, then 0..999
}

QTEST_GUILESS_MAIN(TestSpectrumComputation)
#include "tst_spectrumcomputation.moc"
