#include "support/sessiontest.h"

#include <QTest>

void SessionTest::init()
{
    s = std::make_unique<Session>();
    QVERIFY(s->start());
    prepare();
}

void SessionTest::cleanup()
{
    s.reset();
}
