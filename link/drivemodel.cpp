#include "drivemodel.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace DriveModel {

namespace {

// Model names belong to the connection dialog's translation context; both languages keep them.
QString modelText(const char *name)
{
    return QCoreApplication::translate("serialPort", name);
}

QString decodeVr(const QString &word)
{
    if (word == QLatin1String("0010"))
        return modelText("VR1P");
    if (word == QLatin1String("0011") || word == QLatin1String("0019"))
        return modelText("VR1E");
    if (word == QLatin1String("0012") || word == QLatin1String("001A"))
        return modelText("VR1M");
    if (word == QLatin1String("0018"))
        return modelText("VR1P");
    if (word.size() >= 3 && word.at(2) == QLatin1Char('3'))
        return modelText("VR2");
    return modelText("Others");
}

QString decodeHxq(const QString &word)
{
    bool ok = false;
    uint value = word.toUInt(&ok, 16);
    if (!ok)
        value = 0;
    if (value <= 100)
        return modelText("HXQ1");
    if (value <= 200)
        return modelText("HXQ-B1");
    return modelText("others");
}

int clampStation(const QString &text, QString *shown)
{
    bool ok = false;
    int value = text.toInt(&ok);
    if (!ok) {
        // A whole number too long for an int still says which end of the range it is beyond.
        static const QRegularExpression wholeNumber(QStringLiteral("^\\s*([+-]?)\\d+\\s*$"));
        const QRegularExpressionMatch match = wholeNumber.match(text);
        value = !match.hasMatch() ? 0 : match.captured(1) == QLatin1String("-") ? firstStation - 1 : lastStation + 1;
    }
    *shown = text;
    if (value < firstStation) {
        value = firstStation;
        *shown = QString::number(value);
    } else if (value > lastStation) {
        value = lastStation;
        *shown = QString::number(value);
    }
    return value;
}

} // namespace

QByteArray modelRegister(int family)
{
    return family == VrFamily ? QByteArrayLiteral("C000") : QByteArrayLiteral("0712");
}

QString decodeModelName(int family, const QString &word)
{
    const QString upper = word.trimmed().toUpper();
    return family == VrFamily ? decodeVr(upper) : decodeHxq(upper);
}

int familyOfModel(const QString &name)
{
    const QString model = name.trimmed();
    if (model.isEmpty())
        return -1;
    for (const char *vr : {"VR1P", "VR1E", "VR1M", "VR2", "Others"}) {
        if (model == modelText(vr))
            return VrFamily;
    }
    for (const char *hxq : {"HXQ1", "HXQ-B1", "others"}) {
        if (model == modelText(hxq))
            return HxqFamily;
    }
    return -1;
}

bool isOfOtherFamily(const QString &name, int family)
{
    const int modelFamily = familyOfModel(name);
    return modelFamily >= 0 && (modelFamily == VrFamily) != (family == VrFamily);
}

ScanRange scanRange(const QString &startText, const QString &endText)
{
    ScanRange range;
    const int end = clampStation(endText, &range.endText);
    const int start = clampStation(startText, &range.startText);
    range.from = qMin(start, end);
    range.to = qMax(start, end);
    return range;
}

QString stationDigits(int station)
{
    return QStringLiteral("%1").arg(station, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace DriveModel
