#include "controls/ComboAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace tavorin {

ComboAccessible::ComboAccessible(QComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

QAccessibleInterface* ComboAccessible::factory(const QString& className, QObject* object)
{
    if (className != QLatin1String(QComboBox::staticMetaObject.className()))
        return nullptr;
    return new ComboAccessible(static_cast<QComboBox*>(object));
}

QComboBox* ComboAccessible::combo() const
{
    return static_cast<QComboBox*>(widget());
}

// The list of items first, then the text field of a list that has one.
int ComboAccessible::childCount() const
{
    return combo()->isEditable() ? 2 : 1;
}

QAccessibleInterface* ComboAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(combo()->view());
    if (index == 1 && combo()->isEditable())
        return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    return nullptr;
}

int ComboAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (child->object() == combo()->view())
        return 0;
    if (combo()->isEditable() && child->object() == combo()->lineEdit())
        return 1;
    return -1;
}

QString ComboAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return combo()->isEditable() ? combo()->lineEdit()->text() : combo()->currentText();
    return QAccessibleWidget::text(kind);
}

QAccessible::State ComboAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = combo()->view()->isVisible();
    state.editable = combo()->isEditable();
    return state;
}

QStringList ComboAccessible::actionNames() const
{
    return QStringList { showMenuAction(), pressAction() } + QAccessibleWidget::actionNames();
}

void ComboAccessible::doAction(const QString& actionName)
{
    if (actionName == showMenuAction() || actionName == pressAction())
        combo()->showPopup();
    else
        QAccessibleWidget::doAction(actionName);
}

} // namespace tavorin
