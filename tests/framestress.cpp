// Stress: every kind of window the program shows, shown, painted and at once hidden or
// destroyed, again and again; fails when the process aborts or Qt reports a lock misused.
//   framestress [rounds, default 200]

#include "platform/tipwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>

#include <atomic>
#include <cstdio>
#include <functional>

namespace {

std::atomic<int> lockMessages = 0;
QtMessageHandler earlierHandler = nullptr;

void countLockMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("QMutex")) ||
        text.startsWith(QLatin1String("QWaitCondition")))
        ++lockMessages;
    earlierHandler(type, context, text);
}

// Runs the event loop for a while.
void runFor(
    int milliseconds, const std::function<bool()>& until = [] { return false; })
{
    QElapsedTimer waited;
    waited.start();
    while (!until() && waited.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// Shows the window and paints it once it is on screen, then lets up to a frame's time pass:
// the hide that follows meets its frame at any moment, arriving or in flight.
void showAndPaint(QWidget* window, QRandomGenerator& random)
{
    window->show();
    runFor(2000, [window] { return window->windowHandle()->isExposed(); });
    window->repaint();
    runFor(random.bounded(20));
}

} // namespace

int main(int argc, char* argv[])
{
    earlierHandler = qInstallMessageHandler(countLockMessages);
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    QWidget owner;
    const std::function<QWidget*()> kinds[] = {
        [] { return new platform::HidesBetweenFrames<QWidget>; },
        [&owner] {
            auto* menu = new platform::HidesBetweenFrames<QMenu>(&owner);
            menu->addAction(QStringLiteral("&Generate Number"));
            return menu;
        },
        [] {
            return new platform::HidesBetweenFrames<QMessageBox>(QMessageBox::NoIcon, "T", "text");
        },
        [&owner] {
            auto* tip = new platform::TipWindow(&owner);
            tip->setText(QStringLiteral("Ann, your number is:"));
            return tip;
        },
    };
    QRandomGenerator random(1);
    int windows = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const auto& make : kinds) {
            for (const bool destroyShown : {false, true}) {
                QWidget* window = make();
                showAndPaint(window, random);
                if (!destroyShown)
                    window->hide();
                delete window;
                ++windows;
            }
        }
    }
    std::printf("%s: %d windows shown, painted, then hidden or destroyed at once; "
                "%d of Qt's lock messages\n",
                qPrintable(QGuiApplication::platformName()), windows, int(lockMessages));
    return lockMessages == 0 ? 0 : 1;
}
