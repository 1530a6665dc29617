#ifndef CONTROLCODING_H
#define CONTROLCODING_H

#include <QByteArray>
#include <QString>

// Values of the jog control window as they travel to and from the drive. No widgets.
namespace ControlCoding {

// The last four upper-case hex digits of the value (zero-filled): 6000 -> "1770".
QByteArray hexWord(qint64 value);

// The two-register write data of a 32-bit value: "000204", the low word, the high word.
// 1073741824 -> "00020400004000".
QByteArray twoWordData(qint64 value);

// A field typed by the user, as a whole decimal number within [min, max]. Empty text, blanks,
// signs or digits mixed with anything else, and numbers outside the range are refused.
bool parseField(const QString &text, qint64 min, qint64 max, qint64 *value);

// A word read back, as the drive's signed 16-bit value or its unsigned value; false for a
// word that is not four hex digits.
bool signedWord(const QString &word, int *value);
bool unsignedWord(const QString &word, int *value);

} // namespace ControlCoding

#endif // CONTROLCODING_H
