#include "received/tceklerf.h"

#include "received/past_portfolio.h"
#include "reports/layouts_received.h"
#include "widgets/key_filters.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

using namespace ChequeList;

namespace {

ChequeListWindow::Description description()
{
    const QString amount = QStringLiteral("#,###.00");
    const QString date = QStringLiteral("dd.mm.yyyy");
    using Role = ChequeListWindow::ButtonRole;
    ChequeListWindow::Description d;
    d.objectName = QStringLiteral("TceklerF");
    d.caption = QStringLiteral("Brenvo Çek Senet Takip - Alınan Çek ve Senet Listeleri");
    d.heading = QStringLiteral("Alınan Çek ve Senet Listeleri");
    d.nameLabel = QStringLiteral("Firma/Düzenleyen Adı");
    d.pickerContext = QStringLiteral("cekler");
    d.shape = receivedShape();
    d.stateTexts = choiceTexts();
    d.stateRows = 4;  // two columns
    d.buttons = {{"cirolaButton", QStringLiteral("CİROLA")},
                 {"yazdirButton", QStringLiteral("YAZDIR"), Role::Print},
                 {"guncelleButton", QStringLiteral("GÜNCELLE"), Role::Refresh},
                 {"kapatButton", QStringLiteral("KAPAT"), Role::Close}};
    d.gridName = QStringLiteral("eldekiceklerGrid");
    d.columns = {gridColumn("cek_ind", "No", 50),
                 gridColumn("bordro_ind", "Bordro", 55),
                 gridColumn("cek_tarihi", "Çek Vadesi", 88, date),
                 gridColumn("islem_tarihi", "İşlem Tarihi", 88, date),
                 gridColumn("alindigi_firma", "Firma Adı", 170),
                 gridColumn("para_birimi", "Para C.", 50),
                 gridColumn("cek_tutari", "Çek Tutarı", 95, amount),
                 gridColumn("cek_gun", "Gün", 40),
                 gridColumn("kalangun", "Kalan", 45),
                 gridColumn("aciklama", "Açıklama", 120),
                 gridColumn("cek_masraf", "Masraf", 70, amount),
                 gridColumn("ceki_duzenleyen", "Düzenleyen", 150),
                 gridColumn("cek_bankasi", "Bankası", 110),
                 gridColumn("cek_subesi", "Şubesi", 90),
                 gridColumn("cek_hesap_no", "Hesap No", 90),
                 gridColumn("cek_no", "Çek No", 80),
                 gridColumn("cek_ciro_id", "Ciro Brd.", 60),
                 gridColumn("cek_ciro_kime", "Ciro", 120),
                 gridColumn("cek_ciro_tarihi", "Ciro Tarihi", 80, date),
                 gridColumn("cek_tahsilat_tarihi", "Tah.Tarihi", 80, date),
                 gridColumn("cek_net_tutar", "Çek Ne Tutar", 90, amount, true),
                 gridColumn("cek_vade_farki", "Vade Farkı", 90, amount, true)};
    d.listQuery = QStringLiteral("eldekiceklerQuery");
    d.totalQuery = QStringLiteral("ceklertoplamQuery");
    d.monthlyQuery = QStringLiteral("AylikAlinanCeklerQuery");
    d.totalEditName = QStringLiteral("toplamEdit");
    d.popupItems = {{"cirolaItem", QStringLiteral("Cirola")},
                    {"tahsilatItem", QStringLiteral("Tahsilat Yap")},
                    {"evrakItem", QStringLiteral("Evraklarına Bak/Ekle")},
                    {"cikisBordroItem", QStringLiteral("Çıkış Bordrosunu Bul")},
                    {"iadeItem", QStringLiteral("Çeki İade Et")},
                    {"karsiliksizItem", QStringLiteral("Çeki Karşılıksız Yap")},
                    {"cikisKaldirItem", QStringLiteral("Çek Çıkışını Yapılmamış Yap")},
                    {"tahsilatKaldirItem", QStringLiteral("Tahsilatı Kaldır")},
                    {"iadeKaldirItem", QStringLiteral("İadeyi Kaldır")}};
    d.layout = cekVeSenetListesiLayout;
    return d;
}

} // namespace

TceklerF::TceklerF(QWidget *parent) : ChequeListWindow(description(), parent), cirolaButton(button("cirolaButton"))
{
    cirolaButton->setVisible(false);  // only while the exit slip has opened the list
    cirolaButton->setEnabled(false);  // until the exit slip adds cheques through it
    // Every item waits for the window it opens; those windows enable and connect them.
    for (QAction *a : popupItems) a->setEnabled(false);
    popupItems.first()->setVisible(false);  // "Cirola" shows with "CİROLA"

    gecmisCheck = new QCheckBox(QStringLiteral("Tarihindeki Portföy"), this);
    gecmisCheck->setObjectName(QStringLiteral("gecmisCheck"));
    gecmisCheck->setToolTip(QStringLiteral("Seçilen günün sonunda elde (portföyde ve bankalarda) bulunan çekler"));
    gecmisDate = new QDateEdit(QDate::currentDate(), this);
    gecmisDate->setObjectName(QStringLiteral("gecmisDate"));
    KeyFilters::setupDateEdit(gecmisDate);
    filterGrid()->addWidget(gecmisCheck, 3, 0, 1, 2);
    filterGrid()->addWidget(gecmisDate, 3, 3);
    // The choice of states does not apply while the day does.
    connect(gecmisCheck, &QCheckBox::toggled, this, [this](bool on) { RadioGroup1->setEnabled(!on); });
}

Choice TceklerF::choice() const { return Choice(qBound(0, stateChoice(), kChoiceCount - 1)); }

Filters TceklerF::filters() const
{
    Filters f;
    static_cast<FilterValues &>(f) = filterValues();
    f.choice = choice();
    return f;
}

QStringList TceklerF::stateLines() const
{
    if (gecmisCheck && gecmisCheck->isChecked()) return ChequeList::portfolioOnDateLines(gecmisDate->date());
    return ChequeList::stateLines(choice());
}

void TceklerF::DuzeltHazirla() { reopenSlipList(QStringLiteral("cek_tarihi")); }

void TceklerF::hideEvent(QHideEvent *event)
{
    cirolaButton->setVisible(false);
    popupItems.first()->setVisible(false);
    ChequeListWindow::hideEvent(event);
}
