#pragma once
// The colours of the cash movement list: a row with no money in (its "Giren Para"
// left empty) is money out, painted on light blue in dark blue; any other row,
// even one whose money in is 0, is painted in orange on the normal background.
#include "widgets/row_paint_delegate.h"

#include <QVariant>

namespace CashRowColours {

inline const QColor kOutBackground{223, 235, 255};
inline const QColor kOutText{12, 47, 111};
inline const QColor kInText{230, 98, 19};

RowColours of(const QVariant &borcTutar);
// The rule for a grid over the cash rows.
RowColourRule rule();

} // namespace CashRowColours
