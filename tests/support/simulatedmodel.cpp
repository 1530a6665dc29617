#include "simulatedmodel.h"

#include "driveparameters.h"
#include "drivestate.h"
#include "simauxiliary.h"
#include "simmotor.h"
#include "simlive.h"
#include "simmotordata.h"
#include "simulateddrive.h"
#include "simsampler.h"
#include "simspectrumsampler.h"
#include "variablemailbox.h"

#include <memory>

// The catalogues are resources; a program that does not list the resource library itself
// still finds them.
static void loadCatalogues()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(catalogue);
        return true;
    }();
    Q_UNUSED(loaded)
}

namespace {

// Makes a part, installs it on the station and lets the drive keep it.
template <class Part, class... Args>
void add(SimulatedDrive &drive, int station, Args... args)
{
    auto part = std::make_shared<Part>(args...);
    part->install(drive, station);
    drive.keepPart(part, station);
}

} // namespace

namespace SimulatedModel {

void install(SimulatedDrive &drive, int family, int station)
{
    loadCatalogues();
    family = family == 0 ? 0 : 1;
    // One line per part of the model, in the order the parts were built.
    add<DriveParameters>(drive, station, family);
    add<DriveState>(drive, station, family);
    add<VariableMailbox>(drive, station);
    add<SimSampler>(drive, station, family);
    add<SimLiveVariables>(drive, station, family);
    add<SimAuxiliary>(drive, station, family);
    add<SimSpectrumSampler>(drive, station, family);
    if (family == 0) add<SimMotorData>(drive, station); // motor data, execute, initialisation, test run
    add<SimMotor>(drive, station, family);
}

} // namespace SimulatedModel
