// The one wait for the drive: it ends at its limit even when nothing else happens, ends at
// once when its condition comes true, keeps other slots running, and sleeps while it waits.

#include "boundedwait.h"
#include "framecodec.h"
#include "linkstandin.h"
#include "writeecho.h"

#include <QtTest>

#include <sys/resource.h>

namespace {

qint64 cpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000 + usage.ru_utime.tv_usec
        + usage.ru_stime.tv_usec;
}

} // namespace

class BoundedWaitTest : public QObject
{
    Q_OBJECT

private slots:
    void endsAtItsLimitOnAQuietLoop_data();
    void endsAtItsLimitOnAQuietLoop();
    void endsWhenTheConditionComesTrue();
    void sleepsWhileWaiting();
    void aWriteIsDoneOnItsOwnEchoOnly();
};

void BoundedWaitTest::endsAtItsLimitOnAQuietLoop_data()
{
    QTest::addColumn<int>("limit");
    for (int limit : {1, 40, 300})
        QTest::addRow("%d ms", limit) << limit;
}

void BoundedWaitTest::endsAtItsLimitOnAQuietLoop()
{
    QFETCH(int, limit);
    // With no event of its own, a wait that missed its wake-up would sleep until this rescue.
    QTimer rescue;
    rescue.setSingleShot(true);
    rescue.start(limit + 3000);
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!BoundedWait::until([] { return false; }, limit));
        QVERIFY2(clock.elapsed() >= limit, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(clock.elapsed() < limit + 2000, "the wait missed its limit");
        QVERIFY(rescue.isActive());
    }
}

void BoundedWaitTest::endsWhenTheConditionComesTrue()
{
    // Already true: no wait at all.
    QVERIFY(BoundedWait::until([] { return true; }, 0));

    // Another window's wait runs inside this one (a slot called from the event loop); the
    // outer wait still ends when the inner one has set its flag.
    bool innerDone = false;
    QTimer::singleShot(10, [&innerDone] {
        BoundedWait::pause(100);
        innerDone = true;
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(BoundedWait::until([&innerDone] { return innerDone; }, 5000));
    QVERIFY(clock.elapsed() < 4000);
}

void BoundedWaitTest::sleepsWhileWaiting()
{
    // A 300 ms wait on a silent drive costs next to no CPU (a spinning wait costs ~300 ms).
    const qint64 before = cpuMicroseconds();
    BoundedWait::pause(300);
    const qint64 used = cpuMicroseconds() - before;
    QVERIFY2(used < 60000, qPrintable(QStringLiteral("%1 us of CPU").arg(used)));
}

// Two writes of the same value wait at once; a stop's echo comes between them.
void BoundedWaitTest::aWriteIsDoneOnItsOwnEchoOnly()
{
    const QString echo = "010601020064" + FrameCodec::crc16Modbus("010601020064");
    const QString stopEcho = "010620010000" + FrameCodec::crc16Modbus("010620010000");
    WriteEcho first("0102", "0064");
    WriteEcho second("0102", "0064");
    const auto takeRequest = [] { LineTickets::describe(LineTickets::take(), QByteArray::fromHex("010601020064FFFF")); };
    QVERIFY(first.send(takeRequest) != 0);
    QVERIFY(second.send(takeRequest) == first.ticket() + 1);

    QVERIFY2(!WriteEcho::offer(echo), "an echo the link is not handing over confirms nothing");
    {
        const LineTickets::Delivery delivery(first.ticket());
        QVERIFY2(!WriteEcho::offer(stopEcho), "a stop's echo confirmed a gain write");
    }
    {
        const LineTickets::Delivery delivery(second.ticket());
        QVERIFY(WriteEcho::offer(echo));
    }
    QVERIFY(second.confirmed());
    QVERIFY2(!first.confirmed(), "the second write's echo confirmed the first");

    // A second try waits for its own echo again; one handed over inside the emit counts.
    QVERIFY(second.send(takeRequest) != 0);
    QVERIFY(!second.confirmed());
    second.send([&] { handOverAsTheLink([&] { WriteEcho::offer(echo); }); });
    QVERIFY(second.confirmed());
    // Other slots may ask for more inside the emit, before and after the link takes the write.
    WriteEcho amid("0102", "0064");
    const auto takeRead = [] { LineTickets::describe(LineTickets::take(), QByteArray::fromHex("010301020001FFFF")); };
    const LineTickets::Ticket taken = amid.send([&] { takeRead(), takeRequest(), takeRead(); });
    QCOMPARE(taken, LineTickets::lastTaken() - 1);
    // A write the link took no request for is not waited for; nor is one it took for another
    // frame (another slot's request inside the emit).
    WriteEcho unsent("0102", "0065");
    QCOMPARE(unsent.send([] {}), LineTickets::Ticket(0));
    QCOMPARE(unsent.send(takeRequest), LineTickets::Ticket(0));
    QVERIFY(!unsent.wait(10000));
}

QTEST_GUILESS_MAIN(BoundedWaitTest)
#include "tst_boundedwait.moc"
