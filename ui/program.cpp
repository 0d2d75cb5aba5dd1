#include "ui/program.h"

#include "ui/frmmain.h"
#include "ui/frmname.h"

#include <QApplication>

Program::Program()
    : Runtime(QStringLiteral("Dicewright"),
              QIcon(QStringLiteral(":/icons/" DICEWRIGHT_APP_ID ".svg")))
{
}

Program::~Program() = default;

void Program::start()
{
    mainForm().loadForm();
}

int Program::exec()
{
    QApplication::setQuitOnLastWindowClosed(false); // the run ends when its windows unload
    connect(this, &Program::ended, qApp, [] { QCoreApplication::exit(0); });
    start();
    return QApplication::exec();
}

frmmain& Program::mainForm()
{
    if (!main_)
        main_ = std::make_unique<frmmain>(*this);
    return *main_;
}

frmname& Program::nameForm()
{
    if (!name_)
        name_ = std::make_unique<frmname>(*this);
    return *name_;
}
