#include "controls/PointerReport.h"

#include <QMouseEvent>

namespace tavorin {

namespace {
    PointerReport reportOf(Qt::MouseButtons buttons, const QMouseEvent& event)
    {
        const QPointF position = event.position();
        return { buttonBits(buttons), shiftBits(event.modifiers()), float(position.x()),
            float(position.y()) };
    }
} // namespace

short buttonBits(Qt::MouseButtons buttons)
{
    return short((buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0)
        | (buttons.testFlag(Qt::MiddleButton) ? 4 : 0));
}

short shiftBits(Qt::KeyboardModifiers modifiers)
{
    return short((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
        | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

PointerReport moveReport(const QMouseEvent& event)
{
    return reportOf(event.buttons(), event);
}

PointerReport pressOrReleaseReport(const QMouseEvent& event)
{
    return reportOf(event.button(), event);
}

} // namespace tavorin
