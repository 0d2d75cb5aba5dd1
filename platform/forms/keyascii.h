#pragma once

#include <QList>
#include <QtGlobal>

class QKeyEvent;

namespace platform::forms {

// The character codes a key press delivers to a text box's KeyPress handler, one per
// character it types: printable characters, Backspace (8), Enter (13), Esc (27) and
// Ctrl with a letter (1 to 26). Keys that type no character, Delete and the arrows among
// them, deliver none. (Alt with a key is an access key: the text box never asks.)
QList<qint16> keyAsciiCodes(const QKeyEvent& event);

} // namespace platform::forms
