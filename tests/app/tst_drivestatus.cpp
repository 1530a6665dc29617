// The drive's status word and alarm code as the link-status poll reads them (the registers
// they come from are read against the simulated drive in tst_mainwindow).

#include "drivestatus.h"

#include <QtTest>

class TestDriveStatus : public QObject
{
    Q_OBJECT

private slots:
    void statusWord_data();
    void statusWord();
    void alarmCode_data();
    void alarmCode();
};

void TestDriveStatus::statusWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("power");
    QTest::addColumn<bool>("alarm");

    QTest::newRow("power and alarm") << "8020" << true << true << true;
    QTest::newRow("nothing") << "0000" << true << false << false;
    QTest::newRow("alarm only") << "8000" << true << false << true;
    QTest::newRow("every other bit") << "7FDF" << true << false << false;
    QTest::newRow("lower case") << "80a0" << true << true << true;
    // Garbled words are no answer at all, not an alarm or a power state.
    QTest::newRow("empty") << "" << false << false << false;
    QTest::newRow("not hex") << "80G0" << false << false << false;
    QTest::newRow("too long") << "18020" << false << false << false;
    QTest::newRow("sign") << "-020" << false << false << false;
}

void TestDriveStatus::statusWord()
{
    QFETCH(QString, word);
    QFETCH(bool, valid);
    QFETCH(bool, power);
    QFETCH(bool, alarm);
    const DriveStatus::StatusWord s = DriveStatus::decodeStatusWord(word);
    QCOMPARE(s.valid, valid);
    QCOMPARE(s.powerOn, power);
    QCOMPARE(s.alarm, alarm);
}

void TestDriveStatus::alarmCode_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("code");

    QTest::newRow("VR") << 0 << "0123" << "E.123";
    QTest::newRow("VR hex digits kept") << 0 << "00A1" << "E.0A1";
    QTest::newRow("VR first digit dropped") << 0 << "F456" << "E.456";
    QTest::newRow("HXQ decimal") << 1 << "001E" << "30";
    QTest::newRow("HXQ large") << 1 << "FFFF" << "65535";
    QTest::newRow("VR garbled shown as it came") << 0 << "12" << "12";
    QTest::newRow("HXQ garbled shown as it came") << 1 << "00ZZ" << "00ZZ";
}

void TestDriveStatus::alarmCode()
{
    QFETCH(int, family);
    QFETCH(QString, word);
    QFETCH(QString, code);
    QCOMPARE(DriveStatus::alarmCode(family, word), code);
}

QTEST_APPLESS_MAIN(TestDriveStatus)
#include "tst_drivestatus.moc"
