#include "given/given_take_back.h"

#include "accounts/cheque_return.h"
#include "accounts/movement_writer.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "data/dataset.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/table.h"
#include "data/transaction.h"
#include "data/typed_numbers.h"
#include "received/cheque_operations.h"
#include "data/year_files.h"
#include "data/operation_log.h"
#include "given/exit_slip_share.h"
#include "data/display_format.h"
#include "received/cheque_lifecycle.h"

#include <memory>

namespace GivenTakeBack {
namespace {

using ChequeOperation::findCheque;
using ChequeOperation::keyOf;
using ChequeOperation::recoverAfterFailure;
using ChequeOperation::money;
using ChequeOperation::rateValue;
using ChequeOperation::postReturnMovement;

// The working year follows the return date when the take-back posts a movement.
bool switchYear(const QDate &date, Result &r)
{
    if (!date.isValid() || date.year() == DataContext::instance().calismaYili) return true;
    try {
        if (kasadegistir(date.year())) return true;
        r.message = kCashTemplateMissing;
    } catch (const EngineError &e) {
        r.message = e.message();
    }
    return false;
}

// The fields both openers fill alike.
Values common(Dataset &row)
{
    const auto text = [&](const char *f) { return row.field(QString::fromLatin1(f)).asString(); };
    Values v;
    static_cast<ChequeOperation::Values &>(v) = ChequeOperation::cardFields(row);
    const QDate returned = row.field(QStringLiteral("cek_iade_tarihi")).asDate();
    v.tarih = returned.isValid() ? returned : QDate::currentDate();
    const Field difference = row.field(QStringLiteral("cek_kur_farki"));
    v.kurFarki = difference.isNull() ? QStringLiteral("0") : money(difference.asFloat());
    // The cheque's own rate, and what it gives today.
    v.kuru = row.field(QStringLiteral("cek_doviz_kuru")).isNull() ? QString() : text("cek_doviz_kuru");
    try {
        ChequeOperation::hesapla(v);
    } catch (const EngineError &) {
        v.kuru.clear();
        ChequeOperation::hesapla(v);
    }
    return v;
}

} // namespace

Mode modeOf(const QString &verilenIadeTuru)
{
    if (verilenIadeTuru == QLatin1String("Cirolanan")) return Mode::Cirolanan;
    if (verilenIadeTuru == QLatin1String("Duzenlenen")) return Mode::Duzenlenen;
    return Mode::None;
}

Values fromGiven(Dataset &row)
{
    Values v = common(row);
    v.kayitNo = row.field(QStringLiteral("ciro_cek_ind")).asString();
    v.girisNo = row.field(QStringLiteral("cek_giris_id")).asString();
    v.bordroNo = row.field(QStringLiteral("ciro_bordro_ind")).asString();
    v.firmaAdi = row.field(QStringLiteral("ciro_firma")).asString();
    v.firmaKodu = row.field(QStringLiteral("Ciro_firma_kodu")).asString();
    return v;
}

Values fromOwn(Dataset &row)
{
    Values v = common(row);
    v.kayitNo = row.field(QStringLiteral("cek_ind")).asString();
    v.bordroNo = row.field(QStringLiteral("bordro_ind")).asString();
    v.firmaAdi = row.field(QStringLiteral("cirolandigi_firma")).asString();
    v.firmaKodu = row.field(QStringLiteral("cirolandigi_firma_kodu")).asString();
    return v;
}

namespace {

using ChequeState::Operation;
using Lifecycle::Refused;
using Lifecycle::Row;

// Why the take-back is refused, from the given row (or own cheque) and, for an
// endorsed cheque taken back the first time, the received cheque it came from.
QString refusalOf(const Row &given, const Row &received, bool endorsed)
{
    if (!given.found || (endorsed && !received.found)) return ChequeOperation::kChequeMissing;
    if (endorsed) {
        const ChequeState::Given s = ChequeState::givenState(given.getter());
        if (!ChequeState::allows(Operation::TakeBackGiven, s)) return Lifecycle::refusal(given, ChequeState::givenText(s));
        if (s != ChequeState::Given::TakenBack) {
            // A cheque the bank collected, or that went back to the customer, is no longer out.
            const ChequeState::Received r = ChequeState::receivedState(received.getter());
            if (r == ChequeState::Received::Collected || r == ChequeState::Received::Returned)
                return Lifecycle::refusal(received, ChequeState::receivedText(r));
        }
    } else {
        const ChequeState::Own s = ChequeState::ownState(given.getter());
        if (!ChequeState::allows(Operation::TakeBackOwn, s)) return Lifecycle::refusal(given, ChequeState::ownText(s));
    }
    return QString();
}

} // namespace

Result takeBack(Values &v, Mode mode, Table &given, Table &received)
{
    Result r;
    if (mode == Mode::None) {
        r.message = ChequeOperation::kChequeMissing;
        return r;
    }
    const bool endorsed = mode == Mode::Cirolanan;
    const QString table = endorsed ? QStringLiteral("cekciro") : QStringLiteral("cekkendi");
    const QString keyField = endorsed ? QStringLiteral("ciro_cek_ind") : QStringLiteral("cek_ind");
    const qint64 key = keyOf(v.kayitNo);
    DataContext &ctx = DataContext::instance();
    Connection &company = ctx.ADOConnection1;

    // Everything is checked before anything is written or switched.
    bool redo = false;
    QDate previous;
    try {
        ChequeOperation::hesaplaForAction(v);
        const Row g = Lifecycle::read(company, table, keyField, key);
        const qint64 entry = endorsed && g.found ? g.integer("cek_giris_id") : 0;
        const Row rc = endorsed ? Lifecycle::readReceived(company, entry) : Row();
        if (const QString why = refusalOf(g, rc, endorsed); !why.isEmpty()) {
            r.message = why;
            return r;
        }
        // The window's "Giriş No" must name the cheque the given row came from.
        if (endorsed && keyOf(v.girisNo) != entry) {
            r.message = ChequeOperation::kChequeMissing;
            return r;
        }
        redo = ChequeState::isSet(g.value("cek_iade_tarihi"));
        previous = g.date("cek_iade_tarihi");
    } catch (const EngineError &e) {
        r.message = e.message();
        return r;
    }
    if (v.box && !switchYear(v.tarih, r)) return r;

    const ChequeReturn::Kind kind = endorsed ? ChequeReturn::Kind::Given : ChequeReturn::Kind::Own;
    const MovementWriter::Fields movementKey = ChequeReturn::movementKey(key, kind);
    std::unique_ptr<YearFiles::Others> others;
    if (redo) others = Lifecycle::otherYearsFor(previous);
    const Lifecycle::Outcome o = Lifecycle::inOneSave(others.get(), [&] {
        const Row g = Lifecycle::read(company, table, keyField, key);
        const qint64 entry = endorsed && g.found ? g.integer("cek_giris_id") : 0;
        const Row rc = endorsed ? Lifecycle::readReceived(company, entry) : Row();
        if (const QString why = refusalOf(g, rc, endorsed); !why.isEmpty()) throw Refused{why};

        company.exec(QStringLiteral("UPDATE %1 SET cek_iade_tarihi='%2' WHERE %3=%4")
                         .arg(company.tableRef(table), v.tarih.toString(Qt::ISODate), keyField)
                         .arg(key));
        // The received cheque goes back into the portfolio only while it is still
        // out on this cheque's exit slip: one endorsed again since then stays out.
        // Back from a bank it leaves the bank; back bounced it stays bounced.
        if (endorsed && !redo) {
            const qint64 slip = g.integer("ciro_bordro_ind");
            const QVariant onSlip = rc.value("cek_ciro_id");
            if (!ChequeState::isSet(onSlip) || onSlip.toLongLong() == slip) {
                QStringList sets{QStringLiteral("cek_ciro_id=NULL"), QStringLiteral("cek_ciro_tarihi=NULL")};
                if (g.integer("cek_banka_id") == 2)
                    sets << QStringLiteral("cek_banka_tarihi=NULL") << QStringLiteral("cek_banka_adi=NULL");
                const QString bounced = g.text("cek_karsiliklsiz_tarihi");
                if (!bounced.isEmpty() && !ChequeState::isSet(rc.value("cek_karsiliklsiz_tarihi")))
                    sets << QStringLiteral("cek_karsiliklsiz_tarihi='%1'").arg(bounced.left(10));
                company.exec(QStringLiteral("UPDATE %1 SET %2 WHERE cek_ind=%3")
                                 .arg(company.tableRef(QStringLiteral("cekgiris")), sets.join(u','))
                                 .arg(entry));
            }
        }
        company.noteWrite(nullptr);
        // A credit: it reverses the share of the slip's debit the cheque carried.
        const double share = endorsed ? ExitSlip::shareOfGiven(company, key) : ExitSlip::shareOfOwn(company, key);
        const double rate = sayiOku(v.kuru);
        const double shareTl = rate > 0 ? roundKurus(share * rate) : share;
        OperationLog::Entry e = Lifecycle::logEntry(endorsed ? rc : g, endorsed ? OperationLog::Kind::Received : OperationLog::Kind::Own,
                                                    QStringLiteral("Geri Alındı"), v.tarih);
        e.slip = endorsed ? g.integer("ciro_bordro_ind") : g.integer("bordro_ind");
        e.account = v.firmaKodu;
        e.amount = v.box ? share : 0;
        e.tl = v.box ? shareTl : 0;
        e.cashYear = v.box ? ctx.calismaYili : 0;
        OperationLog::write(company, e);
        if (v.box) {
            Values posted = v;
            posted.tutar = ChequeOperation::money(share);
            posted.tl = ChequeOperation::money(shareTl);
            postReturnMovement(posted, key, kind);
        } else {
            MovementWriter::remove(ctx.kasaConnection, movementKey);
        }
        if (others) Lifecycle::removeInOtherYears(others->connections(), QStringLiteral("carihareket"), movementKey);
    });
    if (!o.done) {
        if (o.engineError) {
            recoverAfterFailure(given);
            recoverAfterFailure(received);
        }
        r.message = o.message;
        return r;
    }
    r.done = true;
    ctx.announce({DataKind::Cheques, DataKind::Movements});
    return r;
}

} // namespace GivenTakeBack
