#include "support/sessiontest.h"

#include <QTest>

#include <utility>

void SessionTest::init()
{
    windows = std::make_unique<WindowCheck>();
    s = std::make_unique<Session>();
    QVERIFY(s->start());
    prepare();
}

void SessionTest::cleanup()
{
    s.reset();
    const QStringList strays = std::exchange(windows->strays, {});
    windows.reset();
    QVERIFY2(strays.isEmpty(),
             qPrintable("not made as platform::desktop::Window: " + strays.join(", ")));
}
