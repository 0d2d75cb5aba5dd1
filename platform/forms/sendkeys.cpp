#include "platform/forms/sendkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform::forms {
namespace {

int keyOf(QChar c)
{
    const QChar upper = c.toUpper();
    if (upper >= u'A' && upper <= u'Z')
        return Qt::Key_A + (upper.unicode() - u'A');
    return c.unicode(); // digits and punctuation share their codes with Qt's keys
}

void post(QWidget* target, int key, Qt::KeyboardModifiers mods, const QString& text)
{
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, mods, text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, mods, text));
}

// The widget that typed keys would reach. A menu that is closing still counts as the active
// window for a moment; its keys belong to the window the menu belongs to.
QWidget* keyTarget()
{
    QWidget* window = QApplication::activeWindow();
    if (window && window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == window)
        return focus;
    return window;
}

} // namespace

void sendKeys(const QString& keys)
{
    QWidget* target = keyTarget();

    bool alt = false;
    for (const QChar c : keys) {
        if (c == u'%') {
            alt = true;
            continue;
        }
        // With Alt held the key is a command and types no text.
        if (target)
            post(target, keyOf(c), alt ? Qt::AltModifier : Qt::NoModifier,
                 alt ? QString() : QString(c));
        alt = false;
    }
}

} // namespace platform::forms
