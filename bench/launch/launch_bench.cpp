// Staging the scene archive against cp, and RunAndWait against a bare fork, exec and wait.
// Each iteration runs both contenders, in alternating order, so page cache and writeback weigh
// on both alike; the ratio counters are ours over theirs. Run from a folder on the disk to test
// (the build folder by default): the files are made in a scratch folder below it.

#include "launch/FileOperations.h"
#include "launch/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdexcept>
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

int spawnAndWait(std::vector<const char*> argv)
{
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char* const*>(argv.data()), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
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

template <typename Ours, typename Theirs>
void race(benchmark::State& state, Ours ours, Theirs theirs, const char* theirName)
{
    double oursSeconds = 0;
    double theirSeconds = 0;
    bool oursFirst = false;
    for (auto _ : state) {
        oursFirst = !oursFirst;
        if (oursFirst)
            oursSeconds += secondsOf(ours);
        theirSeconds += secondsOf(theirs);
        if (!oursFirst)
            oursSeconds += secondsOf(ours);
    }
    const double runs = double(state.iterations());
    state.counters["ours_ms"] = oursSeconds * 1e3 / runs;
    state.counters[std::string(theirName) + "_ms"] = theirSeconds * 1e3 / runs;
    state.counters["ratio"] = oursSeconds / theirSeconds;
}

void BM_StagingAgainstCp(benchmark::State& state)
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
            tavorin::CopyFileReplacing(archive, stagedArchive, "staging the archive");
            tavorin::CopyFileReplacing(sideFile, stagedSideFile, "staging the side file");
        },
        [&] {
            spawnAndWait({ "cp", archive.constData(), stagedArchive.constData() });
            spawnAndWait({ "cp", sideFile.constData(), stagedSideFile.constData() });
        },
        "cp");
    state.SetBytesProcessed(state.iterations() * (ArchiveSize + SideFileSize));
}
BENCHMARK(BM_StagingAgainstCp)->Iterations(8)->Unit(benchmark::kMillisecond);

void BM_RunAndWaitAgainstForkExec(benchmark::State& state)
{
    const auto platform = tavorin::makeHostPlatform(QDir::currentPath());
    race(
        state,
        [&] {
            QString line = QStringLiteral("/bin/true");
            platform->RunAndWait(line);
        },
        [] { forkExecWait("/bin/true"); }, "fork_exec");
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
