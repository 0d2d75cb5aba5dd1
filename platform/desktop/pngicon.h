#pragma once

#include <QIcon>
#include <QStringList>

namespace platform::desktop {

// An icon drawn from PNG files, one a size. A file is decoded only when a size it serves is
// asked for, and read as PNG without Qt trying its image plugins on it; the sizes on offer
// come from the files' headers, so the window system still learns every one. Not a
// workaround of a fault, so it holds on every Qt: Qt's own icon reads every file as it is
// added, and lets each image plugin look at it first.
QIcon pngIcon(const QStringList& files);

} // namespace platform::desktop
