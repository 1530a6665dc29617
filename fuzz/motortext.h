#ifndef MOTORTEXT_H
#define MOTORTEXT_H

// Rows of the motor-data table made from fuzz bytes, for the targets over the motor data file
// and the download: each row's limits and values in its own notation, the value in register
// units beside each text.

#include "fuzzcheck.h"
#include "motordata.h"

#include <QString>

namespace MotorText {

inline qint64 powerOfTen(int decimals)
{
    qint64 p = 1;
    for (int i = 0; i < decimals; ++i)
        p *= 10;
    return p;
}

// The largest value a register field holds, and its shift.
inline int fieldMask(MotorData::Field field)
{
    switch (field) {
    case MotorData::Field::Word: return 0xFFFF;
    case MotorData::Field::Low8:
    case MotorData::Field::High8: return 0xFF;
    case MotorData::Field::Bits8_11:
    case MotorData::Field::Bits12_15: return 0x0F;
    }
    return 0;
}

inline int fieldShift(MotorData::Field field)
{
    switch (field) {
    case MotorData::Field::High8:
    case MotorData::Field::Bits8_11: return 8;
    case MotorData::Field::Bits12_15: return 12;
    default: return 0;
    }
}

// `units` (the value × 10^decimals) as a user may write it: zeros before the digits or after
// the point, the point without digits on either side, a "+", blanks around.
inline QString unitsText(FuzzNumbers &in, qint64 units, int decimals)
{
    const quint32 style = in.next();
    const qint64 p = powerOfTen(decimals);
    const qint64 magnitude = units < 0 ? -units : units;
    QString whole = QString::number(magnitude / p);
    QString fraction = decimals ? QString::number(magnitude % p).rightJustified(decimals, QLatin1Char('0')) : QString();
    if (style & 1)
        while (fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
    if (decimals && style & 2)
        fraction += QString(1 + int(style >> 8) % 3, QLatin1Char('0'));
    if (style & 4)
        whole.prepend(QString(1 + int(style >> 10) % 2, QLatin1Char('0')));
    if (whole == QLatin1String("0") && !fraction.isEmpty() && style & 8)
        whole.clear();
    QString text = whole;
    if (!fraction.isEmpty())
        text += QLatin1Char('.') + fraction;
    else if (decimals && style & 16)
        text += QLatin1Char('.');
    if (units < 0)
        text.prepend(QLatin1Char('-'));
    else if (style & 32)
        text.prepend(QLatin1Char('+'));
    return style & 64 ? QStringLiteral(" ") + text + QStringLiteral("\t") : text;
}

// One row: its limits, and the range of values it takes (in register units).
struct Row
{
    MotorData::Row row;
    int scale = 1;
    qint64 low = 0;  // the least value taken
    qint64 high = 0; // the largest: the maximum, or the field's top when that lies below it
};

// Row `number` with decimals on a whole-word row, a minimum from 0 (or below) and a maximum
// that may lie far beyond what the field holds.
inline Row makeRow(FuzzNumbers &in, int number)
{
    Row r;
    r.row.number = number;
    const MotorData::Placement place = MotorData::placement(number);
    r.scale = place.scale;
    r.row.decimals = place.field == MotorData::Field::Word ? int(in.below(4)) : 0;
    const qint64 top = qint64(fieldMask(place.field)) * place.scale;
    const quint32 pick = in.next();
    qint64 minimum = 0;
    if (pick % 4 == 1)
        minimum = -qint64(in.below(100000));
    else if (pick % 4 >= 2)
        minimum = r.scale * qint64(in.below(quint32(top / r.scale / 2 + 1)));
    r.low = qMax<qint64>(minimum, 0);
    qint64 maximum = top;
    if ((pick >> 2) % 4 == 1)
        maximum = top + 1 + (qint64(in.next()) << (pick >> 4) % 8); // beyond the field, and 32 bits
    else if ((pick >> 2) % 4 >= 2)
        maximum = r.low + r.scale * qint64(in.below(quint32((top - r.low) / r.scale + 1)));
    r.high = qMin(maximum, top);
    r.row.minimum = unitsText(in, minimum, r.row.decimals);
    r.row.maximum = unitsText(in, maximum, r.row.decimals);
    return r;
}

// A value the row takes, its ends often.
inline qint64 validUnits(FuzzNumbers &in, const Row &r)
{
    const quint32 pick = in.next();
    if (pick % 4 == 0)
        return pick & 4 ? r.low : r.high;
    return r.low + r.scale * qint64(in.below(quint32((r.high - r.low) / r.scale + 1)));
}

// A step of the row beyond the largest value it takes: just beyond, far beyond, or whole turns
// of 16 or 32 bits beyond a value it takes (what a reader that wrapped numbers would take).
inline qint64 overUnits(FuzzNumbers &in, const Row &r)
{
    const quint32 pick = in.next();
    if (pick % 3 == 0) {
        const qint64 turn = (pick & 4 ? 65536 : 4294967296LL) * r.scale * powerOfTen(r.row.decimals);
        return validUnits(in, r) + turn * (1 + qint64(in.below(3)));
    }
    const qint64 steps = pick % 3 == 1 ? 0 : qint64(in.next() >> (pick >> 2) % 24);
    return (r.high / r.scale + 1 + steps) * r.scale;
}

} // namespace MotorText

#endif // MOTORTEXT_H
