#include "actionenabling.h"

namespace ActionEnabling {

namespace {

constexpr Settings allOn{On, On, On, On, On, On, On};
// The VR family never has the motor-parameter action switched on by an event: it also needs
// the access level.
constexpr Settings vrOnline{On, On, Keep, On, On, On, On};
constexpr Settings allOff{Off, Off, Off, Off, Off, Off, Off};
// With the HXQ family only the live trend may be used, and only while a port is open.
constexpr Settings hxqTrendOnly{Off, Off, Off, Off, Off, On, Off};

} // namespace

Settings settingsFor(Event event, int family)
{
    const bool vr = family == 0;
    switch (event) {
    case Construction: {
        Settings s = allOn;
        s[MotorParameter] = Off;
        return s;
    }
    case OnlineChosen:
    case PortOpened:
        return vr ? vrOnline : hxqTrendOnly;
    case OfflineChosen:
        return vr ? Settings{On, On, Keep, On, On, Off, Off} : allOff;
    case PortClosed:
    case LinkGivenUp:
        return vr ? Settings{Off, Off, Keep, Off, On, Off, Off} : allOff;
    case WindowShown:
        // The HXQ live trend stays as the link left it: on with a drive online.
        return vr ? vrOnline : Settings{Off, Off, Off, Off, Off, Keep, Off};
    case DriveAnswered:
        return vr ? vrOnline : hxqTrendOnly;
    }
    return Settings{Keep, Keep, Keep, Keep, Keep, Keep, Keep};
}

Setting motorParameterAfterPassword(bool accepted, int family, bool driveAnswered)
{
    if (family != 0 || !driveAnswered)
        return Keep;
    return accepted ? On : Off;
}

Reason reasonDisabled(Action action, bool enabled, int family)
{
    if (enabled)
        return NoReason;
    // The live trend is the one drive window the HXQ family has; it waits for the link.
    if (action == Dynamic)
        return NoLink;
    if (family != 0)
        return VrFamilyOnly;
    return action == MotorParameter ? NeedsPassword : NoLink;
}

} // namespace ActionEnabling
