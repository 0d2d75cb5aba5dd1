#pragma once

// Answers every message box that opens as a person would: reads it, then presses OK.

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>

class MessageBoxAnswerer : public QObject {
public:
    struct Seen {
        QString title;
        QString text;
        int buttons;
        QMessageBox::Icon icon;
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
                seen_.append({box->windowTitle(), box->text(), int(box->buttons().size()),
                              box->icon()});
                // Pressed once the box runs its own event loop.
                QMetaObject::invokeMethod(
                    box, [box] { box->button(QMessageBox::Ok)->click(); }, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<Seen> seen_;
};
