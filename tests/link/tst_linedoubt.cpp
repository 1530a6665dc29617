// What the line may still owe after a give-up: which requests wait for the settle, which replies
// are held until the line stays quiet, and that the settle always ends.

#include "linedoubt.h"
#include "testframes.h"

#include <QtTest>

using TestFrames::frame;
using Verdict = LineDoubt::Verdict;
Q_DECLARE_METATYPE(LineDoubt::Verdict)

namespace {
constexpr int kSettle = 1100;
const QByteArray readOne = frame("010300100001"); // one word of station 1
const QByteArray readTwo = frame("010300100002");
const QByteArray writeOne = frame("01060020000A");
const QByteArray replyOne = frame("0103021234");
const QByteArray writeTwo = frame("0110003000020400640000");
const QByteArray echoTwo = frame("011000300002");
} // namespace

class LineDoubtTest : public QObject
{
    Q_OBJECT

private slots:
    void afterAGiveUp_data();
    void afterAGiveUp();
    void settleAlwaysEnds_data();
    void settleAlwaysEnds();
    void backInStep();
};

// Only a read its late reply could answer waits for the settle, and only a reply that could be the
// late one is held; a write's echo of the same write is taken, but the line still owes.
void LineDoubtTest::afterAGiveUp_data()
{
    QTest::addColumn<QByteArray>("givenUp");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("waits");
    QTest::addColumn<Verdict>("verdict");
    QTest::newRow("same shape") << readOne << frame("010300200001") << replyOne << true << Verdict::Hold;
    QTest::newRow("other length") << readOne << readTwo << frame("01030412345678") << false << Verdict::Take;
    QTest::newRow("other station") << readOne << frame("020300100001") << frame("0203021234") << false << Verdict::Take;
    QTest::newRow("exception after a read") << readOne << readTwo << frame("018302") << false << Verdict::Hold;
    QTest::newRow("exception after a write") << writeOne << readOne << frame("018302") << false << Verdict::Take;
    QTest::newRow("another write") << readOne << writeOne << writeOne << false << Verdict::Take;
    QTest::newRow("the same write again") << writeOne << writeOne << writeOne << false << Verdict::TakeSame;
    QTest::newRow("06 of another value") << writeOne << frame("01060020000B") << frame("01060020000B") << false
                                         << Verdict::Take;
    // A function 10 echo repeats no values: the late echo of a write of other values looks the same.
    QTest::newRow("10 of other values") << writeTwo << frame("0110003000020400C80000") << echoTwo << false
                                        << Verdict::Hold;
    QTest::newRow("10 of the same values") << writeTwo << writeTwo << echoTwo << false << Verdict::TakeSame;
    QTest::newRow("10 to other registers") << writeTwo << frame("0110003200020400C80000")
                                           << frame("011000320002") << false << Verdict::Take;
    QTest::newRow("nothing given up") << QByteArray() << readOne << replyOne << false << Verdict::Take;
}

void LineDoubtTest::afterAGiveUp()
{
    QFETCH(QByteArray, givenUp);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    QFETCH(bool, waits);
    QFETCH(Verdict, verdict);
    LineDoubt doubt;
    doubt.gaveUp(givenUp, 1000, kSettle, 1400);
    QCOMPARE(doubt.mayGoAt(request, 1400), waits ? 1000 + kSettle : 1400);
    QCOMPARE(doubt.judge(request, reply), verdict);
}

// Given up just before, at or after the end of its own settle time (a window had asked for that
// long), or with a clock read before it went out: the next request waits at most until that end.
void LineDoubtTest::settleAlwaysEnds_data()
{
    QTest::addColumn<int>("onLineMs");
    for (int ms : {kSettle - 1, kSettle, kSettle + 1, 60000, -10})
        QTest::addRow("given up after %d ms", ms) << ms;
}

void LineDoubtTest::settleAlwaysEnds()
{
    QFETCH(int, onLineMs);
    LineDoubt doubt;
    const qint64 sent = 5000, now = sent + onLineMs;
    doubt.gaveUp(readOne, sent, kSettle, now);
    QCOMPARE(doubt.mayGoAt(readOne, now), qMax(now, qMin(sent, now) + kSettle));
}

// Once in step nothing is owed; a drive found a reply behind owes again and settles from then.
void LineDoubtTest::backInStep()
{
    LineDoubt doubt;
    doubt.gaveUp(readOne, 0, kSettle, 400);
    doubt.inStep(1);
    QCOMPARE(doubt.judge(readOne, replyOne), Verdict::Take);
    doubt.behind(readTwo, kSettle, 3000);
    QCOMPARE(doubt.judge(readTwo, frame("01030412345678")), Verdict::Hold);
    QCOMPARE(doubt.mayGoAt(readTwo, 3000), 3000 + kSettle);
    QCOMPARE(doubt.judge(readOne, replyOne), Verdict::Take);
}

QTEST_APPLESS_MAIN(LineDoubtTest)
#include "tst_linedoubt.moc"
