// Start-up probe: the least a Qt Widgets program does, one empty window shown.

#include <QApplication>
#include <QTest>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}
