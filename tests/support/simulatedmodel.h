#ifndef SIMULATEDMODEL_H
#define SIMULATEDMODEL_H

class SimulatedDrive;

// Everything a drive of one family is, put on a SimulatedDrive: each part of the model
// (parameters and their mailboxes, live variables, sampler, motor, service functions, ...)
// sets its registers and adds its own hooks, and is kept by the drive
// (SimulatedDrive::keepPart), so that a test finds it again with drive.part<Part>(station).
// The tests, the benchmarks and tavrilon-simdrive all install the same model.
namespace SimulatedModel {

// family: 0 = VR, 1 = HXQ (as in "driver.ini").
void install(SimulatedDrive &drive, int family, int station = 1);

} // namespace SimulatedModel

#endif // SIMULATEDMODEL_H
