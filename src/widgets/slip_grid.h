#pragma once
// The cheque grid of a slip: a string grid whose rows are typed by keyboard alone.
// Column 0 holds the row number; the columns are described by a table (title,
// width, read-only, editor, alignment). The grid keeps its cell editor open,
// moves through the input columns on Enter, leaves the cell at the edges of the
// text with the arrows, runs the slip's row step when a row is left, adds a row on
// Down in the amount column of the last filled row, and groups the amount while
// its integer part is typed. What a row step does is the slip's (rowExit).
#include <QColor>
#include <QStringList>
#include <QTableWidget>
#include <QVector>
#include <functional>

class QLineEdit;

struct SlipColumn {
    enum class Editor { Text, DueDate, Decimal };
    const char *title;
    int width = 0;  // below 0: hidden
    bool readOnly = false;
    Editor editor = Editor::Text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool blue = false;  // amounts typed in are shown in blue
    int maxLength = 0;  // the longest text typed into a cell: its field's size
};

class SlipGrid : public QTableWidget {
    Q_OBJECT
public:
    SlipGrid(const QVector<SlipColumn> &columns, QWidget *parent = nullptr);

    // The column of the due date and of the amount: an empty due date marks an empty
    // row, and Down in the amount column of the last filled row adds a row.
    void setKeyColumns(int dueColumn, int amountColumn);
    // The row step run when a row is left, on clicks and before Up and Down; false
    // stops the move.
    void setRowExit(std::function<bool()> rowExit) { m_rowExit = std::move(rowExit); }
    // Where Enter goes from a column; -1 goes to the due date of the next row (or
    // to the column setNextRowColumn names).
    void setNextInputColumn(std::function<int(int)> next) { m_next = std::move(next); }
    void setNextRowColumn(int column) { m_nextRowColumn = column; }
    // The columns whose integer part is grouped while typed; the amount column alone
    // unless set.
    void setGroupedColumns(const QList<int> &columns) { m_grouped = columns; }
    // The background of odd and even rows (counted from 1) and of the number column.
    void setRowColours(const QColor &odd, const QColor &even, const QColor &numberColumn);
    // Adds a command of the grid's menu, with its key (also from the open cell editor).
    QAction *addCommand(const char *name, const QString &text, const QKeySequence &keys, std::function<void()> run);

    bool isReadOnlyColumn(int column) const;
    QStringList rowCells(int row) const;
    QVector<QStringList> rows() const;
    void writeRow(int row, const QStringList &cells);
    void renumber();
    void addEmptyRow();
    void clearRows();  // one empty numbered row
    // What is typed in the open cell editor belongs to the cell before a command reads it.
    void commitOpenEditor();

Q_SIGNALS:
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool editorKey(QLineEdit *editor, class QKeyEvent *key);
    bool gridKey(QObject *watched, class QKeyEvent *key);
    void groupAmount(QLineEdit *editor, class QKeyEvent *key);
    bool runRowExit() { return m_rowExit ? m_rowExit() : true; }

    QVector<SlipColumn> m_columns;
    class SlipGridDelegate *m_delegate;
    int m_dueColumn = 1, m_amountColumn = 2;
    int m_nextRowColumn = -1;  // -1: the due column
    QList<int> m_grouped;      // empty: the amount column
    std::function<bool()> m_rowExit;
    std::function<int(int)> m_next;
};
