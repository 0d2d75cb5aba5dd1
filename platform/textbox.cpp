#include "platform/textbox.h"

#include "platform/keyascii.h"
#include "platform/window.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

namespace platform {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TextBox::noteText);
}

void TextBox::noteText(const QString& text)
{
    // QLineEdit also reports an edit that puts back the same text, such as pasting a box's
    // own text over it.
    if (text == text_)
        return;
    text_ = text;
    emit Change();
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier)) {
        // An access key that no control took: it types nothing.
        event->ignore();
        return;
    }
    const std::optional<QString> replaced = raiseKeyPress(keyAsciiCodes(*event));
    if (!replaced) {
        QLineEdit::keyPressEvent(event);
    } else if (!replaced->isEmpty()) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, *replaced);
        QLineEdit::keyPressEvent(&typed);
    }
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    // Characters composed by an input method are typed keys too.
    QList<qint16> codes;
    for (const QChar c : event->commitString())
        codes.append(static_cast<qint16>(c.unicode()));
    const std::optional<QString> replaced = raiseKeyPress(codes);
    if (!replaced) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent typed(event->preeditString(), event->attributes());
    typed.setCommitString(*replaced, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&typed);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event)
{
    // QLineEdit's own commands, on a menu that hides between frames; the menu they come on
    // keeps them, so it goes with ours.
    QMenu* standard = createStandardContextMenu();
    auto* menu = new Window<QMenu>(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(standard->actions());
    connect(menu, &QObject::destroyed, standard, &QObject::deleteLater);
    menu->popup(event->globalPos());
}

std::optional<QString> TextBox::raiseKeyPress(const QList<qint16>& codes)
{
    QString typed;
    bool changed = false;
    for (const qint16 given : codes) {
        qint16 code = given;
        emit KeyPress(code);
        changed = changed || code != given;
        if (code != 0)
            typed.append(QChar(char16_t(code)));
    }
    if (!changed)
        return std::nullopt;
    return typed;
}

} // namespace platform
