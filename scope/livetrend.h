#ifndef LIVETREND_H
#define LIVETREND_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <deque>

// The rules of the live trend, free of widgets: the drive variables it can show, how a reply's
// words become a value, the newest values kept for the file, how many plotted points stay,
// and the ".Dynamic" file layout.
namespace LiveTrend {

// One variable of the channel boxes: its first register and how many registers it spans.
struct Channel
{
    const char *address; // 4 upper-case hex digits
    int words;           // 1: signed 16-bit; 2: signed 32-bit, low word first
    const char *englishName;
    const char *chineseName;
};

int channelCount();
// The variable at a box position; a position outside the list gives the first one.
Channel channel(int index);
// The names in list order, as source texts (the window passes each through its tr()).
QStringList channelNames(bool chinese);
// "0001" or "0002".
QByteArray countText(int words);

// The value of a reply of `wordCount` words (the words in register order). False when the
// reply cannot belong to such a read (a count other than 1 or 2, or fewer words than asked);
// a word that is no hex number reads as 0.
bool decodeValue(const QVector<QString> &words, int wordCount, qint32 *value);

// The newest values, oldest first, at most `limit` of them.
class ValueHistory
{
public:
    static constexpr int DefaultLimit = 201;
    explicit ValueHistory(int limit = DefaultLimit) : m_limit(limit) {}

    void append(qint32 value);
    QVector<qint32> values() const;
    int size() const { return int(m_values.size()); }

private:
    int m_limit;
    std::deque<qint32> m_values;
};

// How many of the newest plotted points a graph keeps: the shown 100 and enough behind them for
// a rescale of the whole trend to show the last minute of 40 ms ticks. A tick then costs the
// same in the eighth hour as in the first.
constexpr int KeptPoints = 1500;
// Points are dropped in batches of this many, so that dropping costs little per tick.
constexpr int TrimBatch = 250;
// The lowest key to keep when a graph holds `count` points up to `lastKey`; no trimming is due
// (the result is below every key) until the graph holds KeptPoints + TrimBatch points.
double keepFromKey(int count, double lastKey);

// The reads in a row that the drive left unanswered, and the window's note that the drive is
// silent: the note comes with the limit-th silent read in a row and goes with the first answer
// after it.
class SilentReads
{
public:
    enum class Note { Unchanged, Show, Hide };
    explicit SilentReads(int limit) : m_limit(limit) {}

    Note count(bool answered);
    bool noted() const { return m_missed >= m_limit; }

private:
    int m_limit;
    int m_missed = 0;
};

// The ".Dynamic" text: time stamp, drive model, the channel-settings label, the channel's
// name, the data label, then every value followed by "," on one line; each line ends in "\n".
QString fileText(const QString &stamp, const QString &driveModel, const QString &settingsLabel,
                 const QString &channelText, const QString &dataLabel, const QVector<qint32> &values);

} // namespace LiveTrend

#endif // LIVETREND_H
