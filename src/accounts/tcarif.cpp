#include "accounts/tcarif.h"

#include "widgets/form_kit.h"
#include "widgets/record_binder.h"
#include "outlook/customer_risk.h"

#include "accounts/account_picker.h"
#include "accounts/account_steps.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/table.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_show.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kRateFormat = FormKit::kCardRate;
const QString kAmountFormat = FormKit::kMoney;

struct EditSpec {
    const char *name;
    const char *label;
    const char *field;
    int kind;       // TcariF::Kind
    int maxLength;  // the field's width in the file
    int row;
    int group;      // which of the three label/edit column pairs
};

// In tab order: the first column holds the identity, the second tax and telephones,
// the third the slip settings.
const EditSpec kEdits[] = {
    {"koduEdit", "Kodu", "firma_kodu", 0, 20, 0, 0},
    {"adiEdit", "Adı", "firma_adi", 0, 50, 1, 0},
    {"adresEdit", "Adresi", "firma_adresi_1", 0, 50, 2, 0},
    {"sehirEdit", "Şehir", "adres_sehir", 0, 30, 3, 0},
    {"ilceEdit", "İlçe", "adres_semt", 0, 30, 4, 0},
    {"irtibatKisiEdit", "Yetkili", "firma_irtibat_kisi", 0, 30, 5, 0},
    {"tel1Edit", "Telefon 1", "telefon1_no", 1, 15, 0, 1},
    {"tel2Edit", "Telefon 2", "telefon2_no", 1, 15, 1, 1},
    {"faksEdit", "Faks", "fax_no", 1, 15, 2, 1},
    {"vergiDEdit", "Vergi D.", "vergi_dairesi", 0, 20, 3, 1},
    {"vergiNoEdit", "Vergi No:", "vergi_no", 0, 16, 4, 1},
    {"masrafEdit", "Masraf", "masraf", 4, 20, 5, 1},
    {"yilGunEdit", "Yıldaki Gün", "yildaki_gun", 2, 5, 0, 2},
    {"yilFaizEdit", "Yıllık Faiz", "yillik_faiz", 3, 20, 1, 2},
    {"ayFaizEdit", "Aylık Faiz", "aylik_faiz", 3, 20, 2, 2},
    {"JvDotNetDBEdit1", "BSMV", "BSMV", 4, 20, 3, 2},
    {"ekSureEdit", "Tah.Süre Ekle", "tahsilatsure_ekle", 2, 5, 4, 2},
    {"riskiEdit", "Risk Limiti", "riski", 4, 20, 0, 3},
    {"riski2Edit", "2. Risk Limiti", "riski2", 4, 20, 1, 3},
    {"riski3Edit", "3. Risk Limiti", "riski3", 4, 20, 2, 3},
};

const struct {
    const char *name, *text, *field;
} kFlags[] = {
    {"HSEkleBox", "Hafta Sonunu Ekle", "hafta_sonu_ekle"},
    {"vadefarkiCheck", "Vade Farkını Düş", "vade_farki_dus"},
    {"masrafCheck", "Masraf Düş", "masraf_dus"},
    {"BSMVCheck", "BSMV Düş", "BSMV_dus"},
};

QVector<GridColumn> gridColumns()
{
    return {
        gridColumn("firma_kodu", "Kodu", 80),
        gridColumn("firma_adi", "Adı", 250),
        gridColumn("vergi_dairesi", "Vergi Dairesi", 110),
        gridColumn("vergi_no", "Vergi No", 90),
        gridColumn("telefon1_no", "Telefon 1", 120),
        gridColumn("fax_no", "Faks", 120),
        gridColumn("yildaki_gun", "Yıl.Gün.", 65),
        gridColumn("yillik_faiz", "Yıl.Faiz", 65, kRateFormat),
        gridColumn("aylik_faiz", "Ay Faiz", 65, kRateFormat),
        gridColumn("hafta_sonu_ekle", "H.S.Ekle", 64),
        gridColumn("tahsilatsure_ekle", "T.S.Ekle", 70),
        gridColumn("BSMV", "BSMV", 50, kAmountFormat),
        gridColumn("BSMV_dus", "BSMV Düş", 76),
        gridColumn("masraf_dus", "MD", 40),
        gridColumn("vade_farki_dus", "VFD", 40),
    };
}

} // namespace

TcariF::TcariF(TyardimF *help, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TcariF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Cari Kart Takipleri"));

    Connection &company = DataContext::instance().ADOConnection1;
    FirmaTakip = new Table(&company, QStringLiteral("firma"), QStringLiteral("firma_adi"), QStringLiteral("FirmaTakip"), this);
    firmaQuery = new Query(&company, QStringLiteral("firmaQuery"), this);
    // The card's controls write into the pending card as they are typed; a first
    // keystroke on an empty table begins a new card with its defaults.
    m_binder = new RecordBinder(this);
    m_binder->setTable(FirmaTakip);
    m_binder->setBeginPending([](Table &t) {
        if (!t.isEmpty()) {
            t.edit();
            return false;
        }
        t.append();
        AccountSteps::yeniKartVarsayilanlari(t);
        return true;
    });
    connect(m_binder, &RecordBinder::written, this, [this] { m_dirty = true; });
    connect(m_binder, &RecordBinder::writeFailed, this, [](const QString &m) { MessageBox::error(m); });
    connect(m_binder, &RecordBinder::numberLeft, this, [this](QLineEdit *edit) {
        if (edit->objectName() == QLatin1String("yilFaizEdit") || edit->objectName() == QLatin1String("ayFaizEdit"))
            rateLeft(edit);
    });

    auto *central = new QWidget(this);
    auto *root = new QVBoxLayout(central);
    setCentralWidget(central);

    baslikLabel = new QLabel(QStringLiteral("Cari Kart Takipleri"), central);
    baslikLabel->setObjectName(QStringLiteral("baslikLabel"));
    QFont hf = baslikLabel->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.5);
    baslikLabel->setFont(hf);
    baslikLabel->setAlignment(Qt::AlignCenter);
    baslikLabel->setAutoFillBackground(true);
    baslikLabel->setStyleSheet(QStringLiteral("QLabel { background: #1f4e79; color: white; padding: 6px; }"));
    root->addWidget(baslikLabel);

    // The card: three label/edit column pairs, the memo and the flags below.
    auto *card = new QGridLayout;
    card->setHorizontalSpacing(8);
    for (const EditSpec &s : kEdits) {
        auto *edit = new QLineEdit(central);
        edit->setObjectName(QLatin1String(s.name));
        edit->setReadOnly(true);  // writable through Editleriac
        auto *label = new QLabel(QString::fromUtf8(s.label), central);
        label->setBuddy(edit);
        const Kind kind = Kind(s.kind);
        switch (kind) {
        case Kind::Phone: KeyFilters::setTelephoneMask(edit); break;
        case Kind::Whole: KeyFilters::installDigitsOnly(edit); FormKit::limitTyping(edit, s.maxLength); break;
        case Kind::Rate:
        case Kind::Amount: KeyFilters::installDecimalKeys(edit); FormKit::limitTyping(edit, s.maxLength); break;
        case Kind::Text: FormKit::limitTyping(edit, s.maxLength); break;
        }
        if (kind != Kind::Text && kind != Kind::Phone) edit->setAlignment(Qt::AlignRight);
        const int col = s.group * 2;
        card->addWidget(label, s.row, col);
        if (s.group == 0 && s.row == 0) {
            // The account type stands beside the code.
            auto *pair = new QHBoxLayout;
            pair->addWidget(edit, 1);
            m_tur = new QComboBox(central);
            m_tur->setObjectName(QStringLiteral("musSatCombo"));
            m_tur->addItems({QStringLiteral("Müşteri"), QStringLiteral("Satıcı"), QStringLiteral("Banka")});
            m_tur->setCurrentIndex(-1);
            m_tur->setEnabled(false);
            pair->addWidget(m_tur);
            card->addLayout(pair, s.row, col + 1);
        } else {
            card->addWidget(edit, s.row, col + 1);
        }
        const QString format = kind == Kind::Rate ? kRateFormat : kind == Kind::Amount ? kAmountFormat : QString();
        m_binder->bindLine(edit, QLatin1String(s.field), kind, format);
    }
    m_kodu = findChild<QLineEdit *>(QStringLiteral("koduEdit"));
    m_kodu->installEventFilter(this);
    findChild<QLineEdit *>(QStringLiteral("adiEdit"))->setMinimumWidth(300);
    card->setColumnStretch(1, 3);
    card->setColumnStretch(3, 2);
    card->setColumnStretch(5, 1);
    riskLabel = new QLabel(central);
    riskLabel->setObjectName(QStringLiteral("riskLabel"));
    riskLabel->setWordWrap(true);
    card->addWidget(riskLabel, 3, 6, 2, 2, Qt::AlignTop);
    m_binder->bindCombo(m_tur, QStringLiteral("musteri_satici"));

    auto *memoLabel = new QLabel(QStringLiteral("Açıklama"), central);
    m_aciklama = new QPlainTextEdit(central);
    m_aciklama->setObjectName(QStringLiteral("aciklamaMemo"));
    m_aciklama->setReadOnly(true);
    m_aciklama->setMaximumHeight(60);
    memoLabel->setBuddy(m_aciklama);
    card->addWidget(memoLabel, 6, 0, Qt::AlignTop);
    card->addWidget(m_aciklama, 6, 1, 1, 3);
    m_binder->bindMemo(m_aciklama, QStringLiteral("aciklama"));

    auto *flags = new QVBoxLayout;
    for (const auto &f : kFlags) {
        auto *box = new QCheckBox(QString::fromUtf8(f.text), central);
        box->setObjectName(QLatin1String(f.name));
        box->setEnabled(false);
        m_binder->bindFlag(box, QLatin1String(f.field));
        flags->addWidget(box);
    }
    card->addLayout(flags, 5, 4, 2, 2);
    root->addLayout(card);

    // Buttons.
    auto *buttons = new QHBoxLayout;
    const struct {
        const char *name, *text;
        void (TcariF::*action)();
    } kButtons[] = {
        {"yeniKBut", "YENİ CARİ EKLE", &TcariF::yeniKart},
        {"kaydetBut", "KAYDET", &TcariF::kaydet},
        {"KDuzeltBut", "KAYDI DÜZELT", &TcariF::duzelt},
        {"KSilBut", "KAYDI SİL", &TcariF::sil},
        {"vazgecBut", "İŞLEMDEN VAZGEÇ", &TcariF::vazgec},
        {"JvXPButton1", "EVRAK EKLE/BAK", &TcariF::evrakEkleBak},
        {"SecBut", "KAYDI İŞLEM İÇİN SEÇ", &TcariF::SecButClick},
    };
    for (const auto &b : kButtons) {
        auto *button = new QPushButton(QString::fromUtf8(b.text), central);
        button->setObjectName(QLatin1String(b.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.action);
        buttons->addWidget(button);
    }
    m_help = makeHelpButton(central, QStringLiteral("ycarikart"), nullptr);
    buttons->addWidget(m_help);
    auto *kapat = new QPushButton(QStringLiteral("KAPAT"), central);
    kapat->setObjectName(QStringLiteral("kapatBut"));
    kapat->setToolTip(QStringLiteral("Programı kapat..."));
    kapat->setAutoDefault(false);
    connect(kapat, &QPushButton::clicked, this, &QWidget::hide);
    buttons->addWidget(kapat);
    root->addLayout(buttons);

    // Search.
    auto *search = new QHBoxLayout;
    auto *searchLabel = new QLabel(QStringLiteral("Kayıtlarda Arama Yapmak İçin Kelime Gir"), central);
    m_arama = new QLineEdit(central);
    m_arama->setObjectName(QStringLiteral("aramaEdit"));
    searchLabel->setBuddy(m_arama);
    auto *ara = new QPushButton(QStringLiteral("ARA"), central);
    ara->setObjectName(QStringLiteral("araBut"));
    ara->setAutoDefault(false);
    connect(ara, &QPushButton::clicked, this, &TcariF::arafirma);
    search->addWidget(searchLabel);
    search->addWidget(m_arama, 1);
    search->addWidget(ara);
    root->addLayout(search);

    m_grid = new DatasetGrid(central);
    m_grid->setObjectName(QStringLiteral("FirmaGrid"));
    m_grid->setDataset(FirmaTakip, gridColumns());
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { SecButClick(); });
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu menu(m_grid);
        QAction *evrak = menu.addAction(QStringLiteral("Evraklarına Bak/Ekle"));
        evrak->setObjectName(QStringLiteral("evrakMenuItem"));
        evrak->setEnabled(false);
        if (menu.exec(m_grid->viewport()->mapToGlobal(pos)) == evrak) evrakEkleBak();
    });
    root->addWidget(m_grid, 1);

    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->followOpenCompany();
    connect(&DataContext::instance(), &DataContext::companyOpened, this,
            [this](const QString &, const QString &title) { baslikLabel->setText(title); });
    setStatusBar(StatusBar1);

    connect(FirmaTakip, &Dataset::stateChanged, this, [this] { stateFollows(); });
    connect(FirmaTakip, &Dataset::currentRowChanged, this, [this] { showRisk(); });

    KeyFilters::installEnterMovesFocus(this);
    setYardim(help);
    m_binder->load();
}

void TcariF::setYardim(TyardimF *help)
{
    connectHelpButton(m_help, QStringLiteral("ycarikart"), help);
}

Table &TcariF::cards()
{
    if (!FirmaTakip->isActive()) FirmaTakip->open();
    return *FirmaTakip;
}

void TcariF::ac(const QString &context, const QString &kod, const QString &ad)
{
    AccountPicker::cariSecimYeri() = context;
    try {
        cards();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    // The opener's account is searched for; an opener without one starts from an
    // empty search, never from the text of an earlier one.
    m_arama->setText(!ad.isEmpty() ? ad : kod);
    if (!m_arama->text().isEmpty()) arafirma();
    showFormMaximized(this);
}

// ---- the card's controls follow the current record ----

void TcariF::stateFollows()
{
    const bool browsing = FirmaTakip->state() != Dataset::State::Edit && FirmaTakip->state() != Dataset::State::Insert;
    // Moving to another card would store the edited one without its code check.
    m_grid->setEnabled(browsing);
    if (browsing) m_dirty = false;
    m_binder->load();
    showRisk();
}

void TcariF::showRisk()
{
    const QString code = FirmaTakip->isActive() && !FirmaTakip->isEmpty()
                             ? FirmaTakip->field(QStringLiteral("firma_kodu")).asString()
                             : QString();
    if (code.trimmed().isEmpty()) {
        riskLabel->clear();
        return;
    }
    DataContext &ctx = DataContext::instance();
    try {
        const CustomerRisk::Figures f = CustomerRisk::read(ctx.ADOConnection1, &ctx.kasaConnection, code, QDate::currentDate());
        const double limit = FirmaTakip->field(QStringLiteral("riski")).asFloat();
        const bool over = CustomerRisk::overLimit(f.total(), limit);
        riskLabel->setText(QStringLiteral("Güncel Risk: %1 TL\n(Çekler %2, Bakiye %3)%4")
                               .arg(formatFloat(kAmountFormat, f.total()), formatFloat(kAmountFormat, f.cheques),
                                    formatFloat(kAmountFormat, f.balance),
                                    over ? QStringLiteral("\nRisk limiti aşıldı!") : QString()));
        riskLabel->setStyleSheet(over ? QStringLiteral("color: #c0392b; font-weight: bold;") : QString());
    } catch (const EngineError &) {
        riskLabel->clear();  // the card still shows; the lists report their own errors
    }
}

bool TcariF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_kodu && event->type() == QEvent::FocusIn) {
        try {
            // The first card of an empty table is typed straight in.
            if (cards().isEmpty() && cards().state() == Dataset::State::Browse) Editleriac();
        } catch (const EngineError &) {
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TcariF::rateLeft(QLineEdit *edit)
{
    Table &t = *FirmaTakip;
    if (t.state() != Dataset::State::Edit && t.state() != Dataset::State::Insert) return;
    const bool yearly = edit->objectName() == QLatin1String("yilFaizEdit");
    const double rate = t.value(m_binder->fieldOf(edit)).toDouble();
    if (rate <= 0) return;
    t.field(yearly ? QStringLiteral("aylik_faiz") : QStringLiteral("yillik_faiz")) = yearly ? rate / 12 : rate * 12;
    m_dirty = true;
    for (QLineEdit *e : m_binder->lineEdits())
        if (m_binder->kindOf(e) == Kind::Rate) m_binder->showField(e);
}

// ---- states ----

void TcariF::Editleriac()
{
    m_binder->setEditable(true);
}

void TcariF::EditleriKapa() { m_kodu->setReadOnly(true); }

bool TcariF::ask(const QString &text)
{
    return MessageBox::show(MessageBox::kCaption, text, MessageBox::Icon::None, MessageBox::Yes | MessageBox::No, this)
           == MessageBox::Yes;
}

// ---- buttons ----

void TcariF::yeniKart(const QString &kod, const QString &ad)
{
    yeniKart();
    Table &t = cards();
    if (t.state() != Dataset::State::Insert) return;
    t.field(QStringLiteral("firma_kodu")) = kod;
    t.field(QStringLiteral("firma_adi")) = ad;
    m_dirty = true;
    m_binder->load();
}

void TcariF::yeniKart()
{
    try {
        Table &t = cards();
        const bool editing = t.state() == Dataset::State::Edit || t.state() == Dataset::State::Insert;
        bool goOn = true;
        if (m_dirty) goOn = ask(QStringLiteral("Yapılan değişiklikler iptal edilecektir. Devam edilsin mi?"));
        if (goOn) {
            if (editing) t.cancel();
            t.append();
            AccountSteps::yeniKartVarsayilanlari(t);
            m_dirty = false;
            m_binder->load();
        }
        Editleriac();
        // An existing card kept in correction keeps its code: movements link to it.
        if (t.state() != Dataset::State::Insert) EditleriKapa();
        if (goOn) m_kodu->setFocus();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TcariF::duzelt()
{
    try {
        Table &t = cards();
        if (t.isEmpty()) return;
        if (t.state() == Dataset::State::Browse) t.edit();
        Editleriac();
        if (t.state() != Dataset::State::Insert) EditleriKapa();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TcariF::kaydet()
{
    try {
        Table &t = cards();
        const bool editing = t.state() == Dataset::State::Edit || t.state() == Dataset::State::Insert;
        if (editing || m_dirty) {
            const QString code = t.value(QStringLiteral("firma_kodu")).toString();
            // Movements and cheques find their account by its code.
            if (t.state() == Dataset::State::Insert && code.trimmed().isEmpty()) {
                MessageBox::warning(QStringLiteral("Cari kart kodu boş bırakılamaz. Kod giriniz!"));
                m_kodu->setFocus();
                return;
            }
            const QVariant own = t.state() == Dataset::State::Insert ? QVariant() : t.value(QStringLiteral("firma_ind"));
            if (AccountSteps::kodBaskaKarttaVar(*firmaQuery, code, own)) {
                MessageBox::warning(u'"' + code + QStringLiteral("\" kodu daha önce kullanılmış. Yeni kod giriniz!"));
                return;
            }
            if (m_dirty) {
                if (ask(QStringLiteral("Yapılan değişiklik kayıt edilecektir. Devam edilsin mi?"))) {
                    t.post();
                } else {
                    t.cancel();
                }
                m_dirty = false;
                EditleriKapa();
            }
        }
        t.refresh();
        EditleriKapa();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TcariF::vazgec()
{
    Table &t = *FirmaTakip;
    if (!t.isActive()) return;
    const bool editing = t.state() == Dataset::State::Edit || t.state() == Dataset::State::Insert;
    if (!editing && !m_dirty) return;
    if (!ask(QStringLiteral("Yapılan değişiklik iptal edilecektir. Devam edilsinmi?"))) return;
    t.cancel();
    m_dirty = false;
    EditleriKapa();
    m_binder->load();
}

void TcariF::sil()
{
    try {
        Table &t = cards();
        if (t.state() == Dataset::State::Insert) {
            // A card not stored yet: deleting it is dropping the input.
            if (ask(QStringLiteral("Firma cari kart silinecektir. Devam edilsin mi?"))) {
                t.cancel();
                m_dirty = false;
                EditleriKapa();
            }
            return;
        }
        if (t.isEmpty()) return;
        const QString code = t.field(QStringLiteral("firma_kodu")).asString();
        DataContext &dc = DataContext::instance();
        const QStringList refs = AccountSteps::kartaBagliKayitlar(dc.ADOConnection1, &dc.kasaConnection, code, dc.aktifSirketKodu);
        if (!refs.isEmpty()) {
            // Deleting it would leave cheques and movements pointing at no account.
            MessageBox::warning(u'"' + code + QStringLiteral("\" kodlu cari kart silinemez; bu koda bağlı kayıtlar var:\n\r")
                                + refs.join(QStringLiteral("\n\r"))
                                + QStringLiteral("\n\rÖnce bu kayıtları silin ya da başka bir karta aktarın."));
            return;
        }
        if (!ask(QStringLiteral("Firma cari kart silinecektir. Devam edilsin mi?"))) return;
        if (!ask(QStringLiteral("Silinecek karta tekrar ulaşmak mümkün olmayacaktır. Eminmisiniz?"))) return;
        if (t.state() == Dataset::State::Edit) t.cancel();
        t.remove();
        m_dirty = false;
        EditleriKapa();
        m_binder->load();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TcariF::arafirma()
{
    try {
        Table &t = cards();
        if (t.state() == Dataset::State::Edit || t.state() == Dataset::State::Insert) {
            MessageBox::warning(QStringLiteral("Düzenlenen kart kaydedilmeden arama yapılamaz. Önce kaydedin ya da işlemden vazgeçin."));
            return;
        }
        AccountSteps::cariAra(t, m_arama->text());
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TcariF::SecButClick()
{
    Table &t = *FirmaTakip;
    if (!t.isActive() || t.isEmpty()) return;
    if (t.state() == Dataset::State::Edit || t.state() == Dataset::State::Insert) {
        // An unsaved card could still be cancelled after it was handed over.
        MessageBox::warning(QStringLiteral("Kart kaydedilmeden seçilemez. Önce kaydedin ya da işlemden vazgeçin."));
        return;
    }
    switch (AccountPicker::handOver(PickedAccount::fromCurrent(t))) {
    case AccountPicker::Outcome::HandedOver: hide(); break;
    case AccountPicker::Outcome::Stayed:
    case AccountPicker::Outcome::NotReady: break;
    case AccountPicker::Outcome::NoTarget:
        MessageBox::warning(QStringLiteral("Seçilen kartı alacak pencere tanımlı değil (\"%1\"). Kart hiçbir yere aktarılmadı.")
                                .arg(AccountPicker::cariSecimYeri()));
        break;
    }
}

void TcariF::evrakEkleBak()
{
    try {
        if (cards().isEmpty()) return;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    Q_EMIT evrakIstendi();
}
