#include "widgets/row_paint_delegate.h"

#include "data/field_value.h"
#include "widgets/dataset_grid_model.h"

#include <QFont>

const QColor RowPaintDelegate::kOddRow(255, 255, 192);

RowPaintDelegate::RowPaintDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void RowPaintDelegate::setDueDateColouring(const QString &dueField, int levels, const QDate &reference)
{
    m_dueField = dueField;
    m_levels = qBound(0, levels, 5);
    m_reference = reference;
}

QColor RowPaintDelegate::dueColour(const QDate &due) const
{
    if (!due.isValid() || !m_reference.isValid()) return {};
    static const QColor colours[] = {QColor(Qt::red), QColor(Qt::blue), QColor(0x80, 0x00, 0x00),
                                     QColor(0x00, 0x80, 0x80), QColor(0x00, 0x80, 0x00)};
    const qint64 days = m_reference.daysTo(due);
    if (days < 0 || days >= m_levels) return {};
    return colours[days];
}

RowColours RowPaintDelegate::ruleColours(const QModelIndex &index) const
{
    const auto *model = qobject_cast<const DatasetGridModel *>(index.model());
    if (!m_rule || !model) return {};
    return m_rule(*model, index.row());
}

void RowPaintDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool selected = option->state & QStyle::State_Selected;
    if (!selected) option->backgroundBrush = (index.row() % 2 == 0) ? kOddRow : QColor(Qt::white);
    if (m_rule) {
        const RowColours colours = ruleColours(index);
        if (!selected && colours.background.isValid()) option->backgroundBrush = colours.background;
        if (colours.text.isValid()) option->palette.setColor(QPalette::Text, colours.text);
    }

    if (m_levels == 0 || m_dueField.isEmpty()) return;
    const auto *model = qobject_cast<const DatasetGridModel *>(index.model());
    if (!model) return;
    const QColor colour = dueColour(FieldValue::asDate(model->rawValue(index.row(), m_dueField)));
    if (!colour.isValid()) return;
    option->font.setBold(true);
    const QColor text = selected ? QColor(Qt::white) : colour;
    option->palette.setColor(QPalette::Text, text);
    option->palette.setColor(QPalette::HighlightedText, text);
}
