#pragma once
// What the "Çek Geçmişi" window shows, without its widgets: the cheque's header
// (number, bank, drawer, due date, amount and today's state in words) and the
// statement of its events from the operation log, in the order they happened.
#include "data/operation_log.h"

#include <QDate>
#include <QString>
#include <QStringList>

class Connection;

namespace ChequeHistory {

struct Header {
    bool found = false;
    QString number, bank, drawer, currency, state;
    QDate due;
    double amount = 0;
};

Header header(Connection &company, OperationLog::Kind kind, qint64 cheque);
// The header as one line: "1000082 nolu çek, Akbank, Çelik Kırtasiye, 16.04.2026 vadeli 5.159,20 TL: ciro edilmiş".
QString headerText(const Header &h);
// The events, oldest first (by date, then by when they were written).
QStringList eventsStatement(OperationLog::Kind kind, qint64 cheque);

} // namespace ChequeHistory
