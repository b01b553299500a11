#include "widgets/dataset_grid.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "data/engine_error.h"
#include "widgets/message_box.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/row_paint_delegate.h"

#include <QHeaderView>

DatasetGrid::DatasetGrid(QWidget *parent)
    : QTableView(parent), m_model(new DatasetGridModel(this)), m_delegate(new RowPaintDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The delegate paints the alternating rows; the view's own would fight it.
    setAlternatingRowColors(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DatasetGrid::applyColumns);
}

Dataset *DatasetGrid::dataset() const { return m_model->dataset(); }

void DatasetGrid::setDataset(Dataset *dataset, const QVector<GridColumn> &columns)
{
    if (Dataset *old = m_model->dataset()) disconnect(old, nullptr, this, nullptr);
    m_model->setColumns(columns);
    m_model->setDataset(dataset);
    if (dataset) {
        connect(dataset, &Dataset::currentRowChanged, this, &DatasetGrid::followDataset);
        followDataset(dataset->currentRow());
    }
    applyColumns();
}

void DatasetGrid::applyColumns()
{
    const auto &cols = m_model->columns();
    for (int c = 0; c < cols.size(); ++c) {
        setColumnWidth(c, cols[c].width);
        setColumnHidden(c, cols[c].hidden);
    }
    if (Dataset *ds = m_model->dataset()) followDataset(ds->currentRow());
}

void DatasetGrid::followDataset(int row)
{
    if (m_syncing) return;
    m_syncing = true;
    if (row < 0 || row >= m_model->rowCount()) {
        clearSelection();
    } else {
        int col = currentIndex().isValid() ? currentIndex().column() : 0;
        while (col < m_model->columnCount() - 1 && isColumnHidden(col)) ++col;
        const QModelIndex idx = m_model->index(row, col);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    m_syncing = false;
}

void DatasetGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_syncing || !current.isValid()) return;
    Dataset *ds = m_model->dataset();
    if (!ds || current.row() == ds->currentRow()) return;
    m_syncing = true;
    try {
        ds->setRecNo(current.row() + 1);  // posts a pending edit first, which may fail
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    m_syncing = false;
}
