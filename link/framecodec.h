#ifndef FRAMECODEC_H
#define FRAMECODEC_H

#include <QByteArray>
#include <QString>
#include <QVector>

// Modbus RTU frames held as upper-case hex text, and the checks a reply must pass.
// No widgets, no port: everything here is a pure function of its arguments.
namespace FrameCodec {

enum Function : quint8 {
    ReadHolding = 0x03,
    WriteSingle = 0x06,
    WriteMultiple = 0x10,
};

// CRC-16/MODBUS over the byte pairs of a hex text, as "LLHH" (low byte first).
// An invalid pair counts as 0; an odd last character is read alone; "" gives "FFFF".
QString crc16Modbus(const QString &text);
// The same CRC over bytes, as a number (0 over a whole frame whose CRC is right).
quint16 crc16(const QByteArray &bytes);

// Hex text to bytes: blanks where a pair begins are skipped, a lone last digit is dropped,
// an invalid digit counts as -1 (so "0G" is 0xFF and "G0" is 0xF0).
QByteArray hexStringToBytes(const QString &text);

// Bytes to upper-case hex text, two digits per byte, no separators.
QString bytesToHexText(const QByteArray &bytes);

// The echo check every window uses on a write echo: a whole frame of hex digits
// (at least station, function and CRC) whose CRC-16/MODBUS is right.
bool checkFrameCrc(const QString &frameText);
// True when `echo` is a valid echo of the write of `data` at `address` (as the request carried
// them: function 06 for one word, function 10 for the quantity, byte count and words): its CRC
// is right and it repeats the function, the register and the value (function 06) or the
// quantity (function 10) of that write.
bool echoConfirms(const QString &echo, const QByteArray &address, const QByteArray &data);
// True when the request frame (bytes, station first, CRC last) is the write of `data` at `address`.
bool isWriteOf(const QByteArray &frame, const QByteArray &address, const QByteArray &data);

// The value of one hexadecimal digit (either case), or -1 for any other character.
int hexDigitValue(QChar c);

// True when the text is exactly `digits` hexadecimal digits.
bool isHexField(const QString &text, int digits);

// A register word of a reply: exactly four hexadecimal digits (either case).
bool parseWord(const QString &word, quint16 *value);
// Two register words, low word first (as the drive sends them), as one signed 32-bit value.
qint32 join32(quint16 low, quint16 high);

// The frame text (station + function + fields + CRC) for a request, or an empty string when
// a field is not made of hex digits of the right length; nothing is sent for an empty frame.
// For function 10 the address and data texts are judged together (18 digits), since callers
// split the quantity/byte-count field differently.
QString buildReadFrame(const QString &station, const QByteArray &address, const QByteArray &count);
QString buildWriteSingleFrame(const QString &station, const QByteArray &address, const QByteArray &value);
QString buildWriteMultipleFrame(const QString &station, const QByteArray &address, const QByteArray &data);

// The data words of a whole function-03 reply frame (bytes), as 4-digit upper-case hex texts.
QVector<QString> replyWords(const QByteArray &frame);

} // namespace FrameCodec

using FrameCodec::checkFrameCrc;

#endif // FRAMECODEC_H
