#include "parametercsvfile.h"
#include "drivemodel.h"
#include "lineend.h"
#include "wholefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextStream>

#include <algorithm>

namespace ParameterCsv {

namespace {

const int kHeaderLines = 3; // stamp, drive model, header

bool fitsOneField(const QString &text)
{
    return !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r'));
}

QString withoutCarriageReturn(const QString &line)
{
    return line.endsWith(QLatin1Char('\r')) ? line.left(line.size() - 1) : line;
}

// The table row of a last line the file was cut inside, or -1: the text stops without a line
// end after a line that names a row, and a row after that one is named by no other line.
int rowCutShort(const ParsedFile &file, const QHash<QString, int> &rowOf, int rowCount)
{
    if (!file.lastLineUnended)
        return -1;
    int lastRow = -1;
    QVector<bool> named(rowCount, false);
    auto note = [&](int line, const QString &number) {
        const int row = rowOf.value(numberKey(number), -1);
        if (line == file.lineCount)
            lastRow = row;
        else if (row >= 0)
            named[row] = true;
    };
    for (const Entry &entry : file.entries)
        note(entry.line, entry.number);
    for (const Refusal &refusal : file.refused)
        note(refusal.line, refusal.number);
    for (int row = lastRow + 1; lastRow >= 0 && row < rowCount; ++row) {
        if (!named.at(row))
            return lastRow;
    }
    return -1;
}

// The table row of each number, the first row where a number is given twice.
QHash<QString, int> rowsByNumber(const QStringList &tableNumbers)
{
    QHash<QString, int> rowOf;
    for (int row = 0; row < tableNumbers.size(); ++row) {
        const QString key = numberKey(tableNumbers.at(row));
        if (!key.isEmpty() && !rowOf.contains(key))
            rowOf.insert(key, row);
    }
    return rowOf;
}

} // namespace

QString describe(const QVector<Refusal> &refused, int limit)
{
    const char *context = "ParameterCsv";
    QStringList lines;
    for (const Refusal &refusal : refused) {
        if (lines.size() == limit)
            break;
        const QString line = QString::number(refusal.line);
        const QString number = quoted(refusal.number);
        QString text;
        switch (refusal.problem) {
        case Problem::MissingNumber:
            text = QCoreApplication::translate(context, "第 %1 行：缺少参数编号").arg(line);
            break;
        case Problem::MissingValue:
            text = QCoreApplication::translate(context, "第 %1 行：%2 缺少数值").arg(line, number);
            break;
        case Problem::DuplicateNumber:
            text = QCoreApplication::translate(context, "第 %1 行：%2 重复出现，只取第一次的数值")
                       .arg(line, number);
            break;
        case Problem::UnknownNumber:
            text = QCoreApplication::translate(context, "第 %1 行：参数表中没有 %2").arg(line, number);
            break;
        case Problem::BadValue:
            text = QCoreApplication::translate(context, "第 %1 行：%2 的数值 %3 不可用（%4）")
                       .arg(line, number, quoted(refusal.value), refusal.detail);
            break;
        case Problem::EndsInsideLine:
            text = QCoreApplication::translate(context, "第 %1 行：文件在这一行中间结束（%2）").arg(line, number);
            break;
        }
        lines.append(text);
    }
    if (refused.size() > lines.size())
        lines.append(QCoreApplication::translate(context, "另有 %n 行未载入", nullptr, refused.size() - lines.size()));
    return lines.join(QLatin1Char('\n'));
}

QString quoted(const QString &text, int maxLength)
{
    QVector<uint> points = text.toUcs4(); // a lone surrogate comes as U+FFFD
    const bool cut = points.size() > maxLength;
    if (cut)
        points.resize(qMax(0, maxLength - 1));
    for (uint &point : points) {
        if (!QChar::isPrint(point) || (QChar::isSpace(point) && point != ' '))
            point = QChar::ReplacementCharacter;
    }
    const QString shown = QString::fromUcs4(points.constData(), points.size());
    return cut ? shown + QChar(0x2026) : shown;
}

QString numberKey(const QString &number)
{
    return number.simplified();
}

QString timeStamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));
}

QString formatFile(const QString &stamp, const QString &model, const QString &header,
                   const QVector<Entry> &rows, QString *problemNumber)
{
    QString text;
    text.reserve(64 + rows.size() * 32);
    text += stamp + QLatin1Char('\n');
    text += model + QLatin1Char('\n');
    text += header + QLatin1Char('\n');
    for (const Entry &row : rows) {
        if (!fitsOneField(row.number) || !fitsOneField(row.value)) {
            if (problemNumber)
                *problemNumber = numberKey(row.number);
            return QString();
        }
        text += row.number + QLatin1Char(',') + row.value + QLatin1Char('\n');
    }
    return text;
}

bool writeFile(const QString &path, const QString &stamp, const QString &model, const QString &header,
               const QVector<Entry> &rows, QString *errorText)
{
    QString badNumber;
    const QString text = formatFile(stamp, model, header, rows, &badNumber);
    if (text.isEmpty()) {
        if (errorText)
            *errorText = QStringLiteral("The value of %1 cannot be written as one field.").arg(badNumber);
        return false;
    }

    return WholeFile::writeText(path, text, errorText);
}

ParsedFile parse(const QString &text)
{
    ParsedFile result;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line feed that ends the last line starts no line of its own
    result.lineCount = lines.size();
    result.lastLineUnended = !LineEnd::endsWithOne(text);

    QSet<QString> seen;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = withoutCarriageReturn(lines.at(i));
        const int lineNumber = i + 1;
        if (i < kHeaderLines) {
            (i == 0 ? result.stamp : i == 1 ? result.model : result.header) = line.trimmed();
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;

        const QStringList parts = line.split(QLatin1Char(','));
        Refusal refusal;
        refusal.line = lineNumber;
        refusal.number = numberKey(parts.at(0));
        if (refusal.number.isEmpty()) {
            refusal.problem = Problem::MissingNumber;
            result.refused.append(refusal);
            continue;
        }
        if (parts.size() < 2 || parts.at(1).trimmed().isEmpty()) {
            refusal.problem = Problem::MissingValue;
            result.refused.append(refusal);
            continue;
        }
        refusal.value = parts.at(1).trimmed();
        if (seen.contains(refusal.number)) {
            refusal.problem = Problem::DuplicateNumber;
            result.refused.append(refusal);
            continue;
        }
        seen.insert(refusal.number);
        result.entries.append(Entry{parts.at(0), parts.at(1).trimmed(), lineNumber});
    }
    return result;
}

bool modelOfOtherFamily(const QString &model, int family)
{
    return DriveModel::isOfOtherFamily(model, family);
}

bool readFile(const QString &path, ParsedFile *out, QString *errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    QTextStream in(&file); // the system's 8-bit encoding, as the file was written
    const QString text = in.readAll();
    file.close();
    if (out)
        *out = parse(text);
    return true;
}

LoadPlan matchToTable(const ParsedFile &file, const QStringList &tableNumbers, const ValueCheck &check)
{
    LoadPlan plan;

    const QHash<QString, int> rowOf = rowsByNumber(tableNumbers);

    QVector<bool> given(tableNumbers.size(), false);
    QVector<bool> named(tableNumbers.size(), false);
    // A line the file was cut inside is refused whole; its row keeps its value.
    const Refusal cut = cutLine(file, tableNumbers);
    if (cut.line > 0) {
        named[rowOf.value(cut.number)] = true;
        plan.refused.append(cut);
    }
    for (const Refusal &refusal : file.refused) {
        if (refusal.line == cut.line)
            continue;
        plan.refused.append(refusal);
        const auto found = rowOf.constFind(numberKey(refusal.number));
        if (found != rowOf.constEnd())
            named[found.value()] = true; // its line is in the file, but refused
    }
    for (const Entry &entry : file.entries) {
        if (entry.line == cut.line)
            continue;
        const QString key = numberKey(entry.number);
        const auto found = rowOf.constFind(key);
        if (found == rowOf.constEnd()) {
            plan.refused.append(Refusal{entry.line, key, Problem::UnknownNumber, entry.value, QString()});
            continue;
        }
        const int row = found.value();
        named[row] = true;
        if (check) {
            const QString reason = check(row, entry.value);
            if (!reason.isEmpty()) {
                plan.refused.append(Refusal{entry.line, key, Problem::BadValue, entry.value, reason});
                continue;
            }
        }
        plan.assignments.append(Assignment{row, entry.value, entry.line});
        given[row] = true;
    }

    std::stable_sort(plan.refused.begin(), plan.refused.end(),
                     [](const Refusal &a, const Refusal &b) { return a.line < b.line; });
    for (int row = 0; row < given.size(); ++row) {
        if (!named.at(row))
            plan.rowsNotInFile.append(row);
        else if (!given.at(row))
            plan.refusedRows.append(row);
    }
    return plan;
}

Refusal cutLine(const ParsedFile &file, const QStringList &tableNumbers)
{
    Refusal cut;
    cut.problem = Problem::EndsInsideLine;
    const int row = rowCutShort(file, rowsByNumber(tableNumbers), tableNumbers.size());
    if (row >= 0) {
        cut.line = file.lineCount;
        cut.number = numberKey(tableNumbers.at(row));
    }
    return cut;
}

QVector<Difference> compareByNumber(const QVector<Entry> &left, const QVector<Entry> &right)
{
    QHash<QString, int> leftAt;
    for (int i = 0; i < left.size(); ++i) {
        const QString key = numberKey(left.at(i).number);
        if (!leftAt.contains(key))
            leftAt.insert(key, i);
    }

    QVector<Difference> differences;
    QSet<QString> rightKeys;
    for (const Entry &entry : right) {
        const QString key = numberKey(entry.number);
        if (rightKeys.contains(key))
            continue;
        rightKeys.insert(key);
        const QString rightValue = entry.value.trimmed();
        const auto found = leftAt.constFind(key);
        if (found == leftAt.constEnd()) {
            differences.append(Difference{key, QString(), rightValue, true, false});
            continue;
        }
        const QString leftValue = left.at(found.value()).value.trimmed();
        if (leftValue != rightValue)
            differences.append(Difference{key, leftValue, rightValue, false, false});
    }

    QSet<QString> leftKeys;
    for (const Entry &entry : left) {
        const QString key = numberKey(entry.number);
        if (rightKeys.contains(key) || leftKeys.contains(key))
            continue;
        leftKeys.insert(key);
        differences.append(Difference{key, entry.value.trimmed(), QString(), false, true});
    }
    return differences;
}

} // namespace ParameterCsv
