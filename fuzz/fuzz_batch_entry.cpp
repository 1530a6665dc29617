// Arbitrary bytes as an entry of the spectrum batch: the reader must never crash, take an entry
// only whole (four channel lines of a number and 1024 samples) and give back what it took when
// the entry is written out again. A whole entry made from the same bytes must be taken with its
// exact samples (32-bit, the extremes included), and with one field spoilt or beyond 32 bits
// it must be refused at that field's line, naming it.

#include "batchentry.h"
#include "fuzzcheck.h"

#include <QBuffer>
#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <string>

namespace {

// A reader that refused every entry, or wrapped its samples to 16 bits, would pass the checks
// on arbitrary bytes. Only the first bytes of the input shape the entry (reading 4096 samples
// costs more than all the rest of a run), and its text is built in a buffer kept from run to run.
void checkWholeEntry(const uint8_t *data, size_t size)
{
    constexpr size_t kShaping = 16;
    if (seenBefore(data, std::min(size, kShaping)))
        return;
    FuzzNumbers in(data, size, kShaping);
    const quint32 shape = in.next();
    const char *end = shape & 1 ? "\r\n" : "\n";
    const int spoiltLine = 1 + 2 * int(in.below(4));
    const int spoiltField = int(in.below(BatchEntry::kSamples + 1)); // 0: the line's number
    size_t spoiltAt = 0, spoiltSize = 0;

    static std::string text;
    text.clear();
    QVector<int> channels[4];
    for (int line = 1; line <= 8; ++line) {
        if (line % 2 == 0) {
            if (line < 8 || shape & 2) // the I/O lines are not read; the last one may be missing
                text.append(in.text(0).toStdString()).append(end);
            continue;
        }
        QVector<int> &values = channels[line / 2];
        values.reserve(BatchEntry::kSamples + 1);
        if (shape & 4)
            text.append("\t"); // empty fields are passed over
        for (int field = 0; field <= BatchEntry::kSamples; ++field) {
            const quint32 pick = in.next();
            const int value = field == 0 ? line : in.anyWidth();
            values.append(value);
            if (field > 0)
                text.append(pick % 64 == 0 ? "\t\t" : "\t");
            if (line == spoiltLine && field == spoiltField)
                spoiltAt = text.size();
            text.append(std::to_string(value));
            if (line == spoiltLine && field == spoiltField)
                spoiltSize = text.size() - spoiltAt;
        }
        text.append(shape & 8 ? "\t" : "").append(end);
    }

    QByteArray bytes = QByteArray::fromRawData(text.data(), int(text.size()));
    QBuffer buffer(&bytes);
    buffer.open(shape & 16 ? QIODevice::ReadOnly | QIODevice::Text : QIODevice::ReadOnly);
    const BatchEntry::Entry entry = BatchEntry::read(&buffer);
    require(entry.ok());
    for (int i = 0; i < 4; ++i)
        require(entry.channels[i] == channels[i]);

    // The spoilt field: a letter after it, or a number beyond 32 bits.
    const quint32 spoil = in.next();
    std::string field = text.substr(spoiltAt, spoiltSize) + 'x';
    if (spoil & 1) {
        const qint64 beyond = 2147483648LL + qint64(in.below(1000000000u));
        field = std::to_string(spoil & 2 ? beyond : -beyond - 1);
    }
    text.replace(spoiltAt, spoiltSize, field);
    QByteArray spoiltBytes = QByteArray::fromRawData(text.data(), int(text.size()));
    QBuffer spoiltBuffer(&spoiltBytes);
    spoiltBuffer.open(QIODevice::ReadOnly);
    const BatchEntry::Entry refused = BatchEntry::read(&spoiltBuffer);
    require(refused.problem == BatchEntry::Problem::BadValue && refused.line == spoiltLine);
    require(refused.count == BatchEntry::kSamples && refused.field == QString::fromStdString(field));
    for (const QVector<int> &channel : refused.channels)
        require(channel.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkWholeEntry(data, size);
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
