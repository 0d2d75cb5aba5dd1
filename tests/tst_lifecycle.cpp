// Start-up, the switches between the two windows, and the three ways out.

#include "session.h"

#include <QSignalSpy>
#include <QTimer>

class tst_lifecycle : public QObject {
    Q_OBJECT

private slots:
    void init() { s = std::make_unique<Session>(); }
    void cleanup() { s.reset(); }

    void startupShowsOnlyTheNameWindow();
    void okAndCreateNewSeedSwitchWindows();
    void createNewSeedResetsOnlyTheResult();
    void waysOut_data();
    void waysOut();
    void closingTheNameWindowBeforeOkEndsTheProgram();
    void runEndsWithStatusZero();

private:
    std::unique_ptr<Session> s;
};

void tst_lifecycle::startupShowsOnlyTheNameWindow()
{
    QVERIFY(s->name().isVisible());
    QVERIFY(!s->main().isVisible());
    QVERIFY(s->name().isLoaded());
    QVERIFY(s->main().isLoaded());
    QCOMPARE(s->txtname()->text(), QString());
    QVERIFY(!s->cmdok()->isEnabled());
    QVERIFY(!s->cmdget()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), s->txtname());
    // Both windows carry the program's icon.
    QVERIFY(!s->name().windowIcon().pixmap(48).isNull());
    QCOMPARE(s->main().windowIcon().cacheKey(), s->name().windowIcon().cacheKey());
}

void tst_lifecycle::okAndCreateNewSeedSwitchWindows()
{
    s->enterName("Ann");
    QVERIFY(s->main().isVisible());
    QVERIFY(!s->name().isVisible());
    QVERIFY(s->cmdget()->isEnabled());
    // The first showing selects pure mode.
    QVERIFY(s->optpure()->isChecked());
    QVERIFY(!s->optrange()->isChecked());

    s->chooseMenu("seed");
    QVERIFY(s->name().isVisible());
    QVERIFY(!s->main().isVisible());
    QCOMPARE(s->txtname()->text(), QString());
    QVERIFY(!s->cmdok()->isEnabled());
    QVERIFY(s->cmdget()->isEnabled()); // stays enabled for the rest of the run

    s->enterName("Bo");
    QVERIFY(s->main().isVisible());
    QVERIFY(!s->name().isVisible());
}

void tst_lifecycle::createNewSeedResetsOnlyTheResult()
{
    s->enterName("Ann");
    s->enterRange("1", "6");
    s->chooseMenu("view");
    s->click(s->cmdget());
    QCOMPARE(s->greeting(), QStringLiteral("Ann, your number is:"));
    QVERIFY(s->number() != QStringLiteral("000000000000000000000000000"));

    s->chooseMenu("seed");
    s->enterName("Bo");
    QCOMPARE(s->number(), QStringLiteral("000000000000000000000000000"));
    QCOMPARE(s->greeting(), QString());
    // Mode, bounds and the seed box come back as they were left.
    QVERIFY(s->optrange()->isChecked());
    QCOMPARE(s->txtone()->text(), QStringLiteral("1"));
    QCOMPARE(s->txttwo()->text(), QStringLiteral("6"));
    QVERIFY(s->txtvalue()->isVisible());
}

void tst_lifecycle::waysOut_data()
{
    // clang-format off
    QTest::addColumn<QString>("way");
    QTest::addColumn<QStringList>("events");
    // Each Unload handler runs once: the window closed first starts unloading first, and
    // the main window goes before the name window.
    QTest::newRow("Exit") << "exit"
                          << QStringList{"frmname unloading", "frmmain unloading",
                                         "frmmain unloaded", "frmname unloaded", "ended"};
    QTest::newRow("closing the main window")
        << "close main"
        << QStringList{"frmmain unloading", "frmname unloading", "frmname unloaded",
                       "frmmain unloaded", "ended"};
    QTest::newRow("closing the name window")
        << "close name"
        << QStringList{"frmname unloading", "frmmain unloading", "frmmain unloaded",
                       "frmname unloaded", "ended"};
    // clang-format on
}

void tst_lifecycle::waysOut()
{
    QFETCH(QString, way);
    QFETCH(QStringList, events);

    QStringList seen;
    for (platform::Form* form :
         {static_cast<platform::Form*>(&s->main()), static_cast<platform::Form*>(&s->name())}) {
        const QString name = form->objectName();
        connect(form, &platform::Form::unloading, this,
                [&seen, name] { seen << name + " unloading"; });
        connect(form, &platform::Form::unloaded, this,
                [&seen, name] { seen << name + " unloaded"; });
    }
    connect(&s->program, &Program::ended, this, [&seen] { seen << "ended"; });

    if (way == "close name") {
        s->name().close();
    } else {
        s->enterName("Ann");
        if (way == "exit")
            s->chooseMenu("exit");
        else
            s->main().close();
    }
    QCOMPARE(seen, events);
    QVERIFY(!s->main().isVisible());
    QVERIFY(!s->name().isVisible());
    QVERIFY(!s->main().isLoaded());
    QVERIFY(!s->name().isLoaded());
}

void tst_lifecycle::closingTheNameWindowBeforeOkEndsTheProgram()
{
    QSignalSpy ended(&s->program, &Program::ended);
    QTest::keyClicks(s->txtname(), "Ann");
    s->name().close();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(s->txtvalue()->text(), QString()); // no seed was published
}

void tst_lifecycle::runEndsWithStatusZero()
{
    s.reset();
    Program program;
    QTimer::singleShot(0, &program, [&program] {
        QTest::keyClicks(program.nameForm().txtname(), "Ann");
        program.nameForm().close();
    });
    QCOMPARE(program.exec(), 0);
}

QTEST_MAIN(tst_lifecycle)
#include "tst_lifecycle.moc"
