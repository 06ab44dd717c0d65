#include "ui/Form1.h"

#include "controls/PictureButton.h"
#include "controls/PropertyBag.h"
#include "launch/CameraScenes.h"
#include "launch/CommandLines.h"
#include "launch/MatchLaunch.h"
#include "launch/Platform.h"
#include "launch/RuntimeError.h"
#include "setup/ListCombo.h"
#include "setup/SetupModel.h"
#include "ui/Accessibility.h"
#include "ui/Branding.h"
#include "ui/Dialogs.h"
#include "ui/FormLayout.h"
#include "ui/HotSpot.h"
#include "ui/Pictures.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

namespace tavorin {

Form1::Form1(FormServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_services(std::move(services))
    , m_background(pictures::background())
{
    setObjectName("Form1");
    setWindowTitle("Tavorin 2005");
    setWindowIcon(pictures::icon());
    setFixedSize(kFormSize);
    createControls();
    placeControls();
    setTabOrderChain();
    describeForScreenReaders(*this);
    m_model = std::make_unique<SetupModel>(m_setup, *m_services.store,
        [this](const QString& message) { m_services.dialogs->warning(this, message); }, m_services.programFolder);
    m_scenes = std::make_unique<SceneRunner>(
        *m_services.platform, [this] { m_model->SaveOptions(); },
        [this] {
            return SceneValues { m_setup.Label11->text(), m_setup.Label7->text(), m_setup.Label10->text(),
                m_setup.Combo5->Text() };
        },
        m_services.programFolder);
    wireEvents();
}

Form1::~Form1()
{
    Form_Terminate();
}

void Form1::createControls()
{
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName("Combo1");
    m_combo1->addItems(stadiumNames());
    m_combo1->setCurrentIndex(-1);
    m_label2 = new QLabel(this);
    m_label2->setObjectName("Label2");
    m_label3 = new QLabel("Stadium ID:", this);
    m_label3->setObjectName("Label3");
    m_setup = createSetupControls(this);
    for (auto [button, name, picture] : { std::tuple { &m_command1, "Command1", pictures::saveSettingsBar() },
             std::tuple { &m_command2, "Command2", pictures::playBar() } }) {
        *button = new QPushButton(this);
        (*button)->setObjectName(name);
        (*button)->setIcon(picture);
        (*button)->setIconSize(picture.size());
        // A classic push button answers Enter as well as Space when it has the focus.
        (*button)->setAutoDefault(true);
    }
    createPictureButtons();
    m_image3 = new HotSpot(this);
    m_image3->setObjectName("Image3");
    m_image3->setCursor(pictures::handCursor());
}

void Form1::createPictureButtons()
{
    for (int i = 0; i < int(m_pictureButtons.size()); ++i) {
        auto* button = new PictureButton(this);
        button->setObjectName(QStringLiteral("PictureButton%1").arg(i + 1));
        button->ReadProperties(pictures::pictureButtonProperties(i + 1));
        m_pictureButtons[i] = button;
    }
}

void Form1::placeControls()
{
    for (const ControlPlace& place : formLayout()) {
        if (auto* control = findChild<QWidget*>(place.name, Qt::FindDirectChildrenOnly))
            control->setGeometry(place.rect);
    }
}

void Form1::setTabOrderChain()
{
    QWidget* previous = nullptr;
    for (const ControlPlace& place : formLayout()) {
        auto* control = findChild<QWidget*>(place.name, Qt::FindDirectChildrenOnly);
        if (!control || control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
    m_combo1->setFocus(Qt::OtherFocusReason);
}

void Form1::wireEvents()
{
    using Handler = void (Form1::*)();
    static constexpr std::array<Handler, 16> clicks { &Form1::PictureButton1_Click, &Form1::PictureButton2_Click,
        &Form1::PictureButton3_Click, &Form1::PictureButton4_Click, &Form1::PictureButton5_Click,
        &Form1::PictureButton6_Click, &Form1::PictureButton7_Click, &Form1::PictureButton8_Click,
        &Form1::PictureButton9_Click, &Form1::PictureButton10_Click, &Form1::PictureButton11_Click,
        &Form1::PictureButton12_Click, &Form1::PictureButton13_Click, &Form1::PictureButton14_Click,
        &Form1::PictureButton15_Click, &Form1::PictureButton16_Click };
    for (int i = 0; i < int(clicks.size()); ++i)
        connect(m_pictureButtons[i], &PictureButton::Click, this, clicks[i]);
    connect(m_image3, &HotSpot::Click, this, &Form1::Image3_Click);
    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

void Form1::Form_Load()
{
    m_model->Form_Load();
}

void Form1::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

// Only presses on the face itself get here with no child under them; a press
// on a control belongs to that control.
void Form1::mousePressEvent(QMouseEvent* event)
{
    if (childAt(event->position().toPoint()))
        return;
    Form_MouseDown(event->button(), event->globalPosition());
}

void Form1::Form_MouseDown(Qt::MouseButton button, const QPointF& globalPosition)
{
    if (button != Qt::LeftButton)
        return;
    // Without a window manager the system move is refused: follow the pointer ourselves.
    if (windowHandle() && windowHandle()->startSystemMove()) {
        handBackPressTakenByMove();
        return;
    }
    m_manualDrag = true;
    m_dragOffset = globalPosition.toPoint() - frameGeometry().topLeft();
}

// The window system keeps the release that ends its move (on Wayland always), so the toolkit
// would go on sending every later move to the face as if it still held the button, and no image
// button would light up until the next click. A release of our own, once this press has been
// handled, hands the pointer back; a second release from the window system finds no button down.
void Form1::handBackPressTakenByMove()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!windowHandle())
                return;
            const QPointF global = QCursor::pos();
            QMouseEvent release(QEvent::MouseButtonRelease, windowHandle()->mapFromGlobal(global), global,
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(windowHandle(), &release);
        },
        Qt::QueuedConnection);
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    if (m_manualDrag && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void Form1::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_manualDrag = false;
}

void Form1::PictureButton1_Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void Form1::PictureButton2_Click()
{
    m_model->SaveOptions();
    End(0);
}

void Form1::RunCamera(int row)
{
    runUntrapped([&] { m_scenes->RunScene(cameraScenes()[row]); });
}

void Form1::PictureButton15_Click()
{
    m_services.dialogs->information(this, branding::kCreditsLine);
}

void Form1::PictureButton16_Click()
{
    OpenWebAddress();
}

void Form1::Image3_Click()
{
    OpenWebAddress();
}

void Form1::OpenWebAddress()
{
    m_services.openUrl(QUrl(branding::kWebAddress));
}

void Form1::Command1_Click()
{
    m_model->SaveOptions();
    m_services.dialogs->information(this, "Settings Saved!");
}

void Form1::Command2_Click()
{
    runUntrapped([&] { LaunchMatch(*m_services.platform, matchValues()); });
}

MatchValues Form1::matchValues() const
{
    return MatchValues { m_setup.Label10->text(), m_setup.Label7->text(), m_setup.Label11->text(),
        m_setup.Label14->text(), m_setup.Label8->text(), m_setup.Label9->text(), m_setup.Combo5->Text(),
        m_setup.Label15->text() };
}

// No close is ever refused: the request and the unload each save, then the window goes.
void Form1::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    Form_Unload();
    event->accept();
}

void Form1::Form_QueryUnload()
{
    m_model->SaveOptions();
}

void Form1::Form_Unload()
{
    m_model->SaveOptions();
}

void Form1::Form_Terminate()
{
    if (!m_ended)
        m_model->SaveOptions();
}

void Form1::End(int exitCode)
{
    m_ended = true;
    m_services.end(exitCode);
}

// An error that a handler does not trap is shown once and ends the program;
// whatever the handler had done before it stays done.
template <typename Action> void Form1::runUntrapped(Action action)
{
    try {
        action();
    } catch (const RuntimeError& error) {
        m_services.dialogs->critical(this, error.message());
        End(1);
    }
}

} // namespace tavorin
