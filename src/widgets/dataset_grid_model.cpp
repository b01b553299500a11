#include "widgets/dataset_grid_model.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "data/date_reading.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "widgets/message_box.h"

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
        connect(dataset, &Dataset::stateChanged, this, &DatasetGridModel::syncPending);
        connect(dataset, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_rows = 0;
            m_pending = false;
            notify([this] { endResetModel(); });
        });
    }
    resolveFields();
    m_rows = dataset ? readRows(kScreenful) : 0;
    m_pending = m_editable && dataset && dataset->state() == Dataset::State::Insert;
    notify([this] { endResetModel(); });
}

int DatasetGridModel::readRows(int wanted)
{
    // A dataset that holds its rows shows them all; a query's first screenful is
    // read here and the rest as the view scrolls.
    if (!m_dataset->fetchesOnDemand()) return m_dataset->recordCount();
    try {
        const int have = m_dataset->fetchedRecordCount();
        if (have < wanted) m_dataset->fetchMore(wanted - have);
    } catch (const EngineError &e) {
        qWarning("%s", qPrintable(e.message()));
    }
    return m_dataset->fetchedRecordCount();
}

bool DatasetGridModel::canFetchMore(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataset || !m_dataset->fetchesOnDemand()) return false;
    return m_rows < m_dataset->fetchedRecordCount() || m_dataset->canFetchMore();
}

void DatasetGridModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || !m_dataset || !m_dataset->fetchesOnDemand()) return;
    if (m_notifying) {
        // Asked from inside a change being announced: rows are not added in the
        // middle of it but right after, on the event loop.
        if (!m_fetchQueued) {
            m_fetchQueued = true;
            QMetaObject::invokeMethod(this, [this] {
                m_fetchQueued = false;
                fetchMore(QModelIndex());
            }, Qt::QueuedConnection);
        }
        return;
    }
    takeFetchedRows(readRows(m_rows + kScreenful));
}

void DatasetGridModel::fetchUpTo(int row)
{
    // Inside an announced change the cursor is followed again once it is over.
    if (m_notifying || !m_dataset || !m_dataset->fetchesOnDemand() || row < m_rows) return;
    takeFetchedRows(readRows(row + 1));
}

void DatasetGridModel::notify(const std::function<void()> &end)
{
    // Views and testers run inside the end of a change; a fetch they ask for waits.
    const bool outer = !m_notifying;
    m_notifying = true;
    end();
    if (outer) m_notifying = false;
}

void DatasetGridModel::takeFetchedRows(int upTo)
{
    if (upTo <= m_rows) return;
    notify([&] {
        beginInsertRows(QModelIndex(), m_rows, upTo - 1);
        m_rows = upTo;
        endInsertRows();
    });
}

void DatasetGridModel::setColumns(const QVector<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    resolveFields();
    notify([this] { endResetModel(); });
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

int DatasetGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows + (m_pending ? 1 : 0);
}

int DatasetGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset || index.row() >= rowCount() || index.column() >= m_columns.size()) return {};
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case RawValueRole: {
        const int f = m_fieldIndex[c];
        if (f < 0) return {};
        const GridColumn &col = m_columns[c];
        // The record being edited or inserted shows what has been typed so far.
        const bool buffered = m_editable && ((isPendingRow(index.row())) ||
                                             (m_dataset->state() == Dataset::State::Edit &&
                                              index.row() == m_dataset->currentRow()));
        const QVariant v = buffered ? m_dataset->value(f) : m_dataset->valueAt(index.row(), f);
        if (role == RawValueRole) return v;
        if (col.lookup && role == Qt::DisplayRole && !col.lookup().contains(v.toString())) return QString();
        if (role == Qt::EditRole) {
            if (v.isNull() || !v.isValid()) return QString();
            if (!col.editFormat.isEmpty()) return formatValue(col.editFormat, v);
            return m_numeric[c] || v.typeId() == QMetaType::QDate ? QVariant(formatValue(QString(), v)) : v;
        }
        return formatValue(col.format, v);
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

void DatasetGridModel::setEditable(bool on)
{
    beginResetModel();
    m_editable = on;
    m_pending = on && m_dataset && m_dataset->state() == Dataset::State::Insert;
    notify([this] { endResetModel(); });
}

void DatasetGridModel::setColumnShown(int col, bool shown)
{
    if (col >= 0 && col < m_columns.size()) m_columns[col].hidden = !shown;
}

Qt::ItemFlags DatasetGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid() && index.column() < m_columns.size() && m_columns[index.column()].editable &&
        m_fieldIndex.value(index.column(), -1) >= 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editable || role != Qt::EditRole || !index.isValid() || !m_dataset) return false;
    if (!(flags(index) & Qt::ItemIsEditable)) return false;
    const int f = m_fieldIndex[index.column()];
    const FieldInfo &info = m_dataset->fieldInfo(f);
    // A typed text becomes the field's value; one that does not read as the
    // field's type changes nothing.
    QVariant v = value;
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed();
        if (t.isEmpty()) {
            v = QVariant();
        } else if (info.type == FieldType::Double || info.isInteger()) {
            const auto n = sayiOkuDene(t);
            if (!n) return false;
            v = info.isInteger() ? QVariant(qint64(qRound64(*n))) : QVariant(*n);
        } else if (info.type == FieldType::Date) {
            const QDate d = tarihOku(t);
            if (!d.isValid()) return false;
            v = d;
        }
    }
    try {
        Dataset &ds = *m_dataset;
        if (!isPendingRow(index.row())) {
            if (ds.state() == Dataset::State::Insert || ds.currentRow() != index.row()) ds.setRecNo(index.row() + 1);
            if (ds.state() == Dataset::State::Browse) ds.edit();
        }
        ds.setFieldValue(f, v);
        if (isPendingRow(index.row())) m_pendingTouched = true;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    Q_EMIT dataChanged(index, index);
    return true;
}

void DatasetGridModel::syncPending()
{
    const bool pending = m_editable && m_dataset && m_dataset->state() == Dataset::State::Insert;
    if (pending == m_pending) return;
    m_pendingTouched = false;
    if (pending) {
        beginInsertRows(QModelIndex(), m_rows, m_rows);
        m_pending = true;
        notify([this] { endInsertRows(); });
    } else {
        beginRemoveRows(QModelIndex(), m_rows, m_rows);
        m_pending = false;
        notify([this] { endRemoveRows(); });
    }
}

void DatasetGridModel::onReset()
{
    // The dataset's fields may have changed too (a query reopened with other columns).
    notify([this] {
        beginResetModel();
        resolveFields();
        m_rows = m_dataset ? readRows(kScreenful) : 0;
        m_pending = m_editable && m_dataset && m_dataset->state() == Dataset::State::Insert;
        endResetModel();
    });
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
    notify([this] { endInsertRows(); });
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
        notify([this] { endRemoveRows(); });
        if (!announced) onReset();
        return;
    }
    if (row < 0 || row >= m_rows) return onReset();
    beginRemoveRows(QModelIndex(), row, row);
    --m_rows;
    notify([this] { endRemoveRows(); });
}
