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

void writeXlsxSheetData(const QString &file, const QByteArray &sheetData)
{
    writeZip(file, {{"xl/workbook.xml", R"(<workbook><sheets><sheet name="A" sheetId="1"/></sheets></workbook>)"},
                    {"xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + sheetData + "</sheetData></worksheet>"}});
}

void writeOdsRows(const QString &file, const QByteArray &rows)
{
    writeZip(file, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", odsContent(rows)}});
}

namespace {

void put16(QByteArray &b, quint16 v) { b.append(char(v & 0xff)).append(char(v >> 8)); }
void put32(QByteArray &b, quint32 v) { put16(b, quint16(v & 0xffff)); put16(b, quint16(v >> 16)); }
void set32(QByteArray &b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xff);
}

QByteArray record(quint16 type, const QByteArray &body)
{
    QByteArray r;
    put16(r, type);
    put16(r, quint16(body.size()));
    return r + body;
}

QByteArray bof(quint16 kind)
{
    QByteArray b;
    put16(b, 0x0600);
    put16(b, kind);
    put16(b, 0x0DBB);
    put16(b, 0x07CC);
    put32(b, 0);
    put32(b, 0x06);
    return record(0x0809, b);
}

// A compound file of one stream named "Workbook", in sectors of 512 bytes after
// one allocation-table sector and one directory sector.
QByteArray compoundFile(const QByteArray &stream)
{
    const int sectors = int((stream.size() + 511) / 512);
    QByteArray header(512, '\0');
    header.replace(0, 8, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    header[0x18] = 0x3E;
    header[0x1A] = 3;
    header[0x1C] = char(0xFE);
    header[0x1D] = char(0xFF);
    header[0x1E] = 9;
    header[0x20] = 6;
    set32(header, 0x2C, 1);
    set32(header, 0x30, 1);
    set32(header, 0x38, 4096);
    set32(header, 0x3C, 0xFFFFFFFE);
    set32(header, 0x44, 0xFFFFFFFE);
    for (int i = 0; i < 109; ++i) set32(header, 0x4C + 4 * i, i == 0 ? 0 : 0xFFFFFFFF);
    QByteArray fat(512, char(0xFF));
    set32(fat, 0, 0xFFFFFFFD);
    set32(fat, 4, 0xFFFFFFFE);
    for (int s = 0; s < sectors; ++s) set32(fat, 4 * (2 + s), s + 1 < sectors ? quint32(3 + s) : 0xFFFFFFFE);
    QByteArray dir(512, '\0');
    const auto entry = [&](int i, const QString &name, int type, quint32 child, quint32 start, quint32 size) {
        const qsizetype at = 128 * i;
        for (int c = 0; c < name.size(); ++c) {
            dir[at + 2 * c] = char(name[c].unicode() & 0xff);
            dir[at + 2 * c + 1] = char(name[c].unicode() >> 8);
        }
        dir[at + 0x40] = char(name.isEmpty() ? 0 : (name.size() + 1) * 2);
        dir[at + 0x42] = char(type);
        dir[at + 0x43] = 1;
        set32(dir, at + 0x44, 0xFFFFFFFF);
        set32(dir, at + 0x48, 0xFFFFFFFF);
        set32(dir, at + 0x4C, child);
        set32(dir, at + 0x74, start);
        set32(dir, at + 0x78, size);
    };
    entry(0, "Root Entry", 5, 1, 0xFFFFFFFE, 0);
    entry(1, "Workbook", 2, 0xFFFFFFFF, 2, quint32(stream.size()));
    entry(2, QString(), 0, 0xFFFFFFFF, 0, 0);
    entry(3, QString(), 0, 0xFFFFFFFF, 0, 0);
    QByteArray body = stream;
    body.append(QByteArray(sectors * 512 - stream.size(), '\0'));
    return header + fat + dir + body;
}

} // namespace

QByteArray xlsBytes(const QList<XlsSheet> &sheets)
{
    // Workbook globals: BOF, code page, one cell format, filler up to the size of a
    // stream kept outside the mini stream, a BOUNDSHEET per sheet, EOF.
    QByteArray globals = bof(0x0005);
    QByteArray cp;
    put16(cp, 1200);
    globals += record(0x0042, cp);
    globals += record(0x00E0, QByteArray(20, '\0'));
    globals += record(0x00EB, QByteArray(4200, '\0'));
    QList<qsizetype> boundAt;
    for (int i = 0; i < sheets.size(); ++i) {
        boundAt << globals.size() + 4;
        QByteArray b;
        put32(b, 0);
        b.append(char(0)).append(char(0));
        const QByteArray name = "S" + QByteArray::number(i + 1);
        b.append(char(name.size())).append(char(0)).append(name);
        globals += record(0x0085, b);
    }
    globals += record(0x000A, {});
    QByteArray stream = globals;
    for (int i = 0; i < sheets.size(); ++i) {
        set32(stream, boundAt[i], quint32(stream.size()));
        stream += bof(0x0010);
        QByteArray d;
        put32(d, 0);
        put32(d, sheets[i].declaredRows);
        put16(d, 0);
        put16(d, sheets[i].declaredColumns);
        put16(d, 0);
        stream += record(0x0200, d);
        for (const auto &[at, value] : sheets[i].numbers) {
            QByteArray n;
            put16(n, at.first);
            put16(n, at.second);
            put16(n, 0);
            n.append(reinterpret_cast<const char *>(&value), 8);
            stream += record(0x0203, n);
        }
        stream += record(0x000A, {});
    }
    return compoundFile(stream);
}
