#pragma once

// Whether Qt draws on Wayland, for the workarounds of Qt's Wayland client and for whatever
// else must know; not a workaround itself, and it stays when they go.

#include <QGuiApplication>

namespace platform::qtworkarounds {

// "wayland" or "wayland-egl", as Qt names its Wayland plugins.
inline bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace platform::qtworkarounds
