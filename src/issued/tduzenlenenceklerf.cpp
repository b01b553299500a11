#include "issued/tduzenlenenceklerf.h"

#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "issued/amount_in_words.h"
#include "issued/issued_payment.h"
#include "issued/tduzenlenencekodef.h"
#include "reports/layouts_issued.h"
#include "reports/preview_window.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/message_box.h"
#include "widgets/row_paint_delegate.h"
#include "widgets/title_sort.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

using namespace IssuedList;

namespace {

const QString kGuncelle = QStringLiteral("GÜNCELLE");
const QString kFiltreyiKaldir = QStringLiteral("FİLTREYİ KALDIR");
const QString kUndoQuestion = QStringLiteral("Bu Çek/Senete ait ödeme işlemini silmek istediğinizden eminmisiniz?");

ChequeListWindow::Description description()
{
    const QString amount = FormKit::kMoney;
    const QString date = FormKit::kDate;
    using Role = ChequeListWindow::ButtonRole;
    ChequeListWindow::Description d;
    d.objectName = QStringLiteral("TduzenlenenceklerF");
    d.caption = QStringLiteral("Brenvo Çek Senet Takip Programı   - Düzenlenen Çek ve Senet Listeleri");
    d.heading = QStringLiteral("Düzenlenen Çek ve Senet Listeleri");
    d.nameLabel = QStringLiteral("Firma Adı");
    d.pickerContext = QStringLiteral("duzenlenencek");
    d.shape = shape();
    d.stateTexts = choiceTexts();
    d.printChoices = false;
    d.buttons = {{"SKonBut2", kGuncelle, Role::Refresh},
                 {"yenileBut", QStringLiteral("YENİLE"), Role::Refresh},
                 {"SpeedButton2", QStringLiteral("YAZDIR"), Role::Print},
                 {"kapatButton", QStringLiteral("KAPAT"), Role::Close}};
    d.gridName = QStringLiteral("FirmaGrid");
    d.columns = {gridColumn("cek_ind", "Sıra", 50),
                 gridColumn("bordro_ind", "Bordro", 55),
                 gridColumn("cek_tarihi", "Çek Vade", 88, date),
                 gridColumn("para_birimi", "PB", 45),
                 gridColumn("cek_tutari", "Tutarı", 100, amount),
                 gridColumn("cirolandigi_firma", "Verildiği Firma", 170),
                 gridColumn("cek_gun", "Gün", 40),
                 gridColumn("aciklama", "Açıklama", 120),
                 gridColumn("islem_tarihi", "İşlem Tarihi", 88, date),
                 gridColumn("cek_tahsilat_tarihi", "Ödeme Tarihi", 98, date),
                 gridColumn("cek_vade_farki", "Vade Farkı", 80, amount),
                 gridColumn("cek_masraf", "Masraf", 70, amount),
                 gridColumn("cek_net_tutar", "Net Tutar", 100, amount),
                 gridColumn("cek_bankasi", "Bankası", 110),
                 gridColumn("cek_subesi", "Şubesi", 90),
                 gridColumn("cek_hesap_no", "Hesap No", 90),
                 gridColumn("cek_no", "Çek No", 80),
                 gridColumn("cekTL_karsiligi", "TL Karşılığı", 100, amount),
                 gridColumn("cek_doviz_kuru", "Döviz Kuru", 80)};
    d.listQuery = QStringLiteral("duzenlenenQuery");
    d.totalQuery = QStringLiteral("duzenlenencekToplamQuery");
    d.monthlyQuery = QStringLiteral("AylikGrupDuzenlenenQuery");
    d.totalEditName = QStringLiteral("DBEdit1");
    d.popupItems = {{"odemeItem", QStringLiteral("Ödeme Yap")},
                    {"evrakItem", QStringLiteral("Evraklarına Bak/Ekle")},
                    {"cikisBordroItem", QStringLiteral("Çıkış Bordrosunu Bul")},
                    {"cekBasItem", QStringLiteral("Çeki Bas")},
                    {"odemeSilItem", QStringLiteral("Ödeme İşlemini Sil")},
                    {"karsiliksizItem", QStringLiteral("Çeki Karşılıksız Yap")},
                    {"iadeAlItem", QStringLiteral("Çeki İade Al")}};
    d.layout = duzenlenenCeklerListesiLayout;
    return d;
}

} // namespace

TduzenlenenceklerF::TduzenlenenceklerF(QWidget *parent) : ChequeListWindow(description(), parent)
{
    bitDate->setDate(QDate::currentDate().addDays(365));
    // The due dates are coloured against "Başla. tarihi" as it stood at creation.
    listGrid->rowPainter()->setDueDateColouring(QStringLiteral("cek_tarihi"), 4, basDate->date());

    // A title click on the monthly summary sorts the list too, by the list's column
    // at the clicked position; both grids flip the one direction.
    JvDBGrid1->horizontalHeader()->setSectionsClickable(true);
    connect(JvDBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const DatasetGridModel *model = listGrid->gridModel();
        if (section < 0 || section >= model->columnCount()) return;
        rebuild(orderByLine(model->column(section).field, nextSortDirection(sortDirection)));
    });

    // "GÜNCELLE" rebuilds; while a printed slip's filter is on it reads "FİLTREYİ
    // KALDIR" and takes the slip number away first.
    guncelleButton->disconnect(this);
    connect(guncelleButton, &QPushButton::clicked, this, [this] {
        if (m_slipFilterOn) {
            m_slipFilterOn = false;
            bordroEdit->clear();
            guncelleButton->setText(kGuncelle);
        }
        rebuild();
    });

    // Items whose windows do not exist yet wait for them, greyed out.
    for (QAction *a : popupItems) a->setEnabled(false);
    item("cekBasItem")->setVisible(false);
    item("cekBasItem")->setEnabled(true);
    item("odemeSilItem")->setEnabled(true);
    connect(item("odemeItem"), &QAction::triggered, this, &TduzenlenenceklerF::odemeYap);
    connect(item("odemeSilItem"), &QAction::triggered, this, &TduzenlenenceklerF::odemeSil);
    connect(item("cekBasItem"), &QAction::triggered, this, &TduzenlenenceklerF::cekiBas);
    // The take-back window, once it exists, enables "Çeki İade Al" and listens.
    connect(item("iadeAlItem"), &QAction::triggered, this, [this] {
        if (const qint64 cheque = currentCheque(); cheque > 0) Q_EMIT iadeAlIstendi(cheque);
    });
    connect(listGrid, &QAbstractItemView::doubleClicked, this, [this] {
        if (item("odemeItem")->isEnabled()) odemeYap();
    });
}

void TduzenlenenceklerF::setOdemeF(TduzenlenencekodeF *odeme)
{
    m_odemeF = odeme;
    item("odemeItem")->setEnabled(odeme != nullptr);
}

QAction *TduzenlenenceklerF::item(const char *name) const
{
    for (QAction *a : popupItems)
        if (a->objectName() == QLatin1String(name)) return a;
    Q_ASSERT_X(false, "TduzenlenenceklerF::item", name);
    return nullptr;
}

Choice TduzenlenenceklerF::choice() const { return Choice(qBound(0, stateChoice(), kChoiceCount - 1)); }

Filters TduzenlenenceklerF::filters() const
{
    Filters f;
    static_cast<ChequeList::FilterValues &>(f) = filterValues();
    f.choice = choice();
    return f;
}

QStringList TduzenlenenceklerF::stateLines() const { return IssuedList::stateLines(choice()); }

void TduzenlenenceklerF::openPicker(QLineEdit *) { ChequeListWindow::openPicker(firmaEdit); }

void TduzenlenenceklerF::DuzeltHazirla() { reopenSlipList(QStringLiteral("cek_ind")); }

void TduzenlenenceklerF::presetSlip(qint64 slipNumber)
{
    tarihCheck->setChecked(false);
    if (QAbstractButton *first = choiceGroup->button(0)) first->setChecked(true);
    bordroEdit->setText(QString::number(slipNumber));
    m_slipFilterOn = true;
    guncelleButton->setText(kFiltreyiKaldir);
}

void TduzenlenenceklerF::yazdir()
{
    // The printout shows the list as the filters give it now.
    Yenile();
    if (!listQuery.isActive()) return;  // the statement failed and was reported
    ChequeListWindow::yazdir();
    listQuery.first();
}

qint64 TduzenlenenceklerF::currentCheque()
{
    if (!listQuery.isActive() || listQuery.isEmpty() || listQuery.currentRow() < 0) return 0;
    return listQuery.field(QStringLiteral("cek_ind")).asInteger();
}

void TduzenlenenceklerF::odemeYap()
{
    const qint64 cheque = currentCheque();
    if (m_odemeF && cheque > 0) m_odemeF->odemeAc(cheque);
}

void TduzenlenenceklerF::odemeSil()
{
    const qint64 cheque = currentCheque();
    if (cheque <= 0) return;
    if (!MessageBox::askYesNo(kUndoQuestion)) return;
    try {
        const auto outcome = IssuedPayment::odemeTarihiYaz(DataContext::instance().ADOConnection1, cheque, QDate());
        if (outcome == IssuedPayment::Outcome::NotFound) MessageBox::warning(IssuedPayment::kNotFound);
        if (outcome == IssuedPayment::Outcome::Refused) MessageBox::warning(IssuedPayment::lastRefusal());
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TduzenlenenceklerF::cekiBas()
{
    if (currentCheque() <= 0) return;
    const double net = listQuery.field(QStringLiteral("cek_net_tutar")).asFloat();
    MessageBox::information(tutariYaziyaCevir(0, QString(), net));
    Report(cekBasLayout()).showPreview(this, TRaporOnizlemeF::kCaption);
}
