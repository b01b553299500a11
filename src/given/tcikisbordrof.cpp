#include "given/tcikisbordrof.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
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

QVector<GridColumn> registerColumns()
{
    const QString &money = FormKit::kMoney, &date = FormKit::kDate;
    return {gridColumn("bordro_ind", "No", 50),
            gridColumn("islem_tarihi", "Tarih", 80, date),
            gridColumn("ciro_firma", "Cari", 200),
            gridColumn("para_birimi", "Para", 45),
            gridColumn("doviz_kuru", "Döviz Kuru", 80, money),
            gridColumn("toplam_tutari", "Tutarı", 105, money),
            gridColumn("ortalama_vade", "Ort.Vade", 80, date),
            gridColumn("toplam_vade_farki", "Vade Farkı", 90, money),
            gridColumn("toplam_masraflar", "Masraf", 80, money),
            gridColumn("BSMV", "BSMV", 75, money),
            gridColumn("toplam_net_tutar", "Net Tutar", 105, money),
            gridColumn("ortalama_gun", "Ort.Gün", 55),
            gridColumn("yildaki_gun", "Y.Gün", 45),
            gridColumn("yillik_faiz", "Y.Faiz", 60, money),
            gridColumn("aylik_faiz", "A.Faiz", 60, money),
            gridColumn("BSMV_oran", "BSMV %", 62, QStringLiteral("#0.00")),
            gridColumn("tah_sure_ekle", "TSE", 40),
            gridColumn("hafta_sonu_ekle", "HSE", 40),
            gridColumn("kalangun", "Kalan", 50)};
}

QCheckBox *tick(QWidget *parent, const char *name)
{
    auto *c = new QCheckBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(QDate::currentDate(), parent);
    d->setObjectName(QString::fromLatin1(name));
    KeyFilters::setupDateEdit(d);
    d->setFixedWidth(120);
    return d;
}

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
    CiroBordro.addCalculatedField(QStringLiteral("kalangun"), FieldType::Long, [this](const Record &r) {
        if (r.isNull(QStringLiteral("ortalama_vade"))) return QVariant();
        return SlipRegister::daysLeft(r.asDate(QStringLiteral("ortalama_vade")), islemDate->date());
    });
    CiroBordro.setFilter([this](const Record &r) { return m_applied.accepts(m_reader.read(r, CiroBordro)); });

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->addWidget(FormKit::heading(this, "baslikLabel", QStringLiteral("Verilen Çek ve Senet Çıkış Bordro Raporları"), 6));

    auto *panel = new QGroupBox(
        QStringLiteral("  ÇIKIŞ BORDRO RAPORLAMA SEÇENEKLERİ (Seçim Yaptıktan sonra \"FİLTRELE\" tuşuna tıklayın)"), this);
    panel->setObjectName(QStringLiteral("filtrePanel"));
    bordroEdit = lineEdit(this, "bordroEdit", QString(), 10);
    KeyFilters::installDigitsOnly(bordroEdit);
    firmaEdit = lineEdit(this, "firmaEdit", QString(), 20);
    firmaadiEdit = lineEdit(this, "firmaadiEdit", QString(), 50);
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    dovizBox->addItems({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
    bordroCheck = tick(this, "bordroCheck");
    koduCheck = tick(this, "koduCheck");
    paraCheck = tick(this, "paraCheck");
    firmaadiCheck = tick(this, "firmaadiCheck");
    tarihCheck = tick(this, "tarihCheck");
    orttarihCheck = tick(this, "orttarihCheck");
    basDate = dateEdit(this, "basDate");
    bitDate = dateEdit(this, "bitDate");
    ortbasDate = dateEdit(this, "ortbasDate");
    ortbitDate = dateEdit(this, "ortbitDate");
    islemDate = dateEdit(this, "islemDate");
    for (QLineEdit *e : {bordroEdit, firmaEdit}) e->setFixedWidth(150);
    dovizBox->setFixedWidth(150);
    firmaadiEdit->setMinimumWidth(260);

    auto *g = new QGridLayout(panel);
    g->setHorizontalSpacing(8);
    const auto label = [this](const QString &t) { return new QLabel(t, this); };
    g->addWidget(label(QStringLiteral("Bordro No")), 0, 0);
    g->addWidget(bordroEdit, 0, 1);
    g->addWidget(bordroCheck, 0, 2);
    g->addWidget(label(QStringLiteral("Firma Kodu")), 1, 0);
    g->addWidget(firmaEdit, 1, 1);
    g->addWidget(koduCheck, 1, 2);
    g->addWidget(label(QStringLiteral("Para Cinsi")), 2, 0);
    g->addWidget(dovizBox, 2, 1);
    g->addWidget(paraCheck, 2, 2);
    g->addWidget(label(QStringLiteral("Firma Adı")), 3, 0);
    g->addWidget(firmaadiEdit, 3, 1, 1, 4);
    g->addWidget(firmaadiCheck, 3, 5);
    g->addWidget(label(QStringLiteral("Bordro tarihi")), 0, 3);
    g->addWidget(label(QStringLiteral("Başla. tarihi")), 0, 4);
    g->addWidget(basDate, 0, 5);
    g->addWidget(label(QStringLiteral("Bitiş tarihi")), 0, 6);
    g->addWidget(bitDate, 0, 7);
    g->addWidget(tarihCheck, 0, 8);
    g->addWidget(label(QStringLiteral("Ortalama vade")), 1, 3);
    g->addWidget(label(QStringLiteral("Başla. tarihi")), 1, 4);
    g->addWidget(ortbasDate, 1, 5);
    g->addWidget(label(QStringLiteral("Bitiş tarihi")), 1, 6);
    g->addWidget(ortbitDate, 1, 7);
    g->addWidget(orttarihCheck, 1, 8);
    g->addWidget(label(QStringLiteral("İşlem tarihi")), 2, 4);
    g->addWidget(islemDate, 2, 5);

    KDuzeltBut = button(this, "KDuzeltBut", QStringLiteral("BORDRO DÜZELT"));
    yenileBut = button(this, "yenileBut", QStringLiteral("YENİLE"));
    SKonBut2 = button(this, "SKonBut2", kFiltrele);
    kapatBut = button(this, "kapatBut", QStringLiteral("KAPAT"));
    kapatBut->setToolTip(QStringLiteral("Programı kapat..."));
    TumalanCheck = new QCheckBox(QStringLiteral("Tüm alanı göster"), this);
    TumalanCheck->setObjectName(QStringLiteral("TumalanCheck"));
    auto *buttons = new QGridLayout;
    buttons->addWidget(KDuzeltBut, 0, 0);
    buttons->addWidget(yenileBut, 0, 1);
    buttons->addWidget(SKonBut2, 1, 0);
    buttons->addWidget(kapatBut, 1, 1);
    buttons->addWidget(TumalanCheck, 2, 0, 1, 2);
    for (QPushButton *b : {KDuzeltBut, yenileBut, SKonBut2, kapatBut}) b->setMinimumWidth(150);
    g->addLayout(buttons, 0, 10, 4, 1);
    g->setColumnStretch(9, 1);
    root->addWidget(panel);

    FirmaGrid = new DatasetGrid(this);
    FirmaGrid->setObjectName(QStringLiteral("FirmaGrid"));
    FirmaGrid->setDataset(&CiroBordro, registerColumns());
    FirmaGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FirmaGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *duzeltItem = new QAction(QStringLiteral("Kayıt Düzelt"), FirmaGrid);
    duzeltItem->setObjectName(QStringLiteral("kayitDuzeltItem"));
    FirmaGrid->addAction(duzeltItem);
    iptalItem = new QAction(QStringLiteral("Bordro'yu İptal Et"), FirmaGrid);
    iptalItem->setObjectName(QStringLiteral("iptalItem"));
    FirmaGrid->addAction(iptalItem);
    FirmaGrid->installEventFilter(this);
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
    connect(TumalanCheck, &QCheckBox::toggled, this, [this](bool rows) {
        FirmaGrid->setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    });
    AccountPicker::registerHandler(QStringLiteral("cikisbordro"), [this](const PickedAccount &card) {
        firmaEdit->setText(card.kodu);
        firmaadiEdit->setText(card.adi);
    });
    resize(1280, 720);
}

TcikisbordroF::~TcikisbordroF() { AccountPicker::unregisterTarget(QStringLiteral("cikisbordro")); }

SlipRegister::Filter TcikisbordroF::filter() const
{
    SlipRegister::Filter f;
    f.byNumber = bordroCheck->isChecked();
    f.number = bordroEdit->text();
    f.byCode = koduCheck->isChecked();
    f.code = firmaEdit->text();
    f.byCurrency = paraCheck->isChecked();
    f.currency = dovizBox->currentText();
    f.byName = firmaadiCheck->isChecked();
    f.name = firmaadiEdit->text();
    f.byDate = tarihCheck->isChecked();
    f.from = basDate->date();
    f.to = bitDate->date();
    f.byAverage = orttarihCheck->isChecked();
    f.averageFrom = ortbasDate->date();
    f.averageTo = ortbitDate->date();
    return f;
}

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
    if (watched == FirmaGrid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex current = FirmaGrid->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()) {
            // The next shown column of the row; from the last back to the first.
            const int columns = FirmaGrid->model()->columnCount();
            int col = current.column();
            for (int step = 0; step < columns; ++step) {
                col = (col + 1) % columns;
                if (!FirmaGrid->isColumnHidden(col)) break;
            }
            FirmaGrid->setCurrentIndex(FirmaGrid->model()->index(current.row(), col));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
