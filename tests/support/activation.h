#pragma once

// Waiting for a window to become the one the person works in.

#include <QApplication>
#include <QDebug>
#include <QTest>
#include <QWidget>
#include <QWindow>

// A window manager or compositor activates a window some time after showing it. Qt's own
// wait gives up at once where the platform cannot be asked to activate (Wayland), and the
// window system may call a window active before the application does; keys and shortcuts
// go by the application's active window, so that is what this waits for. Returns whether it
// came; when not, says why.
[[nodiscard]] inline bool waitActive(QWidget& window, int timeout = 5000)
{
    if (QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, timeout))
        return true;
    const QWidget* active = QApplication::activeWindow();
    const QString name = active ? active->objectName() : QStringLiteral("none");
    if (window.windowHandle() && window.windowHandle()->isActive())
        qWarning().noquote() << window.objectName()
                             << "is active to the window system, but not to the application;"
                             << "its active window is" << name;
    else
        qWarning().noquote() << window.objectName() << "never became active; the active window is"
                             << name;
    return false;
}
