#include "ui/CloseOnSignals.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace tavorin {

#ifdef Q_OS_UNIX
namespace {
    int g_signalPipe[2] = { -1, -1 };

    // Only async-signal-safe work here: the window is closed from the event loop.
    void onSignal(int)
    {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(g_signalPipe[1], &byte, 1);
    }
}

void closeOnTerminationSignals(QWidget* window)
{
    if (g_signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        char byte;
        [[maybe_unused]] const auto got = ::read(g_signalPipe[0], &byte, 1);
        window->close();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}
#else
void closeOnTerminationSignals(QWidget*) { }
#endif

} // namespace tavorin
