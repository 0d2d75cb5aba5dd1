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

// How long Qt itself waits for a frame before it takes a window for not drawing.
constexpr auto longestFrame = 100ms;

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
    QEventLoop loop;
    HideOnUpdate hider(hide, loop);
    handle->installEventFilter(&hider);
    handle->requestUpdate();
    QTimer::singleShot(longestFrame, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (handle)
        handle->removeEventFilter(&hider);
    waiting.remove(&window);
    if (shown && !hider.done())
        hide();
}

} // namespace platform
