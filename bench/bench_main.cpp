// Benchmarks on a generated company. Each scenario prints one line:
//   name ours_ms bare_ms ratio
// where "ours" is the work done through the program's own code and "bare" the same
// statements run directly with the SQLite C API on the same file (the floor). Each
// figure is the median of five runs, the two measured alternately.
#include "app/sample_company.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "data/sql_literals.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeMs(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char *name, const std::function<void()> &ours, const std::function<void()> &bare)
{
    std::vector<double> a, b;
    ours();  // warm the page cache for both
    bare();
    for (int i = 0; i < 5; ++i) {
        a.push_back(timeMs(ours));
        b.push_back(timeMs(bare));
    }
    const double ma = median(a), mb = median(b);
    std::printf("%-28s %10.1f %10.1f %6.2f\n", name, ma, mb, mb > 0 ? ma / mb : 0.0);
    std::fflush(stdout);
}

// Steps through every row reading every column, as a consumer of the rows must.
long long bareRun(const QString &file, const QStringList &statements)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    long long checksum = 0;
    for (const QString &sql : statements) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "bare: %s\n", sqlite3_errmsg(db));
            std::exit(1);
        }
        const int n = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < n; ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER: checksum += sqlite3_column_int64(st, c); break;
                case SQLITE_FLOAT: checksum += (long long)sqlite3_column_double(st, c); break;
                case SQLITE_TEXT: checksum += (long long)sqlite3_column_bytes(st, c) + *sqlite3_column_text(st, c); break;
                default: break;
                }
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return checksum;
}

// Opens the queries through the adapter, on a fresh connection as a window would.
void oursRun(const QString &file, const QList<QStringList> &queries)
{
    Connection c;
    c.setConnectionString(ConnectionString::build(file));
    c.open();
    for (const QStringList &lines : queries) {
        Query q(&c);
        q.sql() = lines;
        q.open();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100000;
    QTemporaryDir home;
    ProgramHome::setDir(home.path());
    ProgramHome::ensure();

    const int lastYear = QDate::currentDate().year();
    SampleCompany company;
    const double genMs = timeMs([&] { company = generateSampleCompany(QStringLiteral("BENCH"), n, lastYear - 2, lastYear); });
    std::printf("%-28s %10s %10s %6s\n", "name", "ours_ms", "bare_ms", "ratio");
    std::printf("%-28s %10.1f %10s %6s\n", qPrintable(QStringLiteral("generate_%1").arg(n)), genMs, "-", "-");
    const QString file = ProgramHome::path(QStringLiteral("Data/BENCH.mdb"));

    // The main menu's portfolio list over the whole three years.
    const QDate from(company.firstYear, 1, 1), to(lastYear, 12, 31);
    const QStringList portfolio = {
        QStringLiteral("SELECT * FROM cekgiris"),
        QStringLiteral("WHERE cek_tarihi<") + sqlDate(to.addDays(1)) + QStringLiteral(" AND cek_tarihi>") + sqlDate(from.addDays(-1)),
        QStringLiteral("AND (cek_ciro_id IS NULL )"), QStringLiteral("AND (cek_tahsilat_tarihi IS NULL )"),
        QStringLiteral("ORDER BY cek_tarihi  ASC;")};
    // The received cheque list, "Tüm Çekler".
    const QStringList allCheques = {QStringLiteral("SELECT * FROM cekgiris"), QStringLiteral("WHERE (cek_ind IS NOT NULL )"),
                                    QStringLiteral("ORDER BY cek_tarihi ASC;")};

    Connection translator;
    translator.setConnectionString(ConnectionString::build(file));
    translator.open();
    const auto sqlite = [&](const QStringList &lines) { return translator.translate(lines.join(u'\n')); };

    report("portfolio_query", [&] { oursRun(file, {portfolio}); }, [&] { bareRun(file, {sqlite(portfolio)}); });
    report("cheque_list_all", [&] { oursRun(file, {allCheques}); }, [&] { bareRun(file, {sqlite(allCheques)}); });

    // The account movements table of a year opened in date order, and its first 200
    // rows read, as the movements window does; bare: the same ordered scan of keys
    // and the same rows read.
    const QString cashFile = ProgramHome::path(QStringLiteral("Data/BENCH%1K.mdb").arg(lastYear));
    report("movements_table_open",
           [&] {
               Connection c;
               c.setConnectionString(ConnectionString::build(cashFile));
               c.open();
               Table t(&c, QStringLiteral("carihareket"), QStringLiteral("islem_tarihi"));
               t.open();
               for (int i = 0; i < 200 && !t.eof(); ++i, t.next()) t.value(1);
           },
           [&] {
               bareRun(cashFile, {QStringLiteral("SELECT rowid FROM carihareket ORDER BY islem_tarihi, rowid"),
                                  QStringLiteral("SELECT * FROM carihareket ORDER BY islem_tarihi, rowid LIMIT 200")});
           });
    return 0;
}
