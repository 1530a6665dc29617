#ifndef PARAMETERCONVERSION_H
#define PARAMETERCONVERSION_H

#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>

// The rules that tie a parameter row to the drive's 16-bit registers: addresses and word
// counts, reply words to cell values by attribute code, the parameter-information record,
// values to word text for writing, and the value editor's acceptance rule. No widgets.
//
// Attribute codes (column 7 of a parameter row):
//   0 hex switch word (may carry the digit rows "Bit0".."Bit3")
//   1 hex word without digit rows (reserved or fixed words)
//   2 signed 16-bit, 3 unsigned 16-bit, 4 16-bit up to 32767,
//   5 32-bit in two registers, low word at the lower address (VR family)
// Drive family 0 takes the VR road, every other value the HXQ road.
namespace ParameterConversion {

inline bool isVrRoad(int family) { return family == 0; }
inline bool isSwitchCode(int code) { return code == 0 || code == 1; }

// The attribute code of a cell (text or number); a text that is no number gives 0.
int attributeCode(const QVariant &cell);

// Upper-case hexadecimal digits of a value (negative values as their 32-bit two's complement).
QString toHexText(int value);

// Register address of a parameter number text ("PA20E", trailing blanks allowed):
// VR: "0" and the three characters after "PA", upper case; HXQ: those three characters
// read as a decimal number (no number reads as 0), as four upper-case hex digits.
QString addressVr(const QString &numberText);
QString addressHxq(const QString &numberText);
QString registerAddress(int family, const QString &numberText);

// "0002" for attribute 5 on the VR road, "0001" for everything else.
QString wordCount(int family, int code);

// One read reply of a single parameter into the value cell: text for codes 0 and 1, an int
// otherwise. Invalid (and *ok false) when the reply lacks a word the code needs or a word is
// not four hex digits.
QVariant decodeSingle(int family, int code, const QVector<QString> &words, bool *ok = nullptr);

// The parameter-information record. VR: nine words (one unused, then maximum, minimum,
// default and value, each low word first); HXQ: four words (maximum, minimum, default, value).
struct InfoRecord {
    QVariant maximum;
    QVariant minimum;
    QVariant defaultValue;
    QVariant value;
};
int recordWordCount(int family);
// False (and *record untouched) unless every word the record needs is present and valid.
bool decodeRecord(int family, int code, const QVector<QString> &words, InfoRecord *record);

// Word text for writing: the low 16 bits as four upper-case hex digits (-100 gives "FF9C").
QString encodeWord16(qint64 value);
// The two words of a 32-bit value, low word first: 70000 gives ("1170", "0001").
QPair<QString, QString> encodeWords32(qint64 value);

// The four digits of a switch word's value, padded on the left with "0" to four characters
// (a longer text stays whole): character 3 goes to "Bit0", character 0 to "Bit3".
QString switchDigits(const QString &valueText);

// A limit cell read as a decimal int; a text that is no decimal integer, or lies outside the
// int range, reads as 0 (the catalogues hold a few such limits, e.g. "机型*2").
int limitValue(const QString &text);

// The digit at position (0 = leftmost) of a limit text read as hex; a missing position or a
// character that is no hex digit reads as 0.
int limitDigit(const QString &limitText, int position);

// The range a value of the code can take in its register(s).
QPair<qint64, qint64> kindRange(int code);

// The value editor's acceptance rule.
enum class EditFault {
    None,
    NotFourCharacters,   // a switch word needs exactly four characters
    NotHexDigit,         // a character of a switch word is no hexadecimal digit
    DigitOutOfRange,     // a digit lies outside the same digit of minimum and maximum
    NotDecimal,          // a decimal value is no integer
    OutsideKind,         // a decimal value does not fit the row's register(s)
    OutOfRange,          // a decimal value lies outside minimum..maximum
};
struct EditVerdict {
    EditFault fault = EditFault::None;
    QString text;        // the text that is stored on acceptance (the typed text, trimmed)
    int digit = -1;      // the failing digit as "Bit" number (0 = rightmost), where it applies
    qint64 value = 0;    // the decimal value on acceptance
    bool accepted() const { return fault == EditFault::None; }
};
EditVerdict judgeValue(int code, const QString &typed, const QString &minText, const QString &maxText);

} // namespace ParameterConversion

#endif // PARAMETERCONVERSION_H
