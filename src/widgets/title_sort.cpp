#include "widgets/title_sort.h"

#include "widgets/dataset_grid_model.h"

#include <QHeaderView>
#include <QTableView>

QString nextSortDirection(QString &direction)
{
    direction = direction == QLatin1String("ASC") ? QStringLiteral("DESC") : QStringLiteral("ASC");
    return direction;
}

QString orderByLine(const QString &field, const QString &direction)
{
    return QStringLiteral("ORDER BY ") + field + u' ' + direction;
}

void connectTitleSort(QTableView *view, QString *direction, std::function<void(const QString &)> rebuild)
{
    view->horizontalHeader()->setSectionsClickable(true);
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionClicked, view,
                     [view, direction, rebuild = std::move(rebuild)](int section) {
                         auto *model = qobject_cast<DatasetGridModel *>(view->model());
                         if (!model || section < 0 || section >= model->columnCount()) return;
                         const QString field = model->column(section).field;
                         if (field.isEmpty()) return;
                         rebuild(orderByLine(field, nextSortDirection(*direction)));
                     });
}
