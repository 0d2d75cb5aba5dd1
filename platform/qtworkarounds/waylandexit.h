#pragma once

// Qt workaround: Qt's Wayland client, 6.4.2 and 6.8.2 measured; fixed by no upstream change
// known to us; off when the platform is not Wayland.
//
// The end of the process on Wayland. Qt's teardown of its Wayland connection now and then
// never finishes: the application's destructor waits for Qt's Wayland event thread, which
// waits for a read that the main thread began and will never finish. How often, on which Qt,
// measured with tests/display/ends.sh: docs/QT-WORKAROUNDS.md.

namespace platform::qtworkarounds {

// Ends the process with `status` once the run is over. On Wayland it ends here, after
// flushing what it printed and, in a sanitizer build, checking for leaks; nothing else is
// left to do, since the program saves nothing. On any other platform this returns, and the
// application is torn down as usual.
void exitBeforeWaylandTeardown(int status);

} // namespace platform::qtworkarounds
