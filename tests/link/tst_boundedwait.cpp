// The one wait for the drive: it ends at its limit even when nothing else happens, ends at
// once when its condition comes true, keeps other slots running, and sleeps while it waits.

#include "boundedwait.h"

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

QTEST_GUILESS_MAIN(BoundedWaitTest)
#include "tst_boundedwait.moc"
