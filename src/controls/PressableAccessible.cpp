#include "controls/PressableAccessible.h"

#include <QWidget>

namespace tavorin {

PressableAccessible::PressableAccessible(QWidget* widget, QAccessible::Role role, std::function<void()> click)
    : QAccessibleWidget(widget, role)
    , m_click(std::move(click))
{
}

QStringList PressableAccessible::actionNames() const
{
    return QStringList { pressAction() } + QAccessibleWidget::actionNames();
}

void PressableAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        QMetaObject::invokeMethod(widget(), m_click, Qt::QueuedConnection);
    else
        QAccessibleWidget::doAction(actionName);
}

} // namespace tavorin
