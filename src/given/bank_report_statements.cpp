#include "given/bank_report_statements.h"

#include "data/sql_literals.h"
#include "mainmenu/dashboard_statements.h"

namespace BankReport {
namespace {

// Both end days are part of the range.
QString rangeLine(const QDate &from, const QDate &to)
{
    return QStringLiteral("((cek_tarihi>=") + sqlDate(from) + QStringLiteral(") AND (cek_tarihi<=") + sqlDate(to)
           + QStringLiteral("))");
}

// A cheque taken back from its bank is in the portfolio again and no longer at the
// bank; a bounced one is no longer money the bank will collect.
const QString kAtBank = QStringLiteral("AND (cek_iade_tarihi IS NULL) AND (cek_karsiliklsiz_tarihi IS NULL)");

QString dayText(const QDate &d) { return QStringLiteral("%1/%2/%3").arg(d.day()).arg(d.month()).arg(d.year()); }

} // namespace

bool isAllBanks(const QString &bank) { return bank.isEmpty() || bank == kAllBanks; }

Statements build(const QDate &from, const QDate &to, const QString &bank)
{
    const QString where = QStringLiteral("WHERE (cek_banka_id=2) AND");
    const QString range = rangeLine(from, to);
    QStringList bankLine;
    if (!isAllBanks(bank)) bankLine << QStringLiteral("AND (ciro_firma=") + sqlText(bank) + u')';

    Statements s;
    s.banks = {QStringLiteral("SELECT ciro_firma FROM cekciro "), where, range, kAtBank, QStringLiteral("GROUP BY ciro_firma;")};
    s.list = QStringList{QStringLiteral("SELECT * FROM cekciro WHERE (cek_banka_id=2) AND"), range, kAtBank} + bankLine
             + QStringList{QStringLiteral("ORDER BY cek_tarihi ASC;")};
    s.perBank = QStringList{QStringLiteral("SELECT ciro_firma,para_birimi,SUM(cek_tutari) AS cektutari FROM cekciro "), where,
                            range, kAtBank}
                + bankLine + QStringList{QStringLiteral("GROUP BY ciro_firma,para_birimi;")};
    s.perCurrency = QStringList{QStringLiteral("SELECT para_birimi,SUM(cek_tutari) AS cektutari FROM cekciro "), where, range,
                                kAtBank}
                    + bankLine + QStringList{QStringLiteral("GROUP BY para_birimi;")};
    return s;
}

QString title(const QDate &from, const QDate &to, const QString &bank)
{
    const QString range = dayText(from) + QStringLiteral(" - ") + dayText(to) + QStringLiteral(" Tarihleri Arası Vadeli Çekler");
    if (isAllBanks(bank)) return QStringLiteral("Tüm Bankalardaki ") + range;
    return bank + QStringLiteral(" de Bulunan ") + range;
}

double tlValue(const QString &currency, double amount, double rate) { return Dashboard::tlValue(currency, amount, rate); }

} // namespace BankReport
