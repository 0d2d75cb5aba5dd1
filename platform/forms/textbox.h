#pragma once

#include <QDeadlineTimer>
#include <QLineEdit>

#include <optional>

class QEventLoop;

namespace platform::forms {

// A single-line text box with the events its handlers expect.
//
// KeyPress comes for every character key before the key reaches the text, with the key's
// code by reference: a handler that sets it to 0 swallows the key, and one that sets another
// code types that character in the key's place.
//
// Change comes after every actual change of the text, whatever made it (a key, a paste, or a
// program setting Text, nested inside that set); an edit that leaves the text as it was, or
// setting the text the box already holds, raises none.
//
// While an input method may still commit what it composed, every key waits for the commit
// before it acts (see awaitCommit).
class TextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

signals:
    void KeyPress(qint16& KeyAscii);
    void Change();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Raises KeyPress for each code. Returns what the key is to type instead when a handler
    // changed a code (empty: nothing), or nothing when the key stands as it is.
    std::optional<QString> raiseKeyPress(const QList<qint16>& codes);
    void awaitCommit();
    void endComposition();
    void noteText(const QString& text);

    QString text_; // as the last Change left it
    // Whether an input method shows characters not yet committed, or has just cleared them
    // and may still commit them.
    enum class Composition { None, Open, Closing } composition_ = Composition::None;
    QDeadlineTimer holdEnds_{QDeadlineTimer::Forever}; // the keys' wait for the commit, in all
    QEventLoop* waiting_ = nullptr;                    // while a key waits
};

} // namespace platform::forms
