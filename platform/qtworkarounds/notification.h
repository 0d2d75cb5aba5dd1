#pragma once

// Qt workaround: Qt before 6.8; fixed by Qt 6.8's QAccessibleAnnouncementEvent; off when the
// build is against Qt 6.8 or later (platform/desktop/announce.cpp chooses).
//
// Announcements to a screen reader before Qt had them: a screen reader speaks an object of
// the notification role as it shows, wherever the focus is.

class QString;
class QWidget;

namespace platform::qtworkarounds {

// Shows a notification object of `window`'s, with `text` as its name: nothing appears on
// screen and nothing takes the focus. Each call is spoken, the same text twice included.
void announceAsNotification(QWidget* window, const QString& text);

} // namespace platform::qtworkarounds
