#include "choicefiles.h"

#include <QSettings>

namespace ChoiceFiles {

int readIniInt(const QString &file, const QString &key)
{
    const QSettings settings(file, QSettings::IniFormat);
    return settings.value(key).toInt();
}

int languageChoice()
{
    return readIniInt(QStringLiteral("language.ini"), QStringLiteral("config/languageChoose"));
}

int driverChoice()
{
    return readIniInt(QStringLiteral("driver.ini"), QStringLiteral("config/DriverChoose"));
}

} // namespace ChoiceFiles

int readLanguageChoice()
{
    return ChoiceFiles::languageChoice();
}
