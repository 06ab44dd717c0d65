// What one PictureButton costs while the pointer rests on it, beside an empty 1 ms precise timer measured in
// the same run, and what it costs with the pointer elsewhere. Needs a real X display (hover-cpu.sh).
#include "controls/PictureButton.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <sys/resource.h>

using namespace tavorin;

namespace {

constexpr std::chrono::milliseconds span { 5000 };

struct Figures
{
    double cpuPercent = 0;
    double ticksPerSecond = 0;
    double seconds = 0;
};

std::map<std::string, Figures> measured;

// The whole process, so the toolkit's own event reader thread is counted too.
double processCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class TickCounter final : public QObject
{
public:
    long ticks = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Timer)
            ++ticks;
        return false;
    }
};

void runEventsFor(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

Figures measure(QTimer* timer)
{
    TickCounter counter;
    timer->installEventFilter(&counter);
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runEventsFor(span);
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = processCpuSeconds() - cpuBefore;
    timer->removeEventFilter(&counter);
    return { 100.0 * cpu / seconds, double(counter.ticks) / seconds, seconds };
}

class Scene final
{
public:
    Scene()
    {
        QPixmap face(60, 45);
        face.fill(Qt::darkGreen);
        const Picture picture = std::make_shared<const PictureData>(face);
        m_button->setPicture(picture);
        m_button->setPictureHover(picture);
        m_button->setPictureDown(picture);
        m_button->move(40, 40);
        m_window.setGeometry(100, 100, 300, 200);
        m_window.show();
        waitUntil([this] { return m_window.windowHandle()->isExposed(); });
        runEventsFor(std::chrono::milliseconds(200));
    }

    PictureButton& button() { return *m_button; }
    QTimer* timer1() { return m_button->findChild<QTimer*>("Timer1"); }

    bool pointerOnButton()
    {
        QCursor::setPos(m_button->mapToGlobal(QPoint(20, 20)));
        return waitUntil([this] { return m_button->Hovering(); });
    }

    bool pointerElsewhere()
    {
        QCursor::setPos(m_window.mapToGlobal(QPoint(250, 150)));
        return waitUntil([this] { return !m_button->Hovering(); });
    }

private:
    template <typename Condition> static bool waitUntil(Condition condition)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition() && clock.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return condition();
    }

    QWidget m_window;
    PictureButton* m_button = new PictureButton(&m_window);
};

Scene* scene = nullptr;

void report(benchmark::State& state, const std::string& name, const Figures& figures)
{
    state.SetIterationTime(figures.seconds);
    state.counters["cpu_percent"] = figures.cpuPercent;
    state.counters["ticks_per_s"] = figures.ticksPerSecond;
    measured[name] = figures;
}

void EmptyPreciseTimer(benchmark::State& state)
{
    if (!scene->pointerElsewhere())
        return state.SkipWithError("the pointer did not leave the button");
    QTimer empty;
    empty.setTimerType(Qt::PreciseTimer);
    empty.setInterval(1);
    QObject::connect(&empty, &QTimer::timeout, [] {});
    for (auto _ : state) {
        empty.start();
        const Figures figures = measure(&empty);
        empty.stop();
        report(state, "EmptyPreciseTimer", figures);
    }
}

void hoverWith(benchmark::State& state, const std::string& name, std::function<bool()> probe)
{
    scene->button().setPointerProbe(std::move(probe));
    if (!scene->pointerElsewhere() || !scene->pointerOnButton())
        return state.SkipWithError("the button did not see the pointer come");
    for (auto _ : state) {
        report(state, name, measure(scene->timer1()));
        if (!scene->button().Hovering())
            state.SkipWithError("the pointer-over phase ended while the pointer rested");
    }
    scene->button().setPointerProbe(nullptr);
}

void HoverToolkitProbe(benchmark::State& state)
{
    hoverWith(state, "HoverToolkitProbe", nullptr);
}

// The same poll asking the display server for the pointer and the window under it on every tick.
void HoverServerQueryProbe(benchmark::State& state)
{
    PictureButton* button = &scene->button();
    hoverWith(state, "HoverServerQueryProbe",
        [button] { return QApplication::widgetAt(QCursor::pos()) == button; });
}

void PointerElsewhere(benchmark::State& state)
{
    if (!scene->pointerOnButton() || !scene->pointerElsewhere())
        return state.SkipWithError("the button did not see the pointer leave");
    for (auto _ : state)
        report(state, "PointerElsewhere", measure(scene->timer1()));
}

void printSummary()
{
    const Figures empty = measured["EmptyPreciseTimer"];
    const Figures hover = measured["HoverToolkitProbe"];
    const Figures query = measured["HoverServerQueryProbe"];
    const Figures elsewhere = measured["PointerElsewhere"];
    std::printf("\n%-34s %8s %10s\n", "5 s each", "CPU %", "ticks/s");
    std::printf("%-34s %8.2f %10.0f\n", "empty 1 ms PreciseTimer", empty.cpuPercent, empty.ticksPerSecond);
    std::printf(
        "%-34s %8.2f %10.0f\n", "pointer resting on the button", hover.cpuPercent, hover.ticksPerSecond);
    std::printf(
        "%-34s %8.2f %10.0f\n", "  same, asking the server per tick", query.cpuPercent, query.ticksPerSecond);
    std::printf("%-34s %8.2f %10.0f\n", "pointer elsewhere", elsewhere.cpuPercent, elsewhere.ticksPerSecond);
    if (empty.cpuPercent > 0)
        std::printf("hover / empty timer: %.2f (aim <= 1.5); server query / empty timer: %.2f\n",
            hover.cpuPercent / empty.cpuPercent, query.cpuPercent / empty.cpuPercent);
}

} // namespace

BENCHMARK(EmptyPreciseTimer)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(HoverToolkitProbe)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(HoverServerQueryProbe)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PointerElsewhere)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Scene theScene;
    scene = &theScene;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
