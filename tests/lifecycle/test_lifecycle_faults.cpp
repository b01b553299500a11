// Operations that meet: a cheque's state read once and checked by every
// operation, money rows found again in any year's file, slips that shrink.
// Each case starts from slips saved through the program's own save functions.
#include "data/connection.h"
#include "data/data_context.h"
#include "data/cheque_state.h"
#include "data/display_format.h"
#include "data/query.h"
#include "data/table.h"
#include "data/year_files.h"
#include "given/bank_report_statements.h"
#include "given/exit_slip_cancel.h"
#include "given/exit_slip_rows.h"
#include "given/exit_slip_save.h"
#include "given/given_take_back.h"
#include "given/tcekcikisf.h"
#include "received/cheque_list_statements.h"
#include "received/cheque_operations.h"
#include "received/entry_slip_save.h"
#include "widgets/message_box.h"
#include "support/test_home.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QtTest>

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }
QString money(double v) { return formatFloat(QStringLiteral("#,##0.00"), v); }

// A value summed over every year's cash file of the company.
double acrossYears(const QString &sql)
{
    double total = 0;
    for (int year : YearFiles::years(QStringLiteral("A1"))) {
        Connection c;
        c.setConnectionString(DataContext::cashConnectionString(QStringLiteral("A1"), year));
        c.open();
        Query q(&c);
        q.reopen({sql});
        if (!q.isEmpty()) total += q.value(0).toDouble();
    }
    return total;
}
double balance(const QString &code)
{
    return acrossYears("SELECT SUM(IFNULL(borc_tutari,0)) - SUM(IFNULL(alacak_tutari,0)) FROM carihareket WHERE cari_kodu='" + code + "'");
}
double count(const QString &where, const QString &table = "carihareket")
{
    return acrossYears("SELECT COUNT(*) FROM " + table + " WHERE " + where);
}
QString field(const QString &sql)
{
    Query q(&company());
    q.reopen({sql});
    return q.isEmpty() ? QString() : q.value(0).toString();
}

// An entry slip of C1 with the given amounts, due a month after the date.
QVector<qint64> entrySlip(const QDate &date, const QList<double> &amounts, qint64 *number = nullptr)
{
    EntrySlip::Header h;
    h.slipDate = date;
    h.code = "C1";
    h.name = "Müşteri Bir";
    EntrySlip::Params p;
    p.slipDate = date;
    QVector<QStringList> rows;
    for (double a : amounts) {
        QStringList r(EntrySlip::ColumnCount);
        r[EntrySlip::ColNo] = QString::number(rows.size() + 1);
        r[EntrySlip::ColVade] = date.addDays(30).toString("dd.MM.yyyy");
        r[EntrySlip::ColTutar] = money(a);
        r[EntrySlip::ColCekNo] = "C-" + QString::number(rows.size() + 1);
        rows << r;
    }
    rows << QStringList(EntrySlip::ColumnCount);
    Table slips(&company(), "cekbordro", "PrimaryKey"), cheques(&company(), "cekgiris", "cek_tarihi");
    const EntrySlip::SaveResult r = EntrySlip::saveSlip(h, p, rows, EntrySlip::Datasets{slips, cheques});
    if (!r.saved) qFatal("entry slip: %s", qPrintable(r.message));
    if (number) *number = h.number;
    QVector<qint64> keys;
    for (int i = 0; i < amounts.size(); ++i) keys << rows[i][EntrySlip::ColKey].toLongLong();
    return keys;
}

struct Exit {
    ExitSlip::Header h;
    ExitSlip::Params p;
    QVector<QStringList> rows;
    ExitSlip::SaveResult save()
    {
        Table slips(&company(), "cikisbordro", "PrimaryKey"), given(&company(), "cekciro", "cek_tarihi"),
            received(&company(), "cekgiris", "cek_tarihi"), own(&company(), "cekkendi", "PrimaryKey");
        return ExitSlip::saveSlip(h, p, rows, ExitSlip::Datasets{slips, given, received, own});
    }
};

// An exit slip to `code` (type 0 customer, 1 supplier, 2 bank) of portfolio cheques and own cheques.
Exit exitSlip(const QDate &date, int type, const QVector<qint64> &cheques, const QList<double> &own = {},
              const QString &rate = "0", bool deduct = false)
{
    Exit e;
    const QStringList codes{"C1", "S1", "B1"}, names{"Müşteri Bir", "Satıcı Bir", "Banka Bir"};
    e.h.slipDate = date;
    e.h.code = codes[type];
    e.h.name = names[type];
    e.h.exitType = type;
    e.h.deductMaturity = deduct;
    e.p.slipDate = date;
    e.p.yillikFaiz = rate;
    e.p.bsmvPercent = "0";
    for (qint64 key : cheques) {
        Table t(&company(), "cekgiris");
        t.setMasterLink("cek_ind", key);
        t.open();
        QStringList r(ExitSlip::ExitColumnCount);
        r[EntrySlip::ColNo] = QString::number(e.rows.size() + 1);
        ExitSlip::fillFromReceived(r, t);
        e.rows << r;
    }
    for (double a : own) {
        ExitSlip::OwnCheque c;
        c.due = date.addDays(30);
        c.amount = a;
        c.number = "K-1";
        QStringList r(ExitSlip::ExitColumnCount);
        r[EntrySlip::ColNo] = QString::number(e.rows.size() + 1);
        ExitSlip::fillOwnCheque(r, c, "Öztürk Gıda");
        e.rows << r;
    }
    e.rows << QStringList(ExitSlip::ExitColumnCount);
    return e;
}

ChequeOperation::Values values(qint64 key, double amount, const QDate &date, bool box = true, const QString &currency = "TL")
{
    ChequeOperation::Values v;
    v.para = currency;
    v.tutar = money(amount);
    v.girisTL = v.tutar;
    v.kuru = currency == "TL" ? "1" : "";
    v.kayitNo = QString::number(key);
    v.tarih = date;
    v.vadesi = date.addDays(10);
    v.box = box;
    v.firmaKodu = "C1";
    v.firmaAdi = "Müşteri Bir";
    return v;
}

ChequeOperation::Result collect(qint64 key, double amount, const QDate &date, bool box = true)
{
    ChequeOperation::Values v = values(key, amount, date, box);
    Table t(&company(), "cekgiris"), cash(&DataContext::instance().kasaConnection, "nakit");
    return ChequeOperation::collect(v, t, cash);
}

GivenTakeBack::Result takeBack(qint64 givenKey, double amount, const QDate &date, const QString &code, const QString &name,
                               bool own = false)
{
    GivenTakeBack::Values v;
    static_cast<ChequeOperation::Values &>(v) = values(givenKey, amount, date);
    v.firmaKodu = code;
    v.firmaAdi = name;
    if (!own) v.girisNo = field("SELECT cek_giris_id FROM cekciro WHERE ciro_cek_ind=" + QString::number(givenKey));
    Table given(&company(), own ? "cekkendi" : "cekciro"), received(&company(), "cekgiris");
    return GivenTakeBack::takeBack(v, own ? GivenTakeBack::Mode::Duzenlenen : GivenTakeBack::Mode::Cirolanan, given, received);
}

bool listed(ChequeList::Choice choice, qint64 key)
{
    Query q(&company());
    q.reopen(QStringList{"SELECT cek_ind FROM cekgiris"} + ChequeList::stateLines(choice)
             + QStringList{"AND cek_ind=" + QString::number(key)});
    return !q.isEmpty();
}

} // namespace

class TestLifecycleFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearShown();
    }
    void redoneInAnotherYearMovesTheMoney();
    void takeBackRedoneAndRefused();
    void collectionNeverUsesAPendingCashRow();
    void entrySlipWithAReturnedChequeIsRefused();
    void stateChecksAndUndoCollection();
    void chequeHeldByASlipCannotGoOnAnother();
    void takenBackOwnChequeIsLocked();
    void shrinkingSlipKeepsItsNetDebit();
    void backFromTheBankLeavesTheBank();
    void bouncedChequesLeaveTheBankReport();
    void foreignCollectionNeedsARate();
    void exitSlipInAnotherYearAsksFirst();
    void stateAgreesWithTheLists();
    void historyOfACheque();
};

void TestLifecycleFaults::redoneInAnotherYearMovesTheMoney()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 12, 1), {1000, 2000});
    QVERIFY(collect(k[0], 1000, QDate(2024, 12, 30)).done);
    QVERIFY(collect(k[0], 1000, QDate(2025, 1, 2)).done);
    QCOMPARE(count("cekid=" + QString::number(k[0]), "nakit"), 1.0);
    QCOMPARE(acrossYears("SELECT SUM(borc_tutar) FROM nakit"), 1000.0);
    QCOMPARE(DataContext::instance().calismaYili, 2025);

    ChequeOperation::Values v = values(k[1], 2000, QDate(2025, 1, 5));
    Table t(&company(), "cekgiris");
    QVERIFY(ChequeOperation::giveBack(v, t).done);
    v.tarih = QDate(2024, 12, 29);
    QVERIFY(ChequeOperation::giveBack(v, t).done);
    QCOMPARE(count("cek_iade_id=" + QString::number(k[1])), 1.0);
    QCOMPARE(balance("C1"), -3000.0 + 2000.0);
    // Undone, each leaves nothing in any year.
    QVERIFY(ChequeOperation::undoCollection(k[0], t).done);
    QVERIFY(ChequeOperation::undoReturn(k[1], t).done);
    QCOMPARE(count("cekid IS NOT NULL", "nakit"), 0.0);
    QCOMPARE(balance("C1"), -3000.0);
}

void TestLifecycleFaults::takeBackRedoneAndRefused()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    TestHome::addAccountCard("S1", "Satıcı Bir");
    TestHome::addAccountCard("B1", "Banka Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 11, 1), {1000, 500});
    Exit e = exitSlip(QDate(2024, 12, 1), 1, {k[0]});
    QVERIFY(e.save().saved);
    const qint64 given = e.rows[0][ExitSlip::ColCiroIndex].toLongLong();
    QVERIFY(takeBack(given, 1000, QDate(2024, 12, 20), "S1", "Satıcı Bir").done);
    QVERIFY(takeBack(given, 1000, QDate(2025, 1, 3), "S1", "Satıcı Bir").done);
    QCOMPARE(count("cek_iade_id=" + QString::number(given)), 1.0);
    QCOMPARE(balance("S1"), 0.0);

    // A cheque the bank collected is not taken back from the bank.
    Exit b = exitSlip(QDate(2025, 1, 4), 2, {k[1]});
    QVERIFY(b.save().saved);
    QVERIFY(collect(k[1], 500, QDate(2025, 1, 10)).done);
    const GivenTakeBack::Result r = takeBack(b.rows[0][ExitSlip::ColCiroIndex].toLongLong(), 500, QDate(2025, 1, 11), "B1", "Banka Bir");
    QVERIFY(!r.done);
    QVERIFY2(r.message.contains("tahsil edilmiş"), qPrintable(r.message));
    QCOMPARE(balance("B1"), 500.0);
}

void TestLifecycleFaults::collectionNeverUsesAPendingCashRow()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 3, 1), {1000});
    Table view(&DataContext::instance().kasaConnection, "nakit", "islem_tarihi");
    view.open();
    view.append();
    view.field("aciklama") = "yazılıyor";
    Table t(&company(), "cekgiris");
    ChequeOperation::Values v = values(k[0], 1000, QDate(2024, 3, 5));
    QVERIFY(ChequeOperation::collect(v, t, view).done);
    view.cancel();
    QVERIFY(ChequeOperation::collect(v, t, view).done);
    QCOMPARE(count("cekid=" + QString::number(k[0]), "nakit"), 1.0);
    QCOMPARE(count("1=1", "nakit"), 1.0);
}

void TestLifecycleFaults::entrySlipWithAReturnedChequeIsRefused()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    qint64 number = 0;
    const QVector<qint64> k = entrySlip(QDate(2024, 3, 1), {1000, 2000}, &number);
    Table t(&company(), "cekgiris");
    ChequeOperation::Values v = values(k[0], 1000, QDate(2024, 3, 10));
    QVERIFY(ChequeOperation::giveBack(v, t).done);
    // The slip re-saved without the returned cheque's row.
    EntrySlip::Header h;
    h.slipDate = QDate(2024, 3, 1);
    h.code = "C1";
    h.name = "Müşteri Bir";
    h.number = number;
    EntrySlip::Params p;
    p.slipDate = h.slipDate;
    QStringList r(EntrySlip::ColumnCount);
    r[EntrySlip::ColNo] = "1";
    r[EntrySlip::ColVade] = "31.03.2024";
    r[EntrySlip::ColTutar] = "2.000,00";
    r[EntrySlip::ColKey] = QString::number(k[1]);
    QVector<QStringList> rows{r, QStringList(EntrySlip::ColumnCount)};
    Table slips(&company(), "cekbordro", "PrimaryKey");
    const EntrySlip::SaveResult s = EntrySlip::saveSlip(h, p, rows, EntrySlip::Datasets{slips, t}, {k[0]});
    QVERIFY(!s.saved);
    QVERIFY2(s.message.contains("iade edilmiş"), qPrintable(s.message));
    QCOMPARE(balance("C1"), -3000.0 + 1000.0);
}

void TestLifecycleFaults::stateChecksAndUndoCollection()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    TestHome::addAccountCard("S1", "Satıcı Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 3, 1), {1000, 2000, 3000});
    QVERIFY(exitSlip(QDate(2024, 3, 2), 1, {k[0]}).save().saved);
    Table t(&company(), "cekgiris");
    ChequeOperation::Values ret = values(k[1], 2000, QDate(2024, 3, 3));
    QVERIFY(ChequeOperation::giveBack(ret, t).done);
    ChequeOperation::Values b = values(k[2], 3000, QDate(2024, 3, 3));
    QVERIFY(ChequeOperation::bounce(b, ChequeOperation::Source::Portfoy, t).done);
    // Endorsed, returned, bounced: none is collected, nothing is written.
    const struct {
        qint64 key;
        double amount;
        const char *state;
    } cases[] = {{k[0], 1000, "ciro edilmiş"}, {k[1], 2000, "iade edilmiş"}, {k[2], 3000, "karşılıksız"}};
    for (const auto &c : cases) {
        const ChequeOperation::Result r = collect(c.key, c.amount, QDate(2024, 3, 20));
        QVERIFY(!r.done);
        QVERIFY2(r.message.contains(c.state) && r.message.contains("C-"), qPrintable(r.message));
    }
    QCOMPARE(count("1=1", "nakit"), 0.0);
    // Undoing a collection takes its cash row away.
    ChequeOperation::Values u = values(k[1], 2000, QDate(2024, 3, 4));
    QVERIFY(ChequeOperation::undoReturn(k[1], t).done);
    QVERIFY(collect(k[1], 2000, QDate(2024, 3, 20)).done);
    QCOMPARE(count("1=1", "nakit"), 1.0);
    QVERIFY(ChequeOperation::undoCollection(k[1], t).done);
    QCOMPARE(count("1=1", "nakit"), 0.0);
    QVERIFY(!ChequeOperation::undoCollection(k[1], t).done);
}

void TestLifecycleFaults::chequeHeldByASlipCannotGoOnAnother()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    TestHome::addAccountCard("S1", "Satıcı Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 3, 1), {1000});
    Exit first = exitSlip(QDate(2024, 3, 2), 1, {k[0]});
    QVERIFY(first.save().saved);
    Table t(&company(), "cekgiris");
    QVERIFY(ChequeOperation::undoExit(k[0], t).done);
    QVERIFY(listed(ChequeList::Choice::Portfoy, k[0]));
    const ExitSlip::SaveResult second = exitSlip(QDate(2024, 3, 3), 1, {k[0]}).save();
    QVERIFY(!second.saved);
    QVERIFY2(second.message.contains(QString::number(first.h.number) + " nolu çıkış bordrosunda"), qPrintable(second.message));
    QVERIFY(!collect(k[0], 1000, QDate(2024, 3, 5)).done);
    QCOMPARE(count("cek_ciro_id IS NOT NULL"), 1.0);
    QCOMPARE(balance("S1"), 1000.0);
}

void TestLifecycleFaults::takenBackOwnChequeIsLocked()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("S1", "Satıcı Bir");
    TestHome::addAccountCard("S2", "Satıcı İki");
    Exit e = exitSlip(QDate(2024, 3, 2), 1, {}, {1000, 500});
    QVERIFY(e.save().saved);
    const qint64 own = e.rows[0][ExitSlip::ColDuzenlemeId].toLongLong();
    QVERIFY(takeBack(own, 1000, QDate(2024, 3, 10), "S1", "Satıcı Bir", true).done);
    QCOMPARE(balance("S1"), 500.0);
    // Its amount changed on the slip: refused.
    Exit changed = e;
    changed.rows[0][EntrySlip::ColTutar] = "2.000,00";
    QVERIFY(!changed.save().saved);
    // The slip moved to another account: refused, the credit stays with the debit.
    Exit moved = e;
    moved.h.code = "S2";
    moved.h.name = "Satıcı İki";
    const ExitSlip::SaveResult r = moved.save();
    QVERIFY(!r.saved);
    QVERIFY2(r.message.contains("geri alınmış"), qPrintable(r.message));
    QCOMPARE(balance("S1"), 500.0);
    QCOMPARE(balance("S2"), 0.0);
    // Paid, it is locked too; the untouched slip still saves.
    const qint64 other = e.rows[1][ExitSlip::ColDuzenlemeId].toLongLong();
    QVERIFY(!ExitSlip::lockedRow(company(), e.rows[0]).isEmpty());
    QVERIFY(ExitSlip::lockedRow(company(), e.rows[1]).isEmpty());
    Q_UNUSED(other);
    QVERIFY(e.save().saved);
    QCOMPARE(balance("S1"), 500.0);
}

void TestLifecycleFaults::shrinkingSlipKeepsItsNetDebit()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    TestHome::addAccountCard("S1", "Satıcı Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 3, 1), {6000});
    // Both due 30 days after the slip, at 36,5 %: 6.000 × 30 / 1000 = 180 and 4.000 × 30 / 1000 = 120.
    Exit e = exitSlip(QDate(2024, 3, 1), 1, {k[0]}, {4000}, "36,5", true);
    QVERIFY(e.save().saved);
    QCOMPARE(balance("S1"), 10000.0 - 180 - 120);
    const ExitSlip::CancelResult r = ExitSlip::cancelSlip(e.h.number);
    QVERIFY(r.cancelled);
    QCOMPARE(balance("S1"), 4000.0 - 120);
    QCOMPARE(field("SELECT toplam_tutari FROM cikisbordro").toDouble(), 4000.0);
    // The own cheque taken back credits the share it carried, not its face amount.
    QVERIFY(takeBack(e.rows[1][ExitSlip::ColDuzenlemeId].toLongLong(), 4000, QDate(2024, 3, 5), "S1", "Satıcı Bir", true).done);
    QCOMPARE(balance("S1"), 0.0);
}

void TestLifecycleFaults::backFromTheBankLeavesTheBank()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    TestHome::addAccountCard("B1", "Banka Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 3, 1), {1000, 2000});
    Exit e = exitSlip(QDate(2024, 3, 2), 2, {k[0], k[1]});
    QVERIFY(e.save().saved);
    QVERIFY(listed(ChequeList::Choice::Banka, k[0]));
    QVERIFY(takeBack(e.rows[0][ExitSlip::ColCiroIndex].toLongLong(), 1000, QDate(2024, 3, 5), "B1", "Banka Bir").done);
    QVERIFY(ExitSlip::cancelSlip(e.h.number).cancelled);
    for (qint64 key : k) {
        QVERIFY(listed(ChequeList::Choice::Portfoy, key));
        QVERIFY(!listed(ChequeList::Choice::Banka, key));
    }
    // Endorsed later to a customer, it is not at a bank.
    QVERIFY(exitSlip(QDate(2024, 3, 6), 0, {k[0]}).save().saved);
    QVERIFY(!listed(ChequeList::Choice::Banka, k[0]));
}

void TestLifecycleFaults::bouncedChequesLeaveTheBankReport()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    TestHome::addAccountCard("B1", "Banka Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 3, 1), {1000, 2000});
    Exit e = exitSlip(QDate(2024, 3, 2), 2, {k[0], k[1]});
    QVERIFY(e.save().saved);
    ChequeOperation::Values v = values(e.rows[0][ExitSlip::ColCiroIndex].toLongLong(), 1000, QDate(2024, 3, 20));
    Table given(&company(), "cekciro");
    QVERIFY(ChequeOperation::bounce(v, ChequeOperation::Source::Cirolanan, given).done);
    const BankReport::Statements s = BankReport::build(QDate(2024, 1, 1), QDate(2025, 1, 1), BankReport::kAllBanks);
    Query list(&company());
    list.reopen(s.list);
    QCOMPARE(list.recordCount(), 1);
    // Cancelled, the slip keeps the bounced cheque (still with the bank) and its share.
    const ExitSlip::CancelResult r = ExitSlip::cancelSlip(e.h.number);
    QVERIFY(r.cancelled);
    QCOMPARE(field("SELECT COUNT(*) FROM cekciro"), QString("1"));
    QVERIFY(!listed(ChequeList::Choice::Portfoy, k[0]));
    QVERIFY(listed(ChequeList::Choice::Portfoy, k[1]));
    QCOMPARE(balance("B1"), 1000.0);
}

void TestLifecycleFaults::foreignCollectionNeedsARate()
{
    TestHome home;
    home.openCompany("A1", 2024);
    const qint64 key = TestHome::insertRow(company(), "cekgiris",
                                           {{"cek_tarihi", QDate(2024, 4, 1)}, {"cek_tutari", 100.0}, {"para_birimi", "USD"}});
    for (const QString &rate : {QString(), QString("0")}) {
        ChequeOperation::Values v = values(key, 100, QDate(2024, 4, 1), true, "USD");
        v.kuru = rate;
        Table t(&company(), "cekgiris"), cash(&DataContext::instance().kasaConnection, "nakit");
        const ChequeOperation::Result r = ChequeOperation::collect(v, t, cash);
        QVERIFY(!r.done);
        QCOMPARE(r.message, ChequeOperation::kRateNeeded);
    }
    QCOMPARE(count("1=1", "nakit"), 0.0);
    QCOMPARE(field("SELECT cek_tahsilat_tarihi FROM cekgiris"), QString());
}

void TestLifecycleFaults::exitSlipInAnotherYearAsksFirst()
{
    TestHome home;
    home.openCompany("A1", 2025);
    TestHome::addAccountCard("S1", "Satıcı Bir");
    TcekcikisF w;
    w.DateTimePicker15->setDate(QDate(2024, 12, 31));  // the default date on 1 January
    w.KoduEdit->setText("S1");
    w.JustaEdit23->setText("Satıcı Bir");
    ExitSlip::OwnCheque c;
    c.due = QDate(2025, 2, 1);
    c.amount = 1000;
    QVERIFY(w.kendiCekiYaz(c));
    MessageBox::queueAnswer(MessageBox::No);
    QVERIFY(!w.sakla());
    QCOMPARE(MessageBox::shown().last().text.left(22), QString("Kayıt yılı 2024 olacak"));
    QCOMPARE(DataContext::instance().calismaYili, 2025);
    QCOMPARE(field("SELECT COUNT(*) FROM cikisbordro"), QString("0"));
    MessageBox::queueAnswer(MessageBox::Yes);
    QVERIFY(w.sakla());
    QCOMPARE(DataContext::instance().calismaYili, 2024);
    QCOMPARE(balance("S1"), 1000.0);
}

// Every combination of the five marks: the state read from the fields is the one
// the lists select the row by.
void TestLifecycleFaults::stateAgreesWithTheLists()
{
    TestHome home;
    home.openCompany("A1", 2024);
    const char *marks[] = {"cek_ciro_id", "cek_banka_tarihi", "cek_tahsilat_tarihi", "cek_iade_tarihi", "cek_karsiliklsiz_tarihi"};
    QMap<qint64, ChequeState::Received> states;
    for (int combination = 0; combination < 32; ++combination) {
        QVariantMap f{{"cek_tarihi", QDate(2024, 5, 1)}, {"cek_tutari", 10.0}};
        for (int i = 0; i < 5; ++i)
            if (combination & (1 << i)) f[marks[i]] = i == 0 ? QVariant(7) : QVariant(QDate(2024, 4, 1));
        const qint64 key = TestHome::insertRow(company(), "cekgiris", f);
        states[key] = ChequeState::receivedState([&](const char *name) { return f.value(QLatin1String(name)); });
    }
    using C = ChequeList::Choice;
    using S = ChequeState::Received;
    const QList<QPair<C, QList<S>>> lists{{C::Portfoy, {S::Portfolio}},
                                          {C::Banka, {S::AtBank}},
                                          {C::PortfoyBanka, {S::Portfolio, S::AtBankEntry, S::AtBank}},
                                          {C::Tahsil, {S::Collected}}};
    for (const auto &[choice, wanted] : lists)
        for (auto it = states.cbegin(); it != states.cend(); ++it) {
            const bool collectedToo = choice == C::Tahsil;  // the list takes every collected row
            if (collectedToo && it.value() != S::Collected) continue;
            QCOMPARE(listed(choice, it.key()), wanted.contains(it.value()));
        }
    // Each state reads its rows by its own condition.
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        Query q(&company());
        q.reopen({"SELECT cek_ind FROM cekgiris WHERE " + ChequeState::receivedCondition(it.value()) + " AND cek_ind="
                  + QString::number(it.key())});
        QVERIFY2(!q.isEmpty(), qPrintable(ChequeState::receivedText(it.value())));
    }
}

// Received, endorsed, taken back and collected: four lines of its history, in order,
// written by the operations themselves; an undo adds a line of its own.
void TestLifecycleFaults::historyOfACheque()
{
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addAccountCard("C1", "Müşteri Bir");
    TestHome::addAccountCard("S1", "Satıcı Bir");
    const QVector<qint64> k = entrySlip(QDate(2024, 3, 1), {1000});
    Exit e = exitSlip(QDate(2024, 3, 2), 1, {k[0]});
    QVERIFY(e.save().saved);
    QVERIFY(takeBack(e.rows[0][ExitSlip::ColCiroIndex].toLongLong(), 1000, QDate(2024, 3, 3), "S1", "Satıcı Bir").done);
    QVERIFY(collect(k[0], 1000, QDate(2024, 3, 4)).done);
    Table t(&company(), "cekgiris");
    QVERIFY(ChequeOperation::undoCollection(k[0], t).done);
    QCOMPARE(field("SELECT group_concat(islem, '|') FROM (SELECT islem FROM cekislem WHERE cek_turu=1 AND cek_ind="
                   + QString::number(k[0]) + " ORDER BY islem_ind)"),
             QString("Giriş|Ciro|Geri Alındı|Tahsilat|Tahsilat Kaldırıldı"));
}

QTEST_MAIN(TestLifecycleFaults)
#include "test_lifecycle_faults.moc"
