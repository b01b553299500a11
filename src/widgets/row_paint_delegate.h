#pragma once
// Painting of list rows: light yellow (255, 255, 192) on odd record numbers (the
// first row is record 1), white on even ones, the highlight on selected cells.
// Cheque lists also colour the rows falling due, against a reference day fixed
// when the delegate (with its window) is created: due that day bold red, one day
// later bold blue, two maroon, three teal and, where the list asks for five
// levels, four days later bold green. A selected coloured row shows bold white.
#include <QDate>
#include <QStyledItemDelegate>
#include <functional>

class DatasetGridModel;

// The colours a list gives one of its rows by its content; an invalid colour keeps
// the normal painting.
struct RowColours {
    QColor background;
    QColor text;
};
using RowColourRule = std::function<RowColours(const DatasetGridModel &model, int row)>;

class RowPaintDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static const QColor kOddRow;

    explicit RowPaintDelegate(QObject *parent = nullptr);

    // dueField: the due-date field of the list (read from the row, shown or not);
    // levels 4 (today to +3) or 5 (also +4). reference defaults to today.
    void setDueDateColouring(const QString &dueField, int levels = 4, const QDate &reference = QDate::currentDate());
    QDate referenceDay() const { return m_reference; }

    // The text colour of a row due on that day, invalid when it keeps the normal text.
    QColor dueColour(const QDate &due) const;

    // A list that colours its rows by their content (the cash movements by their
    // direction). The rule's background replaces the alternating colours on rows
    // that are not selected; its text colour holds on every row.
    void setRowColourRule(RowColourRule rule) { m_rule = std::move(rule); }
    // What the rule gives the row of index (nothing without a rule).
    RowColours ruleColours(const QModelIndex &index) const;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QString m_dueField;
    int m_levels = 0;
    QDate m_reference;
    RowColourRule m_rule;
};
