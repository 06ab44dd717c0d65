#include "StandIns.h"
#include "launch/CameraScenes.h"
#include "launch/CommandLines.h"
#include "launch/Platform.h"
#include "launch/RuntimeError.h"
#include "launch/WindowsCommandLine.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

using namespace tavorin;
using namespace tavorin::test;

namespace {

const QStringList CameraFiles { "camera.efx", "camera2.efx", "camera3.efx", "camera4.efx", "camera5.efx",
    "camera6.efx", "camera7.efx", "camera8.efx", "camera9.efx", "camera10.efx", "camera11.efx" };

QByteArray contentOf(const QString& name)
{
    return "bytes of " + name.toLatin1();
}

// A game folder with every file a run reads, stand-in programs, and a data folder holding the
// game's own files. The import stand-in logs its line and the script it finds, then appends that
// script to the archive, as a real import would change it.
class LaunchSceneTest : public testing::Test
{
protected:
    LaunchSceneTest()
    {
        for (const QString& name : CameraFiles + QStringList { "front.bin", "back.bin", "dress0.big" })
            m_root.write("game/" + name, contentOf(name));
        m_root.write("game/data/cmn/be/dress0.big", "old archive");
        m_root.write("game/data/cmn/be/fifa00.bin", "old side file");
        writeImportTool();
        writeRecorder(m_root, "game/TVR2005.exe", sceneLog());
        m_current.emplace(game());
    }

    void writeImportTool(const QByteArray& more = {})
    {
        writeScript(m_root, "game/impbig.exe",
            "{ pwd; printf '%s\\n' \"$@\"; printf 'script='; cat \"$3\"; echo; } >> '"
                + QFile::encodeName(importLog()) + "'\ncat \"$3\" >> dress0.big\n" + more);
    }

    QString game(const QString& name = {}) const
    {
        return m_root.file(name.isEmpty() ? "game" : "game/" + name);
    }
    QString importLog() const { return m_root.file("import.log"); }
    QString sceneLog() const { return m_root.file("scene.log"); }
    QByteArray staged(const QString& name) const { return m_root.read("game/data/cmn/be/" + name); }

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

    RuntimeError runExpectingError(const CameraScene& scene)
    {
        try {
            runner().RunScene(scene);
        } catch (const RuntimeError& error) {
            return error;
        }
        ADD_FAILURE() << "the run did not fail";
        return RuntimeError(0, {}, {});
    }

    QStringList dataFolder() const { return QDir(game("data/cmn/be")).entryList(QDir::Files); }

    TempFolder m_root;
    std::unique_ptr<Platform> m_platform = makeHostPlatform(game());
    std::optional<CurrentFolder> m_current;
    SceneValues m_values { "2", "21", "windowed=1", "1024x768x32" };
    int m_saves = 0;
    bool m_valuesReadAfterStaging = false;
};

struct RowCase
{
    const char* button;
    const char* cameraFile;
    const char* scriptFile;
    const char* sideFile;
};

class LaunchSceneRowTest : public LaunchSceneTest, public testing::WithParamInterface<std::pair<int, RowCase>>
{
};

TEST_P(LaunchSceneRowTest, StagesExactlyItsOwnFilesAndStartsTheScene)
{
    const auto& [index, expected] = GetParam();
    const CameraScene& scene = cameraScenes().at(index);
    ASSERT_EQ(scene.cameraFile, expected.cameraFile);
    ASSERT_EQ(scene.scriptFile, expected.scriptFile);
    ASSERT_EQ(scene.sideFile, expected.sideFile);

    EXPECT_TRUE(runner().RunScene(scene));

    EXPECT_EQ(m_saves, 1);
    const QString script = expected.scriptFile;
    EXPECT_EQ(readLines(importLog()),
        (QStringList {
            game(), "/i", "dress0.big", script, script, "script=" + contentOf(expected.cameraFile) }));
    EXPECT_EQ(staged("dress0.big"), contentOf("dress0.big") + contentOf(expected.cameraFile));
    EXPECT_EQ(staged("fifa00.bin"), contentOf(expected.sideFile));
    EXPECT_FALSE(m_root.exists("game/" + script));
    EXPECT_EQ(dataFolder(), (QStringList { "dress0.big", "fifa00.bin" }));
    EXPECT_TRUE(m_valuesReadAfterStaging);

    const QString sceneLine = SceneCommandLine("2", "21", "windowed=1", "1024x768x32");
    EXPECT_EQ(waitForLog(sceneLog()), QStringList { game() } + splitWindowsCommandLine(sceneLine).mid(1));
}

INSTANTIATE_TEST_SUITE_P(Buttons, LaunchSceneRowTest,
    testing::Values(
        std::pair(0, RowCase { "PictureButton3", "camera.efx", "script_single_front.viv", "front.bin" }),
        std::pair(1, RowCase { "PictureButton4", "camera2.efx", "script_single_front.viv", "front.bin" }),
        std::pair(2, RowCase { "PictureButton5", "camera3.efx", "script_single_front.viv", "front.bin" }),
        std::pair(3, RowCase { "PictureButton6", "camera4.efx", "script_single_front.viv", "front.bin" }),
        std::pair(4, RowCase { "PictureButton7", "camera5.efx", "script_single_front.viv", "front.bin" }),
        std::pair(5, RowCase { "PictureButton8", "camera6.efx", "script_single_front.viv", "front.bin" }),
        std::pair(6, RowCase { "PictureButton9", "camera7.efx", "script_single_front.viv", "front.bin" }),
        std::pair(7, RowCase { "PictureButton10", "camera8.efx", "script_single_front.viv", "front.bin" }),
        std::pair(8, RowCase { "PictureButton11", "camera.efx", "script_single_front.viv", "back.bin" }),
        std::pair(9, RowCase { "PictureButton12", "camera9.efx", "script_single_back.viv", "back.bin" }),
        std::pair(10, RowCase { "PictureButton13", "camera10.efx", "script_single_back.viv", "back.bin" }),
        std::pair(11, RowCase { "PictureButton14", "camera11.efx", "script_single_back.viv", "back.bin" })),
    [](const auto& info) { return std::string(info.param.second.button); });

const CameraScene& button10()
{
    return cameraScenes().at(7);
}

TEST_F(LaunchSceneTest, MissingCameraFileStopsAfterSavingTheOptions)
{
    QFile::remove(game("camera8.efx"));
    const RuntimeError error = runExpectingError(button10());
    EXPECT_EQ(error.number, 53);
    EXPECT_EQ(error.file, "camera8.efx");
    EXPECT_EQ(error.step, "copying the camera script");
    EXPECT_EQ(m_saves, 1);
    EXPECT_FALSE(QFile::exists(importLog()));
    EXPECT_FALSE(m_root.exists("game/script_single_front.viv"));
    EXPECT_EQ(staged("dress0.big"), "old archive");
}

TEST_F(LaunchSceneTest, ImportToolThatDeletesTheScriptStopsAtTheDelete)
{
    writeImportTool("rm \"$3\"\n");
    const RuntimeError error = runExpectingError(button10());
    EXPECT_EQ(error.number, 53);
    EXPECT_EQ(error.file, "script_single_front.viv");
    EXPECT_EQ(staged("dress0.big"), contentOf("dress0.big") + contentOf("camera8.efx"));
    EXPECT_EQ(staged("fifa00.bin"), contentOf("front.bin"));
    EXPECT_FALSE(m_valuesReadAfterStaging);
    EXPECT_FALSE(QFile::exists(sceneLog()));
}

TEST_F(LaunchSceneTest, MissingSceneProgramFailsAfterEverythingIsStaged)
{
    QFile::remove(game("TVR2005.exe"));
    const RuntimeError error = runExpectingError(button10());
    EXPECT_EQ(error.number, 53);
    EXPECT_EQ(error.file, "TVR2005.exe");
    EXPECT_EQ(error.step, "starting the scene program");
    EXPECT_EQ(staged("fifa00.bin"), contentOf("front.bin"));
    EXPECT_FALSE(m_root.exists("game/script_single_front.viv"));
}

TEST_F(LaunchSceneTest, MissingDataFolderIsPathNotFound)
{
    QDir(game("data/cmn/be")).removeRecursively();
    const RuntimeError error = runExpectingError(button10());
    EXPECT_EQ(error.number, 76);
    EXPECT_EQ(error.file, "data/cmn/be/dress0.big");
    EXPECT_TRUE(QFile::exists(importLog()));
    EXPECT_TRUE(m_root.exists("game/script_single_front.viv"));
}

// Root writes through permissions, so the side file is made immutable instead.
class ImmutableFile final
{
public:
    explicit ImmutableFile(const QString& path)
        : m_path(path)
        , m_set(QProcess::execute("chattr", { "+i", path }) == 0)
    {
    }
    ~ImmutableFile()
    {
        if (m_set)
            QProcess::execute("chattr", { "-i", m_path });
    }
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;
    bool isSet() const { return m_set; }

private:
    QString m_path;
    bool m_set;
};

TEST_F(LaunchSceneTest, UnreplaceableDestinationKeepsTheOldFileWhole)
{
    const ImmutableFile locked(game("data/cmn/be/fifa00.bin"));
    if (!locked.isSet())
        GTEST_SKIP() << "chattr +i is not available here";
    const RuntimeError error = runExpectingError(button10());
    EXPECT_TRUE(error.number == 70 || error.number == 75) << error.number;
    EXPECT_EQ(error.file, "data/cmn/be/fifa00.bin");
    EXPECT_EQ(staged("fifa00.bin"), "old side file");
    EXPECT_EQ(dataFolder(), (QStringList { "dress0.big", "fifa00.bin" }));
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
    EXPECT_EQ(readLines(importLog()).count("/i"), 1);
    EXPECT_EQ(staged("fifa00.bin"), contentOf("front.bin"));
}

TEST_F(LaunchSceneTest, SecondRunRestagesTheDataFolder)
{
    EXPECT_TRUE(runner().RunScene(button10()));
    EXPECT_TRUE(runner().RunScene(cameraScenes().at(10)));
    EXPECT_EQ(
        staged("dress0.big"), contentOf("dress0.big") + contentOf("camera8.efx") + contentOf("camera10.efx"));
    EXPECT_EQ(staged("fifa00.bin"), contentOf("back.bin"));
}

TEST_F(LaunchSceneTest, FromAnotherFolderStagesThereAndStartsTheSceneFromTheProgramFolder)
{
    // The scene files sit in the current folder; the programs only in the program folder.
    for (const QString name : { "camera8.efx", "dress0.big", "front.bin" })
        m_root.write("work/" + name, "work " + name.toLatin1());
    m_root.write("work/data/cmn/be/fifa00.bin", "old");
    QDir::setCurrent(m_root.file("work"));

    EXPECT_TRUE(runner().RunScene(button10()));

    EXPECT_EQ(readLines(importLog()).value(0), m_root.file("work"));
    EXPECT_EQ(m_root.read("work/data/cmn/be/fifa00.bin"), "work front.bin");
    EXPECT_EQ(m_root.read("work/data/cmn/be/dress0.big"), "work dress0.big" + QByteArray("work camera8.efx"));
    EXPECT_EQ(QDir::currentPath(), game());
    EXPECT_EQ(waitForLog(sceneLog()).value_or(QStringList {}).value(0), game());
}

} // namespace
