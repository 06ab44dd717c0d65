#include "setup/Catalogue.h"
#include "setup/ListCombo.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

using namespace tavorin;

namespace {

constexpr int kRecords = 100'000;

// Quoted names, every tenth with a Windows-1252 letter unless asciiOnly, one record per CR LF line.
QByteArray catalogueBytes(int records, bool asciiOnly = false)
{
    QByteArray bytes;
    bytes.reserve(records * 32);
    for (int i = 0; i < records; ++i) {
        bytes += '"';
        bytes += (i % 10 == 0 && !asciiOnly) ? QByteArray("Borussia M\xf6nchengladbach ") : QByteArray("Team number ");
        bytes += QByteArray::number(i);
        bytes += "\",";
        bytes += QByteArray::number(i * 7 + 1);
        bytes += "\r\n";
    }
    return bytes;
}

void writeCatalogues(const QString& folder, int records)
{
    const QByteArray bytes = catalogueBytes(records);
    for (const char* name : { "teams.ini", "kits.ini" }) {
        QFile file(folder + '/' + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
    }
}

// What start-up does with the catalogues: four lists, each with its own read.
void fillFourLists(ListCombo* const (&lists)[4], const QString& folder)
{
    const auto ignore = [](const QString& message) { std::fprintf(stderr, "%s\n", qPrintable(message)); };
    LoadCatalogue(lists[0], QStringLiteral("\\teams.ini"), ignore, folder);
    LoadCatalogue(lists[1], QStringLiteral("\\teams.ini"), ignore, folder);
    LoadCatalogue(lists[2], QStringLiteral("\\kits.ini"), ignore, folder);
    LoadCatalogue(lists[3], QStringLiteral("\\kits.ini"), ignore, folder);
}

// Freeing the previous result is the list's business, not the reader's: it stays untimed.
void BM_ReadCatalogue(benchmark::State& state)
{
    const QByteArray bytes = catalogueBytes(kRecords, state.range(0) != 0);
    for (auto _ : state) {
        CatalogueRead read = readCatalogue(bytes);
        benchmark::DoNotOptimize(read.entries.data());
        state.PauseTiming();
        read = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["records"] = kRecords;
}
BENCHMARK(BM_ReadCatalogue)->ArgName("ascii_only")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FillFourLists(benchmark::State& state)
{
    QTemporaryDir folder;
    writeCatalogues(folder.path(), kRecords);
    QWidget window;
    ListCombo* const lists[4]
        = { new ListCombo(&window), new ListCombo(&window), new ListCombo(&window), new ListCombo(&window) };
    for (auto _ : state)
        fillFourLists(lists, folder.path());
    state.counters["items"] = lists[0]->count() + lists[1]->count() + lists[2]->count() + lists[3]->count();
}
BENCHMARK(BM_FillFourLists)->Unit(benchmark::kMillisecond);

// "--startup FOLDER": make the application, fill four lists from FOLDER and quit, so a
// script can time a whole process; "--write FOLDER" writes the two catalogues first.
int runStartup(int argc, char** argv, const QString& folder)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QWidget window;
    ListCombo* const lists[4]
        = { new ListCombo(&window), new ListCombo(&window), new ListCombo(&window), new ListCombo(&window) };
    fillFourLists(lists, folder);
    std::printf("main to four filled lists: %lld ms, %d items\n", sinceMain.elapsed(),
        lists[0]->count() + lists[1]->count() + lists[2]->count() + lists[3]->count());
    return 0;
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        writeCatalogues(QString::fromLocal8Bit(argv[2]), kRecords);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--startup") == 0)
        return runStartup(argc, argv, QString::fromLocal8Bit(argv[2]));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
