#include "received/tcekbordrof.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
#include "received/slip_register_band.h"
#include "received/slip_register_grid.h"
#include "received/entry_slip_load.h"
#include "received/tceklerf.h"
#include "received/tcekortf.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/form_show.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/wait_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using FormKit::button;
using FormKit::lineEdit;

namespace {

const QString kFiltrele = QStringLiteral("FİLTRELE");
const QString kFiltreyiKaldir = QStringLiteral("FİLTREYİ KALDIR");

} // namespace

TcekbordroF::TcekbordroF(QWidget *parent)
    : QWidget(parent),
      CekBordro(*new Query(&DataContext::instance().ADOConnection1, QStringLiteral("CekBordro"), this))
{
    // Every slip, read whole in one pass: the register only lists and filters them.
    CekBordro.sql() << QStringLiteral("SELECT * FROM cekbordro ORDER BY islem_tarihi, bordro_ind");
    setObjectName(QStringLiteral("TcekbordroF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Alınan Çek ve Senet Giriş Bordro Listeleri"));
    CekBordro.setFilter([this](const Record &r) { return m_applied.accepts(m_reader.read(r, CekBordro)); });

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->addWidget(FormKit::heading(this, "baslikLabel", QStringLiteral("Alınan Çek ve Senet Giriş Bordro Listeleri"), 6));

    // The filter band both registers share; the window keeps its controls by name.
    static_cast<SlipRegister::Band &>(*this) = SlipRegister::buildBand(
        this,
        QStringLiteral("  GİRİŞ BORDRO RAPORLAMA SEÇENEKLERİ (Seçim Yaptıktan sonra \"FİLTRELE\" tuşuna tıklayın)"),
        QStringLiteral("Firm.Kodu"));

    duzeltButton = button(this, "duzeltButton", QStringLiteral("BORDROYU DÜZELT"));
    yenileButton = button(this, "yenileButton", QStringLiteral("RAPORU YENİLE"));
    filtreButton = button(this, "filtreButton", kFiltrele);
    kapatButton = button(this, "kapatButton", QStringLiteral("KAPAT"));
    tumkolonCheck = new QCheckBox(QStringLiteral("Tüm alanı göster"), this);
    tumkolonCheck->setObjectName(QStringLiteral("tumkolonCheck"));
    addButtons(duzeltButton, yenileButton, filtreButton, kapatButton, tumkolonCheck);
    root->addWidget(panel);

    const SlipRegister::Grid grid = SlipRegister::buildGrid(this, CekBordro, islemDate, "alindigi_firma", "Firma", tumkolonCheck);
    FirmaGrid = grid.grid;
    QAction *duzeltItem = grid.correctItem;
    root->addWidget(FirmaGrid, 1);

    KeyFilters::installEnterMovesFocus(this);
    for (QLineEdit *e : {firmaEdit, firmaadiEdit}) e->installEventFilter(this);

    connect(filtreButton, &QPushButton::clicked, this, &TcekbordroF::filtrele);
    connect(yenileButton, &QPushButton::clicked, this, &TcekbordroF::raporuYenile);
    connect(duzeltButton, &QPushButton::clicked, this, &TcekbordroF::bordroDuzelt);
    connect(duzeltItem, &QAction::triggered, this, &TcekbordroF::bordroDuzelt);
    connect(FirmaGrid, &QAbstractItemView::doubleClicked, this, [this] { bordroDuzelt(); });
    connect(kapatButton, &QPushButton::clicked, this, &QWidget::hide);
    AccountPicker::registerHandler(QStringLiteral("cekbordro"), [this](const PickedAccount &card) {
        firmaEdit->setText(card.kodu);
        firmaadiEdit->setText(card.adi);
    });
    resize(1280, 720);
}

TcekbordroF::~TcekbordroF() { AccountPicker::unregisterTarget(QStringLiteral("cekbordro")); }


void TcekbordroF::ac()
{
    try {
        // Always read afresh: a slip saved, corrected or deleted since shows as it is now.
        if (CekBordro.isActive()) CekBordro.refresh();
        else CekBordro.open();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    showFormMaximized(this);
}

void TcekbordroF::filtrele()
{
    m_filterOn = !m_filterOn;
    m_applied = SlipRegister::Matcher(filter());
    filtreButton->setText(m_filterOn ? kFiltreyiKaldir : kFiltrele);
    CekBordro.setFiltered(m_filterOn);
}

void TcekbordroF::filtreyiKapat()
{
    m_filterOn = false;
    filtreButton->setText(kFiltrele);
    CekBordro.setFiltered(false);
}

void TcekbordroF::raporuYenile()
{
    m_applied = SlipRegister::Matcher(filter());
    try {
        if (!CekBordro.isActive()) CekBordro.open();
        else CekBordro.refresh();
        if (m_filterOn) {
            CekBordro.setFiltered(false);
            CekBordro.setFiltered(true);
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

bool TcekbordroF::bordroDuzelt()
{
    if (!m_slip || !CekBordro.isActive() || CekBordro.isEmpty()) return false;
    const qint64 number = CekBordro.field(QStringLiteral("bordro_ind")).asInteger();
    // Typed changes are never thrown away without the user's word.
    if (!m_slip->degisiklikleriBirak()) return false;
    EntrySlip::LoadedSlip slip;
    try {
        std::unique_ptr<WaitScope> wait;
        if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, 1, TForm2::kAktarim);
        slip = EntrySlip::loadSlip(DataContext::instance().ADOConnection1, number);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    if (!slip.found) {
        MessageBox::warning(QStringLiteral("Bordro bulunamadı; silinmiş olabilir. Raporu yenileyin."));
        return false;
    }
    if (slip.refusal != EntrySlip::Refusal::None) {
        // The entry slip stays exactly as it was; the user sees the cheques concerned.
        MessageBox::warning(EntrySlip::refusalMessage(slip.refusal));
        showRefusedCheques(number, slip.refusal == EntrySlip::Refusal::Endorsed   ? QStringLiteral("Ciro Edilenler")
                                   : slip.refusal == EntrySlip::Refusal::Returned ? QStringLiteral("İade Edilenler")
                                                                                  : QStringLiteral("Tahsil Edilenler"));
        return false;
    }
    m_slip->yukle(slip);
    hide();
    showFormMaximized(m_slip);
    if (m_lists) {
        showRefusedCheques(number, QStringLiteral("Tüm Çekler"));
    }
    return true;
}

void TcekbordroF::showRefusedCheques(qint64 number, const QString &choice)
{
    if (!m_lists) return;
    m_lists->firmaEdit->clear();
    m_lists->firmaadiEdit->clear();
    m_lists->tarihCheck->setChecked(false);
    for (QAbstractButton *b : m_lists->choiceGroup->buttons())
        if (b->text() == choice) b->setChecked(true);
    m_lists->bordroEdit->setText(QString::number(number));
    m_lists->CekleriHazirla();
    if (choice != QStringLiteral("Tüm Çekler")) showFormMaximized(m_lists);
}

void TcekbordroF::openPicker(QLineEdit *edit)
{
    if (!m_cards) return;
    AccountPicker::cariSecimYeri() = QStringLiteral("cekbordro");
    if (edit == firmaEdit) m_cards->ac(QStringLiteral("cekbordro"), edit->text());
    else m_cards->ac(QStringLiteral("cekbordro"), QString(), edit->text());
}

bool TcekbordroF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && (watched == firmaEdit || watched == firmaadiEdit)) {
        openPicker(static_cast<QLineEdit *>(watched));
        return true;
    }
    if (watched == FirmaGrid && KeyFilters::enterMovesToNextColumn(FirmaGrid, event)) return true;
    return QWidget::eventFilter(watched, event);
}
