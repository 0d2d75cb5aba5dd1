#include "platform/desktop/msgbox.h"

#include "platform/desktop/window.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

namespace platform::desktop {
namespace {

// The window manager shortens a title that does not fit between the window's icon and its
// title-bar buttons. A box at least this wide shows its whole title: the title in bold, as
// title bars mostly set it, with room for the icon and three buttons of about two lines'
// height each, and a line's padding.
int widthForTitle(const QMessageBox& box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(box.windowTitle()) + 9 * metrics.height();
}

// QMessageBox keeps an empty column for an icon even when it has none; the text starts at
// the left margin instead, and the box is at least as wide as its title needs.
void shapeBox(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!grid || !text)
        return; // a Qt that lays its box out differently keeps its own layout
    for (int i = grid->count() - 1; i >= 0; --i) {
        if (QSpacerItem* indent = grid->itemAt(i)->spacerItem()) {
            grid->removeItem(indent);
            delete indent;
        }
    }
    grid->removeWidget(text);
    grid->addWidget(text, 0, 0, 1, grid->columnCount());
    const int margins = grid->contentsMargins().left() + grid->contentsMargins().right();
    grid->addItem(new QSpacerItem(widthForTitle(box) - margins, 0), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

void msgBox(const QString& prompt, const QString& title)
{
    // Owned by the active window so it opens over it; modal for the whole program.
    Window<QMessageBox> box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok,
                            QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    shapeBox(box);
    box.exec();
}

} // namespace platform::desktop
