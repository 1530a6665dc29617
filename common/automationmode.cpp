#include "automationmode.h"

namespace AutomationMode {

namespace {
bool automatic = false; // GUI thread only
}

void setOn(bool on)
{
    automatic = on;
}

bool isOn()
{
    return automatic;
}

} // namespace AutomationMode
