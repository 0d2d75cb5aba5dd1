// Start-up probe: the name window's controls in plain Qt, a label, a line edit and a button,
// up to the moment the window is shown and takes a key. It pays for the same painting as
// Dicewright's name window, so the difference left is what Dicewright adds.

#include "exposed.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("What is your name?")));
    auto* name = new QLineEdit;
    layout->addWidget(name);
    layout->addWidget(new QPushButton(QStringLiteral("&OK")));
    window.show();
    if (!waitExposed(window))
        return 1;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(name, &key);
    if (name->text() != QStringLiteral("a"))
        return 1;
    reportReady();
    return 0;
}
