// Prints the wall-clock time (ns since the epoch) of the first frame painted and
// the peak resident memory, then quits: the real launcher window, or with
// --bare a frameless window that shows one picture, the floor to compare with.
#include "ui/Form1.h"
#include "ui/Launcher.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

void reportAndQuit()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%lld %ld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()), usage.ru_maxrss);
    std::fflush(stdout);
    std::_Exit(0);
}

class FirstPaintWatcher final : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, &reportAndQuit); // after the paint has been drawn
        return false;
    }
};

class BareWindow final : public QWidget
{
public:
    explicit BareWindow(const QString& picture)
        : QWidget(nullptr, Qt::FramelessWindowHint)
        , m_picture(picture)
    {
        setFixedSize(430, 449);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};

}

int main(int argc, char** argv)
{
    static FirstPaintWatcher watcher;
    if (argc == 3 && std::strcmp(argv[1], "--bare") == 0) {
        QApplication app(argc, argv);
        BareWindow window(QString::fromLocal8Bit(argv[2]));
        window.installEventFilter(&watcher);
        window.show();
        return app.exec();
    }
    return tavorin::runLauncher(argc, argv, [](tavorin::Form1& form) { form.installEventFilter(&watcher); });
}
