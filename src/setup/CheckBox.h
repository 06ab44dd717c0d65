#pragma once

#include <QCheckBox>

namespace tavorin {

// A check box whose state is a number: 0 off, 1 on, 2 grayed.
class CheckBox final : public QCheckBox
{
    Q_OBJECT

public:
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr);

    short Value() const;
    void setValue(short value);

signals:
    // Once for every change of state, whether the user or the program made it.
    void Click();

protected:
    void nextCheckState() override;
};

}
