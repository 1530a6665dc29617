#ifndef PARAMETERCSVFILE_H
#define PARAMETERCSVFILE_H

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The parameter file ("Files(*.csv)"): line 1 the time of writing, line 2 the drive model,
// line 3 the header ("编号,数值" / "Number,Value"), then one "number,value" line per parameter
// row. Writing and reading only; no widgets and no message boxes. A reader returns what it
// parsed and what it refused, and the window decides what to tell the user.
namespace ParameterCsv {

// One parameter line: the number as the file (or the table) holds it, blanks included, and
// the value text. `line` is the 1-based line of the file it came from (0 when not from a file).
struct Entry {
    QString number;
    QString value;
    int line = 0;
};

enum class Problem {
    MissingNumber,   // the line has no parameter number before its comma
    MissingValue,    // the line stops before its value (no comma, or nothing after it)
    DuplicateNumber, // the number was given by an earlier line already; the first one counts
    UnknownNumber,   // no row of the table carries the number
    BadValue,        // the value does not suit the row's kind or limits
    EndsInsideLine,  // the last line, without its line end, while rows after its own are missing
};

struct Refusal {
    int line = 0;
    QString number; // simplified
    Problem problem = Problem::MissingValue;
    QString value;
    QString detail; // for BadValue: the reason the value check gave
};

// One line of text per refusal, "Line 12: ...", translated in the context "ParameterCsv";
// after `limit` lines the rest is counted in one closing line. What it quotes of the file is
// quoted as `quoted` shows it.
QString describe(const QVector<Refusal> &refused, int limit = 20);

// A text from the file as a report quotes it, on one short line whatever the file holds: every
// character that does not print as itself on a line (control, format, line breaks, blanks
// other than the plain one) shown as U+FFFD, and a text longer than `maxLength` characters cut
// to that many, the last an ellipsis.
QString quoted(const QString &text, int maxLength = 24);

struct ParsedFile {
    QString stamp;  // line 1
    QString model;  // line 2
    QString header; // line 3
    int lineCount = 0;
    bool lastLineUnended = false; // the text stops without a line end after its last line
    QVector<Entry> entries; // the sound parameter lines, in file order
    QVector<Refusal> refused;
};

// The text a number is matched by: ends trimmed, inner runs of white space made one blank.
// The catalogues keep the blanks that follow each number, so "PA001" followed by blanks and
// "PA001" are the same parameter.
QString numberKey(const QString &number);

// "yyyy-MM-dd_hh-mm-ss", the stamp of line 1 and of proposed file names.
QString timeStamp(const QDateTime &when);

// The whole file as text, each line ending with "\n" (the last one too).
// Returns an empty string and sets *problemNumber when a number or a value cannot be written
// as one field of one line (it holds a comma or a line break).
QString formatFile(const QString &stamp, const QString &model, const QString &header,
                   const QVector<Entry> &rows, QString *problemNumber = nullptr);

// Writes the file whole or not at all: an earlier file of the same name survives a failed
// write. On failure returns false with the reason in *errorText.
bool writeFile(const QString &path, const QString &stamp, const QString &model, const QString &header,
               const QVector<Entry> &rows, QString *errorText);

// Parses a file's text. LF or CR LF line ends; the first three lines are the stamp, model and
// header lines and are not judged; blank lines are passed over; blanks around fields are
// dropped; fields after the value are ignored.
ParsedFile parse(const QString &text);

// Whether the model line names a model of the other drive family than `family` (0 VR, any
// other value HXQ). An empty or unknown model line belongs to neither.
bool modelOfOtherFamily(const QString &model, int family);

// Reads the file in the system's 8-bit encoding and parses it. Returns false with the file's
// error text when it cannot be opened.
bool readFile(const QString &path, ParsedFile *out, QString *errorText);

// The value check a caller supplies for one table row: an empty string accepts the value,
// any other text refuses it and says why.
using ValueCheck = std::function<QString(int row, const QString &value)>;

struct Assignment {
    int row = -1; // the table row the value goes to
    QString value;
    int line = 0;
};

struct LoadPlan {
    QVector<Assignment> assignments; // in file order
    QVector<Refusal> refused;        // the file's own refusals first, then the table's, by line
    QVector<int> refusedRows;        // table rows named by the file whose every line was refused
    QVector<int> rowsNotInFile;      // table rows that no line of the file names
};

// Matches the parsed lines to the table rows by number (numberKey on both sides) and checks
// each value with `check` (none: every value is taken). A last line without its line end
// counts whole unless rows of the table after its own row are named by no other line: then the
// file was cut inside it, and it is refused (EndsInsideLine) whatever it holds.
LoadPlan matchToTable(const ParsedFile &file, const QStringList &tableNumbers, const ValueCheck &check);

// The refusal of a last line the file was cut inside, by the rule matchToTable applies, judged
// against the rows `tableNumbers` names in their order; its line is 0 when the file was not cut.
Refusal cutLine(const ParsedFile &file, const QStringList &tableNumbers);

// One parameter whose values differ. A side that does not hold the parameter is empty and
// flagged as missing.
struct Difference {
    QString number; // simplified
    QString left;
    QString right;
    bool missingLeft = false;
    bool missingRight = false;
};

// Pairs the two sets by number, never by position. Values are compared as text after their
// ends are trimmed ("0001" and "1" differ). The result follows the right side's order; the
// numbers only the left side holds follow, in the left side's order.
QVector<Difference> compareByNumber(const QVector<Entry> &left, const QVector<Entry> &right);

} // namespace ParameterCsv

#endif // PARAMETERCSVFILE_H
