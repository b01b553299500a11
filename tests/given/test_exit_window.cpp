// The exit slip window, its summary and the own cheque window, driven through their controls.
#include "app/uygulama.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "given/exit_slip_print.h"
#include "given/given_take_back.h"
#include "given/tcekcikisf.h"
#include "given/tcikisozetf.h"
#include "given/tcikisbordrof.h"
#include "issued/tduzenlenenceklerf.h"
#include "widgets/wait_window.h"
#include "issued/tcekduzenlef.h"
#include "mainmenu/tfrmmain.h"
#include "received/tceklerf.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/message_box.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QProgressBar>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace EntrySlip;
using namespace ExitSlip;

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }
Connection &cash() { return DataContext::instance().kasaConnection; }

qint64 addReceived(double amount, const QDate &due, const QString &currency = "TL")
{
    return TestHome::insertRow(company(), "cekgiris",
                               {{"bordro_ind", 1},
                                {"islem_tarihi", QDate(2021, 2, 10)},
                                {"alindigi_firma", "Alıcı Bir"},
                                {"alindigi_firma_kodu", "R1"},
                                {"cek_tarihi", due},
                                {"cek_tutari", amount},
                                {"ceki_duzenleyen", "Ayşe Öz"},
                                {"cek_no", QString("C-%1").arg(amount)},
                                {"para_birimi", currency}});
}

double number(const QString &sql)
{
    Query q(&company());
    q.sql() << sql;
    q.open();
    return q.isEmpty() ? -1 : q.value(0).toDouble();
}

// What exit slips wrote, row by row: headers, given rows, own cheques, the
// received cheques' endorsement marks and the account movements.
QStringList stored()
{
    QStringList out;
    const auto rows = [&](Connection &c, const QString &sql) {
        Query q(&c);
        q.sql() << sql;
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            QStringList v;
            for (int i = 0; i < q.fieldCount(); ++i) v << q.value(i).toString();
            out << v.join('|');
        }
        out << "--";
    };
    rows(company(), "SELECT bordro_ind, islem_tarihi, ciro_firma_kodu, toplam_tutari, toplam_vade_farki, toplam_net_tutar, "
                    "ortalama_gun, ortalama_vade, BSMV, genel_aciklama FROM cikisbordro ORDER BY bordro_ind");
    rows(company(), "SELECT ciro_cek_ind, ciro_bordro_ind, cek_giris_id, cek_tarihi, cek_tutari, cek_gun, cek_vade_farki, "
                    "cek_net_tutar FROM cekciro ORDER BY ciro_cek_ind");
    rows(company(), "SELECT cek_ind, bordro_ind, cek_tarihi, cek_tutari, cek_no FROM cekkendi ORDER BY cek_ind");
    rows(company(), "SELECT cek_ind, cek_ciro_id, cek_ciro_kime, cek_ciro_tarihi FROM cekgiris ORDER BY cek_ind");
    rows(cash(), "SELECT chid, cari_kodu, cek_ciro_id, borc_tutari, brut_tutar, BSMV FROM carihareket ORDER BY chid");
    return out;
}

QString cell(TcekcikisF &f, int row, int col)
{
    const QTableWidgetItem *i = f.StringGrid1->item(row, col);
    return i ? i->text() : QString();
}

// The exit slip with its summary, own cheque window and received lists, on the
// company A1 of 2021 with the supplier S1 at 36 % a year, dated 01.03.2021.
struct Windows {
    TestHome home;
    std::unique_ptr<TceklerF> lists;
    std::unique_ptr<TcikisozetF> summary;
    std::unique_ptr<TcekduzenleF> own;
    std::unique_ptr<TcekcikisF> slip;
    Windows()
    {
        home.openCompany("A1", 2021);
        TestHome::addCompanyRecord();
        TestHome::addAccountCard("S1", "Satıcı Bir", 36);
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
        QCOMPARE(slip->JustaEdit57->text(), QString("5"));
        company().exec("UPDATE firma SET BSMV=5 WHERE firma_kodu='S1'");
        slip->DateTimePicker15->setDate(QDate(2021, 3, 1));
        slip->KoduEdit->setText("S1");
        slip->cariBul();
    }
    ~Windows()
    {
        slip->cikisDegisti = false;
        lists->hide();
        slip->hide();
    }
    // "CİROLA" on the received cheque with this key.
    void pick(qint64 key)
    {
        QVERIFY(lists->listQuery.locate("cek_ind", key));
        lists->cirolaButton->click();
    }
    QString lastMessage() const { return MessageBox::shown().isEmpty() ? QString() : MessageBox::shown().last().text; }
    // The own cheque window typed and written with "Çek Düzenle".
    void typeOwn(const QDate &due, const QString &amount, const QString &currency = "TL")
    {
        own->vadesiDate->setDate(due);
        own->dovizBox->setCurrentText(currency);
        own->tutarEdit->setText(amount);
        own->bankasiEdit->setText("Garanti");
        own->ceknoEdit->setText("K-7");
        own->duzenleBut->click();
    }
    // Two received cheques endorsed and an own cheque of ownAmount due 31.05.2021,
    // saved; true when the save went through.
    bool saveTwoAndOwn(qint64 a, qint64 b, const QString &ownAmount)
    {
        slip->cekEkle();
        pick(a);
        pick(b);
        typeOwn(QDate(2021, 5, 31), ownAmount);
        return slip->sakla();
    }
};

} // namespace

class TestExitWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsAndDefaults();
    void handOffWorkedExample();
    void refusalsOfTheHandOff();
    void summaryWindow();
    void amountTyping_data();
    void amountTyping();
    void ownChequeWindow();
    void correctionWritesOnlyItsRow();
    void copyAndCorrectOwnCheques();
    void saveAndDeleteAPortfolioRow();
    void takenBackRowStaysOnTheSlip();
    void deletionUndoneWhenTheSaveStops();
    void newSlipAndLeaving();
    void headerChangesMarkTheSlip_data();
    void headerChangesMarkTheSlip();
    void keysOfTheSlip();
    void menuOpensAndCompanyChangeEmpties();
    void saveAfterALoadRewritesTheSameRows();
    void listsFindTheExitSlip();
    void screenshot();
};

void TestExitWindow::controlsAndDefaults()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    QCOMPARE(f.windowTitle(), QString("Brenvo Çek Senet Takip - Verilen Çek ve Senet Çıkış Bordro İşlemleri"));
    QCOMPARE(f.StringGrid1->columnCount(), 20);
    QCOMPARE(f.StringGrid1->rowCount(), 1);
    for (int c : {int(ColAdat), int(ColAlindigiKod), int(ColAciklama), int(ColGirisId), int(ColCiroIndex), int(ColDuzenlemeId)})
        QVERIFY(f.StringGrid1->isColumnHidden(c));
    QCOMPARE(f.StringGrid1->horizontalHeaderItem(ColAlindigiFirma)->text(), QString("Alındığı Firma"));
    // Only the expense and the description are typed.
    for (int c = 1; c < 20; ++c) QCOMPARE(f.StringGrid1->isReadOnlyColumn(c), c != ColMasraf && c != ColAciklama);
    QVERIFY(!f.dovizBox->isEnabled());
    QCOMPARE(f.kuruEdit->text(), QString("1"));
    // The card filled the header: supplier type, its rate.
    QCOMPARE(f.JustaEdit23->text(), QString("Satıcı Bir"));
    QCOMPARE(f.Edit62->text(), QString("36"));
    for (const char *name : {"BitBtn20", "BitBtn3", "JvXPButton2"})
        QVERIFY2(!f.findChild<QPushButton *>(name)->isEnabled(), name);
    // The receipts and the export are there.
    for (const char *name : {"BitBtn25", "STRG1Yaz"}) QVERIFY2(f.findChild<QPushButton *>(name)->isEnabled(), name);
    QCOMPARE(f.findChild<QPushButton *>("BitBtn1")->text(), QString("Çek Ekle (Ciro)"));
    QCOMPARE(f.findChild<QAction *>("cekekle")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    QCOMPARE(f.findChild<QAction *>("ekDzenle1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    QCOMPARE(f.findChild<QAction *>("Dzelt1")->shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(f.findChild<QAction *>("ekiKopyala1")->shortcut(), QKeySequence(Qt::Key_F10));
    QCOMPARE(f.findChild<QAction *>("satirsil")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    QCOMPARE(w.own->windowTitle(), QString("Brenvo Çek Senet Takip - Çek Düzenleme"));
    QCOMPARE(w.summary->windowTitle(), QString("Brenvo Çek Senet Takip"));
}

void TestExitWindow::handOffWorkedExample()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    const qint64 a = addReceived(10000, QDate(2021, 3, 31));
    const qint64 b = addReceived(5000, QDate(2021, 4, 15));
    f.JustaEdit70->setText("7,77");
    f.BitBtn1->click();
    QVERIFY(w.lists->isVisible() && w.summary->isVisible());
    QVERIFY(w.lists->cirolaButton->isVisible() && w.lists->cirolaButton->isEnabled());
    QVERIFY(w.lists->popupItems.first()->isVisible() && w.lists->popupItems.first()->isEnabled());
    w.pick(a);
    QCOMPARE(cell(f, 0, ColGun), QString("30"));
    QCOMPARE(cell(f, 0, ColAdat), QString("300.000,00"));
    QCOMPARE(cell(f, 0, ColVadeFarki), QString("295,89"));
    QCOMPARE(cell(f, 0, ColNet), QString("9.704,11"));
    QCOMPARE(cell(f, 0, ColAlindigiTarih), QString("10.02.2021"));
    QCOMPARE(cell(f, 0, ColGirisId), QString::number(a));
    QCOMPARE(f.StringGrid1->rowCount(), 2);
    QCOMPARE(cell(f, 1, ColNo), QString("2"));
    // The "Cirola" menu item adds the same way.
    QVERIFY(w.lists->listQuery.locate("cek_ind", b));
    w.lists->popupItems.first()->trigger();
    QCOMPARE(cell(f, 1, ColGun), QString("45"));
    QCOMPARE(f.Edit59->text(), QString("35"));
    QCOMPARE(f.DateTimePicker16->date(), QDate(2021, 4, 5));
    QCOMPARE(f.JustaEdit5->text(), QString("15.000,00"));
    QVERIFY(f.cikisDegisti);
    // The row calculation leaves the BSMV total alone; the full one sets it.
    QCOMPARE(f.JustaEdit70->text(), QString("7,77"));
    QCOMPARE(w.summary->JustaEdit5->text(), QString("15.000,00"));
    QCOMPARE(w.summary->Edit59->text(), QString("35"));
    QCOMPARE(w.summary->DateTimePicker16->date(), QDate(2021, 4, 5));
    f.BitBtn10->click();
    QVERIFY(!w.summary->isVisible());
    QCOMPARE(f.JustaEdit70->text(), QString("25,89"));  // 5 % of 517,81
    QVERIFY(MessageBox::shown().isEmpty());
    // The save writes the BSMV as shown.
    f.BitBtn12->click();
    QCOMPARE(f.JustaEdit1->text(), QString("1"));
    QCOMPARE(number("SELECT BSMV FROM cikisbordro"), 25.89);
    Query m(&cash());
    m.sql() << "SELECT BSMV, borc_tutari FROM carihareket WHERE cek_ciro_id=1";
    m.open();
    QCOMPARE(m.field("BSMV").asFloat(), 25.89);
    QCOMPARE(m.field("borc_tutari").asFloat(), 15000.0);
    QVERIFY(!f.cikisDegisti);
}

void TestExitWindow::refusalsOfTheHandOff()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    const qint64 tl = addReceived(1000, QDate(2021, 4, 1));
    const qint64 usd = addReceived(300, QDate(2021, 4, 1), "USD");
    f.cekEkle();
    // The first cheque sets the slip's currency.
    w.pick(usd);
    QCOMPARE(f.dovizBox->currentText(), QString("USD"));
    w.pick(usd);
    QCOMPARE(w.lastMessage(), QString("Bu çek daha öncesinden bordroya eklenmiştir.\n\rBaşka seçim yapınız."));
    w.pick(tl);
    QCOMPARE(w.lastMessage(), QString("Çek çıkış bordrosu aynı para cinsinden düzenlenmelidir.\n\r"
                                      "Daha önceki girişleriniz \"USD\" olarak yapılmış"));
    QCOMPARE(f.StringGrid1->rowCount(), 2);
    // A cheque collected after the list was read is refused on what the file holds now.
    const qint64 late = addReceived(200, QDate(2021, 4, 1), "USD");
    w.lists->CekleriHazirla();
    company().exec(QString("UPDATE cekgiris SET cek_tahsilat_tarihi='2021-02-28' WHERE cek_ind=%1").arg(late));
    w.pick(late);
    QCOMPARE(w.lastMessage(), QString("Bu çeke daha öncesinden Ciro/Tahsilat/Karşılıksız/İade\n\rişlemi yapılmıştır. "
                                      "Seçiminizi değiştiriniz."));
    QCOMPARE(f.StringGrid1->rowCount(), 2);
    // A cheque picked, then collected before the save, stops the save naming its row.
    const qint64 second = addReceived(400, QDate(2021, 4, 1), "USD");
    w.lists->CekleriHazirla();
    w.pick(second);
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    company().exec(QString("UPDATE cekgiris SET cek_tahsilat_tarihi='2021-02-28' WHERE cek_ind=%1").arg(second));
    QVERIFY(!f.sakla());
    QVERIFY(w.lastMessage().startsWith("2. satırdaki çek"));
    QCOMPARE(TestHome::countRows(company(), "cikisbordro"), 0);
    QCOMPARE(cell(f, 1, ColGirisId), QString::number(second));
}

void TestExitWindow::summaryWindow()
{
    Windows w;
    TcikisozetF &s = *w.summary;
    w.slip->cekEkle();
    QCOMPARE(s.size(), QSize(490, 130));
    QVERIFY(!s.acBut->isVisible());
    s.kucultBut->click();
    QCOMPARE(s.size(), QSize(35, 35));
    QVERIFY(s.acBut->isVisible());
    s.acBut->click();
    QCOMPARE(s.size(), QSize(490, 130));
    QVERIFY(!s.acBut->isVisible());
    // "Ciroyu Tamamla" ends the picking.
    s.tamamlaBut->click();
    QVERIFY(!s.isVisible() && !w.lists->isVisible() && w.slip->isVisible());
    QVERIFY(!w.lists->cirolaButton->isVisible());
    // Hiding the lists hides the summary too.
    w.slip->cekEkle();
    QVERIFY(s.isVisible());
    w.lists->hide();
    QVERIFY(!s.isVisible());
}

void TestExitWindow::amountTyping_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("grouped") << "1234" << "1.234";
    QTest::newRow("decimals") << "1234,567" << "1.234,56";
    QTest::newRow("second comma") << "12,,5" << "12,5";
    QTest::newRow("letters dropped") << "1a2b3c4" << "1.234";
    QTest::newRow("millions") << "1234567" << "1.234.567";
    QTest::newRow("backspace regroups") << "12345\b" << "1.234";
    QTest::newRow("comma first") << ",5" << ",5";
}

void TestExitWindow::amountTyping()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    TestHome home;
    TcekduzenleF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.tutarEdit->setFocus();
    for (QChar c : keys) {
        if (c == u'\b') QTest::keyClick(f.tutarEdit, Qt::Key_Backspace);
        else QTest::keyClicks(f.tutarEdit, QString(c));
    }
    QCOMPARE(f.tutarEdit->text(), shown);
    // A digit typed in the middle goes in at its place and the caret keeps its distance from the end.
    QString text = "1.234";
    int cursor = 1;
    QVERIFY(TcekduzenleF::tutarTusu(text, cursor, 0, u'9'));
    QCOMPARE(text, QString("19.234"));
    QCOMPARE(cursor, 2);
    f.hide();
}

void TestExitWindow::ownChequeWindow()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    TcekduzenleF &o = *w.own;
    f.JvXPButton1->click();
    QVERIFY(o.isVisible());
    QCOMPARE(o.vadesiDate->date(), QDate::currentDate());
    // No amount: nothing written, the fields stay.
    w.typeOwn(QDate(2021, 5, 31), "");
    QCOMPARE(o.bankasiEdit->text(), QString("Garanti"));
    QCOMPARE(f.StringGrid1->rowCount(), 1);
    o.tutarEdit->setText("0,00");
    o.duzenleBut->click();
    QCOMPARE(f.StringGrid1->rowCount(), 1);
    // A TL cheque; the drawer is the company's own title.
    w.typeOwn(QDate(2021, 5, 31), "2.000");
    QCOMPARE(f.StringGrid1->rowCount(), 2);
    QCOMPARE(cell(f, 0, ColDuzenleyen), QString("Öztürk Gıda Ltd. Şti."));
    QCOMPARE(cell(f, 0, ColDuzenlemeId), kNewOwnCheque);
    QCOMPARE(cell(f, 0, ColGun), QString("91"));
    QCOMPARE(f.JustaEdit5->text(), QString("2.000,00"));
    QVERIFY(o.tutarEdit->text().isEmpty() && o.bankasiEdit->text().isEmpty());
    // A USD cheque after it is refused and nothing is written.
    w.typeOwn(QDate(2021, 6, 30), "100", "USD");
    QCOMPARE(w.lastMessage(), currencyMessage("TL"));
    QCOMPARE(f.StringGrid1->rowCount(), 2);
    QCOMPARE(o.tutarEdit->text(), QString("100"));
    // "Çek Düzenlemeyi Tamamla" keeps a refused cheque in the window; "Kapat" empties it.
    o.tamamlaBut->click();
    QVERIFY(o.isVisible());
    o.kapatBut->click();
    QVERIFY(!o.isVisible() && o.tutarEdit->text().isEmpty());
    // F2 on a portfolio cheque is refused.
    const qint64 a = addReceived(1000, QDate(2021, 4, 1));
    f.cekEkle();
    w.pick(a);
    f.StringGrid1->setCurrentCell(1, ColVade);
    f.duzelt();
    QVERIFY(w.lastMessage().startsWith("Sadece kendi düzenlediğiniz çekleri düzeltebilirsiniz!"));
    QVERIFY(!o.isVisible());
}

void TestExitWindow::correctionWritesOnlyItsRow()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    TcekduzenleF &o = *w.own;
    w.typeOwn(QDate(2021, 4, 30), "100");
    w.typeOwn(QDate(2021, 5, 31), "200");
    w.typeOwn(QDate(2021, 6, 30), "300");
    QCOMPARE(f.StringGrid1->rowCount(), 4);
    // Row 3 is corrected in place; no row is added.
    f.StringGrid1->setCurrentCell(2, ColVade);
    f.duzelt();
    QVERIFY(o.isVisible());
    QCOMPARE(o.tutarEdit->text(), QString("300,00"));
    QCOMPARE(o.siraEdit->text(), QString("3"));
    QCOMPARE(o.cekidEdit->text(), kNewOwnCheque);
    o.tutarEdit->setText("350");
    o.tamamlaBut->click();
    QVERIFY(!o.isVisible());
    QCOMPARE(cell(f, 2, ColTutar), QString("350,00"));
    QCOMPARE(f.StringGrid1->rowCount(), 4);
    QCOMPARE(f.JustaEdit5->text(), QString("650,00"));
    // The grid changed underneath the open correction: nothing is written.
    f.StringGrid1->setCurrentCell(1, ColVade);
    f.duzelt();
    MessageBox::queueAnswer(MessageBox::Yes);
    f.StringGrid1->setCurrentCell(0, ColVade);
    f.satirsilClick();  // a new slip: the row just leaves the grid
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    o.tutarEdit->setText("999");
    o.duzenleBut->click();
    QCOMPARE(w.lastMessage(), QString("Düzeltilen çek bordroda 2. satırda artık bulunmuyor; çek yazılmadı.\n\r"
                                      "Çeki bordrodan yeniden seçip düzeltiniz."));
    QCOMPARE(cell(f, 1, ColTutar), QString("350,00"));
    QCOMPARE(cell(f, 0, ColTutar), QString("200,00"));
    QCOMPARE(TestHome::countRows(company(), "cikisbordro"), 0);
}

void TestExitWindow::copyAndCorrectOwnCheques()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    w.typeOwn(QDate(2021, 4, 30), "100");
    f.StringGrid1->setCurrentCell(0, ColVade);
    f.ceKopyala();
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    QCOMPARE(cell(f, 1, ColTutar), QString("100,00"));
    QCOMPARE(cell(f, 1, ColCekNo), QString("K-7"));
    QCOMPARE(cell(f, 1, ColDuzenlemeId), kNewOwnCheque);
    QCOMPARE(cell(f, 2, ColNo), QString("3"));
    QCOMPARE(f.JustaEdit5->text(), QString("100,00"));  // the totals wait for a recalculation
    // The copy is saved as a cheque of its own.
    QVERIFY(f.sakla());
    QCOMPARE(TestHome::countRows(company(), "cekkendi"), 2);
    QCOMPARE(f.JustaEdit5->text(), QString("200,00"));
    QCOMPARE(cell(f, 1, ColDuzenlemeId), QString("2"));
    // A stored own cheque corrected and saved again stays one row.
    f.StringGrid1->setCurrentCell(1, ColVade);
    f.duzelt();
    w.own->tutarEdit->setText("150");
    w.own->tamamlaBut->click();
    QCOMPARE(cell(f, 1, ColDuzenlemeId), QString("2"));
    QVERIFY(f.sakla());
    QCOMPARE(TestHome::countRows(company(), "cekkendi"), 2);
    QCOMPARE(number("SELECT cek_tutari FROM cekkendi WHERE cek_ind=2"), 150.0);
}

void TestExitWindow::saveAndDeleteAPortfolioRow()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    const qint64 a = addReceived(10000, QDate(2021, 3, 31));
    const qint64 b = addReceived(5000, QDate(2021, 4, 15));
    QVERIFY(w.saveTwoAndOwn(a, b, "2.000"));
    QCOMPARE(number(QString("SELECT cek_ciro_id FROM cekgiris WHERE cek_ind=%1").arg(b)), 1.0);
    // The second portfolio cheque leaves the slip: its given row goes, it returns
    // to the portfolio, and header and movement shrink, all in one save.
    MessageBox::queueAnswer(MessageBox::Yes);
    f.StringGrid1->setCurrentCell(1, ColVade);
    f.satirsilClick();
    QCOMPARE(MessageBox::shown().first().text, QString("Kaydı Silmek istediğinizden eminmisiniz?"));
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    QCOMPARE(cell(f, 1, ColDuzenlemeId), QString("1"));
    QCOMPARE(cell(f, 2, ColNo), QString("3"));
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 1);
    QVERIFY(number(QString("SELECT COUNT(*) FROM cekgiris WHERE cek_ind=%1 AND cek_ciro_id IS NULL "
                           "AND cek_ciro_kime IS NULL AND cek_ciro_tarihi IS NULL").arg(b)) == 1);
    QCOMPARE(number("SELECT toplam_tutari FROM cikisbordro"), 12000.0);
    Query m(&cash());
    m.sql() << "SELECT brut_tutar FROM carihareket WHERE cek_ciro_id=1";
    m.open();
    QCOMPARE(m.recordCount(), 1);
    QCOMPARE(m.field("brut_tutar").asFloat(), 12000.0);
    // The own cheque goes the same way.
    MessageBox::queueAnswer(MessageBox::Yes);
    f.StringGrid1->setCurrentCell(1, ColVade);
    f.satirsilClick();
    QCOMPARE(TestHome::countRows(company(), "cekkendi"), 0);
    QCOMPARE(number("SELECT toplam_tutari FROM cikisbordro"), 10000.0);
    // The returned cheque can be picked again.
    f.cekEkle();
    w.pick(b);
    QCOMPARE(cell(f, 1, ColGirisId), QString::number(b));
}

// A saved row whose cheque was taken back keeps its given row: the take-back's
// credit and the slip's debit both stand, so the row cannot leave the slip.
void TestExitWindow::takenBackRowStaysOnTheSlip()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    const qint64 a = addReceived(1000, QDate(2021, 3, 31));
    const qint64 b = addReceived(500, QDate(2021, 4, 15));
    QVERIFY(w.saveTwoAndOwn(a, b, "200"));
    QCOMPARE(cell(f, 2, ColDuzenlemeId), QString("1"));
    // The second portfolio cheque and the own cheque are taken back, each posting
    // its credit to the account.
    const auto takeBack = [](const char *table, const char *keyField, qint64 key, GivenTakeBack::Mode mode) {
        Table given(&company(), table);
        Table cekgiris(&company(), "cekgiris");
        given.open();
        QVERIFY(given.locate(keyField, key));
        GivenTakeBack::Values v = mode == GivenTakeBack::Mode::Cirolanan ? GivenTakeBack::fromGiven(given)
                                                                         : GivenTakeBack::fromOwn(given);
        v.tarih = QDate(2021, 3, 10);
        v.box = true;
        const GivenTakeBack::Result r = GivenTakeBack::takeBack(v, mode, given, cekgiris);
        QVERIFY2(r.done, qPrintable(r.message));
    };
    takeBack("cekciro", "ciro_cek_ind", cell(f, 1, ColCiroIndex).toLongLong(), GivenTakeBack::Mode::Cirolanan);
    takeBack("cekkendi", "cek_ind", 1, GivenTakeBack::Mode::Duzenlenen);
    const auto balance = [] {
        Query m(&cash());
        m.sql() << "SELECT SUM(borc_tutari) AS b, SUM(alacak_tutari) AS a FROM carihareket WHERE cari_kodu='S1'";
        m.open();
        return QPair<double, double>(m.field("b").asFloat(), m.field("a").asFloat());
    };
    const auto before = balance();
    QCOMPARE(before.second, 700.0);
    // Both rows are refused without a question; nothing in the files changes.
    for (int row : {1, 2}) {
        MessageBox::clearShown();
        f.StringGrid1->setCurrentCell(row, ColVade);
        f.satirsilClick();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(w.lastMessage(), ExitSlip::kTakenBackRow);
    }
    QCOMPARE(cell(f, 1, ColGirisId), QString::number(b));
    QCOMPARE(cell(f, 2, ColDuzenlemeId), QString("1"));
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 2);
    QCOMPARE(TestHome::countRows(company(), "cekkendi"), 1);
    QCOMPARE(balance(), before);
    // The row still out on the slip leaves as before.
    MessageBox::queueAnswer(MessageBox::Yes);
    f.StringGrid1->setCurrentCell(0, ColVade);
    f.satirsilClick();
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 1);
    QCOMPARE(number("SELECT toplam_tutari FROM cikisbordro"), 700.0);
}

void TestExitWindow::deletionUndoneWhenTheSaveStops()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    const qint64 a = addReceived(1000, QDate(2021, 3, 31));
    const qint64 b = addReceived(500, QDate(2021, 4, 15));
    f.cekEkle();
    w.pick(a);
    w.pick(b);
    QVERIFY(f.sakla());
    // The card's name changed meanwhile: the save after the deletion stops.
    company().exec("UPDATE firma SET firma_adi='Başka Ad' WHERE firma_kodu='S1'");
    MessageBox::queueAnswer(MessageBox::Yes);
    f.StringGrid1->setCurrentCell(0, ColVade);
    f.satirsilClick();
    QCOMPARE(w.lastMessage(), QString("\"Satıcı Bir\" adı \"S1\" firma kodu ile uyuşmuyor. Kontrol ediniz!"));
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    QCOMPARE(cell(f, 0, ColGirisId), QString::number(a));
    QCOMPARE(cell(f, 0, ColCiroIndex), QString("1"));
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 2);
    QCOMPARE(number(QString("SELECT cek_ciro_id FROM cekgiris WHERE cek_ind=%1").arg(a)), 1.0);
}

void TestExitWindow::newSlipAndLeaving()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    w.typeOwn(QDate(2021, 4, 30), "100");
    f.JustaEdit70->setText("3,00");
    f.exitType[2]->setChecked(true);
    // No: the slip stays, the mark goes.
    MessageBox::queueAnswer(MessageBox::No);
    f.BitBtn2->click();
    QCOMPARE(f.StringGrid1->rowCount(), 2);
    QVERIFY(!f.cikisDegisti);
    // Yes: emptied; the date, exit type, BSMV and the deduct boxes stay.
    f.Edit62->setText("12");
    MessageBox::queueAnswer(MessageBox::Yes);
    f.BitBtn2->click();
    QCOMPARE(f.StringGrid1->rowCount(), 1);
    QVERIFY(f.KoduEdit->text().isEmpty() && f.JustaEdit23->text().isEmpty() && f.JustaEdit5->text().isEmpty());
    QCOMPARE(f.Edit62->text(), QString("0"));
    QCOMPARE(f.Edit61->text(), QString("365"));
    QCOMPARE(f.dovizBox->currentText(), QString("TL"));
    QCOMPARE(f.JustaEdit70->text(), QString("3,00"));
    QVERIFY(f.exitType[2]->isChecked());
    QCOMPARE(f.DateTimePicker15->date(), QDate(2021, 3, 1));
    // Leaving with unsaved changes says so; the slip stays in the form.
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    w.typeOwn(QDate(2021, 4, 30), "100");
    MessageBox::clearShown();
    f.hide();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, QString("Değişiklikleri kayıt etmeden çıktınız?\n\r"
                                                       "Bilgilerinizin kaybolmaması için, giriş yapıp kayıt ediniz!"));
    QCOMPARE(f.StringGrid1->rowCount(), 2);
}

void TestExitWindow::headerChangesMarkTheSlip_data()
{
    QTest::addColumn<QString>("control");  // what the user changes on a saved slip
    QTest::newRow("date") << "DateTimePicker15";
    QTest::newRow("exit type") << "exitType";
    QTest::newRow("BSMV percent") << "JustaEdit57";
    QTest::newRow("weekend box") << "CheckBox1";
    QTest::newRow("maturity deduction") << "vadefarkiCheck";
    QTest::newRow("expense deduction") << "masrafCheck";
    QTest::newRow("BSMV deduction") << "BSMVCheck";
}

void TestExitWindow::headerChangesMarkTheSlip()
{
    QFETCH(QString, control);
    Windows w;
    TcekcikisF &f = *w.slip;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    w.typeOwn(QDate(2021, 4, 30), "100");
    QVERIFY(f.sakla());
    QVERIFY(!f.cikisDegisti);
    if (control == "DateTimePicker15") {
        f.DateTimePicker15->setFocus();
        QTest::keyClick(f.DateTimePicker15, Qt::Key_Up);
    } else if (control == "exitType") {
        f.exitType[2]->click();
    } else if (control == "JustaEdit57") {
        retype(f.JustaEdit57, "10");
    } else {
        f.findChild<QCheckBox *>(control)->click();
    }
    QVERIFY(f.cikisDegisti);
    // The receipt is not printed from values the stored slip does not have.
    MessageBox::clearShown();
    f.STRG1Yaz->click();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown()[0].text, ExitSlipPrint::kUnsavedChanges);
    // Closing says the changes are not saved.
    MessageBox::clearShown();
    f.hide();
    QCOMPARE(MessageBox::shown().size(), 1);
}

// The slip's commands from the keyboard, also while the expense cell is being typed.
void TestExitWindow::keysOfTheSlip()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    w.typeOwn(QDate(2021, 4, 30), "100");
    f.activateWindow();
    f.StringGrid1->setFocus();
    f.StringGrid1->setCurrentCell(0, ColMasraf);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor && f.StringGrid1->isAncestorOf(editor));
    editor->selectAll();
    QTest::keyClicks(editor, "5");
    // F3: the full recalculation takes the typed expense.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    QCOMPARE(f.JustaEdit7->text(), QString("5,00"));
    QCOMPARE(cell(f, 0, ColMasraf), QString("5,00"));
    QCOMPARE(cell(f, 0, ColNet), QString("89,08"));  // 100 less 5,92 for 60 days at 36 %, less 5
    QVERIFY(f.cikisDegisti);
    // F10 copies the own cheque into the empty row.
    f.StringGrid1->setFocus();
    f.StringGrid1->setCurrentCell(0, ColVade);
    QTest::keyClick(f.StringGrid1, Qt::Key_F10);
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    // Ctrl+Ins opens the own cheque window, Shift+Ins the received lists.
    QTest::keyClick(f.StringGrid1, Qt::Key_Insert, Qt::ControlModifier);
    QVERIFY(w.own->isVisible());
    w.own->kapatBut->click();
    f.activateWindow();
    f.StringGrid1->setFocus();
    QTest::keyClick(f.StringGrid1, Qt::Key_Insert, Qt::ShiftModifier);
    QVERIFY(w.lists->isVisible() && w.summary->isVisible());
}

void TestExitWindow::menuOpensAndCompanyChangeEmpties()
{
    TestHome home;
    home.openCompany("A1", 2021);
    MessageBox::setTestMode(true);
    Uygulama app;
    TcekcikisF *f = app.cekcikisF();
    QAction *item = app.frmMain()->menuItem(QStringLiteral("Çek ve Senet Çıkışı"));
    QVERIFY(item && item->isEnabled());
    item->trigger();
    QVERIFY(f->isVisible());
    setCell(f->StringGrid1, 0, ColVade, "31.03.2021");
    setCell(f->StringGrid1, 0, ColTutar, "10,00");
    f->KoduEdit->setText("X");
    f->cikisDegisti = true;
    app.resetSlips();
    QCOMPARE(f->StringGrid1->rowCount(), 1);
    QVERIFY(f->KoduEdit->text().isEmpty());
    QVERIFY(!f->cikisDegisti);
    f->hide();
}

// A slip saved, loaded back through the register and saved again rewrites its own
// rows and its one movement: nothing added, nothing lost.
void TestExitWindow::saveAfterALoadRewritesTheSameRows()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    const qint64 a = addReceived(10000, QDate(2021, 3, 31));
    const qint64 b = addReceived(5000, QDate(2021, 4, 15));
    addReceived(700, QDate(2021, 4, 20));  // stays in the portfolio
    f.cekEkle();
    w.pick(a);
    w.pick(b);
    w.typeOwn(QDate(2021, 5, 31), "2.000");
    f.JvDotNetMemo1->setPlainText("Mart ödemesi");
    QVERIFY(f.sakla());
    const QStringList first = stored();
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);

    TForm2 wait;
    TcikisbordroF r;
    r.setExitSlip(&f);
    r.setWaitWindow(&wait);
    for (int round = 0; round < 2; ++round) {
        r.ac();
        QVERIFY(r.CiroBordro.locate("bordro_ind", 1));
        QVERIFY(!f.cikisDegisti);
        QVERIFY(r.bordroDuzelt());
        // The wait window went through the slip's three rows and is gone.
        QCOMPARE(wait.progressBar()->maximum(), 3);
        QCOMPARE(wait.progressBar()->value(), 3);
        QVERIFY(!wait.isVisible());
        QCOMPARE(cell(f, 0, ColGirisId), QString::number(a));
        QCOMPARE(cell(f, 2, ColDuzenlemeId), QString("1"));
        QVERIFY(f.sakla());
        QCOMPARE(stored(), first);
    }
    // A change after the load lands on the same rows and the one movement.
    r.ac();
    QVERIFY(r.CiroBordro.locate("bordro_ind", 1));
    QVERIFY(r.bordroDuzelt());
    f.JvDotNetMemo1->setPlainText("Nisan ödemesi");
    QVERIFY(f.sakla());
    QStringList expected = first;
    expected[0].replace("Mart ödemesi", "Nisan ödemesi");
    QCOMPARE(stored(), expected);
    QCOMPARE(TestHome::countRows(company(), "cikisbordro"), 1);
    QCOMPARE(TestHome::countRows(company(), "cekciro"), 2);
    QCOMPARE(TestHome::countRows(company(), "cekkendi"), 1);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    QVERIFY(MessageBox::shown().isEmpty());
    r.hide();
}

// "Çıkış Bordrosunu Bul" of the received and the issued lists shows the exit slip
// register filtered to the slip the cheque went out on, whatever filter was set.
void TestExitWindow::listsFindTheExitSlip()
{
    TestHome home;
    MessageBox::setTestMode(true);
    Uygulama app;
    home.openCompany("A1", 2021);
    for (int i = 0; i < 3; ++i)
        TestHome::insertRow(company(), "cikisbordro", {{"islem_tarihi", QDate(2021, 3, 3 - i)}, {"ciro_firma_kodu", "S1"},
                                                       {"ciro_firma", "Satıcı Bir"}, {"toplam_tutari", 100.0 * (i + 1)}});
    const qint64 endorsed = TestHome::insertRow(company(), "cekgiris", {{"cek_tarihi", QDate(2021, 4, 1)}, {"cek_tutari", 100.0},
                                                                        {"cek_ciro_id", 2}, {"cek_ciro_kime", "Satıcı Bir"},
                                                                        {"cek_ciro_tarihi", QDate(2021, 3, 2)}, {"para_birimi", "TL"}});
    const qint64 own = TestHome::insertRow(company(), "cekkendi", {{"bordro_ind", 3}, {"cek_tarihi", QDate(2021, 5, 1)},
                                                                   {"cek_tutari", 300.0}, {"para_birimi", "TL"}});
    TcikisbordroF *r = app.cikisbordroF();
    const auto itemOf = [](QWidget *list) {
        QAction *a = list->findChild<QAction *>("cikisBordroItem");
        return a && a->isEnabled() ? a : nullptr;
    };

    TceklerF *received = app.ceklerF();
    for (QAbstractButton *b : received->choiceGroup->buttons())
        if (b->text() == "Tüm Çekler") b->click();
    QVERIFY(received->listQuery.locate("cek_ind", endorsed));
    r->paraCheck->setChecked(true);
    r->dovizBox->setCurrentText("USD");
    QAction *find = itemOf(received);
    QVERIFY(find);
    find->trigger();
    QVERIFY(r->isVisible());
    QVERIFY(r->bordroCheck->isChecked() && !r->paraCheck->isChecked());
    QCOMPARE(r->SKonBut2->text(), QString("FİLTREYİ KALDIR"));
    QCOMPARE(r->CiroBordro.recordCount(), 1);
    QCOMPARE(r->CiroBordro.field("bordro_ind").asInteger(), 2);
    r->hide();

    TduzenlenenceklerF *issued = app.duzenlenenceklerF();
    issued->choiceGroup->button(int(IssuedList::Choice::Tum))->click();
    QVERIFY(issued->listQuery.locate("cek_ind", own));
    find = itemOf(issued);
    QVERIFY(find);
    find->trigger();
    QVERIFY(r->isVisible());
    QCOMPARE(r->CiroBordro.recordCount(), 1);
    QCOMPARE(r->CiroBordro.field("bordro_ind").asInteger(), 3);
    QCOMPARE(r->bordroEdit->text(), QString("3"));
    // Unfiltered, the register lists the slips in the order they were saved.
    r->SKonBut2->click();
    QList<qint64> order;
    for (int row = 0; row < r->CiroBordro.recordCount(); ++row)
        order << r->CiroBordro.recordAt(row).asInteger("bordro_ind");
    QCOMPARE(order, (QList<qint64>{1, 2, 3}));
    r->hide();
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestExitWindow::screenshot()
{
    Windows w;
    TcekcikisF &f = *w.slip;
    const qint64 a = addReceived(10000, QDate(2021, 3, 31));
    const qint64 b = addReceived(5000, QDate(2021, 4, 15));
    f.resize(1366, 740);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.cekEkle();
    w.pick(a);
    w.pick(b);
    w.typeOwn(QDate(2021, 5, 31), "2.000");
    f.JvDotNetMemo1->setPlainText("Mart ödemesi");
    if (qEnvironmentVariableIsEmpty("CEKSENET_SHOTS")) return;
    const QString dir = qEnvironmentVariable("CEKSENET_SHOTS");
    f.grab().save(dir + "/exit_slip.png");
    w.summary->grab().save(dir + "/exit_summary.png");
    w.own->goster();
    w.own->grab().save(dir + "/own_cheque.png");
}

QTEST_MAIN(TestExitWindow)
#include "test_exit_window.moc"
