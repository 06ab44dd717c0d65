// Another application's window for the pointer to move onto: a plain grey window that the
// compositor places as it likes (sway tiles it over the whole output, behind the launcher).
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("neighbour"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("neighbour"));
    window.setStyleSheet(QStringLiteral("background: #808080"));
    window.show();
    return app.exec();
}
