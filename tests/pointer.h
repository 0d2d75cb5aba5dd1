#pragma once

// The mouse as a hand moves it: to the place first, then a click there, both through the
// widget's window as the window system delivers them, so Qt knows where the pointer is.
// A menu ignores a press and a release where the pointer has not moved since the menu opened
// (so the click that opened it chooses nothing); Qt 6.8 tells that from the pointer position
// the window system last reported, which events sent straight to a widget never change.

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
    QWindow* window = widget->window()->windowHandle();
    QTest::mouseClick(window, button, {}, window->mapFromGlobal(widget->mapToGlobal(where)));
}
