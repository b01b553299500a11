// The calculator's file reader on any bytes: it reads the file or refuses it with a
// message, never both; what it reads has the header's date valid, rows of 13
// cells, no more rows than allowed, and goes back to the same lines when written.
#include "fuzz_support.h"
#include "tools/vadefark_calc.h"
#include "tools/vadefark_file.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString &path = fuzz::scratchFile("fdv");
    fuzz::writeFile(path, data, size);
    QString message;
    const auto loaded = VadeFark::readFile(path, &message);
    if (!loaded) {
        if (message.isEmpty()) fuzz::fault("refused without a message");
        return 0;
    }
    if (!loaded->hesapTarihi.isValid()) fuzz::fault("read without a valid date");
    if (loaded->rows.size() > VadeFark::kMaxFileRows) fuzz::fault("more rows than allowed");
    for (const QStringList &row : loaded->rows)
        if (row.size() != VadeFark::ColumnCount) fuzz::fault("a row of the wrong width");
    // Each row written as a comma list reads back as itself.
    for (const QStringList &row : loaded->rows) {
        bool open = false;
        if (VadeFark::parseCommaText(VadeFark::commaText(row), &open) != row || open)
            fuzz::fault("a row does not read back", row.join(u'|'));
    }
    return 0;
}
