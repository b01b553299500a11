#include "data/spreadsheet_reader.h"

#include "data/engine_error.h"
#include "data/spreadsheet_address.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <freexl.h>
#include <zip.h>

#include <memory>

namespace {

// Limits that keep a damaged or hostile file from eating the memory.
constexpr qint64 kMaxEntryBytes = 256LL * 1024 * 1024;
constexpr qint64 kMaxCells = 5'000'000;
constexpr int kMaxRow = 1048576;
constexpr int kMaxColumn = 16384;

[[noreturn]] void fail(const QString &path, const QString &why)
{
    throw EngineError(QStringLiteral("'%1' dosyası okunamadı: %2").arg(QFileInfo(path).fileName(), why));
}

const QString kDamaged = QStringLiteral("dosya bozuk ya da bir Excel dosyası değil.");

QDate serialToDate(double serial, bool base1904)
{
    if (base1904) return QDate(1904, 1, 1).addDays(qint64(serial));
    // The 1900 system counts a 29 February 1900 that never was.
    if (serial < 61) return QDate(1899, 12, 31).addDays(qint64(serial));
    return QDate(1899, 12, 30).addDays(qint64(serial));
}

bool isDateFormat(int id, const QString &code)
{
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58))
        return true;
    if (code.isEmpty()) return false;
    QString c = code;
    c.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"|\\[[^\\]]*\\]|\\\\.|_.|\\*.")));
    return c.contains(QRegularExpression(QStringLiteral("[dDyYmM]")));
}

class Zip {
public:
    explicit Zip(const QString &path) : m_path(path)
    {
        int error = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    }
    ~Zip()
    {
        if (m_zip) zip_discard(m_zip);
    }
    bool isOpen() const { return m_zip; }
    bool has(const QString &name) const { return m_zip && zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0; }
    QByteArray read(const QString &name) const
    {
        zip_stat_t st;
        zip_stat_init(&st);
        const QByteArray n = name.toUtf8();
        if (zip_stat(m_zip, n.constData(), 0, &st) != 0) fail(m_path, kDamaged);
        if (!(st.valid & ZIP_STAT_SIZE) || qint64(st.size) > kMaxEntryBytes) fail(m_path, kDamaged);
        zip_file_t *f = zip_fopen(m_zip, n.constData(), 0);
        if (!f) fail(m_path, kDamaged);
        QByteArray data(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(f, data.data(), st.size);
        zip_fclose(f);  // also checks the CRC of what was read
        if (got != zip_int64_t(st.size)) fail(m_path, kDamaged);
        return data;
    }

private:
    QString m_path;
    zip_t *m_zip = nullptr;
};

void checkXml(const QXmlStreamReader &xml, const QString &path)
{
    if (xml.hasError()) fail(path, kDamaged);
}

// ---------------------------------------------------------------- .xlsx

QString resolveTarget(const QString &target)
{
    if (target.startsWith(u'/')) return target.mid(1);
    QString t = QStringLiteral("xl/") + target;
    while (t.contains(QLatin1String("/../"))) t.replace(QRegularExpression(QStringLiteral("[^/]+/\\.\\./")), QString());
    return t;
}

SheetData readXlsx(const Zip &zip, const QString &path)
{
    // The first sheet of the workbook and where its part is.
    QString relId;
    bool base1904 = false;
    {
        QXmlStreamReader xml(zip.read(QStringLiteral("xl/workbook.xml")));
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("workbookPr")) {
                const auto d = xml.attributes().value(QLatin1String("date1904"));
                base1904 = d == QLatin1String("1") || d == QLatin1String("true");
            }
            if (xml.isStartElement() && xml.name() == QLatin1String("sheet") && relId.isEmpty()) {
                for (const auto &a : xml.attributes())
                    if (a.name() == QLatin1String("id")) relId = a.value().toString();
            }
        }
        checkXml(xml, path);
    }
    QString sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    if (zip.has(QStringLiteral("xl/_rels/workbook.xml.rels"))) {
        QXmlStreamReader xml(zip.read(QStringLiteral("xl/_rels/workbook.xml.rels")));
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")
                && xml.attributes().value(QLatin1String("Id")) == relId)
                sheetPart = resolveTarget(xml.attributes().value(QLatin1String("Target")).toString());
        }
        checkXml(xml, path);
    }

    // Shared strings: plain or rich text (runs joined; phonetic hints left out).
    QStringList shared;
    if (zip.has(QStringLiteral("xl/sharedStrings.xml"))) {
        QXmlStreamReader xml(zip.read(QStringLiteral("xl/sharedStrings.xml")));
        QString current;
        int skip = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("si")) current.clear();
                else if (xml.name() == QLatin1String("rPh")) ++skip;
                else if (xml.name() == QLatin1String("t") && !skip) current += xml.readElementText();
            } else if (xml.isEndElement()) {
                if (xml.name() == QLatin1String("si")) shared.append(current);
                else if (xml.name() == QLatin1String("rPh")) --skip;
            }
        }
        checkXml(xml, path);
    }

    // Styles: number formats and fonts of the cell formats.
    struct Xf {
        QString code;
        bool date = false;
        bool bold = false;
        double size = 0;
    };
    QVector<Xf> xfs;
    if (zip.has(QStringLiteral("xl/styles.xml"))) {
        QXmlStreamReader xml(zip.read(QStringLiteral("xl/styles.xml")));
        QHash<int, QString> codes;
        struct Font {
            bool bold = false;
            double size = 0;
        };
        QVector<Font> fonts;
        QString section;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                const auto n = xml.name();
                const auto at = xml.attributes();
                if (n == QLatin1String("numFmt"))
                    codes.insert(at.value(QLatin1String("numFmtId")).toInt(), at.value(QLatin1String("formatCode")).toString());
                else if (n == QLatin1String("fonts") || n == QLatin1String("cellXfs") || n == QLatin1String("cellStyleXfs"))
                    section = n.toString();
                else if (n == QLatin1String("font") && section == QLatin1String("fonts"))
                    fonts.append(Font{});
                else if (n == QLatin1String("b") && section == QLatin1String("fonts") && !fonts.isEmpty())
                    fonts.last().bold = at.value(QLatin1String("val")) != QLatin1String("0");
                else if (n == QLatin1String("sz") && section == QLatin1String("fonts") && !fonts.isEmpty())
                    fonts.last().size = at.value(QLatin1String("val")).toDouble();
                else if (n == QLatin1String("xf") && section == QLatin1String("cellXfs")) {
                    const int id = at.value(QLatin1String("numFmtId")).toInt();
                    const int fontId = at.value(QLatin1String("fontId")).toInt();
                    Xf xf;
                    xf.code = codes.value(id);
                    xf.date = isDateFormat(id, xf.code);
                    if (fontId >= 0 && fontId < fonts.size()) {
                        xf.bold = fonts[fontId].bold;
                        xf.size = fonts[fontId].size;
                    }
                    xfs.append(xf);
                }
            } else if (xml.isEndElement() && xml.name().toString() == section) {
                section.clear();
            }
        }
        checkXml(xml, path);
    }
    const double defaultSize = xfs.isEmpty() ? 0 : xfs.first().size;

    if (!zip.has(sheetPart)) fail(path, kDamaged);
    SheetData data;
    QXmlStreamReader xml(zip.read(sheetPart));
    int row = 0, col = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("row")) {
            const int r = xml.attributes().value(QLatin1String("r")).toInt();
            row = r > 0 ? r : row + 1;
            col = 0;
            continue;
        }
        if (xml.name() != QLatin1String("c")) continue;
        const auto at = xml.attributes();
        const CellRange ref = parseRange(at.value(QLatin1String("r")).toString());
        if (ref.isValid()) {
            row = ref.row1;
            col = ref.col1;
        } else {
            ++col;
        }
        if (row < 1 || row > kMaxRow || col < 1 || col > kMaxColumn) fail(path, kDamaged);
        const QString type = at.value(QLatin1String("t")).toString();
        const int s = at.value(QLatin1String("s")).toInt();
        QString v, f, inlineText;
        bool hasV = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v")) {
                v = xml.readElementText();
                hasV = true;
            } else if (xml.name() == QLatin1String("f")) {
                f = xml.readElementText();
            } else if (xml.name() == QLatin1String("is")) {
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("t")) inlineText += xml.readElementText();
                    else if (xml.name() == QLatin1String("r")) {
                        while (xml.readNextStartElement()) {
                            if (xml.name() == QLatin1String("t")) inlineText += xml.readElementText();
                            else xml.skipCurrentElement();
                        }
                    } else xml.skipCurrentElement();
                }
                hasV = true;
            } else {
                xml.skipCurrentElement();
            }
        }
        QVariant value;
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int i = v.toInt(&ok);
            if (!ok || i < 0 || i >= shared.size()) fail(path, kDamaged);
            value = shared[i];
        } else if (type == QLatin1String("inlineStr")) {
            value = inlineText;
        } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
            if (hasV) value = v;
        } else if (type == QLatin1String("b")) {
            if (hasV) value = v.trimmed() == QLatin1String("1");
        } else if (hasV && !v.isEmpty()) {
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (!ok) fail(path, kDamaged);
            const bool isDate = s >= 0 && s < xfs.size() && xfs[s].date;
            value = isDate ? QVariant(serialToDate(d, base1904)) : QVariant(d);
        }
        if (value.isValid()) data.set(row, col, value);
        if (!f.isEmpty() || (s > 0 && s < xfs.size())) {
            SheetCellFormat fmt;
            fmt.formula = f;
            if (s >= 0 && s < xfs.size()) {
                fmt.numberFormat = xfs[s].code;
                fmt.bold = xfs[s].bold;
                fmt.fontSize = xfs[s].size != defaultSize ? xfs[s].size : 0;
            }
            data.formats.insert({row, col}, fmt);
        }
    }
    checkXml(xml, path);
    return data;
}

// ---------------------------------------------------------------- .ods

QString odsCellText(QXmlStreamReader &xml)
{
    // Paragraphs joined by line breaks; <text:s text:c="n"/> stands for n spaces.
    QStringList paragraphs;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("p")) {
            xml.skipCurrentElement();
            continue;
        }
        QString p;
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isCharacters()) p += xml.text();
            else if (xml.isStartElement()) {
                ++depth;
                if (xml.name() == QLatin1String("s")) {
                    const int n = xml.attributes().value(QLatin1String("text:c")).toInt();
                    p += QString(qMax(n, 1), u' ');
                } else if (xml.name() == QLatin1String("tab")) p += u'\t';
                else if (xml.name() == QLatin1String("line-break")) p += u'\n';
            } else if (xml.isEndElement()) --depth;
        }
        paragraphs.append(p);
    }
    return paragraphs.join(u'\n');
}

SheetData readOds(const Zip &zip, const QString &path)
{
    if (!zip.has(QStringLiteral("content.xml"))) fail(path, kDamaged);
    QXmlStreamReader xml(zip.read(QStringLiteral("content.xml")));
    SheetData data;
    bool inTable = false, done = false;
    int row = 0;
    while (!xml.atEnd() && !done) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("table") && inTable) done = true;
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("table")) {
            inTable = true;
            continue;
        }
        if (!inTable || xml.name() != QLatin1String("table-row")) continue;
        const int rowRepeat = qMax(1, xml.attributes().value(QLatin1String("table:number-rows-repeated")).toInt());
        int col = 0;
        struct Cell {
            int col, repeat;
            QVariant value;
        };
        QVector<Cell> cells;
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("table-cell") && xml.name() != QLatin1String("covered-table-cell")) {
                xml.skipCurrentElement();
                continue;
            }
            const auto at = xml.attributes();
            const int repeat = qMax(1, at.value(QLatin1String("table:number-columns-repeated")).toInt());
            const QString type = at.value(QLatin1String("office:value-type")).toString();
            QVariant value;
            if (type == QLatin1String("float") || type == QLatin1String("currency") || type == QLatin1String("percentage")) {
                bool ok = false;
                value = at.value(QLatin1String("office:value")).toDouble(&ok);
                if (!ok) fail(path, kDamaged);
            } else if (type == QLatin1String("date")) {
                const QString d = at.value(QLatin1String("office:date-value")).toString();
                value = QDate::fromString(d.left(10), Qt::ISODate);
                if (!value.toDate().isValid()) fail(path, kDamaged);
            } else if (type == QLatin1String("boolean")) {
                value = at.value(QLatin1String("office:boolean-value")) == QLatin1String("true");
            }
            const QString text = odsCellText(xml);
            if (!value.isValid() && !text.isEmpty()) value = text;
            if (value.isValid()) cells.append({col + 1, repeat, value});
            col += repeat;
        }
        for (int r = 0; r < rowRepeat && !cells.isEmpty(); ++r)
            for (const Cell &c : cells)
                for (int i = 0; i < c.repeat; ++i) {
                    if (row + r + 1 > kMaxRow || c.col + i > kMaxColumn) fail(path, kDamaged);
                    data.set(row + r + 1, c.col + i, c.value);
                }
        row += rowRepeat;
    }
    checkXml(xml, path);
    if (!inTable) fail(path, QStringLiteral("dosyada sayfa yok."));
    return data;
}

// ---------------------------------------------------------------- .xls

SheetData readXls(const QString &path)
{
    const void *handle = nullptr;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        if (handle) freexl_close(handle);
        fail(path, kDamaged);
    }
    std::unique_ptr<const void, int (*)(const void *)> guard(handle, freexl_close);
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK)
        fail(path, kDamaged);
    if (qint64(rows) * cols > kMaxCells * 4) fail(path, QStringLiteral("sayfa çok büyük."));
    SheetData data;
    for (unsigned int r = 0; r < rows; ++r)
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK) fail(path, kDamaged);
            QVariant value;
            switch (cell.type) {
            case FREEXL_CELL_INT: value = double(cell.value.int_value); break;
            case FREEXL_CELL_DOUBLE: value = cell.value.double_value; break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT: value = QString::fromUtf8(cell.value.text_value); break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                value = QDate::fromString(QString::fromLatin1(cell.value.text_value).left(10), Qt::ISODate);
                break;
            case FREEXL_CELL_TIME: value = QString::fromLatin1(cell.value.text_value); break;
            default: break;
            }
            if (value.isValid()) data.set(int(r) + 1, int(c) + 1, value);
        }
    return data;
}

} // namespace

void SheetData::set(int row, int col, const QVariant &v)
{
    if (m_values.size() >= kMaxCells) throw EngineError(QStringLiteral("Sayfa çok büyük; okunamadı."));
    m_values.insert((quint64(row) << 20) | quint64(col), v);
    lastRow = qMax(lastRow, row);
    lastColumn = qMax(lastColumn, col);
}

QVariant SheetData::value(int row, int col) const
{
    if (row < 1 || col < 1 || row > lastRow || col > lastColumn) return {};
    return m_values.value((quint64(row) << 20) | quint64(col));
}

QVector<QVector<QVariant>> SheetData::array() const
{
    if (qint64(lastRow + 1) * (lastColumn + 1) > 4 * kMaxCells)
        throw EngineError(QStringLiteral("Sayfa çok büyük; okunamadı."));
    QVector<QVector<QVariant>> a(lastRow + 1);
    for (int r = 1; r <= lastRow; ++r) a[r].resize(lastColumn + 1);
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        a[int(it.key() >> 20)][int(it.key() & 0xFFFFF)] = it.value();
    return a;
}

SheetData readSpreadsheet(const QString &path)
{
    QFile file(path);
    if (!file.exists()) fail(path, QStringLiteral("dosya bulunamadı."));
    if (!file.open(QIODevice::ReadOnly)) fail(path, file.errorString());
    if (file.size() == 0) fail(path, QStringLiteral("dosya boş."));
    const QByteArray magic = file.read(8);
    file.close();

    if (magic.startsWith("PK")) {
        Zip zip(path);
        if (!zip.isOpen()) fail(path, kDamaged);
        if (zip.has(QStringLiteral("xl/workbook.xml"))) return readXlsx(zip, path);
        if (zip.has(QStringLiteral("content.xml"))) return readOds(zip, path);
        fail(path, kDamaged);
    }
    if (magic.startsWith("\xD0\xCF\x11\xE0")) return readXls(path);
    fail(path, kDamaged);
}
