// Arbitrary bytes as a motor data file: the reader must never crash, every row it takes must
// suit its row, and what it took must read back the same once written again.

#include "cbcfile.h"
#include "fuzzcheck.h"

#include <QSet>
#include <QString>

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
    int badValues = 0;
    for (const CbcFile::Refusal &r : parsed.refused)
        badValues += r.problem == CbcFile::Problem::BadValue;
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
    return 0;
}
