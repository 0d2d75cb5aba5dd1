#pragma once

class QString;

namespace platform::desktop {

// Tells the desktop which program the windows belong to, by its application id: on Linux the
// desktop entry of that name, which the taskbar, the dock and a Wayland compositor match the
// windows to; on Windows the AppUserModelID the taskbar groups them by.
void identifyApplication(const QString& id);

} // namespace platform::desktop
