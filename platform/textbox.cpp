#include "platform/textbox.h"

#include "platform/keyascii.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace platform {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // QLineEdit reports only actual changes, for typing and for setText alike.
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier)) {
        // An access key that no control took: it types nothing.
        event->ignore();
        return;
    }
    for (qint16 code : keyAsciiCodes(*event))
        emit KeyPress(code);
    QLineEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    // Characters composed by an input method are typed keys too.
    for (const QChar c : event->commitString()) {
        qint16 code = static_cast<qint16>(c.unicode());
        emit KeyPress(code);
    }
    QLineEdit::inputMethodEvent(event);
}

} // namespace platform
