#include "widgets/dataset_grid_model.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "data/display_format.h"

DatasetGridModel::DatasetGridModel(QObject *parent) : QAbstractTableModel(parent) {}

DatasetGridModel::DatasetGridModel(Dataset *dataset, const QVector<GridColumn> &columns, QObject *parent)
    : QAbstractTableModel(parent)
{
    m_columns = columns;
    setDataset(dataset);
}

void DatasetGridModel::setDataset(Dataset *dataset)
{
    beginResetModel();
    if (m_dataset) disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (dataset) {
        connect(dataset, &Dataset::reset, this, &DatasetGridModel::onReset);
        connect(dataset, &Dataset::rowChanged, this, &DatasetGridModel::onRowChanged);
        connect(dataset, &Dataset::rowInserted, this, &DatasetGridModel::onRowInserted);
        connect(dataset, &Dataset::rowAboutToBeRemoved, this, &DatasetGridModel::onRowAboutToBeRemoved);
        connect(dataset, &Dataset::rowRemoved, this, &DatasetGridModel::onRowRemoved);
        connect(dataset, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_rows = 0;
            endResetModel();
        });
    }
    resolveFields();
    m_rows = dataset ? dataset->recordCount() : 0;
    endResetModel();
}

void DatasetGridModel::setColumns(const QVector<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    resolveFields();
    endResetModel();
}

void DatasetGridModel::resolveFields()
{
    m_fieldIndex.fill(-1, m_columns.size());
    m_numeric.fill(false, m_columns.size());
    if (!m_dataset) return;
    for (int c = 0; c < m_columns.size(); ++c) {
        const int f = m_dataset->fieldIndex(m_columns[c].field);
        m_fieldIndex[c] = f;
        if (f >= 0) {
            const FieldType t = m_dataset->fieldInfo(f).type;
            m_numeric[c] = t == FieldType::Double || m_dataset->fieldInfo(f).isInteger();
        }
    }
}

int DatasetGridModel::columnOfField(const QString &field) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].field.compare(field, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

QVariant DatasetGridModel::rawValue(int row, const QString &field) const
{
    if (!m_dataset || row < 0 || row >= m_rows) return {};
    const int f = m_dataset->fieldIndex(field);
    return f < 0 ? QVariant() : m_dataset->valueAt(row, f);
}

int DatasetGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

int DatasetGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset || index.row() >= m_rows || index.column() >= m_columns.size()) return {};
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case RawValueRole: {
        const int f = m_fieldIndex[c];
        if (f < 0) return {};
        const QVariant v = m_dataset->valueAt(index.row(), f);
        return role == Qt::DisplayRole ? QVariant(formatValue(m_columns[c].format, v)) : v;
    }
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = m_columns[c].alignment;
        if (!a) a = (m_numeric[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        return QVariant::fromValue(a);
    }
    default: return {};
    }
}

QVariant DatasetGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns[section].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void DatasetGridModel::onReset()
{
    // The dataset's fields may have changed too (a query reopened with other columns).
    beginResetModel();
    resolveFields();
    m_rows = m_dataset ? m_dataset->recordCount() : 0;
    endResetModel();
}

void DatasetGridModel::onRowChanged(int row)
{
    if (row < 0 || row >= m_rows || m_columns.isEmpty()) return;
    Q_EMIT dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

void DatasetGridModel::onRowInserted(int row)
{
    if (row < 0 || row > m_rows) return onReset();
    beginInsertRows(QModelIndex(), row, row);
    ++m_rows;
    endInsertRows();
}

void DatasetGridModel::onRowAboutToBeRemoved(int row)
{
    if (row < 0 || row >= m_rows) return;
    beginRemoveRows(QModelIndex(), row, row);
    m_removing = row;
}

void DatasetGridModel::onRowRemoved(int row)
{
    if (m_removing >= 0) {
        // Finish the removal announced; should another row have gone, show what is there.
        const bool announced = m_removing == row;
        m_removing = -1;
        --m_rows;
        endRemoveRows();
        if (!announced) onReset();
        return;
    }
    if (row < 0 || row >= m_rows) return onReset();
    beginRemoveRows(QModelIndex(), row, row);
    --m_rows;
    endRemoveRows();
}
