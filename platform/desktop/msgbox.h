#pragma once

#include <QString>

namespace platform::desktop {

// A modal message box with the prompt, the title and a single OK button, without an icon.
// Returns once the user has closed it.
void msgBox(const QString& prompt, const QString& title);

} // namespace platform::desktop
