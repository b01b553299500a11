// The entry slip's receipts and its spreadsheet export, driven through the window.
#include "data/connection.h"
#include "data/data_context.h"
#include "data/dataset.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/spreadsheet_reader.h"
#include "data/table.h"
#include "received/entry_slip_print.h"
#include "received/tcekortf.h"
#include "reports/page_fit.h"
#include "reports/page_view.h"
#include "reports/preview_window.h"
#include "reports/report_output.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/message_box.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace EntrySlip;
using EntrySlipPrint::Layout;

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }

// The worked example typed into the window (account M1, slip of 01.03.2021) and saved.
void saveWorkedExample(TcekortF &f)
{
    f.DateTimePicker15->setDate(QDate(2021, 3, 1));
    f.KoduEdit->setText("M1");
    f.cariBul();
    f.JustaEdit57->setText("5");
    setCell(f.StringGrid1, 0, ColVade, "31.03.2021");
    setCell(f.StringGrid1, 0, ColTutar, "10000");
    setCell(f.StringGrid1, 1, ColVade, "15.04.2021");
    setCell(f.StringGrid1, 1, ColTutar, "5000");
    setCell(f.StringGrid1, 2, ColVade, "");
    f.StringGrid1->item(0, ColBanka)->setText("Ziraat");
    f.StringGrid1->item(0, ColSube)->setText("Konak");
    f.StringGrid1->item(0, ColCekNo)->setText("A-100");
    f.StringGrid1->item(0, ColDuzenleyen)->setText("Ayşe Öz");
    f.hesapla();
    f.BitBtn12->click();
}

void setCardAddress(const QString &code)
{
    company().exec("UPDATE firma SET firma_unvani_2='Gıda Ltd.', firma_adresi_1='Atatürk Cad. 5', adres_semt='Konak', "
                   "adres_sehir='İzmir' WHERE firma_kodu=" + QString("'%1'").arg(code));
}

QStringList allTexts(const PreparedReport &r)
{
    QStringList out;
    for (int p = 0; p < r.pageCount(); ++p) out << r.pageTexts(p);
    return out;
}

} // namespace

class TestEntrySlipPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::clearShown(); }

    void controlsAreEnabled()
    {
        TestHome home;
        home.openCompany("A1", 2021);
        TcekortF f;
        QVERIFY(f.yazayar->isEnabled() && f.STRG1Yaz->isEnabled() && f.BitBtn25->isEnabled());
        QCOMPARE(f.yazayar->title(), QString("Raporlama Seçenekleri"));
        QCOMPARE(f.STRG1Yaz->text(), QString("SEÇİLİ RAPORU YAZDIR"));
        QCOMPARE(f.BitBtn25->text(), QString("Excel'e Aktar"));
        QCOMPARE(f.yazayarItems[2]->text(), QString("Çek Alındısı Detaylı 2"));
        QCOMPARE(f.chosenLayout(), Layout::Receipt);
    }

    // The worked example on the detailed receipt: the slip's footer as it stands, the
    // cheques of this slip alone in the order they were stored, the account's address
    // in two lines.
    void workedExampleOnTheDetailedReceipt()
    {
        TestHome home;
        home.openCompany("A1", 2021);
        TestHome::addCompanyRecord();
        TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
        TestHome::addAccountCard("M2", "Müşteri İki", 36.0);
        setCardAddress("M1");
        {
            TcekortF other;  // an earlier slip of another account
            other.DateTimePicker15->setDate(QDate(2021, 3, 1));
            other.KoduEdit->setText("M2");
            other.cariBul();
            setCell(other.StringGrid1, 0, ColVade, "20.03.2021");
            setCell(other.StringGrid1, 0, ColTutar, "777");
            setCell(other.StringGrid1, 1, ColVade, "");
            other.hesapla();
            other.BitBtn12->click();
            QCOMPARE(other.JustaEdit1->text(), QString("1"));
        }
        TcekortF f;
        saveWorkedExample(f);
        QCOMPARE(f.JustaEdit1->text(), QString("2"));
        f.yazayarItems[1]->setChecked(true);
        auto p = f.printout();
        QVERIFY(p);
        QVERIFY(MessageBox::shown().isEmpty());
        const PreparedReport pages = p->report().prepare();
        QCOMPARE(pages.pageCount(), 1);
        const QStringList texts = pages.pageTexts(0);
        for (const char *expected :
             {"ÇEK VE SENET BORDRO ALINDISI (DETAYLI)", "Öztürk Gıda Ltd. Şti. İzmir Şubesi\n \n \nTel:  \nFax:", "01.03.2021",
              "Alındığı Firma", ": Müşteri Bir", "Firma Adresi", "Gıda Ltd. Atatürk Cad. 5\nKonak / İzmir", "TL",
              "SN", "ÇEK VADESİ", "ÇEK", "GÜN", "PARA", "BİRİMİ", "TUTARI", "VADE FARKI", "MASRAF", "NET TUTAR", "BANKASI",
              "31.03.2021", "30", "10.000,00", "295,89", "9.704,11", "Ziraat", "15.04.2021", "45", "5.000,00", "221,92",
              "4.778,08", "Toplam Tutar", "15.000,00", "Ortalama Vadesi", "05.04.2021", "Gün", "35", "Vade Farkı", "517,81",
              "Masraf", "0,00", "BSMV", "25,89", "Toplam Net Tutar", "14.482,19", "Sayfa 1 / 1"})
            QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!texts.contains("777,00"));  // the other slip's cheque
        // Row 1 before row 2, numbered from 1.
        QVERIFY(texts.indexOf("10.000,00") < texts.indexOf("5.000,00"));
        QCOMPARE(texts.at(texts.indexOf("31.03.2021") - 1), QString("1"));
        QCOMPARE(texts.at(texts.indexOf("15.04.2021") - 1), QString("2"));
        // The window's cheque table keeps no filter: later lookups see every cheque.
        QVERIFY(!f.CekTakip()->isFiltered());
        f.girisDegisti = false;
    }

    void eachChoicePrintsItsLayout_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("Çek Alındısı") << 0 << "ÇEK VE SENET BORDRO ALINDISI"
                                      << QStringList{"ÇEK BANKASI", "ŞUBESİ", "HESAP NO", "ÇEK NUMARASI", "ÇEKİ DÜZENLEYEN",
                                                     "Ziraat", "Konak", "A-100", "Ayşe Öz", "Toplam Tutar", "15.000,00",
                                                     "Ortalama Vadesi", "05.04.2021", "Ortalama Gün", "35"}
                                      << QStringList{"VADE FARKI", "517,81", "Toplam Net Tutar"} << false;
        QTest::newRow("Çek Alındısı Detaylı") << 1 << "ÇEK VE SENET BORDRO ALINDISI (DETAYLI)"
                                              << QStringList{"BANKASI", "VADE FARKI", "517,81", "Gün"}
                                              << QStringList{"ÇEK NUMARASI", "ÇEKİ DÜZENLEYEN", "Ortalama Gün"} << false;
        QTest::newRow("Çek Alındısı Detaylı 2") << 2 << "ÇEK VE SENET BORDRO ALINDISI (DETAYLI)"
                                                << QStringList{"ÇEK BANKASI", "ŞUBESİ", "HESAP NO", "ÇEK NUMARASI",
                                                               "ÇEKİ DÜZENLEYEN", "A-100", "Ayşe Öz", "VADE FARKI",
                                                               "517,81", "14.482,19", "25,89"}
                                                << QStringList{"BANKASI", "Ortalama Gün"} << true;
    }
    void eachChoicePrintsItsLayout()
    {
        QFETCH(int, choice);
        QFETCH(QString, title);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        QFETCH(bool, landscape);
        TestHome home;
        home.openCompany("A1", 2021);
        TestHome::addCompanyRecord();
        TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
        TcekortF f;
        saveWorkedExample(f);
        f.yazayarItems[choice]->setChecked(true);
        auto p = f.printout();
        QVERIFY(p);
        const PreparedReport pages = p->report().prepare();
        const QStringList texts = allTexts(pages);
        QVERIFY(texts.contains(title));
        for (const QString &e : expected) QVERIFY2(texts.contains(e), qPrintable(e));
        for (const QString &a : absent) QVERIFY2(!texts.contains(a), qPrintable(a));
        QCOMPARE(pages.pageLayout.orientation() == QPageLayout::Landscape, landscape);
        // Every item on the paper; the summary's boxes do not overlap each other.
        const QRectF paper = pages.pageLayout.fullRect(QPageLayout::Millimeter);
        for (const PageItem &it : pages.pages[0].items) QVERIFY(paper.contains(it.rect));
        QVERIFY2(overflowingTexts(pages).isEmpty(), qPrintable(overflowingTexts(pages).join(" | ")));

        // Saved as PDF from the preview, for a look at it.
        const QString pdf = QStringLiteral("/tmp/entry_slip_%1.pdf").arg(choice);
        QString error;
        QVERIFY2(writePdf(pages, pdf, &error), qPrintable(error));
        f.girisDegisti = false;
    }

    void refusals()
    {
        TestHome home;
        home.openCompany("A1", 2021);
        TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
        TcekortF f;
        // Never saved.
        QVERIFY(!f.printout());
        QCOMPARE(MessageBox::shown().last().text, EntrySlipPrint::kUnsavedMessage);
        QCOMPARE(EntrySlipPrint::kUnsavedMessage, QString("Bu işlem öncesi bordroyu kayıt etmelisiniz!"));
        // Changed since the save (the button shows the message and no preview).
        saveWorkedExample(f);
        setCell(f.StringGrid1, 0, ColTutar, "11000");
        QVERIFY(f.girisDegisti);
        MessageBox::clearShown();
        f.STRG1Yaz->click();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().last().text,
                 QString("Rapor öncsesi değişiklikleri kayıt etmelisiniz!\n\rKayıt ettikten sonra tekrar rapor alınız!"));
        QCOMPARE(EntrySlipPrint::refusal(false, ""), EntrySlipPrint::kUnsavedMessage);
        QCOMPARE(EntrySlipPrint::refusal(false, "0"), EntrySlipPrint::kUnsavedMessage);
        QCOMPARE(EntrySlipPrint::refusal(false, "3"), QString());
        QCOMPARE(EntrySlipPrint::refusal(true, "3"), EntrySlipPrint::kChangedMessage);
        f.girisDegisti = false;
    }

    void deletedCardPrintsAnEmptyAddress()
    {
        TestHome home;
        home.openCompany("A1", 2021);
        TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
        setCardAddress("M1");
        TcekortF f;
        saveWorkedExample(f);
        QCOMPARE(EntrySlipPrint::accountAddress(company(), "m1"), QString("Gıda Ltd. Atatürk Cad. 5\n\rKonak / İzmir"));
        company().exec("DELETE FROM firma WHERE firma_kodu='M1'");
        auto p = f.printout();
        QVERIFY(p);
        QCOMPARE(p->report().memoText("Memo61"), QString());
        const QStringList texts = p->report().prepare().pageTexts(0);
        QVERIFY(texts.contains("Firma Adresi"));
        QVERIFY(!texts.contains("Gıda Ltd. Atatürk Cad. 5\nKonak / İzmir"));
        QVERIFY(texts.contains("15.000,00"));
        f.girisDegisti = false;
    }

    // The export read back: the grid from row 3, the sums two rows under it and the
    // results under them, with and without BSMV.
    void exportReadBack_data()
    {
        QTest::addColumn<QString>("bsmvPercent");
        QTest::addColumn<int>("cheques");
        QTest::newRow("two cheques, BSMV 5") << "5" << 2;
        QTest::newRow("one cheque, no BSMV") << "0" << 1;
    }
    void exportReadBack()
    {
        QFETCH(QString, bsmvPercent);
        QFETCH(int, cheques);
        TestHome home;
        home.openCompany("A1", 2021);
        TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
        TcekortF f;
        f.DateTimePicker15->setDate(QDate(2021, 3, 1));
        f.KoduEdit->setText("M1");
        f.cariBul();
        f.JustaEdit57->setText(bsmvPercent);
        setCell(f.StringGrid1, 0, ColVade, "31.03.2021");
        setCell(f.StringGrid1, 0, ColTutar, "10000");
        if (cheques == 2) {
            setCell(f.StringGrid1, 1, ColVade, "15.04.2021");
            setCell(f.StringGrid1, 1, ColTutar, "5000");
            setCell(f.StringGrid1, 1, ColMasraf, "20");
        }
        setCell(f.StringGrid1, cheques, ColVade, "");
        f.hesapla();
        f.StringGrid1->item(0, ColDuzenleyen)->setText("Ayşe Öz");

        const QString path = home.path("giris.xlsx");
        QCOMPARE(f.excelWorkbook().save(path), QString());
        const SheetData s = readSpreadsheet(path);
        const int n = f.StringGrid1->rowCount() + 1;
        QCOMPARE(n, cheques + 2);
        auto v = [&s](int r, int c) { return s.value(r, c); };
        QCOMPARE(v(1, 1).toString(), QString("İşlem Yapılan Firma : Müşteri Bir"));
        QCOMPARE(v(2, 1).toString(), QString("İşlem Tarihi :"));
        QCOMPARE(v(2, 2).toString(), QString("01.03.2021"));  // a text cell
        QCOMPARE(v(2, 4).toString(), QString("365"));
        QCOMPARE(v(2, 6).toDouble(), 36.0);
        QCOMPARE(v(2, 8).toDouble(), sayiOku(f.Edit63->text()));
        QCOMPARE(v(3, 1).toString(), QString("Çekin Vadesi"));
        QCOMPARE(v(3, 2).toString(), QString("Çekin Tutarı"));
        QVERIFY(!v(3, 8).isValid());  // "Adat" is left out
        QCOMPARE(v(4, 1).toString(), QString("31.03.2021"));
        QCOMPARE(v(4, 2).toDouble(), 10000.0);
        QCOMPARE(v(4, 3).toDouble(), 30.0);
        QCOMPARE(v(4, 4).toDouble(), 295.89);
        QVERIFY(!v(4, 5).isValid());  // no expense: an empty cell, not 0
        QCOMPARE(v(4, 6).toDouble(), 9704.11);
        QCOMPARE(v(4, 7).toString(), QString("Ayşe Öz"));
        if (cheques == 2) QCOMPARE(v(5, 5).toDouble(), 20.0);
        // The sums two rows under the grid, over the grid's rows.
        const int sums = n + 5;
        for (int c = 2; c <= 6; ++c) {
            const QString letter = QString(QChar('A' + c - 1));
            QCOMPARE(s.formats.value({sums, c}).formula.toUpper(),
                     QString("SUM(%1%2:%1%3)").arg(letter).arg(4).arg(n + 3));
            QVERIFY(s.formats.value({sums, c}).bold);
        }
        QCOMPARE(v(sums, 2).toDouble(), cheques == 2 ? 15000.0 : 10000.0);
        QCOMPARE(s.formats.value({4, 2}).numberFormat, QString("#,##0.00"));
        QCOMPARE(s.formats.value({4, 4}).numberFormat, QString("#,##0.00"));
        // The results.
        QCOMPARE(v(n + 7, 1).toString(), QString("Ortalama Vade:"));
        QCOMPARE(v(n + 8, 1).toString(), QString("Ortalama Gün:"));
        QCOMPARE(s.formats.value({n + 8, 2}).numberFormat, QString("#,##0"));
        QCOMPARE(v(n + 9, 1).toString(), QString("Toplam Tutar:"));
        QCOMPARE(v(n + 10, 1).toString(), QString("Toplam Vade Farkı:"));
        QCOMPARE(v(n + 11, 1).toString(), QString("Toplam Masraflar:"));
        QCOMPARE(s.formats.value({n + 9, 2}).numberFormat, QString("#,##0.00"));
        if (cheques == 2) {
            QCOMPARE(v(n + 7, 2).toString(), QString("05.04.2021"));
            QCOMPARE(v(n + 8, 2).toDouble(), 35.0);
            QCOMPARE(v(n + 10, 2).toDouble(), 517.81);
            QCOMPARE(v(n + 11, 2).toDouble(), 20.0);
            QCOMPARE(v(n + 12, 1).toString(), QString("BSMV Tutarı:"));
            QCOMPARE(v(n + 12, 2).toDouble(), 5 * (517.81 + 20) / 100);
            QCOMPARE(v(n + 12, 3).toString(), QString("BSMV % 5 (Toplam Vade Farkı ve Masraflar Üzerinden)"));
            QCOMPARE(v(n + 13, 1).toString(), QString("Toplam Net Tutar:"));
            QCOMPARE(v(n + 13, 2).toDouble(), 14462.19 - 5 * (517.81 + 20) / 100);
            QCOMPARE(s.lastRow, n + 13);
        } else {
            QCOMPARE(v(n + 12, 1).toString(), QString("Toplam Net Tutar:"));
            QCOMPARE(v(n + 12, 2).toDouble(), 9704.11);
            QVERIFY(!v(n + 12, 3).isValid());
            QCOMPARE(s.lastRow, n + 12);
            QCOMPARE(sums, 8);  // titles, one cheque and the entry row: the sums in row 8 over rows 4 to 6
        }
        f.girisDegisti = false;
    }

    // The detailed receipt's preview at 100 %, grabbed for a look (under Xvfb).
    void detailedReceiptPreview()
    {
        TestHome home;
        home.openCompany("A1", 2021);
        TestHome::addCompanyRecord();
        TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
        setCardAddress("M1");
        TcekortF f;
        saveWorkedExample(f);
        f.yazayarItems[1]->setChecked(true);
        auto p = f.printout();
        QVERIFY(p);
        TRaporOnizlemeF preview(p->report().prepare());
        preview.resize(1280, 740);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.setZoomPercent(100);
        QCOMPARE(preview.pageCount(), 1);
        QTest::qWait(50);
        preview.grab().save(QStringLiteral("/tmp/entry_slip_preview.png"));
        f.girisDegisti = false;
    }
};

QTEST_MAIN(TestEntrySlipPrint)
#include "test_entry_slip_print.moc"
