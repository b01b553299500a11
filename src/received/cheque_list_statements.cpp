#include "received/cheque_list_statements.h"

namespace ChequeList {

Shape receivedShape()
{
    return {QStringLiteral("cekgiris"), QStringLiteral("bordro_ind"), QStringLiteral("alindigi_firma_kodu"),
            {QStringLiteral("alindigi_firma"), QStringLiteral("ceki_duzenleyen")}};
}

QStringList choiceTexts()
{
    return {QStringLiteral("Portföydeki Çekler"), QStringLiteral("Bankadaki Çekler"), QStringLiteral("Portföy+Banka"),
            QStringLiteral("Ciro Edilenler"),     QStringLiteral("Tahsil Edilenler"), QStringLiteral("Karşılıksızlar"),
            QStringLiteral("İade Edilenler"),     QStringLiteral("Tüm Çekler")};
}

QStringList stateLines(Choice choice)
{
    switch (choice) {
    case Choice::Portfoy:
        return {QStringLiteral("WHERE (cek_ciro_id IS NULL )"), QStringLiteral("AND (cek_tahsilat_tarihi IS NULL)"),
                QStringLiteral("AND (cek_iade_tarihi IS NULL)"), QStringLiteral("AND (cek_banka_tarihi IS NULL)"),
                QStringLiteral("AND (cek_karsiliklsiz_tarihi IS NULL)")};
    case Choice::Banka:
        return {QStringLiteral("WHERE (cek_ciro_id IS NOT NULL )"), QStringLiteral("AND (cek_tahsilat_tarihi IS NULL)"),
                QStringLiteral("AND (cek_iade_tarihi IS NULL)"), QStringLiteral("AND (cek_banka_tarihi IS NOT NULL)"),
                QStringLiteral("AND (cek_karsiliklsiz_tarihi IS NULL)")};
    case Choice::PortfoyBanka:
        return {QStringLiteral("WHERE ((cek_ciro_id IS NULL ) OR (cek_banka_tarihi IS NOT NULL))"),
                QStringLiteral("AND (cek_tahsilat_tarihi IS NULL)"), QStringLiteral("AND (cek_iade_tarihi IS NULL)"),
                QStringLiteral("AND (cek_karsiliklsiz_tarihi IS NULL)")};
    case Choice::Ciro: return {QStringLiteral("WHERE (cek_ciro_id IS NOT NULL )")};
    case Choice::Tahsil: return {QStringLiteral("WHERE (cek_tahsilat_tarihi IS NOT NULL )")};
    case Choice::Karsiliksiz: return {QStringLiteral("WHERE (cek_karsiliklsiz_tarihi IS NOT NULL )")};
    case Choice::Iade: return {QStringLiteral("WHERE (cek_iade_tarihi IS NOT NULL )")};
    case Choice::Tum: break;
    }
    return {QStringLiteral("WHERE (cek_ind IS NOT NULL )")};
}

QStringList filterLines(const Filters &f) { return filterLines(receivedShape(), f); }

Statements build(const Filters &f, const QString &orderBy)
{
    return assemble(receivedShape(), stateLines(f.choice), f, orderBy);
}

} // namespace ChequeList
