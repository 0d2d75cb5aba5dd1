// Start-up probe: the least a Qt Widgets program does, one empty window shown.

#include "exposed.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    if (!waitExposed(window))
        return 1;
    reportReady();
    return 0;
}
