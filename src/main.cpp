#include "ui/Branding.h"
#include "ui/Launcher.h"

#include <QGuiApplication>

int main(int argc, char** argv)
{
    // A dock matches the window to the menu entries by these ids (StartupWMClass), whatever the
    // launcher's file is called: the Wayland app_id and the class half of X11's WM_CLASS.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tavorin::branding::kProductName));
    QCoreApplication::setApplicationName(QString::fromLatin1(tavorin::branding::kProductName));
    return tavorin::runLauncher(argc, argv);
}
