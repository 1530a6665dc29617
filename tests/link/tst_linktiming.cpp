// The one wait-limit rule: a window's fixed limit until the line itself needs longer, fed
// with the baud rate of the port the link has open.

#include "linktiming.h"
#include "serialport.h"
#include "simulateddrive.h"

#include <QtTest>

class LinkTimingTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { LinkTiming::setBaudRate(0); }
    void limits_data();
    void limits();
    void openPortSetsTheRate();
};

void LinkTimingTest::limits_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("fixed");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("expected");
    // No port open: the fixed limit alone.
    QTest::newRow("closed read") << 0 << "read" << 15 << 29 << 15;
    // 9600 baud: a 29-word block (8 + 63 bytes, 781 bits) needs 82 ms on the wire, plus
    // 20 ms for the drive, so the fixed 50 ms is too short.
    QTest::newRow("9600 block") << 9600 << "read" << 50 << 29 << 102;
    QTest::newRow("9600 one word") << 9600 << "read" << 15 << 1 << 38;
    QTest::newRow("9600 write") << 9600 << "write" << 30 << 0 << 39;
    QTest::newRow("9600 write2") << 9600 << "write2" << 30 << 0 << 45;
    QTest::newRow("1200 block") << 1200 << "read" << 200 << 29 << 671;
    // Fast line: the fixed limit is the longer one and stays.
    QTest::newRow("115200 block") << 115200 << "read" << 50 << 29 << 50;
    QTest::newRow("115200 write") << 115200 << "write" << 15 << 0 << 22;
}

void LinkTimingTest::limits()
{
    QFETCH(int, baud);
    QFETCH(QString, kind);
    QFETCH(int, fixed);
    QFETCH(int, words);
    QFETCH(int, expected);
    LinkTiming::setBaudRate(baud);
    const int limit = kind == QLatin1String("read") ? LinkTiming::readLimitMs(fixed, words)
        : kind == QLatin1String("write")            ? LinkTiming::writeLimitMs(fixed)
                                                    : LinkTiming::write2LimitMs(fixed);
    QCOMPARE(limit, expected);
}

void LinkTimingTest::openPortSetsTheRate()
{
    SimulatedDrive drive;
    QVERIFY2(drive.start(), qPrintable(drive.errorString()));
    serialPort link;
    QVERIFY(link.openPort(drive.portName(), 9600));
    QCOMPARE(LinkTiming::baudRate(), 9600);
    link.closePort();
    QCOMPARE(LinkTiming::baudRate(), 0);
    QCOMPARE(LinkTiming::readLimitMs(50, 29), 50);
}

QTEST_MAIN(LinkTimingTest)
#include "tst_linktiming.moc"
