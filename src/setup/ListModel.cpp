#include "setup/ListModel.h"

namespace tavorin {

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CatalogueEntry& entry = m_entries[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return entry.name;
    case NumberRole:
        return entry.number;
    default:
        return {};
    }
}

qint32 ListModel::number(int row) const
{
    return row >= 0 && row < rowCount() ? m_entries[std::size_t(row)].number : 0;
}

void ListModel::append(CatalogueEntry entry)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_entries.push_back(std::move(entry));
    endInsertRows();
}

void ListModel::replaceAll(std::vector<CatalogueEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

}
