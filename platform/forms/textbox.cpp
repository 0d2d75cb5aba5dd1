#include "platform/forms/textbox.h"

#include "platform/desktop/window.h"
#include "platform/forms/keyascii.h"

#include <QContextMenuEvent>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

namespace platform::forms {

namespace {

// How long keys wait in all, from the first, for an input method's commit that may still come.
constexpr std::chrono::milliseconds lateCommitWait{100};

} // namespace

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

bool TextBox::event(QEvent* event)
{
    // Every key comes first as a ShortcutOverride, and a character, Tab, Enter or BackSpace
    // then as a KeyPress; a shortcut such as Alt+O acts after its ShortcutOverride. Shift, Alt
    // and the like alone type nothing and act on nothing.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key < Qt::Key_Shift || key > Qt::Key_ScrollLock)
            awaitCommit();
    }
    return QLineEdit::event(event);
}

// An input method lets a key through only after committing what it was composing, but IBus's
// commit can reach the box after the key: taken at once, the space after "한글" would land
// before the "글" still being composed, a Tab would move the focus away from it, and Alt+O
// would press OK on the name without it. So while a commit may still come, a key waits for it,
// lateCommitWait at most for all the keys together; the keys, clicks and shortcuts behind it
// wait in the window system's queue meanwhile, in their order. Nothing but user input could
// take the box away meanwhile.
void TextBox::awaitCommit()
{
    if (composition_ == Composition::None || waiting_)
        return;
    if (holdEnds_.isForever())
        holdEnds_.setRemainingTime(lateCommitWait);
    QEventLoop loop; // once the hold has used up its time, it waits for nothing more
    QTimer::singleShot(int(holdEnds_.remainingTime()), &loop, &QEventLoop::quit);
    waiting_ = &loop;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    waiting_ = nullptr;
    if (composition_ == Composition::Closing)
        endComposition(); // cleared, and nothing came of it
}

void TextBox::endComposition()
{
    composition_ = Composition::None;
    holdEnds_ = QDeadlineTimer(QDeadlineTimer::Forever);
    if (waiting_)
        waiting_->quit();
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
    } else {
        QInputMethodEvent typed(event->preeditString(), event->attributes());
        typed.setCommitString(*replaced, event->replacementStart(), event->replacementLength());
        QLineEdit::inputMethodEvent(&typed);
    }
    if (!event->commitString().isEmpty()) {
        endComposition();
    } else if (!event->preeditString().isEmpty()) {
        composition_ = Composition::Open;
        holdEnds_ = QDeadlineTimer(QDeadlineTimer::Forever); // it composes still
    } else if (composition_ == Composition::Open) {
        // IBus's Hangul engine clears what it composed before it commits it.
        composition_ = Composition::Closing;
    }
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    endComposition(); // what the input method commits now goes where the focus went
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
