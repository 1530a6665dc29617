#include "controlcoding.h"

#include "framecodec.h"

namespace ControlCoding {

QByteArray hexWord(qint64 value)
{
    const QString text = QString::number(static_cast<quint64>(value) & 0xFFFFu, 16).toUpper();
    return text.rightJustified(4, QLatin1Char('0')).toLatin1();
}

QByteArray twoWordData(qint64 value)
{
    const quint32 bits = static_cast<quint32>(value);
    return QByteArrayLiteral("000204") + hexWord(bits & 0xFFFFu) + hexWord(bits >> 16);
}

bool parseField(const QString &text, qint64 min, qint64 max, qint64 *value)
{
    if (text.isEmpty() || text.size() > 18)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok || number < min || number > max)
        return false;
    *value = number;
    return true;
}

bool unsignedWord(const QString &word, int *value)
{
    if (!FrameCodec::isHexField(word, 4))
        return false;
    *value = static_cast<int>(word.toUInt(nullptr, 16));
    return true;
}

bool signedWord(const QString &word, int *value)
{
    int bits = 0;
    if (!unsignedWord(word, &bits))
        return false;
    *value = static_cast<qint16>(static_cast<quint16>(bits));
    return true;
}

} // namespace ControlCoding
