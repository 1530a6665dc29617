// Answer words from the drive as the monitor, the drive-information window and the jog control
// decode them, and field texts as the jog control checks them: whatever comes, no crash, a value
// only for an answer that fits, and every decoded word within its type's range.

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>
#include <cstdlib>

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
    return 0;
}
