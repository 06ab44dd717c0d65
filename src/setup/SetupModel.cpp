#include "setup/SetupModel.h"

#include "setup/AppInfo.h"
#include "setup/CaseFold.h"
#include "setup/Options.h"

#include <QDir>
#include <QPixmap>

namespace tavorin {
namespace {

    void showPickedNumber(const ListCombo* list, QLabel* label)
    {
        const int picked = list->ListIndex();
        if (picked >= 0)
            label->setText(QString::number(list->ItemData(picked)));
    }

}

QString logoPath(const QString& number)
{
    QString path = QStringLiteral("data\\EASO\\fifa\\images\\logos\\logo") + number + QStringLiteral(".jpg");
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

SetupModel::SetupModel(const SetupControls& controls, SettingsStore& store, MessageSink showMessage,
    QString programFolder, QObject* parent)
    : QObject(parent)
    , m_controls(controls)
    , m_store(store)
    , m_showMessage(std::move(showMessage))
    , m_programFolder(std::move(programFolder))
{
    connectHandlers();
}

SetupModel::SetupModel(
    const SetupControls& controls, SettingsStore& store, MessageSink showMessage, QObject* parent)
    : SetupModel(controls, store, std::move(showMessage), appPath(), parent)
{
}

void SetupModel::connectHandlers()
{
    connect(m_controls.Check1, &CheckBox::Click, this, &SetupModel::Check1_Click);
    connect(m_controls.Check2, &CheckBox::Click, this, &SetupModel::Check2_Click);
    connect(m_controls.Combo2, &ListCombo::Click, this, &SetupModel::Combo2_Click);
    connect(m_controls.Combo3, &ListCombo::Click, this, &SetupModel::Combo3_Click);
    connect(m_controls.Combo4, &ListCombo::Click, this, &SetupModel::Combo4_Click);
    connect(m_controls.Combo6, &ListCombo::Click, this, &SetupModel::Combo6_Click);
    connect(m_controls.Combo7, &ListCombo::Click, this, &SetupModel::Combo7_Click);
}

// Two separate tests on a fresh read of the state: a grayed box passes neither.
void SetupModel::Check1_Click()
{
    if (m_controls.Check1->Value() == 1)
        m_controls.Label10->setText(QStringLiteral("windowed=1"));
    if (m_controls.Check1->Value() == 0)
        m_controls.Label10->clear();
}

void SetupModel::Check2_Click()
{
    if (m_controls.Check2->Value() == 1)
        m_controls.Label15->setText(QStringLiteral("1"));
    if (m_controls.Check2->Value() == 0)
        m_controls.Label15->setText(QStringLiteral("0"));
}

void SetupModel::Combo2_Click()
{
    showPickedNumber(m_controls.Combo2, m_controls.Label9);
}

void SetupModel::Combo3_Click()
{
    showPickedNumber(m_controls.Combo3, m_controls.Label7);
    ShowTeamLogo(m_controls.Image1, m_controls.Label7->text());
}

void SetupModel::Combo4_Click()
{
    showPickedNumber(m_controls.Combo4, m_controls.Label8);
    ShowTeamLogo(m_controls.Image2, m_controls.Label8->text());
}

void SetupModel::Combo6_Click()
{
    showPickedNumber(m_controls.Combo6, m_controls.Label11);
}

void SetupModel::Combo7_Click()
{
    showPickedNumber(m_controls.Combo7, m_controls.Label14);
}

void SetupModel::ShowTeamLogo(QLabel* box, const QString& number)
{
    const QPixmap logo(existingSpelling(logoPath(number)));
    if (logo.isNull()) {
        box->clear();
        return;
    }
    box->setPixmap(logo);
    box->resize(logo.size());
}

void SetupModel::SaveOptions()
{
    tavorin::SaveOptions(m_controls, m_store);
}

void SetupModel::LoadOptions()
{
    tavorin::LoadOptions(m_controls, m_store, m_showMessage);
}

void SetupModel::Form_Load()
{
    // Each catalogue is read twice; a faulty file is worth one message, not two.
    QStringList shown;
    const ProblemSink showOnce = [&](const QString& message) {
        if (!shown.contains(message)) {
            shown << message;
            m_showMessage(message);
        }
    };
    LoadCatalogue(m_controls.Combo3, QStringLiteral("\\teams.ini"), showOnce, m_programFolder);
    LoadCatalogue(m_controls.Combo4, QStringLiteral("\\teams.ini"), showOnce, m_programFolder);
    LoadCatalogue(m_controls.Combo6, QStringLiteral("\\kits.ini"), showOnce, m_programFolder);
    LoadCatalogue(m_controls.Combo7, QStringLiteral("\\kits.ini"), showOnce, m_programFolder);
    LoadOptions();
    ShowTeamLogo(m_controls.Image1, m_controls.Label7->text());
    ShowTeamLogo(m_controls.Image2, m_controls.Label8->text());
}

}
