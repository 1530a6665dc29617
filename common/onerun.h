#ifndef ONERUN_H
#define ONERUN_H

// One run at a time of a sequence of waited requests that a person starts (a button, a menu
// entry). The waits keep the event loop turning, so the entry can be pressed again inside them;
// a second run started there would take the first one's answers, since an answer names no
// request, only the field its window is waiting to fill. So the sequence runs under a OneRun on
// its window's flag, and a start while the flag is set starts nothing: the entry raises its
// window or refuses, as suits it.
class OneRun
{
public:
    // Sets `running` for as long as this lives, unless it was set already: then started() is
    // false, and the flag stays with the run that set it.
    explicit OneRun(bool &running)
        : m_running(running), m_started(!running)
    {
        m_running = true;
    }
    ~OneRun()
    {
        if (m_started)
            m_running = false;
    }
    OneRun(const OneRun &) = delete;
    OneRun &operator=(const OneRun &) = delete;

    bool started() const { return m_started; }

private:
    bool &m_running;
    const bool m_started;
};

#endif // ONERUN_H
