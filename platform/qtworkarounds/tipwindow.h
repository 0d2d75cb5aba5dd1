#pragma once

// Qt workaround: Qt's Wayland client before 6.4.3; fixed by qtwayland 6.4.3 and 6.5.0; off
// when hidesBetweenFrames() is false (betweenframes.h).
//
// A tooltip window the program owns, where windows hide between frames: Qt shows and hides
// its own tooltip itself, out of the program's reach, so it would hide mid-frame. It looks
// like Qt's, stands where Qt's would, and goes when the pointer leaves its owner, the owner
// hides, a button is pressed, or after ten seconds.

#include "platform/qtworkarounds/betweenframes.h"

#include <QLabel>
#include <QTimer>

namespace platform::qtworkarounds {

class TipWindow : public HidesBetweenFrames<QLabel> {
public:
    explicit TipWindow(QWidget* owner);

    void showText(const QPoint& globalPos, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer expiry_;
};

// Shows the tooltip of `owner` in a TipWindow of its own, made on first use, where windows
// hide between frames, and returns true; returns false elsewhere, for Qt's own tooltip. For
// an owner's event() on QEvent::ToolTip.
bool showOwnTip(QWidget* owner, QEvent* toolTipEvent);

} // namespace platform::qtworkarounds
