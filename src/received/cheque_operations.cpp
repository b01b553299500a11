#include "received/cheque_operations.h"

#include "accounts/cheque_return.h"
#include "accounts/movement_writer.h"
#include "cash/cash_row_writer.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/table.h"
#include "data/transaction.h"
#include "data/typed_numbers.h"

namespace ChequeOperation {
namespace {

// Reads and checks the window's values: the key names a stored cheque and every
// number reads. Returns the key, or 0 with the message set.
qint64 checkFirst(Values &v, Table &table, const QString &keyField, Result &r)
{
    const qint64 key = keyOf(v.kayitNo);
    try {
        hesaplaForAction(v);
        if (!findCheque(table, keyField, key)) {
            r.message = kChequeMissing;
            return 0;
        }
    } catch (const EngineError &e) {
        r.message = e.message();
        return 0;
    }
    return key;
}

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
    Result r;
    const qint64 key = checkFirst(v, cheques, QStringLiteral("cek_ind"), r);
    if (!key) return r;
    if (v.box && !switchYear(v, r)) return r;
    DataContext &ctx = DataContext::instance();
    try {
        // The switch closed the cash datasets; the cheque table is on the company file.
        if (!cheques.locate(QStringLiteral("cek_ind"), key)) {
            r.message = kChequeMissing;
            return r;
        }
        const QVariant rate = rateValue(v.kuru);
        const double tl = roundKurus(sayiOku(v.tl));
        const double difference = roundKurus(sayiOku(v.kurFarki));
        const double amount = roundKurus(sayiOku(v.tutar));
        TransactionScope tx{&ctx.ADOConnection1, v.box ? &ctx.kasaConnection : nullptr};
        cheques.edit();
        cheques.field(QStringLiteral("cek_tahsilat_tarihi")) = v.tarih;
        cheques.field(QStringLiteral("cek_tahsil_kuru")) = rate;
        cheques.field(QStringLiteral("cek_tahsil_TL")) = tl;
        cheques.field(QStringLiteral("cek_kur_farki")) = difference;
        cheques.post();
        if (v.box) {
            CashRowWriter::write(cash, {{QStringLiteral("cekid"), key}},
                                 {{QStringLiteral("islem_tarihi"), v.tarih},
                                  {QStringLiteral("doviz_kuru"), rate},
                                  {QStringLiteral("doviz_cinsi"), v.para},
                                  {QStringLiteral("borc_tutar"), amount},
                                  {QStringLiteral("doviz_borc"), tl},
                                  {QStringLiteral("aciklama"),
                                   ChequeReturn::description(v.bankasi, v.cekNo, v.vadesi, ChequeReturn::kCollectionSuffix)},
                                  {QStringLiteral("neden"), kCollectionReason}});
        }
        tx.commit();
    } catch (const EngineError &e) {
        recoverAfterFailure(cheques);
        r.message = e.message();
        return r;
    }
    r.done = true;
    if (v.box) ctx.announce({DataKind::Cheques, DataKind::Cash, DataKind::Movements});
    else ctx.announce({DataKind::Cheques});
    return r;
}

Result giveBack(Values &v, Table &cheques)
{
    Result r;
    const qint64 key = checkFirst(v, cheques, QStringLiteral("cek_ind"), r);
    if (!key) return r;
    if (v.box && !switchYear(v, r)) return r;
    DataContext &ctx = DataContext::instance();
    try {
        if (!cheques.locate(QStringLiteral("cek_ind"), key)) {
            r.message = kChequeMissing;
            return r;
        }
        TransactionScope tx{&ctx.ADOConnection1, v.box ? &ctx.kasaConnection : nullptr};
        cheques.edit();
        cheques.field(QStringLiteral("cek_iade_tarihi")) = v.tarih;
        cheques.post();
        if (v.box) postReturnMovement(v, key, ChequeReturn::Kind::Received);
        tx.commit();
    } catch (const EngineError &e) {
        recoverAfterFailure(cheques);
        r.message = e.message();
        return r;
    }
    r.done = true;
    if (v.box) ctx.announce({DataKind::Cheques, DataKind::Movements});
    else ctx.announce({DataKind::Cheques});
    return r;
}

Source sourceOf(const QString &karsiliksizKaynak)
{
    if (karsiliksizKaynak == QLatin1String("Portfoy")) return Source::Portfoy;
    if (karsiliksizKaynak == QLatin1String("Cirolanan")) return Source::Cirolanan;
    if (karsiliksizKaynak == QLatin1String("Duzenlenen")) return Source::Duzenlenen;
    return Source::None;
}

Result bounce(Values &v, Source source, Table &table)
{
    Result r;
    if (source == Source::None) {
        r.done = true;
        return r;
    }
    const QString keyField = source == Source::Cirolanan ? QStringLiteral("ciro_cek_ind") : QStringLiteral("cek_ind");
    const qint64 key = checkFirst(v, table, keyField, r);
    if (!key) return r;
    try {
        TransactionScope tx{table.connection()};
        table.edit();
        table.field(QStringLiteral("cek_karsiliklsiz_tarihi")) = v.tarih;
        table.post();
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

namespace {

Result clearFields(qint64 key, Table &cheques, std::initializer_list<const char *> fields)
{
    Result r;
    try {
        if (!cheques.isActive()) cheques.open();
        cheques.setFiltered(false);
        if (key <= 0 || !cheques.locate(QStringLiteral("cek_ind"), key)) {
            r.message = kChequeMissing;
            return r;
        }
        TransactionScope tx{cheques.connection()};
        cheques.edit();
        for (const char *f : fields) cheques.field(QString::fromLatin1(f)) = QVariant();
        cheques.post();
        tx.commit();
    } catch (const EngineError &e) {
        cancelPending(cheques);
        r.message = e.message();
        return r;
    }
    r.done = true;
    DataContext::instance().announce({DataKind::Cheques});
    return r;
}

} // namespace

Result undoCollection(qint64 chequeKey, Table &cheques)
{
    return clearFields(chequeKey, cheques, {"cek_tahsilat_tarihi", "cek_tahsil_kuru", "cek_tahsil_TL", "cek_kur_farki"});
}

Result undoExit(qint64 chequeKey, Table &cheques)
{
    return clearFields(chequeKey, cheques, {"cek_ciro_id", "cek_ciro_kime", "cek_ciro_tarihi"});
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
        if (t.isActive()) t.refresh();
    } catch (...) {
    }
}

} // namespace ChequeOperation
