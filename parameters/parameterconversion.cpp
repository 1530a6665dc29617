#include "parameterconversion.h"
#include "framecodec.h"

#include <QRegularExpression>

#include <limits>

namespace ParameterConversion {

namespace {

using FrameCodec::join32;
using FrameCodec::parseWord;

qint16 asSigned16(quint16 word)
{
    return static_cast<qint16>(word);
}

// The words of a reply, all checked; false when fewer than `needed` or one is not hex.
bool takeWords(const QVector<QString> &words, int needed, QVector<quint16> *out)
{
    if (words.size() < needed)
        return false;
    out->resize(needed);
    for (int i = 0; i < needed; ++i) {
        if (!parseWord(words.at(i), &(*out)[i]))
            return false;
    }
    return true;
}

} // namespace

int attributeCode(const QVariant &cell)
{
    return cell.toString().simplified().toInt();
}

QString toHexText(int value)
{
    return QString::number(static_cast<uint>(value), 16).toUpper();
}

QString addressVr(const QString &numberText)
{
    return QStringLiteral("0") + numberText.simplified().mid(2, 3).toUpper();
}

QString addressHxq(const QString &numberText)
{
    const int number = numberText.simplified().mid(2, 3).toInt();
    return toHexText(number).rightJustified(4, QLatin1Char('0'));
}

QString registerAddress(int family, const QString &numberText)
{
    return isVrRoad(family) ? addressVr(numberText) : addressHxq(numberText);
}

QString wordCount(int family, int code)
{
    return (isVrRoad(family) && code == 5) ? QStringLiteral("0002") : QStringLiteral("0001");
}

QVariant decodeSingle(int family, int code, const QVector<QString> &words, bool *ok)
{
    const bool vr = isVrRoad(family);
    const int needed = (vr && code == 5) ? 2 : 1;
    QVector<quint16> w;
    if (!takeWords(words, needed, &w)) {
        if (ok)
            *ok = false;
        return QVariant();
    }
    if (ok)
        *ok = true;

    if (isSwitchCode(code))
        return words.at(0);
    if (code == 3)
        return static_cast<int>(w[0]);
    if (code == 2)
        return static_cast<int>(asSigned16(w[0]));
    if (vr) {
        if (code == 5)
            return static_cast<int>(join32(w[0], w[1]));
        return static_cast<int>(asSigned16(w[0]));
    }
    return static_cast<int>(w[0]);
}

int recordWordCount(int family)
{
    return isVrRoad(family) ? 9 : 4;
}

bool decodeRecord(int family, int code, const QVector<QString> &words, InfoRecord *record)
{
    const int needed = recordWordCount(family);
    QVector<quint16> w;
    if (!takeWords(words, needed, &w))
        return false;

    InfoRecord r;
    if (isVrRoad(family)) {
        auto pair = [&](int first) -> QVariant {
            if (isSwitchCode(code))
                return words.at(first);
            if (code == 2)
                return static_cast<int>(asSigned16(w[first]));
            if (code == 3)
                return static_cast<int>(w[first]);
            return static_cast<int>(join32(w[first], w[first + 1]));
        };
        r.maximum = pair(1);
        r.minimum = pair(3);
        r.defaultValue = pair(5);
        r.value = pair(7);
    } else {
        auto single = [&](int i) -> QVariant {
            if (isSwitchCode(code))
                return words.at(i);
            if (code == 2)
                return static_cast<int>(asSigned16(w[i]));
            return static_cast<int>(w[i]);
        };
        r.maximum = single(0);
        r.minimum = single(1);
        r.defaultValue = single(2);
        r.value = single(3);
    }
    *record = r;
    return true;
}

QString encodeWord16(qint64 value)
{
    return QStringLiteral("%1").arg(static_cast<quint16>(value & 0xFFFF), 4, 16, QLatin1Char('0')).toUpper();
}

QPair<QString, QString> encodeWords32(qint64 value)
{
    const quint32 bits = static_cast<quint32>(value & 0xFFFFFFFF);
    return qMakePair(encodeWord16(bits & 0xFFFF), encodeWord16(bits >> 16));
}

QString switchDigits(const QString &valueText)
{
    return valueText.rightJustified(4, QLatin1Char('0'));
}

int limitValue(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

int limitDigit(const QString &limitText, int position)
{
    if (position < 0 || position >= limitText.size())
        return 0;
    return qMax(0, FrameCodec::hexDigitValue(limitText.at(position)));
}

QPair<qint64, qint64> kindRange(int code)
{
    switch (code) {
    case 3:
        return qMakePair<qint64, qint64>(0, 65535);
    case 4:
        return qMakePair<qint64, qint64>(0, 32767);
    case 5:
        return qMakePair<qint64, qint64>(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    default:
        return qMakePair<qint64, qint64>(-32768, 32767);
    }
}

EditVerdict judgeValue(int code, const QString &typed, const QString &minText, const QString &maxText)
{
    EditVerdict verdict;
    verdict.text = typed.trimmed();
    const QString &t = verdict.text;

    if (isSwitchCode(code)) {
        if (t.size() != 4) {
            verdict.fault = EditFault::NotFourCharacters;
            return verdict;
        }
        for (int i = 3; i >= 0; --i) {
            if (FrameCodec::hexDigitValue(t.at(i)) < 0) {
                verdict.fault = EditFault::NotHexDigit;
                verdict.digit = 3 - i;
                return verdict;
            }
        }
        for (int i = 3; i >= 0; --i) {
            const int digit = FrameCodec::hexDigitValue(t.at(i));
            if (digit < limitDigit(minText, i) || digit > limitDigit(maxText, i)) {
                verdict.fault = EditFault::DigitOutOfRange;
                verdict.digit = 3 - i;
                return verdict;
            }
        }
        return verdict;
    }

    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    if (!decimal.match(t).hasMatch()) {
        verdict.fault = EditFault::NotDecimal;
        return verdict;
    }
    bool ok = false;
    const qint64 value = t.toLongLong(&ok, 10);
    const QPair<qint64, qint64> kind = kindRange(code);
    if (!ok || value < kind.first || value > kind.second) {
        verdict.fault = EditFault::OutsideKind;
        return verdict;
    }
    verdict.value = value;
    if (value < limitValue(minText) || value > limitValue(maxText))
        verdict.fault = EditFault::OutOfRange;
    return verdict;
}

} // namespace ParameterConversion
