// The parameter file on its own: what the parser takes and refuses, matching to the table by
// number, whole-or-nothing writing, and comparing two files by number. The save/load round
// trip over every catalogue row runs through the parameter window in tst_parameterfiles.

#include "parametercatalogue.h"
#include "parametercsvfile.h"
#include "parameterconversion.h"
#include "treemodel.h"

#include "tempworkdir.h"

#include <QFile>
#include <QTest>

using namespace ParameterCsv;

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(CSV_TEST_DATA "/") + name;
}

// "number=value" per taken line, numbers simplified.
QString takenText(const QVector<Entry> &entries)
{
    QStringList out;
    for (const Entry &e : entries)
        out << numberKey(e.number) + QLatin1Char('=') + e.value;
    return out.join(QLatin1Char(';'));
}

// "line:problem" per refusal.
QString refusedText(const QVector<Refusal> &refused)
{
    static const char *const names[] = {"nonumber", "novalue", "duplicate", "unknown", "bad", "cut"}; // Problem's order
    QStringList out;
    for (const Refusal &r : refused)
        out << QString::number(r.line) + QLatin1Char(':') + QLatin1String(names[int(r.problem)]);
    return out.join(QLatin1Char(';'));
}

QString cellText(const TreeModel &model, int row, int column)
{
    return model.data(model.index(row, column), Qt::EditRole).toString();
}

QStringList numbersOf(const TreeModel &model)
{
    QStringList numbers;
    for (int row = 0; row < model.rowCount(); ++row)
        numbers << cellText(model, row, 0);
    return numbers;
}

// The check the parameter window applies: the row's kind and limits.
ValueCheck limitsOf(const TreeModel &model)
{
    return [&model](int row, const QString &value) {
        const int code = ParameterConversion::attributeCode(model.data(model.index(row, 7), Qt::EditRole));
        const auto verdict = ParameterConversion::judgeValue(code, value, cellText(model, row, 3),
                                                             cellText(model, row, 4));
        return verdict.accepted() ? QString() : QStringLiteral("refused");
    };
}

} // namespace

class TestParameterCsvFile : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void matchToTable_data();
    void matchToTable();
    void writeFile();
    void compareByNumber_data();
    void compareByNumber();
};

void TestParameterCsvFile::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("refused");

    const QString head = QStringLiteral("2026-12-07_08-00-00\nVR1P\n编号,数值\n");
    QTest::newRow("as saved, trailing blanks kept in the number")
        << head + "PA000               ,0011\nPA100               ,400\n"
        << "PA000=0011;PA100=400" << "";
    QTest::newRow("CR LF line ends")
        << QStringLiteral("t\r\nm\r\nNumber,Value\r\nPA000,0011\r\nPA100,400\r\n")
        << "PA000=0011;PA100=400" << "";
    QTest::newRow("blanks around both fields")
        << head + "   PA000   ,   0011  \n\tPA100\t,\t400\t\n" << "PA000=0011;PA100=400" << "";
    QTest::newRow("last line without its line feed") << head + "PA000,0011\nPA100,400"
                                                     << "PA000=0011;PA100=400" << "";
    QTest::newRow("blank lines are passed over") << head + "\n\nPA000,0011\n   \n\r\nPA100,400\n\n"
                                                 << "PA000=0011;PA100=400" << "";
    QTest::newRow("truncated lines are refused, the rest loads")
        << head + "PA000,0011\nPA001\nPA002,\nPA003 ,  \nPA100,400\n" << "PA000=0011;PA100=400"
        << "5:novalue;6:novalue;7:novalue";
    QTest::newRow("a value without number") << head + ",5\n  ,6\nPA100,400\n" << "PA100=400"
                                            << "4:nonumber;5:nonumber";
    QTest::newRow("a number given twice: the first counts")
        << head + "PA000,0011\nPA100,400\nPA000   ,0001\n" << "PA000=0011;PA100=400" << "6:duplicate";
    QTest::newRow("fields after the value are ignored") << head + "PA000,0011,x,y\n" << "PA000=0011" << "";
    QTest::newRow("header lines are not judged")
        << QStringLiteral("PA000,1\nPA001,2\nPA002,3\nPA003,4\n") << "PA003=4" << "";
    QTest::newRow("a file of two lines has no parameters") << QStringLiteral("t\nm\n") << "" << "";
    QTest::newRow("empty text") << QString() << "" << "";
}

void TestParameterCsvFile::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, taken);
    QFETCH(QString, refused);
    const ParsedFile parsed = ParameterCsv::parse(text);
    QCOMPARE(takenText(parsed.entries), taken);
    QCOMPARE(refusedText(parsed.refused), refused);
}

void TestParameterCsvFile::matchToTable_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("assigned"); // "row=value" in file order
    QTest::addColumn<QString>("refused");
    QTest::addColumn<int>("refusedRows");
    QTest::addColumn<int>("notInFile");

    // Rows of the VR catalogue: PA000 is row 0, PA100 row 16, PA124 row 33, PA20E row 45.
    QTest::newRow("foreign line ends and blanks, no trailing blanks in numbers")
        << "crlf_blanks.csv" << "0=0011;16=400;33=-10000;45=1073741824" << "" << 0 << 151 - 4;
    // PA100, PA101, PA102, PA001 and PA124 are named but refused: not counted as missing from the
    // file. Its last line (PA124) has no line end and rows after PA124 are missing: cut inside it.
    QTest::newRow("unknown number, bad value, truncated lines, cut inside the last: the sound lines load")
        << "faults.csv" << "0=0011;19=2000"
        << "5:unknown;6:bad;7:novalue;8:novalue;11:nonumber;12:duplicate;13:unknown;14:bad;15:cut" << 5 << 151 - 2 - 5;
    // PA632 and PA633 come after PA631 and are named before it: its line is whole without a line end.
    QTest::newRow("later rows named before the last line") << "t\nVR1P\nh\nPA633,1\nPA632,\nPA631,-7"
                                                          << "150=1;148=-7" << "5:novalue" << 1 << 151 - 3;
    QTest::newRow("cut after the comma") << "t\nVR1P\nh\nPA000,0011\nPA100," << "0=0011" << "5:cut" << 1 << 151 - 2;
    // PA632 is the last row but one: only PA633 is missing after it.
    QTest::newRow("cut in the last row but one") << "t\nVR1P\nh\nPA000,0011\nPA632,12" << "0=0011" << "5:cut" << 1 << 151 - 2;
    QTest::newRow("control characters, a long line: quoted short and printable")
        << "t\nVR1P\nh\nPA\x01" "000,1\n" + QString(300, QLatin1Char('Z')) + ",1\nPA100,9\u2028\x1b[2J\n" << ""
        << "4:unknown;5:unknown;6:bad" << 1 << 151 - 1;
    QTest::newRow("a lone CR ends the last line") << "t\nVR1P\nh\nPA000,0011\nPA100,400\r" << "0=0011;16=400" << "" << 0
                                                  << 151 - 2;
}

void TestParameterCsvFile::matchToTable()
{
    QFETCH(QString, file);
    QFETCH(QString, assigned);
    QFETCH(QString, refused);
    QFETCH(int, refusedRows);
    QFETCH(int, notInFile);

    const TreeModel model(QVector<QString>(9).toList(), ParameterCatalogue::readText(QStringLiteral(":/defaults_New.txt")));
    QCOMPARE(model.rowCount(), 151);

    ParsedFile parsed = ParameterCsv::parse(file); // a text, or the name of a file
    QString error;
    QVERIFY2(file.contains(QLatin1Char('\n')) || readFile(dataFile(file), &parsed, &error), qPrintable(error));
    const LoadPlan plan = ParameterCsv::matchToTable(parsed, numbersOf(model), limitsOf(model));

    QStringList got;
    for (const Assignment &a : plan.assignments)
        got << QString::number(a.row) + QLatin1Char('=') + a.value;
    QCOMPARE(got.join(QLatin1Char(';')), assigned);
    QCOMPARE(refusedText(plan.refused), refused);
    QCOMPARE(plan.refusedRows.size(), refusedRows);
    QCOMPARE(plan.rowsNotInFile.size(), notInFile);

    // The report names `limit` lines and counts the rest in one closing line.
    const QStringList lines = describe(plan.refused, 2).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (plan.refused.size() > 2) {
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.last(), QStringLiteral("另有 %1 行未载入").arg(plan.refused.size() - 2));
    } else {
        QCOMPARE(lines.size(), plan.refused.size());
    }
    // A long number is quoted cut to 24 characters, the last an ellipsis.
    QVERIFY(!file.contains(QString(300, 'Z')) || describe(plan.refused).contains(' ' + QString(23, 'Z') + QChar(0x2026) + '\n'));
    for (const QString &line : describe(plan.refused).split(QLatin1Char('\n')))
        QVERIFY2(line.size() < 60 && std::all_of(line.begin(), line.end(), [](QChar c) { return c.isPrint() && (c == ' ' || !c.isSpace()); }),
                 qPrintable(line));
}

// The file as written, trailing blanks of the numbers kept; a failed write (a value that
// cannot be one field of one line, a missing folder) is reported and replaces nothing.
void TestParameterCsvFile::writeFile()
{
    TempWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("p.csv"));
    QString error;
    QVERIFY2(ParameterCsv::writeFile(path, QStringLiteral("2026-12-07_08-01-02"), QString(), QStringLiteral("编号,数值"),
                                     {{QStringLiteral("PA000               "), QStringLiteral("0011"), 0},
                                      {QStringLiteral("PA20E               "), QStringLiteral("1073741824"), 0}},
                                     &error),
             qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(file.readAll()),
             QStringLiteral("2026-12-07_08-01-02\n\n编号,数值\nPA000               ,0011\n"
                            "PA20E               ,1073741824\n"));

    QVERIFY(!ParameterCsv::writeFile(path, QStringLiteral("s2"), QStringLiteral("VR1P"), QStringLiteral("h"),
                                     {{QStringLiteral("PA000"), QStringLiteral("00\n11"), 0}}, &error));
    QVERIFY(error.contains(QStringLiteral("PA000")));
    ParsedFile parsed;
    QVERIFY(readFile(path, &parsed, &error));
    QCOMPARE(parsed.stamp, QStringLiteral("2026-12-07_08-01-02"));
    QCOMPARE(takenText(parsed.entries), QStringLiteral("PA000=0011;PA20E=1073741824"));

    error.clear();
    QVERIFY(!ParameterCsv::writeFile(dir.filePath(QStringLiteral("missing/folder/p.csv")), QStringLiteral("s"),
                                     QString(), QStringLiteral("h"), {}, &error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!readFile(dir.filePath(QStringLiteral("nothing.csv")), &parsed, &error));
    QVERIFY(!error.isEmpty());
}

void TestParameterCsvFile::compareByNumber_data()
{
    QTest::addColumn<QString>("left");  // "number=value;..."
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("differences"); // "number:left:right;..."

    QTest::newRow("same sets in another order") << "PA000=0011;PA100=400" << "PA100   =400;PA000=0011" << "";
    QTest::newRow("paired by number, not position")
        << "PA000=0011;PA100=400;PA101=5" << "PA101=6;PA000=0011;PA100=401" << "PA101:5:6;PA100:400:401";
    QTest::newRow("0001 and 1 differ") << "PA100=0001" << "PA100=1" << "PA100:0001:1";
    QTest::newRow("a number only one side holds")
        << "PA000=1;PA002=3" << "PA000=1;PA001=2" << "PA001::2;PA002:3:";
    QTest::newRow("blanks after the number do not matter") << "PA001               =7" << "PA001=7" << "";
}

void TestParameterCsvFile::compareByNumber()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, differences);
    auto entries = [](const QString &text) {
        QVector<Entry> out;
        for (const QString &pair : text.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            out.append({pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1), 0});
        return out;
    };
    QStringList got;
    for (const Difference &d : ParameterCsv::compareByNumber(entries(left), entries(right)))
        got << d.number + QLatin1Char(':') + d.left + QLatin1Char(':') + d.right;
    QCOMPARE(got.join(QLatin1Char(';')), differences);
}

QTEST_GUILESS_MAIN(TestParameterCsvFile)
#include "tst_parametercsvfile.moc"
