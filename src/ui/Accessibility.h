#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace tavorin {

// What a screen reader says of one control of the window. An empty name leaves the
// control's own text as its name: a value label's name is the value it holds.
struct AccessibleText
{
    const char* control;
    QString name;
    QString description;
};

// One row per control that a screen reader finds, the window itself first.
const std::vector<AccessibleText>& accessibleTexts();

// The window is a window, the image buttons push buttons, Image3 a link, and each
// list is named by what it is for. The toolkit keeps the first interface it makes
// for a widget, and makes one as soon as a widget reports a change, so this runs
// once, before the first widget exists.
void installAccessibleInterfaces();

// Gives each control of the window the words of the table.
void describeForScreenReaders(QWidget& form);

} // namespace tavorin
