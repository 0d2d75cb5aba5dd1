// The name window: OK follows the name box, and the keys typed make the seed.

#include "support/sessiontest.h"
#include "support/testmain.h"

class tst_frmname : public SessionTest {
    Q_OBJECT

private slots:

    void okFollowsTheNameBox();
    void enterAndEscapeLeaveTheWindowUp();
    void seedFromTypedKeys_data();
    void seedFromTypedKeys();
    void pastedNameAddsNothing();
    void secondNameContinuesTheTotal();
    void totalWrapsInsteadOfFailing();
    void keysAfterOkReachNoHiddenWindow();
};

void tst_frmname::okFollowsTheNameBox()
{
    platform::forms::TextBox* box = s->txtname();
    QTest::keyClick(box, Qt::Key_A);
    QVERIFY(s->cmdok()->isEnabled());
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(!s->cmdok()->isEnabled());
    QTest::keyClicks(box, "   "); // blanks are a name too: no trimming
    QVERIFY(s->cmdok()->isEnabled());
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QVERIFY(!s->cmdok()->isEnabled());
    s->paste(box, "Zoe");
    QVERIFY(s->cmdok()->isEnabled());
}

void tst_frmname::enterAndEscapeLeaveTheWindowUp()
{
    QTest::keyClicks(s->txtname(), "Ann");
    QTest::keyClick(s->txtname(), Qt::Key_Return);
    QTest::keyClick(s->txtname(), Qt::Key_Escape);
    QVERIFY(s->name().isVisible());
    QVERIFY(!s->main().isVisible());
    QCOMPARE(s->txtname()->text(), QStringLiteral("Ann"));
}

void tst_frmname::seedFromTypedKeys_data()
{
    // clang-format off
    QTest::addColumn<QList<int>>("keys"); // Qt key codes, typed in order
    QTest::addColumn<QString>("seed");
    QTest::newRow("ab") << QList<int>{Qt::Key_A, Qt::Key_B} << "195";
    // A deleted letter still counts, and so does the Backspace that deleted it.
    QTest::newRow("a, Backspace, a")
        << QList<int>{Qt::Key_A, Qt::Key_Backspace, Qt::Key_A} << "202";
    QTest::newRow("Enter counts 13") << QList<int>{Qt::Key_A, Qt::Key_Return} << "110";
    QTest::newRow("Delete counts nothing")
        << QList<int>{Qt::Key_A, Qt::Key_Left, Qt::Key_Delete, Qt::Key_B} << "195";
    QTest::newRow("blank") << QList<int>{Qt::Key_Space} << "32";
    // clang-format on
}

void tst_frmname::seedFromTypedKeys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, seed);
    for (int key : keys) {
        const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
        if (letter)
            QTest::keyClick(s->txtname(), char('a' + (key - Qt::Key_A)));
        else
            QTest::keyClick(s->txtname(), Qt::Key(key));
    }
    s->click(s->cmdok());
    QCOMPARE(s->txtvalue()->text(), seed);
}

void tst_frmname::pastedNameAddsNothing()
{
    s->paste(s->txtname(), "Pasted name");
    s->click(s->cmdok());
    QCOMPARE(s->txtvalue()->text(), QStringLiteral("0"));
}

void tst_frmname::secondNameContinuesTheTotal()
{
    QVERIFY(s->enterName("ab"));
    QCOMPARE(s->txtvalue()->text(), QStringLiteral("195"));
    QVERIFY(s->chooseMenu("seed"));
    QVERIFY(s->enterName("ab"));
    QCOMPARE(s->txtvalue()->text(), QStringLiteral("390"));
}

void tst_frmname::totalWrapsInsteadOfFailing()
{
    // 268 presses of "z" give 32696; the next one wraps to -32718 and typing goes on.
    QTest::keyClicks(s->txtname(), QString(268, u'z'));
    QVERIFY(s->enterName(QString()));
    QCOMPARE(s->txtvalue()->text(), QStringLiteral("32696"));
    QVERIFY(s->chooseMenu("seed"));
    QVERIFY(s->enterName("z"));
    QCOMPARE(s->txtvalue()->text(), QStringLiteral("-32718"));
    QVERIFY(s->boxes().seen().isEmpty());
}

void tst_frmname::keysAfterOkReachNoHiddenWindow()
{
    QTest::keyClicks(s->txtname(), "Ann");
    QTest::keyClick(s->name().windowHandle(), Qt::Key_O, Qt::AltModifier); // the focus stays
    QVERIFY(waitActive(s->main()));
    // Keys typed right after OK that the window system still sent to the name window.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(s->name().windowHandle(), Qt::Key_Z);
    QVERIFY(s->clickable(s->cmdget()));
    QCOMPARE(s->greeting(), QStringLiteral("Ann, your number is:"));
    QCOMPARE(s->txtvalue()->text(), QStringLiteral("285"));
    QVERIFY(s->chooseMenu("seed"));
    QVERIFY(s->enterName("a"));
    QCOMPARE(s->txtvalue()->text(), QStringLiteral("382")); // and "a"
}

DW_TEST_MAIN(tst_frmname)
#include "tst_frmname.moc"
