#pragma once

#include "setup/SetupControls.h"

#include <QPixmap>
#include <QPoint>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace tavorin {

class Dialogs;
class HotSpot;
class PictureButton;
class Platform;
class SceneRunner;
class SettingsStore;
class SetupModel;
struct MatchValues;

// What the window needs from the world outside it; tests hand in their own.
struct FormServices
{
    SettingsStore* store = nullptr;
    Dialogs* dialogs = nullptr;
    std::unique_ptr<Platform> platform;
    QString programFolder;
    std::function<void(int exitCode)> end; // stops the program at once, no handler runs after it
    std::function<void(const QUrl&)> openUrl;
};

// The launcher's one window: owns the controls and hands their events to the
// setup, launch and window code. The setup model is the controls themselves.
class Form1 final : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(FormServices services, QWidget* parent = nullptr);
    ~Form1() override;

    void Form_Load();

    void Form_MouseDown(Qt::MouseButton button, const QPointF& globalPosition);
    void PictureButton1_Click();
    void PictureButton2_Click();
    void PictureButton3_Click() { RunCamera(0); }
    void PictureButton4_Click() { RunCamera(1); }
    void PictureButton5_Click() { RunCamera(2); }
    void PictureButton6_Click() { RunCamera(3); }
    void PictureButton7_Click() { RunCamera(4); }
    void PictureButton8_Click() { RunCamera(5); }
    void PictureButton9_Click() { RunCamera(6); }
    void PictureButton10_Click() { RunCamera(7); }
    void PictureButton11_Click() { RunCamera(8); }
    void PictureButton12_Click() { RunCamera(9); }
    void PictureButton13_Click() { RunCamera(10); }
    void PictureButton14_Click() { RunCamera(11); }
    void PictureButton15_Click();
    void PictureButton16_Click();
    void Image3_Click();
    void Command1_Click();
    void Command2_Click();
    void Form_QueryUnload();
    void Form_Unload();
    void Form_Terminate();

    const SetupControls& setupControls() const { return m_setup; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void handBackPressTakenByMove();
    void createControls();
    void createPictureButtons();
    void placeControls();
    void setTabOrderChain();
    void wireEvents();
    void RunCamera(int row);
    void OpenWebAddress();
    MatchValues matchValues() const;
    void End(int exitCode);
    template <typename Action> void runUntrapped(Action action);

    FormServices m_services;
    QPixmap m_background;
    SetupControls m_setup;
    std::unique_ptr<SetupModel> m_model;
    std::unique_ptr<SceneRunner> m_scenes;
    QComboBox* m_combo1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    HotSpot* m_image3 = nullptr;
    std::array<PictureButton*, 16> m_pictureButtons {};
    bool m_manualDrag = false;
    QPoint m_dragOffset;
    bool m_ended = false;
};

} // namespace tavorin
