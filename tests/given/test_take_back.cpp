// Taking back a given cheque: an endorsed one back into the portfolio, an own one
// leaving the issued lists, and the credit on the account they went to.
#include "app/uygulama.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "given/given_take_back.h"
#include "given/tcekiadeverilenf.h"
#include "issued/tduzenlenenceklerf.h"
#include "mainmenu/tfrmmain.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace GivenTakeBack;

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }
Connection &cash() { return DataContext::instance().kasaConnection; }

QString valueOf(Connection &c, const QString &sql)
{
    Query q(&c);
    q.sql() << sql;
    q.open();
    return q.isEmpty() ? QString() : Field(&q, 0).asString();
}

// Every row of a table as text, to tell whether a take-back touched it.
QString dump(Connection &c, const QString &table)
{
    Query q(&c);
    q.sql() << QStringLiteral("SELECT * FROM ") + table;
    q.open();
    QStringList rows;
    for (q.first(); !q.eof(); q.next()) {
        QStringList cells;
        for (int i = 0; i < q.fieldCount(); ++i) cells << Field(&q, i).asString();
        rows << cells.join(u'|');
    }
    return rows.join(u'\n');
}

struct Fixture {
    qint64 received = 0;  // the cekgiris row the given cheque came from
    qint64 given = 0;     // its cekciro row, out on exit slip 7
};

// A USD cheque of 1.000,00 received at rate 30 (30.000,00 TL), due 15.04.2024,
// endorsed on exit slip 7 to the supplier S1 after a stay at a bank.
Fixture endorsedCheque(const QString &currency = QStringLiteral("USD"), double amount = 1000, double entryTL = 30000,
                       const QVariant &rate = 30.0)
{
    Fixture f;
    f.received = TestHome::insertRow(company(), QStringLiteral("cekgiris"),
                                     {{"bordro_ind", 3},
                                      {"alindigi_firma", QStringLiteral("Müşteri Bir")},
                                      {"alindigi_firma_kodu", QStringLiteral("M1")},
                                      {"cek_tarihi", QDate(2024, 4, 15)},
                                      {"cek_tutari", amount},
                                      {"cekTL_karsiligi", entryTL},
                                      {"para_birimi", currency},
                                      {"cek_bankasi", QStringLiteral("Ziraat")},
                                      {"cek_no", QStringLiteral("C-77")},
                                      {"cek_ciro_id", 7},
                                      {"cek_ciro_tarihi", QDate(2024, 2, 1)},
                                      {"cek_ciro_kime", QStringLiteral("Satıcı Bir")},
                                      {"cek_banka_id", 2},
                                      {"cek_banka_tarihi", QDate(2024, 1, 20)},
                                      {"cek_banka_adi", QStringLiteral("Akbank")}});
    QVariantMap g{{"ciro_bordro_ind", 7},
                  {"islem_tarihi", QDate(2024, 2, 1)},
                  {"alindigi_firma", QStringLiteral("Müşteri Bir")},
                  {"Ciro_firma_kodu", QStringLiteral("S1")},
                  {"ciro_firma", QStringLiteral("Satıcı Bir")},
                  {"cek_tarihi", QDate(2024, 4, 15)},
                  {"para_birimi", currency},
                  {"cek_tutari", amount},
                  {"cekTL_karsiligi", entryTL},
                  {"ceki_duzenleyen", QStringLiteral("Ayşe Öz")},
                  {"cek_bankasi", QStringLiteral("Ziraat")},
                  {"cek_subesi", QStringLiteral("Konak")},
                  {"cek_no", QStringLiteral("C-77")},
                  {"cek_giris_id", f.received},
                  {"cek_banka_id", 1}};
    if (rate.isValid()) g["cek_doviz_kuru"] = rate;
    f.given = TestHome::insertRow(company(), QStringLiteral("cekciro"), g);
    return f;
}

// An own cheque of 500,00 TL issued on exit slip 8 to the supplier S2.
qint64 ownCheque()
{
    return TestHome::insertRow(company(), QStringLiteral("cekkendi"),
                               {{"bordro_ind", 8},
                                {"cirolandigi_firma_kodu", QStringLiteral("S2")},
                                {"cirolandigi_firma", QStringLiteral("Satıcı İki")},
                                {"cek_tarihi", QDate(2024, 5, 2)},
                                {"cek_tutari", 500.0},
                                {"cekTL_karsiligi", 500.0},
                                {"para_birimi", QStringLiteral("TL")},
                                {"ceki_duzenleyen", QStringLiteral("Öztürk Gıda")}});
}

Values filled(Mode mode, qint64 key, const QDate &day = QDate(2024, 3, 6))
{
    const bool given = mode == Mode::Cirolanan;
    Table t(&company(), given ? QStringLiteral("cekciro") : QStringLiteral("cekkendi"));
    t.open();
    if (!t.locate(given ? QStringLiteral("ciro_cek_ind") : QStringLiteral("cek_ind"), key)) return {};
    Values v = given ? fromGiven(t) : fromOwn(t);
    v.tarih = day;
    return v;
}

QString movement(const char *field, int kind)
{
    return valueOf(cash(), QStringLiteral("SELECT %1 FROM carihareket WHERE bosint1=%2").arg(QLatin1String(field)).arg(kind));
}

} // namespace

class TestTakeBack : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::setTestMode(true); }
    void workedExample();
    void rateAndBox_data();
    void rateAndBox();
    void ownChequeChangesOnlyItsRow();
    void refusalsWriteNothing();
    void anotherYearLandsInItsFile();
    void refusedMovementLeavesEveryFile();
    void endorsedAgainStaysOut();
    void windowFromTheIssuedLists();
    void windowOfAGivenCheque();
};

// 1.000,00 USD given at 30.000,00, taken back at 32: 32.000,00 and 2.000,00.
void TestTakeBack::workedExample()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const Fixture f = endorsedCheque();
    // A return of a received cheque and a take-back of an own cheque with the same number.
    for (int kind : {1, 3})
        TestHome::insertRow(cash(), QStringLiteral("carihareket"),
                            {{"cek_iade_id", f.given}, {"bosint1", kind}, {"cari_kodu", QStringLiteral("X")},
                             {"borc_tutari", 10.0 * kind}});
    const QString others = dump(cash(), QStringLiteral("carihareket"));

    Values v = filled(Mode::Cirolanan, f.given);
    QCOMPARE(v.tutar, QStringLiteral("1.000,00"));
    QCOMPARE(v.girisTL, QStringLiteral("30.000,00"));
    QCOMPARE(v.para, QStringLiteral("USD"));
    QCOMPARE(v.kayitNo, QString::number(f.given));
    QCOMPARE(v.girisNo, QString::number(f.received));
    QCOMPARE(v.bordroNo, QStringLiteral("7"));
    QCOMPARE(v.firmaAdi, QStringLiteral("Satıcı Bir"));
    QCOMPARE(v.firmaKodu, QStringLiteral("S1"));
    QCOMPARE(v.duzenleyen, QStringLiteral("Ayşe Öz"));
    QCOMPARE(v.subesi, QStringLiteral("Konak"));
    QCOMPARE(v.vadesi, QDate(2024, 4, 15));
    // The cheque's own rate, worked out at once.
    QCOMPARE(v.kuru, QStringLiteral("30"));
    QCOMPARE(v.tl, QStringLiteral("30.000,00"));
    QCOMPARE(v.kurFarki, QStringLiteral("0,00"));

    v.kuru = QStringLiteral("32");
    ChequeOperation::hesapla(v);
    QCOMPARE(v.tl, QStringLiteral("32.000,00"));
    QCOMPARE(v.kurFarki, QStringLiteral("2.000,00"));
    Table cekciro(&company(), QStringLiteral("cekciro"));
    Table cekgiris(&company(), QStringLiteral("cekgiris"));
    const Result r = takeBack(v, Mode::Cirolanan, cekciro, cekgiris);
    QVERIFY2(r.done, qPrintable(r.message));

    const auto given = [&](const char *field) {
        return valueOf(company(), QStringLiteral("SELECT %1 FROM cekciro WHERE ciro_cek_ind=%2").arg(QLatin1String(field)).arg(f.given));
    };
    const auto received = [&](const char *field) {
        return valueOf(company(), QStringLiteral("SELECT %1 FROM cekgiris WHERE cek_ind=%2").arg(QLatin1String(field)).arg(f.received));
    };
    QCOMPARE(given("cek_iade_tarihi"), QStringLiteral("06.03.2024"));
    QCOMPARE(given("cek_karsiliklsiz_tarihi"), QString());
    QCOMPARE(received("cek_ciro_id"), QString());
    QCOMPARE(received("cek_ciro_tarihi"), QString());
    QCOMPARE(received("cek_ciro_kime"), QStringLiteral("Satıcı Bir"));
    QCOMPARE(received("cek_banka_id"), QStringLiteral("2"));
    QCOMPARE(received("cek_banka_tarihi"), QStringLiteral("20.01.2024"));
    QCOMPARE(received("cek_banka_adi"), QStringLiteral("Akbank"));
    QCOMPARE(received("cek_iade_tarihi"), QString());

    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 3);
    QCOMPARE(movement("cek_iade_id", 2), QString::number(f.given));
    QCOMPARE(movement("islem_tarihi", 2), QStringLiteral("06.03.2024"));
    QCOMPARE(movement("doviz_kuru", 2), QStringLiteral("32"));
    QCOMPARE(movement("doviz_cinsi", 2), QStringLiteral("USD"));
    QCOMPARE(movement("cari_kodu", 2), QStringLiteral("S1"));
    QCOMPARE(movement("cari_hesap_adi", 2), QStringLiteral("Satıcı Bir"));
    QCOMPARE(movement("alacak_tutari", 2), QStringLiteral("1000"));
    QCOMPARE(movement("doviz_alacak", 2), QStringLiteral("32000"));
    QCOMPARE(movement("borc_tutari", 2), QString());
    QCOMPARE(movement("doviz_borc", 2), QString());
    QCOMPARE(movement("aciklama", 2), QStringLiteral("Ziraat C-77 15.04.2024 Vadeli Çek İadesi"));

    // Twice: the one movement is edited; the other kinds keep theirs.
    v.tarih = QDate(2024, 3, 9);
    v.kuru = QStringLiteral("33");
    QVERIFY(takeBack(v, Mode::Cirolanan, cekciro, cekgiris).done);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 3);
    QCOMPARE(movement("islem_tarihi", 2), QStringLiteral("09.03.2024"));
    QCOMPARE(movement("doviz_alacak", 2), QStringLiteral("33000"));
    QCOMPARE(given("cek_iade_tarihi"), QStringLiteral("09.03.2024"));
    QCOMPARE(others.split(u'\n').size(), 2);
    for (const QString &row : others.split(u'\n')) QVERIFY(dump(cash(), QStringLiteral("carihareket")).contains(row));
}

// A TL cheque posts rate 1 whatever was typed; a clear box posts nothing, and
// the cheque goes back into the portfolio all the same.
void TestTakeBack::rateAndBox_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("kuru");
    QTest::addColumn<bool>("box");
    QTest::addColumn<QString>("rate");  // doviz_kuru stored; "-" for no movement
    QTest::addColumn<QString>("tl");    // doviz_alacak stored
    QTest::newRow("tl typed 7") << "TL" << "7" << true << "1" << "1250";
    QTest::newRow("tl empty") << "TL" << "" << true << "1" << "1250";
    QTest::newRow("usd no rate") << "USD" << "" << true << "" << "1250";
    QTest::newRow("usd 0") << "USD" << "0" << true << "0" << "1250";
    QTest::newRow("box clear") << "USD" << "32" << false << "-" << "";
}

void TestTakeBack::rateAndBox()
{
    QFETCH(QString, currency);
    QFETCH(QString, kuru);
    QFETCH(bool, box);
    QFETCH(QString, rate);
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const Fixture f = endorsedCheque(currency, 1250, 1250, QVariant());
    Values v = filled(Mode::Cirolanan, f.given);
    QCOMPARE(v.kuru, QString());
    QCOMPARE(v.tl, QStringLiteral("1.250,00"));
    v.kuru = kuru;
    v.box = box;
    Table cekciro(&company(), QStringLiteral("cekciro"));
    Table cekgiris(&company(), QStringLiteral("cekgiris"));
    QVERIFY(takeBack(v, Mode::Cirolanan, cekciro, cekgiris).done);
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_iade_tarihi FROM cekciro")), QStringLiteral("06.03.2024"));
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_ciro_id FROM cekgiris")), QString());
    if (rate == QLatin1String("-")) {
        QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 0);
        return;
    }
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 1);
    QCOMPARE(movement("doviz_kuru", 2), rate);
    QTEST(movement("doviz_alacak", 2), "tl");
    QCOMPARE(movement("alacak_tutari", 2), QStringLiteral("1250"));
}

// An own cheque: its cekkendi row and its movement of kind 3, nothing else.
void TestTakeBack::ownChequeChangesOnlyItsRow()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const Fixture f = endorsedCheque();
    const qint64 own = ownCheque();
    // Its number may be a given cheque's too: that one's take-back stays.
    TestHome::insertRow(cash(), QStringLiteral("carihareket"),
                        {{"cek_iade_id", own}, {"bosint1", 2}, {"alacak_tutari", 77.0}});
    const QString cekciroBefore = dump(company(), QStringLiteral("cekciro"));
    const QString cekgirisBefore = dump(company(), QStringLiteral("cekgiris"));
    Values v = filled(Mode::Duzenlenen, own, QDate(2024, 4, 1));
    QCOMPARE(v.kayitNo, QString::number(own));
    QCOMPARE(v.girisNo, QString());
    QCOMPARE(v.bordroNo, QStringLiteral("8"));
    QCOMPARE(v.firmaAdi, QStringLiteral("Satıcı İki"));
    QCOMPARE(v.firmaKodu, QStringLiteral("S2"));
    QCOMPARE(v.kurFarki, QStringLiteral("0,00"));
    Table cekkendi(&company(), QStringLiteral("cekkendi"));
    Table cekgiris(&company(), QStringLiteral("cekgiris"));
    QVERIFY(takeBack(v, Mode::Duzenlenen, cekkendi, cekgiris).done);
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_iade_tarihi FROM cekkendi")), QStringLiteral("01.04.2024"));
    QCOMPARE(dump(company(), QStringLiteral("cekciro")), cekciroBefore);
    QCOMPARE(dump(company(), QStringLiteral("cekgiris")), cekgirisBefore);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 2);
    QCOMPARE(movement("cari_kodu", 3), QStringLiteral("S2"));
    QCOMPARE(movement("alacak_tutari", 3), QStringLiteral("500"));
    QCOMPARE(movement("doviz_kuru", 3), QStringLiteral("1"));
    QCOMPARE(movement("aciklama", 3), QStringLiteral("02.05.2024 Vadeli Çek İadesi"));
    QCOMPARE(movement("alacak_tutari", 2), QStringLiteral("77"));
    Q_UNUSED(f);
}

// Each refusal is told and writes nothing, in either file.
void TestTakeBack::refusalsWriteNothing()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const Fixture f = endorsedCheque();
    const Fixture orphan = endorsedCheque();
    company().exec(QStringLiteral("DELETE FROM cekgiris WHERE cek_ind=") + QString::number(orphan.received));
    const QString before = dump(company(), QStringLiteral("cekciro")) + dump(company(), QStringLiteral("cekgiris"));
    QVERIFY(before.contains(QStringLiteral("Satıcı Bir")) && before.contains(QStringLiteral("Akbank")));
    Table cekciro(&company(), QStringLiteral("cekciro"));
    Table cekgiris(&company(), QStringLiteral("cekgiris"));
    struct Case {
        const char *name;
        Mode mode;
        QString kayitNo, girisNo, kuru;
        bool missing;
    };
    const QString g = QString::number(f.given), r = QString::number(f.received);
    const QList<Case> cases{
        {"no key", Mode::Cirolanan, QString(), r, "32", true},
        {"gone", Mode::Cirolanan, "9999", r, "32", true},
        {"letters", Mode::Cirolanan, "abc", r, "32", true},
        {"received gone", Mode::Cirolanan, QString::number(orphan.given), QString::number(orphan.received), "32", true},
        {"no received key", Mode::Cirolanan, g, QString(), "32", true},
        {"own number as given", Mode::Duzenlenen, g, r, "32", true},
        {"no mode", Mode::None, g, r, "32", true},
        {"bad rate", Mode::Cirolanan, g, r, "1,2,3", false},
    };
    for (const Case &c : cases) {
        Values v = filled(Mode::Cirolanan, f.given);
        v.kayitNo = c.kayitNo;
        v.girisNo = c.girisNo;
        v.kuru = c.kuru;
        v.tarih = QDate(2025, 1, 2);  // a switch would show too
        Table cekkendi(&company(), QStringLiteral("cekkendi"));
        const Result res = takeBack(v, c.mode, c.mode == Mode::Duzenlenen ? cekkendi : cekciro, cekgiris);
        QVERIFY2(!res.done, c.name);
        if (c.missing) QCOMPARE(res.message, ChequeOperation::kChequeMissing);
        else QVERIFY2(!res.message.isEmpty(), c.name);
    }
    QCOMPARE(dump(company(), QStringLiteral("cekciro")) + dump(company(), QStringLiteral("cekgiris")), before);
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    QVERIFY(!QFile::exists(home.path(QStringLiteral("Data/A12025K.mdb"))));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 0);
}

// A return date in another year: the movement lands in that year's file and the
// program stays on that year; with the box clear no switch happens.
void TestTakeBack::anotherYearLandsInItsFile()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    DataContext &ctx = DataContext::instance();
    const Fixture f = endorsedCheque();
    const qint64 own = ownCheque();
    Table cekciro(&company(), QStringLiteral("cekciro"));
    Table cekkendi(&company(), QStringLiteral("cekkendi"));
    Table cekgiris(&company(), QStringLiteral("cekgiris"));
    const QString file2025 = home.path(QStringLiteral("Data/A12025K.mdb"));

    Values v = filled(Mode::Duzenlenen, own, QDate(2025, 1, 10));
    v.box = false;
    QVERIFY(takeBack(v, Mode::Duzenlenen, cekkendi, cekgiris).done);
    QCOMPARE(ctx.calismaYili, 2024);
    QVERIFY(!QFile::exists(file2025));

    v = filled(Mode::Cirolanan, f.given, QDate(2025, 1, 10));
    QVERIFY(takeBack(v, Mode::Cirolanan, cekciro, cekgiris).done);
    QCOMPARE(ctx.calismaYili, 2025);
    QVERIFY(QFile::exists(file2025));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 1);
    QCOMPARE(movement("islem_tarihi", 2), QStringLiteral("10.01.2025"));
    QVERIFY(kasadegistir(2024));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 0);
}

// The cash file refuses the movement: neither file changes, and the same tables go on working.
void TestTakeBack::refusedMovementLeavesEveryFile()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const Fixture f = endorsedCheque();
    const QString before = dump(company(), QStringLiteral("cekciro")) + dump(company(), QStringLiteral("cekgiris"));
    Table cekciro(&company(), QStringLiteral("cekciro"));
    Table cekgiris(&company(), QStringLiteral("cekgiris"));
    cash().exec(QStringLiteral("CREATE TRIGGER boom BEFORE INSERT ON carihareket BEGIN SELECT RAISE(ABORT, 'disk dolu'); END"));
    Values v = filled(Mode::Cirolanan, f.given);
    v.kuru = QStringLiteral("32");
    const Result r = takeBack(v, Mode::Cirolanan, cekciro, cekgiris);
    QVERIFY(!r.done);
    QVERIFY(r.message.contains(QStringLiteral("disk dolu")));
    QCOMPARE(dump(company(), QStringLiteral("cekciro")) + dump(company(), QStringLiteral("cekgiris")), before);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 0);
    QCOMPARE(cekciro.state(), Dataset::State::Browse);
    QCOMPARE(cekgiris.state(), Dataset::State::Browse);
    cash().exec(QStringLiteral("DROP TRIGGER boom"));
    QVERIFY(takeBack(v, Mode::Cirolanan, cekciro, cekgiris).done);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 1);
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_ciro_id FROM cekgiris")), QString());
}

// A cheque put back and endorsed again on slip 9 stays out on slip 9 when the
// old take-back of slip 7 is corrected.
void TestTakeBack::endorsedAgainStaysOut()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const Fixture f = endorsedCheque();
    company().exec(QStringLiteral("UPDATE cekgiris SET cek_ciro_id=9, cek_ciro_tarihi='2024-03-20'"));
    Table cekciro(&company(), QStringLiteral("cekciro"));
    Table cekgiris(&company(), QStringLiteral("cekgiris"));
    Values v = filled(Mode::Cirolanan, f.given);
    QVERIFY(takeBack(v, Mode::Cirolanan, cekciro, cekgiris).done);
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_iade_tarihi FROM cekciro")), QStringLiteral("06.03.2024"));
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_ciro_id FROM cekgiris")), QStringLiteral("9"));
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_ciro_tarihi FROM cekgiris")), QStringLiteral("20.03.2024"));
}

// The issued lists' "Çeki İade Al" opens the window on the row's own cheque; the
// take-back removes it from "Ödenecek Çekler" and from the dashboard.
void TestTakeBack::windowFromTheIssuedLists()
{
    TestHome home;
    Uygulama app;
    const QDate due = QDate::currentDate().addDays(10);
    home.openCompany(QStringLiteral("A1"), QDate::currentDate().year());
    const qint64 own = TestHome::insertRow(company(), QStringLiteral("cekkendi"),
                                           {{"bordro_ind", 8},
                                            {"cirolandigi_firma_kodu", QStringLiteral("S2")},
                                            {"cirolandigi_firma", QStringLiteral("Satıcı İki")},
                                            {"cek_tarihi", due},
                                            {"cek_tutari", 500.0},
                                            {"cekTL_karsiligi", 500.0},
                                            {"para_birimi", QStringLiteral("TL")},
                                            {"cek_no", QStringLiteral("K-1")}});
    TfrmMain *menu = app.frmMain();
    menu->prepareDashboard();
    QVERIFY(menu->ffQuery5.locate(QStringLiteral("cek_ind"), own));
    TduzenlenenceklerF *list = app.duzenlenenceklerF();
    list->Yenile();
    QVERIFY(list->duzenlenenQuery.locate(QStringLiteral("cek_ind"), own));
    QAction *item = nullptr;
    for (QAction *a : list->popupItems)
        if (a->objectName() == QLatin1String("iadeAlItem")) item = a;
    QVERIFY(item && item->isEnabled());
    item->trigger();

    TcekiadeverilenF *w = app.cekiadeverilenF();
    QVERIFY(w->isVisible());
    QCOMPARE(TcekiadeverilenF::verilenIadeTuru, QStringLiteral("Duzenlenen"));
    QCOMPARE(w->kayitnoEdit->text(), QString::number(own));
    QCOMPARE(w->girisnoEdit->text(), QString());
    QCOMPARE(w->bordronoEdit->text(), QStringLiteral("8"));
    QCOMPARE(w->kimdenEdit->text(), QStringLiteral("Satıcı İki"));
    QCOMPARE(w->firmakoduEdit->text(), QStringLiteral("S2"));
    QCOMPARE(w->tarihDate->date(), QDate::currentDate());
    QCOMPARE(w->vadesiDate->date(), due);
    w->kuruEdit->setText(QStringLiteral("5"));
    w->BitBtn1->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_iade_tarihi FROM cekkendi")),
             QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    QCOMPARE(movement("doviz_kuru", 3), QStringLiteral("1"));
    QCOMPARE(movement("alacak_tutari", 3), QStringLiteral("500"));
    // Re-read: the list and the dashboard no longer hold the cheque.
    QVERIFY(!list->duzenlenenQuery.locate(QStringLiteral("cek_ind"), own));
    QVERIFY(!menu->ffQuery5.locate(QStringLiteral("cek_ind"), own));
}

// The window of a given cheque, by its key: fields, captions, the rate worked
// out on opening and on leaving "Kuru", a refusal kept in the window.
void TestTakeBack::windowOfAGivenCheque()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const Fixture f = endorsedCheque();
    TcekiadeverilenF w;
    QCOMPARE(w.objectName(), QStringLiteral("TcekiadeverilenF"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Brenvo Çek Senet Takip - Verilen Çek İade Alımı İşlemi"));
    QCOMPARE(w.headingLabel->text(), QStringLiteral("VERİLEN ÇEK İADE ALIMI İŞLEMİ"));
    QCOMPARE(w.BitBtn1->objectName(), QStringLiteral("BitBtn1"));
    QCOMPARE(w.BitBtn1->text(), QStringLiteral("Çeki İade Al"));
    QCOMPARE(w.CheckBox1->text(), QStringLiteral("Cari Hesaba Çek İade Olarak Ekle"));
    QVERIFY(w.CheckBox1->isChecked());
    QStringList labels;
    for (QLabel *l : w.findChildren<QLabel *>()) labels << l->text();
    for (const char *text : {"Çek Tutarı", "Giriş TL", "Para", "Kuru", "TL Karş.", "Kur Farkı", "Çek No", "Çek Bankası",
                             "Banka Şubesi", "İşlem Kayıt No", "Giriş No", "Çıkış Bordro No", "Çeki Düzenleyen",
                             "İade Firma Adı", "İade Firma Kodu", "Vadesi", "Tarih"})
        QVERIFY2(labels.contains(QString::fromUtf8(text)), text);

    // A cheque gone: told, nothing shown.
    MessageBox::clearShown();
    w.cirolananAc(9999);
    QVERIFY(!w.isVisible());
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, ChequeOperation::kChequeMissing);

    w.cirolananAc(f.given);
    QVERIFY(w.isVisible());
    QCOMPARE(TcekiadeverilenF::verilenIadeTuru, QStringLiteral("Cirolanan"));
    QCOMPARE(w.tutarEdit->text(), QStringLiteral("1.000,00"));
    QCOMPARE(w.girisTLEdit->text(), QStringLiteral("30.000,00"));
    QCOMPARE(w.paraEdit->text(), QStringLiteral("USD"));
    QCOMPARE(w.ceknoEdit->text(), QStringLiteral("C-77"));
    QCOMPARE(w.bankasiEdit->text(), QStringLiteral("Ziraat"));
    QCOMPARE(w.subesiEdit->text(), QStringLiteral("Konak"));
    QCOMPARE(w.kayitnoEdit->text(), QString::number(f.given));
    QCOMPARE(w.girisnoEdit->text(), QString::number(f.received));
    QCOMPARE(w.bordronoEdit->text(), QStringLiteral("7"));
    QCOMPARE(w.duzenleyenEdit->text(), QStringLiteral("Ayşe Öz"));
    QCOMPARE(w.kimdenEdit->text(), QStringLiteral("Satıcı Bir"));
    QCOMPARE(w.firmakoduEdit->text(), QStringLiteral("S1"));
    QCOMPARE(w.vadesiDate->date(), QDate(2024, 4, 15));
    QVERIFY(!w.vadesiDate->isEnabled());
    QCOMPARE(w.tarihDate->date(), QDate::currentDate());
    QCOMPARE(w.kuruEdit->text(), QStringLiteral("30"));
    QCOMPARE(w.TLEdit->text(), QStringLiteral("30.000,00"));
    QCOMPARE(w.kurfarkiEdit->text(), QStringLiteral("0,00"));
    QVERIFY(w.tutarEdit->isReadOnly() && w.girisnoEdit->isReadOnly() && !w.kuruEdit->isReadOnly());

    w.kuruEdit->setFocus();
    w.kuruEdit->setText(QStringLiteral("32"));
    Q_EMIT w.kuruEdit->editingFinished();
    QCOMPARE(w.TLEdit->text(), QStringLiteral("32.000,00"));
    QCOMPARE(w.kurfarkiEdit->text(), QStringLiteral("2.000,00"));
    w.tarihDate->setDate(QDate(2024, 3, 6));
    if (qEnvironmentVariableIsSet("CEKSENET_SHOTS")) w.grab().save(QStringLiteral("/tmp/iadeverilen.png"));

    // A rate that is no number: told, the window stays with its values.
    w.kuruEdit->setText(QStringLiteral("1,2,3"));
    MessageBox::clearShown();
    w.BitBtn1->click();
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(w.isVisible());
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_iade_tarihi FROM cekciro")), QString());

    // A cash row being typed would be lost to the switch into 2025: told, nothing written.
    Table kasaG(&cash(), QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
    kasaG.open();
    kasaG.append();
    w.setCashView(&kasaG);
    w.kuruEdit->setText(QStringLiteral("32"));
    w.tarihDate->setDate(QDate(2025, 1, 3));
    MessageBox::clearShown();
    w.BitBtn1->click();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, kTypedCashRow);
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_iade_tarihi FROM cekciro")), QString());
    kasaG.cancel();
    w.tarihDate->setDate(QDate(2024, 3, 6));

    QSignalSpy applied(&w, &ChequeOperationWindow::applied);
    w.BitBtn1->click();
    QVERIFY(!w.isVisible());
    QCOMPARE(applied.size(), 1);
    QCOMPARE(valueOf(company(), QStringLiteral("SELECT cek_iade_tarihi FROM cekciro")), QStringLiteral("06.03.2024"));
    QCOMPARE(movement("doviz_alacak", 2), QStringLiteral("32000"));

    // Opened again on the taken-back cheque: its return date, its own rate again.
    w.cirolananAc(f.given);
    QCOMPARE(w.tarihDate->date(), QDate(2024, 3, 6));
    QCOMPARE(w.kuruEdit->text(), QStringLiteral("30"));
}

QTEST_MAIN(TestTakeBack)
#include "test_take_back.moc"
