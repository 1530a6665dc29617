// The motor-data table as a user could fill it (any value text, 0 to 3 decimals on the rows
// that fill a whole register): a download is planned only from values that pass their check,
// a refusal names each row whose value fails it, and reading the planned registers back gives
// every row its value again. The reserved rows are read-only: no write is planned for them.
// A sound table made from the same bytes (values in each row's own notation, limits that may
// lie far beyond 16 bits) must be planned whole, to the exact register words its values make;
// with one value beyond its row, it must be refused for that row alone.

#include "fuzzcheck.h"
#include "motordata.h"
#include "motortext.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>

using namespace MotorData;

namespace {

// A planner that refused every table, or wrapped its values to 16 bits, would pass the checks
// on arbitrary texts.
void checkSoundTable(const uint8_t *data, size_t size)
{
    constexpr size_t kShaping = 16;
    if (seenBefore(data, std::min(size, kShaping)))
        return;
    FuzzNumbers in(data, size, kShaping);
    QVector<Row> rows;
    QVector<qint64> units(RowCount + 1, 0);
    QStringList pnNumbers;
    QStringList addresses; // what each row's Pn number names
    QVector<MotorText::Row> made;
    for (int number = 1; number <= RowCount; ++number) {
        made.append(MotorText::makeRow(in, number));
        Row row = made.last().row;
        if (isReadOnly(number)) {
            row.value = in.next() & 1 ? in.text(0) : QStringLiteral("0"); // never judged
        } else {
            units[number] = MotorText::validUnits(in, made.last());
            row.value = MotorText::unitsText(in, units[number], row.decimals);
        }
        rows.append(row);
        const QString digits = QString::number(0x1000 + in.below(0x1000), 16).right(3);
        const quint32 style = in.next();
        pnNumbers << (style & 1 ? QStringLiteral(" Pn") : QStringLiteral("pn")) + (style & 2 ? digits.toUpper() : digits);
        addresses << QLatin1Char('0') + digits.toUpper();
    }

    const DownloadPlan plan = planDownload(rows, pnNumbers);
    require(plan.refused.isEmpty());
    int at = 0;
    for (int position = 0; position < RowCount; ++position) {
        const int first = rows.at(position).number;
        if (isLaterField(first) || isReadOnly(first))
            continue;
        require(at < plan.writes.size());
        const RegisterWrite &write = plan.writes.at(at++);
        require(write.rows == rowsOfRegister(first) && write.address == addresses.at(position).toLatin1());
        int word = 0;
        for (int row : write.rows) {
            const Placement place = placement(row);
            word |= int(units.at(row) / place.scale) << MotorText::fieldShift(place.field);
        }
        require(write.value == QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')).toUpper().toLatin1());
    }
    require(at == plan.writes.size());

    // One writable row beyond its limit or its field, or not a number: the table is refused for
    // that row alone.
    int spoilt = 1 + int(in.below(RowCount));
    while (isReadOnly(spoilt))
        spoilt = 1 + int(in.below(RowCount));
    Row &row = rows[spoilt - 1];
    const bool junk = in.next() % 4 == 0;
    row.value = junk ? row.value + QLatin1Char('x')
                     : MotorText::unitsText(in, MotorText::overUnits(in, made.at(spoilt - 1)), row.decimals);
    const DownloadPlan refused = planDownload(rows, pnNumbers);
    require(refused.writes.isEmpty() && refused.refused.size() == 1);
    const Refusal &refusal = refused.refused.first();
    require(refusal.rowNumber == spoilt && refusal.value == row.value.trimmed());
    require(refusal.verdict == (junk ? Verdict::NotANumber : Verdict::AboveMaximum));
    require(refusal.minimum == row.minimum.trimmed() && refusal.maximum == row.maximum.trimmed());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkSoundTable(data, size);
    if (size < size_t(RowCount))
        return 0;
    const QStringList texts = QString::fromLatin1(reinterpret_cast<const char *>(data + RowCount),
                                                  int(size) - RowCount).split(QLatin1Char(','));
    QVector<Row> rows;
    QStringList pnNumbers;
    for (int number = 1; number <= RowCount; ++number) {
        Row row;
        row.number = number;
        row.value = texts.value(number - 1, QStringLiteral("0"));
        row.minimum = QStringLiteral("0");
        row.maximum = QStringLiteral("65535");
        row.decimals = placement(number).field == Field::Word ? data[number - 1] % 4 : 0;
        rows.append(row);
        pnNumbers << QStringLiteral("PnF%1").arg(number, 2, 16, QLatin1Char('0'));
    }

    const DownloadPlan plan = planDownload(rows, pnNumbers);
    require(plan.writes.isEmpty() || plan.refused.isEmpty());
    if (!plan.refused.isEmpty()) {
        // Each refusal names a writable row whose value fails its check, and each such row is named.
        int failing = 0;
        for (const Row &row : rows)
            failing += !isReadOnly(row.number)
                && judge(row.number, row.value, row.minimum, row.maximum, row.decimals) != Verdict::Accepted;
        require(plan.refused.size() == failing);
        for (const Refusal &refusal : plan.refused) {
            require(refusal.rowNumber >= 1 && refusal.rowNumber <= RowCount && !isReadOnly(refusal.rowNumber));
            const Row &row = rows.at(refusal.rowNumber - 1);
            require(refusal.verdict == judge(row.number, row.value, row.minimum, row.maximum, row.decimals));
            require(refusal.verdict != Verdict::Accepted);
        }
        return 0;
    }
    int covered = 0;
    for (const RegisterWrite &write : plan.writes) {
        require(write.value.size() == 4);
        bool ok = false;
        const quint16 word = quint16(write.value.toUInt(&ok, 16));
        require(ok);
        const Row &first = rows.at(write.rows.first() - 1);
        const QVector<QPair<int, QString>> back = decodeRegister(first.number, first.decimals, word);
        require(back.size() == write.rows.size());
        require(!isReadOnly(first.number));
        for (const auto &value : back) {
            const Row &row = rows.at(value.first - 1);
            qint64 sent = 0, read = 0;
            require(judge(row.number, row.value, row.minimum, row.maximum, row.decimals, &sent) == Verdict::Accepted);
            require(judge(row.number, value.second, row.minimum, row.maximum, row.decimals, &read) == Verdict::Accepted);
            require(read == sent);
            ++covered;
        }
    }
    int readOnly = 0;
    for (int number = 1; number <= RowCount; ++number)
        readOnly += isReadOnly(number);
    require(covered == RowCount - readOnly);
    return 0;
}
