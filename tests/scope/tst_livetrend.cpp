// The live trend's rules (reply decoding, kept values, trimming, the file text) and the value
// tag that rides on the plot's right-hand axis.

#include "axistag.h"
#include "filelocations.h"
#include "livetrend.h"
#include "simlive.h"

#include <QtTest>

#include <cmath>

class TestLiveTrend : public QObject
{
    Q_OBJECT

private slots:
    void decoding_data();
    void decoding();
    void historyAndTrimmingKeepTheNewest();
    void silentReadsNote();
    void fileText_data();
    void fileText();
    void tagRidesOnTheAxis();
    void tagSurvivesClearedItems();
    void simulatedVariablesMove();
};

void TestLiveTrend::decoding_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("wordCount");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("value");

    QTest::newRow("one word, lowest") << QStringList{"8000"} << 1 << true << -32768;
    QTest::newRow("one word, lower case") << QStringList{"01f4"} << 1 << true << 500;
    QTest::newRow("two words, lowest") << QStringList{"0000", "8000"} << 2 << true << int(0x80000000);
    QTest::newRow("two words, low word first") << QStringList{"0001", "0000"} << 2 << true << 1;
    QTest::newRow("two words, both halves") << QStringList{"5678", "1234"} << 2 << true << 0x12345678;
    QTest::newRow("not hex reads 0") << QStringList{"ZZZZ"} << 1 << true << 0;
    QTest::newRow("one word short of two") << QStringList{"0001"} << 2 << false << 0;
    QTest::newRow("no read pending") << QStringList{"0001"} << 0 << false << 0;
    QTest::newRow("empty reply") << QStringList{} << 1 << false << 0;
}

void TestLiveTrend::decoding()
{
    QFETCH(QStringList, words);
    QFETCH(int, wordCount);
    QFETCH(bool, taken);
    QFETCH(int, value);
    qint32 decoded = 0;
    QCOMPARE(LiveTrend::decodeValue(words.toVector(), wordCount, &decoded), taken);
    if (taken)
        QCOMPARE(decoded, value);
}

void TestLiveTrend::historyAndTrimmingKeepTheNewest()
{
    using namespace LiveTrend;
    ValueHistory history;
    for (int i = 1; i <= 202; ++i)
        history.append(i);
    const QVector<qint32> values = history.values();
    QCOMPARE(values.size(), 201);
    QCOMPARE(values.first(), 2);
    QCOMPARE(values.last(), 202);

    // Plotted points: nothing is dropped until a batch is due; then the newest KeptPoints stay.
    QVERIFY(std::isinf(keepFromKey(KeptPoints + TrimBatch - 1, 5000)));
    QCOMPARE(keepFromKey(KeptPoints + TrimBatch, 5000), 5000.0 - KeptPoints + 1);
}

// a answered, x silent: the note comes (S) at exactly the 5th silent read in a row, once, and goes (H)
// at the first answer, which starts the count again.
void TestLiveTrend::silentReadsNote()
{
    LiveTrend::SilentReads silence(5);
    QString said;
    for (QChar read : QStringLiteral("xxxxxxxaaxxxxaxxxxxa")) {
        const auto note = silence.count(read == 'a');
        said += note == LiveTrend::SilentReads::Note::Show ? 'S' : note == LiveTrend::SilentReads::Note::Hide ? 'H' : '.';
    }
    QCOMPARE(said, QStringLiteral("....S..H..........SH"));
}

void TestLiveTrend::fileText_data()
{
    QTest::addColumn<QVector<qint32>>("values");
    QTest::addColumn<QString>("dataLine");
    QTest::newRow("no value yet") << QVector<qint32>{} << QString("\n");
    QTest::newRow("signed values") << QVector<qint32>{-5, 0, 2147483647} << QString("-5,0,2147483647,\n");
}

void TestLiveTrend::fileText()
{
    QFETCH(QVector<qint32>, values);
    QFETCH(QString, dataLine);
    QCOMPARE(LiveTrend::fileText("2026-01-02_03-04-05", "VR-A1", "Channel Settings", "Motor speed (min -1)", "Data",
                                 values),
             "2026-01-02_03-04-05\nVR-A1\nChannel Settings\nMotor speed (min -1)\nData\n" + dataLine);
    QCOMPARE(FileLocations::withSuffix("/t/a", ".Dynamic"), QString("/t/a.Dynamic"));
    QCOMPARE(FileLocations::withSuffix("/t/a.dynamic", ".Dynamic"), QString("/t/a.dynamic"));
}

void TestLiveTrend::tagRidesOnTheAxis()
{
    QCustomPlot plot;
    plot.resize(400, 300);
    plot.yAxis2->setVisible(true);
    plot.yAxis2->setRange(0, 10);
    axisTag tag(plot.yAxis2);
    tag.setText("5.00");
    tag.moveToValue(5);
    plot.replot();

    const QRect rect = plot.axisRect()->rect();
    const QPointF head = tag.arrowItem()->end->pixelPosition();
    const QPointF tail = tag.arrowItem()->start->pixelPosition();
    QCOMPARE(head.x(), double(rect.right() + 1));
    QCOMPARE(head.y(), plot.yAxis2->coordToPixel(5));
    QCOMPARE(tail, head + QPointF(15, 0));
    QCOMPARE(tag.labelItem()->position->pixelPosition(), tail);
    QCOMPARE(tag.labelItem()->positionAlignment(), Qt::Alignment(Qt::AlignLeft));

    // A signed three-digit value is wider than the axis's own labels: the plot makes room for it.
    plot.yAxis2->setRange(-600, 10);
    tag.setText("-554.00");
    tag.moveToValue(-554);
    tag.makeRoomFor({"-554.00", "-600.00", "10.00"});
    plot.replot();
    QVERIFY(tag.labelItem()->right->pixelPosition().x() < plot.viewport().right());
}

void TestLiveTrend::tagSurvivesClearedItems()
{
    QCustomPlot plot;
    auto *tag = new axisTag(plot.yAxis2);
    QCOMPARE(plot.itemCount(), 3);
    plot.clearItems();
    // Every operation after the plot took the items is harmless, and so is deleting the tag.
    tag->setPen(QPen(Qt::red));
    tag->setText("1");
    tag->moveToValue(1);
    delete tag;
    QCOMPARE(plot.itemCount(), 0);
    delete new axisTag(plot.yAxis2); // a tag whose items stand takes them out
    QCOMPARE(plot.itemCount(), 0);
}

void TestLiveTrend::simulatedVariablesMove()
{
    // Rest, forward at 1500 min-1, back at -1000 min-1: the motor follows its command, the
    // torque pushes on the ramps, the counters count and trail the command by the deviation.
    const SimLive::Values rest = SimLive::valuesAt(1), ramp = SimLive::valuesAt(3), run = SimLive::valuesAt(6),
                          later = SimLive::valuesAt(8), back = SimLive::valuesAt(17), nextCycle = SimLive::valuesAt(26);
    QCOMPARE(rest.motorSpeed, qint16(0));
    QVERIFY(qAbs(run.motorSpeed - 1500) <= 2 && run.speedCommand == 1500 && run.speedCommandVolts == 500);
    QVERIFY(qAbs(back.motorSpeed + 1000) <= 2);
    QVERIFY(ramp.torqueCommandVolts > run.torqueCommandVolts && run.torqueCommandVolts > 0);
    QVERIFY(back.torqueCommandVolts < 0);
    QCOMPARE(later.feedbackPulses - run.feedbackPulses, 2 * 25 * 10000);
    QCOMPARE(run.commandPulses - run.feedbackPulses, run.deviation);
    QVERIFY(run.deviation > 0 && back.deviation < 0);
    QVERIFY(nextCycle.feedbackPulses > run.feedbackPulses);
}

QTEST_MAIN(TestLiveTrend)
#include "tst_livetrend.moc"
