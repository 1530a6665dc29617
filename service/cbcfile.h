#ifndef CBCFILE_H
#define CBCFILE_H

#include <QDateTime>
#include <QPair>
#include <QString>
#include <QVector>

#include "motordata.h"

// The motor data file ("Files(*.CBC)"): line 1 the time of saving, line 2 the drive model,
// line 3 the header ("编号Pn,数值"), then one "row number,value" line per table row. No widgets
// and no message boxes: the reader returns what it took and what it refused, and the window
// decides what to tell the user.
namespace CbcFile {

constexpr int HeaderLines = 3;

// "yyyy-MM-dd_hh-mm-ss": line 1 and the proposed file name.
QString timeStamp(const QDateTime &when);

// The whole file, each line ending with "\n". `rows` holds (row number, value text) pairs.
QString format(const QString &stamp, const QString &model, const QString &header,
               const QVector<QPair<QString, QString>> &rows);

enum class Problem {
    Malformed,      // not "row number,value" (a part missing, or more than two parts)
    BadRowNumber,   // the row number is not a whole number of the table
    DuplicateRow,   // an earlier line gave this row already; the first one counts
    BadValue,       // the value does not suit the row (see verdict)
    EndsInsideLine, // the last line, without its line end, while rows after its own are missing
};

struct Refusal {
    int line = 0; // 1-based line of the file
    Problem problem = Problem::Malformed;
    QString text; // the line as read
    MotorData::Verdict verdict = MotorData::Verdict::Accepted;
    QString minimum;
    QString maximum;
};

struct Assignment {
    int rowNumber = 0;
    QString value; // as the file gives it, ends trimmed
    int line = 0;
};

struct Parsed {
    QString stamp;
    QString model;
    QString header;
    int lineCount = 0;
    QVector<Assignment> assignments; // in file order, one per row at most
    QVector<Refusal> refused;        // in file order
    QVector<int> missingRows;        // table rows the file does not name (a refused value's row is named)
};

// Parses a file's text against the table's rows (numbers, limits, decimals; the value texts
// are not used). LF or CR LF line ends; blank lines are passed over; the three header lines
// are not judged. A last line without its line end counts whole unless rows of the table after
// its own row are missing: then the file was cut inside it, and it is refused.
Parsed parse(const QString &text, const QVector<MotorData::Row> &table);

// One line per refusal ("第 12 行：..."), translated in the context "CbcFile"; after `limit`
// lines the rest is counted in one closing line.
QString describe(const QVector<Refusal> &refused, int limit = 20);

// Writes the file whole or not at all (an earlier file of the same name survives a failed
// write); false with the reason in *errorText.
bool writeFile(const QString &path, const QString &text, QString *errorText);
// Reads the file in the system's 8-bit encoding; false with the file's error text.
bool readFile(const QString &path, QString *text, QString *errorText);

} // namespace CbcFile

#endif // CBCFILE_H
