// The monkey at fixed seeds: random people, the same every run.

#include "monkey.h"

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
    for (quint64 seed : {1, 2, 3, 4, 5})
        QTest::addRow("seed %llu", seed) << seed << qint64(4000);
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

QTEST_MAIN(tst_monkey)
#include "tst_monkey.moc"
