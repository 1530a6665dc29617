// Addresses, reply words to values by attribute code and back, the parameter-information
// record, and the value editor's acceptance rule.

#include <QtTest>

#include "parameterconversion.h"

using namespace ParameterConversion;

Q_DECLARE_METATYPE(ParameterConversion::EditFault)

class TestParameterConversion : public QObject
{
    Q_OBJECT

private slots:
    void addresses_data();
    void addresses();
    void decodeSingleWords_data();
    void decodeSingleWords();
    void roundTrip_data();
    void roundTrip();
    void records_data();
    void records();
    void smallHelpers();
    void editorAcceptance_data();
    void editorAcceptance();
};

void TestParameterConversion::addresses_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("address");

    QTest::newRow("VR PA20E") << 0 << "PA20E               " << "020E";
    QTest::newRow("VR PA633") << 0 << "PA633" << "0633";
    QTest::newRow("VR lower-case digits raised") << 0 << "PA5a4" << "05A4";
    QTest::newRow("HXQ PA123") << 1 << "PA123               " << "007B";
    QTest::newRow("HXQ PA782") << 1 << "PA782" << "030E";
    QTest::newRow("HXQ PA229") << 1 << "PA229" << "00E5";
    QTest::newRow("HXQ PA300") << 1 << "PA300" << "012C";
    QTest::newRow("HXQ no number") << 1 << "PAxyz" << "0000";
    QTest::newRow("unknown family takes the HXQ road") << 4 << "PA300" << "012C";
}

void TestParameterConversion::addresses()
{
    QFETCH(int, family);
    QFETCH(QString, number);
    QFETCH(QString, address);
    QCOMPARE(registerAddress(family, number), address);
}

void TestParameterConversion::decodeSingleWords_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("code");
    QTest::addColumn<QVector<QString>>("words");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("count");

    QTest::newRow("VR switch word stays text") << 0 << 0 << QVector<QString>{ "11D1" } << QVariant(QStringLiteral("11D1")) << "0001";
    QTest::newRow("HXQ fixed word stays text") << 1 << 1 << QVector<QString>{ "00a0" } << QVariant(QStringLiteral("00a0")) << "0001";
    QTest::newRow("VR signed FF9C") << 0 << 2 << QVector<QString>{ "FF9C" } << QVariant(-100) << "0001";
    QTest::newRow("VR unsigned FF9C") << 0 << 3 << QVector<QString>{ "FF9C" } << QVariant(65436) << "0001";
    QTest::newRow("VR signed 8000") << 0 << 2 << QVector<QString>{ "8000" } << QVariant(-32768) << "0001";
    QTest::newRow("VR code 4 signed") << 0 << 4 << QVector<QString>{ "8000" } << QVariant(-32768) << "0001";
    QTest::newRow("HXQ code 4 unsigned 8000") << 1 << 4 << QVector<QString>{ "8000" } << QVariant(32768) << "0001";
    QTest::newRow("HXQ code 2 signed 8000") << 1 << 2 << QVector<QString>{ "8000" } << QVariant(-32768) << "0001";
    QTest::newRow("HXQ code 5 one unsigned word") << 1 << 5 << QVector<QString>{ "FFFF" } << QVariant(65535) << "0001";
    QTest::newRow("VR 32-bit FFFFFFFF is -1") << 0 << 5 << QVector<QString>{ "FFFF", "FFFF" } << QVariant(-1) << "0002";
    QTest::newRow("VR unknown code signed") << 0 << 9 << QVector<QString>{ "FFFE" } << QVariant(-2) << "0001";
    QTest::newRow("HXQ unknown code unsigned") << 1 << 9 << QVector<QString>{ "FFFE" } << QVariant(65534) << "0001";
    // Incomplete or garbled replies are refused (no value).
    QTest::newRow("no words") << 0 << 2 << QVector<QString>{} << QVariant() << "0001";
    QTest::newRow("32-bit with one word") << 0 << 5 << QVector<QString>{ "0001" } << QVariant() << "0002";
    QTest::newRow("null word") << 0 << 3 << QVector<QString>{ QString() } << QVariant() << "0001";
    QTest::newRow("not hex") << 1 << 3 << QVector<QString>{ "12G4" } << QVariant() << "0001";
    QTest::newRow("three digits") << 0 << 0 << QVector<QString>{ "123" } << QVariant() << "0001";
    QTest::newRow("second word garbled") << 0 << 5 << QVector<QString>{ "0001", "00:1" } << QVariant() << "0002";
}

void TestParameterConversion::decodeSingleWords()
{
    QFETCH(int, family);
    QFETCH(int, code);
    QFETCH(QVector<QString>, words);
    QFETCH(QVariant, value);
    QFETCH(QString, count);

    bool ok = !value.isValid();
    const QVariant decoded = decodeSingle(family, code, words, &ok);
    QCOMPARE(ok, value.isValid());
    QCOMPARE(decoded, value);
    QCOMPARE(decoded.type(), value.type());
    QCOMPARE(wordCount(family, code), count);
}

// Any value within the row's limits comes back unchanged through its word(s), for 32-bit
// values above 7FFFFFFF too (they are signed, never 0).
void TestParameterConversion::roundTrip_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QStringList>("words"); // low word first

    QTest::newRow("signed -100") << 2 << qint64(-100) << QStringList{ "FF9C" };
    QTest::newRow("signed -32768") << 2 << qint64(-32768) << QStringList{ "8000" };
    QTest::newRow("signed 32767") << 2 << qint64(32767) << QStringList{ "7FFF" };
    QTest::newRow("unsigned 65535") << 3 << qint64(65535) << QStringList{ "FFFF" };
    QTest::newRow("unsigned 32768") << 3 << qint64(32768) << QStringList{ "8000" };
    QTest::newRow("unsigned 0") << 3 << qint64(0) << QStringList{ "0000" };
    QTest::newRow("code 4 32767") << 4 << qint64(32767) << QStringList{ "7FFF" };
    QTest::newRow("32-bit 0") << 5 << qint64(0) << QStringList{ "0000", "0000" };
    QTest::newRow("32-bit 70000") << 5 << qint64(70000) << QStringList{ "1170", "0001" };
    QTest::newRow("32-bit 1073741824") << 5 << qint64(1073741824) << QStringList{ "0000", "4000" };
    QTest::newRow("32-bit 2147483647") << 5 << qint64(2147483647) << QStringList{ "FFFF", "7FFF" };
    QTest::newRow("32-bit -1") << 5 << qint64(-1) << QStringList{ "FFFF", "FFFF" };
    QTest::newRow("32-bit -70000") << 5 << qint64(-70000) << QStringList{ "EE90", "FFFE" };
    QTest::newRow("32-bit -2147483648") << 5 << qint64(-2147483648LL) << QStringList{ "0000", "8000" };
}

void TestParameterConversion::roundTrip()
{
    QFETCH(int, code);
    QFETCH(qint64, value);
    QFETCH(QStringList, words);

    if (code == 5) {
        const QPair<QString, QString> encoded = encodeWords32(value);
        QCOMPARE((QStringList{ encoded.first, encoded.second }), words);
    } else {
        QCOMPARE(encodeWord16(value), words.first());
    }
    // The HXQ family keeps its code 5 rows in one unsigned word.
    for (int family : code == 5 ? QList<int>{ 0 } : QList<int>{ 0, 1 }) {
        bool ok = false;
        QCOMPARE(decodeSingle(family, code, words.toVector(), &ok).toLongLong(), value);
        QVERIFY(ok);
    }
}

void TestParameterConversion::records_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("code");
    QTest::addColumn<QVector<QString>>("words");
    QTest::addColumn<QVariantList>("expected"); // maximum, minimum, default, value; empty = refused

    QTest::newRow("VR switch word") << 0 << 0
        << QVector<QString>{ "0000", "11D1", "0000", "0000", "0000", "0000", "0000", "0011", "0000" }
        << QVariantList{ "11D1", "0000", "0000", "0011" };
    QTest::newRow("VR signed") << 0 << 2
        << QVector<QString>{ "0000", "2710", "0000", "D8F0", "FFFF", "0000", "0000", "FF9C", "FFFF" }
        << QVariantList{ 10000, -10000, 0, -100 };
    QTest::newRow("VR unsigned") << 0 << 3
        << QVector<QString>{ "0000", "FFFF", "0000", "0000", "0000", "FFFF", "0000", "8000", "0000" }
        << QVariantList{ 65535, 0, 65535, 32768 };
    QTest::newRow("VR 32-bit") << 0 << 5
        << QVector<QString>{ "0000", "0000", "4000", "0001", "0000", "0004", "0000", "FFFF", "FFFF" }
        << QVariantList{ 1073741824, 1, 4, -1 };
    QTest::newRow("HXQ switch word") << 1 << 0 << QVector<QString>{ "5044", "0000", "1022", "0101" }
        << QVariantList{ "5044", "0000", "1022", "0101" };
    QTest::newRow("HXQ code 4") << 1 << 4 << QVector<QString>{ "7530", "0096", "0258", "8000" }
        << QVariantList{ 30000, 150, 600, 32768 };
    QTest::newRow("HXQ signed") << 1 << 2 << QVector<QString>{ "2710", "D8F0", "0000", "FFFF" }
        << QVariantList{ 10000, -10000, 0, -1 };
    QTest::newRow("VR record short of a word") << 0 << 2
        << QVector<QString>{ "0000", "2710", "0000", "D8F0", "FFFF", "0000", "0000", "FF9C" } << QVariantList{};
    QTest::newRow("VR record with a null word") << 0 << 2
        << QVector<QString>{ "0000", "2710", "0000", QString(), "FFFF", "0000", "0000", "FF9C", "FFFF" } << QVariantList{};
    QTest::newRow("HXQ record short of a word") << 1 << 3 << QVector<QString>{ "0001", "0002", "0003" } << QVariantList{};
}

void TestParameterConversion::records()
{
    QFETCH(int, family);
    QFETCH(int, code);
    QFETCH(QVector<QString>, words);
    QFETCH(QVariantList, expected);

    InfoRecord record;
    record.value = QStringLiteral("untouched");
    const bool ok = decodeRecord(family, code, words, &record);
    if (expected.isEmpty()) {
        QVERIFY(!ok);
        QCOMPARE(record.value.toString(), QStringLiteral("untouched"));
        return;
    }
    QVERIFY(ok);
    QCOMPARE(record.maximum, expected.at(0));
    QCOMPARE(record.minimum, expected.at(1));
    QCOMPARE(record.defaultValue, expected.at(2));
    QCOMPARE(record.value, expected.at(3));
    QCOMPARE(recordWordCount(family), family == 0 ? 9 : 4);
}

void TestParameterConversion::smallHelpers()
{
    QCOMPARE(switchDigits(QStringLiteral("A")), QStringLiteral("000A"));
    QCOMPARE(switchDigits(QStringLiteral("11D1")), QStringLiteral("11D1"));
    QCOMPARE(switchDigits(QStringLiteral("12345")), QStringLiteral("12345"));
    QCOMPARE(switchDigits(QString()), QStringLiteral("0000"));
    QCOMPARE(limitValue(QStringLiteral(" -10000 ")), -10000);
    QCOMPARE(limitValue(QStringLiteral("机型*2")), 0);
    QCOMPARE(limitValue(QStringLiteral("2147483648")), 0);
    QCOMPARE(limitDigit(QStringLiteral("11D1"), 2), 13);
    QCOMPARE(limitDigit(QStringLiteral("000"), 3), 0);
    QCOMPARE(limitDigit(QStringLiteral(" -  "), 1), 0);
    QCOMPARE(attributeCode(QStringLiteral(" 5 ")), 5);
    QCOMPARE(attributeCode(QStringLiteral("x")), 0);
}

void TestParameterConversion::editorAcceptance_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<EditFault>("fault");
    QTest::addColumn<int>("digit");

    using F = EditFault;
    // Switch word PA000, limits 0000 .. 11D1: digit by digit.
    QTest::newRow("PA000 1101") << 0 << "0000" << "11D1" << "1101" << F::None << -1;
    QTest::newRow("PA000 11D1") << 0 << "0000" << "11D1" << "11D1" << F::None << -1;
    QTest::newRow("PA000 lower case") << 0 << "0000" << "11D1" << "11d1" << F::None << -1;
    QTest::newRow("PA000 first digit above 1") << 0 << "0000" << "11D1" << "2000" << F::DigitOutOfRange << 3;
    QTest::newRow("PA000 third digit above D") << 0 << "0000" << "11D1" << "11E0" << F::DigitOutOfRange << 1;
    QTest::newRow("PA000 three characters") << 0 << "0000" << "11D1" << "123" << F::NotFourCharacters << -1;
    QTest::newRow("PA000 five characters") << 0 << "0000" << "11D1" << "01234" << F::NotFourCharacters << -1;
    QTest::newRow("PA000 letter G is no digit") << 0 << "0000" << "11D1" << "G000" << F::NotHexDigit << 3;
    QTest::newRow("PA000 blank inside") << 0 << "0000" << "11D1" << "1 01" << F::NotHexDigit << 2;
    QTest::newRow("minimum digit holds") << 0 << "0100" << "FFFF" << "0000" << F::DigitOutOfRange << 2;
    QTest::newRow("reserved 0000") << 1 << "0000" << "0000" << "0000" << F::None << -1;
    QTest::newRow("reserved 0001") << 1 << "0000" << "0000" << "0001" << F::DigitOutOfRange << 0;
    QTest::newRow("short maximum 000 allows 0000") << 1 << "0000" << "000" << "0000" << F::None << -1;
    QTest::newRow("short maximum 000 fourth digit") << 1 << "0000" << "000" << "0001" << F::DigitOutOfRange << 0;

    // Decimal ranges.
    QTest::newRow("PA100 10") << 2 << "10" << "20000" << "10" << F::None << -1;
    QTest::newRow("PA100 20000") << 2 << "10" << "20000" << "20000" << F::None << -1;
    QTest::newRow("PA100 9") << 2 << "10" << "20000" << "9" << F::OutOfRange << -1;
    QTest::newRow("PA100 20001") << 2 << "10" << "20000" << "20001" << F::OutOfRange << -1;
    QTest::newRow("PA124 -10000") << 2 << "-10000" << "10000" << "-10000" << F::None << -1;
    QTest::newRow("letters are no number") << 2 << "-10000" << "10000" << "abc" << F::NotDecimal << -1;
    QTest::newRow("empty text is no number") << 2 << "-10000" << "10000" << "" << F::NotDecimal << -1;
    QTest::newRow("fraction is no integer") << 2 << "-10000" << "10000" << "12.5" << F::NotDecimal << -1;
    QTest::newRow("hex on a decimal row") << 3 << "0" << "65535" << "0x10" << F::NotDecimal << -1;
    QTest::newRow("blanks around are fine") << 2 << "-10000" << "10000" << " 12 " << F::None << -1;
    QTest::newRow("signed beyond 16 bits") << 2 << "-40000" << "40000" << "40000" << F::OutsideKind << -1;
    QTest::newRow("unsigned 65535") << 3 << "0" << "65535" << "65535" << F::None << -1;
    QTest::newRow("unsigned -1") << 3 << "-5" << "65535" << "-1" << F::OutsideKind << -1;
    QTest::newRow("code 4 32768") << 4 << "0" << "40000" << "32768" << F::OutsideKind << -1;
    QTest::newRow("PA590 unreadable maximum 0") << 3 << "0" << "机型*2" << "0" << F::None << -1;
    QTest::newRow("PA590 unreadable maximum 1") << 3 << "0" << "机型*2" << "1" << F::OutOfRange << -1;

    // 32-bit limits.
    QTest::newRow("PA20E 1073741824") << 5 << "1" << "1073741824" << "1073741824" << F::None << -1;
    QTest::newRow("PA20E 1073741825") << 5 << "1" << "1073741824" << "1073741825" << F::OutOfRange << -1;
    QTest::newRow("PA20E 0") << 5 << "1" << "1073741824" << "0" << F::OutOfRange << -1;
    QTest::newRow("PA20E beyond 32 bits") << 5 << "1" << "1073741824" << "4294967297" << F::OutsideKind << -1;
    QTest::newRow("PA20E far beyond") << 5 << "1" << "1073741824" << "99999999999999999999999" << F::OutsideKind << -1;
    QTest::newRow("32-bit negative") << 5 << "-2147483648" << "2147483647" << "-70000" << F::None << -1;
}

void TestParameterConversion::editorAcceptance()
{
    QFETCH(int, code);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, typed);
    QFETCH(EditFault, fault);
    QFETCH(int, digit);

    const EditVerdict verdict = judgeValue(code, typed, minimum, maximum);
    QCOMPARE(int(verdict.fault), int(fault));
    QCOMPARE(verdict.digit, digit);
    QCOMPARE(verdict.accepted(), fault == EditFault::None);
    if (verdict.accepted()) {
        QCOMPARE(verdict.text, typed.trimmed());
        if (!isSwitchCode(code))
            QCOMPARE(verdict.value, typed.trimmed().toLongLong());
    }
}

QTEST_GUILESS_MAIN(TestParameterConversion)
#include "tst_parameterconversion.moc"
