// What the line may still owe after a give-up: which requests wait for the settle, which
// replies are held until the line stays quiet, and that the settle always ends.

#include "linedoubt.h"
#include "testframes.h"

#include <QtTest>

using TestFrames::frame;
using Verdict = LineDoubt::Verdict;
Q_DECLARE_METATYPE(LineDoubt::Verdict)

namespace {

constexpr int kSettle = 1100;

const QByteArray readOne = frame("010300100001");   // one word at 0010, station 1
const QByteArray readOneElse = frame("010300200001"); // one word elsewhere: the same reply shape
const QByteArray readTwo = frame("010300100002");
const QByteArray readOther = frame("020300100001");  // station 2
const QByteArray writeOne = frame("01060020000A");
const QByteArray writeOther = frame("01060020000B");
const QByteArray replyOne = frame("0103021234");
const QByteArray replyTwo = frame("01030412345678");
const QByteArray exception03 = frame("018302");

} // namespace

class LineDoubtTest : public QObject
{
    Q_OBJECT

private slots:
    void whoWaitsForTheSettle_data();
    void whoWaitsForTheSettle();
    void settleAlwaysEnds_data();
    void settleAlwaysEnds();
    void verdicts_data();
    void verdicts();
    void backInStep();
};

// After a request to station 1 was given up, only a read its late reply could answer waits;
// writes (even the same write again), other lengths and other stations go at once.
void LineDoubtTest::whoWaitsForTheSettle_data()
{
    QTest::addColumn<QByteArray>("givenUp");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<bool>("waits");
    QTest::newRow("a read of the same length") << readOne << readOneElse << true;
    QTest::newRow("a read of another length") << readOne << readTwo << false;
    QTest::newRow("another station") << readOne << readOther << false;
    QTest::newRow("a write") << readOne << writeOne << false;
    QTest::newRow("the same write again") << writeOne << writeOne << false;
}

void LineDoubtTest::whoWaitsForTheSettle()
{
    QFETCH(QByteArray, givenUp);
    QFETCH(QByteArray, request);
    QFETCH(bool, waits);
    LineDoubt doubt;
    doubt.gaveUp(givenUp, 1000, kSettle, 1400);
    QCOMPARE(doubt.mayGoAt(request, 1400), waits ? 1000 + kSettle : 1400);
    QCOMPARE(doubt.mayGoAt(request, 1000 + kSettle), 1000 + kSettle);
}

// A request given up just before, at or after the end of its own settle time (a window had asked
// for that long): the next request waits at most until that end, never for good.
void LineDoubtTest::settleAlwaysEnds_data()
{
    QTest::addColumn<int>("onLineMs");
    for (int ms : {kSettle - 1, kSettle, kSettle + 1, 60000})
        QTest::addRow("given up after %d ms", ms) << ms;
}

void LineDoubtTest::settleAlwaysEnds()
{
    QFETCH(int, onLineMs);
    LineDoubt doubt;
    const qint64 sent = 5000;
    const qint64 now = sent + onLineMs;
    doubt.gaveUp(readOne, sent, kSettle, now);
    QCOMPARE(doubt.mayGoAt(readOneElse, now), qMax(now, sent + kSettle));
    // A clock read before the request went out does not push the end further.
    doubt.gaveUp(readOne, now + 10, kSettle, now);
    QCOMPARE(doubt.mayGoAt(readOneElse, now), now + kSettle);
}

// A reply that could be the late one is held; one that could not puts the line in step.
void LineDoubtTest::verdicts_data()
{
    QTest::addColumn<QByteArray>("givenUp");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<Verdict>("verdict");
    QTest::newRow("same shape") << readOne << readOneElse << replyOne << Verdict::Hold;
    QTest::newRow("other length") << readOne << readTwo << replyTwo << Verdict::Take;
    QTest::newRow("other station") << readOne << readOther << frame("0203021234") << Verdict::Take;
    QTest::newRow("exception after a read") << readOne << readTwo << exception03 << Verdict::Hold;
    QTest::newRow("exception after a write") << writeOne << readOne << exception03 << Verdict::Take;
    QTest::newRow("another write's echo") << writeOne << writeOther << writeOther << Verdict::Take;
    QTest::newRow("the same write's echo") << writeOne << writeOne << writeOne << Verdict::TakeSame;
    QTest::newRow("nothing given up") << QByteArray() << readOne << replyOne << Verdict::Take;
}

void LineDoubtTest::verdicts()
{
    QFETCH(QByteArray, givenUp);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    QFETCH(Verdict, verdict);
    LineDoubt doubt;
    doubt.gaveUp(givenUp, 0, kSettle, 500);
    QCOMPARE(doubt.judge(request, reply), verdict);
}

// Once in step nothing is owed; a drive found a reply behind owes again and settles from then.
void LineDoubtTest::backInStep()
{
    LineDoubt doubt;
    doubt.gaveUp(readOne, 0, kSettle, 400);
    doubt.inStep(1);
    QVERIFY(!doubt.owes(1));
    QCOMPARE(doubt.judge(readOneElse, replyOne), Verdict::Take);
    QCOMPARE(doubt.mayGoAt(readOneElse, 500), 500);

    doubt.behind(readTwo, kSettle, 3000);
    QCOMPARE(doubt.judge(readTwo, replyTwo), Verdict::Hold);
    QCOMPARE(doubt.mayGoAt(readTwo, 3000), 3000 + kSettle);
    QCOMPARE(doubt.judge(readOne, replyOne), Verdict::Take);
}

QTEST_APPLESS_MAIN(LineDoubtTest)
#include "tst_linedoubt.moc"
