#include "platform/qtworkarounds/start.h"

#include "platform/qtworkarounds/betweenframes.h"
#include "platform/qtworkarounds/x11pixels.h"

namespace platform {

void startQtWorkarounds()
{
    qtworkarounds::paintWithoutWaitingForTheServer();
    qtworkarounds::allowLateFrames();
}

} // namespace platform
