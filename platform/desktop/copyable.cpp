#include "platform/desktop/copyable.h"

#include "platform/desktop/window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>

namespace platform::desktop {

void makeCopyable(QLabel* label)
{
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::NoFocus);
    // QLabel offers a context menu only for links.
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(label, &QWidget::customContextMenuRequested, label, [label](QPoint at) {
        auto* menu = new Window<QMenu>(label);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction* copy = menu->addAction(QObject::tr("&Copy"), label, [label] {
            QGuiApplication::clipboard()->setText(label->selectedText());
        });
        copy->setEnabled(label->hasSelectedText());
        menu->addAction(QObject::tr("Select &All"), label,
                        [label] { label->setSelection(0, int(label->text().size())); });
        menu->popup(label->mapToGlobal(at));
    });
}

} // namespace platform::desktop
