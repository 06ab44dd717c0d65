#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace tavorin {

// A drop-down list as a screen reader should find it: named by what it is for
// ("Home team") with its text in the text field or the list below it. The
// toolkit's own list on Linux takes its current text for its name, which leaves
// a list whose purpose is only drawn on the window's picture with no name at all.
class ComboAccessible final : public QAccessibleWidget
{
public:
    explicit ComboAccessible(QComboBox* combo);

    // For QAccessible::installFactory: every drop-down list gets this interface.
    static QAccessibleInterface* factory(const QString& className, QObject* object);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QComboBox* combo() const;
};

} // namespace tavorin
