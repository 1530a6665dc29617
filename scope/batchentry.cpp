#include "batchentry.h"
#include "lineend.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace BatchEntry {

namespace {

constexpr int kLastChannelLine = 7;

Entry refuse(Problem problem, int line, int count = 0, const QString &field = QString())
{
    Entry entry;
    entry.problem = problem;
    entry.line = line;
    entry.count = count;
    entry.field = field;
    return entry;
}

} // namespace

Entry read(QIODevice *device)
{
    Entry entry;
    QTextStream in(device);
    for (int line = 1; line <= kLastChannelLine; ++line) {
        const QString text = in.atEnd() ? QString() : in.readLine(kMaxLineLength + 1);
        if (text.size() > kMaxLineLength)
            return refuse(Problem::TooLong, line);
        if (line % 2 == 0)
            continue; // the I/O lines are not analysed
        const QStringList fields = text.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        const int samples = qMax(0, fields.size() - 1);
        if (samples != kSamples)
            return refuse(Problem::WrongCount, line, samples);
        QVector<int> &values = entry.channels[line / 2];
        values.reserve(fields.size());
        for (const QString &field : fields) {
            bool ok = false;
            values.append(field.toInt(&ok, 10));
            if (!ok)
                return refuse(Problem::BadValue, line, samples, field);
        }
        // Line 8 follows line 7 in every quick-change file: a text that stops inside a channel
        // line may have cut its last sample short.
        if (in.atEnd() && !LineEnd::endsWithOne(device))
            return refuse(Problem::EndsInsideLine, line, samples);
    }
    return entry;
}

Entry readText(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    return read(&buffer);
}

QString describe(const Entry &entry, const QString &name)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("BatchEntry", text); };
    const QString line = QString::number(entry.line);
    const QString samples = QString::number(kSamples);
    switch (entry.problem) {
    case Problem::None:
        break;
    case Problem::WrongCount:
        return tr("数据长度不对: %1 第 %2 行有 %3 个采样点，应为 %4 个")
            .arg(name, line, QString::number(entry.count), samples);
    case Problem::TooLong:
        return tr("数据长度不对: %1 第 %2 行超过 %3 个采样点").arg(name, line, samples);
    case Problem::BadValue:
        return tr("%1 第 %2 行的数值无效: %3").arg(name, line, entry.field.left(40));
    case Problem::EndsInsideLine:
        return tr("%1 第 %2 行：文件在这一行中间结束").arg(name, line);
    }
    return QString();
}

} // namespace BatchEntry
