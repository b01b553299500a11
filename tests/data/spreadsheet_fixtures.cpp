// Spreadsheet files as other programs write them, built by hand with libzip.
// Kept apart from the test class because moc cannot read the raw XML literals.
#include "spreadsheet_fixtures.h"

#include <QFile>
#include <QtTest>
#include <zip.h>

void writeZip(const QString &path, const QList<QPair<QString, QByteArray>> &entries)
{
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(z);
    // libzip reads the buffers at close; entries stays alive until then.
    for (const auto &[name, data] : entries) {
        zip_source_t *src = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        QVERIFY(zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_OVERWRITE) >= 0);
    }
    QCOMPARE(zip_close(z), 0);
}

void writeHandMadeXlsx(const QString &file)
{
        writeZip(file, {
            {"[Content_Types].xml", "<Types/>"},
            {"xl/workbook.xml", R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Veri" sheetId="7" r:id="rId3"/></sheets></workbook>)"},
            {"xl/_rels/workbook.xml.rels", R"(<Relationships><Relationship Id="rId3" Target="worksheets/veri.xml"/></Relationships>)"},
            {"xl/sharedStrings.xml", R"(<sst><si><t>Düz</t></si><si><r><t>Kalın </t></r><r><rPr><b/></rPr><t>Çek</t></r><rPh><t>X</t></rPh></si></sst>)"},
            {"xl/styles.xml", R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="dd/mm/yyyy;@"/><numFmt numFmtId="165" formatCode="#,##0.00 &quot;TL&quot;"/></numFmts><fonts><font><sz val="11"/></font></fonts><cellXfs><xf numFmtId="0" fontId="0"/><xf numFmtId="164" fontId="0"/><xf numFmtId="165" fontId="0"/><xf numFmtId="14" fontId="0"/></cellXfs></styleSheet>)"},
            {"xl/worksheets/veri.xml", R"(<worksheet><sheetData>
                <row r="2"><c r="B2" t="s"><v>0</v></c><c t="s"><v>1</v></c><c t="inlineStr"><is><r><t>iç</t></r><r><t>eri</t></r></is></c></row>
                <row><c r="A3" s="1"><v>45657</v></c><c s="2"><v>1234.5</v></c><c s="3"><v>61</v></c><c t="b"><v>1</v></c></row>
              </sheetData></worksheet>)"},
        });
}

void writeOdsFixture(const QString &file)
{
        writeZip(file, {
            {"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"content.xml", R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>
              <table:table table:name="Sayfa1">
                <table:table-row><table:table-cell office:value-type="string"><text:p>Vade</text:p></table:table-cell><table:table-cell office:value-type="string"><text:p>Tutar<text:s text:c="2"/>TL</text:p></table:table-cell></table:table-row>
                <table:table-row table:number-rows-repeated="2"><table:table-cell office:value-type="date" office:date-value="2025-01-15"/><table:table-cell office:value-type="float" office:value="250.75"><text:p>250,75</text:p></table:table-cell><table:table-cell table:number-columns-repeated="1020"/></table:table-row>
                <table:table-row><table:table-cell table:number-columns-repeated="2"/><table:table-cell office:value-type="boolean" office:boolean-value="true"><text:p>DOĞRU</text:p></table:table-cell></table:table-row>
                <table:table-row table:number-rows-repeated="1048572"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>
              </table:table>
              <table:table table:name="Sayfa2"><table:table-row><table:table-cell office:value-type="string"><text:p>başka</text:p></table:table-cell></table:table-row></table:table>
            </office:spreadsheet></office:body></office:document-content>)"},
        });
}

namespace {

QByteArray odsContent(const QByteArray &rows)
{
    return R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet><table:table table:name="Sayfa1">)"
           + rows + "</table:table></office:spreadsheet></office:body></office:document-content>";
}

const QByteArray kCell = R"(<table:table-cell office:value-type="float" office:value="1"/>)";

} // namespace

void writeOdsRowsRepeatedPastTheEnd(const QString &file)
{
    writeZip(file, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", odsContent("<table:table-row>" + kCell + "</table:table-row>"
                                               R"(<table:table-row table:number-rows-repeated="2147483647"><table:table-cell/></table:table-row>)"
                                               "<table:table-row>" + kCell + "</table:table-row>")}});
}

void writeOdsColumnsRepeatedPastTheEnd(const QString &file)
{
    writeZip(file, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", odsContent("<table:table-row>" + kCell
                                               + R"(<table:table-cell table:number-columns-repeated="2147483647"/>)" + kCell
                                               + "</table:table-row>")}});
}

void writeOdsSpacesBomb(const QString &file)
{
    writeZip(file, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", odsContent(R"(<table:table-row><table:table-cell office:value-type="string"><text:p>a<text:s text:c="2000000000"/>b</text:p></table:table-cell></table:table-row>)")}});
}

void writeOdsValueRowsPastTheEnd(const QString &file)
{
    writeZip(file, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", odsContent(R"(<table:table-row table:number-rows-repeated="1048577">)" + kCell
                                               + "</table:table-row>")}});
}

void writeOdsLargeSheet(const QString &file)
{
    // 65,536 rows of ten values: larger than any import, well within the limits.
    writeZip(file, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", odsContent(R"(<table:table-row table:number-rows-repeated="65536">)"
                                               R"(<table:table-cell office:value-type="float" office:value="1" table:number-columns-repeated="10"/>)"
                                               "</table:table-row>")}});
}

void writeOdsTooManyCells(const QString &file)
{
    writeZip(file, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", odsContent(R"(<table:table-row table:number-rows-repeated="100000">)"
                                               R"(<table:table-cell office:value-type="float" office:value="1" table:number-columns-repeated="100"/>)"
                                               "</table:table-row>")}});
}

void writeXlsxCellBeyondLastRow(const QString &file)
{
    writeZip(file, {{"xl/workbook.xml", R"(<workbook><sheets><sheet name="A" sheetId="1"/></sheets></workbook>)"},
                    {"xl/worksheets/sheet1.xml", R"(<worksheet><sheetData><row r="2147483647"><c t="b"><v>1</v></c></row></sheetData></worksheet>)"}});
}

namespace {

// sharedStrings.xml of about `bytes` bytes, made while libzip compresses it, so that
// neither the test nor the repository holds it.
struct SharedStringsSource {
    qint64 bytes;
    QByteArray item;
    qint64 done = 0;
    QByteArray pending;
};

zip_int64_t sharedStringsCallback(void *state, void *data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto *s = static_cast<SharedStringsSource *>(state);
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        s->done = 0;
        s->pending = "<sst>";
        return 0;
    case ZIP_SOURCE_READ: {
        while (s->pending.size() < qsizetype(len) && s->done < s->bytes) {
            s->pending += s->item;
            s->done += s->item.size();
            if (s->done >= s->bytes) s->pending += "</sst>";
        }
        const qsizetype n = qMin(qsizetype(len), s->pending.size());
        memcpy(data, s->pending.constData(), size_t(n));
        s->pending.remove(0, n);
        return n;
    }
    case ZIP_SOURCE_CLOSE: return 0;
    case ZIP_SOURCE_STAT: {
        auto *st = static_cast<zip_stat_t *>(data);
        zip_stat_init(st);
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR: return 2 * sizeof(int);
    case ZIP_SOURCE_FREE: return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    default: return -1;
    }
}

} // namespace

void writeXlsxSharedStringsBomb(const QString &file, qint64 bytes, const QByteArray &item)
{
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(file).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(z);
    const QByteArray workbook = R"(<workbook><sheets><sheet name="A" sheetId="1"/></sheets></workbook>)";
    const QByteArray sheet = R"(<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c></row></sheetData></worksheet>)";
    QVERIFY(zip_file_add(z, "xl/workbook.xml", zip_source_buffer(z, workbook.constData(), zip_uint64_t(workbook.size()), 0), 0) >= 0);
    QVERIFY(zip_file_add(z, "xl/worksheets/sheet1.xml", zip_source_buffer(z, sheet.constData(), zip_uint64_t(sheet.size()), 0), 0) >= 0);
    SharedStringsSource state{bytes, item};
    zip_source_t *src = zip_source_function(z, sharedStringsCallback, &state);
    const zip_int64_t index = zip_file_add(z, "xl/sharedStrings.xml", src, 0);
    QVERIFY(index >= 0);
    QCOMPARE(zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_DEFLATE, 9), 0);
    QCOMPARE(zip_close(z), 0);
}

void understateEntrySize(const QString &file, const QByteArray &name, quint32 size)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    const auto put32 = [&bytes](qsizetype at, quint32 v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    int patched = 0;
    // Local headers hold the name at 30 and the size at 22; central ones at 46 and 24.
    for (qsizetype at = bytes.indexOf("PK\x03\x04"); at >= 0; at = bytes.indexOf("PK\x03\x04", at + 4))
        if (bytes.mid(at + 30, name.size()) == name) put32(at + 22, size), ++patched;
    for (qsizetype at = bytes.indexOf("PK\x01\x02"); at >= 0; at = bytes.indexOf("PK\x01\x02", at + 4))
        if (bytes.mid(at + 46, name.size()) == name) put32(at + 24, size), ++patched;
    QCOMPARE(patched, 2);
    f.seek(0);
    f.write(bytes);
}

void writeXlsxLoopingTarget(const QString &file)
{
    writeZip(file, {{"xl/workbook.xml", R"(<workbook xmlns:r="r"><sheets><sheet name="A" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
                    {"xl/_rels/workbook.xml.rels", R"(<Relationships><Relationship Id="rId1" Target="a//../b.xml"/></Relationships>)"},
                    {"xl/worksheets/sheet1.xml", R"(<worksheet><sheetData/></worksheet>)"}});
}

void writeXlsxNumbers(const QString &file, const QByteArray &value)
{
    writeZip(file, {{"xl/workbook.xml", R"(<workbook><sheets><sheet name="A" sheetId="1"/></sheets></workbook>)"},
                    {"xl/styles.xml", R"(<styleSheet><cellXfs><xf numFmtId="0"/><xf numFmtId="14"/></cellXfs></styleSheet>)"},
                    {"xl/worksheets/sheet1.xml", "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>" + value
                                                     + "</v></c></row></sheetData></worksheet>"}});
}
