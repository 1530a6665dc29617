#include "livetrend.h"

#include "framecodec.h"

#include <limits>

namespace LiveTrend {

namespace {

const Channel channels[] = {
    {"E000", 1, "Motor speed (min -1)", "电机转速(min -1)"},
    {"E001", 2, "Feedback pulse (Pulse)", "反馈脉冲(Pulse)"},
    {"E003", 2, "Input command pulse (Pulse)", "输入指令脉冲(Pulse)"},
    {"E005", 2, "Position deviation (command unit)", "位置偏差(指令单位)"},
    {"E007", 1, "Command speed (0.01V)", "指令速度(0.01V)"},
    {"E008", 1, "Command speed (min -1)", "指令速度(min -1)"},
    {"E009", 1, "Torque command (0.01V)", "转矩指令(0.01V)"},
};

// A word as the drive sent it; text that is no hex number reads as 0.
quint32 wordValue(const QString &word)
{
    bool ok = false;
    const uint value = word.toUInt(&ok, 16);
    return ok ? value : 0;
}

} // namespace

int channelCount()
{
    return int(sizeof(channels) / sizeof(channels[0]));
}

Channel channel(int index)
{
    return index >= 0 && index < channelCount() ? channels[index] : channels[0];
}

QStringList channelNames(bool chinese)
{
    QStringList names;
    for (const Channel &c : channels)
        names << QString::fromUtf8(chinese ? c.chineseName : c.englishName);
    return names;
}

QByteArray countText(int words)
{
    return QByteArray::number(words, 16).toUpper().rightJustified(4, '0');
}

bool decodeValue(const QVector<QString> &words, int wordCount, qint32 *value)
{
    if ((wordCount != 1 && wordCount != 2) || words.size() < wordCount)
        return false;
    if (wordCount == 1) {
        *value = qint16(quint16(wordValue(words.at(0)) & 0xFFFF));
        return true;
    }
    // The high word is the second register.
    *value = FrameCodec::join32(quint16(wordValue(words.at(0))), quint16(wordValue(words.at(1))));
    return true;
}

void ValueHistory::append(qint32 value)
{
    m_values.push_back(value);
    while (int(m_values.size()) > m_limit)
        m_values.pop_front();
}

QVector<qint32> ValueHistory::values() const
{
    return QVector<qint32>(m_values.begin(), m_values.end());
}

SilentReads::Note SilentReads::count(bool answered)
{
    if (answered) {
        const bool wasNoted = noted();
        m_missed = 0;
        return wasNoted ? Note::Hide : Note::Unchanged;
    }
    // The note comes once, however long the silence lasts.
    return ++m_missed == m_limit ? Note::Show : Note::Unchanged;
}

double keepFromKey(int count, double lastKey)
{
    if (count < KeptPoints + TrimBatch)
        return -std::numeric_limits<double>::infinity();
    return lastKey - KeptPoints + 1;
}

QString fileText(const QString &stamp, const QString &driveModel, const QString &settingsLabel,
                 const QString &channelText, const QString &dataLabel, const QVector<qint32> &values)
{
    QString text;
    text.reserve(128 + values.size() * 8);
    for (const QString &line : {stamp, driveModel, settingsLabel, channelText, dataLabel})
        text += line + QLatin1Char('\n');
    for (qint32 v : values)
        text += QString::number(v) + QLatin1Char(',');
    text += QLatin1Char('\n');
    return text;
}

} // namespace LiveTrend
