#include "accounts/cheque_return.h"

#include <QStringList>

namespace ChequeReturn {

MovementWriter::Fields movementKey(qint64 recordNumber, Kind kind)
{
    return {{QStringLiteral("cek_iade_id"), recordNumber}, {QStringLiteral("bosint1"), int(kind)}};
}

QString description(const QString &bank, const QString &chequeNo, const QDate &due, const QString &suffix)
{
    QStringList parts;
    for (const QString &p : {bank.trimmed(), chequeNo.trimmed()})
        if (!p.isEmpty()) parts << p;
    parts << due.toString(QStringLiteral("dd.MM.yyyy"));
    return parts.join(u' ') + suffix;
}

} // namespace ChequeReturn
