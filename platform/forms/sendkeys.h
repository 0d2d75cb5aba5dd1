#pragma once

#include <QString>

namespace platform::forms {

// Queues keystrokes to the window that has the focus, as if typed: "%" holds Alt for the
// character that follows ("%G" is Alt+G). Returns at once; the keys are handled afterwards,
// shortcuts and access keys first, as typed keys are.
void sendKeys(const QString& keys);

} // namespace platform::forms
