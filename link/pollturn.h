#ifndef POLLTURN_H
#define POLLTURN_H

#include <QObject>

#include <functional>

// The turn of a window that polls the drive: it asks for its next read only when its last one
// has ended (answered, refused or given up), and never waits for it inside the event loop. So
// the requests of several windows take turns on the line, and no window stacks reads of its own.
class PollTurn : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Runs send(), which emits one request to the link, unless the last one asked has not ended
    // yet. True when the link took the request: ended() follows once the link has finished with
    // it. limitMs asks the link to keep it on the line at least that long (0: the link's own).
    bool ask(const std::function<void()> &send, int limitMs = 0);
    // A request was asked and has not ended yet.
    bool waiting() const { return m_ticket != 0; }
    // Forgets the request asked (the window stopped polling): taken back if it still waits its
    // turn, no ended() comes for it, and the next ask() may send at once.
    void drop();

signals:
    void ended();

private:
    quint64 m_ticket = 0;
};

#endif // POLLTURN_H
