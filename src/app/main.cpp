#include "app/CWareloomApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.wareloom.Wareloom"));
    CWareloomApp theApp;
    theApp.InitInstance();
    return 0;
}
