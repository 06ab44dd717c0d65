// Prints the wall-clock time (ns since the epoch) of the first frame painted, the peak resident
// memory (KiB) and the main thread's run delay (ns spent ready to run but waiting for a processor,
// which a busy machine adds), then quits. It shows the real launcher window, or one of the two
// floors to compare with: with --bare a frameless window that shows one picture, with --label the
// same window with one line of text in the platform's default font. A window that shows text pays
// for setting up the fonts; the bare one never does.
#include "ui/Form1.h"
#include "ui/Launcher.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

long peakMemoryKiB()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

// Linux counts the time the main thread was ready to run but waited for a processor; Windows
// keeps no such figure, so there it is 0.
unsigned long long runDelayNs()
{
    unsigned long long running = 0, runDelay = 0;
#ifndef Q_OS_WIN
    std::ifstream("/proc/self/schedstat") >> running >> runDelay;
#endif
    return runDelay;
}

void reportAndQuit()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("%lld %ld %llu\n", static_cast<long long>(std::chrono::nanoseconds(now).count()),
        peakMemoryKiB(), runDelayNs());
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
    void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, m_picture); }

private:
    QPixmap m_picture;
};

}

int main(int argc, char** argv)
{
    static FirstPaintWatcher watcher;
    const bool withLabel = argc == 3 && std::strcmp(argv[1], "--label") == 0;
    if (withLabel || (argc == 3 && std::strcmp(argv[1], "--bare") == 0)) {
        QApplication app(argc, argv);
        BareWindow window(QString::fromLocal8Bit(argv[2]));
        if (withLabel)
            (new QLabel(QStringLiteral("Home team"), &window))->move(24, 24);
        window.installEventFilter(&watcher);
        window.show();
        return app.exec();
    }
    return tavorin::runLauncher(argc, argv, [](tavorin::Form1& form) { form.installEventFilter(&watcher); });
}
