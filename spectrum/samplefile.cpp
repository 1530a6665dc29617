#include "samplefile.h"
#include "wholefile.h"

#include <QBuffer>
#include <QStringList>
#include <QTextStream>

namespace SampleFile {

namespace {

int decimalOrZero(const QString &field)
{
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

Contents read(QIODevice *device)
{
    Contents contents;
    QTextStream in(device);
    in.setCodec("UTF-8");
    int lineNumber = 0;
    while (!in.atEnd() && lineNumber < 8) {
        const QString line = in.readLine();
        ++lineNumber;
        if (lineNumber != 4 && lineNumber != 8)
            continue;
        const QStringList fields = line.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (lineNumber == 4) {
            if (!fields.isEmpty()) {
                contents.hasMultiplier = true;
                contents.multiplier = decimalOrZero(fields.first());
            }
            continue;
        }
        if (fields.size() > kMaxSamples) {
            contents.status = Contents::TooManySamples;
            return contents;
        }
        contents.samples.reserve(fields.size());
        for (const QString &field : fields)
            contents.samples.append(decimalOrZero(field));
    }
    contents.status = contents.samples.isEmpty() ? Contents::NoSamples : Contents::Ok;
    return contents;
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
