// The main window: modes, the menu, and the numbers it draws.
//
// Expected numbers were worked out apart from this code, with a short script in another
// language implementing the generator from its definition (24-bit state starting at 0x50000,
// state = (state * 0x43FD43FD + 0xC39EC3) mod 2^24, reseed folding the seed's double into
// bits 8..23) and the two formulas in 64-bit floats.

#include "support/sessiontest.h"
#include "support/testmain.h"

class tst_frmmain : public SessionTest {
    Q_OBJECT

private slots:

    void modeOptionsShowHideAndEmptyTheRange();
    void viewSeedTogglesCheckAndBox();
    void aboutBox();
    void pureDraws();
    void rangeDraws_data();
    void rangeDraws();
    void keyboardAndMenuDrawLikeTheButton();
    void keyboardAlone();
    void emptyBoundAsksAndChangesNothing_data();
    void emptyBoundAsksAndChangesNothing();
    void capsAtAndAboveTheirThresholds_data();
    void capsAtAndAboveTheirThresholds();
    void greetingCarriesTheNameAsTyped();
    void badInputIsReportedAndSurvived_data();
    void badInputIsReportedAndSurvived();
};

static const QString zeros = QStringLiteral("000000000000000000000000000");

void tst_frmmain::modeOptionsShowHideAndEmptyTheRange()
{
    QVERIFY(s->enterName("ab"));
    const QList<QWidget*> range = {s->on<QWidget>(s->main(), "lblrange"), s->txtone(),
                                   s->on<QWidget>(s->main(), "lblto"), s->txttwo()};
    for (QWidget* w : range)
        QVERIFY(!w->isVisible());

    s->click(s->optrange());
    for (QWidget* w : range)
        QVERIFY(w->isVisible());
    QCOMPARE(QApplication::focusWidget(), s->txtone());
    QTest::keyClicks(s->txtone(), "12");
    QTest::keyClicks(s->txttwo(), "34");

    s->click(s->optpure());
    for (QWidget* w : range)
        QVERIFY(!w->isVisible());
    s->click(s->optrange());
    QCOMPARE(s->txtone()->text(), QString()); // bounds must be typed again
    QCOMPARE(s->txttwo()->text(), QString());
}

void tst_frmmain::viewSeedTogglesCheckAndBox()
{
    QVERIFY(s->enterName("ab"));
    auto* view = s->main().findChild<QAction*>("view");
    QVERIFY(!view->isChecked());
    QVERIFY(!s->txtvalue()->isVisible());
    QVERIFY(s->chooseMenu("view"));
    QVERIFY(view->isChecked());
    QVERIFY(s->txtvalue()->isVisible());
    QCOMPARE(s->txtvalue()->text(), QStringLiteral("195"));
    QVERIFY(s->chooseMenu("view"));
    QVERIFY(!view->isChecked());
    QVERIFY(!s->txtvalue()->isVisible());
}

void tst_frmmain::aboutBox()
{
    QVERIFY(s->enterName("ab"));
    QVERIFY(s->chooseMenu("about"));
    QTRY_COMPARE(s->boxes().seen().size(), 1);
    const auto& box = s->boxes().seen().first();
    QCOMPARE(box.title, QStringLiteral("About..."));
    QVERIFY(box.text.startsWith(
        "Dicewright was created by Tamsovar for creating random numbers using a seed value.  "
        "The seed is generated using a combonation of ASCII values based on letters of your "
        "name.  Send comments to "));
    QCOMPARE(box.buttons, 1);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(s->number(), zeros);
}

void tst_frmmain::pureDraws()
{
    QVERIFY(s->enterName("ab"));
    // Every press reseeds with 195, but a reseed keeps the generator's low byte, so the
    // numbers differ from press to press.
    for (const char* expected : {"20144531", "1989690427", "1516679171"}) {
        s->click(s->cmdget());
        QCOMPARE(s->number(), QString::fromLatin1(expected));
        QCOMPARE(s->lastvalue(), QString::fromLatin1(expected).toInt());
    }
}

void tst_frmmain::rangeDraws_data()
{
    // clang-format off
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QStringList>("numbers"); // three presses, seed 195
    QTest::newRow("1 to 6") << "1" << "6" << QStringList{"1", "6", "5"};
    QTest::newRow("5 to 5") << "5" << "5" << QStringList{"5", "5", "5"};
    QTest::newRow("10 to 5, no swap") << "10" << "5" << QStringList{"9", "6", "7"};
    QTest::newRow("both capped") << "9999999999" << "9999999999"
                                 << QStringList{"214785600", "214785637", "214785628"};
    QTest::newRow("low capped, high 100")
        << "2147485601" << "100" << QStringList{"212770800", "15782336", "63091597"};
    // clang-format on
}

void tst_frmmain::rangeDraws()
{
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(QStringList, numbers);
    QVERIFY(s->enterName("ab"));
    QVERIFY(s->enterRange(low, high));
    for (const QString& expected : numbers) {
        s->click(s->cmdget());
        QCOMPARE(s->number(), expected);
    }
    QVERIFY(s->boxes().seen().isEmpty());
}

void tst_frmmain::keyboardAndMenuDrawLikeTheButton()
{
    QVERIFY(s->enterName("ab"));
    QTest::keyClick(&s->main(), Qt::Key_G, Qt::AltModifier);
    QTRY_COMPARE(s->number(), QStringLiteral("20144531"));
    QVERIFY(s->chooseMenu("gennum"));
    QTRY_COMPARE(s->number(), QStringLiteral("1989690427"));

    // In range mode with a bound missing, the menu asks for the range like the button does.
    QVERIFY(s->enterRange("1", ""));
    QVERIFY(s->chooseMenu("gennum"));
    QTRY_COMPARE(s->boxes().texts(), QStringList{"Please enter a number range."});
    QCOMPARE(s->number(), QStringLiteral("1989690427"));
}

void tst_frmmain::keyboardAlone()
{
    QTest::keyClicks(s->txtname(), "ab");
    QTest::keyClick(&s->name(), Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(s->main().isVisible());
    QVERIFY(s->activateMain());

    QTest::keyClick(&s->main(), Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), s->txtone());
    QVERIFY(Session::pressKey(Qt::Key_1));
    QVERIFY(Session::pressKey(Qt::Key_Tab));
    QVERIFY(Session::pressKey(Qt::Key_6));
    QCOMPARE(s->txttwo()->text(), QStringLiteral("6"));
    QTest::keyClick(&s->main(), Qt::Key_G, Qt::AltModifier);
    QTRY_COMPARE(s->number(), QStringLiteral("1"));

    QTest::keyClick(&s->main(), Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(s->optpure()->isChecked());
    QTest::keyClick(&s->main(), Qt::Key_G, Qt::AltModifier);
    QTRY_COMPARE(s->number(), QStringLiteral("1989690427"));

    // The menu from the keyboard: Alt+D opens it, G chooses Generate Number.
    QTest::keyClick(&s->main(), Qt::Key_D, Qt::AltModifier);
    auto* menu = s->main().findChild<QMenu*>("random");
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_G);
    QTRY_COMPARE(s->number(), QStringLiteral("1516679171"));
}

void tst_frmmain::emptyBoundAsksAndChangesNothing_data()
{
    // clang-format off
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::newRow("low empty") << "" << "6";
    QTest::newRow("high empty") << "1" << "";
    QTest::newRow("both empty") << "" << "";
    // clang-format on
}

void tst_frmmain::emptyBoundAsksAndChangesNothing()
{
    QFETCH(QString, low);
    QFETCH(QString, high);
    QVERIFY(s->enterName("ab"));
    s->click(s->cmdget());
    const QString greeting = s->greeting();
    QVERIFY(s->enterRange(low, high));
    const qint32 before = s->lastvalue();

    s->click(s->cmdget());
    QCOMPARE(s->boxes().seen().size(), 1);
    QCOMPARE(s->boxes().seen().first().title, QStringLiteral("Dicewright"));
    QCOMPARE(s->boxes().seen().first().text, QStringLiteral("Please enter a number range."));
    QCOMPARE(s->boxes().seen().first().buttons, 1);
    QCOMPARE(s->number(), QStringLiteral("20144531"));
    QCOMPARE(s->greeting(), greeting);
    QCOMPARE(s->lastvalue(), before);
    QCOMPARE(s->txtone()->text(), low);
    QCOMPARE(s->txttwo()->text(), high);

    // Nothing was drawn: the next full press gives the second number of the run.
    s->click(s->optpure());
    QVERIFY(s->enterRange("1", "6"));
    s->click(s->cmdget());
    QCOMPARE(s->number(), QStringLiteral("6"));
}

void tst_frmmain::capsAtAndAboveTheirThresholds_data()
{
    // clang-format off
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("lowShown");
    QTest::addColumn<QString>("highShown");
    QTest::newRow("just above both") << "2147485601" << "2147485641" << "214785600" << "214785640";
    QTest::newRow("high at its threshold")
        << "1" << "2147485640" << "1" << "2147485640"; // not capped: the test is strict
    QTest::newRow("low at the high threshold")
        << "2147485640" << "1" << "214785600" << "1";
    // clang-format on
}

void tst_frmmain::capsAtAndAboveTheirThresholds()
{
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(QString, lowShown);
    QFETCH(QString, highShown);
    QVERIFY(s->enterName("ab"));
    QVERIFY(s->enterRange(low, high));
    s->click(s->cmdget());
    QCOMPARE(s->txtone()->text(), lowShown);
    QCOMPARE(s->txttwo()->text(), highShown);
}

void tst_frmmain::greetingCarriesTheNameAsTyped()
{
    QVERIFY(s->enterName("Tom & Jerry "));
    s->click(s->cmdget());
    QCOMPARE(s->greeting(), QStringLiteral("Tom & Jerry , your number is:"));
}

void tst_frmmain::badInputIsReportedAndSurvived_data()
{
    // clang-format off
    QTest::addColumn<QString>("seed");   // typed into the shown seed box; empty: keep 195
    QTest::addColumn<QString>("low");    // pasted into the bound boxes after a digit key
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("greeted");   // the greeting is written before the failing step
    QTest::newRow("seed not a number")
        << "12ab" << "" << "" << "Run-time error '13':\n\nType mismatch" << true;
    QTest::newRow("seed out of range")
        << "99999" << "" << "" << "Run-time error '6':\n\nOverflow" << true;
    QTest::newRow("bound not a number")
        << "" << "1x" << "6" << "Run-time error '13':\n\nType mismatch" << false;
    QTest::newRow("bounds escape their caps")
        << "" << "2147485600" << "2147485640" << "Run-time error '6':\n\nOverflow" << true;
    // clang-format on
}

void tst_frmmain::badInputIsReportedAndSurvived()
{
    QFETCH(QString, seed);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(QString, message);
    QFETCH(bool, greeted);

    QVERIFY(s->enterName("ab"));
    if (!low.isEmpty()) {
        QVERIFY(s->enterRange("1", "2")); // a digit key last: pasted text then stands
        s->txtone()->selectAll();
        s->paste(s->txtone(), low);
        s->txttwo()->selectAll();
        s->paste(s->txttwo(), high);
    }
    if (!seed.isEmpty()) {
        QVERIFY(s->chooseMenu("view"));
        s->txtvalue()->selectAll();
        QTest::keyClicks(s->txtvalue(), seed);
    }
    s->click(s->cmdget());
    QCOMPARE(s->boxes().texts(), QStringList{message});
    QCOMPARE(s->boxes().seen().first().title, QStringLiteral("Dicewright"));
    QCOMPARE(s->number(), zeros);
    QCOMPARE(s->greeting(), greeted ? QStringLiteral("ab, your number is:") : QString());
    QVERIFY(s->main().isVisible());

    // Put right, the next press works.
    s->boxes().clear();
    s->click(s->optpure());
    if (!s->txtvalue()->isVisible())
        QVERIFY(s->chooseMenu("view"));
    s->txtvalue()->selectAll();
    QTest::keyClicks(s->txtvalue(), "195");
    s->click(s->cmdget());
    QVERIFY(s->boxes().seen().isEmpty());
    QVERIFY(s->number() != zeros);
    QCOMPARE(s->number(), QString::number(s->lastvalue()));
}

DW_TEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
