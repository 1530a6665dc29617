#include "simulatedmodel.h"

#include "simulateddrive.h"

namespace SimulatedModel {

void install(SimulatedDrive &drive, int family, int station)
{
    // One line per part of the model, in the order the parts were built.
    Q_UNUSED(drive)
    Q_UNUSED(family)
    Q_UNUSED(station)
}

} // namespace SimulatedModel
