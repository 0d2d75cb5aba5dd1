// Start-up probe: Dicewright up to the moment its name window is shown and takes a key.

#include "platform/textbox.h"
#include "ui/frmname.h"
#include "ui/program.h"

#include <QApplication>
#include <QTest>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Program program;
    program.start();
    frmname& name = program.nameForm();
    if (!QTest::qWaitForWindowExposed(&name))
        return 1;
    QTest::keyClick(name.txtname(), 'a');
    return name.txtname()->text() == QStringLiteral("a") ? 0 : 1;
}
