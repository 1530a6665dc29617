#ifndef ACTIONENABLING_H
#define ACTIONENABLING_H

#include <array>

// Which of the main window's drive-dependent actions are on, by what happened, the drive
// family and the access level. Widget-free, so the whole table can be checked in one test.
namespace ActionEnabling {

// The seven actions the table switches; every other action of the main window stays enabled.
enum Action {
    Jog,            // action_Alarm
    Master,         // action_master
    MotorParameter, // action_motorParameter
    Monitor,        // action_monitor
    Analysis,       // action_Analysis
    Dynamic,        // action_Dynamic
    Version,        // action_version
    ActionCount
};

enum Event {
    Construction,
    OnlineChosen,     // offLineIsOk(true)
    OfflineChosen,    // offLineIsOk(false)
    PortOpened,       // isOpenSerialPlotOK(true)
    PortClosed,       // isOpenSerialPlotOK(false)
    WindowShown,      // showMainWindow()
    DriveAnswered,    // the poll's first answer after start or after misses
    LinkGivenUp       // the user answered No to the reconnect question
};

enum Setting { Keep, On, Off };

using Settings = std::array<Setting, ActionCount>;

// Family 0 is the VR family; every other value is the HXQ family.
Settings settingsFor(Event event, int family);

// The motor-parameter action after a password entry: only a VR drive that answered the last
// poll is switched (on when accepted, off when refused); otherwise nothing changes.
Setting motorParameterAfterPassword(bool accepted, int family, bool driveAnswered);

// Why a disabled action is off, for its tool tip.
enum Reason {
    NoReason,       // the action is on
    VrFamilyOnly,   // the window serves the VR family only
    NoLink,         // it needs a drive on the link
    NeedsPassword   // the motor data: the raised access level and an answering VR drive
};

Reason reasonDisabled(Action action, bool enabled, int family);

} // namespace ActionEnabling

#endif // ACTIONENABLING_H
