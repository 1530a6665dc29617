#include "drivestatus.h"

namespace DriveStatus {

namespace {

bool isHexWord(const QString &word, int minDigits)
{
    if (word.size() < minDigits || word.size() > 4)
        return false;
    for (const QChar c : word) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
              || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

} // namespace

QByteArray statusRegister(int family)
{
    return family == 0 ? QByteArrayLiteral("E31B") : QByteArrayLiteral("0660");
}

QByteArray alarmRegister(int family)
{
    return family == 0 ? QByteArrayLiteral("E30A") : QByteArrayLiteral("0630");
}

StatusWord decodeStatusWord(const QString &word)
{
    StatusWord s;
    if (!isHexWord(word, 1))
        return s;
    s.valid = true;
    s.value = static_cast<quint16>(word.toUInt(nullptr, 16));
    s.powerOn = (s.value & 0x0020) != 0;
    s.alarm = (s.value & 0x8000) != 0;
    return s;
}

QString alarmCode(int family, const QString &word)
{
    if (!isHexWord(word, 4))
        return word;
    if (family == 0)
        return QStringLiteral("E.") + word.mid(1, 3);
    return QString::number(word.toUInt(nullptr, 16));
}

} // namespace DriveStatus
