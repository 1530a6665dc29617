// The parameter file on its own: what the parser takes and refuses, matching to the table by
// number, whole-or-nothing writing, and a save/load round trip over every catalogue row.

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

QString problemName(Problem p)
{
    switch (p) {
    case Problem::MissingNumber: return QStringLiteral("nonumber");
    case Problem::MissingValue: return QStringLiteral("novalue");
    case Problem::DuplicateNumber: return QStringLiteral("duplicate");
    case Problem::UnknownNumber: return QStringLiteral("unknown");
    case Problem::BadValue: return QStringLiteral("bad");
    }
    return QString();
}

// "line:problem" per refusal.
QString refusedText(const QVector<Refusal> &refused)
{
    QStringList out;
    for (const Refusal &r : refused)
        out << QString::number(r.line) + QLatin1Char(':') + problemName(r.problem);
    return out.join(QLatin1Char(';'));
}

QStringList catalogueHeaders()
{
    return {"编号", "名称", "数值", "最小值", "最大值", "默认值", "单位", "属性", "数值状态"};
}

QString readResource(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
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
    void writeThenReadKeepsTrailingBlanks();
    void failedWriteKeepsEarlierFile();
    void unwritableFolderIsReported();
    void roundTripOfEveryCatalogueRow_data();
    void roundTripOfEveryCatalogueRow();
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
    QTest::addColumn<int>("notInFile");

    // Rows of the VR catalogue: PA000 is row 0, PA100 row 16, PA124 row 33, PA20E row 45.
    QTest::newRow("foreign line ends and blanks, no trailing blanks in numbers")
        << "crlf_blanks.csv" << "0=0011;16=400;33=-10000;45=1073741824" << "" << 151 - 4;
    QTest::newRow("unknown number, bad value, truncated line: the sound lines load")
        << "faults.csv" << "0=0011;19=2000;33=10000"
        << "5:unknown;6:bad;7:novalue;8:novalue;11:nonumber;12:duplicate;13:unknown;14:bad" << 151 - 3;
}

void TestParameterCsvFile::matchToTable()
{
    QFETCH(QString, file);
    QFETCH(QString, assigned);
    QFETCH(QString, refused);
    QFETCH(int, notInFile);

    const TreeModel model(catalogueHeaders(), readResource(QStringLiteral(":/defaults_New.txt")));
    QCOMPARE(model.rowCount(), 151);

    ParsedFile parsed;
    QString error;
    QVERIFY2(readFile(dataFile(file), &parsed, &error), qPrintable(error));
    const LoadPlan plan = ParameterCsv::matchToTable(parsed, numbersOf(model), limitsOf(model));

    QStringList got;
    for (const Assignment &a : plan.assignments)
        got << QString::number(a.row) + QLatin1Char('=') + a.value;
    QCOMPARE(got.join(QLatin1Char(';')), assigned);
    QCOMPARE(refusedText(plan.refused), refused);
    QCOMPARE(plan.rowsNotInFile.size(), notInFile);
    QVERIFY(!describe(plan.refused).isEmpty() || plan.refused.isEmpty());
}

void TestParameterCsvFile::writeThenReadKeepsTrailingBlanks()
{
    TempWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("p.csv"));
    const QVector<Entry> rows = {{QStringLiteral("PA000               "), QStringLiteral("0011"), 0},
                                 {QStringLiteral("PA20E               "), QStringLiteral("1073741824"), 0}};
    QString error;
    QVERIFY2(writeFile(path, QStringLiteral("2026-12-07_08-01-02"), QString(), QStringLiteral("编号,数值"), rows,
                       &error),
             qPrintable(error));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(file.readAll()),
             QStringLiteral("2026-12-07_08-01-02\n\n编号,数值\nPA000               ,0011\n"
                            "PA20E               ,1073741824\n"));
}

void TestParameterCsvFile::failedWriteKeepsEarlierFile()
{
    TempWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("p.csv"));
    QString error;
    QVERIFY(writeFile(path, QStringLiteral("s"), QStringLiteral("VR1P"), QStringLiteral("h"),
                      {{QStringLiteral("PA000"), QStringLiteral("0011"), 0}}, &error));

    // A value that cannot be one field of one line stops the write before anything is replaced.
    QVERIFY(!writeFile(path, QStringLiteral("s2"), QStringLiteral("VR1P"), QStringLiteral("h"),
                       {{QStringLiteral("PA000"), QStringLiteral("00\n11"), 0}}, &error));
    QVERIFY(error.contains(QStringLiteral("PA000")));
    ParsedFile parsed;
    QVERIFY(readFile(path, &parsed, &error));
    QCOMPARE(parsed.stamp, QStringLiteral("s"));
    QCOMPARE(takenText(parsed.entries), QStringLiteral("PA000=0011"));
}

void TestParameterCsvFile::unwritableFolderIsReported()
{
    TempWorkDir dir;
    QString error;
    QVERIFY(!writeFile(dir.filePath(QStringLiteral("missing/folder/p.csv")), QStringLiteral("s"), QString(),
                       QStringLiteral("h"), {}, &error));
    QVERIFY(!error.isEmpty());
    ParsedFile parsed;
    error.clear();
    QVERIFY(!readFile(dir.filePath(QStringLiteral("nothing.csv")), &parsed, &error));
    QVERIFY(!error.isEmpty());
}

void TestParameterCsvFile::roundTripOfEveryCatalogueRow_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<int>("rows");
    QTest::newRow("VR Chinese") << ":/defaults_New.txt" << 151;
    QTest::newRow("VR English") << ":/English_New.txt" << 151;
    QTest::newRow("HXQ Chinese") << ":/defaults.txt" << 258;
    QTest::newRow("HXQ English") << ":/English_t.txt" << 258;
}

// Every row gets a value its check accepts (its maximum, else its minimum, else its default,
// else zero); the file written from the table's number cells reads back to the same rows.
void TestParameterCsvFile::roundTripOfEveryCatalogueRow()
{
    QFETCH(QString, resource);
    QFETCH(int, rows);
    const TreeModel model(catalogueHeaders(), readResource(resource));
    QCOMPARE(model.rowCount(), rows);
    const ValueCheck check = limitsOf(model);

    for (int pass = 0; pass < 2; ++pass) {
        QVector<Entry> written;
        for (int row = 0; row < rows; ++row) {
            QStringList candidates = {cellText(model, row, 4).trimmed(), cellText(model, row, 3).trimmed(),
                                      cellText(model, row, 5).trimmed(), QStringLiteral("0"),
                                      QStringLiteral("0000")};
            if (pass == 1)
                candidates.swapItemsAt(0, 1); // the minimums first
            QString value;
            for (const QString &candidate : candidates) {
                if (check(row, candidate).isEmpty()) {
                    value = candidate;
                    break;
                }
            }
            QVERIFY2(!value.isEmpty(), qPrintable(cellText(model, row, 0)));
            written.append({cellText(model, row, 0), value, 0});
        }

        TempWorkDir dir;
        const QString path = dir.filePath(QStringLiteral("all.csv"));
        QString error;
        QVERIFY2(writeFile(path, timeStamp(QDateTime::currentDateTime()), QStringLiteral("VR1P"),
                           QStringLiteral("Number,Value"), written, &error),
                 qPrintable(error));
        ParsedFile parsed;
        QVERIFY(readFile(path, &parsed, &error));
        const LoadPlan plan = ParameterCsv::matchToTable(parsed, numbersOf(model), check);
        QVERIFY2(plan.refused.isEmpty(), qPrintable(describe(plan.refused)));
        QVERIFY(plan.rowsNotInFile.isEmpty());
        QCOMPARE(plan.assignments.size(), rows);
        for (int row = 0; row < rows; ++row) {
            QCOMPARE(plan.assignments.at(row).row, row);
            QCOMPARE(plan.assignments.at(row).value, written.at(row).value);
        }
    }
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
