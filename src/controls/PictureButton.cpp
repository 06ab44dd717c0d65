#include "controls/PictureButton.h"

#include "controls/PointerReport.h"
#include "controls/PropertyBag.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tavorin {

namespace {
    // The control's surface before the first picture arrives (900 x 855 twips).
    constexpr QSize initialSize { 60, 57 };

    // How far inside the edge the focus mark runs: inside the thumbnails' two-pixel frame.
    constexpr int focusMarkInset = 3;

    bool isNone(const Picture& picture)
    {
        return !picture || picture->isNull();
    }

    // A dotted rectangle of black and white dots in turn, so it shows on dark and light pictures alike.
    // Dots of whole logical pixels stay crisp at 200 %. Walking the edge once keeps the turn at corners.
    void drawFocusMark(QPainter& painter, const QRect& area)
    {
        const QRect mark = area.adjusted(focusMarkInset, focusMarkInset, -focusMarkInset, -focusMarkInset);
        if (mark.width() < 2 || mark.height() < 2)
            return;
        int dots = 0;
        const auto dot
            = [&](int x, int y) { painter.fillRect(x, y, 1, 1, dots++ % 2 ? Qt::white : Qt::black); };
        for (int x = mark.left(); x < mark.right(); ++x)
            dot(x, mark.top());
        for (int y = mark.top(); y < mark.bottom(); ++y)
            dot(mark.right(), y);
        for (int x = mark.right(); x > mark.left(); --x)
            dot(x, mark.bottom());
        for (int y = mark.bottom(); y > mark.top(); --y)
            dot(mark.left(), y);
    }
} // namespace

PictureButton::PictureButton(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    // Clearing the surface means filling it with the control's background before a picture is drawn.
    setAutoFillBackground(true);
    resize(initialSize);
    m_Timer1.setObjectName(QStringLiteral("Timer1"));
    m_Timer1.setInterval(1);
    m_Timer1.setTimerType(Qt::PreciseTimer);
    connect(&m_Timer1, &QTimer::timeout, this, &PictureButton::Timer1_Timer);
    setPointerProbe(nullptr);
}

Picture PictureButton::picture() const
{
    return m_picture;
}

void PictureButton::setPicture(const Picture& newPicture)
{
    storePicture(m_picture, newPicture, QStringLiteral("Picture"));
}

Picture PictureButton::pictureHover() const
{
    return m_pictureHover;
}

void PictureButton::setPictureHover(const Picture& newPictureHover)
{
    storePicture(m_pictureHover, newPictureHover, QStringLiteral("PictureHover"));
}

Picture PictureButton::pictureDown() const
{
    return m_pictureDown;
}

void PictureButton::setPictureDown(const Picture& newPictureDown)
{
    storePicture(m_pictureDown, newPictureDown, QStringLiteral("PictureDown"));
}

short PictureButton::State() const
{
    return m_state;
}

bool PictureButton::Hovering() const
{
    return m_hovering;
}

void PictureButton::InitProperties()
{
    m_picture = nullptr;
    m_pictureHover = nullptr;
    m_pictureDown = nullptr;
}

void PictureButton::ReadProperties(const PropertyBag& bag)
{
    m_picture = bag.ReadProperty(QStringLiteral("Picture"), nullptr);
    m_pictureHover = bag.ReadProperty(QStringLiteral("PictureHover"), nullptr);
    m_pictureDown = bag.ReadProperty(QStringLiteral("PictureDown"), nullptr);
}

void PictureButton::WriteProperties(PropertyBag& bag) const
{
    bag.WriteProperty(QStringLiteral("Picture"), m_picture, nullptr);
    bag.WriteProperty(QStringLiteral("PictureHover"), m_pictureHover, nullptr);
    bag.WriteProperty(QStringLiteral("PictureDown"), m_pictureDown, nullptr);
}

void PictureButton::setPointerProbe(std::function<bool()> probe)
{
    m_pointerProbe = probe ? std::move(probe) : [this] { return toolkitSaysPointerOver(); };
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Picture& shown = pictureOfState();
    if (!isNone(shown)) {
        // Pixel art stays crisp at 200 %: the painter's integer device scale with no smoothing.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(QPointF(0, 0), shown->pixmap());
    }
    if (hasFocus())
        drawFocusMark(painter, rect());
}

void PictureButton::resizeEvent(QResizeEvent*)
{
    // A size imposed from outside snaps back to the shown picture's; our own resize lands here once more
    // and finds the size already right.
    ShowState();
}

void PictureButton::enterEvent(QEnterEvent*)
{
    m_pointerInside = true;
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    notePointerPosition(*event);
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    PointerReport report = pressOrReleaseReport(*event);
    emit MouseDown(report.Button, report.Shift, report.X, report.Y);
    if (report.Button == 1) {
        m_state = 2;
        ShowState();
    }
}

void PictureButton::mouseMoveEvent(QMouseEvent* event)
{
    notePointerPosition(*event);
    PointerReport report = moveReport(*event);
    emit MouseMove(report.Button, report.Shift, report.X, report.Y);
    if (report.Button >= 2)
        return;
    if (!IsPointerOver()) {
        m_hovering = false;
        m_state = 0;
        ShowState();
    } else if (report.Button == 0 && !m_hovering) {
        enterPointerOverPhase();
    } else if (report.Button == 1) {
        m_state = 2;
        ShowState();
        m_hovering = false;
    }
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    notePointerPosition(*event);
    const bool clicked = event->button() == Qt::LeftButton && m_leftPressed && m_pointerInside;
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    PointerReport report = pressOrReleaseReport(*event);
    emit MouseUp(report.Button, report.Shift, report.X, report.Y);
    m_state = IsPointerOver() ? 1 : 0;
    ShowState();
    if (clicked)
        emit Click();
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second left press of a double click is the double click itself, not another MouseDown, and it
    // leaves the picture alone; the second release is a plain MouseUp without Click.
    if (event->button() == Qt::LeftButton)
        emit DblClick();
    else
        mousePressEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            m_spacePressed = true;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            emit Click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PictureButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space)
        return QWidget::keyReleaseEvent(event);
    if (event->isAutoRepeat() || !m_spacePressed)
        return;
    m_spacePressed = false;
    emit Click();
}

void PictureButton::focusOutEvent(QFocusEvent* event)
{
    m_spacePressed = false;
    QWidget::focusOutEvent(event);
}

void PictureButton::Timer1_Timer()
{
    if (IsPointerOver())
        return;
    m_Timer1.stop();
    m_hovering = false;
    emit MouseLeave();
    m_state = 0;
    ShowState();
}

void PictureButton::enterPointerOverPhase()
{
    m_Timer1.start();
    m_hovering = true;
    emit MouseEnter();
    m_state = 1;
    ShowState();
}

void PictureButton::ShowState()
{
    // The surface is cleared and the picture drawn on the next paint; a missing picture leaves the
    // surface cleared at the size the control already has.
    update();
    const Picture& shown = pictureOfState();
    if (!isNone(shown))
        resize(shown->pixmap().deviceIndependentSize().toSize());
}

bool PictureButton::IsPointerOver() const
{
    return m_pointerProbe();
}

bool PictureButton::toolkitSaysPointerOver() const
{
    // The toolkit follows the window system's enter and leave notifications, which also come when another
    // window is mapped over a still pointer, so a tick costs no round trip to the display server.
    return underMouse() && m_pointerInside;
}

void PictureButton::notePointerPosition(const QMouseEvent& event)
{
    m_pointerInside = rect().contains(event.position().toPoint());
}

const Picture& PictureButton::pictureOfState() const
{
    switch (m_state) {
    case 1:
        return m_pictureHover;
    case 2:
        return m_pictureDown;
    default:
        return m_picture;
    }
}

void PictureButton::storePicture(Picture& field, const Picture& value, const QString& name)
{
    field = value;
    ShowState();
    emit PropertyChanged(name);
}

} // namespace tavorin
