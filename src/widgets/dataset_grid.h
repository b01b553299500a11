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

    // Rows are added, changed and deleted in the grid itself: typing changes the
    // cell, leaving the row posts it, Down past the last row (or Insert) appends
    // one, Escape drops what is pending, Ctrl+Delete deletes the row after the
    // question. Look-up columns edit through a drop-down of their values.
    void setInPlaceEditing(bool on, const QString &deleteQuestion = QStringLiteral("Kayıt silinsin mi?"));
    // Appends a record and puts the cursor on its first editable cell.
    void appendRow();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyColumns();
    void followDataset(int row);

    DatasetGridModel *m_model;
    RowPaintDelegate *m_delegate;
    bool m_syncing = false;
    bool m_inPlace = false;
    QString m_deleteQuestion;
};
