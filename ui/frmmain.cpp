#include "ui/frmmain.h"

#include "core/numbers.h"
#include "platform/desktop/announce.h"
#include "platform/desktop/copyable.h"
#include "platform/desktop/msgbox.h"
#include "platform/forms/controls.h"
#include "platform/forms/conversions.h"
#include "platform/forms/handler.h"
#include "platform/forms/sendkeys.h"
#include "platform/forms/textbox.h"
#include "ui/frmname.h"
#include "ui/program.h"

#include <QLabel>
#include <QMenuBar>

using namespace platform::forms; // the forms runtime the window is written against

namespace {

constexpr FormDef design{"Dicewright", 3315, 2175, true};

constexpr AccessibleText accessibleTexts[] = {
    {"optpure", nullptr, "Draws a number from 1 upwards"},
    {"optrange", nullptr, "Draws a number between the low and the high bound"},
    {"txtone", "Low bound", "The lowest number to draw; digits only"},
    {"txttwo", "High bound", "The highest number to draw; digits only"},
    {"txtvalue", "Seed", "The seed the next number is drawn from; made from the keys of your name"},
    {"cmdget", nullptr, "Draws a number from the seed"},
    {"lblnumber", nullptr, "Your number"},
};

const QString noNumber = QStringLiteral("000000000000000000000000000");
const QString greetingEnd = QStringLiteral(", your number is:");
const QString emptyRangeMessage = QStringLiteral("Please enter a number range.");
const QString aboutText =
    QStringLiteral("Dicewright was created by Tamsovar for creating random numbers using a seed "
                   "value.  The seed is generated using a combonation of ASCII values based on "
                   "letters of your name.  Send comments to dicewright@example.org");

} // namespace

// clang-format off
const ControlDef frmmain::designer[] = {
    // name       member                        caption                          left  top   width height visible enabled tab container    max centred widest
    {"txttwo",    member<&frmmain::txttwo_>,    "",                              2160, 600,  1095, 285,  false,  true,   9, nullptr,     11},
    {"txtone",    member<&frmmain::txtone_>,    "",                              720,  600,  1095, 285,  false,  true,   7, nullptr,     11},
    {"optrange",  member<&frmmain::optrange_>,  "Generate number in a &range.",  120,  360,  2535, 195,  true,   true,   5},
    {"optpure",   member<&frmmain::optpure_>,   "Generate &pure random number.", 120,  120,  2535, 195,  true,   true,   0},
    {"txtvalue",  member<&frmmain::txtvalue_>,  "",                              150,  1740, 615,  285,  false,  true,   4, nullptr,     0,  false, "-32768"},
    {"cmdget",    member<&frmmain::cmdget_>,    "&Get Number",                   960,  1680, 1335, 375,  true,   false,  3},
    {"frmrandom", member<&frmmain::frmrandom_>, "",                              120,  960,  3135, 615,  true,   true,   1},
    {"lblnumber", member<&frmmain::lblnumber_>, "000000000000000000000000000",   120,  240,  2895, 255,  true,   true,   2, "frmrandom", 0,  true},
    {"lblto",     member<&frmmain::lblto_>,     "to",                            1920, 600,  135,  255,  false,  true,   8},
    {"lblrange",  member<&frmmain::lblrange_>,  "Range:",                        120,  600,  615,  255,  false,  true,   6},
};
// clang-format on

frmmain::frmmain(Program& program) : Form(program, design, designer), program_(program)
{
    setObjectName(QStringLiteral("frmmain"));
}

CommandButton* frmmain::cmdget()
{
    clientArea(); // the controls, built first
    return cmdget_;
}

TextBox* frmmain::txtvalue()
{
    clientArea();
    return txtvalue_;
}

void frmmain::controlsBuilt()
{
    describeControls(clientArea(), accessibleTexts);
    // People paste a drawn number elsewhere.
    platform::desktop::makeCopyable(lblnumber_);
    createMenu();
    connectHandlers();
}

void frmmain::createMenu()
{
    QMenuBar* bar = addMenuBar();
    QMenu* random = addMenu(QStringLiteral("&Dicewright"));
    random->setObjectName(QStringLiteral("random"));
    gennum_ = new MenuItem(QStringLiteral("gennum"), QStringLiteral("&Generate Number"), this);
    seed_ = new MenuItem(QStringLiteral("seed"), QStringLiteral("&Create new seed"), this);
    view_ = new MenuItem(QStringLiteral("view"), QStringLiteral("&View Seed"), this);
    view_->setCheckable(true);
    about_ = new MenuItem(QStringLiteral("about"), QStringLiteral("&About"), this);
    random->addActions({gennum_, seed_, view_, about_});
    // Exit is a command on the menu bar itself.
    exit_ = new MenuItem(QStringLiteral("exit"), QStringLiteral("&Exit"), this);
    bar->addAction(exit_);
}

void frmmain::connectHandlers()
{
    connectHandler(optpure_, &OptionButton::Click, this, &frmmain::optpure_Click);
    connectHandler(optrange_, &OptionButton::Click, this, &frmmain::optrange_Click);
    connectHandler(cmdget_, &CommandButton::Click, this, &frmmain::cmdget_Click);
    connectHandler(txtone_, &TextBox::KeyPress, this, &frmmain::txtone_KeyPress);
    connectHandler(txttwo_, &TextBox::KeyPress, this, &frmmain::txttwo_KeyPress);
    connectHandler(txtone_, &TextBox::Change, this, &frmmain::txtone_Change);
    connectHandler(txttwo_, &TextBox::Change, this, &frmmain::txttwo_Change);
    connectHandler(gennum_, &MenuItem::Click, this, &frmmain::gennum_Click);
    connectHandler(seed_, &MenuItem::Click, this, &frmmain::seed_Click);
    connectHandler(view_, &MenuItem::Click, this, &frmmain::view_Click);
    connectHandler(about_, &MenuItem::Click, this, &frmmain::about_Click);
    connectHandler(exit_, &MenuItem::Click, this, &frmmain::exit_Click);
}

// Window life cycle

void frmmain::Form_Load()
{
    program_.nameForm().showForm();
}

void frmmain::Form_Unload()
{
    program_.nameForm().unloadForm();
}

void frmmain::firstShown()
{
    // Pure mode is the mode a person meets first: the first option takes the focus and is
    // selected, so Get Number never finds neither mode chosen.
    optpure_->setFocus();
    optpure_->setChecked(true);
}

void frmmain::exit_Click()
{
    program_.nameForm().unloadForm();
    unloadForm();
}

void frmmain::seed_Click()
{
    lblnumber_->setText(noNumber);
    frmrandom_->setCaption(QString());
    hideForm();
    frmname& name = program_.nameForm();
    name.showForm();
    name.txtname()->setText(QString());
}

// Mode options, menu and About

void frmmain::optpure_Click()
{
    setRangeControls(false);
}

void frmmain::optrange_Click()
{
    setRangeControls(true);
    txtone_->setFocus();
}

void frmmain::setRangeControls(bool shown)
{
    lblrange_->setVisible(shown);
    txtone_->setVisible(shown);
    txtone_->setText(QString());
    lblto_->setVisible(shown);
    txttwo_->setVisible(shown);
    txttwo_->setText(QString());
}

void frmmain::view_Click()
{
    view_->setChecked(!view_->isChecked());
    txtvalue_->setVisible(view_->isChecked());
}

void frmmain::about_Click()
{
    platform::desktop::msgBox(aboutText, QStringLiteral("About..."));
}

void frmmain::gennum_Click()
{
    // Alt+G presses Get Number, and does nothing while it is disabled.
    sendKeys(QStringLiteral("%G"));
}

// Drawing a number

void frmmain::cmdget_Click()
{
    if (optpure_->isChecked())
        ifPure();
    else
        ifrange();
}

void frmmain::ifPure()
{
    writeGreeting();
    const float draw = reseedAndDraw();
    showNumber(checkedFloat(core::pureNumber(draw)));
}

void frmmain::ifrange()
{
    if (txtone_->text() == QString() || txttwo_->text() == QString()) {
        platform::desktop::msgBox(emptyRangeMessage, program_.title());
        return;
    }
    const double low = readBound(txtone_, core::lowBoundCap);
    const double high = readBound(txttwo_, core::highBoundCap);
    writeGreeting();
    const float draw = reseedAndDraw();
    showNumber(core::rangeNumber(low, high, draw));
}

double frmmain::readBound(TextBox* box, const core::BoundCap& cap)
{
    const double bound = toDouble(box->text());
    if (!cap.appliesTo(bound))
        return bound;
    // The box's own Change handler runs inside this write and may empty it again; the
    // draw uses the cap all the same.
    box->setText(decimalText(cap.value));
    return cap.value;
}

void frmmain::writeGreeting()
{
    frmrandom_->setCaption(program_.nameForm().txtname()->text() + greetingEnd);
}

float frmmain::reseedAndDraw()
{
    Generator& generator = program_.generator();
    generator.reseed(toInteger(txtvalue_->text()));
    return generator.next();
}

void frmmain::showNumber(double wholeNumber)
{
    lastvalue = toLong(wholeNumber);
    lblnumber_->setText(decimalText(lastvalue));
    // The focus stays where it was, so a screen reader is told the number, with its greeting.
    platform::desktop::announce(this, frmrandom_->caption() + u' ' + lblnumber_->text());
}

// The bound boxes accept digits only: any other key empties the whole box.

void frmmain::txtone_KeyPress(qint16& KeyAscii)
{
    lastvalue = KeyAscii;
}

void frmmain::txttwo_KeyPress(qint16& KeyAscii)
{
    lastvalue = KeyAscii;
}

void frmmain::txtone_Change()
{
    if (!core::isDigitCode(lastvalue))
        txtone_->setText(QString());
}

void frmmain::txttwo_Change()
{
    if (!core::isDigitCode(lastvalue))
        txttwo_->setText(QString());
}
