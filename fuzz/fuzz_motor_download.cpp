// The motor-data table as a user could fill it (any value text, 0 to 3 decimals on the rows
// that fill a whole register): a download is planned only from values that pass their check,
// and reading the planned registers back gives every row its value again. The reserved rows
// are read-only: no write is planned for them. A table that was refused is planned whole once
// its refused rows hold a valid value, so a planner that refused every table would not pass.

#include "motordata.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace MotorData;
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

    DownloadPlan plan = planDownload(rows, pnNumbers);
    require(plan.writes.isEmpty() || plan.refused.isEmpty());
    if (!plan.refused.isEmpty()) {
        // 0 fits every row: no decimals needed, within 0..65535, a multiple of 100, any bit field.
        for (const Refusal &refusal : plan.refused) {
            require(refusal.rowNumber >= 1 && refusal.rowNumber <= RowCount && !isReadOnly(refusal.rowNumber));
            rows[refusal.rowNumber - 1].value = QStringLiteral("0");
        }
        plan = planDownload(rows, pnNumbers);
        require(plan.refused.isEmpty());
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
