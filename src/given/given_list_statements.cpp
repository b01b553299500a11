#include "given/given_list_statements.h"

namespace GivenList {

QStringList choiceTexts()
{
    return {QStringLiteral("Tüm Ciro Edilenler"), QStringLiteral("Sadece Karşılıksızlar"),
            QStringLiteral("Sadece İade Alınanlar")};
}

ChequeList::Shape shape()
{
    return {QStringLiteral("cekciro"), QStringLiteral("ciro_bordro_ind"), QStringLiteral("Ciro_firma_kodu"),
            {QStringLiteral("ciro_firma"), QStringLiteral("ceki_duzenleyen"), QStringLiteral("alindigi_firma")}};
}

QStringList stateLines(Choice choice, bool bankaHaric)
{
    QStringList lines;
    switch (choice) {
    case Choice::Tum:
        lines << QStringLiteral(
            "WHERE (ciro_cek_ind IS NOT NULL) AND (cek_iade_tarihi IS NULL) AND (cek_karsiliklsiz_tarihi IS NULL)");
        break;
    case Choice::Karsiliksiz: lines << QStringLiteral("WHERE (cek_karsiliklsiz_tarihi IS NOT NULL )"); break;
    case Choice::IadeAlinan: lines << QStringLiteral("WHERE (cek_iade_tarihi IS NOT NULL )"); break;
    }
    // A bare "<>2" would also drop the cheques whose exit type is empty: a
    // comparison with an empty field is never true.
    if (bankaHaric) lines << QStringLiteral("AND ((cek_banka_id IS NULL) OR (cek_banka_id<>2))");
    return lines;
}

ChequeList::Statements build(const Filters &f, const QString &orderBy)
{
    return ChequeList::assemble(shape(), stateLines(f.choice, f.bankaHaric), f, orderBy);
}

} // namespace GivenList
