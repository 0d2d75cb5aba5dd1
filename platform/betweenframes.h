#pragma once

#include <QWidget>

#include <functional>

namespace platform {

// Hides a window between two of its frames. On Wayland, Qt 6.4 keeps the callback that tells
// a window its frame is on screen on an event thread of its own, which releases the callback
// as it arrives without a lock; hiding the window releases it too, from the main thread, and
// when both happen at once the program aborts inside the Wayland client library. So on
// Wayland the window paints no more and asks for its next update, which Qt delivers once no
// frame of it is in flight, and `hide` runs there; input waits meanwhile. A window that gets
// no update within a second (a compositor that stopped sending it frames) is hidden then.
// Anywhere else, and for a window that is not shown, `hide` runs at once. Either way the
// window is hidden on return.
void hideBetweenFrames(QWidget& window, const std::function<void()>& hide);

// A window whose every hide, whoever asks for it, waits as hideBetweenFrames does.
template <typename Window> class HidesBetweenFrames : public Window {
public:
    using Window::Window;

    void setVisible(bool visible) override
    {
        if (visible)
            Window::setVisible(true);
        else
            hideBetweenFrames(*this, [this] { Window::setVisible(false); });
    }
};

} // namespace platform
