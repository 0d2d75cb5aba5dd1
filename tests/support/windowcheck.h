#pragma once

// Every window the program shows must be made through platform::desktop::Window<...>: a plain QMenu
// or QMessageBox compiles and works, but brings back the Wayland abort of Qt before 6.4.3. This
// notes each top-level widget shown otherwise, for the fixture to fail the test on. Tooltips
// are Qt's own, or the tooltip workaround's where Qt's would hide mid-frame.

#include "platform/desktop/window.h"

#include <QApplication>
#include <QEvent>
#include <QStringList>

class WindowCheck : public QObject {
public:
    WindowCheck() { qApp->installEventFilter(this); }

    // "QMenu qt_edit_menu", class and object name, for each window shown otherwise.
    QStringList strays;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            const auto* window = static_cast<QWidget*>(watched);
            if (window->isWindow() && window->windowType() != Qt::ToolTip &&
                !platform::desktop::isMadeAsWindow(window) && !strays.contains(describe(window)))
                strays << describe(window);
        }
        return false;
    }

private:
    static QString describe(const QWidget* window)
    {
        return QString::fromLatin1(window->metaObject()->className()) + u' ' + window->objectName();
    }
};
