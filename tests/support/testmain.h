#pragma once

// A test program's main, as QTEST_MAIN writes it, that starts and ends as Dicewright itself
// does: with the Qt workarounds started before Qt, and on Wayland without Qt's teardown of its
// Wayland connection, which now and then waits for ever on Qt's event thread after every test
// has passed.

#include "platform/qtworkarounds/start.h"
#include "platform/qtworkarounds/waylandexit.h"

#include <QApplication>
#include <QTest>

#define DW_TEST_MAIN(TestObject)                                                                   \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        platform::qtworkarounds::startQtWorkarounds();                                             \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        const int status = QTest::qExec(&test, argc, argv);                                        \
        platform::qtworkarounds::exitBeforeWaylandTeardown(status);                                \
        return status;                                                                             \
    }
