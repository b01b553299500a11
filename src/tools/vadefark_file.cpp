#include "tools/vadefark_file.h"

#include "data/display_format.h"
#include "data/text_encoding.h"
#include "tools/vadefark_calc.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace VadeFark {
namespace {

constexpr int kLongestRate = 30;

bool isBlank(QChar c) { return c.unicode() <= 0x20; }

bool needsQuotes(const QString &item)
{
    for (QChar c : item)
        if (isBlank(c) || c == u'"' || c == u',' || c.unicode() == 0x7f) return true;
    return false;
}

QString dateItem(const QDate &d) { return formatDate(QStringLiteral("dd.mm.yyyy"), d); }

bool digitsOnly(const QString &s)
{
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// Whether a header item could have been typed into its edit.
QString headerItemProblem(int item, const QString &text)
{
    static const char *names[] = {"Yıldaki Gün", "Yıllık Faiz", "Aylık Faiz", "Borç Ek Süre", "Alacak Ek Süre"};
    const QString name = QString::fromUtf8(names[item]);
    if (item == 0 || item >= 3) {
        const int longest = item == 0 ? 3 : 4;
        if (!digitsOnly(text) || text.size() > longest)
            return QStringLiteral("\"%1\" değeri uygun değil (en çok %2 rakam): %3").arg(name).arg(longest).arg(text);
        return {};
    }
    QString digits = text;
    const bool oneSeparator = digits.count(u',') <= 1;
    digits.remove(u',');
    // Typed rates have at most 8 characters; a rate the program computed is written
    // in full (2,08333333333333) and must read back.
    if (!oneSeparator || !digitsOnly(digits) || text.size() > kLongestRate)
        return QStringLiteral("\"%1\" değeri uygun değil (en çok %2 karakter, rakam ve virgül): %3")
            .arg(name)
            .arg(kLongestRate)
            .arg(text);
    return {};
}

// "dd.mm.yyyy" with any one-character separators, naming a real day.
QDate headerDate(const QString &t)
{
    if (t.size() != 10) return {};
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (t[i] < u'0' || t[i] > u'9') return {};
    return QDate(t.mid(6, 4).toInt(), t.mid(3, 2).toInt(), t.mid(0, 2).toInt());
}

} // namespace

QString commaText(const QStringList &items)
{
    QStringList out;
    out.reserve(items.size());
    for (const QString &item : items) {
        if (!needsQuotes(item)) {
            out << item;
            continue;
        }
        QString quoted = item;
        quoted.replace(u'"', QStringLiteral("\"\""));
        out << u'"' + quoted + u'"';
    }
    return out.join(u',');
}

QStringList parseCommaText(const QString &line, bool *openQuote)
{
    if (openQuote) *openQuote = false;
    QStringList items;
    const qsizetype n = line.size();
    qsizetype p = 0;
    while (p < n && isBlank(line[p])) ++p;
    while (p < n) {
        QString item;
        if (line[p] == u'"') {
            ++p;
            bool closed = false;
            while (p < n) {
                if (line[p] == u'"') {
                    if (p + 1 < n && line[p + 1] == u'"') {
                        item += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    closed = true;
                    break;
                }
                item += line[p++];
            }
            if (!closed && openQuote) *openQuote = true;
        } else {
            const qsizetype from = p;
            while (p < n && !isBlank(line[p]) && line[p] != u',') ++p;
            item = line.mid(from, p - from);
        }
        items << item;
        while (p < n && isBlank(line[p])) ++p;
        if (p < n && line[p] == u',') {
            if (p + 1 == n) items << QString();
            do {
                ++p;
            } while (p < n && isBlank(line[p]));
        }
    }
    return items;
}

QString fdvFileName(const QString &chosen)
{
    return chosen.contains(QStringLiteral(".fdv")) ? chosen : chosen + QStringLiteral(".fdv");
}

QStringList fileLines(const Sheet &s)
{
    QStringList lines;
    lines << commaText({s.yildakiGun, s.yillikFaiz, s.aylikFaiz, s.borcEkSure, s.alacakEkSure, s.firmaAdi,
                        QStringLiteral("H"), s.borcHaftaSonu ? QStringLiteral("E") : QStringLiteral("H"),
                        s.alacakHaftaSonu ? QStringLiteral("E") : QStringLiteral("H"), dateItem(s.hesapTarihi)});
    QStringList titles = s.titles.isEmpty() ? columnTitles() : s.titles;
    while (titles.size() < ColumnCount) titles << QString();
    lines << commaText(titles);
    for (QStringList row : s.rows) {
        while (row.size() < ColumnCount) row << QString();
        lines << commaText(row);
    }
    return lines;
}

bool writeFile(const QString &path, const QStringList &lines, QString *error)
{
    QSaveFile file(path);
    QByteArray bytes;
    for (const QString &l : lines) bytes += l.toUtf8() + "\r\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

std::optional<LoadedFile> readFile(const QString &path, QString *message)
{
    const auto fail = [&](int line, const QString &reason) -> std::optional<LoadedFile> {
        if (message) {
            *message = QStringLiteral("Vade farkı dosyası okunamadı:") + QStringLiteral("\n\r") + path
                       + QStringLiteral("\n\r") + (line > 0 ? QStringLiteral("Satır %1: ").arg(line) : QString()) + reason;
        }
        return std::nullopt;
    };
    QFile file(path);
    if (QFileInfo(path).size() > kMaxFileSize) return fail(0, QStringLiteral("dosya 10 MB'tan büyük."));
    if (!file.open(QIODevice::ReadOnly)) return fail(0, file.errorString());
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize) return fail(0, QStringLiteral("dosya 10 MB'tan büyük."));
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        return fail(int(bytes.left(nul).count('\n')) + 1, QStringLiteral("metin olmayan bir karakter (NUL) var."));
    // The header and title lines, the rows, and a last line without its ending.
    const qsizetype lineCount = bytes.count('\n') + (bytes.endsWith('\n') ? 0 : 1);
    if (lineCount - 2 > kMaxFileRows)
        return fail(0, QStringLiteral("dosyada en çok %1 satır olabilir; %2 satır var.")
                           .arg(QLocale(QLocale::Turkish).toString(kMaxFileRows), QLocale(QLocale::Turkish).toString(lineCount - 2)));

    QStringList lines = TextEncoding::decode(bytes).split(u'\n');
    for (QString &l : lines)
        if (l.endsWith(u'\r')) l.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // the last line's ending
    if (lines.size() < 3)
        return fail(0, QStringLiteral("dosyada en az 3 satır olmalı (başlık, sütun başlıkları ve satırlar); %1 satır var.")
                           .arg(lines.size()));

    bool open = false;
    const QStringList header = parseCommaText(lines[0], &open);
    if (open) return fail(1, QStringLiteral("kapanmayan tırnak işareti."));
    if (header.size() != 10) return fail(1, QStringLiteral("başlıkta 10 değer olmalı; %1 değer var.").arg(header.size()));
    for (int i = 0; i < 5; ++i)
        if (const QString problem = headerItemProblem(i, header[i]); !problem.isEmpty()) return fail(1, problem);
    LoadedFile f;
    f.hesapTarihi = headerDate(header[9]);
    if (!f.hesapTarihi.isValid()) return fail(1, QStringLiteral("hesap tarihi geçerli bir tarih değil: %1").arg(header[9]));
    f.yildakiGun = header[0];
    f.yillikFaiz = header[1];
    f.aylikFaiz = header[2];
    f.borcEkSure = header[3];
    f.alacakEkSure = header[4];
    f.firmaAdi = header[5];
    const auto rule = [](const QString &item) -> std::optional<bool> {
        if (item == u"E") return true;
        if (item == u"H") return false;
        return std::nullopt;
    };
    f.borcHaftaSonu = rule(header[7]);
    f.alacakHaftaSonu = rule(header[8]);

    // The title line is not read: the grid keeps its own titles.
    parseCommaText(lines[1], &open);
    if (open) return fail(2, QStringLiteral("kapanmayan tırnak işareti."));
    f.rows.reserve(lines.size() - 2);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        QStringList items = parseCommaText(lines[i], &open);
        if (open) return fail(int(i) + 1, QStringLiteral("kapanmayan tırnak işareti."));
        if (items.size() != ColumnCount)
            return fail(int(i) + 1, QStringLiteral("satırda 13 değer olmalı; %1 değer var.").arg(items.size()));
        f.rows << items;
    }
    return f;
}

} // namespace VadeFark
