// Keys and focus as people of the old desktop expect them: buttons answer Enter and Space,
// an option group is one tab stop, Change only for a real change, and the number can be
// copied without taking the focus.

#include "support/sessiontest.h"
#include "support/testmain.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTimer>

class tst_keyboard : public SessionTest {
    Q_OBJECT

private slots:

    void focusedButtonAnswersEnterAndSpace_data();
    void focusedButtonAnswersEnterAndSpace();
    void modeChoiceAndTabWalk_data();
    void modeChoiceAndTabWalk();
    void sameTextRaisesNoChange_data();
    void sameTextRaisesNoChange();
    void keyPressCodeByReference_data();
    void keyPressCodeByReference();
    void keyAfterComposition_data();
    void keyAfterComposition();
    void numberCanBeCopied();

private:
    QStringList walk(Qt::KeyboardModifiers mods, qsizetype steps);
};

void tst_keyboard::focusedButtonAnswersEnterAndSpace_data()
{
    // clang-format off
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::newRow("OK, Enter") << "cmdok" << int(Qt::Key_Return);
    QTest::newRow("OK, keypad Enter") << "cmdok" << int(Qt::Key_Enter);
    QTest::newRow("OK, Space") << "cmdok" << int(Qt::Key_Space);
    QTest::newRow("Get Number, Enter") << "cmdget" << int(Qt::Key_Return);
    QTest::newRow("Get Number, Space") << "cmdget" << int(Qt::Key_Space);
    // clang-format on
}

void tst_keyboard::focusedButtonAnswersEnterAndSpace()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QTest::keyClicks(s->txtname(), "ab");
    if (button == "cmdget")
        QVERIFY(s->enterName(QString())); // the focus is then on the pure option
    QVERIFY(Session::pressKey(Qt::Key_Tab));
    QCOMPARE(Session::focused(), button);

    QSignalSpy pressed(qobject_cast<platform::forms::CommandButton*>(QApplication::focusWidget()),
                       &platform::forms::CommandButton::Click);
    const auto mods = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QVERIFY(Session::pressKey(Qt::Key(key), mods));
    QCOMPARE(pressed.count(), 1);
    if (button == "cmdok")
        QCOMPARE(s->txtvalue()->text(), QStringLiteral("195"));
    else
        QCOMPARE(s->number(), QStringLiteral("20144531"));
}

void tst_keyboard::modeChoiceAndTabWalk_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("steps"); // after OK: "click <option>", "alt <letter>", a key
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("pureClicks"); // Click of each option: once per real change of mode
    QTest::addColumn<int>("rangeClicks");
    QTest::newRow("first show") << QStringList{} << "pure"
                                << "optpure" << 1 << 0;
    QTest::newRow("click range") << QStringList{"click optrange"} << "range"
                                 << "txtone" << 1 << 1;
    QTest::newRow("click the selected option") << QStringList{"click optpure"} << "pure"
                                               << "optpure" << 1 << 0;
    QTest::newRow("Alt+R") << QStringList{"alt R"} << "range"
                           << "txtone" << 1 << 1;
    // The focus moves to an option already selected; no Click moves it on.
    QTest::newRow("Alt+R twice") << QStringList{"alt R", "alt R"} << "range"
                                 << "optrange" << 1 << 1;
    QTest::newRow("Alt+R, Alt+P") << QStringList{"alt R", "alt P"} << "pure"
                                  << "optpure" << 2 << 1;
    QTest::newRow("Down") << QStringList{"Down"} << "range"
                          << "txtone" << 1 << 1;
    QTest::newRow("Right") << QStringList{"Right"} << "range"
                           << "txtone" << 1 << 1;
    QTest::newRow("Space") << QStringList{"Space"} << "pure"
                           << "optpure" << 1 << 0;
    QTest::newRow("seed shown") << QStringList{"menu view"} << "pure"
                                << "optpure" << 1 << 0;
    QTest::newRow("seed shown, range") << QStringList{"alt R", "menu view"} << "range"
                                       << "txtone" << 1 << 1;
    QTest::newRow("Alt+R, back to the option, Up")
        << QStringList{"alt R", "Shift+Tab", "Up"} << "pure"
        << "optpure" << 2 << 1;
    QTest::newRow("click range, click pure")
        << QStringList{"click optrange", "click optpure"} << "pure"
        << "optpure" << 2 << 1;
    // clang-format on
}

void tst_keyboard::modeChoiceAndTabWalk()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, mode);
    QFETCH(QString, focus);
    QFETCH(int, pureClicks);
    QFETCH(int, rangeClicks);
    QSignalSpy pure(s->on<platform::forms::OptionButton>(s->main(), "optpure"),
                    &platform::forms::OptionButton::Click);
    QSignalSpy range(s->on<platform::forms::OptionButton>(s->main(), "optrange"),
                     &platform::forms::OptionButton::Click);
    QVERIFY(s->enterName("ab"));
    for (const QString& step : steps)
        QVERIFY(s->perform(step));
    QCOMPARE(s->optpure()->isChecked(), mode == "pure");
    QCOMPARE(s->optrange()->isChecked(), mode == "range");
    QCOMPARE(Session::focused(), focus);

    // Tab goes round the controls on screen, passing over the option that is not selected
    // and the seed box while it is hidden.
    QStringList round = mode == "pure" ? QStringList{"optpure", "cmdget"}
                                       : QStringList{"optrange", "txtone", "txttwo", "cmdget"};
    if (s->txtvalue()->isVisible())
        round.append("txtvalue");
    const auto at = round.indexOf(focus);
    round = round.mid(at + 1) + round.mid(0, at + 1);
    QCOMPARE(walk(Qt::NoModifier, round.size()), round);
    std::reverse(round.begin(), round.end());
    round = round.mid(1) + round.mid(0, 1);
    QCOMPARE(walk(Qt::ShiftModifier, round.size()), round);
    QCOMPARE(s->optpure()->isChecked(), mode == "pure");
    QCOMPARE(pure.count(), pureClicks);
    QCOMPARE(range.count(), rangeClicks);
}

QStringList tst_keyboard::walk(Qt::KeyboardModifiers mods, qsizetype steps)
{
    QStringList seen;
    while (seen.size() < steps && Session::pressKey(Qt::Key_Tab, mods))
        seen << Session::focused();
    return seen;
}

void tst_keyboard::sameTextRaisesNoChange_data()
{
    // clang-format off
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("pasted"); // over the whole text
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("changes");
    QTest::newRow("name box, same name") << "txtname"
                                         << "ab"
                                         << "ab" << 0;
    QTest::newRow("name box, other name") << "txtname"
                                          << "Bo"
                                          << "Bo" << 1;
    // After a draw of 1 to 6 the filter empties the box on any change made without a key.
    QTest::newRow("low bound, same bound") << "txtone"
                                           << "1"
                                           << "1" << 0;
    QTest::newRow("low bound, other bound") << "txtone"
                                            << "2"
                                            << "" << 2;
    QTest::newRow("seed box, same seed") << "txtvalue"
                                         << "195"
                                         << "195" << 0;
    // clang-format on
}

void tst_keyboard::sameTextRaisesNoChange()
{
    QFETCH(QString, box);
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    QFETCH(int, changes);
    QTest::keyClicks(s->txtname(), "ab");
    if (box != "txtname") {
        QVERIFY(s->enterName(QString()));
        QVERIFY(s->enterRange("1", "6"));
        s->click(s->cmdget());
        QVERIFY(s->chooseMenu("view"));
    }
    platform::forms::TextBox* edited =
        box == "txtname" ? s->txtname() : s->box(s->main(), qPrintable(box));
    QSignalSpy changed(edited, &platform::forms::TextBox::Change);
    edited->selectAll();
    s->paste(edited, pasted);
    QCOMPARE(edited->text(), text);
    QCOMPARE(changed.count(), changes);
}

void tst_keyboard::keyPressCodeByReference_data()
{
    // clang-format off
    QTest::addColumn<int>("codeForX"); // what the handler makes of the code of "x"
    QTest::addColumn<QString>("text");
    QTest::newRow("left as it is") << int('x') << "axb";
    QTest::newRow("set to 0: swallowed") << 0 << "ab";
    QTest::newRow("set to y: y typed") << int('y') << "ayb";
    // clang-format on
}

void tst_keyboard::keyPressCodeByReference()
{
    QFETCH(int, codeForX);
    QFETCH(QString, text);
    platform::forms::TextBox box;
    connect(&box, &platform::forms::TextBox::KeyPress, this, [codeForX](qint16& KeyAscii) {
        if (KeyAscii == 'x')
            KeyAscii = qint16(codeForX);
    });
    QTest::keyClicks(&box, "axb");
    QCOMPARE(box.text(), text);
}

void tst_keyboard::keyAfterComposition_data()
{
    // Steps as an input method and a hand give them to the name box: "p:글" the input method
    // shows 글 as being composed, "p:" it clears what it shows, "c:글" it commits 글, "k:a" a
    // key comes where the focus is (a, Space, Tab, Return, Backspace, Alt+O ...). A step marked
    // "~" comes late: it reaches the box while the key before it is being handled, as IBus's
    // commit can. Then: the name box's text, the codes its KeyPress raised in their order, and
    // where the focus is (the main window's when OK was pressed).
    const qint16 geul = qint16(u'글');
    // clang-format off
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<qint16>>("codes");
    QTest::addColumn<QString>("focus");
    QTest::newRow("commit, then the key")
        << QStringList{"p:글", "c:글", "k:Space"} << "글 " << QList<qint16>{geul, 32} << "txtname";
    QTest::newRow("the key, then its commit")
        << QStringList{"p:글", "k:Space", "~c:글", "k:A"} << "글 a" << QList<qint16>{geul, 32, 97}
        << "txtname";
    QTest::newRow("the key, the composition cleared, its commit")
        << QStringList{"p:글", "k:Space", "~p:", "~c:글"} << "글 " << QList<qint16>{geul, 32}
        << "txtname";
    QTest::newRow("the composition cleared, the key, its commit")
        << QStringList{"p:글", "p:", "k:Space", "~c:글"} << "글 " << QList<qint16>{geul, 32}
        << "txtname";
    QTest::newRow("the key, then the composition dropped")
        << QStringList{"p:글", "k:Space", "~p:"} << " " << QList<qint16>{32} << "txtname";
    QTest::newRow("the key, and the composition goes on")
        << QStringList{"p:글", "k:Space"} << " " << QList<qint16>{32} << "txtname";
    // A key that is no character waits too, and so does a shortcut, which then acts on the
    // text as the commit left it.
    QTest::newRow("Tab between the clear and the commit")
        << QStringList{"p:글", "p:", "k:Tab", "~c:글"} << "글" << QList<qint16>{geul} << "cmdok";
    QTest::newRow("Enter between the clear and the commit")
        << QStringList{"p:글", "p:", "k:Return", "~c:글"} << "글" << QList<qint16>{geul, 13}
        << "txtname";
    QTest::newRow("BackSpace between the clear and the commit")
        << QStringList{"p:글", "p:", "k:Backspace", "~c:글"} << "" << QList<qint16>{geul, 8}
        << "txtname";
    QTest::newRow("Alt+O between the clear and the commit")
        << QStringList{"p:글", "p:", "k:Alt+O", "~c:글"} << "글" << QList<qint16>{geul}
        << "optpure";
    // clang-format on
}

void tst_keyboard::keyAfterComposition()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    QFETCH(QList<qint16>, codes);
    QFETCH(QString, focus);
    QList<qint16> raised;
    connect(s->txtname(), &platform::forms::TextBox::KeyPress, this,
            [&raised](qint16& KeyAscii) { raised << KeyAscii; });
    // What the input method sends, to what has the focus when it arrives.
    const auto inputMethod = [](const QString& step) {
        const QString given = step.section(u':', 1);
        QInputMethodEvent event(step.contains("p:") ? given : QString(), {});
        if (step.contains("c:"))
            event.setCommitString(given);
        if (QObject* focus = QGuiApplication::focusObject())
            QApplication::sendEvent(focus, &event);
    };
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (steps[i].startsWith(u'~'))
            continue; // sent with the key before it
        if (!steps[i].startsWith("k:")) {
            inputMethod(steps[i]);
            continue;
        }
        for (qsizetype late = i + 1; late < steps.size() && steps[late].startsWith(u'~'); ++late)
            QTimer::singleShot(0, this, [inputMethod, step = steps[late]] { inputMethod(step); });
        const QKeySequence key = QKeySequence::fromString(steps[i].mid(2));
        QVERIFY(Session::pressKey(key[0].key(), key[0].keyboardModifiers()));
    }
    QTRY_COMPARE(s->txtname()->text(), text);
    QTRY_COMPARE(Session::focused(), focus);
    QCOMPARE(raised, codes);
}

void tst_keyboard::numberCanBeCopied()
{
    QVERIFY(s->enterName("ab"));
    s->click(s->cmdget());
    QWidget* focusBefore = QApplication::focusWidget();
    auto* number = s->on<QLabel>(s->main(), "lblnumber");
    const auto choose = [number](const QString& item) {
        pointAt(number, number->rect().center());
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, number->rect().center(),
                                     number->mapToGlobal(number->rect().center()));
        QApplication::sendEvent(number, &rightClick);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const QList<QAction*> actions = menu->actions();
        const auto action = std::find_if(actions.begin(), actions.end(), [&](QAction* each) {
            return each->text().remove('&') == item;
        });
        QVERIFY(action != actions.end());
        // The menu goes once an item is chosen: nothing of it is touched after the click.
        pointAndClick(menu, menu->actionGeometry(*action).center());
        QTRY_VERIFY(!QApplication::activePopupWidget());
    };
    choose("Select All");
    choose("Copy");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("20144531"));
    QCOMPARE(QApplication::focusWidget(), focusBefore);
    QCOMPARE(s->lastvalue(), 20144531);
}

DW_TEST_MAIN(tst_keyboard)
#include "tst_keyboard.moc"
