#pragma once

#include <QObject>

#include <functional>

namespace platform::forms {

// Runs one event handler. A run-time error stops the handler at the failing step, is shown
// to the user, and the program goes on; no exception ever reaches Qt's event loop.
void runHandler(const std::function<void()>& handler) noexcept;

// The text of the message that reports a run-time error, e.g. "Run-time error '6':\n\nOverflow".
QString runtimeErrorText(int number, const QString& description);

// Connects a signal to a form's event handler, entered through runHandler.
template <typename Sender, typename Signal, typename Form, typename... Args>
QMetaObject::Connection connectHandler(Sender* sender, Signal signal, Form* form,
                                       void (Form::*handler)(Args...))
{
    return QObject::connect(sender, signal, form, [form, handler](Args... args) {
        runHandler([&] { (form->*handler)(args...); });
    });
}

} // namespace platform::forms
