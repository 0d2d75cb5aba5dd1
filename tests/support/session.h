#pragma once

// A fresh run of Dicewright for one test, driven as a person drives it: keys, clicks and
// menus on the real widgets, message boxes answered with OK.

#include "platform/forms/controls.h"
#include "platform/forms/textbox.h"
#include "support/activation.h"
#include "support/control.h"
#include "support/desktopfocus.h"
#include "support/messageboxanswerer.h"
#include "support/pointer.h"
#include "ui/frmmain.h"
#include "ui/frmname.h"
#include "ui/program.h"

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <algorithm>
#include <memory>

// Every helper that waits returns whether it got there, for the test to check where it calls
// it: QVERIFY(s.enterName("Ann")). A window switch is complete only once the new window is
// the active one.
class Session {
public:
    // Starts the program; its name window comes up.
    [[nodiscard]] bool start()
    {
        program_.start();
        return waitActive(name());
    }

    Program& program() { return program_; }
    // The message boxes shown so far, each answered with OK.
    MessageBoxAnswerer& boxes() { return boxes_; }
    frmmain& main() { return program_.mainForm(); }
    frmname& name() { return program_.nameForm(); }

    // A control of a window, which is built for it if it is not yet.
    template <typename T> T* on(platform::forms::Form& window, const char* objectName)
    {
        return control<T>(window, objectName);
    }
    platform::forms::TextBox* box(platform::forms::Form& window, const char* objectName)
    {
        return on<platform::forms::TextBox>(window, objectName);
    }
    platform::forms::TextBox* txtname() { return box(name(), "txtname"); }
    platform::forms::TextBox* txtone() { return box(main(), "txtone"); }
    platform::forms::TextBox* txttwo() { return box(main(), "txttwo"); }
    platform::forms::TextBox* txtvalue() { return box(main(), "txtvalue"); }
    QPushButton* cmdok() { return on<QPushButton>(name(), "cmdok"); }
    QPushButton* cmdget() { return on<QPushButton>(main(), "cmdget"); }
    QRadioButton* optpure() { return on<QRadioButton>(main(), "optpure"); }
    QRadioButton* optrange() { return on<QRadioButton>(main(), "optrange"); }
    QString number() { return on<QLabel>(main(), "lblnumber")->text(); }
    QString greeting() { return on<platform::forms::Frame>(main(), "frmrandom")->caption(); }
    qint32 lastvalue() { return main().property("lastvalue").toInt(); }

    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // The name of the widget with the keyboard focus, or "no focus".
    static QString focused()
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("no focus");
    }

    // Presses a key where the keyboard focus is; false when no widget has it.
    [[nodiscard]] static bool pressKey(Qt::Key key, Qt::KeyboardModifiers mods = {})
    {
        QWidget* focus = QApplication::focusWidget();
        if (!focus) {
            qWarning("no widget has the keyboard focus");
            return false;
        }
        QTest::keyClick(focus, key, mods);
        return true;
    }

    // Does one step in the main window as a person would, written as a test table writes it:
    // "click NAME", "focus NAME", "alt LETTER", "menu ITEM", "type CHARACTER", "tip NAME" (the
    // pointer rests on a control until a tooltip shows), or a key where the focus is, as a key
    // sequence names it (Space, Shift+Tab, Down ...). Returns whether it took effect: a button
    // shown and enabled, a focus that landed, an access key that a control or menu took, a
    // menu item chosen, a tooltip shown, a key that reached a widget.
    [[nodiscard]] bool perform(const QString& step)
    {
        const QString what = step.section(u' ', 0, 0);
        const QByteArray name = step.section(u' ', 1).toLatin1();
        if (what == "click")
            return clickable(on<QAbstractButton>(main(), name)) || warn(step, "cannot be clicked");
        if (what == "focus") {
            QWidget* widget = on<QWidget>(main(), name);
            widget->setFocus();
            return QTest::qWaitFor([widget] { return widget->hasFocus(); }) ||
                   warn(step, "no focus");
        }
        if (what == "alt") {
            // What Qt Test does for a key press, which tells whether a shortcut took it.
            const Qt::Key key = Qt::Key(QChar(name[0]).toUpper().unicode());
            const bool taken = qt_sendShortcutOverrideEvent(&main(), 0, key, Qt::AltModifier);
            QTest::keyRelease(&main(), key, Qt::AltModifier);
            return taken || warn(step, "no control or menu took it");
        }
        if (what == "menu")
            return chooseMenu(name);
        if (what == "tip")
            return showTip(on<QWidget>(main(), name)) || warn(step, "no tooltip showed");
        if (what == "type")
            return pressKey(Qt::Key(QChar(name[0]).toUpper().unicode()));
        if (const QKeySequence key = QKeySequence::fromString(what); key.count() == 1)
            return pressKey(key[0].key(), key[0].keyboardModifiers());
        qFatal("no such step: %s", qPrintable(step));
    }

    // Clicks a button, if a person could: one shown and enabled.
    [[nodiscard]] bool clickable(QAbstractButton* button)
    {
        if (!button->isVisible() || !button->isEnabled())
            return false;
        click(button);
        return true;
    }

    // Rests the pointer on a widget until a tooltip window shows.
    [[nodiscard]] static bool showTip(QWidget* widget)
    {
        // Where the pointer rests already, Qt sees no move: it comes from a pixel away.
        pointAt(widget, widget->rect().center() + QPoint(1, 1));
        pointAt(widget, widget->rect().center());
        return QTest::qWaitFor([] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
                return window->windowType() == Qt::ToolTip && window->isVisible();
            });
        });
    }

    static bool warn(const QString& step, const char* why)
    {
        qWarning("%s: %s", qPrintable(step), why);
        return false;
    }

    // Types a name and presses OK; the main window comes up.
    [[nodiscard]] bool enterName(const QString& typed)
    {
        if (!waitActive(name()))
            return false;
        QTest::keyClicks(txtname(), typed);
        click(cmdok());
        return waitActive(main());
    }

    // Chooses a menu item with the mouse: the menu bar entry, then the item in its drop-down.
    // Whichever window is on screen afterwards is the active one.
    [[nodiscard]] bool chooseMenu(const char* item)
    {
        // The menu is the active window's: a compositor may give the activation back some
        // milliseconds after a message box closes, and the application ignores an activation
        // that comes while a menu is open, which would leave it with no active window.
        if (!activateMain())
            return false;
        QMenuBar* bar = main().menuBar();
        auto* action = main().findChild<QAction*>(QString::fromLatin1(item));
        if (!action)
            qFatal("no menu item %s", item);
        if (bar->actions().contains(action)) {
            pointAndClick(bar, bar->actionGeometry(action).center());
        } else {
            auto* menu = main().findChild<QMenu*>(QStringLiteral("random"));
            pointAndClick(bar, bar->actionGeometry(menu->menuAction()).center());
            if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
                return false;
            pointAndClick(menu, menu->actionGeometry(action).center());
            if (!QTest::qWaitFor([menu] { return !menu->isVisible(); }))
                return false;
        }
        if (main().isVisible())
            return activateMain();
        return !name().isVisible() || waitActive(name());
    }

    // The offscreen platform leaves a closed menu or message box the active window; a desktop
    // gives the activation back to the main window, as here.
    [[nodiscard]] bool activateMain()
    {
        if (QApplication::activeWindow() != &main())
            main().activateWindow();
        return waitActive(main());
    }

    // Pastes text the way the text box's context menu does, without a key press.
    void paste(platform::forms::TextBox* into, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        into->paste();
    }

    // Switches to range mode with the keyboard and types both bounds.
    [[nodiscard]] bool enterRange(const QString& low, const QString& high)
    {
        if (!activateMain())
            return false;
        QTest::keyClick(&main(), Qt::Key_R, Qt::AltModifier);
        if (!QTest::qWaitFor([this] { return optrange()->isChecked(); }))
            return false;
        QTest::keyClicks(txtone(), low);
        QTest::keyClicks(txttwo(), high);
        return true;
    }

private:
    DesktopFocus desktopFocus_;
    Program program_;
    MessageBoxAnswerer boxes_;
};
