#include "parametercatalogue.h"

#include <QFile>

namespace ParameterCatalogue {

QString resource(int family, int language)
{
    if (family == 0)
        return language == 0 ? QStringLiteral(":/English_New.txt") : QStringLiteral(":/defaults_New.txt");
    return language == 0 ? QStringLiteral(":/English_t.txt") : QStringLiteral(":/defaults.txt");
}

QString readText(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    file.close();
    return QString::fromUtf8(bytes);
}

QVector<QPair<int, int>> groupRanges(int family)
{
    if (family == 0)
        return { {0, 15}, {16, 39}, {40, 50}, {51, 65}, {66, 93}, {94, 136}, {137, -1} };
    if (family == 1)
        return { {0, 25}, {26, 67}, {68, 94}, {95, 113}, {114, 132}, {133, 174}, {175, -1} };
    return {};
}

} // namespace ParameterCatalogue
