#pragma once
// Sorting a list by a click on a column title. Each list keeps one direction text,
// empty at start and alive as long as the program (the main menu's lists share
// one): a click makes it "ASC" unless it is "ASC" already, then "DESC". The list
// rebuilds its statement with its current conditions and the last line
// "ORDER BY " + field + " " + direction.
#include <QString>
#include <functional>

class QTableView;

// Flips the direction text as a title click does and returns it.
QString nextSortDirection(QString &direction);
// "ORDER BY field dir".
QString orderByLine(const QString &field, const QString &direction);

// Connects the view's title clicks: the clicked column's field is looked up in the
// view's DatasetGridModel, the direction flipped, and rebuild called with the
// ORDER BY line. direction must outlive the view.
void connectTitleSort(QTableView *view, QString *direction, std::function<void(const QString &orderBy)> rebuild);
