#include "widgets/slip_grid.h"

#include "data/display_format.h"
#include "data/number_reading.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include <algorithm>

// Light blue on odd rows, light yellow on even ones, the row number on the button
// face, unless the grid is given other colours; the editors of the column table.
class SlipGridDelegate : public QStyledItemDelegate {
public:
    SlipGridDelegate(const QVector<SlipColumn> &columns, QObject *keys, QObject *parent)
        : QStyledItemDelegate(parent), m_columns(columns), m_keys(keys)
    {
    }

    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == 0) {
            option->backgroundBrush = numberColumn.isValid() ? QBrush(numberColumn) : option->palette.button();
            option->displayAlignment = Qt::AlignCenter;
            return;
        }
        option->backgroundBrush = (index.row() + 1) % 2 ? odd : even;
        const SlipColumn &c = m_columns.at(index.column());
        if (c.blue) option->palette.setColor(QPalette::Text, Qt::blue);
        option->displayAlignment = c.alignment;
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            switch (m_columns.at(index.column()).editor) {
            // Every place optional (Qt's "0"), so a half-typed date reaches the row step,
            // which completes it or says what is wrong.
            case SlipColumn::Editor::DueDate: edit->setInputMask(QStringLiteral("00.00.0000;_")); break;
            case SlipColumn::Editor::Decimal: KeyFilters::installDecimalKeys(edit); break;
            case SlipColumn::Editor::Text: FormKit::limitTyping(edit, m_columns.at(index.column()).maxLength); break;
            }
            // The slip moves through the columns itself on Enter, Up and Down.
            edit->setProperty("enterKeepsKey", true);
            edit->installEventFilter(m_keys);
        }
        return w;
    }

    // A masked date goes into the cell as shown, blanks included ("5_.3_.24__"), so
    // day, month and year keep their places for the completion; a mask left
    // without any digit leaves the cell empty.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *edit = qobject_cast<QLineEdit *>(editor);
        if (!edit || edit->inputMask().isEmpty()) return QStyledItemDelegate::setModelData(editor, model, index);
        const QString shown = edit->displayText();
        const bool anyDigit = std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); });
        model->setData(index, anyDigit ? shown : QString(), Qt::EditRole);
    }

    // Enter is the slip's: it writes the cell and moves on itself (the grid's key
    // filter on the editor). Qt's own handling would commit the same editor once
    // more, later, after the slip has already closed it.
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent *>(event)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) return false;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    // Writes the editor's text into its cell; the editor stays open.
    void commit(QWidget *editor) { Q_EMIT commitData(editor); }

    // Writes the editor's text into its cell and closes it, before the slip moves on.
    void finish(QWidget *editor)
    {
        commit(editor);
        // Closing hides the focused editor; its focus-out must not commit it a second time.
        editor->removeEventFilter(this);
        Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

    QColor odd{223, 235, 255}, even{249, 255, 225}, numberColumn;

private:
    QVector<SlipColumn> m_columns;
    QObject *m_keys;
};

SlipGrid::SlipGrid(const QVector<SlipColumn> &columns, QWidget *parent)
    : QTableWidget(1, int(columns.size()), parent), m_columns(columns)
{
    QStringList titles;
    for (const SlipColumn &c : columns) titles << QString::fromUtf8(c.title);
    setHorizontalHeaderLabels(titles);
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].width < 0) setColumnHidden(c, true);
        else setColumnWidth(c, columns[c].width);
    }
    verticalHeader()->hide();
    m_delegate = new SlipGridDelegate(columns, this, this);
    setItemDelegate(m_delegate);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setSectionsMovable(true);
    installEventFilter(this);
    viewport()->installEventFilter(this);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    renumber();

    connect(this, &QTableWidget::currentCellChanged, this, [this](int, int, int previousRow, int) {
        // Leaving a row runs the row step on it.
        if (previousRow < 0 || previousRow == currentRow()) return;
        const int now = currentRow();
        const QSignalBlocker block(this);
        setCurrentCell(previousRow, currentColumn());
        runRowExit();
        setCurrentCell(now, currentColumn());
    });
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *) { Q_EMIT edited(); });
    // Leaving the grid (not for its own cell editor) runs the row step, when the
    // focus stays in the slip's window.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        const auto inGrid = [this](QWidget *w) { return w && (w == this || isAncestorOf(w)); };
        if (inGrid(old) && !inGrid(now) && now && window()->isAncestorOf(now)) {
            commitOpenEditor();
            runRowExit();
        }
    });
}

void SlipGrid::setRowColours(const QColor &odd, const QColor &even, const QColor &numberColumn)
{
    m_delegate->odd = odd;
    m_delegate->even = even;
    m_delegate->numberColumn = numberColumn;
    viewport()->update();
}

void SlipGrid::setKeyColumns(int dueColumn, int amountColumn)
{
    m_dueColumn = dueColumn;
    m_amountColumn = amountColumn;
}

QAction *SlipGrid::addCommand(const char *name, const QString &text, const QKeySequence &keys, std::function<void()> run)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (run) connect(action, &QAction::triggered, this, std::move(run));
    else action->setEnabled(false);
    addAction(action);
    return action;
}

bool SlipGrid::isReadOnlyColumn(int column) const
{
    return column == 0 || (column > 0 && column < m_columns.size() && m_columns[column].readOnly);
}

QStringList SlipGrid::rowCells(int row) const
{
    QStringList cells;
    cells.reserve(columnCount());
    for (int c = 0; c < columnCount(); ++c) {
        const QTableWidgetItem *i = item(row, c);
        cells << (i ? i->text() : QString());
    }
    return cells;
}

QVector<QStringList> SlipGrid::rows() const
{
    QVector<QStringList> out;
    out.reserve(rowCount());
    for (int r = 0; r < rowCount(); ++r) out << rowCells(r);
    return out;
}

void SlipGrid::writeRow(int row, const QStringList &cells)
{
    const QSignalBlocker block(this);
    for (int c = 0; c < columnCount(); ++c) {
        QTableWidgetItem *i = item(row, c);
        if (!i) {
            i = new QTableWidgetItem;
            setItem(row, c, i);
        }
        if (isReadOnlyColumn(c)) i->setFlags(i->flags() & ~Qt::ItemIsEditable);
        i->setText(cells.value(c));
    }
}

void SlipGrid::renumber()
{
    const QSignalBlocker block(this);
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells = rowCells(r);
        cells[0] = QString::number(r + 1);
        writeRow(r, cells);
    }
}

void SlipGrid::addEmptyRow()
{
    const int r = rowCount();
    insertRow(r);
    QStringList cells(columnCount());
    cells[0] = QString::number(r + 1);
    writeRow(r, cells);
}

void SlipGrid::clearRows()
{
    const QSignalBlocker block(this);
    setRowCount(0);
    addEmptyRow();
}

void SlipGrid::commitOpenEditor()
{
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (editor && isAncestorOf(editor) && currentRow() >= 0) m_delegate->commit(editor);
}

bool SlipGrid::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    const bool ours = watched == this || (widget && isAncestorOf(widget));
    if (watched == viewport() && event->type() == QEvent::MouseButtonRelease) {
        // Every click in the grid runs the row step on the current row.
        runRowExit();
    } else if (ours && event->type() == QEvent::ShortcutOverride) {
        // In the cell editor Shift+Insert and Shift+Delete are the grid menu's row
        // commands, not paste and cut.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::ShiftModifier && (key->key() == Qt::Key_Insert || key->key() == Qt::Key_Delete)) {
            event->ignore();
            return true;
        }
    } else if (ours && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (auto *editor = qobject_cast<QLineEdit *>(watched); editor && editorKey(editor, key)) return true;
        if (gridKey(watched, key)) return true;
    } else if (ours && event->type() == QEvent::KeyRelease
               && (m_grouped.isEmpty() ? currentColumn() == m_amountColumn : m_grouped.contains(currentColumn()))) {
        if (auto *editor = qobject_cast<QLineEdit *>(watched)) groupAmount(editor, static_cast<QKeyEvent *>(event));
    }
    return QTableWidget::eventFilter(watched, event);
}

// Keys of the cell editor: its text goes into the cell first.
bool SlipGrid::editorKey(QLineEdit *editor, QKeyEvent *key)
{
    const int row = currentRow(), col = currentColumn();
    if (row < 0 || col < 0) return false;
    const int k = key->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Up || k == Qt::Key_Down) m_delegate->finish(editor);
    // Left at the start and Right at the end of the text leave the cell, as the
    // always-open cell editor would otherwise trap the arrows.
    const bool atStart = editor->cursorPosition() == 0 && !editor->hasSelectedText();
    const bool atEnd = editor->cursorPosition() == editor->text().size() && !editor->hasSelectedText();
    if ((k == Qt::Key_Left && atStart) || (k == Qt::Key_Right && atEnd)) {
        const int step = k == Qt::Key_Left ? -1 : 1;
        int target = col + step;
        while (target > 0 && target < columnCount() && isColumnHidden(target)) target += step;
        if (target > 0 && target < columnCount()) {
            m_delegate->finish(editor);
            setCurrentCell(row, target);
        }
        return true;
    }
    return false;
}

bool SlipGrid::gridKey(QObject *watched, QKeyEvent *key)
{
    const int row = currentRow(), col = currentColumn();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        const int next = m_next ? m_next(col) : col + 1;
        if (next >= 0 && next < columnCount()) setCurrentCell(row, next);
        else if (row + 1 < rowCount()) setCurrentCell(row + 1, m_nextRowColumn < 0 ? m_dueColumn : m_nextRowColumn);
        return true;
    }
    // Delete in a calculated column moves on, as Tab does.
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier && watched == this && isReadOnlyColumn(col) &&
        col + 1 < columnCount()) {
        int target = col + 1;
        while (target < columnCount() - 1 && isColumnHidden(target)) ++target;
        setCurrentCell(row, target);
        return true;
    }
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        if (!runRowExit()) return true;
        const bool down = key->key() == Qt::Key_Down;
        if (down && col == m_amountColumn && row == rowCount() - 1 && rowCells(row)[m_dueColumn].size() > 7)
            addEmptyRow();
        const int target = down ? row + 1 : row - 1;
        if (target >= 0 && target < rowCount()) setCurrentCell(target, col);
        return true;
    }
    return false;
}

// While the integer part of an amount is typed it is shown grouped ("12.500").
void SlipGrid::groupAmount(QLineEdit *editor, QKeyEvent *key)
{
    const int k = key->key();
    const bool arrow = k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down;
    const bool separator = k == Qt::Key_Comma || k == Qt::Key_Period;
    if (!isAncestorOf(editor) || arrow || separator || editor->text().contains(u',') || editor->text().size() <= 2) return;
    // Text that does not read as an amount (too many digits, pasted letters) is left
    // as typed: the row step says what is wrong with it.
    const std::optional<double> value = sayiOkuDene(editor->text());
    if (!value) return;
    const QString grouped = formatFloat(QStringLiteral("#,##0"), *value);
    if (grouped == editor->text()) return;
    // The cursor keeps its place counted from the end, where the digits did not move.
    const qsizetype fromEnd = editor->text().size() - editor->cursorPosition();
    editor->setText(grouped);
    editor->setCursorPosition(int(std::max<qsizetype>(0, grouped.size() - fromEnd)));
}
