// The exit slip's receipts and its workbook: the refusals before printing, the
// page texts of the three receipts over a saved slip, and the export saved and
// read back.
#include "app/uygulama.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/spreadsheet_reader.h"
#include "given/exit_slip_print.h"
#include "given/tcekcikisf.h"
#include "given/tcikisceklerf.h"
#include "given/tcikisozetf.h"
#include "issued/tcekduzenlef.h"
#include "issued/tduzenlenenceklerf.h"
#include "received/tceklerf.h"
#include "reports/page_fit.h"
#include "reports/report.h"
#include "reports/report_output.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace EntrySlip;
using namespace ExitSlip;
using ExitSlipPrint::Receipt;

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }

qint64 addReceived(double amount, const QDate &due, const QString &bank = "Ziraat")
{
    return TestHome::insertRow(company(), "cekgiris",
                               {{"bordro_ind", 1},
                                {"islem_tarihi", QDate(2021, 2, 10)},
                                {"alindigi_firma", "Alıcı Bir"},
                                {"alindigi_firma_kodu", "R1"},
                                {"cek_tarihi", due},
                                {"cek_tutari", amount},
                                {"ceki_duzenleyen", "Ayşe Öz"},
                                {"cek_bankasi", bank},
                                {"cek_subesi", "Konak"},
                                {"cek_hesap_no", "H-1"},
                                {"cek_no", QString("C-%1").arg(amount)},
                                {"para_birimi", "TL"}});
}

SheetData readBack(const SpreadsheetWorkbook &book)
{
    static QTemporaryDir dir;
    static int n = 0;
    const QString path = dir.filePath(QStringLiteral("cikis%1.xlsx").arg(++n));
    const QString error = book.save(path);
    if (!error.isEmpty()) qFatal("not saved: %s", qPrintable(error));
    return readSpreadsheet(path);
}

// The exit slip with its lists, summary and own cheque window, on the company A1
// of 2021, the supplier S1 at 36 % a year, dated 01.03.2021.
struct Windows {
    TestHome home;
    std::unique_ptr<TceklerF> lists;
    std::unique_ptr<TcikisozetF> summary;
    std::unique_ptr<TcekduzenleF> own;
    std::unique_ptr<TcekcikisF> slip;
    explicit Windows(const QString &code = "S1")
    {
        home.openCompany("A1", 2021);
        TestHome::addCompanyRecord();
        company().exec("UPDATE firmabilgileri SET firma_adresi_1='Kordon Boyu 5', adres_semt='Alsancak', "
                       "adres_sehir='İzmir', telefon1_no='232 111', fax_no='232 222'");
        TestHome::addAccountCard("S1", "Satıcı Bir", 36);
        company().exec("UPDATE firma SET firma_unvani_2='Satıcı [Bir] A.Ş.', firma_adresi_1='Liman Cad. 3', "
                       "adres_semt='Karşıyaka', adres_sehir='İzmir' WHERE firma_kodu='S1'");
        MessageBox::setTestMode(true);
        MessageBox::clearShown();
        lists = std::make_unique<TceklerF>();
        summary = std::make_unique<TcikisozetF>();
        own = std::make_unique<TcekduzenleF>();
        slip = std::make_unique<TcekcikisF>();
        slip->setListWindow(lists.get());
        slip->setSummaryWindow(summary.get());
        slip->setOwnChequeWindow(own.get());
        own->setExitSlip(slip.get());
        slip->DateTimePicker15->setDate(QDate(2021, 3, 1));
        slip->KoduEdit->setText(code);
        slip->cariBul();
        MessageBox::clearShown();
    }
    ~Windows()
    {
        slip->cikisDegisti = false;
        lists->hide();
        slip->hide();
    }
    void pick(qint64 key)
    {
        QVERIFY(lists->listQuery.locate("cek_ind", key));
        lists->cirolaButton->click();
    }
    void typeOwn(const QDate &due, const QString &amount)
    {
        own->vadesiDate->setDate(due);
        own->dovizBox->setCurrentText("TL");
        own->tutarEdit->setText(amount);
        own->bankasiEdit->setText("Garanti");
        own->ceknoEdit->setText("K-7");
        own->duzenleBut->click();
    }
    // A saved slip of two portfolio cheques (10.000 and 5.000) and, when asked, an own cheque of 2.000.
    void savedSlip(bool portfolio = true, bool ownCheque = true)
    {
        const qint64 a = portfolio ? addReceived(10000, QDate(2021, 3, 31)) : 0;
        const qint64 b = portfolio ? addReceived(5000, QDate(2021, 4, 15), "Vakıf") : 0;
        slip->cekEkle();
        if (portfolio) {
            pick(a);
            pick(b);
        }
        if (ownCheque) typeOwn(QDate(2021, 5, 31), "2.000");
        QVERIFY(slip->sakla());
        MessageBox::clearShown();
    }
    QString page(Receipt receipt)
    {
        Report r = slip->printout(receipt);
        r.setClock([] { return QDateTime(QDate(2021, 3, 2), QTime(14, 5)); });
        const PreparedReport p = r.prepare();
        const QStringList cut = overflowingTexts(p);  // every text fits its box
        if (!cut.isEmpty()) return QStringLiteral("cut off: ") + cut.join(" | ");
        QStringList all;
        for (int i = 0; i < p.pageCount(); ++i) all << p.pageTexts(i);
        return all.join(u'\n');
    }
};

QStringList texts()
{
    QStringList out;
    for (const auto &s : MessageBox::shown()) out << s.text;
    return out;
}

} // namespace

class TestExitPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsOfTheFooter();
    void printRefusal_data();
    void printRefusal();
    void printingRefusedUntilSaved();
    void printingNarrowsTheSlipLists();
    void applicationHandsTheListsToTheSlip();
    void receipts_data();
    void receipts();
    void bandsOfTheSlip_data();
    void bandsOfTheSlip();
    void addressOfTheCard_data();
    void addressOfTheCard();
    void exportOfTwoCheques();
    void exportOfAnEmptySlip();
    void exportButtonOpensTheWorkbook();
    void pdfs();
};

void TestExitPrint::controlsOfTheFooter()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    QCOMPARE(f.yazayar->title(), QString("Raporlama Seçenekleri"));
    const QStringList captions{"Çek Alındısı", "Çek Alındısı Detaylı", "Çek Alındısı Detaylı 2"};
    for (int i = 0; i < 3; ++i) QCOMPARE(f.reportChoice[i]->text(), captions[i]);
    QVERIFY(f.reportChoice[0]->isChecked());
    QCOMPARE(f.chosenReceipt(), Receipt::Plain);
    f.reportChoice[2]->setChecked(true);
    QCOMPARE(f.chosenReceipt(), Receipt::Detailed2);
    QCOMPARE(f.STRG1Yaz->text(), QString("SEÇİLİ RAPORU YAZDIR"));
    QCOMPARE(f.BitBtn25->text(), QString("Excel'e Aktar"));
    for (QWidget *c : {static_cast<QWidget *>(f.yazayar), static_cast<QWidget *>(f.STRG1Yaz), static_cast<QWidget *>(f.BitBtn25)})
        QVERIFY(c->isEnabled());
}

void TestExitPrint::printRefusal_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    QTest::newRow("changes of a saved slip") << true << "12" << ExitSlipPrint::kUnsavedChanges;
    QTest::newRow("changes of a new slip") << true << "" << ExitSlipPrint::kUnsavedChanges;
    QTest::newRow("never saved") << false << "" << ExitSlipPrint::kNeverSaved;
    QTest::newRow("number 0") << false << "0" << ExitSlipPrint::kNeverSaved;
    QTest::newRow("saved") << false << "12" << QString();
}

void TestExitPrint::printRefusal()
{
    QFETCH(bool, changed);
    QFETCH(QString, number);
    QFETCH(QString, message);
    QCOMPARE(ExitSlipPrint::printRefusal(changed, number), message);
}

// Presses "SEÇİLİ RAPORU YAZDIR" and closes the preview it opens; true when one opened.
bool printThroughPreview(TcekcikisF &f)
{
    bool previewed = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&previewed] {
        if (QWidget *preview = QApplication::activeModalWidget()) {
            previewed = preview->windowTitle().contains("Brenvo Rapor Önizleme");
            preview->close();
        }
    });
    closer.start(20);
    f.STRG1Yaz->click();
    closer.stop();
    return previewed;
}

void TestExitPrint::printingRefusedUntilSaved()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    QCOMPARE(ExitSlipPrint::kUnsavedChanges,
             QString("Rapor öncsesi değişiklikleri kayıt etmelisiniz!\n\rKayıt ettikten sonra tekrar rapor alınız!"));
    QCOMPARE(ExitSlipPrint::kNeverSaved, QString("Bu işlem öncesi bordroyu kayıt etmelisiniz!"));
    f.cikisDegisti = false;
    f.STRG1Yaz->click();
    QCOMPARE(texts(), QStringList{ExitSlipPrint::kNeverSaved});
    w.savedSlip(true, false);
    // A change in the grid after the save: refused even though the slip has a number.
    const qint64 c = addReceived(700, QDate(2021, 6, 1));
    f.cekEkle();
    w.pick(c);
    MessageBox::clearShown();
    f.STRG1Yaz->click();
    QCOMPARE(texts(), QStringList{ExitSlipPrint::kUnsavedChanges});
    // After "KAYDET" the same print goes through to the preview.
    QVERIFY(f.sakla());
    MessageBox::clearShown();
    QVERIFY(printThroughPreview(f));
    QVERIFY(texts().isEmpty());
}

void TestExitPrint::printingNarrowsTheSlipLists()
{
    Windows w;
    TcikisceklerF given;
    TduzenlenenceklerF issued;
    w.slip->setSlipLists(&given, &issued);
    // An earlier slip, so the printed one is not the only one in the lists.
    w.savedSlip(true, true);
    const qint64 first = w.slip->JustaEdit1->text().toLongLong();
    MessageBox::queueAnswer(MessageBox::Yes);
    w.slip->BitBtn2->click();  // "YENİ BORDRO"
    QVERIFY(w.slip->JustaEdit1->text().isEmpty());
    w.slip->DateTimePicker15->setDate(QDate(2021, 3, 1));
    w.slip->KoduEdit->setText("S1");
    w.slip->cariBul();
    const qint64 c = addReceived(3000, QDate(2021, 4, 30));
    w.slip->cekEkle();
    w.pick(c);
    w.typeOwn(QDate(2021, 6, 30), "1.000");
    MessageBox::clearShown();
    QVERIFY2(w.slip->sakla(), qPrintable(texts().join("|")));
    MessageBox::clearShown();
    const qint64 second = w.slip->JustaEdit1->text().toLongLong();
    QVERIFY(second > first);

    // The lists as the user left them: due dates narrowed, another state, another slip.
    for (ChequeListWindow *list : {static_cast<ChequeListWindow *>(&given), static_cast<ChequeListWindow *>(&issued)}) {
        list->tarihCheck->setChecked(true);
        list->choiceGroup->button(1)->setChecked(true);
        list->bordroEdit->setText(QString::number(first));
    }
    // A refused print leaves them alone.
    w.slip->cikisDegisti = true;
    w.slip->STRG1Yaz->click();
    QCOMPARE(given.bordroEdit->text(), QString::number(first));
    QCOMPARE(issued.guncelleButton->text(), QString("GÜNCELLE"));
    w.slip->cikisDegisti = false;
    MessageBox::clearShown();

    QVERIFY(printThroughPreview(*w.slip));
    for (ChequeListWindow *list : {static_cast<ChequeListWindow *>(&given), static_cast<ChequeListWindow *>(&issued)}) {
        QVERIFY(!list->tarihCheck->isChecked());
        QCOMPARE(list->choiceGroup->checkedId(), 0);
        QCOMPARE(list->bordroEdit->text(), QString::number(second));
    }
    // The next build of each list shows the printed slip's cheques alone.
    given.CiroCekleriHazirla();
    QCOMPARE(given.cirolananceklerQuery.recordCount(), 1);
    given.cirolananceklerQuery.first();
    QCOMPARE(given.cirolananceklerQuery.field("ciro_bordro_ind").asInteger(), second);
    QVERIFY(issued.slipFilterOn());
    QCOMPARE(issued.guncelleButton->text(), QString("FİLTREYİ KALDIR"));
    issued.Yenile();
    QCOMPARE(issued.duzenlenenQuery.recordCount(), 1);
    QCOMPARE(issued.duzenlenenQuery.field("bordro_ind").asInteger(), second);
    // "FİLTREYİ KALDIR" takes the slip away: both slips' own cheques, and "GÜNCELLE" again.
    issued.guncelleButton->click();
    QVERIFY(!issued.slipFilterOn());
    QVERIFY(issued.bordroEdit->text().isEmpty());
    QCOMPARE(issued.guncelleButton->text(), QString("GÜNCELLE"));
    QCOMPARE(issued.duzenlenenQuery.recordCount(), 2);
    // "GÜNCELLE" itself keeps the filters as they are.
    issued.bordroEdit->setText(QString::number(first));
    issued.guncelleButton->click();
    QCOMPARE(issued.duzenlenenQuery.recordCount(), 1);
    QCOMPARE(issued.bordroEdit->text(), QString::number(first));
    QVERIFY(texts().isEmpty());
}

void TestExitPrint::applicationHandsTheListsToTheSlip()
{
    TestHome home;
    Uygulama app;
    home.openCompany("A1", 2021);
    MessageBox::setTestMode(true);
    MessageBox::clearShown();
    TcekcikisF &f = *app.cekcikisF();
    f.JustaEdit1->setText("7");
    f.cikisDegisti = false;
    QVERIFY(printThroughPreview(f));
    QCOMPARE(app.cikisceklerF()->bordroEdit->text(), QString("7"));
    QCOMPARE(app.duzenlenenceklerF()->bordroEdit->text(), QString("7"));
    QVERIFY(app.duzenlenenceklerF()->slipFilterOn());
    f.hide();
}

void TestExitPrint::receipts_data()
{
    QTest::addColumn<int>("receipt");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    const QStringList common{"Öztürk Gıda Ltd. Şti. İzmir Şubesi", "Kordon Boyu 5", "Alsancak İzmir", "Tel: 232 111",
                             "Fax:232 222", "01.03.2021", "14:05", "Verildiği Firma :", "Satıcı Bir", "Firma Adresi :",
                             "Satıcı [Bir] A.Ş. Liman Cad. 3", "Karşıyaka / İzmir", "SN", "ÇEK VADESİ", "31.03.2021",
                             "15.04.2021", "TUTARI", "10.000,00", "5.000,00", "Toplam Tutar :", "15.000,00", "TL",
                             "Ortalama Vadesi :", "05.04.2021", "35", "Sayfa 1 / 1"};
    QTest::newRow("Çek Alındısı") << 0
                                 << common + QStringList{"ÇEK VE SENET ÇIKIŞ BORDRO TESLİMİ", "ÇEK BANKASI", "ŞUBESİ",
                                                         "Ziraat", "Konak", "HESAP NO", "ÇEK NUMARASI", "C-10000",
                                                         "ÇEKİ DÜZENLEYEN", "Ayşe Öz", "Ortalama Gün :"}
                                 << QStringList{"(DETAYLI)", "NET TUTAR", "Vade Farkı :"};
    const QStringList detailed{"ÇEK VE SENET ÇIKIŞ BORDRO TESLİMİ (DETAYLI)", "GÜN", "30", "45", "VADE FARKI", "295,89",
                               "MASRAF", "NET TUTAR", "9.704,11", "Vade Farkı :", "Masraf :", "BSMV :",
                               "Topl. Net Tutar :", "Gün :"};
    QTest::newRow("Çek Alındısı Detaylı") << 1 << common + detailed + QStringList{"BANKASI", "Vakıf"}
                                         << QStringList{"ALINDIĞI FİRMA", "Ortalama Gün :"};
    QTest::newRow("Çek Alındısı Detaylı 2") << 2
                                           << common + detailed
                                                  + QStringList{"ÇEK BANKASI", "ŞUBESİ", "HESAP NO", "ÇEK NUMARASI",
                                                                "ÇEKİ DÜZENLEYEN", "ALINDIĞI FİRMA", "Alıcı Bir", "Konak"}
                                           << QStringList{"Ortalama Gün :"};
}

void TestExitPrint::receipts()
{
    QFETCH(int, receipt);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    Windows w;
    w.savedSlip(true, false);
    const QString page = w.page(Receipt(receipt));
    for (const QString &t : present) QVERIFY2(page.contains(t), qPrintable(t));
    for (const QString &t : absent) QVERIFY2(!page.contains(t), qPrintable(t));
    const Report r = w.slip->printout(Receipt(receipt));
    QCOMPARE(r.layout().orientation, receipt == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    // The printed cheques come from queries of their own: the slip's tables keep no filter.
    QCOMPARE(r.datasets().value("ciroTable")->recordCount(), 2);
}

void TestExitPrint::bandsOfTheSlip_data()
{
    QTest::addColumn<bool>("portfolio");
    QTest::addColumn<bool>("own");
    QTest::addColumn<QStringList>("numbers");  // the SN column from the heading down
    QTest::newRow("portfolio and own") << true << true << QStringList{"SN", "1", "2", "1"};
    QTest::newRow("portfolio only") << true << false << QStringList{"SN", "1", "2"};
    QTest::newRow("own only") << false << true << QStringList{"SN", "1"};
}

void TestExitPrint::bandsOfTheSlip()
{
    QFETCH(bool, portfolio);
    QFETCH(bool, own);
    QFETCH(QStringList, numbers);
    Windows w;
    w.savedSlip(portfolio, own);
    Report r = w.slip->printout(Receipt::Plain);
    const PreparedReport p = r.prepare();
    QCOMPARE(p.pageCount(), 1);
    QStringList sn;
    const double left = r.layout().margins.left();
    for (const PageItem &it : p.pages[0].items)
        if (qAbs(it.rect.left() - left) < 0.01 && qAbs(it.rect.width() - 9) < 0.01) sn << it.text;
    QCOMPARE(sn, numbers);
    const QString page = p.pageTexts(0).join(u'\n');
    QCOMPARE(page.contains("C-10000"), portfolio);
    QCOMPARE(page.contains("K-7"), own);
    // The receiver: the portfolio's account, or the own cheque's.
    QVERIFY(page.contains("Satıcı Bir"));
    // The address prints its line break once.
    QVERIFY(page.contains("Satıcı [Bir] A.Ş. Liman Cad. 3\nKarşıyaka / İzmir"));
}

void TestExitPrint::addressOfTheCard_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("address");
    QTest::newRow("card") << "S1" << "Satıcı [Bir] A.Ş. Liman Cad. 3\n\rKarşıyaka / İzmir";
    QTest::newRow("code in other case") << "s1" << "Satıcı [Bir] A.Ş. Liman Cad. 3\n\rKarşıyaka / İzmir";
    QTest::newRow("no card") << "YOK" << "";
    QTest::newRow("quote in the code") << "S1' OR '1'='1" << "";
}

void TestExitPrint::addressOfTheCard()
{
    QFETCH(QString, code);
    QFETCH(QString, address);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("S1", "Satıcı Bir");
    company().exec("UPDATE firma SET firma_unvani_2='Satıcı [Bir] A.Ş.', firma_adresi_1='Liman Cad. 3', "
                   "adres_semt='Karşıyaka', adres_sehir='İzmir' WHERE firma_kodu='S1'");
    QCOMPARE(ExitSlipPrint::accountAddress(company(), code), address);
}

void TestExitPrint::exportOfTwoCheques()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    const qint64 a = addReceived(10000, QDate(2021, 3, 31)), b = addReceived(5000, QDate(2021, 4, 15));
    f.cekEkle();
    w.pick(a);
    w.pick(b);
    f.BitBtn10->click();
    f.Edit63->setText("3");
    // Unsaved: the export takes the grid as it stands. Two cheques and the empty row: N = 4.
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    const SheetData s = readBack(ExitSlipPrint::workbook(f.slipTexts()));

    QCOMPARE(s.value(1, 1).toString(), QString("İşlem Yapılan Firma : Satıcı Bir"));
    // Row 2 holds texts only, so the sums from row 1 count the cheques alone.
    const QVariantList row2{"İşlem Tarihi :", "01.03.2021", "Yıldaki Gün :", "365", "Yıllık Faiz :", "36",
                            "Aylık Faiz :", "3"};
    for (int c = 0; c < row2.size(); ++c) {
        QCOMPARE(s.value(2, c + 1), row2[c]);
        QCOMPARE(s.value(2, c + 1).typeId(), QMetaType::QString);
    }
    QVERIFY(s.formats.value({1, 1}).bold && s.formats.value({2, 1}).bold && s.formats.value({3, 2}).bold);
    QCOMPARE(s.formats.value({1, 1}).fontSize, 12.0);
    QCOMPARE(s.formats.value({2, 4}).fontSize, 12.0);
    // Titles on row 3 (no "Adat"), the cheques on rows 4 and 5, the empty row 6 writes nothing.
    QCOMPARE(s.value(3, 1).toString(), QString("Çekin Vadesi"));
    QCOMPARE(s.value(3, 2).toString(), QString("Çekin Tutarı"));
    QVERIFY(!s.value(3, ColAdat).isValid());
    QCOMPARE(s.value(3, ColAlindigiFirma).toString(), QString("Alındığı Firma"));
    struct Cheque {
        int row;
        QString due;
        double amount, days, maturity, net;
    };
    for (const Cheque &c : {Cheque{4, "31.03.2021", 10000, 30, 295.89, 9704.11}, Cheque{5, "15.04.2021", 5000, 45, 221.92, 4778.08}}) {
        QCOMPARE(s.value(c.row, 1).toString(), c.due);
        QCOMPARE(s.value(c.row, 2).toDouble(), c.amount);
        QCOMPARE(s.value(c.row, 3).toDouble(), c.days);
        QCOMPARE(s.value(c.row, 4).toDouble(), c.maturity);
        QCOMPARE(s.value(c.row, 6).toDouble(), c.net);
        QCOMPARE(s.value(c.row, ColAlindigiFirma).toString(), QString("Alıcı Bir"));
        QVERIFY(!s.value(c.row, ColAdat).isValid());
        QCOMPARE(s.formats.value({c.row, 2}).numberFormat, QString("#,##0.00"));
        QCOMPARE(s.formats.value({c.row, 3}).numberFormat, QString("#,##0"));
    }
    for (int c = 1; c <= 19; ++c) QVERIFY(!s.value(6, c).isValid() || c == ColNo);
    // The sums on row 9 over rows 1 to 7; the averages on rows 11 and 12.
    const char *letters = "BCDEF";
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(s.formats.value({9, 2 + i}).formula, QString("Sum(%1%2:%1%3)").arg(letters[i]).arg(1).arg(7));
        QVERIFY(s.formats.value({9, 2 + i}).bold);
    }
    QCOMPARE(s.value(9, 2).toDouble(), 15000.0);
    QCOMPARE(s.value(9, 3).toDouble(), 75.0);
    QCOMPARE(s.formats.value({9, 2}).numberFormat, QString("#,##0.00"));
    QCOMPARE(s.value(11, 1).toString(), QString("Ortalama Vade:"));
    QCOMPARE(s.value(11, 2), QVariant(QDate(2021, 4, 5)));
    QCOMPARE(s.value(12, 1).toString(), QString("Ortalama Gün:"));
    QCOMPARE(s.value(12, 2).toDouble(), 35.0);
    QCOMPARE(s.lastRow, 12);
}

void TestExitPrint::exportOfAnEmptySlip()
{
    Windows w;
    const SheetData s = readBack(ExitSlipPrint::workbook(w.slip->slipTexts()));
    // N = 2: the title row and the empty row; sums on row 7 over rows 1 to 5.
    QCOMPARE(s.formats.value({7, 2}).formula, QString("Sum(B1:B5)"));
    QCOMPARE(s.value(7, 2).toDouble(), 0.0);
    QCOMPARE(s.value(9, 1).toString(), QString("Ortalama Vade:"));
    QCOMPARE(s.value(10, 1).toString(), QString("Ortalama Gün:"));
    QVERIFY(!s.value(10, 2).isValid());  // no average: nothing, never 0
}

void TestExitPrint::exportButtonOpensTheWorkbook()
{
    Windows w;
    const qint64 a = addReceived(10000, QDate(2021, 3, 31));
    w.slip->cekEkle();
    w.pick(a);
    QString opened;
    SpreadsheetExport::setOpener([&opened](const QString &path) {
        opened = path;
        return true;
    });
    w.slip->BitBtn25->click();
    SpreadsheetExport::setOpener({});
    QVERIFY(opened.endsWith(".xlsx"));
    QCOMPARE(readSpreadsheet(opened).value(4, 2).toDouble(), 10000.0);
    QVERIFY(texts().isEmpty());
}

void TestExitPrint::pdfs()
{
    // The three receipts of a slip of two portfolio cheques and an own cheque, as
    // the preview saves them, for a look at their pages.
    const QString dir = qEnvironmentVariable("CEKSENET_SHOTS");
    if (dir.isEmpty()) QSKIP("CEKSENET_SHOTS names no folder");
    Windows w;
    w.savedSlip(true, true);
    for (int i = 0; i < 3; ++i) {
        Report r = w.slip->printout(Receipt(i));
        QString error;
        QVERIFY2(writePdf(r.prepare(), dir + QStringLiteral("/exit_receipt%1.pdf").arg(i), &error), qPrintable(error));
    }
}

QTEST_MAIN(TestExitPrint)
#include "test_exit_print.moc"
