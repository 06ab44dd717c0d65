#include "setup/ListCombo.h"

#include "setup/ListModel.h"

#include <QCompleter>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

namespace tavorin {

ListCombo::ListCombo(QWidget* parent)
    : QComboBox(parent)
    , m_items(new ListModel(this))
{
    setModel(m_items);
    giveTextField();
    setInsertPolicy(QComboBox::NoInsert);
    detachTypingFromSelection();
    connect(this, &QComboBox::activated, this, &ListCombo::Click);
}

// The text field is handed over ready-made rather than asked for with setEditable, which
// builds the popup and its view at once and gives the field a completer that this list
// would only throw away. QComboBox makes a completer only for a field that has none, so the
// field carries a stand-in, shared by all lists, while it is handed over. The popup is then
// built the first time it is asked for, most often never.
void ListCombo::giveTextField()
{
    static QPointer<QCompleter> standIn;
    if (!standIn) {
        standIn = new QCompleter(QCoreApplication::instance());
        standIn->setCompletionMode(QCompleter::InlineCompletion); // never builds a popup of its own
    }
    auto* field = new QLineEdit(this);
    field->setPalette(palette());
    field->setCompleter(standIn);
    setLineEdit(field);
    field->setCompleter(nullptr);
}

// QComboBox measures every item for its size hints, which for a catalogue of 100,000 teams
// costs more than filling the list, and asking it not to (AdjustToMinimumContentsLength)
// builds the popup at once. The window places every list itself: the hints only need to
// be cheap.
QSize ListCombo::sizeHint() const
{
    const QSize text(0, qMax(qCeil(QFontMetricsF(font()).height()), 14) + 2);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
}

QSize ListCombo::minimumSizeHint() const
{
    return sizeHint();
}

// Left alone, QComboBox selects an item equal to the typed text when the field loses
// focus or Enter is pressed, raises activated for it and may insert the text as an item.
void ListCombo::detachTypingFromSelection()
{
    QLineEdit* field = lineEdit();
    disconnect(field, &QLineEdit::returnPressed, this, nullptr);
    disconnect(field, &QLineEdit::editingFinished, this, nullptr);
}

// Items of one height let a popup over a long catalogue measure one item, not all.
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
