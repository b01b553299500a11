#pragma once
// A data grid: a table view over a DatasetGridModel whose selected row follows the
// dataset's current record and moves it when the user picks another row. Rows are
// painted by RowPaintDelegate; titles sort through connectTitleSort.
#include <QTableView>
#include <QVector>

class Dataset;
class DatasetGridModel;
class RowPaintDelegate;
struct GridColumn;

class DatasetGrid : public QTableView {
    Q_OBJECT
public:
    explicit DatasetGrid(QWidget *parent = nullptr);

    // Shows the dataset with these columns (widths and hidden ones applied).
    void setDataset(Dataset *dataset, const QVector<GridColumn> &columns);
    DatasetGridModel *gridModel() const { return m_model; }
    RowPaintDelegate *rowPainter() const { return m_delegate; }
    Dataset *dataset() const;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void applyColumns();
    void followDataset(int row);

    DatasetGridModel *m_model;
    RowPaintDelegate *m_delegate;
    bool m_syncing = false;
};
