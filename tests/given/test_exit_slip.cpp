// The exit slip's row steps and its save, on cell texts and the database files.
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
#include "data/transaction.h"
#include "given/exit_slip_load.h"
#include "given/exit_slip_rows.h"
#include "given/exit_slip_save.h"
#include "given/given_take_back.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QtTest>

using namespace EntrySlip;
using namespace ExitSlip;

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }
Connection &cash() { return DataContext::instance().kasaConnection; }

QVariantMap one(Connection &c, const QString &sql)
{
    Query q(&c);
    q.sql() << sql;
    q.open();
    QVariantMap out;
    if (q.isEmpty()) return out;
    for (int i = 0; i < q.fieldCount(); ++i) out[q.fieldInfo(i).name] = q.value(i);
    return out;
}

// A portfolio cheque received from R1 on 10.02.2021.
qint64 addReceived(double amount, const QDate &due, const QString &currency = "TL", const QString &number = "C-1")
{
    return TestHome::insertRow(company(), "cekgiris",
                               {{"bordro_ind", 1},
                                {"islem_tarihi", QDate(2021, 2, 10)},
                                {"alindigi_firma", "Alıcı Bir"},
                                {"alindigi_firma_kodu", "R1"},
                                {"cek_tarihi", due},
                                {"cek_tutari", amount},
                                {"cek_adat", 1234.5},
                                {"ceki_duzenleyen", "Ayşe Öz"},
                                {"cek_bankasi", "Ziraat"},
                                {"cek_subesi", "Konak"},
                                {"cek_hesap_no", "H-9"},
                                {"cek_no", number},
                                {"aciklama", "ilk"},
                                {"para_birimi", currency}});
}

QStringList emptyRow(int number)
{
    QStringList r(ExitColumnCount);
    r[ColNo] = QString::number(number);
    return r;
}

QStringList receivedRow(int number, qint64 key)
{
    Table t(&company(), "cekgiris");
    t.open();
    if (!t.locate("cek_ind", key)) qFatal("no cheque");
    QStringList r = emptyRow(number);
    fillFromReceived(r, t);
    return r;
}

QStringList ownRow(int number, const QDate &due, double amount)
{
    OwnCheque c;
    c.due = due;
    c.amount = amount;
    c.bank = "Garanti";
    c.number = "K-1";
    QStringList r = emptyRow(number);
    fillOwnCheque(r, c, "Öztürk Gıda Ltd. Şti.");
    return r;
}

// A slip of 01.03.2021 to the supplier S1 at 36 % a year: the worked example's
// two cheques from the portfolio and one own cheque.
struct Slip {
    Header header;
    Params params;
    QVector<QStringList> rows;
    Table slips{&company(), "cikisbordro", "PrimaryKey"};
    Table given{&company(), "cekciro", "cek_tarihi"};
    Table received{&company(), "cekgiris", "cek_tarihi"};
    Table own{&company(), "cekkendi", "PrimaryKey"};
    qint64 first = 0, second = 0;

    explicit Slip(bool withOwn = true)
    {
        header.slipDate = QDate(2021, 3, 1);
        header.code = "S1";
        header.name = "Satıcı Bir";
        header.exitType = 1;
        params.slipDate = header.slipDate;
        params.yillikFaiz = "36";
        params = exitParams(params);
        first = addReceived(10000, QDate(2021, 3, 31));
        second = addReceived(5000, QDate(2021, 4, 15), "TL", "C-2");
        rows = {receivedRow(1, first), receivedRow(2, second)};
        if (withOwn) rows << ownRow(3, QDate(2021, 5, 31), 2000);
        rows << emptyRow(int(rows.size()) + 1);
    }
    SaveResult save(const Deleted &d = {})
    {
        params.slipDate = header.slipDate;
        return saveSlip(header, params, rows, Datasets{slips, given, received, own}, d);
    }
};

} // namespace

class TestExitSlip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::setTestMode(true); MessageBox::clearShown(); }
    void dueDateWithoutYearIsRefused_data();
    void dueDateWithoutYearIsRefused();
    void bsmvAndDebit();
    void targetAndCopyRows();
    void refusalsOfAPortfolioCheque();
    void saveByExitType_data();
    void saveByExitType();
    void tlSlipWithTypedRate();
    void secondSaveKeepsOneMovement();
    void slipMovedToAnotherYearAndBack();
    void deletedRowsGoInTheSave();
    void checksStopBeforeWriting_data();
    void checksStopBeforeWriting();
    void chequeThatLeftThePortfolioStopsTheSave_data();
    void chequeThatLeftThePortfolioStopsTheSave();
    void resaveLeavesChequesThatMovedOn_data();
    void resaveLeavesChequesThatMovedOn();
    void cashFileFailureLeavesCompanyUntouched();
    void missingKeysStoredAsNew();
    void moneyWrittenIsMoneyShown();
    void locateInALargeTable();
};

void TestExitSlip::dueDateWithoutYearIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("no year") << "05.03.____" << int(DueDate::Stop) << "" << "\"05.03.0\" tarih girişiniz uygun değil!";
    QTest::newRow("two-digit year") << "05.03.21__" << int(DueDate::Valid) << "05.03.2021" << "";
    QTest::newRow("one-digit year") << "05.03.5___" << int(DueDate::Valid) << "05.03.2005" << "";
    QTest::newRow("three-digit year") << "05.03.999_" << int(DueDate::Valid) << "05.03.1999" << "";
    QTest::newRow("1904") << "05.03.1904" << int(DueDate::Stop) << "" << "\"05.03.1904\" tarih girişiniz uygun değil!";
    QTest::newRow("3000") << "05.03.3000" << int(DueDate::Stop) << "" << "\"05.03.3000\" tarih girişiniz uygun değil!";
    QTest::newRow("31 February") << "31.02.2021" << int(DueDate::Invalid) << ""
                                 << "31.02.2021 Tarih Girişiniz doğru değil.";
}

void TestExitSlip::dueDateWithoutYearIsRefused()
{
    QFETCH(QString, typed);
    QFETCH(int, outcome);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Params p;
    p.slipDate = QDate(2021, 3, 1);
    p = exitParams(p);
    QStringList r = emptyRow(1);
    r[ColVade] = typed;
    r[ColTutar] = "100";
    const RowStep step = calculateRow(r, p);
    QCOMPARE(int(step.outcome), outcome);
    QCOMPARE(r[ColVade], text);
    QCOMPARE(step.message, message);
    // The entry slip still takes the slip's year.
    Params entry;
    entry.slipDate = QDate(2021, 3, 1);
    QStringList e = emptyRow(1);
    e[ColVade] = "05.03.____";
    QCOMPARE(calculateRow(e, entry).outcome, DueDate::Valid);
}

void TestExitSlip::bsmvAndDebit()
{
    // Total maturity difference 150,00 and expenses 20,00 at 5 %: BSMV 8,50.
    Params p;
    p.slipDate = QDate(2021, 3, 1);
    QStringList r = emptyRow(1);
    r[ColVade] = "31.03.2021";
    r[ColTutar] = "10.000,00";
    r[ColVadeFarki] = "150,00";
    r[ColMasraf] = "20,00";
    const Totals t = calculateTotals({r, emptyRow(2)}, p);
    QCOMPARE(t.bsmv, 8.5);
    QCOMPARE(debitAmount(t, true, true, true), 9821.5);
    QCOMPARE(debitAmount(t, false, true, false), 9980.0);
    QCOMPARE(debitAmount(t, false, false, false), 10000.0);
    p.bsmvPercent = "0";
    QCOMPARE(calculateTotals({r}, p).bsmv, 0.0);
}

void TestExitSlip::targetAndCopyRows()
{
    QStringList full = ownRow(1, QDate(2021, 5, 31), 100);
    QStringList portfolio = emptyRow(2);
    portfolio[ColVade] = "31.05.2021";
    portfolio[ColTutar] = "50,00";
    QCOMPARE(targetRow({emptyRow(1)}), 0);
    QCOMPARE(targetRow({full, portfolio, emptyRow(3)}), 2);
    QCOMPARE(targetRow({full, portfolio}), 0);  // no empty row: the first one
    // An own cheque is copied into the next row without a due date.
    QCOMPARE(copyTarget({full, portfolio, emptyRow(3)}, 0), 2);
    QCOMPARE(copyTarget({full, portfolio, emptyRow(3)}, 1), -1);  // a portfolio cheque
    QCOMPARE(copyTarget({full, portfolio}, 0), -1);               // no room
    QCOMPARE(copyTarget({emptyRow(1), emptyRow(2)}, 0), -1);      // nothing to copy
    QStringList saved = full;
    saved[ColDuzenlemeId] = "12";
    QCOMPARE(copyTarget({saved, emptyRow(2)}, 0), 1);
    QCOMPARE(currencyMessage("TL"), QString("Çek çıkış bordrosu aynı para cinsinden düzenlenmelidir.\n\r"
                                            "Daha önceki girişleriniz \"TL\" olarak yapılmış"));
    QCOMPARE(full[ColDuzenleyen], QString("Öztürk Gıda Ltd. Şti."));
    QCOMPARE(full[ColDuzenlemeId], kNewOwnCheque);
    QCOMPARE(full[ColTutar], QString("100,00"));
}

void TestExitSlip::refusalsOfAPortfolioCheque()
{
    TestHome home;
    home.openCompany("A1", 2021);
    const qint64 free = addReceived(100, QDate(2021, 4, 1));
    Table t(&company(), "cekgiris");
    t.open();
    const QString used = "Bu çeke daha öncesinden Ciro/Tahsilat/Karşılıksız/İade\n\rişlemi yapılmıştır. Seçiminizi değiştiriniz.";
    const QString twice = "Bu çek daha öncesinden bordroya eklenmiştir.\n\rBaşka seçim yapınız.";
    QVERIFY(t.locate("cek_ind", free));
    QCOMPARE(refusal(t, {emptyRow(1)}), QString());
    QStringList onSlip = emptyRow(1);
    onSlip[ColGirisId] = QString::number(free);
    QCOMPARE(refusal(t, {onSlip, emptyRow(2)}), twice);
    for (const char *field : {"cek_ciro_tarihi", "cek_tahsilat_tarihi", "cek_karsiliklsiz_tarihi", "cek_iade_tarihi"}) {
        const qint64 k = addReceived(100, QDate(2021, 4, 1));
        t.refresh();
        QVERIFY(t.locate("cek_ind", k));
        t.edit();
        t.field(field) = QDate(2021, 2, 20);
        t.post();
        QVERIFY(t.locate("cek_ind", k));
        QCOMPARE(refusal(t, {emptyRow(1)}), used);
    }
}

void TestExitSlip::saveByExitType_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("Müşteri") << 0;
    QTest::newRow("Satıcı") << 1;
    QTest::newRow("Banka") << 2;
}

void TestExitSlip::saveByExitType()
{
    QFETCH(int, type);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    s.header.exitType = type;
    s.header.currency = "TL";
    s.header.deductMaturity = true;
    s.header.memo = "Mart ödemesi";
    s.params.bsmvPercent = "5";
    const SaveResult r = s.save();
    QVERIFY2(r.saved, qPrintable(r.message));
    QCOMPARE(r.givenWritten, 2);
    QCOMPARE(r.ownWritten, 1);
    QCOMPARE(s.header.number, 1);
    QCOMPARE(s.rows[0][ColCiroIndex], QString("1"));
    QCOMPARE(s.rows[1][ColCiroIndex], QString("2"));
    QCOMPARE(s.rows[2][ColDuzenlemeId], QString("1"));
    QCOMPARE(s.rows[0][ColVadeFarki], QString("295,89"));
    QCOMPARE(s.rows[0][ColNet], QString("9.704,11"));

    // The header: totals as shown (295,89 + 221,92 + 2000 × 91 days).
    const QVariantMap h = one(company(), "SELECT * FROM cikisbordro");
    QCOMPARE(h["islem_tarihi"].toString(), QString("2021-03-01"));
    QCOMPARE(h["ciro_firma_kodu"].toString(), QString("S1"));
    QCOMPARE(h["ciro_firma"].toString(), QString("Satıcı Bir"));
    QCOMPARE(h["yildaki_gun"].toInt(), 365);
    QCOMPARE(h["yillik_faiz"].toDouble(), 36.0);
    QCOMPARE(h["tah_sure_ekle"].toInt(), 0);
    QCOMPARE(h["para_birimi"].toString(), QString("TL"));
    QCOMPARE(h["toplam_tutari"].toDouble(), 17000.0);
    QCOMPARE(h["toplam_vade_farki"].toDouble(), 295.89 + 221.92 + 179.51);
    QCOMPARE(h["toplam_net_tutar"].toDouble(), 17000.0 - (295.89 + 221.92 + 179.51));
    QCOMPARE(h["toplam_masraflar"].toDouble(), 0.0);
    QCOMPARE(h["BSMV_oran"].toDouble(), 5.0);
    QCOMPARE(h["BSMV"].toDouble(), roundKurus(0.05 * (295.89 + 221.92 + 179.51)));
    QCOMPARE(h["vade_farki_dus"].toString(), QString("E"));
    QCOMPARE(h["masraf_dus"].toString(), QString("H"));
    QCOMPARE(h["hafta_sonu_ekle"].toString(), QString("H"));
    QCOMPARE(h["genel_aciklama"].toString(), QString("Mart ödemesi"));
    // (10000×30 + 5000×45 + 2000×91) / 17000 = 41,6… days.
    QCOMPARE(h["ortalama_gun"].toInt(), 42);
    QCOMPARE(h["ortalama_vade"].toString(), QString("2021-04-12"));

    // The given cheques.
    const QVariantMap g = one(company(), "SELECT * FROM cekciro WHERE ciro_cek_ind=1");
    QCOMPARE(g["ciro_bordro_ind"].toInt(), 1);
    QVERIFY(g["ciro_bordro_sira_no"].isNull());
    QCOMPARE(g["ciro_firma"].toString(), QString("Satıcı Bir"));
    QCOMPARE(g["Ciro_firma_kodu"].toString(), QString("S1"));
    QCOMPARE(g["cek_tarihi"].toString(), QString("2021-03-31"));
    QCOMPARE(g["cek_tutari"].toDouble(), 10000.0);
    QCOMPARE(g["cek_gun"].toInt(), 30);
    QCOMPARE(g["cek_adat"].toDouble(), 300000.0);
    QCOMPARE(g["cek_vade_farki"].toDouble(), 295.89);
    QCOMPARE(g["cek_net_tutar"].toDouble(), 9704.11);
    QCOMPARE(g["cek_masraf"].toDouble(), 0.0);
    QCOMPARE(g["ceki_duzenleyen"].toString(), QString("Ayşe Öz"));
    QCOMPARE(g["cek_bankasi"].toString(), QString("Ziraat"));
    QCOMPARE(g["cek_no"].toString(), QString("C-1"));
    QCOMPARE(g["alindigi_firma"].toString(), QString("Alıcı Bir"));
    QCOMPARE(g["alindigi_firma_kodu"].toString(), QString("R1"));
    QCOMPARE(g["cek_alindigi_tarihi"].toString(), QString("2021-02-10"));
    QCOMPARE(g["aciklama"].toString(), QString("ilk"));
    QCOMPARE(g["cek_giris_id"].toLongLong(), s.first);
    QCOMPARE(g["cekTL_karsiligi"].toDouble(), 10000.0);
    QCOMPARE(g["para_birimi"].toString(), QString("TL"));
    QCOMPARE(g["cek_doviz_kuru"].toDouble(), 1.0);
    QCOMPARE(g["cek_banka_id"].toInt(), type);
    QCOMPARE(g["cek_banka_tarihi"].isNull(), type != 2);
    QCOMPARE(g["cek_banka_adi"].toString(), type == 2 ? QString("Satıcı Bir") : QString());

    // The received cheques are given out.
    const QVariantMap c = one(company(), QString("SELECT * FROM cekgiris WHERE cek_ind=%1").arg(s.first));
    QCOMPARE(c["cek_ciro_kime"].toString(), QString("Satıcı Bir"));
    QCOMPARE(c["cek_ciro_id"].toInt(), 1);
    QCOMPARE(c["cek_ciro_tarihi"].toString(), QString("2021-03-01"));
    QCOMPARE(c["cek_banka_id"].toInt(), type);
    QCOMPARE(c["cek_banka_tarihi"].isNull(), type != 2);
    QCOMPARE(c["cek_banka_adi"].toString(), type == 2 ? QString("Satıcı Bir") : QString());

    // The own cheque.
    const QVariantMap o = one(company(), "SELECT * FROM cekkendi");
    QCOMPARE(o["bordro_ind"].toInt(), 1);
    QCOMPARE(o["bordro_sira_no"].toInt(), 3);
    QCOMPARE(o["cirolandigi_firma"].toString(), QString("Satıcı Bir"));
    QCOMPARE(o["cirolandigi_firma_kodu"].toString(), QString("S1"));
    QCOMPARE(o["islem_tarihi"].toString(), QString("2021-03-01"));
    QCOMPARE(o["cek_tarihi"].toString(), QString("2021-05-31"));
    QCOMPARE(o["cek_tutari"].toDouble(), 2000.0);
    QCOMPARE(o["cek_gun"].toInt(), 91);
    QCOMPARE(o["cek_vade_farki"].toDouble(), 179.51);
    QCOMPARE(o["ceki_duzenleyen"].toString(), QString("Öztürk Gıda Ltd. Şti."));
    QCOMPARE(o["cek_bankasi"].toString(), QString("Garanti"));
    QCOMPARE(o["cek_no"].toString(), QString("K-1"));
    QCOMPARE(o["cekTL_karsiligi"].toDouble(), 2000.0);
    QCOMPARE(o["cek_banka_id"].toInt(), type);
    QCOMPARE(o["cek_banka_tarihi"].isNull(), type != 2);

    // One debit movement in the year's cash file.
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    const QVariantMap m = one(cash(), "SELECT * FROM carihareket");
    QCOMPARE(m["cari_kodu"].toString(), QString("S1"));
    QCOMPARE(m["cari_hesap_adi"].toString(), QString("Satıcı Bir"));
    QCOMPARE(m["islem_tarihi"].toString(), QString("2021-03-01"));
    QCOMPARE(m["vade_tarihi"].toString(), QString("2021-04-12"));
    QCOMPARE(m["doviz_cinsi"].toString(), QString("TL"));
    QCOMPARE(m["doviz_kuru"].toDouble(), 1.0);
    QCOMPARE(m["brut_tutar"].toDouble(), 17000.0);
    QCOMPARE(m["vade_fark"].toDouble(), h["toplam_vade_farki"].toDouble());
    QCOMPARE(m["BSMV"].toDouble(), h["BSMV"].toDouble());
    QCOMPARE(m["vade_farki_dus"].toString(), QString("E"));
    QCOMPARE(m["masraf_dus"].toString(), QString("H"));
    QCOMPARE(m["BSMV_dus"].toString(), QString("H"));
    QCOMPARE(m["borc_tutari"].toDouble(), roundKurus(17000.0 - h["toplam_vade_farki"].toDouble()));
    QVERIFY(m["alacak_tutari"].isNull() || m["alacak_tutari"].toDouble() == 0.0);
    QCOMPARE(m["cek_ciro_id"].toInt(), 1);
    QCOMPARE(m["aciklama"].toString(), QString("1 nolu çek tediye bordrosu."));
}

void TestExitSlip::tlSlipWithTypedRate()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    s.header.kuru = "2";
    QVERIFY(s.save().saved);
    QCOMPARE(s.header.kuru, QString("1"));
    QCOMPARE(one(company(), "SELECT doviz_kuru FROM cikisbordro")["doviz_kuru"].toDouble(), 2.0);
    const QVariantMap g = one(company(), "SELECT cek_doviz_kuru, cekTL_karsiligi FROM cekciro WHERE ciro_cek_ind=2");
    QCOMPARE(g["cek_doviz_kuru"].toDouble(), 1.0);
    QCOMPARE(g["cekTL_karsiligi"].toDouble(), 5000.0);
    const QVariantMap o = one(company(), "SELECT cek_doviz_kuru, cekTL_karsiligi FROM cekkendi");
    QCOMPARE(o["cek_doviz_kuru"].toDouble(), 1.0);
    QCOMPARE(o["cekTL_karsiligi"].toDouble(), 2000.0);
    QCOMPARE(one(cash(), "SELECT doviz_kuru FROM carihareket")["doviz_kuru"].toDouble(), 1.0);
}

void TestExitSlip::secondSaveKeepsOneMovement()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    QVERIFY(s.save().saved);
    s.rows[0][ColMasraf] = "20";
    s.header.deductExpense = true;
    QVERIFY(s.save().saved);
    QCOMPARE(TestHome::countRows(company(), "cikisbordro"), 1);
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 2);
    QCOMPARE(TestHome::countRows(company(), "cekkendi"), 1);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    const QVariantMap m = one(cash(), "SELECT * FROM carihareket WHERE cek_ciro_id=1");
    QCOMPARE(m["cek_masraf"].toDouble(), 20.0);
    QCOMPARE(m["borc_tutari"].toDouble(), 16980.0);
    QCOMPARE(one(company(), "SELECT cek_masraf FROM cekciro WHERE ciro_cek_ind=1")["cek_masraf"].toDouble(), 20.0);
}

void TestExitSlip::slipMovedToAnotherYearAndBack()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s(false);
    QVERIFY(s.save().saved);
    // Dated in 2022: the movement moves into the 2022 file, in the same save.
    s.header.slipDate = QDate(2022, 1, 3);
    QVERIFY(s.save().saved);
    DataContext &ctx = DataContext::instance();
    QCOMPARE(ctx.calismaYili, 2022);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    QCOMPARE(one(cash(), "SELECT islem_tarihi FROM carihareket")["islem_tarihi"].toString(), QString("2022-01-03"));
    {
        Connection former;
        former.setConnectionString(DataContext::cashConnectionString("A1", 2021));
        QCOMPARE(TestHome::countRows(former, "carihareket"), 0);
    }
    // And back to 2021.
    s.header.slipDate = QDate(2021, 3, 1);
    QVERIFY(s.save().saved);
    QCOMPARE(ctx.calismaYili, 2021);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    Connection later;
    later.setConnectionString(DataContext::cashConnectionString("A1", 2022));
    QCOMPARE(TestHome::countRows(later, "carihareket"), 0);
}

void TestExitSlip::deletedRowsGoInTheSave()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    QVERIFY(s.save().saved);
    // The second portfolio cheque and the own cheque leave the slip.
    Deleted d;
    d.given << s.rows[1][ColCiroIndex].toLongLong();
    d.returned << s.rows[1][ColGirisId].toLongLong();
    d.own << s.rows[2][ColDuzenlemeId].toLongLong();
    s.rows = {s.rows[0], emptyRow(2)};
    QVERIFY(s.save(d).saved);
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 1);
    QCOMPARE(TestHome::countRows(company(), "cekkendi"), 0);
    const QVariantMap back = one(company(), QString("SELECT * FROM cekgiris WHERE cek_ind=%1").arg(s.second));
    QVERIFY(back["cek_ciro_id"].isNull() && back["cek_ciro_kime"].isNull() && back["cek_ciro_tarihi"].isNull());
    QCOMPARE(one(company(), "SELECT toplam_tutari FROM cikisbordro")["toplam_tutari"].toDouble(), 10000.0);
    QCOMPARE(one(cash(), "SELECT brut_tutar FROM carihareket")["brut_tutar"].toDouble(), 10000.0);
    // A cheque given out on another slip since is not taken back by this one.
    Table t(&company(), "cekgiris");
    t.open();
    QVERIFY(t.locate("cek_ind", s.second));
    t.edit();
    t.field("cek_ciro_id") = 7;
    t.post();
    Deleted stale;
    stale.returned << s.second;
    QVERIFY(s.save(stale).saved);
    QCOMPARE(one(company(), QString("SELECT cek_ciro_id FROM cekgiris WHERE cek_ind=%1").arg(s.second))["cek_ciro_id"].toInt(), 7);
}

void TestExitSlip::checksStopBeforeWriting_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("yearDays");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown code") << "YOK" << "Satıcı Bir" << "365" << "\"YOK\" firma kodu bulunamadı. Yeni kod giriniz!";
    QTest::newRow("other name") << "S1" << "Satıcı İki" << "365"
                                << "\"Satıcı İki\" adı \"S1\" firma kodu ile uyuşmuyor. Kontrol ediniz!";
    QTest::newRow("quote in code") << "S1' OR '1'='1" << "Satıcı Bir" << "365"
                                   << "\"S1' OR '1'='1\" firma kodu bulunamadı. Yeni kod giriniz!";
    QTest::newRow("days not whole") << "S1" << "Satıcı Bir" << "365,5" << "throws";
}

void TestExitSlip::checksStopBeforeWriting()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(QString, yearDays);
    QFETCH(QString, message);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    s.header.code = code;
    s.header.name = name;
    s.params.yildakiGun = yearDays;
    if (message == "throws") {
        QVERIFY_THROWS_EXCEPTION(EngineError, s.save());
    } else {
        const SaveResult r = s.save();
        QVERIFY(!r.saved);
        QCOMPARE(r.message, message);
    }
    for (const char *table : {"cikisbordro", "cekciro", "cekkendi"}) QCOMPARE(TestHome::countRows(company(), table), 0);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
    QVERIFY(one(company(), "SELECT COUNT(*) AS n FROM cekgiris WHERE cek_ciro_id IS NOT NULL")["n"].toInt() == 0);
    QCOMPARE(s.header.number, 0);
    QVERIFY(s.rows[0][ColCiroIndex].isEmpty());
    QCOMPARE(s.rows[2][ColDuzenlemeId], kNewOwnCheque);
}

void TestExitSlip::chequeThatLeftThePortfolioStopsTheSave_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("endorsed") << "cek_ciro_id";
    QTest::newRow("collected") << "cek_tahsilat_tarihi";
    QTest::newRow("returned") << "cek_iade_tarihi";
    QTest::newRow("bounced") << "cek_karsiliklsiz_tarihi";
    QTest::newRow("deleted") << "";
}

void TestExitSlip::chequeThatLeftThePortfolioStopsTheSave()
{
    QFETCH(QString, field);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    // Picked on this slip, then changed elsewhere before the save.
    Table t(&company(), "cekgiris");
    t.open();
    QVERIFY(t.locate("cek_ind", s.second));
    if (field.isEmpty()) {
        t.remove();
    } else {
        t.edit();
        t.field(field) = field == "cek_ciro_id" ? QVariant(9) : QVariant(QDate(2021, 2, 25));
        t.post();
    }
    const SaveResult r = s.save();
    QVERIFY(!r.saved);
    QCOMPARE(r.message, QString("2. satırdaki çek (C-2 nolu çek, 5.000,00) artık portföyde değil.\n\r"
                                "Satırı silip bordroyu yeniden kaydediniz; bordro kaydedilmedi."));
    for (const char *table : {"cikisbordro", "cekciro", "cekkendi"}) QCOMPARE(TestHome::countRows(company(), table), 0);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
    QVERIFY(one(company(), QString("SELECT cek_ciro_id FROM cekgiris WHERE cek_ind=%1").arg(s.first))["cek_ciro_id"].isNull());
}

void TestExitSlip::resaveLeavesChequesThatMovedOn_data()
{
    // What happened to the second cheque after it was taken back from the slip.
    QTest::addColumn<QString>("then");
    QTest::newRow("back in the portfolio") << "";
    QTest::newRow("endorsed on another slip") << "cek_ciro_id";
    QTest::newRow("collected") << "cek_tahsilat_tarihi";
}

// A saved slip reloaded and saved again must not endorse once more a cheque that
// was taken back from it meanwhile.
void TestExitSlip::resaveLeavesChequesThatMovedOn()
{
    QFETCH(QString, then);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    QVERIFY(s.save().saved);
    const qint64 number = s.header.number;

    {
        Table cekciro(&company(), "cekciro");
        Table cekgiris(&company(), "cekgiris");
        cekciro.open();
        QVERIFY(cekciro.locate("ciro_cek_ind", s.rows[1][ColCiroIndex].toLongLong()));
        GivenTakeBack::Values v = GivenTakeBack::fromGiven(cekciro);
        v.tarih = QDate(2021, 3, 10);
        v.box = false;
        const GivenTakeBack::Result r = GivenTakeBack::takeBack(v, GivenTakeBack::Mode::Cirolanan, cekciro, cekgiris);
        QVERIFY2(r.done, qPrintable(r.message));
    }
    if (!then.isEmpty()) {
        Table t(&company(), "cekgiris");
        t.open();
        QVERIFY(t.locate("cek_ind", s.second));
        t.edit();
        if (then == "cek_ciro_id") {
            t.field("cek_ciro_id") = number + 40;
            t.field("cek_ciro_kime") = "Başka Firma";
            t.field("cek_ciro_tarihi") = QDate(2021, 3, 12);
        } else {
            t.field(then) = QDate(2021, 4, 15);
        }
        t.post();
    }
    const QString sql = QString("SELECT cek_ciro_id, cek_ciro_kime, cek_ciro_tarihi, cek_banka_id, cek_banka_tarihi, "
                                "cek_banka_adi, cek_tahsilat_tarihi FROM cekgiris WHERE cek_ind=%1");
    const QVariantMap before = one(company(), sql.arg(s.second));

    // Load the slip, change the memo and the exit type, save again.
    const LoadedSlip loaded = loadExitSlip(company(), number);
    QVERIFY(loaded.found);
    QCOMPARE(loaded.rows.size(), 3);
    s.rows = loaded.rows;
    s.rows << emptyRow(4);
    s.header.memo = "düzeltildi";
    s.header.exitType = 2;
    const SaveResult r = s.save();
    QVERIFY2(r.saved, qPrintable(r.message));
    QCOMPARE(one(company(), sql.arg(s.second)), before);
    QCOMPARE(r.message, QString("Geri alınmış ya da başka bir işleme geçmiş çeklerin (satır 2) alınan çek "
                                "kayıtları değiştirilmedi."));
    QCOMPARE(s.header.number, number);
    if (then.isEmpty()) QVERIFY(before["cek_ciro_id"].isNull() && before["cek_ciro_tarihi"].isNull());
    // The cheque still out on the slip follows the change; the taken-back one keeps its return date.
    const QVariantMap first = one(company(), sql.arg(s.first));
    QCOMPARE(first["cek_ciro_id"].toLongLong(), number);
    QCOMPARE(first["cek_banka_id"].toInt(), 2);
    QCOMPARE(first["cek_banka_adi"].toString(), QString("Satıcı Bir"));
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 2);
    QCOMPARE(one(company(), QString("SELECT cek_iade_tarihi FROM cekciro WHERE cek_giris_id=%1").arg(s.second))
                 ["cek_iade_tarihi"].toDate(), QDate(2021, 3, 10));
    QCOMPARE(one(company(), QString("SELECT genel_aciklama FROM cikisbordro WHERE bordro_ind=%1").arg(number))
                 ["genel_aciklama"].toString(), QString("düzeltildi"));
}

void TestExitSlip::cashFileFailureLeavesCompanyUntouched()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    const QByteArray before = TestHome::checksum(home.path("Data/A1.mdb"));
    cash().exec("CREATE TRIGGER boom BEFORE INSERT ON carihareket BEGIN SELECT RAISE(ABORT, 'disk dolu'); END");
    QVERIFY_THROWS_EXCEPTION(EngineError, s.save());
    QCOMPARE(TestHome::checksum(home.path("Data/A1.mdb")), before);
    QCOMPARE(s.header.number, 0);
    QVERIFY(s.rows[0][ColCiroIndex].isEmpty() && s.rows[1][ColCiroIndex].isEmpty());
    QCOMPARE(s.rows[2][ColDuzenlemeId], kNewOwnCheque);
    // The datasets follow the files, and the next save goes through.
    QCOMPARE(s.given.recordCount(), 0);
    cash().exec("DROP TRIGGER boom");
    QVERIFY(s.save().saved);
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 2);
}

void TestExitSlip::missingKeysStoredAsNew()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s;
    QVERIFY(s.save().saved);
    company().exec("DELETE FROM cekciro WHERE ciro_cek_ind=1");
    company().exec("DELETE FROM cekkendi");
    s.given.refresh();
    s.own.refresh();
    const SaveResult r = s.save();
    QVERIFY(r.saved);
    QCOMPARE(r.missingKeysStoredAsNew, 2);
    QCOMPARE(r.message, QString("2 kayıt bulunamadığı için yeni kayıt olarak saklandı."));
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 2);
    QCOMPARE(TestHome::countRows(company(), "cekkendi"), 1);
    QCOMPARE(s.rows[0][ColCiroIndex], QString("3"));
}

void TestExitSlip::moneyWrittenIsMoneyShown()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir", 36);
    Slip s(false);
    // 36 % on 1.234,57 for 20 days is 24,353…: rows, header and movement carry 24,34.
    s.rows = {ownRow(1, QDate(2021, 3, 21), 1234.57), emptyRow(2)};
    s.header.deductMaturity = true;
    s.header.deductBsmv = true;
    QVERIFY(s.save().saved);
    QCOMPARE(s.rows[0][ColVadeFarki], QString("24,35"));
    const QVariantMap h = one(company(), "SELECT toplam_vade_farki, BSMV, toplam_net_tutar FROM cikisbordro");
    QCOMPARE(h["toplam_vade_farki"].toDouble(), 24.35);
    QCOMPARE(h["BSMV"].toDouble(), 1.22);
    QCOMPARE(h["toplam_net_tutar"].toDouble(), 1210.22);
    QCOMPARE(one(company(), "SELECT cek_vade_farki FROM cekkendi")["cek_vade_farki"].toDouble(), 24.35);
    const QVariantMap m = one(cash(), "SELECT vade_fark, BSMV, borc_tutari FROM carihareket");
    QCOMPARE(m["vade_fark"].toDouble(), 24.35);
    QCOMPARE(m["BSMV"].toDouble(), 1.22);
    QCOMPARE(m["borc_tutari"].toDouble(), 1209.0);
}

// A few rows of a large table are found by a walk over the keys and, once searched
// often, through the table's key positions; both must follow appends, removals and
// the order of the table.
void TestExitSlip::locateInALargeTable()
{
    TestHome home;
    home.openCompany("A1", 2021);
    {
        TransactionScope tx{&company()};
        Table fill(&company(), "cekkendi", "PrimaryKey");
        fill.open();
        for (int i = 0; i < 300; ++i) {
            fill.append();
            fill.field("cek_tutari") = double(i);
            fill.field("cek_tarihi") = QDate(2021, 1, 1).addDays((i * 37) % 300);
            fill.post();
        }
        tx.commit();
    }
    Table t(&company(), "cekkendi", "cek_tarihi");
    t.open();
    const auto amountAt = [&t](qint64 key) { return t.locate("cek_ind", key) ? t.field("cek_tutari").asFloat() : -1.0; };
    for (qint64 key : {1, 150, 300}) QCOMPARE(amountAt(key), double(key - 1));
    QCOMPARE(amountAt(301), -1.0);
    // Searched many times, the table goes over to its key map; both ways agree.
    for (int i = 0; i < 40; ++i) QCOMPARE(amountAt(1 + i * 7), double(i * 7));
    t.append();
    t.field("cek_tutari") = 999.0;
    t.post();
    const qint64 added = t.field("cek_ind").asInteger();
    QCOMPARE(amountAt(added), 999.0);
    QVERIFY(t.locate("cek_ind", 150));
    t.remove();
    QCOMPARE(amountAt(150), -1.0);
    for (qint64 key : {1, 151, 300}) QCOMPARE(amountAt(key), double(key - 1));
    QCOMPARE(amountAt(added), 999.0);
    // The row found is the current one, in the table's order.
    QVERIFY(t.locate("cek_ind", 2));
    QCOMPARE(t.field("cek_tarihi").asDate(), QDate(2021, 1, 1).addDays(37));
}

QTEST_MAIN(TestExitSlip)
#include "test_exit_slip.moc"
