#pragma once
// What the fuzz targets share: a scratch file per process, and a loud stop when a
// reader breaks one of its promises (libFuzzer keeps the input that did it).
#include "data/engine_error.h"
#include "data/spreadsheet_reader.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fuzz {

[[noreturn]] inline void fault(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "fault: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

// A file of this process in the temporary folder, removed when the process ends.
inline const QString &scratchFile(const char *tag)
{
    static const QString path = [tag] {
        const QString p = QDir::tempPath() + QStringLiteral("/ceksenet-fuzz-%1-%2").arg(getpid()).arg(QLatin1String(tag));
        static QByteArray name = p.toLocal8Bit();
        std::atexit([] { std::remove(name.constData()); });
        return p;
    }();
    return path;
}

inline void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    FILE *f = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!f) fault("cannot write the scratch file", path);
    if (size && std::fwrite(data, 1, size, f) != size) fault("cannot write the scratch file", path);
    std::fclose(f);
}

// Reads a spreadsheet file and checks what the reader promises of any input: a
// refusal is an EngineError; otherwise the last cell lies inside a sheet and the
// value array has one row per sheet row.
inline void readAndCheckSpreadsheet(const QString &path)
{
    try {
        const SheetData sheet = readSpreadsheet(path);
        if (sheet.lastRow < 0 || sheet.lastRow > 1048576 || sheet.lastColumn < 0 || sheet.lastColumn > 16384)
            fault("last cell outside the sheet");
        (void)sheet.value(sheet.lastRow, sheet.lastColumn);
        if (qint64(sheet.lastRow) * sheet.lastColumn <= 100000) {
            const auto a = sheet.array();
            if (a.size() != sheet.lastRow + 1) fault("array of the wrong size");
        }
    } catch (const EngineError &) {
    }
}

} // namespace fuzz
