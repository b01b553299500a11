#pragma once
// The grid both slip registers list their slips in: the same columns in the same
// order (only the account's field and caption differ), the days left to the
// average due date as a calculated column, read-only cells, the "Kayıt Düzelt"
// popup item, and whole rows or single cells chosen as "Tüm alanı göster" says.
#include <QVector>

class DatasetGrid;
class Query;
class QAction;
class QCheckBox;
class QDateEdit;
class QWidget;
struct GridColumn;

namespace SlipRegister {

// The register's columns; the third shows accountField under accountCaption.
QVector<GridColumn> registerColumns(const char *accountField, const char *accountCaption);

struct Grid {
    DatasetGrid *grid = nullptr;       // "FirmaGrid"
    QAction *correctItem = nullptr;    // "kayitDuzeltItem", the popup's "Kayıt Düzelt"
};

// Adds "kalangun" to the slips (days from the day in `day` to the average due date)
// and builds the grid over them, its key events going to owner's event filter.
Grid buildGrid(QWidget *owner, Query &slips, const QDateEdit *day, const char *accountField,
               const char *accountCaption, QCheckBox *wholeRows);

} // namespace SlipRegister
