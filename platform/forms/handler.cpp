#include "platform/forms/handler.h"

#include "platform/desktop/msgbox.h"
#include "platform/forms/runtimeerror.h"

#include <QCoreApplication>

#include <cstdio>
#include <new>

namespace platform::forms {
namespace {

void report(const RuntimeError& error) noexcept
{
    const QString text =
        runtimeErrorText(error.number(), QString::fromStdString(error.description()));
    try {
        desktop::msgBox(text, QCoreApplication::applicationName());
    } catch (...) {
        // Showing the message failed (out of memory, most likely); keep the session alive.
        std::fputs(qPrintable(text), stderr);
        std::fputc('\n', stderr);
    }
}

} // namespace

QString runtimeErrorText(int number, const QString& description)
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(description);
}

void runHandler(const std::function<void()>& handler) noexcept
{
    try {
        handler();
    } catch (const RuntimeError& error) {
        report(error);
    } catch (const std::bad_alloc&) {
        report(RuntimeError::outOfMemory());
    } catch (...) {
        report(RuntimeError::internal());
    }
}

} // namespace platform::forms
