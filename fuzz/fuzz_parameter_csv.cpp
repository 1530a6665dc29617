// Arbitrary bytes as a parameter file: the parser, the matching to a table and the comparison
// must never crash, and whatever the parser takes must survive being written and read again.
// A sound file made from the same bytes must be taken line by line with its exact value texts
// (32-bit numbers among them), each matched to its table row; a number given twice is refused
// at its second line.

#include "parametercsvfile.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace {

const QStringList &table()
{
    static const QStringList numbers = {
        QStringLiteral("PA000           "), QStringLiteral("PA001               "),
        QStringLiteral("PA100  "), QStringLiteral("PA20E"), QStringLiteral("PA 5"),
    };
    return numbers;
}

// Accepts four-character values only, so that both outcomes of the check are reached.
QString fourCharacters(int row, const QString &value)
{
    require(row >= 0 && row < table().size());
    return value.size() == 4 ? QString() : QStringLiteral("not four characters");
}

// A value as a file holds it: a number of any width in decimal or hexadecimal, or a text.
QString valueText(FuzzNumbers &in)
{
    const quint32 pick = in.next();
    const qint32 number = in.anyWidth();
    switch (pick % 4) {
    case 0: return QString::number(number);
    case 1: return QString::number(quint32(number));
    case 2: return QString::number(quint32(number), 16).toUpper().rightJustified(pick & 4 ? 8 : 4, QLatin1Char('0'));
    default: return in.text(1).trimmed() + QLatin1Char('x');
    }
}

// A parser that refused every file, or changed the values it took, would pass the checks on
// arbitrary bytes.
void checkSoundFile(const uint8_t *data, size_t size)
{
    constexpr size_t kShaping = 16;
    if (seenBefore(data, std::min(size, kShaping)))
        return;
    FuzzNumbers in(data, size, kShaping);
    const QString end = in.next() & 1 ? QStringLiteral("\r\n") : QStringLiteral("\n");
    const QStringList head{in.text(0), in.text(0) + QLatin1Char(',') + in.text(0), in.text(0)};
    QStringList lines = head;
    QVector<ParameterCsv::Entry> entries;
    QVector<int> rows; // the table row of each entry
    QVector<int> order;
    for (int row = 0; row < table().size(); ++row)
        order.insert(int(in.below(quint32(order.size() + 1))), row);
    for (int row : order) {
        const quint32 pick = in.next();
        if (pick % 5 == 0)
            continue; // not in the file
        if (pick & 8)
            lines << QString(int(pick >> 4) % 3, QLatin1Char(' ')); // a blank line is passed over
        // The number as the table holds it, or with its blanks trimmed or added to.
        QString number = table().at(row);
        if (pick & 16)
            number = ParameterCsv::numberKey(number);
        if (pick & 32)
            number = QStringLiteral("  ") + number.replace(QLatin1Char(' '), QStringLiteral("  ")) + QLatin1Char(' ');
        const QString value = valueText(in);
        QString line = number + QLatin1Char(',') + (pick & 64 ? QStringLiteral(" ") + value + QLatin1Char('\t') : value);
        if (pick & 128)
            line += QLatin1Char(',') + in.text(0); // fields after the value are ignored
        lines << line;
        entries.append({number, value, lines.size()});
        rows.append(row);
    }
    const bool twice = !entries.isEmpty() && in.next() & 1;
    if (twice)
        lines << entries.first().number + QLatin1Char(',') + valueText(in);
    // The last line end may be missing, unless the last line is empty or a row after the one it
    // names is left out (the file was cut inside that line then: the unit tests hold that case).
    const bool entryLast = !entries.isEmpty() && entries.last().line == lines.size();
    const int lastRow = twice ? rows.first() : entryLast ? rows.last() : -1;
    bool laterLeftOut = false;
    for (int row = lastRow + 1; lastRow >= 0 && row < table().size(); ++row)
        laterLeftOut = laterLeftOut || !rows.contains(row);
    const bool lastEnd = in.next() & 1 || lines.last().isEmpty() || laterLeftOut;
    const ParameterCsv::ParsedFile parsed = ParameterCsv::parse(lines.join(end) + (lastEnd ? end : QString()));

    require(parsed.stamp == head.at(0).trimmed() && parsed.model == head.at(1).trimmed());
    require(parsed.header == head.at(2).trimmed() && parsed.lineCount == lines.size());
    require(parsed.entries.size() == entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        require(parsed.entries.at(i).number == entries.at(i).number && parsed.entries.at(i).value == entries.at(i).value);
        require(parsed.entries.at(i).line == entries.at(i).line);
    }
    require(parsed.refused.size() == (twice ? 1 : 0));
    if (twice) {
        const ParameterCsv::Refusal &refusal = parsed.refused.first();
        require(refusal.problem == ParameterCsv::Problem::DuplicateNumber && refusal.line == lines.size());
        require(refusal.number == ParameterCsv::numberKey(entries.first().number));
    }

    const ParameterCsv::LoadPlan plan = ParameterCsv::matchToTable(parsed, table(), [&](int row, const QString &value) {
        const int at = rows.indexOf(row);
        require(at >= 0 && entries.at(at).value == value);
        return QString();
    });
    require(plan.assignments.size() == entries.size() && plan.refusedRows.isEmpty());
    for (int i = 0; i < entries.size(); ++i) {
        require(plan.assignments.at(i).row == rows.at(i) && plan.assignments.at(i).value == entries.at(i).value);
        require(plan.assignments.at(i).line == entries.at(i).line);
    }
    for (int row = 0; row < table().size(); ++row)
        require(plan.rowsNotInFile.contains(row) != rows.contains(row));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLocal8Bit(reinterpret_cast<const char *>(data), int(size));
    const ParameterCsv::ParsedFile parsed = ParameterCsv::parse(text);

    // Every data line is either taken or refused, never both, and taken numbers are unique.
    QSet<QString> keys;
    for (const ParameterCsv::Entry &entry : parsed.entries) {
        const QString key = ParameterCsv::numberKey(entry.number);
        require(!key.isEmpty() && !entry.value.isEmpty() && !keys.contains(key));
        require(entry.line > 3 && entry.line <= parsed.lineCount);
        keys.insert(key);
    }
    for (const ParameterCsv::Refusal &refusal : parsed.refused)
        require(refusal.line > 3 && refusal.line <= parsed.lineCount);

    const ParameterCsv::LoadPlan plan = ParameterCsv::matchToTable(parsed, table(), fourCharacters);
    require(plan.assignments.size() + plan.refused.size() == parsed.entries.size() + parsed.refused.size());
    for (const ParameterCsv::Assignment &assignment : plan.assignments)
        require(assignment.row >= 0 && assignment.row < table().size() && assignment.value.size() == 4);

    require(plan.refused.isEmpty() || !ParameterCsv::describe(plan.refused, 3).isEmpty());

    // What was taken, written again, parses to the same pairs.
    QString bad;
    const QString again = ParameterCsv::formatFile(parsed.stamp, parsed.model, parsed.header, parsed.entries, &bad);
    if (!again.isEmpty()) {
        const ParameterCsv::ParsedFile reparsed = ParameterCsv::parse(again);
        require(reparsed.refused.isEmpty() && reparsed.entries.size() == parsed.entries.size());
        for (int i = 0; i < parsed.entries.size(); ++i) {
            require(ParameterCsv::numberKey(reparsed.entries.at(i).number)
                    == ParameterCsv::numberKey(parsed.entries.at(i).number));
            require(reparsed.entries.at(i).value == parsed.entries.at(i).value);
        }
    }

    // A set compared with itself has no differences; against nothing, every number differs.
    require(ParameterCsv::compareByNumber(parsed.entries, parsed.entries).isEmpty());
    require(ParameterCsv::compareByNumber(parsed.entries, {}).size() == parsed.entries.size());
    checkSoundFile(data, size);
    return 0;
}
