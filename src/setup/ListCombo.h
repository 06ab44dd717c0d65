#pragma once

#include "setup/Catalogue.h"

#include <QComboBox>
#include <vector>

namespace tavorin {

class ListModel;

// A drop-down list with a text field. Typing changes the text only; Click is raised
// only when the user picks an item, with the mouse from the list or with the arrow
// keys, PageUp, PageDown or the wheel on the closed list.
class ListCombo final : public QComboBox
{
    Q_OBJECT

public:
    explicit ListCombo(QWidget* parent = nullptr);

    QString Text() const;
    void setText(const QString& text);
    int ListIndex() const;
    int NewIndex() const;
    qint32 ItemData(int index) const;

    void AddItem(const QString& text, qint32 itemData);
    void Clear();
    // Replaces every item at once; afterwards no item is selected and the field is empty.
    void fill(std::vector<CatalogueEntry> entries);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

signals:
    void Click();

private:
    void giveTextField();
    void detachTypingFromSelection();
    void deselectKeepingText(const QString& text);

    ListModel* m_items;
    int m_newIndex = -1;
};

}
