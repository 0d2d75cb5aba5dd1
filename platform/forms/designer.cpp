#include "platform/forms/designer.h"

#include "platform/forms/controls.h"
#include "platform/forms/textbox.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMap>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform::forms {
namespace {

QWidget* createControl(const ControlDef& def, QWidget* parent)
{
    const QString caption = QString::fromLatin1(def.caption);
    switch (def.member.kind) {
    case ControlKind::TextBox: {
        auto* box = new TextBox(parent);
        box->setText(caption);
        if (def.maxLength > 0)
            box->setMaxLength(def.maxLength);
        return box;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment((def.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::Frame: {
        auto* frame = new Frame(parent);
        frame->setCaption(caption);
        return frame;
    }
    case ControlKind::OptionButton: {
        auto* option = new OptionButton(parent);
        option->setText(caption);
        return option;
    }
    case ControlKind::CommandButton: {
        auto* button = new CommandButton(parent);
        button->setText(caption);
        return button;
    }
    }
    return nullptr;
}

// The room a control's content needs, in pixels; an empty size where it needs none of its own.
QSize neededSize(const QWidget* widget, const ControlDef& def)
{
    const QFontMetrics metrics(widget->font());
    switch (def.member.kind) {
    case ControlKind::TextBox: {
        // A box shows its widest text, or as many digits as its length limit lets in, with the
        // cursor after it; any box shows one line of text. Its frame and margins are what its
        // smallest size holds besides the widest character.
        const QString widest =
            def.widest ? QString::fromLatin1(def.widest) : QString(def.maxLength, u'0');
        const int chrome = widget->minimumSizeHint().width() - metrics.maxWidth();
        const int cursor =
            widget->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, widget);
        const int width =
            widest.isEmpty() ? 0 : metrics.horizontalAdvance(widest) + chrome + cursor + 1;
        return {width, widget->minimumSizeHint().height()};
    }
    case ControlKind::Label: {
        const auto* label = static_cast<const QLabel*>(widget);
        return {metrics.horizontalAdvance(label->text()) + 2, metrics.height()};
    }
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
        return widget->sizeHint();
    case ControlKind::Frame:
        return {};
    }
    return {};
}

double fittingFactor(const QWidget* client, std::span<const ControlDef> controls)
{
    double factor = 1.0;
    for (const ControlDef& def : controls) {
        const auto* widget = client->findChild<QWidget*>(QString::fromLatin1(def.name));
        const QSize needed = neededSize(widget, def);
        factor = std::max(
            {factor, needed.width() * 15.0 / def.width, needed.height() * 15.0 / def.height});
    }
    return factor;
}

} // namespace

int TwipsScale::toPixels(int twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip_));
}

TwipsScale buildControls(QObject* window, QWidget* client, std::span<const ControlDef> controls)
{
    QMap<QString, QWidget*> byName;
    std::vector<std::pair<int, QWidget*>> focusOrder;
    for (const ControlDef& def : controls) {
        QWidget* parent = def.container ? byName.value(QString::fromLatin1(def.container)) : client;
        QWidget* widget = createControl(def, parent ? parent : client);
        widget->setObjectName(QString::fromLatin1(def.name));
        widget->setVisible(def.visible);
        widget->setEnabled(def.enabled);
        byName.insert(widget->objectName(), widget);
        def.member.bind(window, widget);
        if (widget->focusPolicy() & Qt::TabFocus)
            focusOrder.emplace_back(def.tabIndex, widget);
    }
    std::sort(focusOrder.begin(), focusOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);

    const TwipsScale scale(fittingFactor(client, controls));
    for (const ControlDef& def : controls) {
        auto* widget = client->findChild<QWidget*>(QString::fromLatin1(def.name));
        widget->setGeometry(scale.toPixels(def.left), scale.toPixels(def.top),
                            scale.toPixels(def.width), scale.toPixels(def.height));
    }
    return scale;
}

void describeControls(QWidget* client, std::span<const AccessibleText> texts)
{
    for (const AccessibleText& text : texts) {
        auto* control = client->findChild<QWidget*>(QString::fromLatin1(text.control));
        Q_ASSERT_X(control, "describeControls", text.control);
        if (text.name)
            control->setAccessibleName(QString::fromUtf8(text.name));
        control->setAccessibleDescription(QString::fromUtf8(text.description));
    }
}

} // namespace platform::forms
