#pragma once

// Qt workaround: Qt's Wayland client before 6.4.3; fixed by qtwayland 6.4.3 and 6.5.0 ("Fix
// frame sync related to unprotected multithread access"); off when hasFrameRace(
// QLibraryInfo::version()) is false or the platform is not Wayland.
//
// Windows that hide only between two of their frames. Qt's Wayland client before 6.4.3 keeps
// the callback that tells a window its frame is on screen on an event thread of its own, which
// releases the callback as it arrives, and then takes the window's frame lock, without any
// lock held against the main thread. Hiding the window releases the callback too, from the
// main thread: when both happen at once the program aborts inside the Wayland client library.
// Destroying the window while that thread is still in its callback destroys a lock it holds.

#include <QVersionNumber>
#include <QWidget>

#include <functional>

namespace platform::qtworkarounds {

bool hasFrameRace(const QVersionNumber& qt);
// Whether windows here hide between frames: on Wayland, with a Qt that has the race.
bool hidesBetweenFrames();

// Hides a window between two of its frames, where the race above needs it: the window paints
// no more and asks for its next update, which Qt delivers once no frame of it is in flight,
// and `hide` runs there; then it waits until Qt's frame thread has let go of the window, so
// the window may be destroyed from then on. Input waits meanwhile, and reaches its window
// after the hide. A window already not shown to Qt when the hide begins (not yet, or its frame
// is late) hides at its update, at its late frame, or after a tenth of a second; one that gets
// no frame within a second (a compositor that stopped drawing it) hides then. A second hide
// while the first waits waits for the same moment. Either way the window is hidden on return.
// Elsewhere `hide` runs at once.
void hideBetweenFrames(QWidget& window, const std::function<void()>& hide);

// Qt takes a window whose frame is later than a tenth of a second for one not shown, and
// drops the update the window asked for; a window waiting to hide would then wait out its
// second. Where the race is, Qt's limit is set well past it, unless the user chose one.
// Before the QApplication is made.
void allowLateFrames();

// A window whose every hide, whoever asks for it, waits as hideBetweenFrames does.
template <typename Window> class HidesBetweenFrames : public Window {
public:
    using Window::Window;
    // A window destroyed while shown hides first, as any hide does.
    ~HidesBetweenFrames() override
    {
        if (this->isVisible())
            hideBetweenFrames(*this, [this] { Window::setVisible(false); });
    }

    void setVisible(bool visible) override
    {
        if (visible)
            Window::setVisible(true);
        else
            hideBetweenFrames(*this, [this] { Window::setVisible(false); });
    }
};

} // namespace platform::qtworkarounds
