#pragma once

#include <QLineEdit>

namespace platform {

// A single-line text box with the events its handlers expect: KeyPress for every character
// key before the key reaches the text, and Change after every actual change of the text,
// whatever made it (a key, a paste, or a program setting Text, nested inside that set).
class TextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

signals:
    void KeyPress(qint16& KeyAscii);
    void Change();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

} // namespace platform
