// Answer words from the drive as the monitor, the drive-information window and the jog control
// decode them, and field texts as the jog control checks them: whatever comes, no crash, and a
// value is produced only for an answer that fits.

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>
#include <cstdlib>

#include "controlcoding.h"
#include "driveinfodecoding.h"
#include "monitordecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    QVector<QString> words;
    for (int i = 0; i < text.size() && words.size() < 4; i += 4)
        words.append(text.mid(i, 4));

    for (int type = 0; type <= 4; ++type) {
        const QVariant value = MonitorDecoding::decode(type, words);
        if (value.isValid() && words.size() != MonitorDecoding::wordsOf(type))
            abort();
    }
    MonitorDecoding::registerOf(text);
    for (int step = 0; step <= 16; ++step)
        DriveInfoDecoding::decode(step, words.value(0));
    int number = 0;
    ControlCoding::signedWord(words.value(0), &number);
    qint64 field = 0;
    if (ControlCoding::parseField(text, 0, 1073741824, &field)) {
        if (field < 0 || field > 1073741824 || ControlCoding::twoWordData(field).size() != 14)
            abort();
    }
    return 0;
}
