#include "platform/forms/controls.h"

#include "platform/qtworkarounds/tipwindow.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace platform::forms {
namespace {

bool isAccessKey(QEvent* event)
{
    return event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous();
}

bool isPlainEnter(const QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    return enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
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
    if (isAccessKey(event)) {
        click();
        return true;
    }
    return QPushButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    // Qt presses only a default button with Enter; a focused button answers it too.
    if (isPlainEnter(event) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent)
{
    connect(this, &QRadioButton::toggled, this, [this](bool selected) {
        if (!selected)
            return;
        becomeTheTabStop();
        emit Click();
    });
}

bool OptionButton::event(QEvent* event)
{
    if (isAccessKey(event)) {
        setFocus(Qt::ShortcutFocusReason);
        select(); // should the focus not have arrived
        return true;
    }
    return QRadioButton::event(event);
}

void OptionButton::focusInEvent(QFocusEvent* event)
{
    // Selected first, so the Click handler may move the focus on.
    select();
    QRadioButton::focusInEvent(event);
    if (QApplication::focusWidget() != this)
        reportFocusAgain();
}

void OptionButton::reportFocusAgain()
{
    // Qt tells assistive technology that this option has the focus once its focus-in is over,
    // after the focus the Click handler moved on: a screen reader would name the option.
    // Tell it again where the focus really is, once that is done.
    if (!QAccessible::isActive())
        return;
    QMetaObject::invokeMethod(
        this,
        [] {
            if (QWidget* focus = QApplication::focusWidget()) {
                QAccessibleEvent event(focus, QAccessible::Focus);
                QAccessible::updateAccessibility(&event);
            }
        },
        Qt::QueuedConnection);
}

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    // The arrows go round the group, over options that cannot take the focus.
    const QList<OptionButton*> options = group();
    const auto count = options.size();
    const auto here = options.indexOf(this);
    for (qsizetype i = 1; i < count; ++i) {
        OptionButton* next = options[((here + step * i) % count + count) % count];
        if (next->isVisible() && next->isEnabled()) {
            next->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            return;
        }
    }
}

void OptionButton::select()
{
    if (!isChecked())
        setChecked(true); // the other options of the group let go
}

void OptionButton::becomeTheTabStop()
{
    for (OptionButton* option : group())
        option->setFocusPolicy(option == this ? Qt::StrongFocus : Qt::ClickFocus);
}

QList<OptionButton*> OptionButton::group() const
{
    QList<OptionButton*> options =
        parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
    std::stable_sort(options.begin(), options.end(), [](const QWidget* a, const QWidget* b) {
        return a->y() < b->y() || (a->y() == b->y() && a->x() < b->x());
    });
    return options;
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

bool Frame::event(QEvent* event)
{
    // The tooltip holds the whole greeting, which a long name cuts short in the caption.
    if (event->type() == QEvent::ToolTip && qtworkarounds::showOwnTip(this, event))
        return true;
    return QGroupBox::event(event);
}

void Frame::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    showCaption();
}

void Frame::showCaption()
{
    const QFontMetrics metrics(font());
    QString shown = caption_;
    const int room = captionRoom();
    if (metrics.horizontalAdvance(caption_) > room)
        shown = metrics.elidedText(caption_, Qt::ElideRight, room);
    setTitle(shown.replace(u'&', QStringLiteral("&&")));
}

int Frame::captionRoom() const
{
    // The style sets the caption in from the frame's left edge and pads it; the same margin
    // on the right leaves the room the text itself may take.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.text = QString(caption_).replace(u'&', QStringLiteral("&&"));
    const QRect label =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    const int padding = label.width() - QFontMetrics(font()).horizontalAdvance(caption_);
    return width() - 2 * label.left() - std::max(padding, 0);
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

} // namespace platform::forms
