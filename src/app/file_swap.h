#pragma once
// Putting several new files in place of old ones as one step.
#include <QList>
#include <QPair>
#include <QString>

// Moves each source file to its target. Every existing target goes aside first,
// with a "-journal" left beside it (a journal of the former file must never be
// played into the new one); then the new files are moved in. When any move fails,
// the files moved in are taken out again and the former ones put back, so either
// every target is new or every target is as it was. Empty on success, else why.
QString swapFiles(const QList<QPair<QString, QString>> &moves);
