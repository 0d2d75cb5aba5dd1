#pragma once

#include "platform/forms/form.h"

namespace platform::forms {
struct ControlDef;
class CommandButton;
class TextBox;
} // namespace platform::forms

class Program;
class QLabel;

// The name window: every key typed into the name box adds to the key total, and OK
// publishes that total as the main window's seed.
class frmname : public platform::forms::Form {
    Q_OBJECT

public:
    explicit frmname(Program& program);

    platform::forms::TextBox* txtname();

private:
    void controlsBuilt() override;
    void connectHandlers();

    void Form_Load() override;
    void Form_Unload() override;
    void txtname_KeyPress(qint16& KeyAscii);
    void txtname_Change();
    void cmdok_Click();

    // The designer data: each row names its control and the member that holds it.
    static const platform::forms::ControlDef designer[];

    Program& program_;
    // The controls, from the window's designer data once it is built.
    platform::forms::TextBox* txtname_ = nullptr;
    platform::forms::CommandButton* cmdok_ = nullptr;
    QLabel* Label1_ = nullptr;

    // Every key code typed into the name box in this run; never reset.
    qint16 keytotal = 0;
};
