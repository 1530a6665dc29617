// The monitor rows, the drive-information words and the jog control's values as they travel:
// registers and counts of the monitor table, 16/32-bit and bit rows, answers that do not fit,
// version, type, class and rating texts, hex words and the refusal of bad field texts.

#include <QtTest>

#include "controlcoding.h"
#include "driveinfodecoding.h"
#include "monitordecoding.h"

class TestMonitorDecoding : public QObject
{
    Q_OBJECT

private slots:
    void monitorRows_data();
    void monitorRows();
    void driveInfo_data();
    void driveInfo();
    void fields_data();
    void fields();
};

void TestMonitorDecoding::monitorRows_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("32-bit 1") << "dP001   " << 2 << QStringList{ "0001", "0000" } << QByteArray("E001") << QByteArray("0002") << QVariant(1);
    QTest::newRow("32-bit 65536") << "dP024" << 2 << QStringList{ "0000", "0001" } << QByteArray("E024") << QByteArray("0002") << QVariant(65536);
    QTest::newRow("32-bit -2") << "dP160" << 2 << QStringList{ "FFFE", "FFFF" } << QByteArray("E160") << QByteArray("0002") << QVariant(-2);
    QTest::newRow("16-bit -1") << "dP00a" << 1 << QStringList{ "FFFF" } << QByteArray("E00A") << QByteArray("0001") << QVariant(-1);
    QTest::newRow("16-bit -32768") << "dP000" << 1 << QStringList{ "8000" } << QByteArray("E000") << QByteArray("0001") << QVariant(-32768);
    QTest::newRow("bits 0003") << "dP012" << 3 << QStringList{ "0003" } << QByteArray("E012") << QByteArray("0001") << QVariant(QStringLiteral("11000000"));
    QTest::newRow("bits high byte") << "dP013" << 3 << QStringList{ "FF00" } << QByteArray("E013") << QByteArray("0001") << QVariant(QStringLiteral("00000000"));
    QTest::newRow("bits 0080") << "dP011" << 3 << QStringList{ "0080" } << QByteArray("E011") << QByteArray("0001") << QVariant(QStringLiteral("00000001"));
    // Answers of another request: refused, the row keeps its value.
    QTest::newRow("two words for a 16-bit row") << "dP000" << 1 << QStringList{ "0001", "0002" } << QByteArray("E000") << QByteArray("0001") << QVariant();
    QTest::newRow("one word for a 32-bit row") << "dP001" << 2 << QStringList{ "0001" } << QByteArray("E001") << QByteArray("0002") << QVariant();
    QTest::newRow("not hex") << "dP000" << 1 << QStringList{ "12G4" } << QByteArray("E000") << QByteArray("0001") << QVariant();
    QTest::newRow("unknown type") << "dP000" << 4 << QStringList{ "0001" } << QByteArray("E000") << QByteArray() << QVariant();
}

void TestMonitorDecoding::monitorRows()
{
    QFETCH(QString, number);
    QFETCH(int, type);
    QFETCH(QStringList, words);
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, count);
    QFETCH(QVariant, value);

    QCOMPARE(MonitorDecoding::registerOf(number), address);
    QCOMPARE(MonitorDecoding::countOf(type), count);
    const QVariant decoded = MonitorDecoding::decode(type, words.toVector());
    QCOMPARE(decoded.isValid(), value.isValid());
    if (value.isValid()) {
        QCOMPARE(decoded, value);
        // Numbers stay numbers, so the view prints them in the locale's format.
        QCOMPARE(decoded.type(), value.type());
    }
}

void TestMonitorDecoding::driveInfo_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("setText");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("picture");

    const int same = int(DriveInfoDecoding::Picture::Unchanged);
    const int first = int(DriveInfoDecoding::Picture::First);
    const int second = int(DriveInfoDecoding::Picture::Second);
    QTest::newRow("MCU1 0103") << 1 << "0103" << true << "V1.03" << same;
    QTest::newRow("MCU2 0110") << 2 << "0110" << true << "V1.10" << same;
    QTest::newRow("FPGA 1203") << 3 << "1203" << true << "V12.03" << same;
    QTest::newRow("FPGA 0010") << 3 << "0010" << true << "V0.10" << same;
    QTest::newRow("type 0010") << 4 << "0010" << true << "旋转型" << first;
    QTest::newRow("type 0018") << 4 << "0018" << true << "直线型" << first;
    QTest::newRow("type 0030") << 4 << "0030" << true << "旋转型" << second;
    QTest::newRow("type 0020") << 4 << "0020" << false << "" << first;
    QTest::newRow("power 02EE") << 5 << "02EE" << true << "750 W" << same;
    QTest::newRow("class 0001") << 6 << "0001" << true << "AC 380 V" << same;
    QTest::newRow("class 0000") << 10 << "0000" << true << "AC 220 V" << same;
    QTest::newRow("class 0002") << 6 << "0002" << false << "" << same;
    QTest::newRow("overload 012C") << 7 << "012C" << true << "300 %" << same;
    QTest::newRow("encoder 0080") << 8 << "0080" << true << "8388608 Pules" << same;
    QTest::newRow("encoder 0002") << 8 << "0002" << true << "131072 Pules" << same;
    QTest::newRow("encoder 0001") << 8 << "0001" << false << "" << same;
    QTest::newRow("speed 0BB8") << 11 << "0BB8" << true << "3000 Rpm" << same;
    QTest::newRow("torque 0140") << 13 << "0140" << true << "3.200 NM" << same;
    QTest::newRow("current 0019") << 14 << "0019" << true << "2.500 A" << same;
    QTest::newRow("current FFFF") << 15 << "FFFF" << true << "6553.500 A" << same;
    QTest::newRow("no step") << 0 << "0103" << false << "" << same;
    QTest::newRow("garbled word") << 1 << "01" << false << "" << same;
}

void TestMonitorDecoding::driveInfo()
{
    QFETCH(int, step);
    QFETCH(QString, word);
    QFETCH(bool, setText);
    QFETCH(QString, text);
    QFETCH(int, picture);

    const DriveInfoDecoding::Shown shown = DriveInfoDecoding::decode(step, word);
    QCOMPARE(shown.setText, setText);
    QCOMPARE(shown.text, text);
    QCOMPARE(int(shown.picture), picture);
}

void TestMonitorDecoding::fields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("min");
    QTest::addColumn<qint64>("max");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("speed 6000") << "6000" << qint64(0) << qint64(6000) << true << QByteArray("1770");
    QTest::newRow("switch as read back") << "0005" << qint64(0) << qint64(5) << true << QByteArray("0005");
    QTest::newRow("distance 2^30") << "1073741824" << qint64(1) << qint64(1073741824) << true << QByteArray("00020400004000");
    QTest::newRow("empty") << "" << qint64(0) << qint64(10000) << false << QByteArray();
    QTest::newRow("partial") << "12a" << qint64(0) << qint64(10000) << false << QByteArray();
    QTest::newRow("sign") << "-5" << qint64(0) << qint64(10000) << false << QByteArray();
    QTest::newRow("blank inside") << "1 0" << qint64(0) << qint64(10000) << false << QByteArray();
    QTest::newRow("above range") << "10001" << qint64(0) << qint64(10000) << false << QByteArray();
    QTest::newRow("below range") << "1" << qint64(2) << qint64(10000) << false << QByteArray();
}

void TestMonitorDecoding::fields()
{
    QFETCH(QString, text);
    QFETCH(qint64, min);
    QFETCH(qint64, max);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, written);

    qint64 value = -1;
    QCOMPARE(ControlCoding::parseField(text, min, max, &value), accepted);
    if (!accepted)
        return;
    QCOMPARE(written.size() == 4 ? ControlCoding::hexWord(value) : ControlCoding::twoWordData(value), written);
}

QTEST_GUILESS_MAIN(TestMonitorDecoding)
#include "tst_monitordecoding.moc"
