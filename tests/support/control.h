#pragma once

// A window's control by its name, for tests and the benchmark, which drive the windows from
// outside. A name the window does not have, or a control of another kind, ends the run with
// a message that names it, in every build.

#include "platform/forms/form.h"

#include <QtGlobal>

template <typename Control> Control* control(platform::forms::Form& window, const char* name)
{
    auto* found = window.clientArea()->findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no control \"%s\" of the kind asked for", qPrintable(window.objectName()),
               name);
    return found;
}
