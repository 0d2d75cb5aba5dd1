#pragma once

// How every start-up probe waits for its window: until the window system shows it, handling
// events as they come, without Qt Test (which links more, and polls every 10 ms).

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

inline bool waitExposed(QWidget& window)
{
    const auto exposed = [&window] {
        return window.windowHandle() && window.windowHandle()->isExposed();
    };
    const QDeadlineTimer deadline(5000);
    QTimer wake; // lets the wait below notice the deadline should no event come
    wake.start(100);
    while (!exposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return exposed();
}
