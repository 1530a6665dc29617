// The widget-free rules of the motor data: how a register word fills the rows that share it,
// how a table becomes register writes (the worked examples of the drive's packing), the value
// check, and the .CBC file with malformed and partial files.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "cbcfile.h"
#include "motordata.h"

using MotorData::Verdict;
Q_DECLARE_METATYPE(MotorData::Verdict)

namespace {

// The table as the window holds it, from the Chinese resource; values from `values` ("row=value").
QVector<MotorData::Row> table(const QString &values = QString(), QStringList *pnNumbers = nullptr)
{
    QFile file(QStringLiteral(":/Encoder.txt"));
    file.open(QIODevice::ReadOnly);
    QVector<MotorData::Row> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QStringList f = line.trimmed().split(QRegularExpression(QStringLiteral("\t+")), Qt::SkipEmptyParts);
        if (f.size() < 8)
            continue;
        rows.append({f.at(1).trimmed().toInt(), f.at(3), f.at(5), f.at(6), f.at(7).toInt()});
        if (pnNumbers)
            *pnNumbers << f.at(0);
    }
    for (const QString &pair : values.split(QLatin1Char(','), Qt::SkipEmptyParts))
        rows[pair.section(QLatin1Char('='), 0, 0).toInt() - 1].value = pair.section(QLatin1Char('='), 1);
    return rows;
}

QString joined(const QVector<QPair<int, QString>> &values)
{
    QStringList parts;
    for (const auto &v : values)
        parts << QStringLiteral("%1=%2").arg(v.first).arg(v.second);
    return parts.join(QLatin1Char(';'));
}

} // namespace

class MotorDataTest : public QObject
{
    Q_OBJECT

private slots:
    void decodeRegister_data();
    void decodeRegister();
    void judge_data();
    void judge();
    void planDownload_data();
    void planDownload();
    void cbcParse_data();
    void cbcParse();
    void cbcRoundTripAndWholeWrites();
};

void MotorDataTest::decodeRegister_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("word");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0F01 three fields") << 1 << 0 << 0x1205 << "1=1;2=5;3=2";
    QTest::newRow("0F00 three fields") << 4 << 0 << 0x1205 << "4=5;5=2;6=1";
    QTest::newRow("speeds in hundreds") << 10 << 0 << 0x3C1E << "10=3000;11=6000";
    QTest::newRow("two bytes") << 12 << 0 << 0x780A << "12=10;13=120";
    QTest::newRow("one decimal, all ones") << 16 << 1 << 0xFFFF << "16=6553.5";
    QTest::newRow("one decimal, whole") << 16 << 1 << 0x03E8 << "16=100";
    QTest::newRow("two decimals") << 14 << 2 << 0x3039 << "14=123.45";
    QTest::newRow("three decimals") << 20 << 3 << 0xFFFF << "20=65.535";
    QTest::newRow("whole word") << 7 << 0 << 0xFFFF << "7=65535";
    QTest::newRow("a later field reads nothing itself") << 2 << 0 << 0x1205 << "";
    QTest::newRow("19 decimals: no value, no overflow") << 14 << 19 << 0xFFFF << "14=";
}

void MotorDataTest::decodeRegister()
{
    QFETCH(int, row);
    QFETCH(int, decimals);
    QFETCH(int, word);
    QFETCH(QString, expected);
    QCOMPARE(joined(MotorData::decodeRegister(row, decimals, quint16(word))), expected);
}

void MotorDataTest::judge_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<qint64>("units");
    QTest::newRow("two decimals at the maximum") << 14 << "655.35" << "655.35" << 2 << Verdict::Accepted << qint64(65535);
    QTest::newRow("two decimals above") << 14 << "655.36" << "655.35" << 2 << Verdict::AboveMaximum << qint64(0);
    QTest::newRow("three decimals above") << 20 << "65.536" << "65.535" << 3 << Verdict::AboveMaximum << qint64(0);
    QTest::newRow("speed at the maximum") << 10 << "25500" << "25500" << 0 << Verdict::Accepted << qint64(25500);
    QTest::newRow("speed above") << 10 << "25501" << "25500" << 0 << Verdict::AboveMaximum << qint64(0);
    QTest::newRow("speed between hundreds") << 11 << "3050" << "25500" << 0 << Verdict::NotAStep << qint64(0);
    QTest::newRow("whole number on a decimal row") << 16 << "12" << "6553.5" << 1 << Verdict::Accepted << qint64(120);
    QTest::newRow("trailing zeros") << 16 << "6553.50" << "6553.5" << 1 << Verdict::Accepted << qint64(65535);
    QTest::newRow("too many decimals") << 16 << "1.25" << "6553.5" << 1 << Verdict::TooManyDecimals << qint64(0);
    QTest::newRow("beyond 16 bits") << 7 << "70000" << "65535" << 0 << Verdict::AboveMaximum << qint64(0);
    QTest::newRow("four-bit field") << 5 << "16" << "15" << 0 << Verdict::AboveMaximum << qint64(0);
    QTest::newRow("below the minimum") << 7 << "-2" << "65535" << 0 << Verdict::BelowMinimum << qint64(0);
    QTest::newRow("negative in a bit field") << 5 << "-1" << "15" << 0 << Verdict::AboveMaximum << qint64(0);
    QTest::newRow("letters") << 7 << "abc" << "65535" << 0 << Verdict::NotANumber << qint64(0);
    QTest::newRow("empty") << 7 << "" << "65535" << 0 << Verdict::NotANumber << qint64(0);
    QTest::newRow("decimal point on an integer row") << 7 << "12.0" << "65535" << 0 << Verdict::NotANumber << qint64(0);
    QTest::newRow("digits beyond any register: out of range") << 7 << "12345678901234" << "65535" << 0 << Verdict::AboveMaximum << qint64(0);
    QTest::newRow("leading zeros are no digits too many") << 7 << "00000000000000012" << "65535" << 0 << Verdict::Accepted << qint64(12);
}

void MotorDataTest::judge()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, maximum);
    QFETCH(int, decimals);
    QFETCH(Verdict, verdict);
    QFETCH(qint64, units);
    qint64 got = 0;
    QCOMPARE(MotorData::judge(row, text, QStringLiteral("-1"), maximum, decimals, &got), verdict); // minimum below 0
    QCOMPARE(got, units);
}

void MotorDataTest::planDownload_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QList<int>>("refusedRows");
    QTest::newRow("0F01 from rows 1 to 3") << "1=1,2=5,3=2" << "0F01" << "1205" << QList<int>{};
    QTest::newRow("0F00 from rows 4 to 6") << "4=5,5=2,6=1" << "0F00" << "1205" << QList<int>{};
    QTest::newRow("speeds") << "10=3000,11=6000" << "0F05" << "3C1E" << QList<int>{};
    QTest::newRow("one decimal, all ones") << "16=6553.5" << "0F09" << "FFFF" << QList<int>{};
    QTest::newRow("three decimals") << "20=0.78" << "0F0D" << "030C" << QList<int>{};
    QTest::newRow("row 46 writes 0F21; reserved 42 is not judged") << "42=abc,46=7" << "0F21" << "0007" << QList<int>{};
    QTest::newRow("refused values plan nothing") << "7=70000,14=abc,16=2.55" << "" << "" << QList<int>{7, 14, 16};
}

void MotorDataTest::planDownload()
{
    QFETCH(QString, values);
    QFETCH(QString, address);
    QFETCH(QString, word);
    QFETCH(QList<int>, refusedRows);
    QStringList pn;
    const MotorData::DownloadPlan plan = MotorData::planDownload(table(values, &pn), pn);
    QList<int> refused;
    for (const MotorData::Refusal &r : plan.refused)
        refused << r.rowNumber;
    QCOMPARE(refused, refusedRows);
    if (!refusedRows.isEmpty()) {
        QVERIFY(plan.writes.isEmpty());
        return;
    }
    // One write per register, in table order: 0F01 first, 0F21 once (rows 42 to 45 only show it).
    QCOMPARE(plan.writes.size(), MotorData::RowCount - 8 - 4);
    QCOMPARE(plan.writes.first().address, QByteArray("0F01"));
    int lastRegister = 0;
    QString found;
    for (const MotorData::RegisterWrite &w : plan.writes) {
        lastRegister += w.address == "0F21";
        if (w.address == address.toLatin1())
            found = QString::fromLatin1(w.value);
    }
    QCOMPARE(lastRegister, 1);
    QCOMPARE(found, word);
}

void MotorDataTest::cbcParse_data()
{
    QTest::addColumn<QString>("data");      // the lines after the three header lines
    QTest::addColumn<QString>("assigned");  // "row=value;..."
    QTest::addColumn<QList<int>>("refusedLines");
    QTest::addColumn<int>("missing");
    const QString ten = QStringLiteral("1,1\n2,2\n3,3\n4,4\n5,5\n6,6\n7,7\n8,8\n9,9\n10,100\n");
    QTest::newRow("header only") << "" << "" << QList<int>{} << 46;
    QTest::newRow("ten rows, CR LF") << QString(ten).replace(QLatin1String("\n"), QLatin1String("\r\n"))
                                     << "1=1;2=2;3=3;4=4;5=5;6=6;7=7;8=8;9=9;10=100" << QList<int>{} << 36;
    QTest::newRow("rows by number, not by place") << "16,12.5\n7,750\n" << "16=12.5;7=750" << QList<int>{} << 44;
    QTest::newRow("three parts") << "5,1200,9\n7,750\n" << "7=750" << QList<int>{4} << 45;
    QTest::newRow("number missing") << ",7\n" << "" << QList<int>{4} << 46;
    QTest::newRow("blank line passed over") << "7,750\n\n8,1\n" << "7=750;8=1" << QList<int>{} << 44;
    QTest::newRow("no such row") << "47,1\nx,1\n0,1\n" << "" << QList<int>{4, 5, 6} << 46;
    QTest::newRow("row twice") << "7,1\n7,2\n" << "7=1" << QList<int>{5} << 45;
    // The rows of refused values are in the file: reported with their lines, not as missing.
    QTest::newRow("values the row cannot hold") << "7,70000\n14,1.234\n10,3050\n9,12\n" << "9=12"
                                                << QList<int>{4, 5, 6} << 42;
    // No line end after the last line: cut inside it while rows after its own are missing, whole
    // when earlier lines name them (taken or refused).
    QTest::newRow("cut inside the last value") << "13,1\n14,2.3" << "13=1" << QList<int>{5} << 44;
    QTest::newRow("later rows given before the last line") << "46,0\n45,70000\n44,3" << "46=0;44=3" << QList<int>{5}
                                                          << 43;
    QTest::newRow("cut in the last row but one") << "13,1\n45,3" << "13=1" << QList<int>{5} << 44;
    QTest::newRow("a lone CR ends the last line") << "13,1\n14,2.3\r" << "13=1;14=2.3" << QList<int>{} << 44;
}

void MotorDataTest::cbcParse()
{
    QFETCH(QString, data);
    QFETCH(QString, assigned);
    QFETCH(QList<int>, refusedLines);
    QFETCH(int, missing);
    const CbcFile::Parsed parsed =
        CbcFile::parse(QStringLiteral("2026-12-07_10-00-00\nVR1M\n编号Pn,数值\n") + data, table());
    QStringList got;
    for (const CbcFile::Assignment &a : parsed.assignments)
        got << QStringLiteral("%1=%2").arg(a.rowNumber).arg(a.value);
    QCOMPARE(got.join(QLatin1Char(';')), assigned);
    QList<int> lines;
    for (const CbcFile::Refusal &r : parsed.refused)
        lines << r.line;
    QCOMPARE(lines, refusedLines);
    QCOMPARE(parsed.missingRows.size(), missing);
    QCOMPARE(parsed.model, QStringLiteral("VR1M"));
    QVERIFY(refusedLines.isEmpty() || !CbcFile::describe(parsed.refused).isEmpty());
}

void MotorDataTest::cbcRoundTripAndWholeWrites()
{
    QVector<QPair<QString, QString>> rows;
    for (const MotorData::Row &row : table(QStringLiteral("1=2,10=3000,14=2.39,20=0.78")))
        rows.append(qMakePair(QString::number(row.number), row.value));
    const QString text = CbcFile::format(QStringLiteral("stamp"), QString(), QStringLiteral("Number of the Pn,Value"), rows);
    QCOMPARE(text.count(QLatin1Char('\n')), 3 + 46);
    QVERIFY(text.startsWith(QLatin1String("stamp\n\nNumber of the Pn,Value\n1,2\n2,0\n")));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor.CBC"));
    QString error, read;
    QVERIFY(CbcFile::writeFile(path, text, &error));
    QVERIFY(CbcFile::readFile(path, &read, &error));
    const CbcFile::Parsed parsed = CbcFile::parse(read, table());
    QVERIFY(parsed.refused.isEmpty() && parsed.missingRows.isEmpty());
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(parsed.assignments.at(i).value, rows.at(i).second);

    // A file that cannot be written leaves the old one as it was and says why.
    QVERIFY(!CbcFile::writeFile(dir.filePath(QStringLiteral("no/such/folder.CBC")), text, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!CbcFile::readFile(dir.filePath(QStringLiteral("missing.CBC")), &read, &error));
}

QTEST_GUILESS_MAIN(MotorDataTest)
#include "tst_motordata.moc"
