#ifndef DRIVEMODEL_H
#define DRIVEMODEL_H

#include <QByteArray>
#include <QString>

// The rules of the station scan: which register tells the drive model, how its word
// becomes a model name, and how the two range fields become the stations asked.
// No widgets and no port, so each rule can be tested alone.
namespace DriveModel {

// Drive families as "driver.ini" stores them.
enum Family { VrFamily = 0, HxqFamily = 1 };

// The model register of a family ("C000" for the VR family, "0712" for the HXQ family);
// any family other than 0 is taken as the HXQ family.
QByteArray modelRegister(int family);

// The model name for the first word of the model reply (4 hex digits).
// VR family: "0010"/"0018" VR1P, "0011"/"0019" VR1E, "0012"/"001A" VR1M, any other word
// whose third digit is 3 VR2, anything else Others.
// HXQ family: the word as a number (0 when it is not one): up to 100 HXQ1, up to 200 HXQ-B1,
// above that others.
QString decodeModelName(int family, const QString &word);

// The family a model name (as decodeModelName gives it, ends trimmed) belongs to; -1 for an
// empty or unknown name.
int familyOfModel(const QString &name);
// Whether a model name (a file's model line, say) belongs to the other family than `family`
// (0 VR, any other value HXQ). An empty or unknown name belongs to neither.
bool isOfOtherFamily(const QString &name, int family);

// The lowest and highest station, 1..255.
constexpr int firstStation = 1;
constexpr int lastStation = 255;

// The scan range read from the two range fields. Each field is read as a decimal number
// (0 when it is not one; a whole number too long for an int lies beyond its end of the range)
// and clamped to 1..255; a clamped field gets its new text, the
// other keeps its own. The stations asked run from `from` to `to`, both included, whichever
// field holds the smaller number.
struct ScanRange
{
    int from = firstStation;
    int to = firstStation;
    QString startText; // what the start field shows after the clamp
    QString endText;   // what the end field shows after the clamp
};
ScanRange scanRange(const QString &startText, const QString &endText);

// A station as the two upper-case hex digits every frame carries (10 gives "0A").
QString stationDigits(int station);

} // namespace DriveModel

#endif // DRIVEMODEL_H
