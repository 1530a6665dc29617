#ifndef CHOICEFILES_H
#define CHOICEFILES_H

#include <QString>

// The small INI choices every window reads at the moment it needs them (no caching, so a
// choice written by one window is seen by the next read of another).
namespace ChoiceFiles {

// "language.ini", "config/languageChoose": 0 English, anything else Chinese.
int languageChoice();
// "driver.ini", "config/DriverChoose": 0 the VR family, 1 the HXQ family; anything else is 0.
int driverChoice();

// Stores the choices where the readers above find them; false when the file could not be written.
bool storeLanguageChoice(int language);
bool storeDriverChoice(int family);

// Reads an integer from an INI file; a missing file or key, or a text that is not a decimal int
// (beyond the int range included), gives 0.
int readIniInt(const QString &file, const QString &key);
// Writes an integer to an INI file; false when the file could not be written.
bool writeIniInt(const QString &file, const QString &key, int value);

} // namespace ChoiceFiles

// The program-wide reader main uses; windows carry their own member of the same name.
int readLanguageChoice();

#endif // CHOICEFILES_H
