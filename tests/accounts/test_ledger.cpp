// The account movements window and the payment and collection entry, driven
// through their controls on a fresh company each; the statements and the balance
// rule directly.
#include "accounts/account_balance.h"
#include "accounts/account_picker.h"
#include "accounts/ledger_statements.h"
#include "accounts/movement_entry.h"
#include "accounts/movement_writer.h"
#include "accounts/tcarif.h"
#include "accounts/tcarihareketdf.h"
#include "accounts/tcarihareketf.h"
#include "app/sample_company.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/table.h"
#include "data/transaction.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

DataContext &ctx() { return DataContext::instance(); }
Connection &cash() { return ctx().kasaConnection; }

qint64 mv(const QString &code, const QString &name, const QDate &day, double borc, double alacak,
          const QString &currency = QStringLiteral("TL"))
{
    QVariantMap f{{"cari_kodu", code}, {"cari_hesap_adi", name}, {"islem_tarihi", day}, {"doviz_cinsi", currency}};
    if (borc) f.insert("borc_tutari", borc);
    if (alacak) f.insert("alacak_tutari", alacak);
    return TestHome::insertRow(cash(), QStringLiteral("carihareket"), f);
}

qint64 movementCount() { return TestHome::countRows(cash(), QStringLiteral("carihareket")); }

// The stored fields of one movement (the last one when chid is 0).
QVariantMap stored(const QStringList &fields, qint64 chid = 0)
{
    Query q(&cash());
    q.sql() << QStringLiteral("SELECT %1 FROM carihareket %2 ORDER BY chid DESC LIMIT 1")
                   .arg(fields.join(u','), chid ? QStringLiteral("WHERE chid=%1").arg(chid) : QString());
    q.open();
    QVariantMap out;
    if (q.isEmpty()) return out;
    for (const QString &f : fields) out.insert(f, q.field(f).value());
    return out;
}

template <typename T = QLineEdit>
T *child(QWidget *w, const char *name)
{
    auto *c = w->findChild<T *>(QLatin1String(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

void click(QWidget *w, const char *name) { QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton); }

// Types a number as a user does; what the keys of a number edit refuse (a sign,
// letters, a second comma) can only come in by pasting.
void enter(QLineEdit *e, const QString &text)
{
    bool typeable = text.count(u',') <= 1;
    for (QChar c : text) typeable = typeable && (c.isDigit() || c == u',');
    if (typeable) {
        type(e, text);
        return;
    }
    e->setFocus();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
}

QStringList shownTexts()
{
    QStringList out;
    for (const auto &s : MessageBox::shown()) out << s.text;
    return out;
}

// A company of 2024 with the ledger open on the period given.
struct Fixture {
    TestHome home;
    std::unique_ptr<TcarihareketF> ledger;
    std::unique_ptr<TcarihareketDF> entry;
    explicit Fixture(int year = 2024)
    {
        home.openCompany(QStringLiteral("A1"), year);
        AccountPicker::reset();
        TestHome::addAccountCard(QStringLiteral("K1"), QStringLiteral("Kuzey"));
        ledger = std::make_unique<TcarihareketF>();
        entry = std::make_unique<TcarihareketDF>(ledger.get());
        for (auto *g : {ledger->DBGrid1, ledger->DBGrid2, ledger->DBGrid3, ledger->DBGrid4})
            new QAbstractItemModelTester(g->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest, g);
        MessageBox::clearShown();
    }
    ~Fixture()
    {
        entry.reset();
        ledger.reset();
        AccountPicker::reset();
    }
    void open(const QDate &first, const QDate &last, const QDate &asOf)
    {
        ledger->ilktarihDate->setDate(first);
        ledger->sontarihiDate->setDate(last);
        ledger->gununtarihiDate->setDate(asOf);
        ledger->ac();
        if (!QTest::qWaitForWindowExposed(ledger.get())) qFatal("ledger not exposed");
    }
    void select(const QString &code)
    {
        QVERIFY(ledger->ffQuery1->locate(QStringLiteral("cari_kodu"), code));
        ledger->hareketleriGoster();
    }
    QStringList accountRows()
    {
        QStringList out;
        Query &q = *ledger->ffQuery1;
        for (int r = 0; r < q.recordCount(); ++r)
            out << q.recordAt(r).asString("cari_kodu") + u'/' + q.recordAt(r).asString("doviz_cinsi") + u'/'
                       + q.recordAt(r).asString("cari_hesap_adi");
        return out;
    }
    // A new free movement begun from the ledger, for the account given.
    void begin(const QString &code = QString(), const QString &name = QString())
    {
        click(ledger.get(), "JvXPButton1");
        if (!code.isEmpty()) {
            ledger->ffTable1->field("cari_kodu") = code;
            ledger->ffTable1->field("cari_hesap_adi") = name;
            entry->satiriGoster();
        }
        activate();
    }
    // The entry form in front, so that leaving an edit is a focus change.
    void activate()
    {
        if (!QTest::qWaitForWindowExposed(entry.get())) qFatal("entry not exposed");
        QApplication::setActiveWindow(entry.get());
    }
};

} // namespace

class TestLedger : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::setTestMode(true); }
    void balanceRule_data();
    void balanceRule();
    void statementsQuoteCodesAndCurrencies();
    void carriedForwardRunningBalanceAndTotals();
    void dayBoundaries_data();
    void dayBoundaries();
    void accountRowsGroupByCodeCurrencyAndName();
    void titleClicks();
    void searchFoldsTurkishCase();
    void keysAndPopupItems();
    void deleteAsksTwice();
    void entrySavesRatesAndCurrencyAmounts_data();
    void entrySavesRatesAndCurrencyAmounts();
    void entryRefusals_data();
    void entryRefusals();
    void freeMovementFieldByField();
    void correctionKeepsLinks();
    void nextYearAnsweredNoSwitches();
    void unknownCode();
    void unknownCodeOpensNewCard();
    void hidingWritesNothing();
    void otherSavesKeepPendingMovement();
    void newMovementOverPending();
    void screenshot();
};

void TestLedger::balanceRule_data()
{
    QTest::addColumn<double>("borc");
    QTest::addColumn<double>("alacak");
    QTest::addColumn<double>("bakiye");
    QTest::addColumn<QString>("mark");
    QTest::newRow("debit") << 100.0 << 40.0 << 60.0 << "B";
    QTest::newRow("credit") << 0.0 << 40.0 << -40.0 << "A";
    QTest::newRow("zero") << 40.0 << 40.0 << 0.0 << "";
    QTest::newRow("float remainder") << 0.3 << 0.1 + 0.2 << 0.3 - (0.1 + 0.2) << "";
}

void TestLedger::balanceRule()
{
    QFETCH(double, borc);
    QFETCH(double, alacak);
    QFETCH(double, bakiye);
    QFETCH(QString, mark);
    QCOMPARE(AccountBalance::bakiye(borc, alacak), bakiye);
    QCOMPARE(AccountBalance::isaret(AccountBalance::bakiye(borc, alacak)), mark);
}

// A quote in a code or currency stays inside its literal; a quoted code finds its own rows.
void TestLedger::statementsQuoteCodesAndCurrencies()
{
    const QStringList s = Ledger::periodStatement("O'K", QDate(2024, 1, 15), QDate(2024, 1, 31), "USD");
    QCOMPARE(s, (QStringList{"Select * FROM carihareket ", "WHERE (islem_tarihi)<#2024-2-1# AND (islem_tarihi)>#2024-1-14#",
                             "AND cari_kodu='O''K'", "AND doviz_cinsi='USD'", "ORDER BY islem_tarihi ASC;"}));
    QCOMPARE(Ledger::accountListStatement(QDate(2024, 3, 5), kHepsi, "DESC").mid(4),
             (QStringList{"WHERE (B.islem_tarihi)<#2024-3-6#", "GROUP BY B.cari_kodu, B.doviz_cinsi, B.cari_hesap_adi",
                          "ORDER BY B.cari_hesap_adi DESC"}));

    Fixture fx;
    mv("O'K", "Tırnaklı", QDate(2024, 1, 5), 10, 0);
    mv("O", "Düz", QDate(2024, 1, 5), 99, 0);
    mv("O'K' OR '1'='1", "Sızma", QDate(2024, 1, 5), 7, 0);
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    for (const auto &[code, debit] : {std::pair{"O'K", 10.0}, {"O", 99.0}, {"O'K' OR '1'='1", 7.0}}) {
        fx.select(code);
        QCOMPARE(fx.ledger->ffQuery3->recordCount(), 1);
        QCOMPARE(fx.ledger->ffQuery3->value("borc_tutari").toDouble(), debit);
    }
}

// 100 debit on 10 January, 40 credit on 20 January, viewed 15-31 January with "Hepsi".
void TestLedger::carriedForwardRunningBalanceAndTotals()
{
    Fixture fx;
    mv("K1", "Kuzey Ltd.", QDate(2024, 1, 10), 100, 0);
    mv("K1", "Kuzey Ltd.", QDate(2024, 1, 20), 0, 40);
    fx.open(QDate(2024, 1, 15), QDate(2024, 1, 31), QDate(2024, 12, 31));
    TcarihareketF &l = *fx.ledger;
    QCOMPARE(l.devirBorcEdit->text(), "100,00");
    QCOMPARE(l.devirAlacakEdit->text(), "0,00");
    QCOMPARE(l.devirBakiyeEdit->text(), "100,00");
    QCOMPARE(l.ffQuery3->recordCount(), 1);
    QCOMPARE(l.ffQuery3->value("bakiyetop").toDouble(), 60.0);
    QCOMPARE(l.DBGrid1->gridModel()->data(l.DBGrid1->gridModel()->index(0, 5)).toString(), "60,00");
    QCOMPARE(l.borcEdit->text(), "100,00");
    QCOMPARE(l.alacakEdit->text(), "40,00");
    QCOMPARE(l.bakiyeEdit->text(), "60,00");
    Query &t = *l.toplamQuery3;
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.value("doviz_cinsi").toString(), "TL");
    QCOMPARE(t.value("SUMalacak_tutari").toDouble(), 40.0);
    QCOMPARE(t.value("Bakiye").toDouble(), -40.0);
    QCOMPARE(t.value("BA").toString(), "A");
    QCOMPARE(l.DBGrid4->height(), 50);
    QCOMPARE(l.Label2->text(), "Kuzey Ltd. (Hepsi) Hesap Hareketleri");
    // The account list: one row, its balance and the totals per currency.
    QCOMPARE(l.ffQuery1->value("bakiye").toDouble(), 60.0);
    QCOMPARE(l.toplamQuery1->value("BA").toString(), "B");
    // A currency chosen for the account list changes its heading.
    l.CariBox->setCurrentIndex(l.CariBox->findText("USD"));
    Q_EMIT l.CariBox->activated(l.CariBox->currentIndex());
    QCOMPARE(l.Label1->text(), "Cari Hesaplar (USD)");
    QVERIFY(l.ffQuery1->isEmpty());
}

void TestLedger::dayBoundaries_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("listed");    // in the account list as of 31 January
    QTest::addColumn<bool>("inPeriod");  // in the period from 15 January
    QTest::addColumn<bool>("carried");   // in the sum carried forward
    QTest::newRow("as-of day") << QDate(2024, 1, 31) << true << true << false;
    QTest::newRow("day after as-of") << QDate(2024, 2, 1) << false << false << false;
    QTest::newRow("first day") << QDate(2024, 1, 15) << true << true << false;
    QTest::newRow("day before first") << QDate(2024, 1, 14) << true << false << true;
}

void TestLedger::dayBoundaries()
{
    QFETCH(QDate, day);
    QFETCH(bool, listed);
    QFETCH(bool, inPeriod);
    QFETCH(bool, carried);
    Fixture fx;
    mv("K0", "Sabit", QDate(2024, 1, 1), 1, 0);  // keeps the list from being empty
    mv("K1", "Sınır", day, 10, 0);
    fx.open(QDate(2024, 1, 15), QDate(2024, 1, 31), QDate(2024, 1, 31));
    QCOMPARE(fx.ledger->ffQuery1->locate("cari_kodu", "K1"), listed);
    if (!listed) return;
    fx.select("K1");
    QCOMPARE(fx.ledger->ffQuery3->recordCount(), inPeriod ? 1 : 0);
    QCOMPARE(fx.ledger->devirBorcEdit->text(), carried ? "10,00" : "0,00");
}

void TestLedger::accountRowsGroupByCodeCurrencyAndName()
{
    Fixture fx;
    mv("K1", "Kuzey", QDate(2024, 1, 10), 100, 0);
    mv("K1", "Kuzey", QDate(2024, 1, 11), 0, 30, "USD");
    mv("K2", "Güney", QDate(2024, 1, 10), 50, 0);
    mv("K2", "Güney A.Ş.", QDate(2024, 1, 12), 0, 50);
    mv("K3", "Sıfır", QDate(2024, 1, 12), 20, 20);
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    QCOMPARE(fx.accountRows(), (QStringList{"K2/TL/Güney", "K2/TL/Güney A.Ş.", "K1/TL/Kuzey", "K1/USD/Kuzey", "K3/TL/Sıfır"}));
    // The two currencies in two totals rows; a zero balance carries no mark.
    QCOMPARE(fx.ledger->toplamQuery1->recordCount(), 2);
    QCOMPARE(fx.ledger->DBGrid3->height(), 70);
    fx.select("K3");
    QCOMPARE(fx.ledger->bakiyeEdit->text(), "0,00");
    QCOMPARE(fx.ledger->toplamQuery3->value("BA").toString(), QString());
    // With "Hepsi" the movements of both currencies show and their sums add up.
    fx.select("K1");
    QCOMPARE(fx.ledger->ffQuery3->recordCount(), 2);
    QCOMPARE(fx.ledger->bakiyeEdit->text(), "70,00");
    QCOMPARE(fx.ledger->toplamQuery3->recordCount(), 2);
    fx.ledger->HareketBox->setCurrentIndex(fx.ledger->HareketBox->findText("USD"));
    Q_EMIT fx.ledger->HareketBox->activated(fx.ledger->HareketBox->currentIndex());
    QCOMPARE(fx.ledger->ffQuery3->recordCount(), 1);
    QCOMPARE(fx.ledger->bakiyeEdit->text(), "-30,00");
    QCOMPARE(fx.ledger->Label2->text(), "Kuzey (USD) Hesap Hareketleri");
}

void TestLedger::titleClicks()
{
    Fixture fx;
    mv("K1", "Ahmet", QDate(2024, 1, 10), 100, 0);
    mv("K2", "Zeki", QDate(2024, 1, 5), 7, 0);
    mv("K1", "Ahmet", QDate(2024, 1, 20), 0, 40);
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    QHeaderView *accounts = fx.ledger->DBGrid2->horizontalHeader();
    // Whatever title is clicked the list stays by name: the first click keeps the
    // ascending order, the second reverses it.
    QTest::mouseClick(accounts->viewport(), Qt::LeftButton, {}, QPoint(accounts->sectionViewportPosition(3) + 5, 5));
    QCOMPARE(fx.accountRows(), (QStringList{"K1/TL/Ahmet", "K2/TL/Zeki"}));
    QTest::mouseClick(accounts->viewport(), Qt::LeftButton, {}, QPoint(accounts->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(fx.accountRows(), (QStringList{"K2/TL/Zeki", "K1/TL/Ahmet"}));

    // The movement grid's title lists every movement of the file in that order;
    // only the selected account's rows carry a running balance, in the new order.
    fx.select("K1");
    fx.ledger->hareketleriSirala("borc_tutari");
    Query &m = *fx.ledger->ffQuery3;
    QCOMPARE(m.recordCount(), 3);
    QVariantList balances, codes;
    for (int r = 0; r < 3; ++r) {
        codes << m.recordAt(r).asString("cari_kodu");
        balances << m.valueAt(r, m.fieldIndex("bakiyetop"));
    }
    QCOMPARE(codes, (QVariantList{"K1", "K2", "K1"}));  // empty debit first, then 7, then 100
    QCOMPARE(balances, (QVariantList{-40.0, QVariant(), 60.0}));
    // The balance's own title sorts nothing; the next selection restores the period.
    fx.ledger->hareketleriSirala("bakiyetop");
    QCOMPARE(m.recordCount(), 3);
    fx.select("K1");
    QCOMPARE(m.recordCount(), 2);
}

void TestLedger::searchFoldsTurkishCase()
{
    Fixture fx;
    for (const auto &[code, name] : {std::pair{"K1", "Işık Kağıt"}, {"K2", "İnci Gıda"}, {"K3", "Irmak Işık"}})
        mv(code, name, QDate(2024, 1, 1), 1, 0);
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    Query &q = *fx.ledger->ffQuery1;
    // Starts after the current row, wraps round, and stays put when nothing matches.
    // In Turkish order "Irmak Işık" (K3) comes first, then "Işık Kağıt" (K1), "İnci Gıda" (K2).
    QCOMPARE(q.value("cari_kodu").toString(), "K3");
    fx.ledger->araEdit->setText("IŞIK");
    fx.ledger->ara();
    QCOMPARE(q.value("cari_kodu").toString(), "K1");
    fx.ledger->ara();
    QCOMPARE(q.value("cari_kodu").toString(), "K3");
    fx.ledger->araEdit->setText("inci");
    QTest::keyClick(fx.ledger->araEdit, Qt::Key_Return);
    QCOMPARE(q.value("cari_kodu").toString(), "K2");
    fx.ledger->araEdit->setText("yok");
    fx.ledger->ara();
    QCOMPARE(q.value("cari_kodu").toString(), "K2");
}

// Enter on the account grid shows the movements; Ins on the movement grid begins a
// movement for the current movement's account.
void TestLedger::keysAndPopupItems()
{
    Fixture fx;
    mv("K1", "Kuzey", QDate(2024, 1, 10), 100, 0);
    mv("K2", "Güney", QDate(2024, 1, 11), 0, 30);
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    QCOMPARE(fx.ledger->Label2->text(), "Güney (Hepsi) Hesap Hareketleri");
    fx.ledger->ffQuery1->setRecNo(2);
    fx.ledger->DBGrid2->setFocus();
    QTest::keyClick(fx.ledger->DBGrid2, Qt::Key_Return);
    QCOMPARE(fx.ledger->Label2->text(), "Kuzey (Hepsi) Hesap Hareketleri");
    QCOMPARE(fx.ledger->ffQuery3->value("cari_kodu").toString(), "K1");
    const QStringList items{"  Cari Hesaba Borç/Alacak Ekle ", "  Cari Hareketini Düzelt", "  Cari Hareket Satırını Sil   "};
    QStringList texts;
    for (QAction *a : fx.ledger->DBGrid1->actions()) texts << a->text();
    QCOMPARE(texts, items);
    fx.ledger->DBGrid1->actions().first()->trigger();
    QVERIFY(fx.entry->isVisible());
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Insert);
    QCOMPARE(fx.entry->DBEdit5->text(), "K1");
    QCOMPARE(fx.entry->DBEdit6->text(), "Kuzey");
}

void TestLedger::deleteAsksTwice()
{
    Fixture fx;
    const qint64 first = mv("K1", "Kuzey", QDate(2024, 1, 10), 100, 0);
    mv("K1", "Kuzey", QDate(2024, 1, 20), 0, 40);
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    QCOMPARE(fx.ledger->ffQuery3->value("chid").toLongLong(), first);
    const QString q1 = "Kaydı Silmek istediğinizden eminmisiniz?";
    const QString q2 = "Silme sonrası bu kayda tekrar ulaşmanız mümkün olmayacaktır, silme işlemini kesmek istermisiniz?";
    // No to the first, Yes to the second: the movement stays.
    for (const auto &[a1, a2, asked] : {std::tuple{MessageBox::No, MessageBox::No, QStringList{q1}},
                                        {MessageBox::Yes, MessageBox::Yes, QStringList{q1, q2}}}) {
        MessageBox::clearShown();
        MessageBox::queueAnswer(a1);
        if (asked.size() > 1) MessageBox::queueAnswer(a2);
        fx.ledger->hareketiSil();
        QCOMPARE(shownTexts(), asked);
        QCOMPARE(movementCount(), 2);
    }
    MessageBox::queueAnswer(MessageBox::Yes);
    MessageBox::queueAnswer(MessageBox::No);
    fx.ledger->hareketiSil();
    QCOMPARE(movementCount(), 1);
    QCOMPARE(fx.ledger->ffQuery3->recordCount(), 1);
    QCOMPARE(fx.ledger->ffQuery3->value("bakiyetop").toDouble(), -40.0);
    MessageBox::queueAnswer(MessageBox::Yes);
    MessageBox::queueAnswer(MessageBox::No);
    fx.ledger->hareketiSil();
    // With no movement listed there is nothing to delete.
    MessageBox::clearShown();
    fx.ledger->hareketiSil();
    QCOMPARE(shownTexts(), QStringList{"Silinecek kayıt yok!"});
    QCOMPARE(movementCount(), 0);
}

void TestLedger::entrySavesRatesAndCurrencyAmounts_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("debit");
    QTest::addColumn<QString>("credit");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<double>("storedRate");
    QTest::addColumn<QVariant>("dovizBorc");
    QTest::addColumn<QVariant>("dovizAlacak");
    QTest::newRow("USD at 30") << "USD" << "250" << "" << "30" << 30.0 << QVariant(7500.0) << QVariant();
    QTest::newRow("TL with rate 5") << "TL" << "250" << "" << "5" << 1.0 << QVariant(250.0) << QVariant();
    QTest::newRow("USD without rate") << "USD" << "" << "12,5" << "" << 1.0 << QVariant() << QVariant(12.5);
    QTest::newRow("negative debit stored as is") << "EURO" << "-10" << "" << "35,5" << 35.5 << QVariant() << QVariant();
}

void TestLedger::entrySavesRatesAndCurrencyAmounts()
{
    QFETCH(QString, currency);
    QFETCH(QString, debit);
    QFETCH(QString, credit);
    QFETCH(QString, rate);
    QFETCH(double, storedRate);
    QFETCH(QVariant, dovizBorc);
    QFETCH(QVariant, dovizAlacak);
    Fixture fx;
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    fx.begin("K1", "Kuzey");
    TcarihareketDF &e = *fx.entry;
    e.islemtarihiDate->setDate(QDate(2024, 5, 2));
    e.dovizBox->setCurrentIndex(e.dovizBox->findText(currency));
    enter(e.DBEdit1, debit);
    enter(e.DBEdit2, credit);
    enter(e.DBEdit3, rate);
    click(&e, "BitBtn1");
    QCOMPARE(shownTexts(), QStringList{MovementEntry::kSaved});
    const QVariantMap row = stored({"doviz_cinsi", "doviz_kuru", "doviz_borc", "doviz_alacak"});
    QCOMPARE(row.value("doviz_cinsi").toString(), currency);
    QCOMPARE(row.value("doviz_kuru").toDouble(), storedRate);
    QCOMPARE(row.value("doviz_borc"), dovizBorc);
    QCOMPARE(row.value("doviz_alacak"), dovizAlacak);
    QVERIFY(e.isVisible());
    // The ledger shows the new movement at once.
    QVERIFY(fx.ledger->ffQuery1->locate("cari_kodu", "K1"));
}

void TestLedger::entryRefusals_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("debit");
    QTest::addColumn<QString>("credit");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("message");
    QTest::newRow("no account") << "" << "10" << "" << "" << MovementEntry::kNoAccount;
    QTest::newRow("no amount") << "K1" << "" << "" << "" << MovementEntry::kNoAmount;
    QTest::newRow("zero amounts") << "K1" << "0" << "0,00" << "" << MovementEntry::kNoAmount;
    QTest::newRow("both amounts") << "K1" << "10" << "5" << "" << MovementEntry::kBothAmounts;
    QTest::newRow("unreadable debit") << "K1" << "1.5O0" << "" << ""
                                      << "\"Firma Borç Tutar\" alanına yazılan \"1.5O0\" bir sayı olarak okunamadı. Lütfen düzeltiniz.";
    QTest::newRow("unreadable rate") << "K1" << "10" << "" << "30,5,1"
                                     << "\"Döviz Kuru\" alanına yazılan \"30,5,1\" bir sayı olarak okunamadı. Lütfen düzeltiniz.";
}

// Each refusal keeps the row pending; putting it right then saves it.
void TestLedger::entryRefusals()
{
    QFETCH(QString, code);
    QFETCH(QString, debit);
    QFETCH(QString, credit);
    QFETCH(QString, rate);
    QFETCH(QString, message);
    Fixture fx;
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    fx.begin(code, code.isEmpty() ? QString() : QStringLiteral("Kuzey"));
    TcarihareketDF &e = *fx.entry;
    e.islemtarihiDate->setDate(QDate(2024, 5, 2));
    enter(e.DBEdit1, debit);
    enter(e.DBEdit2, credit);
    enter(e.DBEdit3, rate);
    e.DBEdit4->setFocus();  // leaving the edits shows the fields' last values
    click(&e, "BitBtn1");
    QCOMPARE(shownTexts(), QStringList{message});
    QCOMPARE(movementCount(), 0);
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Insert);

    fx.ledger->ffTable1->field("cari_kodu") = "K1";
    fx.ledger->ffTable1->field("cari_hesap_adi") = "Kuzey";
    e.satiriGoster();
    retype(e.DBEdit1, "10");
    retype(e.DBEdit2, "");
    retype(e.DBEdit3, "1");
    MessageBox::clearShown();
    click(&e, "BitBtn1");
    QCOMPARE(shownTexts(), QStringList{MovementEntry::kSaved});
    QCOMPARE(stored({"borc_tutari"}).value("borc_tutari").toDouble(), 10.0);
}

// A free movement, field by field; its link fields stay empty.
void TestLedger::freeMovementFieldByField()
{
    Fixture fx;
    TestHome::addAccountCard("M1", "Müşteri Bir");
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    fx.begin();
    TcarihareketDF &e = *fx.entry;
    e.islemtarihiDate->setDate(QDate(2024, 3, 4));
    e.islemvadesiDate->setDate(QDate(2024, 4, 4));
    type(e.DBEdit5, "m1");
    e.DBEdit1->setFocus();  // leaving the code takes the card's code and name
    QCOMPARE(e.DBEdit5->text(), "M1");
    QCOMPARE(e.DBEdit6->text(), "Müşteri Bir");
    QVERIFY(e.DBEdit6->isReadOnly());
    type(e.DBEdit2, "1.234,565");
    type(e.DBEdit4, "Havale 'şubat'");
    click(&e, "BitBtn1");
    const QStringList fields{"cari_kodu", "cari_hesap_adi", "islem_tarihi", "vade_tarihi", "doviz_cinsi", "borc_tutari",
                             "alacak_tutari", "doviz_kuru", "doviz_alacak", "doviz_borc", "aciklama", "cek_id",
                             "cek_ciro_id", "cek_iade_id", "nakit_id"};
    const QVariantMap row = stored(fields);
    const QVariantList expected{"M1", "Müşteri Bir", QDate(2024, 3, 4), QDate(2024, 4, 4), "TL", QVariant(), 1234.57, 1.0,
                                1234.57, QVariant(), "Havale 'şubat'", QVariant(), QVariant(), QVariant(), QVariant()};
    for (int i = 0; i < fields.size(); ++i) QCOMPARE(row.value(fields[i]), expected[i]);
    QCOMPARE(movementCount(), 1);
    // After the save nothing is pending and the edits take no typing.
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Browse);
    QVERIFY(e.DBEdit1->isReadOnly());
}

// Correcting a cheque's movement writes the entry's fields only: its link stays;
// a side turned over leaves no currency amount on the other side.
void TestLedger::correctionKeepsLinks()
{
    Fixture fx;
    const qint64 chid = MovementWriter::post(cash(), {{"cek_id", 42}},
                                             {{"cari_kodu", "K1"}, {"cari_hesap_adi", "Kuzey"}, {"islem_tarihi", QDate(2024, 2, 1)},
                                              {"borc_tutari", 100.0}, {"doviz_borc", 100.0}, {"doviz_cinsi", "TL"},
                                              {"brut_tutar", 120.0}})
                            .id;
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    QCOMPARE(fx.ledger->ffQuery3->recordCount(), 1);
    const QRect cell = fx.ledger->DBGrid1->visualRect(fx.ledger->DBGrid1->model()->index(0, 1));
    QTest::mouseClick(fx.ledger->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(fx.ledger->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    TcarihareketDF &e = *fx.entry;
    QVERIFY(e.isVisible());
    fx.activate();
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Edit);
    QCOMPARE(e.islemtarihiDate->date(), QDate(2024, 2, 1));
    QCOMPARE(e.islemvadesiDate->date(), QDate(2024, 2, 1));  // no due date: the transaction date
    retype(e.DBEdit1, "");
    type(e.DBEdit2, "80");
    click(&e, "BitBtn1");
    QCOMPARE(shownTexts(), QStringList{MovementEntry::kSaved});
    QCOMPARE(movementCount(), 1);
    const QVariantMap row = stored({"cek_id", "brut_tutar", "borc_tutari", "alacak_tutari", "doviz_borc", "doviz_alacak"}, chid);
    QCOMPARE(row.value("cek_id").toLongLong(), 42);
    QCOMPARE(row.value("brut_tutar").toDouble(), 120.0);
    QCOMPARE(row.value("borc_tutari"), QVariant());
    QCOMPARE(row.value("alacak_tutari").toDouble(), 80.0);
    QCOMPARE(row.value("doviz_borc"), QVariant());
    QCOMPARE(row.value("doviz_alacak").toDouble(), 80.0);
    // A correction of a movement deleted meanwhile brings nothing back.
    fx.ledger->hareketiDuzelt();
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Edit);
    {
        TransactionScope tx{&cash()};
        MovementWriter::remove(cash(), {{"chid", chid}});
        tx.commit();
    }
    MessageBox::clearShown();
    click(&e, "BitBtn1");
    QCOMPARE(movementCount(), 0);
    QCOMPARE(shownTexts().size(), 1);
    QVERIFY(shownTexts().first().startsWith("Düzeltilen cari hareket bulunamadı"));
}

void TestLedger::nextYearAnsweredNoSwitches()
{
    Fixture fx;
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    fx.begin("K1", "Kuzey");
    TcarihareketDF &e = *fx.entry;
    e.islemtarihiDate->setDate(QDate(2025, 1, 3));
    type(e.DBEdit1, "10");
    // Yes aborts the save: the row stays as typed.
    MessageBox::queueAnswer(MessageBox::Yes);
    click(&e, "BitBtn1");
    QCOMPARE(MessageBox::shown().size(), 1);
    const MessageBox::Shown q = MessageBox::shown().first();
    QCOMPARE(q.caption, MessageBox::kCaptionShort);
    QCOMPARE(q.icon, MessageBox::Icon::Question);
    QCOMPARE(q.text, "Girmiş olduğunuz tarih çalışmakta olduğunuz \n\r2024 yılından farklıdır!\n\rKayıt işlemini kesmek "
                     "istermisiniz? Devam ederseniz\n\rçalışma yılınız 2025 olarak değiştirilecek ancak\n\rgirmiş olduğunuz "
                     "bilgiler silinecektir!");
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Insert);
    QCOMPARE(e.DBEdit1->text(), "10,00");
    // No drops the row and opens the next year's new file; nothing is saved anywhere.
    MessageBox::queueAnswer(MessageBox::No);
    click(&e, "BitBtn1");
    QCOMPARE(ctx().calismaYili, 2025);
    QVERIFY(QFileInfo::exists(fx.home.path("Data/A12025K.mdb")));
    QCOMPARE(movementCount(), 0);
    QCOMPARE(fx.ledger->ffTable1->state() == Dataset::State::Insert, false);
    QCOMPARE(fx.ledger->baslikLabel->text(), "Firma Cari Hareketleri - 2025");
    QCOMPARE(fx.ledger->windowTitle(), "Brenvo Çek Senet Takip - Firma Cari Hareket  - 2025");
    QVERIFY(kasadegistir(2024));
    QCOMPARE(movementCount(), 0);
}

void TestLedger::unknownCode()
{
    Fixture fx;
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    fx.begin("X9", "Eski Ad");
    TcarihareketDF &e = *fx.entry;
    e.DBEdit5->setFocus();
    MessageBox::queueAnswer(MessageBox::No);
    e.DBEdit1->setFocus();
    QCOMPARE(shownTexts(), QStringList{"Bu firma kodu bulunamadı. Yeni firma açılsınmı?"});
    QCOMPARE(e.DBEdit5->text(), QString());
    QCOMPARE(e.DBEdit6->text(), QString());
    QCOMPARE(fx.ledger->ffTable1->value("cari_kodu"), QVariant());
    QCOMPARE(fx.ledger->ffTable1->value("cari_hesap_adi"), QVariant());
    // The picker hands a card over only while a movement is pending.
    PickedAccount card;
    card.kodu = "M1";
    card.adi = "Müşteri Bir";
    AccountPicker::cariSecimYeri() = "carihareketD";
    QCOMPARE(AccountPicker::handOver(card), AccountPicker::Outcome::HandedOver);
    QCOMPARE(e.DBEdit6->text(), "Müşteri Bir");
    click(&e, "JvXPButton2");  // VAZGEÇ
    QCOMPARE(AccountPicker::handOver(card), AccountPicker::Outcome::NotReady);
}

// Yes to the unknown code opens a new card with the typed code and the movement's
// name; the card saved and picked fills the movement.
void TestLedger::unknownCodeOpensNewCard()
{
    Fixture fx;
    TcariF cards;
    fx.entry->setCardWindow(&cards);
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    fx.begin("Y7", "Yeni Müşteri");
    TcarihareketDF &e = *fx.entry;
    e.DBEdit5->setFocus();
    MessageBox::queueAnswer(MessageBox::Yes);
    e.DBEdit1->setFocus();
    QCOMPARE(AccountPicker::cariSecimYeri(), "carihareketD");
    QCOMPARE(cards.FirmaTakip->state(), Dataset::State::Insert);
    QCOMPARE(cards.FirmaTakip->value("firma_kodu").toString(), "Y7");
    QCOMPARE(cards.FirmaTakip->value("firma_adi").toString(), "Yeni Müşteri");
    QVERIFY(!child(&cards, "koduEdit")->isReadOnly());
    QCOMPARE(e.DBEdit5->text(), "Y7");
    QCOMPARE(e.DBEdit6->text(), QString());
    MessageBox::queueAnswer(MessageBox::Yes);
    click(&cards, "kaydetBut");
    QVERIFY(cards.FirmaTakip->locate("firma_kodu", "Y7"));
    cards.SecButClick();
    QCOMPARE(e.DBEdit6->text(), "Yeni Müşteri");
    QCOMPARE(fx.ledger->ffTable1->value("cari_kodu").toString(), "Y7");
}

void TestLedger::hidingWritesNothing()
{
    Fixture fx;
    mv("K1", "Kuzey", QDate(2024, 1, 10), 100, 0);
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    const QByteArray before = TestHome::checksum(cash().filePath());
    // A new movement closed with "KAPAT", a correction hidden by the window manager.
    fx.begin("K1", "Kuzey");
    type(fx.entry->DBEdit1, "55");
    click(fx.entry.get(), "kapat");
    QVERIFY(!fx.entry->isVisible());
    fx.ledger->hareketiDuzelt();
    type(fx.entry->DBEdit1, "1");
    fx.entry->hide();
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Browse);
    QCOMPARE(stored({"borc_tutari"}).value("borc_tutari").toDouble(), 100.0);
    QCOMPARE(movementCount(), 1);
    QCOMPARE(TestHome::checksum(cash().filePath()), before);
}

// Another window's save (the entry slip's now, the cash register's later) while a
// free movement is being typed: the typed row is neither posted nor lost, also
// when that save switches the working year.
void TestLedger::otherSavesKeepPendingMovement()
{
    Fixture fx;
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    fx.begin("K1", "Kuzey");
    TcarihareketDF &e = *fx.entry;
    e.islemtarihiDate->setDate(QDate(2024, 6, 1));
    type(e.DBEdit1, "77");
    const auto slipSave = [](const QDate &day) {
        TransactionScope tx{&ctx().ADOConnection1, &cash()};
        MovementWriter::post(cash(), {{"cek_id", 5}}, {{"cari_kodu", "S1"}, {"alacak_tutari", 10.0}, {"islem_tarihi", day}});
        tx.commit();
        ctx().announce({DataKind::Slips, DataKind::Movements});
    };
    slipSave(QDate(2024, 6, 1));
    QCOMPARE(movementCount(), 1);
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Insert);
    QCOMPARE(e.DBEdit1->text(), "77");  // still being typed
    QCOMPARE(fx.ledger->ffTable1->value("borc_tutari").toDouble(), 77.0);
    QVERIFY(fx.ledger->ffQuery1->locate("cari_kodu", "S1"));

    // A slip of the next year switches the cash file; the typed row follows.
    QVERIFY(kasadegistir(2025));
    slipSave(QDate(2025, 2, 1));
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Insert);
    QCOMPARE(fx.ledger->ffTable1->value("borc_tutari").toDouble(), 77.0);
    QCOMPARE(e.DBEdit5->text(), "K1");
    QCOMPARE(movementCount(), 1);
    e.islemtarihiDate->setDate(QDate(2025, 6, 1));
    click(&e, "BitBtn1");
    QCOMPARE(shownTexts(), QStringList{MovementEntry::kSaved});
    QCOMPARE(movementCount(), 2);
    QCOMPARE(stored({"cari_kodu", "borc_tutari", "cek_id"}),
             (QVariantMap{{"cari_kodu", "K1"}, {"borc_tutari", 77.0}, {"cek_id", QVariant()}}));
    QVERIFY(kasadegistir(2024));
    QCOMPARE(movementCount(), 1);
}

// "YENİ HAREKET" over a typed movement asks before dropping it and never posts it.
void TestLedger::newMovementOverPending()
{
    Fixture fx;
    fx.open(QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2024, 12, 31));
    fx.begin("K1", "Kuzey");
    TcarihareketDF &e = *fx.entry;
    type(e.DBEdit1, "12");
    MessageBox::queueAnswer(MessageBox::No);
    click(&e, "JvXPButton1");
    QCOMPARE(shownTexts(), QStringList{"Kaydedilmemiş cari hareket iptal edilecektir. Devam edilsin mi?"});
    QCOMPARE(fx.ledger->ffTable1->value("borc_tutari").toDouble(), 12.0);
    MessageBox::queueAnswer(MessageBox::Yes);
    click(&e, "JvXPButton1");
    QCOMPARE(fx.ledger->ffTable1->state(), Dataset::State::Insert);
    QCOMPARE(fx.ledger->ffTable1->value("borc_tutari"), QVariant());
    QCOMPARE(e.DBEdit1->text(), QString());
    QCOMPARE(movementCount(), 0);
    // The ledger's buttons ask the same; a row with only its account copied in goes quietly.
    MessageBox::clearShown();
    fx.ledger->cariyeYeniHareket();
    QVERIFY(shownTexts().isEmpty());
    QCOMPARE(movementCount(), 0);
}

// The demo company at 1366x768: both halves, the carried-forward line, running
// balances, the totals grids and the entry form.
void TestLedger::screenshot()
{
    Fixture fx;
    const QDate today = QDate::currentDate();
    generateSampleCompany(QStringLiteral("DEMO"), 400, today.year() - 1, today.year(), today);
    QCOMPARE(ctx().openCompany(QStringLiteral("DEMO"), today.year(), QStringLiteral("Demo Ticaret A.Ş.")),
             DataContext::OpenResult::Opened);
    fx.ledger->resize(1366, 740);
    fx.open(QDate(today.year(), 3, 1), today, today);
    fx.ledger->showNormal();
    fx.ledger->resize(1366, 740);
    QVERIFY(!fx.ledger->ffQuery1->isEmpty());
    fx.ledger->ffQuery1->setRecNo(2);
    fx.ledger->hareketleriGoster();
    QTest::qWait(100);
    QVERIFY(fx.ledger->grab().save(QStringLiteral("/tmp/tcarihareketf.png")));
    fx.ledger->cariyeYeniHareket();
    fx.activate();
    type(fx.entry->DBEdit1, "1250");
    type(fx.entry->DBEdit4, "Mart faturası");
    QTest::qWait(50);
    QVERIFY(fx.entry->grab().save(QStringLiteral("/tmp/tcarihareketdf.png")));
}

QTEST_MAIN(TestLedger)
#include "test_ledger.moc"
