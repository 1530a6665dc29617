// tavrilon-simdrive as scripts/run --simulated starts it, read through the tool's own link:
// the model word and a parameter's information record come back as the family's drive holds them.

#include "serialport.h"
#include "tempworkdir.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

class TestSimDriveProgram : public QObject
{
    Q_OBJECT

private slots:
    void modelAndRecord_data();
    void modelAndRecord();
};

void TestSimDriveProgram::modelAndRecord_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QByteArray>("modelRegister");
    QTest::addColumn<QString>("modelWord");
    QTest::addColumn<QByteArray>("mailbox");
    QTest::addColumn<QByteArray>("address");   // PA100
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("recordWords");
    QTest::addColumn<QStringList>("limits");   // maximum, minimum, default: low words

    // VR: a VR1M; PA100 10..20000, default 400; record words 2, 4, 6 (after an unused word).
    QTest::newRow("vr") << "vr" << QByteArray("C000") << "0012" << QByteArray("CF00") << QByteArray("0100")
                        << QByteArray("CF01") << QByteArray("0009")
                        << QStringList{QStringLiteral("4E20"), QStringLiteral("000A"), QStringLiteral("0190")};
    // HXQ: an HXQ1; PA100 is register 100, -32768..32767, default 0.
    QTest::newRow("hxq") << "hxq" << QByteArray("0712") << "0010" << QByteArray("0751") << QByteArray("0064")
                         << QByteArray("0752") << QByteArray("0004")
                         << QStringList{QStringLiteral("7FFF"), QStringLiteral("8000"), QStringLiteral("0000")};
}

void TestSimDriveProgram::modelAndRecord()
{
    QFETCH(QString, family);
    QFETCH(QByteArray, modelRegister);
    QFETCH(QString, modelWord);
    QFETCH(QByteArray, mailbox);
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, recordWords);
    QFETCH(QStringList, limits);

    TempWorkDir dir;
    QProcess drive;
    drive.start(QStringLiteral(SIMDRIVE_PROGRAM),
                {QStringLiteral("--family"), family, QStringLiteral("--link"), dir.filePath(QStringLiteral("COM3"))});
    QVERIFY(drive.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(drive.canReadLine(), 20000);
    const QString portName = QString::fromLocal8Bit(drive.readLine()).trimmed();
    QCOMPARE(portName, dir.filePath(QStringLiteral("COM3")));

    serialPort link;
    QVERIFY(link.openPort(portName, 57600));
    QSignalSpy words(&link, &serialPort::readDataToShow);
    QSignalSpy echoes(&link, &serialPort::writeDataToCheck);

    link.readSerial(modelRegister, "0001", 1);
    QTRY_COMPARE_WITH_TIMEOUT(words.count(), 1, 10000);
    QCOMPARE(words.at(0).at(0).value<QVector<QString>>().value(0), modelWord);

    link.writeSerial(mailbox, address, 1);
    QTRY_COMPARE_WITH_TIMEOUT(echoes.count(), 1, 10000);
    link.TreeViewOk(true); // as the windows do: the words of a new reply only
    link.readSerial(record, recordWords, 1);
    QTRY_COMPARE_WITH_TIMEOUT(words.count(), 2, 10000);
    const QVector<QString> got = words.at(1).at(0).value<QVector<QString>>();
    const int step = family == QLatin1String("vr") ? 2 : 1;
    const int first = family == QLatin1String("vr") ? 1 : 0;
    QCOMPARE((QStringList{got.value(first), got.value(first + step), got.value(first + 2 * step)}), limits);

    link.closePort();
    drive.terminate();
    QVERIFY(drive.waitForFinished(10000));
}

QTEST_MAIN(TestSimDriveProgram)
#include "tst_simdriveprogram.moc"
