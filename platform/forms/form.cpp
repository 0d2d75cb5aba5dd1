#include "platform/forms/form.h"

#include "platform/forms/handler.h"
#include "platform/forms/runtime.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QVBoxLayout>

namespace platform::forms {

Form::Form(Runtime& runtime, const FormDef& form, std::span<const ControlDef> controls)
    : runtime_(runtime), design_(form), controls_(controls)
{
    setWindowTitle(QString::fromLatin1(form.caption));
    setWindowIcon(runtime.icon());
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (form.minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
}

void Form::build()
{
    if (client_)
        return;
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    const TwipsScale scale = buildControls(this, client, controls_);
    client->setFixedSize(scale.toPixels(design_.clientWidth), scale.toPixels(design_.clientHeight));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins({});
    layout->setSpacing(0);
    layout->addWidget(client);
    // Fixed border: the window is exactly its client area plus any menu bar.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    client_ = client;
    controlsBuilt();
}

QWidget* Form::clientArea()
{
    build();
    return client_;
}

QMenuBar* Form::menuBar()
{
    build();
    return menuBar_;
}

namespace {

// With a screen reader listening, Qt hands it every key and delivers the key again once the
// screen reader lets it through. The letter of an access key is taken by its shortcut first
// and never handed over, so Alt comes back on its own, and the menu bar would take it for Alt
// pressed by itself and open its menu; the next keys would go there. A menu that Alt+D has
// just opened would take it the same way and close, and the item's letter typed next would go
// to the window. So while assistive technology listens, Alt alone leaves the menu bar and its
// menus be; Alt with a letter still opens a menu.
class MenuBarStyle : public QProxyStyle {
public:
    explicit MenuBarStyle(QObject* owner) : QProxyStyle(QApplication::style()->name())
    {
        setParent(owner);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation && QAccessible::isActive())
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

} // namespace

QMenuBar* Form::addMenuBar()
{
    menuBar_ = new QMenuBar(this);
    menuBar_->setStyle(new MenuBarStyle(menuBar_));
    layout()->setMenuBar(menuBar_);
    return menuBar_;
}

QMenu* Form::addMenu(const QString& title)
{
    auto* menu = new desktop::Window<QMenu>(title, menuBar_);
    menu->setStyle(new MenuBarStyle(menu));
    menuBar_->addMenu(menu);
    return menu;
}

void Form::loadForm()
{
    if (isLoaded())
        return;
    state_ = State::Loaded;
    runtime_.formLoaded();
    runHandler([this] { Form_Load(); });
}

void Form::showForm()
{
    loadForm();
    if (!isLoaded())
        return; // unloaded by its own Load handler
    build();
    const bool first = !shownBefore_;
    if (first) {
        placeAtCentre();
        shownBefore_ = true;
    }
    show();
    // The form shown is the one the person works in next. A window manager that guards against
    // focus stealing would otherwise leave the focus with the window just hidden.
    activateWindow();
    if (first)
        runHandler([this] { firstShown(); });
    else
        restoreFocus();
}

void Form::hideForm()
{
    if (isVisible())
        focusWhenHidden_ = focusWidget();
    hide();
}

void Form::restoreFocus()
{
    // A window that comes back has the focus where the person left it. Qt 6.8 keeps it so,
    // but Qt 6.4 on X11 gives it to the first control when the window is activated again.
    QWidget* control = focusWhenHidden_;
    if (control && control->isVisibleTo(this) && control->isEnabled())
        control->setFocus(Qt::ActiveWindowFocusReason);
}

void Form::unloadForm()
{
    if (state_ != State::Loaded)
        return;
    state_ = State::Unloading;
    emit unloading();
    runHandler([&] { Form_Unload(); });
    hide();
    state_ = State::NotLoaded;
    emit unloaded();
    runtime_.formUnloaded();
}

void Form::closeEvent(QCloseEvent* event)
{
    // The close box unloads the window; whether it goes is up to unloadForm.
    event->ignore();
    unloadForm();
}

void Form::placeAtCentre()
{
    adjustSize();
    if (const QScreen* where = screen())
        move(where->availableGeometry().center() - rect().center());
}

} // namespace platform::forms
