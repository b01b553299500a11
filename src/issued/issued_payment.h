#pragma once
// Recording and undoing the payment of one of the company's own cheques. A payment
// touches only the cheque's payment date in cekkendi: nothing is posted to the
// account movements or to the cash register.
#include <QDate>
#include <QString>

class Connection;

namespace IssuedPayment {

enum class Outcome { Written, NotFound, Refused };

// The message of a cheque no longer stored (deleted since the list was built).
inline const QString kNotFound = QStringLiteral("Çek kaydı bulunamadı. İşlem yapılmadı.");

// Sets the payment date (cek_tahsilat_tarihi) of the own cheque whose cek_ind is
// cekInd; an invalid date empties it, which undoes the payment. No other field is
// written. NotFound, with nothing written, when there is no such cheque. Engine
// errors propagate as EngineError. A written date is announced as changed cheques.
// Refused, with nothing written, when the cheque's state does not allow it (a
// taken-back or bounced cheque paid, an unpaid one "unpaid"); lastRefusal() names it.
Outcome odemeTarihiYaz(Connection &company, qint64 cekInd, const QDate &date);
QString lastRefusal();

} // namespace IssuedPayment
