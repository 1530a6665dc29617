#ifndef BOUNDEDWAIT_H
#define BOUNDEDWAIT_H

#include <QtGlobal>

#include <functional>

// The one wait for the drive. It keeps the event loop turning (so the reply and other
// windows' slots still run) but sleeps between events instead of spinning a core.
namespace BoundedWait {

// Returns as soon as done() is true, or after limitMs; returns done() at that moment.
bool until(const std::function<bool()> &done, int limitMs);

// Waits for the answer to the request just handed to the link (the last one it took): returns
// as soon as done() is true or the link has finished with that request (answered, refused or
// given up), and returns done() then. The request may first wait its turn behind other windows'
// requests: limitMs counts from when it goes on the line, and the link keeps it on the line at
// least that long (never shorter than the link's own limit for a slow drive).
bool forReply(const std::function<bool()> &done, int limitMs);
// The same for a request taken earlier (a poll whose answer comes to a slot).
bool forReply(const std::function<bool()> &done, int limitMs, quint64 ticket);

// Waits a fixed time with events processed.
void pause(int ms);


} // namespace BoundedWait

#endif // BOUNDEDWAIT_H
