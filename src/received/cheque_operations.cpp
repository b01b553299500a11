#include "received/cheque_operations.h"

#include "accounts/cheque_return.h"
#include "accounts/movement_writer.h"
#include "cash/cash_row_writer.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/statement.h"
#include "data/table.h"
#include "data/transaction.h"
#include "data/typed_numbers.h"
#include "data/year_files.h"
#include "data/operation_log.h"
#include "received/cheque_lifecycle.h"

#include <memory>
#include <sqlite3.h>

namespace ChequeOperation {
namespace {

using ChequeState::Operation;
using ChequeState::Received;
using Lifecycle::Refused;
using Lifecycle::Row;

// The working year follows the operation's date when it writes a movement.
bool switchYear(const Values &v, Result &r)
{
    DataContext &ctx = DataContext::instance();
    if (!v.tarih.isValid() || v.tarih.year() == ctx.calismaYili) return true;
    try {
        if (kasadegistir(v.tarih.year())) return true;
        r.message = kCashTemplateMissing;
    } catch (const EngineError &e) {
        r.message = e.message();
    }
    return false;
}

// Why the received cheque's state refuses the operation; empty when it allows it.
// A cheque still held by an exit slip (its endorsement undone but the slip's row
// kept) can neither be collected nor returned: the slip's debit would stay.
QString refusalOfReceived(Connection &company, const Row &c, Operation op)
{
    if (!c.found) return kChequeMissing;
    const Received state = ChequeState::receivedState(c.getter());
    if (!ChequeState::allows(op, state)) return Lifecycle::refusal(c, ChequeState::receivedText(state));
    // A bank collects the cheque it holds; a redone operation corrects itself.
    const bool mayBeHeld = (op == Operation::Collect && (state == Received::AtBank || state == Received::Collected))
                           || (op == Operation::Return && state == Received::Returned);
    if ((op == Operation::Collect || op == Operation::Return) && !mayBeHeld) {
        if (const qint64 slip = Lifecycle::holdingSlip(company, c.integer("cek_ind"))) return Lifecycle::heldMessage(c, slip);
    }
    return QString();
}

// The cheque read again inside the transaction must still allow the operation.
Row rereadReceived(Connection &company, qint64 key, Operation op)
{
    Row c = Lifecycle::readReceived(company, key);
    if (const QString why = refusalOfReceived(company, c, op); !why.isEmpty()) throw Refused{why};
    return c;
}

// Runs the row updates of an operation on the company file as one statement.
void updateReceived(Connection &company, qint64 key, const QStringList &fields, const QVariantList &values)
{
    QStringList sets;
    for (int i = 0; i < fields.size(); ++i) sets << fields[i] + QStringLiteral("=?") + QString::number(i + 1);
    Statement &st = company.cached(QStringLiteral("UPDATE %1 SET %2 WHERE cek_ind=?%3")
                                       .arg(company.tableRef(QStringLiteral("cekgiris")), sets.join(u','))
                                       .arg(fields.size() + 1));
    st.reset();
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &v = values[i];
        if (v.isNull() || !v.isValid()) st.bindNull(i + 1);
        else if (v.typeId() == QMetaType::QDate) st.bindText(i + 1, v.toDate().toString(Qt::ISODate));
        else if (v.typeId() == QMetaType::Double) st.bindDouble(i + 1, v.toDouble());
        else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) st.bindInt(i + 1, v.toLongLong());
        else st.bindText(i + 1, v.toString());
    }
    st.bindInt(int(fields.size()) + 1, key);
    st.execute();
    st.reset();
    company.noteWrite(nullptr);
}

// The result of an operation's save: done, or its message with the window's
// table read again after an engine error.
bool finished(const Lifecycle::Outcome &o, Table &cheques, Result &r)
{
    if (o.engineError) recoverAfterFailure(cheques);
    r.done = o.done;
    r.message = o.message;
    return o.done;
}

// A foreign cheque's TL value comes from the day's rate: without one the foreign
// amount would be stored as TL.
bool rateMissing(const Values &v)
{
    return v.para != QLatin1String("TL") && !v.para.isEmpty() && !(sayiOku(v.kuru) > 0);
}

} // namespace

void hesapla(Values &v)
{
    const double rate = sayiOku(v.kuru);
    const double amount = sayiOku(v.tutar);
    if (!(rate > 0)) {
        v.tl = money(amount);
        v.kurFarki = money(0);
        return;
    }
    v.tl = money(roundKurus(rate * amount));
    v.kurFarki = money(roundKurus(sayiOku(v.tl) - sayiOku(v.girisTL)));
}

void hesaplaForAction(Values &v)
{
    hesapla(v);
    if (v.para == QLatin1String("TL")) {
        v.kuru = QStringLiteral("1");
        v.tl = v.tutar;
        v.kurFarki = QStringLiteral("0");
    }
}

Result collect(Values &v, Table &cheques, Table &cash)
{
    Q_UNUSED(cash);  // the cash row is written by its key, never through a view's pending row
    Result r;
    DataContext &ctx = DataContext::instance();
    Connection &company = ctx.ADOConnection1;
    const qint64 key = keyOf(v.kayitNo);
    Row before;
    try {
        hesaplaForAction(v);
        before = Lifecycle::readReceived(company, key);
        if (const QString why = refusalOfReceived(company, before, Operation::Collect); !why.isEmpty()) {
            r.message = why;
            return r;
        }
        if (rateMissing(v)) {
            r.message = kRateNeeded;
            return r;
        }
    } catch (const EngineError &e) {
        r.message = e.message();
        return r;
    }
    if (v.box && !switchYear(v, r)) return r;
    // A collection made before left its cash row in its own date's year.
    const bool redo = ChequeState::receivedState(before.getter()) == Received::Collected;
    std::unique_ptr<YearFiles::Others> others;
    if (redo) others = Lifecycle::otherYearsFor(before.date("cek_tahsilat_tarihi"));
    const QVariant rate = rateValue(v.kuru);
    const double tl = roundKurus(sayiOku(v.tl));
    const double difference = roundKurus(sayiOku(v.kurFarki));
    const double amount = roundKurus(sayiOku(v.tutar));
    const Lifecycle::Outcome o = Lifecycle::inOneSave(others.get(), [&] {
        const Row c = rereadReceived(company, key, Operation::Collect);
        updateReceived(company, key,
                       {QStringLiteral("cek_tahsilat_tarihi"), QStringLiteral("cek_tahsil_kuru"),
                        QStringLiteral("cek_tahsil_TL"), QStringLiteral("cek_kur_farki")},
                       {v.tarih, rate.isNull() ? QVariant() : QVariant(rate.toDouble()), tl, difference});
        OperationLog::Entry e = Lifecycle::logEntry(c, OperationLog::Kind::Received, QStringLiteral("Tahsilat"), v.tarih);
        e.tl = tl;
        e.cashYear = v.box ? ctx.calismaYili : 0;
        OperationLog::write(company, e);
        if (v.box) {
            MovementWriter::postRow(ctx.kasaConnection, QStringLiteral("nakit"), QStringLiteral("nid"),
                                    Lifecycle::collectionKey(key),
                                    {{QStringLiteral("islem_tarihi"), v.tarih},
                                     {QStringLiteral("doviz_kuru"), rate},
                                     {QStringLiteral("doviz_cinsi"), v.para},
                                     {QStringLiteral("borc_tutar"), amount},
                                     {QStringLiteral("doviz_borc"), tl},
                                     {QStringLiteral("aciklama"),
                                      ChequeReturn::description(v.bankasi, v.cekNo, v.vadesi, ChequeReturn::kCollectionSuffix)},
                                     {QStringLiteral("neden"), kCollectionReason}});
        } else {
            // Collected without a cash receipt: a receipt of an earlier collection goes.
            MovementWriter::removeRows(ctx.kasaConnection, QStringLiteral("nakit"), Lifecycle::collectionKey(key));
        }
        if (others) Lifecycle::removeInOtherYears(others->connections(), QStringLiteral("nakit"), Lifecycle::collectionKey(key));
    });
    if (!finished(o, cheques, r)) return r;
    ctx.announce({DataKind::Cheques, DataKind::Cash, DataKind::Movements});
    return r;
}

Result giveBack(Values &v, Table &cheques)
{
    Result r;
    DataContext &ctx = DataContext::instance();
    Connection &company = ctx.ADOConnection1;
    const qint64 key = keyOf(v.kayitNo);
    Row before;
    try {
        hesaplaForAction(v);
        before = Lifecycle::readReceived(company, key);
        if (const QString why = refusalOfReceived(company, before, Operation::Return); !why.isEmpty()) {
            r.message = why;
            return r;
        }
    } catch (const EngineError &e) {
        r.message = e.message();
        return r;
    }
    if (v.box && !switchYear(v, r)) return r;
    const bool redo = ChequeState::receivedState(before.getter()) == Received::Returned;
    std::unique_ptr<YearFiles::Others> others;
    if (redo) others = Lifecycle::otherYearsFor(before.date("cek_iade_tarihi"));
    const MovementWriter::Fields movementKey = ChequeReturn::movementKey(key, ChequeReturn::Kind::Received);
    const Lifecycle::Outcome o = Lifecycle::inOneSave(others.get(), [&] {
        const Row c = rereadReceived(company, key, Operation::Return);
        updateReceived(company, key, {QStringLiteral("cek_iade_tarihi")}, {v.tarih});
        OperationLog::Entry e = Lifecycle::logEntry(c, OperationLog::Kind::Received, QStringLiteral("İade"), v.tarih);
        e.tl = roundKurus(sayiOku(v.tl));
        e.cashYear = v.box ? ctx.calismaYili : 0;
        OperationLog::write(company, e);
        if (v.box) postReturnMovement(v, key, ChequeReturn::Kind::Received);
        else MovementWriter::remove(ctx.kasaConnection, movementKey);
        if (others) Lifecycle::removeInOtherYears(others->connections(), QStringLiteral("carihareket"), movementKey);
    });
    if (!finished(o, cheques, r)) return r;
    ctx.announce({DataKind::Cheques, DataKind::Movements});
    return r;
}

Source sourceOf(const QString &karsiliksizKaynak)
{
    if (karsiliksizKaynak == QLatin1String("Portfoy")) return Source::Portfoy;
    if (karsiliksizKaynak == QLatin1String("Cirolanan")) return Source::Cirolanan;
    if (karsiliksizKaynak == QLatin1String("Duzenlenen")) return Source::Duzenlenen;
    return Source::None;
}

namespace {

// The state of the bounce window's cheque in its own table; empty when it allows a bounce.
QString refusalOfBounce(const Row &c, Source source)
{
    if (!c.found) return kChequeMissing;
    switch (source) {
    case Source::Portfoy: {
        const Received s = ChequeState::receivedState(c.getter());
        if (ChequeState::allows(Operation::BounceReceived, s)) return QString();
        if (s == Received::Endorsed)
            return Lifecycle::refusal(c, ChequeState::receivedText(s))
                   + QStringLiteral("\n\rCiro edilmiş çekin karşılıksızlığını Cirolanan Çek Listesinden işleyiniz.");
        return Lifecycle::refusal(c, ChequeState::receivedText(s));
    }
    case Source::Cirolanan: {
        const ChequeState::Given s = ChequeState::givenState(c.getter());
        return ChequeState::allows(Operation::BounceGiven, s) ? QString() : Lifecycle::refusal(c, ChequeState::givenText(s));
    }
    case Source::Duzenlenen: {
        const ChequeState::Own s = ChequeState::ownState(c.getter());
        return ChequeState::allows(Operation::BounceOwn, s) ? QString() : Lifecycle::refusal(c, ChequeState::ownText(s));
    }
    case Source::None: break;
    }
    return QString();
}

} // namespace

Result bounce(Values &v, Source source, Table &table)
{
    Result r;
    if (source == Source::None) {
        r.done = true;
        return r;
    }
    const QString tableName = source == Source::Portfoy     ? QStringLiteral("cekgiris")
                              : source == Source::Cirolanan ? QStringLiteral("cekciro")
                                                            : QStringLiteral("cekkendi");
    const QString keyField = source == Source::Cirolanan ? QStringLiteral("ciro_cek_ind") : QStringLiteral("cek_ind");
    const qint64 key = keyOf(v.kayitNo);
    Connection &company = DataContext::instance().ADOConnection1;
    try {
        hesaplaForAction(v);
        TransactionScope tx{&company};
        const Row c = Lifecycle::read(company, tableName, keyField, key);
        if (const QString why = refusalOfBounce(c, source); !why.isEmpty()) {
            r.message = why;
            return r;
        }
        company.exec(QStringLiteral("UPDATE %1 SET cek_karsiliklsiz_tarihi='%2' WHERE %3=%4")
                         .arg(company.tableRef(tableName), v.tarih.toString(Qt::ISODate), keyField)
                         .arg(key));
        OperationLog::Entry e =
            Lifecycle::logEntry(c, source == Source::Duzenlenen ? OperationLog::Kind::Own : OperationLog::Kind::Received,
                                source == Source::Cirolanan ? QStringLiteral("Karşılıksız (verilen)") : QStringLiteral("Karşılıksız"),
                                v.tarih);
        if (source == Source::Cirolanan) {
            // A given cheque's events belong to the received cheque it came from.
            e.cheque = c.integer("cek_giris_id");
            e.slip = c.integer("ciro_bordro_ind");
            e.account = c.text("Ciro_firma_kodu");
        }
        if (e.cheque > 0) OperationLog::write(company, e);
        company.noteWrite(nullptr);
        tx.commit();
    } catch (const EngineError &e) {
        cancelPending(table);
        r.message = e.message();
        return r;
    }
    r.done = true;
    DataContext::instance().announce({DataKind::Cheques});
    return r;
}

Result undoCollection(qint64 chequeKey, Table &cheques)
{
    Result r;
    DataContext &ctx = DataContext::instance();
    Connection &company = ctx.ADOConnection1;
    const MovementWriter::Fields key = Lifecycle::collectionKey(chequeKey);
    std::unique_ptr<YearFiles::Others> others;
    try {
        // The collection's cash row goes with it, from whichever year's file holds it.
        others = Lifecycle::otherYearsFor(Lifecycle::readReceived(company, chequeKey).date("cek_tahsilat_tarihi"));
    } catch (const EngineError &e) {
        r.message = e.message();
        return r;
    }
    const Lifecycle::Outcome o = Lifecycle::inOneSave(others.get(), [&] {
        const Row c = rereadReceived(company, chequeKey, Operation::UndoCollect);
        OperationLog::write(company, Lifecycle::logEntry(c, OperationLog::Kind::Received, QStringLiteral("Tahsilat Kaldırıldı"),
                                                         QDate::currentDate()));
        updateReceived(company, chequeKey,
                       {QStringLiteral("cek_tahsilat_tarihi"), QStringLiteral("cek_tahsil_kuru"),
                        QStringLiteral("cek_tahsil_TL"), QStringLiteral("cek_kur_farki")},
                       {QVariant(), QVariant(), QVariant(), QVariant()});
        if (ctx.kasaConnection.isOpen()) MovementWriter::removeRows(ctx.kasaConnection, QStringLiteral("nakit"), key);
        if (others) Lifecycle::removeInOtherYears(others->connections(), QStringLiteral("nakit"), key);
    });
    if (!finished(o, cheques, r)) return r;
    ctx.announce({DataKind::Cheques, DataKind::Cash, DataKind::Movements});
    return r;
}

Result undoReturn(qint64 chequeKey, Table &cheques)
{
    Result r;
    DataContext &ctx = DataContext::instance();
    Connection &company = ctx.ADOConnection1;
    const MovementWriter::Fields movementKey = ChequeReturn::movementKey(chequeKey, ChequeReturn::Kind::Received);
    std::unique_ptr<YearFiles::Others> others;
    try {
        others = Lifecycle::otherYearsFor(Lifecycle::readReceived(company, chequeKey).date("cek_iade_tarihi"));
    } catch (const EngineError &e) {
        r.message = e.message();
        return r;
    }
    const Lifecycle::Outcome o = Lifecycle::inOneSave(others.get(), [&] {
        const Row c = rereadReceived(company, chequeKey, Operation::UndoReturn);
        OperationLog::write(company, Lifecycle::logEntry(c, OperationLog::Kind::Received, QStringLiteral("İade Kaldırıldı"),
                                                         QDate::currentDate()));
        updateReceived(company, chequeKey, {QStringLiteral("cek_iade_tarihi")}, {QVariant()});
        if (ctx.kasaConnection.isOpen()) MovementWriter::remove(ctx.kasaConnection, movementKey);
        if (others) Lifecycle::removeInOtherYears(others->connections(), QStringLiteral("carihareket"), movementKey);
    });
    if (!finished(o, cheques, r)) return r;
    ctx.announce({DataKind::Cheques, DataKind::Movements});
    return r;
}

Result undoExit(qint64 chequeKey, Table &cheques)
{
    Result r;
    Connection &company = DataContext::instance().ADOConnection1;
    const Lifecycle::Outcome o = Lifecycle::inOneSave(nullptr, [&] {
        const Row c = rereadReceived(company, chequeKey, Operation::UndoExit);
        OperationLog::Entry e = Lifecycle::logEntry(c, OperationLog::Kind::Received, QStringLiteral("Çıkış Kaldırıldı"),
                                                    QDate::currentDate());
        e.slip = c.integer("cek_ciro_id");
        OperationLog::write(company, e);
        // The exit slip keeps its row and its debit, so the cheque stays held by
        // that slip: it cannot go on another slip until it leaves this one.
        updateReceived(company, chequeKey,
                       {QStringLiteral("cek_ciro_id"), QStringLiteral("cek_ciro_kime"), QStringLiteral("cek_ciro_tarihi")},
                       {QVariant(), QVariant(), QVariant()});
    });
    if (!finished(o, cheques, r)) return r;
    DataContext::instance().announce({DataKind::Cheques});
    return r;
}

} // namespace ChequeOperation

#include "data/dataset.h"

namespace ChequeOperation {

QString money(double value) { return formatFloat(QStringLiteral("#,##0.00"), value); }

Values cardFields(Dataset &row)
{
    const auto text = [&](const char *f) { return row.field(QString::fromLatin1(f)).asString(); };
    Values v;
    v.tutar = money(row.field(QStringLiteral("cek_tutari")).asFloat());
    v.girisTL = money(row.field(QStringLiteral("cekTL_karsiligi")).asFloat());
    v.para = text("para_birimi");
    v.cekNo = text("cek_no");
    v.bankasi = text("cek_bankasi");
    v.subesi = text("cek_subesi");
    v.duzenleyen = text("ceki_duzenleyen");
    v.vadesi = row.field(QStringLiteral("cek_tarihi")).asDate();
    return v;
}

Values fromReceived(Dataset &row, Window window, const QDate &listDate)
{
    const auto text = [&](const char *f) { return row.field(QString::fromLatin1(f)).asString(); };
    const auto amount = [&](const char *f) { return money(row.field(QString::fromLatin1(f)).asFloat()); };
    Values v = cardFields(row);
    v.kayitNo = text("cek_ind");
    v.bordroNo = text("bordro_ind");
    v.firmaAdi = text("alindigi_firma");
    v.firmaKodu = text("alindigi_firma_kodu");
    const char *own = window == Window::Collection ? "cek_tahsilat_tarihi"
                      : window == Window::Return   ? "cek_iade_tarihi"
                                                   : "cek_karsiliklsiz_tarihi";
    const QDate stored = row.field(QString::fromLatin1(own)).asDate();
    v.tarih = stored.isValid() ? stored : window == Window::Return ? QDate::currentDate() : listDate;
    v.kuru = row.field(QStringLiteral("cek_tahsil_kuru")).isNull() ? QString() : text("cek_tahsil_kuru");
    v.tl = amount("cek_tahsil_TL");
    v.kurFarki = amount("cek_kur_farki");
    return v;
}

Values fromDashboard(Dataset &cheque)
{
    Values v = fromReceived(cheque, Window::Collection, cheque.field(QStringLiteral("cek_tarihi")).asDate());
    if (cheque.field(QStringLiteral("cek_tahsil_TL")).isNull()) v.tl.clear();
    if (cheque.field(QStringLiteral("cek_kur_farki")).isNull()) v.kurFarki = QStringLiteral("0");
    return v;
}

qint64 keyOf(const QString &text)
{
    if (text.trimmed().isEmpty()) return 0;
    try {
        return strictInteger(text.trimmed());
    } catch (const EngineError &) {
        return 0;
    }
}

QVariant rateValue(const QString &kuru)
{
    if (kuru.trimmed().isEmpty()) return QVariant();
    return sayiOku(kuru);
}

bool findCheque(Table &t, const QString &keyField, qint64 key)
{
    if (t.isActive() && (t.state() == Dataset::State::Edit || t.state() == Dataset::State::Insert)) t.cancel();
    t.close();
    t.setFiltered(false);
    t.open();
    return key > 0 && t.locate(keyField, key);
}

void postReturnMovement(const Values &v, qint64 key, ChequeReturn::Kind kind)
{
    // A returned received cheque is owed again by the account; a cheque taken back
    // reverses the debit its exit slip posted.
    const bool debit = kind == ChequeReturn::Kind::Received;
    MovementWriter::post(DataContext::instance().kasaConnection, ChequeReturn::movementKey(key, kind),
                         {{QStringLiteral("islem_tarihi"), v.tarih},
                          {QStringLiteral("doviz_kuru"), rateValue(v.kuru)},
                          {QStringLiteral("doviz_cinsi"), v.para},
                          {QStringLiteral("cari_kodu"), v.firmaKodu},
                          {QStringLiteral("cari_hesap_adi"), v.firmaAdi},
                          {debit ? QStringLiteral("borc_tutari") : QStringLiteral("alacak_tutari"), roundKurus(sayiOku(v.tutar))},
                          {debit ? QStringLiteral("doviz_borc") : QStringLiteral("doviz_alacak"), roundKurus(sayiOku(v.tl))},
                          {QStringLiteral("aciklama"),
                           ChequeReturn::description(v.bankasi, v.cekNo, v.vadesi, ChequeReturn::kReturnSuffix)}});
}

void cancelPending(Table &t)
{
    try {
        if (t.isActive() && (t.state() == Dataset::State::Edit || t.state() == Dataset::State::Insert)) t.cancel();
    } catch (...) {
    }
}

void recoverAfterFailure(Table &t)
{
    cancelPending(t);
    try {
        // Read again (or opened) as the files hold them, ready for the next try.
        if (t.isActive()) t.refresh();
        else t.open();
    } catch (...) {
    }
}

} // namespace ChequeOperation
