#pragma once

// Starts the Qt workarounds that must be in place before Qt itself starts. Every workaround
// lives in this folder and opens with the line "// Qt workaround: <versions>; fixed by
// <upstream>; off when <check>"; docs/QT-WORKAROUNDS.md lists them and what retiring each
// takes.

namespace platform::qtworkarounds {

// First thing in main, before the QApplication is made: in the program, the test programs
// and the benchmark alike.
void startQtWorkarounds();

} // namespace platform::qtworkarounds
