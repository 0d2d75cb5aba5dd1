#include "platform/betweenframes.h"

#include "platform/wayland.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <utility>

namespace platform {
namespace {

using namespace std::chrono_literals;

// A compositor that stops sending frames (to a minimized window, say) is not waited for
// longer than this; a loaded one sends its next frame well within it.
constexpr auto longestWait = 500ms;

// Runs `hide` on the window's update request, in place of the repaint it would bring. A frame
// the window painted while waiting for it may still be in flight then; the window asks again,
// and Qt answers once that frame is on screen.
class HideOnUpdate : public QObject {
public:
    HideOnUpdate(QWidget& window, QWindow& handle, const std::function<void()>& hide,
                 QEventLoop& loop)
        : window_(window), handle_(handle), hide_(hide), loop_(loop)
    {
        qApp->installEventFilter(this);
        handle_.requestUpdate();
    }
    ~HideOnUpdate() override { qApp->removeEventFilter(this); }

    bool done() const { return done_; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (done_)
            return false;
        if (event->type() == QEvent::Paint) {
            if (auto* widget = qobject_cast<QWidget*>(watched);
                widget && widget->window() == &window_)
                painted_ = true;
            return false;
        }
        if (event->type() != QEvent::UpdateRequest || watched != &handle_)
            return false;
        if (std::exchange(painted_, false)) {
            handle_.requestUpdate();
            return true;
        }
        done_ = true;
        hide_();
        loop_.quit();
        return true;
    }

private:
    QWidget& window_;
    QWindow& handle_;
    const std::function<void()>& hide_;
    QEventLoop& loop_;
    bool painted_ = false;
    bool done_ = false;
};

// Windows waiting for their update; a second hide meanwhile does not wait again.
QSet<const QWidget*> waiting;

} // namespace

void hideBetweenFrames(QWidget& window, const std::function<void()>& hide)
{
    const QPointer<QWidget> shown = &window;
    QWindow* handle = window.windowHandle();
    if (!onWayland() || !window.isWindow() || !window.isVisible() || !handle ||
        waiting.contains(&window)) {
        hide();
        return;
    }
    waiting.insert(&window);
    bool done = false;
    {
        QEventLoop loop;
        HideOnUpdate hider(window, *handle, hide, loop);
        QTimer::singleShot(longestWait, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        done = hider.done();
    }
    waiting.remove(&window);
    if (shown && !done)
        hide();
}

} // namespace platform
