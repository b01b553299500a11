#include "data/xls_dimensions.h"

#include <QVector>

namespace XlsDimensions {
namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFree = 0xFFFFFFFF;

quint16 u16(const QByteArray &b, qsizetype at)
{
    return at < 0 || at + 2 > b.size() ? 0 : quint16(uchar(b[at]) | (uchar(b[at + 1]) << 8));
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return at < 0 || at + 4 > b.size() ? kFree
                                       : quint32(uchar(b[at])) | (quint32(uchar(b[at + 1])) << 8)
                                             | (quint32(uchar(b[at + 2])) << 16) | (quint32(uchar(b[at + 3])) << 24);
}

// The compound file (OLE2) container: its sectors, allocation table and streams.
class Container {
public:
    explicit Container(const QByteArray &file) : m_file(file)
    {
        if (file.size() < 512 || !file.startsWith(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))) return;
        const int shift = u16(file, 0x1E);
        if (shift != 9 && shift != 12) return;
        m_sector = 1 << shift;
        m_miniShift = u16(file, 0x20);
        if (m_miniShift < 1 || m_miniShift > 12) return;
        m_sectors = quint32((file.size() - 512 + m_sector - 1) / m_sector);
        m_cutoff = u32(file, 0x38);

        // The allocation table's sectors: 109 in the header, the rest in a chain.
        QVector<quint32> fatSectors;
        for (int i = 0; i < 109; ++i) {
            const quint32 s = u32(file, 0x4C + 4 * i);
            if (s < m_sectors) fatSectors << s;
        }
        quint32 difat = u32(file, 0x44);
        for (quint32 guard = 0; difat < m_sectors && guard < m_sectors; ++guard) {
            const qsizetype at = offset(difat);
            const int perSector = m_sector / 4 - 1;
            for (int i = 0; i < perSector; ++i) {
                const quint32 s = u32(file, at + 4 * i);
                if (s < m_sectors) fatSectors << s;
            }
            difat = u32(file, at + 4 * perSector);
        }
        for (quint32 s : std::as_const(fatSectors)) {
            const qsizetype at = offset(s);
            for (int i = 0; i < m_sector / 4 && m_fat.size() < qsizetype(m_sectors); ++i) m_fat << u32(file, at + 4 * i);
        }
        m_ok = !m_fat.isEmpty();
    }

    bool ok() const { return m_ok; }

    // The bytes of a chain of sectors starting at start, at most size bytes.
    QByteArray chain(quint32 start, qint64 size) const
    {
        QByteArray out;
        for (quint32 s = start, guard = 0; s < m_sectors && guard <= m_sectors && out.size() < size; ++guard) {
            out += m_file.mid(offset(s), m_sector);
            s = s < quint32(m_fat.size()) ? m_fat[s] : kEndOfChain;
        }
        return out.left(size);
    }

    // The workbook stream ("Workbook", or "Book" of older files).
    QByteArray workbook() const
    {
        const QByteArray dir = chain(u32(m_file, 0x30), qint64(m_sectors) * m_sector);
        QByteArray miniStream;
        bool rootRead = false;
        for (qsizetype at = 0; at + 128 <= dir.size(); at += 128) {
            const int type = uchar(dir[at + 0x42]);
            const quint32 start = u32(dir, at + 0x74);
            const qint64 size = u32(dir, at + 0x78);
            if (type == 5 && !rootRead) {
                miniStream = chain(start, size);
                rootRead = true;
                continue;
            }
            if (type != 2) continue;
            const int nameBytes = qMin<int>(u16(dir, at + 0x40), 64);
            const QString name = QString::fromUtf16(reinterpret_cast<const char16_t *>(dir.constData() + at),
                                                    qMax(0, nameBytes / 2 - 1));
            if (name.compare(QLatin1String("Workbook"), Qt::CaseInsensitive) != 0
                && name.compare(QLatin1String("Book"), Qt::CaseInsensitive) != 0)
                continue;
            if (size >= m_cutoff) return chain(start, size);
            // A small stream lives in the mini stream, in mini sectors of its own table.
            const QByteArray miniFat = chain(u32(m_file, 0x3C), qint64(u32(m_file, 0x40)) * m_sector);
            const qint64 miniSector = qint64(1) << m_miniShift;
            const quint32 count = quint32(miniFat.size() / 4);
            QByteArray out;
            for (quint32 s = start, guard = 0; s < count && guard <= count && out.size() < size; ++guard) {
                out += miniStream.mid(qsizetype(s * miniSector), qsizetype(miniSector));
                s = u32(miniFat, qsizetype(s) * 4);
            }
            return out.left(size);
        }
        return {};
    }

private:
    qsizetype offset(quint32 sector) const { return 512 + qsizetype(sector) * m_sector; }

    const QByteArray &m_file;
    bool m_ok = false;
    int m_sector = 512;
    int m_miniShift = 6;
    quint32 m_sectors = 0;
    quint32 m_cutoff = 4096;
    QVector<quint32> m_fat;
};

} // namespace

qint64 declaredCells(const QByteArray &file)
{
    const Container c(file);
    if (!c.ok()) return -1;
    const QByteArray book = c.workbook();
    if (book.size() < 4) return -1;
    // The record headers in turn: a DIMENSION record (0x0200; 0x0000 in the oldest
    // files) gives its sheet's rows and columns past the last used ones, as freexl
    // reads them.
    qint64 cells = 0;
    for (qsizetype at = 0; at + 4 <= book.size();) {
        const quint16 type = u16(book, at), length = u16(book, at + 2);
        const qsizetype body = at + 4;
        if (body + length > book.size()) break;
        if (type == 0x0200 || (type == 0x0000 && length == 8)) {
            qint64 rows = 0, columns = 0;
            if (length >= 14) {
                rows = u32(book, body + 4);
                columns = u16(book, body + 10);
            } else if (length >= 8) {
                rows = u16(book, body + 2);
                columns = u16(book, body + 6);
            }
            cells = qMin(cells + rows * columns, qint64(1) << 52);  // far past any limit, no overflow
        }
        at = body + length;
    }
    return cells;
}

} // namespace XlsDimensions
