// Start-up probe: one window showing one line of text, the least a program with words on
// screen pays for (Qt loads its font database for it).

#include "exposed.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("What is your name?"));
    window.show();
    if (!waitExposed(window))
        return 1;
    reportReady();
    return 0;
}
