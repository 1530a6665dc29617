// The capture files alone: .Static round trips for both families and both sample widths,
// malformed files refused whole with the line they fail on, and the exact .QCS layout.

#include "capturefiles.h"

#include <QtTest>

using namespace CaptureFiles;

namespace {

StaticCapture vrCapture(int samples)
{
    StaticCapture c;
    c.family = Vr;
    c.stamp = QStringLiteral("2026-12-07_10-00-00");
    c.model = QStringLiteral("VR-100A");
    c.settings = QStringList{"3", "One shot", "Rising edge trigge", "CH1 data", "-120", "No trigger", "No", "429496729", "511"};
    for (int trace = 0; trace < 8; ++trace) {
        c.names.append(trace % 2 ? QStringLiteral("/S-ON") : QStringLiteral("Speed feedback (rpm)"));
        QVector<int> values;
        for (int i = 0; i < samples; ++i)
            values.append(trace % 2 ? (i / 7) % 2 : (i - 300) * 7919 * (trace + 1));
        c.values.append(values);
    }
    if (samples > 1) {
        c.values[0][0] = 2147483647;
        c.values[2][1] = -2147483647 - 1;
    }
    return c;
}

StaticCapture hxqCapture()
{
    StaticCapture c;
    c.family = Hxq;
    c.stamp = QStringLiteral("2026-12-07_10-00-00");
    c.settings = QStringList{"10000", "Edge trigger", "-5000"};
    c.names = QStringList{QStringLiteral("Speed feedback"), QStringLiteral("Iv")};
    c.values = {{1, -1, 32767, -32768}, {0, 16, -300}};
    return c;
}

QString vrText()
{
    return formatStatic(vrCapture(4), QStringLiteral("通道设置"), QStringLiteral("数值"));
}

QString replaceLine(QString text, int line, const QString &with)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    lines[line - 1] = with;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class CaptureFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void malformed_data();
    void malformed();
    void quickChangeLayout();
};

void CaptureFilesTest::roundTrip_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("samples");
    QTest::newRow("VR 16-bit") << int(Vr) << 1024;
    QTest::newRow("VR 32-bit") << int(Vr) << 512;
    QTest::newRow("VR before any capture") << int(Vr) << 0;
    QTest::newRow("HXQ") << int(Hxq) << 4;
}

void CaptureFilesTest::roundTrip()
{
    QFETCH(int, family);
    QFETCH(int, samples);
    const StaticCapture saved = family == Vr ? vrCapture(samples) : hxqCapture();
    const QString text = formatStatic(saved, QStringLiteral("Channel Settings"), QStringLiteral("value"));
    QCOMPARE(text.count(QLatin1Char('\n')), staticLineCount(family));
    QCOMPARE(staticLineCount(family), family == Vr ? 29 : 11);
    // Every value is written, the last I/O value too, each followed by a comma.
    const QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.at(7).count(QLatin1Char(',')), saved.values.at(0).size());
    QCOMPARE(lines.at(10).count(QLatin1Char(',')), saved.values.at(1).size());

    // CR LF line ends (a file from a Windows machine) read the same, and so does a file whose
    // last line lost its line end, or (with its line end) the comma after its last value, or that
    // ends in blanks.
    QStringList variants{text, QString(text).replace(QLatin1String("\n"), QLatin1String("\r\n")), text + "  "};
    if (samples)
        variants << text.chopped(1) << QString(text).remove(text.size() - 2, 1);
    for (const QString &variant : variants) {
        const StaticParse parse = parseStatic(variant, family);
        QVERIFY2(parse.ok(), qPrintable(describe(parse)));
        QCOMPARE(parse.capture.settings, saved.settings);
        QCOMPARE(parse.capture.names, saved.names);
        QCOMPARE(parse.capture.values, saved.values);
        QCOMPARE(parse.capture.model, saved.model);
    }
}

void CaptureFilesTest::malformed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("problem");
    QTest::addColumn<int>("line");
    const QString vr = vrText();
    const QString hxq = formatStatic(hxqCapture(), QStringLiteral("通道设置"), QStringLiteral("数值"));
    QTest::newRow("empty file") << QString() << int(Vr) << int(Problem::EndsEarly) << 1;
    QTest::newRow("ends early") << vr.section(QLatin1Char('\n'), 0, 19) << int(Vr) << int(Problem::EndsEarly) << 21;
    QTest::newRow("cut inside the last value") << hxq.chopped(3) << int(Hxq) << int(Problem::EndsInsideLine) << 11;
    // The other family's layout is called so; wrong line counts without a settings line are no capture file.
    QTest::newRow("HXQ file under VR") << hxq << int(Vr) << int(Problem::OtherFamily) << 0;
    QTest::newRow("HXQ file and blank lines under VR") << hxq + QString(18, QLatin1Char('\n')) << int(Vr) << int(Problem::OtherFamily) << 0;
    QTest::newRow("VR file under HXQ") << vr << int(Hxq) << int(Problem::OtherFamily) << 0;
    QTest::newRow("binary garbage") << QString(QByteArray(999, '\x9c') + '\n').repeated(40) << int(Vr) << int(Problem::NotCaptureFile) << 0;
    QTest::newRow("extra line") << vr + QStringLiteral("1,2,\n") << int(Vr) << int(Problem::TooManyLines) << 30;
    QTest::newRow("8 settings") << replaceLine(vr, 4, "3,One shot,a,b,0,c,d,0") << int(Vr) << int(Problem::ShortSettings) << 4;
    QTest::newRow("2 HXQ settings") << replaceLine(hxq, 4, "1,Edge trigger") << int(Hxq) << int(Problem::ShortSettings) << 4;
    QTest::newRow("interval 0") << replaceLine(vr, 4, "0,a,b,c,0,d,e,0,0") << int(Vr) << int(Problem::BadSetting) << 4;
    QTest::newRow("pre-trigger 512") << replaceLine(vr, 4, "1,a,b,c,0,d,e,0,512") << int(Vr) << int(Problem::BadSetting) << 4;
    QTest::newRow("level text") << replaceLine(vr, 4, "1,a,b,c,x9,d,e,0,0") << int(Vr) << int(Problem::BadSetting) << 4;
    QTest::newRow("threshold 5001") << replaceLine(hxq, 4, "1,a,5001") << int(Hxq) << int(Problem::BadSetting) << 4;
    QTest::newRow("no IO3 name") << replaceLine(vr, 22, ",,") << int(Vr) << int(Problem::MissingName) << 22;
    QTest::newRow("garbage value") << replaceLine(vr, 14, "1,2,3.5,") << int(Vr) << int(Problem::BadValue) << 14;
    QTest::newRow("hex value") << replaceLine(vr, 26, "0x10,") << int(Vr) << int(Problem::BadValue) << 26;
    QTest::newRow("IO beyond 16 bits") << replaceLine(vr, 29, "1,40000,") << int(Vr) << int(Problem::BadValue) << 29;
    QTest::newRow("channel beyond 32 bits") << replaceLine(vr, 8, "2147483648,") << int(Vr) << int(Problem::BadValue) << 8;
    QTest::newRow("HXQ word beyond 16 bits") << replaceLine(hxq, 11, "32768,") << int(Hxq) << int(Problem::BadValue) << 11;
}

void CaptureFilesTest::malformed()
{
    QFETCH(QString, text);
    QFETCH(int, family);
    QFETCH(int, problem);
    QFETCH(int, line);
    const StaticParse parse = parseStatic(text, family);
    QCOMPARE(int(parse.problem), problem);
    QCOMPARE(parse.line, line);
    // Nothing of a refused file is handed on, and the reason names its line.
    QVERIFY(parse.capture.values.isEmpty() && parse.capture.names.isEmpty());
    QVERIFY(describe(parse).contains(line ? QString::number(line) : QString()));
}

void CaptureFilesTest::quickChangeLayout()
{
    const QVector<QVector<int>> traces{{1, -2}, {0, 1, 1}, {}, {1}, {-2147483647 - 1}, {}, {5}, {0, 1}};
    QCOMPARE(formatQuickChange(traces),
             QStringLiteral("1\t1\t-2\t\n2\t0\t1\t1\t\n3\t\n4\t1\t\n5\t-2147483648\t\n6\t\n7\t5\t\n8\t0\t1\t"));
    QCOMPARE(formatQuickChange({}), QStringLiteral("1\t\n2\t\n3\t\n4\t\n5\t\n6\t\n7\t\n8\t"));
}

QTEST_MAIN(CaptureFilesTest)
#include "tst_capturefiles.moc"
