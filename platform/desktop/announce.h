#pragma once

class QString;
class QWidget;

namespace platform::desktop {

// Has a screen reader say `text` at once, wherever the focus is, while nothing changes on
// screen: for news the person did not move the focus to, such as a number just drawn. Each
// call is spoken, the same text twice included. `window` is the window the news belongs to.
// Does nothing while no assistive technology listens.
// Qt 6.8 brought announcements (QAccessibleAnnouncementEvent), and a build against it uses
// them; before it the type does not exist, so the build chooses the stand-in of
// qtworkarounds/notification.h.
void announce(QWidget* window, const QString& text);

} // namespace platform::desktop
