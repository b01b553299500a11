#include "issued/issued_payment.h"

#include "data/data_context.h"
#include "data/table.h"
#include "data/operation_log.h"
#include "data/transaction.h"
#include "data/cheque_state.h"

namespace IssuedPayment {

namespace {
QString s_refusal;
}

QString lastRefusal() { return s_refusal; }

Outcome odemeTarihiYaz(Connection &company, qint64 cekInd, const QDate &date)
{
    if (cekInd <= 0) return Outcome::NotFound;
    // The table limited to the one cheque, so that no other row is read.
    Table cheque(&company, QStringLiteral("cekkendi"));
    cheque.setMasterLink(QStringLiteral("cek_ind"), cekInd);
    cheque.open();
    if (cheque.isEmpty()) return Outcome::NotFound;
    // A payment needs a cheque still to pay (or paid: the date is corrected); its
    // undo a paid one. A taken-back or bounced cheque is never paid.
    const ChequeState::Own state =
        ChequeState::ownState([&](const char *f) { return cheque.field(QString::fromLatin1(f)).value(); });
    const ChequeState::Operation op = date.isValid() ? ChequeState::Operation::PayOwn : ChequeState::Operation::UndoPayOwn;
    if (!ChequeState::allows(op, state)) {
        s_refusal = ChequeState::refusal(cheque.field(QStringLiteral("cek_no")).asString(),
                                         cheque.field(QStringLiteral("cek_tarihi")).asDate(),
                                         cheque.field(QStringLiteral("cek_tutari")).asFloat(),
                                         cheque.field(QStringLiteral("para_birimi")).asString(), ChequeState::ownText(state));
        return Outcome::Refused;
    }
    try {
        // The payment and its line in the cheque's history land together.
        TransactionScope tx{&company};
        cheque.edit();
        cheque.field(QStringLiteral("cek_tahsilat_tarihi")) = date.isValid() ? QVariant(date) : QVariant();
        cheque.post();
        OperationLog::Entry e;
        e.kind = OperationLog::Kind::Own;
        e.cheque = cekInd;
        e.operation = date.isValid() ? QStringLiteral("Ödendi") : QStringLiteral("Ödeme Kaldırıldı");
        e.date = date.isValid() ? date : QDate::currentDate();
        e.slip = cheque.field(QStringLiteral("bordro_ind")).asInteger();
        e.account = cheque.field(QStringLiteral("cirolandigi_firma_kodu")).asString();
        e.amount = cheque.field(QStringLiteral("cek_tutari")).asFloat();
        e.tl = cheque.field(QStringLiteral("cekTL_karsiligi")).asFloat();
        e.currency = cheque.field(QStringLiteral("para_birimi")).asString();
        OperationLog::write(company, e);
        tx.commit();
    } catch (...) {
        if (cheque.state() == Dataset::State::Edit) cheque.cancel();
        throw;
    }
    DataContext::instance().announce({DataKind::Cheques});
    return Outcome::Written;
}

} // namespace IssuedPayment
