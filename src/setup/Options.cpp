#include "setup/Options.h"

namespace tavorin {
namespace {

    const QString kSection = QStringLiteral("Options");

    struct CheckEntry
    {
        const char* key;
        CheckBox* SetupControls::*control;
    };

    struct ListEntry
    {
        const char* key;
        ListCombo* SetupControls::*control;
    };

    struct LabelEntry
    {
        const char* key;
        QLabel* SetupControls::*control;
    };

    constexpr CheckEntry kChecks[] = {
        { "check1.value", &SetupControls::Check1 },
        { "check2.value", &SetupControls::Check2 },
    };

    constexpr ListEntry kLists[] = {
        { "combo2.text", &SetupControls::Combo2 },
        { "combo3.text", &SetupControls::Combo3 },
        { "combo4.text", &SetupControls::Combo4 },
        { "combo5.text", &SetupControls::Combo5 },
        { "combo6.text", &SetupControls::Combo6 },
        { "combo7.text", &SetupControls::Combo7 },
    };

    constexpr LabelEntry kLabels[] = {
        { "label7.caption", &SetupControls::Label7 },
        { "label8.caption", &SetupControls::Label8 },
        { "label9.caption", &SetupControls::Label9 },
        { "label10.caption", &SetupControls::Label10 },
        { "label11.caption", &SetupControls::Label11 },
        { "label14.caption", &SetupControls::Label14 },
        { "label15.caption", &SetupControls::Label15 },
    };

    void save(SettingsStore& store, const char* key, const QString& text)
    {
        store.SaveSetting(store.applicationName(), kSection, QLatin1String(key), text);
    }

    QString load(SettingsStore& store, const char* key, const QString& current)
    {
        return store.GetSetting(store.applicationName(), kSection, QLatin1String(key), current);
    }

}

void SaveOptions(const SetupControls& controls, SettingsStore& store)
{
    for (const CheckEntry& entry : kChecks)
        save(store, entry.key, QString::number((controls.*entry.control)->Value()));
    for (const ListEntry& entry : kLists)
        save(store, entry.key, (controls.*entry.control)->Text());
    for (const LabelEntry& entry : kLabels)
        save(store, entry.key, (controls.*entry.control)->text());
    store.flush();
}

void LoadOptions(
    const SetupControls& controls, SettingsStore& store, const SettingsStore::ReportSink& reportUnusable)
{
    // An unusable stored state leaves the box as it is, as a missing entry would, and the user
    // hears about it: the next save writes the box's state over the stored text.
    QStringList unusable;
    QString where;
    for (const CheckEntry& entry : kChecks) {
        CheckBox* box = controls.*entry.control;
        const QString text = load(store, entry.key, QString::number(box->Value()));
        if (const auto state = checkStateFromText(text)) {
            box->setValue(*state);
            continue;
        }
        if (where.isEmpty())
            where = store.whereStored(store.applicationName(), kSection, QLatin1String(entry.key));
        unusable << QStringLiteral("The stored value \"%1\" of %2 is not a check box state (0, 1 or 2); %3 "
                                   "keeps its state.")
                        .arg(text, QLatin1String(entry.key), box->objectName());
    }
    if (!unusable.isEmpty() && reportUnusable)
        reportUnusable(
            QStringLiteral("In the settings file %1: %2").arg(where, unusable.join(QLatin1Char(' '))));
    for (const ListEntry& entry : kLists) {
        ListCombo* list = controls.*entry.control;
        list->setText(load(store, entry.key, list->Text()));
    }
    for (const LabelEntry& entry : kLabels) {
        QLabel* label = controls.*entry.control;
        label->setText(load(store, entry.key, label->text()));
    }
}

}
