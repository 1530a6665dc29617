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
    QTest::addColumn<QByteArrayList>("requests"); // model register; mailbox, PA100's address; record, words
    QTest::addColumn<QString>("words");           // the model word, then the record's first words

    // A VR1P; PA100 is 10..20000, default 400 (an unused word, then low/high words).
    QTest::newRow("vr") << "vr" << QByteArrayList{"C000", "CF00", "0100", "CF01", "0009"}
                        << "0010 0000 4E20 0000 000A 0000 0190 0000";
    // An HXQ1; PA100 is register 100, -32768..32767, default 0.
    QTest::newRow("hxq") << "hxq" << QByteArrayList{"0712", "0751", "0064", "0752", "0004"} << "0010 7FFF 8000 0000";
}

void TestSimDriveProgram::modelAndRecord()
{
    QFETCH(QString, family);
    QFETCH(QByteArrayList, requests);
    QFETCH(QString, words);

    TempWorkDir dir;
    const QString link = dir.filePath(QStringLiteral("COM3"));
    QProcess drive;
    drive.start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--family"), family, QStringLiteral("--link"), link});
    QTRY_VERIFY_WITH_TIMEOUT(drive.canReadLine(), 20000);
    QCOMPARE(QString::fromLocal8Bit(drive.readLine()).trimmed(), link);

    serialPort port;
    QVERIFY(port.openPort(link, 57600));
    QSignalSpy replies(&port, &serialPort::readDataToShow);
    QSignalSpy echoes(&port, &serialPort::writeDataToCheck);
    port.readSerial(requests.at(0), "0001", 1);
    QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 1, 10000);
    port.writeSerial(requests.at(1), requests.at(2), 1);
    QTRY_COMPARE_WITH_TIMEOUT(echoes.count(), 1, 10000);
    port.TreeViewOk(true); // as the windows do: the words of the next reply only
    port.readSerial(requests.at(3), requests.at(4), 1);
    QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 2, 10000);

    const QStringList got = QStringList(replies.at(0).at(0).value<QVector<QString>>().toList())
        + QStringList(replies.at(1).at(0).value<QVector<QString>>().toList());
    QVERIFY2(got.join(' ').startsWith(words), qPrintable(got.join(' ')));
    port.closePort();
    drive.terminate();
    QVERIFY(drive.waitForFinished(10000));
}

QTEST_MAIN(TestSimDriveProgram)
#include "tst_simdriveprogram.moc"
