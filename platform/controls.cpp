#include "platform/controls.h"

#include <QFontMetrics>
#include <QShortcutEvent>
#include <QSignalBlocker>

namespace platform {
namespace {

// A button's access key presses the button straight away.
bool pressedByAccessKey(QAbstractButton* button, QEvent* event)
{
    if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent*>(event)->isAmbiguous())
        return false;
    button->click();
    return true;
}

} // namespace

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

bool CommandButton::event(QEvent* event)
{
    return pressedByAccessKey(this, event) || QPushButton::event(event);
}

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent)
{
    connect(this, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            emit Click();
    });
}

bool OptionButton::event(QEvent* event)
{
    return pressedByAccessKey(this, event) || QRadioButton::event(event);
}

Frame::Frame(QWidget* parent) : QGroupBox(parent) {}

void Frame::setCaption(const QString& caption)
{
    if (caption == caption_)
        return; // every draw writes the same greeting again
    caption_ = caption;
    setToolTip(caption);
    setAccessibleName(caption);
    showCaption();
}

void Frame::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    showCaption();
}

void Frame::showCaption()
{
    // Room for the caption: the frame less a margin of two characters on either side.
    const QFontMetrics metrics(font());
    const int room = width() - 4 * metrics.averageCharWidth();
    QString shown = metrics.horizontalAdvance(caption_) <= room
                        ? caption_
                        : metrics.elidedText(caption_, Qt::ElideRight, room);
    setTitle(shown.replace(u'&', QStringLiteral("&&")));
}

MenuItem::MenuItem(const QString& name, const QString& caption, QObject* parent)
    : QAction(caption, parent)
{
    setObjectName(name);
    connect(this, &QAction::triggered, this, [this](bool checkedByToolkit) {
        if (isCheckable()) {
            const QSignalBlocker blocker(this);
            setChecked(!checkedByToolkit);
        }
        emit Click();
    });
}

} // namespace platform
