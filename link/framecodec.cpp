#include "framecodec.h"

namespace FrameCodec {

namespace {

// Request arguments are taken as text up to their first NUL byte.
QString fieldText(const QByteArray &field)
{
    const int nul = field.indexOf('\0');
    return QString::fromLatin1(nul < 0 ? field : field.left(nul));
}

QString withCrc(const QString &text)
{
    return text + crc16Modbus(text);
}

} // namespace

int hexDigitValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

namespace {

quint16 crcStep(quint16 crc, quint8 byte)
{
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    return crc;
}

// The value of one pair of the text (or of a lone last digit), as QString::toUInt reads it in
// base 16; 0 when it reads none. Plain hex digits, the usual case, are read without it.
uint pairValue(const QString &text, int i)
{
    const int high = hexDigitValue(text.at(i));
    if (i + 1 >= text.size()) {
        if (high >= 0)
            return uint(high);
    } else {
        const int low = hexDigitValue(text.at(i + 1));
        if (high >= 0 && low >= 0)
            return uint(high * 16 + low);
    }
    bool ok = false;
    const uint pair = text.mid(i, 2).toUInt(&ok, 16);
    return ok ? pair : 0;
}

QChar hexDigit(uint value)
{
    return QLatin1Char("0123456789ABCDEF"[value & 0xF]);
}

} // namespace

quint16 crc16(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (const char byte : bytes)
        crc = crcStep(crc, quint8(byte));
    return crc;
}

QString crc16Modbus(const QString &text)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < text.size(); i += 2)
        crc = crcStep(crc, quint8(pairValue(text, i) & 0xFF));
    const QChar digits[4] = {hexDigit(crc >> 4), hexDigit(crc), hexDigit(crc >> 12), hexDigit(crc >> 8)};
    return QString(digits, 4);
}

QByteArray hexStringToBytes(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size() / 2);
    int i = 0;
    while (i < text.size()) {
        if (text.at(i) == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            break;
        const int high = hexDigitValue(text.at(i));
        const int low = hexDigitValue(text.at(i + 1));
        bytes.append(char((high * 16 + low) & 0xFF));
        i += 2;
    }
    return bytes;
}

QString bytesToHexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex()).toUpper();
}

bool isHexField(const QString &text, int digits)
{
    if (text.size() != digits)
        return false;
    for (const QChar c : text) {
        if (hexDigitValue(c) < 0)
            return false;
    }
    return true;
}

bool parseWord(const QString &word, quint16 *value)
{
    if (word.size() != 4)
        return false;
    quint16 result = 0;
    for (const QChar c : word) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return false;
        result = static_cast<quint16>((result << 4) | digit);
    }
    *value = result;
    return true;
}

qint32 join32(quint16 low, quint16 high)
{
    return static_cast<qint32>((static_cast<quint32>(high) << 16) | low);
}

bool checkFrameCrc(const QString &frameText)
{
    // station + function + CRC at least; a frame of bytes, so an even number of digits
    if (frameText.size() < 8 || frameText.size() % 2 != 0)
        return false;
    if (!isHexField(frameText, frameText.size()))
        return false;
    return crc16Modbus(frameText) == QLatin1String("0000");
}

namespace {

// A write's function and fields as hex text ("06" or "10", then the register and the data), or
// an empty text when they make no write. The address and data texts may split the quantity
// differently; together they start with the register and the value or quantity.
QString writeBody(const QByteArray &address, const QByteArray &data)
{
    const QString fields = (fieldText(address) + fieldText(data)).toUpper();
    if (fields.size() != 8 && fields.size() != 18)
        return QString();
    return QLatin1String(fields.size() == 8 ? "06" : "10") + fields;
}

} // namespace

bool echoConfirms(const QString &echo, const QByteArray &address, const QByteArray &data)
{
    const QString body = writeBody(address, data);
    return !body.isEmpty() && echo.size() == 16 && checkFrameCrc(echo)
        && echo.midRef(2, 10).compare(body.leftRef(10), Qt::CaseInsensitive) == 0;
}

bool isWriteOf(const QByteArray &frame, const QByteArray &address, const QByteArray &data)
{
    const QString body = writeBody(address, data);
    return !body.isEmpty() && frame.size() == 1 + body.size() / 2 + 2
        && bytesToHexText(frame.mid(1, body.size() / 2)) == body;
}

QString buildReadFrame(const QString &station, const QByteArray &address, const QByteArray &count)
{
    const QString a = fieldText(address), c = fieldText(count);
    if (!isHexField(station, 2) || !isHexField(a + c, 8))
        return QString();
    return withCrc(station + QLatin1String("03") + a + c);
}

QString buildWriteSingleFrame(const QString &station, const QByteArray &address, const QByteArray &value)
{
    const QString a = fieldText(address), v = fieldText(value);
    if (!isHexField(station, 2) || !isHexField(a + v, 8))
        return QString();
    return withCrc(station + QLatin1String("06") + a + v);
}

QString buildWriteMultipleFrame(const QString &station, const QByteArray &address, const QByteArray &data)
{
    const QString a = fieldText(address), d = fieldText(data);
    if (!isHexField(station, 2) || !isHexField(a + d, 18))
        return QString();
    return withCrc(station + QLatin1String("10") + a + d);
}

QVector<QString> replyWords(const QByteArray &frame)
{
    QVector<QString> words;
    if (frame.size() < 3)
        return words;
    const int byteCount = quint8(frame.at(2));
    const int count = byteCount / 2;
    words.reserve(count);
    for (int k = 0; k < count && 3 + 2 * k + 1 < frame.size() - 2; ++k) {
        const uint word = (uint(quint8(frame.at(3 + 2 * k))) << 8) | quint8(frame.at(4 + 2 * k));
        const QChar digits[4] = {hexDigit(word >> 12), hexDigit(word >> 8), hexDigit(word >> 4), hexDigit(word)};
        words.append(QString(digits, 4));
    }
    return words;
}

} // namespace FrameCodec
