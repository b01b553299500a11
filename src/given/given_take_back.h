#pragma once
// Taking back a cheque the company gave out, without the window: an endorsed (or
// bank) cheque of `cekciro`, which goes back into the portfolio, or an own cheque
// of `cekkendi`. The cheque gets its return date and, with the box ticked, the
// account it went to is credited with the cheque's amount in the cash file of the
// return date's year. Every check runs before anything is written; the cheque
// rows and the movement are committed together or not at all.
#include "received/cheque_operations.h"

class Dataset;
class Table;

namespace GivenTakeBack {

// The window's fields. The common ones are those of the received cheque
// operations; "İşlem Kayıt No" holds ciro_cek_ind or the own cheque's cek_ind,
// bordroNo the exit slip number, firmaAdi/firmaKodu the account that returns it.
struct Values : ChequeOperation::Values {
    QString girisNo;  // "Giriş No": cek_ind of the received cheque (endorsed cheques only)
};

// Where the cheque lives, from the mode word the opener sets.
enum class Mode { None, Cirolanan, Duzenlenen };
Mode modeOf(const QString &verilenIadeTuru);

using ChequeOperation::Result;

// The fields filled from the current row of `cekciro` or of `cekkendi`. "Tarih" is
// the stored return date, else today; "Kuru" the cheque's own rate (empty when it
// has none), with the TL value and the difference worked out from it, so that no
// rate left from another cheque is ever posted.
Values fromGiven(Dataset &cekciro);
Values fromOwn(Dataset &cekkendi);

// The take-back. given is a table over `cekciro` (mode Cirolanan) or `cekkendi`
// (mode Duzenlenen), received one over `cekgiris`, both on the company connection.
// The rate is read and the cheque (and, for an endorsed one, the received cheque
// it came from) must be stored before anything happens; then, with the box ticked
// and the date in another year, the working year switches to the date's year. The
// movement is found by cek_iade_id and the kind of cheque, edited or appended.
Result takeBack(Values &v, Mode mode, Table &given, Table &received);

} // namespace GivenTakeBack
