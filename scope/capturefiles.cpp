#include "capturefiles.h"
#include "lineend.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace CaptureFiles {

namespace {

constexpr int kHeadLines = 5;
constexpr int kSettingsLine = 4;

// Number fields of the settings line and the ranges of the boxes they go back into.
struct NumberField {
    int index;
    qint64 low;
    qint64 high;
};

QVector<NumberField> numberFields(int family)
{
    if (family == Vr)
        return {{0, 1, 65535}, {4, -2147483648LL, 429496729}, {7, -2147483648LL, 429496729}, {8, 0, 511}};
    return {{0, 1, 10000}, {2, -5000, 5000}};
}

// The range of one trace's values: VR channels are 32-bit, VR I/O signals and HXQ words 16-bit.
bool valueFits(int family, int trace, qint64 value)
{
    if (family == Vr && trace % 2 == 0)
        return value >= -2147483648LL && value <= 2147483647LL;
    return value >= -32768 && value <= 32767;
}

QStringList fieldsOf(const QString &line)
{
    return line.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

bool toNumber(const QString &field, qint64 *value)
{
    bool ok = false;
    *value = field.trimmed().toLongLong(&ok, 10);
    return ok;
}

QString traceLabel(int family, int trace)
{
    if (family != Vr)
        return QStringLiteral("CH%1:").arg(trace + 1);
    return (trace % 2 == 0 ? QStringLiteral("CH%1:") : QStringLiteral("IO%1:")).arg(trace / 2 + 1);
}

} // namespace

int staticLineCount(int family)
{
    return kHeadLines + 3 * traceCount(family);
}

int settingsFieldCount(int family)
{
    return family == Vr ? 9 : 3;
}

int traceCount(int family)
{
    return family == Vr ? 8 : 2;
}

QString formatStatic(const StaticCapture &capture, const QString &settingsLabel, const QString &valueLabel)
{
    QString text;
    text += capture.stamp + QLatin1Char('\n');
    text += capture.model + QLatin1Char('\n');
    text += settingsLabel + QLatin1Char('\n');
    text += capture.settings.join(QLatin1Char(',')) + QLatin1Char('\n');
    text += valueLabel + QLatin1Char('\n');
    for (int trace = 0; trace < traceCount(capture.family); ++trace) {
        text += traceLabel(capture.family, trace) + QLatin1Char('\n');
        text += capture.names.value(trace) + QLatin1Char('\n');
        for (int value : capture.values.value(trace))
            text += QString::number(value) + QLatin1Char(',');
        text += QLatin1Char('\n');
    }
    return text;
}

namespace {

// Whether line 4 holds the settings of the family: enough fields, each number in its range.
bool settingsLineFits(const QStringList &lines, int family)
{
    if (lines.size() < kSettingsLine)
        return true; // too short to tell: the file ends early
    const QStringList settings = fieldsOf(lines.at(kSettingsLine - 1));
    if (settings.size() < settingsFieldCount(family))
        return false;
    for (const NumberField &number : numberFields(family)) {
        qint64 value = 0;
        if (!toNumber(settings.at(number.index), &value) || value < number.low || value > number.high)
            return false;
    }
    return true;
}

StaticParse parseLayout(const QString &text, int family)
{
    StaticParse parse;
    StaticCapture &capture = parse.capture;
    capture.family = family;

    // A capture file holds no carriage return but in CR LF line ends.
    QStringList lines = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    // The line feed that ends the last line opens no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    const int expected = staticLineCount(family);
    auto fail = [&parse](Problem problem, int line, const QString &field = QString()) {
        parse.problem = problem;
        parse.line = line;
        parse.field = field;
        parse.capture = StaticCapture();
        return parse;
    };
    int extra = 0;
    for (int i = expected; i < lines.size() && !extra; ++i)
        if (!lines.at(i).trimmed().isEmpty())
            extra = i + 1;
    if (lines.size() < expected || extra) {
        // The wrong number of lines: a file that is no capture file at all is called that, and
        // only a capture file of this family is told where it went wrong.
        if (!settingsLineFits(lines, family))
            return fail(Problem::NotCaptureFile, 0);
        return extra ? fail(Problem::TooManyLines, extra) : fail(Problem::EndsEarly, lines.size() + 1);
    }
    // Every line ends with a line end and every value with a comma: a text that stops inside a
    // values line after no comma was cut inside that line's last value.
    const QString last = lines.last().trimmed();
    if (!LineEnd::endsWithOne(text) && !last.isEmpty() && !last.endsWith(QLatin1Char(',')))
        return fail(Problem::EndsInsideLine, lines.size());

    capture.stamp = lines.at(0);
    capture.model = lines.at(1);

    const QStringList settings = fieldsOf(lines.at(kSettingsLine - 1));
    if (settings.size() < settingsFieldCount(family))
        return fail(Problem::ShortSettings, kSettingsLine);
    capture.settings = settings.mid(0, settingsFieldCount(family));
    for (const NumberField &number : numberFields(family)) {
        qint64 value = 0;
        const QString &field = capture.settings.at(number.index);
        if (!toNumber(field, &value) || value < number.low || value > number.high)
            return fail(Problem::BadSetting, kSettingsLine, field);
        capture.settings[number.index] = QString::number(value);
    }

    for (int trace = 0; trace < traceCount(family); ++trace) {
        const int nameLine = kHeadLines + 3 * trace + 2;
        const QStringList name = fieldsOf(lines.at(nameLine - 1));
        if (name.isEmpty())
            return fail(Problem::MissingName, nameLine);
        capture.names.append(name.first());

        QVector<int> values;
        for (const QString &field : fieldsOf(lines.at(nameLine))) {
            qint64 value = 0;
            if (!toNumber(field, &value) || !valueFits(family, trace, value))
                return fail(Problem::BadValue, nameLine + 1, field);
            values.append(int(value));
        }
        capture.values.append(values);
    }
    return parse;
}

} // namespace

StaticParse parseStatic(const QString &text, int family)
{
    // A sound file of the other family is called so, whatever went wrong in this family's layout:
    // an HXQ file followed by enough blank lines has as many lines as a VR file.
    const StaticParse parse = parseLayout(text, family);
    if (!parse.ok() && parseLayout(text, family == Vr ? Hxq : Vr).ok()) {
        StaticParse other;
        other.problem = Problem::OtherFamily;
        return other;
    }
    return parse;
}

bool holdsNoValues(const StaticCapture &capture)
{
    for (const QVector<int> &values : capture.values)
        if (!values.isEmpty())
            return false;
    return true;
}

void requireValues(StaticParse *parse, int points)
{
    const StaticCapture &capture = parse->capture;
    for (int trace = 0; trace < capture.values.size(); ++trace) {
        if (capture.values.at(trace).size() < points) {
            const QString name = capture.names.value(trace);
            *parse = StaticParse();
            parse->problem = Problem::ShortTrace;
            parse->line = kHeadLines + 3 * trace + 3;
            parse->field = name;
            return;
        }
    }
}

QString describe(const StaticParse &parse)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("CaptureFiles", text); };
    QString reason;
    switch (parse.problem) {
    case Problem::None: return QString();
    case Problem::EndsEarly: reason = tr("文件在第 %1 行前结束"); break;
    case Problem::EndsInsideLine: reason = tr("文件在第 %1 行中间结束"); break;
    case Problem::TooManyLines: reason = tr("第 %1 行多余"); break;
    case Problem::OtherFamily: return tr("这是另一驱动器系列的采样文件");
    case Problem::NotCaptureFile: return tr("这不是采样文件");
    case Problem::ShortSettings: reason = tr("第 %1 行的设置项不足"); break;
    case Problem::BadSetting: reason = tr("第 %1 行的设置值无效: %2"); break;
    case Problem::MissingName: reason = tr("第 %1 行缺少通道名称"); break;
    case Problem::BadValue: reason = tr("第 %1 行的数值无效: %2"); break;
    case Problem::ShortTrace: reason = tr("第 %1 行的数据不完整: %2"); break;
    case Problem::UnknownName: reason = tr("第 %1 行的名称不在列表中: %2"); break;
    }
    reason = reason.arg(parse.line);
    // A name is named whole; a refused number is cut short (a damaged file may hold anything).
    const bool number = parse.problem == Problem::BadSetting || parse.problem == Problem::BadValue;
    if (reason.contains(QLatin1String("%2")))
        reason = reason.arg(number ? parse.field.left(40) : parse.field);
    return reason;
}

QString formatQuickChange(const QVector<QVector<int>> &traces)
{
    QString text;
    for (int line = 0; line < 8; ++line) {
        text += QString::number(line + 1) + QLatin1Char('\t');
        for (int value : traces.value(line))
            text += QString::number(value) + QLatin1Char('\t');
        if (line < 7)
            text += QLatin1Char('\n');
    }
    return text;
}

QString timeStamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));
}

QString defaultFileName(const QString &lastFolder, const QDateTime &when, const QString &model, const QString &name)
{
    return lastFolder + timeStamp(when) + model + QLatin1Char('-') + name;
}

bool readTextFile(const QString &path, QString *text, QString *errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *errorText = file.errorString();
        return false;
    }
    QTextStream in(&file);
    *text = in.readAll();
    return true;
}

} // namespace CaptureFiles
