#include "platform/qtworkarounds/waylandexit.h"

#include "platform/qtworkarounds/wayland.h"

#ifdef Q_OS_LINUX // the only Wayland there is
#include <cstdio>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define DW_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define DW_LEAK_CHECK 1
#endif
#endif
#ifdef DW_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace platform::qtworkarounds {

void exitBeforeWaylandTeardown(int status)
{
    if (!onWayland())
        return;
    std::fflush(nullptr);
#ifdef DW_LEAK_CHECK
    // What the application still holds is reachable, not leaked; this reports the rest.
    __lsan_do_leak_check();
#endif
    _exit(status);
}

} // namespace platform::qtworkarounds
#else
void platform::qtworkarounds::exitBeforeWaylandTeardown(int) {}
#endif
