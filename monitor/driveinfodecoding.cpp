#include "driveinfodecoding.h"

#include <QCoreApplication>

#include "framecodec.h"

namespace DriveInfoDecoding {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Versions", text);
}

Shown textOnly(const QString &text)
{
    Shown shown;
    shown.setText = true;
    shown.text = text;
    return shown;
}

QString scaled(uint value, double divisor, const char *unit)
{
    return QString::number(value / divisor, 'f', 3) + QLatin1String(unit);
}

Shown voltageClass(uint value)
{
    if (value == 1)
        return textOnly(tr("AC 380 V"));
    if (value == 0)
        return textOnly(tr("AC 220 V"));
    return Shown();
}

} // namespace

const QVector<Step> &steps()
{
    static const QVector<Step> table{
        { "C004", 100, "lineEdit_DSP1" },
        { "C005", 50, "lineEdit_DSP2" },
        { "C006", 50, "lineEdit_FPGA" },
        { "C000", 50, "lineEdit_DriverType" },
        { "C009", 50, "lineEdit_DriverPower" },
        { "C00B", 50, "lineEdit_DriverLevel" },
        { "E156", 50, "lineEdit_DriverOverLoad" },
        { "C023", 50, "lineEdit_MoterDistinguishability" },
        { "C00F", 50, "lineEdit_MotorPower" },
        { "C011", 50, "lineEdit_MoterLevel" },
        { "E050", 50, "lineEdit_MoterNominalSpeed" },
        { "E051", 50, "lineEdit_MoterMaxSpeed" },
        { "E157", 50, "lineEdit_NominalTorque" },
        { "E158", 50, "lineEdit_NominalElectrcity" },
        { "E159", 50, "lineEdit_MaxElectricity" },
    };
    return table;
}

QString versionText(const QString &word)
{
    QString text = word.left(2) + QLatin1Char('.') + word.mid(2);
    if (text.startsWith(QLatin1Char('0')))
        text.remove(0, 1);
    return QLatin1Char('V') + text;
}

Shown decode(int step, const QString &word)
{
    if (!FrameCodec::isHexField(word, 4))
        return Shown();
    const uint value = word.toUInt(nullptr, 16);
    switch (step) {
    case 1:
    case 2:
    case 3:
        return textOnly(versionText(word));
    case 4: {
        Shown shown;
        shown.picture = Picture::First;
        const QString upper = word.toUpper();
        if (upper == QLatin1String("0010")) {
            shown = textOnly(tr("旋转型"));
            shown.picture = Picture::First;
        } else if (upper == QLatin1String("0018")) {
            shown = textOnly(tr("直线型"));
            shown.picture = Picture::First;
        } else if (upper.at(2) == QLatin1Char('3')) {
            shown = textOnly(tr("旋转型"));
            shown.picture = Picture::Second;
        }
        return shown;
    }
    case 5:
    case 9:
        return textOnly(QString::number(value) + QLatin1String(" W"));
    case 6:
    case 10:
        return voltageClass(value);
    case 7:
        return textOnly(QString::number(value) + QLatin1String(" %"));
    case 8:
        if (value == 0x0002)
            return textOnly(QStringLiteral("131072 Pules"));
        if (value == 0x0080)
            return textOnly(QStringLiteral("8388608 Pules"));
        return Shown();
    case 11:
    case 12:
        return textOnly(QString::number(value) + QLatin1String(" Rpm"));
    case 13:
        return textOnly(scaled(value, 100.0, " NM"));
    case 14:
    case 15:
        return textOnly(scaled(value, 10.0, " A"));
    default:
        return Shown();
    }
}

} // namespace DriveInfoDecoding
