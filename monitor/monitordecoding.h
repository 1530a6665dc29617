#ifndef MONITORDECODING_H
#define MONITORDECODING_H

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

// The monitor table's rows as the drive holds them: which register and how many words a row
// reads, and how its answer turns into the value shown. No widgets.
namespace MonitorDecoding {

enum Type {
    Signed16 = 1, // one register, signed, decimal
    Signed32 = 2, // two registers, low word first, signed, decimal
    BitRow = 3,   // one register, bits 0 to 7 as "0"/"1", bit 0 leftmost
};

// "E" and the three characters after "dP", upper case ("dP00a" -> "E00A"); empty when the
// number is too short to name a register.
QByteArray registerOf(const QString &monitorNumber);

// The word count of a type as hex word text ("0001", "0002"); empty for an unknown type.
QByteArray countOf(int type);
// The same as a number; 0 for an unknown type.
int wordsOf(int type);

// Bits 0 to 7 of the value, bit 0 first.
QString bitsToString(int value);

// The value of a row's answer: an int for the number types, a QString for a bit row. An
// invalid QVariant when the answer does not fit the row (wrong word count, a word that is not
// four hex digits, an unknown type): such an answer belongs to another request.
QVariant decode(int type, const QVector<QString> &words);

// A 32-bit value from two words, low word first, as a signed number.
qint32 join32(const QString &lowWord, const QString &highWord, bool *ok = nullptr);

} // namespace MonitorDecoding

#endif // MONITORDECODING_H
