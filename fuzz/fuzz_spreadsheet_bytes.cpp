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
    fuzz::readAndCheckSpreadsheet(path);
    return 0;
}
