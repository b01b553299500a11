#include "cash/cash_row_colours.h"

#include "widgets/dataset_grid_model.h"

namespace CashRowColours {

RowColours of(const QVariant &borcTutar)
{
    if (!borcTutar.isValid() || borcTutar.isNull()) return {kOutBackground, kOutText};
    return {QColor(Qt::white), kInText};
}

RowColourRule rule()
{
    return [](const DatasetGridModel &model, int row) { return of(model.rawValue(row, QStringLiteral("borc_tutar"))); };
}

} // namespace CashRowColours
