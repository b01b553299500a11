#pragma once
// The column chooser of a data grid: a dialog with one box per column (its title,
// or its field name while "[Veritabanı İsimlerini Göster]" is ticked) that shows
// and hides the grid's columns. At least one column must stay shown. Each grid
// brings its own texts.
#include <QString>
#include <QVector>

class DatasetGrid;
class QWidget;

struct ColumnChooserTexts {
    QString caption;     // "Kolonları Seç"
    QString showNames;   // "[Veritabanı İsimlerini Göster]"
    QString ok;          // "&Tamam"
    QString atLeastOne;  // "En az bir tanesi seçilmelidir"
};

namespace ColumnChooser {

// Applies the choice (one flag per column, true = shown) to the grid. With no
// column shown nothing changes and the warning is shown; returns false then.
bool apply(DatasetGrid *grid, const QVector<bool> &shown, const ColumnChooserTexts &texts);

// Shows the dialog over the grid; "OK" applies the choice (a choice with no
// column keeps the dialog open after the warning), closing the dialog keeps the
// grid as it was. In the message boxes' test mode the dialog is not shown: the
// answer queued with queueChoice is applied (nothing when none is queued).
void choose(DatasetGrid *grid, const ColumnChooserTexts &texts, QWidget *parent = nullptr);

// ---- test seam ----
void queueChoice(const QVector<bool> &shown);

} // namespace ColumnChooser
