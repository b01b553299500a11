#include "check/check_files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <sqlite3.h>

namespace CheckFiles {

File::File(QString home, QString rel, int y) : relative(std::move(rel)), path(home + u'/' + relative), year(y) {}

File::~File()
{
    if (m_db) sqlite3_close(m_db);
}

bool File::open(QString *error)
{
    if (m_db) return true;
    // Read-only, and without creating anything: a file that went away stays gone.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        if (error) *error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(m_db);
        m_db = nullptr;
        return false;
    }
    // A save of the program in progress holds the file for a moment.
    sqlite3_busy_timeout(m_db, 5000);
    return true;
}

void File::rows(const char *sql, const std::function<void(sqlite3_stmt *)> &row) const
{
    if (!m_db) throw ReadError{QStringLiteral("dosya açık değil")};
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK) throw ReadError{QString::fromUtf8(sqlite3_errmsg(m_db))};
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) row(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw ReadError{QString::fromUtf8(sqlite3_errmsg(m_db))};
}

std::vector<File *> Set::all() const
{
    std::vector<File *> out;
    if (company) out.push_back(company.get());
    for (const auto &y : years) out.push_back(y.get());
    return out;
}

Set find(const QString &home, const QString &code)
{
    Set s;
    const QString companyName = QStringLiteral("Data/") + code + QStringLiteral(".mdb");
    if (QFileInfo(home + u'/' + companyName).isFile()) s.company = std::make_unique<File>(home, companyName, 0);
    const QRegularExpression yearName(QStringLiteral("^") + QRegularExpression::escape(code) + QStringLiteral("(\\d{4})K\\.mdb$"));
    const QStringList names = QDir(home + QStringLiteral("/Data")).entryList({code + QStringLiteral("*K.mdb")}, QDir::Files);
    for (const QString &name : names) {
        const auto m = yearName.match(name);
        if (m.hasMatch()) s.years.push_back(std::make_unique<File>(home, QStringLiteral("Data/") + name, m.captured(1).toInt()));
    }
    std::sort(s.years.begin(), s.years.end(), [](const auto &a, const auto &b) { return a->year < b->year; });
    return s;
}

QString text(sqlite3_stmt *st, int col)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, col));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, col)) : QString();
}

double real(sqlite3_stmt *st, int col) { return sqlite3_column_double(st, col); }

qint64 integer(sqlite3_stmt *st, int col) { return sqlite3_column_int64(st, col); }

bool isSet(sqlite3_stmt *st, int col)
{
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_NULL: return false;
    case SQLITE_TEXT: return !text(st, col).trimmed().isEmpty();
    default: return true;
    }
}

} // namespace CheckFiles
