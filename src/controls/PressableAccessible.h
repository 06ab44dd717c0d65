#pragma once

#include <QAccessibleWidget>
#include <functional>

namespace tavorin {

// What a screen reader finds of a control the program draws itself: the role it is
// given, and a press action that raises the control's Click as the pointer would.
// The click runs from the event loop, after the request has been answered, so a
// handler that shows a message box does not hold the screen reader waiting.
class PressableAccessible final : public QAccessibleWidget
{
public:
    PressableAccessible(QWidget* widget, QAccessible::Role role, std::function<void()> click);

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // For QAccessible::installFactory: every Control (a widget with a Click signal)
    // gets this interface with the role.
    template <typename Control, QAccessible::Role role>
    static QAccessibleInterface* factory(const QString& className, QObject* object)
    {
        if (className != QLatin1String(Control::staticMetaObject.className()))
            return nullptr;
        auto* control = static_cast<Control*>(object);
        return new PressableAccessible(control, role, [control] { emit control->Click(); });
    }

private:
    std::function<void()> m_click;
};

} // namespace tavorin
