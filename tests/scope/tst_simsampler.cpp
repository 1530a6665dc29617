// The simulated drive's sampler, seen through the link as the capture window sees it: the
// status goes armed, triggered, done; the scales and the trigger position read back; the
// buffer holds the waveforms of the variables chosen; and each named fault does what it says.

#include "boundedwait.h"
#include "serialport.h"
#include "simsampler.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"

#include <QtTest>

#include <cmath>

namespace {

struct Bench {
    SimulatedDrive drive;
    serialPort link;
    QString lastWords;
    bool answered = false;
    bool echoed = false;

    explicit Bench(int family)
    {
        SimulatedModel::install(drive, family);
        QObject::connect(&link, &serialPort::sendPicFinished, [this](const QString &w) { lastWords = w; });
        QObject::connect(&link, &serialPort::FrameDataIsOK, [this](bool) { answered = true; });
        QObject::connect(&link, &serialPort::WriteGraphToCheck, [this](const QString &) { echoed = true; });
    }
    bool open() { return drive.start() && link.openPort(drive.portName(), 115200); }
    bool write(const char *addr, const char *value, int limitMs = 3000)
    {
        echoed = false;
        link.writeStaticPic(addr, value, 0);
        return BoundedWait::until([this] { return echoed; }, limitMs);
    }
    // The words of a read as one text, or a null string when no answer came.
    QString read(quint16 addr, int count, int limitMs = 3000)
    {
        answered = false;
        lastWords.clear();
        link.readStaticPic(QByteArray::number(addr, 16).toUpper().rightJustified(4, '0'),
                           QByteArray::number(count, 16).toUpper().rightJustified(4, '0'), 0);
        return BoundedWait::until([this] { return answered; }, limitMs) ? lastWords : QString();
    }
    int word(quint16 addr) { return read(addr, 1).toInt(nullptr, 16); }
    // The status values seen, polled as fast as the line allows, until `done` or 10 s.
    QList<int> statusUntil(quint16 addr, int shift, int done)
    {
        QList<int> seen;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000 && (seen.isEmpty() || seen.last() != done)) {
            const int s = word(addr) >> shift;
            if (seen.isEmpty() || seen.last() != s)
                seen.append(s);
        }
        return seen;
    }
};

} // namespace

class SimSamplerTest : public QObject
{
    Q_OBJECT

private slots:
    void vrCaptureWithItsWaveforms();
    void hxqCaptureWithItsWaveforms();
    void faults();
};

void SimSamplerTest::vrCaptureWithItsWaveforms()
{
    Bench b(0);
    QVERIFY(b.open());
    QCOMPARE(b.word(0xE601), int(SimSampler::kMaxTrqc));
    QCOMPARE(b.word(0xE602), int(SimSampler::kOsvelcc));
    // Speed feedback with /TGON on CH1, torque on CH2, 16-bit samples, 100 before the trigger.
    for (auto [addr, value] : {std::pair{"2000", "2000"}, {"2200", "0064"}, {"2101", "0001"}, {"2110", "8602"},
                               {"2111", "0101"}, {"2001", "0001"}})
        QVERIFY(b.write(addr, value));
    QCOMPARE(b.statusUntil(0x2205, 0, 3), (QList<int>{1, 2, 3}));
    QCOMPARE(b.word(0x2204), SimSampler::kTriggerIndex16);

    // Sample k (in time order) sits at ring place (trigger - pretrigger + k).
    auto sample = [&](int channel, int k) {
        const int place = (SimSampler::kTriggerIndex16 - 100 + k + 1024) % 1024;
        return b.word(quint16(0x4000 + channel * 1024 + place));
    };
    for (int k : {0, 99, 100, 160, 400, 1023}) {
        const double t = (k - 100) * 125e-6;
        const int w = sample(0, k);
        const int raw = (w & 0x4000) ? (w & 0x7FFF) - 0x8000 : (w & 0x7FFF);
        QVERIFY(std::fabs(raw * 6000.0 / 16384 - SimSampler::speedFeedback(t)) < 1);
        QCOMPARE(w >> 15, SimSampler::speedFeedback(t) > 20 ? 1 : 0);
        const int tw = sample(1, k);
        const int traw = (tw & 0x4000) ? (tw & 0x7FFF) - 0x8000 : (tw & 0x7FFF);
        QVERIFY(std::fabs(traw * 3000.0 / 16384 - SimSampler::torque(t)) < 1);
        QCOMPARE(tw >> 15, 1); // /S-ON
    }
    QVERIFY(b.write("2001", "0000"));
    QCOMPARE(b.word(0x2205), 0);
}

void SimSamplerTest::hxqCaptureWithItsWaveforms()
{
    Bench b(1);
    QVERIFY(b.open());
    for (auto [addr, value] : {std::pair{"1003", "0800"}, {"1004", "0803"}, {"1008", "0002"}, {"1000", "0001"}})
        QVERIFY(b.write(addr, value));
    QCOMPARE(b.statusUntil(0x0730, 14, 2), (QList<int>{1, 3, 2}));
    const int k = SimSampler::kHxqTriggerSample + 200;
    const QString pair = b.read(quint16(0x2000 + 2 * k), 2);
    QCOMPARE(pair.size(), 8);
    const double t = 200 * 250e-6;
    QCOMPARE(int(qint16(pair.left(4).toUShort(nullptr, 16))), int(std::lround(SimSampler::speedFeedback(t))));
    QCOMPARE(int(qint16(pair.mid(4).toUShort(nullptr, 16))), int(std::lround(SimSampler::torque(t) / 10)));
}

void SimSamplerTest::faults()
{
    Bench b(0);
    QVERIFY(b.open());
    SimSampler *sampler = b.drive.part<SimSampler>();
    QVERIFY(sampler);

    sampler->setFault(SimSampler::Fault::NeverTriggers);
    QVERIFY(b.write("2000", "2000") && b.write("2001", "0001"));
    QTest::qWait(SimSampler::kArmMs + 500);
    QCOMPARE(b.word(0x2205), 1);

    sampler->setFault(SimSampler::Fault::LostBlock);
    QVERIFY(b.write("2001", "0001"));
    QCOMPARE(b.statusUntil(0x2205, 0, 3).last(), 3);
    const quint16 before = quint16(0x4000 + 29 * (SimSampler::kLostBlock - 1));
    QVERIFY(!b.read(before, 29).isNull());
    QVERIFY(b.read(before + 29, 29, 500).isNull());
    QVERIFY(b.read(before + 29, 29, 500).isNull());
    QVERIFY(!b.read(before + 29, 29).isNull());

    sampler->setFault(SimSampler::Fault::SetupEchoMissingOnce);
    QVERIFY(b.write("2103", "0001"));
    QVERIFY(!b.write("2208", "0000", 500));
    QVERIFY(b.write("2208", "0000"));

    sampler->setFault(SimSampler::Fault::SetupEchoMissingAlways);
    QVERIFY(b.write("2103", "0001"));
    QVERIFY(!b.write("2208", "0000", 500));
    QVERIFY(!b.write("2208", "0000", 500));
    sampler->setFault(SimSampler::Fault::None);
    QVERIFY(b.write("2208", "0000"));
}

QTEST_MAIN(SimSamplerTest)
#include "tst_simsampler.moc"
