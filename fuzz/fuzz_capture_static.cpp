// Arbitrary bytes as a capture file of either family: the reader must never crash, a refusal
// must name a line of the file (or the one after its end) unless it refuses the file as a whole,
// and whatever it takes must come back the same when written and read again. A sound file made
// from the same bytes must be taken with its settings, names and values (32-bit on the VR
// channels), be called a file of the other family by the other family's reader, and with one
// number spoilt or out of its range be refused at that number's line, naming it.

#include "capturefiles.h"
#include "fuzzcheck.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace {

using CaptureFiles::Problem;

// A number from low to high, the ends often.
qint64 inRange(FuzzNumbers &in, qint64 low, qint64 high)
{
    const quint32 pick = in.next();
    if (pick % 8 == 0)
        return pick & 8 ? low : high;
    const qint64 value = in.anyWidth();
    return value >= low && value <= high ? value : low + qint64(quint64(value - low) % quint64(high - low + 1));
}

// A number as a file could hold it: blanks around it and zeros before its digits are allowed.
QString numberText(FuzzNumbers &in, qint64 value)
{
    const quint32 style = in.next();
    QString digits = QString::number(value < 0 ? -value : value);
    if (style & 1)
        digits.prepend(QString(1 + int(style >> 4) % 3, QLatin1Char('0')));
    const QString text = (value < 0 ? QStringLiteral("-") : QString()) + digits;
    return style & 2 ? QLatin1Char(' ') + text + QLatin1Char(' ') : text;
}

// A number beyond what a field of this range holds: just or far beyond it, whole turns of 16 or
// 32 bits beyond a number it holds (what a reader that wrapped numbers would take), or beyond
// any integer type.
QString outOfRange(FuzzNumbers &in, qint64 low, qint64 high)
{
    const quint32 pick = in.next();
    if (pick % 4 == 0)
        return QStringLiteral("-99999999999999999999");
    if (pick % 4 == 1) {
        const qint64 turn = high - low < 65536 && pick & 8 ? 65536 : 4294967296LL;
        return QString::number(inRange(in, low, high) + (pick & 4 ? -turn : turn) * (1 + qint64(in.below(3))));
    }
    const qint64 beyond = 1 + qint64(in.below(1000000000u));
    return QString::number(pick & 4 ? low - beyond : high + beyond);
}

struct SoundFile
{
    int family = CaptureFiles::Vr;
    QStringList lines;
    CaptureFiles::StaticCapture expected;
    QVector<QStringList> settingsFields; // line 4 as fields, empty ones included
    QVector<QStringList> valueFields;    // each trace's values line as fields
};

// The number fields of the settings line and their ranges.
struct Setting
{
    int index;
    qint64 low;
    qint64 high;
};

QVector<Setting> settingNumbers(int family)
{
    if (family == CaptureFiles::Vr)
        return {{0, 1, 65535}, {4, -2147483648LL, 429496729}, {7, -2147483648LL, 429496729}, {8, 0, 511}};
    return {{0, 1, 10000}, {2, -5000, 5000}};
}

QString joinFields(const QStringList &fields)
{
    return fields.join(QLatin1Char(','));
}

SoundFile makeSoundFile(FuzzNumbers &in)
{
    SoundFile file;
    file.family = in.next() & 1 ? CaptureFiles::Vr : CaptureFiles::Hxq;
    CaptureFiles::StaticCapture &capture = file.expected;
    capture.family = file.family;
    capture.stamp = in.text(0);
    capture.model = in.text(0) + QStringLiteral(",") + in.text(0);
    const QVector<Setting> numbers = settingNumbers(file.family);
    QStringList settings;
    for (int i = 0; i < CaptureFiles::settingsFieldCount(file.family); ++i) {
        QString field = in.text(1);
        capture.settings.append(field);
        for (const Setting &number : numbers) {
            if (number.index == i) {
                const qint64 value = inRange(in, number.low, number.high);
                field = numberText(in, value);
                capture.settings.last() = QString::number(value);
            }
        }
        settings.append(field);
        if (in.next() % 4 == 0)
            settings.append(QString()); // an empty field is dropped
    }
    if (in.next() & 1)
        settings.append(in.text(1)); // beyond the layout: ignored
    file.settingsFields.append(settings);
    file.lines << capture.stamp << capture.model << in.text(0) << joinFields(settings) << in.text(0);

    for (int trace = 0; trace < CaptureFiles::traceCount(file.family); ++trace) {
        const bool wide = file.family == CaptureFiles::Vr && trace % 2 == 0;
        capture.names.append(in.text(1));
        QVector<int> values;
        QStringList fields;
        const int count = int(in.below(6));
        for (int i = 0; i < count; ++i) {
            const qint64 value = wide ? in.anyWidth() : inRange(in, -32768, 32767);
            values.append(int(value));
            fields.append(numberText(in, value));
        }
        fields.append(QString()); // every value is followed by ","
        capture.values.append(values);
        file.valueFields.append(fields);
        const QString name = in.next() & 1 ? capture.names.last() + QLatin1Char(',') + in.text(0)
                                           : capture.names.last();
        file.lines << in.text(0) << name << (count ? joinFields(fields) : QString());
    }
    return file;
}

QString textOf(const QStringList &lines, quint32 shape)
{
    const QString end = shape & 1 ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text = lines.join(end);
    // Blank lines after the last one are passed over, also as many as make an HXQ file as long
    // as a VR file; the last line end may be missing unless the last line is empty.
    for (quint32 blank = (shape >> 4) % 24; blank > 0; --blank)
        text += end + QString(int(blank) - 1, QLatin1Char(' '));
    if (shape & 8 || text.endsWith(QLatin1Char('\n')))
        text += end;
    return text;
}

// A reader that refused every file, or wrapped its values to 16 bits, would pass the checks on
// arbitrary bytes.
void checkSoundFile(const uint8_t *data, size_t size)
{
    constexpr size_t kShaping = 16;
    if (seenBefore(data, std::min(size, kShaping)))
        return;
    FuzzNumbers in(data, size, kShaping);
    const SoundFile file = makeSoundFile(in);
    const quint32 shape = in.next();
    const QString text = textOf(file.lines, shape);
    const CaptureFiles::StaticParse parse = CaptureFiles::parseStatic(text, file.family);
    require(parse.ok());
    require(parse.capture.stamp == file.expected.stamp && parse.capture.model == file.expected.model);
    require(parse.capture.settings == file.expected.settings);
    require(parse.capture.names == file.expected.names && parse.capture.values == file.expected.values);

    const int other = file.family == CaptureFiles::Vr ? CaptureFiles::Hxq : CaptureFiles::Vr;
    const CaptureFiles::StaticParse otherParse = CaptureFiles::parseStatic(text, other);
    require(otherParse.problem == Problem::OtherFamily && otherParse.line == 0);

    // One number spoilt, a setting or a value: a letter after it, or a number beyond its range.
    QStringList lines = file.lines;
    QString spoilt;
    int line = 0;
    const bool junk = in.next() & 1;
    const int trace = int(in.below(quint32(file.valueFields.size() + 1))) - 1;
    if (trace >= 0 && file.valueFields.at(trace).size() > 1) {
        QStringList fields = file.valueFields.at(trace);
        const int at = int(in.below(quint32(fields.size() - 1)));
        const qint64 limit = file.family == CaptureFiles::Vr && trace % 2 == 0 ? 2147483647LL : 32767;
        fields[at] = junk ? fields.at(at) + QLatin1Char('x') : outOfRange(in, -limit - 1, limit);
        spoilt = fields.at(at);
        line = 5 + 3 * trace + 3;
        lines[line - 1] = joinFields(fields);
    } else {
        QStringList fields = file.settingsFields.first();
        const QVector<Setting> numbers = settingNumbers(file.family);
        const Setting number = numbers.at(int(in.below(quint32(numbers.size()))));
        int at = -1;
        for (int i = 0, kept = 0; at < 0; ++i) // the position among the fields the reader keeps
            if (!fields.at(i).isEmpty() && kept++ == number.index)
                at = i;
        fields[at] = junk ? fields.at(at) + QLatin1Char('x') : outOfRange(in, number.low, number.high);
        spoilt = fields.at(at);
        line = 4;
        lines[line - 1] = joinFields(fields);
    }
    const CaptureFiles::StaticParse refused = CaptureFiles::parseStatic(textOf(lines, shape), file.family);
    require(refused.problem == (line == 4 ? Problem::BadSetting : Problem::BadValue));
    require(refused.line == line && refused.field == spoilt && refused.capture.values.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const int lines = text.count(QLatin1Char('\n')) + 1;
    for (int family : {CaptureFiles::Vr, CaptureFiles::Hxq}) {
        const CaptureFiles::StaticParse parse = CaptureFiles::parseStatic(text, family);
        if (!parse.ok()) {
            // A file of the other family, or no capture file at all, is refused as a whole.
            const bool whole = parse.problem == CaptureFiles::Problem::OtherFamily
                || parse.problem == CaptureFiles::Problem::NotCaptureFile;
            require(whole ? parse.line == 0 : parse.line >= 1 && parse.line <= lines + 1);
            require(parse.capture.values.isEmpty() && !CaptureFiles::describe(parse).isEmpty());
            continue;
        }
        const CaptureFiles::StaticCapture &taken = parse.capture;
        require(taken.settings.size() == CaptureFiles::settingsFieldCount(family));
        require(taken.names.size() == CaptureFiles::traceCount(family));
        require(taken.values.size() == CaptureFiles::traceCount(family));

        const QString again = CaptureFiles::formatStatic(taken, QStringLiteral("a"), QStringLiteral("b"));
        const CaptureFiles::StaticParse reparsed = CaptureFiles::parseStatic(again, family);
        require(reparsed.ok());
        require(reparsed.capture.settings == taken.settings);
        require(reparsed.capture.names == taken.names);
        require(reparsed.capture.values == taken.values);
    }
    checkSoundFile(data, size);
    return 0;
}
