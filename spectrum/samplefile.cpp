#include "samplefile.h"
#include "lineend.h"
#include "wholefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace SampleFile {

namespace {

constexpr int kModelLine = 2;
constexpr int kIntervalLine = 4;
constexpr int kSamplesLine = 8;
constexpr int kPeriodLine = 3;
constexpr int kChannelLine = 5;
constexpr int kCaptureNameLine = 7;

Contents refuse(Contents contents, Contents::Status status, int line, const QString &field = QString())
{
    contents.status = status;
    contents.line = line;
    contents.field = field;
    contents.samples.clear();
    return contents;
}

} // namespace

Contents read(QIODevice *device)
{
    Contents contents;
    QTextStream in(device);
    in.setCodec("UTF-8");
    int lineNumber = 0;
    bool sampleFileLayout = false;
    while (!in.atEnd() && lineNumber < kSamplesLine) {
        const QString line = in.readLine(kMaxLineLength + 1);
        ++lineNumber;
        if (line.size() > kMaxLineLength)
            return refuse(contents, Contents::TooManySamples, lineNumber);
        if (lineNumber == kModelLine)
            contents.driveModel = line.trimmed();
        if (lineNumber == kPeriodLine)
            sampleFileLayout = line.trimmed() == QLatin1String("125");
        if (lineNumber == (sampleFileLayout ? kChannelLine : kCaptureNameLine))
            contents.channel = line.trimmed();
        if (lineNumber != kIntervalLine && lineNumber != kSamplesLine)
            continue;
        const QStringList fields = line.split(QLatin1Char(','), Qt::SkipEmptyParts);
        bool ok = false;
        if (lineNumber == kIntervalLine) {
            if (fields.isEmpty())
                continue;
            contents.hasMultiplier = true;
            contents.multiplier = fields.first().toInt(&ok, 10);
            if (!ok)
                return refuse(contents, Contents::BadValue, lineNumber, fields.first());
            if (contents.multiplier < kMinMultiplier || contents.multiplier > kMaxMultiplier)
                return refuse(contents, Contents::BadInterval, lineNumber, fields.first());
            continue;
        }
        contents.count = fields.size();
        if (fields.size() > kMaxSamples)
            return refuse(contents, Contents::TooManySamples, lineNumber);
        // Every sample is followed by a comma: a text that stops inside line 8 after no comma
        // was cut inside its last sample.
        if (!line.trimmed().endsWith(QLatin1Char(',')) && in.atEnd() && !LineEnd::endsWithOne(device))
            return refuse(contents, Contents::EndsInsideLine, lineNumber);
        contents.samples.reserve(fields.size());
        for (const QString &field : fields) {
            contents.samples.append(field.toInt(&ok, 10));
            if (!ok)
                return refuse(contents, Contents::BadValue, lineNumber, field);
        }
    }
    if (contents.samples.isEmpty())
        return refuse(contents, Contents::NoSamples, lineNumber);
    if (contents.samples.size() < kMaxSamples)
        return refuse(contents, Contents::TooFewSamples, kSamplesLine);
    contents.status = Contents::Ok;
    return contents;
}

QString describe(const Contents &contents)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("SampleFile", text); };
    const QString field = contents.field.left(40);
    switch (contents.status) {
    case Contents::BadValue:
        return tr("第 %1 行的数值无效: %2").arg(QString::number(contents.line), field);
    case Contents::BadInterval:
        return tr("第 %1 行的采样间隔无效: %2 (应为 %3 ~ %4)")
            .arg(QString::number(contents.line), field, QString::number(kMinMultiplier),
                 QString::number(kMaxMultiplier));
    case Contents::TooFewSamples:
        return tr("频谱分析需要 %1 个采样点，第 %2 行只有 %3 个")
            .arg(kMaxSamples).arg(contents.line).arg(contents.count);
    case Contents::EndsInsideLine:
        return tr("文件在第 %1 行中间结束").arg(contents.line);
    case Contents::Ok:
    case Contents::TooManySamples:
    case Contents::NoSamples:
        break;
    }
    return QString();
}

Contents readText(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    return read(&buffer);
}

QString format(const Header &header, const QVector<int> &samples)
{
    QString text;
    QTextStream out(&text);
    out << header.dateTime << '\n'
        << header.driveModel << '\n'
        << 125 << '\n'
        << header.multiplier << '\n'
        << header.channel << '\n'
        << header.valueCaption << '\n'
        << header.channelCaption << '\n';
    for (int sample : samples)
        out << sample << ',';
    out << '\n';
    out.flush();
    return text;
}

QString proposedName(const QString &folder, const QString &dateTime, const QString &driveModel)
{
    return folder + dateTime + driveModel + QStringLiteral("-PicData");
}

bool save(const QString &path, const QString &text, QString *error)
{
    return WholeFile::writeText(path, text, error, "UTF-8");
}

} // namespace SampleFile
