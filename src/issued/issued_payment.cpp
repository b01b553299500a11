#include "issued/issued_payment.h"

#include "data/data_context.h"
#include "data/table.h"

namespace IssuedPayment {

Outcome odemeTarihiYaz(Connection &company, qint64 cekInd, const QDate &date)
{
    if (cekInd <= 0) return Outcome::NotFound;
    // The table limited to the one cheque, so that no other row is read.
    Table cheque(&company, QStringLiteral("cekkendi"));
    cheque.setMasterLink(QStringLiteral("cek_ind"), cekInd);
    cheque.open();
    if (cheque.isEmpty()) return Outcome::NotFound;
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
