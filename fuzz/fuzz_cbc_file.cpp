// Arbitrary bytes as a motor data file: the reader must never crash, every row it takes must
// suit its row, and what it took must read back the same once written again. A sound file made
// from the same bytes, against a table made from them, must be taken row by row with the exact
// value of each; a value beyond its row's limit or field (far beyond 16 bits, too) is refused
// at its line, and the rows the file leaves out are the missing ones.

#include "cbcfile.h"
#include "fuzzcheck.h"
#include "motortext.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace {

// A few rows of each kind: packed fields, speeds in hundreds, one to three decimals.
const QVector<MotorData::Row> &table()
{
    static const QVector<MotorData::Row> rows = {
        {1, QString(), "0", "15", 0},       {2, QString(), "0", "255", 0},
        {7, QString(), "0", "65535", 0},    {10, QString(), "0", "25500", 0},
        {14, QString(), "0", "655.35", 2},  {16, QString(), "0", "6553.5", 1},
        {20, QString(), "0", "65.535", 3},
    };
    return rows;
}

// A reader that refused every file, or wrapped its values to 16 bits, would pass the checks on
// arbitrary bytes.
void checkSoundFile(const uint8_t *data, size_t size)
{
    constexpr size_t kShaping = 16;
    if (seenBefore(data, std::min(size, kShaping)))
        return;
    FuzzNumbers in(data, size, kShaping);
    QVector<MotorText::Row> rows;
    QVector<MotorData::Row> tableRows;
    for (int number = 1; number <= MotorData::RowCount; ++number) {
        if (in.next() % 4 == 0) {
            rows.append(MotorText::makeRow(in, number));
            tableRows.append(rows.last().row);
        }
    }
    QStringList lines{in.text(0), in.text(0), in.text(0) + QLatin1Char(',') + in.text(0)};
    QVector<CbcFile::Assignment> expected;
    QVector<qint64> units; // of each expected assignment
    QVector<int> rowOf;    // and its place in `rows`
    QVector<int> missing;
    const int refusedAt = int(in.below(quint32(rows.size() + 1))) - 1; // the row given a value beyond it
    QString refusedLine;
    int lastNumber = 0; // the row of the last line
    QVector<int> order;
    for (int i = 0; i < rows.size(); ++i)
        order.insert(int(in.below(quint32(order.size() + 1))), i);
    for (int i : order) {
        const MotorText::Row &row = rows.at(i);
        const quint32 pick = in.next();
        if (pick % 5 == 0 && i != refusedAt)
            continue; // left out
        if (pick & 8)
            lines << QString(int(pick >> 4) % 3, QLatin1Char(' ')); // a blank line is passed over
        const qint64 value = i == refusedAt ? MotorText::overUnits(in, row) : MotorText::validUnits(in, row);
        const QString text = MotorText::unitsText(in, value, row.row.decimals);
        QString number = QString::number(row.row.number);
        if (pick & 32)
            number = QStringLiteral(" 0") + number + QLatin1Char(' ');
        lines << number + QLatin1Char(',') + text;
        lastNumber = row.row.number;
        if (i == refusedAt) {
            refusedLine = lines.last();
            continue;
        }
        expected.append({row.row.number, text.trimmed(), lines.size()});
        units.append(value);
        rowOf.append(i);
    }
    for (int i = 0; i < rows.size(); ++i) {
        bool named = i == refusedAt;
        for (const CbcFile::Assignment &a : expected)
            named = named || a.rowNumber == rows.at(i).row.number;
        if (!named)
            missing.append(rows.at(i).row.number);
    }
    const QString end = in.next() & 1 ? QStringLiteral("\r\n") : QStringLiteral("\n");
    // The last line end may be missing, unless the last line is empty or a row after the one it
    // names is missing (the file was cut inside that line then: the unit tests hold that case).
    bool laterMissing = false;
    for (int number : missing)
        laterMissing = laterMissing || (lastNumber > 0 && number > lastNumber);
    const bool lastEnd = in.next() & 1 || lines.last().isEmpty() || laterMissing;
    const CbcFile::Parsed parsed = CbcFile::parse(lines.join(end) + (lastEnd ? end : QString()), tableRows);

    require(parsed.lineCount == lines.size() && parsed.stamp == lines.at(0) && parsed.header == lines.at(2));
    require(parsed.assignments.size() == expected.size() && parsed.missingRows == missing);
    for (int i = 0; i < expected.size(); ++i) {
        const CbcFile::Assignment &a = parsed.assignments.at(i);
        require(a.rowNumber == expected.at(i).rowNumber && a.value == expected.at(i).value);
        require(a.line == expected.at(i).line);
        const MotorData::Row &row = rows.at(rowOf.at(i)).row;
        qint64 taken = -1;
        require(MotorData::judge(a.rowNumber, a.value, row.minimum, row.maximum, row.decimals, &taken)
                == MotorData::Verdict::Accepted);
        require(taken == units.at(i));
    }
    require(parsed.refused.size() == (refusedAt >= 0 ? 1 : 0));
    if (refusedAt >= 0) {
        const CbcFile::Refusal &r = parsed.refused.first();
        require(r.problem == CbcFile::Problem::BadValue && r.verdict == MotorData::Verdict::AboveMaximum);
        require(r.text == refusedLine && lines.at(r.line - 1) == refusedLine);
        require(r.minimum == rows.at(refusedAt).row.minimum.trimmed() && r.maximum == rows.at(refusedAt).row.maximum.trimmed());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLocal8Bit(reinterpret_cast<const char *>(data), int(size));
    const CbcFile::Parsed parsed = CbcFile::parse(text, table());

    QSet<int> rows;
    QVector<QPair<QString, QString>> again;
    for (const CbcFile::Assignment &a : parsed.assignments) {
        require(!rows.contains(a.rowNumber));
        rows.insert(a.rowNumber);
        require(a.line > CbcFile::HeaderLines && a.line <= parsed.lineCount);
        const MotorData::Row *row = nullptr;
        for (const MotorData::Row &r : table())
            row = r.number == a.rowNumber ? &r : row;
        require(row != nullptr);
        qint64 units = -1;
        require(MotorData::judge(a.rowNumber, a.value, row->minimum, row->maximum, row->decimals, &units)
                == MotorData::Verdict::Accepted);
        require(units >= 0 && units <= 65535 * 100);
        again.append(qMakePair(QString::number(a.rowNumber), a.value));
    }
    for (const CbcFile::Refusal &r : parsed.refused)
        require(r.line > CbcFile::HeaderLines && r.line <= parsed.lineCount);
    // A row is taken, refused (its line is reported) or missing, never two of these.
    int badValues = 0; // and lines cut short
    for (const CbcFile::Refusal &r : parsed.refused)
        badValues += r.problem == CbcFile::Problem::BadValue || r.problem == CbcFile::Problem::EndsInsideLine;
    for (int missing : parsed.missingRows)
        require(!rows.contains(missing));
    require(parsed.missingRows.size() + parsed.assignments.size() <= table().size());
    require(parsed.missingRows.size() + parsed.assignments.size() + badValues >= table().size());
    require(parsed.refused.isEmpty() || !CbcFile::describe(parsed.refused, 3).isEmpty());

    const CbcFile::Parsed reread = CbcFile::parse(CbcFile::format(QStringLiteral("s"), QStringLiteral("m"),
                                                                  QStringLiteral("h"), again), table());
    require(reread.refused.isEmpty() && reread.assignments.size() == parsed.assignments.size());
    for (int i = 0; i < again.size(); ++i)
        require(reread.assignments.at(i).value == parsed.assignments.at(i).value);

    // The packing of any word reads back through the rows that share it.
    if (size >= 2) {
        const quint16 word = quint16((data[0] << 8) | data[1]);
        for (int row : {1, 4, 10, 12}) {
            const auto values = MotorData::decodeRegister(row, 0, word);
            require(values.size() == MotorData::rowsOfRegister(row).size());
        }
    }
    checkSoundFile(data, size);
    return 0;
}
