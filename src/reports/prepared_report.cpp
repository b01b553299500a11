#include "reports/prepared_report.h"

#include "data/jpeg.h"

#include <QDataStream>
#include <QFile>
#include <QPageSize>
#include <QSaveFile>

namespace {
constexpr quint32 kMagic = 0x42525052;  // "BRPR"
constexpr quint16 kVersion = 2;  // 2: pictures
// Bounds that no real report reaches; beyond them the file is damaged.
constexpr quint32 kMaxPages = 1'000'000;
constexpr quint32 kMaxItems = 100'000;
constexpr quint32 kMaxFonts = 1'000;
} // namespace

quint16 PreparedReport::fontIndex(const ReportFont &font)
{
    const qsizetype i = fonts.indexOf(font);
    if (i >= 0) return quint16(i);
    fonts.append(font);
    return quint16(fonts.size() - 1);
}

QStringList PreparedReport::pageTexts(int page) const
{
    QStringList out;
    if (page < 0 || page >= pages.size()) return out;
    for (const PageItem &it : pages[page].items)
        if (!it.text.isEmpty()) out << it.text;
    return out;
}

bool PreparedReport::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("Dosya yazılamadı: %1\n%2").arg(path, file.errorString());
        return false;
    }
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    const QSizeF paper = pageLayout.fullRect(QPageLayout::Millimeter).size();
    out << kMagic << kVersion << title << qint32(pageLayout.pageSize().id()) << qint32(pageLayout.orientation())
        << paper.width() << paper.height();
    out << quint32(fonts.size());
    for (const ReportFont &f : fonts) out << f.family << f.pointSize << f.bold << f.italic;
    out << quint32(pages.size());
    for (const PreparedPage &p : pages) {
        out << quint32(p.items.size());
        for (const PageItem &it : p.items) {
            out << it.rect << it.text << it.font << it.alignment << it.frame << it.wordWrap;
            // A picture goes as JPEG, read back through the bounded decoder.
            out << (it.picture.isNull() ? QByteArray() : Jpeg::encode(it.picture, 92));
        }
    }
    if (out.status() != QDataStream::Ok || !file.commit()) {
        if (error) *error = QStringLiteral("Dosya yazılamadı: %1\n%2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool PreparedReport::load(const QString &path, PreparedReport *result, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error) *error = why;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Dosya açılamadı: %1\n%2").arg(path, file.errorString()));
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    const QString damaged = QStringLiteral("Bu dosya bir Brenvo rapor dosyası değil ya da bozuk: %1").arg(path);

    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic) return fail(damaged);
    if (version > kVersion)
        return fail(QStringLiteral("Bu rapor dosyası programın daha yeni bir sürümüyle kaydedilmiş: %1").arg(path));

    PreparedReport r;
    qint32 sizeId = 0, orientation = 0;
    double width = 0, height = 0;
    in >> r.title >> sizeId >> orientation >> width >> height;
    if (in.status() != QDataStream::Ok || width <= 0 || height <= 0 || width > 5000 || height > 5000) return fail(damaged);
    const QPageSize size = sizeId > 0 && sizeId <= QPageSize::LastPageSize
                               ? QPageSize(QPageSize::PageSizeId(sizeId))
                               : QPageSize(orientation == QPageLayout::Landscape ? QSizeF(height, width)
                                                                                 : QSizeF(width, height),
                                           QPageSize::Millimeter);
    r.pageLayout = QPageLayout(size, orientation == QPageLayout::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                               QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    quint32 fontCount = 0;
    in >> fontCount;
    if (in.status() != QDataStream::Ok || fontCount > kMaxFonts) return fail(damaged);
    for (quint32 i = 0; i < fontCount; ++i) {
        ReportFont f;
        in >> f.family >> f.pointSize >> f.bold >> f.italic;
        if (in.status() != QDataStream::Ok || !(f.pointSize > 0 && f.pointSize < 500)) return fail(damaged);
        r.fonts.append(f);
    }
    quint32 pageCount = 0;
    in >> pageCount;
    if (in.status() != QDataStream::Ok || pageCount > kMaxPages) return fail(damaged);
    for (quint32 p = 0; p < pageCount; ++p) {
        quint32 itemCount = 0;
        in >> itemCount;
        if (in.status() != QDataStream::Ok || itemCount > kMaxItems) return fail(damaged);
        PreparedPage page;
        page.items.reserve(int(itemCount));
        for (quint32 i = 0; i < itemCount; ++i) {
            PageItem it;
            in >> it.rect >> it.text >> it.font >> it.alignment >> it.frame >> it.wordWrap;
            if (in.status() != QDataStream::Ok || it.font >= r.fonts.size()) return fail(damaged);
            if (version >= 2) {
                QByteArray picture;
                in >> picture;
                if (in.status() != QDataStream::Ok) return fail(damaged);
                if (!picture.isEmpty()) {
                    it.picture = Jpeg::decode(picture);
                    if (it.picture.isNull()) return fail(damaged);
                }
            }
            page.items.append(std::move(it));
        }
        r.pages.append(std::move(page));
    }
    if (!in.atEnd()) return fail(damaged);
    *result = std::move(r);
    return true;
}
