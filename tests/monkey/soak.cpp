// Soak: the monkey for as long as you like, with its pace and the invariants it checked.
//   monkey_soak [actions] [seed]      defaults: 1000000 actions, seed 1

#include "monkey.h"

#include "platform/qtworkarounds/start.h"
#include "platform/qtworkarounds/waylandexit.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::qtworkarounds::startQtWorkarounds();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 actions = args.size() > 1 ? args[1].toLongLong() : 1000000;
    const quint64 seed = args.size() > 2 ? args[2].toULongLong() : 1;

    QElapsedTimer clock;
    clock.start();
    Monkey monkey(seed);
    const Monkey::Result result = monkey.run(actions);
    const double seconds = clock.elapsed() / 1000.0;

    std::printf("seed %llu: %lld actions in %lld runs, %.1f s, %.0f actions/s, %lld invariant "
                "checks\n",
                static_cast<unsigned long long>(seed), static_cast<long long>(result.actions),
                static_cast<long long>(result.runs), seconds, result.actions / seconds,
                static_cast<long long>(result.checks));
    std::printf("draws: %lld shown, %lld refused for an empty bound, %lld stopped by a run-time "
                "error\n",
                static_cast<long long>(result.draws), static_cast<long long>(result.refusedDraws),
                static_cast<long long>(result.failedDraws));
    const bool held = result.failure.isEmpty();
    std::printf(held ? "every invariant held\n" : "FAILED: %s\n", qPrintable(result.failure));
    platform::qtworkarounds::exitBeforeWaylandTeardown(held ? 0 : 1); // as the program itself ends
    return held ? 0 : 1;
}
