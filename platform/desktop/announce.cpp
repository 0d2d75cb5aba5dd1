#include "platform/desktop/announce.h"

#include <QAccessible>
#include <QWidget>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#include "platform/qtworkarounds/notification.h"
#endif

namespace platform::desktop {

void announce(QWidget* window, const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window, text);
    QAccessible::updateAccessibility(&event);
#else
    qtworkarounds::announceAsNotification(window, text);
#endif
}

} // namespace platform::desktop
