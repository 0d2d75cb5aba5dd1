// Stress: every kind of window the program shows, shown, painted and at once hidden or
// destroyed, again and again; fails when the process aborts or Qt reports a lock misused.
//   framestress [rounds, default 200]

#include "platform/desktop/window.h"
#include "platform/qtworkarounds/start.h"
#include "platform/qtworkarounds/tipwindow.h"
#include "platform/qtworkarounds/waylandexit.h"
#include "support/lockwatch.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>

#include <cstdio>
#include <functional>

namespace {

// Runs the event loop for a while, or until the window is shown.
void runFor(int milliseconds, const QWidget* untilExposed = nullptr)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired() && !(untilExposed && untilExposed->windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

} // namespace

int main(int argc, char* argv[])
{
    platform::qtworkarounds::startQtWorkarounds();
    QApplication app(argc, argv);
    const LockWatch lockWatch;
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    QWidget owner;
    const std::function<QWidget*()> kinds[] = {
        [] { return new platform::desktop::Window<QWidget>; },
        [&owner] {
            auto* menu = new platform::desktop::Window<QMenu>(&owner);
            menu->addAction(QStringLiteral("&Generate Number"));
            return menu;
        },
        [] { return new platform::desktop::Window<QMessageBox>(QMessageBox::NoIcon, "T", "t"); },
        [&owner] { return new platform::qtworkarounds::TipWindow(&owner); },
    };
    QRandomGenerator random(1);
    int windows = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const auto& make : kinds) {
            for (const bool destroyShown : {false, true}) {
                QWidget* window = make();
                window->show();
                runFor(2000, window);
                // Painted, then up to a frame's time: the hide meets its frame at any moment.
                window->repaint();
                runFor(int(random.bounded(20)));
                if (!destroyShown)
                    window->hide();
                delete window;
                ++windows;
            }
        }
    }
    std::printf("%s: %d windows shown, painted, then hidden or destroyed at once; "
                "%d of Qt's lock messages\n",
                qPrintable(QGuiApplication::platformName()), windows, LockWatch::misuses());
    const int status = LockWatch::misuses() == 0 ? 0 : 1;
    platform::qtworkarounds::exitBeforeWaylandTeardown(status); // as the program itself ends
    return status;
}
