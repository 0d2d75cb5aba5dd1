// The monkey at fixed seeds: random people, the same every run.

#include "monkey.h"
#include "support/testmain.h"

#include <QGuiApplication>
#include <QTest>

class tst_monkey : public QObject {
    Q_OBJECT

private slots:
    void randomUse_data();
    void randomUse();
};

void tst_monkey::randomUse_data()
{
    // clang-format off
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<qint64>("actions");
    // On a real display server every window switch waits for the window manager: fewer.
    const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
    for (quint64 seed : {1, 2, 3, 4, 5}) {
        if (offscreen || seed <= 2)
            QTest::addRow("seed %llu", seed) << seed << qint64(offscreen ? 4000 : 1500);
    }
    // clang-format on
}

void tst_monkey::randomUse()
{
    QFETCH(quint64, seed);
    QFETCH(qint64, actions);
    Monkey monkey(seed);
    const Monkey::Result result = monkey.run(actions);
    QVERIFY2(result.failure.isEmpty(), qPrintable(result.failure));
    QCOMPARE(result.actions, actions);
    QVERIFY(result.runs > 1);
}

DW_TEST_MAIN(tst_monkey)
#include "tst_monkey.moc"
