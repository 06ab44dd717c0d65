#include "ui/Accessibility.h"

#include "controls/ComboAccessible.h"
#include "controls/PictureButton.h"
#include "controls/PressableAccessible.h"
#include "ui/Branding.h"
#include "ui/Form1.h"
#include "ui/HotSpot.h"

#include <QAccessibleWidget>

namespace tavorin {

namespace {
    const QString kCameraDescription
        = QStringLiteral("Saves the settings and plays the camera scene of this view");

    // A plain top-level widget reads as a mere panel; the launcher's face is its window.
    QAccessibleInterface* windowRoleFor(const QString& className, QObject* object)
    {
        if (className != QLatin1String(Form1::staticMetaObject.className()))
            return nullptr;
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
} // namespace

const std::vector<AccessibleText>& accessibleTexts()
{
    static const std::vector<AccessibleText> texts = [] {
        const QString webAddress = QString::fromLatin1(branding::kWebAddress);
        const QString maker = QString::fromLatin1(branding::kMakerName);
        return std::vector<AccessibleText> {
            { "Form1", {}, "Pick a home team, a kit and a resolution, then a camera view to play its scene" },
            { "Combo3", "Home team", "The home team of the match and of the camera scenes" },
            { "Combo6", "Home kit", "The kit the home team wears" },
            { "Combo5", "Resolution", "The screen resolution of the game and of the camera scenes" },
            { "Image1", "Home team logo", "The crest of the home team" },
            // The camera buttons in reading order, the second row left to right.
            { "PictureButton3", "front, head and shoulders", kCameraDescription },
            { "PictureButton4", "front, chest close-up", kCameraDescription },
            { "PictureButton5", "front, whole player from afar", kCameraDescription },
            { "PictureButton6", "front, whole player, nearer and from low", kCameraDescription },
            { "PictureButton7", "front, from the knees up", kCameraDescription },
            { "PictureButton8", "front, face close-up", kCameraDescription },
            { "PictureButton9", "front, waist and shorts", kCameraDescription },
            { "PictureButton10", "front, legs and boots", kCameraDescription },
            { "PictureButton11", "back, whole player from afar", kCameraDescription },
            { "PictureButton13", "back, shirt with name and number", kCameraDescription },
            { "PictureButton14", "back, upper back with the number, close", kCameraDescription },
            { "PictureButton12", "back, shorts and legs", kCameraDescription },
            { "PictureButton1", "Minimise", "Minimises the window" },
            { "PictureButton2", "Close", "Saves the settings and closes Tavorin" },
            { "PictureButton15", "Credits", "Shows who made Tavorin" },
            { "PictureButton16", maker, QStringLiteral("Opens the maker's web site, %1").arg(webAddress) },
            { "Image3", QString::fromLatin1(branding::kWebAddressShown),
                QStringLiteral("Opens the web site of %1, %2").arg(maker, webAddress) },
            // Outside the face: reached with Tab only.
            { "Combo1", "Stadium (not used)",
                "A second list of the stadiums; the match takes its stadium from the Stadium list" },
            { "Combo2", "Stadium", "The stadium of the match started by Play" },
            { "Combo4", "Away team", "The away team of the match started by Play" },
            { "Combo7", "Away kit", "The kit the away team wears" },
            { "Check1", "Windowed", "Plays the match in a window instead of the full screen" },
            { "Check2", "Audio", "Plays the match with sound" },
            { "Command1", "Save settings", "Saves every choice now" },
            { "Command2", "Play", "Starts the game straight into the match" },
            { "Image2", "Away team logo", "The crest of the away team" },
            { "Label7", {}, "Home team number" },
            { "Label8", {}, "Away team number" },
            { "Label9", {}, "Stadium number" },
            { "Label10", {}, "Windowed switch" },
            { "Label11", {}, "Home kit number" },
            { "Label14", {}, "Away kit number" },
            { "Label15", {}, "Audio switch" },
        };
    }();
    return texts;
}

void installAccessibleInterfaces()
{
    QAccessible::installFactory(&windowRoleFor);
    QAccessible::installFactory(&ComboAccessible::factory);
    QAccessible::installFactory(&PressableAccessible::factory<PictureButton, QAccessible::Button>);
    QAccessible::installFactory(&PressableAccessible::factory<HotSpot, QAccessible::Link>);
}

void describeForScreenReaders(QWidget& form)
{
    for (const AccessibleText& text : accessibleTexts()) {
        QWidget* control = text.control == form.objectName() ? &form : form.findChild<QWidget*>(text.control);
        if (!control)
            continue;
        if (!text.name.isEmpty())
            control->setAccessibleName(text.name);
        control->setAccessibleDescription(text.description);
    }
}

} // namespace tavorin
