// Rows read as they are needed: a query opens on its first row, a grid shows a
// screenful and reads more as it scrolls, operations that need every row read the
// rest, and a part-read query stays the snapshot of its opening when something
// writes. Also the indexes that serve the statements, added to older files once.
#include "accounts/ledger_statements.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/pending_reads.h"
#include "data/query.h"
#include "data/schema.h"
#include "data/table.h"
#include "data/template_copy.h"
#include "data/transaction.h"
#include "mainmenu/dashboard_statements.h"
#include "support/test_home.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QtTest>
#include <sqlite3.h>

namespace {

Connection &cash() { return DataContext::instance().kasaConnection; }
Connection &company() { return DataContext::instance().ADOConnection1; }

// n movements of account M1 (M2 for every tenth), dated through the year, debit i.
void addMovements(Connection &c, int n)
{
    c.exec(QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<%1) "
                          "INSERT INTO carihareket (cari_kodu, cari_hesap_adi, doviz_cinsi, borc_tutari, alacak_tutari, islem_tarihi) "
                          "SELECT CASE WHEN i%10=0 THEN 'M2' ELSE 'M1' END, 'Müşteri', 'TL', i, 0, "
                          "date('2024-01-01', '+' || (i%360) || ' days') FROM k")
               .arg(n));
}

QStringList allByDebit() { return {QStringLiteral("SELECT chid, cari_kodu, borc_tutari FROM carihareket ORDER BY borc_tutari ASC;")}; }

// What a raw SQLite handle finds in a file: the schema entries and the user version.
struct FileLook {
    QStringList schema;  // "type name sql", sorted
    int version = -1;
    QStringList rows;    // carihareket's rows

    static FileLook of(const QString &path)
    {
        FileLook f;
        sqlite3 *db = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        const auto each = [db](const char *sql, const std::function<void(sqlite3_stmt *)> &row) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW) row(st);
            sqlite3_finalize(st);
        };
        const auto text = [](sqlite3_stmt *st, int c) {
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)));
        };
        each("SELECT type, name, sql FROM sqlite_master", [&](sqlite3_stmt *st) {
            f.schema << text(st, 0) + u' ' + text(st, 1) + u' ' + text(st, 2);
        });
        each("PRAGMA user_version", [&](sqlite3_stmt *st) { f.version = sqlite3_column_int(st, 0); });
        each("SELECT chid, cari_kodu, borc_tutari, islem_tarihi FROM carihareket ORDER BY chid", [&](sqlite3_stmt *st) {
            f.rows << text(st, 0) + u'|' + text(st, 1) + u'|' + text(st, 2) + u'|' + text(st, 3);
        });
        sqlite3_close(db);
        f.schema.sort();
        return f;
    }
};

QStringList servingIndexNames(Schema::Kind kind)
{
    QStringList out;
    for (const Schema::TableDef &t : Schema::tables(kind))
        for (const Schema::IndexDef &i : t.servingIndexes) out << QStringLiteral("sv_%1_%2").arg(t.name, i.name);
    return out;
}

} // namespace

class TestLazyRows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void queryReadsRowsAsNeeded();
    void gridShowsAScreenfulThenFetches();
    void partReadQueryKeepsItsSnapshotWhenWritten();
    void partReadQueryDoesNotHoldUpASave();
    void listLookedAtReadsItsRestWhileWaiting();
    void olderFileGetsTheServingIndexesOnce();
    void statementsUseTheServingIndexes();
};

void TestLazyRows::queryReadsRowsAsNeeded()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addMovements(cash(), 1000);

    Query q(&cash());
    q.reopen(allByDebit());
    QVERIFY(q.fetchesOnDemand());
    QCOMPARE(q.fetchedRecordCount(), 1);
    QVERIFY(q.canFetchMore());
    QVERIFY(!q.isEmpty());
    QCOMPARE(q.field("borc_tutari").asFloat(), 1.0);

    // Walking with next reads one row at a time and ends on the last.
    int seen = 0;
    double sum = 0;
    for (q.first(); !q.eof(); q.next()) {
        ++seen;
        sum += q.field("borc_tutari").asFloat();
        if (seen == 10) QCOMPARE(q.fetchedRecordCount(), 10);
    }
    QCOMPARE(seen, 1000);
    QCOMPARE(sum, 500500.0);
    QVERIFY(!q.canFetchMore());

    // Each operation that needs every row reads the rest; the results are those of
    // a query that read everything at once.
    const struct {
        const char *name;
        std::function<void(Query &)> act;
        std::function<void(Query &)> check;
    } cases[] = {
        {"count", [](Query &) {}, [](Query &x) { QCOMPARE(x.recordCount(), 1000); }},
        {"last", [](Query &x) { x.last(); },
         [](Query &x) {
             QVERIFY(x.eof());
             QCOMPARE(x.recNo(), 1000);
             QCOMPARE(x.field("borc_tutari").asFloat(), 1000.0);
         }},
        {"locate", [](Query &x) { QVERIFY(x.locate("borc_tutari", 777.0)); },
         [](Query &x) { QCOMPARE(x.recNo(), 777); }},
        {"locate missing", [](Query &x) { QVERIFY(!x.locate("borc_tutari", 5000.0)); },
         [](Query &x) { QCOMPARE(x.recNo(), 1); }},
        {"filter", [](Query &x) {
             x.setFilter([](const Record &r) { return r.asString("cari_kodu") == "M2"; });
             x.setFiltered(true);
         },
         [](Query &x) {
             QCOMPARE(x.recordCount(), 100);
             QCOMPARE(x.field("borc_tutari").asFloat(), 10.0);
             QVERIFY(!x.canFetchMore());
         }},
        {"moveBy past the end", [](Query &x) { x.moveBy(5000); },
         [](Query &x) {
             QVERIFY(x.eof());
             QCOMPARE(x.recNo(), 1000);
         }},
        {"recNo", [](Query &x) { x.setRecNo(600); }, [](Query &x) { QCOMPARE(x.field("borc_tutari").asFloat(), 600.0); }},
        {"valueAt", [](Query &) {}, [](Query &x) {
             QCOMPARE(x.valueAt(899, x.fieldIndex("borc_tutari")).toDouble(), 900.0);
             QVERIFY(!x.valueAt(1000, 0).isValid());
         }},
        {"refresh keeps the row", [](Query &x) {
             x.setRecNo(300);
             x.refresh();
         },
         [](Query &x) { QCOMPARE(x.recNo(), 300); }},
    };
    for (const auto &c : cases) {
        Query x(&cash());
        x.reopen(allByDebit());
        c.act(x);
        c.check(x);
        QVERIFY2(!QTest::currentTestFailed(), c.name);
    }

    // An empty result and one that cannot run.
    Query none(&cash());
    none.reopen({QStringLiteral("SELECT * FROM carihareket WHERE cari_kodu='YOK'")});
    QVERIFY(none.isEmpty());
    QVERIFY(none.eof());
    QVERIFY(!none.canFetchMore());
    QCOMPARE(none.recordCount(), 0);
    Query bad(&cash());
    QVERIFY_THROWS_EXCEPTION(EngineError, bad.reopen({QStringLiteral("SELECT nothing FROM carihareket")}));
}

void TestLazyRows::gridShowsAScreenfulThenFetches()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addMovements(cash(), 1000);
    Query q(&cash());
    q.reopen(allByDebit());

    DatasetGrid grid;
    QAbstractItemModelTester tester(grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.setDataset(&q, {gridColumn("cari_kodu", "Kod", 60), gridColumn("borc_tutari", "Borç", 90, "#,##0.00")});
    DatasetGridModel *model = grid.gridModel();
    QCOMPARE(model->rowCount(), DatasetGridModel::kScreenful);
    QCOMPARE(q.fetchedRecordCount(), DatasetGridModel::kScreenful);
    QVERIFY(model->canFetchMore(QModelIndex()));
    QCOMPARE(model->index(63, 1).data().toString(), QString("64,00"));

    // Scrolling to the bottom fetches the next screenful.
    grid.resize(300, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    QTRY_VERIFY(model->rowCount() >= 2 * DatasetGridModel::kScreenful);

    // A locate far down reads there, and the grid's selection follows.
    QVERIFY(q.locate("borc_tutari", 900.0));
    QVERIFY(model->rowCount() >= 900);
    QCOMPARE(grid.currentIndex().row(), 899);
    QCOMPARE(model->index(899, 1).data().toString(), QString("900,00"));

    // The rest comes to the grid as it scrolls; reopening starts over with a screenful.
    while (model->canFetchMore(QModelIndex())) model->fetchMore(QModelIndex());
    QCOMPARE(model->rowCount(), 1000);
    q.reopen({QStringLiteral("SELECT chid, cari_kodu, borc_tutari FROM carihareket ORDER BY borc_tutari DESC;")});
    QCOMPARE(model->rowCount(), DatasetGridModel::kScreenful);
    QCOMPARE(model->index(0, 1).data().toString(), QString("1.000,00"));
    QCOMPARE(grid.currentIndex().row(), 0);

    // A filtered query has read every row: the grid shows them all at once.
    q.setFilter([](const Record &r) { return r.asString("cari_kodu") == "M2"; });
    q.setFiltered(true);
    QCOMPARE(model->rowCount(), 100);
    QVERIFY(!model->canFetchMore(QModelIndex()));
}

void TestLazyRows::partReadQueryKeepsItsSnapshotWhenWritten()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addMovements(cash(), 500);
    Query q(&cash());
    q.reopen(allByDebit());
    QVERIFY(q.canFetchMore());
    QVERIFY(PendingReads::any());

    // A row written through the same connection after the query opened, ordered
    // last, and a row changed: the query still shows the rows of its opening.
    TestHome::insertRow(cash(), "carihareket", {{"cari_kodu", "M9"}, {"borc_tutari", 99999.0}});
    QVERIFY(!PendingReads::any());
    QVERIFY(!q.canFetchMore());
    {
        Table t(&cash(), "carihareket");
        t.open();
        QVERIFY(t.locate("borc_tutari", 500.0));
        t.edit();
        t.field("borc_tutari") = 0.5;
        t.post();
    }
    QCOMPARE(q.recordCount(), 500);
    q.last();
    QCOMPARE(q.field("borc_tutari").asFloat(), 500.0);
    QVERIFY(!q.locate("cari_kodu", "M9"));
    q.refresh();
    QCOMPARE(q.recordCount(), 501);

    // A transaction begun on a connection ends every part-read query first.
    Query r(&company());
    r.reopen({QStringLiteral("SELECT * FROM sqlite_master")});
    Query s(&cash());
    s.reopen(allByDebit());
    QVERIFY(PendingReads::any());
    company().begin();
    QVERIFY(!PendingReads::any());
    company().rollback();
    QCOMPARE(s.recordCount(), 501);

    // One opened inside a transaction and left part-read is not cut short by the rollback.
    cash().begin();
    Query inside(&cash());
    inside.reopen(allByDebit());
    QVERIFY(inside.canFetchMore());
    cash().rollback();
    QCOMPARE(inside.recordCount(), 501);
}

void TestLazyRows::partReadQueryDoesNotHoldUpASave()
{
    // A list left part-read on one handle must not keep another handle, or a save
    // joining the file, from writing it.
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addMovements(cash(), 500);
    Query q(&cash());
    q.reopen(allByDebit());
    QVERIFY(q.canFetchMore());

    Connection other;
    other.setConnectionString(ConnectionString::build(cash().filePath()));
    other.open();
    TestHome::insertRow(other, "carihareket", {{"cari_kodu", "M7"}, {"borc_tutari", 7.0}});
    QCOMPARE(TestHome::countRows(other, "carihareket"), 501);
    QCOMPARE(q.recordCount(), 500);

    q.reopen(allByDebit());
    QVERIFY(q.canFetchMore());
    {
        TransactionScope tx{&company(), &cash()};
        Table t(&cash(), "carihareket");
        t.open();
        t.append();
        t.field("cari_kodu") = "M8";
        t.post();
        tx.commit();
    }
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 502);
    QCOMPARE(q.recordCount(), 501);
}

void TestLazyRows::listLookedAtReadsItsRestWhileWaiting()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addMovements(cash(), 5000);
    Query looked(&cash());
    looked.reopen(allByDebit());
    DatasetGrid grid;
    // No model tester here: it fetches whenever it may, and this is about what the
    // view asks for.
    grid.setDataset(&looked, {gridColumn("cari_kodu", "Kod", 60), gridColumn("borc_tutari", "Borç", 90, "#,##0.00")});
    DatasetGridModel *model = grid.gridModel();
    QVERIFY(looked.canFetchMore());
    grid.resize(300, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    // The rest is read while the program waits, and then the list holds no lock:
    // another program writes the file at once.
    QTRY_VERIFY(!looked.canFetchMore());
    QVERIFY(!PendingReads::any());
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(cash().filePath().toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, "INSERT INTO carihareket (cari_kodu) VALUES ('X')", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    QCOMPARE(looked.recordCount(), 5000);

    // The grid still shows its screenful until the view asks for more; then it
    // takes every row read meanwhile, up to the snapshot's last.
    QCOMPARE(model->rowCount(), DatasetGridModel::kScreenful);
    QVERIFY(model->canFetchMore(QModelIndex()));
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    QCOMPARE(model->rowCount(), 5000);
    QVERIFY(!model->canFetchMore(QModelIndex()));
    QCOMPARE(model->index(0, 1).data().toString(), QString("1,00"));
    QCOMPARE(model->index(4999, 1).data().toString(), QString("5.000,00"));

    // Reopened, it starts over: a screenful shown, the rest read again while waiting.
    looked.reopen(allByDebit());
    QCOMPARE(model->rowCount(), DatasetGridModel::kScreenful);
    QTRY_VERIFY(!looked.canFetchMore());
    QCOMPARE(looked.recordCount(), 5001);
    QCOMPARE(model->rowCount(), DatasetGridModel::kScreenful);
}

void TestLazyRows::olderFileGetsTheServingIndexesOnce()
{
    TestHome home;
    const QStringList cashIndexes = servingIndexNames(Schema::Kind::Cash);
    QVERIFY(cashIndexes.contains("sv_carihareket_balances"));
    // New files have them from the start.
    for (const QString &name : cashIndexes)
        QVERIFY2(FileLook::of(home.path("Kasa.mdb")).schema.join('\n').contains(name), qPrintable(name));

    // A cash file of the program before them: the same file without these indexes,
    // with movements in it.
    const QString file = home.path("Data/A12024K.mdb");
    QVERIFY(copyTemplate(home.path("Kasa.mdb"), file));
    {
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
        for (const QString &name : cashIndexes)
            QCOMPARE(sqlite3_exec(db, ("DROP INDEX " + name).toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db,
                              "INSERT INTO carihareket (cari_kodu, cari_hesap_adi, doviz_cinsi, borc_tutari, islem_tarihi) VALUES "
                              "('M1','Müşteri','TL',100,'2024-02-01'),('M2','Tedarikçi','USD',250.5,'2024-03-01')",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
    }
    const FileLook before = FileLook::of(file);
    QCOMPARE(before.version, Schema::kVersion);
    for (const QString &s : before.schema) QVERIFY(!s.contains(" sv_"));

    Connection c;
    c.setSchemaKind(Schema::Kind::Cash);
    c.setConnectionString(ConnectionString::build(file));
    c.open();
    c.close();
    const FileLook after = FileLook::of(file);
    QCOMPARE(after.version, before.version);
    QCOMPARE(after.rows, before.rows);
    QStringList added = after.schema;
    for (const QString &s : before.schema) QVERIFY2(added.removeOne(s), qPrintable("changed: " + s));
    QCOMPARE(added.size(), cashIndexes.size());
    for (const QString &name : cashIndexes)
        QVERIFY2(added.join('\n').contains("index " + name + " CREATE INDEX"), qPrintable(added.join('\n')));
    // Plain indexes: a bare SQLite handle without the program's functions reads the file.
    sqlite3 *db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QCOMPARE(sqlite3_exec(db, "PRAGMA integrity_check", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    // Added once: the next open writes nothing.
    const QByteArray upgraded = TestHome::checksum(file);
    c.open();
    c.close();
    QCOMPARE(TestHome::checksum(file), upgraded);
}

void TestLazyRows::statementsUseTheServingIndexes()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const auto plan = [](Connection &c, const QStringList &lines) {
        Query q(&c);
        q.reopen({QStringLiteral("EXPLAIN QUERY PLAN ") + lines.join(u'\n')});
        QStringList out;
        for (int i = 0; i < q.recordCount(); ++i) out << q.valueAt(i, q.fieldIndex("detail")).toString();
        return out.join(u'\n');
    };
    const struct {
        Connection *file;
        const char *index;
        QStringList statement;
    } cases[] = {
        {&cash(), "COVERING INDEX sv_carihareket_balances", Dashboard::balanceStatement()},
        {&cash(), "sv_carihareket_account", Ledger::periodStatement("M1", QDate(2024, 1, 1), QDate(2024, 12, 31), "Hepsi")},
        {&cash(), "sv_carihareket_account", Ledger::carriedForwardStatement("M1", QDate(2024, 1, 1), "Hepsi")},
        {&cash(), "COVERING INDEX sv_carihareket_ledger", Ledger::accountListStatement(QDate(2024, 12, 31), "Hepsi", QString())},
        {&company(), "sv_cekgiris_portfolio (cek_ciro_id=? AND cek_tarihi>? AND cek_tarihi<?)",
         Dashboard::portfolioStatement(QDate(2024, 3, 1), QDate(2024, 4, 30))},
    };
    for (const auto &c : cases) {
        const QString p = plan(*c.file, c.statement);
        QVERIFY2(p.contains(QLatin1String(c.index)), qPrintable(p));
    }
}

QTEST_MAIN(TestLazyRows)
#include "test_lazy_rows.moc"
