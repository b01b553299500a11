// The data check: a company made through the program's own saves and operations
// passes it; each kind of fault put into its files is found by its own finding;
// the command line prints the findings and answers by its exit status.
#include "app/company_builder.h"
#include "app/demo_company.h"
#include "app/sample_company.h"
#include "app/uygulama.h"
#include "check/tverikontrolf.h"
#include "given/tcikisbordrof.h"
#include "mainmenu/tfrmmain.h"
#include "reports/report.h"
#include "widgets/dataset_grid.h"
#include "app/year_end_carry.h"
#include "cash/cash_row_writer.h"
#include "check/data_check.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/program_home.h"
#include "data/table.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <sqlite3.h>

using DataCheck::Kind;
Q_DECLARE_METATYPE(DataCheck::Kind)
Q_DECLARE_METATYPE(QList<DataCheck::Kind>)

namespace {

const QString kCode = QStringLiteral("F1");
const CompanyBuilder::Account kCustomer{QStringLiteral("R1"), QStringLiteral("Alıcı Bir"), 0};
const CompanyBuilder::Account kSupplier{QStringLiteral("S1"), QStringLiteral("Satıcı Bir"), 1};

CompanyBuilder::Cheque cheque(const QDate &due, double amount, const QString &number)
{
    CompanyBuilder::Cheque c;
    c.due = due;
    c.amount = amount;
    c.drawer = QStringLiteral("Ayşe Öz");
    c.bank = QStringLiteral("Ziraat");
    c.branch = QStringLiteral("Konak");
    c.number = number;
    return c;
}

// A small company of 2025 carried over into 2026: an entry slip of four
// cheques (one endorsed, one collected in cash, one returned, one in hand), an
// exit slip with an own cheque taken back, a cash row from the customer.
void makeCompany(TestHome &home)
{
    home.openCompany(kCode, 2025);
    TestHome::addAccountCard(kCustomer.code, kCustomer.name);
    TestHome::addAccountCard(kSupplier.code, kSupplier.name);
    const auto in = CompanyBuilder::entrySlip(QDate(2025, 1, 10), kCustomer, QStringLiteral("TL"), 1,
                                              {cheque(QDate(2025, 3, 1), 1000, "A-1"), cheque(QDate(2025, 3, 5), 2000, "A-2"),
                                               cheque(QDate(2025, 4, 1), 3000, "A-3"), cheque(QDate(2025, 5, 1), 4000, "A-4")});
    QVERIFY2(in.message.isEmpty(), qPrintable(in.message));
    QCOMPARE(in.keys.size(), 4);
    const auto out = CompanyBuilder::exitSlip(QDate(2025, 1, 20), kSupplier, QStringLiteral("TL"), 1, {in.keys[0]},
                                              {cheque(QDate(2025, 6, 1), 500, "K-1")});
    QVERIFY2(out.message.isEmpty(), qPrintable(out.message));
    QCOMPARE(out.keys.size(), 2);
    QCOMPARE(CompanyBuilder::collect(in.keys[1], QDate(2025, 3, 5), 1), QString());
    QCOMPARE(CompanyBuilder::giveBack(in.keys[2], QDate(2025, 2, 1), 1), QString());
    QCOMPARE(CompanyBuilder::takeBackOwn(out.keys[1], QDate(2025, 2, 5), 1), QString());
    DataContext &ctx = DataContext::instance();
    {
        Table cash(&ctx.kasaConnection, QStringLiteral("nakit"));
        cash.open();
        CashRowWriter::write(cash, {},
                             {{QStringLiteral("islem_tarihi"), QDate(2025, 4, 2)},
                              {QStringLiteral("doviz_cinsi"), QStringLiteral("TL")},
                              {QStringLiteral("borc_tutar"), 250.0},
                              {QStringLiteral("neden"), QStringLiteral("Tahsilat")},
                              {QStringLiteral("firmakodu"), kCustomer.code},
                              {QStringLiteral("firmaadi"), kCustomer.name}});
    }
    QVERIFY(ensureCashFile(kCode, 2026));
    Connection next;
    next.setConnectionString(ConnectionString::build(home.path(DataContext::cashFileName(kCode, 2026))));
    next.open();
    YearEnd::writeOpenings(next, 2025, YearEnd::cashSums(ctx.kasaConnection),
                           YearEnd::accountSums(ctx.kasaConnection, ctx.ADOConnection1));
}

QString fileOf(TestHome &home, const QString &which)
{
    if (which == QLatin1String("company")) return home.path(DataContext::companyFileName(kCode));
    return home.path(DataContext::cashFileName(kCode, which.toInt()));
}

// Runs statements on a file behind the program's back, as another tool would;
// "%2025" in the text stands for the 2025 file's path (for ATTACH).
void spoil(TestHome &home, const QString &which, QString sql)
{
    sql.replace(QStringLiteral("%2025"), fileOf(home, QStringLiteral("2025")));
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(fileOf(home, which).toUtf8().constData(), &db), SQLITE_OK);
    char *err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    const QString message = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(message));
}

QString describe(const QVector<DataCheck::Finding> &findings)
{
    QStringList lines;
    for (const auto &f : findings) lines << DataCheck::line(f);
    return lines.join(u'\n');
}

} // namespace

class TestCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        DataContext::instance().closeAll();
    }
    void cleanup() { DataContext::instance().closeAll(); }
    void builtCompanyPasses();
    void demoAndGeneratedCompaniesPass();
    void eachFaultIsFound_data();
    void eachFaultIsFound();
    void checkNeverWrites();
    void commandLine();
    void windowListsPrintsAndOpens();
};

void TestCheck::builtCompanyPasses()
{
    TestHome home;
    makeCompany(home);
    if (QTest::currentTestFailed()) return;
    const auto r = DataCheck::run(home.dir(), kCode);
    QVERIFY(r.error.isEmpty());
    QCOMPARE(r.files.size(), 3);  // the company file and two year files
    QVERIFY2(r.findings.isEmpty(), qPrintable(describe(r.findings)));
}

// The demo company and a generated company of three years (the benchmarks'
// kind, dates spread evenly) are made through the saves: nothing to find.
void TestCheck::demoAndGeneratedCompaniesPass()
{
    TestHome home;
    DataContext::instance().openStartupConnections();
    QVERIFY(createDemoCompanyIfEmpty());
    QVERIFY(DataContext::instance().aktifSirketKodu.isEmpty());
    auto r = DataCheck::run(home.dir(), QStringLiteral("DEMO"));
    QCOMPARE(r.files.size(), 3);
    QVERIFY2(r.findings.isEmpty(), qPrintable(describe(r.findings)));

    const int year = QDate::currentDate().year();
    generateSampleCompany(QStringLiteral("GEN"), 600, year - 2, year);
    r = DataCheck::run(home.dir(), QStringLiteral("GEN"));
    QCOMPARE(r.files.size(), 4);
    QVERIFY2(r.findings.isEmpty(), qPrintable(describe(r.findings)));
    // Every kind of operation is there: slips and their movements, collections in
    // cash, returns and take-backs.
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(home.path("Data/GEN.mdb").toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const auto count = [&](const char *sql) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        const qint64 v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
        sqlite3_finalize(st);
        return v;
    };
    QCOMPARE(count("SELECT COUNT(*) FROM cekgiris"), 600);
    QVERIFY(count("SELECT COUNT(*) FROM cekgiris WHERE cek_tahsilat_tarihi IS NOT NULL") > 0);
    QVERIFY(count("SELECT COUNT(*) FROM cekgiris WHERE cek_iade_tarihi IS NOT NULL") > 0);
    QVERIFY(count("SELECT COUNT(*) FROM cekciro WHERE cek_iade_tarihi IS NOT NULL") > 0);
    QVERIFY(count("SELECT COUNT(*) FROM cekkendi WHERE cek_iade_tarihi IS NOT NULL") > 0);
    sqlite3_close(db);
}

void TestCheck::eachFaultIsFound_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<Kind>("expected");
    QTest::addColumn<QList<Kind>>("alsoAllowed");
    const QString copyMovements = QStringLiteral(
        "ATTACH '%2025' AS y; INSERT INTO carihareket (cari_kodu, doviz_cinsi, borc_tutari, alacak_tutari, brut_tutar, "
        "cek_id, cek_ciro_id, cek_iade_id, bosint1, islem_tarihi) SELECT cari_kodu, doviz_cinsi, borc_tutari, "
        "alacak_tutari, brut_tutar, cek_id, cek_ciro_id, cek_iade_id, bosint1, islem_tarihi FROM y.carihareket WHERE ");

    QTest::newRow("collected and endorsed") << "company"
        << "UPDATE cekgiris SET cek_tahsilat_tarihi = '2025-03-01' WHERE cek_ciro_id IS NOT NULL"
        << Kind::ChequeContradiction << QList<Kind>{};
    QTest::newRow("own cheque paid and taken back") << "company"
        << "UPDATE cekkendi SET cek_tahsilat_tarihi = '2025-03-01' WHERE cek_iade_tarihi IS NOT NULL"
        << Kind::ChequeContradiction << QList<Kind>{};
    QTest::newRow("endorsed without a given row") << "company"
        << "UPDATE cekgiris SET cek_ciro_id = (SELECT MAX(bordro_ind) FROM cikisbordro) "
           "WHERE cek_ind = (SELECT MAX(cek_ind) FROM cekgiris)"
        << Kind::EndorsedWithoutGiven << QList<Kind>{};
    QTest::newRow("given row whose received cheque is gone") << "company"
        << "DELETE FROM cekgiris WHERE cek_ciro_id IS NOT NULL"
        << Kind::GivenWithoutReceived << QList<Kind>{Kind::SlipTotals};
    QTest::newRow("own cheque whose slip is gone") << "company"
        << "UPDATE cekkendi SET bordro_ind = 999"
        << Kind::RowWithoutSlip << QList<Kind>{Kind::SlipTotals};
    QTest::newRow("slip total") << "company"
        << "UPDATE cikisbordro SET toplam_tutari = toplam_tutari + 10"
        << Kind::SlipTotals << QList<Kind>{Kind::MovementAmount};
    QTest::newRow("entry slip movement missing") << "2025"
        << "UPDATE carihareket SET cek_id = NULL WHERE cek_id > 0"
        << Kind::SlipMovementMissing << QList<Kind>{};
    QTest::newRow("exit slip movement in two year files") << "2026"
        << copyMovements + "cek_ciro_id > 0"
        << Kind::SlipMovementTwice << QList<Kind>{};
    QTest::newRow("movement amount") << "2025"
        << "UPDATE carihareket SET brut_tutar = brut_tutar + 5 WHERE cek_id > 0"
        << Kind::MovementAmount << QList<Kind>{};
    QTest::newRow("return movement in two year files") << "2026"
        << copyMovements + "bosint1 = 1"
        << Kind::OperationMovementTwice << QList<Kind>{};
    QTest::newRow("movement whose slip is gone") << "2025"
        << "UPDATE carihareket SET cek_ciro_id = 999 WHERE cek_ciro_id > 0"
        << Kind::MovementWithoutSlip << QList<Kind>{Kind::SlipMovementMissing};
    QTest::newRow("take-back movement whose cheque is gone") << "2025"
        << "UPDATE carihareket SET cek_iade_id = 999 WHERE bosint1 = 3"
        << Kind::MovementWithoutCheque << QList<Kind>{};
    QTest::newRow("mirror movement whose cash row is gone") << "2025"
        << "UPDATE carihareket SET nakit_id = 999 WHERE nakit_id > 0"
        << Kind::MovementWithoutCash << QList<Kind>{};
    QTest::newRow("collection cash row whose cheque is gone") << "2025"
        << "UPDATE nakit SET cekid = 999 WHERE cekid > 0"
        << Kind::CashWithoutCheque << QList<Kind>{};
    QTest::newRow("collection in cash in two year files") << "2026"
        << "ATTACH '%2025' AS y; INSERT INTO nakit (cekid, islem_tarihi, borc_tutar, doviz_cinsi, neden) "
           "SELECT cekid, '2026-01-05', borc_tutar, doviz_cinsi, neden FROM y.nakit WHERE cekid > 0"
        << Kind::CashTwice << QList<Kind>{};
    QTest::newRow("account opening") << "2026"
        << "UPDATE carihareket SET borc_tutari = IFNULL(borc_tutari, 0) + 10 WHERE fatura_seri = 'DEVİR'"
        << Kind::OpeningMismatch << QList<Kind>{};
    QTest::newRow("cash opening") << "2026"
        << "UPDATE nakit SET borc_tutar = IFNULL(borc_tutar, 0) + 10 WHERE neden = 'DEVİR'"
        << Kind::OpeningMismatch << QList<Kind>{};
    QTest::newRow("foreign key") << "company"
        << "CREATE TABLE kx (id INTEGER PRIMARY KEY); CREATE TABLE ky (p INTEGER REFERENCES kx(id)); "
           "INSERT INTO ky VALUES (5)"
        << Kind::ForeignKey << QList<Kind>{};
    QTest::newRow("damaged year file") << "2026" << "garbage" << Kind::FileDamaged << QList<Kind>{};
}

void TestCheck::eachFaultIsFound()
{
    QFETCH(QString, file);
    QFETCH(QString, sql);
    QFETCH(Kind, expected);
    QFETCH(QList<Kind>, alsoAllowed);
    TestHome home;
    makeCompany(home);
    if (QTest::currentTestFailed()) return;
    DataContext::instance().closeAll();
    if (sql == QLatin1String("garbage")) QVERIFY(TestHome::spoilFile(fileOf(home, file), sql));
    else spoil(home, file, sql);
    if (QTest::currentTestFailed()) return;

    const auto r = DataCheck::run(home.dir(), kCode);
    const QString all = describe(r.findings);
    bool found = false;
    for (const auto &f : r.findings) {
        if (f.kind == expected) found = true;
        else QVERIFY2(alsoAllowed.contains(f.kind), qPrintable(QStringLiteral("unexpected finding:\n") + all));
        QVERIFY(!f.text.isEmpty());
    }
    QVERIFY2(found, qPrintable(QStringLiteral("not found; findings:\n") + all));
}

void TestCheck::checkNeverWrites()
{
    TestHome home;
    makeCompany(home);
    if (QTest::currentTestFailed()) return;
    DataContext::instance().closeAll();
    spoil(home, QStringLiteral("company"), QStringLiteral("UPDATE cekbordro SET toplam_tutari = 1; PRAGMA user_version = 0"));
    const QStringList files = {fileOf(home, "company"), fileOf(home, "2025"), fileOf(home, "2026")};
    QList<QByteArray> before;
    for (const QString &f : files) before << TestHome::checksum(f);
    int steps = 0;
    const auto r = DataCheck::run(home.dir(), kCode, [&](int done, int total, const QString &) {
        ++steps;
        return done <= total;
    });
    QVERIFY(!r.findings.isEmpty());
    QVERIFY(steps >= 4);
    for (int i = 0; i < files.size(); ++i) QCOMPARE(TestHome::checksum(files[i]), before[i]);
    QVERIFY(!QFile::exists(files[0] + QStringLiteral("-journal")));

    // Asked to stop after the first step, it stops.
    const auto stopped = DataCheck::run(home.dir(), kCode, [](int done, int, const QString &) { return done < 1; });
    QVERIFY(stopped.stopped);
}

void TestCheck::commandLine()
{
    TestHome home;
    makeCompany(home);
    if (QTest::currentTestFailed()) return;
    DataContext::instance().closeAll();
    const auto runProgram = [&](const QStringList &args, QString *out) {
        QProcess p;
        p.start(QStringLiteral(CEKSENET_PROGRAM), args);
        if (!p.waitForFinished(60000)) return -1;
        *out = QString::fromUtf8(p.readAllStandardOutput());
        return p.exitCode();
    };
    QString out;
    QCOMPARE(runProgram({"--check", kCode, "--home", home.dir()}, &out), 0);
    QCOMPARE(out, QStringLiteral("findings 0\n"));

    spoil(home, QStringLiteral("2025"), QStringLiteral("UPDATE carihareket SET cek_id = NULL WHERE cek_id > 0"));
    spoil(home, QStringLiteral("company"), QStringLiteral("UPDATE cekbordro SET toplam_tutari = toplam_tutari + 1"));
    QCOMPARE(runProgram({"--check", kCode, "--home", home.dir()}, &out), 1);
    const QStringList lines = out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.last(), QStringLiteral("findings 2"));
    QVERIFY2(out.contains(DataCheck::kindText(Kind::SlipMovementMissing) + QStringLiteral(": Data/F1.mdb: cekbordro 1:")), qPrintable(out));
    QVERIFY2(out.contains(DataCheck::kindText(Kind::SlipTotals)), qPrintable(out));

    // An unknown company: a message, no findings line, status 2.
    QCOMPARE(runProgram({"--check", "YOK", "--home", home.dir()}, &out), 2);
    QVERIFY(out.isEmpty());
}

void TestCheck::windowListsPrintsAndOpens()
{
    TestHome home;
    Uygulama app;
    makeCompany(home);
    if (QTest::currentTestFailed()) return;
    TverikontrolF *w = app.verikontrolF();
    QAction *item = app.frmMain()->menuItem(QStringLiteral("Veri Kontrolü"));
    QVERIFY(item && item->isEnabled());
    item->trigger();
    QVERIFY(w->isVisible());
    QTRY_VERIFY(!w->calisiyor());
    QCOMPARE(w->bulgularGrid->model()->rowCount(), 0);
    QVERIFY(w->durumLabel->text().contains(QStringLiteral("sorun bulunamadı")));
    QVERIFY(!w->yazdirBut->isEnabled());

    // Two faults: the exit slip's total and a second collection in cash.
    spoil(home, QStringLiteral("company"), QStringLiteral("UPDATE cikisbordro SET toplam_tutari = toplam_tutari + 10"));
    QSignalSpy done(w, &TverikontrolF::finished);
    w->kontrolBut->click();
    QVERIFY(!w->kontrolBut->isEnabled());
    QTRY_COMPARE(done.size(), 1);
    QVERIFY(w->bulgularGrid->model()->rowCount() >= 2);
    QCOMPARE(w->bulgularGrid->model()->rowCount(), int(w->bulgular().size()));
    QVERIFY(w->yazdirBut->isEnabled());
    QVERIFY(w->durumLabel->text().contains(QStringLiteral("bulgu var")));

    const QString page = w->rapor().prepare().pageTexts(0).join(u'\n');
    QVERIFY2(page.contains(QStringLiteral("VERİ KONTROLÜ")), qPrintable(page));
    QVERIFY2(page.contains(DataCheck::kindText(Kind::SlipTotals)), qPrintable(page));

    // A double-click on the slip's finding opens it in the exit slip register.
    int row = -1;
    for (int i = 0; i < w->bulgular().size(); ++i)
        if (w->bulgular()[i].kind == Kind::SlipTotals) row = i;
    QVERIFY(row >= 0);
    const QModelIndex index = w->bulgularGrid->model()->index(row, 1);
    w->bulgularGrid->scrollTo(index);
    const QRect cell = w->bulgularGrid->visualRect(index);
    QTest::mousePress(w->bulgularGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(w->bulgularGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(w->bulgularGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(app.cikisbordroF()->isVisible());
    QCOMPARE(app.cikisbordroF()->CiroBordro.field(QStringLiteral("bordro_ind")).asInteger(), w->bulgular()[row].key);
    app.cikisbordroF()->hide();
    w->close();
}

QTEST_MAIN(TestCheck)
#include "test_check.moc"
