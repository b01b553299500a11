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

namespace GivenTakeBack {
namespace {

using ChequeOperation::findCheque;
using ChequeOperation::keyOf;
using ChequeOperation::recoverAfterFailure;
using ChequeOperation::money;
using ChequeOperation::rateValue;

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

Result takeBack(Values &v, Mode mode, Table &given, Table &received)
{
    Result r;
    if (mode == Mode::None) {
        r.message = ChequeOperation::kChequeMissing;
        return r;
    }
    const bool endorsed = mode == Mode::Cirolanan;
    const QString keyField = endorsed ? QStringLiteral("ciro_cek_ind") : QStringLiteral("cek_ind");
    const qint64 key = keyOf(v.kayitNo);
    const qint64 entry = endorsed ? keyOf(v.girisNo) : 0;

    // Everything is checked before anything is written or switched.
    try {
        ChequeOperation::hesaplaForAction(v);
        if (!findCheque(given, keyField, key) || (endorsed && !findCheque(received, QStringLiteral("cek_ind"), entry))) {
            r.message = ChequeOperation::kChequeMissing;
            return r;
        }
    } catch (const EngineError &e) {
        r.message = e.message();
        return r;
    }
    if (v.box && !switchYear(v.tarih, r)) return r;

    DataContext &ctx = DataContext::instance();
    try {
        // The switch closed only the cash datasets; the cheque rows stand where they were.
        if (!given.locate(keyField, key) || (endorsed && !received.locate(QStringLiteral("cek_ind"), entry))) {
            r.message = ChequeOperation::kChequeMissing;
            return r;
        }
        // The received cheque goes back into the portfolio only while it is still
        // out on this cheque's exit slip: one endorsed again since then stays out.
        bool backToPortfolio = false;
        if (endorsed) {
            const Field slip = received.field(QStringLiteral("cek_ciro_id"));
            backToPortfolio = slip.isNull()
                              || slip.asInteger() == given.field(QStringLiteral("ciro_bordro_ind")).asInteger();
        }
        const ChequeReturn::Kind kind = endorsed ? ChequeReturn::Kind::Given : ChequeReturn::Kind::Own;

        TransactionScope tx{given.connection(), v.box ? &ctx.kasaConnection : nullptr};
        given.edit();
        given.field(QStringLiteral("cek_iade_tarihi")) = v.tarih;
        given.post();
        if (backToPortfolio) {
            received.edit();
            received.field(QStringLiteral("cek_ciro_id")) = QVariant();
            received.field(QStringLiteral("cek_ciro_tarihi")) = QVariant();
            received.post();
        }
        // A credit: it reverses the debit the exit slip posted for the cheque.
        if (v.box) postReturnMovement(v, key, kind);
        tx.commit();
    } catch (const EngineError &e) {
        recoverAfterFailure(given);
        recoverAfterFailure(received);
        r.message = e.message();
        return r;
    }
    r.done = true;
    if (v.box) ctx.announce({DataKind::Cheques, DataKind::Movements});
    else ctx.announce({DataKind::Cheques});
    return r;
}

} // namespace GivenTakeBack
