#include "outlook/customer_risk.h"

#include "data/cheque_state.h"
#include "data/display_format.h"
#include "data/query.h"
#include "data/sql_literals.h"

namespace CustomerRisk {

using ChequeState::Received;

QStringList chequeSum(const QString &code, const QDate &today)
{
    const QString held = QStringLiteral("((%1) OR (%2) OR (%3) OR (%4))")
                             .arg(ChequeState::receivedCondition(Received::Portfolio),
                                  ChequeState::receivedCondition(Received::AtBankEntry),
                                  ChequeState::receivedCondition(Received::AtBank),
                                  ChequeState::receivedCondition(Received::Endorsed));
    return {QStringLiteral("SELECT SUM(IIf(para_birimi='TL', cek_tutari, cek_tutari*IFNULL(cek_doviz_kuru,0))) AS risk"),
            QStringLiteral("FROM cekgiris WHERE ") + sqlCodeEquals(QStringLiteral("alindigi_firma_kodu"), code),
            QStringLiteral("AND ") + held, QStringLiteral("AND (cek_tarihi>=%1);").arg(sqlDate(today))};
}

QStringList balanceSum(const QString &code)
{
    return {QStringLiteral("SELECT SUM(IFNULL(borc_tutari,0))-SUM(IFNULL(alacak_tutari,0)) AS bakiye FROM carihareket"),
            QStringLiteral("WHERE ") + sqlCodeEquals(QStringLiteral("cari_kodu"), code) + u';'};
}

Figures read(Connection &company, Connection *cash, const QString &code, const QDate &today)
{
    Figures f;
    if (code.trimmed().isEmpty()) return f;
    Query q(&company);
    q.reopen(chequeSum(code, today));
    if (q.recordCount() > 0) f.cheques = q.recordAt(0).asFloat(QStringLiteral("risk"));
    if (cash && cash->isOpen()) {
        Query b(cash);
        b.reopen(balanceSum(code));
        if (b.recordCount() > 0) f.balance = b.recordAt(0).asFloat(QStringLiteral("bakiye"));
    }
    return f;
}

bool overLimit(double risk, double limit) { return limit > 0 && risk > limit + 0.005; }

QString limitQuestion(const QString &account, double limit, double riskNow, double riskWithSlip)
{
    const QString fmt = QStringLiteral("#,##0.00");
    return QStringLiteral("%1 hesabının risk limiti %2 TL; şu anki riski %3 TL, bu bordro ile %4 TL olacak.\n"
                          "Bordro yine de kaydedilsin mi?")
        .arg(account, formatFloat(fmt, limit), formatFloat(fmt, riskNow), formatFloat(fmt, riskWithSlip));
}

} // namespace CustomerRisk
