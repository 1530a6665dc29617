// Arbitrary bytes as a parameter file: the parser, the matching to a table and the comparison
// must never crash, and whatever the parser takes must survive being written and read again.

#include "parametercsvfile.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

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
    return 0;
}
