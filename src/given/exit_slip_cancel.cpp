#include "given/exit_slip_cancel.h"

#include "accounts/movement_writer.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/transaction.h"

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
    slip.reopen({QStringLiteral("SELECT bordro_ind, islem_tarihi, toplam_tutari FROM cikisbordro WHERE bordro_ind=") + n + u';'});
    if (slip.isEmpty()) {
        result.message = QStringLiteral("Bordro bulunamadı; silinmiş olabilir.");
        return result;
    }
    const double total = slip.field(QStringLiteral("toplam_tutari")).asFloat();
    const QDate slipDate = slip.field(QStringLiteral("islem_tarihi")).isNull()
                               ? QDate()
                               : slip.field(QStringLiteral("islem_tarihi")).asDate();

    // A cheque taken back stays on the slip like an own cheque: the take-back's
    // credit reverses the slip's debit for it, so its part of the debit must stay.
    Query given(&company);
    given.reopen({QStringLiteral("SELECT ciro_cek_ind, cek_giris_id, cek_tutari FROM cekciro"),
                  QStringLiteral("WHERE ciro_bordro_ind=") + n + QStringLiteral(" AND cek_iade_tarihi IS NULL;")});
    Query kept(&company);
    kept.reopen({QStringLiteral("SELECT COUNT(*) AS n FROM cekciro WHERE ciro_bordro_ind=") + n +
                 QStringLiteral(" AND cek_iade_tarihi IS NOT NULL;")});
    result.takenBackKept = int(kept.field(QStringLiteral("n")).asInteger());
    Query own(&company);
    own.reopen({QStringLiteral("SELECT COUNT(*) AS n FROM cekkendi WHERE bordro_ind=") + n + u';'});
    const qint64 ownCount = own.field(QStringLiteral("n")).asInteger();
    if (given.isEmpty() && result.takenBackKept > 0) {
        result.message = kAllTakenBack;
        return result;
    }
    if (given.isEmpty() && ownCount > 0) {
        // Nothing of the portfolio to give back; the own cheques stay on their slip.
        result.message = QStringLiteral("Bu bordroda portföyden verilmiş çek yok; bordro kendi çeklerinizle "
                                        "olduğu gibi bırakıldı.");
        return result;
    }
    double returnedSum = 0;
    for (given.first(); !given.eof(); given.next()) returnedSum += given.field(QStringLiteral("cek_tutari")).asFloat();
    const double remaining = given.isEmpty() ? 0.0 : std::max(0.0, roundKurus(total - returnedSum));

    // The movement was written into the cash file of the slip date's year; that file
    // is used without changing the working year.
    Connection *cash = nullptr;
    std::unique_ptr<Connection> otherYear;
    if (slipDate.isValid() && slipDate.year() != ctx.calismaYili) {
        const QString file = DataContext::cashFileName(ctx.aktifSirketKodu, slipDate.year());
        if (QFileInfo::exists(ProgramHome::path(file))) {
            otherYear = std::make_unique<Connection>();
            otherYear->setConnectionString(ConnectionString::build(file));
            cash = otherYear.get();
        }
    } else if (ctx.kasaConnection.isOpen()) {
        cash = &ctx.kasaConnection;
    }
    if (cash) {
        Query movement(cash);
        movement.reopen({QStringLiteral("SELECT COUNT(*) AS n FROM carihareket WHERE cek_ciro_id=") + n + u';'});
        result.movementFound = movement.field(QStringLiteral("n")).asInteger() > 0;
    }

    {
        TransactionScope tx{&company, result.movementFound ? cash : nullptr};
        for (given.first(); !given.eof(); given.next()) {
            const QString key = given.field(QStringLiteral("cek_giris_id")).asString();
            // Only a cheque still endorsed on this slip goes back to the portfolio; its bank marks stay.
            if (!key.isEmpty())
                company.exec(QStringLiteral("UPDATE cekgiris SET cek_ciro_id=NULL, cek_ciro_kime=NULL, "
                                            "cek_ciro_tarihi=NULL WHERE cek_ind=") + key +
                             QStringLiteral(" AND cek_ciro_id=") + n);
            ++result.returned;
        }
        company.exec(QStringLiteral("DELETE FROM cekciro WHERE ciro_bordro_ind=") + n +
                     QStringLiteral(" AND cek_iade_tarihi IS NULL"));
        const MovementWriter::Fields key{{QStringLiteral("cek_ciro_id"), number}};
        if (remaining > 0) {
            company.exec(QStringLiteral("UPDATE cikisbordro SET toplam_tutari=") + QString::number(remaining, 'f', 2) +
                         QStringLiteral(" WHERE bordro_ind=") + n);
            if (result.movementFound) MovementWriter::post(*cash, key, {{QStringLiteral("borc_tutari"), remaining}});
        } else {
            company.exec(QStringLiteral("DELETE FROM cikisbordro WHERE bordro_ind=") + n);
            if (result.movementFound) MovementWriter::remove(*cash, key);
            result.slipDeleted = true;
        }
        tx.commit();
    }
    ctx.announce({DataKind::Slips, DataKind::Cheques, DataKind::Movements});
    result.cancelled = true;
    result.remaining = remaining;
    if (!result.movementFound)
        result.message = QStringLiteral("Bordronun cari hareketi bulunamadı; cari hesapta değişiklik yapılmadı.");
    else if (result.takenBackKept > 0)
        result.message = kTakenBackKept.arg(result.takenBackKept);
    return result;
}

} // namespace ExitSlip
