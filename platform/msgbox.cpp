#include "platform/msgbox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

void msgBox(const QString& prompt, const QString& title)
{
    // Owned by the active window so it opens over it; modal for the whole program.
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace platform
