// The entry slip register: its record filter, loading a saved slip back into the
// entry slip, and the refusal of slips whose cheques have left the portfolio.
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "received/entry_slip_load.h"
#include "received/slip_register_filter.h"
#include "received/tcekbordrof.h"
#include "given/tcikisbordrof.h"
#include "received/tceklerf.h"
#include "received/tcekortf.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/dataset_grid.h"
#include "widgets/form_kit.h"
#include "widgets/message_box.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

using namespace EntrySlip;
using SlipRegister::Filter;
using SlipRegister::SlipValues;

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }

// Saves a slip of two cheques for account M1 through the window, in the given
// currency and rate; returns its number.
qint64 saveTwoChequeSlip(TcekortF &f, const QString &currency, const QString &rate)
{
    f.DateTimePicker15->setDate(QDate(2021, 3, 1));
    f.KoduEdit->setText("M1");
    f.cariBul();
    f.dovizBox->setCurrentText(currency);
    f.kuruEdit->setText(rate);
    setCell(f.StringGrid1, 0, ColVade, "15.04.2021");
    setCell(f.StringGrid1, 0, ColTutar, "5000");
    setCell(f.StringGrid1, 0, ColCekNo, "B-2");
    setCell(f.StringGrid1, 1, ColVade, "31.03.2021");
    setCell(f.StringGrid1, 1, ColTutar, "10000");
    setCell(f.StringGrid1, 1, ColCekNo, "A-1");
    setCell(f.StringGrid1, 2, ColVade, "");
    f.JvDotNetMemo1->setPlainText("not");
    if (!f.sakla()) return 0;
    return f.JustaEdit1->text().toLongLong();
}

double movementSum(const QString &field)
{
    Query m(&DataContext::instance().kasaConnection);
    m.sql() << "SELECT SUM(" + field + ") AS s, COUNT(*) AS n FROM carihareket";
    m.open();
    return m.field("s").asFloat();
}

qint64 movementCount()
{
    return TestHome::countRows(DataContext::instance().kasaConnection, "carihareket");
}

struct Windows {
    TcekortF slip;
    TcekbordroF reg;
    TceklerF lists;
    Windows()
    {
        slip.setRegister(&reg);
        slip.setListWindow(&lists);
        reg.setSlipWindow(&slip);
        reg.setListWindow(&lists);
    }
    ~Windows() { slip.girisDegisti = false; }
    bool load(qint64 number)
    {
        reg.ac();
        if (!reg.CekBordro.locate(QStringLiteral("bordro_ind"), number)) return false;
        return reg.bordroDuzelt();
    }
};

void setCardField(const QString &field, const QVariant &value)
{
    Table t(&company(), "firma");
    t.open();
    QVERIFY(t.locate("firma_kodu", "M1"));
    t.edit();
    t.field(field) = value;
    t.post();
}

void setChequeDate(const QString &field, const QString &chequeNo)
{
    Table t(&company(), "cekgiris");
    t.open();
    QVERIFY(t.locate("cek_no", chequeNo));
    t.edit();
    t.field(field) = QDate(2021, 3, 10);
    t.post();
}

} // namespace

Q_DECLARE_METATYPE(Filter)
Q_DECLARE_METATYPE(SlipValues)

class TestSlipRegister : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::clearShown(); }
    void recordFilter_data();
    void recordFilter();
    void daysLeft();
    void bothRegistersShowTheSameColumns();
    void registerFiltersItsRows();
    void loadsForeignAndTlSlips();
    void loadsSlipWithoutCheques();
    void saveAfterLoadRewritesTheSameRows();
    void refusals_data();
    void refusals();
    void endorsedAfterLoadIsRefusedBySave_data();
    void endorsedAfterLoadIsRefusedBySave();
    void unsavedChangesAskFirst();
};

void TestSlipRegister::recordFilter_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<SlipValues>("slip");
    QTest::addColumn<bool>("accepted");
    const auto slip = [](const QString &code, const QString &name, const QDate &date = QDate(2024, 3, 1)) {
        SlipValues s;
        s.number = 7;
        s.code = code;
        s.name = name;
        s.currency = "TL";
        s.date = date;
        s.averageDate = QDate(2024, 4, 15);
        return s;
    };
    Filter none;
    Filter code;
    code.byCode = true;
    code.code = "A1";
    Filter name;
    name.byName = true;
    name.name = "ak";
    Filter ali;
    ali.byName = true;
    ali.name = "ali";
    Filter day;
    day.byDate = true;
    day.from = day.to = QDate(2024, 3, 1);
    Filter avg;
    avg.byAverage = true;
    avg.averageFrom = avg.averageTo = QDate(2024, 4, 15);
    Filter number;
    number.byNumber = true;
    number.number = "7";
    Filter numberZero = number;
    numberZero.number = "0";
    Filter currency;
    currency.byCurrency = true;
    currency.currency = "USD";
    Filter unticked = code;
    unticked.byCode = false;
    unticked.code = "ZZ";

    QTest::newRow("no box ticked") << none << slip("Q9", "Kimse") << true;
    QTest::newRow("code A1 = A1") << code << slip("A1", "x") << true;
    QTest::newRow("code A1 < A10") << code << slip("A10", "x") << true;
    QTest::newRow("code A1 < A1B") << code << slip("A1B", "x") << true;
    QTest::newRow("code A1 not B1") << code << slip("B1", "x") << false;
    QTest::newRow("code A1 not A") << code << slip("A", "x") << false;
    QTest::newRow("name ak akın") << name << slip("x", "akın") << true;
    QTest::newRow("name ak AKIN LTD") << name << slip("x", "AKIN LTD") << true;
    QTest::newRow("name ak not Bak") << name << slip("x", "Bak") << false;
    QTest::newRow("name ali ALİ TİCARET") << ali << slip("x", "ALİ TİCARET") << true;
    QTest::newRow("name ali not VELİ") << ali << slip("x", "VELİ") << false;
    QTest::newRow("one-day range that day") << day << slip("x", "x", QDate(2024, 3, 1)) << true;
    QTest::newRow("one-day range day before") << day << slip("x", "x", QDate(2024, 2, 29)) << false;
    QTest::newRow("one-day range day after") << day << slip("x", "x", QDate(2024, 3, 2)) << false;
    QTest::newRow("average one day") << avg << slip("x", "x") << true;
    SlipValues noAverage = slip("x", "x");
    noAverage.averageDate = QDate();
    QTest::newRow("average missing") << avg << noAverage << false;
    QTest::newRow("number equal") << number << slip("x", "x") << true;
    SlipValues other = slip("x", "x");
    other.number = 8;
    QTest::newRow("number other") << number << other << false;
    QTest::newRow("number 0 ignored") << numberZero << other << true;
    QTest::newRow("currency other") << currency << slip("x", "x") << false;
    QTest::newRow("unticked ignored") << unticked << slip("A1", "x") << true;
}

void TestSlipRegister::recordFilter()
{
    QFETCH(Filter, filter);
    QFETCH(SlipValues, slip);
    QFETCH(bool, accepted);
    QCOMPARE(SlipRegister::accepts(filter, slip), accepted);
}

// The entry and exit slip registers list their slips under the same columns, but
// the account's: its caption, widths and formats as the users know them.
void TestSlipRegister::bothRegistersShowTheSameColumns()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TcekbordroF entry;
    TcikisbordroF exit;
    const QStringList fields{"bordro_ind", "islem_tarihi", "", "para_birimi", "doviz_kuru", "toplam_tutari",
                             "ortalama_vade", "toplam_vade_farki", "toplam_masraflar", "BSMV", "toplam_net_tutar",
                             "ortalama_gun", "yildaki_gun", "yillik_faiz", "aylik_faiz", "BSMV_oran", "tah_sure_ekle",
                             "hafta_sonu_ekle", "kalangun"};
    const QStringList titles{"No", "Tarih", "", "Para", "Döviz Kuru", "Tutarı", "Ort.Vade", "Vade Farkı", "Masraf",
                             "BSMV", "Net Tutar", "Ort.Gün", "Y.Gün", "Y.Faiz", "A.Faiz", "BSMV %", "TSE", "HSE", "Kalan"};
    const QList<int> widths{50, 80, 200, 45, 80, 105, 80, 90, 80, 75, 105, 55, 45, 60, 60, 62, 40, 40, 50};
    const QString d = FormKit::kDate, m = FormKit::kMoney;
    const QStringList formats{"", d, "", "", m, m, d, m, m, m, m, "", "", m, m, "#0.00", "", "", ""};
    const struct {
        DatasetGrid *grid;
        const char *accountField, *accountTitle;
    } cases[] = {{entry.FirmaGrid, "alindigi_firma", "Firma"}, {exit.FirmaGrid, "ciro_firma", "Cari"}};
    for (const auto &c : cases) {
        QVERIFY(c.grid);
        QCOMPARE(c.grid->objectName(), QString("FirmaGrid"));
        QAbstractItemModel *m = c.grid->model();
        QCOMPARE(m->columnCount(), int(titles.size()));
        for (int i = 0; i < titles.size(); ++i) {
            const QString title = i == 2 ? QString::fromUtf8(c.accountTitle) : titles[i];
            QCOMPARE(m->headerData(i, Qt::Horizontal).toString(), title);
            QCOMPARE(c.grid->columnWidth(i), widths[i]);
            const QString field = i == 2 ? QString::fromLatin1(c.accountField) : fields[i];
            QCOMPARE(c.grid->gridModel()->column(i).field, field);
            QCOMPARE(c.grid->gridModel()->column(i).format, formats[i]);
        }
        QCOMPARE(c.grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(c.grid->findChild<QAction *>("kayitDuzeltItem"));
    }
    // "Tüm alanı göster" picks whole rows.
    entry.tumkolonCheck->setChecked(true);
    exit.TumalanCheck->setChecked(true);
    QCOMPARE(entry.FirmaGrid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(exit.FirmaGrid->selectionBehavior(), QAbstractItemView::SelectRows);
}

void TestSlipRegister::daysLeft()
{
    QCOMPARE(SlipRegister::daysLeft(QDate(2024, 3, 1), QDate(2024, 3, 11)).toLongLong(), -10);
    QCOMPARE(SlipRegister::daysLeft(QDate(2024, 3, 11), QDate(2024, 3, 1)).toLongLong(), 10);
    QVERIFY(SlipRegister::daysLeft(QDate(), QDate(2024, 3, 1)).isNull());
}

void TestSlipRegister::registerFiltersItsRows()
{
    TestHome home;
    home.openCompany("A1", 2021);
    const auto slip = [](const char *code, const char *name, const QDate &d, const QVariant &avg) {
        TestHome::insertRow(company(), "cekbordro",
                            {{"islem_tarihi", d}, {"alindigi_firma_kodu", code}, {"alindigi_firma", name},
                             {"para_birimi", "TL"}, {"ortalama_vade", avg}});
    };
    slip("A1", "akın", QDate(2021, 3, 1), QDate(2021, 2, 19));
    slip("A10", "AKIN LTD", QDate(2021, 3, 2), QVariant());
    slip("B1", "Bak", QDate(2021, 3, 1), QDate(2021, 3, 5));
    TcekbordroF r;
    QCOMPARE(r.windowTitle(), QString("Brenvo Çek Senet Takip - Alınan Çek ve Senet Giriş Bordro Listeleri"));
    r.ac();
    QCOMPARE(r.CekBordro.recordCount(), 3);
    r.islemDate->setDate(QDate(2021, 3, 1));
    r.raporuYenile();
    // "Kalan" counts from "İşlem tarihi" and stays empty without an average due date.
    QVERIFY(r.CekBordro.locate("alindigi_firma_kodu", "A1"));
    QCOMPARE(r.CekBordro.field("kalangun").asInteger(), -10);
    QVERIFY(r.CekBordro.locate("alindigi_firma_kodu", "A10"));
    QVERIFY(r.CekBordro.field("kalangun").isNull());

    r.firmaadiEdit->setText("ak");
    r.firmaadiCheck->setChecked(true);
    r.filtreButton->click();
    QCOMPARE(r.filtreButton->text(), QString("FİLTREYİ KALDIR"));
    QCOMPARE(r.CekBordro.recordCount(), 2);
    // An input changed while the filter is on waits for "RAPORU YENİLE".
    r.tarihCheck->setChecked(true);
    r.basDate->setDate(QDate(2021, 3, 2));
    r.bitDate->setDate(QDate(2021, 3, 2));
    QCOMPARE(r.CekBordro.recordCount(), 2);
    r.yenileButton->click();
    QCOMPARE(r.CekBordro.recordCount(), 1);
    r.filtreButton->click();
    QCOMPARE(r.filtreButton->text(), QString("FİLTRELE"));
    QCOMPARE(r.CekBordro.recordCount(), 3);

    // A slip saved meanwhile shows when the register is next opened.
    slip("C1", "Can", QDate(2021, 3, 3), QVariant());
    r.ac();
    QCOMPARE(r.CekBordro.recordCount(), 4);
}

void TestSlipRegister::loadsForeignAndTlSlips()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    setCardField("musteri_satici", "Satıcı");
    Windows w;
    const qint64 usd = saveTwoChequeSlip(w.slip, "USD", "32,5");
    QVERIFY(usd > 0);
    w.slip.gridibosalt2();
    const qint64 tl = saveTwoChequeSlip(w.slip, "TL", "7");
    QVERIFY(tl > 0);
    // The card's terms change afterwards; a loaded slip keeps its own.
    setCardField("yillik_faiz", 12.0);
    w.slip.gridibosalt2();
    w.slip.accountType[0]->setChecked(true);
    w.slip.girisDegisti = false;
    QVERIFY(w.load(usd));
    TcekortF &f = w.slip;
    QVERIFY(!f.girisDegisti);
    QVERIFY(!w.reg.isVisible());
    QCOMPARE(f.JustaEdit1->text(), QString::number(usd));
    QCOMPARE(f.dovizBox->currentText(), QString("USD"));
    QCOMPARE(f.kuruEdit->text(), QString("32,5"));
    QCOMPARE(f.Edit62->text(), QString("36"));
    QCOMPARE(f.Edit61->text(), QString("365"));
    QCOMPARE(f.KoduEdit->text(), QString("M1"));
    QCOMPARE(f.JustaEdit23->text(), QString("Müşteri Bir"));
    QCOMPARE(loadSlip(company(), usd).accountType, 1);
    QVERIFY(f.accountType[1]->isChecked());
    QCOMPARE(f.JustaEdit5->text(), QString("15.000,00"));
    QCOMPARE(f.DateTimePicker15->date(), QDate(2021, 3, 1));
    QCOMPARE(f.JvDotNetMemo1->toPlainText(), QString("not"));
    // The cheques come in due-date order, numbered, with their keys.
    QCOMPARE(f.StringGrid1->item(0, ColVade)->text(), QString("31.03.2021"));
    QCOMPARE(f.StringGrid1->item(0, ColTutar)->text(), QString("10.000,00"));
    QCOMPARE(f.StringGrid1->item(0, ColCekNo)->text(), QString("A-1"));
    QCOMPARE(f.StringGrid1->item(0, ColNo)->text(), QString("1"));
    QCOMPARE(f.StringGrid1->item(1, ColCekNo)->text(), QString("B-2"));
    QCOMPARE(f.StringGrid1->item(1, ColNo)->text(), QString("2"));
    QVERIFY(!f.StringGrid1->item(0, ColKey)->text().isEmpty());
    // The lists were narrowed to the slip.
    QCOMPARE(w.lists.bordroEdit->text(), QString::number(usd));

    if (qEnvironmentVariableIsSet("SLIP_REGISTER_SHOTS")) {
        f.resize(1366, 740);
        f.grab().save("/tmp/entry_slip_loaded.png");
    }
    QVERIFY(w.load(tl));
    QCOMPARE(f.dovizBox->currentText(), QString("TL"));
    QCOMPARE(f.kuruEdit->text(), QString("1"));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestSlipRegister::loadsSlipWithoutCheques()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    const qint64 n = TestHome::insertRow(company(), "cekbordro",
                                         {{"islem_tarihi", QDate(2021, 5, 4)}, {"alindigi_firma_kodu", "M1"},
                                          {"alindigi_firma", "Müşteri Bir"}, {"para_birimi", "EURO"},
                                          {"doviz_kuru", 35.25}, {"toplam_tutari", 0.0}, {"hafta_sonu_ekle", "E"},
                                          {"BSMV_dus", "E"}});
    const LoadedSlip s = loadSlip(company(), n);
    QVERIFY(s.found);
    QCOMPARE(s.refusal, Refusal::None);
    QVERIFY(s.rows.isEmpty());
    QCOMPARE(s.currency, QString("EURO"));
    QCOMPARE(s.kuru, QString("35,25"));
    QVERIFY(s.weekendShift && s.deductBsmv && !s.deductExpense);
    QVERIFY(!s.averageDate.isValid());
    QCOMPARE(s.accountType, 0);
    Windows w;
    QVERIFY(w.load(n));
    QCOMPARE(w.slip.StringGrid1->rowCount(), 1);
    QVERIFY(w.slip.StringGrid1->item(0, ColVade) == nullptr || w.slip.StringGrid1->item(0, ColVade)->text().isEmpty());
    QCOMPARE(w.slip.dovizBox->currentText(), QString("EURO"));
    QVERIFY(w.slip.CheckBox1->isChecked());
    QVERIFY(!loadSlip(company(), n + 100).found);
}

void TestSlipRegister::saveAfterLoadRewritesTheSameRows()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir", 36.0);
    Windows w;
    const qint64 n = saveTwoChequeSlip(w.slip, "TL", "1");
    w.reg.ac();
    w.reg.filtreButton->click();
    QVERIFY(w.reg.filtreAcik());
    w.reg.filtreButton->click();
    w.reg.filtreButton->click();
    w.slip.gridibosalt2();
    w.slip.girisDegisti = false;
    QVERIFY(w.load(n));
    setCell(w.slip.StringGrid1, 0, ColTutar, "12000");
    QVERIFY(w.slip.sakla());
    QCOMPARE(TestHome::countRows(company(), "cekgiris"), 2);
    QCOMPARE(TestHome::countRows(company(), "cekbordro"), 1);
    QCOMPARE(movementCount(), 1);
    QCOMPARE(movementSum("brut_tutar"), 17000.0);
    // The save turned the register's filter off.
    QVERIFY(!w.reg.filtreAcik());
    QCOMPARE(w.reg.filtreButton->text(), QString("FİLTRELE"));
}

void TestSlipRegister::refusals_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("choice");
    QTest::newRow("endorsed") << "cek_ciro_tarihi"
                              << "Bordroda ciro edilmiş çek/çekler var! Devam etmeden önce bu kayıtları siliniz!"
                              << "Ciro Edilenler";
    QTest::newRow("collected") << "cek_tahsilat_tarihi"
                               << "Bordroda tahsil edilmiş çek/çekler var! Devam etmeden önce bu kayıtları siliniz!"
                               << "Tahsil Edilenler";
    QTest::newRow("bounced passes") << "cek_karsiliklsiz_tarihi" << QString() << "Tüm Çekler";
    // A returned cheque carries the return's debit: its slip is no longer corrected.
    QTest::newRow("returned") << "cek_iade_tarihi"
                              << "Bordroda iade edilmiş çek/çekler var! Devam etmeden önce bu kayıtları siliniz!"
                              << "İade Edilenler";
}

void TestSlipRegister::refusals()
{
    QFETCH(QString, field);
    QFETCH(QString, message);
    QFETCH(QString, choice);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    Windows w;
    const qint64 n = saveTwoChequeSlip(w.slip, "TL", "1");
    setChequeDate(field, "B-2");
    // Something typed and saved stands in the entry slip: a refused load leaves it.
    w.slip.gridibosalt2();
    w.slip.KoduEdit->setText("M1");
    w.slip.cariBul();
    setCell(w.slip.StringGrid1, 0, ColVade, "01.06.2021");
    w.slip.girisDegisti = false;
    const bool loaded = w.load(n);
    QCOMPARE(loaded, message.isEmpty());
    QAbstractButton *checked = w.lists.choiceGroup->checkedButton();
    QVERIFY(checked);
    QCOMPARE(checked->text(), choice);
    if (!message.isEmpty()) {
        QCOMPARE(MessageBox::shown().last().text, message);
        QCOMPARE(w.slip.StringGrid1->item(0, ColVade)->text(), QString("01.06.2021"));
        QVERIFY(w.slip.JustaEdit1->text().isEmpty());
        QVERIFY(w.lists.isVisible());
        QCOMPARE(w.lists.bordroEdit->text(), QString::number(n));
    } else {
        QCOMPARE(w.slip.JustaEdit1->text(), QString::number(n));
        QCOMPARE(w.slip.StringGrid1->item(1, ColCekNo)->text(), QString("B-2"));
    }
}

void TestSlipRegister::endorsedAfterLoadIsRefusedBySave_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("refused");
    QTest::newRow("endorsed") << "cek_ciro_tarihi"
                              << "Bordroda ciro edilmiş çek/çekler var! Devam etmeden önce bu kayıtları siliniz!";
    QTest::newRow("collected") << "cek_tahsilat_tarihi"
                               << "Bordroda tahsil edilmiş çek/çekler var! Devam etmeden önce bu kayıtları siliniz!";
}

void TestSlipRegister::endorsedAfterLoadIsRefusedBySave()
{
    QFETCH(QString, field);
    QFETCH(QString, refused);
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    Windows w;
    const qint64 n = saveTwoChequeSlip(w.slip, "TL", "1");
    QVERIFY(w.load(n));
    // The cheque leaves the portfolio (on an exit slip, or collected) while the entry slip sits loaded.
    setChequeDate(field, "A-1");
    const QString stateSql = "SELECT cek_tutari, cek_ciro_tarihi, cek_tahsilat_tarihi, cek_banka_id FROM cekgiris "
                             "WHERE cek_no='A-1'";
    const auto state = [&] {
        Query q(&company());
        q.sql() << stateSql;
        q.open();
        QStringList out;
        for (int i = 0; i < q.fieldCount(); ++i) out << q.value(i).toString();
        return out;
    };
    const QStringList before = state();
    QVERIFY(!before[1].isEmpty() || !before[2].isEmpty());
    setCell(w.slip.StringGrid1, 0, ColTutar, "1");
    QVERIFY(!w.slip.sakla());
    QCOMPARE(MessageBox::shown().last().text, refused);
    QCOMPARE(movementSum("brut_tutar"), 15000.0);
    // Nothing of the cheque was written back: it stays out of the portfolio.
    QCOMPARE(state(), before);
    // Deleting its row is refused the same way: the cheque stays and its row comes back.
    w.slip.StringGrid1->setCurrentCell(0, ColTutar);
    MessageBox::queueAnswer(MessageBox::Yes);
    w.slip.satirSil();
    QCOMPARE(MessageBox::shown().last().text, refused);
    QCOMPARE(TestHome::countRows(company(), "cekgiris"), 2);
    QCOMPARE(w.slip.StringGrid1->item(0, ColCekNo)->text(), QString("A-1"));
    QCOMPARE(movementSum("brut_tutar"), 15000.0);
}

void TestSlipRegister::unsavedChangesAskFirst()
{
    TestHome home;
    home.openCompany("A1", 2021);
    TestHome::addAccountCard("M1", "Müşteri Bir");
    Windows w;
    const qint64 n = saveTwoChequeSlip(w.slip, "TL", "1");
    w.slip.gridibosalt2();
    setCell(w.slip.StringGrid1, 0, ColVade, "01.06.2021");
    w.slip.girisDegisti = true;
    const QString question = "Değişiklikleri kayıt etmeden çıkmak istiyormusunuz?";
    // No keeps everything.
    MessageBox::queueAnswer(MessageBox::No);
    QVERIFY(!w.load(n));
    QCOMPARE(MessageBox::shown().last().text, question);
    QCOMPARE(w.slip.StringGrid1->item(0, ColVade)->text(), QString("01.06.2021"));
    QVERIFY(w.slip.girisDegisti);
    // A Yes given to "BORDRO AÇ" counts for the load that follows: one question only.
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::Yes);
    w.slip.findChild<QPushButton *>("bordroAcBut")->click();
    QVERIFY(w.reg.isVisible());
    QVERIFY(w.load(n));
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(!w.slip.girisDegisti);
    QCOMPARE(w.slip.JustaEdit1->text(), QString::number(n));
}

QTEST_MAIN(TestSlipRegister)
#include "test_slip_register.moc"
