// Arbitrary bytes as an entry of the spectrum batch: the reader must never crash, take an entry
// only whole (four channel lines of a number and 1024 samples) and give back what it took when
// the entry is written out again.

#include "batchentry.h"
#include "fuzzcheck.h"

#include <QBuffer>
#include <QByteArray>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    const BatchEntry::Entry entry = BatchEntry::read(&buffer);

    if (!entry.ok()) {
        require(entry.line >= 1 && entry.line <= 7);
        for (const QVector<int> &channel : entry.channels)
            require(channel.isEmpty());
        require(!BatchEntry::describe(entry, QStringLiteral("e")).isEmpty());
        return 0;
    }
    QStringList lines;
    for (const QVector<int> &channel : entry.channels) {
        require(channel.size() == BatchEntry::kSamples + 1);
        QString line;
        for (int value : channel)
            line += QString::number(value) + QLatin1Char('\t');
        lines << line << QStringLiteral("0\t");
    }
    const BatchEntry::Entry back = BatchEntry::readText(lines.join(QLatin1Char('\n')));
    require(back.ok());
    for (int i = 0; i < 4; ++i)
        require(back.channels[i] == entry.channels[i]);
    return 0;
}
