// Answer words from the drive as the monitor, the drive-information window and the jog control
// decode them, and field texts as the jog control checks them: whatever comes, no crash, a value
// only for an answer that fits, and every decoded word within its type's range. Words made
// well-formed from the same bytes must decode, to the value they hold.

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "controlcoding.h"
#include "fuzzcheck.h"
#include "driveinfodecoding.h"
#include "monitordecoding.h"

namespace {

bool isWord(const QString &word)
{
    bool ok = false;
    word.toUInt(&ok, 16);
    return ok && word.size() == 4;
}

QString hexWord(quint32 value, bool lowerCase)
{
    const QString word = QStringLiteral("%1").arg(value & 0xFFFFu, 4, 16, QLatin1Char('0'));
    return lowerCase ? word : word.toUpper();
}

// A decoder that refused every answer would pass the checks on arbitrary words: these words are
// what a drive sends, and each reader must take them.
void checkWellFormed(const uint8_t *data, size_t size)
{
    quint32 raw = 0;
    if (size > 0)
        std::memcpy(&raw, data, size < 4 ? size : 4);
    const bool lowerCase = size > 4 && (data[4] & 1);
    const QString low = hexWord(raw, lowerCase);
    const QString high = hexWord(raw >> 16, lowerCase);

    require(MonitorDecoding::decode(MonitorDecoding::Signed16, {low}) == QVariant(int(qint16(raw))));
    require(MonitorDecoding::decode(MonitorDecoding::Signed32, {low, high}) == QVariant(int(qint32(raw))));
    QString bits;
    for (int bit = 0; bit < 8; ++bit)
        bits += (raw >> bit) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    require(MonitorDecoding::decode(MonitorDecoding::BitRow, {low}) == QVariant(bits));

    // The steps that show any word: versions, powers, ratio, speeds, torque and currents.
    for (int step : {1, 2, 3, 5, 7, 9, 11, 12, 13, 14, 15})
        require(DriveInfoDecoding::decode(step, low).setText);

    int number = 0;
    require(ControlCoding::signedWord(low, &number) && number == qint16(raw));
    require(ControlCoding::unsignedWord(low, &number) && number == int(raw & 0xFFFFu));
    const qint64 typed = raw % 1073741825u;
    qint64 field = -1;
    require(ControlCoding::parseField(QString::number(typed), 0, 1073741824, &field) && field == typed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    QVector<QString> words;
    for (int i = 0; i < text.size() && words.size() < 4; i += 4)
        words.append(text.mid(i, 4));

    for (int type = 0; type <= 4; ++type) {
        const QVariant value = MonitorDecoding::decode(type, words);
        if (!value.isValid())
            continue;
        require(words.size() == MonitorDecoding::wordsOf(type));
        for (const QString &word : words)
            require(isWord(word));
        if (type == MonitorDecoding::Signed16) {
            require(value.toInt() >= -32768 && value.toInt() <= 32767);
        } else if (type == MonitorDecoding::Signed32) {
            require(value.toInt() == MonitorDecoding::join32(words.at(0), words.at(1)));
        } else {
            const QString bits = value.toString();
            require(bits.size() == 8 && bits.count(QLatin1Char('0')) + bits.count(QLatin1Char('1')) == 8);
        }
    }
    MonitorDecoding::registerOf(text);
    for (int step = 0; step <= 16; ++step) {
        if (DriveInfoDecoding::decode(step, words.value(0)).setText)
            require(step >= 1 && step <= 15 && isWord(words.value(0)));
    }
    int number = 0;
    if (ControlCoding::signedWord(words.value(0), &number))
        require(number >= -32768 && number <= 32767);
    if (ControlCoding::unsignedWord(words.value(0), &number))
        require(number >= 0 && number <= 65535);
    qint64 field = 0;
    if (ControlCoding::parseField(text, 0, 1073741824, &field)) {
        if (field < 0 || field > 1073741824 || ControlCoding::twoWordData(field).size() != 14)
            abort();
    }
    checkWellFormed(data, size);
    return 0;
}
