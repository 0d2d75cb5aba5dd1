#pragma once

// The main of every test program, as QTEST_MAIN writes it, that starts and ends as Dicewright
// itself does: with the Qt workarounds started before Qt, and on Wayland without Qt's teardown
// of its Wayland connection, which now and then waits for ever on Qt's event thread after
// every test has passed. Its application is a QApplication, or a class of the test's own made
// from one:
//   DW_TEST_MAIN(tst_icon)
//   DW_TEST_MAIN(tst_lifecycle, HidingObserver)

#include "platform/qtworkarounds/start.h"
#include "platform/qtworkarounds/waylandexit.h"

#include <QApplication>
#include <QTest>

template <typename... Application> struct TestApplication {
    using type = QApplication;
};
template <typename Application> struct TestApplication<Application> {
    using type = Application;
};

#define DW_TEST_MAIN(TestObject, ...)                                                              \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        platform::qtworkarounds::startQtWorkarounds();                                             \
        TestApplication<__VA_ARGS__>::type app(argc, argv);                                        \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        const int status = QTest::qExec(&test, argc, argv);                                        \
        platform::qtworkarounds::exitBeforeWaylandTeardown(status);                                \
        return status;                                                                             \
    }
