#include "received/ttahsilatf.h"

#include "data/data_context.h"
#include "data/table.h"

#include <QCheckBox>

namespace {

bool holdsTypedRow(const Table *t)
{
    return t && (t->state() == Dataset::State::Edit || t->state() == Dataset::State::Insert);
}

} // namespace

TtahsilatF::TtahsilatF(QWidget *parent)
    : ChequeOperationWindow({"TtahsilatF", QStringLiteral("Brenvo Çek Senet Takip - Çek Tahsilat İşlemi"),
                             QStringLiteral("ÇEK TAHSİLAT İŞLEMİ"), QStringLiteral("Çeki Tahsil Et"),
                             QStringLiteral("Giriş Firma Adı"), QStringLiteral("Kasaya Nakit Girişi Olarak Ekle")},
                            parent)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    DataContext &ctx = DataContext::instance();
    m_ownCheques = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("cekgiris"), QStringLiteral("cek_tarihi"));
    m_ownCash = std::make_unique<Table>(&ctx.kasaConnection, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"));
}

TtahsilatF::~TtahsilatF() = default;

void TtahsilatF::setTables(Table *cekTakip, Table *kasaGTable)
{
    m_cheques = cekTakip;
    setCashView(kasaGTable);
}

ChequeOperation::Result TtahsilatF::perform(ChequeOperation::Values &v)
{
    Table &cheques = m_cheques ? *m_cheques : *m_ownCheques;
    // A cash row the user is typing in the cash view stays typed: the receipt is
    // written through a table of its own then.
    Table &cash = m_cashView && !holdsTypedRow(m_cashView) ? *m_cashView : *m_ownCash;
    return ChequeOperation::collect(v, cheques, cash);
}
