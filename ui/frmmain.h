#pragma once

// Two kinds of names, one rule: names that come from the program's original design keep its
// spelling (frmmain, cmdget_Click, KeyAscii, lastvalue, Form_Load), even where two of them
// differ in case (ifPure beside ifrange); everything the runtime on Qt adds is Qt style
// (readBound, controlsBuilt, firstShown, private data members ending in _). A design name is
// never given a Qt-style twin: lastvalue is read as the property "lastvalue".

#include "platform/forms/form.h"

namespace core {
struct BoundCap;
}
namespace platform::forms {
struct ControlDef;
class CommandButton;
class Frame;
class MenuItem;
class OptionButton;
class TextBox;
} // namespace platform::forms

class QLabel;
class Program;

// The main window: draws numbers from the seed, in pure mode or between two bounds, and
// shows them under a greeting with the person's name.
class frmmain : public platform::forms::Form {
    Q_OBJECT
    // The last key code typed into a bound box or the last number drawn, whichever came later.
    Q_PROPERTY(qint32 lastvalue READ readLastvalue)

public:
    explicit frmmain(Program& program);

    platform::forms::CommandButton* cmdget();
    platform::forms::TextBox* txtvalue();

private:
    qint32 readLastvalue() const { return lastvalue; }
    void controlsBuilt() override;
    void createMenu();
    void connectHandlers();

    void Form_Load() override;
    void Form_Unload() override;
    void firstShown() override;

    void optpure_Click();
    void optrange_Click();
    void view_Click();
    void about_Click();
    void gennum_Click();
    void seed_Click();
    void exit_Click();
    void cmdget_Click();
    void ifPure();
    void ifrange();
    void txtone_KeyPress(qint16& KeyAscii);
    void txttwo_KeyPress(qint16& KeyAscii);
    void txtone_Change();
    void txttwo_Change();

    // Steps the two modes share.
    double readBound(platform::forms::TextBox* box, const core::BoundCap& cap);
    void writeGreeting();
    float reseedAndDraw();
    void showNumber(double wholeNumber);
    void setRangeControls(bool shown);

    // The designer data: each row names its control and the member that holds it.
    static const platform::forms::ControlDef designer[];

    Program& program_;
    // The controls, from the window's designer data once it is built.
    platform::forms::TextBox* txttwo_ = nullptr;
    platform::forms::TextBox* txtone_ = nullptr;
    platform::forms::OptionButton* optrange_ = nullptr;
    platform::forms::OptionButton* optpure_ = nullptr;
    platform::forms::TextBox* txtvalue_ = nullptr;
    platform::forms::CommandButton* cmdget_ = nullptr;
    platform::forms::Frame* frmrandom_ = nullptr;
    QLabel* lblnumber_ = nullptr;
    QLabel* lblto_ = nullptr;
    QLabel* lblrange_ = nullptr;
    platform::forms::MenuItem* gennum_ = nullptr;
    platform::forms::MenuItem* seed_ = nullptr;
    platform::forms::MenuItem* view_ = nullptr;
    platform::forms::MenuItem* about_ = nullptr;
    platform::forms::MenuItem* exit_ = nullptr;

    qint32 lastvalue = 0;
};
