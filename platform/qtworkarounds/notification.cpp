#include "platform/qtworkarounds/notification.h"

#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)

#include <QAccessible>
#include <QAccessibleObject>
#include <QWidget>

namespace platform::qtworkarounds {

namespace {

// This one has no widget, so nothing appears on screen and nothing takes the focus; each
// announcement shows it again.
class Announcement : public QObject {
public:
    explicit Announcement(QWidget* window) : QObject(window) {}
    QString text;
};

class AccessibleAnnouncement : public QAccessibleObject {
public:
    explicit AccessibleAnnouncement(Announcement* announcement) : QAccessibleObject(announcement) {}

    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? static_cast<Announcement*>(object())->text : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

QAccessibleInterface* accessibleAnnouncement(const QString& /*className*/, QObject* object)
{
    auto* announcement = dynamic_cast<Announcement*>(object);
    return announcement ? new AccessibleAnnouncement(announcement) : nullptr;
}

Announcement* announcementOf(QWidget* window)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleAnnouncement);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    for (QObject* child : window->children()) {
        if (auto* announcement = dynamic_cast<Announcement*>(child))
            return announcement;
    }
    return new Announcement(window);
}

} // namespace

void announceAsNotification(QWidget* window, const QString& text)
{
    if (!QAccessible::isActive())
        return;
    Announcement* announcement = announcementOf(window);
    announcement->text = text;
    QAccessibleEvent shown(announcement, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace platform::qtworkarounds

#endif
