// The cash reports over a period: the two-date report dialog and its statements,
// the type report with its detail windows, and their printouts, on a fresh home.
#include "app/uygulama.h"
#include "cash/cash_detail_window.h"
#include "cash/tikitarihf.h"
#include "cash/tkasaf.h"
#include "cash/tkasarf.h"
#include "cash/traporkasaf.h"
#include "cash/two_date_statements.h"
#include "cash/type_report_statements.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "reports/page_fit.h"
#include "reports/report.h"
#include "reports/report_output.h"
#include "support/test_home.h"
#include "tools/document_window.h"
#include "support/typing.h"
#include "widgets/dataset_grid.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

Connection &cash() { return DataContext::instance().kasaConnection; }

qint64 cashRow(const QDate &day, const QString &currency, const QVariant &in, const QVariant &out,
               const QString &neden = QString(), const QString &aciklama = QString())
{
    QVariantMap f{{"islem_tarihi", day}, {"doviz_cinsi", currency}, {"doviz_kuru", 1.0}};
    if (in.isValid()) f.insert("borc_tutar", in);
    if (out.isValid()) f.insert("alacak_tutar", out);
    if (!neden.isEmpty()) f.insert("neden", neden);
    if (!aciklama.isEmpty()) f.insert("aciklama", aciklama);
    return TestHome::insertRow(cash(), "nakit", f);
}

QString pageText(const Report &r, int page = 0) { return r.prepare().pageTexts(page).join('\n'); }

const QDate kFirst(2024, 3, 1), kLast(2024, 3, 31);

// The cash windows wired as the application wires them, on a company A1 of 2024.
struct Reports {
    TestHome home;
    TkasaRF view;
    TkasaF entry;
    TikitarihF dialog;
    TraporKasaF types;
    TgelirdetayF gelir;
    TgiderdetayF gider;
    Reports()
    {
        entry.setView(&view);
        view.setPeriodDialog(&dialog);
        view.setTypeReport(&types);
        types.setDetailWindows(&gelir, &gider);
        gelir.setView(&view);
        gider.setView(&view);
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        MessageBox::clearShown();
    }
    ~Reports()
    {
        for (QWidget *w : std::initializer_list<QWidget *>{&entry, &view, &dialog, &types, &gelir, &gider}) w->hide();
    }
    // March 2024 in TL: 1.500 collected ("Satış" twice), 2.000 paid ("Kira", "Ali'nin Payı");
    // in USD 70 "Satış" and 30 without a type; February has 999 TL in.
    void typeFixture()
    {
        cashRow(QDate(2024, 2, 28), "TL", 999.0, QVariant(), "Satış");
        cashRow(QDate(2024, 3, 2), "TL", 1000.0, QVariant(), "Satış", "Peşin satış");
        cashRow(QDate(2024, 3, 10), "TL", 500.0, QVariant(), "Satış", "Veresiye tahsil");
        cashRow(QDate(2024, 3, 12), "TL", QVariant(), 1200.0, "Kira", "Mart kirası");
        cashRow(QDate(2024, 3, 15), "TL", QVariant(), 800.0, "Ali'nin Payı", "Ortak payı");
        cashRow(QDate(2024, 3, 20), "USD", 70.0, QVariant(), "Satış");
        cashRow(QDate(2024, 3, 22), "USD", 30.0, QVariant());
    }
    void typePeriod(int currencyIndex)
    {
        types.DateTimePicker2->setDate(kFirst);
        types.DateTimePicker1->setDate(kLast);
        types.dovizBox->setCurrentIndex(currencyIndex);
        types.raporuHazirla();
    }
    template <class T> T *in(QWidget *w, const char *name) { return w->findChild<T *>(QLatin1String(name)); }
    QAction *action(QWidget *w, const char *name) { return w->findChild<QAction *>(QLatin1String(name)); }
};

} // namespace

class TestCashReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::clearShown(); }
    void twoDateStatements_data();
    void twoDateStatements();
    void twoDateTitles();
    void twoDateReportsAcrossYears_data();
    void twoDateReportsAcrossYears();
    void dialogRebuildsTheKindsDatasets();
    void viewOpensThePeriodReports();
    void twoDatePrintouts_data();
    void twoDatePrintouts();
    void groupedReportPutsMovementsUnderTheirDay();
    void typeStatementsAndTexts();
    void typeListsAndTotals_data();
    void typeListsAndTotals();
    void detailButtonsAreCrossed();
    void detailOfQuotedAndNamelessTypes();
    void detailDeleteRecomputesTheList();
    void detailCorrectionAndDocuments();
    void detailCloseResets();
    void typePrintouts();
    void applicationWiring();
    void longTitlesAndDescriptionsFit();
    void screenshotsAndPdfs();
};

void TestCashReports::twoDateStatements_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("openingCondition");
    QTest::newRow("TL") << "TL" << "WHERE (doviz_cinsi='TL') AND (islem_tarihi<=#2024-3-31#) AND (islem_tarihi>=#2024-3-1#) AND (islem_vadesi IS NULL OR neden IS NULL OR neden<>'DEVİR')"
                        << "WHERE (doviz_cinsi='TL') AND (islem_tarihi<#2024-3-1#)";
    QTest::newRow("Hepsi") << "Hepsi" << "WHERE (islem_tarihi<=#2024-3-31#) AND (islem_tarihi>=#2024-3-1#) AND (islem_vadesi IS NULL OR neden IS NULL OR neden<>'DEVİR')"
                           << "WHERE (islem_tarihi<#2024-3-1#)";
    QTest::newRow("no choice") << "" << "WHERE (islem_tarihi<=#2024-3-31#) AND (islem_tarihi>=#2024-3-1#) AND (islem_vadesi IS NULL OR neden IS NULL OR neden<>'DEVİR')"
                               << "WHERE (islem_tarihi<#2024-3-1#)";
}

void TestCashReports::twoDateStatements()
{
    QFETCH(QString, currency);
    QFETCH(QString, condition);
    QFETCH(QString, openingCondition);
    using namespace TwoDateStatements;
    QCOMPARE(movements(currency, kFirst, kLast),
             QStringList({"SELECT islem_tarihi, borc_tutar, alacak_tutar, doviz_cinsi, aciklama ", "FROM nakit ",
                          condition, "Order By islem_tarihi ASC"}));
    QCOMPARE(typeTotals(currency, kFirst, kLast),
             QStringList({"SELECT neden, doviz_cinsi, SUM(borc_tutar) as BorcToplam, ",
                          "SUM(alacak_tutar) as AlacakToplam FROM nakit ", condition, "GROUP BY neden, doviz_cinsi;"}));
    QCOMPARE(dayTotals(currency, kFirst, kLast),
             QStringList({"SELECT islem_tarihi, doviz_cinsi, SUM(borc_tutar) as BorcToplam, ",
                          "SUM(alacak_tutar) as AlacakToplam FROM nakit ", condition,
                          "GROUP BY doviz_cinsi, islem_tarihi;"}));
    QCOMPARE(opening(currency, kFirst),
             QStringList({"SELECT SUM(borc_tutar) as BorcToplam, SUM(alacak_tutar) as AlacakToplam ", "FROM nakit ",
                          openingCondition}));
}

void TestCashReports::twoDateReportsAcrossYears_data()
{
    // 2023 (its own file): 1.000 in on 10.12, 200 out on 20.12. 2024 (the working
    // year): the carry-over's 800 on 01.01, a user's type "DEVİR" 50 in on 01.01,
    // 300 in on 05.01, 100 out on 02.02. 2025 (its own file): 40 in on 03.01.
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<double>("opening");
    QTest::addColumn<int>("movements");
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");
    QTest::newRow("from 1 January") << QDate(2024, 1, 1) << QDate(2024, 1, 31) << 800.0 << 2 << 350.0 << 0.0;
    QTest::newRow("across the year's start") << QDate(2023, 12, 15) << QDate(2024, 1, 31) << 1000.0 << 3 << 350.0 << 200.0;
    QTest::newRow("across both ends") << QDate(2023, 12, 1) << QDate(2025, 1, 31) << 0.0 << 6 << 1390.0 << 300.0;
    QTest::newRow("another year alone") << QDate(2023, 12, 11) << QDate(2023, 12, 31) << 1000.0 << 1 << 0.0 << 200.0;
    QTest::newRow("mid year") << QDate(2024, 2, 1) << QDate(2024, 2, 28) << 1150.0 << 1 << 0.0 << 100.0;
    QTest::newRow("next year from 1 January") << QDate(2025, 1, 1) << QDate(2025, 1, 31) << 1050.0 << 1 << 40.0 << 0.0;
}

void TestCashReports::twoDateReportsAcrossYears()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(double, opening);
    QFETCH(int, movements);
    QFETCH(double, in);
    QFETCH(double, out);
    Reports r;
    const auto rowIn = [](int year, const QVariantMap &f) {
        Connection c;
        c.setConnectionString(DataContext::cashConnectionString("A1", year));
        QVERIFY(ensureCashFile("A1", year));
        TestHome::insertRow(c, "nakit", f);
    };
    rowIn(2023, {{"islem_tarihi", QDate(2023, 12, 10)}, {"doviz_cinsi", "TL"}, {"borc_tutar", 1000.0}});
    rowIn(2023, {{"islem_tarihi", QDate(2023, 12, 20)}, {"doviz_cinsi", "TL"}, {"alacak_tutar", 200.0}});
    TestHome::insertRow(cash(), "nakit", {{"islem_tarihi", QDate(2024, 1, 1)}, {"islem_vadesi", QDate(2023, 12, 31)},
                                          {"neden", "DEVİR"}, {"doviz_cinsi", "TL"}, {"borc_tutar", 800.0}});
    cashRow(QDate(2024, 1, 1), "TL", 50.0, QVariant(), "DEVİR", "Kullanıcının devir türü");
    cashRow(QDate(2024, 1, 5), "TL", 300.0, QVariant());
    cashRow(QDate(2024, 2, 2), "TL", QVariant(), 100.0);
    rowIn(2025, {{"islem_tarihi", QDate(2025, 1, 1)}, {"islem_vadesi", QDate(2024, 12, 31)}, {"neden", "DEVİR"},
                 {"doviz_cinsi", "TL"}, {"borc_tutar", 1050.0}});
    rowIn(2025, {{"islem_tarihi", QDate(2025, 1, 3)}, {"doviz_cinsi", "TL"}, {"borc_tutar", 40.0}});
    r.dialog.ilkTarihDate->setDate(first);
    r.dialog.SonTarihDate->setDate(last);
    r.dialog.dovizBox->setCurrentIndex(0);
    r.dialog.raporTuru = TwoDateStatements::kDetay;
    r.dialog.hazirla();
    QCOMPARE(r.dialog.gunbasikasaQuery->value("bakiye").toDouble(), opening);
    QCOMPARE(r.dialog.ikitarihQuery->recordCount(), movements);
    double sumIn = 0, sumOut = 0;
    for (r.dialog.tarihQuery->first(); !r.dialog.tarihQuery->eof(); r.dialog.tarihQuery->next()) {
        sumIn += r.dialog.tarihQuery->value("BorcToplam").toDouble();
        sumOut += r.dialog.tarihQuery->value("AlacakToplam").toDouble();
    }
    QCOMPARE(sumIn, in);
    QCOMPARE(sumOut, out);
    r.dialog.raporTuru = TwoDateStatements::kIslemTuru;
    r.dialog.hazirla();
    double typeIn = 0;
    for (r.dialog.islemturuQuery->first(); !r.dialog.islemturuQuery->eof(); r.dialog.islemturuQuery->next())
        typeIn += r.dialog.islemturuQuery->value("BorcToplam").toDouble();
    QCOMPARE(typeIn, in);
    // The printout is made after the other years' files were let go.
    QVERIFY(!pageText(r.dialog.rapor()).isEmpty());
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), qint64(4));
}

void TestCashReports::twoDateTitles()
{
    using namespace TwoDateStatements;
    const struct {
        QString kind, title;
    } cases[] = {
        {kHareketler, "01.03.2024 - 31.03.2024 TARİHLERİ ARASI KASA HAREKETLERİ"},
        {kIslemTuru, "01.03.2024 - 31.03.2024 TARİHLERİ ARASI İŞLEM TÜRLERİNE GÖRE KASA TOPLAMLARI"},
        {kGunToplamlari, "01.03.2024 - 31.03.2024 TARİHLERİ ARASI GÜNLÜK KASA TOPLAMLARI"},
        {kDetay, "01.03.2024 - 31.03.2024 TARİHLERİ ARASI DETAY KASA HAREKETLERİ"},
        {"başka", ""},
    };
    for (const auto &c : cases) QCOMPARE(title(c.kind, kFirst, kLast), c.title);
}

void TestCashReports::dialogRebuildsTheKindsDatasets()
{
    Reports r;
    // Opening: 600 in and 100 out of TL before March, 40 USD; March: 300 in, 100 out of TL, 25 USD out.
    cashRow(QDate(2024, 2, 10), "TL", 600.0, QVariant(), "Satış");
    cashRow(QDate(2024, 2, 11), "TL", QVariant(), 100.0, "Kira");
    cashRow(QDate(2024, 2, 12), "USD", 40.0, QVariant());
    cashRow(QDate(2024, 3, 5), "TL", 300.0, QVariant(), "Satış", "Mart satışı");
    cashRow(QDate(2024, 3, 6), "TL", QVariant(), 100.0, "Kira", "Mart kirası");
    cashRow(QDate(2024, 3, 6), "USD", QVariant(), 25.0, "Kira");
    cashRow(QDate(2024, 4, 1), "TL", 1000.0, QVariant());
    QCOMPARE(r.dialog.dovizBox->currentText(), QString("TL"));
    QCOMPARE(r.dialog.ilkTarihDate->date(), QDate::currentDate().addDays(-30));
    QCOMPARE(r.dialog.SonTarihDate->date(), QDate::currentDate());
    r.dialog.ilkTarihDate->setDate(kFirst);
    r.dialog.SonTarihDate->setDate(kLast);

    r.dialog.raporTuru = TwoDateStatements::kHareketler;
    r.dialog.hazirla();
    QCOMPARE(r.dialog.ikitarihQuery->recordCount(), 2);
    QCOMPARE(r.dialog.gunbasikasaQuery->value("bakiye").toDouble(), 500.0);
    QVERIFY(!r.dialog.tarihQuery->isActive());
    QCOMPARE(r.dialog.rapor().memoText("Memo1"), QString("01.03.2024 - 31.03.2024 TARİHLERİ ARASI KASA HAREKETLERİ"));

    r.dialog.raporTuru = TwoDateStatements::kIslemTuru;
    r.dialog.hazirla();
    QCOMPARE(r.dialog.islemturuQuery->recordCount(), 2);
    QVERIFY(r.dialog.islemturuQuery->locate("neden", "Kira"));
    QCOMPARE(r.dialog.islemturuQuery->value("fark").toDouble(), -100.0);

    // "Hepsi": every currency, the opening balance adds TL and USD.
    r.dialog.dovizBox->setCurrentIndex(3);
    r.dialog.raporTuru = TwoDateStatements::kDetay;
    r.dialog.hazirla();
    QCOMPARE(r.dialog.ikitarihQuery->recordCount(), 3);
    QCOMPARE(r.dialog.tarihQuery->recordCount(), 3);
    QCOMPARE(r.dialog.gunbasikasaQuery->value("bakiye").toDouble(), 540.0);
    QVERIFY(r.dialog.tarihQuery->sqlText().contains("GROUP BY doviz_cinsi, islem_tarihi;"));

    // The view's own opening balance is not the period's.
    r.view.ac();
    r.view.dovizBox->setCurrentIndex(0);
    Q_EMIT r.view.dovizBox->activated(0);
    const QString before = r.view.gunbasiEdit->text();
    r.dialog.hazirla();
    r.view.gunSecildi();
    QCOMPARE(r.view.gunbasiEdit->text(), before);
}

namespace {
// Opening 500 TL (600 in, 100 out in February) and 40 USD; in March 300 in and 100
// out of TL, 25 USD out; April lies outside.
void periodFixture()
{
    cashRow(QDate(2024, 2, 10), "TL", 600.0, QVariant(), "Satış");
    cashRow(QDate(2024, 2, 11), "TL", QVariant(), 100.0, "Kira");
    cashRow(QDate(2024, 2, 12), "USD", 40.0, QVariant());
    cashRow(QDate(2024, 3, 5), "TL", 300.0, QVariant(), "Satış", "Mart satışı");
    cashRow(QDate(2024, 3, 6), "TL", QVariant(), 100.0, "Kira", "Mart kirası");
    cashRow(QDate(2024, 3, 6), "USD", QVariant(), 25.0, "Kira", "Dolar ödemesi");
    cashRow(QDate(2024, 4, 1), "TL", 1000.0, QVariant(), QString(), "Nisan satışı");
}
} // namespace

void TestCashReports::twoDatePrintouts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("currency");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("movements TL")
        << "ikitariharasi" << 0
        << QStringList{"01.03.2024 - 31.03.2024 TARİHLERİ ARASI KASA HAREKETLERİ", "Öztürk Gıda Ltd. Şti.", "İzmir Şubesi",
                       "SN", "İŞLEM TARİHİ", "AÇIKLAMA", "TARİH BAŞI KASA MEVCUDU", "500,00", "05.03.2024", "Mart satışı",
                       "GÜNE AİT KASA TOPLAMLARI", "300,00", "100,00", "GÜNİÇİ KASA NETİ", "200,00",
                       "TARİH SONU DEVİR KASA MEVCUDU", "700,00", "Sayfa 1 / 1"}
        << QStringList{"Dolar ödemesi", "Nisan satışı"};
    QTest::newRow("movements Hepsi")
        << "ikitariharasi" << 3 << QStringList{"540,00", "Dolar ödemesi", "125,00", "175,00", "715,00"}
        << QStringList{"Nisan satışı"};
    QTest::newRow("types TL")
        << "islemturu" << 0
        << QStringList{"01.03.2024 - 31.03.2024 TARİHLERİ ARASI İŞLEM TÜRLERİNE GÖRE KASA TOPLAMLARI", "İŞLEM TÜRÜ",
                       "GİREN - ÇIKAN", "Satış", "Kira", "-100,00", "DÖNEME AİT KASA TOPLAMLARI", "200,00"}
        << QStringList{"TARİH BAŞI KASA MEVCUDU", "Mart satışı"};
    QTest::newRow("days TL")
        << "guntoplamlari" << 0
        << QStringList{"01.03.2024 - 31.03.2024 TARİHLERİ ARASI GÜNLÜK KASA TOPLAMLARI", "İŞLEM GÜNÜ", "GİREN-ÇIKAN",
                       "05.Mart.2024", "Salı", "06.Mart.2024", "Çarşamba", "TARİH BAŞI KASA MEVCUDU", "500,00",
                       "DÖNEME AİT KASA TOPLAMLARI", "200,00", "TARİH SONU DEVİR KASA MEVCUDU", "700,00"}
        << QStringList{"Mart satışı"};
    QTest::newRow("grouped TL")
        << "ikitariharasidetay" << 0
        << QStringList{"01.03.2024 - 31.03.2024 TARİHLERİ ARASI DETAY KASA HAREKETLERİ", "TARİH BAŞI KASA MEVCUDU",
                       "05.Mart.2024", "Salı", "TOPLAMI", "Mart satışı", "Mart kirası"}
        << QStringList{"Dolar ödemesi", "GÜNE AİT KASA TOPLAMLARI"};
}

void TestCashReports::twoDatePrintouts()
{
    QFETCH(QString, kind);
    QFETCH(int, currency);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    Reports r;
    periodFixture();
    r.dialog.ilkTarihDate->setDate(kFirst);
    r.dialog.SonTarihDate->setDate(kLast);
    r.dialog.dovizBox->setCurrentIndex(currency);
    r.dialog.raporTuru = kind;
    r.dialog.hazirla();
    const QString page = pageText(r.dialog.rapor());
    for (const QString &t : present) QVERIFY2(page.contains(t), qPrintable(t));
    for (const QString &t : absent) QVERIFY2(!page.contains(t), qPrintable(t));
}

void TestCashReports::groupedReportPutsMovementsUnderTheirDay()
{
    // With "Hepsi" each currency-and-day line takes that day's movements of its currency.
    Reports r;
    periodFixture();
    r.dialog.ilkTarihDate->setDate(kFirst);
    r.dialog.SonTarihDate->setDate(kLast);
    r.dialog.dovizBox->setCurrentIndex(3);
    r.dialog.raporTuru = TwoDateStatements::kDetay;
    r.dialog.hazirla();
    const QStringList texts = r.dialog.rapor().prepare().pageTexts(0);
    // The lines in page order: a day line is "TOPLAMI" with its currency beside it.
    QStringList order;
    for (int i = 0; i < texts.size(); ++i) {
        if (texts[i] == "TOPLAMI") order << "gün " + texts.value(i + 1);
        if (texts[i] == "Mart satışı" || texts[i] == "Mart kirası" || texts[i] == "Dolar ödemesi") order << texts[i];
    }
    QCOMPARE(order, QStringList({"gün TL", "Mart satışı", "gün TL", "Mart kirası", "gün USD", "Dolar ödemesi"}));
}

void TestCashReports::viewOpensThePeriodReports()
{
    Reports r;
    cashRow(QDate(2024, 3, 5), "TL", 300.0, QVariant(), "Satış");
    r.view.ac();
    const QString kinds[] = {"ikitariharasi", "ikitariharasidetay", "islemturu", "guntoplamlari"};
    for (int i = 2; i <= 5; ++i) {
        auto *radio = r.in<QRadioButton>(&r.view, QString("yazayar%1").arg(i).toLatin1());
        QVERIFY(radio->isEnabled());
        radio->setChecked(true);
        r.in<QPushButton>(&r.view, "STRG1Yaz")->click();
        QVERIFY(r.dialog.isVisible());
        QCOMPARE(r.dialog.raporTuru, kinds[i - 2]);
        r.dialog.hide();
    }
    // Hiding the view hides the dialog.
    r.in<QPushButton>(&r.view, "STRG1Yaz")->click();
    QVERIFY(r.dialog.isVisible());
    r.view.hide();
    QVERIFY(!r.dialog.isVisible());

    // "İşlem Türü Detay Raporu": the whole cash year, computed.
    r.view.ac();
    auto *but = r.in<QPushButton>(&r.view, "islemturuBut");
    QVERIFY(but->isEnabled());
    but->click();
    QVERIFY(r.types.isVisible());
    QCOMPARE(r.types.DateTimePicker2->date(), QDate(2024, 1, 1));
    QCOMPARE(r.types.DateTimePicker1->date(), QDate(2024, 12, 31));
    QCOMPARE(r.types.donemgelirEdit->text(), QString("300,00"));
    QCOMPARE(r.types.donemgiderEdit->text(), QString(",00"));
    QCOMPARE(r.types.donemkarzararEdit->text(), QString("300,00"));
}

void TestCashReports::typeStatementsAndTexts()
{
    using namespace TypeReportStatements;
    QCOMPARE(byType(Side::Collections, kFirst, kLast),
             QStringList({"SELECT neden, doviz_cinsi, SUM(borc_tutar) AS borctutartop FROM nakit WHERE borc_tutar>0",
                          "AND (islem_tarihi<=#2024-3-31#", "and islem_tarihi>=#2024-3-1#)", "GROUP BY neden, doviz_cinsi"}));
    QCOMPARE(byType(Side::Payments, kFirst, kLast).first(),
             QString("SELECT neden, doviz_cinsi, SUM(alacak_tutar) AS alacaktutartop FROM nakit WHERE alacak_tutar>0"));
    QCOMPARE(detail(Side::Collections, "Ali'nin", kFirst, kLast),
             QStringList({"SELECT * FROM nakit", "where (islem_tarihi<=#2024-3-31#", "and islem_tarihi>=#2024-3-1#)",
                          "and neden='Ali''nin'", "and borc_tutar>0", "Order By islem_tarihi ASC"}));
    QCOMPARE(detail(Side::Payments, "", kFirst, kLast).at(3), QString("and (neden IS Null OR neden='')"));
    QCOMPARE(detail(Side::Payments, "", kFirst, kLast).at(4), QString("and alacak_tutar>0"));
    QCOMPARE(range(kFirst, kLast), QString("( 1/3/2024 - 31/3/2024 )"));
    QCOMPARE(reportDate(QDate(2024, 10, 5), QDate(2024, 12, 31)), QString("Rapor Tarihi: 5/10/2024 - 31/12/2024"));
}

void TestCashReports::typeListsAndTotals_data()
{
    QTest::addColumn<int>("currency");  // "Hepsi", "TL", "USD", "EURO"
    QTest::addColumn<int>("collectionRows");
    QTest::addColumn<int>("paymentRows");
    QTest::addColumn<QString>("collections");
    QTest::addColumn<QString>("payments");
    QTest::addColumn<QString>("difference");
    QTest::newRow("TL") << 1 << 1 << 2 << "1.500,00" << "2.000,00" << "-500,00";
    QTest::newRow("USD") << 2 << 2 << 0 << "100,00" << ",00" << "100,00";
    QTest::newRow("Hepsi adds currencies") << 0 << 3 << 2 << "1.600,00" << "2.000,00" << "-400,00";
    QTest::newRow("EURO, nothing") << 3 << 0 << 0 << ",00" << ",00" << ",00";
}

void TestCashReports::typeListsAndTotals()
{
    QFETCH(int, currency);
    QFETCH(int, collectionRows);
    QFETCH(int, paymentRows);
    QFETCH(QString, collections);
    QFETCH(QString, payments);
    QFETCH(QString, difference);
    Reports r;
    QCOMPARE(r.types.windowTitle(), QString("Brenvo Çek Senet Takip Takip Programı - Günlük Kasa İşlem Türü Raporlama"));
    QCOMPARE(r.types.DateTimePicker2->date(), QDate(QDate::currentDate().year(), 1, 1));
    r.typeFixture();
    r.typePeriod(currency);
    QCOMPARE(r.types.giderGrid->model()->rowCount(), collectionRows);
    QCOMPARE(r.types.hizligir->model()->rowCount(), paymentRows);
    QCOMPARE(r.types.donemgelirEdit->text(), collections);
    QCOMPARE(r.types.donemgiderEdit->text(), payments);
    QCOMPARE(r.types.donemkarzararEdit->text(), difference);
    QCOMPARE(r.types.donemgelirEdit->alignment() & Qt::AlignRight, Qt::AlignRight);
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestCashReports::detailButtonsAreCrossed()
{
    Reports r;
    r.typeFixture();
    r.typePeriod(1);
    QVERIFY(r.types.ffQuery1->locate("neden", "Satış"));
    QVERIFY(r.types.ffQuery2->locate("neden", "Kira"));
    // "Tahsilat Detay" opens the payments of the payments grid's type.
    r.in<QPushButton>(&r.types, "JvXPButton1")->click();
    QVERIFY(r.gider.isVisible());
    QVERIFY(!r.gelir.isVisible());
    QCOMPARE(r.gider.windowTitle(), QString("Brenvo Çek Senet Takip Programı - Kasa Ödeme Detay"));
    QCOMPARE(r.gider.Label1->text(), QString("Kira"));
    QCOMPARE(r.gider.Label2->text(), QString("1.200,00"));
    QCOMPARE(r.gider.Label3->text(), QString("Rapor Tarihi: 1/3/2024 - 31/3/2024"));
    r.gider.kapat();
    // "Ödeme Detay" opens the collections of the collections grid's type.
    r.in<QPushButton>(&r.types, "JvXPButton4")->click();
    QVERIFY(r.gelir.isVisible());
    QCOMPARE(r.gelir.windowTitle(), QString("Brenvo Çek Senet Takip Programı - Kasa Tahsilat Detay"));
    QCOMPARE(r.gelir.Label1->text(), QString("Satış"));
    QCOMPARE(r.gelir.Label2->text(), QString("1.500,00"));
    QCOMPARE(r.gelir.DBGrid1->model()->rowCount(), 2);
    r.gelir.kapat();
    // Each grid's "Detay Göster" and double click open its own list's detail.
    r.action(r.types.hizligir, "detayGosterItem")->trigger();
    QVERIFY(r.gider.isVisible() && !r.gelir.isVisible());
    r.gider.kapat();
    r.action(r.types.giderGrid, "detayGosterItem")->trigger();
    QVERIFY(r.gelir.isVisible() && !r.gider.isVisible());
    r.gelir.kapat();
    Q_EMIT r.types.giderGrid->doubleClicked(r.types.giderGrid->model()->index(0, 0));
    QVERIFY(r.gelir.isVisible());
    r.gelir.kapat();
    // The collections grid's "Detay Yazdır" prints the payments' detail (preview shown
    // modally: check what it computed through the window's printout instead).
    QCOMPARE(r.types.rapor(4).memoText("Memo1"), QString("Kira"));
    QCOMPARE(r.types.rapor(3).memoText("Memo1"), QString("Satış"));
    QCOMPARE(r.types.rapor(3).memoText("Memo19"), QString("1.500,00"));
    QCOMPARE(r.types.tahsilatToplami, 1500.0);
    // "Kapat" hides the form and closes both lists.
    r.in<QPushButton>(&r.types, "JvXPButton5")->click();
    QVERIFY(!r.types.ffQuery1->isActive() && !r.types.ffQuery2->isActive());
}

void TestCashReports::detailOfQuotedAndNamelessTypes()
{
    Reports r;
    r.typeFixture();
    r.typePeriod(0);
    // A type with an apostrophe finds its movement.
    QVERIFY(r.types.ffQuery2->locate("neden", "Ali'nin Payı"));
    r.types.giderDetay(true);
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(r.gider.DBGrid1->model()->rowCount(), 1);
    QCOMPARE(r.gider.Label2->text(), QString("800,00"));
    QCOMPARE(r.gider.Label1->text(), QString("Ali'nin Payı"));
    // The type without a name opens the movements that have none.
    QVERIFY(r.types.ffQuery1->locate("neden", QVariant()));
    r.types.gelirDetay(true);
    QCOMPARE(r.gelir.DBGrid1->model()->rowCount(), 1);
    QCOMPARE(r.gelir.Label2->text(), QString("30,00"));
    QCOMPARE(r.gelir.Label1->text(), QString());
    // The currency filter applies: "Satış" under USD is the USD movement only.
    r.types.dovizBox->setCurrentIndex(2);
    QVERIFY(r.types.ffQuery1->locate("neden", "Satış"));
    r.types.gelirDetay(false);
    QCOMPARE(r.gelir.query->recordCount(), 1);
    QCOMPARE(r.gelir.Label2->text(), QString("70,00"));
}

void TestCashReports::detailDeleteRecomputesTheList()
{
    Reports r;
    r.typeFixture();
    r.typePeriod(1);
    QVERIFY(r.types.ffQuery1->locate("neden", "Satış"));
    r.types.gelirDetay(true);
    QCOMPARE(r.gelir.query->recordCount(), 2);
    r.gelir.query->first();
    // No: nothing changes.
    MessageBox::queueAnswer(MessageBox::No);
    r.action(r.gelir.DBGrid1, "silMenuItem")->trigger();
    QCOMPARE(MessageBox::shown().last().caption, QString("Brenvo Günlük Kasa Takip"));
    QCOMPARE(MessageBox::shown().last().text, QString("Kaydı silmek istediğinize eminmisiniz?"));
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 7);
    // Yes: the movement leaves the file, and the list and its total follow.
    MessageBox::queueAnswer(MessageBox::Yes);
    r.action(r.gelir.DBGrid1, "silMenuItem")->trigger();
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 6);
    QCOMPARE(r.gelir.query->recordCount(), 1);
    QCOMPARE(r.gelir.Label2->text(), QString("500,00"));
    QCOMPARE(r.gelir.toplam(), 500.0);
    QCOMPARE(r.gelir.rapor().memoText("Memo19"), QString("500,00"));
    // A movement whose day the view's currency hides is not found: nothing happens.
    r.view.dovizBox->setCurrentIndex(1);
    Q_EMIT r.view.dovizBox->activated(1);
    MessageBox::queueAnswer(MessageBox::Yes);
    r.action(r.gelir.DBGrid1, "silMenuItem")->trigger();
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 6);
}

void TestCashReports::detailCorrectionAndDocuments()
{
    Reports r;
    r.typeFixture();
    r.typePeriod(1);
    QVERIFY(r.types.ffQuery2->locate("neden", "Kira"));
    r.types.giderDetay(true);
    // The document key is the movement's, once the view stands on it.
    const qint64 nid = r.gider.query->value("nid").toLongLong();
    QCOMPARE(r.gider.evrakAnahtari().toLongLong(), nid);
    QCOMPARE(r.view.seciliGun(), QDate(2024, 3, 12));
    // A double click corrects the movement in the cash entry form.
    Q_EMIT r.gider.DBGrid1->doubleClicked(r.gider.DBGrid1->model()->index(0, 0));
    QVERIFY(r.entry.isVisible());
    QCOMPARE(r.entry.vadesiDate->date(), QDate(2024, 3, 12));
    QCOMPARE(r.entry.dovizBox->currentText(), QString("TL"));
    QCOMPARE(r.view.kasaGTable->value("nid").toLongLong(), nid);
    retype(r.entry.DBEdit2, "1300");
    r.in<QPushButton>(&r.entry, "BitBtn1")->click();
    QCOMPARE(MessageBox::shown().last().text, QString("İşlem başarıyla kayıt edildi"));
    Query q(&cash());
    q.sql() << QString("SELECT alacak_tutar FROM nakit WHERE nid=%1").arg(nid);
    q.open();
    QCOMPARE(q.value(0).toDouble(), 1300.0);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 7);
}

void TestCashReports::detailCloseResets()
{
    Reports r;
    r.typeFixture();
    r.typePeriod(1);
    r.types.giderDetay(true);
    QVERIFY(r.gider.query->isActive());
    r.in<QPushButton>(&r.gider, "kapatBut")->click();
    QVERIFY(!r.gider.isVisible());
    QVERIFY(!r.gider.query->isActive());
    QCOMPARE(r.gider.Label2->text(), QString("0.00"));
    QCOMPARE(r.gider.Label3->text(), QString("Rapor Tarihi:"));
    const Report report = r.gider.rapor();
    QCOMPARE(report.memoText("Memo1"), QString());
    QCOMPARE(report.memoText("Memo11"), QString());
    QCOMPARE(report.memoText("Memo19"), QString(",00"));
    // Nothing selected to act on: the menu does nothing.
    r.action(r.gider.DBGrid1, "duzeltMenuItem")->trigger();
    r.action(r.gider.DBGrid1, "silMenuItem")->trigger();
    QVERIFY(MessageBox::shown().isEmpty());
    QVERIFY(!r.entry.isVisible());
}

void TestCashReports::typePrintouts()
{
    Reports r;
    r.typeFixture();
    r.typePeriod(1);
    const struct {
        int choice;
        QStringList texts;
    } cases[] = {
        {0, {"DÖNEM TAHSİLATLARI ( 1/3/2024 - 31/3/2024 )", "Öztürk Gıda Ltd. Şti.", "TAHSİLAT İŞLEM TÜRÜ", "Satış",
             "1.500,00", "DÖNEM TAHSİLAT TUTARI", "Sayfa 1 / 1"}},
        {1, {"DÖNEM ÖDEMELERİ ( 1/3/2024 - 31/3/2024 )", "ÖDEME İŞLEM TÜRÜ", "Kira", "1.200,00", "Ali'nin Payı",
             "DÖNEM ÖDEME TUTARI", "2.000,00"}},
        {2, {"TAHSİLATLAR / ÖDEMELER TABLOSU", "( 1/3/2024 - 31/3/2024 )", "İŞLEM TÜRÜ ADI",
             "DÖNEM TAHSİLAT/ÖDEME TOPLAM TUTARLARI", "DÖNEM TAHSİLAT/ÖDEME FARKI", "-500,00", "Kira", "Ali'nin Payı"}},
        {3, {"Satış", "Rapor Tarihi: 1/3/2024 - 31/3/2024", "Tahsilat Tarihi", "02.03.2024", "Peşin satış", "TOPLAM TUTAR",
             "1.500,00", "D.Kuru"}},
        {4, {"Ödeme Tarihi", "Ödeme Tutarı", "TOPLAM TUTAR"}},
    };
    QVERIFY(r.types.ffQuery1->locate("neden", "Satış"));
    for (const auto &c : cases) {
        const QString page = pageText(r.types.rapor(c.choice));
        for (const QString &t : c.texts) QVERIFY2(page.contains(t), qPrintable(QString("%1: %2").arg(c.choice).arg(t)));
    }
    // In the summary of both lists the collections stand under "TAHSİLAT TUTARI",
    // the payments under "ÖDEME TUTARI".
    const Report both = r.types.rapor(2);
    QCOMPARE(both.memoText("Memo16"), QString("1.500,00"));
    QCOMPARE(both.memoText("Memo27"), QString("2.000,00"));
    const ReportLayout &l = both.layout();
    const auto x = [&l](const char *memo) { return l.findMemo(QLatin1String(memo))->rect.left(); };
    QCOMPARE(x("Memo16"), x("Baslik3"));
    QCOMPARE(x("Memo27"), x("Baslik4"));
}

void TestCashReports::applicationWiring()
{
    // As the program wires them: the view opens the type report, whose detail
    // window's "Evraklarına Bak/Ekle" shows the documents of the movement.
    TestHome home;
    Uygulama app;
    home.openCompany("A1", 2024);
    cashRow(QDate(2024, 3, 12), "TL", QVariant(), 1200.0, "Kira", "Mart kirası");
    cashRow(QDate(2024, 3, 2), "TL", 1000.0, QVariant(), "Satış");
    app.kasaRF()->ac();
    app.kasaRF()->findChild<QPushButton *>("islemturuBut")->click();
    TraporKasaF *types = app.raporKasaF();
    QVERIFY(types->isVisible());
    QCOMPARE(types->donemkarzararEdit->text(), QString("-200,00"));
    types->findChild<QPushButton *>("JvXPButton1")->click();
    CashDetailWindow *gider = app.giderdetayF();
    QVERIFY(gider->isVisible());
    QAction *documents = gider->DBGrid1->findChild<QAction *>("evrakMenuItem");
    QVERIFY(documents && documents->isEnabled());
    documents->trigger();
    QVERIFY(app.resimkasaF()->isVisible());
    QCOMPARE(app.resimkasaF()->headerEdits[4]->text(), QString("1.200,00"));  // the movement's amount
    app.resimkasaF()->hide();
    // The view's period report choices reach the dialog.
    app.kasaRF()->findChild<QRadioButton *>("yazayar3")->setChecked(true);
    app.kasaRF()->findChild<QPushButton *>("STRG1Yaz")->click();
    QVERIFY(app.ikitarihF()->isVisible());
    QCOMPARE(app.ikitarihF()->raporTuru, QString("ikitariharasidetay"));
    for (QWidget *w : std::initializer_list<QWidget *>{app.ikitarihF(), gider, types, app.kasaRF()}) w->hide();
}

void TestCashReports::longTitlesAndDescriptionsFit()
{
    // The longest title the dialog builds and descriptions of about 70 characters:
    // every text of the four period reports stays inside its box.
    Reports r;
    const QString text = QStringLiteral("Hareket - uzunca bir açıklama metni, satırı doldursun diye yazıldı %1");
    for (int i = 0; i < 6; ++i)
        cashRow(QDate(2024, 2, 10).addDays(i * 7), i % 2 ? "USD" : "TL", i % 3 ? QVariant(1250.5 * (i + 1)) : QVariant(),
                i % 3 ? QVariant() : QVariant(80.25 * (i + 1)), i % 2 ? "Elektrik faturası" : "Kira", text.arg(i + 1));
    r.dialog.ilkTarihDate->setDate(QDate(2024, 2, 15));
    r.dialog.SonTarihDate->setDate(QDate(2024, 3, 31));
    r.dialog.dovizBox->setCurrentIndex(3);
    for (const QString &kind : {TwoDateStatements::kHareketler, TwoDateStatements::kDetay, TwoDateStatements::kIslemTuru,
                                TwoDateStatements::kGunToplamlari}) {
        r.dialog.raporTuru = kind;
        r.dialog.hazirla();
        const PreparedReport p = r.dialog.rapor().prepare();
        QVERIFY2(overflowingTexts(p).isEmpty(), qPrintable(kind + ": " + overflowingTexts(p).join(" | ")));
    }
    r.types.acYil(2024);
    for (int choice = 0; choice < 5; ++choice) {
        const PreparedReport p = r.types.rapor(choice).prepare();
        QVERIFY2(overflowingTexts(p).isEmpty(), qPrintable(QString::number(choice) + ": " + overflowingTexts(p).join(" | ")));
    }
}

void TestCashReports::screenshotsAndPdfs()
{
    // Every printout as PDF over two months of movements, and the type report with
    // both lists and a detail window.
    const QString dir = qEnvironmentVariable("CEKSENET_SCREENSHOTS");
    if (dir.isEmpty()) QSKIP("CEKSENET_SCREENSHOTS names no folder");
    Reports r;
    const QString kinds[] = {"Satış", "Kira", "Maaş", "Elektrik faturası", "Ali'nin Payı", QString()};
    for (int i = 0; i < 90; ++i) {
        const QDate day = QDate(2024, 2, 1).addDays(i * 2 / 3);
        const bool in = i % 3 != 1;
        cashRow(day, i % 7 == 0 ? "USD" : "TL", in ? QVariant(100.0 + i * 37.5) : QVariant(),
                in ? QVariant() : QVariant(50.0 + i * 12.25), kinds[i % 6],
                QString("Hareket %1 - uzunca bir açıklama metni, satırı doldursun diye").arg(i + 1));
    }
    r.dialog.ilkTarihDate->setDate(QDate(2024, 2, 15));
    r.dialog.SonTarihDate->setDate(QDate(2024, 3, 31));
    r.dialog.dovizBox->setCurrentIndex(3);
    QString error;
    for (const QString &kind : {TwoDateStatements::kHareketler, TwoDateStatements::kDetay, TwoDateStatements::kIslemTuru,
                                TwoDateStatements::kGunToplamlari}) {
        r.dialog.raporTuru = kind;
        r.dialog.hazirla();
        QVERIFY2(writePdf(r.dialog.rapor().prepare(), dir + "/kasa_" + kind + ".pdf", &error), qPrintable(error));
    }
    r.types.resize(1200, 650);
    r.types.acYil(2024);
    r.types.dovizBox->setCurrentIndex(1);
    QVERIFY(r.types.ffQuery1->locate("neden", "Satış"));
    QVERIFY(r.types.ffQuery2->locate("neden", "Kira"));
    const char *const names[] = {"tahsilat_ozet", "odeme_ozet", "tahsilat_odeme_ozet", "tahsilat_detay", "odeme_detay"};
    for (int choice = 0; choice < 5; ++choice)
        QVERIFY2(writePdf(r.types.rapor(choice).prepare(), dir + "/kasa_tur_" + names[choice] + ".pdf", &error),
                 qPrintable(error));
    QVERIFY(QTest::qWaitForWindowExposed(&r.types));
    QTest::qWait(200);
    r.types.grab().save(dir + "/kasa_islem_turu_raporu.png");
    r.types.gelirDetay(true);
    QVERIFY(QTest::qWaitForWindowExposed(&r.gelir));
    QTest::qWait(200);
    r.gelir.grab().save(dir + "/kasa_tahsilat_detay.png");
}

QTEST_MAIN(TestCashReports)
#include "test_cash_reports.moc"
