#include "accounts/tcarihareketdf.h"

#include "accounts/account_picker.h"
#include "accounts/account_steps.h"
#include "accounts/movement_entry.h"
#include "accounts/tcarif.h"
#include "accounts/tcarihareketf.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/table.h"
#include "widgets/currency_box.h"
#include "widgets/form_kit.h"
#include "widgets/form_show.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/record_binder.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kContext = QStringLiteral("carihareketD");

} // namespace

TcarihareketDF::TcarihareketDF(TcarihareketF *ledger, QWidget *parent) : QWidget(parent, Qt::Window), m_ledger(ledger)
{
    setObjectName(QStringLiteral("TcarihareketDF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Cari Tahsilat/Ödeme Girişi"));
    ledger->setEntryForm(this);

    auto *root = new QVBoxLayout(this);
    root->addWidget(FormKit::heading(this, "baslikLabel", QStringLiteral("CARİ HAREKET İŞLEMİ")));

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(10);
    int row = 0;
    const auto add = [&](const QString &label, QWidget *control) {
        auto *l = FormKit::caption(label, this, true);
        form->addWidget(l, row, 0);
        form->addWidget(control, row++, 1);
        if (auto *buddy = qobject_cast<QLabel *>(l)) buddy->setBuddy(control);
    };
    islemtarihiDate = new QDateEdit(QDate::currentDate(), this);
    islemtarihiDate->setObjectName(QStringLiteral("islemtarihiDate"));
    KeyFilters::setupDateEdit(islemtarihiDate);
    islemvadesiDate = new QDateEdit(QDate::currentDate(), this);
    islemvadesiDate->setObjectName(QStringLiteral("islemvadesiDate"));
    KeyFilters::setupDateEdit(islemvadesiDate);
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    CurrencyBox::fill(dovizBox, CurrencyBox::Order::CurrenciesOnly);
    DBEdit5 = FormKit::lineEdit(this, "DBEdit5", QString(), 20);
    DBEdit6 = FormKit::lineEdit(this, "DBEdit6");
    DBEdit1 = FormKit::lineEdit(this, "DBEdit1", QString(), 20);
    DBEdit2 = FormKit::lineEdit(this, "DBEdit2", QString(), 20);
    DBEdit3 = FormKit::lineEdit(this, "DBEdit3", QString(), 20);
    DBEdit4 = FormKit::lineEdit(this, "DBEdit4", QString(), 150);
    for (QLineEdit *e : {DBEdit1, DBEdit2, DBEdit3}) {
        KeyFilters::installDecimalKeys(e);
        e->setAlignment(Qt::AlignRight);
    }
    DBEdit6->setMinimumWidth(320);
    DBEdit4->setMinimumWidth(320);

    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(DBEdit5, 1);
    auto *sec = FormKit::button(this, "JvXPButton3", QStringLiteral("FİRMA SEÇ"));
    connect(sec, &QPushButton::clicked, this, &TcarihareketDF::firmaSec);
    codeRow->addWidget(sec);
    auto *codeBox = new QWidget(this);
    codeBox->setLayout(codeRow);
    codeRow->setContentsMargins(0, 0, 0, 0);

    add(QStringLiteral("İşlem Tarihi"), islemtarihiDate);
    add(QStringLiteral("İşlem Vadesi"), islemvadesiDate);
    add(QStringLiteral("Para Cinsi"), dovizBox);
    add(QStringLiteral("Firma Cari Kodu"), codeBox);
    add(QStringLiteral("Firma Cari Adı"), DBEdit6);
    add(QStringLiteral("Firma Borç Tutar"), DBEdit1);
    add(QStringLiteral("Firma Alacak Tutar"), DBEdit2);
    add(QStringLiteral("Döviz Kuru"), DBEdit3);
    add(QStringLiteral("Açıklama"), DBEdit4);
    form->setColumnStretch(1, 1);
    root->addLayout(form);

    auto *buttons = new QHBoxLayout;
    auto *yeni = FormKit::button(this, "JvXPButton1", QStringLiteral("YENİ HAREKET"));
    auto *sakla = FormKit::button(this, "BitBtn1", QStringLiteral("SAKLA"));
    auto *vazgec = FormKit::button(this, "JvXPButton2", QStringLiteral("VAZGEÇ"));
    auto *kapat = FormKit::button(this, "kapat", QStringLiteral("KAPAT"));
    kapat->setToolTip(QStringLiteral("Programı kapat..."));
    connect(yeni, &QPushButton::clicked, this, &TcarihareketDF::yeniHareket);
    connect(sakla, &QPushButton::clicked, this, &TcarihareketDF::sakla);
    connect(vazgec, &QPushButton::clicked, this, &TcarihareketDF::vazgec);
    connect(kapat, &QPushButton::clicked, this, &QWidget::hide);
    for (QPushButton *b : {yeni, sakla, vazgec, kapat}) buttons->addWidget(b);
    root->addLayout(buttons);

    // The edits write into the ledger's pending row as they are typed.
    m_binder = new RecordBinder(this);
    m_binder->setTable(ledger->ffTable1);
    m_binder->setBeginPending([](Table &) { return false; });
    m_binder->bindLine(DBEdit5, QStringLiteral("cari_kodu"), RecordBinder::Kind::Text);
    m_binder->bindLine(DBEdit6, QStringLiteral("cari_hesap_adi"), RecordBinder::Kind::Text);
    m_binder->bindLine(DBEdit1, QStringLiteral("borc_tutari"), RecordBinder::Kind::Amount, FormKit::kMoney);
    m_binder->bindLine(DBEdit2, QStringLiteral("alacak_tutari"), RecordBinder::Kind::Amount, FormKit::kMoney);
    m_binder->bindLine(DBEdit3, QStringLiteral("doviz_kuru"), RecordBinder::Kind::Rate, FormKit::kCardRate);
    m_binder->bindLine(DBEdit4, QStringLiteral("aciklama"), RecordBinder::Kind::Text);
    connect(m_binder, &RecordBinder::writeFailed, this, [](const QString &m) { MessageBox::error(m); });
    // A number that does not read is remembered as typed: the edit shows the
    // field's last value on leaving, but the save refuses until it is corrected.
    for (QLineEdit *e : {DBEdit1, DBEdit2, DBEdit3})
        connect(e, &QLineEdit::textEdited, this, [this, e](const QString &text) {
            if (sayiOkuDene(text)) m_unreadable.remove(e);
            else m_unreadable.insert(e, text);
        });
    connect(ledger->ffTable1, &Dataset::stateChanged, this, &TcarihareketDF::stateFollows);

    // The account: a double click or the pop-up item opens the picker; leaving checks the code.
    for (QLineEdit *e : {DBEdit5, DBEdit6}) {
        e->installEventFilter(this);
        auto *item = new QAction(QStringLiteral("Cari Hesap Ekle "), e);
        item->setObjectName(QStringLiteral("cariHesapEkleItem"));
        item->setShortcut(QKeySequence(Qt::Key_Insert));
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, this, &TcarihareketDF::firmaSec);
        e->addAction(item);
        e->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(e, &QWidget::customContextMenuRequested, this, [e](const QPoint &pos) {
            QMenu menu(e);
            menu.addActions(e->actions());
            menu.exec(e->mapToGlobal(pos));
        });
    }
    AccountPicker::Target target;
    target.handOver = [this](const PickedAccount &card) { pick(card); };
    target.ready = [this] { return isPending(); };
    AccountPicker::registerTarget(kContext, target);

    KeyFilters::installEnterMovesFocus(this);
    stateFollows();
}

TcarihareketDF::~TcarihareketDF() = default;

Table &TcarihareketDF::table() const { return *m_ledger->ffTable1; }

bool TcarihareketDF::isPending() const
{
    const Table &t = table();
    return t.state() == Dataset::State::Insert || t.state() == Dataset::State::Edit;
}

bool TcarihareketDF::hasTypedContent() const
{
    if (!isPending()) return false;
    if (table().state() == Dataset::State::Edit) return true;
    // An account alone (copied in by the ledger) is no typed movement yet.
    for (const char *f : {"borc_tutari", "alacak_tutari", "doviz_kuru", "aciklama"}) {
        const QVariant v = table().value(QLatin1String(f));
        if (!v.isNull() && v.isValid() && !v.toString().isEmpty()) return true;
    }
    return !m_unreadable.isEmpty();
}

void TcarihareketDF::stateFollows()
{
    // Nothing pending, nothing to type into: typing never edits a stored movement by chance.
    const bool on = isPending();
    m_binder->setEditable(on);
    DBEdit6->setReadOnly(true);
    if (!on) m_unreadable.clear();
    m_binder->load();
}

void TcarihareketDF::satiriGoster()
{
    m_unreadable.clear();
    m_binder->load();
}

void TcarihareketDF::goster()
{
    satiriGoster();
    show();
    raise();
    activateWindow();
    (DBEdit5->text().isEmpty() ? DBEdit5 : DBEdit1)->setFocus();
}

void TcarihareketDF::duzeltmeIcinAyarla(const QString &currency, const QDate &islem, const QDate &vade)
{
    const int i = dovizBox->findText(currency);
    if (i >= 0) dovizBox->setCurrentIndex(i);
    islemtarihiDate->setDate(islem);
    islemvadesiDate->setDate(vade);
}

bool TcarihareketDF::mayDropPending()
{
    if (!isPending()) return true;
    // A typed movement is never posted without its checks, nor dropped without asking.
    if (hasTypedContent()
        && MessageBox::show(MessageBox::kCaption,
                            QStringLiteral("Kaydedilmemiş cari hareket iptal edilecektir. Devam edilsin mi?"),
                            MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, this)
               != MessageBox::Yes)
        return false;
    table().cancel();
    return true;
}

// ---- the account ----

void TcarihareketDF::firmaSec()
{
    AccountPicker::cariSecimYeri() = kContext;
    if (!m_cards) return;
    const QString code = isPending() ? table().value(QStringLiteral("cari_kodu")).toString() : QString();
    const QString name = isPending() ? table().value(QStringLiteral("cari_hesap_adi")).toString() : QString();
    m_cards->ac(kContext, code, name);
}

void TcarihareketDF::pick(const PickedAccount &card)
{
    if (!isPending()) return;
    try {
        table().field(QStringLiteral("cari_kodu")) = card.kodu;
        table().field(QStringLiteral("cari_hesap_adi")) = card.adi;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    m_binder->load();
}

void TcarihareketDF::koduDenetle()
{
    if (m_checkingCode || !isPending()) return;
    const QString code = table().value(QStringLiteral("cari_kodu")).toString();
    if (code.isEmpty()) return;
    m_checkingCode = true;
    try {
        Query cards(&DataContext::instance().ADOConnection1);
        if (AccountSteps::findAccount(cards, code)) {
            table().field(QStringLiteral("cari_kodu")) = cards.value(QStringLiteral("firma_kodu"));
            table().field(QStringLiteral("cari_hesap_adi")) = cards.value(QStringLiteral("firma_adi"));
        } else {
            const QString name = table().value(QStringLiteral("cari_hesap_adi")).toString();
            const bool open = MessageBox::show(MessageBox::kCaption, QStringLiteral("Bu firma kodu bulunamadı. Yeni firma açılsınmı?"),
                                               MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, this)
                              == MessageBox::Yes;
            if (open) {
                AccountPicker::cariSecimYeri() = kContext;
                if (m_cards) {
                    m_cards->yeniKart(code, name);
                    AccountPicker::cariSecimYeri() = kContext;
                    showFormMaximized(m_cards);
                }
            } else {
                table().field(QStringLiteral("cari_kodu")).clear();
            }
            table().field(QStringLiteral("cari_hesap_adi")).clear();
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    m_checkingCode = false;
    m_binder->load();
}

// ---- the buttons ----

void TcarihareketDF::yeniHareket()
{
    if (dovizBox->currentIndex() < 0) dovizBox->setCurrentIndex(0);
    if (!mayDropPending()) return;
    try {
        table().cancel();
        if (!table().isActive()) table().open();
        table().append();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    satiriGoster();
    // The account is chosen first.
    firmaSec();
}

QString TcarihareketDF::unreadableNumber()
{
    for (QLineEdit *e : {DBEdit1, DBEdit2, DBEdit3}) {
        if (!m_unreadable.contains(e)) continue;
        const QString label = e == DBEdit1 ? QStringLiteral("Firma Borç Tutar") : e == DBEdit2 ? QStringLiteral("Firma Alacak Tutar")
                                                                                             : QStringLiteral("Döviz Kuru");
        const QString typed = m_unreadable.value(e);
        e->setText(typed);
        e->setFocus();
        return u'"' + label + QStringLiteral("\" alanına yazılan \"") + typed
               + QStringLiteral("\" bir sayı olarak okunamadı. Lütfen düzeltiniz.");
    }
    return {};
}

void TcarihareketDF::sakla()
{
    DataContext &ctx = DataContext::instance();
    const int workingYear = ctx.calismaYili;
    const int enteredYear = islemtarihiDate->date().year();
    if (enteredYear != workingYear) {
        const int answer = MessageBox::show(MessageBox::kCaptionShort, MovementEntry::workingYearQuestion(workingYear, enteredYear),
                                            MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, this);
        if (answer == MessageBox::Yes) return;  // the save is aborted, the row stays as typed
        // Going on switches the working year; what was typed is lost, as the question says.
        table().cancel();
        m_ledger->yilDegisecek();
        try {
            if (!kasadegistir(enteredYear)) MessageBox::warning(kCashTemplateMissing);
        } catch (const EngineError &e) {
            MessageBox::error(e.message());
        }
        m_ledger->yenile();
        return;
    }
    if (!isPending()) return;

    const QString unreadable = unreadableNumber();
    if (!unreadable.isEmpty()) {
        MessageBox::warning(unreadable);
        return;
    }
    Table &t = table();
    MovementEntry::Values v;
    v.islemTarihi = islemtarihiDate->date();
    v.vadeTarihi = islemvadesiDate->date();
    v.dovizCinsi = dovizBox->currentIndex() < 0 ? QStringLiteral("TL") : dovizBox->currentText();
    v.cariKodu = t.value(QStringLiteral("cari_kodu")).toString();
    v.cariHesapAdi = t.value(QStringLiteral("cari_hesap_adi")).toString();
    v.borcTutari = t.value(QStringLiteral("borc_tutari"));
    v.alacakTutari = t.value(QStringLiteral("alacak_tutari"));
    v.dovizKuru = t.value(QStringLiteral("doviz_kuru"));
    v.aciklama = t.value(QStringLiteral("aciklama")).toString();
    const QString refused = MovementEntry::check(v);
    if (!refused.isEmpty()) {
        MessageBox::warning(refused);
        return;
    }
    const qint64 chid = t.state() == Dataset::State::Edit ? t.value(QStringLiteral("chid")).toLongLong() : 0;
    MovementEntry::Saved saved;
    try {
        saved = MovementEntry::save(ctx.kasaConnection, chid, v);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());  // nothing written, the row stays pending
        return;
    }
    t.cancel();
    if (!saved.chid) {
        MessageBox::warning(QStringLiteral("Düzeltilen cari hareket bulunamadı; başka bir yerden silinmiş olabilir. Kayıt yapılmadı."));
        return;
    }
    try {
        t.refresh();
        t.locate(QStringLiteral("chid"), saved.chid);
    } catch (const EngineError &) {
    }
    m_binder->load();
    ctx.announce({DataKind::Movements});
    MessageBox::information(MovementEntry::kSaved);
}

void TcarihareketDF::vazgec()
{
    table().cancel();
}

// ---- events ----

bool TcarihareketDF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBEdit5 || watched == DBEdit6) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            firmaSec();
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            // Another window coming to the front is no leaving of the edit.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible()) koduDenetle();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TcarihareketDF::hideEvent(QHideEvent *event)
{
    // However the form is hidden, a movement not saved is dropped, never posted.
    table().cancel();
    QWidget::hideEvent(event);
}
