#include "widgets/column_chooser.h"

#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QList>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ColumnChooser {
namespace {

QList<QVector<bool>> &queued()
{
    static QList<QVector<bool>> q;
    return q;
}

} // namespace

void queueChoice(const QVector<bool> &shown) { queued().append(shown); }

bool apply(DatasetGrid *grid, const QVector<bool> &shown, const ColumnChooserTexts &texts)
{
    if (!grid || !grid->gridModel()) return false;
    const int n = grid->gridModel()->columnCount();
    bool any = false;
    for (int c = 0; c < n; ++c) any = any || shown.value(c);
    if (!any) {
        MessageBox::warning(texts.atLeastOne);
        return false;
    }
    for (int c = 0; c < n; ++c) {
        const bool show = shown.value(c);
        grid->gridModel()->setColumnShown(c, show);  // kept when the rows are read again
        grid->setColumnHidden(c, !show);
        // A column shown for the first time after starting hidden needs a width.
        if (show && grid->columnWidth(c) <= 0) grid->setColumnWidth(c, grid->gridModel()->column(c).width);
    }
    return true;
}

void choose(DatasetGrid *grid, const ColumnChooserTexts &texts, QWidget *parent)
{
    if (!grid || !grid->gridModel()) return;
    if (MessageBox::testMode()) {
        if (!queued().isEmpty()) apply(grid, queued().takeFirst(), texts);
        return;
    }
    const DatasetGridModel *model = grid->gridModel();
    QDialog dialog(parent ? parent : grid->window());
    dialog.setWindowTitle(texts.caption);
    auto *root = new QVBoxLayout(&dialog);
    auto *names = new QCheckBox(texts.showNames, &dialog);
    root->addWidget(names);
    auto *area = new QScrollArea(&dialog);
    auto *inner = new QWidget(area);
    auto *list = new QVBoxLayout(inner);
    QVector<QCheckBox *> boxes;
    for (int c = 0; c < model->columnCount(); ++c) {
        auto *box = new QCheckBox(model->column(c).title, inner);
        box->setChecked(!grid->isColumnHidden(c));
        list->addWidget(box);
        boxes << box;
    }
    list->addStretch();
    area->setWidget(inner);
    area->setWidgetResizable(true);
    root->addWidget(area);
    QObject::connect(names, &QCheckBox::toggled, &dialog, [&](bool on) {
        for (int c = 0; c < boxes.size(); ++c)
            boxes[c]->setText(on ? model->column(c).field : model->column(c).title);
    });
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(texts.ok, QDialogButtonBox::AcceptRole);
    root->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        QVector<bool> shown;
        for (QCheckBox *b : boxes) shown << b->isChecked();
        if (apply(grid, shown, texts)) dialog.accept();
    });
    dialog.resize(260, qMin(520, 90 + 26 * int(boxes.size())));
    dialog.exec();
}

} // namespace ColumnChooser
