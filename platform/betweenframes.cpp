#include "platform/betweenframes.h"

#include "platform/wayland.h"

#include <QtGlobal>

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
class HideOnUpdate : public QObject {
public:
    HideOnUpdate(const std::function<void()>& hide, QEventLoop& loop) : hide_(hide), loop_(loop) {}

    bool done() const { return done_; }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() != QEvent::UpdateRequest || done_)
            return false;
        done_ = true;
        hide_();
        loop_.quit();
        return true;
    }

private:
    const std::function<void()>& hide_;
    QEventLoop& loop_;
    bool done_ = false;
};

// Windows waiting for their update; a second hide meanwhile does not wait again.
QSet<const QWidget*> waiting;

} // namespace

void waitForLateFrames()
{
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT"))
        qputenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT", "0"); // 0: no limit
}

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
    HideOnUpdate hider(hide, loop);
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
