// A slip's save writes the company file and one or two cash files: all of them or
// none, whether the engine refuses a row, or the program is killed at any instant.
//
// The kill test runs a child that saves slips in a loop (new slips, slips moved
// into the next year and back) and kills it at random moments. KILLS=500 in the
// environment runs the long form and prints "kills N, half-written M".
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "data/template_copy.h"
#include "received/entry_slip_save.h"
#include "received/tcekortf.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/message_box.h"

#include <QCryptographicHash>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QElapsedTimer>
#include <QProcess>
#include <QTableWidget>
#include <QRandomGenerator>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <sqlite3.h>

using namespace EntrySlip;

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }
Connection &cash() { return DataContext::instance().kasaConnection; }

QStringList chequeRow(int number, const QDate &due, double amount)
{
    QStringList r(ColumnCount);
    r[ColNo] = QString::number(number);
    r[ColVade] = due.toString(QStringLiteral("dd.MM.yyyy"));
    r[ColTutar] = QString::number(amount, 'f', 2).replace(u'.', u',');
    return r;
}

struct Slip {
    Header header;
    Params params;
    QVector<QStringList> rows;
    Slip(const QDate &date, int cheques, double firstAmount)
    {
        header.slipDate = date;
        header.code = QStringLiteral("M1");
        header.name = QStringLiteral("Müşteri Bir");
        params.slipDate = date;
        params.yillikFaiz = QStringLiteral("36");
        params.yildakiGun = QStringLiteral("365");
        for (int i = 0; i < cheques; ++i) rows << chequeRow(i + 1, date.addDays(30 + 7 * i), firstAmount + 100 * i);
        rows << QStringList(ColumnCount);
    }
    void moveTo(const QDate &date)
    {
        header.slipDate = date;
        params.slipDate = date;
        for (int i = 0; i + 1 < rows.size(); ++i)
            rows[i][ColVade] = date.addDays(30 + 7 * i).toString(QStringLiteral("dd.MM.yyyy"));
    }
};

struct SlipTables {
    Table slips{&company(), "cekbordro", "islem_tarihi"};
    Table cheques{&company(), "cekgiris", "cek_tarihi"};
    SaveResult save(Slip &s) { return saveSlip(s.header, s.params, s.rows, Datasets{slips, cheques}); }
};

// Reads a file on a handle of its own, as a later start of the program would.
struct RawFile {
    sqlite3 *db = nullptr;
    explicit RawFile(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 5000);
    }
    ~RawFile() { sqlite3_close(db); }
    bool exec(const QString &sql) const
    {
        return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    QString text(const QString &sql) const
    {
        sqlite3_stmt *st = nullptr;
        QString out;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            out = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return out;
    }
    QList<QVariantList> rows(const QString &sql) const
    {
        QList<QVariantList> out;
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) return out;
        while (sqlite3_step(st) == SQLITE_ROW) {
            QVariantList r;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_NULL) r << QVariant();
                else if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                    r << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)));
                else r << sqlite3_column_double(st, c);
            }
            out << r;
        }
        sqlite3_finalize(st);
        return out;
    }
};

// Every slip must be whole: its header, cheques adding up to its total and exactly
// one movement of that total, in the cash file of the slip's year and in no other.
// Returns the number of slips (and stray cheques or movements) that are not.
int halfWritten(const QString &home, QString *why)
{
    RawFile companyFile(home + QStringLiteral("/Data/A1.mdb"));
    const QMap<int, QString> cashFiles{{2024, home + QStringLiteral("/Data/A12024K.mdb")},
                                       {2025, home + QStringLiteral("/Data/A12025K.mdb")}};
    int bad = 0;
    const auto fail = [&](const QString &text) {
        ++bad;
        if (why && why->isEmpty()) *why = text;
    };
    if (companyFile.text(QStringLiteral("PRAGMA integrity_check")) != QLatin1String("ok")) fail(QStringLiteral("company file damaged"));
    QMap<int, QMap<qint64, double>> movements;  // year -> cek_id -> amount
    for (auto it = cashFiles.cbegin(); it != cashFiles.cend(); ++it) {
        if (!QFileInfo::exists(it.value())) continue;
        RawFile f(it.value());
        if (f.text(QStringLiteral("PRAGMA integrity_check")) != QLatin1String("ok")) fail(QStringLiteral("cash file damaged"));
        const auto rows = f.rows(QStringLiteral("SELECT cek_id, brut_tutar FROM carihareket"));
        for (const QVariantList &r : rows) {
            const qint64 id = r[0].toLongLong();
            if (movements[it.key()].contains(id)) fail(QStringLiteral("two movements for slip %1").arg(id));
            movements[it.key()][id] = r[1].toDouble();
        }
    }
    const auto slips = companyFile.rows(
        QStringLiteral("SELECT b.bordro_ind, b.islem_tarihi, b.toplam_tutari, "
                       "(SELECT COUNT(*) FROM cekgiris c WHERE c.bordro_ind=b.bordro_ind), "
                       "(SELECT SUM(cek_tutari) FROM cekgiris c WHERE c.bordro_ind=b.bordro_ind) FROM cekbordro b"));
    QSet<qint64> slipNumbers;
    for (const QVariantList &s : slips) {
        const qint64 number = s[0].toLongLong();
        slipNumbers << number;
        const int year = s[1].toString().left(4).toInt();
        const double total = s[2].toDouble();
        if (s[3].toInt() == 0 || qAbs(s[4].toDouble() - total) > 0.005)
            fail(QStringLiteral("slip %1: cheques do not add up to its total").arg(number));
        for (auto it = movements.cbegin(); it != movements.cend(); ++it) {
            const bool here = it.value().contains(number);
            if (here != (it.key() == year)) fail(QStringLiteral("slip %1: movement in the wrong year's file").arg(number));
            if (here && qAbs(it.value().value(number) - total) > 0.005)
                fail(QStringLiteral("slip %1: movement does not match the slip").arg(number));
        }
    }
    const auto stray = companyFile.text(
        QStringLiteral("SELECT COUNT(*) FROM cekgiris WHERE bordro_ind NOT IN (SELECT bordro_ind FROM cekbordro)"));
    if (stray.toInt() != 0) fail(QStringLiteral("cheques without their slip"));
    for (auto it = movements.cbegin(); it != movements.cend(); ++it)
        for (qint64 id : it.value().keys())
            if (!slipNumbers.contains(id)) fail(QStringLiteral("a movement without its slip"));
    return bad;
}

// The child: saves slips until it is killed. Every third slip moves into 2025 and
// every fourth of those back, so that saves write two and three files.
int slipWriter(const QString &home)
{
    ProgramHome::setDir(home);
    DataContext &ctx = DataContext::instance();
    ctx.openStartupConnections();
    if (ctx.openCompany(QStringLiteral("A1"), 2024, QString()) != DataContext::OpenResult::Opened) return 2;
    SlipTables t;
    std::printf("ready\n");
    std::fflush(stdout);
    auto *random = QRandomGenerator::global();
    for (int i = 0;; ++i) {
        Slip s(QDate(2024, 1 + i % 12, 1 + i % 28), 1 + int(random->bounded(12)), 1000 + random->bounded(9000));
        t.save(s);
        if (i % 3 == 0) {
            s.moveTo(QDate(2025, 1 + i % 12, 2));
            t.save(s);
            if (i % 4 == 0) {
                s.moveTo(QDate(2024, 12, 30));
                t.save(s);
            }
        }
    }
}

void addCustomer()
{
    TestHome::addAccountCard(QStringLiteral("M1"), QStringLiteral("Müşteri Bir"));
}

} // namespace

class TestAtomicSave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedRowInEitherFileChangesNeither_data();
    void refusedRowInEitherFileChangesNeither();
    void killedSavesAreWholeOrAbsent();
    void fileHeldByAnotherProgram_data();
    void fileHeldByAnotherProgram();
    void damagedFileOfTheSlipYear_data();
    void damagedFileOfTheSlipYear();
};

void TestAtomicSave::refusedRowInEitherFileChangesNeither_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("trigger");
    QTest::newRow("company file, new slip") << "company"
                                            << "BEFORE INSERT ON cekgiris WHEN NEW.cek_tutari=1100";
    QTest::newRow("cash file, new slip") << "cash" << "BEFORE INSERT ON carihareket";
    QTest::newRow("cash file, slip saved again") << "cash" << "BEFORE UPDATE ON carihareket";
    QTest::newRow("former year's file, slip moved") << "former" << "BEFORE DELETE ON carihareket";
}

// The engine refuses a row in one file: the other files keep what they held.
void TestAtomicSave::refusedRowInEitherFileChangesNeither()
{
    QFETCH(QString, file);
    QFETCH(QString, trigger);
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addCustomer();
    SlipTables t;
    // A first save stands, so that a second one has something to change.
    Slip s(QDate(2024, 5, 2), 3, 1000);
    QVERIFY(t.save(s).saved);
    const qint64 number = s.header.number;
    const auto snapshot = [&] {
        return QStringList{
            QString::number(TestHome::countRows(company(), QStringLiteral("cekbordro"))),
            RawFile(home.path("Data/A1.mdb")).text("SELECT group_concat(cek_tutari || '@' || cek_tarihi) FROM cekgiris"),
            RawFile(home.path("Data/A12024K.mdb")).text("SELECT group_concat(brut_tutar || '@' || islem_tarihi) FROM carihareket"),
            QFileInfo::exists(home.path("Data/A12025K.mdb"))
                ? RawFile(home.path("Data/A12025K.mdb")).text("SELECT COUNT(*) FROM carihareket")
                : QStringLiteral("0")};  // the switch may make the file; it must stay empty
    };
    const QStringList before = snapshot();
    const QString create = QStringLiteral("CREATE TRIGGER boom %1 BEGIN SELECT RAISE(ABORT, 'disk dolu'); END").arg(trigger);
    if (file == QLatin1String("company")) company().exec(create);
    else cash().exec(create);

    if (file == QLatin1String("company")) {
        Slip second(QDate(2024, 6, 1), 3, 1000);  // its second cheque is refused
        QVERIFY_THROWS_EXCEPTION(EngineError, t.save(second));
        QCOMPARE(second.header.number, 0);
    } else if (file == QLatin1String("cash") && trigger.contains(QLatin1String("INSERT"))) {
        Slip second(QDate(2024, 6, 1), 2, 500);
        QVERIFY_THROWS_EXCEPTION(EngineError, t.save(second));
    } else if (file == QLatin1String("cash")) {
        s.rows[0][ColTutar] = QStringLiteral("7.777,00");
        QVERIFY_THROWS_EXCEPTION(EngineError, t.save(s));
    } else {
        s.moveTo(QDate(2025, 1, 15));  // the 2024 file refuses to give its movement up
        QVERIFY_THROWS_EXCEPTION(EngineError, t.save(s));
    }
    QCOMPARE(snapshot(), before);
    QCOMPARE(s.header.number, number);
    // The datasets show what the files hold, and the files are free for the next save.
    QCOMPARE(t.slips.recordCount(), 1);
    QCOMPARE(t.cheques.recordCount(), 3);
    QVERIFY(!company().isJoined() && !cash().isJoined());
    cash().exec(QStringLiteral("DROP TRIGGER IF EXISTS boom"));
    company().exec(QStringLiteral("DROP TRIGGER IF EXISTS boom"));
    if (DataContext::instance().calismaYili != 2024) QVERIFY(kasadegistir(2024));
    cash().exec(QStringLiteral("DROP TRIGGER IF EXISTS boom"));
    Slip third(QDate(2024, 7, 1), 2, 300);
    QVERIFY(t.save(third).saved);
    QString why;
    QVERIFY2(halfWritten(home.dir(), &why) == 0, qPrintable(why));
}

void TestAtomicSave::killedSavesAreWholeOrAbsent()
{
    const int kills = qEnvironmentVariableIsSet("KILLS") ? qEnvironmentVariableIntValue("KILLS") : 12;
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addCustomer();
    QVERIFY(kasadegistir(2025));  // both years' files exist from the start
    DataContext::instance().closeAll();

    auto *random = QRandomGenerator::global();
    int bad = 0, saved = 0;
    QString why;
    for (int k = 0; k < kills; ++k) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--slip-writer"), home.dir()});
        QVERIFY(child.waitForStarted());
        QByteArray out;
        while (!out.contains("ready")) {
            QVERIFY2(child.waitForReadyRead(20000), "the writer did not start");
            out += child.readAllStandardOutput();
        }
        QThread::msleep(random->bounded(5, 250));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        bad += halfWritten(home.dir(), &why);
    }
    saved = RawFile(home.path("Data/A1.mdb")).text("SELECT COUNT(*) FROM cekbordro").toInt();
    std::printf("kills %d, half-written %d (%d slips stored)\n", kills, bad, saved);
    std::fflush(stdout);
    QVERIFY2(bad == 0, qPrintable(why));
    QVERIFY(saved > 0);
}

namespace {

QString nativePath(const TestHome &home, const QString &relative)
{
    return QDir::toNativeSeparators(home.path(relative));
}

} // namespace

void TestAtomicSave::fileHeldByAnotherProgram_data()
{
    QTest::addColumn<QString>("hold");
    // A browser with an edit not yet written keeps others from starting a write;
    // one in the middle of reading keeps them from finishing it.
    QTest::newRow("writing") << "BEGIN IMMEDIATE";
    QTest::newRow("reading") << "BEGIN";
}

// Another program holds the year's cash file: KAYDET gives up within seconds with a
// Turkish message naming that file, writes nothing in any file, and once the file
// is free a second KAYDET saves the slip once.
void TestAtomicSave::fileHeldByAnotherProgram()
{
    QFETCH(QString, hold);
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addCustomer();
    TcekortF f;
    f.DateTimePicker15->setDate(QDate(2024, 3, 1));
    f.KoduEdit->setText(QStringLiteral("M1"));
    f.cariBul();
    setCell(f.StringGrid1, 0, ColVade, QStringLiteral("31.03.2024"));
    setCell(f.StringGrid1, 0, ColTutar, QStringLiteral("10000"));
    setCell(f.StringGrid1, 1, ColVade, QStringLiteral("15.04.2024"));
    setCell(f.StringGrid1, 1, ColTutar, QStringLiteral("5000"));
    setCell(f.StringGrid1, 2, ColVade, QString());

    const QString cashFile = home.path(QStringLiteral("Data/A12024K.mdb"));
    const QString companyFile = home.path(QStringLiteral("Data/A1.mdb"));
    {
        RawFile other(cashFile);
        QVERIFY(other.exec(hold));
        QCOMPARE(other.text(QStringLiteral("SELECT COUNT(*) FROM carihareket")), QStringLiteral("0"));
        const QByteArray companyBefore = TestHome::checksum(companyFile);
        QElapsedTimer clock;
        clock.start();
        f.JvXPButton1->click();
        const qint64 ms = clock.elapsed();
        QVERIFY2(ms < 5000, qPrintable(QStringLiteral("gave up after %1 ms").arg(ms)));
        QCOMPARE(MessageBox::shown().size(), 1);
        const QString text = MessageBox::shown().first().text;
        QVERIFY2(text.contains(u'"' + nativePath(home, QStringLiteral("Data/A12024K.mdb")) + u'"'), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("A1.mdb")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("başka bir program tarafından kullanılıyor; hiçbir değişiklik kaydedilmedi")),
                 qPrintable(text));
        QCOMPARE(TestHome::checksum(companyFile), companyBefore);
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
    }
    RawFile companyNow(companyFile), cashNow(cashFile);
    QCOMPARE(companyNow.text(QStringLiteral("SELECT COUNT(*) FROM cekbordro")), QStringLiteral("0"));
    QCOMPARE(companyNow.text(QStringLiteral("SELECT COUNT(*) FROM cekgiris")), QStringLiteral("0"));
    QCOMPARE(cashNow.text(QStringLiteral("SELECT COUNT(*) FROM carihareket")), QStringLiteral("0"));
    QVERIFY(f.JustaEdit1->text().isEmpty());

    MessageBox::clearShown();
    f.JvXPButton1->click();
    QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(MessageBox::shown().value(0).text));
    QCOMPARE(companyNow.text(QStringLiteral("SELECT COUNT(*) FROM cekbordro")), QStringLiteral("1"));
    QCOMPARE(companyNow.text(QStringLiteral("SELECT COUNT(*) FROM cekgiris")), QStringLiteral("2"));
    QCOMPARE(cashNow.text(QStringLiteral("SELECT COUNT(*) || ' ' || SUM(brut_tutar) FROM carihareket")),
             QStringLiteral("1 15000.0"));
}

void TestAtomicSave::damagedFileOfTheSlipYear_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("saves");
    QTest::newRow("garbage") << "garbage" << false;
    QTest::newRow("truncated") << "truncated" << false;
    QTest::newRow("zero bytes") << "zero" << true;  // made afresh, as a missing file is
    QTest::newRow("foreign SQLite file") << "foreign" << false;
    QTest::newRow("missing one table") << "missing table" << true;
    QTest::newRow("read-only") << "read-only" << false;
}

// A slip dated in another year goes to that year's cash file, which is damaged,
// foreign, older or read-only: the save either names the file and writes nothing
// anywhere, or (a file of no bytes, an older file) makes the file fit and saves.
void TestAtomicSave::damagedFileOfTheSlipYear()
{
    QFETCH(QString, damage);
    QFETCH(bool, saves);
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    addCustomer();
    SlipTables t;
    const QString file = home.path(QStringLiteral("Data/A12025K.mdb"));
    QVERIFY(copyTemplate(home.path(QStringLiteral("Kasa.mdb")), file));
    QVERIFY(TestHome::spoilFile(file, damage, QStringLiteral("nakit")));
    const QString companyFile = home.path(QStringLiteral("Data/A1.mdb"));
    const QString cashFile = home.path(QStringLiteral("Data/A12024K.mdb"));
    const QByteArray before = TestHome::checksum(companyFile) + TestHome::checksum(cashFile) + TestHome::checksum(file);

    Slip s(QDate(2025, 2, 3), 3, 1000);
    if (saves) {
        QVERIFY(t.save(s).saved);
        QCOMPARE(DataContext::instance().calismaYili, 2025);
        RawFile f(file);
        QCOMPARE(f.text(QStringLiteral("SELECT COUNT(*) FROM carihareket")), QStringLiteral("1"));
        QCOMPARE(f.text(QStringLiteral("PRAGMA user_version")), QString::number(Schema::kVersion));
        QVERIFY(!f.text(QStringLiteral("SELECT name FROM sqlite_master WHERE name='nakit'")).isEmpty());
        return;
    }
    QString text;
    try {
        t.save(s);
        QFAIL("saved into a file that cannot take it");
    } catch (const EngineError &e) {
        text = e.message();
    }
    QVERIFY2(text.contains(u'"' + QDir::toNativeSeparators(file) + u'"'), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("hiçbir değişiklik kaydedilmedi")), qPrintable(text));
    const QString advice = damage == QLatin1String("read-only") ? QStringLiteral("izinlerini denetleyin")
                                                                : QStringLiteral("yedekten geri yükleyin");
    QVERIFY2(text.contains(advice), qPrintable(text));
    QCOMPARE(TestHome::checksum(companyFile) + TestHome::checksum(cashFile) + TestHome::checksum(file), before);
    // The program stays on its year and goes on saving there.
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    Slip here(QDate(2024, 4, 5), 2, 700);
    QVERIFY(t.save(here).saved);
}

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--slip-writer") {
        QCoreApplication app(argc, argv);
        return slipWriter(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    TestAtomicSave t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_atomic_save.moc"
