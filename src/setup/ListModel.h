#pragma once

#include "setup/Catalogue.h"

#include <QAbstractListModel>
#include <vector>

namespace tavorin {

// The items of a ListCombo: a text and a 32-bit number each, replaceable in one go.
class ListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int NumberRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    qint32 number(int row) const;
    void append(CatalogueEntry entry);
    void replaceAll(std::vector<CatalogueEntry> entries);

private:
    std::vector<CatalogueEntry> m_entries;
};

}
