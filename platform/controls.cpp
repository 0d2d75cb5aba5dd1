#include "platform/controls.h"

#include <QSignalBlocker>

namespace platform {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent)
{
    connect(this, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            emit Click();
    });
}

Frame::Frame(QWidget* parent) : QGroupBox(parent) {}

void Frame::setCaption(const QString& caption)
{
    QString shown = caption;
    setTitle(shown.replace(u'&', QStringLiteral("&&")));
}

QString Frame::caption() const
{
    return title().replace(QStringLiteral("&&"), QStringLiteral("&"));
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
