// The bank report: the cheques handed to banks due in a range, for every bank or
// one, with the totals per bank and per currency, its title and its printout.
#include "app/uygulama.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "given/bank_report_statements.h"
#include "given/tbankaraporf.h"
#include "mainmenu/tfrmmain.h"
#include "reports/layouts_bank.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "reports/report_output.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"
#include "support/test_home.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }

const QDate kFrom(2024, 3, 5), kTo(2024, 4, 10);

// A cheque on an exit slip: due date, amount, currency and rate, to whom, exit type
// (2 bank, 1 customer, 3 supplier, 0 never stored) and a take-back date.
void given(const QDate &due, double amount, const QString &currency, double rate, const QString &to, int type,
           const QDate &takenBack = QDate(), const QString &drawer = QStringLiteral("Düzenleyen"))
{
    QVariantMap row{{"cek_tarihi", due},         {"cek_tutari", amount},     {"para_birimi", currency},
                    {"cek_doviz_kuru", rate},    {"ciro_firma", to},         {"ceki_duzenleyen", drawer},
                    {"cek_bankasi", "Akbank"},   {"cek_subesi", "Konak"},    {"islem_tarihi", QDate(2024, 3, 1)},
                    {"alindigi_firma", "Müşteri Bir"}};
    if (type) row.insert("cek_banka_id", type);
    if (takenBack.isValid()) row.insert("cek_iade_tarihi", takenBack);
    TestHome::insertRow(company(), "cekciro", row);
}

// Two cheques at Ziraat on both end days, one at Garanti, and cheques that never
// belong in the report: due a day outside either end, endorsed to a customer or a
// supplier, without a stored exit type, taken back from the bank.
void fixture()
{
    given(kTo, 100, "USD", 30, "Ziraat Bankası", 2);
    given(kFrom, 1000, "TL", 1, "Ziraat Bankası", 2);
    given(QDate(2024, 3, 20), 500, "TL", 0, "Garanti", 2);
    given(kFrom.addDays(-1), 7, "TL", 1, "Ziraat Bankası", 2);
    given(kTo.addDays(1), 8, "TL", 1, "Ziraat Bankası", 2);
    given(QDate(2024, 3, 15), 9, "TL", 1, "Müşteri Bir", 1);
    given(QDate(2024, 3, 16), 10, "TL", 1, "Satıcı Bir", 3);
    given(QDate(2024, 3, 17), 11, "TL", 1, "Ziraat Bankası", 0);
    given(QDate(2024, 3, 18), 12, "TL", 1, "Garanti", 2, QDate(2024, 3, 19));
}

QStringList column(Dataset &ds, const QString &field)
{
    QStringList out;
    for (int r = 0; r < ds.recordCount(); ++r) out << ds.recordAt(r).asString(field);
    return out;
}

QStringList items(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    return out;
}

void setRange(TbankaraporF &f, const QDate &from, const QDate &to)
{
    f.DateTimePicker1->setDate(from);
    f.DateTimePicker2->setDate(to);
}

} // namespace

class TestBankReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statementsAndTitles_data();
    void statementsAndTitles();
    void defaults();
    void listsTotalsAndBankChoice();
    void chosenBankWithoutChequesInANewRange();
    void bankNamesQuotedSafely();
    void printout();
    void longSummaryFlowsOverPages();
    void mainMenuOpensTheReport();
    void screenshot();
};

void TestBankReport::statementsAndTitles_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("perBank");
    QTest::addColumn<QStringList>("perCurrency");
    QTest::addColumn<QString>("title");
    const QString range = "((cek_tarihi>=#2024-3-5#) AND (cek_tarihi<=#2024-4-10#))";
    const QString back = "AND (cek_iade_tarihi IS NULL) AND (cek_karsiliklsiz_tarihi IS NULL)";
    const QString where = "WHERE (cek_banka_id=2) AND";
    const QString perBank = "SELECT ciro_firma,para_birimi,SUM(cek_tutari) AS cektutari FROM cekciro ";
    const QString perCurrency = "SELECT para_birimi,SUM(cek_tutari) AS cektutari FROM cekciro ";
    const QString all = "Tüm Bankalardaki 5/3/2024 - 10/4/2024 Tarihleri Arası Vadeli Çekler";
    const QStringList allList{"SELECT * FROM cekciro WHERE (cek_banka_id=2) AND", range, back, "ORDER BY cek_tarihi ASC;"};
    const QStringList allBank{perBank, where, range, back, "GROUP BY ciro_firma,para_birimi;"};
    const QStringList allCurrency{perCurrency, where, range, back, "GROUP BY para_birimi;"};
    QTest::newRow("all banks") << "Tüm Bankalar" << allList << allBank << allCurrency << all;
    QTest::newRow("empty text is every bank") << "" << allList << allBank << allCurrency << all;
    const QString ziraat = "AND (ciro_firma='Ziraat Bankası')";
    QTest::newRow("one bank")
        << "Ziraat Bankası"
        << QStringList{"SELECT * FROM cekciro WHERE (cek_banka_id=2) AND", range, back, ziraat, "ORDER BY cek_tarihi ASC;"}
        << QStringList{perBank, where, range, back, ziraat, "GROUP BY ciro_firma,para_birimi;"}
        << QStringList{perCurrency, where, range, back, ziraat, "GROUP BY para_birimi;"}
        << "Ziraat Bankası de Bulunan 5/3/2024 - 10/4/2024 Tarihleri Arası Vadeli Çekler";
    const QString quoted = "AND (ciro_firma='Ali''nin Bankası')";
    QTest::newRow("quote in the bank")
        << "Ali'nin Bankası"
        << QStringList{"SELECT * FROM cekciro WHERE (cek_banka_id=2) AND", range, back, quoted, "ORDER BY cek_tarihi ASC;"}
        << QStringList{perBank, where, range, back, quoted, "GROUP BY ciro_firma,para_birimi;"}
        << QStringList{perCurrency, where, range, back, quoted, "GROUP BY para_birimi;"}
        << "Ali'nin Bankası de Bulunan 5/3/2024 - 10/4/2024 Tarihleri Arası Vadeli Çekler";
}

void TestBankReport::statementsAndTitles()
{
    QFETCH(QString, bank);
    const BankReport::Statements s = BankReport::build(kFrom, kTo, bank);
    QTEST(s.list, "list");
    QTEST(s.perBank, "perBank");
    QTEST(s.perCurrency, "perCurrency");
    // The choice list offers every bank whichever is chosen.
    QCOMPARE(s.banks, (QStringList{"SELECT ciro_firma FROM cekciro ", "WHERE (cek_banka_id=2) AND",
                                   "((cek_tarihi>=#2024-3-5#) AND (cek_tarihi<=#2024-4-10#))",
                                   "AND (cek_iade_tarihi IS NULL) AND (cek_karsiliklsiz_tarihi IS NULL)", "GROUP BY ciro_firma;"}));
    QTEST(BankReport::title(kFrom, kTo, bank), "title");
    // Dates carry no leading zeros; two-digit days and months are whole.
    QCOMPARE(BankReport::title(QDate(2024, 12, 31), QDate(2025, 1, 1), "Tüm Bankalar"),
             QString("Tüm Bankalardaki 31/12/2024 - 1/1/2025 Tarihleri Arası Vadeli Çekler"));
}

void TestBankReport::defaults()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TbankaraporF f;
    QCOMPARE(f.windowTitle(), QString("Brenvo Çek Senet Takip Programı   - Bankalara Verilen Çekler"));
    QCOMPARE(f.DateTimePicker1->date(), QDate::currentDate());
    QCOMPARE(f.DateTimePicker2->date(), QDate::currentDate().addDays(365));
    QCOMPARE(f.ComboBox1->currentText(), QString("Tüm Bankalar"));
    QCOMPARE(f.Label13->text(), QString("Bankalardaki  Çekler"));
    QCOMPARE(f.yenileBut->text(), QString("YENİLE"));
    QCOMPARE(f.yenileBut->toolTip(), QString("Ekrandaki raporları yenile..."));
    QCOMPARE(f.yazdirBut->toolTip(), QString("Yazdır"));
    QCOMPARE(f.kapatBut->toolTip(), QString("Programı kapat..."));
    QStringList titles;
    for (const GridColumn &c : f.JvDBGrid3->gridModel()->columns()) titles << c.title;
    QCOMPARE(titles, (QStringList{"Çek Vadesi", "Çek Tutarı", "Cinsi", "Çeki Düzenleyen", "Çekin Bankası", "Banka Şubesi",
                                  "Verildiği Tarihi", "Verildiği Banka", "Alındığı Firma", "Açıklama", "Çek Kuru",
                                  "TL Karşılığı"}));
    // The grids are read-only.
    for (DatasetGrid *g : {f.JvDBGrid1, f.JvDBGrid2, f.JvDBGrid3})
        QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);

    // The default range starts today: a cheque due yesterday waits for the start date to move.
    given(QDate::currentDate().addDays(-1), 10, "TL", 1, "Ziraat Bankası", 2);
    given(QDate::currentDate(), 20, "TL", 1, "Ziraat Bankası", 2);
    given(QDate::currentDate().addDays(365), 30, "TL", 1, "Ziraat Bankası", 2);
    QVERIFY(f.Yenile());
    QCOMPARE(column(f.ffQuery4, "cek_tutari"), (QStringList{"20", "30"}));
    f.DateTimePicker1->setDate(QDate::currentDate().addDays(-1));
    QVERIFY(f.Yenile());
    QCOMPARE(column(f.ffQuery4, "cek_tutari"), (QStringList{"10", "20", "30"}));
}

void TestBankReport::listsTotalsAndBankChoice()
{
    TestHome home;
    home.openCompany("A1", 2024);
    fixture();
    TbankaraporF f;
    setRange(f, kFrom, kTo);
    QVERIFY(f.Yenile());
    // Both end days included, by due date; TL worth its amount even without a rate.
    QCOMPARE(column(f.ffQuery4, "cek_tutari"), (QStringList{"1000", "500", "100"}));
    QCOMPARE(column(f.ffQuery4, "ciro_firma"), (QStringList{"Ziraat Bankası", "Garanti", "Ziraat Bankası"}));
    QCOMPARE(column(f.ffQuery4, "TLkarsiligi"), (QStringList{"1000", "500", "3000"}));
    QCOMPARE(column(f.ADOQuery1, "ciro_firma"), (QStringList{"Garanti", "Ziraat Bankası", "Ziraat Bankası"}));
    QCOMPARE(column(f.ADOQuery1, "para_birimi"), (QStringList{"TL", "TL", "USD"}));
    QCOMPARE(column(f.ADOQuery1, "cektutari"), (QStringList{"500", "1000", "100"}));
    QCOMPARE(column(f.ADOQuery2, "para_birimi"), (QStringList{"TL", "USD"}));
    QCOMPARE(column(f.ADOQuery2, "cektutari"), (QStringList{"1500", "100"}));
    QCOMPARE(items(f.ComboBox1), (QStringList{"Tüm Bankalar", "Garanti", "Ziraat Bankası"}));
    QCOMPARE(f.ComboBox1->currentText(), QString("Tüm Bankalar"));
    QCOMPARE(f.Label13->text(), QString("Tüm Bankalardaki 5/3/2024 - 10/4/2024 Tarihleri Arası Vadeli Çekler"));
    // The grid shows the list's formats.
    const DatasetGridModel *m = f.JvDBGrid3->gridModel();
    QCOMPARE(m->data(m->index(0, 0)).toString(), QString("05.03.2024"));
    QCOMPARE(m->data(m->index(2, 11)).toString(), QString("3.000,00"));

    // One bank chosen: its cheques and totals only, every bank still offered.
    f.ComboBox1->setCurrentIndex(2);
    f.yenileBut->click();
    QCOMPARE(column(f.ffQuery4, "cek_tutari"), (QStringList{"1000", "100"}));
    QCOMPARE(column(f.ADOQuery1, "para_birimi"), (QStringList{"TL", "USD"}));
    QCOMPARE(column(f.ADOQuery2, "cektutari"), (QStringList{"1000", "100"}));
    QCOMPARE(items(f.ComboBox1), (QStringList{"Tüm Bankalar", "Garanti", "Ziraat Bankası"}));
    QCOMPARE(f.ComboBox1->currentText(), QString("Ziraat Bankası"));
    QCOMPARE(f.Label13->text(), QString("Ziraat Bankası de Bulunan 5/3/2024 - 10/4/2024 Tarihleri Arası Vadeli Çekler"));
}

void TestBankReport::chosenBankWithoutChequesInANewRange()
{
    TestHome home;
    home.openCompany("A1", 2024);
    fixture();
    given(QDate(2025, 2, 1), 40, "TL", 1, "Garanti", 2);
    TbankaraporF f;
    setRange(f, kFrom, kTo);
    QVERIFY(f.Yenile());
    f.ComboBox1->setCurrentText("Ziraat Bankası");
    setRange(f, QDate(2025, 1, 1), QDate(2025, 12, 31));
    QVERIFY(f.Yenile());
    QCOMPARE(f.ffQuery4.recordCount(), 0);
    QCOMPARE(f.ADOQuery1.recordCount(), 0);
    QCOMPARE(f.ADOQuery2.recordCount(), 0);
    QCOMPARE(items(f.ComboBox1), (QStringList{"Tüm Bankalar", "Garanti"}));
    QCOMPARE(f.ComboBox1->currentText(), QString("Ziraat Bankası"));
    QCOMPARE(f.Label13->text(), QString("Ziraat Bankası de Bulunan 1/1/2025 - 31/12/2025 Tarihleri Arası Vadeli Çekler"));
    // Back to every bank, the other bank's cheque shows.
    f.ComboBox1->setCurrentIndex(0);
    QVERIFY(f.Yenile());
    QCOMPARE(column(f.ffQuery4, "cek_tutari"), (QStringList{"40"}));
}

void TestBankReport::bankNamesQuotedSafely()
{
    TestHome home;
    home.openCompany("A1", 2024);
    MessageBox::setTestMode(true);
    given(kFrom, 1, "TL", 1, "Ali'nin Bankası", 2);
    given(kFrom, 2, "TL", 1, "Banka' OR ''='", 2);
    given(kFrom, 3, "TL", 1, "Ziraat Bankası", 2);
    TbankaraporF f;
    setRange(f, kFrom, kTo);
    for (const auto &[bank, expected] : {std::pair{QString("Ali'nin Bankası"), QStringList{"1"}},
                                         std::pair{QString("Banka' OR ''='"), QStringList{"2"}},
                                         std::pair{QString("' OR 1=1 --"), QStringList{}}}) {
        f.ComboBox1->setCurrentText(bank);
        QVERIFY(f.Yenile());
        QCOMPARE(column(f.ffQuery4, "cek_tutari"), expected);
        QCOMPARE(f.ComboBox1->currentText(), bank);
    }
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestBankReport::printout()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addCompanyRecord();
    fixture();
    given(kFrom.addDays(1), 5, "EURO", 35, "Bank [Şube]", 2, QDate(), "Ayşe [Yılmaz]");
    TbankaraporF f;
    setRange(f, kFrom, kTo);
    QVERIFY(f.Yenile());
    Report r = f.printout();
    r.setClock([] { return QDateTime(QDate(2024, 3, 6), QTime(9, 30)); });
    const PreparedReport pages = r.prepare();
    QCOMPARE(pages.pageCount(), 1);
    const QStringList texts = pages.pageTexts(0);
    for (const QString &t : {"BANKALARDAKİ ÇEK VE SENET LİSTESİ", "Öztürk Gıda Ltd. Şti.", "İzmir Şubesi",
                             "Tüm Bankalardaki 5/3/2024 - 10/4/2024 Tarihleri Arası Vadeli Çekler", "Sayfa 1 / 1",
                             "SN", "ÇEK VADESİ", "ÇEK BANKASI", "ŞUBESİ", "PARA", "BİRİMİ", "TUTARI",
                             "VERİLDİĞİ BANKA", "ÇEKİ DÜZENLEYEN", "05.03.2024", "1.000,00", "Ayşe [Yılmaz]"})
        QVERIFY2(texts.contains(t), qPrintable(t));
    // The summary: the per-bank totals after the list, one line each, under their headings.
    const int summary = texts.lastIndexOf("VERİLDİĞİ BANKA");
    QVERIFY(summary > texts.indexOf("Ayşe [Yılmaz]"));
    const QStringList tail = texts.mid(summary);
    QCOMPARE(tail.mid(0, 4), (QStringList{"VERİLDİĞİ BANKA", "PARA", "BİRİMİ", "TUTARI"}));
    QCOMPARE(tail.mid(4, 12), (QStringList{"Bank [Şube]", "EURO", "5,00", "Garanti", "TL", "500,00", "Ziraat Bankası", "TL",
                                           "1.000,00", "Ziraat Bankası", "USD", "100,00"}));
}

// Totals of many banks go on over as many pages as they need, each line whole and
// inside the page, with their headings atop every page they go on to.
void TestBankReport::longSummaryFlowsOverPages()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addCompanyRecord();
    const int banks = 90;
    for (int i = 0; i < banks; ++i)
        given(kFrom.addDays(i % 30), 100 + i, "TL", 1, QString("Banka %1").arg(i + 1, 3, 10, QChar('0')), 2);
    TbankaraporF f;
    setRange(f, kFrom, kTo);
    QVERIFY(f.Yenile());
    QCOMPARE(f.ADOQuery1.recordCount(), banks);
    Report r = f.printout();
    const PreparedReport pages = r.prepare();
    QVERIFY(pages.pageCount() >= 3);
    const QSizeF paper = pages.pageLayout.fullRectPoints().size() * 25.4 / 72.0;
    QStringList totals;
    int pagesWithHeadings = 0;
    for (int p = 0; p < pages.pageCount(); ++p) {
        for (const PageItem &item : pages.pages[p].items) {
            QVERIFY2(item.rect.bottom() <= paper.height() - 10 + 0.01 && item.rect.top() >= 0,
                     qPrintable(QString("page %1: \"%2\" at %3 mm").arg(p + 1).arg(item.text).arg(item.rect.bottom())));
            QVERIFY(item.rect.right() <= paper.width() - 10 + 0.01);
        }
        const QStringList texts = pages.pageTexts(p);
        // Under the summary's headings: bank, currency and amount per line.
        const int heading = texts.lastIndexOf("VERİLDİĞİ BANKA");
        if (heading < 0 || texts.mid(heading, 4) != QStringList{"VERİLDİĞİ BANKA", "PARA", "BİRİMİ", "TUTARI"}) continue;
        const QStringList tail = texts.mid(heading + 4);
        for (int i = 0; i + 2 < tail.size() && tail[i].startsWith("Banka "); i += 3)
            totals << tail[i] + '|' + tail[i + 1] + '|' + tail[i + 2];
        ++pagesWithHeadings;
    }
    QCOMPARE(totals.size(), banks);
    for (int i = 0; i < banks; ++i)
        QCOMPARE(totals[i], QString("Banka %1|TL|%2,00").arg(i + 1, 3, 10, QChar('0')).arg(100 + i));
    QVERIFY(pagesWithHeadings >= 2);

    // A look at the pages: BANK_REPORT_SHOTS=dir writes them as a PDF.
    const QString dir = qEnvironmentVariable("BANK_REPORT_SHOTS");
    if (!dir.isEmpty()) {
        QString error;
        QVERIFY2(writePdf(pages, dir + "/bank_report_long.pdf", &error), qPrintable(error));
    }
}

void TestBankReport::mainMenuOpensTheReport()
{
    TestHome home;
    MessageBox::setTestMode(true);
    Uygulama app;
    home.openCompany("A1", 2024);
    given(QDate::currentDate().addDays(3), 250, "TL", 1, "Ziraat Bankası", 2);
    QAction *item = app.frmMain()->menuItem(QStringLiteral("Bankalara Verilen Çekler"));
    QVERIFY(item && item->isEnabled());
    item->trigger();
    TbankaraporF *f = app.bankaraporF();
    QVERIFY(f->isVisible());
    QCOMPARE(column(f->ffQuery4, "cek_tutari"), (QStringList{"250"}));
    QCOMPARE(items(f->ComboBox1), (QStringList{"Tüm Bankalar", "Ziraat Bankası"}));
    f->kapatBut->click();
    QVERIFY(!f->isVisible());
    // A cheque given to the bank later shows when the menu item is chosen again.
    given(QDate::currentDate().addDays(4), 300, "TL", 1, "Garanti", 2);
    item->trigger();
    QCOMPARE(column(f->ffQuery4, "cek_tutari"), (QStringList{"250", "300"}));
    f->hide();
    QVERIFY(MessageBox::shown().isEmpty());
}

// BANK_REPORT_SHOTS=dir saves the window and the printout's preview for a look.
void TestBankReport::screenshot()
{
    const QString dir = qEnvironmentVariable("BANK_REPORT_SHOTS");
    if (dir.isEmpty()) QSKIP("BANK_REPORT_SHOTS not set");
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addCompanyRecord();
    fixture();
    given(QDate(2024, 3, 25), 12500.5, "EURO", 35.25, "Türkiye İş Bankası A.Ş.", 2, QDate(), "Kırtasiyeci Mehmet Öztürk");
    TbankaraporF f;
    setRange(f, kFrom, kTo);
    f.ComboBox1->setCurrentText("Ziraat Bankası");
    QVERIFY(f.Yenile());
    f.ComboBox1->setCurrentIndex(0);
    QVERIFY(f.Yenile());
    f.resize(1366, 740);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.grab().save(dir + "/bank_report.png");
    TRaporOnizlemeF preview(f.printout().prepare(), TRaporOnizlemeF::kCaption);
    preview.resize(1100, 760);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    preview.grab().save(dir + "/bank_report_print.png");
}

QTEST_MAIN(TestBankReport)
#include "test_bank_report.moc"
