#include "widgets/dataset_grid.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "data/engine_error.h"
#include "widgets/message_box.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/row_paint_delegate.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>

namespace {

// Row painting, and for grids edited in place a drop-down on look-up columns.
class GridDelegate : public RowPaintDelegate {
public:
    using RowPaintDelegate::RowPaintDelegate;

    static const GridColumn *lookupColumn(const QModelIndex &index)
    {
        const auto *model = qobject_cast<const DatasetGridModel *>(index.model());
        if (!model || index.column() >= model->columnCount()) return nullptr;
        const GridColumn &c = model->column(index.column());
        return c.lookup ? &c : nullptr;
    }
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const GridColumn *c = lookupColumn(index);
        if (!c) return RowPaintDelegate::createEditor(parent, option, index);
        auto *box = new QComboBox(parent);
        box->addItem(QString());
        box->addItems(c->lookup());
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor); box && lookupColumn(index)) {
            const int i = box->findText(index.data(Qt::DisplayRole).toString());
            box->setCurrentIndex(qMax(i, 0));
            return;
        }
        RowPaintDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor); box && lookupColumn(index)) {
            model->setData(index, box->currentText(), Qt::EditRole);
            return;
        }
        RowPaintDelegate::setModelData(editor, model, index);
    }
};

} // namespace

DatasetGrid::DatasetGrid(QWidget *parent)
    : QTableView(parent), m_model(new DatasetGridModel(this)), m_delegate(new GridDelegate(this))
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
    // The cursor may stand past the rows shown so far (a locate, last()).
    if (row >= m_model->rowCount()) m_model->fetchUpTo(row);
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
    if (m_syncing || !current.isValid() || m_model->isPendingRow(current.row())) return;
    Dataset *ds = m_model->dataset();
    if (!ds) return;
    // Leaving the new row for the row the dataset stands on still ends it: a new
    // row nobody typed into goes, a typed one is posted.
    const bool leftNewRow = previous.isValid() && m_model->isPendingRow(previous.row());
    if (current.row() == ds->currentRow() && !leftNewRow) return;
    m_syncing = true;
    try {
        if (current.row() == ds->currentRow()) ds->checkBrowseMode();
        else ds->setRecNo(current.row() + 1);  // posts a pending edit first, which may fail
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    m_syncing = false;
}

void DatasetGrid::setInPlaceEditing(bool on, const QString &deleteQuestion)
{
    m_inPlace = on;
    m_deleteQuestion = deleteQuestion;
    m_model->setEditable(on);
    setSelectionBehavior(on ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                       : QAbstractItemView::NoEditTriggers);
}

void DatasetGrid::appendRow()
{
    Dataset *ds = m_model->dataset();
    if (!ds || !ds->isActive()) return;
    try {
        ds->checkBrowseMode();
        ds->append();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    int col = 0;
    while (col < m_model->columnCount() - 1 && (isColumnHidden(col) || !m_model->column(col).editable)) ++col;
    m_syncing = true;
    setCurrentIndex(m_model->index(m_model->rowCount() - 1, col));
    m_syncing = false;
}

void DatasetGrid::keyPressEvent(QKeyEvent *event)
{
    Dataset *ds = m_model->dataset();
    if (!m_inPlace || !ds || !ds->isActive() || state() == QAbstractItemView::EditingState)
        return QTableView::keyPressEvent(event);
    const int row = currentIndex().row();
    const bool lastRow = row == m_model->rowCount() - 1 || m_model->rowCount() == 0;
    try {
        if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier && lastRow) {
            // The new row is added once something was typed into the one before.
            if (m_model->isPendingRow(row) && !m_model->pendingTouched()) return;
            appendRow();
            return;
        }
        if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
            appendRow();
            return;
        }
        if (event->key() == Qt::Key_Escape &&
            (ds->state() == Dataset::State::Edit || ds->state() == Dataset::State::Insert)) {
            ds->cancel();
            return;
        }
        if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
            // On the new row itself it goes; a pending row elsewhere ends first and
            // the current row is asked for.
            if (ds->state() == Dataset::State::Insert && m_model->isPendingRow(row)) {
                ds->cancel();
                return;
            }
            ds->checkBrowseMode();
            if (ds->currentRow() < 0 || !MessageBox::askYesNo(m_deleteQuestion)) return;
            ds->remove();
            return;
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    QTableView::keyPressEvent(event);
}
