// The year-end carry-over: the opening amounts, the run through the main menu's
// item with its questions, reruns that follow corrections, and runs that must
// write nothing.
#include "app/company_registry.h"
#include "app/tgirisf.h"
#include "app/uygulama.h"
#include "app/year_end.h"
#include "app/year_end_carry.h"
#include "cash/cash_row_writer.h"
#include "data/connection.h"
#include "mainmenu/tfrmmain.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "data/template_copy.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <sqlite3.h>

namespace {

DataContext &ctx() { return DataContext::instance(); }

const QString kFirstQuestion = QStringLiteral(
    "Bu işlem 2024 yılı dönem sonu cari ve kasa bakiyelerini 2025\n\r yılı dönembaşına aktaracaktır.Devam edilsinmi?");
const QString kSecondQuestion = QStringLiteral("Yıl sonu devir tutarları alındı.\n\rYeni yıla aktarılsınmı?");
const QString kDone = QStringLiteral("Aktarım tamamlandı");

QStringList shownTexts()
{
    QStringList out;
    for (const auto &s : MessageBox::shown()) out << s.text;
    return out;
}

void login(TgirisF *f, const QString &code, int year)
{
    f->firmaedit->setText(code);
    f->yilEdit->setText(QString::number(year));
    f->JvXPButton13->click();
    QCOMPARE(ctx().calismaYili, year);
}

// A registered company with its database.
void registerCompany(TestHome &home, const QString &code)
{
    Table &reg = CompanyRegistry::firmaTable(false);
    if (!reg.isActive()) reg.open();
    reg.append();
    reg.field("firma_kodu") = code;
    reg.field("firma_unvani_1") = code + QStringLiteral(" Ticaret");
    reg.post();
    QVERIFY(copyTemplate(home.path("CekSenet.mdb"), home.path("Data/" + code + ".mdb")));
}

void cash(const QString &currency, double in, double out, const QDate &day = QDate(2024, 6, 1))
{
    QVariantMap row{{"neden", "Satış"}, {"doviz_cinsi", currency}, {"islem_tarihi", day}};
    if (in != 0) row.insert("borc_tutar", in);
    if (out != 0) row.insert("alacak_tutar", out);
    TestHome::insertRow(ctx().kasaConnection, QStringLiteral("nakit"), row);
}

void movement(const QString &code, const QString &name, const QString &currency, double debit, double credit)
{
    QVariantMap row{{"cari_kodu", code}, {"cari_hesap_adi", name}, {"doviz_cinsi", currency},
                    {"islem_tarihi", QDate(2024, 5, 1)}};
    if (debit != 0) row.insert("borc_tutari", debit);
    if (credit != 0) row.insert("alacak_tutari", credit);
    TestHome::insertRow(ctx().kasaConnection, QStringLiteral("carihareket"), row);
}

// Every "DEVİR" row of a year's file, one text per row with every field written.
QStringList openingRows(TestHome &home, int year)
{
    Connection c;
    c.setSchemaKind(Schema::Kind::Cash);
    c.setConnectionString(ConnectionString::build(home.path(DataContext::cashFileName("A", year))));
    c.open();
    const auto show = [](const QVariant &v) {
        if (v.isNull()) return QStringLiteral("-");
        if (v.typeId() == QMetaType::QDate) return v.toDate().toString(Qt::ISODate);
        if (v.typeId() == QMetaType::QDateTime) return v.toDate().toString(Qt::ISODate);
        return v.toString();
    };
    QStringList out;
    Query q(&c);
    q.sql() << "SELECT neden, islem_tarihi, islem_vadesi, aciklama, doviz_cinsi, borc_tutar, alacak_tutar FROM nakit"
            << "WHERE neden = 'DEVİR' ORDER BY doviz_cinsi";
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        QStringList f;
        for (int i = 0; i < q.fieldCount(); ++i) f << show(q.value(i));
        out << "nakit " + f.join(" | ");
    }
    Query m(&c);
    m.sql() << "SELECT cari_kodu, cari_hesap_adi, doviz_cinsi, fatura_no, fatura_seri, islem_tarihi, vade_tarihi,"
            << "aciklama, borc_tutari, alacak_tutari FROM carihareket WHERE fatura_seri = 'DEVİR'"
            << "ORDER BY cari_kodu, doviz_cinsi";
    m.open();
    for (m.first(); !m.eof(); m.next()) {
        QStringList f;
        for (int i = 0; i < m.fieldCount(); ++i) f << show(m.value(i));
        out << "cari " + f.join(" | ");
    }
    return out;
}

QString cashRow(const QString &currency, const QString &in, const QString &out)
{
    return QStringLiteral("nakit DEVİR | 2025-01-01 | 2024-12-31 | 31/12/2024 TARİHLİ DEVİR TUTARI | %1 | %2 | %3")
        .arg(currency, in, out);
}

QString accountRow(const QString &code, const QString &name, const QString &currency, const QString &debit,
                   const QString &credit)
{
    return QStringLiteral("cari %1 | %2 | %3 | 1 | DEVİR | 2025-01-01 | 2024-12-31 | 31/12/2024 TARİHLİ DEVİR TUTARI | %4 | %5")
        .arg(code, name, currency, debit, credit);
}

// Logged in to company A in 2024 with the cash and movements of the year.
struct Fixture {
    TestHome home;
    Uygulama app;
    Fixture()
    {
        registerCompany(home, "A");
        login(app.girisF(), "A", 2024);
        TestHome::addAccountCard("C1", "Birinci Ltd.");
        TestHome::addAccountCard("C3", "Üçüncü A.Ş.");
        cash("TL", 1000, 0);
        cash("TL", 0, 400);
        cash("USD", 0, 50);
        cash("EURO", 70, 0);
        cash("EURO", 0, 70);
        movement("C1", "Birinci Ltd.", "TL", 500, 0);
        movement("C1", "Birinci Ltd.", "TL", 0, 200);
        movement("C1", "Birinci Ltd.", "USD", 0, 30);
        movement("C2", "Sıfır Ltd.", "TL", 80, 80);
        // One code written with two names: one balance, named by the card.
        movement("C3", "Eski Ad", "TL", 100, 0);
        movement("C3", "Yeni Ad", "TL", 50, 0);
        // A code without a card keeps the name of its last movement.
        movement("C4", "Kartsız Önce", "TL", 0, 10);
        movement("C4", "Kartsız Sonra", "TL", 0, 15);
        MessageBox::clearShown();
    }
    bool run(const QList<int> &answers)
    {
        for (int a : answers) MessageBox::queueAnswer(a);
        return YilSonuDevri(*app.girisF());
    }
};

const QStringList kFirstRun{
    cashRow("EURO", "-", "0"),
    cashRow("TL", "600", "-"),
    cashRow("USD", "-", "50"),
    accountRow("C1", "Birinci Ltd.", "TL", "300", "-"),
    accountRow("C1", "Birinci Ltd.", "USD", "-", "30"),
    accountRow("C3", "Üçüncü A.Ş.", "TL", "150", "-"),
    accountRow("C4", "Kartsız Sonra", "TL", "-", "25"),
};

} // namespace

class TestYearEnd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openings_data();
    void openings();
    void carryOver();
    void rerunFollowsCorrections();
    void loginFieldsNameAnotherCompany();
    void nothingWritten_data();
    void nothingWritten();
    void failedWriteRollsBack();
    void usersDevirRowIsLeftAlone_data();
    void usersDevirRowIsLeftAlone();
};

void TestYearEnd::openings_data()
{
    QTest::addColumn<double>("debit");
    QTest::addColumn<double>("credit");
    QTest::addColumn<QVariant>("cashIn");
    QTest::addColumn<QVariant>("cashOut");
    QTest::addColumn<bool>("account");  // an account entry is written
    QTest::newRow("more in") << 1000.0 << 400.0 << QVariant(600.0) << QVariant() << true;
    QTest::newRow("more out") << 0.0 << 50.0 << QVariant() << QVariant(50.0) << true;
    QTest::newRow("equal") << 70.0 << 70.0 << QVariant() << QVariant(0.0) << false;
    QTest::newRow("under half a kuruş") << 100.004 << 100.0 << QVariant() << QVariant(0.0) << false;
    QTest::newRow("floating sums") << 0.1 + 0.2 << 0.3 << QVariant() << QVariant(0.0) << false;
    QTest::newRow("a kuruş") << 10.01 << 10.0 << QVariant(0.01) << QVariant() << true;
}

void TestYearEnd::openings()
{
    QFETCH(double, debit);
    QFETCH(double, credit);
    QFETCH(QVariant, cashIn);
    QFETCH(QVariant, cashOut);
    QFETCH(bool, account);
    const YearEnd::Opening c = YearEnd::cashOpening({QStringLiteral("TL"), debit, credit});
    QCOMPARE(c.debit, cashIn);
    QCOMPARE(c.credit, cashOut);
    const auto a = YearEnd::accountOpening({QStringLiteral("C1"), QStringLiteral("Bir"), QStringLiteral("TL"), debit, credit});
    QCOMPARE(a.has_value(), account);
    if (a) {
        QCOMPARE(a->debit, cashIn);
        QCOMPARE(a->credit, cashOut);
    }
}

void TestYearEnd::carryOver()
{
    Fixture f;
    const QByteArray closedYear = TestHome::checksum(f.home.path("Data/A2024K.mdb"));
    QVERIFY(f.run({MessageBox::Yes, MessageBox::Yes}));
    QCOMPARE(shownTexts(), (QStringList{kFirstQuestion, kSecondQuestion, kDone}));
    QCOMPARE(MessageBox::shown()[0].icon, MessageBox::Icon::Question);
    QCOMPARE(MessageBox::shown()[0].caption, QStringLiteral("Brenvo Çek Senet Takip Programı"));
    QCOMPARE(MessageBox::shown()[2].icon, MessageBox::Icon::Information);
    QCOMPARE(ctx().calismaYili, 2025);
    QCOMPARE(f.app.girisF()->yilEdit->text(), QStringLiteral("2025"));
    QCOMPARE(ctx().kasaConnection.filePath(), f.home.path("Data/A2025K.mdb"));
    QCOMPARE(ctx().devirConnection.filePath(), f.home.path("Data/A2024K.mdb"));
    QCOMPARE(openingRows(f.home, 2025), kFirstRun);
    QCOMPARE(openingRows(f.home, 2024), QStringList());
    QCOMPARE(TestHome::checksum(f.home.path("Data/A2024K.mdb")), closedYear);

    // Run again on the same year, from the main menu's item: nothing added.
    login(f.app.girisF(), "A", 2024);
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::Yes);
    MessageBox::queueAnswer(MessageBox::Yes);
    QAction *item = f.app.frmMain()->menuItem(QStringLiteral("Yılsonu Devri Al"));
    QVERIFY(item && item->isEnabled());
    item->trigger();
    QCOMPARE(shownTexts(), (QStringList{kFirstQuestion, kSecondQuestion, kDone}));
    QCOMPARE(openingRows(f.home, 2025), kFirstRun);

    // The next year's openings count in its own sums: 2025 carries on into 2026.
    MessageBox::clearShown();
    QVERIFY(f.run({MessageBox::Yes, MessageBox::Yes}));
    QCOMPARE(ctx().calismaYili, 2026);
    QCOMPARE(openingRows(f.home, 2026).size(), kFirstRun.size());
}

void TestYearEnd::rerunFollowsCorrections()
{
    Fixture f;
    QVERIFY(f.run({MessageBox::Yes, MessageBox::Yes}));
    // A stray second entry of one key in the new year, and corrections in the old one.
    TestHome::insertRow(ctx().kasaConnection, "carihareket",
                        {{"cari_kodu", "C3"}, {"fatura_seri", "DEVİR"}, {"doviz_cinsi", "TL"}, {"borc_tutari", 1.0}});
    TestHome::insertRow(ctx().kasaConnection, "nakit",
                        {{"neden", "DEVİR"}, {"islem_vadesi", QDate(2024, 12, 31)}, {"doviz_cinsi", "TL"}, {"borc_tutar", 1.0}});
    login(f.app.girisF(), "A", 2024);
    cash("TL", 0, 100);               // TL now 500 in hand
    cash("USD", 0, 0.005);            // half a kuruş more out
    movement("C1", "Birinci Ltd.", "TL", 0, 300);  // C1 in TL now at zero
    QVERIFY(f.run({MessageBox::Yes, MessageBox::Yes}));
    QCOMPARE(openingRows(f.home, 2025), (QStringList{
                                            cashRow("EURO", "-", "0"),
                                            cashRow("TL", "500", "-"),
                                            cashRow("USD", "-", "50.01"),
                                            accountRow("C1", "Birinci Ltd.", "USD", "-", "30"),
                                            accountRow("C3", "Üçüncü A.Ş.", "TL", "150", "-"),
                                            accountRow("C4", "Kartsız Sonra", "TL", "-", "25"),
                                        }));
}

void TestYearEnd::loginFieldsNameAnotherCompany()
{
    Fixture f;
    registerCompany(f.home, "B");
    // The login fields were changed after the login: the open company and year count.
    f.app.girisF()->firmaedit->setText("B");
    f.app.girisF()->yilEdit->setText("2030");
    QVERIFY(f.run({MessageBox::Yes, MessageBox::Yes}));
    QCOMPARE(MessageBox::shown()[0].text, kFirstQuestion);
    QCOMPARE(ctx().aktifSirketKodu, QStringLiteral("A"));
    QCOMPARE(openingRows(f.home, 2025), kFirstRun);
    QVERIFY(!QFile::exists(f.home.path("Data/B2025K.mdb")));
    QVERIFY(!QFile::exists(f.home.path("Data/A2031K.mdb")));
}

void TestYearEnd::nothingWritten_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QStringList>("texts");  // after the first question
    QTest::addColumn<int>("yearAfter");
    QTest::newRow("no to the first question") << "no first" << QStringList{} << 2024;
    QTest::newRow("no to the second question") << "no second" << QStringList{kSecondQuestion} << 2025;
    QTest::newRow("no cash template") << "no template" << QStringList{kCashTemplateMissing} << 2024;
    QTest::newRow("year 2100") << "2100" << QStringList{"Çalışma yılı girişiniz hatalıdır!"} << 2100;
}

void TestYearEnd::nothingWritten()
{
    QFETCH(QString, situation);
    QFETCH(QStringList, texts);
    QFETCH(int, yearAfter);
    Fixture f;
    QList<int> answers{MessageBox::Yes, MessageBox::Yes};
    if (situation == "no first") answers = {MessageBox::No};
    if (situation == "no second") answers = {MessageBox::Yes, MessageBox::No};
    if (situation == "no template") QVERIFY(QFile::remove(f.home.path("Kasa.mdb")));
    if (situation == "2100") {
        login(f.app.girisF(), "A", 2100);
        cash("TL", 10, 0);
        MessageBox::clearShown();
    }
    const auto before = [&] {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(f.home.path("Data")).entryList(QDir::Files))
            files.insert(name, TestHome::checksum(f.home.path("Data/" + name)));
        return files;
    }();
    QVERIFY(!f.run(answers));
    QCOMPARE(shownTexts().mid(1), texts);
    QCOMPARE(ctx().calismaYili, yearAfter);
    if (situation == "no second") {
        QCOMPARE(openingRows(f.home, 2025), QStringList());
        return;
    }
    QMap<QString, QByteArray> after;
    for (const QString &name : QDir(f.home.path("Data")).entryList(QDir::Files))
        after.insert(name, TestHome::checksum(f.home.path("Data/" + name)));
    QCOMPARE(after, before);
}

void TestYearEnd::failedWriteRollsBack()
{
    Fixture f;
    // The next year's file exists, holding a movement, and refuses one account entry.
    login(f.app.girisF(), "A", 2025);
    movement("C9", "Yeni Yıl", "TL", 5, 0);
    login(f.app.girisF(), "A", 2024);
    {
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(f.home.path("Data/A2025K.mdb").toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db,
                              "CREATE TRIGGER ret BEFORE INSERT ON carihareket WHEN NEW.cari_kodu = 'C4' "
                              "BEGIN SELECT RAISE(ABORT, 'yazılamadı'); END",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
    }
    const QByteArray closed = TestHome::checksum(f.home.path("Data/A2024K.mdb"));
    const QByteArray next = TestHome::checksum(f.home.path("Data/A2025K.mdb"));
    QVERIFY(!f.run({MessageBox::Yes, MessageBox::Yes}));
    QCOMPARE(MessageBox::shown().size(), 3);
    QCOMPARE(MessageBox::shown()[2].icon, MessageBox::Icon::Critical);
    QVERIFY2(MessageBox::shown()[2].text.contains("yazılamadı"), qPrintable(MessageBox::shown()[2].text));
    QCOMPARE(TestHome::checksum(f.home.path("Data/A2024K.mdb")), closed);
    QCOMPARE(TestHome::checksum(f.home.path("Data/A2025K.mdb")), next);
    QCOMPARE(openingRows(f.home, 2025), QStringList());
}


void TestYearEnd::usersDevirRowIsLeftAlone_data()
{
    QTest::addColumn<QString>("currency");  // of the user's row named "DEVİR"
    QTest::addColumn<QString>("account");
    QTest::newRow("carried currency, account") << "TL" << "C1";
    QTest::newRow("carried currency, no account") << "TL" << "";
    QTest::newRow("currency not carried, account") << "GBP" << "C1";
}

void TestYearEnd::usersDevirRowIsLeftAlone()
{
    QFETCH(QString, currency);
    QFETCH(QString, account);
    TestHome home;
    home.openCompany("A", 2025);
    Connection &next = ctx().kasaConnection;
    // A row the user typed with a transaction type of their own named "DEVİR".
    Table t(&next, "nakit");
    CashRowWriter::Fields row{{"islem_tarihi", QDate(2025, 1, 1)}, {"doviz_cinsi", currency}, {"neden", "DEVİR"},
                              {"borc_tutar", 123.0}, {"aciklama", "elle"}};
    if (!account.isEmpty()) row += {{"firmakodu", account}, {"firmaadi", "Birinci Ltd."}};
    const qint64 nid = CashRowWriter::write(t, {}, row).nid;
    const QList<YearEnd::CashSum> sums{{"TL", 1000, 400}};
    for (int run = 0; run < 2; ++run) YearEnd::writeOpenings(next, 2024, sums, {});
    Query q(&next);
    q.sql() << QString("SELECT borc_tutar, aciklama, islem_vadesi FROM nakit WHERE nid=%1").arg(nid);
    q.open();
    QVERIFY(!q.isEmpty());
    QCOMPARE(q.value(0).toDouble(), 123.0);
    QCOMPARE(q.value(1).toString(), QString("elle"));
    QVERIFY(q.value(2).isNull());
    Query m(&next);
    m.sql() << QString("SELECT COUNT(*), SUM(alacak_tutari) FROM carihareket WHERE nakit_id=%1").arg(nid);
    m.open();
    QCOMPARE(m.value(0).toInt(), account.isEmpty() ? 0 : 1);
    if (!account.isEmpty()) QCOMPARE(m.value(1).toDouble(), 123.0);
    // The carry-over's own TL row is there once, beside the user's.
    Query c(&next);
    c.sql() << "SELECT COUNT(*), SUM(borc_tutar) FROM nakit WHERE islem_vadesi IS NOT NULL";
    c.open();
    QCOMPARE(c.value(0).toInt(), 1);
    QCOMPARE(c.value(1).toDouble(), 600.0);
    QCOMPARE(TestHome::countRows(next, "nakit"), 2);
}

QTEST_MAIN(TestYearEnd)
#include "test_year_end.moc"
