#include "given/exit_slip_cancel.h"

#include "accounts/movement_writer.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/transaction.h"
#include "data/year_files.h"
#include "data/operation_log.h"
#include "data/cheque_state.h"
#include "data/statement.h"
#include "given/exit_slip_share.h"
#include "received/cheque_lifecycle.h"

#include <QFileInfo>
#include <memory>

namespace ExitSlip {

CancelResult cancelSlip(qint64 number)
{
    CancelResult result;
    DataContext &ctx = DataContext::instance();
    Connection &company = ctx.ADOConnection1;
    const QString n = QString::number(number);

    Query slip(&company);
    slip.reopen({QStringLiteral("SELECT bordro_ind FROM cikisbordro WHERE bordro_ind=") + n + u';'});
    if (slip.isEmpty()) {
        result.message = QStringLiteral("Bordro bulunamadı; silinmiş olabilir.");
        return result;
    }

    // The rows are read again inside the transaction: a cheque taken back or
    // bounced stays on the slip with its share of the debit (the take-back's
    // credit reverses it; a bounced cheque is still with the account), the others
    // go back to the portfolio. The slip keeps the debit its remaining rows carry.
    // The slip's movement is found in whichever year's file holds it.
    YearFiles::Others others(ctx.aktifSirketKodu, ctx.calismaYili);
    QList<Connection *> files{&company};
    if (ctx.kasaConnection.isOpen()) files << &ctx.kasaConnection;
    files += QList<Connection *>(others.connections().begin(), others.connections().end());
    {
        TransactionScope tx{files};
        struct GivenRow {
            qint64 key, entry;
            bool cancel, bank;
            StoredRow stored;
        };
        QVector<GivenRow> rows;
        {
            Query given(&company);
            given.reopen({QStringLiteral("SELECT * FROM cekciro WHERE ciro_bordro_ind=") + n + QStringLiteral(" ORDER BY ciro_cek_ind;")});
            for (given.first(); !given.eof(); given.next()) {
                const auto f = [&](const char *name) { return given.field(QString::fromLatin1(name)).value(); };
                const ChequeState::Given state = ChequeState::givenState(f);
                rows.append({given.field(QStringLiteral("ciro_cek_ind")).asInteger(),
                             given.field(QStringLiteral("cek_giris_id")).asInteger(),
                             ChequeState::allows(ChequeState::Operation::ExitCancel, state),
                             given.field(QStringLiteral("cek_banka_id")).asInteger() == 2,
                             {given.field(QStringLiteral("cek_tutari")).asFloat(),
                              given.field(QStringLiteral("cek_vade_farki")).asFloat(),
                              given.field(QStringLiteral("cek_masraf")).asFloat()}});
                if (state == ChequeState::Given::TakenBack) ++result.takenBackKept;
                if (state == ChequeState::Given::Bounced) ++result.bouncedKept;
            }
        }
        QVector<StoredRow> remaining;
        {
            Query own(&company);
            own.reopen({QStringLiteral("SELECT cek_tutari, cek_vade_farki, cek_masraf FROM cekkendi WHERE bordro_ind=") + n + u';'});
            for (own.first(); !own.eof(); own.next())
                remaining.append({own.field(QStringLiteral("cek_tutari")).asFloat(), own.field(QStringLiteral("cek_vade_farki")).asFloat(),
                                  own.field(QStringLiteral("cek_masraf")).asFloat()});
        }
        const bool ownCheques = !remaining.isEmpty();
        int toCancel = 0;
        for (const GivenRow &g : rows) {
            if (g.cancel) ++toCancel;
            else remaining.append(g.stored);
        }
        if (toCancel == 0) {
            result.message = result.takenBackKept + result.bouncedKept > 0
                                 ? kAllTakenBack
                                 : (ownCheques ? QStringLiteral("Bu bordroda portföyden verilmiş çek yok; bordro kendi "
                                                                "çeklerinizle olduğu gibi bırakıldı.")
                                               : QString());
            if (ownCheques || result.takenBackKept + result.bouncedKept > 0) return result;
        }
        for (const GivenRow &g : rows) {
            if (!g.cancel) continue;
            // Only a cheque still endorsed on this slip goes back to the portfolio;
            // back from a bank it leaves the bank.
            if (g.entry > 0)
                company.exec(QStringLiteral("UPDATE cekgiris SET cek_ciro_id=NULL, cek_ciro_kime=NULL, cek_ciro_tarihi=NULL")
                             + (g.bank ? QStringLiteral(", cek_banka_tarihi=NULL, cek_banka_adi=NULL") : QString())
                             + QStringLiteral(" WHERE cek_ind=") + QString::number(g.entry) + QStringLiteral(" AND (cek_ciro_id=") + n
                             + QStringLiteral(" OR cek_ciro_id IS NULL)"));
            company.exec(QStringLiteral("DELETE FROM cekciro WHERE ciro_cek_ind=") + QString::number(g.key));
            if (g.entry > 0) {
                OperationLog::Entry e = Lifecycle::logEntry(Lifecycle::readReceived(company, g.entry), OperationLog::Kind::Received,
                                                            QStringLiteral("Çıkış Bordrosu İptal"), QDate::currentDate());
                e.slip = number;
                OperationLog::write(company, e);
            }
            ++result.returned;
        }
        const SlipHeader header = readHeader(company, number);
        const RowSums sums = sumsOf(header, remaining);
        const MovementWriter::Fields key{{QStringLiteral("cek_ciro_id"), number}};
        // The slip date's year first: that is where the save put the movement.
        QList<Connection *> cashFiles;
        if (ctx.kasaConnection.isOpen()) cashFiles << &ctx.kasaConnection;
        const QDate slipDate = Lifecycle::read(company, QStringLiteral("cikisbordro"), QStringLiteral("bordro_ind"), number)
                                   .date("islem_tarihi");
        for (Connection *c : others.connections()) {
            if (slipDate.isValid() && others.yearOf(c) == slipDate.year()) cashFiles.prepend(c);
            else cashFiles << c;
        }
        Connection *movementFile = nullptr;
        for (Connection *c : cashFiles) {
            Statement &st = c->cached(QStringLiteral("SELECT 1 FROM %1 WHERE cek_ciro_id=?1").arg(c->tableRef(QStringLiteral("carihareket"))));
            st.reset();
            st.bindInt(1, number);
            const bool found = st.step();
            st.reset();
            if (found) {
                movementFile = c;
                break;
            }
        }
        result.movementFound = movementFile != nullptr;
        if (!remaining.isEmpty()) {
            company.exec(QStringLiteral("UPDATE cikisbordro SET toplam_tutari=%1, toplam_vade_farki=%2, toplam_masraflar=%3, "
                                        "BSMV=%4, toplam_net_tutar=%5 WHERE bordro_ind=%6")
                             .arg(QString::number(sums.amount, 'f', 2), QString::number(sums.maturityDifference, 'f', 2),
                                  QString::number(sums.expense, 'f', 2), QString::number(sums.bsmv, 'f', 2),
                                  QString::number(roundKurus(sums.amount - sums.maturityDifference - sums.expense), 'f', 2), n));
            if (movementFile)
                MovementWriter::post(*movementFile, key,
                                     {{QStringLiteral("brut_tutar"), sums.amount},
                                      {QStringLiteral("vade_fark"), sums.maturityDifference},
                                      {QStringLiteral("cek_masraf"), sums.expense},
                                      {QStringLiteral("BSMV"), sums.bsmv},
                                      {QStringLiteral("borc_tutari"), sums.debit}});
            result.remaining = sums.amount;
        } else {
            company.exec(QStringLiteral("DELETE FROM cikisbordro WHERE bordro_ind=") + n);
            result.slipDeleted = true;
        }
        // A slip deleted leaves no movement in any year; a kept one keeps only the one found.
        for (Connection *c : cashFiles)
            if (result.slipDeleted || c != movementFile) MovementWriter::remove(*c, key);
        company.noteWrite(nullptr);
        tx.commit();
    }
    ctx.announce({DataKind::Slips, DataKind::Cheques, DataKind::Movements});
    result.cancelled = true;
    if (!result.movementFound)
        result.message = QStringLiteral("Bordronun cari hareketi bulunamadı; cari hesapta değişiklik yapılmadı.");
    else if (result.takenBackKept + result.bouncedKept > 0)
        result.message = kTakenBackKept.arg(result.takenBackKept + result.bouncedKept);
    return result;
}

} // namespace ExitSlip
