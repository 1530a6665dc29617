#ifndef WINDOWSET_H
#define WINDOWSET_H

#include <memory>
#include <vector>

#include <QWidget>

#include "wiring.h"

// The tool's windows: each created once, without a parent, in the fixed order, with its
// quit-on-close attribute set right after creation; the numbered connections are made as the
// windows they join come into being. The windows are destroyed in the reverse order.
class WindowSet
{
public:
    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet &) = delete;
    WindowSet &operator=(const WindowSet &) = delete;

    const Windows &windows() const { return w; }
    // In creation order.
    const std::vector<QWidget *> &createdWindows() const { return order; }

private:
    enum QuitOnClose { QuitDefault, QuitOn, QuitOff };

    template <typename T>
    T *make(QuitOnClose quit)
    {
        auto window = std::make_unique<T>();
        T *raw = window.get();
        if (quit != QuitDefault)
            raw->setAttribute(Qt::WA_QuitOnClose, quit == QuitOn);
        order.push_back(raw);
        owned.push_back(std::move(window));
        return raw;
    }

    Windows w;
    std::vector<std::unique_ptr<QWidget>> owned;
    std::vector<QWidget *> order;
};

#endif // WINDOWSET_H
