#include "platform/qtworkarounds/start.h"

#include "platform/qtworkarounds/betweenframes.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform::qtworkarounds {

// What only Linux's window systems need: X11's shared memory and Wayland's frames are not
// found elsewhere.
#ifdef Q_OS_LINUX
namespace {

// Qt workaround: Qt's xcb backing store, 6.4 to 6.11 measured; fixed by no upstream change
// known to us; off when the user sets QT_XCB_NO_MITSHM.
//
// On X11, Qt hands a window's pixels to the X server through shared memory, and before it
// paints over pixels the server may still be reading it waits for a round trip. A button
// pressed and released paints itself twice in a row, so a click waited for the server (three
// quarters of its time under Xvfb). The windows are small: their pixels go over the
// connection instead, which needs no wait.
void paintWithoutWaitingForTheServer()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace

void startQtWorkarounds()
{
    paintWithoutWaitingForTheServer();
    allowLateFrames();
}
#else
void startQtWorkarounds() {}
#endif

} // namespace platform::qtworkarounds
