#pragma once

class QLabel;

namespace platform::desktop {

// Lets a label's text be selected with the mouse and copied from its context menu (Copy,
// Select All). The label still never takes the focus, so keys and the tab order are as before.
void makeCopyable(QLabel* label);

} // namespace platform::desktop
