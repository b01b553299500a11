#include "issued/issued_payment.h"

#include "data/data_context.h"
#include "data/table.h"
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
    cheque.edit();
    cheque.field(QStringLiteral("cek_tahsilat_tarihi")) = date.isValid() ? QVariant(date) : QVariant();
    try {
        cheque.post();
    } catch (...) {
        cheque.cancel();
        throw;
    }
    DataContext::instance().announce({DataKind::Cheques});
    return Outcome::Written;
}

} // namespace IssuedPayment
