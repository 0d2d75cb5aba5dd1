#include "platform/qtworkarounds/start.h"
#include "platform/qtworkarounds/waylandexit.h"
#include "ui/program.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Without a display Qt prints a page of plugin warnings and aborts; one clear line is kinder.
bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const bool platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    return !platformChosen && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

constexpr const char* usage =
    "Usage: dicewright [--help | --version | Qt options]\n"
    "Draws whole numbers from a seed made by typing your name.\n"
    "\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Qt's own options, such as -platform xcb or -platform wayland, choose how the windows\n"
    "are shown. More in dicewright(1).\n";

// --help and --version answer at once, without a display; every other argument is Qt's.
bool answeredAtOnce(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("dicewright " DICEWRIGHT_VERSION);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (answeredAtOnce(argc, argv))
        return EXIT_SUCCESS;
    if (displayMissing()) {
        std::fputs("dicewright: no graphical display found (DISPLAY and WAYLAND_DISPLAY are "
                   "not set); start it from a desktop session.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    platform::qtworkarounds::startQtWorkarounds();
    QApplication app(argc, argv);
    int status = 0;
    {
        Program program;
        status = program.exec();
    } // the windows are gone with the program
    platform::qtworkarounds::exitBeforeWaylandTeardown(status);
    return status;
}
