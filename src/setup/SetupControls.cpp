#include "setup/SetupControls.h"

namespace tavorin {
namespace {

    // Stand-ins for the long team list the window is designed with; start-up replaces them unseen.
    const char* const kDesignTeams[] = {
        "1 Arsenal",
        "2 Aston Villa",
        "5 Chelsea",
        "9 Everton",
        "10 Leeds United",
        "14 Liverpool",
        "21 Bayern München",
        "32 Borussia Dortmund",
        "44 AC Milan",
        "45 Juventus",
        "241 Real Madrid",
        "111032 Sinaloa",
    };

    template <typename Control> Control* named(Control* control, const char* name)
    {
        control->setObjectName(QLatin1String(name));
        return control;
    }

    ListCombo* list(QWidget* parent, const char* name, const QStringList& items)
    {
        auto* combo = named(new ListCombo(parent), name);
        for (const QString& item : items)
            combo->AddItem(item, 0);
        combo->setText(QLatin1String(name));
        return combo;
    }

    QLabel* label(QWidget* parent, const char* name)
    {
        return named(new QLabel(parent), name);
    }

    QStringList designTeams()
    {
        QStringList teams;
        for (const char* team : kDesignTeams)
            teams << QString::fromUtf8(team);
        return teams;
    }

}

QStringList stadiumNames()
{
    return {
        "Amsterdam Arena",
        "Anfield",
        "Bay Arena",
        "Bollaert",
        "Calderon",
        "Camp Nou",
        "Delle Alpi",
        "Divison One UK",
        "Division Two UK",
        "Division Three UK",
        "Division One Euro",
        "Division Two Euro",
        "Division Three Euro",
        "Generic Olympic",
        "Generic Square Closed",
        "Generic Square Open",
        "Generic Square Oval",
        "Hamburg",
        "Highbury",
        "Mestalla",
        "Old Trafford",
        "Olimpico",
        "Santiago Bernabeu",
        "San Siro",
        "Stock",
        "St James Park",
        "Westfalen",
    };
}

QStringList resolutionTexts()
{
    return { "640x480x16", "640x480x32", "800x600x16", "800x600x32", "1024x768x16", "1024x768x32",
        "1200x1600x16", "1200x1600x32" };
}

SetupControls createSetupControls(QWidget* parent)
{
    SetupControls controls {};
    controls.Check1 = named(new CheckBox(QStringLiteral("Check1"), parent), "Check1");
    controls.Check2 = named(new CheckBox(QStringLiteral("Check2"), parent), "Check2");
    controls.Combo2 = list(parent, "Combo2", stadiumNames());
    controls.Combo3 = list(parent, "Combo3", designTeams());
    controls.Combo4 = list(parent, "Combo4", designTeams());
    controls.Combo5 = list(parent, "Combo5", resolutionTexts());
    controls.Combo6 = list(parent, "Combo6", {});
    controls.Combo7 = list(parent, "Combo7", {});
    controls.Label7 = label(parent, "Label7");
    controls.Label8 = label(parent, "Label8");
    controls.Label9 = label(parent, "Label9");
    controls.Label10 = label(parent, "Label10");
    controls.Label11 = label(parent, "Label11");
    controls.Label14 = label(parent, "Label14");
    controls.Label15 = label(parent, "Label15");
    controls.Image1 = label(parent, "Image1");
    controls.Image2 = label(parent, "Image2");
    return controls;
}

}
