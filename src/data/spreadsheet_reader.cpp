#include "data/spreadsheet_reader.h"

#include "data/engine_error.h"
#include "data/spreadsheet_address.h"
#include "data/xls_dimensions.h"
#include "data/zip_archive.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <freexl.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Limits that keep a damaged or hostile file from eating the memory or the time.
// An import takes a few thousand rows; these leave room for a hundred times that.
constexpr qint64 kMaxEntryBytes = 32LL * 1024 * 1024;  // uncompressed size of any part read
constexpr qint64 kMaxXlsBytes = 64LL * 1024 * 1024;    // size of an .xls file
constexpr qint64 kMaxCells = 1'000'000;                // values and formats kept of a sheet
constexpr qint64 kMaxTextChars = 8LL * 1024 * 1024;    // characters of all the texts kept
constexpr qsizetype kMaxCellText = 32767;              // one cell's text, Excel's own limit
constexpr int kMaxStyles = 65536;                      // number formats, fonts, cell formats
constexpr int kMaxRow = 1048576;
constexpr int kMaxColumn = 16384;

[[noreturn]] void fail(const QString &path, const QString &why)
{
    throw EngineError(QStringLiteral("'%1' dosyası okunamadı: %2").arg(QFileInfo(path).fileName(), why));
}

const QString kTooLarge = QStringLiteral("sayfa içe aktarılamayacak kadar büyük.");
const QString kOutside = QStringLiteral("dosyada 1.048.576 satır ve 16.384 sütun sınırının dışında hücre var.");
const QString kCellTooLong = QStringLiteral("bir hücrenin metni 32.767 karakteri aşıyor.");

// What a sheet has taken so far, checked before anything more is kept.
class Budget {
public:
    explicit Budget(const QString &path) : m_path(path) {}
    void cells(qint64 n)
    {
        m_cells += n;
        if (n < 0 || m_cells > kMaxCells) fail(m_path, kTooLarge);
    }
    void text(qint64 chars)
    {
        m_chars += chars;
        if (m_chars > kMaxTextChars) fail(m_path, kTooLarge);
    }

private:
    QString m_path;
    qint64 m_cells = 0;
    qint64 m_chars = 0;
};

// A repeat count as written, within 1..limit + 1: a larger one can only run past
// the edge of the sheet, which the caller checks.
qint64 repeatCount(QStringView written, qint64 limit)
{
    const qint64 n = written.toLongLong();
    return std::clamp<qint64>(n, 1, limit + 1);
}

const QString kDamaged = QStringLiteral("dosya bozuk ya da bir Excel dosyası değil.");

// The day of a serial date number; invalid outside the years 1900 to 9999.
QDate serialToDate(double serial, bool base1904)
{
    if (!(serial >= 0 && serial < 2958466)) return {};
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

// The zip file of a workbook: each part read as it is inflated, so the XML reader
// never holds more than a small buffer of it, and a part may not grow past
// kMaxEntryBytes whatever size its header declares.
class Zip {
public:
    explicit Zip(const QString &path) : m_path(path), m_reader(path) {}
    bool isOpen() const { return m_reader.isOpen(); }
    bool has(const QString &name) const { return m_reader.has(name); }
    std::unique_ptr<ZipEntryStream> open(const QString &name) const
    {
        if (!has(name)) fail(m_path, kDamaged);
        auto entry = m_reader.open(name, kMaxEntryBytes);
        if (!entry) fail(m_path, kDamaged);
        if (entry->tooLarge()) fail(m_path, kTooLarge);
        return entry;
    }
    // After reading: why the XML reader saw the part end early, if it did.
    void check(const ZipEntryStream &entry) const
    {
        if (entry.tooLarge()) fail(m_path, kTooLarge);
        if (entry.broken()) fail(m_path, kDamaged);
    }

private:
    QString m_path;
    mutable ZipReader m_reader;
};

// An XML part of a zip file, and its reader.
struct ZipXml {
    ZipXml(const Zip &zip, const QString &name) : zip(zip), entry(zip.open(name)), xml(entry.get()) {}
    // The reader stopped on an error: the part's own fault (too large, broken) first.
    void check(const QString &path) const
    {
        zip.check(*entry);
        if (xml.hasError()) fail(path, kDamaged);
    }
    const Zip &zip;
    std::unique_ptr<ZipEntryStream> entry;
    QXmlStreamReader xml;
};

// The text of the current element, its children's texts included, refused when
// it would make a cell's text longer than kMaxCellText (with `before` characters
// already taken).
QString elementText(QXmlStreamReader &xml, const QString &path, qsizetype before = 0)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            if (before + text.size() + xml.text().size() > kMaxCellText) fail(path, kCellTooLong);
            text += xml.text();
        } else if (xml.isStartElement()) {
            ++depth;
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return text;
}

// ---------------------------------------------------------------- .xlsx

QString resolveTarget(const QString &target)
{
    const QString full = target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
    QStringList parts;
    for (const QString &segment : full.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("..")) {
            if (!parts.isEmpty()) parts.removeLast();
        } else if (segment != QLatin1String(".")) {
            parts.append(segment);
        }
    }
    return parts.join(u'/');
}

SheetData readXlsx(const Zip &zip, const QString &path)
{
    Budget budget(path);

    // The first sheet of the workbook and where its part is.
    QString relId;
    bool base1904 = false;
    {
        ZipXml part(zip, QStringLiteral("xl/workbook.xml"));
        QXmlStreamReader &xml = part.xml;
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
        part.check(path);
    }
    QString sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    if (zip.has(QStringLiteral("xl/_rels/workbook.xml.rels"))) {
        ZipXml part(zip, QStringLiteral("xl/_rels/workbook.xml.rels"));
        QXmlStreamReader &xml = part.xml;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")
                && xml.attributes().value(QLatin1String("Id")) == relId)
                sheetPart = resolveTarget(xml.attributes().value(QLatin1String("Target")).toString());
        }
        part.check(path);
    }

    // Shared strings: plain or rich text (runs joined; phonetic hints left out).
    QStringList shared;
    if (zip.has(QStringLiteral("xl/sharedStrings.xml"))) {
        ZipXml part(zip, QStringLiteral("xl/sharedStrings.xml"));
        QXmlStreamReader &xml = part.xml;
        QString current;
        int skip = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("si")) current.clear();
                else if (xml.name() == QLatin1String("rPh")) ++skip;
                else if (xml.name() == QLatin1String("t") && !skip) current += elementText(xml, path, current.size());
            } else if (xml.isEndElement()) {
                if (xml.name() == QLatin1String("si")) {
                    budget.cells(1);
                    budget.text(current.size());
                    shared.append(current);
                } else if (xml.name() == QLatin1String("rPh")) {
                    --skip;
                }
            }
        }
        part.check(path);
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
        ZipXml part(zip, QStringLiteral("xl/styles.xml"));
        QXmlStreamReader &xml = part.xml;
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
                if (codes.size() > kMaxStyles || fonts.size() > kMaxStyles || xfs.size() > kMaxStyles)
                    fail(path, kTooLarge);
                if (n == QLatin1String("numFmt")) {
                    const auto code = at.value(QLatin1String("formatCode"));
                    if (code.size() > 1024) fail(path, kDamaged);  // Excel allows 255 characters
                    codes.insert(at.value(QLatin1String("numFmtId")).toInt(), code.toString());
                } else if (n == QLatin1String("fonts") || n == QLatin1String("cellXfs") || n == QLatin1String("cellStyleXfs")) {
                    section = n.toString();
                } else if (n == QLatin1String("font") && section == QLatin1String("fonts")) {
                    fonts.append(Font{});
                } else if (n == QLatin1String("b") && section == QLatin1String("fonts") && !fonts.isEmpty()) {
                    fonts.last().bold = at.value(QLatin1String("val")) != QLatin1String("0");
                } else if (n == QLatin1String("sz") && section == QLatin1String("fonts") && !fonts.isEmpty()) {
                    fonts.last().size = at.value(QLatin1String("val")).toDouble();
                } else if (n == QLatin1String("xf") && section == QLatin1String("cellXfs")) {
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
            } else if (xml.isEndElement() && xml.name() == section) {
                section.clear();
            }
        }
        part.check(path);
    }
    const double defaultSize = xfs.isEmpty() ? 0 : xfs.first().size;

    if (!zip.has(sheetPart)) fail(path, kDamaged);
    SheetData data;
    ZipXml part(zip, sheetPart);
    QXmlStreamReader &xml = part.xml;
    qint64 row = 0, col = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("row")) {
            const qint64 r = xml.attributes().value(QLatin1String("r")).toLongLong();
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
        if (row < 1 || row > kMaxRow || col < 1 || col > kMaxColumn) fail(path, kOutside);
        const QString type = at.value(QLatin1String("t")).toString();
        const int s = at.value(QLatin1String("s")).toInt();
        QString v, f, inlineText;
        bool hasV = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v")) {
                v = elementText(xml, path);
                hasV = true;
            } else if (xml.name() == QLatin1String("f")) {
                f = elementText(xml, path);
            } else if (xml.name() == QLatin1String("is")) {
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("t")) inlineText += elementText(xml, path, inlineText.size());
                    else if (xml.name() == QLatin1String("r")) {
                        while (xml.readNextStartElement()) {
                            if (xml.name() == QLatin1String("t")) inlineText += elementText(xml, path, inlineText.size());
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
            budget.text(inlineText.size());
            value = inlineText;
        } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
            budget.text(v.size());
            if (hasV) value = v;
        } else if (type == QLatin1String("b")) {
            if (hasV) value = v.trimmed() == QLatin1String("1");
        } else if (hasV && !v.isEmpty()) {
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (!ok || !std::isfinite(d)) fail(path, kDamaged);
            const QDate date = s >= 0 && s < xfs.size() && xfs[s].date ? serialToDate(d, base1904) : QDate();
            value = date.isValid() ? QVariant(date) : QVariant(d);
        }
        if (value.isValid()) {
            budget.cells(1);
            data.set(int(row), int(col), value);
        }
        if (!f.isEmpty() || (s > 0 && s < xfs.size())) {
            budget.cells(1);
            budget.text(f.size());
            SheetCellFormat fmt;
            fmt.formula = f;
            if (s >= 0 && s < xfs.size()) {
                fmt.numberFormat = xfs[s].code;
                fmt.bold = xfs[s].bold;
                fmt.fontSize = xfs[s].size != defaultSize ? xfs[s].size : 0;
            }
            data.formats.insert({int(row), int(col)}, fmt);
        }
    }
    part.check(path);
    return data;
}

// ---------------------------------------------------------------- .ods

// Paragraphs joined by line breaks; <text:s text:c="n"/> stands for n spaces.
QString odsCellText(QXmlStreamReader &xml, const QString &path)
{
    QString text;
    bool first = true;
    const auto add = [&](QStringView piece) {
        if (text.size() + piece.size() > kMaxCellText) fail(path, kCellTooLong);
        text += piece;
    };
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("p")) {
            xml.skipCurrentElement();
            continue;
        }
        if (!first) add(u"\n");
        first = false;
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isCharacters()) add(xml.text());
            else if (xml.isStartElement()) {
                ++depth;
                if (xml.name() == QLatin1String("s")) {
                    const qint64 n = repeatCount(xml.attributes().value(QLatin1String("text:c")), kMaxCellText);
                    if (text.size() + n > kMaxCellText) fail(path, kCellTooLong);
                    text += QString(qsizetype(n), u' ');
                } else if (xml.name() == QLatin1String("tab")) {
                    add(u"\t");
                } else if (xml.name() == QLatin1String("line-break")) {
                    add(u"\n");
                }
            } else if (xml.isEndElement()) {
                --depth;
            }
        }
    }
    return text;
}

SheetData readOds(const Zip &zip, const QString &path)
{
    if (!zip.has(QStringLiteral("content.xml"))) fail(path, kDamaged);
    ZipXml part(zip, QStringLiteral("content.xml"));
    QXmlStreamReader &xml = part.xml;
    Budget budget(path);
    SheetData data;
    bool inTable = false, done = false;
    // Counted in 64 bits and repeats clamped: LibreOffice fills a sheet to its last
    // row and column with repeated empty rows and cells, and a crafted file may
    // repeat far beyond.
    qint64 row = 0;
    while (!xml.atEnd() && !done) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("table") && inTable) done = true;
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("table")) {
            inTable = true;
            continue;
        }
        if (!inTable || xml.name() != QLatin1String("table-row")) continue;
        const qint64 rowRepeat = repeatCount(xml.attributes().value(QLatin1String("table:number-rows-repeated")), kMaxRow);
        qint64 col = 0;
        struct Cell {
            qint64 col, repeat;
            QVariant value;
        };
        QVector<Cell> cells;
        qint64 cellsOfRow = 0;
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("table-cell") && xml.name() != QLatin1String("covered-table-cell")) {
                xml.skipCurrentElement();
                continue;
            }
            const auto at = xml.attributes();
            const qint64 repeat = repeatCount(at.value(QLatin1String("table:number-columns-repeated")), kMaxColumn);
            const QString type = at.value(QLatin1String("office:value-type")).toString();
            QVariant value;
            if (type == QLatin1String("float") || type == QLatin1String("currency") || type == QLatin1String("percentage")) {
                bool ok = false;
                value = at.value(QLatin1String("office:value")).toDouble(&ok);
                if (!ok || !std::isfinite(value.toDouble())) fail(path, kDamaged);
            } else if (type == QLatin1String("date")) {
                const QString d = at.value(QLatin1String("office:date-value")).toString();
                value = QDate::fromString(d.left(10), Qt::ISODate);
                if (!value.toDate().isValid()) fail(path, kDamaged);
            } else if (type == QLatin1String("boolean")) {
                value = at.value(QLatin1String("office:boolean-value")) == QLatin1String("true");
            }
            const QString text = odsCellText(xml, path);
            if (!value.isValid() && !text.isEmpty()) {
                budget.text(text.size());
                value = text;
            }
            if (value.isValid()) {
                if (col + repeat > kMaxColumn) fail(path, kOutside);
                cells.append({col + 1, repeat, value});
                cellsOfRow += repeat;
            }
            col += repeat;  // at most kMaxColumn + 1 per cell: no overflow
        }
        if (!cells.isEmpty()) {
            if (row + rowRepeat > kMaxRow) fail(path, kOutside);
            budget.cells(cellsOfRow * rowRepeat);  // both at most about a million
            for (qint64 r = 1; r <= rowRepeat; ++r)
                for (const Cell &c : cells)
                    for (qint64 i = 0; i < c.repeat; ++i) data.set(int(row + r), int(c.col + i), c.value);
        }
        row += rowRepeat;
    }
    part.check(path);
    if (!inTable) fail(path, QStringLiteral("dosyada sayfa yok."));
    return data;
}

// ---------------------------------------------------------------- .xls

SheetData readXls(const QString &path)
{
    // freexl takes memory for every sheet's declared grid as it opens the file: the
    // declarations of all the sheets are read first.
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) fail(path, file.errorString());
        const qint64 declared = XlsDimensions::declaredCells(file.read(kMaxXlsBytes + 1));
        if (declared < 0) fail(path, kDamaged);
        if (declared > kMaxCells * 4) fail(path, kTooLarge);
    }
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
    if (qint64(rows) * cols > kMaxCells * 4) fail(path, kTooLarge);
    Budget budget(path);
    SheetData data;
    for (unsigned int r = 0; r < rows; ++r)
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK) fail(path, kDamaged);
            QVariant value;
            switch (cell.type) {
            case FREEXL_CELL_INT: value = double(cell.value.int_value); break;
            case FREEXL_CELL_DOUBLE:
                if (!std::isfinite(cell.value.double_value)) fail(path, kDamaged);
                value = cell.value.double_value;
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT: value = QString::fromUtf8(cell.value.text_value); break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                value = QDate::fromString(QString::fromLatin1(cell.value.text_value).left(10), Qt::ISODate);
                break;
            case FREEXL_CELL_TIME: value = QString::fromLatin1(cell.value.text_value); break;
            default: break;
            }
            if (!value.isValid()) continue;
            budget.cells(1);
            if (value.typeId() == QMetaType::QString) budget.text(value.toString().size());
            data.set(int(r) + 1, int(c) + 1, value);
        }
    return data;
}

} // namespace

void SheetData::set(int row, int col, const QVariant &v)
{
    // The readers check first and name the file; this keeps the array sound whatever calls it.
    if (row < 1 || row > kMaxRow || col < 1 || col > kMaxColumn)
        throw EngineError(QStringLiteral("Hücre adresi sayfanın dışında; okunamadı."));
    if (m_values.size() >= kMaxCells && !m_values.contains(key(row, col)))
        throw EngineError(QStringLiteral("Sayfa çok büyük; okunamadı."));
    m_values.insert(key(row, col), v);
    lastRow = qMax(lastRow, row);
    lastColumn = qMax(lastColumn, col);
}

QVariant SheetData::value(int row, int col) const
{
    if (row < 1 || col < 1 || row > lastRow || col > lastColumn) return {};
    return m_values.value(key(row, col));
}

QVector<QVector<QVariant>> SheetData::array() const
{
    if (qint64(lastRow) * lastColumn > kMaxCells) throw EngineError(QStringLiteral("Sayfa çok büyük; okunamadı."));
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
    if (magic.startsWith("\xD0\xCF\x11\xE0")) {
        // freexl takes the whole file into memory.
        if (file.size() > kMaxXlsBytes) fail(path, kTooLarge);
        return readXls(path);
    }
    fail(path, kDamaged);
}
