#include "platform/qtworkarounds/x11pixels.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform::qtworkarounds {

void paintWithoutWaitingForTheServer()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace platform::qtworkarounds
