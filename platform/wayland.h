#pragma once

#include <QGuiApplication>

namespace platform {

// Whether Qt draws on Wayland: "wayland" or "wayland-egl", as Qt names its Wayland plugins.
inline bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace platform
