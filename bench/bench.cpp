// Dicewright next to plain Qt windows: start-up time, peak memory, and the cost of single
// events through the real widgets. Prints medians and ranges; asserts nothing.
//   dicewright_bench [start-up runs, default 30] [events of each kind, default 10000]
// On Qt's offscreen platform unless QT_QPA_PLATFORM names another. Its last line says that
// every figure was measured; a run that stops before it has not (scripts/bench.sh checks).

#include "platform/forms/controls.h"
#include "platform/forms/textbox.h"
#include "platform/qtworkarounds/start.h"
#include "support/control.h"
#include "ui/frmmain.h"
#include "ui/frmname.h"
#include "ui/program.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QVBoxLayout>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
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
    bool ok;
    double readyMilliseconds; // from the start until the probe's window takes keys
    double peakMegabytes;
};

int failedProbes = 0;
int hungProbes = 0;

// Waits for the probe to end, ten seconds at most: a probe that reported ready but never ends
// (Qt's Wayland teardown can wait for ever) would hold up the benchmark.
bool endsInTime(pid_t pid, int* status, rusage* usage)
{
    for (int waited = 0; waited < 1000; ++waited) {
        if (wait4(pid, status, WNOHANG, usage) == pid)
            return true;
        QThread::msleep(10);
    }
    return false;
}

// Runs a probe to its end: the time until it reports its window ready, and its peak resident
// memory. posix_spawn, not fork: a child of this threaded process never runs its code.
ChildRun runProbe(const QString& path)
{
    const QByteArray file = path.toLocal8Bit();
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0 || fcntl(ready[1], F_SETFD, 0) != 0)
        qFatal("no pipe for the probes");
    qputenv("DW_PROBE_READY_FD", QByteArray::number(ready[1]));
    char* const argv[] = {const_cast<char*>(file.constData()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, file.constData(), nullptr, nullptr, argv, environ) == 0;
    close(ready[1]);
    char byte = 0;
    const bool reported = spawned && read(ready[0], &byte, 1) == 1; // 0 if it ended first
    const auto end = std::chrono::steady_clock::now();
    close(ready[0]);
    int status = 0;
    rusage usage{};
    if (spawned && !endsInTime(pid, &status, &usage)) {
        // Its figures are in; the run goes on without waiting for Qt's teardown.
        std::fprintf(stderr, "%s hung while ending after it reported ready; ended it\n",
                     file.constData());
        ++hungProbes;
        kill(pid, SIGKILL);
        wait4(pid, &status, 0, &usage);
        status = 0;
    }
    const bool ok = reported && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok) {
        ++failedProbes;
        std::fprintf(stderr, "%s failed (status %d)\n", file.constData(), status);
    }
    return {ok, std::chrono::duration<double, std::milli>(end - start).count(),
            usage.ru_maxrss / 1024.0};
}

void printRow(const char* what, const Stats& s, const char* unit)
{
    std::printf("  %-28s %7.1f %s  (%.1f-%.1f)\n", what, s.median, unit, s.min, s.max);
}

void startupAndFootprint(int runs)
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList probes = {dir + "/probe_dicewright", dir + "/probe_bare", dir + "/probe_text",
                                dir + "/probe_controls"};
    constexpr int kinds = 4;
    for (const QString& probe : probes)
        runProbe(probe); // warm the file cache for all
    const bool onDisplayServer = QGuiApplication::platformName() != QLatin1String("offscreen");

    std::vector<double> times[kinds], memory[kinds];
    for (int i = 0; i < runs; ++i) { // alternate, so drifts of the machine hit all alike
        for (int p = 0; p < kinds; ++p) {
            // A window that just closed keeps a display server busy drawing the desktop again
            // for a while; each run starts on a quiet one, as a person's does.
            if (onDisplayServer)
                QThread::msleep(200);
            const ChildRun run = runProbe(probes[p]);
            times[p].push_back(run.readyMilliseconds);
            memory[p].push_back(run.peakMegabytes);
        }
    }
    const char* names[] = {"Dicewright", "bare window", "window with one line of text",
                           "its controls in plain Qt"};
    std::printf("Start-up to a window that takes keys, %d runs each (median, min-max):\n", runs);
    for (int p = 0; p < kinds; ++p)
        printRow(names[p], stats(times[p]), "ms");
    std::printf("  ratio to the bare window     %7.3f\n",
                stats(times[0]).median / stats(times[1]).median);
    std::printf("  ratio to the text window     %7.3f   (target at most 1.05)\n",
                stats(times[0]).median / stats(times[2]).median);
    std::printf("  ratio to the plain controls  %7.3f\n",
                stats(times[0]).median / stats(times[3]).median);
    std::printf("Peak resident memory (median, min-max):\n");
    for (int p = 0; p < kinds; ++p)
        printRow(names[p], stats(memory[p]), "MB");
    std::printf("  ratio to the bare window     %7.3f\n",
                stats(memory[0]).median / stats(memory[1]).median);
    std::printf("  ratio to the text window     %7.3f   (target at most 1.05)\n",
                stats(memory[0]).median / stats(memory[2]).median);
    std::printf("  ratio to the plain controls  %7.3f\n",
                stats(memory[0]).median / stats(memory[3]).median);
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

// The least a click that shows a result costs: a plain button whose click sets a label's
// text, in a window of its own, through the same mouse events as Get Number.
Stats plainButtonClick(int count)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(QStringLiteral("000000000000000000000000000"));
    auto* button = new QPushButton(QStringLiteral("&Get Number"));
    layout->addWidget(label);
    layout->addWidget(button);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, label,
                     [&] { label->setText(QString::number(++clicks)); });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the plain window did not come up");
    return timeEvents(
        count, [&] { QTest::mouseClick(button, Qt::LeftButton); },
        [](int) { QCoreApplication::processEvents(); });
}

bool eventCosts(int count)
{
    Program program;
    program.start();
    frmname& name = program.nameForm();
    if (!QTest::qWaitForWindowExposed(&name))
        return false;
    platform::forms::TextBox* txtname = name.txtname();

    std::printf("One event through the real widgets, %d of each (median, min-max):\n", count);
    printRow("key in the name box",
             timeEvents(
                 count, [&] { QTest::keyClick(txtname, 'a'); },
                 [&](int i) {
                     if (i % 100 == 0)
                         txtname->clear(); // names of normal length
                 }),
             "us");

    QTest::mouseClick(control<QPushButton>(name, "cmdok"), Qt::LeftButton);
    frmmain& main = program.mainForm();
    if (!QTest::qWaitForWindowExposed(&main))
        return false;
    QPushButton* cmdget = main.cmdget();
    const auto settle = [](int) { QCoreApplication::processEvents(); };
    const Stats pure = timeEvents(
        count, [&] { QTest::mouseClick(cmdget, Qt::LeftButton); }, settle);
    printRow("Get Number, pure mode", pure, "us");

    const Stats plain = plainButtonClick(count);
    printRow("a plain button and label", plain, "us");
    std::printf("  Get Number's ratio to it     %7.3f\n", pure.median / plain.median);

    QTest::mouseClick(control<QRadioButton>(main, "optrange"), Qt::LeftButton);
    auto* txtone = control<platform::forms::TextBox>(main, "txtone");
    auto* txttwo = control<platform::forms::TextBox>(main, "txttwo");
    QTest::keyClicks(txtone, "1");
    QTest::keyClicks(txttwo, "6");
    printRow("Get Number, range mode",
             timeEvents(
                 count, [&] { QTest::mouseClick(cmdget, Qt::LeftButton); }, settle),
             "us");

    printRow("key in a bound box",
             timeEvents(
                 count, [&] { QTest::keyClick(txtone, '7'); },
                 [&](int i) {
                     if (i % 10 == 0) { // stay below the 11 digits
                         txtone->selectAll();
                         QTest::keyClick(txtone, '1');
                     }
                 }),
             "us");
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
        auto* cmdok = control<QPushButton>(name, "cmdok");
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
    std::setvbuf(stdout, nullptr, _IOLBF, 0);      // what was measured survives a crash
    platform::qtworkarounds::startQtWorkarounds(); // as the program does
    QApplication app(argc, argv);
    std::printf("On Qt's %s platform.\n", qPrintable(QGuiApplication::platformName()));
    const QStringList args = app.arguments();
    const int runs = args.size() > 1 ? args[1].toInt() : 30;
    const int events = args.size() > 2 ? args[2].toInt() : 10000;
    startupAndFootprint(runs);
    if (!okCosts(runs) || !eventCosts(events)) {
        std::fprintf(stderr, "the windows did not come up\n");
        return 1;
    }
    if (failedProbes > 0) {
        std::fprintf(stderr, "%d probe runs failed; the start-up figures are not sound\n",
                     failedProbes);
        return 1;
    }
    if (hungProbes > 0)
        std::printf("%d probe runs hung while ending, after their figures were in; ended\n",
                    hungProbes);
    std::printf("Every figure measured.\n");
    return 0;
}
