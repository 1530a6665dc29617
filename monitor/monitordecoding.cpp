#include "monitordecoding.h"

#include "framecodec.h"

namespace MonitorDecoding {

QByteArray registerOf(const QString &monitorNumber)
{
    const QString digits = monitorNumber.mid(2, 3);
    if (digits.size() < 3)
        return QByteArray();
    return (QLatin1Char('E') + digits).toUpper().toLatin1();
}

QByteArray countOf(int type)
{
    switch (type) {
    case Signed16:
    case BitRow:
        return QByteArrayLiteral("0001");
    case Signed32:
        return QByteArrayLiteral("0002");
    default:
        return QByteArray();
    }
}

int wordsOf(int type)
{
    return type == Signed32 ? 2 : (type == Signed16 || type == BitRow ? 1 : 0);
}

QString bitsToString(int value)
{
    QString text;
    for (int bit = 0; bit < 8; ++bit)
        text += (value >> bit) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

qint32 join32(const QString &lowWord, const QString &highWord, bool *ok)
{
    quint16 low = 0;
    quint16 high = 0;
    const bool valid = FrameCodec::parseWord(lowWord, &low) && FrameCodec::parseWord(highWord, &high);
    if (ok)
        *ok = valid;
    if (!valid)
        return 0;
    return FrameCodec::join32(low, high);
}

QVariant decode(int type, const QVector<QString> &words)
{
    const int expected = wordsOf(type);
    if (expected == 0 || words.size() != expected)
        return QVariant();
    quint16 first = 0;
    if (!FrameCodec::parseWord(words.at(0), &first))
        return QVariant();
    switch (type) {
    case Signed16:
        return QVariant(static_cast<int>(static_cast<qint16>(first)));
    case BitRow:
        return QVariant(bitsToString(first));
    case Signed32: {
        bool ok = false;
        const qint32 value = join32(words.at(0), words.at(1), &ok);
        return ok ? QVariant(static_cast<int>(value)) : QVariant();
    }
    default:
        return QVariant();
    }
}

} // namespace MonitorDecoding
