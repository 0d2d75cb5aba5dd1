#pragma once

// How every start-up probe waits for its window: until the window system shows it, handling
// events as they come, without Qt Test (which links more, and polls every 10 ms). Then it tells
// the benchmark, which times start-up to that moment: how long a program takes to end is not
// start-up, and ends differ (a window destroyed while shown on Qt 6.4's Wayland waits a frame).

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <unistd.h>

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

// Writes one byte to the descriptor the benchmark named in DW_PROBE_READY_FD, if any.
inline void reportReady()
{
    const QByteArray fd = qgetenv("DW_PROBE_READY_FD");
    if (!fd.isEmpty())
        (void)!write(std::atoi(fd.constData()), "r", 1);
}
