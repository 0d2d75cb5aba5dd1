// Dicewright next to a bare Qt window: start-up time, peak memory, and the cost of single
// events through the real widgets. Prints medians and ranges; asserts nothing.
//   dicewright_bench [start-up runs, default 30] [events of each kind, default 10000]
// On Qt's offscreen platform unless QT_QPA_PLATFORM names another.

#include "platform/controls.h"
#include "platform/textbox.h"
#include "ui/frmmain.h"
#include "ui/frmname.h"
#include "ui/program.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Stats {
    double median;
    double min;
    double max;
};

Stats stats(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

struct ChildRun {
    double milliseconds;
    double peakMegabytes;
};

// Runs a probe to its end; wall time from fork to exit, and its peak resident memory.
ChildRun runProbe(const QString& path)
{
    const QByteArray file = path.toLocal8Bit();
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(file.constData(), file.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s failed\n", file.constData());
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            usage.ru_maxrss / 1024.0};
}

void printRow(const char* what, const Stats& s, const char* unit)
{
    std::printf("  %-28s %7.1f %s  (%.1f-%.1f)\n", what, s.median, unit, s.min, s.max);
}

void startupAndFootprint(int runs)
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList probes = {dir + "/probe_dicewright", dir + "/probe_bare",
                                dir + "/probe_text"};
    for (const QString& probe : probes)
        runProbe(probe); // warm the file cache for all

    std::vector<double> times[3], memory[3];
    for (int i = 0; i < runs; ++i) { // alternate, so drifts of the machine hit all alike
        for (int p = 0; p < 3; ++p) {
            const ChildRun run = runProbe(probes[p]);
            times[p].push_back(run.milliseconds);
            memory[p].push_back(run.peakMegabytes);
        }
    }
    const char* names[] = {"Dicewright", "bare window", "window with one line of text"};
    std::printf("Start-up to a window that takes keys, %d runs each (median, min-max):\n", runs);
    for (int p = 0; p < 3; ++p)
        printRow(names[p], stats(times[p]), "ms");
    std::printf("  ratio to the bare window     %7.3f\n",
                stats(times[0]).median / stats(times[1]).median);
    std::printf("  ratio to the text window     %7.3f   (target at most 1.05)\n",
                stats(times[0]).median / stats(times[2]).median);
    std::printf("Peak resident memory (median, min-max):\n");
    for (int p = 0; p < 3; ++p)
        printRow(names[p], stats(memory[p]), "MB");
    std::printf("  ratio to the bare window     %7.3f\n",
                stats(memory[0]).median / stats(memory[1]).median);
    std::printf("  ratio to the text window     %7.3f   (target at most 1.05)\n",
                stats(memory[0]).median / stats(memory[2]).median);
}

// Times `event` once per call, `count` times; `between` runs untimed before each.
Stats timeEvents(int count, const std::function<void()>& event,
                 const std::function<void(int)>& between)
{
    std::vector<double> micros;
    micros.reserve(count);
    QElapsedTimer clock;
    for (int i = 0; i < count; ++i) {
        between(i);
        clock.start();
        event();
        micros.push_back(clock.nsecsElapsed() / 1000.0);
    }
    return stats(micros);
}

void printEvent(const char* what, const Stats& s)
{
    std::printf("  %-28s %7.1f us  (%.1f-%.1f)   (target under 50)\n", what, s.median, s.min,
                s.max);
}

bool eventCosts(int count)
{
    Program program;
    program.start();
    frmname& name = program.nameForm();
    if (!QTest::qWaitForWindowExposed(&name))
        return false;
    platform::TextBox* txtname = name.txtname();

    std::printf("One event through the real widgets, %d of each (median, min-max):\n", count);
    printEvent("key in the name box", timeEvents(
                                          count, [&] { QTest::keyClick(txtname, 'a'); },
                                          [&](int i) {
                                              if (i % 100 == 0)
                                                  txtname->clear(); // names of normal length
                                          }));

    QTest::mouseClick(name.control<QPushButton>("cmdok"), Qt::LeftButton);
    frmmain& main = program.mainForm();
    if (!QTest::qWaitForWindowExposed(&main))
        return false;
    QPushButton* cmdget = main.cmdget();
    const auto settle = [](int) { QCoreApplication::processEvents(); };
    printEvent("Get Number, pure mode",
               timeEvents(
                   count, [&] { QTest::mouseClick(cmdget, Qt::LeftButton); }, settle));

    QTest::mouseClick(main.control<QRadioButton>("optrange"), Qt::LeftButton);
    auto* txtone = main.control<platform::TextBox>("txtone");
    auto* txttwo = main.control<platform::TextBox>("txttwo");
    QTest::keyClicks(txtone, "1");
    QTest::keyClicks(txttwo, "6");
    printEvent("Get Number, range mode",
               timeEvents(
                   count, [&] { QTest::mouseClick(cmdget, Qt::LeftButton); }, settle));

    printEvent("key in a bound box", timeEvents(
                                         count, [&] { QTest::keyClick(txtone, '7'); },
                                         [&](int i) {
                                             if (i % 10 == 0) { // stay below the 11 digits
                                                 txtone->selectAll();
                                                 QTest::keyClick(txtone, '1');
                                             }
                                         }));
    return true;
}

// OK, the first time in a run, builds and shows the main window; after Create new seed it
// only shows it again. Each first OK is timed in a fresh run, `runs` of them.
bool okCosts(int runs)
{
    std::vector<double> first, again;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        Program program;
        program.start();
        frmname& name = program.nameForm();
        if (!QTest::qWaitForWindowExposed(&name))
            return false;
        auto* cmdok = name.control<QPushButton>("cmdok");
        for (std::vector<double>* times : {&first, &again}) {
            QTest::keyClick(name.txtname(), 'a');
            clock.start();
            QTest::mouseClick(cmdok, Qt::LeftButton);
            times->push_back(clock.nsecsElapsed() / 1000.0);
            if (!QTest::qWaitForWindowExposed(&program.mainForm()))
                return false;
            program.mainForm().findChild<QAction*>(QStringLiteral("seed"))->trigger();
        }
        name.close();
    }
    std::printf("OK, which the first time builds the main window, %d runs (median, min-max):\n",
                runs);
    printRow("first OK", stats(first), "us");
    printRow("OK after Create new seed", stats(again), "us");
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = args.size() > 1 ? args[1].toInt() : 30;
    const int events = args.size() > 2 ? args[2].toInt() : 10000;
    startupAndFootprint(runs);
    if (!okCosts(runs) || !eventCosts(events)) {
        std::fprintf(stderr, "the windows did not come up\n");
        return 1;
    }
    return 0;
}
