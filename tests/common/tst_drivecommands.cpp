// The holder of the drive's command registers: one operation at a time, and nothing left held
// once it has ended, however it ended.

#include <QtTest>

#include <memory>

#include "drivecommands.h"

using DriveCommands::Operation;

class TestDriveCommands : public QObject
{
    Q_OBJECT

private slots:
    void aHoldEndsWithItsOperation_data();
    void aHoldEndsWithItsOperation();
};

void TestDriveCommands::aHoldEndsWithItsOperation_data()
{
    QTest::addColumn<int>("end");
    QTest::newRow("the operation returns") << 0;
    QTest::newRow("released before its box") << 1;
    QTest::newRow("its owner is destroyed") << 2;
    QTest::newRow("inside the owner's own running operation") << 3;
}

void TestDriveCommands::aHoldEndsWithItsOperation()
{
    QFETCH(int, end);
    QObject other;
    auto owner = std::make_unique<QObject>();
    if (end == 3)
        QVERIFY(DriveCommands::take(owner.get(), Operation::Capture));
    {
        DriveCommands::Hold hold(owner.get(), Operation::SpectrumCapture);
        QVERIFY(hold.taken());
        QVERIFY(!DriveCommands::take(&other, Operation::FactoryReset));
        DriveCommands::release(&other); // gives back nothing of another's
        if (end == 1)
            hold.release();
        if (end == 2)
            owner.reset();
    }
    // A hold inside the owner's running operation leaves that one holding, under its own name.
    QCOMPARE(DriveCommands::refusalReason(), end == 3 ? QStringLiteral("drive command registers held by capture") : QString());
    DriveCommands::release(owner.get());
    DriveCommands::Hold next(&other, Operation::MotorExecute);
    QVERIFY(next.taken() && DriveCommands::refusalText().contains(DriveCommands::holderName()));
    QVERIFY(DriveCommands::shownReason(QStringLiteral("no answer from the drive")).isEmpty());
}

QTEST_GUILESS_MAIN(TestDriveCommands)
#include "tst_drivecommands.moc"
