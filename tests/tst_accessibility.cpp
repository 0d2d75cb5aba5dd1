// What a screen reader announces, the access keys and the focus order.

#include "session.h"

#include <QAccessible>

class tst_accessibility : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        s = std::make_unique<Session>();
        QVERIFY(s->start());
        QVERIFY(s->enterName("ab"));
    }
    void cleanup() { s.reset(); }

    void announced_data();
    void announced();
    void tabOrder_data();
    void tabOrder();
    void menuAccessKey();

private:
    std::unique_ptr<Session> s;
};

void tst_accessibility::announced_data()
{
    // clang-format off
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    // The prompt labels the name box.
    QTest::newRow("name box") << "frmname" << "txtname" << QAccessible::EditableText
                              << "What is your name?" << "Every key you press here adds to the seed";
    QTest::newRow("OK") << "frmname" << "cmdok" << QAccessible::Button << "OK"
                        << "Uses the keys you typed as the seed and opens the main window";
    QTest::newRow("pure") << "frmmain" << "optpure" << QAccessible::RadioButton
                          << "Generate pure random number." << "Draws a number from 1 upwards";
    QTest::newRow("range") << "frmmain" << "optrange" << QAccessible::RadioButton
                           << "Generate number in a range."
                           << "Draws a number between the low and the high bound";
    QTest::newRow("low bound") << "frmmain" << "txtone" << QAccessible::EditableText << "Low bound"
                               << "The lowest number to draw; digits only";
    QTest::newRow("high bound") << "frmmain" << "txttwo" << QAccessible::EditableText
                                << "High bound" << "The highest number to draw; digits only";
    QTest::newRow("seed") << "frmmain" << "txtvalue" << QAccessible::EditableText << "Seed"
                          << "The seed the next number is drawn from; made from the keys of your name";
    QTest::newRow("number") << "frmmain" << "lblnumber" << QAccessible::StaticText
                            << "20144531" << "Your number";
    QTest::newRow("Get Number") << "frmmain" << "cmdget" << QAccessible::Button << "Get Number"
                                << "Draws a number from the seed";
    // clang-format on
}

void tst_accessibility::announced()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    s->click(s->cmdget()); // a number to announce

    QWidget& form = window == "frmmain" ? static_cast<QWidget&>(s->main()) : s->name();
    QAccessibleInterface* iface =
        QAccessible::queryAccessibleInterface(form.findChild<QWidget*>(control));
    QVERIFY(iface);
    QCOMPARE(iface->role(), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), description);
}

void tst_accessibility::tabOrder_data()
{
    // clang-format off
    QTest::addColumn<bool>("rangeMode");
    QTest::addColumn<QStringList>("order");
    // Only the selected option of the two is a tab stop; hidden controls are passed over.
    QTest::newRow("pure mode") << false << QStringList{"cmdget", "txtvalue", "optpure", "cmdget"};
    QTest::newRow("range mode")
        << true << QStringList{"cmdget", "txtvalue", "optrange", "txtone", "txttwo", "cmdget"};
    // clang-format on
}

void tst_accessibility::tabOrder()
{
    QFETCH(bool, rangeMode);
    QFETCH(QStringList, order);
    QVERIFY(s->chooseMenu("view"));
    if (rangeMode)
        s->click(s->optrange());
    QWidget* start = rangeMode ? static_cast<QWidget*>(s->txttwo()) : s->optpure();
    start->setFocus();
    QStringList seen;
    while (seen.size() < order.size()) {
        QVERIFY(Session::pressKey(Qt::Key_Tab));
        seen << Session::focused();
    }
    QCOMPARE(seen, order);
}

void tst_accessibility::menuAccessKey()
{
    QVERIFY(s->activateMain());
    QTest::keyClick(&s->main(), Qt::Key_D, Qt::AltModifier);
    auto* menu = s->main().findChild<QMenu*>("random");
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_V); // View Seed
    QTRY_VERIFY(s->txtvalue()->isVisible());

    QVERIFY(s->activateMain());
    QTest::keyClick(&s->main(), Qt::Key_E, Qt::AltModifier); // Exit, on the menu bar itself
    QTRY_VERIFY(!s->main().isLoaded());
}

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
