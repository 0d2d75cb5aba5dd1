#pragma once

#include "platform/betweenframes.h"

#include <QLabel>
#include <QTimer>

namespace platform {

// A tooltip window the program owns, for where Qt's own would hide mid-frame (Qt shows and
// hides its tooltip itself, out of the program's reach). It looks like Qt's, stands where
// Qt's would, and goes when the pointer leaves its owner, the owner hides, a button is
// pressed, or after ten seconds.
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

// Shows the tooltip of `owner` in its TipWindow, made on first use, where windows hide
// between frames; returns false elsewhere, for Qt's own tooltip. For an owner's event() on
// QEvent::ToolTip.
bool showOwnTip(QWidget* owner, TipWindow*& tip, QEvent* toolTipEvent);

} // namespace platform
