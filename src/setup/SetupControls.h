#pragma once

#include "setup/CheckBox.h"
#include "setup/ListCombo.h"

#include <QLabel>
#include <QStringList>

namespace tavorin {

// The controls that hold the match being prepared; the window owns and places them.
struct SetupControls
{
    CheckBox* Check1; // windowed mode
    CheckBox* Check2; // audio
    ListCombo* Combo2; // stadium
    ListCombo* Combo3; // home team
    ListCombo* Combo4; // away team
    ListCombo* Combo5; // screen resolution, its text is the value
    ListCombo* Combo6; // home kit
    ListCombo* Combo7; // away kit
    QLabel* Label7; // home team number
    QLabel* Label8; // away team number
    QLabel* Label9; // stadium model number
    QLabel* Label10; // windowed switch: "windowed=1" or empty
    QLabel* Label11; // home kit number
    QLabel* Label14; // away kit number
    QLabel* Label15; // audio: "1" or "0"
    QLabel* Image1; // home team logo
    QLabel* Image2; // away team logo
};

// Creates every control as a child of parent, named and filled as the window is designed.
SetupControls createSetupControls(QWidget* parent);

QStringList stadiumNames();
QStringList resolutionTexts();

}
