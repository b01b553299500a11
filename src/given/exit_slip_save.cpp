#include "given/exit_slip_save.h"

#include "accounts/account_steps.h"
#include "accounts/movement_writer.h"
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
#include "data/cheque_state.h"
#include "received/cheque_lifecycle.h"

#include <QFileInfo>
#include <QSet>
#include <memory>

namespace ExitSlip {

using namespace EntrySlip;

namespace {

QString flag(bool on) { return on ? QStringLiteral("E") : QStringLiteral("H"); }

// "Gün Ekle" left empty means no added days; other text must be a whole number.
qint64 addedDays(const QString &text) { return text.trimmed().isEmpty() ? 0 : strictInteger(text); }

// The received cheque of a key as the table's only row: a cheque is found by its
// key without walking the keys of every received cheque.
bool receivedCheque(Table &received, qint64 key)
{
    received.setMasterLink(QStringLiteral("cek_ind"), key);
    if (!received.isActive()) received.open();
    return !received.isEmpty();
}

// The cheque fields that columns 1 to 12 give, shared by given and own cheques.
void setChequeColumns(Table &t, const QStringList &r)
{
    const QDate due = cellDate(r[ColVade]);
    if (due.isValid()) t.field(QStringLiteral("cek_tarihi")) = due;
    t.field(QStringLiteral("cek_tutari")) = sayiOku(r[ColTutar]);
    const auto setIf = [&](int col, const char *field, bool integer = false) {
        if (r[col].isEmpty()) return;
        if (integer) t.field(QString::fromLatin1(field)) = qint64(roundHalfEven(sayiOku(r[col])));
        else t.field(QString::fromLatin1(field)) = sayiOku(r[col]);
    };
    const auto setTextIf = [&](int col, const char *field) {
        if (!r[col].isEmpty()) t.field(QString::fromLatin1(field)) = r[col];
    };
    setIf(ColGun, "cek_gun", true);
    setIf(ColVadeFarki, "cek_vade_farki");
    setIf(ColMasraf, "cek_masraf");
    setIf(ColNet, "cek_net_tutar");
    setIf(ColAdat, "cek_adat");
    setTextIf(ColDuzenleyen, "ceki_duzenleyen");
    setTextIf(ColBanka, "cek_bankasi");
    setTextIf(ColSube, "cek_subesi");
    setTextIf(ColHesapNo, "cek_hesap_no");
    setTextIf(ColCekNo, "cek_no");
}

struct ControlsOff {
    Table &t;
    explicit ControlsOff(Table &table) : t(table) { t.disableControls(); }
    ~ControlsOff() { t.enableControls(); }
};

} // namespace

Params exitParams(Params p)
{
    p.yearFromSlip = false;
    return p;
}

double debitAmount(const Totals &t, bool deductMaturity, bool deductExpense, bool deductBsmv)
{
    return creditAmount(t, deductMaturity, deductExpense, deductBsmv);
}

SaveResult saveSlip(Header &h, Params &params, QVector<QStringList> &rows, const Datasets &ds, const Deleted &deleted)
{
    SaveResult result;
    DataContext &ctx = DataContext::instance();
    params.yearFromSlip = false;
    for (QStringList &r : rows)
        while (r.size() < ExitColumnCount) r << QString();

    // Recalculate every row; a due date that stops the action stops the save.
    for (QStringList &r : rows) {
        if (r[ColVade].isEmpty() && r[ColTutar].isEmpty()) continue;
        const RowStep step = calculateRow(r, params);
        if (step.outcome == DueDate::Stop) {
            result.message = step.message;
            return result;
        }
    }
    // A row holding a cheque must hold a whole one, or it would be left out of the
    // totals while its cheque stayed stored (or its portfolio cheque stayed marked).
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        const bool holdsSomething = !r[ColVade].isEmpty() || !r[ColTutar].trimmed().isEmpty() ||
                                    !r[ColCiroIndex].isEmpty() || !r[ColGirisId].isEmpty() || isOwnCheque(r);
        if (!holdsSomething) continue;
        if (!cellDate(r[ColVade]).isValid() || sayiOku(r[ColTutar]) <= 0) {
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
    const qint64 yearDays = params.yildakiGun.trimmed().isEmpty() ? 365 : strictInteger(params.yildakiGun);
    const qint64 collectionDays = addedDays(params.gunEkle);

    for (Table *t : {&ds.slips, &ds.given, &ds.received, &ds.own}) t->setFiltered(false);
    // The received cheques are opened one at a time, by their keys.
    for (Table *t : {&ds.slips, &ds.given, &ds.own})
        if (!t->isActive()) t->open();

    // A portfolio cheque put on the slip but not saved with it yet must still be
    // in the portfolio: since it was picked it may have been endorsed on another
    // slip, collected, returned, bounced or deleted. One look at all of them.
    {
        QStringList picked;
        for (const QStringList &r : rows)
            if (!isOwnCheque(r) && r[ColCiroIndex].isEmpty() && !r[ColGirisId].isEmpty())
                picked << QString::number(r[ColGirisId].toLongLong());
        QSet<QString> inPortfolio;
        if (!picked.isEmpty()) {
            Query q(&ctx.ADOConnection1);
            q.sql() << QStringLiteral("SELECT cek_ind FROM cekgiris WHERE cek_ind IN (") + picked.join(u',') + u')'
                    << QStringLiteral("AND cek_ciro_id IS NULL AND cek_ciro_tarihi IS NULL AND cek_tahsilat_tarihi IS NULL")
                    << QStringLiteral("AND cek_karsiliklsiz_tarihi IS NULL AND cek_iade_tarihi IS NULL");
            q.open();
            for (q.first(); !q.eof(); q.next()) inPortfolio.insert(QString::number(q.value(0).toLongLong()));
        }
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList &r = rows[i];
            if (isOwnCheque(r) || !r[ColCiroIndex].isEmpty() || r[ColGirisId].isEmpty()) continue;
            if (!inPortfolio.contains(QString::number(r[ColGirisId].toLongLong()))) {
                result.message = QStringLiteral("%1. satırdaki çek (%2 nolu çek, %3) artık portföyde değil.\n\r"
                                                "Satırı silip bordroyu yeniden kaydediniz; bordro kaydedilmedi.")
                                     .arg(i + 1)
                                     .arg(r[ColCekNo].isEmpty() ? r[ColGirisId] : r[ColCekNo], r[ColTutar]);
                return result;
            }
        }
    }

    // A cheque put on the slip must not be held by another exit slip still (its
    // endorsement undone while that slip kept its row and its debit).
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        if (isOwnCheque(r) || !r[ColCiroIndex].isEmpty() || r[ColGirisId].isEmpty()) continue;
        const qint64 entry = r[ColGirisId].toLongLong();
        if (const qint64 slip = Lifecycle::holdingSlip(ctx.ADOConnection1, entry, h.number)) {
            result.message = Lifecycle::heldMessage(Lifecycle::readReceived(ctx.ADOConnection1, entry), slip);
            return result;
        }
    }
    // A saved cheque taken back, bounced or paid keeps what it was: the take-back
    // credited its share, so neither it nor what its share depends on (the slip's
    // account, date, rates and boxes) may change.
    if (const QString why = lockedChange(ctx.ADOConnection1, h, params, rows); !why.isEmpty()) {
        result.message = why;
        return result;
    }
    // Nor does such a row leave the slip.
    {
        QVector<QStringList> gone;
        for (qint64 key : deleted.given) {
            QStringList r(ExitColumnCount);
            r[ColCiroIndex] = QString::number(key);
            gone << r;
        }
        for (qint64 key : deleted.own) {
            QStringList r(ExitColumnCount);
            r[ColDuzenlemeId] = QString::number(key);
            gone << r;
        }
        for (const QStringList &r : gone)
            if (const QString why = lockedRow(ctx.ADOConnection1, r); !why.isEmpty()) {
                result.message = why + QStringLiteral("\n\rBu çek bordrodan silinemez; bordro kaydedilmedi.");
                return result;
            }
    }

    // The movement lands in the cash file of the slip's year; switch before
    // anything is written, so a failed switch leaves nothing half-saved.
    if (h.slipDate.year() != ctx.calismaYili && !kasadegistir(h.slipDate.year())) {
        result.message = kCashTemplateMissing;
        return result;
    }

    // A saved slip moved into another year takes its movement along: the former
    // year's cash file must not go on debiting the account for the same slip.
    const bool existing = h.number > 0;
    // Its movement is looked for in every other year's file, wherever it was written.
    std::unique_ptr<YearFiles::Others> formerCash;
    if (existing) formerCash = std::make_unique<YearFiles::Others>(ctx.aktifSirketKodu, ctx.calismaYili);
    QList<Connection *> files{&ctx.ADOConnection1, &ctx.kasaConnection};
    if (formerCash) files += QList<Connection *>(formerCash->connections().begin(), formerCash->connections().end());

    // A rolled-back save must not leave keys of rows that were never stored.
    QVector<QPair<QString, QString>> keysBefore;
    for (const QStringList &r : rows) keysBefore.append({r[ColCiroIndex], r[ColDuzenlemeId]});
    try {
        TransactionScope tx{files};
        // Header.
        Table &s = ds.slips;
        if (existing && s.locate(QStringLiteral("bordro_ind"), h.number)) {
            s.edit();
        } else {
            if (existing) ++result.missingKeysStoredAsNew;
            s.append();
        }
        s.field(QStringLiteral("islem_tarihi")) = h.slipDate;
        s.field(QStringLiteral("ciro_firma_kodu")) = h.code;
        s.field(QStringLiteral("ciro_firma")) = h.name;
        s.field(QStringLiteral("yildaki_gun")) = yearDays;
        s.field(QStringLiteral("yillik_faiz")) = sayiOku(params.yillikFaiz);
        s.field(QStringLiteral("aylik_faiz")) = sayiOku(h.aylikFaiz);
        s.field(QStringLiteral("tah_sure_ekle")) = collectionDays;
        s.field(QStringLiteral("para_birimi")) = h.currency;
        s.field(QStringLiteral("BSMV_oran")) = sayiOku(params.bsmvPercent);
        s.field(QStringLiteral("BSMV")) = totals.bsmv;
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
        s.field(QStringLiteral("ortalama_gun")) =
            totals.hasAverage ? qint64(totals.averageDays) : qint64(roundHalfEven(sayiOku(h.averageDays)));
        s.field(QStringLiteral("genel_aciklama")) = h.memo;
        s.post();
        const qint64 number = s.field(QStringLiteral("bordro_ind")).asInteger();
        // The rows and the movement of a TL slip carry rate 1, the header the typed rate.
        QString kuru = h.kuru;
        if (h.currency == QLatin1String("TL")) kuru = QStringLiteral("1");
        const double rate = sayiOku(kuru);
        const bool bank = h.exitType == 2;

        Table &g = ds.given, &rc = ds.received, &o = ds.own;
        ControlsOff givenOff(g), receivedOff(rc), ownOff(o);

        // What the slip did to a cheque goes into the cheque's history.
        const auto logged = [&](OperationLog::Kind kind, qint64 cheque, const QString &op, double amount) {
            OperationLog::Entry e;
            e.kind = kind;
            e.cheque = cheque;
            e.operation = op;
            e.date = h.slipDate;
            e.slip = number;
            e.account = h.code;
            e.amount = amount;
            e.tl = roundKurus(rate * amount);
            e.currency = h.currency;
            e.cashYear = ctx.calismaYili;
            OperationLog::write(ctx.ADOConnection1, e);
        };
        // Rows deleted from the slip since its last save.
        for (qint64 key : deleted.given)
            if (g.locate(QStringLiteral("ciro_cek_ind"), key)) {
                logged(OperationLog::Kind::Received, g.field(QStringLiteral("cek_giris_id")).asInteger(),
                       QStringLiteral("Çıkış Bordrosundan Silindi"), g.field(QStringLiteral("cek_tutari")).asFloat());
                g.remove();
            }
        for (qint64 key : deleted.returned) {
            // Only a cheque this slip gave out goes back to the portfolio.
            // (or whose endorsement was undone while the slip kept it); back from a
            // bank it leaves the bank.
            if (!receivedCheque(rc, key)
                || (!rc.field(QStringLiteral("cek_ciro_id")).isNull() && rc.field(QStringLiteral("cek_ciro_id")).asInteger() != number))
                continue;
            rc.edit();
            for (const char *f : {"cek_ciro_id", "cek_ciro_kime", "cek_ciro_tarihi"}) rc.field(QString::fromLatin1(f)).clear();
            if (bank)
                for (const char *f : {"cek_banka_tarihi", "cek_banka_adi"}) rc.field(QString::fromLatin1(f)).clear();
            rc.post();
        }
        for (qint64 key : deleted.own)
            if (o.locate(QStringLiteral("cek_ind"), key)) {
                logged(OperationLog::Kind::Own, key, QStringLiteral("Bordrodan Silindi"), o.field(QStringLiteral("cek_tutari")).asFloat());
                o.remove();
            }

        for (int i = 0; i < rows.size(); ++i) {
            QStringList &r = rows[i];
            if (r[ColVade].size() < 6 || sayiOku(r[ColTutar]) <= 0) continue;  // the empty rows
            const double amount = sayiOku(r[ColTutar]);
            if (!isOwnCheque(r)) {
                const QString key = r[ColCiroIndex].trimmed();
                bool takenBack = false;
                if (!key.isEmpty() && g.locate(QStringLiteral("ciro_cek_ind"), key.toLongLong())) {
                    takenBack = !g.field(QStringLiteral("cek_iade_tarihi")).isNull();
                    g.edit();
                } else {
                    // A key whose row is gone is stored as a new row; the user is told once.
                    if (!key.isEmpty()) ++result.missingKeysStoredAsNew;
                    g.append();
                }
                g.field(QStringLiteral("ciro_firma")) = h.name;
                g.field(QStringLiteral("Ciro_firma_kodu")) = h.code;
                g.field(QStringLiteral("islem_tarihi")) = h.slipDate;
                g.field(QStringLiteral("ciro_bordro_ind")) = number;
                setChequeColumns(g, r);
                if (!r[ColAlindigiFirma].isEmpty()) g.field(QStringLiteral("alindigi_firma")) = r[ColAlindigiFirma];
                const QString received = r[ColAlindigiTarih];
                if (received.size() > 5) {
                    const QDate d = cellDate(received);
                    if (d.isValid()) g.field(QStringLiteral("cek_alindigi_tarihi")) = d;
                    g.field(QStringLiteral("cek_banka_id")) = qint64(h.exitType);
                    g.field(QStringLiteral("cek_banka_tarihi")) = bank ? QVariant(h.slipDate) : QVariant();
                    g.field(QStringLiteral("cek_banka_adi")) = bank ? QVariant(h.name) : QVariant();
                }
                g.field(QStringLiteral("alindigi_firma_kodu")) = r[ColAlindigiKod];
                g.field(QStringLiteral("aciklama")) = r[ColAciklama];
                if (!r[ColGirisId].isEmpty()) g.field(QStringLiteral("cek_giris_id")) = r[ColGirisId].toLongLong();
                g.field(QStringLiteral("cekTL_karsiligi")) = roundKurus(rate * amount);
                g.field(QStringLiteral("para_birimi")) = h.currency;
                g.field(QStringLiteral("cek_doviz_kuru")) = rate;
                g.post();
                r[ColCiroIndex] = QString::number(g.field(QStringLiteral("ciro_cek_ind")).asInteger());
                ++result.givenWritten;
                if (key.isEmpty() && !r[ColGirisId].isEmpty())
                    logged(OperationLog::Kind::Received, r[ColGirisId].toLongLong(),
                           bank ? QStringLiteral("Bankaya Verildi") : QStringLiteral("Ciro"), amount);

                if (!r[ColGirisId].isEmpty() && receivedCheque(rc, r[ColGirisId].toLongLong())) {
                    // A cheque saved with this slip and since taken back, or moved on to
                    // another slip, is no longer this slip's: its marks stay as they are.
                    if (!key.isEmpty() && (takenBack || rc.field(QStringLiteral("cek_ciro_id")).isNull() ||
                                           rc.field(QStringLiteral("cek_ciro_id")).asInteger() != number)) {
                        result.leftAlone << i + 1;
                        continue;
                    }
                    rc.edit();
                    rc.field(QStringLiteral("cek_ciro_kime")) = h.name;
                    rc.field(QStringLiteral("cek_ciro_id")) = number;
                    rc.field(QStringLiteral("cek_ciro_tarihi")) = h.slipDate;
                    rc.field(QStringLiteral("cek_banka_id")) = qint64(h.exitType);
                    if (bank) {
                        rc.field(QStringLiteral("cek_banka_tarihi")) = h.slipDate;
                        rc.field(QStringLiteral("cek_banka_adi")) = h.name;
                    } else if (!key.isEmpty()) {
                        // A slip that is no longer a bank slip takes back the bank marks it set.
                        rc.field(QStringLiteral("cek_banka_tarihi")).clear();
                        rc.field(QStringLiteral("cek_banka_adi")).clear();
                    }
                    rc.post();
                }
            } else {
                const QString key = r[ColDuzenlemeId].trimmed();
                if (key != kNewOwnCheque && o.locate(QStringLiteral("cek_ind"), key.toLongLong())) {
                    o.edit();
                } else {
                    if (key != kNewOwnCheque) ++result.missingKeysStoredAsNew;
                    o.append();
                }
                o.field(QStringLiteral("bordro_ind")) = number;
                o.field(QStringLiteral("bordro_sira_no")) = qint64(i + 1);
                o.field(QStringLiteral("cirolandigi_firma")) = h.name;
                o.field(QStringLiteral("cirolandigi_firma_kodu")) = h.code;
                o.field(QStringLiteral("islem_tarihi")) = h.slipDate;
                setChequeColumns(o, r);
                o.field(QStringLiteral("cek_banka_id")) = qint64(h.exitType);
                o.field(QStringLiteral("cek_banka_tarihi")) = bank ? QVariant(h.slipDate) : QVariant();
                o.field(QStringLiteral("aciklama")) = r[ColAciklama];
                o.field(QStringLiteral("cekTL_karsiligi")) = roundKurus(rate * amount);
                o.field(QStringLiteral("para_birimi")) = h.currency;
                o.field(QStringLiteral("cek_doviz_kuru")) = rate;
                o.post();
                r[ColDuzenlemeId] = QString::number(o.field(QStringLiteral("cek_ind")).asInteger());
                ++result.ownWritten;
                if (key == kNewOwnCheque)
                    logged(OperationLog::Kind::Own, o.field(QStringLiteral("cek_ind")).asInteger(), QStringLiteral("Düzenlendi"), amount);
            }
        }

        // The account's debit movement, found again by the slip number.
        const MovementWriter::Fields key{{QStringLiteral("cek_ciro_id"), number}};
        result.debit = debitAmount(totals, h.deductMaturity, h.deductExpense, h.deductBsmv);
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
                              {QStringLiteral("borc_tutari"), result.debit},
                              {QStringLiteral("cek_ciro_id"), number},
                              {QStringLiteral("aciklama"), QString::number(number) + QStringLiteral(" nolu çek tediye bordrosu.")}});
        // The former year's file is joined to this save, so its movement goes with it.
        if (formerCash) Lifecycle::removeInOtherYears(formerCash->connections(), QStringLiteral("carihareket"), key);

        tx.commit();
        ctx.announce({DataKind::Slips, DataKind::Cheques, DataKind::Movements});
        h.number = number;
        h.kuru = kuru;
    } catch (...) {
        for (int i = 0; i < rows.size(); ++i) {
            rows[i][ColCiroIndex] = keysBefore[i].first;
            rows[i][ColDuzenlemeId] = keysBefore[i].second;
        }
        throw;
    }
    if (totals.hasAverage) {
        h.averageDate = totals.averageDate;
        h.averageDays = QString::number(totals.averageDays);
    }
    result.saved = true;
    QStringList notes;
    if (result.missingKeysStoredAsNew > 0)
        notes << QStringLiteral("%1 kayıt bulunamadığı için yeni kayıt olarak saklandı.").arg(result.missingKeysStoredAsNew);
    if (!result.leftAlone.isEmpty()) {
        QStringList numbers;
        for (int row : result.leftAlone) numbers << QString::number(row);
        notes << QStringLiteral("Geri alınmış ya da başka bir işleme geçmiş çeklerin (satır %1) alınan çek "
                                "kayıtları değiştirilmedi.").arg(numbers.join(QStringLiteral(", ")));
    }
    result.message = notes.join(QStringLiteral("\n\r"));
    return result;
}

} // namespace ExitSlip

namespace ExitSlip {

QString lockedRow(Connection &company, const QStringList &row)
{
    if (isOwnCheque(row)) {
        const Lifecycle::Row own = Lifecycle::readOwn(company, storedOwnKey(row));
        if (!own.found) return QString();
        const ChequeState::Own s = ChequeState::ownState(own.getter());
        return ChequeState::allows(ChequeState::Operation::OwnRowChange, s) ? QString()
                                                                            : Lifecycle::refusal(own, ChequeState::ownText(s));
    }
    const Lifecycle::Row given = Lifecycle::readGiven(company, row.value(ColCiroIndex).trimmed().toLongLong());
    if (!given.found) return QString();
    const ChequeState::Given s = ChequeState::givenState(given.getter());
    if (!ChequeState::allows(ChequeState::Operation::ExitRowChange, s)) return Lifecycle::refusal(given, ChequeState::givenText(s));
    // A cheque the bank collected, or one returned to the customer, has its money
    // rows: its place on the slip stays.
    const Lifecycle::Row received = Lifecycle::readReceived(company, given.integer("cek_giris_id"));
    if (received.found) {
        const ChequeState::Received r = ChequeState::receivedState(received.getter());
        if (r == ChequeState::Received::Collected || r == ChequeState::Received::Returned)
            return Lifecycle::refusal(received, ChequeState::receivedText(r));
    }
    return QString();
}

bool takenBack(Connection &company, const QStringList &row) { return !lockedRow(company, row).isEmpty(); }

QString lockedChange(Connection &company, const Header &h, const Params &params, const QVector<QStringList> &rows)
{
    bool anyTakenBack = false;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        const bool stored = isOwnCheque(r) ? storedOwnKey(r) > 0 : !r.value(ColCiroIndex).trimmed().isEmpty();
        if (!stored) continue;
        const Lifecycle::Row row = isOwnCheque(r) ? Lifecycle::readOwn(company, storedOwnKey(r))
                                                  : Lifecycle::readGiven(company, r.value(ColCiroIndex).trimmed().toLongLong());
        if (!row.found) continue;
        if (ChequeState::isSet(row.value("cek_iade_tarihi"))) anyTakenBack = true;
        const QString why = lockedRow(company, r);
        if (why.isEmpty()) continue;
        const bool same = row.date("cek_tarihi") == cellDate(r.value(ColVade))
                          && qAbs(row.amount("cek_tutari") - sayiOku(r.value(ColTutar))) < 0.005
                          && qAbs(row.amount("cek_masraf") - sayiOku(r.value(ColMasraf))) < 0.005;
        if (!same)
            return QStringLiteral("%1. satır: ").arg(i + 1) + why
                   + QStringLiteral("\n\rBu satırın vadesi, tutarı ve masrafı değiştirilemez; bordro kaydedilmedi.");
    }
    if (!anyTakenBack || h.number <= 0) return QString();
    const Lifecycle::Row slip = Lifecycle::read(company, QStringLiteral("cikisbordro"), QStringLiteral("bordro_ind"), h.number);
    if (!slip.found) return QString();
    const auto flag = [](bool on) { return on ? QStringLiteral("E") : QStringLiteral("H"); };
    const bool same = slip.text("ciro_firma_kodu") == h.code && slip.date("islem_tarihi") == h.slipDate
                      && qAbs(slip.amount("yillik_faiz") - sayiOku(params.yillikFaiz)) < 1e-9
                      && slip.integer("yildaki_gun") == (params.yildakiGun.trimmed().isEmpty() ? 365 : sayiOku(params.yildakiGun))
                      && slip.integer("tah_sure_ekle") == qint64(sayiOku(params.gunEkle))
                      && qAbs(slip.amount("BSMV_oran") - sayiOku(params.bsmvPercent)) < 1e-9
                      && slip.text("hafta_sonu_ekle") == flag(params.weekendShift)
                      && slip.text("vade_farki_dus") == flag(h.deductMaturity)
                      && slip.text("masraf_dus") == flag(h.deductExpense) && slip.text("BSMV_dus") == flag(h.deductBsmv);
    if (same) return QString();
    return QStringLiteral("Bu bordroda geri alınmış çek var: bordronun cari hesabı, tarihi, faiz oranları ve "
                          "kesinti seçenekleri değiştirilemez (geri alınan çekin alacak kaydı bunlarla hesaplandı). "
                          "Bordro kaydedilmedi.");
}

} // namespace ExitSlip
