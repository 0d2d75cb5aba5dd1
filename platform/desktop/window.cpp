#include "platform/desktop/window.h"

#include <QEvent>

namespace platform::desktop {
namespace {

class HiddenWindowInput : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return !static_cast<QWindow*>(watched)->isVisible();
        default:
            return false;
        }
    }
};

} // namespace

void ignoreInputWhileHidden(QWindow* handle)
{
    static auto* const filter = new HiddenWindowInput; // for the whole run
    if (handle)
        handle->installEventFilter(filter); // once: Qt replaces an earlier install
}

} // namespace platform::desktop
