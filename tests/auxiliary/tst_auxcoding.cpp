// The widget-free rules of the auxiliary functions: alarm history cells, the alarm-text
// tables (the Chinese one GBK), typed command offsets and the rigidity levels.

#include <QtTest>

#include "alarmhistory.h"
#include "auxcoding.h"

class TestAuxCoding : public QObject
{
    Q_OBJECT

private slots:
    void alarmCells_data();
    void alarmCells();
    void alarmTables_data();
    void alarmTables();
    void offsets_data();
    void offsets();
    void shownOffsetTruncatesTowardZero();
    void rigidity_data();
    void rigidity();
};

void TestAuxCoding::alarmCells_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("text");

    QTest::newRow("code") << QStringList{ "0552" } << "E.552";
    QTest::newRow("code keeps a leading zero digit") << QStringList{ "00A0" } << "E.0A0";
    QTest::newRow("code drops the first digit") << QStringList{ "E552" } << "E.552";
    QTest::newRow("no code") << QStringList{ "0000" } << "-";
    QTest::newRow("garbled code") << QStringList{ "XYZ1" } << "-";
    QTest::newRow("time, low word first") << QStringList{ "3039", "0000" } << "1234.5";
    QTest::newRow("negative time") << QStringList{ "FFFF", "FFFF" } << "-0.1";
    QTest::newRow("large time, fixed notation") << QStringList{ "614E", "00BC" } << "1234567.8";
    QTest::newRow("whole seconds keep their decimal") << QStringList{ "03E8", "0000" } << "100.0";
    QTest::newRow("no time") << QStringList{ "0000", "0000" } << "-";
    QTest::newRow("three words: no cell") << QStringList{ "0001", "0002", "0003" } << QString();
}

void TestAuxCoding::alarmCells()
{
    QFETCH(QStringList, words);
    QFETCH(QString, text);
    const QString cell = AlarmHistory::cellText(words.toVector());
    QCOMPARE(cell, text);
    QCOMPARE(cell.isNull(), text.isNull());
}

void TestAuxCoding::alarmTables_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");

    QTest::newRow("Chinese, GBK") << 1 << "E.552" << "多圈编码器错误";
    QTest::newRow("Chinese, last line without line end") << 1 << "E.F03" << "系统报警3";
    QTest::newRow("Chinese, full-width brackets") << 1 << "E.120" << "电机过载（瞬间过载）";
    QTest::newRow("English") << 0 << "E.552" << "Multi-turn encoder error";
    QTest::newRow("English, last line") << 0 << "E.F03" << "System alarm 3";
}

void TestAuxCoding::alarmTables()
{
    QFETCH(int, language);
    QFETCH(QString, code);
    QFETCH(QString, text);
    const AlarmHistory::Table table = AlarmHistory::loadTable(language);
    QVERIFY2(table.error.isEmpty(), qPrintable(table.error));
    QCOMPARE(table.texts.size(), 61);
    QCOMPARE(table.texts.value(code), text);
    QVERIFY(!table.texts.contains(QStringLiteral("-")));
}

void TestAuxCoding::offsets_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("written");

    const int ok = AuxCoding::OffsetEntry::Ok;
    const int nan = AuxCoding::OffsetEntry::NotANumber;
    const int range = AuxCoding::OffsetEntry::OutOfRange;
    QTest::newRow("speed 3") << "3" << 32 << ok << "00020400300000";
    QTest::newRow("speed -1") << "-1" << 32 << ok << "000204FFF0FFFF";
    QTest::newRow("speed with blanks around") << " 3 " << 32 << ok << "00020400300000";
    QTest::newRow("speed highest") << "134217727" << 32 << ok << "000204FFF07FFF";
    QTest::newRow("speed too high") << "134217728" << 32 << range << "";
    QTest::newRow("torque 3") << "3" << 16 << ok << "0030";
    QTest::newRow("torque -1") << "-1" << 16 << ok << "FFF0";
    QTest::newRow("torque lowest") << "-2048" << 16 << ok << "8000";
    QTest::newRow("torque 2048 would wrap") << "2048" << 16 << range << "";
    QTest::newRow("torque 4096 would wrap to 0") << "4096" << 16 << range << "";
    QTest::newRow("empty") << "" << 16 << nan << "";
    QTest::newRow("fraction") << "1.5" << 32 << nan << "";
    QTest::newRow("letters") << "12a" << 16 << nan << "";
}

void TestAuxCoding::offsets()
{
    QFETCH(QString, typed);
    QFETCH(int, bits);
    QFETCH(int, result);
    QFETCH(QString, written);
    const AuxCoding::OffsetEntry entry = AuxCoding::parseOffset(typed, bits);
    QCOMPARE(int(entry.result), result);
    if (result == AuxCoding::OffsetEntry::Ok) {
        const QByteArray data = bits == 32 ? AuxCoding::speedOffsetData(entry.typed) : AuxCoding::torqueOffsetWord(entry.typed);
        QCOMPARE(QString::fromLatin1(data), written);
        // What the drive then shows reads back as the typed value.
        const qint16 low = qint16(data.right(bits == 32 ? 8 : 4).left(4).toUShort(nullptr, 16));
        if (bits == 16)
            QCOMPARE(qint64(AuxCoding::shownOffset(low)), entry.typed);
    }
}

void TestAuxCoding::shownOffsetTruncatesTowardZero()
{
    QCOMPARE(AuxCoding::shownOffset(qint16(0xFFF1)), 0); // a shift would floor it to -1
}

void TestAuxCoding::rigidity_data()
{
    QTest::addColumn<int>("gain");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("words");

    QTest::newRow("level 1 and below") << 150 << 1 << "0096 1770 0096 00FA";
    QTest::newRow("negative gain") << -1 << 1 << "0096 1770 0096 00FA";
    QTest::newRow("factory values") << 400 << 4 << "0190 07D0 0190 0064";
    QTest::newRow("just above a level") << 401 << 5 << "0258 05DC 0258 0046";
    QTest::newRow("level 10") << 1600 << 10 << "0640 01F4 0640 0019";
    QTest::newRow("top level") << 5400 << 25 << "1518 003C 1518 0000";
    QTest::newRow("above the table stays at 25") << 6000 << 25 << "1518 003C 1518 0000";
}

void TestAuxCoding::rigidity()
{
    QFETCH(int, gain);
    QFETCH(int, level);
    QFETCH(QString, words);
    QCOMPARE(AuxCoding::levelForSpeedLoopGain(gain), level);
    const AuxCoding::RigidityLevel values = AuxCoding::rigidityLevel(level);
    const QStringList hex{ QString::fromLatin1(AuxCoding::hexWord(values.speedLoopGain)),
                           QString::fromLatin1(AuxCoding::hexWord(values.speedIntegralTime)),
                           QString::fromLatin1(AuxCoding::hexWord(values.positionLoopGain)),
                           QString::fromLatin1(AuxCoding::hexWord(values.torqueFilterTime)) };
    QCOMPARE(hex.join(QLatin1Char(' ')), words);
}

QTEST_GUILESS_MAIN(TestAuxCoding)
#include "tst_auxcoding.moc"
