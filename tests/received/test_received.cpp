// The entry slip's calculations on cell texts.
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "received/entry_slip_calc.h"
#include "received/entry_slip_save.h"
#include "accounts/account_steps.h"
#include "received/cheque_list_statements.h"
#include "received/tcekortf.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QLineEdit>
#include <QtTest>

using namespace EntrySlip;

namespace {

QStringList row(int number, const QString &due, const QString &amount, const QString &expense = QString())
{
    QStringList r(ColumnCount);
    r[ColNo] = QString::number(number);
    r[ColVade] = due;
    r[ColTutar] = amount;
    r[ColMasraf] = expense;
    return r;
}

Params workedExample()
{
    Params p;
    p.slipDate = QDate(2021, 3, 1);
    p.yillikFaiz = "36";
    p.yildakiGun = "365";
    return p;
}

Connection &company() { return DataContext::instance().ADOConnection1; }
Connection &cash() { return DataContext::instance().kasaConnection; }

QString runText(const QString &sql)
{
    Query q(&company());
    q.sql() << sql;
    q.open();
    return q.isEmpty() ? QString() : q.value(0).toString();
}

// The slip of the worked example, ready to save for the account M1.
struct SlipFixture {
    Header header;
    Params params = workedExample();
    QVector<QStringList> rows;
    Table slips{&company(), "cekbordro", "islem_tarihi"};
    Table cheques{&company(), "cekgiris", "cek_tarihi"};
    SlipFixture()
    {
        header.slipDate = params.slipDate;
        header.code = "M1";
        header.name = "Müşteri Bir";
        rows = {row(1, "31.03.2021", "10000"), row(2, "15.04.2021", "5000"), row(3, "", "")};
        rows[0][ColDuzenleyen] = "Ayşe Öz";
        rows[0][ColCekNo] = "A-100";
    }
    SaveResult save() { return saveSlip(header, params, rows, Datasets{slips, cheques}); }
};

} // namespace

class TestReceived : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExample_rowAndAverage();
    void dueDateCompletion_data();
    void dueDateCompletion();
    void weekendAndAddedDays();
    void negativeDaysAndRounding();
    void bsmvAndCredit();
    void badHeaderNumbersStop();
    void saveWritesSlipChequesAndMovement();
    void saveChecksStopBeforeWriting();
    void saveTlRateAndOtherYear();
    void saveForeignCurrencyFromBank();
    void saveRollsBackOnFailure();
    void savedAmountsAreShownAmounts();
    void incompleteRowsStopTheSave_data();
    void incompleteRowsStopTheSave();
    void bankMarksFollowTheSlipType();
    void roundingToKurus_data();
    void roundingToKurus();
    void codesComparedTurkishStyle_data();
    void codesComparedTurkishStyle();
};

void TestReceived::workedExample_rowAndAverage()
{
    Params p = workedExample();
    QStringList first = row(1, "31.03.2021", "10000");
    QCOMPARE(calculateRow(first, p).outcome, DueDate::Valid);
    QCOMPARE(first[ColGun], QString("30"));
    QCOMPARE(first[ColAdat], QString("300.000,00"));
    QCOMPARE(first[ColVadeFarki], QString("295,89"));
    QCOMPARE(first[ColNet], QString("9.704,11"));
    QCOMPARE(first[ColTutar], QString("10.000,00"));
    QCOMPARE(first[ColMasraf], QString("0,00"));
    QStringList second = row(2, "15.04.2021", "5.000");
    calculateRow(second, p);
    QCOMPARE(second[ColGun], QString("45"));
    const Totals t = calculateTotals({first, second, row(0, "", "")}, p);
    QCOMPARE(t.amount, 15000.0);
    QCOMPARE(t.adat, 525000.0);
    QVERIFY(t.hasAverage);
    QCOMPARE(t.averageDays, 35);
    QCOMPARE(t.averageDate, QDate(2021, 4, 5));
    QCOMPARE(formatFloat("#,##0.00", t.maturityDifference), QString("517,81"));
    // Rows after the first unnumbered one are not counted.
    QStringList stray = row(3, "15.04.2021", "1.000");
    stray[ColNo].clear();
    QCOMPARE(calculateTotals({first, stray, second}, p).amount, 10000.0);
    // An amount without a due date is not stored, so it is not in the totals either.
    QCOMPARE(calculateTotals({first, row(2, "", "200.227"), second}, p).amount, 15000.0);
}

void TestReceived::dueDateCompletion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("masked short") << "5_.3_.24__" << int(DueDate::Valid) << "05.03.2024" << "";
    QTest::newRow("full") << "31.12.2024" << int(DueDate::Valid) << "31.12.2024" << "";
    QTest::newRow("no year") << "05.03.____" << int(DueDate::Valid) << "05.03.2021" << "";
    QTest::newRow("one-digit year") << "01.02.7___" << int(DueDate::Valid) << "01.02.2007" << "";
    QTest::newRow("31 February") << "31.02.2024" << int(DueDate::Invalid) << ""
                                 << "31.02.2024 Tarih Girişiniz doğru değil.";
    QTest::newRow("month 13") << "10.13.2024" << int(DueDate::Invalid) << "" << "10.13.2024 Tarih Girişiniz doğru değil.";
    QTest::newRow("1899") << "01.01.1899" << int(DueDate::Stop) << "" << "\"01.01.1899\" tarih girişiniz uygun değil!";
    QTest::newRow("day 0") << "00.05.2024" << int(DueDate::Stop) << "" << "\"00.05.2024\" tarih girişiniz uygun değil!";
    QTest::newRow("empty mask") << "__.__.____" << int(DueDate::Empty) << "" << "";
    QTest::newRow("empty") << "" << int(DueDate::Empty) << "" << "";
    // Pasted or imported without the mask: short fields are day and month as written.
    QTest::newRow("unmasked short") << "1.1.24" << int(DueDate::Valid) << "01.01.2024" << "";
    QTest::newRow("unmasked no year") << "7.3" << int(DueDate::Valid) << "07.03.2021" << "";
    QTest::newRow("unmasked slashes") << "5/3/2024" << int(DueDate::Valid) << "05.03.2024" << "";
    QTest::newRow("trailing text") << "31.12.2024xyz" << int(DueDate::Stop) << ""
                                   << "\"31.12.2024xyz\" tarih girişiniz uygun değil!";
    QTest::newRow("a word") << "yarın" << int(DueDate::Stop) << "" << "\"yarın\" tarih girişiniz uygun değil!";
    QTest::newRow("three-digit day") << "123.1.2024" << int(DueDate::Stop) << ""
                                     << "\"123.1.2024\" tarih girişiniz uygun değil!";
}

void TestReceived::dueDateCompletion()
{
    QFETCH(QString, typed);
    QFETCH(int, outcome);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const DueDateResult r = completeDueDate(typed, 2021);
    QCOMPARE(int(r.outcome), outcome);
    QCOMPARE(r.text, text);
    QCOMPARE(r.message, message);
}

void TestReceived::weekendAndAddedDays()
{
    Params p = workedExample();
    // Saturday 03.04.2021 counts from Monday 05.04 when the box is ticked.
    QStringList saturday = row(1, "03.04.2021", "1000");
    calculateRow(saturday, p);
    QCOMPARE(saturday[ColGun], QString("33"));
    p.weekendShift = true;
    calculateRow(saturday, p);
    QCOMPARE(saturday[ColGun], QString("35"));
    QStringList sunday = row(1, "04.04.2021", "1000");
    calculateRow(sunday, p);
    QCOMPARE(sunday[ColGun], QString("35"));
    QStringList monday = row(1, "05.04.2021", "1000");
    calculateRow(monday, p);
    QCOMPARE(monday[ColGun], QString("35"));
    // "Gün Ekle" 3 adds three days to every cheque and to the average.
    p.weekendShift = false;
    p.gunEkle = "3";
    QStringList a = row(1, "31.03.2021", "10000"), b = row(2, "15.04.2021", "5000");
    calculateRow(a, p);
    calculateRow(b, p);
    QCOMPARE(a[ColGun], QString("33"));
    QCOMPARE(b[ColGun], QString("48"));
    const Totals t = calculateTotals({a, b}, p);
    QCOMPARE(t.averageDays, 38);
    QCOMPARE(t.averageDate, QDate(2021, 4, 8));
}

void TestReceived::negativeDaysAndRounding()
{
    Params p = workedExample();
    QStringList early = row(1, "19.02.2021", "1000", "10");
    calculateRow(early, p);
    QCOMPARE(early[ColGun], QString("-10"));
    QCOMPARE(early[ColVadeFarki], QString("-9,86"));
    QCOMPARE(early[ColNet], QString("999,86"));  // above the amount less the expense
    QCOMPARE(roundHalfEven(34.5), 34);
    QCOMPARE(roundHalfEven(35.5), 36);
    QCOMPARE(roundHalfEven(34.51), 35);
    QCOMPARE(roundHalfEven(-0.5), 0);
    // An average of 34,5 days: 1000 for 34 days and 1000 for 35 days.
    QStringList a = row(1, "04.04.2021", "1000"), b = row(2, "05.04.2021", "1000");
    p.yillikFaiz = "0";
    calculateRow(a, p);
    calculateRow(b, p);
    QCOMPARE(calculateTotals({a, b}, p).averageDays, 34);
    // No amount: the average keeps its value.
    QVERIFY(!calculateTotals({row(1, "", "")}, p).hasAverage);
}

void TestReceived::bsmvAndCredit()
{
    Params p;
    p.slipDate = QDate(2024, 1, 1);
    p.bsmvPercent = "5";
    QStringList r = row(1, "01.02.2024", "15.000,00", "20,00");
    r[ColVadeFarki] = "150,00";
    r[ColNet] = "14.830,00";
    const Totals t = calculateTotals({r}, p);
    QCOMPARE(formatFloat("#,##0.00", t.bsmv), QString("8,50"));
    QCOMPARE(formatFloat("#,##0.00", creditAmount(t, true, true, true)), QString("14.821,50"));
    QCOMPARE(formatFloat("#,##0.00", creditAmount(t, false, false, false)), QString("15.000,00"));
    p.bsmvPercent = "0";
    QCOMPARE(calculateTotals({r}, p).bsmv, 0.0);
}

void TestReceived::badHeaderNumbersStop()
{
    Params p = workedExample();
    QStringList r = row(1, "31.03.2021", "1000");
    p.yillikFaiz = "3,6,1";
    QVERIFY_THROWS_EXCEPTION(EngineError, calculateRow(r, p));
    p.yillikFaiz = "36";
    p.yildakiGun = "0";
    QVERIFY_THROWS_EXCEPTION(EngineError, calculateRow(r, p));
    // Empty header fields take their defaults.
    p.yildakiGun.clear();
    p.yillikFaiz.clear();
    calculateRow(r, p);
    QCOMPARE(p.yildakiGun, QString("365"));
    QCOMPARE(r[ColVadeFarki], QString("0,00"));
    QVERIFY_THROWS_EXCEPTION(EngineError, strictInteger(""));
    QCOMPARE(strictInteger("365"), 365);
}

void TestReceived::saveWritesSlipChequesAndMovement()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    SlipFixture f;
    f.header.deductMaturity = true;
    f.params.gunEkle.clear();  // an empty "Gün Ekle" means no added days
    const SaveResult r = f.save();
    QVERIFY2(r.saved, qPrintable(r.message));
    QCOMPARE(r.chequesWritten, 2);
    QCOMPARE(f.header.number, 1);
    QCOMPARE(f.rows[0][ColKey], QString("1"));
    QCOMPARE(f.rows[1][ColKey], QString("2"));
    QVERIFY(f.rows[2][ColKey].isEmpty());

    Query slip(&company());
    slip.sql() << "SELECT * FROM cekbordro";
    slip.open();
    QCOMPARE(slip.recordCount(), 1);
    QCOMPARE(slip.field("alindigi_firma").asString(), QString("Müşteri Bir"));
    QCOMPARE(slip.field("toplam_tutari").asFloat(), 15000.0);
    QCOMPARE(slip.field("ortalama_gun").asInteger(), 35);
    QCOMPARE(slip.field("ortalama_vade").asDate(), QDate(2021, 4, 5));
    QCOMPARE(slip.field("yildaki_gun").asInteger(), 365);
    QCOMPARE(slip.field("tah_sure_ekle").asInteger(), 0);
    QCOMPARE(slip.field("vade_farki_dus").asString(), QString("E"));
    QCOMPARE(slip.field("masraf_dus").asString(), QString("H"));

    Query cheque(&company());
    cheque.sql() << "SELECT * FROM cekgiris ORDER BY cek_ind";
    cheque.open();
    QCOMPARE(cheque.recordCount(), 2);
    QCOMPARE(cheque.field("cek_tarihi").asDate(), QDate(2021, 3, 31));
    QCOMPARE(cheque.field("cek_gun").asInteger(), 30);
    QCOMPARE(cheque.field("cek_vade_farki").asFloat(), 295.89);
    QCOMPARE(cheque.field("cek_net_tutar").asFloat(), 9704.11);
    QCOMPARE(cheque.field("cek_adat").asFloat(), 300000.0);
    QCOMPARE(cheque.field("ceki_duzenleyen").asString(), QString("Ayşe Öz"));
    QCOMPARE(cheque.field("cek_no").asString(), QString("A-100"));
    QCOMPARE(cheque.field("bordro_ind").asInteger(), 1);
    QCOMPARE(cheque.field("cek_banka_id").asInteger(), 0);
    // A new cheque is in the portfolio: no exit, collection, return or bounce marks.
    for (const char *f : {"cek_ciro_id", "cek_tahsilat_tarihi", "cek_iade_tarihi", "cek_banka_tarihi", "cek_karsiliklsiz_tarihi"})
        QVERIFY2(cheque.field(f).isNull(), f);

    Query move(&cash());
    move.sql() << "SELECT * FROM carihareket";
    move.open();
    QCOMPARE(move.recordCount(), 1);
    QCOMPARE(move.field("cek_id").asInteger(), 1);
    QCOMPARE(move.field("cari_kodu").asString(), QString("M1"));
    QCOMPARE(move.field("brut_tutar").asFloat(), 15000.0);
    QCOMPARE(formatFloat("#,##0.00", move.field("alacak_tutari").asFloat()), QString("14.482,19"));
    QVERIFY(move.field("borc_tutari").isNull());
    QCOMPARE(move.field("aciklama").asString(), QString("1 nolu çek alım bordrosu."));
    QCOMPARE(move.field("vade_tarihi").asDate(), QDate(2021, 4, 5));

    // Saving again edits the same rows; a changed amount and a new row land.
    f.rows[1][ColTutar] = "6.000,00";
    f.rows[2] = row(3, "30.04.2021", "1000");
    f.rows << row(4, "", "");
    QVERIFY(f.save().saved);
    QCOMPARE(TestHome::countRows(company(), "cekbordro"), 1);
    QCOMPARE(TestHome::countRows(company(), "cekgiris"), 3);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    move.close();
    move.open();
    QCOMPARE(move.field("brut_tutar").asFloat(), 17000.0);
    // A row whose cheque was deleted elsewhere is stored as a new cheque, and said so.
    {
        Table t(&company(), "cekgiris", "cek_tarihi");
        t.open();
        QVERIFY(t.locate("cek_ind", 3));
        t.remove();
    }
    const SaveResult again = f.save();
    QVERIFY(again.saved);
    QCOMPARE(again.missingKeysStoredAsNew, 1);
    QVERIFY(again.message.contains("yeni çek"));
    QCOMPARE(TestHome::countRows(company(), "cekgiris"), 3);
    QCOMPARE(f.rows[2][ColKey], QString("4"));
}

void TestReceived::saveChecksStopBeforeWriting()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    SlipFixture f;
    f.header.code = "X9";
    QCOMPARE(f.save().message, QString("\"X9\" firma kodu bulunamadı. Yeni kod giriniz!"));
    f.header.code = "M1";
    f.header.name = "Başka Ad";
    QCOMPARE(f.save().message, QString("\"Başka Ad\" adı \"M1\" firma kodu ile uyuşmuyor. Kontrol ediniz!"));
    // A quote in the code cannot change the account check.
    f.header.code = "M1' OR '1'='1";
    QVERIFY(!f.save().saved);
    f.header.code = "M1";
    f.header.name = "Müşteri Bir";
    f.rows[1][ColVade] = "01.01.1899";
    QSignalSpy changed(&DataContext::instance(), &DataContext::dataChanged);
    const SaveResult r = f.save();
    QVERIFY(!r.saved);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(r.message, QString("\"01.01.1899\" tarih girişiniz uygun değil!"));
    QCOMPARE(TestHome::countRows(company(), "cekbordro"), 0);
    QCOMPARE(TestHome::countRows(company(), "cekgiris"), 0);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
    // No cheque with an amount: the header and the movement only.
    f.rows = {row(1, "", ""), row(2, "", "")};
    QVERIFY(f.save().saved);
    QCOMPARE(TestHome::countRows(company(), "cekbordro"), 1);
    QCOMPARE(TestHome::countRows(company(), "cekgiris"), 0);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
}

void TestReceived::saveTlRateAndOtherYear()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    SlipFixture f;
    f.header.kuru = "30";
    QVERIFY(f.save().saved);
    QCOMPARE(f.header.kuru, QString("1"));
    Query q(&company());
    q.sql() << "SELECT b.doviz_kuru AS slipRate, c.cek_doviz_kuru AS rate, c.cekTL_karsiligi AS tl "
               "FROM cekbordro b, cekgiris c WHERE c.bordro_ind=b.bordro_ind ORDER BY c.cek_ind";
    q.open();
    QCOMPARE(q.field("slipRate").asFloat(), 30.0);
    QCOMPARE(q.field("rate").asFloat(), 1.0);
    QCOMPARE(q.field("tl").asFloat(), 10000.0);

    // Moving the slip into 2022 writes its movement into that year's cash file.
    f.header.slipDate = QDate(2022, 1, 10);
    f.params.slipDate = f.header.slipDate;
    f.rows[0][ColVade] = "10.02.2022";
    f.rows[1][ColVade] = "10.03.2022";
    QVERIFY(f.save().saved);
    QCOMPARE(DataContext::instance().calismaYili, 2022);
    QVERIFY(QFileInfo::exists(home.path("Data/A12022K.mdb")));
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    // The slip's movement moved with it: the former year no longer credits the account.
    QVERIFY(kasadegistir(2021));
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
    // A save in the same year edits the one movement in place.
    QVERIFY(kasadegistir(2022));
    QVERIFY(f.save().saved);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
}

// A USD slip from a bank: the rate stays on every row and the cheques are marked
// as at that bank from the slip date.
void TestReceived::saveForeignCurrencyFromBank()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    SlipFixture f;
    f.header.accountType = 2;
    f.header.currency = "USD";
    f.header.kuru = "30,5";
    f.header.memo = "birinci satır\nikinci satır";
    f.params.bsmvPercent = "5";
    f.rows[0][ColMasraf] = "20";
    f.rows[0][ColBanka] = "Ziraat";
    f.rows[0][ColSube] = "Merkez";
    f.rows[0][ColHesapNo] = "123";
    f.rows[0][ColAciklama] = "ilk çek";
    QVERIFY(f.save().saved);
    QCOMPARE(f.header.kuru, QString("30,5"));

    Query slip(&company());
    slip.sql() << "SELECT * FROM cekbordro";
    slip.open();
    QCOMPARE(slip.field("para_birimi").asString(), QString("USD"));
    QCOMPARE(slip.field("doviz_kuru").asFloat(), 30.5);
    QCOMPARE(slip.field("BSMV_oran").asFloat(), 5.0);
    QCOMPARE(slip.field("toplam_masraflar").asFloat(), 20.0);
    QCOMPARE(formatFloat("#,##0.00", slip.field("BSMV").asFloat()), QString("26,89"));  // 5% of 517,81 + 20,00
    QCOMPARE(slip.field("genel_aciklama").asString(), QString("birinci satır\nikinci satır"));

    Query cheque(&company());
    cheque.sql() << "SELECT * FROM cekgiris ORDER BY cek_ind";
    cheque.open();
    QCOMPARE(cheque.field("para_birimi").asString(), QString("USD"));
    QCOMPARE(cheque.field("cek_doviz_kuru").asFloat(), 30.5);
    QCOMPARE(cheque.field("cekTL_karsiligi").asFloat(), 305000.0);
    QCOMPARE(cheque.field("cek_banka_id").asInteger(), 2);
    QCOMPARE(cheque.field("cek_banka_tarihi").asDate(), QDate(2021, 3, 1));
    QCOMPARE(cheque.field("cek_banka_adi").asString(), QString("Müşteri Bir"));
    QCOMPARE(cheque.field("cek_masraf").asFloat(), 20.0);
    QCOMPARE(cheque.field("cek_net_tutar").asFloat(), 9684.11);
    QCOMPARE(cheque.field("cek_bankasi").asString(), QString("Ziraat"));
    QCOMPARE(cheque.field("cek_subesi").asString(), QString("Merkez"));
    QCOMPARE(cheque.field("cek_hesap_no").asString(), QString("123"));
    QCOMPARE(cheque.field("aciklama").asString(), QString("ilk çek"));

    Query move(&cash());
    move.sql() << "SELECT * FROM carihareket";
    move.open();
    QCOMPARE(move.field("doviz_cinsi").asString(), QString("USD"));
    QCOMPARE(move.field("doviz_kuru").asFloat(), 30.5);
    QCOMPARE(move.field("cek_masraf").asFloat(), 20.0);
    QCOMPARE(formatFloat("#,##0.00", move.field("BSMV").asFloat()), QString("26,89"));
    QCOMPARE(move.field("alacak_tutari").asFloat(), 15000.0);  // no deduct box ticked
    QCOMPARE(move.field("BSMV_dus").asString(), QString("H"));
}

void TestReceived::saveRollsBackOnFailure()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    company().exec("CREATE TRIGGER boom BEFORE INSERT ON cekgiris WHEN NEW.cek_tutari=5000 "
                   "BEGIN SELECT RAISE(ABORT, 'disk dolu'); END");
    SlipFixture f;
    QVERIFY_THROWS_EXCEPTION(EngineError, f.save());
    QCOMPARE(TestHome::countRows(company(), "cekbordro"), 0);
    QCOMPARE(TestHome::countRows(company(), "cekgiris"), 0);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
    QCOMPARE(f.header.number, 0);
    QVERIFY(f.rows[0][ColKey].isEmpty());  // no key of a cheque that was rolled back
}

// The worked example with 5 % BSMV: the BSMV is 25,8905 before rounding and the
// credit 14.456,2995; the files hold what the slip shows.
void TestReceived::savedAmountsAreShownAmounts()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    SlipFixture f;
    f.params.bsmvPercent = "5";
    f.header.deductMaturity = true;
    f.header.deductBsmv = true;
    QSignalSpy changed(&DataContext::instance(), &DataContext::dataChanged);
    QVERIFY(f.save().saved);
    // One announcement after the commit, naming slips, cheques and movements.
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), int(DataKind::Slips) | int(DataKind::Cheques) | int(DataKind::Movements));
    Query slip(&company());
    slip.sql() << "SELECT BSMV, toplam_vade_farki, toplam_tutari FROM cekbordro";
    slip.open();
    QCOMPARE(slip.field("BSMV").asFloat(), 25.89);
    QCOMPARE(slip.field("toplam_vade_farki").asFloat(), 517.81);
    Query move(&cash());
    move.sql() << "SELECT BSMV, alacak_tutari FROM carihareket";
    move.open();
    QCOMPARE(move.field("BSMV").asFloat(), 25.89);
    QCOMPARE(move.field("alacak_tutari").asFloat(), 14456.30);
}

void TestReceived::incompleteRowsStopTheSave_data()
{
    QTest::addColumn<bool>("savedFirst");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("namedRow");
    QTest::newRow("amount without a due date") << false << 2 << "" << "200" << 3;
    QTest::newRow("zero date") << false << 1 << "00.00.0000" << "5000" << 2;
    QTest::newRow("negative amount") << false << 1 << "15.04.2021" << "-5000" << 2;
    QTest::newRow("saved cheque, amount cleared") << true << 1 << "15.04.2021" << "" << 2;
    QTest::newRow("saved cheque, due date cleared") << true << 0 << "" << "10000" << 1;
}

// A row that holds part of a cheque stops the save before anything is written and
// names the row; the stored cheques keep their values.
void TestReceived::incompleteRowsStopTheSave()
{
    QFETCH(bool, savedFirst);
    QFETCH(int, row);
    QFETCH(QString, due);
    QFETCH(QString, amount);
    QFETCH(int, namedRow);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    SlipFixture f;
    if (savedFirst) QVERIFY(f.save().saved);
    const QString before = runText("SELECT group_concat(cek_tutari || '@' || cek_tarihi) FROM cekgiris");
    f.rows[row][ColVade] = due;
    f.rows[row][ColTutar] = amount;
    if (row == 2) f.rows[row][ColNo] = "3";
    QSignalSpy changed(&DataContext::instance(), &DataContext::dataChanged);
    const SaveResult r = f.save();
    QVERIFY(!r.saved);
    QCOMPARE(changed.count(), 0);
    QVERIFY2(r.message.startsWith(QString::number(namedRow) + ". satırda") || r.message.contains("tarih"),
             qPrintable(r.message));
    QCOMPARE(runText("SELECT group_concat(cek_tutari || '@' || cek_tarihi) FROM cekgiris"), before);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), savedFirst ? 1 : 0);
}

// A bank slip marks its cheques as at that bank; saved again as a customer's slip
// it takes the marks back, except from a cheque handed out since.
void TestReceived::bankMarksFollowTheSlipType()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    SlipFixture f;
    f.header.accountType = 2;
    QVERIFY(f.save().saved);
    QCOMPARE(runText("SELECT COUNT(*) FROM cekgiris WHERE cek_banka_tarihi IS NOT NULL"), QString("2"));
    company().exec(QStringLiteral("UPDATE cekgiris SET cek_ciro_id=7 WHERE cek_ind=%1").arg(f.rows[1][ColKey]));
    f.header.accountType = 0;
    QVERIFY(f.save().saved);
    QCOMPARE(runText("SELECT group_concat(cek_ind || ':' || coalesce(cek_banka_adi, '-')) FROM cekgiris"),
             QString("%1:-,%2:Müşteri Bir").arg(f.rows[0][ColKey], f.rows[1][ColKey]));
}

void TestReceived::roundingToKurus_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("bsmv") << 25.8904999 << 25.89;
    QTest::newRow("credit") << 14456.2995 << 14456.30;
    QTest::newRow("half away from zero") << 1.005 << 1.01;
    QTest::newRow("negative half") << -2.675 << -2.68;
    QTest::newRow("carry") << 9999.995 << 10000.0;
    QTest::newRow("already kuruş") << 0.1 + 0.2 << 0.3;
    QTest::newRow("large") << 5250000.004 << 5250000.0;
    QTest::newRow("zero") << 0.0 << 0.0;
}

// Rounding agrees with what "#,##0.00" shows for the same value.
void TestReceived::roundingToKurus()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(roundKurus(value), rounded);
    QCOMPARE(formatFloat("#,##0.00", roundKurus(value)), formatFloat("#,##0.00", value));
}

void TestReceived::codesComparedTurkishStyle_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("same");
    QTest::newRow("MI/mi") << "MI" << "mi" << false;
    QTest::newRow("MI/mı") << "MI" << "mı" << true;
    QTest::newRow("İS/is") << "İS" << "is" << true;
    QTest::newRow("IS/ıs") << "IS" << "ıs" << true;
}

// One comparison rule for account codes, Turkish case folded: the duplicate check of
// the cards, the slip's code lookup and save, the list filter and the references
// counted before a card is deleted all take the two codes for one, or all for two.
void TestReceived::codesComparedTurkishStyle()
{
    QFETCH(QString, card);
    QFETCH(QString, typed);
    QFETCH(bool, same);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard(card, "Birinci Kart");
    Query firmaQuery(&company());
    QCOMPARE(AccountSteps::kodBaskaKarttaVar(firmaQuery, typed, QVariant()), same);
    const QString name = same ? "Birinci Kart" : "İkinci Kart";
    if (!same) TestHome::addAccountCard(typed, name);

    // The slip window finds the card the typed code names.
    {
        TcekortF f;
        f.KoduEdit->setText(typed);
        f.cariBul();
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(f.JustaEdit23->text(), name);
        QCOMPARE(f.KoduEdit->text(), same ? card : typed);
    }
    // A slip under the typed code saves, and one under the first card's code too.
    SlipFixture typedSlip;
    typedSlip.header.code = typed;
    typedSlip.header.name = name;
    SaveResult r = typedSlip.save();
    QVERIFY2(r.saved, qPrintable(r.message));
    if (!same) {
        SlipFixture first;
        first.header.code = card;
        first.header.name = "Birinci Kart";
        r = first.save();
        QVERIFY2(r.saved, qPrintable(r.message));
    }
    // Each slip has two cheques: the list filter for either code shows the two of its card.
    for (const QString &code : {card, typed}) {
        ChequeList::Filters filter;
        filter.choice = ChequeList::Choice::Tum;
        filter.firmaKodu = code;
        Query list(&company());
        list.sql() = ChequeList::build(filter).list;
        list.open();
        QCOMPARE(list.recordCount(), 2);
    }
    const QStringList refs = AccountSteps::kartaBagliKayitlar(company(), &cash(), card);
    QVERIFY2(refs.contains("2 alınan çek/senet") && refs.contains("1 cari hareket"), qPrintable(refs.join("|")));
}

QTEST_MAIN(TestReceived)
#include "test_received.moc"
