// The cash register's pieces without windows: the entry checks, the statements, the
// row colours, the day's spreadsheet and the writer of cash rows with its mirror.
#include "cash/cash_entry_steps.h"
#include "cash/cash_export.h"
#include "cash/cash_row_colours.h"
#include "cash/cash_row_writer.h"
#include "cash/cash_statements.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/spreadsheet_writer.h"
#include "data/table.h"
#include "support/test_home.h"

#include <QtTest>

using CashRowWriter::Fields;

namespace {

Connection &cash() { return DataContext::instance().kasaConnection; }

QVariant fieldOf(const Fields &fields, const QString &name)
{
    for (const auto &f : fields)
        if (f.name == name) return f.value;
    return QVariant(QStringLiteral("<missing>"));
}

// One row of a table as field -> value.
QVariantMap rowOf(Connection &c, const QString &sql)
{
    Query q(&c);
    q.sql() << sql;
    q.open();
    QVariantMap m;
    if (q.isEmpty()) return m;
    for (int i = 0; i < q.fieldCount(); ++i) m.insert(q.fieldInfo(i).name, q.value(i));
    return m;
}

CashEntry::Input entry(const QString &in, const QString &out, const QString &rate = QString(),
                       const QString &currency = QStringLiteral("TL"))
{
    CashEntry::Input i;
    i.date = QDate(2024, 3, 5);
    i.currency = currency;
    i.giren = in;
    i.cikan = out;
    i.kur = rate;
    return i;
}

} // namespace

class TestCash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entryChecks_data();
    void entryChecks();
    void entryValues_data();
    void entryValues();
    void yearQuestionText();
    void statementsLineByLine();
    void summaryHeights_data();
    void summaryHeights();
    void rowColours();
    void exportOfThreeMovements();
    void receiptFromAccountAndItsCorrections();
    void paymentInForeignCurrency();
    void keyedRowsAreFoundAgain();
    void failedWriteKeepsThePendingRow();
    void movedRowLeavesTheFormerFile();
};

void TestCash::entryChecks_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("message");
    const QString both = CashEntry::kBothAmounts, none = CashEntry::kNoAmount;
    QTest::newRow("both empty") << "" << "" << "" << none;
    QTest::newRow("zero and empty") << "0" << "" << "" << none;
    QTest::newRow("zeros") << "0,00" << "0" << "" << none;
    QTest::newRow("rounds to nothing") << "0,001" << "" << "" << none;
    QTest::newRow("both positive") << "100" << "50" << "" << both;
    QTest::newRow("amount no number") << "12,3,4" << "" << ""
                                      << "\"Kasaya Giren Tutar\" alanındaki \"12,3,4\" sayı olarak okunamadı. "
                                         "Düzeltip tekrar kaydediniz.";
    QTest::newRow("rate no number") << "" << "100" << "3-0"
                                    << "\"Döviz Kuru\" alanındaki \"3-0\" sayı olarak okunamadı. Düzeltip tekrar kaydediniz.";
    QTest::newRow("negative amount") << "" << "-100" << ""
                                     << "\"Kasadan Çıkan Tutar\" eksi olamaz. Para girişi ya da çıkışı için ilgili "
                                        "alana pozitif tutar giriniz.";
}

void TestCash::entryChecks()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(QString, rate);
    QFETCH(QString, message);
    const CashEntry::Outcome o = CashEntry::prepare(entry(in, out, rate, QStringLiteral("USD")));
    QCOMPARE(o.message, message);
    QVERIFY(o.values.isEmpty());
}

void TestCash::entryValues_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QVariant>("borc");
    QTest::addColumn<QVariant>("alacak");
    QTest::addColumn<double>("storedRate");
    QTest::addColumn<QVariant>("dovizBorc");
    QTest::addColumn<QVariant>("dovizAlacak");
    const QVariant none;
    QTest::newRow("TL receipt") << "TL" << "1.000" << "" << "" << QVariant(1000.0) << none << 1.0 << QVariant(1000.0) << none;
    QTest::newRow("TL at rate 2 is stored at 1") << "TL" << "50" << "" << "2" << QVariant(50.0) << none << 1.0
                                                 << QVariant(50.0) << none;
    QTest::newRow("USD paid at 30") << "USD" << "" << "100" << "30" << none << QVariant(100.0) << 30.0 << none
                                    << QVariant(3000.0);
    QTest::newRow("USD without rate") << "USD" << "" << "100" << "" << none << QVariant(100.0) << 1.0 << none
                                      << QVariant(100.0);
    QTest::newRow("EURO at rate 0") << "EURO" << "10" << "" << "0" << QVariant(10.0) << none << 1.0 << QVariant(10.0) << none;
    QTest::newRow("incoming 0 stays 0") << "TL" << "0" << "75,5" << "" << QVariant(0.0) << QVariant(75.5) << 1.0 << none
                                        << QVariant(75.5);
    QTest::newRow("kuruş rounding") << "USD" << "10,005" << "" << "3,3333" << QVariant(10.01) << none << 3.3333
                                    << QVariant(33.37) << none;
}

void TestCash::entryValues()
{
    QFETCH(QString, currency);
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(QString, rate);
    QFETCH(QVariant, borc);
    QFETCH(QVariant, alacak);
    QFETCH(double, storedRate);
    QFETCH(QVariant, dovizBorc);
    QFETCH(QVariant, dovizAlacak);
    CashEntry::Input i = entry(in, out, rate, currency);
    i.code = "M1";
    i.name = "Müşteri Bir";
    i.aciklama = "Peşin";
    const CashEntry::Outcome o = CashEntry::prepare(i);
    QCOMPARE(o.message, QString());
    QCOMPARE(fieldOf(o.values, "borc_tutar"), borc);
    QCOMPARE(fieldOf(o.values, "alacak_tutar"), alacak);
    QCOMPARE(fieldOf(o.values, "doviz_kuru").toDouble(), storedRate);
    QCOMPARE(fieldOf(o.values, "doviz_borc"), dovizBorc);
    QCOMPARE(fieldOf(o.values, "doviz_alacak"), dovizAlacak);
    QCOMPARE(fieldOf(o.values, "doviz_cinsi").toString(), currency);
    QCOMPARE(fieldOf(o.values, "islem_tarihi").toDate(), QDate(2024, 3, 5));
    QCOMPARE(fieldOf(o.values, "firmakodu").toString(), QString("M1"));
    QCOMPARE(fieldOf(o.values, "firmaadi").toString(), QString("Müşteri Bir"));
    QCOMPARE(fieldOf(o.values, "aciklama").toString(), QString("Peşin"));
    // No account and no type are written as empty fields, never as texts.
    const CashEntry::Outcome bare = CashEntry::prepare(entry(in, out, rate, currency));
    for (const char *f : {"firmakodu", "firmaadi", "aciklama", "neden"}) QVERIFY(fieldOf(bare.values, f).isNull());
}

void TestCash::yearQuestionText()
{
    QCOMPARE(CashEntry::yearQuestion(2025), QString("Kayıt yılı 2025 olacak. Devam etmek istediğinize eminmisiniz?"));
}

void TestCash::statementsLineByLine()
{
    const QDate d(2024, 3, 5);
    QCOMPARE(CashStatements::dayList("TL"), QStringList({"SELECT islem_tarihi FROM nakit", "WHERE doviz_cinsi='TL'",
                                                         "GROUP BY islem_tarihi Order By islem_tarihi DESC;"}));
    QCOMPARE(CashStatements::dayList("Hepsi"),
             QStringList({"SELECT islem_tarihi FROM nakit", "GROUP BY islem_tarihi Order By islem_tarihi DESC;"}));
    QCOMPARE(CashStatements::opening("USD", d),
             QStringList({"SELECT SUM(borc_tutar) as BorcToplam, SUM(alacak_tutar) as AlacakToplam ", "FROM nakit ",
                          "WHERE (doviz_cinsi='USD') AND (islem_tarihi<#2024-3-5#)"}));
    QCOMPARE(CashStatements::dayTotals("Hepsi", d).last(), QString("WHERE (islem_tarihi=#2024-3-5#)"));
    QCOMPARE(CashStatements::currencySummary(d),
             QStringList({"Select doviz_cinsi, ", "SUM(IIf((islem_tarihi<#2024-3-5#) AND borc_tutar>0 ,borc_tutar,0))-",
                          "SUM(IIf((islem_tarihi<#2024-3-5#) AND alacak_tutar>0 ,alacak_tutar,0)) AS GunBasi,",
                          "SUM(IIf((islem_tarihi=#2024-3-5#) ,borc_tutar,0)) AS BorcToplam,",
                          "SUM(IIf((islem_tarihi=#2024-3-5#) ,alacak_tutar,0)) AS AlacakToplam",
                          "FROM nakit GROUP BY doviz_cinsi"}));
    // A quote can never change the statement.
    QCOMPARE(CashStatements::dayList("T'L").value(1), QString("WHERE doviz_cinsi='T''L'"));
}

void TestCash::summaryHeights_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("height");
    QTest::newRow("none") << 0 << 50;
    QTest::newRow("one") << 1 << 50;
    QTest::newRow("two") << 2 << 74;
    QTest::newRow("three") << 3 << 98;
    QTest::newRow("more") << 5 << 98;
}

void TestCash::summaryHeights()
{
    QFETCH(int, rows);
    QFETCH(int, height);
    QCOMPARE(CashStatements::summaryHeight(rows), height);
}

void TestCash::rowColours()
{
    const RowColours out = CashRowColours::of(QVariant());
    QCOMPARE(out.background, QColor(223, 235, 255));
    QCOMPARE(out.text, QColor(12, 47, 111));
    for (const QVariant &in : {QVariant(0.0), QVariant(150.0)}) {
        const RowColours c = CashRowColours::of(in);
        QCOMPARE(c.text, QColor(230, 98, 19));
        QCOMPARE(c.background, QColor(Qt::white));
    }
}

void TestCash::exportOfThreeMovements()
{
    CashExport::Day day;
    day.opening = 500;
    day.net = 70;
    day.company = {{"firma_unvani_1", "Öztürk Gıda"}, {"firma_unvani_2", "Ltd."}, {"firma_adresi_1", "Kordon 1"},
                   {"adres_semt", "Alsancak"}, {"adres_sehir", "İzmir"}};
    const QDate d(2024, 3, 5);
    day.rows = {{d, "Satış", "Tahsilat", "TL", 100.0, QVariant()},
                {d, "Kira", "Gider", "TL", QVariant(), 50.0},
                {d, "Avans", "", "TL", 0.0, 20.0}};
    SpreadsheetWorkbook book;
    CashExport::fill(book, day);
    QCOMPARE(book.cell(1, 1).toString(), QString("Öztürk Gıda Ltd."));
    QCOMPARE(book.cell(3, 1).toString(), QString("Alsancak İzmir"));
    QCOMPARE(book.cell(4, 4).toString(), QString("İşlem Türü"));
    QCOMPARE(book.cell(5, 4).toString(), QString("Günbaşı Kasa Mevcudu"));
    QCOMPARE(book.cell(5, 6).toDouble(), 500.0);
    for (int r = 6; r <= 8; ++r) QCOMPARE(book.cell(r, 1).toInt(), r - 5);
    QCOMPARE(book.cell(6, 2).toDate(), d);
    QCOMPARE(book.cell(7, 4).toString(), QString("Gider"));
    QVERIFY(!book.cell(7, 6).isValid());  // no money in: an empty cell
    QVERIFY(!book.cell(9, 4).isValid());
    QCOMPARE(book.cell(10, 4).toString(), QString("Güne Ait Kasa Toplamları"));
    QCOMPARE(book.formulaResult("=Sum(F6:F8)"), 100.0);
    QCOMPARE(book.formulaResult("=Sum(G6:G8)"), 70.0);
    QCOMPARE(book.cell(11, 4).toString(), QString("Güniçi Kasa Neti"));
    QCOMPARE(book.cell(11, 6).toDouble(), 70.0);
    QCOMPARE(book.cell(12, 4).toString(), QString("Günsonu Devir Kasa"));
    QCOMPARE(book.cell(12, 6).toDouble(), 570.0);
}

void TestCash::receiptFromAccountAndItsCorrections()
{
    TestHome home;
    home.openCompany("A1", 2024);
    Table nakit(&cash(), "nakit", "islem_tarihi");
    nakit.open();
    CashEntry::Input in = entry("1000", "");
    in.code = "M1";
    in.name = "Müşteri Bir";
    in.aciklama = "Peşin tahsilat";
    in.neden = "Tahsilat";
    const auto w = CashRowWriter::write(nakit, {}, CashEntry::prepare(in).values);
    QVERIFY(w.appended);
    QVERIFY(w.mirrored);
    const QVariantMap row = rowOf(cash(), "SELECT * FROM nakit");
    QCOMPARE(row.value("nid").toLongLong(), w.nid);
    QCOMPARE(row.value("borc_tutar").toDouble(), 1000.0);
    QVERIFY(row.value("alacak_tutar").isNull());
    QCOMPARE(row.value("neden").toString(), QString("Tahsilat"));
    QVariantMap mv = rowOf(cash(), "SELECT * FROM carihareket");
    QCOMPARE(mv.value("nakit_id").toLongLong(), w.nid);
    QCOMPARE(mv.value("alacak_tutari").toDouble(), 1000.0);
    QVERIFY(mv.value("borc_tutari").isNull());
    QCOMPARE(mv.value("cari_kodu").toString(), QString("M1"));
    QCOMPARE(mv.value("cari_hesap_adi").toString(), QString("Müşteri Bir"));
    QCOMPARE(mv.value("islem_tarihi").toString(), QString("2024-03-05"));
    QCOMPARE(mv.value("vade_tarihi").toString(), QString("2024-03-05"));
    QCOMPARE(mv.value("doviz_cinsi").toString(), QString("TL"));
    QCOMPARE(mv.value("doviz_kuru").toDouble(), 1.0);
    QCOMPARE(mv.value("aciklama").toString(), QString("Peşin tahsilat"));

    // Corrected to 1,200: the same movement is edited.
    QVERIFY(nakit.locate("nid", w.nid));
    nakit.edit();
    in.giren = "1.200";
    const auto again = CashRowWriter::write(nakit, {}, CashEntry::prepare(in).values);
    QCOMPARE(again.nid, w.nid);
    QVERIFY(!again.appended);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    QCOMPARE(rowOf(cash(), "SELECT alacak_tutari FROM carihareket").value("alacak_tutari").toDouble(), 1200.0);

    // Corrected without the account: the earlier movement stays as it was.
    nakit.edit();
    in.code.clear();
    in.name.clear();
    in.giren = "900";
    const auto bare = CashRowWriter::write(nakit, {}, CashEntry::prepare(in).values);
    QVERIFY(!bare.mirrored);
    QVERIFY(rowOf(cash(), "SELECT firmakodu FROM nakit").value("firmakodu").isNull());
    mv = rowOf(cash(), "SELECT * FROM carihareket");
    QCOMPARE(mv.value("alacak_tutari").toDouble(), 1200.0);
    QCOMPARE(mv.value("cari_kodu").toString(), QString("M1"));
}

void TestCash::paymentInForeignCurrency()
{
    TestHome home;
    home.openCompany("A1", 2024);
    Table nakit(&cash(), "nakit");
    CashEntry::Input in = entry("", "100", "30", "USD");
    in.code = "S1";
    const auto w = CashRowWriter::write(nakit, {}, CashEntry::prepare(in).values);
    const QVariantMap row = rowOf(cash(), "SELECT * FROM nakit");
    QCOMPARE(row.value("doviz_alacak").toDouble(), 3000.0);
    QCOMPARE(row.value("alacak_tutar").toDouble(), 100.0);
    const QVariantMap mv = rowOf(cash(), "SELECT * FROM carihareket");
    QCOMPARE(mv.value("nakit_id").toLongLong(), w.nid);
    QCOMPARE(mv.value("borc_tutari").toDouble(), 100.0);
    QVERIFY(mv.value("alacak_tutari").isNull());
    QCOMPARE(mv.value("doviz_cinsi").toString(), QString("USD"));
    QCOMPARE(mv.value("doviz_kuru").toDouble(), 30.0);
    QVERIFY(mv.value("cari_hesap_adi").isNull());
}

void TestCash::keyedRowsAreFoundAgain()
{
    // A collection keys its row by the cheque; a second write edits it.
    TestHome home;
    home.openCompany("A1", 2024);
    Table nakit(&cash(), "nakit");
    const Fields key{{"cekid", 42}};
    const auto first = CashRowWriter::write(nakit, key, {{"borc_tutar", 10.0}, {"doviz_cinsi", "TL"}});
    const auto second = CashRowWriter::write(nakit, key, {{"borc_tutar", 15.0}});
    QVERIFY(first.appended);
    QVERIFY(!second.appended);
    QCOMPARE(second.nid, first.nid);
    const QVariantMap row = rowOf(cash(), "SELECT * FROM nakit");
    QCOMPARE(row.value("cekid").toLongLong(), 42);
    QCOMPARE(row.value("borc_tutar").toDouble(), 15.0);
    QCOMPARE(row.value("doviz_cinsi").toString(), QString("TL"));  // only the fields given are written
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
}

void TestCash::failedWriteKeepsThePendingRow()
{
    TestHome home;
    home.openCompany("A1", 2024);
    Table nakit(&cash(), "nakit");
    nakit.open();
    nakit.append();
    nakit.field("aciklama") = "yazılan";
    // A former file that is not there: the save cannot join it and writes nothing.
    Connection gone;
    gone.setConnectionString(ConnectionString::build(home.path("Data/yok.mdb")));
    CashEntry::Input in = entry("250", "");
    in.code = "M1";
    QVERIFY_THROWS_EXCEPTION(EngineError, CashRowWriter::write(nakit, {}, CashEntry::prepare(in).values, {&gone, 7}));
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 0);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
    QCOMPARE(nakit.state(), Dataset::State::Insert);
    QCOMPARE(nakit.value("aciklama").toString(), QString("yazılan"));
}

void TestCash::movedRowLeavesTheFormerFile()
{
    TestHome home;
    home.openCompany("A1", 2024);
    Table nakit(&cash(), "nakit");
    CashEntry::Input in = entry("300", "");
    in.code = "M1";
    const auto old = CashRowWriter::write(nakit, {}, CashEntry::prepare(in).values);
    const auto other = CashRowWriter::write(nakit, {}, CashEntry::prepare(entry("5", "")).values);
    nakit.close();
    QVERIFY(ensureCashFile("A1", 2025));
    Connection former;
    former.setConnectionString(DataContext::cashConnectionString("A1", 2024));
    Connection next;
    next.setConnectionString(DataContext::cashConnectionString("A1", 2025));
    Table there(&next, "nakit");
    in.date = QDate(2025, 1, 2);
    const auto moved = CashRowWriter::write(there, {}, CashEntry::prepare(in).values, {&former, old.nid});
    QVERIFY(moved.mirrored);
    QCOMPARE(TestHome::countRows(next, "nakit"), 1);
    QCOMPARE(TestHome::countRows(next, "carihareket"), 1);
    QCOMPARE(rowOf(former, "SELECT nid FROM nakit").value("nid").toLongLong(), other.nid);
    QCOMPARE(TestHome::countRows(former, "carihareket"), 0);
}

QTEST_MAIN(TestCash)
#include "test_cash.moc"
