#include "received/tcekiadef.h"

#include "data/data_context.h"
#include "data/table.h"

TcekiadeF::TcekiadeF(QWidget *parent)
    : ChequeOperationWindow({"TcekiadeF", QStringLiteral("Brenvo Çek Senet Takip - Çek İade İşlemi"),
                             QStringLiteral("ÇEK İADE İŞLEMİ"), QStringLiteral("Çeki İade Et"),
                             QStringLiteral("İade Firma Adı"), QStringLiteral("Cari Hesaba Çek İade Olarak Ekle"), true},
                            parent)
{
    m_ownCheques = std::make_unique<Table>(&DataContext::instance().ADOConnection1, QStringLiteral("cekgiris"),
                                           QStringLiteral("cek_tarihi"));
}

TcekiadeF::~TcekiadeF() = default;

ChequeOperation::Result TcekiadeF::perform(ChequeOperation::Values &v)
{
    return ChequeOperation::giveBack(v, m_cheques ? *m_cheques : *m_ownCheques);
}
