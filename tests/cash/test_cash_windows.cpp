// The cash entry form, the transaction types and the cash register view, driven
// through their controls on a fresh home.
#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "app/sample_company.h"
#include "cash/cash_entry_steps.h"
#include "cash/cash_row_writer.h"
#include "cash/tkasaf.h"
#include "cash/tkasarf.h"
#include "cash/tnakitnedenf.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/spreadsheet_writer.h"
#include "data/table.h"
#include "reports/report.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/column_chooser.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
#include "widgets/row_paint_delegate.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

Connection &cash() { return DataContext::instance().kasaConnection; }

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

// A cash row put straight into the file, as another program part left it.
qint64 cashRow(const QDate &day, const QString &currency, const QVariant &in, const QVariant &out,
               const QString &neden = QString())
{
    QVariantMap f{{"islem_tarihi", day}, {"doviz_cinsi", currency}, {"doviz_kuru", 1.0}};
    if (in.isValid()) f.insert("borc_tutar", in);
    if (out.isValid()) f.insert("alacak_tutar", out);
    if (!neden.isEmpty()) f.insert("neden", neden);
    return TestHome::insertRow(cash(), "nakit", f);
}

QString lastMessage() { return MessageBox::shown().isEmpty() ? QString() : MessageBox::shown().last().text; }

// The windows of the cash register wired as the application wires them, on a
// company A1 of 2024 with the customer M1.
struct Cash {
    TestHome home;
    TcariF cards;
    TkasaRF view;
    TkasaF entry;
    TnakitnedenF types;
    explicit Cash(int year = 2024)
    {
        entry.setView(&view);
        entry.setCardWindow(&cards);
        entry.setTypeWindow(&types);
        QObject::connect(&types, &TnakitnedenF::typesChanged, &entry, &TkasaF::loadTypes);
        home.openCompany("A1", year);
        TestHome::addAccountCard("M1", "Müşteri Bir");
        MessageBox::clearShown();
    }
    ~Cash()
    {
        entry.hide();
        view.hide();
        AccountPicker::reset();
    }
    template <class T> T *in(QWidget *w, const char *name) { return w->findChild<T *>(QLatin1String(name)); }
    void click(QWidget *w, const char *name)
    {
        QPushButton *b = in<QPushButton>(w, name);
        QVERIFY2(b, name);
        b->click();
    }
    // A new movement from the view on a day, typed into the entry form.
    void newMovement(const QDate &day, const QString &giren, const QString &cikan = QString())
    {
        view.yeniHareket();
        entry.vadesiDate->setDate(day);
        if (!giren.isEmpty()) type(entry.DBEdit1, giren);
        if (!cikan.isEmpty()) type(entry.DBEdit2, cikan);
    }
    void pickAccount(const QString &code, const QString &name)
    {
        PickedAccount card;
        card.kodu = code;
        card.adi = name;
        AccountPicker::cariSecimYeri() = "kasa";
        AccountPicker::handOver(card);
    }
    void save() { click(&entry, "BitBtn1"); }
    void chooseCurrency(int index)
    {
        view.dovizBox->setCurrentIndex(index);
        Q_EMIT view.dovizBox->activated(index);
    }
    QString text(const char *name) { return in<QLineEdit>(&view, name)->text(); }
};

} // namespace

class TestCashWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::clearShown(); }
    void receiptCorrectionAndAccountRemoved();
    void cancelAndNewMovement();
    void checksStopTheSave_data();
    void checksStopTheSave();
    void nextYearAnswered();
    void correctionMovesToAnotherYear();
    void failedSwitchKeepsTheTypedRow();
    void otherWindowsLeaveThePendingRow();
    void transactionTypes();
    void daysCurrenciesAndSummary();
    void rowsPaintedByDirection();
    void balancesFollowEveryWrite();
    void deletingTheOnlyMovementOfADay();
    void printoutsAndExportOfTheDay();
    void captionsFollowLoginAndYear();
    void correctionOfADeletedRowIsRefused_data();
    void correctionOfADeletedRowIsRefused();
    void newFromTheViewAsksFirst_data();
    void newFromTheViewAsksFirst();
    void yearSwitchAsksForTheTypedRow_data();
    void yearSwitchAsksForTheTypedRow();
    void typingAfterASaveKeepsTheSavedRow_data();
    void typingAfterASaveKeepsTheSavedRow();
    void deletingARowTakesItsMovement_data();
    void deletingARowTakesItsMovement();
    void screenshots();
};

void TestCashWindows::receiptCorrectionAndAccountRemoved()
{
    Cash c;
    c.view.ac();
    c.newMovement(QDate(2024, 3, 5), "1000");
    QVERIFY(c.entry.isVisible());
    c.pickAccount("M1", "Müşteri Bir");
    QCOMPARE(c.entry.kisinoedit->text(), QString("M1"));
    type(c.entry.DBEdit4, "Peşin tahsilat");
    c.save();
    QCOMPARE(lastMessage(), QString("İşlem başarıyla kayıt edildi"));
    QVariantMap row = rowOf(cash(), "SELECT * FROM nakit");
    const qint64 nid = row.value("nid").toLongLong();
    QCOMPARE(row.value("borc_tutar").toDouble(), 1000.0);
    QCOMPARE(row.value("firmaadi").toString(), QString("Müşteri Bir"));
    QCOMPARE(row.value("aciklama").toString(), QString("Peşin tahsilat"));
    QVariantMap mv = rowOf(cash(), "SELECT * FROM carihareket");
    QCOMPARE(mv.value("nakit_id").toLongLong(), nid);
    QCOMPARE(mv.value("alacak_tutari").toDouble(), 1000.0);
    QCOMPARE(mv.value("vade_tarihi").toString(), QString("2024-03-05"));
    // The view shows the saved day.
    QCOMPARE(c.view.kasaTarihiLabel->text(), QString("05.03.2024"));
    QCOMPARE(c.view.Label10->text(), QString("1.000,00"));
    QCOMPARE(c.view.DBGrid1->model()->rowCount(), 1);

    // Corrected to 1,200 from the view: the same movement changes.
    c.click(&c.view, "BitBtn1");
    QCOMPARE(c.entry.FirmaAdiEdit->text(), QString("Müşteri Bir"));
    QCOMPARE(c.entry.vadesiDate->date(), QDate(2024, 3, 5));
    retype(c.entry.DBEdit1, "1200");
    c.save();
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    QCOMPARE(rowOf(cash(), "SELECT alacak_tutari FROM carihareket").value("alacak_tutari").toDouble(), 1200.0);
    QCOMPARE(c.view.Label10->text(), QString("1.200,00"));

    // Corrected after "Firma Bilg.Sil": the row loses its account, the movement stays.
    c.click(&c.view, "BitBtn1");
    c.click(&c.entry, "JvXPButton3");
    QVERIFY(c.entry.kisinoedit->text().isEmpty());
    retype(c.entry.DBEdit1, "900");
    c.save();
    row = rowOf(cash(), "SELECT * FROM nakit");
    QVERIFY(row.value("firmakodu").isNull());
    QCOMPARE(row.value("borc_tutar").toDouble(), 900.0);
    mv = rowOf(cash(), "SELECT * FROM carihareket");
    QCOMPARE(mv.value("alacak_tutari").toDouble(), 1200.0);
    QCOMPARE(mv.value("cari_kodu").toString(), QString("M1"));
}

void TestCashWindows::cancelAndNewMovement()
{
    Cash c;
    cashRow(QDate(2024, 3, 5), "USD", 10.0, QVariant());
    c.view.ac();
    c.chooseCurrency(3);
    c.newMovement(QDate(2024, 4, 1), "25");
    c.entry.dovizBox->setCurrentIndex(0);
    // "YENİ HAREKET" over a typed row asks first; No keeps it.
    MessageBox::queueAnswer(MessageBox::No);
    c.click(&c.entry, "JvXPButton1");
    QCOMPARE(lastMessage(), QString("Kaydedilmemiş kasa hareketi iptal edilecektir. Devam edilsin mi?"));
    QCOMPARE(c.view.kasaGTable->value("borc_tutar").toDouble(), 25.0);
    MessageBox::queueAnswer(MessageBox::Yes);
    c.click(&c.entry, "JvXPButton1");
    QVERIFY(c.entry.hasPendingRow());
    QVERIFY(c.view.kasaGTable->value("borc_tutar").isNull());
    QCOMPARE(c.entry.vadesiDate->date(), QDate(2024, 4, 1));  // the date keeps its value
    // "VAZGEÇ" drops the row and goes back to the view's day and movement.
    type(c.entry.DBEdit1, "30");
    c.click(&c.entry, "JvXPButton2");
    QVERIFY(!c.entry.hasPendingRow());
    QCOMPARE(c.entry.vadesiDate->date(), QDate(2024, 3, 5));
    QCOMPARE(c.entry.dovizBox->currentText(), QString("USD"));
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
    // Closing the form drops a pending row as well.
    c.view.yeniHareket();
    type(c.entry.DBEdit1, "40");
    c.click(&c.entry, "JvXPButton6");
    QVERIFY(!c.entry.isVisible());
    QVERIFY(!c.entry.hasPendingRow());
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
    // "DEĞİŞTİR" over a typed row asks too; No keeps the typed one.
    c.view.yeniHareket();
    type(c.entry.DBEdit1, "45");
    MessageBox::queueAnswer(MessageBox::No);
    c.click(&c.view, "BitBtn1");
    QCOMPARE(c.view.kasaGTable->state(), Dataset::State::Insert);
    QCOMPARE(c.view.kasaGTable->value("borc_tutar").toDouble(), 45.0);
    MessageBox::queueAnswer(MessageBox::Yes);
    c.click(&c.view, "BitBtn1");
    QCOMPARE(c.view.kasaGTable->state(), Dataset::State::Edit);
    QCOMPARE(c.view.kasaGTable->value("borc_tutar").toDouble(), 10.0);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
}

void TestCashWindows::checksStopTheSave_data()
{
    QTest::addColumn<QString>("giren");
    QTest::addColumn<QString>("cikan");
    QTest::addColumn<QString>("pasted");  // text put into "Kasaya Giren Tutar" past its key filter
    QTest::addColumn<QString>("message");
    QTest::newRow("no amount") << "" << "" << "" << CashEntry::kNoAmount;
    QTest::newRow("zero") << "0" << "" << "" << CashEntry::kNoAmount;
    QTest::newRow("both sides") << "100" << "50" << "" << CashEntry::kBothAmounts;
    QTest::newRow("pasted text")
        << "" << "" << "1,2,3"
        << "\"Kasaya Giren Tutar\" alanındaki \"1,2,3\" sayı olarak okunamadı. Düzeltip tekrar kaydediniz.";
}

void TestCashWindows::checksStopTheSave()
{
    QFETCH(QString, giren);
    QFETCH(QString, cikan);
    QFETCH(QString, pasted);
    QFETCH(QString, message);
    Cash c;
    c.view.ac();
    c.newMovement(QDate(2024, 3, 5), giren, cikan);
    if (!pasted.isEmpty()) c.entry.DBEdit1->setText(pasted);
    c.save();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(lastMessage(), message);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 0);
    QVERIFY(c.entry.hasPendingRow());
}

void TestCashWindows::nextYearAnswered()
{
    Cash c;
    c.view.ac();
    c.types.ac();
    type(c.types.islemTuruEdit, "Kira");
    c.click(&c.types, "Button1");
    c.newMovement(QDate(2025, 1, 10), "", "40");
    type(c.entry.DBEdit3, "2");
    type(c.entry.DBEdit4, "Ocak kirası");
    QCOMPARE(c.entry.DBLookupComboBox1->findText("Kira"), 0);
    Q_EMIT c.entry.DBLookupComboBox1->activated(0);

    MessageBox::queueAnswer(MessageBox::No);
    c.save();
    const MessageBox::Shown asked = MessageBox::shown().last();
    QCOMPARE(asked.caption, QString("Brenvo Çek Senet Takip"));
    QCOMPARE(asked.text, QString("Kayıt yılı 2025 olacak. Devam etmek istediğinize eminmisiniz?"));
    QCOMPARE(asked.icon, MessageBox::Icon::Question);
    QCOMPARE(asked.buttons, MessageBox::Yes | MessageBox::No);
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    QVERIFY(c.entry.hasPendingRow());
    QVERIFY(!QFileInfo::exists(c.home.path("Data/A12025K.mdb")));

    MessageBox::queueAnswer(MessageBox::Yes);
    c.save();
    QCOMPARE(lastMessage(), CashEntry::kSaved);
    QCOMPARE(DataContext::instance().calismaYili, 2025);
    const QVariantMap row = rowOf(cash(), "SELECT * FROM nakit");
    QCOMPARE(row.value("alacak_tutar").toDouble(), 40.0);
    QCOMPARE(row.value("doviz_kuru").toDouble(), 1.0);  // TL
    QCOMPARE(row.value("aciklama").toString(), QString("Ocak kirası"));
    QCOMPARE(row.value("neden").toString(), QString("Kira"));  // the type goes along too
    QCOMPARE(row.value("islem_tarihi").toString(), QString("2025-01-10"));
    Connection former;
    former.setConnectionString(DataContext::cashConnectionString("A1", 2024));
    QCOMPARE(TestHome::countRows(former, "nakit"), 0);
    QVERIFY(c.view.windowTitle().endsWith("Kasa Raporu  - 2025"));
}

void TestCashWindows::correctionMovesToAnotherYear()
{
    Cash c;
    c.view.ac();
    c.newMovement(QDate(2024, 12, 30), "500");
    c.pickAccount("M1", "Müşteri Bir");
    c.save();
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);

    c.click(&c.view, "BitBtn1");
    c.entry.vadesiDate->setDate(QDate(2025, 1, 2));
    MessageBox::queueAnswer(MessageBox::Yes);
    c.save();
    QCOMPARE(lastMessage(), CashEntry::kSaved);
    // Row and mirror are in 2025 only: the money is not counted twice.
    Connection former;
    former.setConnectionString(DataContext::cashConnectionString("A1", 2024));
    QCOMPARE(TestHome::countRows(former, "nakit"), 0);
    QCOMPARE(TestHome::countRows(former, "carihareket"), 0);
    const QVariantMap row = rowOf(cash(), "SELECT * FROM nakit");
    QCOMPARE(row.value("borc_tutar").toDouble(), 500.0);
    QCOMPARE(rowOf(cash(), "SELECT nakit_id FROM carihareket").value("nakit_id"), row.value("nid"));
    QCOMPARE(rowOf(cash(), "SELECT islem_tarihi FROM carihareket").value("islem_tarihi").toString(), QString("2025-01-02"));
}

void TestCashWindows::failedSwitchKeepsTheTypedRow()
{
    Cash c;
    c.view.ac();
    QVERIFY(QFile::remove(c.home.path("Kasa.mdb")));
    c.newMovement(QDate(2026, 2, 1), "70");
    MessageBox::queueAnswer(MessageBox::Yes);
    c.save();
    QCOMPARE(lastMessage(), QString("Kasa oluşturulması için gerekli dosya bulunamadı!"));
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    QVERIFY(!QFileInfo::exists(c.home.path("Data/A12026K.mdb")));
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 0);
    QVERIFY(c.entry.hasPendingRow());
    QCOMPARE(c.view.kasaGTable->value("borc_tutar").toDouble(), 70.0);
    // Back to this year's date, the same row saves.
    c.entry.vadesiDate->setDate(QDate(2024, 2, 1));
    c.save();
    QCOMPARE(lastMessage(), CashEntry::kSaved);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
}

void TestCashWindows::otherWindowsLeaveThePendingRow()
{
    Cash c;
    c.view.ac();
    c.newMovement(QDate(2024, 3, 5), "55");
    // A collection elsewhere writes its own cash row on the same day.
    Table elsewhere(&cash(), "nakit");
    CashRowWriter::write(elsewhere, {{"cekid", 9}},
                         {{"islem_tarihi", QDate(2024, 3, 5)}, {"borc_tutar", 10.0}, {"doviz_cinsi", "TL"}});
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
    QVERIFY(c.entry.hasPendingRow());
    QCOMPARE(c.view.kasaGTable->value("borc_tutar").toDouble(), 55.0);
    QCOMPARE(c.view.Label10->text(), QString("10,00"));

    // Another window switches the cash file: the typed row follows into it unsaved.
    QVERIFY(kasadegistir(2025));
    QVERIFY(c.entry.hasPendingRow());
    QCOMPARE(c.view.kasaGTable->value("borc_tutar").toDouble(), 55.0);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 0);
    // Saved on its own date, it goes back into 2024.
    MessageBox::queueAnswer(MessageBox::Yes);
    c.save();
    QCOMPARE(lastMessage(), CashEntry::kSaved);
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 2);
}

void TestCashWindows::transactionTypes()
{
    Cash c;
    c.types.ac();
    QCOMPARE(c.types.windowTitle(), QString("Brenvo Çek Senet Takip Programı   - Nakit İşlem Türü"));
    c.click(&c.types, "Button1");  // empty: nothing
    for (const char *name : {"Kira", "Maaş", "Kira"}) {  // names are not checked for repeats
        type(c.types.islemTuruEdit, QString::fromUtf8(name));
        c.click(&c.types, "Button1");
        QVERIFY(c.types.islemTuruEdit->text().isEmpty());
    }
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "kasaneden"), 3);
    QAbstractItemModelTester tester(c.types.grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);

    // Corrected in place.
    c.types.kasanedenTable->first();
    c.types.kaydiDuzelt();
    QLineEdit *editor = c.types.inPlaceEditor();
    QVERIFY(editor);
    retype(editor, "Kira Gideri");
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(!c.types.inPlaceEditor());
    QCOMPARE(c.types.kasanedenTable->value("kasanedenine").toString(), QString("Kira Gideri"));

    // A row saved with "Maaş" keeps it when the type goes; the views then show no type.
    const qint64 nid = cashRow(QDate(2024, 3, 5), "TL", QVariant(), 300.0, "Maaş");
    QVERIFY(c.types.kasanedenTable->locate("kasanedenine", "Maaş"));
    MessageBox::queueAnswer(MessageBox::No);
    c.click(&c.types, "JvXPButton1");
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "kasaneden"), 3);
    const MessageBox::Shown asked = MessageBox::shown().last();
    QCOMPARE(asked.text, QString("Kaydı silmek istediğinize eminmisiniz?"));
    QCOMPARE(asked.caption, QString("Brenvo Çek Senet Takip"));
    MessageBox::queueAnswer(MessageBox::Yes);
    c.click(&c.types, "JvXPButton1");
    QCOMPARE(TestHome::countRows(DataContext::instance().ADOConnection1, "kasaneden"), 2);
    QCOMPARE(rowOf(cash(), "SELECT neden FROM nakit").value("neden").toString(), QString("Maaş"));
    c.view.ac();
    QCOMPARE(c.view.DBGrid1->gridModel()->rawValue(0, "islemturu"), QVariant());
    QVERIFY(c.view.kasaGTable->locate("nid", nid));
    c.click(&c.view, "BitBtn1");
    QCOMPARE(c.entry.DBLookupComboBox1->currentIndex(), -1);
    // Saving the correction without touching the type keeps the stored name.
    retype(c.entry.DBEdit2, "310");
    c.save();
    QCOMPARE(rowOf(cash(), "SELECT neden FROM nakit").value("neden").toString(), QString("Maaş"));
    // Delete in the combo empties it.
    c.click(&c.view, "BitBtn1");
    c.entry.DBLookupComboBox1->setFocus();
    QTest::keyClick(c.entry.DBLookupComboBox1, Qt::Key_Delete);
    c.save();
    QVERIFY(rowOf(cash(), "SELECT neden FROM nakit").value("neden").isNull());

    // The column chooser keeps at least one column.
    MessageBox::clearShown();
    ColumnChooser::queueChoice({false});
    c.types.kolonlariSec();
    QCOMPARE(lastMessage(), QString("En az bir kayıt olmalı"));
    QVERIFY(!c.types.grid->isColumnHidden(0));
}

void TestCashWindows::daysCurrenciesAndSummary()
{
    Cash c;
    cashRow(QDate(2024, 3, 3), "TL", 100.0, QVariant());
    cashRow(QDate(2024, 3, 4), "USD", 50.0, QVariant());
    cashRow(QDate(2024, 3, 5), "TL", QVariant(), 30.0);
    cashRow(QDate(2024, 3, 5), "USD", 5.0, QVariant());
    c.view.ac();
    QAbstractItemModelTester days(c.view.DBGrid2->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester moves(c.view.DBGrid1->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(c.view.DBGrid2->model()->rowCount(), 3);  // every day, in any currency
    QCOMPARE(c.view.kasaTarihiLabel->text(), QString("05.03.2024"));
    QCOMPARE(c.text("gunbasiEdit"), QString("100,00"));  // 4 March in USD left out under TL
    QCOMPARE(c.text("cikanEdit"), QString("30,00"));
    QCOMPARE(c.view.Label10->text(), QString("70,00"));
    QVERIFY(c.view.DBGrid3->isHidden());

    struct Case {
        int index;
        const char *opening, *in, *closing;
        int rows;
    };
    // Each choice on the same newest day computes its own opening balance.
    const Case cases[] = {{1, "50,00", "5,00", "55,00", 1}, {3, "150,00", "5,00", "125,00", 2}, {0, "100,00", "0,00", "70,00", 1}};
    for (const Case &k : cases) {
        c.chooseCurrency(k.index);
        QCOMPARE(c.view.kasaTarihiLabel->text(), QString("05.03.2024"));
        QCOMPARE(c.text("gunbasiEdit"), QString(k.opening));
        QCOMPARE(c.text("girenEdit"), QString(k.in));
        QCOMPARE(c.view.Label10->text(), QString(k.closing));
        QCOMPARE(c.view.DBGrid1->model()->rowCount(), k.rows);
    }
    c.chooseCurrency(3);
    QVERIFY(!c.view.DBGrid3->isHidden());
    QCOMPARE(c.view.DBGrid3->height(), 74);
    QCOMPARE(c.view.guntoplamtumuQuery->recordCount(), 2);
    cashRow(QDate(2024, 3, 1), "EURO", 7.0, QVariant());
    c.click(&c.view, "JvXPButton6");
    QCOMPARE(c.view.DBGrid3->height(), 98);
    QVERIFY(c.view.guntoplamtumuQuery->locate("doviz_cinsi", "USD"));
    QCOMPARE(c.view.guntoplamtumuQuery->value("GunBasi").toDouble(), 50.0);
    QCOMPARE(c.view.guntoplamtumuQuery->value("bakiye").toDouble(), 55.0);

    // "GİT" to a day with and without movements.
    c.view.vadesiDate->setDate(QDate(2024, 3, 4));
    c.click(&c.view, "gitBut");
    QCOMPARE(c.view.kasaTarihiLabel->text(), QString("04.03.2024"));
    QCOMPARE(c.text("gunbasiEdit"), QString("107,00"));
    c.view.vadesiDate->setDate(QDate(2024, 3, 9));
    c.click(&c.view, "gitBut");
    QCOMPARE(c.view.kasaTarihiLabel->text(), QString("04.03.2024"));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestCashWindows::rowsPaintedByDirection()
{
    Cash c;
    c.view.ac();
    // Money out with the incoming amount left empty, and with incoming 0 typed.
    c.newMovement(QDate(2024, 3, 5), "", "20");
    c.save();
    c.newMovement(QDate(2024, 3, 5), "0", "15");
    c.save();
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 2);
    DatasetGridModel *m = c.view.DBGrid1->gridModel();
    QCOMPARE(m->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        const RowColours colours = c.view.DBGrid1->rowPainter()->ruleColours(m->index(row, 0));
        if (m->rawValue(row, "borc_tutar").isNull()) {
            QCOMPARE(colours.background, QColor(223, 235, 255));
            QCOMPARE(colours.text, QColor(12, 47, 111));
        } else {
            QCOMPARE(m->rawValue(row, "borc_tutar").toDouble(), 0.0);
            QCOMPARE(colours.text, QColor(230, 98, 19));
        }
    }
}

void TestCashWindows::balancesFollowEveryWrite()
{
    Cash c;
    cashRow(QDate(2024, 3, 3), "TL", 100.0, QVariant());
    cashRow(QDate(2024, 3, 5), "TL", 10.0, QVariant());
    c.view.ac();
    QCOMPARE(c.text("gunbasiEdit"), QString("100,00"));
    // A write announced by another window shows at once.
    Table elsewhere(&cash(), "nakit");
    CashRowWriter::write(elsewhere, {}, {{"islem_tarihi", QDate(2024, 3, 3)}, {"borc_tutar", 20.0}, {"doviz_cinsi", "TL"}});
    QCOMPARE(c.text("gunbasiEdit"), QString("120,00"));
    // A write nobody announced is still counted when the day is computed again.
    cashRow(QDate(2024, 3, 4), "TL", 5.0, QVariant());
    c.view.gunSecildi();
    QCOMPARE(c.text("gunbasiEdit"), QString("125,00"));
    QCOMPARE(c.view.Label10->text(), QString("135,00"));
}

void TestCashWindows::deletingTheOnlyMovementOfADay()
{
    Cash c;
    cashRow(QDate(2024, 3, 3), "TL", 100.0, QVariant());
    c.view.ac();
    c.newMovement(QDate(2024, 3, 6), "40");
    c.pickAccount("M1", "Müşteri Bir");
    c.save();
    QCOMPARE(c.view.kasaTarihiLabel->text(), QString("06.03.2024"));
    MessageBox::queueAnswer(MessageBox::No);
    c.click(&c.view, "BitBtn2");
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 2);
    MessageBox::queueAnswer(MessageBox::Yes);
    c.click(&c.view, "BitBtn2");
    QCOMPARE(lastMessage(), QString("Kaydı silmek istediğinize eminmisiniz?"));
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);  // its movement goes with it
    QCOMPARE(c.view.DBGrid2->model()->rowCount(), 2);        // the day stays until the refresh
    QCOMPARE(c.view.kasaTarihiLabel->text(), QString("06.03.2024"));
    QCOMPARE(c.text("girenEdit"), QString("0,00"));
    QCOMPARE(c.view.Label10->text(), QString("100,00"));
    c.click(&c.view, "JvXPButton6");
    QCOMPARE(c.view.DBGrid2->model()->rowCount(), 1);
    QCOMPARE(c.view.kasaTarihiLabel->text(), QString("03.03.2024"));
}

void TestCashWindows::printoutsAndExportOfTheDay()
{
    Cash c;
    TestHome::addCompanyRecord();
    cashRow(QDate(2024, 3, 4), "TL", 500.0, QVariant());
    cashRow(QDate(2024, 3, 5), "TL", 100.0, QVariant(), "Tahsilat");
    cashRow(QDate(2024, 3, 5), "TL", QVariant(), 40.0, "Kira");
    cashRow(QDate(2024, 3, 5), "TL", 10.0, QVariant());
    c.view.ac();
    Table company(&DataContext::instance().ADOConnection1, "firmabilgileri");
    company.open();
    for (int kind : {0, 1}) {
        Report r = c.view.dayReport(kind);
        r.registerDataset("firmabilgileri", &company);
        const QString page = r.prepare().pageTexts(0).join('\n');
        for (const char *text : {"05.03.2024 KASA HAREKETLERİ", "Öztürk Gıda Ltd. Şti.", "GÜN BAŞI KASA MEVCUDU", "500,00",
                                 "GÜNE AİT KASA TOPLAMLARI", "110,00", "GÜN SONU DEVİR KASA MEVCUDU", "570,00", "Sayfa 1 / 1"})
            QVERIFY2(page.contains(QString::fromUtf8(text)), text);
        QCOMPARE(page.contains("Kira"), kind == 1);  // the type only on the detail
    }
    SpreadsheetWorkbook book;
    c.view.fillWorkbook(book);
    QCOMPARE(book.cell(5, 6).toDouble(), 500.0);
    QCOMPARE(book.cell(8, 1).toInt(), 3);
    QCOMPARE(book.cell(10, 4).toString(), QString("Güne Ait Kasa Toplamları"));
    QCOMPARE(book.cell(11, 6).toDouble(), 70.0);
    QCOMPARE(book.cell(12, 6).toDouble(), 570.0);
    QCOMPARE(book.cell(1, 1).toString(), QString("Öztürk Gıda Ltd. Şti. İzmir Şubesi"));

    // "Excel" saves the day's workbook and hands it to the desktop.
    QString opened;
    SpreadsheetExport::setOpener([&opened](const QString &path) {
        opened = path;
        return true;
    });
    c.click(&c.view, "ExcelBut");
    SpreadsheetExport::setOpener({});
    QVERIFY(opened.endsWith(".xlsx"));
    QVERIFY(QFileInfo(opened).size() > 0);
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestCashWindows::captionsFollowLoginAndYear()
{
    TestHome home;
    TkasaRF view;
    home.openCompany("B2", 2024);
    QCOMPARE(view.windowTitle(), QString("Brenvo Çek Senet Takip Programı Programı -  - 2024"));
    QCOMPARE(view.StatusBar1->panelText(3), QString("  B2 -  - 2024"));
    QCOMPARE(view.StatusBar1->panelText(2), kVersionText);
    QVERIFY(kasadegistir(2023));
    QCOMPARE(view.windowTitle(), QString("Brenvo Çek Senet Takip Programı   - Kasa Raporu  - 2023"));
    QCOMPARE(view.StatusBar1->panelText(3), QString("  B2 -  - 2023"));
}

void TestCashWindows::correctionOfADeletedRowIsRefused_data()
{
    QTest::addColumn<bool>("fromView");     // deleted with the view's "SİL", else by another desk
    QTest::addColumn<bool>("namesAccount");
    QTest::addColumn<int>("movementsLeft");
    QTest::newRow("view, account") << true << true << 0;
    QTest::newRow("view, no account") << true << false << 0;
    QTest::newRow("elsewhere, account") << false << true << 1;
    QTest::newRow("elsewhere, no account") << false << false << 0;
}

void TestCashWindows::correctionOfADeletedRowIsRefused()
{
    QFETCH(bool, fromView);
    QFETCH(bool, namesAccount);
    QFETCH(int, movementsLeft);
    Cash c;
    c.view.ac();
    c.newMovement(QDate(2024, 3, 5), "100");
    if (namesAccount) c.pickAccount("M1", "Müşteri Bir");
    c.save();
    QCOMPARE(lastMessage(), CashEntry::kSaved);
    // Held for correction while the row is deleted.
    c.click(&c.view, "BitBtn1");
    retype(c.entry.DBEdit1, "300");
    if (fromView) {
        MessageBox::queueAnswer(MessageBox::Yes);
        c.click(&c.view, "BitBtn2");
    } else {
        cash().exec("DELETE FROM nakit");
    }
    MessageBox::clearShown();
    c.save();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(lastMessage(), kEditedRowGone);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 0);
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), qint64(movementsLeft));
    if (movementsLeft)  // the movement keeps the amount it had: nothing of the correction was written
        QCOMPARE(rowOf(cash(), "SELECT alacak_tutari FROM carihareket").value("alacak_tutari").toDouble(), 100.0);
}

void TestCashWindows::newFromTheViewAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QDate>("savedDay");
    QTest::addColumn<QString>("savedCurrency");
    QTest::addColumn<double>("savedRate");
    QTest::addColumn<double>("savedIn");
    QTest::newRow("No keeps the typed row") << int(MessageBox::No) << QDate(2024, 4, 1) << "USD" << 30.0 << 100.0;
    QTest::newRow("Yes begins on the view's day") << int(MessageBox::Yes) << QDate(2024, 3, 5) << "TL" << 1.0 << 7.0;
}

void TestCashWindows::newFromTheViewAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(QDate, savedDay);
    QFETCH(QString, savedCurrency);
    QFETCH(double, savedRate);
    QFETCH(double, savedIn);
    Cash c;
    cashRow(QDate(2024, 3, 5), "TL", 10.0, QVariant());
    c.view.ac();
    c.chooseCurrency(c.view.dovizBox->findText("TL"));
    c.newMovement(QDate(2024, 4, 1), "100");
    c.entry.dovizBox->setCurrentIndex(c.entry.dovizBox->findText("USD"));
    type(c.entry.DBEdit3, "30");
    MessageBox::queueAnswer(MessageBox::Button(answer));
    c.view.yeniHareket();
    QCOMPARE(lastMessage(), QString("Kaydedilmemiş kasa hareketi iptal edilecektir. Devam edilsin mi?"));
    if (answer == MessageBox::Yes) type(c.entry.DBEdit1, "7");
    c.save();
    QCOMPARE(lastMessage(), CashEntry::kSaved);
    const QVariantMap row = rowOf(cash(), "SELECT * FROM nakit ORDER BY nid DESC");
    QCOMPARE(row.value("islem_tarihi").toString(), savedDay.toString(Qt::ISODate));
    QCOMPARE(row.value("doviz_cinsi").toString(), savedCurrency);
    QCOMPARE(row.value("doviz_kuru").toDouble(), savedRate);
    QCOMPARE(row.value("borc_tutar").toDouble(), savedIn);
}

void TestCashWindows::yearSwitchAsksForTheTypedRow_data()
{
    QTest::addColumn<int>("drop");  // the answer to losing the typed row
    QTest::addColumn<int>("yearAfter");
    QTest::newRow("kept") << int(MessageBox::No) << 2024;
    QTest::newRow("dropped") << int(MessageBox::Yes) << 2025;
}

void TestCashWindows::yearSwitchAsksForTheTypedRow()
{
    QFETCH(int, drop);
    QFETCH(int, yearAfter);
    Cash c;
    c.view.ac();
    c.newMovement(QDate(2024, 12, 30), "500");
    c.pickAccount("M1", "Müşteri Bir");
    c.save();
    c.click(&c.view, "BitBtn1");
    retype(c.entry.DBEdit1, "600");
    c.view.vadesiDate->setDate(QDate(2025, 1, 5));
    MessageBox::queueAnswer(MessageBox::Yes);  // the year question
    MessageBox::queueAnswer(MessageBox::Button(drop));
    c.click(&c.view, "gitBut");
    QCOMPARE(lastMessage(), QString("Kaydedilmemiş kasa hareketi iptal edilecektir. Devam edilsin mi?"));
    QCOMPARE(DataContext::instance().calismaYili, yearAfter);
    // The stored row keeps its day, amount and movement in 2024 either way.
    Connection former;
    former.setConnectionString(DataContext::cashConnectionString("A1", 2024));
    QCOMPARE(rowOf(former, "SELECT * FROM nakit").value("borc_tutar").toDouble(), 500.0);
    QCOMPARE(rowOf(former, "SELECT * FROM nakit").value("islem_tarihi").toString(), QString("2024-12-30"));
    QCOMPARE(rowOf(former, "SELECT * FROM carihareket").value("alacak_tutari").toDouble(), 500.0);
    if (yearAfter == 2024) {
        QCOMPARE(c.view.kasaGTable->state(), Dataset::State::Edit);
        QCOMPARE(c.view.kasaGTable->value("borc_tutar").toDouble(), 600.0);
        QCOMPARE(c.entry.vadesiDate->date(), QDate(2024, 12, 30));
    } else {
        QVERIFY(!c.entry.hasPendingRow());
        QCOMPARE(TestHome::countRows(cash(), "nakit"), 0);
        QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
    }
}

void TestCashWindows::typingAfterASaveKeepsTheSavedRow_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");
    QTest::newRow("amount: a new row") << "DBEdit1" << "250" << 2 << CashEntry::kSaved;
    QTest::newRow("description only: nothing to save") << "DBEdit4" << "ek" << 1 << CashEntry::kNoAmount;
}

void TestCashWindows::typingAfterASaveKeepsTheSavedRow()
{
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(int, rows);
    QFETCH(QString, message);
    Cash c;
    c.view.ac();
    c.newMovement(QDate(2024, 3, 5), "100");
    c.pickAccount("M1", "Müşteri Bir");
    type(c.entry.DBEdit4, "ilk");
    c.save();
    retype(c.in<QLineEdit>(&c.entry, edit.toLatin1()), text);
    c.save();
    QCOMPARE(lastMessage(), message);
    QCOMPARE(TestHome::countRows(cash(), "nakit"), qint64(rows));
    const QVariantMap first = rowOf(cash(), "SELECT * FROM nakit ORDER BY nid");
    QCOMPARE(first.value("borc_tutar").toDouble(), 100.0);
    QCOMPARE(first.value("aciklama").toString(), QString("ilk"));
    QCOMPARE(TestHome::countRows(cash(), "carihareket"), 1);
    QCOMPARE(rowOf(cash(), "SELECT alacak_tutari FROM carihareket").value("alacak_tutari").toDouble(), 100.0);
}

void TestCashWindows::deletingARowTakesItsMovement_data()
{
    QTest::addColumn<double>("deleted");  // the amount of the row deleted
    QTest::addColumn<QStringList>("movementsLeft");
    QTest::newRow("row naming M1") << 100.0 << QStringList{"elle"};
    QTest::newRow("row naming no account") << 40.0 << QStringList{"elle", "kasa"};
}

void TestCashWindows::deletingARowTakesItsMovement()
{
    QFETCH(double, deleted);
    QFETCH(QStringList, movementsLeft);
    Cash c;
    c.view.ac();
    c.newMovement(QDate(2024, 3, 5), "100");
    c.pickAccount("M1", "Müşteri Bir");
    type(c.entry.DBEdit4, "kasa");
    c.save();
    c.newMovement(QDate(2024, 3, 5), "40");
    c.save();
    // A movement typed on the account itself, with no cash row behind it.
    TestHome::insertRow(cash(), "carihareket",
                        {{"cari_kodu", "M1"}, {"islem_tarihi", QDate(2024, 3, 5)}, {"alacak_tutari", 100.0}, {"aciklama", "elle"}});
    c.view.showDay(QDate(2024, 3, 5));
    QVERIFY(c.view.kasaRTable->locate("borc_tutar", deleted));
    MessageBox::queueAnswer(MessageBox::Yes);
    c.click(&c.view, "BitBtn2");
    QCOMPARE(TestHome::countRows(cash(), "nakit"), 1);
    Query q(&cash());
    q.sql() << "SELECT aciklama FROM carihareket ORDER BY aciklama";
    q.open();
    QStringList left;
    for (q.first(); !q.eof(); q.next()) left << q.value(0).toString();
    QCOMPARE(left, movementsLeft);
}

void TestCashWindows::screenshots()
{
    // The demo company's newest cash day under "Hepsi", and the entry form.
    const QString dir = qEnvironmentVariable("CEKSENET_SCREENSHOTS");
    if (dir.isEmpty()) QSKIP("CEKSENET_SCREENSHOTS names no folder");
    TestHome home;
    TcariF cards;
    TkasaRF view;
    TkasaF entry;
    TnakitnedenF types;
    entry.setView(&view);
    entry.setCardWindow(&cards);
    entry.setTypeWindow(&types);
    DataContext &ctx = DataContext::instance();
    ctx.openStartupConnections();
    const int year = QDate::currentDate().year();
    generateSampleCompany("DEMO", 400, year - 1, year, QDate::currentDate());
    QCOMPARE(ctx.openCompany("DEMO", year, "Öztürk Gıda Ltd. Şti."), DataContext::OpenResult::Opened);
    view.resize(1366, 740);
    view.ac();
    view.dovizBox->setCurrentIndex(3);
    Q_EMIT view.dovizBox->activated(3);
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::qWait(200);
    view.grab().save(dir + "/kasa_gorunumu.png");
    view.yeniHareket();
    type(entry.DBEdit1, "150");
    PickedAccount card;
    card.kodu = "C0001";
    card.adi = "Çelik Ticaret 0";
    AccountPicker::cariSecimYeri() = "kasa";
    AccountPicker::handOver(card);
    type(entry.DBEdit4, "Peşin satış");
    QVERIFY(QTest::qWaitForWindowExposed(&entry));
    QTest::qWait(200);
    entry.grab().save(dir + "/kasa_girisi.png");
    entry.hide();
    view.hide();
    AccountPicker::reset();
}

QTEST_MAIN(TestCashWindows)
#include "test_cash_windows.moc"
