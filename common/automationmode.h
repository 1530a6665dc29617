#ifndef AUTOMATIONMODE_H
#define AUTOMATIONMODE_H

// Whether the command file's automatic mode is on. The automation window switches it; the
// windows that would otherwise stop and ask a person (a message box, a file dialog) read it,
// so that an unattended outside program is never left waiting for someone to press OK.
namespace AutomationMode {

void setOn(bool on);
bool isOn();

} // namespace AutomationMode

#endif // AUTOMATIONMODE_H
