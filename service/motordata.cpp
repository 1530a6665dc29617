#include "motordata.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace MotorData {

namespace {

int shiftOf(Field field)
{
    switch (field) {
    case Field::High8:
    case Field::Bits8_11: return 8;
    case Field::Bits12_15: return 12;
    case Field::Word:
    case Field::Low8: return 0;
    }
    return 0;
}

int maskOf(Field field)
{
    switch (field) {
    case Field::Word: return 0xFFFF;
    case Field::Low8:
    case Field::High8: return 0xFF;
    case Field::Bits8_11:
    case Field::Bits12_15: return 0x0F;
    }
    return 0xFFFF;
}

qint64 powerOfTen(int decimals)
{
    qint64 p = 1;
    for (int i = 0; i < decimals; ++i)
        p *= 10;
    return p;
}

// A plain decimal number ("12", "12.5", ".5", "+3") as an exact count of 10^-decimals units.
// Returns false when the text is no such number or has more decimal places than allowed.
bool parseUnits(const QString &text, int decimals, qint64 *units, bool *tooManyDecimals)
{
    static const QRegularExpression number(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    *tooManyDecimals = false;
    const QRegularExpressionMatch match = number.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const QString whole = match.captured(2);
    QString fraction = match.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return false;
    if (decimals == 0 && match.capturedStart(3) >= 0)
        return false; // a decimal point in a row that keeps integers
    // Trailing zeros after the point change nothing ("12.50" on a row of one decimal).
    while (fraction.size() > decimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (fraction.size() > decimals) {
        *tooManyDecimals = true;
        return false;
    }
    // More digits than any register holds: the number stands as one just beyond every limit
    // (its digits are not cut off), so it is refused as out of range.
    QString digits = whole;
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > 12)
        digits = QStringLiteral("1000000000000");
    qint64 value = digits.isEmpty() ? 0 : digits.toLongLong();
    value = value * powerOfTen(decimals) + (fraction.isEmpty() ? 0 : fraction.toLongLong() * powerOfTen(decimals - fraction.size()));
    *units = match.captured(1) == QLatin1String("-") ? -value : value;
    return true;
}

} // namespace

Placement placement(int rowNumber)
{
    switch (rowNumber) {
    case 1: return {Field::Bits12_15, 1};
    case 2: return {Field::Low8, 1};
    case 3: return {Field::Bits8_11, 1};
    case 4: return {Field::Low8, 1};
    case 5: return {Field::Bits8_11, 1};
    case 6: return {Field::Bits12_15, 1};
    case 10: return {Field::Low8, 100};
    case 11: return {Field::High8, 100};
    case 12:
    case 31:
    case 33: return {Field::Low8, 1};
    case 13:
    case 32:
    case 34: return {Field::High8, 1};
    default: return {Field::Word, 1};
    }
}

bool isLaterField(int rowNumber)
{
    switch (rowNumber) {
    case 2: case 3: case 5: case 6: case 11: case 13: case 32: case 34: return true;
    default: return false;
    }
}

QVector<int> rowsOfRegister(int firstRowNumber)
{
    switch (firstRowNumber) {
    case 1: return {1, 2, 3};
    case 4: return {4, 5, 6};
    case 10:
    case 12:
    case 31:
    case 33: return {firstRowNumber, firstRowNumber + 1};
    default:
        if (isLaterField(firstRowNumber) || firstRowNumber < 1 || firstRowNumber > RowCount)
            return {};
        return {firstRowNumber};
    }
}

bool isReadOnly(int rowNumber)
{
    return rowNumber >= 42 && rowNumber <= 45;
}

QByteArray registerAddress(const QString &pnNumber)
{
    const QString digits = pnNumber.trimmed().mid(2, 3).toUpper();
    static const QRegularExpression hex(QStringLiteral("^[0-9A-F]{3}$"));
    if (!hex.match(digits).hasMatch())
        return QByteArray();
    return QByteArrayLiteral("0") + digits.toLatin1();
}

int packDigits3(int a, int b, int c)
{
    return (c << 12) + (b << 8) + a;
}

int packBytes2(int a, int b)
{
    return (b << 8) + a;
}

QVector<int> unpackWord(int value, int kind)
{
    if (kind == 3)
        return {value & 0xFF, (value & 0x0F00) >> 8, (value & 0xF000) >> 12};
    if (kind == 2)
        return {value & 0xFF, (value >> 8) & 0xFF};
    return {};
}

Verdict judge(int rowNumber, const QString &text, const QString &minimum, const QString &maximum, int decimals,
              qint64 *units)
{
    if (decimals < 0 || decimals > 3)
        return Verdict::BadRow;
    qint64 low = 0, high = 0, value = 0;
    bool ignored = false;
    if (!parseUnits(minimum, decimals, &low, &ignored) || !parseUnits(maximum, decimals, &high, &ignored))
        return Verdict::BadRow;
    bool tooManyDecimals = false;
    if (!parseUnits(text, decimals, &value, &tooManyDecimals))
        return tooManyDecimals ? Verdict::TooManyDecimals : Verdict::NotANumber;
    if (value < low)
        return Verdict::BelowMinimum;
    if (value > high)
        return Verdict::AboveMaximum;
    const Placement place = placement(rowNumber);
    if (value % place.scale != 0)
        return Verdict::NotAStep;
    if (value / place.scale > maskOf(place.field) || value < 0)
        return Verdict::AboveMaximum;
    if (units)
        *units = value;
    return Verdict::Accepted;
}

QString describe(const Refusal &refusal)
{
    const QString row = QString::number(refusal.rowNumber);
    switch (refusal.verdict) {
    case Verdict::Accepted: return QString();
    case Verdict::NotANumber:
        return QCoreApplication::translate("MotorData", "第 %1 行：%2 不是数值，范围 %3 ~ %4")
            .arg(row, refusal.value, refusal.minimum, refusal.maximum);
    case Verdict::TooManyDecimals:
        return QCoreApplication::translate("MotorData", "第 %1 行：%2 的小数位过多，范围 %3 ~ %4")
            .arg(row, refusal.value, refusal.minimum, refusal.maximum);
    case Verdict::BelowMinimum:
    case Verdict::AboveMaximum:
        return QCoreApplication::translate("MotorData", "第 %1 行：%2 超出范围 %3 ~ %4")
            .arg(row, refusal.value, refusal.minimum, refusal.maximum);
    case Verdict::NotAStep:
        return QCoreApplication::translate("MotorData", "第 %1 行：%2 不是 100 的整数倍").arg(row, refusal.value);
    case Verdict::BadRow:
        return QCoreApplication::translate("MotorData", "第 %1 行：该行的范围不可用").arg(row);
    }
    return QString();
}

QString valueText(qint64 units, int decimals)
{
    // A row keeps 0 to 3 decimals; other counts are no usable row, and no value is formed.
    if (decimals < 0 || decimals > 3)
        return QString();
    if (decimals == 0)
        return QString::number(units);
    return QString::number(double(units) / double(powerOfTen(decimals)), 'g', 6);
}

QVector<QPair<int, QString>> decodeRegister(int rowNumber, int decimals, quint16 word)
{
    QVector<QPair<int, QString>> values;
    for (int row : rowsOfRegister(rowNumber)) {
        const Placement place = placement(row);
        const qint64 field = (word >> shiftOf(place.field)) & maskOf(place.field);
        // Only a whole word can carry decimals; bit fields are plain integers.
        const int rowDecimals = place.field == Field::Word ? decimals : 0;
        values.append(qMakePair(row, valueText(field * place.scale, rowDecimals)));
    }
    return values;
}

DownloadPlan planDownload(const QVector<Row> &rows, const QStringList &pnNumbers)
{
    DownloadPlan plan;
    QVector<qint64> units(RowCount + 1, 0);
    QVector<bool> present(RowCount + 1, false);
    for (const Row &row : rows) {
        if (isReadOnly(row.number))
            continue;
        if (row.number < 1 || row.number > RowCount) {
            plan.refused.append({row.number, row.value, Verdict::BadRow, row.minimum, row.maximum});
            continue;
        }
        qint64 value = 0;
        const Verdict verdict = judge(row.number, row.value, row.minimum, row.maximum, row.decimals, &value);
        if (verdict != Verdict::Accepted) {
            plan.refused.append({row.number, row.value.trimmed(), verdict, row.minimum.trimmed(), row.maximum.trimmed()});
            continue;
        }
        units[row.number] = value;
        present[row.number] = true;
    }
    if (!plan.refused.isEmpty())
        return plan;

    for (int position = 0; position < rows.size(); ++position) {
        const int first = rows.at(position).number;
        if (isLaterField(first) || isReadOnly(first))
            continue;
        RegisterWrite write;
        write.rows = rowsOfRegister(first);
        write.address = registerAddress(position < pnNumbers.size() ? pnNumbers.at(position) : QString());
        int word = 0;
        for (int row : write.rows) {
            if (!present.at(row)) {
                // A shared register needs all its fields: a table that lacks one is unusable.
                plan.refused.append({row, QString(), Verdict::BadRow, QString(), QString()});
                continue;
            }
            const Placement place = placement(row);
            word |= int((units.at(row) / place.scale) & maskOf(place.field)) << shiftOf(place.field);
        }
        if (write.address.isEmpty())
            plan.refused.append({first, rows.at(position).value, Verdict::BadRow, QString(), QString()});
        write.value = QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')).toUpper().toLatin1();
        plan.writes.append(write);
    }
    if (!plan.refused.isEmpty())
        plan.writes.clear();
    return plan;
}

} // namespace MotorData
