#ifndef MOTIONGUARD_H
#define MOTIONGUARD_H

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// Keeps a motion window's stop control reachable. A modal window that opens elsewhere in
// the tool (the monitor, a message box of another window, a file dialog) would take the
// input away from the window that started the motion, so its Stop or Break could no longer
// be pressed. The guard sees such a window appear and stops the motion first.
//
// Widgets inside the watched window do not count. An application-modal message box or dialog
// is a window of its own, so it counts whoever opened it, the watched window's own ones
// included: while one is up, the Stop beneath it cannot be pressed either.
class MotionGuard : public QObject
{
    Q_OBJECT

public:
    // motionMayRun tells whether something the window started may keep the motor moving;
    // stopMotion stops it (and tells the user in the window's own way).
    MotionGuard(QWidget *window, std::function<bool()> motionMayRun,
                std::function<void()> stopMotion);
    ~MotionGuard() override;

    // True when a modal window of the tool other than the watched window's own is showing.
    static bool isForeignModal(const QWidget *window, const QWidget *shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> window;
    std::function<bool()> motionMayRun;
    std::function<void()> stopMotion;
    bool stopping = false;
};

#endif // MOTIONGUARD_H
