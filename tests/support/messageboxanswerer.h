#pragma once

// Answers every message box that opens as a person would: reads it, then presses OK.

#include "platform/qtworkarounds/wayland.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QVersionNumber>

class MessageBoxAnswerer : public QObject {
public:
    struct Seen {
        QString title;
        QString text;
        int buttons;
        QMessageBox::Icon icon;
        // As laid out on screen: the box's width, and the gaps left of its text and right
        // of its OK button.
        int width = 0;
        int textIndent = 0;
        int buttonGap = 0;
    };

    MessageBoxAnswerer() { qApp->installEventFilter(this); }
    ~MessageBoxAnswerer() override { qApp->removeEventFilter(this); }

    const QList<Seen>& seen() const { return seen_; }
    QStringList texts() const
    {
        QStringList all;
        for (const Seen& box : seen_)
            all << box.text;
        return all;
    }
    void clear() { seen_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                seen_.append(
                    {box->windowTitle(), box->text(), int(box->buttons().size()), box->icon()});
                // Measured and pressed once the box runs its own event loop. On Wayland with
                // Qt 6.11, only once it has the keyboard too, as a person reads a box before
                // pressing OK: closed sooner, Qt was left with no active window at all, though
                // the compositor had given the keyboard back to the main window. With Qt 6.4
                // and 6.8 it is the other way round: a box closed after it had the keyboard
                // left the main window active to the compositor and not to Qt.
                const qsizetype index = seen_.size() - 1;
                QMetaObject::invokeMethod(
                    box,
                    [this, box, index] {
                        // Pressed all the same if it never gets the keyboard; what the tests
                        // check then fails, where they check it.
                        if (platform::qtworkarounds::onWayland() &&
                            QLibraryInfo::version() >= QVersionNumber(6, 9))
                            (void)QTest::qWaitFor(
                                [box] { return QApplication::activeWindow() == box; });
                        if (index < seen_.size())
                            measure(*box, seen_[index]);
                        box->button(QMessageBox::Ok)->click();
                    },
                    Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void measure(const QMessageBox& box, Seen& seen)
    {
        seen.width = box.width();
        if (auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            seen.textIndent = text->x() + text->contentsRect().left() + qMax(text->indent(), 0);
        const QWidget* ok = box.button(QMessageBox::Ok);
        seen.buttonGap = box.width() - ok->mapTo(&box, QPoint(ok->width(), 0)).x();
    }

    QList<Seen> seen_;
};
