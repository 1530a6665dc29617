#include "choicefiles.h"

#include <QSettings>

namespace ChoiceFiles {

namespace {
const char languageFile[] = "language.ini";
const char languageKey[] = "config/languageChoose";
const char driverFile[] = "driver.ini";
const char driverKey[] = "config/DriverChoose";
} // namespace

int readIniInt(const QString &file, const QString &key)
{
    const QSettings settings(file, QSettings::IniFormat);
    // Strictly a decimal int: a number beyond the int range is not cut down to some other one.
    bool ok = false;
    const int value = settings.value(key).toString().trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

bool writeIniInt(const QString &file, const QString &key, int value)
{
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

int languageChoice()
{
    return readIniInt(QString::fromLatin1(languageFile), QString::fromLatin1(languageKey));
}

int driverChoice()
{
    // Only the two families exist; any other value reads as the default, the VR family.
    const int family = readIniInt(QString::fromLatin1(driverFile), QString::fromLatin1(driverKey));
    return family == 1 ? 1 : 0;
}

bool storeLanguageChoice(int language)
{
    return writeIniInt(QString::fromLatin1(languageFile), QString::fromLatin1(languageKey), language);
}

bool storeDriverChoice(int family)
{
    return writeIniInt(QString::fromLatin1(driverFile), QString::fromLatin1(driverKey), family);
}

} // namespace ChoiceFiles

int readLanguageChoice()
{
    return ChoiceFiles::languageChoice();
}
