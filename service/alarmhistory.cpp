#include "alarmhistory.h"

#include <QFile>
#include <QTextCodec>

#include "auxcoding.h"

namespace AlarmHistory {

QByteArray timeRegister(int entry)
{
    return AuxCoding::hexWord(0xE32A + 2 * entry);
}

QByteArray codeRegister(int entry)
{
    return AuxCoding::hexWord(0xE300 + entry);
}

QString codeText(const QString &word)
{
    quint16 value = 0;
    if (!AuxCoding::wordValue(word, &value) || value == 0)
        return QStringLiteral("-");
    return QStringLiteral("E.") + QString::fromLatin1(AuxCoding::hexWord(value).right(3));
}

QString timeText(const QVector<QString> &words)
{
    qint32 tenths = 0;
    if (!AuxCoding::signed32(words, &tenths) || tenths == 0)
        return QStringLiteral("-");
    // Fixed notation: a running time of a million seconds keeps all its digits.
    return QString::number(double(tenths) / 10.0, 'f', 1);
}

QString cellText(const QVector<QString> &words)
{
    if (words.size() == 1)
        return codeText(words.first());
    if (words.size() == 2)
        return timeText(words);
    return QString();
}

Current currentAlarm(const QString &word)
{
    Current current;
    quint16 value = 0;
    current.valid = AuxCoding::wordValue(word, &value);
    current.present = current.valid && value != 0;
    if (current.present)
        current.code = codeText(word);
    return current;
}

Table parseTable(const QByteArray &bytes, bool gbk)
{
    Table table;
    QTextCodec *codec = QTextCodec::codecForName(gbk ? "GBK" : "UTF-8");
    if (!codec) {
        table.error = QStringLiteral("GBK decoder missing");
        return table;
    }
    const QString text = codec->toUnicode(bytes);
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        const int comma = line.indexOf(QLatin1Char(','));
        if (comma <= 0)
            continue;
        const QString code = line.left(comma).trimmed();
        const QString description = line.mid(comma + 1).trimmed();
        if (!description.isEmpty() && !table.texts.contains(code))
            table.texts.insert(code, description);
    }
    return table;
}

Table loadTable(int language)
{
    QFile file(language != 0 ? QStringLiteral(":/Alarm.txt") : QStringLiteral(":/Alarm_EN.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        Table table;
        table.error = file.errorString();
        return table;
    }
    return parseTable(file.readAll(), language != 0);
}

} // namespace AlarmHistory
