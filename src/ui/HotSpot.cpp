#include "ui/HotSpot.h"

#include <QMouseEvent>

namespace tavorin {

HotSpot::HotSpot(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
}

void HotSpot::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

// A click is a left press and release both on the hot spot, as on any button.
void HotSpot::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (clicked)
        emit Click();
}

} // namespace tavorin
