#include "platform/qtworkarounds/tipwindow.h"

#include <QApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

#include <chrono>

namespace platform::qtworkarounds {

using namespace std::chrono_literals;

TipWindow::TipWindow(QWidget* owner)
    : HidesBetweenFrames<QLabel>(owner, Qt::ToolTip | Qt::BypassGraphicsProxyWidget)
{
    setObjectName(QStringLiteral("tip"));
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
    setTextFormat(Qt::PlainText);
    expiry_.setSingleShot(true);
    connect(&expiry_, &QTimer::timeout, this, &QWidget::hide);
}

void TipWindow::showText(const QPoint& globalPos, const QString& text)
{
    setText(text);
    adjustSize();
    // Below and right of the pointer, as Qt places its own, kept on the screen.
    QPoint at = globalPos + QPoint(2, 16);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
        if (at.y() + height() > room.bottom())
            at.setY(globalPos.y() - height() - 4);
    }
    move(at);
    show();
    expiry_.start(10s);
    qApp->installEventFilter(this); // while shown only: it sees every event of the program
}

void TipWindow::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    HidesBetweenFrames<QLabel>::hideEvent(event);
}

bool TipWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool ownerGoes =
        watched == parent() && (event->type() == QEvent::Leave || event->type() == QEvent::Hide);
    const bool pressed =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress;
    if (isVisible() && (ownerGoes || pressed))
        hide();
    return false;
}

bool showOwnTip(QWidget* owner, QEvent* toolTipEvent)
{
    if (!hidesBetweenFrames())
        return false;
    TipWindow* tip = nullptr;
    for (QObject* child : owner->children())
        if (auto* own = dynamic_cast<TipWindow*>(child))
            tip = own;
    if (!tip)
        tip = new TipWindow(owner);
    if (owner->toolTip().isEmpty())
        tip->hide();
    else
        tip->showText(static_cast<QHelpEvent*>(toolTipEvent)->globalPos(), owner->toolTip());
    return true;
}

} // namespace platform::qtworkarounds
