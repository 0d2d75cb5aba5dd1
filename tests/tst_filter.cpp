// The bound boxes accept digits only: the last key code decides, not the text.

#include "support/sessiontest.h"
#include "support/testmain.h"

class tst_filter : public SessionTest {
    Q_OBJECT

private slots:

    void typedKeys_data();
    void typedKeys();
    void deleteIsJudgedByTheLastKey();
    void pasteIsJudgedByTheLastKey_data();
    void pasteIsJudgedByTheLastKey();
    void drawnDigitLetsAPasteStand();
    void capWriteAfterEnterEmptiesTheBoxButDrawsTheCap();

private:
    void prepare() override
    {
        QVERIFY(s->enterName("ab"));
        QVERIFY(s->enterRange("", ""));
    }
};

void tst_filter::typedKeys_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("lastKey"); // a key without text of its own, or 0
    QTest::addColumn<QString>("text");
    QTest::newRow("digits") << "123" << 0 << "123";
    QTest::newRow("letter empties the whole box") << "12a" << 0 << "";
    QTest::newRow("blank") << "12 " << 0 << "";
    QTest::newRow("minus") << "12-" << 0 << "";
    QTest::newRow("point") << "12." << 0 << "";
    QTest::newRow("Backspace empties the whole box") << "123" << int(Qt::Key_Backspace) << "";
    QTest::newRow("Enter changes nothing") << "123" << int(Qt::Key_Return) << "123";
    QTest::newRow("twelfth digit refused, text kept") << "123456789012" << 0 << "12345678901";
    // clang-format on
}

void tst_filter::typedKeys()
{
    QFETCH(QString, typed);
    QFETCH(int, lastKey);
    QFETCH(QString, text);
    for (platform::forms::TextBox* box : {s->txtone(), s->txttwo()}) {
        QTest::keyClicks(box, typed);
        if (lastKey)
            QTest::keyClick(box, Qt::Key(lastKey));
        QCOMPARE(box->text(), text);
    }
}

void tst_filter::deleteIsJudgedByTheLastKey()
{
    // Delete raises no key code: after a digit key the deletion stands...
    QTest::keyClicks(s->txtone(), "123");
    QTest::keyClick(s->txtone(), Qt::Key_Home);
    QTest::keyClick(s->txtone(), Qt::Key_Delete);
    QCOMPARE(s->txtone()->text(), QStringLiteral("23"));

    // ...after a draw of a number outside 48..57 the box is emptied.
    QTest::keyClicks(s->txttwo(), "6");
    s->click(s->cmdget());
    QCOMPARE(s->number(), QStringLiteral("22")); // 23 to 6: a number from 7 to 22
    QTest::keyClick(s->txtone(), Qt::Key_Home);
    QTest::keyClick(s->txtone(), Qt::Key_Delete);
    QCOMPARE(s->txtone()->text(), QString());
}

void tst_filter::pasteIsJudgedByTheLastKey_data()
{
    // clang-format off
    QTest::addColumn<QString>("typedFirst"); // into txtone
    QTest::addColumn<QString>("expected");   // txttwo after pasting "abc" there
    QTest::newRow("nothing typed yet") << "" << "";
    QTest::newRow("a digit in the other box") << "7" << "abc";
    QTest::newRow("a letter in the other box") << "7x" << "";
    // clang-format on
}

void tst_filter::pasteIsJudgedByTheLastKey()
{
    QFETCH(QString, typedFirst);
    QFETCH(QString, expected);
    QTest::keyClicks(s->txtone(), typedFirst);
    s->paste(s->txttwo(), "abc");
    QCOMPARE(s->txttwo()->text(), expected);
}

void tst_filter::drawnDigitLetsAPasteStand()
{
    // Seed 8 and the bounds 0 to 100 draw 51, the code of "3": a digit to the filter.
    QVERIFY(s->chooseMenu("view"));
    s->txtvalue()->selectAll();
    QTest::keyClicks(s->txtvalue(), "8");
    QTest::keyClicks(s->txtone(), "0");
    QTest::keyClicks(s->txttwo(), "100");
    s->click(s->cmdget());
    QCOMPARE(s->number(), QStringLiteral("51"));
    s->paste(s->txtone(), "x");
    QCOMPARE(s->txtone()->text(), QStringLiteral("0x"));

    // The next draw, 43, is not a digit code: a paste no longer stands.
    s->txtone()->selectAll();
    QTest::keyClicks(s->txtone(), "0");
    s->click(s->cmdget());
    QCOMPARE(s->number(), QStringLiteral("43"));
    s->paste(s->txttwo(), "1");
    QCOMPARE(s->txttwo()->text(), QString());
}

void tst_filter::capWriteAfterEnterEmptiesTheBoxButDrawsTheCap()
{
    QTest::keyClicks(s->txtone(), "99999999999");
    QTest::keyClicks(s->txttwo(), "99999999999");
    QTest::keyClick(s->txttwo(), Qt::Key_Return);
    s->click(s->cmdget());
    QCOMPARE(s->txtone()->text(), QString());
    QCOMPARE(s->txttwo()->text(), QString());
    QCOMPARE(s->number(), QStringLiteral("214785600"));
}

DW_TEST_MAIN(tst_filter)
#include "tst_filter.moc"
