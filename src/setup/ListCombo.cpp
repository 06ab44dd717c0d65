#include "setup/ListCombo.h"

#include "setup/ListModel.h"

#include <QLineEdit>
#include <QListView>

namespace tavorin {

ListCombo::ListCombo(QWidget* parent)
    : QComboBox(parent)
    , m_items(new ListModel(this))
{
    // The model goes in first: the line edit's completer and the popup's view, both made by
    // setEditable, then take it once instead of being handed it again.
    setModel(m_items);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Measuring every item for the size hint would cost more than filling the list.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    detachTypingFromSelection();
    connect(this, &QComboBox::activated, this, &ListCombo::Click);
}

// Left alone, QComboBox selects an item equal to the typed text when the field loses
// focus or Enter is pressed, raises activated for it and may insert the text as an item.
void ListCombo::detachTypingFromSelection()
{
    setCompleter(nullptr);
    QLineEdit* field = lineEdit();
    disconnect(field, &QLineEdit::returnPressed, this, nullptr);
    disconnect(field, &QLineEdit::editingFinished, this, nullptr);
}

// The popup is built on first use, not with the list: most lists are never opened,
// and building six popups would slow the window's first appearance.
void ListCombo::showPopup()
{
    if (auto* listView = qobject_cast<QListView*>(view()))
        listView->setUniformItemSizes(true);
    QComboBox::showPopup();
}

QString ListCombo::Text() const
{
    return lineEdit()->text();
}

void ListCombo::setText(const QString& text)
{
    lineEdit()->setText(text);
}

int ListCombo::ListIndex() const
{
    return currentIndex();
}

int ListCombo::NewIndex() const
{
    return m_newIndex;
}

qint32 ListCombo::ItemData(int index) const
{
    return m_items->number(index);
}

void ListCombo::AddItem(const QString& text, qint32 itemData)
{
    const bool wasEmpty = count() == 0;
    const QString shown = Text();
    m_items->append({ text, itemData });
    m_newIndex = count() - 1;
    // QComboBox makes the first item of an empty list current; adding selects nothing here.
    if (wasEmpty)
        deselectKeepingText(shown);
}

void ListCombo::Clear()
{
    m_items->replaceAll({});
    m_newIndex = -1;
    deselectKeepingText(QString());
}

void ListCombo::fill(std::vector<CatalogueEntry> entries)
{
    const int added = int(entries.size());
    m_items->replaceAll(std::move(entries));
    m_newIndex = added - 1;
    deselectKeepingText(QString());
}

void ListCombo::deselectKeepingText(const QString& text)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(-1);
    setText(text);
}

}
