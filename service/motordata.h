#ifndef MOTORDATA_H
#define MOTORDATA_H

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

// The motor and encoder data table as the drive holds it: 46 rows in the registers 0F00 to
// 0F21. Most rows fill a whole register; fourteen share one with their neighbours and occupy a
// bit field of it (rows 10 and 11 hold speeds in hundreds). No widgets: the window hands in
// the table's texts and gets back register words, and the reverse.
namespace MotorData {

constexpr int RowCount = 46;

// Rows are named by their number, 1 to 46, as the table's "编号" column shows them.

// How a row sits in its register.
enum class Field {
    Word,      // the whole word
    Low8,      // bits 0-7
    High8,     // bits 8-15
    Bits8_11,  // bits 8-11
    Bits12_15, // bits 12-15
};
struct Placement {
    Field field = Field::Word;
    int scale = 1; // register field = value / scale (the speeds are kept in hundreds)
};
Placement placement(int rowNumber);

// The first row of a shared register carries the register for the group; the later fields
// (rows 2, 3, 5, 6, 11, 13, 32, 34) are read and written with it.
bool isLaterField(int rowNumber);
// The rows that one register transfer covers, starting with the first row of the group.
QVector<int> rowsOfRegister(int firstRowNumber);

// Rows 42 to 45 show the reserved register 0F21 that row 46 also shows: the drive keeps one
// value there, so only row 46 writes it and the other four are read-only.
bool isReadOnly(int rowNumber);
constexpr int SharedWordRow = 46;

// "0" followed by characters 3 to 5 of the Pn number, upper case ("PnF0A" gives "0F0A");
// empty when the number does not name a register (too short or not hex).
QByteArray registerAddress(const QString &pnNumber);

// The packing rules: (c << 12) + (b << 8) + a, and (b << 8) + a; unpackWord splits a word
// into low byte, bits 8-11 and bits 12-15 (kind 3) or low and high byte (kind 2).
int packDigits3(int a, int b, int c);
int packBytes2(int a, int b);
QVector<int> unpackWord(int value, int kind);

// One table row as the window shows it.
struct Row {
    int number = 0;   // 1..46
    QString value;    // the value column
    QString minimum;
    QString maximum;
    int decimals = 0; // 0..3
};

struct Refusal;

// The check of a value text against its row: a number in the row's own notation (an integer
// for rows without decimals, at most `decimals` decimal places otherwise) between its minimum
// and maximum. `units` gets the value in register units (value × 10^decimals, exact). The
// row number adds the rules of the row's place in its register (the speeds' step of 100).
enum class Verdict {
    Accepted,
    NotANumber,      // not a plain decimal number (or not an integer where the row has no decimals)
    TooManyDecimals, // more decimal places than the row keeps
    BelowMinimum,
    AboveMaximum,    // above the row's maximum, or too wide for its bit field
    NotAStep,        // a speed kept in hundreds that is no multiple of 100
    BadRow,          // the row's own limits or decimals are unusable
};
Verdict judge(int rowNumber, const QString &text, const QString &minimum, const QString &maximum, int decimals,
              qint64 *units = nullptr);
// The reason for a refusal in the user's words (translated in the context "MotorData").
QString describe(const Refusal &refusal);

// The shown text for a register value of a row with these decimals: the integer for 0, else
// the value divided by 10^decimals in up to six significant digits ("3039" with 2 gives 123.45);
// empty for decimals outside 0..3, which no row keeps.
QString valueText(qint64 units, int decimals);

// What one read reply of a row's register puts into the table: (row number, text) for the row
// and the later fields that share its register; nothing for a later field itself.
QVector<QPair<int, QString>> decodeRegister(int rowNumber, int decimals, quint16 word);

struct Refusal {
    int rowNumber = 0;
    QString value;
    Verdict verdict = Verdict::Accepted;
    QString minimum;
    QString maximum;
};

// One register write of a download and the rows it carries.
struct RegisterWrite {
    QVector<int> rows;  // row numbers, the first one names the register
    QByteArray address; // "0F05"
    QByteArray value;   // four upper-case hex digits
};
struct DownloadPlan {
    QVector<RegisterWrite> writes; // in table order; empty when anything was refused
    QVector<Refusal> refused;
};
// Judges every writable row and packs the shared registers (read-only rows are not written). `rows` is the table in its order, `pnNumbers`
// the column-0 texts beside them. Nothing is planned when any row is refused.
DownloadPlan planDownload(const QVector<Row> &rows, const QStringList &pnNumbers);

} // namespace MotorData

#endif // MOTORDATA_H
