#include "platform/forms/keyascii.h"

#include <QKeyEvent>

namespace platform::forms {

QList<qint16> keyAsciiCodes(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    switch (event.key()) {
    case Qt::Key_Backspace:
        return {8};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {13};
    case Qt::Key_Escape:
        return {27};
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {};
    default:
        break;
    }

    const int key = event.key();
    if (mods.testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return {static_cast<qint16>(key - Qt::Key_A + 1)};

    QList<qint16> codes;
    for (const QChar c : event.text()) {
        // Other control characters come from keys that type nothing (and 127 is Delete).
        if (c.unicode() >= 32 && c.unicode() != 127)
            codes.append(static_cast<qint16>(c.unicode()));
    }
    return codes;
}

} // namespace platform::forms
