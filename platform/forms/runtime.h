#pragma once

#include "platform/forms/generator.h"

#include <QIcon>
#include <QObject>

namespace platform::forms {

// What the windows of one run share with the runtime: the program's title and icon, the
// generator, and the count of loaded windows. The run ends when the last
// loaded window is unloaded.
class Runtime : public QObject {
    Q_OBJECT

public:
    Runtime(const QString& title, const QIcon& icon);

    QString title() const { return title_; }
    QIcon icon() const { return icon_; }
    Generator& generator() { return generator_; }

    void formLoaded();
    void formUnloaded();

signals:
    void ended();

private:
    QString title_;
    QIcon icon_;
    Generator generator_;
    int loadedForms_ = 0;
};

} // namespace platform::forms
