// Start-up probe: Dicewright up to the moment its name window is shown and takes a key.

#include "exposed.h"
#include "platform/forms/textbox.h"
#include "platform/qtworkarounds/start.h"
#include "ui/frmname.h"
#include "ui/program.h"

#include <QApplication>
#include <QKeyEvent>

int main(int argc, char* argv[])
{
    platform::qtworkarounds::startQtWorkarounds();
    QApplication app(argc, argv);
    Program program;
    program.start();
    frmname& name = program.nameForm();
    if (!waitExposed(name))
        return 1;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(name.txtname(), &key);
    if (name.txtname()->text() != QStringLiteral("a"))
        return 1;
    reportReady();
    return 0;
}
