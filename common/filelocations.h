#ifndef FILELOCATIONS_H
#define FILELOCATIONS_H

#include <QString>

// Where the file dialogs of the windows open and what a chosen name becomes: the folder of the
// last file saved or loaded ("LastFilePath" in a settings file) and the suffix a save dialog
// adds when the user typed a name without it.
namespace FileLocations {

// The settings file most windows keep "LastFilePath" in: "./Setting.ini".
QString settingsFile();

// The folder of a chosen file, up to and with its last "/"; empty for a bare file name.
QString folderOf(const QString &filePath);

// "LastFilePath" of `iniFile`: a folder ending with "/", empty at first.
QString lastFilePath(const QString &iniFile = settingsFile());
// Stores the folder of `filePath` as "LastFilePath" of `iniFile`.
void storeLastFilePath(const QString &filePath, const QString &iniFile = settingsFile());

// The path with `suffix` (".csv") added when it does not end with it already, in either case;
// an empty path (a cancelled dialog) stays empty.
QString withSuffix(const QString &path, const QString &suffix);

} // namespace FileLocations

#endif // FILELOCATIONS_H
