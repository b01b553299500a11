#include "received/tcekkarsiliksizf.h"

#include "data/data_context.h"
#include "data/table.h"

QString TcekkarsiliksizF::karsiliksizKaynak;

TcekkarsiliksizF::TcekkarsiliksizF(QWidget *parent)
    : ChequeOperationWindow({"TcekkarsiliksizF", QStringLiteral("Brenvo Çek Senet Takip - Çek Karşılıksız İşlemi"),
                             QStringLiteral("ÇEK KARŞILIKSIZ İŞLEMİ"), QStringLiteral("Çeki Karşılıksız Yap"),
                             QStringLiteral("İade Firma Adı"), QString()},
                            parent)
{
    Connection *company = &DataContext::instance().ADOConnection1;
    m_ownCheques = std::make_unique<Table>(company, QStringLiteral("cekgiris"), QStringLiteral("cek_tarihi"));
    m_given = std::make_unique<Table>(company, QStringLiteral("cekciro"));
    m_own = std::make_unique<Table>(company, QStringLiteral("cekkendi"));
}

TcekkarsiliksizF::~TcekkarsiliksizF() = default;

ChequeOperation::Result TcekkarsiliksizF::perform(ChequeOperation::Values &v)
{
    using ChequeOperation::Source;
    const Source source = ChequeOperation::sourceOf(karsiliksizKaynak);
    Table &table = source == Source::Cirolanan    ? *m_given
                   : source == Source::Duzenlenen ? *m_own
                   : m_cheques                    ? *m_cheques
                                                  : *m_ownCheques;
    return ChequeOperation::bounce(v, source, table);
}
