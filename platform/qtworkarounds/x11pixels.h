#pragma once

// Qt workaround: Qt's xcb backing store, every Qt 6 so far; fixed by no upstream change known
// to us; off when the user sets QT_XCB_NO_MITSHM.
//
// On X11, Qt hands a window's pixels to the X server through shared memory, and before it
// paints over pixels the server may still be reading it waits for a round trip. A button
// pressed and released paints itself twice in a row, so a click waited for the server (three
// quarters of its time under Xvfb). The windows are small: their pixels go over the
// connection instead, which needs no wait.

namespace platform::qtworkarounds {

// Before the QApplication is made.
void paintWithoutWaitingForTheServer();

} // namespace platform::qtworkarounds
