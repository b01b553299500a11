#include "given/tcikisceklerf.h"

#include "reports/layouts_given.h"
#include "widgets/dataset_grid.h"
#include "widgets/form_kit.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMetaMethod>

using namespace GivenList;

namespace {

ChequeListWindow::Description description()
{
    const QString amount = FormKit::kMoney;
    const QString date = FormKit::kDate;
    using Role = ChequeListWindow::ButtonRole;
    ChequeListWindow::Description d;
    d.objectName = QStringLiteral("TcikisceklerF");
    d.caption = QStringLiteral("Brenvo Çek Senet Takip - Cirolanan Çek ve Senet Listeleri");
    d.heading = QStringLiteral("Cirolanan Çek ve Senet Listeleri");
    d.nameLabel = QStringLiteral("Firma/Düzenleyen/Alınan Adı");
    d.pickerContext = QStringLiteral("ciroedilmiscek");
    d.shape = shape();
    d.stateTexts = choiceTexts();
    d.buttons = {{"SKonBut2", QStringLiteral("GÜNCELLE"), Role::Refresh},
                 {"yenileBut", QStringLiteral("YENİLE"), Role::Refresh},
                 {"SpeedButton2", QStringLiteral("YAZDIR"), Role::Print},
                 {"kapatButton", QStringLiteral("KAPAT"), Role::Close}};
    d.gridName = QStringLiteral("FirmaGrid");
    d.columns = {gridColumn("ciro_cek_ind", "No", 50),
                 gridColumn("ciro_bordro_ind", "Bordro", 55),
                 gridColumn("islem_tarihi", "İşlem Tarihi", 88, date),
                 gridColumn("ciro_firma", "Cari", 170),
                 gridColumn("cek_tarihi", "Çek Tarihi", 88, date),
                 gridColumn("para_birimi", "Para C.", 50),
                 gridColumn("cek_tutari", "Çek Tutarı", 100, amount),
                 gridColumn("cek_gun", "Gün", 40),
                 gridColumn("kalangun", "Kalan", 45),
                 gridColumn("aciklama", "Açıklama", 120),
                 gridColumn("cek_masraf", "Masraf", 70, amount),
                 gridColumn("ceki_duzenleyen", "Düzenleyen", 150),
                 gridColumn("cek_bankasi", "Bankası", 110),
                 gridColumn("cek_subesi", "Şubesi", 90),
                 gridColumn("cek_hesap_no", "Hesap No", 90),
                 gridColumn("cek_no", "Çek No", 80),
                 gridColumn("cek_giris_id", "Giriş Brd.", 65),
                 gridColumn("alindigi_firma", "Alındığı Firma", 170),
                 gridColumn("cek_alindigi_tarihi", "Giriş Tarihi", 88, date)};
    d.listQuery = QStringLiteral("cirolananceklerQuery");
    d.totalQuery = QStringLiteral("cekcirotoplamQuery");
    d.monthlyQuery = QStringLiteral("AylikAlinanCeklerQuery");
    d.totalEditName = QStringLiteral("DBEdit1");
    d.popupItems = {{"evrakItem", QStringLiteral("Evraklarına Bak/Ekle")},
                    {"iadeAlItem", QStringLiteral("Çeki İade Al")},
                    {"karsiliksizItem", QStringLiteral("Çeki Karşılıksız Yap")}};
    d.layout = cirolananCeklerListesiLayout;
    return d;
}

} // namespace

TcikisceklerF::TcikisceklerF(QWidget *parent) : ChequeListWindow(description(), parent)
{
    BankaCheck = new QCheckBox(QStringLiteral("Banka Hariç"), this);
    BankaCheck->setObjectName(QStringLiteral("BankaCheck"));
    BankaCheck->setChecked(true);
    filterGrid()->addWidget(BankaCheck, 1, 4);
    connect(BankaCheck, &QCheckBox::clicked, this, [this] { rebuild(); });

    // Each item acts on the current row; on an empty list it does nothing. The
    // windows they open join later and enable them ("Evraklarına Bak/Ekle" with the
    // documents of the received cheque the row was, by cek_giris_id).
    for (QAction *a : popupItems) a->setEnabled(false);
    connect(item("iadeAlItem"), &QAction::triggered, this, [this] {
        if (const qint64 key = currentCheque()) emit takeBackRequested(key);
    });
    connect(item("karsiliksizItem"), &QAction::triggered, this, [this] {
        if (currentCheque()) emit bounceRequested();
    });
}

QAction *TcikisceklerF::item(const char *name) const
{
    for (QAction *a : popupItems)
        if (a->objectName() == QLatin1String(name)) return a;
    Q_ASSERT_X(false, "TcikisceklerF::item", name);
    return nullptr;
}

Choice TcikisceklerF::choice() const { return Choice(qBound(0, stateChoice(), kChoiceCount - 1)); }

Filters TcikisceklerF::filters() const
{
    Filters f;
    static_cast<ChequeList::FilterValues &>(f) = filterValues();
    f.choice = choice();
    f.bankaHaric = BankaCheck->isChecked();
    return f;
}

QStringList TcikisceklerF::stateLines() const { return GivenList::stateLines(choice(), BankaCheck->isChecked()); }

void TcikisceklerF::DuzeltHazirla() { reopenSlipList(QStringLiteral("ciro_cek_ind")); }

void TcikisceklerF::presetSlip(qint64 slipNumber)
{
    tarihCheck->setChecked(false);
    if (QAbstractButton *first = choiceGroup->button(0)) first->setChecked(true);
    bordroEdit->setText(QString::number(slipNumber));
}

qint64 TcikisceklerF::currentCheque()
{
    if (!listQuery.isActive() || listQuery.isEmpty() || listQuery.currentRow() < 0) return 0;
    return listQuery.field(QStringLiteral("ciro_cek_ind")).asInteger();
}

void TcikisceklerF::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&TcikisceklerF::takeBackRequested)) item("iadeAlItem")->setEnabled(true);
    else if (signal == QMetaMethod::fromSignal(&TcikisceklerF::bounceRequested))
        item("karsiliksizItem")->setEnabled(true);
    ChequeListWindow::connectNotify(signal);
}
