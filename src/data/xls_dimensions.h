#pragma once
// What the sheets of an .xls workbook declare of their size, read before the file
// is handed to freexl: freexl takes memory for every sheet's declared grid as it
// opens the file, so an 8 KB file whose twenty sheets each declare 65,536 rows by
// 256 columns would take gigabytes before a single cell could be asked for.
#include <QByteArray>
#include <QtGlobal>

namespace XlsDimensions {

// The rows × columns that the DIMENSION records of all the sheets declare, summed;
// -1 when the bytes are no compound file holding a workbook stream. Reads only
// the container's tables and the workbook stream's record headers.
qint64 declaredCells(const QByteArray &file);

} // namespace XlsDimensions
