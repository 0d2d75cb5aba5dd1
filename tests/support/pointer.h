#pragma once

// The mouse as a hand moves it: to the place first, then a click there.
//
// A menu ignores a press and a release where the pointer has not moved since the menu opened
// (so the click that opened it chooses nothing). Qt 6.8 tells that from the pointer position
// the window system last reported, which only events through the window change, so the
// pointer moves there through the widget's window. The click itself goes to the widget, as
// Qt Test sends it: on Wayland, presses through the window while a menu is open now and then
// left no window of the program with the keyboard on Qt 6.8 (docs/TESTING.md has how often).

#include <QTest>
#include <QWidget>
#include <QWindow>

// `where` is in the widget's own coordinates.
inline void pointAt(QWidget* widget, QPoint where)
{
    QWindow* window = widget->window()->windowHandle();
    QTest::mouseMove(window, window->mapFromGlobal(widget->mapToGlobal(where)));
}

inline void pointAndClick(QWidget* widget, QPoint where, Qt::MouseButton button = Qt::LeftButton)
{
    pointAt(widget, where);
    QTest::mouseClick(widget, button, {}, where);
}
