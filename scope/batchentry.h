#ifndef BATCHENTRY_H
#define BATCHENTRY_H

#include <QString>
#include <QVector>

class QIODevice;

// One entry of the spectrum batch: a quick-change capture whose lines 1, 3, 5 and 7 hold a
// channel each ("n<TAB>v<TAB>v..."; the first field is the line's number). An entry is taken
// only whole: each of the four lines holds its number and exactly 1024 integer samples.
// No widgets: the capture window decides what to show.
namespace BatchEntry {

constexpr int kSamples = 1024;
// No valid line is longer (its number and 1024 fields of "-2147483648<TAB>"); reading stops there.
constexpr int kMaxLineLength = 16384;

enum class Problem {
    None,
    WrongCount,     // a channel line holds other than 1024 samples (`count`; a missing line holds 0)
    TooLong,        // a line longer than any valid one
    BadValue,       // a field that is no 32-bit integer (`field`)
    EndsInsideLine, // the text stops without a line end inside a channel line (line 8 follows 7)
};

struct Entry {
    Problem problem = Problem::None;
    int line = 0;  // the line refused
    int count = 0; // the samples found on it
    QString field;
    // Lines 1, 3, 5 and 7, each with its line number first; all empty unless the entry is whole.
    QVector<int> channels[4];
    bool ok() const { return problem == Problem::None; }
};

Entry read(QIODevice *device);
Entry readText(const QString &text);

// Why the entry `name` was refused, in the user's language (context "BatchEntry").
QString describe(const Entry &entry, const QString &name);

} // namespace BatchEntry

#endif // BATCHENTRY_H
