#include "platform/forms/textbox.h"

#include "platform/desktop/window.h"
#include "platform/forms/keyascii.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

namespace platform::forms {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TextBox::noteText);
    heldTooLong_.setSingleShot(true);
    heldTooLong_.setInterval(100);
    connect(&heldTooLong_, &QTimer::timeout, this, &TextBox::typeHeldKeys);
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

bool TextBox::event(QEvent* event)
{
    // A shortcut such as Alt+O acts on the text as it stands: the held keys are in it first.
    if (event->type() == QEvent::ShortcutOverride &&
        (static_cast<QKeyEvent*>(event)->modifiers() &
         (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)))
        typeHeldKeys();
    return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier)) {
        // An access key that no control took: it types nothing.
        event->ignore();
        return;
    }
    // An input method lets a character key through only after committing what it was
    // composing, but IBus's commit can reach the box after the key: typed at once, the space
    // after "한글" would land before the "글" still being composed. The key waits for the
    // commit, and every character after it waits in turn; any other key types them first.
    const bool character = !event->text().isEmpty() && event->text().front().isPrint();
    if (character && (composition_ != Composition::None || !held_.empty())) {
        held_.emplace_back(event->clone());
        heldTooLong_.start();
        return;
    }
    typeHeldKeys();
    typeKey(event);
}

void TextBox::typeKey(QKeyEvent* event)
{
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
    } else {
        QInputMethodEvent typed(event->preeditString(), event->attributes());
        typed.setCommitString(*replaced, event->replacementStart(), event->replacementLength());
        QLineEdit::inputMethodEvent(&typed);
    }
    if (!event->preeditString().isEmpty()) {
        composition_ = Composition::Open;
    } else if (!event->commitString().isEmpty()) {
        composition_ = Composition::None;
        typeHeldKeys();
    } else if (composition_ == Composition::Open) {
        // IBus's Hangul engine clears what it composed before it commits it: the commit may
        // still come, and the held keys go after it.
        composition_ = Composition::Closing;
        heldTooLong_.start();
    }
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    typeHeldKeys();
}

void TextBox::typeHeldKeys()
{
    heldTooLong_.stop();
    if (composition_ == Composition::Closing)
        composition_ = Composition::None;
    // A handler may show a window that takes the focus, and its keys come in after ours.
    std::vector<std::unique_ptr<QKeyEvent>> keys = std::move(held_);
    held_.clear();
    for (const std::unique_ptr<QKeyEvent>& key : keys)
        typeKey(key.get());
}

void TextBox::contextMenuEvent(QContextMenuEvent* event)
{
    // QLineEdit's own commands, on a menu that hides between frames; the menu they come on
    // keeps them, so it goes with ours.
    QMenu* standard = createStandardContextMenu();
    auto* menu = new desktop::Window<QMenu>(this);
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

} // namespace platform::forms
