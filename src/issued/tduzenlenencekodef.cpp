#include "issued/tduzenlenencekodef.h"

#include "data/data_context.h"
#include "data/dataset.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "data/table.h"
#include "issued/issued_payment.h"
#include "widgets/currency_box.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"

#include <QHideEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QString kPaymentQuestion = QStringLiteral("Bu Çek/Senete ait ödeme işlemi yapmak istediğinizden eminmisiniz?");

QLineEdit *shownEdit(QWidget *parent, const char *name, int width = 180)
{
    QLineEdit *e = FormKit::lineEdit(parent, name);
    e->setReadOnly(true);
    e->setMinimumWidth(width);
    return e;
}

} // namespace

TduzenlenencekodeF::TduzenlenencekodeF(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TduzenlenencekodeF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Düzenlenen Çekler Ödeme İşlemi"));

    vadesiDate = new QDateEdit(QDate::currentDate(), this);
    vadesiDate->setObjectName(QStringLiteral("vadesiDate"));
    KeyFilters::setupDateEdit(vadesiDate);
    vadesiDate->setEnabled(false);
    tutarEdit = shownEdit(this, "tutarEdit");
    tutarEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ceknoEdit = shownEdit(this, "ceknoEdit");
    aciklamaEdit = shownEdit(this, "aciklamaEdit", 260);
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    // Editable only so that it can show whatever code the cheque carries; disabled.
    dovizBox->setEditable(true);
    dovizBox->addItems(CurrencyBox::items(CurrencyBox::Order::CurrenciesOnly));
    dovizBox->setEnabled(false);
    bankasiEdit = shownEdit(this, "bankasiEdit");
    subesiEdit = shownEdit(this, "subesiEdit");
    hesapnoEdit = shownEdit(this, "hesapnoEdit");
    cekidEdit = shownEdit(this, "cekidEdit");
    cekidEdit->setVisible(false);
    OdemeTarihi = new QDateEdit(QDate::currentDate(), this);
    OdemeTarihi->setObjectName(QStringLiteral("OdemeTarihi"));
    KeyFilters::setupDateEdit(OdemeTarihi);

    auto *grid = new QGridLayout;
    const auto row = [this, grid](int r, int c, const QString &label, QWidget *w) {
        grid->addWidget(new QLabel(label, this), r, c * 2);
        grid->addWidget(w, r, c * 2 + 1);
    };
    row(0, 0, QStringLiteral("Vadesi"), vadesiDate);
    row(1, 0, QStringLiteral("Tutar"), tutarEdit);
    row(2, 0, QStringLiteral("Para Cinsi"), dovizBox);
    row(3, 0, QStringLiteral("Çek No"), ceknoEdit);
    row(0, 1, QStringLiteral("Bankası"), bankasiEdit);
    row(1, 1, QStringLiteral("Şubesi"), subesiEdit);
    row(2, 1, QStringLiteral("Hesap No"), hesapnoEdit);
    grid->addWidget(new QLabel(QStringLiteral("Açıklama"), this), 4, 0);
    grid->addWidget(aciklamaEdit, 4, 1, 1, 3);
    grid->setColumnMinimumWidth(2, 70);

    auto *paymentRow = new QHBoxLayout;
    QLabel *paymentLabel = FormKit::caption(QStringLiteral("Ödeme Tarihi"), this, true);
    paymentRow->addWidget(paymentLabel);
    paymentRow->addWidget(OdemeTarihi);
    paymentRow->addStretch(1);

    JvXPButton1 = FormKit::button(this, "JvXPButton1", QStringLiteral("Çek Ödemesini Yap"));
    JvXPButton2 = FormKit::button(this, "JvXPButton2", QStringLiteral("Kapat"));
    for (QPushButton *b : {JvXPButton1, JvXPButton2}) b->setMinimumSize(150, 32);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(JvXPButton1);
    buttons->addWidget(JvXPButton2);

    auto *root = new QVBoxLayout(this);
    root->addWidget(FormKit::heading(this, "baslikLabel", QStringLiteral("ÇEK/SENET ÖDEME İŞLEMİ")), 0, Qt::AlignHCenter);
    root->addLayout(grid);
    root->addSpacing(6);
    root->addLayout(paymentRow);
    root->addSpacing(6);
    root->addLayout(buttons);

    connect(JvXPButton1, &QPushButton::clicked, this, &TduzenlenencekodeF::odemeYap);
    connect(JvXPButton2, &QPushButton::clicked, this, &QWidget::hide);
    KeyFilters::installEnterMovesFocus(this);
    // The cheque shown belongs to the open company: another company (or none) must
    // never have its cheque of the same number paid through it.
    connect(&DataContext::instance(), &DataContext::companyOpened, this, &QWidget::hide);
    connect(&DataContext::instance(), &DataContext::companyClosed, this, &QWidget::hide);
}

void TduzenlenencekodeF::doldur(const Dataset &c)
{
    const auto text = [&c](const char *field) { return FieldValue::asString(c.value(QLatin1String(field))); };
    // A date that is not set (or does not read) shows today, as an emptied window does.
    const auto dateOrToday = [&c](const char *field) {
        const QDate d = FieldValue::asDate(c.value(QLatin1String(field)));
        return d.isValid() ? d : QDate::currentDate();
    };
    vadesiDate->setDate(dateOrToday("cek_tarihi"));
    tutarEdit->setText(formatValue(FormKit::kMoney, c.value(QStringLiteral("cek_tutari"))));
    ceknoEdit->setText(text("cek_no"));
    bankasiEdit->setText(text("cek_bankasi"));
    subesiEdit->setText(text("cek_subesi"));
    hesapnoEdit->setText(text("cek_hesap_no"));
    aciklamaEdit->setText(text("aciklama"));
    dovizBox->setCurrentText(text("para_birimi"));
    cekidEdit->setText(text("cek_ind"));
    OdemeTarihi->setDate(dateOrToday("cek_tahsilat_tarihi"));
}

bool TduzenlenencekodeF::ac(qint64 cekInd)
{
    if (cekInd <= 0) return false;
    Table cheque(&DataContext::instance().ADOConnection1, QStringLiteral("cekkendi"));
    cheque.setMasterLink(QStringLiteral("cek_ind"), cekInd);
    cheque.open();
    if (cheque.isEmpty()) return false;
    doldur(cheque);
    return true;
}

void TduzenlenencekodeF::odemeAc(qint64 cekInd)
{
    try {
        if (!ac(cekInd)) return;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    goster();
}

void TduzenlenencekodeF::goster()
{
    if (!isVisible()) {
        adjustSize();
        if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
            move(s->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    OdemeTarihi->setFocus();  // the one field to type in
}

void TduzenlenencekodeF::odemeYap()
{
    if (!MessageBox::askYesNo(kPaymentQuestion)) return;
    try {
        const auto outcome = IssuedPayment::odemeTarihiYaz(DataContext::instance().ADOConnection1,
                                                           cekidEdit->text().toLongLong(), OdemeTarihi->date());
        // A cheque deleted since it was shown: said so, nothing written.
        if (outcome == IssuedPayment::Outcome::NotFound) MessageBox::warning(IssuedPayment::kNotFound);
        if (outcome == IssuedPayment::Outcome::Refused) {
            MessageBox::warning(IssuedPayment::lastRefusal());
            return;
        }
    } catch (const EngineError &e) {
        // The payment is not recorded: the window stays, for another try.
        MessageBox::error(e.message());
        return;
    }
    hide();
}

void TduzenlenencekodeF::bosalt()
{
    vadesiDate->setDate(QDate::currentDate());
    for (QLineEdit *e : {tutarEdit, ceknoEdit, aciklamaEdit, bankasiEdit, subesiEdit, hesapnoEdit, cekidEdit}) e->clear();
    dovizBox->setCurrentIndex(-1);
    dovizBox->setCurrentText(QString());
    OdemeTarihi->setDate(QDate::currentDate());
}

void TduzenlenencekodeF::hideEvent(QHideEvent *event)
{
    // Minimizing is no closing: the cheque stays for "Çek Ödemesini Yap".
    if (!event->spontaneous()) bosalt();
    QWidget::hideEvent(event);
}
