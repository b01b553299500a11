#include "received/entry_slip_save.h"

#include "accounts/movement_writer.h"

#include "accounts/account_steps.h"
#include "received/entry_slip_load.h"

#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "data/transaction.h"
#include "data/year_files.h"
#include "data/operation_log.h"
#include "received/cheque_lifecycle.h"

#include <QFileInfo>
#include <memory>

namespace EntrySlip {
namespace {

QString flag(bool on) { return on ? QStringLiteral("E") : QStringLiteral("H"); }

// "Gün Ekle" left empty means no added days; other text must be a whole number.
qint64 addedDays(const QString &text) { return text.trimmed().isEmpty() ? 0 : strictInteger(text); }

} // namespace

SaveResult saveSlip(Header &h, Params &params, QVector<QStringList> &rows, const Datasets &ds,
                    const QVector<qint64> &deletedCheques)
{
    SaveResult result;
    DataContext &ctx = DataContext::instance();

    // Recalculate every row; a due date that stops the action stops the save.
    for (QStringList &r : rows) {
        if (r.value(ColVade).isEmpty() && r.value(ColTutar).isEmpty()) continue;
        const RowStep step = calculateRow(r, params);
        if (step.outcome == DueDate::Stop) {
            result.message = step.message;
            return result;
        }
    }
    // A row that holds a cheque must hold a whole one: a cleared amount or due date
    // of a stored cheque, or an amount without a valid due date, would otherwise be
    // left out of the totals while the cheque stayed stored (or never was).
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        const bool holdsSomething = !r.value(ColVade).isEmpty() || !r.value(ColTutar).trimmed().isEmpty()
                                    || !r.value(ColKey).trimmed().isEmpty();
        if (!holdsSomething) continue;
        if (!cellDate(r.value(ColVade)).isValid() || sayiOku(r.value(ColTutar)) <= 0) {
            result.message = QStringLiteral("%1. satırda çekin vadesi ya da tutarı eksik veya hatalı.\n\r"
                                            "Satırı düzeltin ya da \"Satır Sil\" ile silin; bordro kaydedilmedi.")
                                 .arg(i + 1);
            return result;
        }
    }
    const Totals totals = calculateTotals(rows, params);

    // The account must exist under this code with this name.
    {
        Query account(&ctx.ADOConnection1, QStringLiteral("firmaQuery"));
        if (!AccountSteps::findAccount(account, h.code)) {
            result.message = u'"' + h.code + QStringLiteral("\" firma kodu bulunamadı. Yeni kod giriniz!");
            return result;
        }
        if (account.field(QStringLiteral("firma_adi")).asString() != h.name) {
            result.message = u'"' + h.name + QStringLiteral("\" adı \"") + h.code +
                             QStringLiteral("\" firma kodu ile uyuşmuyor. Kontrol ediniz!");
            return result;
        }
    }
    if (h.name.isEmpty()) {
        result.message = QStringLiteral("Kayıt edebilmek için firma ismi girmelisiniz");
        return result;
    }
    // A cheque endorsed or collected since the slip was loaded has left the portfolio:
    // the slip may neither rewrite nor delete it.
    {
        QVector<qint64> keys = deletedCheques;
        for (const QStringList &r : rows)
            if (!r.value(ColKey).trimmed().isEmpty()) keys << r.value(ColKey).trimmed().toLongLong();
        const Refusal refusal = refusalOfCheques(ctx.ADOConnection1, keys);
        if (refusal != Refusal::None) {
            result.message = refusalMessage(refusal);
            return result;
        }
    }
    const qint64 yearDays = params.yildakiGun.trimmed().isEmpty() ? 365 : strictInteger(params.yildakiGun);
    const qint64 collectionDays = addedDays(params.gunEkle);

    // The movement lands in the cash database of the slip's year; switch before
    // anything is written, so a failed switch leaves nothing half-saved.
    if (h.slipDate.year() != ctx.calismaYili) {
        if (!kasadegistir(h.slipDate.year())) {
            result.message = kCashTemplateMissing;
            return result;
        }
    }
    for (Table *t : {&ds.slips, &ds.cheques})
        if (!t->isActive()) t->open();

    // A saved slip moved into another year takes its movement along: the former
    // year's cash file must not go on crediting the account for the same slip.
    const bool existing = h.number > 0;
    // Its movement is looked for in every other year's file, wherever it was written.
    std::unique_ptr<YearFiles::Others> formerCash;
    if (existing) formerCash = std::make_unique<YearFiles::Others>(ctx.aktifSirketKodu, ctx.calismaYili);
    QList<Connection *> files{&ctx.ADOConnection1, &ctx.kasaConnection};
    if (formerCash) files += QList<Connection *>(formerCash->connections().begin(), formerCash->connections().end());

    // A rolled-back save must not leave keys of cheques that were never stored.
    QStringList keysBefore;
    for (const QStringList &r : rows) keysBefore << r.value(ColKey);
    try {
        TransactionScope tx{files};
        // Header.
        if (existing && ds.slips.locate(QStringLiteral("bordro_ind"), h.number)) ds.slips.edit();
        else ds.slips.append();
        Table &s = ds.slips;
        s.field(QStringLiteral("islem_tarihi")) = h.slipDate;
        s.field(QStringLiteral("alindigi_firma_kodu")) = h.code;
        s.field(QStringLiteral("alindigi_firma")) = h.name;
        s.field(QStringLiteral("yildaki_gun")) = yearDays;
        s.field(QStringLiteral("yillik_faiz")) = sayiOku(params.yillikFaiz);
        s.field(QStringLiteral("aylik_faiz")) = sayiOku(h.aylikFaiz);
        s.field(QStringLiteral("tah_sure_ekle")) = collectionDays;
        s.field(QStringLiteral("para_birimi")) = h.currency;
        s.field(QStringLiteral("BSMV")) = totals.bsmv;
        s.field(QStringLiteral("BSMV_oran")) = sayiOku(params.bsmvPercent);
        s.field(QStringLiteral("doviz_kuru")) = sayiOku(h.kuru);
        s.field(QStringLiteral("hafta_sonu_ekle")) = flag(params.weekendShift);
        s.field(QStringLiteral("vade_farki_dus")) = flag(h.deductMaturity);
        s.field(QStringLiteral("masraf_dus")) = flag(h.deductExpense);
        s.field(QStringLiteral("BSMV_dus")) = flag(h.deductBsmv);
        s.field(QStringLiteral("toplam_masraflar")) = totals.expense;
        s.field(QStringLiteral("toplam_net_tutar")) = totals.net;
        s.field(QStringLiteral("toplam_tutari")) = totals.amount;
        s.field(QStringLiteral("toplam_vade_farki")) = totals.maturityDifference;
        s.field(QStringLiteral("ortalama_vade")) = totals.hasAverage ? totals.averageDate : h.averageDate;
        s.field(QStringLiteral("ortalama_gun")) = totals.hasAverage ? qint64(totals.averageDays) : tamSayiOku(h.averageDays);
        s.field(QStringLiteral("genel_aciklama")) = h.memo;
        s.post();
        const qint64 number = s.field(QStringLiteral("bordro_ind")).asInteger();
        // The cheques and the movement of a TL slip carry rate 1, the header the typed rate.
        QString kuru = h.kuru;
        if (h.currency == QLatin1String("TL")) kuru = QStringLiteral("1");
        const double rate = sayiOku(kuru);

        // Cheques.
        Table &c = ds.cheques;
        // The grids on the cheques follow once, after the loop.
        struct ControlsOff {
            Table &t;
            explicit ControlsOff(Table &table) : t(table) { t.disableControls(); }
            ~ControlsOff() { t.enableControls(); }
        } controlsOff(c);
        {
            for (qint64 key : deletedCheques)
                if (c.locate(QStringLiteral("cek_ind"), key)) c.remove();
            for (QStringList &r : rows) {
                while (r.size() < ColumnCount) r << QString();
                const double amount = sayiOku(r[ColTutar]);
                if (r[ColVade].isEmpty() && r[ColTutar].trimmed().isEmpty()) continue;  // checked above
                const QString key = r[ColKey].trimmed();
                if (!key.isEmpty() && c.locate(QStringLiteral("cek_ind"), key.toLongLong())) {
                    c.edit();
                    // A slip that is no longer a bank slip takes back the bank marks it
                    // set itself; a cheque since handed out on an exit slip keeps them.
                    if (h.accountType != 2 && c.field(QStringLiteral("cek_banka_id")).asInteger() == 2
                        && c.field(QStringLiteral("cek_ciro_id")).isNull()) {
                        c.field(QStringLiteral("cek_banka_tarihi")) = QVariant();
                        c.field(QStringLiteral("cek_banka_adi")) = QVariant();
                    }
                } else {
                    // A key whose cheque is gone is stored as a new cheque; the user is told once.
                    if (!key.isEmpty()) ++result.missingKeysStoredAsNew;
                    c.append();
                }
                c.field(QStringLiteral("alindigi_firma")) = h.name;
                c.field(QStringLiteral("alindigi_firma_kodu")) = h.code;
                c.field(QStringLiteral("islem_tarihi")) = h.slipDate;
                c.field(QStringLiteral("bordro_ind")) = number;
                c.field(QStringLiteral("cek_tarihi")) = cellDate(r[ColVade]);
                c.field(QStringLiteral("cek_tutari")) = amount;
                const auto setIf = [&](int col, const char *field, bool integer = false) {
                    if (r[col].isEmpty()) return;
                    if (integer) c.field(QString::fromLatin1(field)) = tamSayiOku(r[col]);
                    else c.field(QString::fromLatin1(field)) = sayiOku(r[col]);
                };
                const auto setTextIf = [&](int col, const char *field) {
                    if (!r[col].isEmpty()) c.field(QString::fromLatin1(field)) = r[col];
                };
                setIf(ColGun, "cek_gun", true);
                setIf(ColVadeFarki, "cek_vade_farki");
                setIf(ColMasraf, "cek_masraf");
                setIf(ColNet, "cek_net_tutar");
                setTextIf(ColDuzenleyen, "ceki_duzenleyen");
                setIf(ColAdat, "cek_adat");
                setTextIf(ColBanka, "cek_bankasi");
                setTextIf(ColSube, "cek_subesi");
                setTextIf(ColHesapNo, "cek_hesap_no");
                setTextIf(ColCekNo, "cek_no");
                c.field(QStringLiteral("aciklama")) = r[ColAciklama];
                c.field(QStringLiteral("cekTL_karsiligi")) = roundKurus(rate * amount);
                c.field(QStringLiteral("para_birimi")) = h.currency;
                c.field(QStringLiteral("cek_doviz_kuru")) = rate;
                c.field(QStringLiteral("cek_banka_id")) = qint64(h.accountType);
                if (h.accountType == 2) {
                    c.field(QStringLiteral("cek_banka_tarihi")) = h.slipDate;
                    c.field(QStringLiteral("cek_banka_adi")) = h.name;
                }
                c.post();
                r[ColKey] = QString::number(c.field(QStringLiteral("cek_ind")).asInteger());
                ++result.chequesWritten;
                if (key.isEmpty()) {
                    OperationLog::Entry e;
                    e.cheque = c.field(QStringLiteral("cek_ind")).asInteger();
                    e.operation = QStringLiteral("Giriş");
                    e.date = h.slipDate;
                    e.slip = number;
                    e.account = h.code;
                    e.amount = amount;
                    e.tl = roundKurus(rate * amount);
                    e.currency = h.currency;
                    e.cashYear = ctx.calismaYili;
                    OperationLog::write(ctx.ADOConnection1, e);
                }
            }
        }

        // The account's credit movement, found again by the slip number.
        using MovementWriter::Field;
        const MovementWriter::Fields key{{QStringLiteral("cek_id"), number}};
        MovementWriter::post(ctx.kasaConnection, existing ? key : MovementWriter::Fields{},
                             {{QStringLiteral("cari_kodu"), h.code},
                              {QStringLiteral("cari_hesap_adi"), h.name},
                              {QStringLiteral("islem_tarihi"), h.slipDate},
                              {QStringLiteral("vade_tarihi"), totals.hasAverage ? totals.averageDate : h.averageDate},
                              {QStringLiteral("doviz_cinsi"), h.currency},
                              {QStringLiteral("doviz_kuru"), rate},
                              {QStringLiteral("brut_tutar"), totals.amount},
                              {QStringLiteral("vade_fark"), totals.maturityDifference},
                              {QStringLiteral("cek_masraf"), totals.expense},
                              {QStringLiteral("BSMV"), totals.bsmv},
                              {QStringLiteral("vade_farki_dus"), flag(h.deductMaturity)},
                              {QStringLiteral("masraf_dus"), flag(h.deductExpense)},
                              {QStringLiteral("BSMV_dus"), flag(h.deductBsmv)},
                              {QStringLiteral("alacak_tutari"),
                               creditAmount(totals, h.deductMaturity, h.deductExpense, h.deductBsmv)},
                              {QStringLiteral("cek_id"), number},
                              {QStringLiteral("aciklama"), QString::number(number) + QStringLiteral(" nolu çek alım bordrosu.")}});
        // The former year's file is joined to this save, so its movement goes with it.
        if (formerCash) Lifecycle::removeInOtherYears(formerCash->connections(), QStringLiteral("carihareket"), key);

        tx.commit();
        ctx.announce({DataKind::Slips, DataKind::Cheques, DataKind::Movements});
        h.number = number;
        h.kuru = kuru;
    } catch (...) {
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].size() > ColKey) rows[i][ColKey] = keysBefore.value(i);
        throw;
    }
    if (totals.hasAverage) {
        h.averageDate = totals.averageDate;
        h.averageDays = QString::number(totals.averageDays);
    }
    result.saved = true;
    if (result.missingKeysStoredAsNew > 0)
        result.message = QStringLiteral("%1 çek kaydı bulunamadığı için yeni çek olarak kaydedildi.")
                             .arg(result.missingKeysStoredAsNew);
    return result;
}

} // namespace EntrySlip
