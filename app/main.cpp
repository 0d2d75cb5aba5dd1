#include "platform/waylandexit.h"
#include "ui/program.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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

} // namespace

int main(int argc, char* argv[])
{
    if (displayMissing()) {
        std::fputs("dicewright: no graphical display found (DISPLAY and WAYLAND_DISPLAY are "
                   "not set); start it from a desktop session.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    int status = 0;
    {
        Program program;
        status = program.exec();
    } // the windows are gone with the program
    platform::exitBeforeWaylandTeardown(status);
    return status;
}
