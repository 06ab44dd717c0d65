#include "DemoFolder.h"

#include "Emblems.h"
#include "PictureFiles.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <stdexcept>

namespace tavorin::art {

namespace {

    struct Team
    {
        const char* name; // UTF-8 here, Windows-1252 in the file
        int number;
    };

    // Invented clubs; the numbers are sparse like a real game's, and 5, 21 and 47 are among them.
    const QList<Team> kTeams {
        { "Harbour Rovers", 21 },
        { "Aston Vale", 2 },
        { "Kestrel Town", 5 },
        { "FC München Nord", 112 },
        { "Köln-Ufer 1907", 113 },
        { "Borussia Lindenfeld", 118 },
        { "Sporting Alvarães", 240 },
        { "Real Cañada", 243 },
        { "Malmö Hamnar IF", 301 },
        { "Göteborg Kvarn", 302 },
        { "Zürich Seefeld", 415 },
        { "Wien Döbling SC", 416 },
        { "Athletic Brûlé", 520 },
        { "Olympique Côte Bleue", 521 },
        { "Stonebridge United", 7 },
        { "Marwood Athletic", 9 },
        { "Ferncastle City", 11 },
        { "Redmoor Wanderers", 14 },
        { "Ashby Forge", 16 },
        { "Port Calder", 18 },
        { "Northgate Albion", 23 },
        { "Westlea Rangers", 25 },
        { "Greyhaven Town", 28 },
        { "Blackwater Vale", 31 },
        { "Inverlach Thistle", 34 },
        { "Dunmore Celtic", 36 },
        { "Lakeside Orient", 40 },
        { "Carrow Park", 44 },
        { "Tallon Bay", 47 },
        { "Eastholm Villa", 52 },
        { "Saltmarsh FC", 58 },
        { "Hollins Heath", 63 },
        { "Brennick Athletic", 71 },
        { "Ostrava Jih", 610 },
        { "Dynamo Kirov Prospekt", 655 },
        { "Lisboa Ribeira", 702 },
        { "Porto Foz", 703 },
        { "Ajax Veldhoven", 810 },
        { "Club Brügge Zuid", 811 },
        { "Çorlu Spor", 915 },
    };

    const QList<std::pair<const char*, int>> kKits { { "Home", 0 }, { "Away", 1 }, { "Third", 2 },
        { "Classic", 3 }, { "Training", 4 } };

    // The camera scripts: camera.efx serves a front and a back button.
    const QList<std::pair<const char*, const char*>> kCameraScripts {
        { "camera.efx", "front, head and shoulders; back, whole player from afar" },
        { "camera2.efx", "front, chest close-up" },
        { "camera3.efx", "front, whole player from afar" },
        { "camera4.efx", "front, whole player, nearer and from low" },
        { "camera5.efx", "front, from the knees up" },
        { "camera6.efx", "front, face close-up" },
        { "camera7.efx", "front, waist and shorts" },
        { "camera8.efx", "front, legs and boots" },
        { "camera9.efx", "back, shorts and legs" },
        { "camera10.efx", "back, shirt with name and number" },
        { "camera11.efx", "back, upper back with the number, close" },
    };

    void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            throw std::runtime_error(
                QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
    }

    void makeFolder(const QString& path)
    {
        if (!QDir().mkpath(path))
            throw std::runtime_error(QStringLiteral("cannot make the folder %1").arg(path).toStdString());
    }

    // Windows-1252 agrees with Latin-1 for every letter the names use; 0x80 to 0x9F would not.
    QByteArray windows1252(const QString& text)
    {
        for (QChar c : text) {
            if (c.unicode() > 0xff || (c.unicode() >= 0x80 && c.unicode() < 0xa0))
                throw std::runtime_error(
                    "a demo name has a letter outside Windows-1252: " + text.toStdString());
        }
        return text.toLatin1();
    }

    void writeCatalogues(const QString& folder)
    {
        QByteArray teams;
        for (const Team& team : kTeams)
            teams += windows1252(
                QStringLiteral("\"%1\",%2\r\n").arg(QString::fromUtf8(team.name)).arg(team.number));
        writeBytes(folder + "/teams.ini", teams);
        QByteArray kits;
        for (const auto& [name, number] : kKits)
            kits += QStringLiteral("\"%1\",%2\r\n").arg(QLatin1String(name)).arg(number).toLatin1();
        writeBytes(folder + "/kits.ini", kits);
    }

    void writeLogos(const QString& folder)
    {
        const QString logos = folder + "/data/EASO/fifa/images/logos";
        makeFolder(logos);
        for (const Team& team : kTeams)
            writeJpeg(teamCrest(QString::fromUtf8(team.name)),
                QStringLiteral("%1/logo%2.jpg").arg(logos).arg(team.number));
    }

    void writeCameraScripts(const QString& folder)
    {
        for (const auto& [file, view] : kCameraScripts) {
            writeBytes(folder + '/' + file,
                QStringLiteral("; Tavorin demo camera script\r\nfile=%1\r\nview=%2\r\n")
                    .arg(file, view)
                    .toLatin1());
        }
    }

    // The demo archive: an 8-byte signature, then records of "ENTR", the entry's name,
    // a line break, its size in decimal, a line break and its bytes. The import tool
    // appends records of the same shape.
    QByteArray archiveRecord(const QByteArray& name, const QByteArray& data)
    {
        return "ENTR" + name + '\n' + QByteArray::number(data.size()) + '\n' + data;
    }

    QByteArray pattern(int length, int seed)
    {
        QByteArray bytes(length, '\0');
        for (int i = 0; i < length; ++i)
            bytes[i] = char((i * 37 + seed * 11) & 0xff);
        return bytes;
    }

    void writeArchiveAndSideFiles(const QString& folder)
    {
        writeBytes(folder + "/dress0.big",
            QByteArray("TVRBIG\0\1", 8) + archiveRecord("kits/home.dat", pattern(64, 1))
                + archiveRecord("kits/away.dat", pattern(64, 2)));
        writeBytes(folder + "/front.bin", QByteArray("TVRSIDE\0front\n", 14) + pattern(32, 3));
        writeBytes(folder + "/back.bin", QByteArray("TVRSIDE\0back\n", 13) + pattern(32, 4));
        makeFolder(folder + "/data/cmn/be");
        // Keeps the empty staging folder in the repository and the staged files out of it.
        writeBytes(folder + "/data/cmn/be/.gitignore", "*\n!.gitignore\n");
        writeBytes(folder + "/.gitignore", "*.log\nscript_single_*.viv\n");
    }

    void writeProgram(const QString& path, const QByteArray& script)
    {
        writeBytes(path, script);
        QFile::setPermissions(
            path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    }

    const QByteArray kImportTool = R"sh(#!/bin/sh
# Demo import tool: impbig /i <archive> <script file> <entry name>
# Appends the script file to the archive as one record and logs every call.
here=$(cd "$(dirname "$0")" && pwd)
{ echo "== impbig in $(pwd)"; for arg in "$@"; do echo "$arg"; done; } >>"$here/impbig.log"
if [ "$#" -ne 4 ] || [ "$1" != "/i" ]; then
  echo "usage: impbig /i <archive> <script file> <entry name>" >&2
  exit 2
fi
if [ ! -f "$3" ]; then
  echo "impbig: $3 not found" >&2
  exit 1
fi
size=$(wc -c <"$3" | tr -d ' ')
printf 'ENTR%s\n%s\n' "$4" "$size" >>"$2" && cat "$3" >>"$2"
)sh";

    QByteArray recorder(const QString& program)
    {
        return QStringLiteral(R"sh(#!/bin/sh
# Demo stand-in for %1: records what the launcher passed in launches.log beside
# this file (a "== %1" line, one argument a line, then "in <working folder>"),
# and shows it for a few seconds when there is a display.
here=$(cd "$(dirname "$0")" && pwd)
{ echo "== %1"; for arg in "$@"; do echo "$arg"; done; echo "in $(pwd)"; } >>"$here/launches.log"
if [ -n "$DISPLAY" ] && [ -z "$TAVORIN_DEMO_QUIET" ] && command -v xmessage >/dev/null 2>&1; then
  { echo "%1 was started with:"; for arg in "$@"; do echo "  $arg"; done; echo "in $(pwd)"; } |
    xmessage -timeout 8 -file - >/dev/null 2>&1 &
fi
exit 0
)sh")
            .arg(program)
            .toLatin1();
    }

    void writePrograms(const QString& folder)
    {
        writeProgram(folder + "/impbig.exe", kImportTool);
        for (const char* program : { "TVR2005.exe", "fifa2005.exe" })
            writeProgram(folder + '/' + program, recorder(QLatin1String(program)));
    }

} // namespace

void writeDemoFolder(const QString& folder)
{
    makeFolder(folder);
    writeCatalogues(folder);
    writeLogos(folder);
    writeCameraScripts(folder);
    writeArchiveAndSideFiles(folder);
    writePrograms(folder);
}

} // namespace tavorin::art
