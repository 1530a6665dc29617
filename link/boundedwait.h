#ifndef BOUNDEDWAIT_H
#define BOUNDEDWAIT_H

#include <functional>

// The one wait for the drive. It keeps the event loop turning (so the reply and other
// windows' slots still run) but sleeps between events instead of spinning a core.
namespace BoundedWait {

// Returns as soon as done() is true, or after limitMs; returns done() at that moment.
bool until(const std::function<bool()> &done, int limitMs);

// Waits a fixed time with events processed.
void pause(int ms);

} // namespace BoundedWait

#endif // BOUNDEDWAIT_H
