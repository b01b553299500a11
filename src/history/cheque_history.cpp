#include "history/cheque_history.h"

#include "data/cheque_state.h"
#include "data/display_format.h"
#include "received/cheque_lifecycle.h"

namespace ChequeHistory {

Header header(Connection &company, OperationLog::Kind kind, qint64 cheque)
{
    Header h;
    const bool own = kind == OperationLog::Kind::Own;
    const Lifecycle::Row row = own ? Lifecycle::readOwn(company, cheque) : Lifecycle::readReceived(company, cheque);
    if (!row.found) return h;
    h.found = true;
    h.number = row.text("cek_no");
    h.bank = row.text("cek_bankasi");
    h.drawer = row.text("ceki_duzenleyen");
    h.currency = row.text("para_birimi");
    h.due = row.date("cek_tarihi");
    h.amount = row.amount("cek_tutari");
    h.state = own ? ChequeState::ownText(ChequeState::ownState(row.getter()))
                  : ChequeState::receivedText(ChequeState::receivedState(row.getter()));
    return h;
}

QString headerText(const Header &h)
{
    if (!h.found) return QStringLiteral("Çek kaydı bulunamadı.");
    QStringList parts;
    parts << (h.number.isEmpty() ? QStringLiteral("Çek") : h.number + QStringLiteral(" nolu çek"));
    if (!h.bank.isEmpty()) parts << h.bank;
    if (!h.drawer.isEmpty()) parts << h.drawer;
    QString due = h.due.isValid() ? h.due.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" vadeli ") : QString();
    parts << due + formatFloat(QStringLiteral("#,##0.00"), h.amount) + u' ' + h.currency;
    return parts.join(QStringLiteral(", ")) + QStringLiteral(": ") + h.state;
}

QStringList eventsStatement(OperationLog::Kind kind, qint64 cheque)
{
    return {QStringLiteral("SELECT islem_ind, islem_tarihi, islem, bordro_ind, cari_kodu, tutar, tl_tutar, para_birimi, "
                           "kasa_yili, IIf(yeniden='E', 'Evet', '') AS yeniden FROM cekislem"),
            QStringLiteral("WHERE cek_turu=%1 AND cek_ind=%2").arg(int(kind)).arg(cheque),
            QStringLiteral("ORDER BY islem_tarihi ASC, islem_ind ASC;")};
}

} // namespace ChequeHistory
