#pragma once
// An account's current risk: the cheques received from it that the company still
// holds or has endorsed and that are not yet due (in TL at their stored rates),
// plus its open balance (debits less credits of the working year's movements). The
// card shows it beside the limits `riski`, `riski2`, `riski3`; the entry slip asks
// before a save that takes the account over its first limit.
#include <QDate>
#include <QString>
#include <QStringList>

class Connection;

namespace CustomerRisk {

struct Figures {
    double cheques = 0;
    double balance = 0;
    double total() const { return cheques + balance; }
};

QStringList chequeSum(const QString &code, const QDate &today);
QStringList balanceSum(const QString &code);
// Throws EngineError. The balance is left at zero when the cash file is not open.
Figures read(Connection &company, Connection *cash, const QString &code, const QDate &today);

// Whether a risk is over a limit; a limit of zero or less is no limit.
bool overLimit(double risk, double limit);
// The question of the entry slip: the account, its limit, its risk now and with the slip.
QString limitQuestion(const QString &account, double limit, double riskNow, double riskWithSlip);

} // namespace CustomerRisk
