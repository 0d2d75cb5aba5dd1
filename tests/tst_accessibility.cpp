// What a screen reader announces, the access keys and the focus order.

#include "support/sessiontest.h"
#include "support/testmain.h"

#include <QPointer>

#include <QAccessible>

namespace {

// What a screen reader is told, recorded from Qt's accessibility updates: announcements and
// the widget of the last Focus event.
QStringList spoken;
QStringList spokenAs; // how each was announced
QPointer<QObject> lastFocus;

void record(QAccessibleEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement) {
        spoken << static_cast<QAccessibleAnnouncementEvent*>(event)->message();
        spokenAs << "announcement";
    }
#endif
    QAccessibleInterface* iface = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && iface &&
        iface->role() == QAccessible::Notification) {
        spoken << iface->text(QAccessible::Name);
        spokenAs << "notification shown";
    }
    if (event->type() == QAccessible::Focus)
        lastFocus = event->object();
}

} // namespace

class tst_accessibility : public SessionTest {
    Q_OBJECT

private slots:

    void announced_data();
    void announced();
    void tabOrder_data();
    void tabOrder();
    void menuAccessKey();
    void heardByAScreenReader_data();
    void heardByAScreenReader();

private:
    void prepare() override { QVERIFY(s->enterName("ab")); }
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

void tst_accessibility::heardByAScreenReader_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("steps"); // after OK with the name "ab"
    QTest::addColumn<QStringList>("heard"); // announcements, in order
    QTest::addColumn<QString>("focus");     // has the focus and is named by the last Focus event
    const QString first = "ab, your number is: 20144531";
    QTest::newRow("click") << QStringList{"click cmdget"} << QStringList{first} << "";
    QTest::newRow("Space") << QStringList{"focus cmdget", "Space"} << QStringList{first} << "cmdget";
    QTest::newRow("Enter") << QStringList{"focus cmdget", "Return"} << QStringList{first} << "cmdget";
    QTest::newRow("Alt+G") << QStringList{"alt G"} << QStringList{first} << "";
    QTest::newRow("menu") << QStringList{"menu gennum"} << QStringList{first} << "";
    QTest::newRow("the same number twice")
        << QStringList{"alt R", "type 5", "Tab", "type 5", "alt G", "alt G"}
        << QStringList{"ab, your number is: 5", "ab, your number is: 5"} << "txttwo";
    QTest::newRow("a bound missing") << QStringList{"alt R", "type 5", "alt G"} << QStringList{} << "";
    QTest::newRow("a run-time error")
        << QStringList{"menu view", "focus txtvalue", "Backspace", "type X", "alt G"}
        << QStringList{} << "";
    QTest::newRow("Create new seed") << QStringList{"alt G", "menu seed"} << QStringList{first} << "";
    // The range option hands the focus on to the low bound.
    QTest::newRow("range by Alt+R") << QStringList{"alt R"} << QStringList{} << "txtone";
    QTest::newRow("range by an arrow key") << QStringList{"Down"} << QStringList{} << "txtone";
    QTest::newRow("range by a click") << QStringList{"click optrange"} << QStringList{} << "txtone";
    // A screen reader hands keys back late, Alt without the letter that the shortcut took: the
    // menu bar must not take it for Alt pressed alone.
    QTest::newRow("Alt handed back alone")
        << QStringList{"alt R", "Alt handed back"} << QStringList{} << "txtone";
    // Nor the menu Alt+D opened: the letter typed next chooses its item. The screen reader
    // hands keys to the window with the focus, which passes them on to the open menu.
    QTest::newRow("Alt handed back to an open menu")
        << QStringList{"alt D", "Alt handed back to the window", "G to the window"}
        << QStringList{first} << "";
    // clang-format on
}

void tst_accessibility::heardByAScreenReader()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, heard);
    QFETCH(QString, focus);
    // The display harness starts the accessibility bus; only offscreen is there none.
    if (!QAccessible::isActive() && QGuiApplication::platformName() == "offscreen")
        QSKIP("No assistive technology listens offscreen");
    QVERIFY2(QAccessible::isActive(), "no accessibility bus: screen readers would hear nothing");
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(record);
    const auto restore = qScopeGuard([before] { QAccessible::installUpdateHandler(before); });
    spoken.clear();
    spokenAs.clear();
    lastFocus = nullptr;
    for (const QString& step : steps) {
        if (step.startsWith("Alt handed back")) {
            QObject* to = step.endsWith("window")
                              ? static_cast<QObject*>(QGuiApplication::focusWindow())
                              : QApplication::focusWidget();
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent alt(type, Qt::Key_Alt,
                              type == QEvent::KeyPress ? Qt::AltModifier : Qt::NoModifier);
                QCoreApplication::sendEvent(to, &alt);
            }
        } else if (step == "G to the window") {
            QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_G); // through the window system
        } else {
            QVERIFY(s->perform(step));
        }
    }
    QTRY_COMPARE(spoken, heard);
    // A build against Qt 6.8 announces as Qt does; before it, a notification shows instead.
    const QString way =
        QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) ? "announcement" : "notification shown";
    QCOMPARE(spokenAs, QStringList(heard.size(), way));
    if (!focus.isEmpty()) {
        QTRY_COMPARE(lastFocus ? lastFocus->objectName() : QString(), focus);
        QCOMPARE(Session::focused(), focus);
    }
}

DW_TEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
