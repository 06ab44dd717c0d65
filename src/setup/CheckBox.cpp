#include "setup/CheckBox.h"

namespace tavorin {

CheckBox::CheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::stateChanged, this, &CheckBox::Click);
}

short CheckBox::Value() const
{
    switch (checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

void CheckBox::setValue(short value)
{
    static constexpr Qt::CheckState states[] = { Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked };
    if (value >= 0 && value <= 2)
        setCheckState(states[value]);
}

// The user only ever switches between off and on; a grayed box, which only a restore
// produces, turns on with the first click, as a ticked-looking box that became definite.
void CheckBox::nextCheckState()
{
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

}
