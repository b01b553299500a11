#include "given/tcekiadeverilenf.h"

#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "widgets/message_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

QString TcekiadeverilenF::verilenIadeTuru;

namespace {

ChequeOperationWindow::Texts texts()
{
    ChequeOperationWindow::Texts t{"TcekiadeverilenF",
                                   QStringLiteral("Brenvo Çek Senet Takip - Verilen Çek İade Alımı İşlemi"),
                                   QStringLiteral("VERİLEN ÇEK İADE ALIMI İŞLEMİ"),
                                   QStringLiteral("Çeki İade Al"),
                                   QStringLiteral("İade Firma Adı"),
                                   QStringLiteral("Cari Hesaba Çek İade Olarak Ekle"),
                                   true};
    t.slipLabel = QStringLiteral("Çıkış Bordro No");
    t.withEntryNo = true;
    return t;
}

} // namespace

TcekiadeverilenF::TcekiadeverilenF(QWidget *parent) : ChequeOperationWindow(texts(), parent)
{
    actionButton->setObjectName(QStringLiteral("BitBtn1"));
    Connection *company = &DataContext::instance().ADOConnection1;
    m_given = std::make_unique<Table>(company, QStringLiteral("cekciro"));
    m_own = std::make_unique<Table>(company, QStringLiteral("cekkendi"));
    m_received = std::make_unique<Table>(company, QStringLiteral("cekgiris"));
    // Closing the company ends the work on its cheques.
    connect(&DataContext::instance(), &DataContext::companyClosed, this, [this] {
        hide();
        for (Table *t : {m_given.get(), m_own.get(), m_received.get()}) t->close();
    });
}

TcekiadeverilenF::~TcekiadeverilenF() = default;

GivenTakeBack::Values TcekiadeverilenF::takeBackValues() const
{
    GivenTakeBack::Values v;
    static_cast<ChequeOperation::Values &>(v) = values();
    v.girisNo = girisnoEdit->text();
    return v;
}

void TcekiadeverilenF::setTakeBackValues(const GivenTakeBack::Values &v)
{
    setValues(v);
    girisnoEdit->setText(v.girisNo);
}

void TcekiadeverilenF::cirolananAc(qint64 ciroCekInd)
{
    open(QStringLiteral("Cirolanan"), *m_given, QStringLiteral("ciro_cek_ind"), ciroCekInd);
}

void TcekiadeverilenF::duzenlenenAc(qint64 cekInd)
{
    open(QStringLiteral("Duzenlenen"), *m_own, QStringLiteral("cek_ind"), cekInd);
}

void TcekiadeverilenF::open(const QString &mode, Table &table, const QString &keyField, qint64 key)
{
    GivenTakeBack::Values v;
    try {
        // Reopened, so that a cheque written since the last take-back shows as stored.
        table.close();
        table.setFiltered(false);
        table.open();
        if (key <= 0 || !table.locate(keyField, key)) {
            MessageBox::warning(ChequeOperation::kChequeMissing);
            return;
        }
        v = mode == QLatin1String("Cirolanan") ? GivenTakeBack::fromGiven(table) : GivenTakeBack::fromOwn(table);
    } catch (const EngineError &e) {
        MessageBox::warning(e.message());
        return;
    }
    verilenIadeTuru = mode;
    adjustSize();
    if (const QScreen *s = screen()) move(s->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    setTakeBackValues(v);
}

ChequeOperation::Result TcekiadeverilenF::perform(ChequeOperation::Values &shown)
{
    GivenTakeBack::Values v;
    static_cast<ChequeOperation::Values &>(v) = shown;
    v.girisNo = girisnoEdit->text();
    const GivenTakeBack::Mode mode = GivenTakeBack::modeOf(verilenIadeTuru);
    Table &given = mode == GivenTakeBack::Mode::Duzenlenen ? *m_own : *m_given;
    const ChequeOperation::Result r = GivenTakeBack::takeBack(v, mode, given, *m_received);
    shown = v;
    return r;
}
