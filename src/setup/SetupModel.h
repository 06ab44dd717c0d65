#pragma once

#include "setup/Catalogue.h"
#include "setup/OptionsStore.h"
#include "setup/SetupControls.h"

#include <QObject>

namespace tavorin {

// Keeps the value labels in step with the picks and check boxes, shows the team
// logos, and runs start-up: catalogues, stored options, logos.
class SetupModel final : public QObject
{
    Q_OBJECT

public:
    using MessageSink = std::function<void(const QString& message)>;

    // programFolder is where the catalogues and logos live; it becomes the current folder.
    SetupModel(const SetupControls& controls, SettingsStore& store, MessageSink showMessage,
        QString programFolder, QObject* parent = nullptr);
    SetupModel(const SetupControls& controls, SettingsStore& store, MessageSink showMessage,
        QObject* parent = nullptr);

    void Check1_Click();
    void Check2_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Combo4_Click();
    void Combo6_Click();
    void Combo7_Click();
    // A missing or unreadable picture leaves the box empty: a first run always asks for logo.jpg.
    void ShowTeamLogo(QLabel* box, const QString& number);
    void SaveOptions();
    void LoadOptions();
    void Form_Load();

private:
    void connectHandlers();

    SetupControls m_controls;
    SettingsStore& m_store;
    MessageSink m_showMessage;
    QString m_programFolder;
};

// The logo of a team number, relative to the program folder, with the host's separators.
QString logoPath(const QString& number);

}
