#include "platform/desktop/appid.h"

#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <shobjidl.h>
#endif

namespace platform::desktop {

void identifyApplication(const QString& id)
{
#ifdef Q_OS_WIN
    SetCurrentProcessExplicitAppUserModelID(reinterpret_cast<const wchar_t*>(id.utf16()));
#else
    QGuiApplication::setDesktopFileName(id);
#endif
}

} // namespace platform::desktop
