// The sampler set-up codes and the trace-buffer decoding, with the worked values and the
// edges where 32-bit arithmetic, a rounding to 16 bits or an unchecked index would go wrong.

#include "linkstandin.h"
#include "modalanswerer.h"
#include "samplercoding.h"
#include "staticwindow.h"
#include "tempworkdir.h"
#include "tracedecoding.h"
#include "ui_staticwindow.h"
#include "writeecho.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(SamplerCoding::Level::Error)

namespace {

QString hex4(int value)
{
    return QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// A ring whose word k reads as the number k.
QVector<QString> numberedRing()
{
    QVector<QString> ring;
    for (int k = 0; k < TraceDecoding::vrRingWords; ++k)
        ring.append(hex4(k));
    return ring;
}

} // namespace

class TestCaptureCoding : public QObject
{
    Q_OBJECT

private slots:
    void channelCode_data();
    void channelCode();
    void shortCodes_data();
    void shortCodes();
    void levelToHex_data();
    void levelToHex();
    void levelRefusalsAreShown();
    void sixteenBitSamples_data();
    void sixteenBitSamples();
    void thirtyTwoBitSamples_data();
    void thirtyTwoBitSamples();
    void rotation_data();
    void rotation();
    void refusedBuffersAndSplits();
    void windowDecodesAnUpload();
};

void TestCaptureCoding::channelCode_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("io");
    QTest::addColumn<int>("kindBefore");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("kindAfter");

    QTest::newRow("speed feedback, /S-ON") << 0 << 0 << 9 << QByteArray("0102") << 2;
    QTest::newRow("32-bit deviation, Res: kind kept") << 4 << 40 << 7 << QByteArray("D785") << 7;
    QTest::newRow("outside both tables") << 32 << 41 << 5 << QByteArray("0000") << 5;
    QTest::newRow("negative positions") << -1 << -1 << 5 << QByteArray("0000") << 5;
    QTest::newRow("bus voltage sets raw") << 8 << 2 << 3 << QByteArray("0323") << 0;
    QTest::newRow("torque feed forward, ALM") << 10 << 22 << 0 << QByteArray("8019") << 1;
    QTest::newRow("lap position low, ACON") << 20 << 33 << 0 << QByteArray("C038") << 4;
}

void TestCaptureCoding::channelCode()
{
    QFETCH(int, channel);
    QFETCH(int, io);
    QFETCH(int, kindBefore);
    QFETCH(QByteArray, code);
    QFETCH(int, kindAfter);

    int kind = kindBefore;
    QCOMPARE(SamplerCoding::channelCode(channel, io, &kind), code);
    QCOMPARE(kind, kindAfter);
}

void TestCaptureCoding::shortCodes_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("HXQ 10 out of order") << SamplerCoding::channelCodeModelB(10) << QByteArray("0818");
    QTest::newRow("HXQ 16 out of order") << SamplerCoding::channelCodeModelB(16) << QByteArray("081F");
    QTest::newRow("HXQ 28") << SamplerCoding::channelCodeModelB(28) << QByteArray("0823");
    QTest::newRow("HXQ 29") << SamplerCoding::channelCodeModelB(29) << QByteArray();
    QTest::newRow("rising edge on CH1") << SamplerCoding::triggerModeCode(1, 1) << QByteArray("0011");
    QTest::newRow("falling edge on I/O") << SamplerCoding::triggerModeCode(2, 5) << QByteArray("0029");
    QTest::newRow("level above on I/O") << SamplerCoding::triggerModeCode(4, 5) << QByteArray("0049");
    QTest::newRow("condition outside") << SamplerCoding::triggerModeCode(6, 0) << QByteArray("000");
    QTest::newRow("source outside") << SamplerCoding::triggerModeCode(3, -1) << QByteArray("003");
}

void TestCaptureCoding::shortCodes()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, expected);
    QCOMPARE(code, expected);
}

void TestCaptureCoding::levelToHex_data()
{
    using E = SamplerCoding::Level::Error;
    QTest::addColumn<int>("variable");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("maxTrqc");
    QTest::addColumn<int>("osVelcc");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<E>("error");

    const int intMin = std::numeric_limits<int>::min();
    QTest::newRow("speed 100") << 0 << 100 << 1 << 6000 << "00000111" << E::None;
    QTest::newRow("speed -100") << 1 << -100 << 1 << 6000 << "FFFFFEEF" << E::None;
    QTest::newRow("torque -50") << 2 << -50 << 300 << 1 << "FFFFFEEF" << E::None;
    QTest::newRow("unscaled -1, zero scales") << 4 << -1 << 0 << 0 << "FFFFFFFF" << E::None;
    QTest::newRow("unscaled minimum") << 12 << intMin << 1 << 1 << "80000000" << E::None;
    QTest::newRow("gain 3 is 3 x 4096") << 11 << 3 << 0 << 0 << "00003000" << E::None;
    // level x 16384 leaves 32 bits, the quotient does not
    QTest::newRow("speed 200000") << 9 << 200000 << 1 << 6000 << "00085555" << E::None;
    QTest::newRow("speed, zero OSVELCC") << 3 << 1 << 1 << 0 << QString() << E::SpeedScaleZero;
    QTest::newRow("torque, zero MAXTRQC") << 10 << 5 << 0 << 1 << QString() << E::TorqueScaleZero;
    QTest::newRow("speed code beyond 32 bits") << 0 << 429496729 << 1 << 1 << QString() << E::OutOfRange;
    QTest::newRow("negative scale, beyond 32 bits") << 1 << intMin << 1 << -1 << QString() << E::OutOfRange;
}

void TestCaptureCoding::levelToHex()
{
    QFETCH(int, variable);
    QFETCH(int, level);
    QFETCH(int, maxTrqc);
    QFETCH(int, osVelcc);
    QFETCH(QString, hex);
    QFETCH(SamplerCoding::Level::Error, error);

    const SamplerCoding::Level coded = SamplerCoding::levelToHex(variable, level, short(maxTrqc), short(osVelcc));
    QCOMPARE(coded.hex, hex);
    QCOMPARE(coded.error, error);
}

void TestCaptureCoding::levelRefusalsAreShown()
{
    TempWorkDir work;
    staticWindow window;
    ModalBoxAnswerer answerer;
    window.scaleE601 = 0;
    window.scaleE602 = 100;
    QCOMPARE(window.levelToHex(2, 10), QString());
    QCOMPARE(window.levelToHex(0, 429496729), QString());
    QCOMPARE(window.levelToHex(0, 100), QStringLiteral("00004000"));
    QCOMPARE(answerer.count(), 2);
    QCOMPARE(answerer.boxes().at(0).title, QStringLiteral("error"));
    QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("MAXTRQC Error"));
    QCOMPARE(answerer.boxes().at(1).text, QStringLiteral("触发电平超出范围"));
}

void TestCaptureCoding::sixteenBitSamples_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("maxTrqc");
    QTest::addColumn<int>("osVelcc");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("io");
    QTest::addColumn<int>("value");

    QTest::newRow("speed 1000") << 2 << 1 << 6000 << "0AAB" << 0 << 1000;
    QTest::newRow("speed 1000, I/O set") << 2 << 1 << 6000 << "8AAB" << 1 << 1000;
    QTest::newRow("speed -1000") << 2 << 1 << 6000 << "7555" << 0 << -1000;
    QTest::newRow("speed +0.5 away from zero") << 2 << 1 << 8192 << "0001" << 0 << 1;
    QTest::newRow("speed -0.5 away from zero") << 2 << 1 << 8192 << "7FFF" << 0 << -1;
    QTest::newRow("gain 2") << 3 << 1 << 1 << "2000" << 0 << 2;
    QTest::newRow("gain truncates toward zero") << 3 << 1 << 1 << "6800" << 0 << -1;
    QTest::newRow("unsigned low") << 4 << 1 << 1 << "FFFF" << 1 << 32767;
    QTest::newRow("raw lowest") << 0 << 1 << 1 << "4000" << 0 << -16384;
    QTest::newRow("raw highest") << 0 << 1 << 1 << "3FFF" << 0 << 16383;
    QTest::newRow("not hex") << 0 << 1 << 1 << "ZZZZ" << 0 << 0;
    // beyond 16 bits: the true value, not -32768
    QTest::newRow("torque beyond 16 bits") << 1 << 32767 << 1 << "3FFF" << 0 << 327650;
    QTest::newRow("negative torque beyond 16 bits") << 1 << 32767 << 1 << "C000" << 1 << -327670;
    QTest::newRow("speed 32768") << 2 << 1 << -32768 << "4000" << 0 << 32768;
}

void TestCaptureCoding::sixteenBitSamples()
{
    QFETCH(int, kind);
    QFETCH(int, maxTrqc);
    QFETCH(int, osVelcc);
    QFETCH(QString, word);
    QFETCH(int, io);
    QFETCH(int, value);

    QVector<QString> ring(TraceDecoding::vrRingWords, QStringLiteral("0000"));
    ring[0] = word;
    TraceDecoding::Decoded decoded;
    QVERIFY(TraceDecoding::decodeVrChannel(ring, 1, kind, 0, 0, short(maxTrqc), short(osVelcc), &decoded));
    QCOMPARE(decoded.values.size(), 1024);
    QCOMPARE(int(decoded.io.at(0)), io);
    QCOMPARE(decoded.values.at(0), value);
}

void TestCaptureCoding::thirtyTwoBitSamples_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("maxTrqc");
    QTest::addColumn<int>("osVelcc");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<int>("io");
    QTest::addColumn<int>("value");

    const int intMax = std::numeric_limits<int>::max();
    QTest::newRow("raw 131073") << 0 << 1 << 1 << "0001" << "0002" << 0 << 131073;
    QTest::newRow("I/O only") << 0 << 1 << 1 << "0000" << "8000" << 1 << 0;
    QTest::newRow("raw lowest") << 0 << 1 << 1 << "0000" << "4000" << 0 << -1073741824;
    QTest::newRow("unsigned low") << 4 << 1 << 1 << "FFFF" << "FFFF" << 1 << 32767;
    // beyond the int range: held at the nearest limit, never turned into the lowest value
    QTest::newRow("torque held at the top") << 1 << 32767 << 1 << "FFFF" << "3FFF" << 0 << intMax;
    QTest::newRow("speed 2^31 held at the top") << 2 << 1 << -32768 << "0000" << "4000" << 0 << intMax;
    QTest::newRow("speed held at the bottom") << 2 << 1 << 32767 << "0000" << "C000" << 1 << -2147418112;
}

void TestCaptureCoding::thirtyTwoBitSamples()
{
    QFETCH(int, kind);
    QFETCH(int, maxTrqc);
    QFETCH(int, osVelcc);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(int, io);
    QFETCH(int, value);

    QVector<QString> ring(TraceDecoding::vrRingWords, QStringLiteral("0000"));
    ring[0] = low;
    ring[1] = high;
    TraceDecoding::Decoded decoded;
    QVERIFY(TraceDecoding::decodeVrChannel(ring, 2, kind, 0, 0, short(maxTrqc), short(osVelcc), &decoded));
    QCOMPARE(decoded.values.size(), 512);
    QCOMPARE(int(decoded.io.at(0)), io);
    QCOMPARE(decoded.values.at(0), value);
}

void TestCaptureCoding::rotation_data()
{
    QTest::addColumn<int>("trigger");
    QTest::addColumn<int>("pretrigger");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("first"); // the input word the time-ordered ring starts with

    QTest::newRow("trigger 100, pretrigger 20") << 100 << 20 << 1 << 80;
    QTest::newRow("wraps back") << 10 << 20 << 1 << 1014;
    QTest::newRow("32-bit counts words twice") << 100 << 20 << 2 << 160;
    QTest::newRow("32-bit wraps") << 5 << 20 << 2 << 994;
    QTest::newRow("negative trigger index") << -5 << 0 << 1 << 1019;
    QTest::newRow("trigger index past the ring") << 5000 << 0 << 1 << 904;
    QTest::newRow("largest short, 32-bit") << 32767 << 500 << 2 << 22;
}

void TestCaptureCoding::rotation()
{
    QFETCH(int, trigger);
    QFETCH(int, pretrigger);
    QFETCH(int, width);
    QFETCH(int, first);

    const QVector<QString> rotated = TraceDecoding::rotate(numberedRing(), trigger, pretrigger, width);
    QCOMPARE(rotated.size(), 1024);
    QCOMPARE(rotated.first(), hex4(first));
    QCOMPARE(rotated.last(), hex4((first + 1023) % 1024));
}

void TestCaptureCoding::refusedBuffersAndSplits()
{
    TraceDecoding::Decoded decoded;
    for (int size : {0, 1, 1023, 1025, 2048}) {
        QVERIFY2(!TraceDecoding::decodeVrChannel(QVector<QString>(size, "0001"), 1, 0, 0, 0, 1, 1, &decoded),
                 qPrintable(QString::number(size)));
        QVERIFY(decoded.values.isEmpty() && decoded.io.isEmpty());
    }
    QVERIFY(!TraceDecoding::decodeVrChannel(numberedRing(), 3, 0, 0, 0, 1, 1, &decoded));

    const TraceDecoding::HxqChannels hxq = TraceDecoding::hxqChannels({"0001", "FFFF", "0002", "8000", "0003"});
    QCOMPARE(hxq.values1, (QVector<int>{1, 2, 3}));
    QCOMPARE(hxq.values2, (QVector<int>{-1, -32768}));
    QCOMPARE(hxq.raw2, (QVector<QString>{"FFFF", "8000"}));
    QVERIFY(TraceDecoding::vrQuarters(QVector<QString>(3, "0001"))[0].isEmpty());
    const auto quarters = TraceDecoding::vrQuarters(QVector<QString>(4097, "0001"));
    QCOMPARE(quarters[3].size(), 1024);
}

void TestCaptureCoding::windowDecodesAnUpload()
{
    TempWorkDir work;
    staticWindow window;
    // One full VR upload: quarter k holds the words k*1024 .. k*1024+1023 (raw kind, 16 bits).
    QVector<QString> upload;
    for (int k = 0; k < 4; ++k)
        upload += QVector<QString>(1024, hex4(k + 1));
    upload[1024 + 300] = QStringLiteral("8005");
    window.triggerIndex = 300;
    window.ui->spinBox_pretrigger->setValue(10);
    window.readGraphDataRecieve(upload);
    QCOMPARE(window.rawCH4.size(), 1024);
    window.decodeChannel(window.rawCH2, 2, 0);
    QCOMPARE(window.dataCH2.size(), 1024);
    QCOMPARE(window.dataCH2.at(10), 5);
    QCOMPARE(int(window.dataIO2.at(10)), 1);
    window.decodeChannel(window.rawCH1, 7, 0);
    QVERIFY(window.dataCH1.isEmpty());

    // 32-bit samples with no active trigger: no pretrigger, and the box says so.
    window.sampleWidth = 2;
    window.ui->spinBox_pretrigger->setValue(30);
    window.decodeChannel(window.rawCH3, 3, 0);
    QCOMPARE(window.ui->spinBox_pretrigger->value(), 0);
    QCOMPARE(window.dataCH3.size(), 512);
    QCOMPARE(window.dataCH3.first(), 0x30003);
    // Trigger 2 alone active: the pretrigger stands.
    window.ui->comboBox_triggerType2->setCurrentIndex(1);
    window.ui->comboBox_triggerChoose2->setCurrentIndex(1);
    window.ui->spinBox_pretrigger->setValue(30);
    window.decodeChannel(window.rawCH3, 3, 0);
    QCOMPARE(window.ui->spinBox_pretrigger->value(), 30);
    QList<int> wide; // the variables recorded as 32-bit values
    for (int v = -1; v <= 32; ++v)
        if (SamplerCoding::isWideVariable(v))
            wide << v;
    QCOMPARE(wide, (QList<int>{4, 5, 6, 7, 16}));

    // A set-up write is acknowledged by its own echo only: a frame whose CRC fails is none.
    WriteEcho write("2001", "0000");
    const auto echo = [&](const char *text) {
        write.send([&] { handOverAsTheLink([&] { window.recevieWriteGraphToCheck(QString::fromLatin1(text)); }); });
        return write.confirmed();
    };
    QVERIFY(!echo("0106200100000000"));
    QVERIFY(echo("010620010000D3CA"));
}

QTEST_MAIN(TestCaptureCoding)
#include "tst_capturecoding.moc"
