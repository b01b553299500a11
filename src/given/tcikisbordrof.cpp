#include "given/tcikisbordrof.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
#include "received/slip_register_band.h"
#include "received/slip_register_grid.h"
#include "given/exit_slip_cancel.h"
#include "given/exit_slip_load.h"
#include "widgets/slip_grid.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include "given/tcekcikisf.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/form_show.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/wait_window.h"

#include <QAbstractButton>
#include <algorithm>
#include <memory>
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

TcikisbordroF::TcikisbordroF(QWidget *parent)
    : QWidget(parent),
      CiroBordro(*new Query(&DataContext::instance().ADOConnection1, QStringLiteral("CiroBordro"), this))
{
    // Every slip in the order they were saved, read whole in one pass: the register
    // only lists and filters them.
    CiroBordro.sql() << QStringLiteral("SELECT * FROM cikisbordro ORDER BY bordro_ind");
    setObjectName(QStringLiteral("TcikisbordroF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Verilen Çek ve Senet Çıkış Bordro Raporları"));
    CiroBordro.setFilter([this](const Record &r) { return m_applied.accepts(m_reader.read(r, CiroBordro)); });

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->addWidget(FormKit::heading(this, "baslikLabel", QStringLiteral("Verilen Çek ve Senet Çıkış Bordro Raporları"), 6));

    // The filter band both registers share; the window keeps its controls by name.
    static_cast<SlipRegister::Band &>(*this) = SlipRegister::buildBand(
        this,
        QStringLiteral("  ÇIKIŞ BORDRO RAPORLAMA SEÇENEKLERİ (Seçim Yaptıktan sonra \"FİLTRELE\" tuşuna tıklayın)"),
        QStringLiteral("Firma Kodu"));

    KDuzeltBut = button(this, "KDuzeltBut", QStringLiteral("BORDRO DÜZELT"));
    yenileBut = button(this, "yenileBut", QStringLiteral("YENİLE"));
    SKonBut2 = button(this, "SKonBut2", kFiltrele);
    kapatBut = button(this, "kapatBut", QStringLiteral("KAPAT"));
    kapatBut->setToolTip(QStringLiteral("Programı kapat..."));
    TumalanCheck = new QCheckBox(QStringLiteral("Tüm alanı göster"), this);
    TumalanCheck->setObjectName(QStringLiteral("TumalanCheck"));
    addButtons(KDuzeltBut, yenileBut, SKonBut2, kapatBut, TumalanCheck);
    root->addWidget(panel);

    const SlipRegister::Grid grid = SlipRegister::buildGrid(this, CiroBordro, islemDate, "ciro_firma", "Cari", TumalanCheck);
    FirmaGrid = grid.grid;
    QAction *duzeltItem = grid.correctItem;
    iptalItem = new QAction(QStringLiteral("Bordro'yu İptal Et"), FirmaGrid);
    iptalItem->setObjectName(QStringLiteral("iptalItem"));
    FirmaGrid->addAction(iptalItem);
    root->addWidget(FirmaGrid, 1);

    KeyFilters::installEnterMovesFocus(this);
    for (QLineEdit *e : {firmaEdit, firmaadiEdit}) e->installEventFilter(this);

    connect(SKonBut2, &QPushButton::clicked, this, &TcikisbordroF::filtrele);
    connect(yenileBut, &QPushButton::clicked, this, &TcikisbordroF::yenile);
    connect(KDuzeltBut, &QPushButton::clicked, this, &TcikisbordroF::bordroDuzelt);
    connect(duzeltItem, &QAction::triggered, this, &TcikisbordroF::bordroDuzelt);
    connect(FirmaGrid, &QAbstractItemView::doubleClicked, this, [this] { bordroDuzelt(); });
    connect(iptalItem, &QAction::triggered, this, &TcikisbordroF::bordroIptal);
    connect(kapatBut, &QPushButton::clicked, this, &QWidget::hide);
    AccountPicker::registerHandler(QStringLiteral("cikisbordro"), [this](const PickedAccount &card) {
        firmaEdit->setText(card.kodu);
        firmaadiEdit->setText(card.adi);
    });
    resize(1280, 720);
}

TcikisbordroF::~TcikisbordroF() { AccountPicker::unregisterTarget(QStringLiteral("cikisbordro")); }


void TcikisbordroF::ac()
{
    try {
        // Always read afresh: a slip saved, corrected or deleted since shows as it is now.
        if (CiroBordro.isActive()) CiroBordro.refresh();
        else CiroBordro.open();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    showFormMaximized(this);
}

void TcikisbordroF::filtrele()
{
    m_filterOn = !m_filterOn;
    m_applied = SlipRegister::Matcher(filter());
    SKonBut2->setText(m_filterOn ? kFiltreyiKaldir : kFiltrele);
    CiroBordro.setFiltered(m_filterOn);
}

void TcikisbordroF::filtreyiKapat()
{
    m_filterOn = false;
    SKonBut2->setText(kFiltrele);
    CiroBordro.setFiltered(false);
}

void TcikisbordroF::yenile()
{
    m_applied = SlipRegister::Matcher(filter());
    try {
        if (!CiroBordro.isActive()) CiroBordro.open();
        else CiroBordro.refresh();
        if (m_filterOn) {
            CiroBordro.setFiltered(false);
            CiroBordro.setFiltered(true);
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TcikisbordroF::bordroyuBul(qint64 number)
{
    for (QCheckBox *c : {koduCheck, paraCheck, tarihCheck, firmaadiCheck, orttarihCheck}) c->setChecked(false);
    bordroCheck->setChecked(true);
    bordroEdit->setText(QString::number(number));
    m_filterOn = false;
    filtrele();
    ac();
}

bool TcikisbordroF::bordroDuzelt()
{
    if (!m_exit || !CiroBordro.isActive() || CiroBordro.isEmpty()) return false;
    const qint64 number = CiroBordro.field(QStringLiteral("bordro_ind")).asInteger();
    // Typed changes are never thrown away without the user's word.
    if (m_exit->cikisDegisti
        && !MessageBox::askYesNo(QStringLiteral("Değişiklikleri kayıt etmeden çıkmak istiyormusunuz?")))
        return false;
    EntrySlip::LoadedSlip s;
    // The wait window stays up while the slip is read and its rows written in.
    std::unique_ptr<WaitScope> wait;
    if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, 1, TForm2::kAktarim);
    try {
        s = ExitSlip::loadExitSlip(DataContext::instance().ADOConnection1, number);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    if (!s.found) {
        MessageBox::warning(QStringLiteral("Bordro bulunamadı; silinmiş olabilir. Listeyi yenileyin."));
        return false;
    }
    TcekcikisF &f = *m_exit;
    f.gridibosalt2();
    {
        const QSignalBlocker block(f.StringGrid1);
        f.StringGrid1->setRowCount(int(s.rows.size()));
        if (m_wait) m_wait->start(std::max(1, int(s.rows.size())), TForm2::kAktarim);
        for (int r = 0; r < s.rows.size(); ++r) {
            f.StringGrid1->writeRow(r, s.rows[r]);
            if (wait) wait->step();
        }
        f.StringGrid1->renumber();
        f.StringGrid1->addEmptyRow();
    }
    if (s.slipDate.isValid()) f.DateTimePicker15->setDate(s.slipDate);
    f.KoduEdit->setText(s.code);
    f.JustaEdit23->setText(s.name);
    f.JustaEdit1->setText(QString::number(s.number));
    f.Edit61->setText(s.yildakiGun);
    f.Edit62->setText(s.yillikFaiz);
    f.Edit63->setText(s.aylikFaiz);
    f.JustaEdit57->setText(s.bsmvPercent);
    f.JustaEdit70->setText(s.bsmvAmount);
    f.Edit371->setText(s.gunEkle);
    const int item = f.dovizBox->findText(s.currency);
    if (item >= 0) f.dovizBox->setCurrentIndex(item);
    f.kuruEdit->setText(s.kuru);
    f.CheckBox1->setChecked(s.weekendShift);
    f.vadefarkiCheck->setChecked(s.deductMaturity);
    f.masrafCheck->setChecked(s.deductExpense);
    f.BSMVCheck->setChecked(s.deductBsmv);
    f.JustaEdit5->setText(s.totalAmount);
    f.JustaEdit6->setText(s.totalMaturity);
    f.JustaEdit7->setText(s.totalExpense);
    f.JustaEdit8->setText(s.totalNet);
    f.Edit59->setText(s.averageDays);
    if (s.averageDate.isValid()) f.DateTimePicker16->setDate(s.averageDate);
    f.JvDotNetMemo1->setPlainText(s.memo);
    if (s.accountType >= 0) f.exitType[s.accountType]->setChecked(true);
    f.cikisDegisti = false;
    wait.reset();
    hide();
    showFormMaximized(&f);
    return true;
}

void TcikisbordroF::bordroIptal()
{
    if (!CiroBordro.isActive() || CiroBordro.isEmpty()) return;
    const qint64 number = CiroBordro.field(QStringLiteral("bordro_ind")).asInteger();
    const int answer = MessageBox::show(MessageBox::kCaption,
                                        QStringLiteral("Bu çıkış bordrosu tamamen silinecek.\n\r\n\rİşlem sonrası kayıtlara "
                                                       "tekrar ulaşmanız mümkün olmayacaktır.\n\r\n\rDevam edilsinmi?"),
                                        MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No | MessageBox::Cancel);
    if (answer != MessageBox::Yes) return;
    ExitSlip::CancelResult result;
    try {
        result = ExitSlip::cancelSlip(number);
    } catch (const EngineError &e) {
        MessageBox::error(QStringLiteral("Bordro iptal edilemedi; hiçbir kayıt değişmedi.\n\r") + e.message());
        return;
    }
    // The exit slip form is emptied only when it holds the cancelled slip.
    if (result.cancelled && m_exit && m_exit->JustaEdit1->text().toLongLong() == number) {
        m_exit->gridibosalt2();
        m_exit->cikisDegisti = false;
    }
    try {
        CiroBordro.refresh();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    if (!result.message.isEmpty()) MessageBox::information(result.message);
}

bool TcikisbordroF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && (watched == firmaEdit || watched == firmaadiEdit)) {
        if (!m_cards) return true;
        auto *edit = static_cast<QLineEdit *>(watched);
        AccountPicker::cariSecimYeri() = QStringLiteral("cikisbordro");
        if (edit == firmaEdit) m_cards->ac(QStringLiteral("cikisbordro"), edit->text());
        else m_cards->ac(QStringLiteral("cikisbordro"), QString(), edit->text());
        return true;
    }
    if (watched == FirmaGrid && KeyFilters::enterMovesToNextColumn(FirmaGrid, event)) return true;
    return QWidget::eventFilter(watched, event);
}
