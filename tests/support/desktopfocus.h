#pragma once

// The offscreen platform leaves a closed menu or message box as the active window. A desktop
// gives the activation back to the window they belong to, which is what keyboard shortcuts
// depend on; on the offscreen platform this filter does the same. On a real display server
// the window manager does that job, and the filter stays out of its way.

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMessageBox>

class DesktopFocus : public QObject {
public:
    DesktopFocus()
    {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            qApp->installEventFilter(this);
    }
    ~DesktopFocus() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide &&
            (qobject_cast<QMenu*>(watched) || qobject_cast<QMessageBox*>(watched))) {
            auto* closing = static_cast<QWidget*>(watched);
            QWidget* owner = closing->parentWidget() ? closing->parentWidget()->window() : nullptr;
            if (owner && owner->isVisible())
                owner->activateWindow();
        }
        return QObject::eventFilter(watched, event);
    }
};
