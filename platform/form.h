#pragma once

#include "platform/designer.h"

#include <QMainWindow>

#include <span>

namespace platform {

class Runtime;

// A window of the program: built from its designer data when first used, then loaded,
// shown, hidden and unloaded as the program asks. One instance lives for the whole run.
class Form : public QMainWindow {
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

signals:
    // The window's Unload event is being delivered; then the window has gone.
    void unloading();
    void unloaded();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(qint16& Cancel);
    // The first time the window comes on screen.
    virtual void Form_FirstShow() {}

    Runtime& runtime() const { return runtime_; }
    // A control of the designer data, by name. A name that the window does not have, or a
    // control of another kind, stops a debug build at once.
    template <typename Control> Control* control(const char* name) const
    {
        auto* found = findChild<Control*>(QString::fromLatin1(name));
        Q_ASSERT_X(found, "Form::control", name);
        return found;
    }

    void closeEvent(QCloseEvent* event) override;

private:
    enum class State { NotLoaded, Loaded, Unloading };

    void placeAtCentre();

    Runtime& runtime_;
    State state_ = State::NotLoaded;
    bool shownBefore_ = false;
};

} // namespace platform
