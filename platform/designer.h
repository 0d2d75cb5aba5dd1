#pragma once

#include <QString>

#include <span>

class QWidget;

namespace platform {

// Converts the designer's twips (1/1440 inch) to pixels: 15 twips a pixel, times one factor
// for the whole window. The layouts were drawn for a small 8-point font; where the desktop's
// font or style needs more room, the whole layout grows by the same factor, so every
// position and size keeps its proportion and no caption is clipped.
class TwipsScale {
public:
    explicit TwipsScale(double factor = 1.0) : pixelsPerTwip_(factor / 15.0) {}

    int toPixels(int twips) const;
    double pixelsPerTwip() const { return pixelsPerTwip_; }

private:
    double pixelsPerTwip_;
};

enum class ControlKind { TextBox, Label, Frame, OptionButton, CommandButton };

// One control of a window's designer data. Positions are in twips from the top-left corner
// of the window's client area, or of the frame named as its container.
struct ControlDef {
    const char* name;
    ControlKind kind;
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

// Creates the controls on `client` with their names, captions and states, chains the focus in
// tab-index order, and places them at the smallest scale (at least 15 twips a pixel) at
// which each control's content fits. Returns that scale.
TwipsScale buildControls(QWidget* client, std::span<const ControlDef> controls);

} // namespace platform
