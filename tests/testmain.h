#pragma once

// A test program's main, as QTEST_MAIN writes it, that ends the process as Dicewright itself
// does: on Wayland without Qt 6.4's teardown of its Wayland connection, which now and then
// waits for ever on Qt's event thread after every test has passed.

#include "platform/wayland.h"

#include <QApplication>
#include <QTest>

#define DW_TEST_MAIN(TestObject)                                                                   \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        const int status = QTest::qExec(&test, argc, argv);                                        \
        platform::exitBeforeWaylandTeardown(status);                                               \
        return status;                                                                             \
    }
