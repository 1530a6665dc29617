#ifndef AFTERWAITS_H
#define AFTERWAITS_H

#include <functional>

class QObject;

// What must not run inside a wait for the drive. A box opened in a slot the link calls (an
// answer, the end of a request, a poll's turn), or in anything that may run inside another
// window's wait, would hold the link and whoever waits beneath it (the command file, an
// operation) until someone closes it. It goes through here instead: run from the event loop
// once no wait runs.
namespace AfterWaits {

// Runs fn from the event loop once no wait runs, in the order asked; nothing runs once
// receiver is gone.
void run(QObject *receiver, std::function<void()> fn);

// The waits' side: one starts, one ends (nested ones count).
void enter();
void leave();

} // namespace AfterWaits

#endif // AFTERWAITS_H
