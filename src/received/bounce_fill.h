#pragma once
// The bounce window filled from a row of the given or the issued cheque lists:
// both lists hand over the same fields under their own names.
#include "received/cheque_operations.h"

class Dataset;

namespace ChequeOperation {

// source Cirolanan: a row of cekciro ("İşlem Kayıt No" = ciro_cek_ind); Duzenlenen:
// a row of cekkendi (cek_ind). "Tarih" is the stored bounce date, else listDate; a
// rate or TL value never stored shows empty, an exchange difference never stored "0".
Values bounceFill(Dataset &row, Source source, const QDate &listDate);

} // namespace ChequeOperation
