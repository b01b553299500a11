// The spreadsheet reader on XML: the input's first byte picks the part of a
// workbook it becomes, the rest is that part's XML; the other parts are fixed and
// sound, and the zip stores every part uncompressed, so the fuzzer works on the
// XML itself rather than on deflate streams.
#include "data/engine_error.h"
#include "data/spreadsheet_reader.h"
#include "fuzz_support.h"

#include <zip.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

const char *const kWorkbook = R"(<workbook xmlns:r="r"><workbookPr date1904="0"/><sheets><sheet name="A" sheetId="1" r:id="rId1"/></sheets></workbook>)";
const char *const kRels = R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>)";
const char *const kShared = R"(<sst><si><t>Çek</t></si><si><r><t>a</t></r><r><t>b</t></r><rPh><t>x</t></rPh></si></sst>)";
const char *const kStyles = R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="dd/mm/yyyy"/></numFmts><fonts><font><b/><sz val="11"/></font></fonts><cellXfs><xf numFmtId="0" fontId="0"/><xf numFmtId="164" fontId="0"/></cellXfs></styleSheet>)";
const char *const kSheet = R"(<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" s="1"><v>45000</v></c><c t="inlineStr"><is><t>iç</t></is></c></row></sheetData></worksheet>)";

struct Part {
    const char *name;
    QByteArray content;
};

void writeStoredZip(const QString &path, const std::vector<Part> &parts)
{
    int error = 0;
    zip_t *z = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) fuzz::fault("cannot create the zip");
    for (const Part &p : parts) {
        zip_source_t *src = zip_source_buffer(z, p.content.constData(), zip_uint64_t(p.content.size()), 0);
        const zip_int64_t i = zip_file_add(z, p.name, src, ZIP_FL_OVERWRITE);
        if (i < 0 || zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_STORE, 0) != 0) fuzz::fault("cannot add a part");
    }
    if (zip_close(z) != 0) fuzz::fault("cannot write the zip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0) return 0;
    const QByteArray xml(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    std::vector<Part> parts;
    switch (data[0] % 6) {
    case 0:  // an OpenDocument sheet
        parts = {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", xml}};
        break;
    default: {
        parts = {{"xl/workbook.xml", kWorkbook}, {"xl/_rels/workbook.xml.rels", kRels}, {"xl/sharedStrings.xml", kShared},
                 {"xl/styles.xml", kStyles}, {"xl/worksheets/sheet1.xml", kSheet}};
        // 1 the sheet, 2 the shared strings, 3 the styles, 4 the workbook, 5 its relationships
        const int replaced[] = {0, 4, 2, 3, 0, 1};
        parts[size_t(replaced[data[0] % 6])].content = xml;
        break;
    }
    }
    const QString &path = fuzz::scratchFile("xml");
    writeStoredZip(path, parts);
    fuzz::readAndCheckSpreadsheet(path);
    return 0;
}
