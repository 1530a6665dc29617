#include "motionguard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

MotionGuard::MotionGuard(QWidget *window, std::function<bool()> motionMayRun,
                         std::function<void()> stopMotion)
    : QObject(window),
      window(window),
      motionMayRun(std::move(motionMayRun)),
      stopMotion(std::move(stopMotion))
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

MotionGuard::~MotionGuard()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool MotionGuard::isForeignModal(const QWidget *window, const QWidget *shown)
{
    if (!window || !shown || !shown->isWindow() || shown->windowModality() == Qt::NonModal)
        return false;
    if (shown == window || window->isAncestorOf(shown))
        return false;
    // A window-modal dialog of another window blocks only that window.
    return shown->windowModality() == Qt::ApplicationModal;
}

bool MotionGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && !stopping && watched->isWidgetType()) {
        auto *shown = static_cast<QWidget *>(watched);
        if (isForeignModal(window, shown) && motionMayRun && motionMayRun()) {
            stopping = true;
            stopMotion();
            stopping = false;
        }
    }
    return QObject::eventFilter(watched, event);
}
