#ifndef DRIVESTATUS_H
#define DRIVESTATUS_H

#include <QByteArray>
#include <QString>

// The drive's status word and alarm code as the main window's link-status poll reads them.
// Widget-free: the registers per family, the bits of the status word and the way an alarm
// code is written for the user.
namespace DriveStatus {

// Family 0 is the VR family; every other value is the HXQ family.
QByteArray statusRegister(int family); // "E31B" / "0660"
QByteArray alarmRegister(int family);  // "E30A" / "0630"

struct StatusWord
{
    bool valid = false;   // false when the word is not 1 to 4 hex digits
    quint16 value = 0;
    bool powerOn = false; // bit 5: the R/T (main circuit) power is on
    bool alarm = false;   // bit 15: an alarm is present
};

StatusWord decodeStatusWord(const QString &word);

// VR family: "E." and the last three digits of the word ("0123" gives "E.123").
// HXQ family: the word read as hex, written in decimal ("001E" gives "30").
// A word that is not 4 hex digits is returned as it stands, so the user still sees what came.
QString alarmCode(int family, const QString &word);

} // namespace DriveStatus

#endif // DRIVESTATUS_H
