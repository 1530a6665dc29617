// The frame codec: CRC, hex text to bytes, frame building with refusal of malformed fields,
// and the echo check every window uses.

#include "framecodec.h"

#include <QtTest>

using namespace FrameCodec;

class FrameCodecTest : public QObject
{
    Q_OBJECT

private slots:
    void workedFrames_data();
    void workedFrames();
    void refusedFields_data();
    void refusedFields();
    void crc16Modbus_data();
    void crc16Modbus();
    void hexStringToBytes_data();
    void hexStringToBytes();
    void checkFrameCrc_data();
    void checkFrameCrc();
    void echoConfirms_data();
    void echoConfirms();
};

static QString build(int function, const QString &station, const QByteArray &address, const QByteArray &field)
{
    switch (function) {
    case 0x03: return buildReadFrame(station, address, field);
    case 0x06: return buildWriteSingleFrame(station, address, field);
    default: return buildWriteMultipleFrame(station, address, field);
    }
}

static void addFieldColumns()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("station");
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("field");
}

void FrameCodecTest::workedFrames_data()
{
    addFieldColumns();
    QTest::addColumn<QString>("frame");

    QTest::newRow("read one word") << 0x03 << "01" << QByteArray("0000") << QByteArray("0001") << "010300000001840A";
    QTest::newRow("write one register") << 0x06 << "01" << QByteArray("0000") << QByteArray("000A")
                                        << "01060000000A09CD";
    QTest::newRow("write 32-bit 100") << 0x10 << "01" << QByteArray("05A1") << QByteArray("00020400640000")
                                      << "011005A1000204006400004694";
    // The capture window puts the quantity into the address text; the frame is the same.
    QTest::newRow("write 32-bit, split differently") << 0x10 << "01" << QByteArray("05A10002")
                                                     << QByteArray("0400640000") << "011005A1000204006400004694";
    // Arguments are taken up to their first NUL byte.
    QTest::newRow("NUL-terminated argument") << 0x03 << "01" << QByteArray("0000\0xx", 7) << QByteArray("0001")
                                             << "010300000001840A";
    // Lower-case digits go out as given; the CRC is that of the upper-case frame.
    QTest::newRow("lower-case digits") << 0x06 << "01" << QByteArray("00ab") << QByteArray("00cd")
                                       << "010600ab00cd39BF";
}

void FrameCodecTest::workedFrames()
{
    QFETCH(int, function);
    QFETCH(QString, station);
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, field);
    QFETCH(QString, frame);

    const QString built = build(function, station, address, field);
    QCOMPARE(built, frame);
    QCOMPARE(FrameCodec::hexStringToBytes(built), QByteArray::fromHex(frame.toLatin1()));
    QVERIFY(FrameCodec::checkFrameCrc(built));
}

void FrameCodecTest::refusedFields_data()
{
    addFieldColumns();
    QTest::newRow("read: short count") << 0x03 << "01" << QByteArray("0000") << QByteArray("001");
    QTest::newRow("read: long address") << 0x03 << "01" << QByteArray("00000") << QByteArray("0001");
    QTest::newRow("read: non-hex count") << 0x03 << "01" << QByteArray("0000") << QByteArray("00G1");
    QTest::newRow("read: blank in address") << 0x03 << "01" << QByteArray("00 0") << QByteArray("0001");
    QTest::newRow("read: empty fields") << 0x03 << "01" << QByteArray() << QByteArray();
    QTest::newRow("write: non-hex value") << 0x06 << "01" << QByteArray("2000") << QByteArray("12X4");
    QTest::newRow("write: bad station") << 0x06 << "1" << QByteArray("2000") << QByteArray("0001");
    QTest::newRow("write 10: 17 digits") << 0x10 << "01" << QByteArray("05A1") << QByteArray("0002040064000");
    QTest::newRow("write 10: 19 digits") << 0x10 << "01" << QByteArray("05A1") << QByteArray("000204006400000");
    QTest::newRow("write 10: non-hex data") << 0x10 << "01" << QByteArray("05A1") << QByteArray("0002040064000Z");
    QTest::newRow("write 10: cut at NUL") << 0x10 << "01" << QByteArray("05A1") << QByteArray("000204\0" "0640000", 14);
}

void FrameCodecTest::refusedFields()
{
    QFETCH(int, function);
    QFETCH(QString, station);
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, field);
    QVERIFY(build(function, station, address, field).isEmpty());
}

void FrameCodecTest::crc16Modbus_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("crc");

    QTest::newRow("empty") << "" << "FFFF";
    QTest::newRow("whole 32-bit write") << "011005A1000204006400004694" << "0000";
    QTest::newRow("lower case as upper") << "01060000000a" << "09CD";
    // An invalid pair counts as 0, an odd last character is read alone.
    QTest::newRow("invalid pair is zero") << "01ZZ" << FrameCodec::crc16Modbus("0100");
    QTest::newRow("odd last digit alone") << "0103F" << FrameCodec::crc16Modbus("01030F");
}

void FrameCodecTest::crc16Modbus()
{
    QFETCH(QString, text);
    QTEST(FrameCodec::crc16Modbus(text), "crc");
}

void FrameCodecTest::hexStringToBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("space skipped") << "01 03" << QByteArray::fromHex("0103");
    QTest::newRow("lower-case digits") << "0a1fbc" << QByteArray::fromHex("0A1FBC");
    QTest::newRow("invalid second digit") << "0G" << QByteArray::fromHex("FF");
    QTest::newRow("invalid first digit") << "G0" << QByteArray::fromHex("F0");
    QTest::newRow("lone last digit dropped") << "ABC" << QByteArray::fromHex("AB");
    QTest::newRow("non-Latin-1 digit") << QString::fromUtf8("0\u4E2D") << QByteArray::fromHex("FF");
}

void FrameCodecTest::hexStringToBytes()
{
    QFETCH(QString, text);
    QTEST(FrameCodec::hexStringToBytes(text), "bytes");
}

void FrameCodecTest::checkFrameCrc_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");

    QTest::newRow("32-bit echo") << "011005A10002" + FrameCodec::crc16Modbus("011005A10002") << true;
    QTest::newRow("lower-case echo") << "01060000000a09cd" << true;
    QTest::newRow("spoiled CRC") << "01060000000A09CE" << false;
    QTest::newRow("spoiled data") << "01060000000B09CD" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("CRC alone") << "FFFF" << false;
    QTest::newRow("odd length") << "01060000000A09CD0" << false;
    // "0G" is read as 0 by the CRC: a frame with a non-hex digit must still be refused.
    QTest::newRow("non-hex digit") << "0G060000000A09CD" << false;
    QTest::newRow("blank inside") << "0106 000000A09CD" << false;
}

void FrameCodecTest::checkFrameCrc()
{
    QFETCH(QString, text);
    QTEST(FrameCodec::checkFrameCrc(text), "ok");
}

void FrameCodecTest::echoConfirms_data()
{
    QTest::addColumn<QString>("echo");
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("confirms");

    const QString stop = "010620010000" + FrameCodec::crc16Modbus("010620010000");
    const QString pair = "011005A10002" + FrameCodec::crc16Modbus("011005A10002");
    QTest::newRow("06: its own echo") << stop << QByteArray("2001") << QByteArray("0000") << true;
    QTest::newRow("06: another register's") << stop << QByteArray("0102") << QByteArray("0000") << false;
    QTest::newRow("06: another value's") << stop << QByteArray("2001") << QByteArray("0001") << false;
    QTest::newRow("06: spoiled CRC") << stop.left(12) + "0000" << QByteArray("2001") << QByteArray("0000") << false;
    QTest::newRow("10: its quantity") << pair << QByteArray("05A1") << QByteArray("00020400640000") << true;
    QTest::newRow("10: split in the address") << pair << QByteArray("05A10002") << QByteArray("0400640000") << true;
    QTest::newRow("10: a one-word write's") << pair << QByteArray("05A1") << QByteArray("0002") << false;
    QTest::newRow("06 echo of a 10 write") << "0106" + pair.mid(4) << QByteArray("05A1") << QByteArray("00020400640000")
                                            << false;
}

void FrameCodecTest::echoConfirms()
{
    QFETCH(QString, echo);
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, data);
    QTEST(FrameCodec::echoConfirms(echo, address, data), "confirms");
}

QTEST_APPLESS_MAIN(FrameCodecTest)
#include "tst_framecodec.moc"
