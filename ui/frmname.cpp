#include "ui/frmname.h"

#include "core/keytotal.h"
#include "platform/forms/controls.h"
#include "platform/forms/conversions.h"
#include "platform/forms/handler.h"
#include "platform/forms/textbox.h"
#include "ui/frmmain.h"
#include "ui/program.h"

#include <QLabel>

using namespace platform::forms; // the forms runtime the window is written against

namespace {

constexpr FormDef design{"Dicewright", 3555, 1110, false};

constexpr AccessibleText accessibleTexts[] = {
    {"txtname", nullptr, "Every key you press here adds to the seed"},
    {"cmdok", nullptr, "Uses the keys you typed as the seed and opens the main window"},
};

} // namespace

// clang-format off
const ControlDef frmname::designer[] = {
    // name     member                     caption               left  top   width height visible enabled tab
    {"cmdok",   member<&frmname::cmdok_>,   "&OK",                1200, 720,  1215, 315,   true,   false,  2},
    {"txtname", member<&frmname::txtname_>, "",                   1680, 240,  1815, 285,   true,   true,   1},
    {"Label1",  member<&frmname::Label1_>,  "What is your name?", 120,  240,  1455, 255,   true,   true,   0},
};
// clang-format on

frmname::frmname(Program& program) : Form(program, design, designer), program_(program)
{
    setObjectName(QStringLiteral("frmname"));
}

TextBox* frmname::txtname()
{
    clientArea(); // the controls, built first
    return txtname_;
}

void frmname::controlsBuilt()
{
    // The prompt labels the name box, so a screen reader reads them together.
    Label1_->setBuddy(txtname_);
    describeControls(clientArea(), accessibleTexts);
    connectHandlers();
}

void frmname::connectHandlers()
{
    connectHandler(txtname_, &TextBox::KeyPress, this, &frmname::txtname_KeyPress);
    connectHandler(txtname_, &TextBox::Change, this, &frmname::txtname_Change);
    connectHandler(cmdok_, &CommandButton::Click, this, &frmname::cmdok_Click);
}

void frmname::Form_Load()
{
    program_.mainForm().hideForm();
}

void frmname::Form_Unload()
{
    unloadForm();
    program_.mainForm().unloadForm();
}

void frmname::txtname_KeyPress(qint16& KeyAscii)
{
    keytotal = core::addKeyCode(keytotal, KeyAscii);
}

void frmname::txtname_Change()
{
    cmdok_->setEnabled(txtname_->text() != QString());
}

void frmname::cmdok_Click()
{
    frmmain& main = program_.mainForm();
    main.cmdget()->setEnabled(true);
    hideForm();
    main.showForm();
    main.txtvalue()->setText(decimalText(keytotal));
}
