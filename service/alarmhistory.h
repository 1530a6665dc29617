#ifndef ALARMHISTORY_H
#define ALARMHISTORY_H

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>

// The drive's alarm history as the alarm dialog shows it, widget-free: where the ten entries
// and the current alarm sit, how their words read, and the alarm-text tables.
namespace AlarmHistory {

const int EntryCount = 10;

// Entry k: its time in two registers from E32A + 2k (low word first), its code in E300 + k.
QByteArray timeRegister(int entry);
QByteArray codeRegister(int entry);
inline QByteArray currentAlarmRegister() { return QByteArrayLiteral("E30A"); }

// An alarm code word: "E." and its last three hex digits ("0552" gives "E.552", "00A0" gives
// "E.0A0"); "-" for 0 or for a word that is no register word.
QString codeText(const QString &word);
// An alarm time (two words, low first, a signed count of 0.1 s) in seconds with one decimal; "-" for 0 or for words that are not two register words.
QString timeText(const QVector<QString> &words);
// The text of a history cell made from a reply: one word is a code, two words a time; any
// other count gives a null string (the cell stays empty).
QString cellText(const QVector<QString> &words);
// The current alarm word.
struct Current
{
    bool valid = false;   // false for a word that is no register word
    bool present = false; // false when the word reads 0: no alarm
    QString code;         // the code text when present
};
Current currentAlarm(const QString &word);

// One alarm-text table: code to text.
struct Table
{
    QHash<QString, QString> texts;
    QString error; // empty when the table was read
};
// A table's bytes: one alarm a line, the code and the text separated by a comma; the Chinese
// table is GBK, the English one ASCII. Line ends CRLF or LF; blank lines are passed over.
Table parseTable(const QByteArray &bytes, bool gbk);
// The table of a language choice (0 English ":/Alarm_EN.txt", else Chinese ":/Alarm.txt").
Table loadTable(int language);

} // namespace AlarmHistory

#endif // ALARMHISTORY_H
