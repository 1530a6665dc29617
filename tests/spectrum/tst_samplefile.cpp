// The spectrum sample file: what the reader takes from a file, and a saved file read back.

#include "samplefile.h"

#include <QTemporaryDir>
#include <QtTest>

using SampleFile::Contents;

namespace {

QString numbers(int count)
{
    QString line;
    for (int i = 0; i < count; ++i)
        line += QString::number(i % 7 - 3) + QLatin1Char(',');
    return line;
}

QString eightLines(const QString &line4, const QString &line8, const QString &end = QStringLiteral("\n"))
{
    QStringList lines = {QStringLiteral("2020-05-06_14-03-59"), QString(), QStringLiteral("125"), line4,
                         QStringLiteral("torque feedback"), QStringLiteral("Value"), QStringLiteral("CH1:"), line8};
    return lines.join(end) + end;
}

} // namespace

class TestSampleFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void saveAndReadBack();
};

void TestSampleFile::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("multiplier"); // -1: line 4 held no field
    QTest::addColumn<int>("count");
    QTest::addColumn<QVector<int>>("head");

    QTest::newRow("first field of line 4, empty fields skipped")
        << eightLines(QStringLiteral("3,abc"), QStringLiteral("1,,2,") + numbers(1022)) << int(Contents::Ok) << 3
        << 1024 << QVector<int>{1, 2, -3};
    QTest::newRow("1024 values, trailing comma") << eightLines(QStringLiteral("1"), numbers(1024)) << int(Contents::Ok)
                                                 << 1 << 1024 << QVector<int>{-3, -2, -1};
    QTest::newRow("interval 99, the largest") << eightLines(QStringLiteral("99"), numbers(1024)) << int(Contents::Ok)
                                              << 99 << 1024 << QVector<int>{-3};
    QTest::newRow("1023 values") << eightLines(QStringLiteral("2"), numbers(1023)) << int(Contents::TooFewSamples)
                                 << 2 << 0 << QVector<int>();
    QTest::newRow("1025 values") << eightLines(QStringLiteral("2"), numbers(1025)) << int(Contents::TooManySamples)
                                 << 2 << 0 << QVector<int>();
    QTest::newRow("a line longer than any valid one") << eightLines(QStringLiteral("2"), QString(20000, '7'))
                                                      << int(Contents::TooManySamples) << 2 << 0 << QVector<int>();
    // Each sample is followed by a comma: no line end after one is a file cut inside its last sample.
    QTest::newRow("cut inside the last sample") << eightLines(QStringLiteral("1"), numbers(1023) + "12").chopped(1)
                                                << int(Contents::EndsInsideLine) << 1 << 0 << QVector<int>();
    QTest::newRow("no line end after the last comma") << eightLines(QStringLiteral("1"), numbers(1024)).chopped(1)
                                                      << int(Contents::Ok) << 1 << 1024 << QVector<int>{-3};
    QTest::newRow("line end, no last comma") << eightLines(QStringLiteral("1"), numbers(1024).chopped(1))
                                             << int(Contents::Ok) << 1 << 1024 << QVector<int>{-3};
    QTest::newRow("no last comma, lines after it") << eightLines(QStringLiteral("1"), numbers(1024).chopped(1)) + "9"
                                                   << int(Contents::Ok) << 1 << 1024 << QVector<int>{-3};
    QTest::newRow("CR LF line ends") << eightLines(QStringLiteral("4"), numbers(1024), QStringLiteral("\r\n"))
                                     << int(Contents::Ok) << 4 << 1024 << QVector<int>{-3, -2};
    QTest::newRow("capture file: line 4 and 8 of a .Static")
        << QStringLiteral("a\nb\nc\n2,150,0,\nd\ne\nf\n") + numbers(1024) + QStringLiteral("\n40,50,\n")
        << int(Contents::Ok) << 2 << 1024 << QVector<int>{-3, -2};
    QTest::newRow("seven lines") << QStringLiteral("1\n2\n3\n4\n5\n6\n7\n") << int(Contents::NoSamples) << 4 << 0
                                 << QVector<int>();
    QTest::newRow("empty line 8, empty line 4") << eightLines(QString(), QString()) << int(Contents::NoSamples) << -1
                                                << 0 << QVector<int>();
    QTest::newRow("empty file") << QString() << int(Contents::NoSamples) << -1 << 0 << QVector<int>();
}

void TestSampleFile::read()
{
    QFETCH(QString, text);
    QFETCH(int, status);
    QFETCH(int, multiplier);
    QFETCH(int, count);
    QFETCH(QVector<int>, head);

    const Contents c = SampleFile::readText(text);
    QCOMPARE(int(c.status), status);
    QCOMPARE(c.hasMultiplier ? c.multiplier : -1, multiplier);
    QCOMPARE(c.samples.size(), count);
    QCOMPARE(c.samples.mid(0, head.size()), head);
}

void TestSampleFile::saveAndReadBack()
{
    QTemporaryDir dir;
    SampleFile::Header header;
    header.multiplier = 7;
    header.channel = QStringLiteral("转矩反馈");
    const QVector<int> samples = QVector<int>{12, -3} + QVector<int>(1022, 7);
    const QString path = dir.filePath(QStringLiteral("a.fft"));

    QString error;
    QVERIFY(SampleFile::save(path, SampleFile::format(header, samples), &error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const Contents back = SampleFile::read(&file);
    QCOMPARE(back.samples, samples);
    QCOMPARE(back.multiplier, 7);

    // A folder that does not exist: an error, and no file.
    const QString lost = dir.filePath(QStringLiteral("no/such/b.fft"));
    QVERIFY(!SampleFile::save(lost, QStringLiteral("x"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(lost));
}

QTEST_GUILESS_MAIN(TestSampleFile)
#include "tst_samplefile.moc"
