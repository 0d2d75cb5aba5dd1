// What a screen reader is told: names and descriptions, announcements, the access keys.

#include "support/sessiontest.h"
#include "support/testmain.h"

#include <QLabel>
#include <QPointer>

#include <QAccessible>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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

// On Windows a screen reader makes itself known by asking a window for its UI Automation root
// (WM_GETOBJECT for UiaRootObjectId), which turns Qt's accessibility on; on Linux the display
// harness has the accessibility bus up from the start.
void screenReaderAsks(QWidget& window)
{
#ifdef Q_OS_WIN
    if (QGuiApplication::platformName() == QLatin1String("windows")) {
        constexpr LPARAM uiaRootObjectId = -25;
        SendMessageW(reinterpret_cast<HWND>(window.winId()), WM_GETOBJECT, 0, uiaRootObjectId);
    }
#else
    Q_UNUSED(window);
#endif
}

} // namespace

class tst_accessibility : public SessionTest {
    Q_OBJECT

private slots:
    void controlsNamedAndDescribed_data();
    void controlsNamedAndDescribed();
    void menuAccessKey();
    void heardByAScreenReader_data();
    void heardByAScreenReader();

private:
    void prepare() override { QVERIFY(s->enterName("ab")); }
};

void tst_accessibility::controlsNamedAndDescribed_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("name window") << "frmname";
    QTest::newRow("main window") << "frmmain"; // in range mode, with the seed shown
}

void tst_accessibility::controlsNamedAndDescribed()
{
    QFETCH(QString, window);
    s->click(s->cmdget()); // a number to read
    QVERIFY(s->chooseMenu("view"));
    s->click(s->optrange());
    QWidget& form = window == "frmmain" ? static_cast<QWidget&>(s->main()) : s->name();
    // Every control the Tab key reaches tells a screen reader what it is and what it does.
    int reached = 0;
    for (QWidget* control : form.findChildren<QWidget*>()) {
        if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(&form))
            continue;
        ++reached;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(iface && !iface->text(QAccessible::Name).isEmpty(),
                 qPrintable(control->objectName()));
        QVERIFY2(!iface->text(QAccessible::Description).isEmpty(),
                 qPrintable(control->objectName()));
    }
    QVERIFY(reached >= 2);
    if (window == "frmname") { // the prompt labels the name box
        const QString prompt = s->name().findChild<QLabel*>("Label1")->text();
        QCOMPARE(QAccessible::queryAccessibleInterface(s->txtname())->text(QAccessible::Name),
                 prompt);
    } else { // the number reads as it shows
        auto* number = s->on<QLabel>(s->main(), "lblnumber");
        QCOMPARE(QAccessible::queryAccessibleInterface(number)->text(QAccessible::Name),
                 s->number());
    }
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
    screenReaderAsks(s->main());
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
