// The account movements window's documents: the balance list and the statement
// as printouts and workbooks (saved and read back), and the statement handed to
// the maturity-difference calculator.
#include "accounts/ledger_print.h"
#include "accounts/tcarihareketdf.h"
#include "accounts/tcarihareketf.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/spreadsheet_reader.h"
#include "data/spreadsheet_writer.h"
#include "reports/page_fit.h"
#include "reports/report.h"
#include "reports/report_output.h"
#include "support/test_home.h"
#include "tools/tvadefark2f.h"
#include "widgets/message_box.h"
#include "widgets/slip_grid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

DataContext &ctx() { return DataContext::instance(); }
Connection &cash() { return ctx().kasaConnection; }

qint64 mv(const QString &code, const QString &name, const QDate &day, double borc, double alacak,
          const QString &currency = QStringLiteral("TL"), const QDate &due = QDate(), const QString &text = QString())
{
    QVariantMap f{{"cari_kodu", code}, {"cari_hesap_adi", name}, {"islem_tarihi", day}, {"doviz_cinsi", currency}};
    if (borc) f.insert("borc_tutari", borc);
    if (alacak) f.insert("alacak_tutari", alacak);
    if (due.isValid()) f.insert("vade_tarihi", due);
    if (!text.isEmpty()) f.insert("aciklama", text);
    return TestHome::insertRow(cash(), QStringLiteral("carihareket"), f);
}

// Saves the workbook and reads it back as the spreadsheet application would.
SheetData readBack(const SpreadsheetWorkbook &book)
{
    static QTemporaryDir dir;
    static int n = 0;
    const QString path = dir.filePath(QStringLiteral("kitap%1.xlsx").arg(++n));
    const QString error = book.save(path);
    if (!error.isEmpty()) qFatal("not saved: %s", qPrintable(error));
    return readSpreadsheet(path);
}

QString formula(const SheetData &s, int row, int col) { return s.formats.value({row, col}).formula; }
QString numberFormat(const SheetData &s, int row, int col) { return s.formats.value({row, col}).numberFormat; }
bool bold(const SheetData &s, int row, int col) { return s.formats.value({row, col}).bold; }

// A company of 2024 with its registry record, the ledger open on the first quarter.
struct Fixture {
    TestHome home;
    std::unique_ptr<TcarihareketF> ledger;
    std::unique_ptr<TcarihareketDF> entry;
    std::unique_ptr<Tvadefark2F> calculator;
    Fixture()
    {
        home.openCompany(QStringLiteral("A1"), 2024);
        TestHome::addCompanyRecord();
        TestHome::insertRow(ctx().ADOConnection2, QStringLiteral("firma"),
                            {{"firma_kodu", "A1"},
                             {"firma_unvani_1", "Öztürk Gıda Ltd. Şti."},
                             {"firma_adresi_1", "Atatürk Cad. No: 12"},
                             {"telefon1_no", "(232) 555 12 34"}});
        ledger = std::make_unique<TcarihareketF>();
        entry = std::make_unique<TcarihareketDF>(ledger.get());
        ledger->setEntryForm(entry.get());
        MessageBox::clearShown();
    }
    ~Fixture()
    {
        if (calculator) calculator->hide();
        entry.reset();
        ledger.reset();
    }
    void open(const QDate &first = QDate(2024, 3, 1), const QDate &last = QDate(2024, 3, 31),
              const QDate &asOf = QDate(2024, 3, 31))
    {
        ledger->ilktarihDate->setDate(first);
        ledger->sontarihiDate->setDate(last);
        ledger->gununtarihiDate->setDate(asOf);
        ledger->ac();
    }
    void select(const QString &code, const QString &currency = QStringLiteral("Hepsi"))
    {
        ledger->HareketBox->setCurrentText(currency);
        QVERIFY(ledger->ffQuery1->locate(QStringLiteral("cari_kodu"), code));
        ledger->hareketleriGoster();
    }
    Tvadefark2F &calc()
    {
        if (!calculator) {
            calculator = std::make_unique<Tvadefark2F>();
            ledger->setCalculator(calculator.get());
        }
        return *calculator;
    }
};

// The page's texts; every text of the printout fits its box.
QString pageText(Report r, int page = 0)
{
    r.setClock([] { return QDateTime(QDate(2024, 4, 2), QTime(9, 30)); });
    const PreparedReport p = r.prepare();
    const QStringList cut = overflowingTexts(p);
    if (!cut.isEmpty()) qWarning("cut off: %s", qPrintable(cut.join(" | ")));
    return cut.isEmpty() ? p.pageTexts(page).join(u'\n') : QString();
}

} // namespace

class TestLedgerPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::setTestMode(true); }
    void controlsOfTheBottomBar();
    void balanceListWorkbook_data();
    void balanceListWorkbook();
    void statementWorkbook();
    void statementWorkbookPerCurrency();
    void calculatorRows();
    void handOffToTheCalculator();
    void nothingToHandOff();
    void balanceListPrintout();
    void statementPrintout();
    void excelButtonsSaveTheChosenWorkbook();
    void pdfsAndScreenshot();
};

void TestLedgerPrint::controlsOfTheBottomBar()
{
    Fixture f;
    QCOMPARE(f.ledger->yazayar->title(), QString("Raporlama Seçenekleri"));
    QCOMPARE(f.ledger->mizanRadio->text(), QString("Cari Hesap Mizanı"));
    QCOMPARE(f.ledger->muavinRadio->text(), QString("Cari Hesap Detay Muavin"));
    QVERIFY(f.ledger->mizanRadio->isChecked());
    QCOMPARE(f.ledger->STRG1Yaz->text(), QString("YAZDIR"));
    QCOMPARE(f.ledger->JvXPButton5->text(), QString("EXCEL"));
    QCOMPARE(f.ledger->vadefarkButton->text(), QString("Vade Farkı Hesapla"));
    QVERIFY(f.ledger->STRG1Yaz->isEnabled() && f.ledger->JvXPButton5->isEnabled());
    QVERIFY(!f.ledger->vadefarkButton->isEnabled());  // no calculator yet
    f.calc();
    QVERIFY(f.ledger->vadefarkButton->isEnabled());
}

void TestLedgerPrint::balanceListWorkbook_data()
{
    QTest::addColumn<QStringList>("currencies");  // one movement of 500 debit and 200 credit per currency
    QTest::addColumn<int>("accounts");
    QTest::newRow("empty list") << QStringList() << 0;
    QTest::newRow("one currency") << QStringList{"TL"} << 1;
    QTest::newRow("TL and USD") << QStringList{"TL", "USD"} << 2;
}

void TestLedgerPrint::balanceListWorkbook()
{
    QFETCH(QStringList, currencies);
    QFETCH(int, accounts);
    Fixture f;
    for (const QString &c : currencies) {
        mv("K1", "Kuzey", QDate(2024, 3, 5), 500, 0, c);
        mv("K1", "Kuzey", QDate(2024, 3, 6), 0, 200, c);
    }
    mv("K1", "Kuzey", QDate(2024, 4, 1), 1000, 0);  // after the day: not counted
    f.open();
    const SheetData s = readBack(f.ledger->balanceListWorkbook());

    QCOMPARE(s.value(1, 1).toString(), QString("Öztürk Gıda Ltd. Şti."));
    QCOMPARE(s.value(2, 1).toString(), QString("Atatürk Cad. No: 12 Tel: (232) 555 12 34"));
    QCOMPARE(s.value(3, 1).toString(), QString("31.03.2024 - Tarihi İtibarı İle Cari Hesap Durumu"));
    for (int r = 1; r <= 3; ++r) QVERIFY(bold(s, r, 1));
    const QStringList header{"Sıra No", "Kodu", "Cari Hesap Adı", "Cinsi", "Borç", "Alacak", "Bakiye", "BA"};
    for (int c = 0; c < header.size(); ++c) {
        QCOMPARE(s.value(6, c + 1).toString(), header[c]);
        QVERIFY(bold(s, 6, c + 1));
    }
    for (int i = 0; i < accounts; ++i) {
        const int row = 7 + i;
        QCOMPARE(s.value(row, 1), QVariant(QString::number(i + 1)));  // the number as text
        QCOMPARE(s.value(row, 2).toString(), QString("K1"));
        QCOMPARE(s.value(row, 3).toString(), QString("Kuzey"));
        QCOMPARE(s.value(row, 4).toString(), currencies[i]);
        QCOMPARE(s.value(row, 5).toDouble(), 500.0);
        QCOMPARE(s.value(row, 6).toDouble(), 200.0);
        QCOMPARE(s.value(row, 7).toDouble(), 300.0);
        QCOMPARE(s.value(row, 8).toString(), QString("B"));
        for (int c = 5; c <= 7; ++c) QCOMPARE(numberFormat(s, row, c), QString("#,##0.00"));
    }
    // The total row two below the last account (row 8 for an empty list, summing 7 to 6).
    const int n = 6 + accounts, total = n + 2;
    QCOMPARE(s.value(total, 3).toString(), QString("TOPLAM TUTARLAR"));
    for (const auto &[col, letter] : {std::pair{5, "E"}, {6, "F"}, {7, "G"}}) {
        QCOMPARE(formula(s, total, col), QString("Sum(%1%2:%1%3)").arg(letter).arg(7).arg(n));
        QCOMPARE(numberFormat(s, total, col), QString("#,##0.00"));
        QVERIFY(bold(s, total, col));
    }
    QCOMPARE(s.value(total, 5).toDouble(), 500.0 * accounts);
    // One row per currency, two rows below the total, only with more than one currency.
    if (accounts > 1) {
        for (int i = 0; i < accounts; ++i) {
            QCOMPARE(s.value(n + 4 + i, 4).toString(), currencies[i]);
            QCOMPARE(s.value(n + 4 + i, 7).toDouble(), 300.0);
            QCOMPARE(s.value(n + 4 + i, 8).toString(), QString("B"));
        }
        QCOMPARE(s.lastRow, n + 4 + accounts - 1);
    } else {
        QCOMPARE(s.lastRow, total);
    }
}

void TestLedgerPrint::statementWorkbook()
{
    Fixture f;
    mv("K1", "Kuzey", QDate(2024, 2, 10), 100, 0);                                          // carried forward
    mv("K1", "Kuzey", QDate(2024, 3, 5), 50, 0, "TL", QDate(2024, 4, 5), "Fatura 12");      // due date
    mv("K1", "Kuzey", QDate(2024, 3, 9), 0, 30, "TL", QDate(), "Tahsilat");                 // none
    f.open();
    f.select("K1", "TL");
    const SheetData s = readBack(f.ledger->statementWorkbook());

    QCOMPARE(s.value(1, 1).toString(), QString("Öztürk Gıda Ltd. Şti."));
    QCOMPARE(s.value(2, 1).toString(), QString("Atatürk Cad. No: 12 Tel: (232) 555 12 34"));
    QCOMPARE(s.value(3, 1).toString(), QString("Kuzey (TL) Hesap Hareketleri (01.03.2024-31.03.2024)"));
    QCOMPARE(s.formats.value({1, 1}).fontSize, 14.0);
    QCOMPARE(s.formats.value({3, 1}).fontSize, 14.0);
    const QStringList header{"Sıra No", "İşlem Tarihi", "İşlem", "Belge", "Açıklama", "Cinsi", "Borç", "Alacak", "Bakiye", "Vadesi"};
    for (int c = 0; c < header.size(); ++c) QCOMPARE(s.value(6, c + 1).toString(), header[c]);

    struct Line {
        int row;
        QVariant number, date, text, borc, alacak, bakiye, due;
    };
    const Line lines[] = {
        {7, {}, {}, QString("Devir"), 100.0, 0.0, 100.0, {}},
        {8, QString("2"), QDate(2024, 3, 5), QString("Fatura 12"), 50.0, {}, 150.0, QDate(2024, 4, 5)},
        {9, QString("3"), QDate(2024, 3, 9), QString("Tahsilat"), {}, 30.0, 120.0, {}},  // no due date: empty J
    };
    for (const Line &l : lines) {
        QCOMPARE(s.value(l.row, 1), l.number);
        QCOMPARE(s.value(l.row, 2), l.date);
        QVERIFY(!s.value(l.row, 3).isValid() && !s.value(l.row, 4).isValid());
        QCOMPARE(s.value(l.row, 5), l.text);
        QCOMPARE(s.value(l.row, 7), l.borc);
        QCOMPARE(s.value(l.row, 8), l.alacak);
        QCOMPARE(s.value(l.row, 9), l.bakiye);
        QCOMPARE(s.value(l.row, 10), l.due);
        QCOMPARE(numberFormat(s, l.row, 9), QString("#,##0.00"));
    }
    QCOMPARE(s.value(8, 6).toString(), QString("TL"));
    // Sums two rows below the last movement, the final balance as a value.
    QCOMPARE(s.value(11, 5).toString(), QString("TOPLAM TUTARLAR"));
    QCOMPARE(formula(s, 11, 7), QString("Sum(G7:G9)"));
    QCOMPARE(formula(s, 11, 8), QString("Sum(H7:H9)"));
    QCOMPARE(s.value(11, 7).toDouble(), 150.0);
    QCOMPARE(s.value(11, 8).toDouble(), 30.0);
    QCOMPARE(s.value(11, 9).toDouble(), 120.0);
    QVERIFY(formula(s, 11, 9).isEmpty());
    QVERIFY(bold(s, 11, 5));
    QCOMPARE(s.lastRow, 11);  // one currency: no per-currency rows
}

void TestLedgerPrint::statementWorkbookPerCurrency()
{
    Fixture f;
    mv("K1", "Kuzey", QDate(2024, 3, 5), 500, 0);
    mv("K1", "Kuzey", QDate(2024, 3, 6), 0, 100, "USD");
    f.open();
    f.select("K1");
    const SheetData s = readBack(f.ledger->statementWorkbook());
    QCOMPARE(s.value(7, 9).toDouble(), 0.0);  // nothing carried forward
    QCOMPARE(s.value(9, 9).toDouble(), 400.0);
    // n = 9: the sums on row 11, the currencies from row 13 in the totals' order.
    QCOMPARE(s.value(11, 9).toDouble(), 400.0);
    const QStringList currencies{f.ledger->toplamQuery3->recordAt(0).asString("doviz_cinsi"),
                                 f.ledger->toplamQuery3->recordAt(1).asString("doviz_cinsi")};
    for (int i = 0; i < 2; ++i) {
        const bool tl = currencies[i] == "TL";
        QCOMPARE(s.value(13 + i, 6).toString(), currencies[i]);
        QCOMPARE(s.value(13 + i, 7).toDouble(), tl ? 500.0 : 0.0);
        QCOMPARE(s.value(13 + i, 8).toDouble(), tl ? 0.0 : 100.0);
        QCOMPARE(s.value(13 + i, 9).toDouble(), tl ? 500.0 : -100.0);
    }
    QCOMPARE(s.lastRow, 14);
}

void TestLedgerPrint::calculatorRows()
{
    {
    Fixture f;
    mv("K1", "Kuzey", QDate(2024, 2, 10), 0, 30);                                            // carried: -30
    mv("K1", "Kuzey", QDate(2024, 3, 5), 1234.5, 0, "TL", QDate(2024, 4, 5), "Fatura");
    mv("K1", "Kuzey", QDate(2024, 3, 6), 0, 0, "TL", QDate(2024, 4, 6), "Sıfır");            // both amounts zero
    mv("K1", "Kuzey", QDate(2024, 3, 7), 0, 80, "TL", QDate(), "Vadesiz");                   // no due date
    f.open();
    f.select("K1");
    const QVector<QStringList> rows = LedgerPrint::calculatorRows(*f.ledger->ffQuery3, *f.ledger->devirQuery3, QDate(2024, 3, 1));
    const QVector<QStringList> expected{
        {"1", "29.02.2024", "29.02.2024", "29.02.2024 Tarihli devir.", "", "30,00"},
        {"2", "05.03.2024", "05.04.2024", "Fatura", "1.234,50", ""},
        {"3", "06.03.2024", "06.04.2024", "Sıfır", "", ""},
        {"4", "07.03.2024", "", "Vadesiz", "", "80,00"},
    };
    QCOMPARE(rows, expected);
    }

    // A positive carried balance is a debt.
    Fixture g;
    mv("K1", "Kuzey", QDate(2024, 2, 10), 75, 0);
    g.open();
    g.select("K1");
    QCOMPARE(LedgerPrint::calculatorRows(*g.ledger->ffQuery3, *g.ledger->devirQuery3, QDate(2024, 3, 1)),
             (QVector<QStringList>{{"1", "29.02.2024", "29.02.2024", "29.02.2024 Tarihli devir.", "75,00", ""}}));
}

void TestLedgerPrint::handOffToTheCalculator()
{
    Fixture f;
    Tvadefark2F &calc = f.calc();
    calc.yildakigunEdit->setText("365");
    calc.setRows({{"1", "01.01.2024", "01.01.2024", "eski satır", "5,00"}});
    mv("K1", "Kuzey", QDate(2024, 2, 10), 100, 0);
    mv("K1", "Kuzey", QDate(2024, 3, 7), 0, 80, "TL", QDate(), "Vadesiz");
    f.open();
    f.select("K1");
    f.ledger->vadefarkButton->click();
    QVERIFY(calc.isVisible());
    QCOMPARE(calc.firmaadiEdit->text(), f.ledger->Label2->text());
    const QVector<QStringList> rows = calc.rows();
    QCOMPARE(rows.size(), 3);  // the carried line, the movement, the input row
    QCOMPARE(rows[0].mid(0, 6), (QStringList{"1", "29.02.2024", "29.02.2024", "29.02.2024 Tarihli devir.", "100,00", ""}));
    // The recalculation gave the undated movement its transaction date as due date.
    QCOMPARE(rows[1].mid(0, 6), (QStringList{"2", "07.03.2024", "07.03.2024", "Vadesiz", "", "80,00"}));
    QCOMPARE(rows[2][0], QString("3"));
    QVERIFY(rows[2][3].isEmpty());
    QCOMPARE(calc.borctoplamEdit->text(), QString("100,00"));
    QCOMPARE(calc.alacaktoplamtutarEdit->text(), QString("80,00"));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestLedgerPrint::nothingToHandOff()
{
    Fixture f;
    Tvadefark2F &calc = f.calc();
    calc.setRows({{"1", "01.01.2024", "01.01.2024", "eski satır", "5,00"}, {"2"}});
    mv("K1", "Kuzey", QDate(2024, 4, 10), 100, 0);  // after the period
    f.open(QDate(2024, 3, 1), QDate(2024, 3, 31), QDate(2024, 12, 31));
    f.select("K1");
    f.ledger->vadefarkButton->click();
    QVERIFY(!calc.isVisible());
    QCOMPARE(calc.rows().size(), 1);  // emptied all the same
}

void TestLedgerPrint::balanceListPrintout()
{
    Fixture f;
    mv("K1", "Kuzey", QDate(2024, 3, 5), 500, 200);
    mv("G1", "Güney", QDate(2024, 3, 5), 0, 40, "USD");
    f.open();
    f.ledger->CariBox->setCurrentText("Hepsi");
    const QString page = pageText(f.ledger->balanceListPrintout());
    for (const char *text : {"Öztürk Gıda Ltd. Şti.", "İzmir Şubesi", "CARİ HESAP BAKİYELERİ",
                             "31.03.2024 Tarihi İtibarı İle Rapor - Hepsi", "SN", "FİRMA ADI", "CARİ BORÇ", "CARİ ALACAK",
                             "CARİ BAKİYE", "Kuzey", "Güney", "500,00", "300,00", "-40,00", "Sayfa 1 / 1", "Tarih : 02.04.2024",
                             "Saat : 09:30"})
        QVERIFY2(page.contains(QString::fromUtf8(text)), text);
    // One framed line per currency after the accounts: each balance twice.
    QCOMPARE(page.count("-40,00"), 2);
    QCOMPARE(page.count("300,00"), 2);
    QCOMPARE(page.count("USD"), 2);
}

void TestLedgerPrint::statementPrintout()
{
    Fixture f;
    mv("K1", "Kuzey", QDate(2024, 2, 10), 100, 0);
    mv("K1", "Kuzey", QDate(2024, 3, 5), 50, 0, "TL", QDate(2024, 4, 5), "Fatura 12");
    mv("K1", "Kuzey", QDate(2024, 3, 9), 0, 30, "TL", QDate(), "Tahsilat");
    f.open();
    f.select("K1");
    const QString page = pageText(f.ledger->statementPrintout());
    for (const char *text : {"Kuzey HESAP HAREKETLERİ", "01.03.2024-31.03.2024 Tarihleri Arası Hareket Raporu - Hepsi",
                             "İŞLEM TARİHİ", "VADE TARİHİ", "Devir", "100,00", "Fatura 12", "05.03.2024", "05.04.2024",
                             "150,00", "120,00", "Toplam", "Dönem İşlem Detayları", "Sayfa 1 / 1"})
        QVERIFY2(page.contains(QString::fromUtf8(text)), text);
    // After the heading, the period's line per currency: 50 debit, 30 credit, 20.
    const QString period = page.mid(page.indexOf(QString("Dönem İşlem Detayları")));
    for (const char *text : {"TL", "50,00", "30,00", "20,00", "B"})
        QVERIFY2(period.contains(QString::fromUtf8(text)), text);
}

void TestLedgerPrint::excelButtonsSaveTheChosenWorkbook()
{
    Fixture f;
    mv("K1", "Kuzey", QDate(2024, 3, 5), 50, 0);
    f.open();
    f.select("K1");
    QStringList opened;
    SpreadsheetExport::setOpener([&opened](const QString &path) {
        opened << path;
        return true;
    });
    f.ledger->JvXPButton5->click();
    f.ledger->muavinRadio->setChecked(true);
    f.ledger->JvXPButton5->click();
    SpreadsheetExport::setOpener({});
    QCOMPARE(opened.size(), 2);
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(readSpreadsheet(opened[0]).value(6, 3).toString(), QString("Cari Hesap Adı"));
    QCOMPARE(readSpreadsheet(opened[1]).value(6, 10).toString(), QString("Vadesi"));
}

void TestLedgerPrint::pdfsAndScreenshot()
{
    // Both printouts over a long statement in two currencies, as the preview saves
    // them, and the window with its bottom bar, for a look.
    const QString dir = qEnvironmentVariable("CEKSENET_SHOTS");
    if (dir.isEmpty()) QSKIP("CEKSENET_SHOTS names no folder");
    Fixture f;
    mv("K1", "Kuzey Gıda Pazarlama ve Ticaret Limited Şirketi", QDate(2024, 2, 10), 1500, 0);
    for (int i = 0; i < 70; ++i)
        mv("K1", "Kuzey Gıda Pazarlama ve Ticaret Limited Şirketi", QDate(2024, 3, 1).addDays(i % 30), i % 3 ? 1250.5 * i : 0,
           i % 3 ? 0 : 980.25 * i, i % 7 ? "TL" : "USD", i % 5 ? QDate(2024, 5, 1).addDays(i) : QDate(),
           QStringLiteral("Fatura %1 - uzun bir açıklama metni, satırı doldurmak için").arg(i));
    for (int i = 0; i < 12; ++i) mv(QStringLiteral("G%1").arg(i), QStringLiteral("Güney Hesap %1").arg(i), QDate(2024, 3, 3), 100 * i, 40);
    f.open();
    f.select("K1");
    QString error;
    QVERIFY2(writePdf(f.ledger->balanceListPrintout().prepare(), dir + "/ledger_balances.pdf", &error), qPrintable(error));
    QVERIFY(f.ledger->ffQuery1->locate("cari_kodu", "K1"));
    QVERIFY2(writePdf(f.ledger->statementPrintout().prepare(), dir + "/ledger_statement.pdf", &error), qPrintable(error));
    f.ledger->resize(1366, 740);
    f.ledger->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.ledger.get()));
    f.ledger->grab().save(dir + "/ledger_window.png");
}

QTEST_MAIN(TestLedgerPrint)
#include "test_ledger_print.moc"
