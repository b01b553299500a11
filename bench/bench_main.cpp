// Benchmarks on a generated company. Each scenario prints one line:
//   name ours_ms bare_ms ratio
// where "ours" is the work done through the program's own code and "bare" the same
// statements run directly with the SQLite C API on the same file (the floor). Each
// figure is the median of five runs, the two measured alternately.
#include "app/sample_company.h"
#include "check/data_check.h"
#include "app/backup_archives.h"
#include "app/backup_settings.h"
#include "app/year_end_carry.h"
#include "received/cheque_list_statements.h"
#include "issued/issued_list_statements.h"
#include "data/cheque_state.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "data/data_context.h"
#include "received/entry_slip_save.h"
#include "received/cheque_operations.h"
#include "given/exit_slip_rows.h"
#include "given/exit_slip_save.h"
#include "mainmenu/dashboard_statements.h"
#include "accounts/ledger_statements.h"
#include "accounts/tcarihareketf.h"
#include "accounts/movement_writer.h"
#include "data/transaction.h"
#include "data/turkish_text.h"
#include "data/display_format.h"
#include "data/sql_literals.h"
#include "widgets/dataset_grid_model.h"
#include "cash/cash_row_writer.h"
#include "cash/cash_statements.h"
#include "tools/vadefark_calc.h"
#include "tools/vadefark_file.h"
#include "reports/layouts_received.h"
#include "reports/page_view.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "given/given_list_statements.h"
#include "given/bank_report_statements.h"
#include "given/exit_slip_cancel.h"
#include "received/entry_slip_load.h"
#include "received/slip_register_filter.h"
#include "received/cheque_list_assembler.h"
#include "cash/two_date_statements.h"
#include "reports/layouts_cash_reports.h"

#include <QRegularExpression>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QProcess>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <zip.h>
#include <vector>
#include <cstring>
#include <QDateEdit>

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

// BENCH_ONLY=name runs one figure; BENCH_ROUNDS=n times it n times (5), for profiling.
void report(const char *name, const std::function<void()> &ours, const std::function<void()> &bare)
{
    const QByteArray only = qgetenv("BENCH_ONLY");
    if (!only.isEmpty() && only != name) return;
    const int rounds = std::max(1, qEnvironmentVariableIntValue("BENCH_ROUNDS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 5);
    std::vector<double> a, b;
    ours();  // warm the page cache for both
    bare();
    for (int i = 0; i < rounds; ++i) {
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

// Opens the queries through the adapter, on a fresh connection as a window would,
// and reads every row (queries read their rows as they are needed; the bare floor
// steps through all of them).
void oursRun(const QString &file, const QList<QStringList> &queries)
{
    Connection c;
    c.setConnectionString(ConnectionString::build(file));
    c.open();
    for (const QStringList &lines : queries) {
        Query q(&c);
        q.sql() = lines;
        q.open();
        q.recordCount();
    }
}

// Brings the account movements of a cash file to want rows by copying its first
// ones, and gives the first 500 a cash row key (the movement writer's figure finds
// them by it).
void padMovements(const QString &cashFile, long long want)
{
    sqlite3 *db = nullptr;
    sqlite3_open(cashFile.toUtf8().constData(), &db);
    const auto scalar = [db](const char *sql) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        long long v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
        sqlite3_finalize(st);
        return v;
    };
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (long long have = scalar("SELECT COUNT(*) FROM carihareket"); have < want;
         have = scalar("SELECT COUNT(*) FROM carihareket")) {
        const QByteArray top = QStringLiteral(
            "INSERT INTO carihareket (cari_kodu, cari_hesap_adi, borc_tutari, alacak_tutari, doviz_cinsi, islem_tarihi, aciklama) "
            "SELECT cari_kodu, cari_hesap_adi, borc_tutari, alacak_tutari, doviz_cinsi, islem_tarihi, aciklama FROM carihareket "
            "ORDER BY chid LIMIT %1").arg(want - have).toUtf8();
        sqlite3_exec(db, top.constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_exec(db, "UPDATE carihareket SET nakit_id=chid WHERE chid<=500 AND nakit_id IS NOT chid; COMMIT;", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
}

namespace BenchCache {

// $BENCH_CACHE, else ~/.cache/ceksenet-bench.
QString root()
{
    const QString env = qEnvironmentVariable("BENCH_CACHE");
    return env.isEmpty() ? QDir::homePath() + QStringLiteral("/.cache/ceksenet-bench") : env;
}

bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + src.mid(from.size());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(dst);
        } else {
            QFile::remove(dst);
            if (!QFile::copy(src, dst)) return false;
        }
    }
    return true;
}

// The folder of a generated home of n cheques whose newest year is lastYear. The
// suffix names the way the company is made (through the program's saves), so a
// home made another way before is never taken for it.
QString folder(int n, int lastYear) { return root() + QStringLiteral("/%1-%2-saves").arg(n).arg(lastYear); }

// Brings each database of a cached home up to the program's schema (new indexes
// are added once, in place), as the program does when it opens them.
void upgradeFiles(const QString &dir)
{
    QStringList files;
    for (const QString &sub : {QStringLiteral("/Data"), QString()}) {
        QDirIterator it(dir + sub, {QStringLiteral("*.mdb")}, QDir::Files);
        while (it.hasNext()) files << it.next();
    }
    for (const QString &f : std::as_const(files)) {
        if (!f.contains(QLatin1String("/Data/")) && !QFileInfo(f).fileName().startsWith(QLatin1String("padded-"))) continue;
        Connection c;
        c.setSchemaKind(f.endsWith(QLatin1String("K.mdb")) ? Schema::Kind::Cash : Schema::Kind::Company);
        c.setConnectionString(ConnectionString::build(f));
        c.open();
    }
}

// Fills home from the cache when it holds the company; else runs generate (which
// writes into the program home) and keeps the result. Returns true when cached.
bool load(int n, int lastYear, const QString &home, SampleCompany *company, const std::function<void()> &generate)
{
    const QString dir = folder(n, lastYear);
    company->code = QStringLiteral("BENCH");
    company->firstYear = lastYear - 2;
    company->lastYear = lastYear;
    company->cheques = n;
    if (QFileInfo::exists(dir + QStringLiteral("/ready"))) {
        upgradeFiles(dir);
        if (copyTree(dir, home)) return true;
    }
    generate();
    QDir(dir + QStringLiteral(".part")).removeRecursively();
    if (copyTree(home, dir + QStringLiteral(".part"))) {
        QDir(dir).removeRecursively();
        QDir().rename(dir + QStringLiteral(".part"), dir);
        QFile ready(dir + QStringLiteral("/ready"));
        ready.open(QIODevice::WriteOnly);
    }
    return false;
}

// The newest year's cash file brought to five movements per cheque: copied from
// the cache when it holds it, else padded here and kept there.
void padded(const QString &cashFile, int n, int lastYear)
{
    const QString kept = folder(n, lastYear) + QStringLiteral("/padded-") + QFileInfo(cashFile).fileName();
    if (QFileInfo::exists(kept)) {
        QFile::remove(cashFile);
        if (QFile::copy(kept, cashFile)) return;
    }
    padMovements(cashFile, 5LL * n);
    QFile::remove(kept + QStringLiteral(".part"));
    if (QFile::copy(cashFile, kept + QStringLiteral(".part"))) QFile::rename(kept + QStringLiteral(".part"), kept);
}

} // namespace BenchCache

// The rows of a dataset as a grid shows them: every field a column.
QVector<GridColumn> everyField(const Dataset &ds)
{
    QVector<GridColumn> cols;
    for (int c = 0; c < ds.fieldCount(); ++c) {
        GridColumn g;
        g.field = ds.fieldInfo(c).name;
        g.title = g.field;
        cols << g;
    }
    return cols;
}

// What a list window does to show its first screenful: the statement opened and
// the first 50 rows of every column read through the grid model, as painting does.
long long firstScreen(Query &q, const QStringList &lines)
{
    q.reopen(lines);
    DatasetGridModel model(&q, everyField(q));
    long long sink = 0;
    const int rows = std::min(50, model.rowCount());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < model.columnCount(); ++c) sink += model.data(model.index(r, c)).toString().size();
    return sink;
}

// The bare floor of a first screenful: the statement stepped 50 times, every column read.
long long bareFirstRows(sqlite3 *db, const QString &sql, int rows = 50)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "bare: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
    long long sink = 0;
    const int n = sqlite3_column_count(st);
    for (int r = 0; r < rows && sqlite3_step(st) == SQLITE_ROW; ++r)
        for (int c = 0; c < n; ++c)
            if (sqlite3_column_type(st, c) == SQLITE_TEXT) sink += sqlite3_column_bytes(st, c);
            else sink += sqlite3_column_int64(st, c);
    sqlite3_finalize(st);
    return sink;
}

// A bare handle with the program's Turkish collation and functions, for statements
// that use them: the program's own connection's handle.
struct BareHandle {
    Connection c;
    explicit BareHandle(const QString &file)
    {
        c.setConnectionString(ConnectionString::build(file));
        c.open();
    }
    sqlite3 *db() const { return c.handle(); }
};

// BENCH_PLANS=1 prints SQLite's plan of each statement the first screens run.
void printPlan(Connection &c, const char *name, const QStringList &lines)
{
    if (qEnvironmentVariableIntValue("BENCH_PLANS") == 0) return;
    Query q(&c);
    q.sql() << QStringLiteral("EXPLAIN QUERY PLAN ") + lines.join(u'\n');
    q.open();
    std::printf("  plan %s:\n", name);
    for (int i = 0; i < q.recordCount(); ++i)
        std::printf("    %s\n", qPrintable(q.valueAt(i, q.fieldIndex(QStringLiteral("detail"))).toString()));
}

// The first screenful of "Tüm Çekler" on a company file.
void firstScreenAllCheques(const char *name, const QString &file)
{
    ChequeList::Filters all;
    all.choice = ChequeList::Choice::Tum;
    all.paraCinsi = QStringLiteral("Hepsi");
    const ChequeList::Statements s = ChequeList::build(all);
    BareHandle bare(file);
    printPlan(bare.c, name, s.list);
    const QString sql = bare.c.translate(s.list.join(u'\n'));
    long long sink = 0;
    report(name,
           [&] {
               Connection c;
               c.setConnectionString(ConnectionString::build(file));
               c.open();
               Query q(&c);
               sink += firstScreen(q, s.list);
           },
           [&] {
               sqlite3 *db = nullptr;
               sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
               sink += bareFirstRows(db, sql);
               sqlite3_close(db);
           });
}

// The first screenfuls of the lists, the ledger and the cash view at the bench's
// size, each beside the same statements stepped by the bare C API (50 steps for a
// list's first screenful; to the end where the window needs every row).
void firstScreens(const QString &file, const QString &cashFile, int lastYear)
{
    firstScreenAllCheques("first_screen_all_cheques", file);

    // Every state of the received, issued and given lists: its plan, and the slowest
    // first screenful of them.
    {
        BareHandle bare(file);
        QList<QPair<QString, QStringList>> lists;
        for (int i = 0; i < ChequeList::kChoiceCount; ++i) {
            ChequeList::Filters f;
            f.choice = ChequeList::Choice(i);
            f.paraCinsi = QStringLiteral("Hepsi");
            lists.append({ChequeList::choiceTexts().value(i), ChequeList::build(f).list});
        }
        for (int i = 0; i < IssuedList::kChoiceCount; ++i) {
            IssuedList::Filters f;
            f.choice = IssuedList::Choice(i);
            f.paraCinsi = QStringLiteral("Hepsi");
            lists.append({IssuedList::choiceTexts().value(i), IssuedList::build(f).list});
        }
        for (int i = 0; i < GivenList::kChoiceCount; ++i) {
            GivenList::Filters f;
            f.choice = GivenList::Choice(i);
            f.paraCinsi = QStringLiteral("Hepsi");
            lists.append({GivenList::choiceTexts().value(i), GivenList::build(f).list});
        }
        for (const auto &l : std::as_const(lists)) printPlan(bare.c, qPrintable(l.first), l.second);
        long long sink = 0;
        // The slowest of them, found once.
        int slowest = 0;
        double worst = -1;
        for (int i = 0; i < lists.size(); ++i) {
            const double ms = timeMs([&] {
                Query q(&bare.c);
                sink += firstScreen(q, lists[i].second);
            });
            if (ms > worst) worst = ms, slowest = i;
        }
        const QString sql = bare.c.translate(lists[slowest].second.join(u'\n'));
        if (qEnvironmentVariableIntValue("BENCH_PLANS")) std::printf("  slowest list: %s\n", qPrintable(lists[slowest].first));
        report("first_screen_slowest_list",
               [&] {
                   Connection c;
                   c.setConnectionString(ConnectionString::build(file));
                   c.open();
                   Query q(&c);
                   sink += firstScreen(q, lists[slowest].second);
               },
               [&] { sink += bareFirstRows(bare.db(), sql); });
    }

    // Plans of the later windows' statements: the given lists, the bank report, the
    // slip registers and the cash reports (BENCH_PLANS=1).
    if (qEnvironmentVariableIntValue("BENCH_PLANS")) {
        BareHandle company(file), cash(cashFile);
        for (int i = 0; i < GivenList::kChoiceCount; ++i) {
            GivenList::Filters f;
            f.choice = GivenList::Choice(i);
            f.paraCinsi = QStringLiteral("Hepsi");
            const ChequeList::Statements s = GivenList::build(f);
            printPlan(company.c, qPrintable(QStringLiteral("given: ") + GivenList::choiceTexts().value(i)), s.list);
        }
        const QDate first(lastYear, 1, 1), last(lastYear, 12, 31);
        const BankReport::Statements b = BankReport::build(first, last, BankReport::kAllBanks);
        printPlan(company.c, "bank report banks", b.banks);
        printPlan(company.c, "bank report list", b.list);
        printPlan(company.c, "bank report per bank", b.perBank);
        printPlan(company.c, "bank report per currency", b.perCurrency);
        printPlan(company.c, "entry slip register", {QStringLiteral("SELECT * FROM cekbordro ORDER BY islem_tarihi, bordro_ind")});
        printPlan(company.c, "exit slip register", {QStringLiteral("SELECT * FROM cikisbordro ORDER BY bordro_ind")});
        const QString h = QStringLiteral("Hepsi");
        printPlan(cash.c, "cash report movements", TwoDateStatements::movements(h, first, last));
        printPlan(cash.c, "cash report types", TwoDateStatements::typeTotals(h, first, last));
        printPlan(cash.c, "cash report days", TwoDateStatements::dayTotals(h, first, last));
        printPlan(cash.c, "cash report opening", TwoDateStatements::opening(h, first));
        printPlan(cash.c, "cash report movements TL", TwoDateStatements::movements(QStringLiteral("TL"), first, last));
    }

    // The dashboard at login with five movements per cheque: the two balance lists
    // (every row: they are filtered to debtors and creditors) and the three cheque
    // lists of a two-month range (every row: their sums are shown).
    {
        const QDate from(lastYear, 3, 1), to(lastYear, 4, 30);
        const QStringList balance = Dashboard::balanceStatement();
        const QList<QStringList> cheques = {Dashboard::portfolioStatement(from, to), Dashboard::bankStatement(from, to),
                                            Dashboard::ownChequeStatement(from, to)};
        BareHandle bareCash(cashFile), bareCompany(file);
        printPlan(bareCompany.c, "dashboard portfolio", cheques[0]);
        printPlan(bareCompany.c, "dashboard bank", cheques[1]);
        printPlan(bareCompany.c, "dashboard own cheques", cheques[2]);
        const QString b = bareCash.c.translate(balance.join(u'\n'));
        QStringList translated;
        for (const QStringList &q : cheques) translated << bareCompany.c.translate(q.join(u'\n'));
        report("dashboard_login_500k_moves",
               [&] {
                   oursRun(cashFile, {balance, balance});
                   oursRun(file, cheques);
               },
               [&] {
                   bareRun(cashFile, {b, b});
                   bareRun(file, translated);
               });
    }

    // The ledger of the account with the most movements for the whole year: the
    // carried-forward and closing sums, the movements (every one read: the running
    // balance is worked out over them) with their first screenful shown, and the
    // period totals.
    {
        BareHandle bare(cashFile);
        QString busiest;
        {
            Query q(&bare.c);
            q.sql() << QStringLiteral("SELECT cari_kodu, COUNT(*) AS n FROM carihareket GROUP BY cari_kodu ORDER BY 2 DESC");
            q.open();
            busiest = q.field(QStringLiteral("cari_kodu")).asString();
        }
        const QDate first(lastYear, 1, 1), last(lastYear, 12, 31);
        const QString hepsi = QStringLiteral("Hepsi");
        const QStringList carried = Ledger::carriedForwardStatement(busiest, first, hepsi);
        const QStringList upToEnd = Ledger::upToEndStatement(busiest, last, hepsi);
        const QStringList period = Ledger::periodStatement(busiest, first, last, hepsi);
        const QStringList totals = Ledger::periodTotalsStatement(busiest, first, last, hepsi, QString());
        printPlan(bare.c, "ledger carried forward", carried);
        printPlan(bare.c, "ledger movements", period);
        printPlan(bare.c, "ledger totals", totals);
        printPlan(bare.c, "ledger account list", Ledger::accountListStatement(last, hepsi, QString()));
        printPlan(bare.c, "dashboard balances", Dashboard::balanceStatement());
        QStringList sums;
        for (const QStringList &q : {carried, upToEnd, totals}) sums << bare.c.translate(q.join(u'\n'));
        const QString list = bare.c.translate(period.join(u'\n'));
        long long sink = 0;
        report("first_screen_ledger_busiest",
               [&] {
                   Connection c;
                   c.setConnectionString(ConnectionString::build(cashFile));
                   c.open();
                   Query q1(&c), q2(&c), q3(&c), q4(&c);
                   q1.reopen(carried);
                   q2.reopen(upToEnd);
                   const double carry = q1.isEmpty() ? 0
                                        : q1.value(QStringLiteral("SUMborc_tutari")).toDouble() -
                                              q1.value(QStringLiteral("SUMalacak_tutari")).toDouble();
                   sink += firstScreen(q3, period);
                   sink += Ledger::runningBalances(q3, busiest, carry).size();
                   q4.reopen(totals);
               },
               [&] {
                   // The totals order by currency in the Turkish collation: the
                   // program's handle has it registered.
                   for (const QString &sql : sums) sink += bareFirstRows(bare.db(), sql, INT_MAX);
                   sink += bareFirstRows(bare.db(), list, INT_MAX);
               });
    }

    // The ledger's list of accounts with their balances for the year: one row per
    // account and currency, grouped over every movement.
    {
        BareHandle bare(cashFile);
        const QStringList accounts = Ledger::accountListStatement(QDate(lastYear, 12, 31), QStringLiteral("Hepsi"), QString());
        const QString sql = bare.c.translate(accounts.join(u'\n'));
        long long sink = 0;
        // The window runs it on the cash connection open since login.
        Connection c;
        c.setConnectionString(ConnectionString::build(cashFile));
        c.open();
        report("first_screen_ledger_accounts",
               [&] {
                   Query q(&c);
                   sink += firstScreen(q, accounts);
               },
               [&] { sink += bareFirstRows(bare.db(), sql); });
    }

    // The cash view on its newest day under "Hepsi": the day list, the opening
    // balance, the day's sums, the per-currency summary, the whole cash table in date
    // order and the day's first screenful of movements.
    {
        BareHandle bare(cashFile);
        const QStringList days = CashStatements::dayList(QString());
        QDate newest;
        {
            Query q(&bare.c);
            q.sql() = days;
            q.open();
            newest = q.field(QStringLiteral("islem_tarihi")).asDate();
        }
        printPlan(bare.c, "cash day list", days);
        printPlan(bare.c, "cash opening", CashStatements::opening(kHepsi, newest));
        printPlan(bare.c, "cash day totals", CashStatements::dayTotals(kHepsi, newest));
        printPlan(bare.c, "cash summary", CashStatements::currencySummary(newest));
        const QString at = u'\'' + newest.toString(Qt::ISODate) + u'\'';
        const QStringList bareSql = {
            QStringLiteral("SELECT islem_tarihi FROM nakit GROUP BY islem_tarihi ORDER BY islem_tarihi DESC"),
            QStringLiteral("SELECT SUM(borc_tutar), SUM(alacak_tutar) FROM nakit WHERE islem_tarihi<") + at,
            QStringLiteral("SELECT SUM(borc_tutar), SUM(alacak_tutar) FROM nakit WHERE islem_tarihi=") + at,
            QStringLiteral("SELECT doviz_cinsi, SUM(CASE WHEN islem_tarihi<%1 AND borc_tutar>0 THEN borc_tutar ELSE 0 END)"
                           "-SUM(CASE WHEN islem_tarihi<%1 AND alacak_tutar>0 THEN alacak_tutar ELSE 0 END),"
                           "SUM(CASE WHEN islem_tarihi=%1 THEN borc_tutar ELSE 0 END),"
                           "SUM(CASE WHEN islem_tarihi=%1 THEN alacak_tutar ELSE 0 END) FROM nakit GROUP BY doviz_cinsi")
                .arg(at),
            QStringLiteral("SELECT rowid FROM nakit ORDER BY islem_tarihi, rowid")};
        const QString dayRows = QStringLiteral("SELECT * FROM nakit WHERE islem_tarihi=%1 ORDER BY islem_tarihi, rowid").arg(at);
        long long sink = 0;
        report("first_screen_cash_view",
               [&] {
                   Connection c;
                   c.setConnectionString(ConnectionString::build(cashFile));
                   c.open();
                   Query dayList(&c), opening(&c), day(&c), summary(&c);
                   dayList.reopen(days);
                   const QDate d = dayList.field(QStringLiteral("islem_tarihi")).asDate();
                   opening.reopen(CashStatements::opening(kHepsi, d));
                   day.reopen(CashStatements::dayTotals(kHepsi, d));
                   summary.reopen(CashStatements::currencySummary(d));
                   Table all(&c, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
                   all.open();
                   Table rows(&c, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
                   rows.setMasterLink(QStringLiteral("islem_tarihi"), d);
                   rows.open();
                   DatasetGridModel model(&rows, everyField(rows));
                   for (int r = 0; r < std::min(50, model.rowCount()); ++r)
                       for (int col = 0; col < model.columnCount(); ++col)
                           sink += model.data(model.index(r, col)).toString().size();
               },
               [&] {
                   sqlite3 *db = nullptr;
                   sqlite3_open_v2(cashFile.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
                   for (const QString &sql : bareSql) sink += bareFirstRows(db, sql, INT_MAX);
                   sink += bareFirstRows(db, dayRows);
                   sqlite3_close(db);
               });
    }
}

// Start-up: from starting the program on the bench's home (the generated company
// in it) to its login window shown and painted; the program says so and ends when
// CEKSENET_STARTUP_PROBE is set. No bare figure: the floor is the program's own.
void startupFigure(const QString &homeDir)
{
    const QByteArray only = qgetenv("BENCH_ONLY");
    if (!only.isEmpty() && only != "startup_to_login") return;
    const QString exe = QCoreApplication::applicationDirPath() + QStringLiteral("/../ceksenet");
    if (!QFileInfo::exists(exe)) return;
    const auto once = [&] {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CEKSENET_STARTUP_PROBE"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(exe, {QStringLiteral("--home"), homeDir});
        double shown = -1;
        while (shown < 0 && p.waitForReadyRead(10000))
            if (p.readAllStandardOutput().contains("login shown")) shown = double(t.nsecsElapsed()) / 1e6;
        p.waitForFinished(10000);
        return shown;
    };
    once();
    std::vector<double> v;
    for (int i = 0; i < 5; ++i) v.push_back(once());
    std::printf("%-28s %10.1f %10s %6s\n", "startup_to_login", median(v), "-", "-");
    std::fflush(stdout);
}

// "Tüm Çekler" at a large size, only when asked for ($BENCH_LARGE=1000000): the
// company is generated once into the cache folder and read there, never copied.
void firstScreenLarge(int lastYear)
{
    const int large = qEnvironmentVariableIntValue("BENCH_LARGE");
    if (large <= 0) return;
    const QByteArray only = qgetenv("BENCH_ONLY");
    if (!only.isEmpty() && only != "first_screen_all_cheques_1m") return;
    const QString dir = BenchCache::folder(large, lastYear) + QStringLiteral("-cheques");
    if (!QFileInfo::exists(dir + QStringLiteral("/ready"))) {
        const QString part = dir + QStringLiteral(".part");
        QDir(part).removeRecursively();
        QDir().mkpath(part);
        const QString before = ProgramHome::dir();
        DataContext::instance().ADOConnection1.close();
        DataContext::instance().kasaConnection.close();
        ProgramHome::setDir(part);
        ProgramHome::ensure();
        const double ms = timeMs([&] { generateSampleCompany(QStringLiteral("BENCH"), large, lastYear - 2, lastYear); });
        std::printf("%-28s %10.1f %10s %6s\n", qPrintable(QStringLiteral("generate_%1").arg(large)), ms, "-", "-");
        ProgramHome::setDir(before);
        QDir(dir).removeRecursively();
        QDir().rename(part, dir);
        QFile ready(dir + QStringLiteral("/ready"));
        ready.open(QIODevice::WriteOnly);
    }
    BenchCache::upgradeFiles(dir);
    firstScreenAllCheques("first_screen_all_cheques_1m", dir + QStringLiteral("/Data/BENCH.mdb"));
}

} // namespace

int main(int argc, char **argv)
{
    // The report previews are widgets: they are drawn off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100000;
    QTemporaryDir home;
    ProgramHome::setDir(home.path());
    ProgramHome::ensure();

    const int lastYear = QDate::currentDate().year();
    SampleCompany company;
    std::printf("%-28s %10s %10s %6s\n", "name", "ours_ms", "bare_ms", "ratio");
    // The generated company is kept in a cache folder and copied from there, so a
    // run does not wait on generating it.
    double genMs = 0;
    const bool fromCache = BenchCache::load(n, lastYear, home.path(), &company, [&] {
        genMs = timeMs([&] {
            company = generateSampleCompany(QStringLiteral("BENCH"), n, lastYear - 2, lastYear);
        });
    });
    if (fromCache) std::printf("%-28s %10s %10s %6s\n", qPrintable(QStringLiteral("cached_%1").arg(n)), "-", "-", "-");
    else std::printf("%-28s %10.1f %10s %6s\n", qPrintable(QStringLiteral("generate_%1").arg(n)), genMs, "-", "-");
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
    // "GÜNCELLE" on "Tüm Çekler" of the received cheque lists: the rows, their total
    // and the monthly summary.
    {
        ChequeList::Filters all;
        all.choice = ChequeList::Choice::Tum;
        all.paraCinsi = QStringLiteral("Hepsi");
        const ChequeList::Statements s = ChequeList::build(all);
        // The bare C API has no YEAR and MONTH: SQLite's own strftime does their work.
        QString monthly = sqlite(s.monthly);
        monthly.replace(QRegularExpression(QStringLiteral("\\bYEAR\\(([^)]*)\\)")),
                        QStringLiteral("CAST(strftime('%Y',\\1) AS INTEGER)"));
        monthly.replace(QRegularExpression(QStringLiteral("\\bMONTH\\(([^)]*)\\)")),
                        QStringLiteral("CAST(strftime('%m',\\1) AS INTEGER)"));
        report("cheque_lists_guncelle", [&] { oursRun(file, {s.list, s.total, s.monthly}); },
               [&] { bareRun(file, {sqlite(s.list), sqlite(s.total), monthly}); });
    }

    // "GÜNCELLE" on "Tüm Ciro Edilenler" of the given cheque lists with "Banka
    // Hariç" cleared: every given cheque still out, their total and the monthly summary.
    {
        GivenList::Filters all;
        all.choice = GivenList::Choice::Tum;
        all.bankaHaric = false;
        all.paraCinsi = QStringLiteral("Hepsi");
        const ChequeList::Statements s = GivenList::build(all);
        // The bare C API has no YEAR and MONTH: SQLite's own strftime does their work.
        QString monthly = sqlite(s.monthly);
        monthly.replace(QRegularExpression(QStringLiteral("\\bYEAR\\(([^)]*)\\)")),
                        QStringLiteral("CAST(strftime('%Y',\\1) AS INTEGER)"));
        monthly.replace(QRegularExpression(QStringLiteral("\\bMONTH\\(([^)]*)\\)")),
                        QStringLiteral("CAST(strftime('%m',\\1) AS INTEGER)"));
        report("given_lists_guncelle", [&] { oursRun(file, {s.list, s.total, s.monthly}); },
               [&] { bareRun(file, {sqlite(s.list), sqlite(s.total), monthly}); });
    }

    // The received list filtered to one account: codes compare Turkish case folded
    // (COLLATE TRNOCASE), which no stored index serves; bare SQLite compares with
    // the column's ASCII NOCASE through the code's index.
    {
        ChequeList::Filters one;
        one.choice = ChequeList::Choice::Tum;
        one.paraCinsi = QStringLiteral("Hepsi");
        one.firmaKodu = QStringLiteral("C0001");
        const ChequeList::Statements s = ChequeList::build(one);
        QString bare = sqlite(s.list);
        bare.replace(QStringLiteral(" COLLATE TRNOCASE"), QString());
        report("cheque_list_one_account", [&] { oursRun(file, {s.list}); }, [&] { bareRun(file, {bare}); });
    }

    // The main menu's dashboard at login: the two balance statements on the cash
    // file and the three cheque lists on the company file, for a two-month range.
    {
        const QDate from(lastYear, 3, 1), to(lastYear, 4, 30);
        const QStringList balance = Dashboard::balanceStatement();
        const QList<QStringList> cheques = {Dashboard::portfolioStatement(from, to), Dashboard::bankStatement(from, to),
                                            Dashboard::ownChequeStatement(from, to)};
        const QString cash = ProgramHome::path(QStringLiteral("Data/BENCH%1K.mdb").arg(lastYear));
        report("dashboard_login",
               [&] {
                   oursRun(cash, {balance, balance});
                   oursRun(file, cheques);
               },
               [&] {
                   Connection t;
                   t.setConnectionString(ConnectionString::build(cash));
                   t.open();
                   const QString b = t.translate(balance.join(u'\n'));
                   bareRun(cash, {b, b});
                   QStringList translated;
                   for (const QStringList &q : cheques) translated << sqlite(q);
                   bareRun(file, translated);
               });
    }

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

    // Saving an entry slip of 200 cheques (recalculation included) against the bare
    // inserts of the same 200 cheque rows, the header and the movement, one
    // transaction per file.
    {
        DataContext &ctx = DataContext::instance();
        ctx.aktifSirketKodu = company.code;
        ctx.ADOConnection1.setConnectionString(ConnectionString::build(file));
        ctx.ADOConnection1.open();
        kasadegistir(lastYear);
        const QString code = QStringLiteral("C0001");
        Query card(&ctx.ADOConnection1);
        card.sql() << QStringLiteral("SELECT firma_adi FROM firma WHERE firma_kodu='C0001'");
        card.open();
        const QString name = card.field(QStringLiteral("firma_adi")).asString();
        Table slips(&ctx.ADOConnection1, QStringLiteral("cekbordro"), QStringLiteral("islem_tarihi"));
        Table cheques(&ctx.ADOConnection1, QStringLiteral("cekgiris"), QStringLiteral("cek_tarihi"));
        slips.open();
        cheques.open();
        const QDate slipDate(lastYear, 3, 1);
        report("entry_slip_save_200",
               [&] {
                   EntrySlip::Header h;
                   h.slipDate = slipDate;
                   h.code = code;
                   h.name = name;
                   EntrySlip::Params p;
                   p.slipDate = slipDate;
                   p.yillikFaiz = QStringLiteral("36");
                   QVector<QStringList> rows;
                   for (int i = 0; i < 200; ++i) {
                       QStringList r(EntrySlip::ColumnCount);
                       r[EntrySlip::ColNo] = QString::number(i + 1);
                       r[EntrySlip::ColVade] = slipDate.addDays(30 + i).toString(QStringLiteral("dd.MM.yyyy"));
                       r[EntrySlip::ColTutar] = formatFloat(QStringLiteral("#,##0.00"), 1000 + i);
                       r[EntrySlip::ColDuzenleyen] = QStringLiteral("Düzenleyen %1").arg(i);
                       r[EntrySlip::ColCekNo] = QString::number(500000 + i);
                       rows << r;
                   }
                   const auto result = EntrySlip::saveSlip(h, p, rows, EntrySlip::Datasets{slips, cheques});
                   if (!result.saved) std::fprintf(stderr, "save: %s\n", qPrintable(result.message));
               },
               [&] {
                   sqlite3 *db = nullptr, *kdb = nullptr;
                   sqlite3_open(file.toUtf8().constData(), &db);
                   sqlite3_open(cashFile.toUtf8().constData(), &kdb);
                   sqlite3_busy_timeout(db, 100000);
                   sqlite3_busy_timeout(kdb, 100000);
                   sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
                   sqlite3_stmt *h = nullptr, *c = nullptr;
                   sqlite3_prepare_v2(db, "INSERT INTO cekbordro (islem_tarihi, alindigi_firma_kodu, alindigi_firma, toplam_tutari) VALUES (?,?,?,?)", -1, &h, nullptr);
                   sqlite3_bind_text(h, 1, "2026-03-01", -1, SQLITE_STATIC);
                   sqlite3_bind_text(h, 2, "C0001", -1, SQLITE_STATIC);
                   sqlite3_bind_text(h, 3, "x", -1, SQLITE_STATIC);
                   sqlite3_bind_double(h, 4, 1.0);
                   sqlite3_step(h);
                   sqlite3_finalize(h);
                   const qint64 slip = sqlite3_last_insert_rowid(db);
                   sqlite3_prepare_v2(db, "INSERT INTO cekgiris (bordro_ind, alindigi_firma, alindigi_firma_kodu, islem_tarihi, cek_tarihi, "
                                          "cek_tutari, cek_gun, cek_vade_farki, cek_masraf, cek_net_tutar, ceki_duzenleyen, cek_adat, cek_no, "
                                          "aciklama, cekTL_karsiligi, para_birimi, cek_doviz_kuru, cek_banka_id) "
                                          "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)", -1, &c, nullptr);
                   for (int i = 0; i < 200; ++i) {
                       sqlite3_bind_int64(c, 1, slip);
                       sqlite3_bind_text(c, 2, "x", -1, SQLITE_STATIC);
                       sqlite3_bind_text(c, 3, "C0001", -1, SQLITE_STATIC);
                       sqlite3_bind_text(c, 4, "2026-03-01", -1, SQLITE_STATIC);
                       sqlite3_bind_text(c, 5, "2026-04-01", -1, SQLITE_STATIC);
                       for (int k = 6; k <= 10; ++k) sqlite3_bind_double(c, k, 1000.0 + i);
                       sqlite3_bind_text(c, 11, "Düzenleyen", -1, SQLITE_STATIC);
                       sqlite3_bind_double(c, 12, 30000.0);
                       sqlite3_bind_text(c, 13, "500000", -1, SQLITE_STATIC);
                       sqlite3_bind_text(c, 14, "", -1, SQLITE_STATIC);
                       sqlite3_bind_double(c, 15, 1000.0);
                       sqlite3_bind_text(c, 16, "TL", -1, SQLITE_STATIC);
                       sqlite3_bind_double(c, 17, 1.0);
                       sqlite3_bind_int(c, 18, 0);
                       sqlite3_step(c);
                       sqlite3_reset(c);
                   }
                   sqlite3_finalize(c);
                   sqlite3_exec(kdb, "BEGIN; INSERT INTO carihareket (cari_kodu, alacak_tutari, cek_id) VALUES ('C0001', 1, 1); COMMIT;",
                                nullptr, nullptr, nullptr);
                   if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
                       std::fprintf(stderr, "bare save: %s\n", sqlite3_errmsg(db));
                       std::exit(1);
                   }
                   sqlite3_close(kdb);
                   sqlite3_close(db);
               });
    }

    // "GÜNCELLE" on "Tüm Düzenlenen Çekler" of the issued cheque lists: the own
    // cheques, their total and the monthly summary.
    {
        IssuedList::Filters all;
        all.choice = IssuedList::Choice::Tum;
        all.paraCinsi = QStringLiteral("Hepsi");
        const ChequeList::Statements s = IssuedList::build(all);
        // The bare C API has no YEAR and MONTH: SQLite's own strftime does their work.
        QString monthly = sqlite(s.monthly);
        monthly.replace(QRegularExpression(QStringLiteral("\\bYEAR\\(([^)]*)\\)")),
                        QStringLiteral("CAST(strftime('%Y',\\1) AS INTEGER)"));
        monthly.replace(QRegularExpression(QStringLiteral("\\bMONTH\\(([^)]*)\\)")),
                        QStringLiteral("CAST(strftime('%m',\\1) AS INTEGER)"));
        report("issued_lists_guncelle", [&] { oursRun(file, {s.list, s.total, s.monthly}); },
               [&] { bareRun(file, {sqlite(s.list), sqlite(s.total), monthly}); });
    }
    {
        // The backup of all companies: every database of "Data" into one archive,
        // against the same archive written with libzip directly.
        const QStringList files = Backup::databaseFiles(ProgramHome::path(QStringLiteral("Data")));
        const QString archive = home.filePath(QStringLiteral("bench_yedek.zip"));
        report("backup_all_companies", [&] { Backup::writeArchives({{archive, files}}); },
               [&] {
                   int error = 0;
                   zip_t *z = zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
                   for (const QString &f : files) {
                       zip_source_t *src = zip_source_file(z, QFile::encodeName(f).constData(), 0, 0);
                       const zip_int64_t i = zip_file_add(z, QFile::encodeName(QFileInfo(f).fileName()).constData(), src, 0);
                       zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_DEFLATE, 9);
                   }
                   zip_close(z);
               });
    }
    {
        // The closing sums of the carry-over on the last year's cash file.
        const QString cashFile = ProgramHome::path(DataContext::cashFileName(QStringLiteral("BENCH"), lastYear));
        Connection year, companyFile;
        year.setConnectionString(ConnectionString::build(cashFile));
        year.open();
        companyFile.setConnectionString(ConnectionString::build(file));
        companyFile.open();
        report("year_end_sums",
               [&] {
                   YearEnd::cashSums(year);
                   YearEnd::accountSums(year, companyFile);
               },
               [&] {
                   bareRun(cashFile, {QStringLiteral("SELECT doviz_cinsi, SUM(borc_tutar), SUM(alacak_tutar) FROM nakit GROUP BY doviz_cinsi"),
                                      QStringLiteral("SELECT cari_kodu, doviz_cinsi, cari_hesap_adi FROM carihareket ORDER BY chid"),
                                      QStringLiteral("SELECT cari_kodu, doviz_cinsi, SUM(borc_tutari), SUM(alacak_tutari) "
                                                     "FROM carihareket GROUP BY cari_kodu, doviz_cinsi")});
                   bareRun(file, {QStringLiteral("SELECT firma_kodu, firma_adi FROM firma")});
               });
    }
    // The account movements window on the newest year's file, brought to five
    // movements per cheque: opening it and choosing the account with the most
    // movements (the running balance included), the title click that lists every
    // movement, and the movement writer posting 1,000 movements found by nakit_id
    // (half edits, half new) in one transaction, rolled back so every round sees
    // the same file.
    {
        DataContext::instance().kasaConnection.close();
        BenchCache::padded(cashFile, n, lastYear);
        sqlite3 *db = nullptr;
        sqlite3_open(cashFile.toUtf8().constData(), &db);
        const auto scalar = [db](const char *sql) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
            long long v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
            sqlite3_finalize(st);
            return v;
        };
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "SELECT cari_kodu, COUNT(*) FROM carihareket GROUP BY cari_kodu ORDER BY 2 DESC LIMIT 1", -1, &st, nullptr);
        sqlite3_step(st);
        const QString busiest = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        std::printf("%-28s %10lld %10s %6s\n", "ledger_movements", scalar("SELECT COUNT(*) FROM carihareket"), qPrintable(busiest),
                    "-");
        sqlite3_finalize(st);
        sqlite3_close(db);

        const QDate asOf(lastYear, 12, 31), first(lastYear, 1, 1);
        const QString hepsi = QStringLiteral("Hepsi");
        const QList<QStringList> list = {Ledger::accountListStatement(asOf, hepsi, QString()),
                                         Ledger::accountTotalsStatement(asOf, hepsi, QString())};
        const QList<QStringList> account = {Ledger::carriedForwardStatement(busiest, first, hepsi),
                                            Ledger::upToEndStatement(busiest, asOf, hepsi),
                                            Ledger::periodStatement(busiest, first, asOf, hepsi),
                                            Ledger::periodTotalsStatement(busiest, first, asOf, hepsi, QString())};
        Connection t;
        t.setConnectionString(ConnectionString::build(cashFile));
        t.open();
        QStringList bareOpen;
        for (const QStringList &q : list + account) bareOpen << t.translate(q.join(u'\n'));
        t.close();
        // The window's work without its widgets: the six lists opened, the running
        // balance worked out once in list order.
        const auto openLists = [&](const QList<QStringList> &queries, int carriedIndex, double *balance) {
            Connection c;
            c.setConnectionString(ConnectionString::build(cashFile));
            c.open();
            double carried = 0;
            for (int i = 0; i < queries.size(); ++i) {
                Query q(&c);
                q.sql() = queries[i];
                q.open();
                q.recordCount();  // every row, as the bare floor reads
                if (i == carriedIndex && !q.isEmpty())
                    carried = q.value(QStringLiteral("SUMborc_tutari")).toDouble() - q.value(QStringLiteral("SUMalacak_tutari")).toDouble();
                if (queries[i].first().startsWith(QLatin1String("Select * FROM carihareket"))) {
                    const auto running = Ledger::runningBalances(q, busiest, carried);
                    *balance += running.size();
                }
            }
        };
        // The bare floor orders names by the same Turkish collation the program registers.
        const auto bareTurkish = [&](const QStringList &statements) {
            sqlite3 *b = nullptr;
            sqlite3_open_v2(cashFile.toUtf8().constData(), &b, SQLITE_OPEN_READONLY, nullptr);
            sqlite3_create_collation(b, "TR", SQLITE_UTF8, nullptr, [](void *, int la, const void *a, int lb, const void *bb) {
                return turkishCompareUtf8(std::string_view(static_cast<const char *>(a), size_t(la)),
                                          std::string_view(static_cast<const char *>(bb), size_t(lb)));
            });
            long long checksum = 0;
            for (const QString &sql : statements) {
                sqlite3_stmt *st = nullptr;
                if (sqlite3_prepare_v2(b, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
                    std::fprintf(stderr, "bare: %s\n", sqlite3_errmsg(b));
                    std::exit(1);
                }
                const int cols = sqlite3_column_count(st);
                while (sqlite3_step(st) == SQLITE_ROW)
                    for (int c = 0; c < cols; ++c)
                        if (sqlite3_column_type(st, c) == SQLITE_TEXT) checksum += sqlite3_column_bytes(st, c) + *sqlite3_column_text(st, c);
                        else checksum += (long long)sqlite3_column_double(st, c);
                sqlite3_finalize(st);
            }
            sqlite3_close(b);
            return checksum;
        };
        double sink = 0;
        report("ledger_open_busiest", [&] { openLists(list + account, 2, &sink); }, [&] { bareTurkish(bareOpen); });
        const QStringList everything = Ledger::allMovementsStatement(QStringLiteral("islem_tarihi"), QStringLiteral("ASC"));
        report("ledger_title_click_all", [&] { openLists({everything}, -1, &sink); },
               [&] { bareRun(cashFile, {everything.join(u'\n')}); });

        // The writer: ids 1..500 edit the movements carrying them, 1000001.. append.
        const auto keyOf = [](int i) { return i < 500 ? i + 1 : 1000000 + i; };
        report("movement_writer_1000",
               [&] {
                   Connection c;
                   c.setConnectionString(ConnectionString::build(cashFile));
                   c.open();
                   TransactionScope tx{&c};
                   for (int i = 0; i < 1000; ++i)
                       MovementWriter::post(c, {{QStringLiteral("nakit_id"), keyOf(i)}},
                                            {{QStringLiteral("cari_kodu"), busiest},
                                             {QStringLiteral("cari_hesap_adi"), QStringLiteral("Kasa")},
                                             {QStringLiteral("borc_tutari"), 100.0 + i},
                                             {QStringLiteral("doviz_cinsi"), QStringLiteral("TL")},
                                             {QStringLiteral("islem_tarihi"), QDate(lastYear, 5, 1)},
                                             {QStringLiteral("aciklama"), QStringLiteral("Kasa tahsilatı")}});
                   tx.rollback();
               },
               [&] {
                   sqlite3 *w = nullptr;
                   sqlite3_open(cashFile.toUtf8().constData(), &w);
                   sqlite3_exec(w, "BEGIN", nullptr, nullptr, nullptr);
                   sqlite3_stmt *find = nullptr, *upd = nullptr, *ins = nullptr;
                   sqlite3_prepare_v2(w, "SELECT chid FROM carihareket WHERE nakit_id=? ORDER BY chid LIMIT 1", -1, &find, nullptr);
                   sqlite3_prepare_v2(w, "UPDATE carihareket SET cari_kodu=?,cari_hesap_adi=?,borc_tutari=?,doviz_cinsi=?,"
                                         "islem_tarihi=?,aciklama=? WHERE chid=?", -1, &upd, nullptr);
                   sqlite3_prepare_v2(w, "INSERT INTO carihareket (cari_kodu,cari_hesap_adi,borc_tutari,doviz_cinsi,islem_tarihi,"
                                         "aciklama,nakit_id) VALUES (?,?,?,?,?,?,?)", -1, &ins, nullptr);
                   const QByteArray code = busiest.toUtf8(), day = QDate(lastYear, 5, 1).toString(Qt::ISODate).toUtf8();
                   const QByteArray name = QStringLiteral("Kasa").toUtf8(), memo = QStringLiteral("Kasa tahsilatı").toUtf8();
                   for (int i = 0; i < 1000; ++i) {
                       sqlite3_bind_int64(find, 1, keyOf(i));
                       const long long chid = sqlite3_step(find) == SQLITE_ROW ? sqlite3_column_int64(find, 0) : 0;
                       sqlite3_reset(find);
                       sqlite3_stmt *s = chid ? upd : ins;
                       sqlite3_bind_text(s, 1, code.constData(), -1, SQLITE_STATIC);
                       sqlite3_bind_text(s, 2, name.constData(), -1, SQLITE_STATIC);
                       sqlite3_bind_double(s, 3, 100.0 + i);
                       sqlite3_bind_text(s, 4, "TL", -1, SQLITE_STATIC);
                       sqlite3_bind_text(s, 5, day.constData(), -1, SQLITE_STATIC);
                       sqlite3_bind_text(s, 6, memo.constData(), -1, SQLITE_STATIC);
                       sqlite3_bind_int64(s, 7, chid ? chid : keyOf(i));
                       sqlite3_step(s);
                       sqlite3_reset(s);
                   }
                   sqlite3_finalize(find);
                   sqlite3_finalize(upd);
                   sqlite3_finalize(ins);
                   sqlite3_exec(w, "ROLLBACK", nullptr, nullptr, nullptr);
                   sqlite3_close(w);
               });
        (void)sink;
    }
    {
        // The calculator: the line step and the results over 5,000 lines, beside the
        // same arithmetic on plain numbers; a 5,000-line file written and read back
        // (checked item by item), beside the same bytes written and read.
        const QDate h(2024, 3, 1);
        QVector<QStringList> lines;
        for (int i = 0; i < 5000; ++i) {
            QStringList r(VadeFark::ColumnCount);
            r[VadeFark::ColNo] = QString::number(i + 1);
            r[VadeFark::ColVade] = h.addDays(i % 400 - 100).toString(QStringLiteral("dd.MM.yyyy"));
            r[VadeFark::ColAciklama] = QStringLiteral("Fatura %1, mart").arg(i);
            r[i % 3 ? VadeFark::ColBorc : VadeFark::ColAlacak] = QString::number(1000 + i);
            lines << r;
        }
        report("calculator_recalc_5000",
               [&] {
                   VadeFark::Params p;
                   p.hesapTarihi = h;
                   p.yillikFaiz = QStringLiteral("24");
                   QVector<QStringList> rows = lines;
                   for (QStringList &r : rows) VadeFark::calculateLine(r, p);
                   VadeFark::calculateResults(rows, h, {}, {});
               },
               [&] {
                   double sum = 0;
                   for (int i = 0; i < 5000; ++i) {
                       const double days = double(i % 400 - 100 + 0), amount = 1000.0 + i;
                       sum += -(24.0 * amount * days) / 36500.0;
                   }
                   if (sum == 1) std::printf(" ");
               });
        const QString fdv = home.filePath(QStringLiteral("bench.fdv"));
        VadeFark::Sheet sheet;
        sheet.hesapTarihi = h;
        sheet.rows = lines;
        const QStringList fileText = VadeFark::fileLines(sheet);
        report("calculator_file_5000",
               [&] {
                   VadeFark::writeFile(fdv, fileText);
                   QString message;
                   if (!VadeFark::readFile(fdv, &message)) std::fprintf(stderr, "fdv: %s\n", qPrintable(message));
               },
               [&] {
                   QFile out(fdv);
                   out.open(QIODevice::WriteOnly);
                   out.write(fileText.join(QStringLiteral("\r\n")).toUtf8());
                   out.close();
                   QFile in(fdv);
                   in.open(QIODevice::ReadOnly);
                   if (in.readAll().isEmpty()) std::printf(" ");
               });
    }
    // Saving an exit slip of 200 portfolio cheques (recalculation included) against
    // the bare inserts of the 200 given rows, the updates of the 200 received
    // cheques, the header and the movement, one transaction per file. Every run
    // gives out 200 cheques not given out before.
    {
        DataContext &ctx = DataContext::instance();
        const QString code = QStringLiteral("C0001");
        Query card(&ctx.ADOConnection1);
        card.sql() << QStringLiteral("SELECT firma_adi FROM firma WHERE firma_kodu='C0001'");
        card.open();
        const QString name = card.field(QStringLiteral("firma_adi")).asString();
        Table slips(&ctx.ADOConnection1, QStringLiteral("cikisbordro"), QStringLiteral("PrimaryKey"));
        Table given(&ctx.ADOConnection1, QStringLiteral("cekciro"), QStringLiteral("cek_tarihi"));
        Table received(&ctx.ADOConnection1, QStringLiteral("cekgiris"), QStringLiteral("cek_tarihi"));
        Table own(&ctx.ADOConnection1, QStringLiteral("cekkendi"), QStringLiteral("PrimaryKey"));
        const QDate slipDate(lastYear, 3, 1);
        const int rounds = std::max(1, qEnvironmentVariableIntValue("BENCH_ROUNDS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 5);
        Query portfolio(&ctx.ADOConnection1);
        portfolio.sql() << QStringLiteral("SELECT * FROM cekgiris WHERE cek_ciro_id IS NULL AND cek_tahsilat_tarihi IS NULL "
                                          "AND cek_iade_tarihi IS NULL AND cek_karsiliklsiz_tarihi IS NULL "
                                          "AND cek_ciro_tarihi IS NULL AND para_birimi='TL'")
                        << QStringLiteral("LIMIT ") + QString::number(200 * (rounds + 1));
        portfolio.open();
        std::vector<QVector<QStringList>> slipsToSave;
        QVector<qint64> keys;
        for (portfolio.first(); !portfolio.eof(); portfolio.next()) {
            if (slipsToSave.empty() || slipsToSave.back().size() == 200) slipsToSave.emplace_back();
            QStringList r(ExitSlip::ExitColumnCount);
            r[EntrySlip::ColNo] = QString::number(slipsToSave.back().size() + 1);
            ExitSlip::fillFromReceived(r, portfolio);
            slipsToSave.back() << r;
            keys << portfolio.field(QStringLiteral("cek_ind")).asInteger();
        }
        size_t next = 0;
        if (slipsToSave.size() < size_t(rounds + 1) || slipsToSave.back().size() < 200) {
            std::fprintf(stderr, "exit_slip_save_200: too few portfolio cheques\n");
        } else {
            report("exit_slip_save_200",
                   [&] {
                       ExitSlip::Header h;
                       h.slipDate = slipDate;
                       h.code = code;
                       h.name = name;
                       h.exitType = 1;
                       EntrySlip::Params p;
                       p.slipDate = slipDate;
                       p.yillikFaiz = QStringLiteral("36");
                       QVector<QStringList> rows = slipsToSave[next++ % slipsToSave.size()];
                       QStringList last(ExitSlip::ExitColumnCount);
                       last[EntrySlip::ColNo] = QString::number(rows.size() + 1);
                       rows << last;
                       const auto result = ExitSlip::saveSlip(h, p, rows, ExitSlip::Datasets{slips, given, received, own});
                       if (!result.saved) std::fprintf(stderr, "exit save: %s\n", qPrintable(result.message));
                   },
                   [&] {
                       sqlite3 *db = nullptr, *kdb = nullptr;
                       sqlite3_open(file.toUtf8().constData(), &db);
                       sqlite3_open(cashFile.toUtf8().constData(), &kdb);
                       sqlite3_busy_timeout(db, 100000);
                       sqlite3_busy_timeout(kdb, 100000);
                       sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
                       sqlite3_stmt *h = nullptr, *g = nullptr, *u = nullptr;
                       sqlite3_prepare_v2(db, "INSERT INTO cikisbordro (islem_tarihi, ciro_firma_kodu, ciro_firma, toplam_tutari) VALUES (?,?,?,?)", -1, &h, nullptr);
                       sqlite3_bind_text(h, 1, "2026-03-01", -1, SQLITE_STATIC);
                       sqlite3_bind_text(h, 2, "C0001", -1, SQLITE_STATIC);
                       sqlite3_bind_text(h, 3, "x", -1, SQLITE_STATIC);
                       sqlite3_bind_double(h, 4, 1.0);
                       sqlite3_step(h);
                       sqlite3_finalize(h);
                       const qint64 slip = sqlite3_last_insert_rowid(db);
                       sqlite3_prepare_v2(db, "INSERT INTO cekciro (ciro_bordro_ind, ciro_firma, Ciro_firma_kodu, islem_tarihi, cek_tarihi, "
                                              "cek_tutari, cek_gun, cek_vade_farki, cek_masraf, cek_net_tutar, cek_adat, ceki_duzenleyen, "
                                              "cek_bankasi, cek_no, alindigi_firma, cek_alindigi_tarihi, cek_banka_id, alindigi_firma_kodu, "
                                              "aciklama, cek_giris_id, cekTL_karsiligi, para_birimi, cek_doviz_kuru) "
                                              "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)", -1, &g, nullptr);
                       sqlite3_prepare_v2(db, "UPDATE cekgiris SET cek_ciro_kime=?, cek_ciro_id=?, cek_ciro_tarihi=?, cek_banka_id=? "
                                              "WHERE cek_ind=?", -1, &u, nullptr);
                       for (int i = 0; i < 200; ++i) {
                           sqlite3_bind_int64(g, 1, slip);
                           sqlite3_bind_text(g, 2, "x", -1, SQLITE_STATIC);
                           sqlite3_bind_text(g, 3, "C0001", -1, SQLITE_STATIC);
                           sqlite3_bind_text(g, 4, "2026-03-01", -1, SQLITE_STATIC);
                           sqlite3_bind_text(g, 5, "2026-04-01", -1, SQLITE_STATIC);
                           for (int k = 6; k <= 11; ++k) sqlite3_bind_double(g, k, 1000.0 + i);
                           for (int k = 12; k <= 15; ++k) sqlite3_bind_text(g, k, "Düzenleyen", -1, SQLITE_STATIC);
                           sqlite3_bind_text(g, 16, "2026-02-01", -1, SQLITE_STATIC);
                           sqlite3_bind_int(g, 17, 1);
                           sqlite3_bind_text(g, 18, "C0002", -1, SQLITE_STATIC);
                           sqlite3_bind_text(g, 19, "", -1, SQLITE_STATIC);
                           sqlite3_bind_int64(g, 20, keys[i]);
                           sqlite3_bind_double(g, 21, 1000.0);
                           sqlite3_bind_text(g, 22, "TL", -1, SQLITE_STATIC);
                           sqlite3_bind_double(g, 23, 1.0);
                           sqlite3_step(g);
                           sqlite3_reset(g);
                           sqlite3_bind_text(u, 1, "x", -1, SQLITE_STATIC);
                           sqlite3_bind_int64(u, 2, slip);
                           sqlite3_bind_text(u, 3, "2026-03-01", -1, SQLITE_STATIC);
                           sqlite3_bind_int(u, 4, 1);
                           sqlite3_bind_int64(u, 5, keys[i]);
                           sqlite3_step(u);
                           sqlite3_reset(u);
                       }
                       sqlite3_finalize(g);
                       sqlite3_finalize(u);
                       sqlite3_exec(kdb, "BEGIN; INSERT INTO carihareket (cari_kodu, borc_tutari, cek_ciro_id) VALUES ('C0001', 1, 1); COMMIT;",
                                    nullptr, nullptr, nullptr);
                       if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
                           std::fprintf(stderr, "bare exit save: %s\n", sqlite3_errmsg(db));
                           std::exit(1);
                       }
                       sqlite3_close(kdb);
                       sqlite3_close(db);
                   });
        }
    }
    // The cash register view opened on the newest year under "Hepsi": the day list,
    // the opening balance, the day's sums and the per-currency summary of the newest
    // day, the whole cash table and the day's movements; bare: the same statements
    // (the summary written with CASE) and the same ordered key scans and day rows.
    {
        const QStringList days = CashStatements::dayList(QString());
        QDate newest;
        {
            Connection c;
            c.setConnectionString(ConnectionString::build(cashFile));
            c.open();
            Query q(&c);
            q.sql() = days;
            q.open();
            newest = q.field(QStringLiteral("islem_tarihi")).asDate();
        }
        const QString iso = newest.toString(Qt::ISODate);
        report("cash_view_open_hepsi",
               [&] {
                   Connection c;
                   c.setConnectionString(ConnectionString::build(cashFile));
                   c.open();
                   Query dayList(&c), opening(&c), day(&c), summary(&c);
                   dayList.sql() = days;
                   dayList.open();
                   const QDate d = dayList.field(QStringLiteral("islem_tarihi")).asDate();
                   opening.sql() = CashStatements::opening(kHepsi, d);
                   opening.open();
                   day.sql() = CashStatements::dayTotals(kHepsi, d);
                   day.open();
                   summary.sql() = CashStatements::currencySummary(d);
                   summary.open();
                   Table all(&c, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
                   all.open();
                   Table rows(&c, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
                   rows.setMasterLink(QStringLiteral("islem_tarihi"), d);
                   rows.open();
                   for (int i = 0; i < rows.recordCount(); ++i) rows.valueAt(i, 0);
               },
               [&] {
                   const QString at = u'\'' + iso + u'\'';
                   bareRun(cashFile,
                           {QStringLiteral("SELECT islem_tarihi FROM nakit GROUP BY islem_tarihi ORDER BY islem_tarihi DESC"),
                            QStringLiteral("SELECT SUM(borc_tutar), SUM(alacak_tutar) FROM nakit WHERE islem_tarihi<") + at,
                            QStringLiteral("SELECT SUM(borc_tutar), SUM(alacak_tutar) FROM nakit WHERE islem_tarihi=") + at,
                            QStringLiteral("SELECT doviz_cinsi, SUM(CASE WHEN islem_tarihi<%1 AND borc_tutar>0 THEN borc_tutar ELSE 0 END)"
                                           "-SUM(CASE WHEN islem_tarihi<%1 AND alacak_tutar>0 THEN alacak_tutar ELSE 0 END),"
                                           "SUM(CASE WHEN islem_tarihi=%1 THEN borc_tutar ELSE 0 END),"
                                           "SUM(CASE WHEN islem_tarihi=%1 THEN alacak_tutar ELSE 0 END) FROM nakit GROUP BY doviz_cinsi")
                                .arg(at),
                            QStringLiteral("SELECT rowid FROM nakit ORDER BY islem_tarihi, rowid"),
                            QStringLiteral("SELECT rowid FROM nakit WHERE islem_tarihi=%1 ORDER BY islem_tarihi, rowid").arg(at),
                            QStringLiteral("SELECT * FROM nakit WHERE islem_tarihi=%1 ORDER BY islem_tarihi, rowid").arg(at)});
               });
    }

    // One cash entry for an account saved with its mirror movement, in one
    // transaction; bare: the same two inserts in one transaction.
    {
        DataContext &ctx = DataContext::instance();
        Table nakit(&ctx.kasaConnection, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
        nakit.open();
        const QDate day(lastYear, 3, 1);
        const CashRowWriter::Fields values{{QStringLiteral("islem_tarihi"), day},
                                           {QStringLiteral("doviz_cinsi"), QStringLiteral("TL")},
                                           {QStringLiteral("doviz_kuru"), 1.0},
                                           {QStringLiteral("borc_tutar"), 1000.0},
                                           {QStringLiteral("doviz_borc"), 1000.0},
                                           {QStringLiteral("firmakodu"), QStringLiteral("C0001")},
                                           {QStringLiteral("firmaadi"), QStringLiteral("Müşteri")},
                                           {QStringLiteral("aciklama"), QStringLiteral("Peşin tahsilat")}};
        report("cash_save_with_mirror", [&] { CashRowWriter::write(nakit, {}, values); },
               [&] {
                   sqlite3 *db = nullptr;
                   sqlite3_open(cashFile.toUtf8().constData(), &db);
                   sqlite3_busy_timeout(db, 100000);
                   sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
                   sqlite3_exec(db, "INSERT INTO nakit (islem_tarihi, doviz_cinsi, doviz_kuru, borc_tutar, doviz_borc, firmakodu, "
                                    "firmaadi, aciklama) VALUES ('2026-03-01','TL',1,1000,1000,'C0001','Müşteri','Peşin tahsilat')",
                                nullptr, nullptr, nullptr);
                   const QByteArray mirror = QStringLiteral(
                       "INSERT INTO carihareket (nakit_id, islem_tarihi, vade_tarihi, cari_kodu, cari_hesap_adi, doviz_cinsi, "
                       "doviz_kuru, alacak_tutari, aciklama) VALUES (%1,'2026-03-01','2026-03-01','C0001','Müşteri','TL',1,1000,"
                       "'Peşin tahsilat')").arg(sqlite3_last_insert_rowid(db)).toUtf8();
                   sqlite3_exec(db, mirror.constData(), nullptr, nullptr, nullptr);
                   if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
                       std::fprintf(stderr, "bare cash save: %s\n", sqlite3_errmsg(db));
                       std::exit(1);
                   }
                   sqlite3_close(db);
               });
    }
    // 100 collections in a row with the cash box: the cheque updated and its cash
    // row found by cekid, updated or inserted, each committed in both files; bare:
    // the same statements on one handle with the cash file attached.
    {
        DataContext &ctx = DataContext::instance();
        Table cheques(&ctx.ADOConnection1, QStringLiteral("cekgiris"), QStringLiteral("cek_tarihi"));
        Table nakit(&ctx.kasaConnection, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
        const QDate day(ctx.calismaYili, 3, 2);
        const QString cashFile = ProgramHome::path(DataContext::cashFileName(QStringLiteral("BENCH"), ctx.calismaYili));
        // The first hundred cheques still in the portfolio (and held by no exit
        // slip): an operation refuses the others, as it must.
        QVector<qint64> portfolio;
        {
            Query q(&ctx.ADOConnection1);
            q.reopen({QStringLiteral("SELECT cek_ind FROM cekgiris WHERE ") + ChequeState::receivedCondition(ChequeState::Received::Portfolio),
                      QStringLiteral("AND cek_ind NOT IN (SELECT cek_giris_id FROM cekciro WHERE cek_iade_tarihi IS NULL "
                                     "AND cek_giris_id IS NOT NULL) ORDER BY cek_ind LIMIT 100")});
            for (q.first(); !q.eof(); q.next()) portfolio << q.value(0).toLongLong();
        }
        report("collection_100",
               [&] {
                   for (qint64 key : portfolio) {
                       ChequeOperation::Values v;
                       v.para = QStringLiteral("USD");
                       v.tutar = QStringLiteral("1.000,00");
                       v.girisTL = QStringLiteral("30.000,00");
                       v.kuru = QStringLiteral("32,5");
                       v.kayitNo = QString::number(key);
                       v.bankasi = QStringLiteral("Ziraat");
                       v.cekNo = QString::number(500000 + key);
                       v.vadesi = day.addDays(30);
                       v.tarih = day;
                       const auto r = ChequeOperation::collect(v, cheques, nakit);
                       if (!r.done) {
                           std::fprintf(stderr, "collect: %s\n", qPrintable(r.message));
                           std::exit(1);
                       }
                   }
               },
               [&] {
                   sqlite3 *db = nullptr;
                   sqlite3_open(file.toUtf8().constData(), &db);
                   sqlite3_busy_timeout(db, 100000);
                   const QByteArray attach = ("ATTACH DATABASE '" + cashFile + "' AS k").toUtf8();
                   sqlite3_exec(db, attach.constData(), nullptr, nullptr, nullptr);
                   sqlite3_stmt *upd = nullptr, *find = nullptr, *edit = nullptr, *add = nullptr;
                   sqlite3_prepare_v2(db, "UPDATE cekgiris SET cek_tahsilat_tarihi=?, cek_tahsil_kuru=?, cek_tahsil_TL=?, "
                                          "cek_kur_farki=? WHERE cek_ind=?", -1, &upd, nullptr);
                   sqlite3_prepare_v2(db, "SELECT nid FROM k.nakit WHERE cekid=? ORDER BY nid LIMIT 1", -1, &find, nullptr);
                   sqlite3_prepare_v2(db, "UPDATE k.nakit SET islem_tarihi=?, doviz_kuru=?, doviz_cinsi=?, borc_tutar=?, "
                                          "doviz_borc=?, aciklama=?, neden=? WHERE nid=?", -1, &edit, nullptr);
                   sqlite3_prepare_v2(db, "INSERT INTO k.nakit (islem_tarihi, doviz_kuru, doviz_cinsi, borc_tutar, doviz_borc, "
                                          "aciklama, neden, cekid) VALUES (?,?,?,?,?,?,?,?)", -1, &add, nullptr);
                   const QByteArray date = day.toString(Qt::ISODate).toUtf8();
                   for (qint64 key : portfolio) {
                       sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
                       sqlite3_bind_text(upd, 1, date.constData(), -1, SQLITE_STATIC);
                       sqlite3_bind_double(upd, 2, 32.5);
                       sqlite3_bind_double(upd, 3, 32500.0);
                       sqlite3_bind_double(upd, 4, 2500.0);
                       sqlite3_bind_int64(upd, 5, key);
                       sqlite3_step(upd);
                       sqlite3_reset(upd);
                       sqlite3_bind_int64(find, 1, key);
                       const bool found = sqlite3_step(find) == SQLITE_ROW;
                       const qint64 nid = found ? sqlite3_column_int64(find, 0) : 0;
                       sqlite3_reset(find);
                       const QByteArray text = QStringLiteral("Ziraat %1 %2 Vadeli Çek Tahsilatı")
                                                   .arg(500000 + key).arg(day.addDays(30).toString(QStringLiteral("dd.MM.yyyy"))).toUtf8();
                       sqlite3_stmt *w = found ? edit : add;
                       sqlite3_bind_text(w, 1, date.constData(), -1, SQLITE_STATIC);
                       sqlite3_bind_double(w, 2, 32.5);
                       sqlite3_bind_text(w, 3, "USD", -1, SQLITE_STATIC);
                       sqlite3_bind_double(w, 4, 1000.0);
                       sqlite3_bind_double(w, 5, 32500.0);
                       sqlite3_bind_text(w, 6, text.constData(), -1, SQLITE_STATIC);
                       sqlite3_bind_text(w, 7, "PORTFÖYDEN ÇEK NAKİT TAHSİLAT", -1, SQLITE_STATIC);
                       sqlite3_bind_int64(w, 8, found ? nid : key);
                       sqlite3_step(w);
                       sqlite3_reset(w);
                       if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
                           std::fprintf(stderr, "bare collection: %s\n", sqlite3_errmsg(db));
                           std::exit(1);
                       }
                   }
                   for (sqlite3_stmt *st : {upd, find, edit, add}) sqlite3_finalize(st);
                   sqlite3_close(db);
               });
    }
    // The received cheque list's printout over 10,000 rows: preparing its pages, and
    // from the prepared pages to the preview's first page on the screen (the window
    // built, shown and its first page drawn); bare: the same rows read with the C API.
    {
        Connection c;
        c.setConnectionString(ConnectionString::build(file));
        c.open();
        const QStringList listSql = {QStringLiteral("SELECT * FROM cekgiris"), QStringLiteral("ORDER BY cek_ind ASC LIMIT 10000;")};
        Query list(&c, QStringLiteral("eldekiceklerQuery"));
        list.sql() = listSql;
        list.open();
        Query total(&c, QStringLiteral("ceklertoplamQuery"));
        total.sql() << QStringLiteral("SELECT SUM(cek_tutari) AS Cek_Toplami FROM (SELECT cek_tutari FROM cekgiris ORDER BY cek_ind LIMIT 10000)");
        total.open();
        Table firma(&c, QStringLiteral("firmabilgileri"));
        firma.open();
        Report printout(cekVeSenetListesiLayout());
        printout.registerDataset(QStringLiteral("eldekiceklerQuery"), &list);
        printout.registerDataset(QStringLiteral("ceklertoplamQuery"), &total);
        printout.registerDataset(QStringLiteral("firmabilgileri"), &firma);
        const auto bare = [&] { bareRun(file, {listSql.join(u' ')}); };
        report("report_prepare_10000", [&] { printout.prepare(); }, bare);
        const PreparedReport pages = printout.prepare();
        report("preview_first_page_10000",
               [&] {
                   TRaporOnizlemeF preview(pages);
                   bool painted = false;
                   QObject::connect(preview.previewWidget(), &PageView::pagePainted, [&painted](int) { painted = true; });
                   preview.show();
                   QElapsedTimer guard;
                   guard.start();
                   while (!painted && guard.elapsed() < 10000) QCoreApplication::processEvents();
                   if (!painted) std::fprintf(stderr, "preview: the first page was not drawn\n");
               },
               bare);
    }
    // A 10,000-row account statement of the movements window: preparing its pages
    // (the account's four lists rebuilt, the running balance included), and from
    // the click to its preview's first page on the screen; bare: the period's rows
    // read with the C API. The account's rows are added for the figure and taken
    // away after it.
    {
        DataContext &ctx = DataContext::instance();
        ctx.aktifSirketKodu = company.code;
        if (!ctx.ADOConnection1.isOpen()) {
            ctx.ADOConnection1.setConnectionString(ConnectionString::build(file));
            ctx.ADOConnection1.open();
        }
        ctx.kasaConnection.close();
        sqlite3 *db = nullptr;
        sqlite3_open(cashFile.toUtf8().constData(), &db);
        const auto exec = [db](const QString &sql) {
            if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                std::fprintf(stderr, "statement rows: %s\n", sqlite3_errmsg(db));
        };
        exec(QStringLiteral("BEGIN"));
        exec(QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM k WHERE i<9999) "
                            "INSERT INTO carihareket (cari_kodu, cari_hesap_adi, borc_tutari, alacak_tutari, doviz_cinsi, "
                            "islem_tarihi, vade_tarihi, aciklama) SELECT 'EKSTRE10K', 'Ekstre Hesabı', "
                            "CASE WHEN i%3 THEN 1250.5+i ELSE NULL END, CASE WHEN i%3 THEN NULL ELSE 980.25+i END, "
                            "CASE WHEN i%7 THEN 'TL' ELSE 'USD' END, date('%1-01-02', '+'||(i%360)||' days'), "
                            "date('%1-02-01', '+'||(i%300)||' days'), 'Fatura '||i FROM k").arg(lastYear));
        exec(QStringLiteral("COMMIT"));
        kasadegistir(lastYear);
        {
            TcarihareketF ledger;
            ledger.ilktarihDate->setDate(QDate(lastYear, 1, 1));
            ledger.sontarihiDate->setDate(QDate(lastYear, 12, 31));
            ledger.gununtarihiDate->setDate(QDate(lastYear, 12, 31));
            ledger.FirmaAyarla();
            if (!ledger.ffQuery1->locate(QStringLiteral("cari_kodu"), QStringLiteral("EKSTRE10K")))
                std::fprintf(stderr, "statement: the account is not listed\n");
            const QStringList period = Ledger::periodStatement(QStringLiteral("EKSTRE10K"), QDate(lastYear, 1, 1),
                                                               QDate(lastYear, 12, 31), QStringLiteral("Hepsi"));
            const auto bare = [&] { bareRun(cashFile, {sqlite(period)}); };
            report("statement_prepare_10000", [&] { ledger.statementPrintout().prepare(); }, bare);
            report("statement_first_page_10000",
                   [&] {
                       TRaporOnizlemeF preview(ledger.statementPrintout().prepare());
                       bool painted = false;
                       QObject::connect(preview.previewWidget(), &PageView::pagePainted, [&painted](int) { painted = true; });
                       preview.show();
                       QElapsedTimer guard;
                       guard.start();
                       while (!painted && guard.elapsed() < 10000) QCoreApplication::processEvents();
                       if (!painted) std::fprintf(stderr, "statement preview: the first page was not drawn\n");
                   },
                   bare);
        }
        ctx.kasaConnection.close();
        exec(QStringLiteral("DELETE FROM carihareket WHERE cari_kodu='EKSTRE10K'"));
        sqlite3_close(db);
        kasadegistir(lastYear);
    }
    // "YENİLE" of the bank report over the three years, every bank: the bank choice,
    // the list (with its TL value and the due-date record filter, as the window
    // has them), the totals per bank and currency and per currency.
    {
        const BankReport::Statements s = BankReport::build(from, to, BankReport::kAllBanks);
        report("bank_report_yenile_3y",
               [&] {
                   Connection c;
                   c.setConnectionString(ConnectionString::build(file));
                   c.open();
                   Query banks(&c), list(&c), perBank(&c), perCurrency(&c);
                   list.addCalculatedField(QStringLiteral("TLkarsiligi"), FieldType::Double, [](const Record &r) {
                       return QVariant(BankReport::tlValue(r.asString(QStringLiteral("para_birimi")),
                                                           r.asFloat(QStringLiteral("cek_tutari")),
                                                           r.asFloat(QStringLiteral("cek_doviz_kuru"))));
                   });
                   list.setFilter([&](const Record &r) {
                       const QDate due = r.asDate(QStringLiteral("cek_tarihi"));
                       return due >= from && due <= to;
                   });
                   list.setFiltered(true);
                   banks.reopen(s.banks);
                   list.reopen(s.list);
                   perBank.reopen(s.perBank);
                   perCurrency.reopen(s.perCurrency);
                   if (list.recordCount() == 0) std::fprintf(stderr, "bank report: no cheques at banks\n");
               },
               [&] { bareRun(file, {sqlite(s.banks), sqlite(s.list), sqlite(s.perBank), sqlite(s.perCurrency)}); });
    }

    // The slip registers' work on slips of 200 cheques, and the entry slip register's
    // filter over every entry slip of the generated company.
    {
        DataContext &ctx = DataContext::instance();
        const int rounds = std::max(1, qEnvironmentVariableIntValue("BENCH_ROUNDS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 5);
        sqlite3 *db = nullptr, *kdb = nullptr;
        sqlite3_open(file.toUtf8().constData(), &db);
        sqlite3_open(cashFile.toUtf8().constData(), &kdb);
        sqlite3_busy_timeout(db, 100000);
        sqlite3_busy_timeout(kdb, 100000);
        const auto exec = [](sqlite3 *h, const QString &sql) {
            if (sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
                std::fprintf(stderr, "bench setup: %s\n", sqlite3_errmsg(h));
                std::exit(1);
            }
            return sqlite3_last_insert_rowid(h);
        };
        const QString slipDay = QDate(lastYear, 3, 1).toString(Qt::ISODate);

        // An entry slip of 200 portfolio cheques, loaded into the slip's cells and
        // header; bare: the header, the cheques in due-date order and the card read.
        exec(db, QStringLiteral("BEGIN"));
        const qint64 entry = exec(db, QStringLiteral("INSERT INTO cekbordro (islem_tarihi, alindigi_firma_kodu, alindigi_firma, "
                                                     "para_birimi, doviz_kuru, toplam_tutari) VALUES ('%1','C0001','x','USD',30,200000)")
                                          .arg(slipDay));
        for (int i = 0; i < 200; ++i)
            exec(db, QStringLiteral("INSERT INTO cekgiris (bordro_ind, alindigi_firma_kodu, alindigi_firma, islem_tarihi, cek_tarihi, "
                                    "cek_tutari, cek_gun, cek_vade_farki, cek_masraf, cek_net_tutar, ceki_duzenleyen, cek_adat, "
                                    "cek_bankasi, cek_subesi, cek_hesap_no, cek_no, para_birimi, cek_doviz_kuru) VALUES "
                                    "(%1,'C0001','x','%2','%3',%4,30,10,2,%4,'Düzenleyen %5',30000,'Ziraat','Konak','12345','%6','USD',30)")
                         .arg(entry).arg(slipDay, QDate(lastYear, 4, 1).addDays(i).toString(Qt::ISODate))
                         .arg(1000 + i).arg(i).arg(700000 + i));
        exec(db, QStringLiteral("COMMIT"));
        const QStringList entryCheques =
            ChequeList::slipList(ChequeList::receivedShape(), QString::number(entry), QStringLiteral("cek_tarihi"));
        report("entry_slip_load_200",
               [&] {
                   const EntrySlip::LoadedSlip l = EntrySlip::loadSlip(ctx.ADOConnection1, entry);
                   if (l.rows.size() != 200) std::fprintf(stderr, "entry load: %d rows\n", int(l.rows.size()));
               },
               [&] {
                   bareRun(file, {QStringLiteral("SELECT * FROM cekbordro WHERE bordro_ind=%1;").arg(entry), sqlite(entryCheques),
                                  QStringLiteral("SELECT * FROM firma WHERE firma_kodu='C0001';")});
               });

        // Exit slips of 200 portfolio cheques with their debit, cancelled: the cheques
        // back in the portfolio, the given rows, the slip and the movement gone. Each
        // run cancels a slip of its own; bare: the same reads and writes, one
        // transaction per file.
        QVector<qint64> exitSlips;
        exec(db, QStringLiteral("BEGIN"));
        exec(kdb, QStringLiteral("BEGIN"));
        for (int k = 0; k < 2 * (rounds + 1); ++k) {
            const qint64 slip = exec(db, QStringLiteral("INSERT INTO cikisbordro (islem_tarihi, ciro_firma_kodu, ciro_firma, para_birimi, "
                                                        "toplam_tutari) VALUES ('%1','S0001','y','TL',200000)").arg(slipDay));
            for (int i = 0; i < 200; ++i) {
                const qint64 cheque = exec(db, QStringLiteral("INSERT INTO cekgiris (cek_tarihi, cek_tutari, para_birimi, "
                                                              "cek_ciro_id, cek_ciro_kime, cek_ciro_tarihi) VALUES ('%1',1000,'TL',%2,'y','%1')")
                                                   .arg(slipDay).arg(slip));
                exec(db, QStringLiteral("INSERT INTO cekciro (ciro_bordro_ind, cek_giris_id, cek_tutari, cek_tarihi, para_birimi, "
                                        "cek_banka_id) VALUES (%1,%2,1000,'%3','TL',1)").arg(slip).arg(cheque).arg(slipDay));
            }
            exec(kdb, QStringLiteral("INSERT INTO carihareket (cari_kodu, islem_tarihi, borc_tutari, cek_ciro_id) "
                                     "VALUES ('S0001','%1',200000,%2)").arg(slipDay).arg(slip));
            exitSlips << slip;
        }
        exec(db, QStringLiteral("COMMIT"));
        exec(kdb, QStringLiteral("COMMIT"));
        int ours = 0, bare = 1;
        report("exit_slip_cancel_200",
               [&] {
                   const ExitSlip::CancelResult r = ExitSlip::cancelSlip(exitSlips[ours]);
                   ours += 2;
                   if (!r.cancelled || r.returned != 200 || !r.slipDeleted) std::fprintf(stderr, "exit cancel failed\n");
               },
               [&] {
                   const QString n = QString::number(exitSlips[bare]);
                   bare += 2;
                   bareRun(file, {QStringLiteral("SELECT bordro_ind, islem_tarihi, toplam_tutari FROM cikisbordro WHERE bordro_ind=") + n,
                                  QStringLiteral("SELECT ciro_cek_ind, cek_giris_id, cek_tutari FROM cekciro WHERE ciro_bordro_ind=") + n,
                                  QStringLiteral("SELECT COUNT(*) AS n FROM cekkendi WHERE bordro_ind=") + n});
                   bareRun(cashFile, {QStringLiteral("SELECT COUNT(*) AS n FROM carihareket WHERE cek_ciro_id=") + n});
                   sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
                   sqlite3_exec(kdb, "BEGIN", nullptr, nullptr, nullptr);
                   sqlite3_stmt *keys = nullptr, *upd = nullptr;
                   sqlite3_prepare_v2(db, ("SELECT cek_giris_id FROM cekciro WHERE ciro_bordro_ind=" + n).toUtf8().constData(), -1,
                                      &keys, nullptr);
                   sqlite3_prepare_v2(db, ("UPDATE cekgiris SET cek_ciro_id=NULL, cek_ciro_kime=NULL, cek_ciro_tarihi=NULL "
                                           "WHERE cek_ind=? AND cek_ciro_id=" + n).toUtf8().constData(), -1, &upd, nullptr);
                   while (sqlite3_step(keys) == SQLITE_ROW) {
                       sqlite3_bind_int64(upd, 1, sqlite3_column_int64(keys, 0));
                       sqlite3_step(upd);
                       sqlite3_reset(upd);
                   }
                   sqlite3_finalize(keys);
                   sqlite3_finalize(upd);
                   sqlite3_exec(db, ("DELETE FROM cekciro WHERE ciro_bordro_ind=" + n).toUtf8().constData(), nullptr, nullptr, nullptr);
                   sqlite3_exec(db, ("DELETE FROM cikisbordro WHERE bordro_ind=" + n).toUtf8().constData(), nullptr, nullptr, nullptr);
                   sqlite3_exec(kdb, ("DELETE FROM carihareket WHERE cek_ciro_id=" + n).toUtf8().constData(), nullptr, nullptr, nullptr);
                   sqlite3_exec(kdb, "COMMIT", nullptr, nullptr, nullptr);
                   if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
                       std::fprintf(stderr, "bare cancel: %s\n", sqlite3_errmsg(db));
                       std::exit(1);
                   }
               });

        // The entry slip register filtered by an account name's beginning and the
        // slip dates of the last year: every entry slip read in date order with its
        // days left, the record filter deciding per slip; bare: the same rows read in
        // the same order and the same conditions decided per row.
        Query slipCount(&ctx.ADOConnection1);
        slipCount.reopen({QStringLiteral("SELECT COUNT(*) AS n, MIN(alindigi_firma) AS ad FROM cekbordro")});
        const QString prefix = slipCount.field(QStringLiteral("ad")).asString().left(3);
        SlipRegister::Filter f;
        f.byName = true;
        f.name = prefix;
        f.byDate = true;
        f.from = QDate(lastYear, 1, 1);
        f.to = QDate(lastYear, 12, 31);
        const QDate today = QDate::currentDate();
        long long shown = 0;
        const qint64 slipsInAll = slipCount.field(QStringLiteral("n")).asInteger();
        report("entry_register_filter",
               [&] {
                   Connection c;
                   c.setConnectionString(ConnectionString::build(file));
                   c.open();
                   Query t(&c);
                   t.sql() << QStringLiteral("SELECT * FROM cekbordro ORDER BY islem_tarihi, bordro_ind");
                   t.addCalculatedField(QStringLiteral("kalangun"), FieldType::Long, [&](const Record &r) {
                       if (r.isNull(QStringLiteral("ortalama_vade"))) return QVariant();
                       return SlipRegister::daysLeft(r.asDate(QStringLiteral("ortalama_vade")), today);
                   });
                   const SlipRegister::Matcher matcher(f);
                   const SlipRegister::SlipReader reader(QStringLiteral("alindigi_firma_kodu"), QStringLiteral("alindigi_firma"));
                   t.setFilter([&](const Record &r) { return matcher.accepts(reader.read(r, t)); });
                   t.open();
                   t.setFiltered(true);
                   shown = t.recordCount();
               },
               [&] {
                   // Every slip read in the same order, each column as a consumer reads it,
                   // and the same conditions decided per row on the bytes.
                   const QByteArray low = prefix.toUtf8(), high = (prefix + QStringLiteral("zzzzzzzzzzzzz")).toUtf8();
                   const QByteArray upLow = turkceBuyuk(prefix).toUtf8(),
                                    upHigh = turkceBuyuk(prefix + QStringLiteral("zzzzzzzzzzzzz")).toUtf8();
                   const QByteArray from = f.from.toString(Qt::ISODate).toUtf8(), to = f.to.toString(Qt::ISODate).toUtf8();
                   const auto between = [](const char *v, const QByteArray &lo, const QByteArray &hi) {
                       return std::strcmp(v, lo.constData()) >= 0 && std::strcmp(v, hi.constData()) <= 0;
                   };
                   sqlite3 *h = nullptr;
                   sqlite3_open_v2(file.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
                   sqlite3_stmt *st = nullptr;
                   sqlite3_prepare_v2(h, "SELECT * FROM cekbordro ORDER BY islem_tarihi, bordro_ind", -1, &st, nullptr);
                   const int n = sqlite3_column_count(st);
                   int name = -1, date = -1;
                   for (int c = 0; c < n; ++c) {
                       if (std::strcmp(sqlite3_column_name(st, c), "alindigi_firma") == 0) name = c;
                       if (std::strcmp(sqlite3_column_name(st, c), "islem_tarihi") == 0) date = c;
                   }
                   long long checksum = 0, passed = 0;
                   while (sqlite3_step(st) == SQLITE_ROW) {
                       for (int c = 0; c < n; ++c) {
                           switch (sqlite3_column_type(st, c)) {
                           case SQLITE_INTEGER: checksum += sqlite3_column_int64(st, c); break;
                           case SQLITE_FLOAT: checksum += (long long)sqlite3_column_double(st, c); break;
                           case SQLITE_TEXT: checksum += (long long)sqlite3_column_bytes(st, c) + *sqlite3_column_text(st, c); break;
                           default: break;
                           }
                       }
                       const auto *d = reinterpret_cast<const char *>(sqlite3_column_text(st, date));
                       const auto *v = reinterpret_cast<const char *>(sqlite3_column_text(st, name));
                       if (!d || !v || std::strncmp(d, from.constData(), 10) < 0 || std::strncmp(d, to.constData(), 10) > 0) continue;
                       if (between(v, low, high) || between(v, upLow, upHigh)) ++passed;
                   }
                   sqlite3_finalize(st);
                   sqlite3_close(h);
                   if (passed == 0 && checksum == 0) std::printf(" ");
               });
        if (shown > 0) std::fprintf(stderr, "entry register: %lld of %lld slips shown\n", shown, slipsInAll);
        sqlite3_close(kdb);
        sqlite3_close(db);
    }
    // The cash movements report over the last year in every currency: the period's
    // movements and the opening balance read, the pages prepared and the preview's
    // first page drawn; bare: the same two statements read with the C API.
    {
        const QString cashFile = ProgramHome::path(DataContext::cashFileName(QStringLiteral("BENCH"), lastYear));
        Connection cashDb, companyDb;
        cashDb.setConnectionString(ConnectionString::build(cashFile));
        cashDb.open();
        companyDb.setConnectionString(ConnectionString::build(file));
        companyDb.open();
        const QDate first(lastYear, 1, 1), last(lastYear, 12, 31);
        const QStringList movements = TwoDateStatements::movements(QStringLiteral("Hepsi"), first, last);
        const QStringList opening = TwoDateStatements::opening(QStringLiteral("Hepsi"), first);
        Table firma(&companyDb, QStringLiteral("firmabilgileri"));
        firma.open();
        int rows = 0;
        report("cash_report_first_page",
               [&] {
                   Query list(&cashDb, QStringLiteral("ikitarihQuery"));
                   list.sql() = movements;
                   list.open();
                   Query start(&cashDb, QStringLiteral("gunbasikasaQuery"));
                   start.addCalculatedField(QStringLiteral("bakiye"), FieldType::Double, [](const Record &r) {
                       return QVariant(r.asFloat(QStringLiteral("BorcToplam")) - r.asFloat(QStringLiteral("AlacakToplam")));
                   });
                   start.sql() = opening;
                   start.open();
                   rows = list.recordCount();
                   Report printout(ikiTarihArasiLayout());
                   printout.registerDataset(QStringLiteral("ikitarihQuery"), &list);
                   printout.registerDataset(QStringLiteral("gunbasikasaQuery"), &start);
                   printout.registerDataset(QStringLiteral("firmabilgileri"), &firma);
                   printout.setMemoText(QStringLiteral("Memo1"), TwoDateStatements::title(TwoDateStatements::kHareketler, first, last));
                   TRaporOnizlemeF preview(printout.prepare());
                   bool painted = false;
                   QObject::connect(preview.previewWidget(), &PageView::pagePainted, [&painted](int) { painted = true; });
                   preview.show();
                   QElapsedTimer guard;
                   guard.start();
                   while (!painted && guard.elapsed() < 10000) QCoreApplication::processEvents();
                   if (!painted) std::fprintf(stderr, "cash report: the first page was not drawn\n");
               },
               [&] { bareRun(cashFile, {cashDb.translate(movements.join(u'\n')), cashDb.translate(opening.join(u'\n'))}); });
        if (rows > 0) std::fprintf(stderr, "cash_report_first_page: %d movements\n", rows);
    }
    // The data check of the whole company ("Veri Kontrolü", ceksenet --check): every
    // file's integrity check and every cheque, slip, movement and cash row read and
    // compared, with the newest year brought to five movements per cheque. The bare
    // floor runs the same integrity checks and reads the same columns.
    {
        QStringList files = {file};
        for (int y = company.firstYear; y <= lastYear; ++y)
            files << ProgramHome::path(QStringLiteral("Data/BENCH%1K.mdb").arg(y));
        std::size_t findings = 0;
        report("data_check",
               [&] { findings = DataCheck::run(home.path(), QStringLiteral("BENCH")).findings.size(); },
               [&] {
                   for (const QString &f : files) {
                       const bool cash = f.endsWith(QLatin1String("K.mdb"));
                       QStringList reads = {QStringLiteral("PRAGMA integrity_check")};
                       if (cash)
                           reads << QStringLiteral("SELECT nid, cekid, borc_tutar, alacak_tutar, doviz_cinsi, neden FROM nakit")
                                 << QStringLiteral("SELECT chid, cari_kodu, doviz_cinsi, borc_tutari, alacak_tutari, brut_tutar, "
                                                   "cek_id, cek_ciro_id, cek_iade_id, bosint1, nakit_id, fatura_seri FROM carihareket");
                       else
                           reads << QStringLiteral("SELECT bordro_ind, toplam_tutari FROM cekbordro")
                                 << QStringLiteral("SELECT bordro_ind, toplam_tutari FROM cikisbordro")
                                 << QStringLiteral("SELECT ciro_cek_ind, ciro_bordro_ind, cek_giris_id, cek_tutari, cek_iade_tarihi FROM cekciro")
                                 << QStringLiteral("SELECT cek_ind, bordro_ind, cek_tutari FROM cekkendi")
                                 << QStringLiteral("SELECT cek_ind, bordro_ind, cek_tutari, cek_ciro_id, cek_tahsilat_tarihi, "
                                                   "cek_iade_tarihi, cek_karsiliklsiz_tarihi, cek_banka_tarihi, cek_no FROM cekgiris");
                       bareRun(f, reads);
                   }
               });
        std::fprintf(stderr, "data_check: %zu findings (the padded movements name no slip)\n", findings);
    }
    firstScreens(file, cashFile, lastYear);
    startupFigure(home.path());
    firstScreenLarge(lastYear);
    return 0;
}
