// A grid's view of one table of the session: one row per record, the columns of the record.
#pragma once

#include "core/records.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <vector>

// The column id (as the XML element name) under this role of the header.
inline constexpr int ColumnIdRole = Qt::UserRole;

class SessionTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    // The table changed under the model.
    void Refresh() {
        beginResetModel();
        endResetModel();
    }
};

template <class Record, std::size_t N>
class RecordTableModel : public SessionTableModel {
public:
    RecordTableModel(const std::vector<Record>& rows, const RecordColumn<Record> (&columns)[N], QObject* parent)
        : SessionTableModel(parent), rows(rows), columns(columns) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(N);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
            return {};
        const Record& record = rows[static_cast<std::size_t>(index.row())];
        return QString::fromStdString(record.*columns[index.column()].field);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
        if (role == Qt::DisplayRole) return QString(columns[section].header);
        if (role == ColumnIdRole) return QString(columns[section].id);
        return {};
    }

private:
    const std::vector<Record>& rows;
    const RecordColumn<Record> (&columns)[N];
};
