// Start-up, the switches between the two windows, and the three ways out.

#include "platform/qtworkarounds/betweenframes.h"
#include "platform/qtworkarounds/tipwindow.h"
#include "support/sessiontest.h"
#include "support/testmain.h"

#include <QSignalSpy>
#include <QTimer>
#include <QWindow>

#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// Notes the class of each window that hides, and "mid-frame" after it unless it hid while
// its own update request (or, after a late frame, expose) was being delivered: on Wayland,
// the moments no frame of it is in flight.
class HidingObserver : public QApplication {
public:
    using QApplication::QApplication;
    QStringList hidden;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose) {
            updating_.append(receiver);
            const bool handled = QApplication::notify(receiver, event);
            updating_.removeLast();
            return handled;
        }
        auto* window = qobject_cast<QWidget*>(receiver);
        if (event->type() == QEvent::Hide && window && window->isWindow())
            hidden << QString::fromLatin1(window->metaObject()->className()) +
                          (updating_.contains(window->windowHandle()) ? "" : " mid-frame");
        return QApplication::notify(receiver, event);
    }

private:
    QObjectList updating_;
};

// Sends the window the system command Close, as its close box, its system menu and Alt+F4
// do on Windows, and waits until it has gone. Elsewhere there is no such command.
[[nodiscard]] bool closeFromTheSystemMenu(QWidget& window)
{
#ifdef Q_OS_WIN
    PostMessageW(reinterpret_cast<HWND>(window.winId()), WM_SYSCOMMAND, SC_CLOSE, 0);
    return QTest::qWaitFor([&window] { return !window.isVisible(); });
#else
    Q_UNUSED(window);
    return false;
#endif
}

class tst_lifecycle : public SessionTest {
    Q_OBJECT

private slots:

    void startupShowsOnlyTheNameWindow();
    void okAndCreateNewSeedSwitchWindows();
    void createNewSeedResetsOnlyTheResult();
    void waysOut_data();
    void waysOut();
    void closingTheNameWindowBeforeOkEndsTheProgram();
    void runEndsWithStatusZero();
    void waylandWindowsHideBetweenFrames_data();
    void waylandWindowsHideBetweenFrames();
    void onlyQtBefore643HasTheFrameRace();
    void workaroundsOnThisQt_data();
    void workaroundsOnThisQt();
    void windowMadeOtherwiseIsCaught();
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
}

void tst_lifecycle::okAndCreateNewSeedSwitchWindows()
{
    QVERIFY(s->enterName("Ann"));
    QVERIFY(s->main().isVisible());
    QVERIFY(!s->name().isVisible());
    QVERIFY(s->cmdget()->isEnabled());
    // The first showing selects pure mode.
    QVERIFY(s->optpure()->isChecked());
    QVERIFY(!s->optrange()->isChecked());

    QVERIFY(s->chooseMenu("seed"));
    QVERIFY(s->name().isVisible());
    QVERIFY(!s->main().isVisible());
    QCOMPARE(s->txtname()->text(), QString());
    QVERIFY(!s->cmdok()->isEnabled());
    QVERIFY(s->cmdget()->isEnabled()); // stays enabled for the rest of the run

    QVERIFY(s->enterName("Bo"));
    QVERIFY(s->main().isVisible());
    QVERIFY(!s->name().isVisible());
}

void tst_lifecycle::createNewSeedResetsOnlyTheResult()
{
    QVERIFY(s->enterName("Ann"));
    QVERIFY(s->enterRange("1", "6"));
    QVERIFY(s->chooseMenu("view"));
    s->click(s->cmdget());
    QCOMPARE(s->greeting(), QStringLiteral("Ann, your number is:"));
    QVERIFY(s->number() != QStringLiteral("000000000000000000000000000"));
    QWidget* const leftWithFocus = QApplication::focusWidget();

    QVERIFY(s->chooseMenu("seed"));
    QVERIFY(s->enterName("Bo"));
    QCOMPARE(s->number(), QStringLiteral("000000000000000000000000000"));
    QCOMPARE(s->greeting(), QString());
    // Mode, bounds, the seed box and the focus come back as they were left.
    QVERIFY(s->optrange()->isChecked());
    QCOMPARE(s->txtone()->text(), QStringLiteral("1"));
    QCOMPARE(s->txttwo()->text(), QStringLiteral("6"));
    QVERIFY(s->txtvalue()->isVisible());
    QCOMPARE(QApplication::focusWidget(), leftWithFocus);
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
    // Windows closes a window from its close box, its system menu and Alt+F4 alike, with
    // the window's system command Close: the same way out as closing it.
    QTest::newRow("the main window's close box, on Windows")
        << "system close main"
        << QStringList{"frmmain unloading", "frmname unloading", "frmname unloaded",
                       "frmmain unloaded", "ended"};
    // clang-format on
}

void tst_lifecycle::waysOut()
{
    QFETCH(QString, way);
    QFETCH(QStringList, events);

    QStringList seen;
    for (platform::forms::Form* form : {static_cast<platform::forms::Form*>(&s->main()),
                                        static_cast<platform::forms::Form*>(&s->name())}) {
        const QString name = form->objectName();
        connect(form, &platform::forms::Form::unloading, this,
                [&seen, name] { seen << name + " unloading"; });
        connect(form, &platform::forms::Form::unloaded, this,
                [&seen, name] { seen << name + " unloaded"; });
    }
    connect(&s->program(), &Program::ended, this, [&seen] { seen << "ended"; });

    if (way == "system close main" && QGuiApplication::platformName() != "windows")
        QSKIP("only Windows has the system command Close");
    if (way == "close name") {
        s->name().close();
    } else {
        QVERIFY(s->enterName("Ann"));
        if (way == "exit")
            QVERIFY(s->chooseMenu("exit"));
        else if (way == "close main")
            s->main().close();
        else
            QVERIFY(closeFromTheSystemMenu(s->main()));
    }
    QCOMPARE(seen, events);
    QVERIFY(!s->main().isVisible());
    QVERIFY(!s->name().isVisible());
    QVERIFY(!s->main().isLoaded());
    QVERIFY(!s->name().isLoaded());
}

void tst_lifecycle::closingTheNameWindowBeforeOkEndsTheProgram()
{
    QSignalSpy ended(&s->program(), &Program::ended);
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

void tst_lifecycle::waylandWindowsHideBetweenFrames_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("steps"); // in the main window, after a name
    QTest::addColumn<QString>("hidden");    // a window that hides on the way
    QTest::newRow("name window, OK")   << QStringList{} << "frmname";
    QTest::newRow("menu item")         << QStringList{"menu view"} << "QMenu";
    QTest::newRow("message box, OK")   << QStringList{"menu about"} << "QMessageBox";
    QTest::newRow("main window, Exit") << QStringList{"menu exit"} << "frmmain";
    QTest::newRow("greeting's tooltip")
        << QStringList{"click cmdget", "tip frmrandom", "Escape"} << "QLabel";
    // A second hide while the first waits (here a timer that fires meanwhile) waits too.
    QTest::newRow("main window, twice") << QStringList{"hide twice"} << "frmmain";
    // clang-format on
}

void tst_lifecycle::waylandWindowsHideBetweenFrames()
{
    if (!platform::qtworkarounds::hidesBetweenFrames())
        QSKIP("only on Wayland, with Qt before 6.4.3, does a window wait for its frame to hide");
    QFETCH(QStringList, steps);
    QFETCH(QString, hidden);
    QStringList& seen = static_cast<HidingObserver*>(qApp)->hidden;
    seen.clear();
    QVERIFY(s->enterName("Ann"));
    for (const QString& step : steps) {
        if (step == "hide twice") {
            QTimer::singleShot(0, &s->main(), [this] { s->main().hide(); });
            s->main().hide();
        } else {
            QVERIFY(s->perform(step));
        }
    }
    QTRY_VERIFY2(seen.contains(hidden) && seen.filter("mid-frame").isEmpty(),
                 qPrintable(seen.join(", ")));
}

void tst_lifecycle::onlyQtBefore643HasTheFrameRace()
{
    QVERIFY(platform::qtworkarounds::hasFrameRace(QVersionNumber(6, 4, 2)));
    QVERIFY(!platform::qtworkarounds::hasFrameRace(QVersionNumber(6, 4, 3)));
    QVERIFY(!platform::qtworkarounds::hasFrameRace(QVersionNumber(6, 5, 0)));
}

void tst_lifecycle::workaroundsOnThisQt_data()
{
    QTest::addColumn<QString>("workaround");
    QTest::newRow("windows hide between frames") << "hide";
    QTest::newRow("the greeting's tooltip is our own") << "tooltip";
}

// Each workaround of the frame race does what it does where the switch turns it on, and
// leaves Qt's own way alone where it does not; which Qt turns it on is onlyQtBefore643...'s.
void tst_lifecycle::workaroundsOnThisQt()
{
    QFETCH(QString, workaround);
    const bool inForce = platform::qtworkarounds::hidesBetweenFrames();
    qInfo("Qt %s on %s: the frame race workarounds are %s", qVersion(),
          qPrintable(QGuiApplication::platformName()), inForce ? "on" : "off");
    QVERIFY(s->enterName("Ann"));
    if (workaround == "hide") {
        // A window that waits for its frame runs an event loop meanwhile; one that hides at
        // once runs none, and a timer due at once stays due.
        bool loopRan = false;
        QTimer::singleShot(0, &s->main(), [&loopRan] { loopRan = true; });
        s->main().hide();
        QVERIFY(!s->main().isVisible());
        QCOMPARE(loopRan, inForce);
    } else {
        QVERIFY(s->perform("click cmdget"));
        QVERIFY(s->perform("tip frmrandom"));
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto tip = std::find_if(windows.begin(), windows.end(), [](const QWidget* window) {
            return window->windowType() == Qt::ToolTip && window->isVisible();
        });
        QVERIFY(tip != windows.end());
        QCOMPARE(dynamic_cast<platform::qtworkarounds::TipWindow*>(*tip) != nullptr, inForce);
        QCOMPARE((*tip)->inherits("QTipLabel"), !inForce); // Qt's own
    }
}

void tst_lifecycle::windowMadeOtherwiseIsCaught()
{
    // As a newcomer might show a window; kept off screen, where no frame can race its hiding.
    QWidget plain;
    plain.setAttribute(Qt::WA_DontShowOnScreen);
    plain.show();
    // The program's own windows, the name window among them, are not noted.
    QCOMPARE(std::exchange(windows->strays, {}), QStringList{"QWidget "});
}

DW_TEST_MAIN(tst_lifecycle, HidingObserver)
#include "tst_lifecycle.moc"
