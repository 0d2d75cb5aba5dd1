#include "ui/program.h"

#include "platform/desktop/appid.h"
#include "platform/desktop/pngicon.h"
#include "ui/frmmain.h"
#include "ui/frmname.h"

#include <QApplication>
#include <QDir>

namespace {

QIcon programIcon()
{
    // Pixel sizes rendered ahead, so no SVG support is needed at run time; 16 and 24 come from
    // a drawing simplified for them.
    const QDir sizes(QStringLiteral(":/icons"));
    QStringList files;
    for (const QString& file : sizes.entryList())
        files << sizes.filePath(file);
    return platform::desktop::pngIcon(files);
}

} // namespace

Program::Program() : Runtime(QStringLiteral("Dicewright"), programIcon())
{
    platform::desktop::identifyApplication(QStringLiteral(DICEWRIGHT_APP_ID));
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
