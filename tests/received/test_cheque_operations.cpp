// Collection, return and bounce of a cheque, and the list's undo commands.
#include "app/uygulama.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
#include "mainmenu/tfrmmain.h"
#include "received/cheque_operations.h"
#include "received/received_operations.h"
#include "received/tcekiadef.h"
#include "received/tcekkarsiliksizf.h"
#include "received/tceklerf.h"
#include "received/ttahsilatf.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace ChequeOperation;

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

// A USD cheque of 1.000,00 entered at rate 30, due 15.04.2024.
qint64 addCheque(const QString &bank = QStringLiteral("Ziraat"), const QString &no = QStringLiteral("C-77"),
                 const QString &currency = QStringLiteral("USD"), double amount = 1000, double entryTL = 30000)
{
    QVariantMap f{{"bordro_ind", 5},
                  {"alindigi_firma", QStringLiteral("Müşteri Bir")},
                  {"alindigi_firma_kodu", QStringLiteral("M1")},
                  {"islem_tarihi", QDate(2024, 1, 10)},
                  {"cek_tarihi", QDate(2024, 4, 15)},
                  {"cek_tutari", amount},
                  {"cekTL_karsiligi", entryTL},
                  {"para_birimi", currency},
                  {"ceki_duzenleyen", QStringLiteral("Ayşe Öz")}};
    if (!bank.isEmpty()) f["cek_bankasi"] = bank;
    if (!no.isEmpty()) f["cek_no"] = no;
    return TestHome::insertRow(company(), QStringLiteral("cekgiris"), f);
}

Values valuesFor(qint64 key, const QDate &day = QDate(2024, 3, 5))
{
    Table t(&company(), QStringLiteral("cekgiris"));
    t.open();
    t.locate(QStringLiteral("cek_ind"), key);
    Values v = fromReceived(t, Window::Collection, day);
    v.tarih = day;
    // A foreign cheque is collected at the day's rate.
    if (v.kuru.isEmpty() && v.para != QLatin1String("TL")) v.kuru = QStringLiteral("32,5");
    return v;
}

QString cheque(qint64 key, const char *field)
{
    return valueOf(company(), QStringLiteral("SELECT %1 FROM cekgiris WHERE cek_ind=%2").arg(QLatin1String(field)).arg(key));
}

} // namespace

class TestChequeOperations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::setTestMode(true); }
    void rate_data();
    void rate();
    void collectionWritesChequeAndCashRow();
    void descriptions_data();
    void descriptions();
    void refusalsWriteNothing();
    void returnWritesChequeAndMovement();
    void bounceWritesOnlyItsTable();
    void collectionInAnotherYear();
    void failedCashInsertLeavesBothFiles();
    void listItemsAndUndo();
    void collectionWindowFromTheList();
    void collectionFromTheMainWindow();
    void typedCashRowStaysTyped();
};

void TestChequeOperations::rate_data()
{
    QTest::addColumn<QString>("para");
    QTest::addColumn<QString>("tutar");
    QTest::addColumn<QString>("girisTL");
    QTest::addColumn<QString>("kuru");
    QTest::addColumn<QString>("kuruAfter");
    QTest::addColumn<QString>("tl");
    QTest::addColumn<QString>("fark");
    QTest::newRow("usd at 32,5") << "USD" << "1.000,00" << "30.000,00" << "32,5" << "32,5" << "32.500,00" << "2.500,00";
    QTest::newRow("usd no rate") << "USD" << "1.000,00" << "30.000,00" << "" << "" << "1.000,00" << "0,00";
    QTest::newRow("usd rate 0") << "USD" << "1.000,00" << "30.000,00" << "0" << "0" << "1.000,00" << "0,00";
    QTest::newRow("usd lower") << "USD" << "1.000,00" << "30.000,00" << "29,75" << "29,75" << "29.750,00" << "-250,00";
    QTest::newRow("tl any rate") << "TL" << "1.250,00" << "1.250,00" << "7" << "1" << "1.250,00" << "0";
    QTest::newRow("tl no rate") << "TL" << "1.250,00" << "1.250,00" << "" << "1" << "1.250,00" << "0";
}

void TestChequeOperations::rate()
{
    QFETCH(QString, para);
    QFETCH(QString, tutar);
    QFETCH(QString, girisTL);
    QFETCH(QString, kuru);
    Values v;
    v.para = para;
    v.tutar = tutar;
    v.girisTL = girisTL;
    v.kuru = kuru;
    hesaplaForAction(v);
    QTEST(v.kuru, "kuruAfter");
    QTEST(v.tl, "tl");
    QTEST(v.kurFarki, "fark");

    Values bad = v;
    bad.kuru = QStringLiteral("1,2,3");
    QVERIFY_THROWS_EXCEPTION(EngineError, hesapla(bad));
}

void TestChequeOperations::collectionWritesChequeAndCashRow()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 key = addCheque();
    Table cheques(&company(), QStringLiteral("cekgiris"));
    Table nakit(&cash(), QStringLiteral("nakit"));
    Values v = valuesFor(key);
    v.kuru = QStringLiteral("32,5");
    const Result r = collect(v, cheques, nakit);
    QVERIFY2(r.done, qPrintable(r.message));
    QCOMPARE(cheque(key, "cek_tahsilat_tarihi"), QStringLiteral("05.03.2024"));
    QCOMPARE(cheque(key, "cek_tahsil_kuru"), QStringLiteral("32,5"));
    QCOMPARE(cheque(key, "cek_tahsil_TL"), QStringLiteral("32500"));
    QCOMPARE(cheque(key, "cek_kur_farki"), QStringLiteral("2500"));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 1);
    const QString row = QStringLiteral("SELECT %1 FROM nakit WHERE cekid=") + QString::number(key);
    QCOMPARE(valueOf(cash(), row.arg("islem_tarihi")), QStringLiteral("05.03.2024"));
    QCOMPARE(valueOf(cash(), row.arg("doviz_kuru")), QStringLiteral("32,5"));
    QCOMPARE(valueOf(cash(), row.arg("doviz_cinsi")), QStringLiteral("USD"));
    QCOMPARE(valueOf(cash(), row.arg("borc_tutar")), QStringLiteral("1000"));
    QCOMPARE(valueOf(cash(), row.arg("doviz_borc")), QStringLiteral("32500"));
    QCOMPARE(valueOf(cash(), row.arg("aciklama")), QStringLiteral("Ziraat C-77 15.04.2024 Vadeli Çek Tahsilatı"));
    QCOMPARE(valueOf(cash(), row.arg("neden")), QStringLiteral("PORTFÖYDEN ÇEK NAKİT TAHSİLAT"));
    QCOMPARE(valueOf(cash(), row.arg("alacak_tutar")), QString());
    // No account named: no mirror movement.
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 0);

    // Collected again on another day: the one cash row is edited.
    v = valuesFor(key, QDate(2024, 3, 8));
    v.kuru = QStringLiteral("33");
    QVERIFY(collect(v, cheques, nakit).done);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 1);
    QCOMPARE(valueOf(cash(), row.arg("islem_tarihi")), QStringLiteral("08.03.2024"));
    QCOMPARE(valueOf(cash(), row.arg("doviz_borc")), QStringLiteral("33000"));
    QCOMPARE(cheque(key, "cek_tahsilat_tarihi"), QStringLiteral("08.03.2024"));

    // A TL cheque: rate 1 whatever was typed; a clear box writes only the cheque.
    const qint64 tl = addCheque(QString(), QString(), QStringLiteral("TL"), 1250, 1250);
    v = valuesFor(tl);
    v.kuru = QStringLiteral("7");
    v.box = false;
    QVERIFY(collect(v, cheques, nakit).done);
    QCOMPARE(cheque(tl, "cek_tahsil_kuru"), QStringLiteral("1"));
    QCOMPARE(cheque(tl, "cek_tahsil_TL"), QStringLiteral("1250"));
    QCOMPARE(cheque(tl, "cek_kur_farki"), QStringLiteral("0"));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 1);
    v.box = true;
    QVERIFY(collect(v, cheques, nakit).done);
    const QString tlRow = QStringLiteral("SELECT %1 FROM nakit WHERE cekid=") + QString::number(tl);
    QCOMPARE(valueOf(cash(), tlRow.arg("borc_tutar")), QStringLiteral("1250"));
    QCOMPARE(valueOf(cash(), tlRow.arg("doviz_borc")), QStringLiteral("1250"));
}

void TestChequeOperations::descriptions_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("no");
    QTest::addColumn<QString>("collection");
    QTest::addColumn<QString>("giveBack");
    QTest::newRow("both") << "Ziraat" << "C-77" << "Ziraat C-77 15.04.2024 Vadeli Çek Tahsilatı"
                          << "Ziraat C-77 15.04.2024 Vadeli Çek İadesi";
    QTest::newRow("number") << "" << "C-77" << "C-77 15.04.2024 Vadeli Çek Tahsilatı" << "C-77 15.04.2024 Vadeli Çek İadesi";
    QTest::newRow("bank") << "Ziraat" << "" << "Ziraat 15.04.2024 Vadeli Çek Tahsilatı"
                          << "Ziraat 15.04.2024 Vadeli Çek İadesi";
    QTest::newRow("neither") << "" << "" << "15.04.2024 Vadeli Çek Tahsilatı" << "15.04.2024 Vadeli Çek İadesi";
}

void TestChequeOperations::descriptions()
{
    QFETCH(QString, bank);
    QFETCH(QString, no);
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 key = addCheque(bank, no);
    Table cheques(&company(), QStringLiteral("cekgiris"));
    Table nakit(&cash(), QStringLiteral("nakit"));
    Values v = valuesFor(key);
    QVERIFY(collect(v, cheques, nakit).done);
    // A collected cheque is no longer returned: the return goes to a cheque like it.
    Values w = valuesFor(addCheque(bank, no));
    QVERIFY(giveBack(w, cheques).done);
    QTEST(valueOf(cash(), QStringLiteral("SELECT aciklama FROM nakit")), "collection");
    QTEST(valueOf(cash(), QStringLiteral("SELECT aciklama FROM carihareket")), "giveBack");
}

// A rate that is no number, an empty or unknown key: a message and no write.
void TestChequeOperations::refusalsWriteNothing()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 key = addCheque();
    Table cheques(&company(), QStringLiteral("cekgiris"));
    Table nakit(&cash(), QStringLiteral("nakit"));
    struct Case {
        const char *kayitNo;
        const char *kuru;
        bool missing;
    };
    const QString stored = QString::number(key);
    const QList<Case> cases{{"", "32,5", true}, {"9999", "32,5", true}, {"abc", "", true}, {nullptr, "1,2,3", false}};
    for (const Case &c : cases) {
        for (int op = 0; op < 3; ++op) {
            Values v = valuesFor(key);
            v.kayitNo = c.kayitNo ? QString::fromLatin1(c.kayitNo) : stored;
            v.kuru = QString::fromLatin1(c.kuru);
            const Result r = op == 0 ? collect(v, cheques, nakit)
                             : op == 1 ? giveBack(v, cheques)
                                       : bounce(v, Source::Portfoy, cheques);
            QVERIFY(!r.done);
            if (c.missing) QCOMPARE(r.message, kChequeMissing);
            else QVERIFY(!r.message.isEmpty());
        }
    }
    QCOMPARE(cheque(key, "cek_tahsilat_tarihi"), QString());
    QCOMPARE(cheque(key, "cek_iade_tarihi"), QString());
    QCOMPARE(cheque(key, "cek_karsiliklsiz_tarihi"), QString());
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 0);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 0);
}

void TestChequeOperations::returnWritesChequeAndMovement()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 key = addCheque();
    Table cheques(&company(), QStringLiteral("cekgiris"));
    // A take-back of a given cheque that happens to share the number.
    TestHome::insertRow(cash(), QStringLiteral("carihareket"),
                        {{"cek_iade_id", key}, {"bosint1", 2}, {"cari_kodu", QStringLiteral("S1")}, {"borc_tutari", 10}});
    Values v = valuesFor(key, QDate(2024, 3, 6));
    v.kuru = QStringLiteral("31");
    QVERIFY(giveBack(v, cheques).done);
    QCOMPARE(cheque(key, "cek_iade_tarihi"), QStringLiteral("06.03.2024"));
    QCOMPARE(cheque(key, "cek_tahsilat_tarihi"), QString());
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 2);
    const QString row = QStringLiteral("SELECT %1 FROM carihareket WHERE bosint1=1 AND cek_iade_id=") + QString::number(key);
    QCOMPARE(valueOf(cash(), row.arg("islem_tarihi")), QStringLiteral("06.03.2024"));
    QCOMPARE(valueOf(cash(), row.arg("doviz_kuru")), QStringLiteral("31"));
    QCOMPARE(valueOf(cash(), row.arg("doviz_cinsi")), QStringLiteral("USD"));
    QCOMPARE(valueOf(cash(), row.arg("cari_kodu")), QStringLiteral("M1"));
    QCOMPARE(valueOf(cash(), row.arg("cari_hesap_adi")), QStringLiteral("Müşteri Bir"));
    QCOMPARE(valueOf(cash(), row.arg("borc_tutari")), QStringLiteral("1000"));
    QCOMPARE(valueOf(cash(), row.arg("doviz_borc")), QStringLiteral("31000"));
    QCOMPARE(valueOf(cash(), row.arg("aciklama")), QStringLiteral("Ziraat C-77 15.04.2024 Vadeli Çek İadesi"));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 0);

    // Twice: still one movement of the return; the take-back is untouched.
    v.tarih = QDate(2024, 3, 9);
    QVERIFY(giveBack(v, cheques).done);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 2);
    QCOMPARE(valueOf(cash(), row.arg("islem_tarihi")), QStringLiteral("09.03.2024"));
    QCOMPARE(valueOf(cash(), QStringLiteral("SELECT borc_tutari FROM carihareket WHERE bosint1=2")), QStringLiteral("10"));

    // A clear box only marks the cheque.
    const qint64 other = addCheque();
    v = valuesFor(other);
    v.box = false;
    QVERIFY(giveBack(v, cheques).done);
    QCOMPARE(cheque(other, "cek_iade_tarihi"), QStringLiteral("05.03.2024"));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 2);
}

void TestChequeOperations::bounceWritesOnlyItsTable()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 received = addCheque();
    const qint64 given = TestHome::insertRow(company(), QStringLiteral("cekciro"),
                                             {{"cek_tutari", 1000}, {"cek_tarihi", QDate(2024, 4, 15)}});
    const qint64 own = TestHome::insertRow(company(), QStringLiteral("cekkendi"),
                                           {{"cek_tutari", 500}, {"cek_tarihi", QDate(2024, 5, 1)}});
    Table cheques(&company(), QStringLiteral("cekgiris"));
    Table givenT(&company(), QStringLiteral("cekciro"));
    Table ownT(&company(), QStringLiteral("cekkendi"));
    const auto bounceDates = [&] {
        return QStringList{cheque(received, "cek_karsiliklsiz_tarihi"),
                           valueOf(company(), QStringLiteral("SELECT cek_karsiliklsiz_tarihi FROM cekciro")),
                           valueOf(company(), QStringLiteral("SELECT cek_karsiliklsiz_tarihi FROM cekkendi"))};
    };
    Values v = valuesFor(received, QDate(2024, 4, 20));

    // The given cheque: its cekciro row only, never the cekgiris row it came from.
    v.kayitNo = QString::number(given);
    QVERIFY(bounce(v, Source::Cirolanan, givenT).done);
    QCOMPARE(bounceDates(), (QStringList{QString(), "20.04.2024", QString()}));
    v.kayitNo = QString::number(own);
    QVERIFY(bounce(v, Source::Duzenlenen, ownT).done);
    QCOMPARE(bounceDates(), (QStringList{QString(), "20.04.2024", "20.04.2024"}));
    v.kayitNo = QString::number(received);
    v.tarih = QDate(2024, 4, 22);
    QVERIFY(bounce(v, Source::None, cheques).done);
    QCOMPARE(bounceDates(), (QStringList{QString(), "20.04.2024", "20.04.2024"}));
    QVERIFY(bounce(v, Source::Portfoy, cheques).done);
    QCOMPARE(bounceDates(), (QStringList{"22.04.2024", "20.04.2024", "20.04.2024"}));
    QCOMPARE(sourceOf(QStringLiteral("Cirolanan")), Source::Cirolanan);
    QCOMPARE(sourceOf(QString()), Source::None);
    // No movement of any kind.
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 0);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("carihareket")), 0);
}

void TestChequeOperations::collectionInAnotherYear()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    DataContext &ctx = DataContext::instance();
    const QString file2025 = home.path(QStringLiteral("Data/A12025K.mdb"));
    const qint64 key = addCheque();
    Table cheques(&company(), QStringLiteral("cekgiris"));
    Table nakit(&cash(), QStringLiteral("nakit"));

    // Box clear: no switch, no file of 2025.
    Values v = valuesFor(key, QDate(2025, 1, 10));
    v.box = false;
    QVERIFY(collect(v, cheques, nakit).done);
    QCOMPARE(ctx.calismaYili, 2024);
    QVERIFY(!QFile::exists(file2025));

    // Template missing: nothing written, the year kept.
    QVERIFY(QFile::rename(home.path(QStringLiteral("Kasa.mdb")), home.path(QStringLiteral("Kasa.bak"))));
    v = valuesFor(key, QDate(2025, 1, 11));
    Result r = collect(v, cheques, nakit);
    QVERIFY(!r.done);
    QCOMPARE(r.message, kCashTemplateMissing);
    QCOMPARE(ctx.calismaYili, 2024);
    QCOMPARE(cheque(key, "cek_tahsilat_tarihi"), QStringLiteral("10.01.2025"));
    QVERIFY(!QFile::exists(file2025));
    const qint64 another = addCheque();  // the collected cheque is not returned
    Values w = valuesFor(another, QDate(2025, 1, 11));
    r = giveBack(w, cheques);
    QCOMPARE(r.message, kCashTemplateMissing);
    QCOMPARE(cheque(another, "cek_iade_tarihi"), QString());
    QVERIFY(QFile::rename(home.path(QStringLiteral("Kasa.bak")), home.path(QStringLiteral("Kasa.mdb"))));

    // With the box: the row lands in 2025 only and the program stays on 2025.
    int announced = 0;
    QObject::connect(&ctx, &DataContext::cashYearChanged, &ctx, [&](int year) { announced = year; });
    v = valuesFor(key, QDate(2025, 1, 10));
    QVERIFY(collect(v, cheques, nakit).done);
    QCOMPARE(ctx.calismaYili, 2025);
    QCOMPARE(announced, 2025);
    QVERIFY(QFile::exists(file2025));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 1);
    QVERIFY(kasadegistir(2024));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 0);
}

// The cash file refuses the row: neither the cheque nor the cash file changes.
void TestChequeOperations::failedCashInsertLeavesBothFiles()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 key = addCheque();
    Table cheques(&company(), QStringLiteral("cekgiris"));
    Table nakit(&cash(), QStringLiteral("nakit"));
    cash().exec(QStringLiteral("CREATE TRIGGER boom BEFORE INSERT ON nakit BEGIN SELECT RAISE(ABORT, 'disk dolu'); END"));
    Values v = valuesFor(key);
    v.kuru = QStringLiteral("32,5");
    const Result r = collect(v, cheques, nakit);
    QVERIFY(!r.done);
    QVERIFY(r.message.contains(QStringLiteral("disk dolu")));
    QCOMPARE(cheque(key, "cek_tahsilat_tarihi"), QString());
    QCOMPARE(cheque(key, "cek_tahsil_TL"), QString());
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 0);
    cash().exec(QStringLiteral("DROP TRIGGER boom"));
    // The same tables go on working.
    QVERIFY(collect(v, cheques, nakit).done);
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 1);
}

void TestChequeOperations::listItemsAndUndo()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    TceklerF lists;
    ReceivedOperations ops(&lists, nullptr, nullptr);
    // On an empty list the items open nothing and ask nothing.
    lists.CekleriHazirla();
    for (QAction *a : lists.popupItems)
        if (a->isEnabled() && a->isVisible()) a->trigger();
    QVERIFY(MessageBox::shown().isEmpty());
    QVERIFY(!ops.tahsilatF()->isVisible() && !ops.cekiadeF()->isVisible() && !ops.cekkarsiliksizF()->isVisible());

    const qint64 key = addCheque();
    {
        Table t(&company(), QStringLiteral("cekgiris"));
        t.open();
        QVERIFY(t.locate(QStringLiteral("cek_ind"), key));
        t.edit();
        t.field(QStringLiteral("cek_tahsilat_tarihi")) = QDate(2024, 3, 1);
        t.field(QStringLiteral("cek_tahsil_kuru")) = 31.0;
        t.field(QStringLiteral("cek_tahsil_TL")) = 31000.0;
        t.field(QStringLiteral("cek_kur_farki")) = 1000.0;
        t.field(QStringLiteral("cek_ciro_id")) = 4;
        t.field(QStringLiteral("cek_ciro_kime")) = QStringLiteral("Banka A");
        t.field(QStringLiteral("cek_ciro_tarihi")) = QDate(2024, 2, 1);
        t.field(QStringLiteral("cek_banka_id")) = 2;
        t.field(QStringLiteral("cek_banka_tarihi")) = QDate(2024, 1, 10);
        t.field(QStringLiteral("cek_banka_adi")) = QStringLiteral("Banka A");
        t.post();
    }
    lists.choiceGroup->button(int(ChequeList::Choice::Tum))->click();
    lists.CekleriHazirla();
    QVERIFY(!lists.listQuery.isEmpty());
    const auto trigger = [&](const char *name) {
        for (QAction *a : lists.popupItems)
            if (a->objectName() == QLatin1String(name)) a->trigger();
    };
    struct Case {
        const char *item;
        QString question;
        const char *field;
    };
    const QList<Case> cases{{"tahsilatKaldirItem", kUndoCollectionQuestion, "cek_tahsil_TL"},
                            {"cikisKaldirItem", kUndoExitQuestion, "cek_ciro_kime"}};
    for (const Case &c : cases) {
        const QString before = cheque(key, c.field);
        QVERIFY(!before.isEmpty());
        for (int answer : {int(MessageBox::No), int(MessageBox::Cancel)}) {
            MessageBox::clearShown();
            MessageBox::queueAnswer(answer);
            trigger(c.item);
            QCOMPARE(MessageBox::shown().size(), 1);
            const MessageBox::Shown &s = MessageBox::shown().first();
            QCOMPARE(s.caption, QStringLiteral("Brenvo Çek Senet Takip Programı"));
            QCOMPARE(s.text, c.question);
            QCOMPARE(s.icon, MessageBox::Icon::Question);
            QCOMPARE(s.buttons, int(MessageBox::Yes | MessageBox::No | MessageBox::Cancel));
            QCOMPARE(cheque(key, c.field), before);
        }
        MessageBox::queueAnswer(MessageBox::Yes);
        trigger(c.item);
        QCOMPARE(cheque(key, c.field), QString());
    }
    // Collection cleared whole, exit cleared whole; the bank fields stay.
    for (const char *f : {"cek_tahsilat_tarihi", "cek_tahsil_kuru", "cek_kur_farki", "cek_ciro_id", "cek_ciro_tarihi"})
        QCOMPARE(cheque(key, f), QString());
    QCOMPARE(cheque(key, "cek_banka_adi"), QStringLiteral("Banka A"));
    // The list, its total and its summary follow: the cheque lists under "Portföy+Banka".
    lists.choiceGroup->button(int(ChequeList::Choice::PortfoyBanka))->click();
    lists.CekleriHazirla();
    QCOMPARE(lists.listQuery.recordCount(), 1);
    QCOMPARE(lists.toplamEdit->text().isEmpty(), false);
}

void TestChequeOperations::collectionWindowFromTheList()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 key = addCheque();
    TceklerF lists;
    ReceivedOperations ops(&lists, nullptr, nullptr);
    lists.islemDate->setDate(QDate(2024, 3, 5));
    lists.choiceGroup->button(int(ChequeList::Choice::Tum))->click();
    lists.CekleriHazirla();
    for (QAction *a : lists.popupItems)
        if (a->objectName() == QLatin1String("tahsilatItem")) a->trigger();
    TtahsilatF *w = ops.tahsilatF();
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Brenvo Çek Senet Takip - Çek Tahsilat İşlemi"));
    const auto edit = [w](const char *name) { return w->findChild<QLineEdit *>(QLatin1String(name)); };
    QCOMPARE(edit("tutarEdit")->text(), QStringLiteral("1.000,00"));
    QCOMPARE(edit("girisTLEdit")->text(), QStringLiteral("30.000,00"));
    QCOMPARE(edit("kayitnoEdit")->text(), QString::number(key));
    QCOMPARE(edit("kuruEdit")->text(), QString());
    QCOMPARE(w->findChild<QDateEdit *>("tarihDate")->date(), QDate(2024, 3, 5));
    QVERIFY(w->findChild<QCheckBox *>("CheckBox1")->isChecked());
    QVERIFY(edit("tutarEdit")->isReadOnly() && !edit("kuruEdit")->isReadOnly());

    edit("kuruEdit")->setText(QStringLiteral("32,5"));
    w->hesapla();
    QCOMPARE(edit("TLEdit")->text(), QStringLiteral("32.500,00"));
    QCOMPARE(edit("kurfarkiEdit")->text(), QStringLiteral("2.500,00"));
    if (qEnvironmentVariableIsSet("CEKSENET_SHOTS")) w->grab().save(QStringLiteral("/tmp/tahsilat.png"));

    // A rate that is no number: told, nothing written, the window keeps its values.
    edit("kuruEdit")->setText(QStringLiteral("1,2,3"));
    MessageBox::clearShown();
    w->findChild<QPushButton *>("islemButton")->click();
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(w->isVisible());
    QCOMPARE(edit("kuruEdit")->text(), QStringLiteral("1,2,3"));
    QCOMPARE(cheque(key, "cek_tahsilat_tarihi"), QString());

    edit("kuruEdit")->setText(QStringLiteral("32,5"));
    w->findChild<QPushButton *>("islemButton")->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(cheque(key, "cek_tahsil_TL"), QStringLiteral("32500"));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 1);

    // The bounce window from the list: mode "Portfoy", heading and fields (on a
    // cheque still in the portfolio: a collected one does not bounce).
    const qint64 second = addCheque();
    lists.CekleriHazirla();
    lists.listQuery.locate(QStringLiteral("cek_ind"), second);
    for (QAction *a : lists.popupItems)
        if (a->objectName() == QLatin1String("karsiliksizItem")) a->trigger();
    QCOMPARE(TcekkarsiliksizF::karsiliksizKaynak, QStringLiteral("Portfoy"));
    TcekkarsiliksizF *b = ops.cekkarsiliksizF();
    QVERIFY(b->isVisible());
    QVERIFY(!b->findChild<QCheckBox *>("CheckBox1"));
    if (qEnvironmentVariableIsSet("CEKSENET_SHOTS")) b->grab().save(QStringLiteral("/tmp/karsiliksiz.png"));
    b->findChild<QPushButton *>("islemButton")->click();
    QCOMPARE(cheque(second, "cek_karsiliklsiz_tarihi"), QStringLiteral("05.03.2024"));
}

// The main window's portfolio: its own fill (the due date in both dates, an
// empty TL value) and the cheque leaves the portfolio once collected.
void TestChequeOperations::collectionFromTheMainWindow()
{
    TestHome home;
    Uygulama app;
    const QDate due = QDate::currentDate().addDays(5);
    home.openCompany(QStringLiteral("A1"), due.year());
    const qint64 key = TestHome::insertRow(company(), QStringLiteral("cekgiris"),
                                           {{"bordro_ind", 1}, {"alindigi_firma", QStringLiteral("Müşteri Bir")},
                                            {"cek_tarihi", due}, {"cek_tutari", 1250.0}, {"cekTL_karsiligi", 1250.0},
                                            {"para_birimi", QStringLiteral("TL")}, {"cek_no", QStringLiteral("9")}});
    TfrmMain *menu = app.frmMain();
    menu->prepareDashboard();
    QVERIFY(menu->ffQuery2.locate(QStringLiteral("cek_ind"), key));
    QAction *collect = menu->menuItem(QStringLiteral("tahsilatItem"));
    QVERIFY(collect && collect->isEnabled());
    collect->trigger();
    TtahsilatF *w = app.receivedOperations()->tahsilatF();
    QVERIFY(w->isVisible());
    QCOMPARE(w->vadesiDate->date(), due);
    QCOMPARE(w->tarihDate->date(), due);
    QCOMPARE(w->TLEdit->text(), QString());
    QCOMPARE(w->kurfarkiEdit->text(), QStringLiteral("0"));
    QCOMPARE(w->tutarEdit->text(), QStringLiteral("1.250,00"));
    w->actionButton->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(cheque(key, "cek_tahsil_TL"), QStringLiteral("1250"));
    QVERIFY(!menu->ffQuery2.locate(QStringLiteral("cek_ind"), key));
    QCOMPARE(valueOf(cash(), QStringLiteral("SELECT aciklama FROM nakit")),
             QStringLiteral("9 ") + due.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" Vadeli Çek Tahsilatı"));
}

// A cash row being typed in the cash view is neither posted by a collection nor lost.
void TestChequeOperations::typedCashRowStaysTyped()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 key = addCheque();
    Table kasaG(&cash(), QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
    kasaG.open();
    kasaG.append();
    kasaG.field(QStringLiteral("aciklama")) = QStringLiteral("yazılıyor");
    kasaG.field(QStringLiteral("borc_tutar")) = 5.0;
    TtahsilatF w;
    w.setTables(nullptr, &kasaG);
    w.setValues(valuesFor(key));
    w.kuruEdit->setText(QStringLiteral("32,5"));
    w.actionButton->click();
    QCOMPARE(cheque(key, "cek_tahsil_TL"), QStringLiteral("32500"));
    QCOMPARE(TestHome::countRows(cash(), QStringLiteral("nakit")), 1);
    QCOMPARE(valueOf(cash(), QStringLiteral("SELECT aciklama FROM nakit")), QStringLiteral("Ziraat C-77 15.04.2024 Vadeli Çek Tahsilatı"));
    QCOMPARE(kasaG.state(), Dataset::State::Insert);
    QCOMPARE(kasaG.field(QStringLiteral("aciklama")).asString(), QStringLiteral("yazılıyor"));

    // Dated into another year, the switch would drop the typed row: told, nothing written.
    const qint64 other = addCheque();
    for (ChequeOperationWindow *win : {static_cast<ChequeOperationWindow *>(&w), static_cast<ChequeOperationWindow *>(new TcekiadeF(&w))}) {
        win->setCashView(&kasaG);
        Values v = valuesFor(other, QDate(2025, 1, 3));
        win->setValues(v);
        MessageBox::clearShown();
        win->actionButton->click();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text, kTypedCashRow);
    }
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    QCOMPARE(cheque(other, "cek_tahsilat_tarihi"), QString());
    QCOMPARE(cheque(other, "cek_iade_tarihi"), QString());
    QCOMPARE(kasaG.state(), Dataset::State::Insert);
}

QTEST_MAIN(TestChequeOperations)
#include "test_cheque_operations.moc"
