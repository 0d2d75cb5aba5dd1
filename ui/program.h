#pragma once

#include "platform/forms/runtime.h"

#include <memory>

class frmmain;
class frmname;

// One run of Dicewright: the runtime with the program's two windows, each created on first
// use. The run ends (the runtime's ended()) when both windows are unloaded.
class Program : public platform::forms::Runtime {
    Q_OBJECT

public:
    Program();
    ~Program() override;

    // Creates and loads the startup window, the main window; its Load handler brings up the
    // name window.
    void start();

    // Starts the program and runs the event loop until the run ends; returns the exit status.
    int exec();

    frmmain& mainForm();
    frmname& nameForm();

private:
    std::unique_ptr<frmmain> main_;
    std::unique_ptr<frmname> name_;
};
