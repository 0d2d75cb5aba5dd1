#pragma once

#include "platform/desktop/window.h"
#include "platform/forms/designer.h"

#include <QPointer>
#include <QWidget>

#include <span>

class QMenu;
class QMenuBar;

namespace platform::forms {

class Runtime;

// A window of the program. One instance lives for the whole run; it is loaded, shown, hidden
// and unloaded as the program asks. Its controls and menu are built from its designer data
// the first time they are needed (when the window is first shown, or a control is first
// asked for), so a window that is never used costs nothing; build() is the one place that
// happens, and no control is reachable before it is done.
class Form : public desktop::Window<QWidget> {
    Q_OBJECT

public:
    Form(Runtime& runtime, const FormDef& form, std::span<const ControlDef> controls);

    bool isLoaded() const { return state_ != State::NotLoaded; }

    // Runs Form_Load once, unless the window is loaded already.
    void loadForm();
    // Modeless and without an owner; loads the window first when needed.
    void showForm();
    // The window stays loaded and keeps its controls.
    void hideForm();
    // Runs Form_Unload, then closes the window. A window that is not loaded, or already
    // unloading, is left alone.
    void unloadForm();

    // The area the controls stand in, and the menu bar above it (none for a window without
    // a menu); the window built first.
    QWidget* clientArea();
    QMenuBar* menuBar();

signals:
    // The window's Unload event is being delivered; then the window has gone.
    void unloading();
    void unloaded();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // The first time the window comes on screen (the runtime's own, not an event of the
    // design).
    virtual void firstShown() {}
    // The controls stand as the designer data has them; the window adds what that data does
    // not say (its menu, accessible texts, handlers).
    virtual void controlsBuilt() {}

    Runtime& runtime() const { return runtime_; }
    // Puts a menu bar above the controls, and a menu on it; for controlsBuilt().
    QMenuBar* addMenuBar();
    QMenu* addMenu(const QString& title);

    void closeEvent(QCloseEvent* event) override;

private:
    enum class State { NotLoaded, Loaded, Unloading };

    void build();
    void placeAtCentre();
    void restoreFocus();

    Runtime& runtime_;
    FormDef design_;
    std::span<const ControlDef> controls_;
    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    State state_ = State::NotLoaded;
    bool shownBefore_ = false;
    QPointer<QWidget> focusWhenHidden_;
};

} // namespace platform::forms
