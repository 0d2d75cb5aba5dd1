#include "platform/forms/runtime.h"

#include <QCoreApplication>

namespace platform::forms {

Runtime::Runtime(const QString& title, const QIcon& icon) : title_(title), icon_(icon)
{
    // Run-time error messages carry the program's title.
    QCoreApplication::setApplicationName(title);
}

void Runtime::formLoaded()
{
    ++loadedForms_;
}

void Runtime::formUnloaded()
{
    if (--loadedForms_ == 0)
        emit ended();
}

} // namespace platform::forms
