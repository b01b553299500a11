// The spreadsheet reader on raw bytes: .xlsx, .ods and .xls are told apart by
// their content, so one target reaches every reader. A refusal is an EngineError;
// any other exception, a crash or a hang is a fault.
#include "data/engine_error.h"
#include "data/spreadsheet_reader.h"
#include "fuzz_support.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString &path = fuzz::scratchFile("bytes");
    fuzz::writeFile(path, data, size);
    try {
        const SheetData sheet = readSpreadsheet(path);
        if (sheet.lastRow < 0 || sheet.lastRow > 1048576 || sheet.lastColumn < 0 || sheet.lastColumn > 16384)
            fuzz::fault("last cell outside the sheet");
        (void)sheet.value(sheet.lastRow, sheet.lastColumn);
        if (qint64(sheet.lastRow) * sheet.lastColumn <= 100000) {
            const auto a = sheet.array();
            if (a.size() != sheet.lastRow + 1) fuzz::fault("array of the wrong size");
        }
    } catch (const EngineError &) {
    }
    return 0;
}
