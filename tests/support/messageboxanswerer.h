#pragma once

// Answers every message box that opens as a person would: reads it, then presses OK.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>

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
                // Measured and pressed once the box runs its own event loop.
                const qsizetype index = seen_.size() - 1;
                QMetaObject::invokeMethod(
                    box,
                    [this, box, index] {
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
