#pragma once

#include <QString>

#include <span>

class QLabel;
class QObject;
class QWidget;

namespace platform::forms {

// Converts the designer's twips (1/1440 inch) to pixels: 15 twips a pixel, times one factor
// for the whole window. The layouts were drawn for a small 8-point font; where the desktop's
// font or style needs more room, the whole layout grows by the same factor, so every
// position and size keeps its proportion and no caption is clipped.
class TwipsScale {
public:
    explicit TwipsScale(double factor = 1.0) : pixelsPerTwip_(factor / 15.0) {}

    int toPixels(int twips) const;

private:
    double pixelsPerTwip_;
};

enum class ControlKind { TextBox, Label, Frame, OptionButton, CommandButton };

class TextBox;
class Frame;
class OptionButton;
class CommandButton;

// The kind of control a member of that type holds.
template <typename Control> struct KindOf;
// clang-format off
template <> struct KindOf<TextBox> { static constexpr ControlKind kind = ControlKind::TextBox; };
template <> struct KindOf<QLabel> { static constexpr ControlKind kind = ControlKind::Label; };
template <> struct KindOf<Frame> { static constexpr ControlKind kind = ControlKind::Frame; };
template <> struct KindOf<OptionButton> { static constexpr ControlKind kind = ControlKind::OptionButton; };
template <> struct KindOf<CommandButton> { static constexpr ControlKind kind = ControlKind::CommandButton; };
// clang-format on

// The window's member that holds a control of the designer data, and so the control's kind:
// a row names its control once, and the kind always matches the member.
struct ControlMember {
    ControlKind kind;
    void (*bind)(QObject* window, QWidget* control);
};

template <typename Member> struct MemberOf;
template <typename Window, typename Control> struct MemberOf<Control * Window::*> {
    using WindowType = Window;
    using ControlType = Control;
};

// The row's member, &frmmain::txtone_ written as member<&frmmain::txtone_>. Its control was
// made by the kind of the member, so it is of the member's type.
template <auto pointer>
inline constexpr ControlMember member{
    KindOf<typename MemberOf<decltype(pointer)>::ControlType>::kind,
    [](QObject* window, QWidget* control) {
        using Of = MemberOf<decltype(pointer)>;
        static_cast<typename Of::WindowType*>(window)->*pointer =
            static_cast<typename Of::ControlType*>(control);
    }};

// One control of a window's designer data. Positions are in twips from the top-left corner
// of the window's client area, or of the frame named as its container.
struct ControlDef {
    const char* name;
    ControlMember member;
    const char* caption; // "&" marks the access key
    int left;
    int top;
    int width;
    int height;
    bool visible;
    bool enabled;
    int tabIndex;
    const char* container = nullptr;
    int maxLength = 0; // 0: the toolkit's own limit
    bool centred = false;
    const char* widest = nullptr; // a text box's widest text, where no length limit sets it
};

// The window itself: caption, client area in twips and its title-bar buttons.
struct FormDef {
    const char* caption;
    int clientWidth;
    int clientHeight;
    bool minimizeButton;
};

// What a screen reader announces for a control, where its caption alone does not say it.
struct AccessibleText {
    const char* control;
    const char* name; // nullptr: the caption
    const char* description;
};

// Gives the named controls on `client` their accessible names and descriptions.
void describeControls(QWidget* client, std::span<const AccessibleText> texts);

// Creates the controls on `client` with their names, captions and states, sets each one's
// member of `window`, chains the focus in tab-index order, and places them at the smallest
// scale (at least 15 twips a pixel) at which each control's content fits. Returns that scale.
TwipsScale buildControls(QObject* window, QWidget* client, std::span<const ControlDef> controls);

} // namespace platform::forms
