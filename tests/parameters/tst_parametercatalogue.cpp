// The four parameter catalogues checked against what the drive families are known to hold:
// the text format, every number in order, the attribute codes, the digit rows, the group
// ranges of the tabs, and the rows whose fields are known.

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include "parametercatalogue.h"
#include "treemodel.h"

namespace {

// "PA000–PA009, PA00B" -> every number, the run bounds read in the family's numbering base.
QStringList expand(const QString &list, int base)
{
    QStringList out;
    for (QString part : list.split(QLatin1Char(','))) {
        part = part.trimmed();
        const QStringList bounds = part.split(QChar(0x2013));
        const int first = bounds.first().mid(2).toInt(nullptr, base);
        const int last = bounds.last().mid(2).toInt(nullptr, base);
        for (int n = first; n <= last; ++n)
            out << QStringLiteral("PA") + QString::number(n, base).toUpper().rightJustified(3, QLatin1Char('0'));
    }
    return out;
}

const char *vrNumbers = "PA000–PA009, PA00B, PA00D, PA010, PA012, PA015, PA016, PA100–PA106, PA109–PA10F, "
    "PA121–PA125, PA131, PA132, PA135, PA136, PA139, PA200–PA202, PA205, PA207, PA20E, PA210, PA212, "
    "PA216–PA218, PA300–PA308, PA30A, PA30B, PA310–PA312, PA324, PA400–PA40E, PA415–PA41B, PA41F, PA430, "
    "PA431, PA43D, PA456, PA460, PA500–PA507, PA50A–PA50D, PA511–PA513, PA516–PA519, PA51B, PA51E, PA520, "
    "PA522, PA524, PA526, PA528, PA529, PA52B, PA52F, PA54D–PA54F, PA560, PA561, PA590, PA591, PA5A0, PA5A1, "
    "PA5A3–PA5A6, PA5D0, PA600, PA610, PA611, PA613–PA619, PA630–PA633";
const char *hxqNumbers = "PA000–PA025, PA100–PA134, PA136–PA142, PA200–PA221, PA225–PA229, PA300–PA318, "
    "PA400–PA418, PA500–PA523, PA525–PA538, PA542–PA545, PA700–PA782";

const char *vrCode0 = "PA000–PA002, PA006–PA009, PA00B, PA00D, PA010, PA016, PA10B, PA139, PA200–PA202, PA207, "
    "PA310, PA408, PA41F, PA460, PA500, PA50A–PA50D, PA5A0, PA600, PA610, PA611, PA630";
const char *vrCode1 = "PA003–PA005, PA30A, PA30B, PA501–PA507, PA52F";
const char *vrCode3 = "PA101, PA105, PA123, PA131, PA132, PA135, PA136, PA205, PA216, PA307, PA308, PA54F, PA590";
const char *vrCode5 = "PA20E, PA210, PA212, PA51B, PA520, PA522, PA524, PA526, PA5A1";

const char *hxqCode0 = "PA000–PA005, PA007–PA010, PA016, PA018–PA021, PA025, PA120, PA125, PA200–PA203, PA300, "
    "PA315, PA418, PA508–PA511, PA535, PA700–PA732, PA766, PA767, PA770–PA773, PA777–PA782";
const char *hxqDigits = "PA000–PA005, PA007, PA009, PA010, PA016, PA021, PA025, PA120, PA125, PA200–PA202, PA300, "
    "PA315, PA418, PA508–PA511, PA535, PA700, PA770–PA773";
const char *hxqCode1 = "PA006, PA013, PA022, PA117, PA136, PA142, PA204, PA213, PA219–PA221, PA317, PA318, PA408, "
    "PA417, PA514, PA774";
const char *hxqCode3 = "PA023, PA123, PA124, PA128, PA129, PA205–PA209, PA211, PA212, PA217, PA218, PA525–PA528, "
    "PA544, PA765, PA769";
const char *hxqCode4 = "PA119, PA210, PA225–PA229, PA301";

const char *const kResources[] = { ":/defaults_New.txt", ":/English_New.txt", ":/defaults.txt", ":/English_t.txt" };

struct Row {
    QStringList fields;           // the top-level line's fields as the model holds them
    QList<QStringList> digitRows; // the child lines' fields
};

QList<Row> rowsOf(const QString &resource)
{
    const QStringList headers{ "0", "1", "2", "3", "4", "5", "6", "7", "8" };
    TreeModel model(headers, ParameterCatalogue::readText(resource));
    QList<Row> rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        Row row;
        const QModelIndex top = model.index(r, 0);
        for (int c = 0; c < 8; ++c)
            row.fields << model.index(r, c).data(Qt::EditRole).toString();
        for (int k = 0; k < model.rowCount(top); ++k) {
            QStringList digit;
            for (int c = 0; c < 7; ++c)
                digit << model.index(k, c, top).data(Qt::EditRole).toString();
            row.digitRows << digit;
        }
        rows << row;
    }
    return rows;
}

Row find(const QList<Row> &rows, const QString &number)
{
    for (const Row &row : rows) {
        if (row.fields.value(0).simplified() == number)
            return row;
    }
    return Row();
}

} // namespace

class TestParameterCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void textFormat_data();
    void textFormat();
    void numbersCodesAndDigitRows_data();
    void numbersCodesAndDigitRows();
    void groupRangesMatchNumberGroups_data();
    void groupRangesMatchNumberGroups();
    void knownRows_data();
    void knownRows();
    void languagesDifferOnlyInTexts_data();
    void languagesDifferOnlyInTexts();
    void resourceChoice();
};

void TestParameterCatalogue::textFormat_data()
{
    QTest::addColumn<QString>("resource");
    for (const char *resource : kResources)
        QTest::newRow(resource) << resource;
}

// UTF-8 without BOM, CR LF everywhere, an empty line after every row, top-level lines of
// eight tab-run separated fields starting in the first column with the number field carrying
// trailing blanks, digit rows indented by four blanks with seven fields.
void TestParameterCatalogue::textFormat()
{
    QFETCH(QString, resource);
    QFile file(resource);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.isEmpty());
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));

    const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    static const QRegularExpression number(QStringLiteral("^PA[0-9A-F]{3} {14,16}$"));
    static const QRegularExpression digitLabel(QStringLiteral("^Bit[0-3]$"));
    for (int i = 0; i + 1 < lines.size(); i += 2) {
        const QString &line = lines.at(i);
        QVERIFY2(lines.at(i + 1).isEmpty(), qPrintable(QStringLiteral("no empty line after line %1").arg(i + 1)));
        QVERIFY2(!line.isEmpty(), qPrintable(QStringLiteral("empty row line %1").arg(i + 1)));
        if (line.startsWith(QLatin1Char(' '))) {
            QVERIFY(line.startsWith(QStringLiteral("    ")) && line.at(4) != QLatin1Char(' '));
            const QStringList fields = line.mid(4).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
            QCOMPARE(fields.size(), 7);
            QVERIFY(digitLabel.match(fields.at(0)).hasMatch());
            QCOMPARE(fields.at(2), QStringLiteral("0"));
            for (int c = 3; c <= 5; ++c)
                QCOMPARE(fields.at(c).simplified(), QStringLiteral("-"));
            QCOMPARE(fields.at(6), QStringLiteral("bit"));
        } else {
            QVERIFY2(line.contains(QStringLiteral("\t\t")), qPrintable(line));
            const QStringList fields = line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
            QCOMPARE(fields.size(), 8);
            QVERIFY2(number.match(fields.at(0)).hasMatch(), qPrintable(fields.at(0)));
            QCOMPARE(fields.at(2), QStringLiteral("0000"));
            for (const QString &field : fields)
                QVERIFY(!field.simplified().isEmpty());
        }
    }
}

void TestParameterCatalogue::numbersCodesAndDigitRows_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("code0");
    QTest::addColumn<QStringList>("code1");
    QTest::addColumn<QStringList>("code3");
    QTest::addColumn<QStringList>("code45");
    QTest::addColumn<QString>("code45Value");
    QTest::addColumn<QStringList>("withDigits");

    const QStringList vr = expand(vrNumbers, 16);
    const QStringList hxq = expand(hxqNumbers, 10);
    QTest::newRow("VR Chinese") << ":/defaults_New.txt" << vr << expand(vrCode0, 16) << expand(vrCode1, 16)
                                << expand(vrCode3, 16) << expand(vrCode5, 16) << "5" << expand(vrCode0, 16);
    QTest::newRow("VR English") << ":/English_New.txt" << vr << expand(vrCode0, 16) << expand(vrCode1, 16)
                                << expand(vrCode3, 16) << expand(vrCode5, 16) << "5" << expand(vrCode0, 16);
    QTest::newRow("HXQ Chinese") << ":/defaults.txt" << hxq << expand(hxqCode0, 10) << expand(hxqCode1, 10)
                                 << expand(hxqCode3, 10) << expand(hxqCode4, 10) << "4" << expand(hxqDigits, 10);
    QTest::newRow("HXQ English") << ":/English_t.txt" << hxq << expand(hxqCode0, 10) << expand(hxqCode1, 10)
                                 << expand(hxqCode3, 10) << expand(hxqCode4, 10) << "4" << expand(hxqDigits, 10);
}

void TestParameterCatalogue::numbersCodesAndDigitRows()
{
    QFETCH(QString, resource);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, code0);
    QFETCH(QStringList, code1);
    QFETCH(QStringList, code3);
    QFETCH(QStringList, code45);
    QFETCH(QString, code45Value);
    QFETCH(QStringList, withDigits);

    const QList<Row> rows = rowsOf(resource);
    QStringList actual;
    for (const Row &row : rows)
        actual << row.fields.at(0).simplified();
    QCOMPARE(actual, numbers);

    for (const Row &row : rows) {
        const QString number = row.fields.at(0).simplified();
        QString expected = QStringLiteral("2");
        if (code0.contains(number))
            expected = QStringLiteral("0");
        else if (code1.contains(number))
            expected = QStringLiteral("1");
        else if (code3.contains(number))
            expected = QStringLiteral("3");
        else if (code45.contains(number))
            expected = code45Value;
        QVERIFY2(row.fields.at(7) == expected,
                 qPrintable(QStringLiteral("%1 has code %2, not %3").arg(number, row.fields.at(7), expected)));

        if (withDigits.contains(number)) {
            QCOMPARE(row.digitRows.size(), 4);
            for (int bit = 0; bit < 4; ++bit)
                QCOMPARE(row.digitRows.at(bit).at(0), QStringLiteral("Bit%1").arg(bit));
        } else {
            QVERIFY2(row.digitRows.isEmpty(), qPrintable(number));
        }
    }
}

void TestParameterCatalogue::groupRangesMatchNumberGroups_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("bounds"); // first and last number of each tab

    QTest::newRow("VR") << ":/defaults_New.txt" << 0
                        << QStringList{ "PA000", "PA016", "PA100", "PA139", "PA200", "PA218", "PA300", "PA324",
                                        "PA400", "PA460", "PA500", "PA5D0", "PA600", "PA633" };
    QTest::newRow("HXQ") << ":/English_t.txt" << 1
                         << QStringList{ "PA000", "PA025", "PA100", "PA142", "PA200", "PA229", "PA300", "PA318",
                                         "PA400", "PA418", "PA500", "PA545", "PA700", "PA782" };
}

void TestParameterCatalogue::groupRangesMatchNumberGroups()
{
    QFETCH(QString, resource);
    QFETCH(int, family);
    QFETCH(QStringList, bounds);

    const QList<Row> rows = rowsOf(resource);
    const QVector<QPair<int, int>> ranges = ParameterCatalogue::groupRanges(family);
    QCOMPARE(ranges.size(), 7);
    int next = 0;
    for (int g = 0; g < 7; ++g) {
        const int first = ranges.at(g).first;
        const int last = ranges.at(g).second < 0 ? rows.size() - 1 : ranges.at(g).second;
        QCOMPARE(first, next); // the tabs cover every row once
        QCOMPARE(rows.at(first).fields.at(0).simplified(), bounds.at(2 * g));
        QCOMPARE(rows.at(last).fields.at(0).simplified(), bounds.at(2 * g + 1));
        next = last + 1;
    }
    QCOMPARE(next, rows.size());
    QVERIFY(ParameterCatalogue::groupRanges(2).isEmpty());
}

void TestParameterCatalogue::knownRows_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QStringList>("fields"); // number, name, value, min, max, default, unit, code; "*" = not checked

    const QString vrZh = QStringLiteral(":/defaults_New.txt");
    const QString vrEn = QStringLiteral(":/English_New.txt");
    const QString hxqZh = QStringLiteral(":/defaults.txt");
    const QString hxqEn = QStringLiteral(":/English_t.txt");

    QTest::newRow("VR PA000") << vrZh << QStringList{ "PA000", "功能选择基本开关0", "0000", "0000", "11D1", "0000", "bit", "0" };
    QTest::newRow("VR PA003") << vrZh << QStringList{ "PA003", "保留", "0000", "0000", "0000", "0000", "bit", "1" };
    QTest::newRow("VR PA100") << vrZh << QStringList{ "PA100", "第一速度环增益", "0000", "10", "20000", "400", "0.1Hz", "2" };
    QTest::newRow("VR PA124") << vrZh << QStringList{ "PA124", "扰动补偿频率补偿", "0000", "-10000", "10000", "0", "0.1Hz", "2" };
    QTest::newRow("VR PA205") << vrZh << QStringList{ "PA205", "多旋转圈数上限值", "0000", "0", "65535", "65535", "1rev", "3" };
    QTest::newRow("VR PA20E") << vrZh << QStringList{ "PA20E", "电子齿数比(分子)", "0000", "1", "1073741824", "4", "1", "5" };
    QTest::newRow("HXQ PA005") << hxqZh << QStringList{ "PA005", "功能选择基本开关6", "0000", "0000", "5044", "1022", "bit", "0" };
    QTest::newRow("HXQ PA301") << hxqZh << QStringList{ "PA301", "速度指令输入增益", "0000", "150", "30000", "600", "0.01V/额定速度", "4" };

    // The loop-gain parameters: names, units and the factory values (rigidity level 4).
    QTest::newRow("VR PA101") << vrZh << QStringList{ "PA101", "第一速度环积分时间常数", "0000", "*", "*", "2000", "0.01ms", "3" };
    QTest::newRow("VR PA102") << vrZh << QStringList{ "PA102", "第一位置环增益", "0000", "*", "*", "400", "0.1/s", "2" };
    QTest::newRow("VR PA103") << vrZh << QStringList{ "PA103", "转动惯量比", "0000", "*", "*", "*", "%", "2" };
    QTest::newRow("VR PA109") << vrZh << QStringList{ "PA109", "速度前馈增益", "0000", "*", "*", "*", "%", "2" };
    QTest::newRow("VR PA10A") << vrZh << QStringList{ "PA10A", "速度前馈滤波器", "0000", "*", "*", "*", "0.01ms", "2" };
    QTest::newRow("VR PA401") << vrZh << QStringList{ "PA401", "第一段转矩指令滤波器时间常数", "0000", "*", "*", "100", "0.01ms", "2" };
    QTest::newRow("VR PA100 en") << vrEn << QStringList{ "PA100", "First speed loop gain", "0000", "10", "20000", "400", "0.1Hz", "2" };
    QTest::newRow("VR PA101 en") << vrEn << QStringList{ "PA101", "First speed loop integration time", "0000", "*", "*", "2000", "0.01ms", "3" };
    QTest::newRow("VR PA102 en") << vrEn << QStringList{ "PA102", "First position loop gain", "0000", "*", "*", "400", "0.1/s", "2" };
    QTest::newRow("VR PA103 en") << vrEn << QStringList{ "PA103", "Moment of inertia ratio", "0000", "*", "*", "*", "%", "2" };
    QTest::newRow("VR PA109 en") << vrEn << QStringList{ "PA109", "Speed feed forward gain", "0000", "*", "*", "*", "%", "2" };
    QTest::newRow("VR PA10A en") << vrEn << QStringList{ "PA10A", "Speed feedforward filter", "0000", "*", "*", "*", "0.01ms", "2" };
    QTest::newRow("VR PA401 en") << vrEn << QStringList{ "PA401", "The first torque command filter", "0000", "*", "*", "100", "0.01ms", "2" };

    // Odd limits and defaults the editor and files have to live with.
    QTest::newRow("VR PA590") << vrZh << QStringList{ "PA590", "*", "0000", "0", "机型*2", "*", "*", "3" };
    QTest::newRow("VR PA590 en") << vrEn << QStringList{ "PA590", "*", "0000", "0", "type*2", "*", "*", "3" };
    QTest::newRow("VR PA218") << vrZh << QStringList{ "PA218", "*", "0000", "*", "*", "*", "*", "2" };
    // A signed word in both languages: the drive reports its limits as such, and a switch
    // reading of them (8000 to 7FFF) refused every value on download and file load.
    QTest::newRow("VR PA218 en") << vrEn << QStringList{ "PA218", "*", "0000", "-32768", "32767", "0", "*", "2" };
    QTest::newRow("HXQ PA013") << hxqZh << QStringList{ "PA013", "*", "0000", "*", "*", "-", "*", "1" };
    QTest::newRow("HXQ PA417") << hxqEn << QStringList{ "PA417", "*", "0000", "*", "000", "*", "*", "1" };

    // Rows the drive facts do not name get neutral texts.
    QTest::newRow("VR reserved") << vrEn << QStringList{ "PA004", "Reserved", "0000", "0000", "0000", "0000", "*", "1" };
    QTest::newRow("VR unnamed") << vrZh << QStringList{ "PA104", "参数 PA104", "0000", "-32768", "32767", "0", "-", "2" };
    QTest::newRow("VR unnamed en") << vrEn << QStringList{ "PA104", "Parameter PA104", "0000", "-32768", "32767", "0", "-", "2" };
    QTest::newRow("HXQ unnamed switch") << hxqZh << QStringList{ "PA001", "参数 PA001", "0000", "0000", "FFFF", "0000", "-", "0" };
}

void TestParameterCatalogue::knownRows()
{
    QFETCH(QString, resource);
    QFETCH(QStringList, fields);

    const Row row = find(rowsOf(resource), fields.at(0));
    QVERIFY2(!row.fields.isEmpty(), qPrintable(fields.at(0)));
    for (int c = 1; c < 8; ++c) {
        if (fields.at(c) == QLatin1String("*"))
            continue;
        QVERIFY2(row.fields.at(c).simplified() == fields.at(c),
                 qPrintable(QStringLiteral("column %1: %2").arg(c).arg(row.fields.at(c))));
    }
}

void TestParameterCatalogue::languagesDifferOnlyInTexts_data()
{
    QTest::addColumn<QString>("chinese");
    QTest::addColumn<QString>("english");
    QTest::newRow("VR") << ":/defaults_New.txt" << ":/English_New.txt";
    QTest::newRow("HXQ") << ":/defaults.txt" << ":/English_t.txt";
}

// The same numbers, values, limits, defaults and codes in both languages, apart from the
// known exception (PA590's maximum in the VR family).
void TestParameterCatalogue::languagesDifferOnlyInTexts()
{
    QFETCH(QString, chinese);
    QFETCH(QString, english);
    const QList<Row> zh = rowsOf(chinese);
    const QList<Row> en = rowsOf(english);
    QCOMPARE(zh.size(), en.size());
    for (int r = 0; r < zh.size(); ++r) {
        const QString number = zh.at(r).fields.at(0).simplified();
        QCOMPARE(en.at(r).fields.at(0), zh.at(r).fields.at(0));
        QCOMPARE(en.at(r).digitRows.size(), zh.at(r).digitRows.size());
        if (number == QLatin1String("PA590"))
            continue;
        for (int c : { 2, 3, 4, 5, 7 })
            QCOMPARE(en.at(r).fields.at(c), zh.at(r).fields.at(c));
    }
}

// English is language 0, any other language Chinese; a family other than VR reads HXQ.
void TestParameterCatalogue::resourceChoice()
{
    QCOMPARE(ParameterCatalogue::resource(0, 0), QStringLiteral(":/English_New.txt"));
    QCOMPARE(ParameterCatalogue::resource(0, 7), QStringLiteral(":/defaults_New.txt"));
    QCOMPARE(ParameterCatalogue::resource(1, 0), QStringLiteral(":/English_t.txt"));
    QCOMPARE(ParameterCatalogue::resource(5, 1), QStringLiteral(":/defaults.txt"));
    QVERIFY(ParameterCatalogue::readText(QStringLiteral(":/no-such-catalogue.txt")).isEmpty());
}

QTEST_GUILESS_MAIN(TestParameterCatalogue)
#include "tst_parametercatalogue.moc"
