#include "platform/qtworkarounds/betweenframes.h"

#include "platform/qtworkarounds/wayland.h"

#include <QEvent>
#include <QEventLoop>
#include <QHash>
#include <QLibraryInfo>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <chrono>

namespace platform::qtworkarounds {
namespace {

using namespace std::chrono_literals;

// A compositor that stops sending frames (to a minimized window, say) is not waited for
// longer than this; a loaded one sends its next frame well within it.
constexpr auto longestWait = 1s;
// A window the compositor does not show (a menu it dismissed at once, say) gets no frame
// until shown again; it is waited for only as long as Qt's own limit on a late frame.
constexpr auto shortWait = 100ms;

class PendingHide;
// Windows waiting for their moment to hide.
QHash<const QWidget*, PendingHide*> pendingHides;

// One window waiting to hide, and every caller that waits for it.
class PendingHide : public QObject {
public:
    PendingHide(QWidget& window, QWindow& handle, const std::function<void()>& hide)
        : key_(&window), window_(&window), handle_(&handle), hide_(hide),
          updates_(window.updatesEnabled())
    {
        pendingHides.insert(key_, this);
        // A window that painted while it waited would have a new frame in flight; it is
        // going anyway, so it paints no more.
        window.setUpdatesEnabled(false);
        handle.installEventFilter(this);
        // Not shown to Qt: not yet (then the update comes at once), or its frame is late.
        frameLate_ = !handle.isExposed();
        handle.requestUpdate();
        connect(&window, &QObject::destroyed, this, [this] { stopWaiting(); });
        QTimer::singleShot(frameLate_ ? shortWait : longestWait, this, [this] { finish(); });
    }

    ~PendingHide() override
    {
        pendingHides.remove(key_);
        if (handle_)
            handle_->removeEventFilter(this);
        if (window_)
            window_->setUpdatesEnabled(updates_);
    }

    // Returns once the window has hidden.
    void wait()
    {
        QEventLoop loop;
        loops_.append(&loop);
        if (!done_)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        loops_.removeOne(&loop);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (done_)
            return false;
        // Qt drops the update asked for when the window's frame is late, and shows the
        // window again once the frame has come and its callback is released: the moment.
        const bool exposed = event->type() == QEvent::Expose && handle_->isExposed();
        if (event->type() == QEvent::Expose && !exposed)
            frameLate_ = true;
        if (event->type() != QEvent::UpdateRequest && !(exposed && frameLate_))
            return false;
        finish();
        return true;
    }

private:
    void finish()
    {
        if (done_)
            return;
        if (window_) {
            hide_();
            // Asking for an update takes the window's frame lock, which Qt's frame thread
            // holds until it is done with the window's last frame; from then on nothing of
            // Qt's reaches the window from another thread, and it may be destroyed.
            if (handle_)
                handle_->requestUpdate();
        }
        stopWaiting();
    }

    void stopWaiting()
    {
        done_ = true;
        for (QEventLoop* loop : std::as_const(loops_))
            loop->quit();
    }

    const QWidget* key_;
    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;
    const std::function<void()>& hide_;
    const bool updates_;
    bool frameLate_ = false;
    bool done_ = false;
    QList<QEventLoop*> loops_;
};

} // namespace

void allowLateFrames()
{
    if (hasFrameRace(QLibraryInfo::version()) &&
        !qEnvironmentVariableIsSet("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT"))
        qputenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT", "5000");
}

bool hasFrameRace(const QVersionNumber& qt)
{
    return qt.majorVersion() == 6 && qt < QVersionNumber(6, 4, 3);
}

bool hidesBetweenFrames()
{
    static const bool race = hasFrameRace(QLibraryInfo::version());
    return race && onWayland();
}

void hideBetweenFrames(QWidget& window, const std::function<void()>& hide)
{
    if (PendingHide* first = pendingHides.value(&window)) {
        first->wait();
        return;
    }
    QWindow* handle = window.windowHandle();
    if (!hidesBetweenFrames() || !window.isWindow() || !window.isVisible() || !handle) {
        hide();
        return;
    }
    PendingHide pending(window, *handle, hide);
    pending.wait();
}

} // namespace platform::qtworkarounds
