#include "filelocations.h"

#include <QSettings>

namespace FileLocations {

namespace {
const char lastPathKey[] = "LastFilePath";
}

QString settingsFile()
{
    return QStringLiteral("./Setting.ini");
}

QString folderOf(const QString &filePath)
{
    return filePath.left(filePath.lastIndexOf(QLatin1Char('/')) + 1);
}

QString lastFilePath(const QString &iniFile)
{
    return QSettings(iniFile, QSettings::IniFormat).value(QLatin1String(lastPathKey)).toString();
}

void storeLastFilePath(const QString &filePath, const QString &iniFile)
{
    QSettings(iniFile, QSettings::IniFormat).setValue(QLatin1String(lastPathKey), folderOf(filePath));
}

QString withSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || path.endsWith(suffix, Qt::CaseInsensitive))
        return path;
    return path + suffix;
}

} // namespace FileLocations
