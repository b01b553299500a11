#pragma once
// The portfolio on a past date ("Tarihindeki Portföy"): the received cheques the
// company held at the end of a day, portfolio and banks together, read from the
// dates stored on each cheque: received by then, and neither collected, returned,
// bounced nor endorsed away by then. A cheque handed to a bank is still held.
#include <QDate>
#include <QStringList>

namespace ChequeList {

// The state lines of the received lists (beginning with "WHERE") for the day.
QStringList portfolioOnDateLines(const QDate &day);

} // namespace ChequeList
