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
