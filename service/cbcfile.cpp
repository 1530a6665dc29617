#include "cbcfile.h"
#include "lineend.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QStringList>

namespace CbcFile {

QString timeStamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));
}

QString format(const QString &stamp, const QString &model, const QString &header,
               const QVector<QPair<QString, QString>> &rows)
{
    QString text;
    text.reserve(64 + rows.size() * 16);
    text += stamp + QLatin1Char('\n') + model + QLatin1Char('\n') + header + QLatin1Char('\n');
    for (const auto &row : rows)
        text += row.first.trimmed() + QLatin1Char(',') + row.second.trimmed() + QLatin1Char('\n');
    return text;
}

Parsed parse(const QString &text, const QVector<MotorData::Row> &table)
{
    Parsed parsed;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line
    parsed.lineCount = lines.size();

    QSet<int> given;
    QSet<int> refusedRows; // named by a line whose value was refused: in the file, not missing
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int lineNumber = i + 1;
        if (i == 0)
            parsed.stamp = line;
        else if (i == 1)
            parsed.model = line;
        else if (i == 2)
            parsed.header = line;
        if (i < HeaderLines || line.trimmed().isEmpty())
            continue;

        Refusal refusal;
        refusal.line = lineNumber;
        refusal.text = line;
        const QStringList parts = line.split(QLatin1Char(','), Qt::SkipEmptyParts);
        bool isNumber = false;
        const int rowNumber = parts.value(0).trimmed().toInt(&isNumber, 10);
        int position = -1;
        for (int r = 0; isNumber && r < table.size(); ++r) {
            if (table.at(r).number == rowNumber) {
                position = r;
                break;
            }
        }
        // A text that stops inside its last line while rows after that line's row are still to
        // come was cut there: the value may be cut short, and the row keeps the one it has.
        if (i == lines.size() - 1 && position >= 0 && !LineEnd::endsWithOne(text)) {
            bool rowsToCome = false;
            for (int r = position + 1; r < table.size() && !rowsToCome; ++r) {
                const int later = table.at(r).number;
                rowsToCome = !given.contains(later) && !refusedRows.contains(later);
            }
            if (rowsToCome) {
                refusal.problem = Problem::EndsInsideLine;
                parsed.refused.append(refusal);
                refusedRows.insert(rowNumber);
                continue;
            }
        }
        if (parts.size() != 2 || parts.at(1).trimmed().isEmpty()) {
            parsed.refused.append(refusal);
            continue;
        }
        if (position < 0) {
            refusal.problem = Problem::BadRowNumber;
            parsed.refused.append(refusal);
            continue;
        }
        if (given.contains(rowNumber)) {
            refusal.problem = Problem::DuplicateRow;
            parsed.refused.append(refusal);
            continue;
        }
        const MotorData::Row &row = table.at(position);
        const QString value = parts.at(1).trimmed();
        refusal.verdict = MotorData::judge(rowNumber, value, row.minimum, row.maximum, row.decimals);
        if (refusal.verdict != MotorData::Verdict::Accepted) {
            refusal.problem = Problem::BadValue;
            refusal.minimum = row.minimum.trimmed();
            refusal.maximum = row.maximum.trimmed();
            parsed.refused.append(refusal);
            refusedRows.insert(rowNumber);
            continue;
        }
        given.insert(rowNumber);
        parsed.assignments.append({rowNumber, value, lineNumber});
    }
    for (const MotorData::Row &row : table) {
        if (!given.contains(row.number) && !refusedRows.contains(row.number))
            parsed.missingRows.append(row.number);
    }
    return parsed;
}

QString describe(const QVector<Refusal> &refused, int limit)
{
    QStringList lines;
    for (const Refusal &refusal : refused) {
        if (lines.size() == limit)
            break;
        const QString line = QString::number(refusal.line);
        switch (refusal.problem) {
        case Problem::Malformed:
            lines << QCoreApplication::translate("CbcFile", "第 %1 行：不是“编号,数值”：%2").arg(line, refusal.text);
            break;
        case Problem::BadRowNumber:
            lines << QCoreApplication::translate("CbcFile", "第 %1 行：表中没有这个编号：%2").arg(line, refusal.text);
            break;
        case Problem::DuplicateRow:
            lines << QCoreApplication::translate("CbcFile", "第 %1 行：编号重复，只取第一次的数值：%2").arg(line, refusal.text);
            break;
        case Problem::EndsInsideLine:
            lines << QCoreApplication::translate("CbcFile", "第 %1 行：文件在这一行中间结束：%2").arg(line, refusal.text);
            break;
        case Problem::BadValue: {
            MotorData::Refusal value;
            const QStringList parts = refusal.text.split(QLatin1Char(','), Qt::SkipEmptyParts);
            value.rowNumber = parts.value(0).trimmed().toInt();
            value.value = parts.value(1).trimmed();
            value.verdict = refusal.verdict;
            value.minimum = refusal.minimum;
            value.maximum = refusal.maximum;
            lines << QCoreApplication::translate("CbcFile", "文件第 %1 行：%2").arg(line, MotorData::describe(value));
            break;
        }
        }
    }
    if (refused.size() > lines.size())
        lines << QCoreApplication::translate("CbcFile", "另有 %1 行未载入").arg(refused.size() - lines.size());
    return lines.join(QLatin1Char('\n'));
}

bool writeFile(const QString &path, const QString &text, QString *errorText)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *errorText = file.errorString();
        return false;
    }
    const QByteArray bytes = text.toLocal8Bit();
    if (file.write(bytes) != bytes.size()) {
        *errorText = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *errorText = file.errorString();
        return false;
    }
    return true;
}

bool readFile(const QString &path, QString *text, QString *errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *errorText = file.errorString();
        return false;
    }
    *text = QString::fromLocal8Bit(file.readAll());
    return true;
}

} // namespace CbcFile
