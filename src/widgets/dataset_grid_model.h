#pragma once
// The one model every data grid shows a dataset through. Columns are described by
// field, title, display format, width, hidden and alignment. Values are read with
// Dataset::valueAt, so painting never moves the dataset's cursor, and a reset does
// no work per row, so a list of a hundred thousand cheques opens at once. A query's
// rows come as the view asks for them (canFetchMore/fetchMore, a screenful at a
// time), so its first screenful shows without reading the rest.
// The model keeps its own row count: rows a query reads on its own while the
// program waits reach the views only through fetchMore, as any other rows do.
#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>
#include <functional>

#include "data/connection.h"
#include "data/dataset.h"

struct GridColumn {
    QString field;
    QString title;
    QString format;                  // "#,##0.00", "dd.mm.yyyy" ...; empty shows plainly
    int width = 80;                  // pixels
    bool hidden = false;
    Qt::Alignment alignment = {};    // none: numbers right, the rest left
    // Grids edited in place: whether the cell may be typed in, the format its text
    // is edited in ("#.000000"), and for a look-up column the values of its
    // drop-down (a stored value not among them shows empty).
    bool editable = false;
    QString editFormat;
    std::function<QStringList()> lookup;
};

// A column of a list: the field it shows, its title, width and display format.
inline GridColumn gridColumn(const char *field, const char *title, int width, const QString &format = QString(),
                             bool hidden = false)
{
    GridColumn c;
    c.field = QLatin1String(field);
    c.title = QString::fromUtf8(title);
    c.width = width;
    c.format = format;
    c.hidden = hidden;
    return c;
}

class DatasetGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { RawValueRole = Qt::UserRole + 1 };

    explicit DatasetGridModel(QObject *parent = nullptr);
    DatasetGridModel(Dataset *dataset, const QVector<GridColumn> &columns, QObject *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return m_dataset; }
    void setColumns(const QVector<GridColumn> &columns);
    const QVector<GridColumn> &columns() const { return m_columns; }
    const GridColumn &column(int col) const { return m_columns[col]; }
    int columnOfField(const QString &field) const;  // -1 when no column shows it

    // A field of a visible row, whether or not a column shows it.
    QVariant rawValue(int row, const QString &field) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    // Makes the rows up to row known to the views (reading them when needed), as
    // when the dataset's cursor moves past what has been shown so far.
    void fetchUpTo(int row);
    static constexpr int kScreenful = 64;  // rows read at a time
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Editing in place: the editable columns take typed values into the dataset's
    // current record (moving to the row first posts a pending one). While the
    // dataset inserts, the new record shows as an extra last row.
    void setEditable(bool on);
    bool isEditable() const { return m_editable; }
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool isPendingRow(int row) const { return m_pending && row == m_rows; }
    bool pendingTouched() const { return m_pending && m_pendingTouched; }

    // The column chooser's choice, kept when the rows are read again.
    void setColumnShown(int col, bool shown);

private:
    void onReset();
    void onRowChanged(int row);
    void onRowInserted(int row);
    void onRowAboutToBeRemoved(int row);
    void onRowRemoved(int row);
    void resolveFields();
    int readRows(int wanted);  // the dataset's visible rows, reading up to wanted
    void takeFetchedRows(int upTo);
    void notify(const std::function<void()> &end);  // runs an end*Rows/endResetModel
    bool m_notifying = false;
    bool m_fetchQueued = false;

    QPointer<Dataset> m_dataset;
    QVector<GridColumn> m_columns;
    QVector<int> m_fieldIndex;       // dataset column of each grid column, -1 when missing
    QVector<bool> m_numeric;
    int m_rows = 0;                  // the count the views know; changed only inside begin/end
    int m_removing = -1;  // the row announced as leaving, until it has left
    bool m_editable = false;
    bool m_pending = false;  // the inserted record shows as row m_rows
    bool m_pendingTouched = false;  // something was typed into it
    void syncPending();
};
