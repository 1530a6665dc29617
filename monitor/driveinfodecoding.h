#ifndef DRIVEINFODECODING_H
#define DRIVEINFODECODING_H

#include <QByteArray>
#include <QString>
#include <QVector>

// The fifteen identity and rating registers of the drive-information window and how each
// answer word reads. No widgets; the texts that are translated go through the "Versions"
// context.
namespace DriveInfoDecoding {

struct Step {
    QByteArray address; // register, hex word text
    int waitMs;         // the step's wait limit
    const char *field;  // object name of the line edit it fills
};

// Steps 1 to 15 in reading order (index 0 is step 1).
const QVector<Step> &steps();

enum class Picture { Unchanged, First, Second };

struct Shown {
    bool setText = false;  // false: the field keeps its text
    QString text;
    Picture picture = Picture::Unchanged; // step 4 only: which drive picture to show
};

// The answer word of a step (1 to 15), decoded. A word that is not four hex digits, or a
// step outside 1 to 15, changes nothing.
Shown decode(int step, const QString &word);

// "0103" -> "V1.03", "1203" -> "V12.03", "0010" -> "V0.10".
QString versionText(const QString &word);

} // namespace DriveInfoDecoding

#endif // DRIVEINFODECODING_H
