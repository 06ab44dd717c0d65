// Staging the scene archive against cp and sync of the copies (staging makes its copies durable,
// so the honest floor does too), and RunAndWait against a bare fork, exec and wait.
// Each iteration runs both contenders, in alternating order, so page cache and writeback weigh
// on both alike; the ratio counters are ours over theirs. Run from a folder on the disk to test
// (the build folder by default): the files are made in a scratch folder below it.
// Staging also reports its times less the time each contender spent ready to run but waiting
// for a processor (the kernel's run delay), which is what a busy machine adds to a disk-bound
// task: on a quiet machine the two ratios agree.

#include "launch/FileOperations.h"
#include "launch/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr qint64 ArchiveSize = qint64(256) << 20;
constexpr qint64 SideFileSize = qint64(1) << 20;

void writeFile(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the benchmark files");
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qsizetype i = 0; i < block.size(); ++i)
        block[i] = char(i * 31 + 7);
    for (qint64 written = 0; written < size; written += block.size())
        file.write(block);
}

// Seconds a task has spent ready to run but waiting for a processor, from /proc/<task>/schedstat.
double runDelaySeconds(const char* task)
{
    std::ifstream stats(std::string("/proc/") + task + "/schedstat");
    unsigned long long running = 0, waiting = 0;
    stats >> running >> waiting;
    return waiting / 1e9;
}

// Runs argv to its end and returns the run delay of its whole life, read before it is reaped.
double spawnAndWait(std::vector<const char*> argv)
{
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char* const*>(argv.data()), environ) != 0)
        throw std::runtime_error(std::string("cannot start ") + argv[0]);
    siginfo_t ended {};
    waitid(P_PID, pid, &ended, WEXITED | WNOWAIT);
    const double delay = runDelaySeconds(std::to_string(pid).c_str());
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(std::string(argv[0]) + " failed");
    return delay;
}

int forkExecWait(const char* program)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

template <typename Action> double secondsOf(Action action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.nsecsElapsed() / 1e9;
}

struct Tally
{
    double seconds = 0;
    double runDelay = 0;
};

// A contender returns the run delay it suffered, or 0 where that is not measured.
template <typename Ours, typename Theirs>
void race(benchmark::State& state, Ours ours, Theirs theirs, const std::string& theirName)
{
    Tally oursTally, theirTally;
    const auto run = [](auto& contender, Tally& tally) {
        double delay = 0;
        tally.seconds += secondsOf([&] { delay = contender(); });
        tally.runDelay += delay;
    };
    bool oursFirst = false;
    for (auto _ : state) {
        oursFirst = !oursFirst;
        if (oursFirst)
            run(ours, oursTally);
        run(theirs, theirTally);
        if (!oursFirst)
            run(ours, oursTally);
    }
    const double runs = double(state.iterations());
    state.counters["ours_ms"] = oursTally.seconds * 1e3 / runs;
    state.counters[theirName + "_ms"] = theirTally.seconds * 1e3 / runs;
    state.counters["ratio"] = oursTally.seconds / theirTally.seconds;
    if (oursTally.runDelay > 0 && theirTally.runDelay > 0) {
        const double oursBusy = oursTally.seconds - oursTally.runDelay;
        const double theirBusy = theirTally.seconds - theirTally.runDelay;
        state.counters["ours_ms_less_run_delay"] = oursBusy * 1e3 / runs;
        state.counters[theirName + "_ms_less_run_delay"] = theirBusy * 1e3 / runs;
        state.counters["ratio_less_run_delay"] = oursBusy / theirBusy;
    }
}

void BM_StagingAgainstCpSync(benchmark::State& state)
{
    const QTemporaryDir scratch(QDir::current().filePath("launch-bench-XXXXXX"));
    const QDir folder(scratch.path());
    folder.mkpath("data/cmn/be");
    writeFile(folder.filePath("dress0.big"), ArchiveSize);
    writeFile(folder.filePath("front.bin"), SideFileSize);
    const QByteArray archive = QFile::encodeName(folder.filePath("dress0.big"));
    const QByteArray sideFile = QFile::encodeName(folder.filePath("front.bin"));
    const QByteArray stagedArchive = QFile::encodeName(folder.filePath("data/cmn/be/dress0.big"));
    const QByteArray stagedSideFile = QFile::encodeName(folder.filePath("data/cmn/be/fifa00.bin"));

    race(
        state,
        [&] {
            const double before = runDelaySeconds("thread-self");
            tavorin::CopyFileReplacing(archive, stagedArchive, "staging the archive");
            tavorin::CopyFileReplacing(sideFile, stagedSideFile, "staging the side file");
            return runDelaySeconds("thread-self") - before;
        },
        [&] {
            return spawnAndWait({ "cp", archive.constData(), stagedArchive.constData() })
                + spawnAndWait({ "cp", sideFile.constData(), stagedSideFile.constData() })
                + spawnAndWait({ "sync", stagedArchive.constData(), stagedSideFile.constData() });
        },
        "cp_sync");
    state.SetBytesProcessed(state.iterations() * (ArchiveSize + SideFileSize));
}
BENCHMARK(BM_StagingAgainstCpSync)->Iterations(8)->Unit(benchmark::kMillisecond);

void BM_RunAndWaitAgainstForkExec(benchmark::State& state)
{
    const auto platform = tavorin::makeHostPlatform(QDir::currentPath());
    race(
        state,
        [&] {
            QString line = QStringLiteral("/bin/true");
            platform->RunAndWait(line);
            return 0.0;
        },
        [] {
            forkExecWait("/bin/true");
            return 0.0;
        },
        "fork_exec");
}
BENCHMARK(BM_RunAndWaitAgainstForkExec)->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
