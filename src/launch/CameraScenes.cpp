#include "launch/CameraScenes.h"

#include "launch/CommandLines.h"
#include "launch/FileOperations.h"
#include "launch/Platform.h"
#include "launch/RuntimeError.h"

#include <utility>

namespace tavorin {
namespace {

    const QString StagedArchive = QStringLiteral("data/cmn/be/dress0.big");
    const QString StagedSideFile = QStringLiteral("data/cmn/be/fifa00.bin");

    CameraScene row(const char* cameraFile, const char* scriptFile, const char* sideFile)
    {
        return { QString::fromLatin1(cameraFile), QString::fromLatin1(scriptFile),
            QString::fromLatin1(sideFile) };
    }

    class RunningFlag final
    {
    public:
        explicit RunningFlag(bool& flag)
            : m_flag(flag)
        {
            m_flag = true;
        }
        ~RunningFlag() { m_flag = false; }
        RunningFlag(const RunningFlag&) = delete;
        RunningFlag& operator=(const RunningFlag&) = delete;

    private:
        bool& m_flag;
    };

} // namespace

const std::array<CameraScene, 12>& cameraScenes()
{
    static const std::array<CameraScene, 12> scenes {
        row("camera.efx", "script_single_front.viv", "front.bin"),
        row("camera2.efx", "script_single_front.viv", "front.bin"),
        row("camera3.efx", "script_single_front.viv", "front.bin"),
        row("camera4.efx", "script_single_front.viv", "front.bin"),
        row("camera5.efx", "script_single_front.viv", "front.bin"),
        row("camera6.efx", "script_single_front.viv", "front.bin"),
        row("camera7.efx", "script_single_front.viv", "front.bin"),
        row("camera8.efx", "script_single_front.viv", "front.bin"),
        row("camera.efx", "script_single_front.viv", "back.bin"),
        row("camera9.efx", "script_single_back.viv", "back.bin"),
        row("camera10.efx", "script_single_back.viv", "back.bin"),
        row("camera11.efx", "script_single_back.viv", "back.bin"),
    };
    return scenes;
}

QString ImportCommand(const QString& scriptFile)
{
    return QStringLiteral("impbig /i dress0.big ") + scriptFile + QLatin1Char(' ') + scriptFile;
}

SceneRunner::SceneRunner(Platform& platform, std::function<void()> saveOptions,
    std::function<SceneValues()> readValues, QString programFolder)
    : m_platform(platform)
    , m_saveOptions(std::move(saveOptions))
    , m_readValues(std::move(readValues))
    , m_programFolder(std::move(programFolder))
{
}

bool SceneRunner::RunScene(const CameraScene& scene)
{
    if (m_running)
        return false;
    const RunningFlag running(m_running);
    runSteps(scene);
    return true;
}

void SceneRunner::runSteps(const CameraScene& scene)
{
    m_saveOptions();
    CopyFileReplacing(scene.cameraFile, scene.scriptFile, QStringLiteral("copying the camera script"));
    // The tool's exit code says nothing the run could act on: the archive is staged either way.
    QString importCommand = ImportCommand(scene.scriptFile);
    m_platform.RunAndWait(importCommand);
    CopyFileReplacing(QStringLiteral("dress0.big"), StagedArchive,
        QStringLiteral("copying the scene archive into the game's data folder"));
    CopyFileReplacing(
        scene.sideFile, StagedSideFile, QStringLiteral("copying the side file into the game's data folder"));
    RemoveFile(scene.scriptFile, QStringLiteral("deleting the copy of the camera script"));
    ChangeFolder(m_programFolder, QStringLiteral("returning to the program folder"));

    const SceneValues values = m_readValues();
    const QString sceneLine
        = SceneCommandLine(values.homeKit, values.homeTeam, values.windowed, values.resolution);
    try {
        m_platform.Shell(sceneLine, MinimizedFocus);
    } catch (RuntimeError& error) {
        error.setStep(QStringLiteral("starting the scene program"));
        throw;
    }
}

} // namespace tavorin
