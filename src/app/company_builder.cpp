#include "app/company_builder.h"

#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "given/exit_slip_rows.h"
#include "given/exit_slip_save.h"
#include "given/given_take_back.h"
#include "issued/issued_payment.h"
#include "received/cheque_operations.h"
#include "received/entry_slip_save.h"

namespace CompanyBuilder {
namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }

QString moneyCell(double v) { return formatFloat(QStringLiteral("#,##0.00"), v); }
QString dateText(const QDate &d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }
QString rateText(double rate) { return formatFloat(QStringLiteral("0.####"), rate); }

// A table over the one row of a key: the operations reopen their table, which
// stays cheap however many cheques the company holds.
struct OneRow {
    Table t;
    OneRow(Connection *c, const QString &table, const QString &keyField, qint64 key) : t(c, table)
    {
        t.setMasterLink(keyField, key);
        t.open();
    }
};

} // namespace

Saved entrySlip(const QDate &date, const Account &from, const QString &currency, double rate,
                const QVector<Cheque> &cheques)
{
    using namespace EntrySlip;
    Header h;
    h.slipDate = date;
    h.code = from.code;
    h.name = from.name;
    h.accountType = from.kind;
    h.currency = currency;
    h.kuru = rateText(rate);
    Params p;
    p.slipDate = date;
    QVector<QStringList> rows;
    for (const Cheque &c : cheques) {
        QStringList r(ColumnCount);
        r[ColNo] = QString::number(rows.size() + 1);
        r[ColVade] = dateText(c.due);
        r[ColTutar] = moneyCell(c.amount);
        r[ColDuzenleyen] = c.drawer;
        r[ColBanka] = c.bank;
        r[ColSube] = c.branch;
        r[ColHesapNo] = c.accountNo;
        r[ColCekNo] = c.number;
        r[ColAciklama] = c.description;
        rows << r;
    }
    // A new slip only appends: its tables need no rows of their own.
    Table slips(&company(), QStringLiteral("cekbordro"));
    slips.setMasterLink(QStringLiteral("bordro_ind"), 0);
    slips.open();
    Table received(&company(), QStringLiteral("cekgiris"));
    received.setMasterLink(QStringLiteral("cek_ind"), 0);
    received.open();
    Saved out;
    const SaveResult r = saveSlip(h, p, rows, Datasets{slips, received});
    if (!r.saved) {
        out.message = r.message;
        return out;
    }
    out.slip = h.number;
    for (const QStringList &row : rows) out.keys << row[ColKey].toLongLong();
    return out;
}

Saved exitSlip(const QDate &date, const Account &to, const QString &currency, double rate,
               const QVector<qint64> &received, const QVector<Cheque> &own)
{
    using namespace ExitSlip;
    Header h;
    h.slipDate = date;
    h.code = to.code;
    h.name = to.name;
    h.exitType = to.kind;
    h.currency = currency;
    h.kuru = rateText(rate);
    Params p;
    p.slipDate = date;
    p = exitParams(p);
    QVector<QStringList> rows;
    for (qint64 key : received) {
        OneRow cheque(&company(), QStringLiteral("cekgiris"), QStringLiteral("cek_ind"), key);
        QStringList r(ExitColumnCount);
        r[EntrySlip::ColNo] = QString::number(rows.size() + 1);
        fillFromReceived(r, cheque.t);
        rows << r;
    }
    for (const Cheque &c : own) {
        OwnCheque o;
        o.due = c.due;
        o.currency = currency;
        o.amount = c.amount;
        o.bank = c.bank;
        o.branch = c.branch;
        o.account = c.accountNo;
        o.number = c.number;
        o.description = c.description;
        QStringList r(ExitColumnCount);
        r[EntrySlip::ColNo] = QString::number(rows.size() + 1);
        fillOwnCheque(r, o, c.drawer);
        rows << r;
    }
    Table slips(&company(), QStringLiteral("cikisbordro"));
    slips.setMasterLink(QStringLiteral("bordro_ind"), 0);
    slips.open();
    Table given(&company(), QStringLiteral("cekciro"));
    given.setMasterLink(QStringLiteral("ciro_cek_ind"), 0);
    given.open();
    // The received cheques the slip marks: only those of this slip.
    Table receivedRows(&company(), QStringLiteral("cekgiris"));
    receivedRows.setMasterLink(QStringLiteral("cek_ind"), 0);
    receivedRows.open();
    Table ownRows(&company(), QStringLiteral("cekkendi"));
    ownRows.setMasterLink(QStringLiteral("cek_ind"), 0);
    ownRows.open();
    Saved out;
    const SaveResult r = saveSlip(h, p, rows, Datasets{slips, given, receivedRows, ownRows});
    if (!r.saved) {
        out.message = r.message;
        return out;
    }
    out.slip = h.number;
    for (const QStringList &row : rows)
        out.keys << (isOwnCheque(row) ? storedOwnKey(row) : row[ColCiroIndex].toLongLong());
    return out;
}

QString collect(qint64 cheque, const QDate &date, double rate, bool cashRow)
{
    OneRow row(&company(), QStringLiteral("cekgiris"), QStringLiteral("cek_ind"), cheque);
    if (row.t.isEmpty()) return ChequeOperation::kChequeMissing;
    ChequeOperation::Values v = ChequeOperation::fromReceived(row.t, ChequeOperation::Window::Collection, date);
    v.tarih = date;
    v.kuru = rateText(rate);
    v.box = cashRow;
    ChequeOperation::hesaplaForAction(v);
    Table cash(&DataContext::instance().kasaConnection, QStringLiteral("nakit"));
    cash.setMasterLink(QStringLiteral("cekid"), cheque);
    cash.open();
    return ChequeOperation::collect(v, row.t, cash).message;
}

QString giveBack(qint64 cheque, const QDate &date, double rate)
{
    OneRow row(&company(), QStringLiteral("cekgiris"), QStringLiteral("cek_ind"), cheque);
    if (row.t.isEmpty()) return ChequeOperation::kChequeMissing;
    ChequeOperation::Values v = ChequeOperation::fromReceived(row.t, ChequeOperation::Window::Return, date);
    v.tarih = date;
    v.kuru = rateText(rate);
    v.box = true;
    ChequeOperation::hesaplaForAction(v);
    return ChequeOperation::giveBack(v, row.t).message;
}

QString takeBackGiven(qint64 givenRow, const QDate &date, double rate)
{
    OneRow given(&company(), QStringLiteral("cekciro"), QStringLiteral("ciro_cek_ind"), givenRow);
    if (given.t.isEmpty()) return ChequeOperation::kChequeMissing;
    GivenTakeBack::Values v = GivenTakeBack::fromGiven(given.t);
    OneRow received(&company(), QStringLiteral("cekgiris"), QStringLiteral("cek_ind"), v.girisNo.toLongLong());
    v.tarih = date;
    v.kuru = rateText(rate);
    v.box = true;
    return GivenTakeBack::takeBack(v, GivenTakeBack::Mode::Cirolanan, given.t, received.t).message;
}

QString takeBackOwn(qint64 ownCheque, const QDate &date, double rate)
{
    OneRow own(&company(), QStringLiteral("cekkendi"), QStringLiteral("cek_ind"), ownCheque);
    if (own.t.isEmpty()) return ChequeOperation::kChequeMissing;
    GivenTakeBack::Values v = GivenTakeBack::fromOwn(own.t);
    OneRow received(&company(), QStringLiteral("cekgiris"), QStringLiteral("cek_ind"), 0);
    v.tarih = date;
    v.kuru = rateText(rate);
    v.box = true;
    return GivenTakeBack::takeBack(v, GivenTakeBack::Mode::Duzenlenen, own.t, received.t).message;
}

namespace {

QString bounce(const QString &table, ChequeOperation::Source source, qint64 key, const QDate &date)
{
    OneRow row(&company(), table, QStringLiteral("cek_ind"), key);
    if (row.t.isEmpty()) return ChequeOperation::kChequeMissing;
    ChequeOperation::Values v = ChequeOperation::cardFields(row.t);
    v.kayitNo = QString::number(key);
    v.tarih = date;
    return ChequeOperation::bounce(v, source, row.t).message;
}

} // namespace

QString bounceReceived(qint64 cheque, const QDate &date)
{
    return bounce(QStringLiteral("cekgiris"), ChequeOperation::Source::Portfoy, cheque, date);
}

QString bounceOwn(qint64 ownCheque, const QDate &date)
{
    return bounce(QStringLiteral("cekkendi"), ChequeOperation::Source::Duzenlenen, ownCheque, date);
}

QString payOwn(qint64 ownCheque, const QDate &date)
{
    return IssuedPayment::odemeTarihiYaz(company(), ownCheque, date) == IssuedPayment::Outcome::Written
               ? QString()
               : IssuedPayment::kNotFound;
}

} // namespace CompanyBuilder
