// The holder of the drive's command registers: one operation at a time, a start elsewhere
// refused while it runs, and nothing left held once it has ended, however it ended.

#include <QObject>
#include <QtTest>

#include <memory>

#include "drivecommands.h"

using DriveCommands::Hold;
using DriveCommands::Operation;

class TestDriveCommands : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void oneHolderAtATime();
    void aHoldEndsWithItsOperation_data();
    void aHoldEndsWithItsOperation();
    void theRefusalNamesTheHolder();
};

void TestDriveCommands::cleanup()
{
    QVERIFY2(!DriveCommands::isHeld(), "a case left the registers held");
}

void TestDriveCommands::oneHolderAtATime()
{
    QObject reset, capture;
    QVERIFY(DriveCommands::take(&reset, Operation::FactoryReset));
    QVERIFY(!DriveCommands::take(&capture, Operation::Capture));
    QVERIFY(DriveCommands::heldByOther(&capture));
    QVERIFY(!DriveCommands::heldByOther(&reset));
    {
        Hold refused(&capture, Operation::Capture);
        QVERIFY(!refused.taken());
    }
    // Neither the refused hold's end nor the other window's release frees the holder's.
    DriveCommands::release(&capture);
    QVERIFY(DriveCommands::heldByOther(&capture));
    // The holder may go on to its next operation under the same hold.
    QVERIFY(DriveCommands::take(&reset, Operation::Jog));
    QCOMPARE(DriveCommands::refusalReason(), QStringLiteral("drive command registers held by JOG"));
    DriveCommands::release(&reset);
    QVERIFY(DriveCommands::take(&capture, Operation::Capture));
    DriveCommands::release(&capture);
}

void TestDriveCommands::aHoldEndsWithItsOperation_data()
{
    QTest::addColumn<int>("end");
    QTest::newRow("the operation returns") << 0;
    QTest::newRow("released before its box") << 1;
    QTest::newRow("its owner is destroyed") << 2;
    QTest::newRow("inside the owner's own running hold") << 3;
}

void TestDriveCommands::aHoldEndsWithItsOperation()
{
    QFETCH(int, end);
    QObject other;
    auto owner = std::make_unique<QObject>();
    if (end == 3)
        QVERIFY(DriveCommands::take(owner.get(), Operation::Capture));
    {
        Hold hold(owner.get(), Operation::SpectrumCapture);
        QVERIFY(hold.taken());
        QVERIFY(DriveCommands::heldByOther(&other));
        if (end == 1) {
            hold.release();
            QVERIFY(!DriveCommands::isHeld());
        }
        if (end == 2)
            owner.reset();
    }
    if (end == 3) {
        // The inner hold gave back nothing: the running operation still holds them, under its name.
        QCOMPARE(DriveCommands::refusalReason(), QStringLiteral("drive command registers held by capture"));
        DriveCommands::release(owner.get());
    }
    QVERIFY(!DriveCommands::isHeld());
    Hold next(&other, Operation::FactoryReset);
    QVERIFY(next.taken());
}

void TestDriveCommands::theRefusalNamesTheHolder()
{
    QObject motorData;
    Hold hold(&motorData, Operation::MotorExecute);
    const QString reason = DriveCommands::refusalReason();
    QCOMPARE(reason, QStringLiteral("drive command registers held by motor data execute"));
    QVERIFY(DriveCommands::refusalText().contains(DriveCommands::holderName()));
    QVERIFY(!DriveCommands::shownReason(reason).isEmpty());
    QVERIFY(DriveCommands::shownReason(QStringLiteral("no answer from the drive")).isEmpty());
    QVERIFY(DriveCommands::shownReason(QStringLiteral("drive command registers held by nobody")).isEmpty());
}

QTEST_GUILESS_MAIN(TestDriveCommands)
#include "tst_drivecommands.moc"
