#pragma once

// A fresh run of Dicewright for one test, driven as a person drives it: keys, clicks and
// menus on the real widgets, message boxes answered with OK.

#include "desktopfocus.h"
#include "messageboxanswerer.h"
#include "platform/controls.h"
#include "platform/textbox.h"
#include "ui/frmmain.h"
#include "ui/frmname.h"
#include "ui/program.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

class Session {
public:
    Session()
    {
        program.start();
        waitActive(name());
    }

    frmmain& main() { return program.mainForm(); }
    frmname& name() { return program.nameForm(); }

    template <typename T> T* on(QWidget& window, const char* objectName)
    {
        auto* found = window.findChild<T*>(QString::fromLatin1(objectName));
        if (!found)
            qFatal("no control %s", objectName);
        return found;
    }
    platform::TextBox* box(QWidget& window, const char* objectName)
    {
        return on<platform::TextBox>(window, objectName);
    }
    platform::TextBox* txtname() { return box(name(), "txtname"); }
    platform::TextBox* txtone() { return box(main(), "txtone"); }
    platform::TextBox* txttwo() { return box(main(), "txttwo"); }
    platform::TextBox* txtvalue() { return box(main(), "txtvalue"); }
    QPushButton* cmdok() { return on<QPushButton>(name(), "cmdok"); }
    QPushButton* cmdget() { return on<QPushButton>(main(), "cmdget"); }
    QRadioButton* optpure() { return on<QRadioButton>(main(), "optpure"); }
    QRadioButton* optrange() { return on<QRadioButton>(main(), "optrange"); }
    QString number() { return on<QLabel>(main(), "lblnumber")->text(); }
    QString greeting() { return on<platform::Frame>(main(), "frmrandom")->caption(); }
    qint32 lastvalue() { return main().property("lastvalue").toInt(); }

    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Types a name and presses OK; the main window comes up.
    void enterName(const QString& typed)
    {
        waitActive(name());
        QTest::keyClicks(txtname(), typed);
        click(cmdok());
        waitActive(main());
    }

    // Chooses a menu item with the mouse: the menu bar entry, then the item in its drop-down.
    void chooseMenu(const char* item)
    {
        QMenuBar* bar = main().menuBar();
        auto* action = main().findChild<QAction*>(QString::fromLatin1(item));
        QVERIFY(action);
        if (bar->actions().contains(action)) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
            return;
        }
        auto* menu = main().findChild<QMenu*>(QStringLiteral("random"));
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTRY_VERIFY(!menu->isVisible());
        if (main().isVisible())
            activateMain();
    }

    // The offscreen platform leaves a closed menu or message box the active window; a desktop
    // gives the activation back to the main window, as here.
    void activateMain()
    {
        if (QApplication::activeWindow() != &main())
            main().activateWindow();
        waitActive(main());
    }

    // A window manager or compositor activates a window some time after showing it. Qt's own
    // wait gives up at once where the platform cannot be asked to activate (Wayland), and the
    // platform may call a window active before the application does; keys and shortcuts go by
    // the application's active window, so that is what this waits for.
    static void waitActive(QWidget& window)
    {
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &window, 5000);
    }

    // Pastes text the way the text box's context menu does, without a key press.
    void paste(platform::TextBox* into, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        into->paste();
    }

    // Switches to range mode with the keyboard and types both bounds.
    void enterRange(const QString& low, const QString& high)
    {
        activateMain();
        QTest::keyClick(&main(), Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(optrange()->isChecked());
        QTest::keyClicks(txtone(), low);
        QTest::keyClicks(txttwo(), high);
    }

    DesktopFocus desktopFocus;
    Program program;
    MessageBoxAnswerer boxes;
};
