#include "received/cheque_operation_window.h"
#include "received/cheque_lifecycle.h"

#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *shown(QWidget *parent, const char *name, bool rightAligned = false)
{
    QLineEdit *e = FormKit::lineEdit(parent, name);
    e->setReadOnly(true);
    e->setMinimumWidth(150);
    if (rightAligned) e->setAlignment(Qt::AlignRight);
    return e;
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    KeyFilters::setupDateEdit(d);
    return d;
}

} // namespace

ChequeOperationWindow::ChequeOperationWindow(const Texts &t, QWidget *parent) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(t.objectName));
    setWindowTitle(t.caption);
    auto *root = new QVBoxLayout(this);
    headingLabel = FormKit::heading(this, "baslikLabel", t.heading);
    headingLabel->setAlignment(Qt::AlignCenter);
    root->addWidget(headingLabel);

    paraEdit = shown(this, "paraEdit");
    tutarEdit = shown(this, "tutarEdit", true);
    ceknoEdit = shown(this, "ceknoEdit");
    bankasiEdit = shown(this, "bankasiEdit");
    subesiEdit = shown(this, "subesiEdit");
    kayitnoEdit = shown(this, "kayitnoEdit");
    bordronoEdit = shown(this, "bordronoEdit");
    if (t.withEntryNo) girisnoEdit = shown(this, "girisnoEdit");
    duzenleyenEdit = shown(this, "duzenleyenEdit");
    kimdenEdit = shown(this, "kimdenEdit");
    if (t.withCode) firmakoduEdit = shown(this, "firmakoduEdit");
    vadesiDate = dateEdit(this, "vadesiDate");
    vadesiDate->setEnabled(false);
    tarihDate = dateEdit(this, "tarihDate");
    girisTLEdit = shown(this, "girisTLEdit", true);
    kuruEdit = FormKit::lineEdit(this, "kuruEdit");
    kuruEdit->setAlignment(Qt::AlignRight);
    KeyFilters::installDecimalKeys(kuruEdit);
    TLEdit = shown(this, "TLEdit", true);
    kurfarkiEdit = shown(this, "kurfarkiEdit", true);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    const auto add = [&](int row, int col, const QString &label, QWidget *w) {
        grid->addWidget(FormKit::caption(label, this), row, col * 2);
        grid->addWidget(w, row, col * 2 + 1);
    };
    int r = 0;
    add(r, 0, QStringLiteral("Para"), paraEdit);
    add(r++, 1, QStringLiteral("Çek Tutarı"), tutarEdit);
    add(r, 0, QStringLiteral("Çek No"), ceknoEdit);
    add(r++, 1, QStringLiteral("Vadesi"), vadesiDate);
    add(r, 0, QStringLiteral("Çek Bankası"), bankasiEdit);
    add(r++, 1, QStringLiteral("Banka Şubesi"), subesiEdit);
    add(r, 0, QStringLiteral("İşlem Kayıt No"), kayitnoEdit);
    add(r++, 1, t.slipLabel, bordronoEdit);
    add(r, 0, QStringLiteral("Çeki Düzenleyen"), duzenleyenEdit);
    add(r++, 1, t.firmLabel, kimdenEdit);
    if (girisnoEdit) add(r, 0, QStringLiteral("Giriş No"), girisnoEdit);
    if (firmakoduEdit) add(r, 1, QStringLiteral("İade Firma Kodu"), firmakoduEdit);
    if (girisnoEdit || firmakoduEdit) ++r;
    add(r, 0, QStringLiteral("Tarih"), tarihDate);
    add(r++, 1, QStringLiteral("Giriş TL"), girisTLEdit);
    add(r, 0, QStringLiteral("Kuru"), kuruEdit);
    add(r++, 1, QStringLiteral("TL Karş."), TLEdit);
    add(r++, 1, QStringLiteral("Kur Farkı"), kurfarkiEdit);
    root->addLayout(grid);

    if (!t.boxText.isEmpty()) {
        CheckBox1 = new QCheckBox(t.boxText, this);
        CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
        CheckBox1->setChecked(true);
        root->addWidget(CheckBox1);
    }
    actionButton = FormKit::button(this, "islemButton", t.action);
    actionButton->setMinimumHeight(34);
    actionButton->setMinimumWidth(170);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(actionButton);
    root->addLayout(buttons);
    root->addStretch();

    connect(kuruEdit, &QLineEdit::editingFinished, this, [this] { hesapla(); });
    connect(actionButton, &QPushButton::clicked, this, [this] { run(); });
    KeyFilters::installEnterMovesFocus(this);
}

ChequeOperation::Values ChequeOperationWindow::values() const
{
    ChequeOperation::Values v;
    v.para = paraEdit->text();
    v.tutar = tutarEdit->text();
    v.cekNo = ceknoEdit->text();
    v.bankasi = bankasiEdit->text();
    v.subesi = subesiEdit->text();
    v.kayitNo = kayitnoEdit->text();
    v.bordroNo = bordronoEdit->text();
    v.duzenleyen = duzenleyenEdit->text();
    v.firmaAdi = kimdenEdit->text();
    if (firmakoduEdit) v.firmaKodu = firmakoduEdit->text();
    v.vadesi = vadesiDate->date();
    v.tarih = tarihDate->date();
    v.girisTL = girisTLEdit->text();
    v.kuru = kuruEdit->text();
    v.tl = TLEdit->text();
    v.kurFarki = kurfarkiEdit->text();
    v.box = CheckBox1 && CheckBox1->isChecked();
    return v;
}

void ChequeOperationWindow::setValues(const ChequeOperation::Values &v)
{
    paraEdit->setText(v.para);
    tutarEdit->setText(v.tutar);
    ceknoEdit->setText(v.cekNo);
    bankasiEdit->setText(v.bankasi);
    subesiEdit->setText(v.subesi);
    kayitnoEdit->setText(v.kayitNo);
    bordronoEdit->setText(v.bordroNo);
    duzenleyenEdit->setText(v.duzenleyen);
    kimdenEdit->setText(v.firmaAdi);
    if (firmakoduEdit) firmakoduEdit->setText(v.firmaKodu);
    vadesiDate->setDate(v.vadesi);
    tarihDate->setDate(v.tarih);
    girisTLEdit->setText(v.girisTL);
    kuruEdit->setText(v.kuru);
    TLEdit->setText(v.tl);
    kurfarkiEdit->setText(v.kurFarki);
}

void ChequeOperationWindow::showWith(const ChequeOperation::Values &v)
{
    show();
    raise();
    activateWindow();
    setValues(v);
}

void ChequeOperationWindow::hesapla()
{
    ChequeOperation::Values v = values();
    try {
        ChequeOperation::hesapla(v);
    } catch (const EngineError &e) {
        MessageBox::warning(e.message());
        return;
    }
    TLEdit->setText(v.tl);
    kurfarkiEdit->setText(v.kurFarki);
}

void ChequeOperationWindow::run()
{
    ChequeOperation::Values v = values();
    const bool typing = m_cashView && (m_cashView->state() == Dataset::State::Edit
                                       || m_cashView->state() == Dataset::State::Insert);
    if (CheckBox1 && v.box && typing && v.tarih.year() != DataContext::instance().calismaYili) {
        MessageBox::warning(kTypedCashRow);
        return;
    }
    // Posting into another year's file makes it the working year: asked first.
    if (CheckBox1 && v.box && Lifecycle::needsYearSwitch(v.tarih)
        && MessageBox::show(MessageBox::kCaptionShort, Lifecycle::yearQuestion(v.tarih.year()), MessageBox::Icon::Question,
                            MessageBox::Yes | MessageBox::No, this)
               != MessageBox::Yes)
        return;
    const ChequeOperation::Result r = perform(v);
    if (!r.done) {
        MessageBox::warning(r.message);
        return;
    }
    // The values as written (a TL cheque at rate 1) stay shown.
    kuruEdit->setText(v.kuru);
    TLEdit->setText(v.tl);
    kurfarkiEdit->setText(v.kurFarki);
    hide();
    Q_EMIT applied();
}
