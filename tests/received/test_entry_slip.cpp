// The entry slip window driven through its controls.
#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "data/dataset.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "received/tcekortf.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/help_window.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace EntrySlip;

namespace {

// The worked example typed into the window: account M1, slip of 01.03.2021.
void fillWorkedExample(TcekortF &f)
{
    f.DateTimePicker15->setDate(QDate(2021, 3, 1));
    f.KoduEdit->setText("M1");
    f.cariBul();
    setCell(f.StringGrid1, 0, ColVade, "31.03.2021");
    setCell(f.StringGrid1, 0, ColTutar, "10000");
    setCell(f.StringGrid1, 1, ColVade, "15.04.2021");
    setCell(f.StringGrid1, 1, ColTutar, "5000");
    setCell(f.StringGrid1, 2, ColVade, "");
}

} // namespace

class TestEntrySlip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsAndDefaults();
    void recalculateAndSave();
    void deleteSavedRowResaves();
    void gridKeys();
    void unknownCodeOpensNewCard();
    void typingFiveChequesByKeyboard();
    void typedDueDatesAreCompleted();
    void newSlipAndLeaving();
    void emptyRowsAndFocusColours();
    void commandsFromTheOpenCellEditor();
    void pickerFillsTheSlip();
    void enterRunsThroughTheHeader();
    void cardValuesReachTheSlipWhole();
    void typingIsLimitedToTheFieldSize();
    void missingCashTemplateToldOnce();
};

void TestEntrySlip::controlsAndDefaults()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TcekortF f;
    QCOMPARE(f.windowTitle(), QString("Brenvo Çek Senet Takip - Alınan Çek ve Senet Giriş Bordro İşlemleri"));
    QCOMPARE(f.DateTimePicker15->date(), QDate::currentDate().addDays(-1));
    QCOMPARE(f.Edit61->text(), QString("365"));
    QCOMPARE(f.JustaEdit57->text(), QString("5"));
    QCOMPARE(f.kuruEdit->text(), QString("1"));
    QCOMPARE(f.StringGrid1->columnCount(), 19);
    QCOMPARE(f.StringGrid1->rowCount(), 1);
    QVERIFY(f.StringGrid1->isColumnHidden(ColAdat) && f.StringGrid1->isColumnHidden(ColKey));
    QCOMPARE(f.StringGrid1->horizontalHeaderItem(ColVade)->text(), QString("Çekin Vadesi"));
    // The yearly and monthly rates follow the one being typed.
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.Edit62->setFocus();
    f.Edit62->clear();
    type(f.Edit62, "24");
    QCOMPARE(f.Edit63->text(), QString("2"));
    f.Edit63->setFocus();
    f.Edit63->clear();
    type(f.Edit63, "1,5");
    QCOMPARE(f.Edit62->text(), QString("18"));
    // The help button shows the slip's help text.
    TyardimF help;
    f.setYardim(&help);
    f.findChild<QPushButton *>("tfXPButton1")->click();
    QVERIFY(help.isVisible());
    QCOMPARE(help.konuBox()->currentData().toString(), QString("ycekgiris"));
    f.girisDegisti = false;
    f.hide();
}

void TestEntrySlip::recalculateAndSave()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    TcekortF f;
    fillWorkedExample(f);
    QCOMPARE(f.JustaEdit23->text(), QString("Müşteri Bir"));
    QCOMPARE(f.Edit62->text(), QString("36"));
    f.hesapla();
    QCOMPARE(f.StringGrid1->item(0, ColGun)->text(), QString("30"));
    QCOMPARE(f.StringGrid1->item(0, ColVadeFarki)->text(), QString("295,89"));
    QCOMPARE(f.StringGrid1->item(0, ColNet)->text(), QString("9.704,11"));
    QCOMPARE(f.JustaEdit5->text(), QString("15.000,00"));
    QCOMPARE(f.Edit59->text(), QString("35"));
    QCOMPARE(f.DateTimePicker16->date(), QDate(2021, 4, 5));
    QVERIFY(f.girisDegisti);

    f.vadefarkiCheck->setChecked(true);
    f.BitBtn12->click();
    QCOMPARE(f.JustaEdit1->text(), QString("1"));
    QVERIFY(!f.girisDegisti);
    QCOMPARE(f.StringGrid1->item(1, ColKey)->text(), QString("2"));
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "cekgiris"), 2);
    Query m(&DataContext::instance().kasaConnection);
    m.sql() << "SELECT alacak_tutari FROM carihareket WHERE cek_id=1";
    m.open();
    QCOMPARE(m.field("alacak_tutari").asFloat(), 15000.0 - 295.89 - 221.92);
    QVERIFY(MessageBox::shown().isEmpty());

    // An unknown code stops the save before anything is written.
    f.KoduEdit->setText("YOK");
    f.JustaEdit23->setText("Kimse");
    f.BitBtn12->click();
    QCOMPARE(MessageBox::shown().last().text, QString("\"YOK\" firma kodu bulunamadı. Yeni kod giriniz!"));
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "cekbordro"), 1);
    f.girisDegisti = false;
}

void TestEntrySlip::deleteSavedRowResaves()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    TcekortF f;
    fillWorkedExample(f);
    QVERIFY(f.sakla());
    f.StringGrid1->setCurrentCell(0, ColTutar);
    MessageBox::queueAnswer(MessageBox::Yes);
    f.satirSil();
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "cekgiris"), 1);
    QCOMPARE(f.StringGrid1->item(0, ColVade)->text(), QString("15.04.2021"));
    QCOMPARE(f.StringGrid1->item(0, ColNo)->text(), QString("1"));
    Query m(&DataContext::instance().kasaConnection);
    m.sql() << "SELECT brut_tutar FROM carihareket WHERE cek_id=1";
    m.open();
    QCOMPARE(m.field("brut_tutar").asFloat(), 5000.0);
    // A delete whose save stops (the code no longer matches the name) deletes
    // nothing: the cheque stays stored and its row comes back.
    f.KoduEdit->setText("YOK");
    f.StringGrid1->setCurrentCell(0, ColTutar);
    MessageBox::queueAnswer(MessageBox::Yes);
    f.satirSil();
    QCOMPARE(MessageBox::shown().last().text, QString("\"YOK\" firma kodu bulunamadı. Yeni kod giriniz!"));
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "cekgiris"), 1);
    QCOMPARE(f.StringGrid1->item(0, ColVade)->text(), QString("15.04.2021"));
    QVERIFY(!f.StringGrid1->item(0, ColKey)->text().isEmpty());
    f.KoduEdit->setText("M1");
    // Answering No still leaves an empty numbered row at the end.
    const int rowsBefore = f.StringGrid1->rowCount();
    f.StringGrid1->setCurrentCell(0, ColTutar);
    MessageBox::queueAnswer(MessageBox::No);
    f.satirSil();
    QCOMPARE(f.StringGrid1->rowCount(), rowsBefore + 1);
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "cekgiris"), 1);
    // Copying a cheque fills the next empty row without its key.
    f.StringGrid1->setCurrentCell(0, ColTutar);
    f.ceKopyala();
    QCOMPARE(f.StringGrid1->item(1, ColVade)->text(), QString("15.04.2021"));
    QVERIFY(f.StringGrid1->item(1, ColKey)->text().isEmpty());
    f.girisDegisti = false;
}

void TestEntrySlip::gridKeys()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TcekortF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.StringGrid1->setFocus();
    const struct { int from, to; } moves[] = {{1, 2}, {2, 3}, {7, 9}, {12, 16}};
    for (const auto &m : moves) {
        f.StringGrid1->setCurrentCell(0, m.from);
        QTest::keyClick(f.StringGrid1, Qt::Key_Return);
        QCOMPARE(f.StringGrid1->currentColumn(), m.to);
    }
    // Delete in a calculated column acts as Tab.
    f.StringGrid1->setCurrentCell(0, ColGun);
    QTest::keyClick(f.StringGrid1, Qt::Key_Delete);
    QCOMPARE(f.StringGrid1->currentColumn(), int(ColVadeFarki));
    // The amount is regrouped while its integer part is typed, not after the comma.
    setCell(f.StringGrid1, 0, ColTutar, "");
    f.StringGrid1->setCurrentCell(0, ColTutar);
    f.StringGrid1->editItem(f.StringGrid1->item(0, ColTutar));
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, "12500");
    QCOMPARE(editor->text(), QString("12.500"));
    // A digit typed in the middle keeps the cursor after it.
    editor->setCursorPosition(2);  // "12|.500"
    QTest::keyClicks(editor, "3");
    QCOMPARE(editor->text(), QString("123.500"));
    QCOMPARE(editor->cursorPosition(), 3);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->text(), QString("12.500"));
    editor->setCursorPosition(editor->text().size());
    QTest::keyClicks(editor, ",5");
    QCOMPARE(editor->text(), QString("12.500,5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(f.StringGrid1->item(0, ColTutar)->text(), QString("12.500,5"));
    QCOMPARE(f.StringGrid1->currentColumn(), int(ColGun));
    // The grid's menu carries the row commands with their keys.
    QStringList menu;
    for (QAction *a : f.StringGrid1->actions()) menu << a->text() + "|" + a->shortcut().toString();
    QCOMPARE(menu, (QStringList{"  Yeniden Hesapla|F3", "  Yeni Bordro|F7", "  Bordro Aç|F8", "  Satır Ekle   |Shift+Ins",
                                "  Satır Sil   |Shift+Del", "  Çeki Kopyala|F10"}));
    f.girisDegisti = false;
    f.hide();
}

void TestEntrySlip::unknownCodeOpensNewCard()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TcekortF f;
    TcariF cards;
    f.setCardWindow(&cards);
    f.KoduEdit->setText("N5");
    MessageBox::queueAnswer(MessageBox::Yes);
    f.cariBul();
    QCOMPARE(MessageBox::shown().last().text, QString("Bu firma kodu bulunamadı. Yeni firma açılsınmı?"));
    QVERIFY(cards.isVisible());
    QCOMPARE(cards.FirmaTakip->state(), Dataset::State::Insert);
    QCOMPARE(cards.FirmaTakip->field("firma_kodu").asString(), QString("N5"));
    QCOMPARE(AccountPicker::cariSecimYeri(), QString("cekgiris"));
    QVERIFY(f.JustaEdit23->text().isEmpty());
    // No: the code is emptied.
    f.KoduEdit->setText("N6");
    MessageBox::queueAnswer(MessageBox::No);
    f.cariBul();
    QVERIFY(f.KoduEdit->text().isEmpty());
    cards.FirmaTakip->cancel();
    cards.hide();
    f.girisDegisti = false;
}

// Keys go to whatever has the focus, as they do for a user.
static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
static void typeKeys(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }

void TestEntrySlip::typingFiveChequesByKeyboard()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    TcekortF f;
    f.DateTimePicker15->setDate(QDate(2021, 3, 1));
    f.KoduEdit->setText("M1");
    f.cariBul();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.StringGrid1->setFocus();
    f.StringGrid1->setCurrentCell(0, ColVade);
    const QStringList dates = {"310321", "150421", "300421", "150521", "310521"};
    for (int i = 0; i < dates.size(); ++i) {
        typeKeys(dates[i]);          // typing opens the cell's date editor
        press(Qt::Key_Return);        // to the amount
        typeKeys(QString::number(1000 * (i + 1)));
        press(Qt::Key_Down);          // row step; a new row on the last one
        press(Qt::Key_Left);          // back to the due date of the new row
    }
    const auto rows = f.rows();
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows[0][ColVade], QString("31.03.2021"));
    QCOMPARE(rows[0][ColTutar], QString("1.000,00"));
    QCOMPARE(rows[0][ColGun], QString("30"));
    QCOMPARE(rows[4][ColVade], QString("31.05.2021"));
    QCOMPARE(rows[4][ColTutar], QString("5.000,00"));
    QCOMPARE(f.JustaEdit5->text(), QString("15.000,00"));
    QVERIFY(f.sakla());
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "cekgiris"), 5);
    f.hide();
}

// Dates typed into the masked cell as users type them: the day's and month's
// blanks stay in place until the row step completes the date.
void TestEntrySlip::typedDueDatesAreCompleted()
{
    TestHome home;
    home.openCompany("A1", 2021);
    const struct { const char *typed, *cell, *completed; } cases[] = {
        {"5.3.24", "5_.3_.24__", "05.03.2024"}, {"05.03", "05.03.____", "05.03.2021"}, {"5.3.", "5_.3_.____", "05.03.2021"},
        {"1.2.7", "1_.2_.7___", "01.02.2007"},  {"310321", "31.03.21__", "31.03.2021"}, {"", "", ""},
    };
    for (const auto &c : cases) {
        TcekortF f;
        f.DateTimePicker15->setDate(QDate(2021, 3, 1));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.StringGrid1->setFocus();
        f.StringGrid1->setCurrentCell(0, ColTutar);
        f.StringGrid1->setCurrentCell(0, ColVade);  // the cell editor opens on the due date
        typeKeys(c.typed);
        press(Qt::Key_Return);
        QCOMPARE(f.StringGrid1->currentColumn(), int(ColTutar));
        QCOMPARE(f.StringGrid1->item(0, ColVade)->text(), QString(c.cell));
        f.StringGrid1->setCurrentCell(0, ColVade);
        QVERIFY(f.StringGrid1Exit());
        QCOMPARE(f.StringGrid1->item(0, ColVade)->text(), QString(c.completed));
        QVERIFY(MessageBox::shown().isEmpty());
        f.girisDegisti = false;
    }
}

// "YENİ BORDRO" empties the slip but keeps the date, type, BSMV and deduct boxes;
// leaving a modified slip says the changes were not saved.
void TestEntrySlip::newSlipAndLeaving()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    TcekortF f;
    fillWorkedExample(f);
    f.accountType[2]->setChecked(true);
    f.BSMVCheck->setChecked(true);
    f.JustaEdit57->setText("7");
    f.CheckBox1->setChecked(true);
    f.dovizBox->setCurrentText("USD");
    f.kuruEdit->setText("30");
    f.JvDotNetMemo1->setPlainText("not");
    f.hesapla();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));

    MessageBox::queueAnswer(MessageBox::No);
    f.yeniBordro();
    QCOMPARE(MessageBox::shown().last().text, QString("Dosyayı Boşaltmak istediğinizden eminmisiniz?"));
    QCOMPARE(f.StringGrid1->item(1, ColVade)->text(), QString("15.04.2021"));
    QVERIFY(!f.girisDegisti);  // cleared also after No

    f.girisDegisti = true;
    MessageBox::queueAnswer(MessageBox::Yes);
    f.yeniBordro();
    QCOMPARE(f.StringGrid1->rowCount(), 1);
    QCOMPARE(f.StringGrid1->item(0, ColNo)->text(), QString("1"));
    QVERIFY(f.StringGrid1->item(0, ColVade)->text().isEmpty());
    for (QLineEdit *e : {f.KoduEdit, f.JustaEdit23, f.JustaEdit1, f.JustaEdit5, f.JustaEdit8, f.Edit59, f.Edit371})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    QCOMPARE(f.Edit61->text(), QString("365"));
    QCOMPARE(f.Edit62->text(), QString("0"));
    QCOMPARE(f.Edit63->text(), QString("0"));
    QCOMPARE(f.dovizBox->currentText(), QString("TL"));
    QCOMPARE(f.kuruEdit->text(), QString("1"));
    QVERIFY(!f.CheckBox1->isChecked());
    QVERIFY(f.JvDotNetMemo1->toPlainText().isEmpty());
    QCOMPARE(f.DateTimePicker16->date(), QDate::currentDate());
    // Kept: the slip date, the account type, the BSMV percent and the deduct boxes.
    QCOMPARE(f.DateTimePicker15->date(), QDate(2021, 3, 1));
    QVERIFY(f.accountType[2]->isChecked());
    QCOMPARE(f.JustaEdit57->text(), QString("7"));
    QVERIFY(f.BSMVCheck->isChecked());
    QVERIFY(!f.girisDegisti);

    // Hiding an unchanged slip says nothing; a changed one warns (and hides anyway).
    MessageBox::clearShown();
    f.hide();
    QVERIFY(MessageBox::shown().isEmpty());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.KoduEdit->setFocus();
    QTest::keyClicks(f.KoduEdit, "M");
    QVERIFY(f.girisDegisti);
    f.JvXPButton1->setFocus();  // leaving the code looks it up
    MessageBox::queueAnswer(MessageBox::No);
    f.findChild<QPushButton *>("kapatBut")->click();
    QVERIFY(!f.isVisible());
    QCOMPARE(MessageBox::shown().last().text,
             QString("Değişiklikleri kayıt etmeden çıktınız?\n\rBilgilerinizin kaybolmaması için, giriş yapıp kayıt ediniz!"));
}

// Deleting an empty row takes it away without a question, so the grid does not
// grow; a new row comes only from Down in the amount column of the last row.
void TestEntrySlip::emptyRowsAndFocusColours()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TcekortF f;
    f.DateTimePicker15->setDate(QDate(2021, 3, 1));
    setCell(f.StringGrid1, 0, ColVade, "31.03.2021");
    setCell(f.StringGrid1, 0, ColTutar, "100");
    setCell(f.StringGrid1, 1, ColVade, "");
    setCell(f.StringGrid1, 2, ColVade, "15.04.2021");
    setCell(f.StringGrid1, 2, ColTutar, "200");
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.StringGrid1->setCurrentCell(1, ColTutar);
    f.satirSil();
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(f.StringGrid1->rowCount(), 3);  // the empty row gone, one added at the end
    QCOMPARE(f.StringGrid1->item(1, ColVade)->text(), QString("15.04.2021"));
    QCOMPARE(f.StringGrid1->item(1, ColNo)->text(), QString("2"));
    for (int i = 0; i < 3; ++i) {
        f.StringGrid1->setCurrentCell(f.StringGrid1->rowCount() - 1, ColVade);
        f.satirSil();
    }
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    QVERIFY(MessageBox::shown().isEmpty());

    // Down on the last row: from the due date nothing is added, from the amount a row.
    f.StringGrid1->setFocus();
    f.StringGrid1->setCurrentCell(2, ColVade);
    f.StringGrid1->item(2, ColVade)->setText("30.04.2021");
    press(Qt::Key_Down);
    QCOMPARE(f.StringGrid1->rowCount(), 3);
    f.StringGrid1->setCurrentCell(2, ColTutar);
    press(Qt::Key_Down);
    QCOMPARE(f.StringGrid1->rowCount(), 4);
    QCOMPARE(f.StringGrid1->currentRow(), 3);

    // "Kuru" and the rates are yellow while focused, white after.
    f.kuruEdit->setFocus();
    QCOMPARE(f.kuruEdit->palette().color(QPalette::Base), QColor(Qt::yellow));
    f.Edit62->setFocus();
    QCOMPARE(f.kuruEdit->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(f.Edit62->palette().color(QPalette::Base), QColor(Qt::yellow));
    f.girisDegisti = false;
}

// The grid's commands reach the cell being typed: Shift+Delete is the row
// command (not the editor's cut), and what is typed counts in a recalculation.
void TestEntrySlip::commandsFromTheOpenCellEditor()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    TcekortF f;
    fillWorkedExample(f);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.StringGrid1->setFocus();
    f.StringGrid1->setCurrentCell(0, ColVade);
    f.StringGrid1->setCurrentCell(1, ColTutar);  // the editor opens on the second amount
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor && f.StringGrid1->isAncestorOf(editor));
    editor->selectAll();
    QTest::keyClicks(editor, "7000");
    f.hesapla();  // F3 while the editor is open
    QCOMPARE(f.JustaEdit5->text(), QString("17.000,00"));

    MessageBox::queueAnswer(MessageBox::Yes);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(MessageBox::shown().last().text, QString("Kaydı Silmek istediğinizden eminmisiniz?"));
    QCOMPARE(f.StringGrid1->item(0, ColVade)->text(), QString("31.03.2021"));
    QVERIFY(f.StringGrid1->item(1, ColVade)->text().isEmpty());
    f.girisDegisti = false;
}

// "Bul" opens the cards searched for the current name; a card picked there fills
// the slip as a found code does, and the cards go away.
void TestEntrySlip::pickerFillsTheSlip()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    TestHome::addAccountCard("S7", "Satıcı Yedi", 24.0);
    {
        Table t(&DataContext::instance().ADOConnection1, "firma", "firma_kodu");
        t.open();
        QVERIFY(t.locate("firma_kodu", "S7"));
        t.edit();
        t.field("musteri_satici") = "Satıcı";
        t.field("tahsilatsure_ekle") = 3;
        t.field("hafta_sonu_ekle") = "E";
        t.field("masraf_dus") = "E";
        t.post();
    }
    TcekortF f;
    TcariF cards;
    f.setCardWindow(&cards);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.JustaEdit23->setText("Satıcı");
    f.JvXPButton2->click();
    QVERIFY(cards.isVisible());
    QCOMPARE(AccountPicker::cariSecimYeri(), QString("cekgiris"));
    QCOMPARE(cards.findChild<QLineEdit *>("aramaEdit")->text(), QString("Satıcı"));
    QCOMPARE(cards.FirmaTakip->field("firma_kodu").asString(), QString("S7"));  // the search found it
    cards.findChild<QPushButton *>("SecBut")->click();
    QVERIFY(!cards.isVisible());
    QCOMPARE(f.KoduEdit->text(), QString("S7"));
    QCOMPARE(f.JustaEdit23->text(), QString("Satıcı Yedi"));
    QVERIFY(f.accountType[1]->isChecked());
    QCOMPARE(f.Edit62->text(), QString("24"));
    QCOMPARE(f.Edit371->text(), QString("3"));
    QVERIFY(f.CheckBox1->isChecked());
    QVERIFY(f.masrafCheck->isChecked());
    QVERIFY(!f.vadefarkiCheck->isChecked());
    QVERIFY(f.girisDegisti);
    f.girisDegisti = false;
}

// Enter runs through the header as it reads, past the results and the buttons,
// from the code down to "Gün Ekle" and on into the grid.
void TestEntrySlip::enterRunsThroughTheHeader()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TcekortF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.KoduEdit->setFocus();
    const QList<QWidget *> expected = {f.dovizBox, f.kuruEdit, f.accountType[0], f.vadefarkiCheck, f.masrafCheck,
                                       f.BSMVCheck, f.CheckBox1, f.Edit61, f.JustaEdit57, f.Edit62, f.Edit64,
                                       f.Edit63, f.Edit371, f.StringGrid1};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QWidget *now = QApplication::focusWidget();
        while (now && now != next && next->isAncestorOf(now)) now = now->parentWidget();
        QCOMPARE(now, next);
    }
    QVERIFY(!f.vadefarkiCheck->isChecked() && !f.CheckBox1->isChecked());  // Enter moves on, it does not tick
    f.girisDegisti = false;
}

// A long name, a rate with four decimals and empty numbers on the card reach the
// slip as they are: the name is not cut (the save compares it with the card), an
// empty "Yıldaki Gün" is not "0".
void TestEntrySlip::cardValuesReachTheSlipWhole()
{
    TestHome home;
    home.openCompany("A1", 2021);
    const QString longName = "Öztürk Gıda Sanayi ve Ticaret Ltd. Şti.";
    TestHome::insertRow(DataContext::instance().ADOConnection1, "firma",
                        {{"firma_kodu", "L1"}, {"firma_adi", longName}, {"yillik_faiz", 25.4808}});
    TcekortF f;
    f.DateTimePicker15->setDate(QDate(2021, 3, 1));
    f.KoduEdit->setText("L1");
    f.cariBul();
    QCOMPARE(f.JustaEdit23->text(), longName);
    QCOMPARE(f.Edit62->text(), QString("25,4808"));
    QCOMPARE(f.Edit61->text(), QString());
    QCOMPARE(f.Edit371->text(), QString());
    setCell(f.StringGrid1, 0, ColVade, "31.03.2021");
    setCell(f.StringGrid1, 0, ColTutar, "10000");
    setCell(f.StringGrid1, 1, ColVade, "");
    f.StringGrid1->setCurrentCell(0, ColVade);
    QVERIFY(f.StringGrid1Exit());
    QVERIFY(MessageBox::shown().isEmpty());  // no "Yıldaki gün sıfır olamaz."
    QCOMPARE(f.Edit61->text(), QString("365"));
    QVERIFY(f.sakla());
    QVERIFY(MessageBox::shown().isEmpty());
    Query q(&DataContext::instance().ADOConnection1);
    q.sql() << "SELECT alindigi_firma, yillik_faiz FROM cekbordro";
    q.open();
    QCOMPARE(q.field("alindigi_firma").asString(), longName);
    QCOMPARE(q.field("yillik_faiz").asFloat(), 25.4808);
    f.girisDegisti = false;
}

// What the user types stops at the field's size; nothing is cut later.
void TestEntrySlip::typingIsLimitedToTheFieldSize()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TcekortF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    type(f.KoduEdit, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QCOMPARE(f.KoduEdit->text(), QString("ABCDEFGHIJKLMNOPQRST"));
    // In the grid: "Bankası" holds 30, "Açıklama" 50.
    const struct { int column; int size; } cells[] = {{ColBanka, 30}, {ColAciklama, 50}, {ColCekNo, 30}};
    for (const auto &c : cells) {
        f.StringGrid1->setCurrentCell(0, c.column);
        f.StringGrid1->editItem(f.StringGrid1->item(0, c.column));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        type(editor, QString(60, u'x'));
        QCOMPARE(editor->text().size(), c.size);
    }
    f.KoduEdit->clear();
    f.girisDegisti = false;
    f.hide();
}

// A slip dated in a year whose cash file cannot be made: one message, nothing written.
void TestEntrySlip::missingCashTemplateToldOnce()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    QVERIFY(QFile::remove(home.path("Kasa.mdb")));
    TcekortF f;
    fillWorkedExample(f);
    f.DateTimePicker15->setDate(QDate(2030, 3, 1));
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::Yes);  // the year question comes first
    QVERIFY(!f.sakla());
    QCOMPARE(MessageBox::shown().size(), 2);
    QCOMPARE(MessageBox::shown().last().text, QString("Kasa oluşturulması için gerekli dosya bulunamadı!"));
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "cekgiris"), 0);
    QCOMPARE(DataContext::instance().calismaYili, 2021);
    f.girisDegisti = false;
}

QTEST_MAIN(TestEntrySlip)
#include "test_entry_slip.moc"
