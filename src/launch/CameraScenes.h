#pragma once

#include <QString>
#include <array>
#include <functional>

namespace tavorin {

class Platform;

// The three files of one camera button: the camera script, the name it is imported under, and
// the side file the scene reads beside the archive.
struct CameraScene
{
    QString cameraFile;
    QString scriptFile;
    QString sideFile;
};

// One row per camera button, PictureButton3 first.
const std::array<CameraScene, 12>& cameraScenes();

// The import tool's line that puts scriptFile into the scene archive.
QString ImportCommand(const QString& scriptFile);

// The four setup values the scene's command line carries.
struct SceneValues
{
    QString homeKit;
    QString homeTeam;
    QString windowed;
    QString resolution;
};

// Plays camera scenes: stages the button's files into the game's data folder and starts the
// scene program. File names resolve against the current folder, as the launcher keeps it.
class SceneRunner final
{
public:
    SceneRunner(Platform& platform, std::function<void()> saveOptions,
        std::function<SceneValues()> readValues, QString programFolder);

    // Runs every step of a scene in order; a failing step throws RuntimeError with the earlier
    // steps done and the later ones not. A click that reaches here while a run is under way
    // (through the import's pass over pending events) is refused: false, nothing done.
    bool RunScene(const CameraScene& scene);

private:
    void runSteps(const CameraScene& scene);

    Platform& m_platform;
    std::function<void()> m_saveOptions;
    std::function<SceneValues()> m_readValues;
    QString m_programFolder;
    bool m_running = false;
};

} // namespace tavorin
