#include "issued/issued_list_statements.h"

namespace IssuedList {

QStringList choiceTexts()
{
    return {QStringLiteral("Ödenecek Çekler"), QStringLiteral("Karşılıksızlar Çekler"), QStringLiteral("Geri İade Alınanlar"),
            QStringLiteral("Ödenen Çekler"), QStringLiteral("Tüm Düzenlenen Çekler")};
}

ChequeList::Shape shape()
{
    return {QStringLiteral("cekkendi"), QStringLiteral("bordro_ind"), QStringLiteral("cirolandigi_firma_kodu"),
            {QStringLiteral("cirolandigi_firma")}, true};
}

QStringList stateLines(Choice choice)
{
    switch (choice) {
    case Choice::Odenecek:
        return {QStringLiteral("WHERE cek_ind IS NOT NULL AND cek_karsiliklsiz_tarihi IS NULL "),
                QStringLiteral("AND cek_iade_tarihi IS NULL AND cek_tahsilat_tarihi IS NULL")};
    case Choice::Karsiliksiz: return {QStringLiteral("WHERE cek_karsiliklsiz_tarihi IS NOT NULL")};
    case Choice::IadeAlinan: return {QStringLiteral("WHERE cek_iade_tarihi IS NOT NULL")};
    case Choice::Odenen: return {QStringLiteral("WHERE cek_tahsilat_tarihi IS NOT NULL")};
    case Choice::Tum: break;
    }
    return {QStringLiteral("WHERE cek_ind IS NOT NULL")};
}

ChequeList::Statements build(const Filters &f, const QString &orderBy)
{
    return ChequeList::assemble(shape(), stateLines(f.choice), f, orderBy);
}

} // namespace IssuedList
