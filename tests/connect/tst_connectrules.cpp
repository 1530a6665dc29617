// The rules of getting connected, without a port: the model tables of both families, the
// scan range fields, and the line settings built from the dialog's choices (the station
// digits are seen on the wire in the scan tests).

#include "drivemodel.h"
#include "portsettings.h"

#include <QtTest>

class ConnectRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void modelName_data();
    void modelName();
    void scanRange_data();
    void scanRange();
    void settingsFromChoices_data();
    void settingsFromChoices();
};

void ConnectRulesTest::modelName_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("model");

    // VR family: listed codes first, then "third digit 3", then the rest.
    QTest::newRow("VR 0018") << 0 << "0018" << "VR1P";
    QTest::newRow("VR 0011") << 0 << "0011" << "VR1E";
    QTest::newRow("VR 001a lower case") << 0 << "001a" << "VR1M";
    QTest::newRow("VR 0A3F third digit 3") << 0 << "0A3F" << "VR2";
    QTest::newRow("VR 0013 not third digit") << 0 << "0013" << "Others";
    QTest::newRow("VR empty") << 0 << "" << "Others";
    // HXQ family: the word as a hexadecimal number against decimal limits.
    QTest::newRow("HXQ 100") << 1 << "0064" << "HXQ1";
    QTest::newRow("HXQ 101") << 1 << "0065" << "HXQ-B1";
    QTest::newRow("HXQ 200") << 1 << "00C8" << "HXQ-B1";
    QTest::newRow("HXQ 201") << 1 << "00C9" << "others";
    QTest::newRow("HXQ not a number") << 1 << "ZZZZ" << "HXQ1";
    QTest::newRow("HXQ 0030 is not VR2") << 1 << "0030" << "HXQ1";
    // driver.ini holds only 0 or 1; any other family reads the HXQ way.
    QTest::newRow("family 2 as HXQ") << 2 << "00C9" << "others";
}

void ConnectRulesTest::modelName()
{
    QFETCH(int, family);
    QFETCH(QString, word);
    QTEST(DriveModel::decodeModelName(family, word), "model");
}

void ConnectRulesTest::scanRange_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("startShown");
    QTest::addColumn<QString>("endShown");

    QTest::newRow("0 and 300 clamped") << "0" << "300" << 1 << 255 << "1" << "255";
    QTest::newRow("swapped, fields kept") << "5" << "3" << 3 << 5 << "5" << "3";
    QTest::newRow("not a number is below 1") << "abc" << "4" << 1 << 4 << "1" << "4";
    QTest::newRow("end empty") << "3" << "" << 1 << 3 << "3" << "1";
    QTest::newRow("negative") << "-7" << "2" << 1 << 2 << "1" << "2";
    QTest::newRow("swapped and clamped") << "300" << "0" << 1 << 255 << "255" << "1";
    QTest::newRow("beyond int") << "-99999999999" << "99999999999" << 1 << 255 << "1" << "255";
}

void ConnectRulesTest::scanRange()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    const DriveModel::ScanRange range = DriveModel::scanRange(start, end);
    QTEST(range.from, "from");
    QTEST(range.to, "to");
    QTEST(range.startText, "startShown");
    QTEST(range.endText, "endShown");
}

void ConnectRulesTest::settingsFromChoices_data()
{
    QTest::addColumn<QString>("baud");
    QTest::addColumn<int>("dataIndex");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<int>("stopIndex");
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<QSerialPort::DataBits>("dataBits");
    QTest::addColumn<QSerialPort::Parity>("parityWanted");
    QTest::addColumn<QSerialPort::StopBits>("stopBits");

    QTest::newRow("6 bits even") << "115200" << 2 << "even" << 0 << 115200 << QSerialPort::Data6
                                 << QSerialPort::EvenParity << QSerialPort::OneStop;
    // A box without a current entry leaves the port's default; an empty parity text is even.
    QTest::newRow("no entries") << "4800" << -1 << "" << -1 << 4800 << QSerialPort::Data8
                                << QSerialPort::EvenParity << QSerialPort::OneStop;
}

void ConnectRulesTest::settingsFromChoices()
{
    QFETCH(QString, baud);
    QFETCH(int, dataIndex);
    QFETCH(QString, parity);
    QFETCH(int, stopIndex);

    const PortSettings s = PortChoices::settingsFromChoices(QStringLiteral("COM3"), baud, dataIndex, parity, stopIndex);
    QCOMPARE(s.portName, QStringLiteral("COM3"));
    QTEST(int(s.baudRate), "baudRate");
    QTEST(s.dataBits, "dataBits");
    QTEST(s.parity, "parityWanted");
    QTEST(s.stopBits, "stopBits");
    QVERIFY(s.dataTerminalReady);
}

QTEST_GUILESS_MAIN(ConnectRulesTest)
#include "tst_connectrules.moc"
