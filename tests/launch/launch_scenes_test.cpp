#include "StandIns.h"
#include "launch/CameraScenes.h"
#include "launch/FileOperations.h"
#include "launch/Platform.h"
#include "launch/RuntimeError.h"
#include "support/CasesOf.h"
#include "support/OtherCapitals.h"

#include <QCoreApplication>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <optional>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstddef>
#include <grp.h>
#include <iterator>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tavorin;
using namespace tavorin::test;

namespace {

QByteArray contentOf(const QString& name)
{
    return "bytes of " + name.toLatin1();
}

// What the import stand-in appends to the archive for a scene: one record of the script's bytes
// (by default the fixture's camera file) under the scene's script name.
QByteArray importRecord(const CameraScene& scene, QByteArray script = {})
{
    if (script.isEmpty())
        script = contentOf(scene.cameraFile);
    return "ENTR" + scene.scriptFile.toLatin1() + "\n" + QByteArray::number(script.size()) + "\n" + script;
}

// A game folder with every file a run reads, stand-in programs, and a data folder holding the
// game's own files. The stand-in built for this platform plays the import tool, which appends
// the script it is given to the archive as a real import would change it, and the scene
// program; each records its last start in "<program>.record" (see tests/wine/standin.cpp).
// respell() gives every name of the game folder other capitals; the fixture's names then follow
// them, as a Windows tool finds them.
class LaunchSceneTest : public testing::Test
{
public:
    LaunchSceneTest()
    {
        m_root.write("game/dress0.big", contentOf("dress0.big"));
        for (const CameraScene& scene : cameraScenes())
            for (const QString& name : { scene.cameraFile, scene.sideFile })
                m_root.write("game/" + name, contentOf(name));
        m_root.write("game/data/cmn/be/dress0.big", "old archive");
        m_root.write("game/data/cmn/be/fifa00.bin", "old side file");
        for (const QString program : { "impbig.exe", "TVR2005.exe" })
            QFile::copy(TAVORIN_STANDIN, game(program));
        m_current.emplace(game());
    }

    QString importLog() const { return game("impbig.exe") + ".record"; }
    QString sceneLog() const { return game("TVR2005.exe") + ".record"; }

    void respell()
    {
        ASSERT_TRUE(respellBelow(game()));
        m_otherCapitals = true;
    }

    // A name of the game folder as it is spelled there, below the temporary folder.
    QString inGame(const QString& name) const
    {
        return "game/" + (m_otherCapitals ? otherCapitals(name) : name);
    }
    QString game(const QString& name = {}) const
    {
        return m_root.file(name.isEmpty() ? "game" : inGame(name));
    }
    QByteArray staged(const QString& name) const { return m_root.read(inGame("data/cmn/be/" + name)); }

    SceneRunner runner()
    {
        return SceneRunner(
            *m_platform, [this] { ++m_saves; }, [this] { return readValues(); }, game());
    }

    SceneValues readValues()
    {
        // The values are read only once the staging is over.
        m_valuesReadAfterStaging = QFile::exists(importLog()) && staged("fifa00.bin") != "old side file";
        return m_values;
    }

    TempFolder m_root;
    std::unique_ptr<Platform> m_platform = makeHostPlatform(game());
    std::optional<CurrentFolder> m_current;
    SceneValues m_values { "2", "21", "windowed=1", "1024x768x32" };
    int m_saves = 0;
    bool m_valuesReadAfterStaging = false;
    bool m_otherCapitals = false;
    std::optional<EnvironmentOverride> m_importRemovesTheScript;
};

const CameraScene& button10()
{
    return cameraScenes().at(7);
}

// The run's steps that can fail, numbered as the run takes them.
enum Step {
    CameraCopy = 2,
    ArchiveCopy = 4,
    SideFileCopy = 5,
    ScriptDelete = 6,
    SceneStart = 9,
};

struct StopCase : test::Labelled
{
    std::function<void(LaunchSceneTest&)> arrange;
    int number;
    const char* file; // the end of the file name the error gives
    Step stopsAt;
};

using LaunchSceneStops = CasesOf<LaunchSceneTest, StopCase>;

// What the steps before the failing one did stays done; the later ones do not happen; no
// temporary copy is left in the data folder.
TEST_P(LaunchSceneStops, AtTheFailingStepWithEarlierStepsDone)
{
    const StopCase& c = GetParam();
    c.arrange(*this);
    std::optional<RuntimeError> thrown;
    try {
        runner().RunScene(button10());
    } catch (const RuntimeError& error) {
        thrown = error;
    }
    ASSERT_TRUE(thrown.has_value()) << "the run did not fail";
    const RuntimeError& error = *thrown;

    EXPECT_EQ(error.number, c.number);
    EXPECT_TRUE(error.file.endsWith(c.file)) << error.file.toStdString();
    const std::map<Step, QString> stepTexts { { CameraCopy, "copying the camera script" },
        { ArchiveCopy, "copying the scene archive into the game's data folder" },
        { SideFileCopy, "copying the side file into the game's data folder" },
        { ScriptDelete, "deleting the copy of the camera script" },
        { SceneStart, "starting the scene program" } };
    EXPECT_EQ(error.step, stepTexts.at(c.stopsAt));
    const std::map<int, QString> errorTexts { { 53, "File not found" }, { 70, "Permission denied" },
        { 75, "Path/File access error" }, { 76, "Path not found" } };
    EXPECT_EQ(error.text, errorTexts.at(c.number));
    for (const QString& part : { QString::number(error.number), error.text, error.step, error.file })
        EXPECT_TRUE(error.message().contains(part)) << error.message().toStdString();
    EXPECT_EQ(QString::fromUtf8(error.what()), error.message());

    EXPECT_EQ(m_saves, 1);
    EXPECT_EQ(QFile::exists(importLog()), c.stopsAt > CameraCopy);
    EXPECT_EQ(
        m_root.exists("game/script_single_front.viv"), c.stopsAt == ArchiveCopy || c.stopsAt == SideFileCopy);
    const auto expectStaged
        = [&](const QString& name, const QByteArray& before, const QByteArray& after, Step by) {
              if (QFileInfo(game("data/cmn/be/" + name)).isFile()) {
                  EXPECT_EQ(staged(name), c.stopsAt > by ? after : before) << name.toStdString();
              }
          };
    expectStaged(
        "dress0.big", "old archive", contentOf("dress0.big") + importRecord(button10()), ArchiveCopy);
    expectStaged("fifa00.bin", "old side file", contentOf("front.bin"), SideFileCopy);
    EXPECT_THAT(QDir(game("data/cmn/be")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        testing::IsSubsetOf({ QFileInfo(game("data/cmn/be/dress0.big")).fileName(),
            QFileInfo(game("data/cmn/be/fifa00.bin")).fileName() }));
    EXPECT_EQ(m_valuesReadAfterStaging, c.stopsAt == SceneStart);
    EXPECT_FALSE(appears(sceneLog(), 300));
}

std::function<void(LaunchSceneTest&)> removing(const QString& name)
{
    return [name](auto& t) { QFile::remove(t.game(name)) || QDir(t.game(name)).removeRecursively(); };
}

// A program without its run bit is arranged with Linux's means; the Windows build meets the other
// faults.
const std::vector<StopCase> kStops = {
    StopCase { "import_tool_removes_the_script",
        [](auto& t) { t.m_importRemovesTheScript.emplace("TAVORIN_IMPBIG_REMOVE", "1"); }, 53,
        "script_single_front.viv", ScriptDelete },
    StopCase { "missing_camera_file", removing("camera8.efx"), 53, "camera8.efx", CameraCopy },
    StopCase { "missing_archive", removing("dress0.big"), 53, "dress0.big", ArchiveCopy },
    StopCase { "missing_data_folder", removing("data/cmn/be"), 76, "data/cmn/be/dress0.big", ArchiveCopy },
    StopCase { "missing_side_file", removing("front.bin"), 53, "front.bin", SideFileCopy },
    StopCase { "destination_is_a_folder",
        [](auto& t) {
            removing("data/cmn/be/fifa00.bin")(t);
            QDir().mkdir(t.game("data/cmn/be/fifa00.bin"));
        },
        75, "data/cmn/be/fifa00.bin", SideFileCopy },
    StopCase { "missing_scene_program", removing("TVR2005.exe"), 53, "TVR2005.exe", SceneStart },
#ifndef Q_OS_WIN
    StopCase { "scene_program_not_executable",
        [](auto& t) { QFile::setPermissions(t.game("TVR2005.exe"), QFile::ReadOwner | QFile::WriteOwner); },
        70, "TVR2005.exe", SceneStart },
#endif
};

INSTANTIATE_TEST_SUITE_P(Faults, LaunchSceneStops, testing::ValuesIn(kStops), test::byLabel);

#ifndef Q_OS_WIN
// Makes this process's calls of one system call fail with EIO, as on a disk that fails.
bool failCallsOf(int call)
{
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(call), 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog filter { std::size(program), program };
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0
        && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// A user, unlike root, is stopped by permission bits: the copy refuses a read-only file although
// its folder would let the rename through, and a read-only folder although the file is writable.
std::function<bool(const TempFolder&)> asNobodyWith(int folderMode, int fileMode)
{
    return [=](const TempFolder& folder) {
        QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(folder.file("be"), QFileDevice::Permissions(folderMode));
        QFile::setPermissions(folder.file("be/fifa00.bin"), QFileDevice::Permissions(fileMode));
        return setgroups(0, nullptr) == 0 && setresgid(65534, 65534, 65534) == 0
            && setresuid(65534, 65534, 65534) == 0;
    };
}

// Faults a copy meets only in a child process that prepare has changed. The copy's data is
// synced (fdatasync) before it takes the destination's name, the folder (fsync) after: a sync
// that fails shows by what the destination holds when the copy stops.
struct ChildCase : test::Labelled
{
    std::function<bool(const TempFolder&)> prepare; // false: the child cannot be changed so here
    int number;
    const char* destinationAfter;
};

using FileOperationsInAChild = testing::TestWithParam<ChildCase>;

TEST_P(FileOperationsInAChild, CopyFailsAndLeavesNoTemporaryFile)
{
    constexpr int childCannotPrepare = 100;
    TempFolder folder;
    const QString source = folder.write("front.bin", "new");
    const QString destination = folder.write("be/fifa00.bin", "old");
    const pid_t child = fork();
    if (child == 0) {
        if (!GetParam().prepare(folder))
            _exit(childCannotPrepare);
        try {
            CopyFileReplacing(source, destination, "copying");
        } catch (const RuntimeError& error) {
            _exit(error.number);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_TRUE(child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status));
    if (WEXITSTATUS(status) == childCannotPrepare)
        GTEST_SKIP() << "becoming nobody needs root, failing a system call needs seccomp";
    EXPECT_EQ(WEXITSTATUS(status), GetParam().number);
    EXPECT_EQ(folder.read("be/fifa00.bin"), GetParam().destinationAfter);
    EXPECT_EQ(QDir(folder.file("be")).entryList(QDir::Files), QStringList { "fifa00.bin" });
}

INSTANTIATE_TEST_SUITE_P(Faults, FileOperationsInAChild,
    testing::Values(ChildCase { "read_only_destination_for_a_user", asNobodyWith(0x7777, 0x4444),
                        RuntimeError::PermissionDenied, "old" },
        ChildCase { "read_only_folder_for_a_user", asNobodyWith(0x5555, 0x6666),
            RuntimeError::PermissionDenied, "old" },
        ChildCase { "data_sync_before_the_rename", [](auto&) { return failCallsOf(__NR_fdatasync); },
            RuntimeError::PathFileAccessError, "old" },
        ChildCase { "folder_sync_after_the_rename", [](auto&) { return failCallsOf(__NR_fsync); },
            RuntimeError::PathFileAccessError, "new" }),
    test::byLabel);
#endif

// The import step never raises: the archive is staged as the tool left it and the run goes on to
// the scene.
TEST_F(LaunchSceneTest, RunGoesOnWithoutTheImportTool)
{
    QFile::remove(game("impbig.exe"));
    EXPECT_TRUE(runner().RunScene(button10()));
    EXPECT_EQ(staged("dress0.big"), contentOf("dress0.big"));
    EXPECT_TRUE(appears(sceneLog()));
}

TEST_F(LaunchSceneTest, ClickDuringTheImportIsRefused)
{
    SceneRunner sceneRunner = runner();
    std::optional<bool> nestedResult;
    // Queued now, so it is delivered by the runner's one pass over events after the tool started.
    QMetaObject::invokeMethod(
        qApp, [&] { nestedResult = sceneRunner.RunScene(cameraScenes().at(11)); }, Qt::QueuedConnection);
    EXPECT_TRUE(sceneRunner.RunScene(button10()));
    ASSERT_TRUE(nestedResult.has_value());
    EXPECT_FALSE(*nestedResult);
    EXPECT_EQ(m_saves, 1);
    EXPECT_EQ(staged("dress0.big").count("ENTR"), 1);
    EXPECT_EQ(staged("fifa00.bin"), contentOf("front.bin"));
}

// The tool's exit code is not looked at: what it did to the archive is staged. The game folder's
// names are in other capitals, as an installer may have left them, and so is a script left over
// from an earlier run: each file is found there, the leftover overwritten and deleted.
TEST_F(LaunchSceneTest, SecondRunRestagesTheDataFolder)
{
    respell();
    m_root.write(inGame(button10().scriptFile), "left over");
    const EnvironmentOverride failingImport("TAVORIN_IMPBIG_EXIT", "3");
    SceneRunner sceneRunner = runner();
    EXPECT_TRUE(sceneRunner.RunScene(button10()));
    EXPECT_TRUE(sceneRunner.RunScene(cameraScenes().at(10)));
    EXPECT_EQ(staged("dress0.big"),
        contentOf("dress0.big") + importRecord(button10()) + importRecord(cameraScenes().at(10)));
    EXPECT_EQ(staged("fifa00.bin"), contentOf("back.bin"));
    EXPECT_FALSE(QFile::exists(game(button10().scriptFile)));
}

// On Windows, Windows itself finds the programs in the launcher's folder, which for a test is the
// test program's own.
#ifndef Q_OS_WIN
TEST_F(LaunchSceneTest, FromAnotherFolderStagesThereAndStartsTheSceneFromTheProgramFolder)
{
    // The scene files sit in the current folder; the programs only in the program folder.
    for (const QString name : { "camera8.efx", "dress0.big", "front.bin" })
        m_root.write("work/" + name, "work " + name.toLatin1());
    m_root.write("work/data/cmn/be/fifa00.bin", "old");
    QDir::setCurrent(m_root.file("work"));

    EXPECT_TRUE(runner().RunScene(button10()));

    EXPECT_EQ(recorded(importLog(), "folder"), QStringList { m_root.file("work") });
    EXPECT_EQ(m_root.read("work/data/cmn/be/fifa00.bin"), "work front.bin");
    EXPECT_EQ(m_root.read("work/data/cmn/be/dress0.big"),
        "work dress0.big" + importRecord(button10(), "work camera8.efx"));
    ASSERT_TRUE(appears(sceneLog()));
    EXPECT_EQ(recorded(sceneLog(), "folder"), QStringList { game() });
}
#endif

} // namespace
