#pragma once

// What every window the program shows is made of: a Qt window that takes no input while
// hidden, wrapped, while Qt needs it, in the workaround that hides it between two frames.

#include "platform/qtworkarounds/betweenframes.h"

#include <QWidget>
#include <QWindow>

namespace platform::desktop {

// What every window made through Window<...> also is, so that a check can tell a window made
// otherwise (a plain QMenu or QMessageBox) from ours.
class MadeAsWindow {
public:
    virtual ~MadeAsWindow() = default;
};

inline bool isMadeAsWindow(const QWidget* window)
{
    return dynamic_cast<const MadeAsWindow*>(window) != nullptr;
}

// A hidden window takes no keys or clicks: those that reach it after it hid (typed while it
// waited to hide, or before the window system moved the focus) are dropped, as they would be
// by a window the window system has already taken away.
void ignoreInputWhileHidden(QWindow* handle);

template <typename QtWindow> class TakesNoInputWhileHidden : public QtWindow, public MadeAsWindow {
public:
    using QtWindow::QtWindow;

    void setVisible(bool visible) override
    {
        QtWindow::setVisible(visible);
        if (visible)
            ignoreInputWhileHidden(this->windowHandle());
    }
};

// The window wrapper: Window<QMenu>, Window<QMessageBox> ... The day the workaround goes,
// this becomes TakesNoInputWhileHidden<QtWindow>.
template <typename QtWindow>
using Window = TakesNoInputWhileHidden<qtworkarounds::HidesBetweenFrames<QtWindow>>;

} // namespace platform::desktop
