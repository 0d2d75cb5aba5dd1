#include "platform/betweenframes.h"

#include "platform/wayland.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWindow>

#include <chrono>

namespace platform {
namespace {

using namespace std::chrono_literals;

// A compositor that stops sending frames (to a minimized window, say) is not waited for
// longer than this; a loaded one sends its next frame well within it.
constexpr auto longestWait = 1s;

// Runs `hide` on the window's next update request, in place of the repaint it would bring.
// Qt takes a window whose frame is a tenth of a second late for one not shown, and drops the
// update asked for; when the late frame comes, the window is shown again, and that is the
// moment instead.
class HideOnUpdate : public QObject {
public:
    HideOnUpdate(QWindow& handle, const std::function<void()>& hide, QEventLoop& loop)
        : handle_(handle), hide_(hide), loop_(loop)
    {
    }

    bool done() const { return done_; }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (done_)
            return false;
        if (event->type() == QEvent::Expose && !handle_.isExposed()) {
            frameLate_ = true;
            return false;
        }
        const bool frameCame = event->type() == QEvent::Expose && frameLate_;
        if (event->type() != QEvent::UpdateRequest && !frameCame)
            return false;
        done_ = true;
        hide_();
        loop_.quit();
        return true;
    }

private:
    QWindow& handle_;
    const std::function<void()>& hide_;
    QEventLoop& loop_;
    bool frameLate_ = false;
    bool done_ = false;
};

// Windows waiting for their update; a second hide meanwhile does not wait again.
QSet<const QWidget*> waiting;

} // namespace

void hideBetweenFrames(QWidget& window, const std::function<void()>& hide)
{
    const QPointer<QWidget> shown = &window;
    const QPointer<QWindow> handle = window.windowHandle();
    if (!onWayland() || !window.isWindow() || !window.isVisible() || !handle ||
        waiting.contains(&window)) {
        hide();
        return;
    }
    waiting.insert(&window);
    // A window that painted while it waited would have a new frame in flight; it is going
    // anyway, so it paints no more.
    const bool updates = window.updatesEnabled();
    window.setUpdatesEnabled(false);
    QEventLoop loop;
    HideOnUpdate hider(*handle, hide, loop);
    handle->installEventFilter(&hider);
    handle->requestUpdate();
    QTimer::singleShot(longestWait, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (handle)
        handle->removeEventFilter(&hider);
    waiting.remove(&window);
    if (!shown)
        return;
    if (!hider.done())
        hide();
    window.setUpdatesEnabled(updates);
}

} // namespace platform
