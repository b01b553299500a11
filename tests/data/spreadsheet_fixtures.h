#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// A zip file of these entries (name, content).
void writeZip(const QString &path, const QList<QPair<QString, QByteArray>> &entries);
// A workbook with rich-text and phonetic runs in its shared strings, an inline
// string, custom and built-in date formats and cells without addresses.
void writeHandMadeXlsx(const QString &file);
// An OpenDocument sheet with repeated rows and cells, dates, numbers, texts with
// spaces and a truth value, and a second sheet that must not be read.
void writeOdsFixture(const QString &file);
