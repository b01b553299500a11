#include "accounts/tcarif.h"

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

const QString kRateFormat = QStringLiteral("#,##0.0000");
const QString kAmountFormat = QStringLiteral("#,##0.00");

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

bool hasDigit(const QString &text)
{
    for (QChar c : text)
        if (c.isDigit()) return true;
    return false;
}

} // namespace

TcariF::TcariF(TyardimF *help, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TcariF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Cari Kart Takipleri"));

    Connection &company = DataContext::instance().ADOConnection1;
    FirmaTakip = new Table(&company, QStringLiteral("firma"), QStringLiteral("firma_adi"), QStringLiteral("FirmaTakip"), this);
    firmaQuery = new Query(&company, QStringLiteral("firmaQuery"), this);

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
        case Kind::Whole: KeyFilters::installDigitsOnly(edit); edit->setMaxLength(s.maxLength); break;
        case Kind::Rate:
        case Kind::Amount: KeyFilters::installDecimalKeys(edit); edit->setMaxLength(s.maxLength); break;
        case Kind::Text: edit->setMaxLength(s.maxLength); break;
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
        m_edits.insert(edit, Binding{QLatin1String(s.field), kind});
        connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString &t) { lineEdited(edit, t); });
        if (kind != Kind::Text && kind != Kind::Phone) edit->installEventFilter(this);
    }
    m_kodu = findChild<QLineEdit *>(QStringLiteral("koduEdit"));
    m_kodu->installEventFilter(this);
    findChild<QLineEdit *>(QStringLiteral("adiEdit"))->setMinimumWidth(300);
    card->setColumnStretch(1, 3);
    card->setColumnStretch(3, 2);
    card->setColumnStretch(5, 1);
    connect(m_tur, &QComboBox::activated, this, [this](int i) {
        write(m_tur, QStringLiteral("musteri_satici"), m_tur->itemText(i));
    });

    auto *memoLabel = new QLabel(QStringLiteral("Açıklama"), central);
    m_aciklama = new QPlainTextEdit(central);
    m_aciklama->setObjectName(QStringLiteral("aciklamaMemo"));
    m_aciklama->setReadOnly(true);
    m_aciklama->setMaximumHeight(60);
    memoLabel->setBuddy(m_aciklama);
    card->addWidget(memoLabel, 6, 0, Qt::AlignTop);
    card->addWidget(m_aciklama, 6, 1, 1, 3);
    connect(m_aciklama, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading) write(m_aciklama, QStringLiteral("aciklama"), m_aciklama->toPlainText());
    });

    auto *flags = new QVBoxLayout;
    for (const auto &f : kFlags) {
        auto *box = new QCheckBox(QString::fromUtf8(f.text), central);
        box->setObjectName(QLatin1String(f.name));
        box->setEnabled(false);
        m_flags.insert(box, QLatin1String(f.field));
        flags->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, box](bool on) {
            write(box, m_flags.value(box), on ? QStringLiteral("E") : QStringLiteral("H"));
        });
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
        if (menu.exec(m_grid->viewport()->mapToGlobal(pos)) == evrak) evrakEkleBak();
    });
    root->addWidget(m_grid, 1);

    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->followOpenCompany();
    connect(&DataContext::instance(), &DataContext::companyOpened, this,
            [this](const QString &, const QString &title) { baslikLabel->setText(title); });
    setStatusBar(StatusBar1);

    connect(FirmaTakip, &Dataset::currentRowChanged, this, [this] { load(); });
    connect(FirmaTakip, &Dataset::reset, this, [this] { load(); });
    connect(FirmaTakip, &Dataset::stateChanged, this, [this] { stateFollows(); });

    KeyFilters::installEnterMovesFocus(this);
    setYardim(help);
    load();
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
    bool copied = false;
    if (!kod.isEmpty()) { m_arama->setText(kod); copied = true; }
    if (!ad.isEmpty()) { m_arama->setText(ad); copied = true; }
    if (copied) arafirma();
    showFormMaximized(this);
}

// ---- the card's controls follow the current record ----

void TcariF::showField(QLineEdit *edit)
{
    const Table &t = *FirmaTakip;
    const bool has = t.isActive() && (t.state() == Dataset::State::Insert || !t.isEmpty());
    const Binding b = m_edits.value(edit);
    const QVariant v = has ? t.value(b.field) : QVariant();
    switch (b.kind) {
    case Kind::Rate: edit->setText(v.isNull() ? QString() : formatFloat(kRateFormat, v.toDouble())); break;
    case Kind::Amount: edit->setText(v.isNull() ? QString() : formatFloat(kAmountFormat, v.toDouble())); break;
    default: edit->setText(v.toString()); break;
    }
    if (b.kind == Kind::Text) edit->setCursorPosition(0);
}

void TcariF::load(QObject *keep)
{
    if (m_loading) return;
    m_loading = true;
    const Table &t = *FirmaTakip;
    const bool has = t.isActive() && (t.state() == Dataset::State::Insert || !t.isEmpty());
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        if (it.key() != keep) showField(it.key());
    if (keep != m_tur) m_tur->setCurrentIndex(has ? m_tur->findText(t.value(QStringLiteral("musteri_satici")).toString()) : -1);
    if (keep != m_aciklama) m_aciklama->setPlainText(has ? t.value(QStringLiteral("aciklama")).toString() : QString());
    for (auto it = m_flags.cbegin(); it != m_flags.cend(); ++it)
        if (it.key() != keep) it.key()->setChecked(has && t.value(it.value()).toString() == QLatin1String("E"));
    m_loading = false;
}

void TcariF::stateFollows()
{
    const bool browsing = FirmaTakip->state() != Dataset::State::Edit && FirmaTakip->state() != Dataset::State::Insert;
    // Moving to another card would store the edited one without its code check.
    m_grid->setEnabled(browsing);
    if (browsing) m_dirty = false;
    load();
}

void TcariF::write(QObject *from, const QString &field, const QVariant &value)
{
    if (m_loading) return;
    try {
        Table &t = cards();
        m_loading = true;  // the state change must not overwrite what is being typed
        bool appended = false;
        if (t.state() == Dataset::State::Browse) {
            if (t.isEmpty()) {
                t.append();
                AccountSteps::yeniKartVarsayilanlari(t);
                appended = true;
            } else {
                t.edit();
            }
        }
        t.field(field) = value;
        m_loading = false;
        m_dirty = true;
        if (appended) load(from);
    } catch (const EngineError &e) {
        m_loading = false;
        MessageBox::error(e.message());
    }
}

void TcariF::lineEdited(QLineEdit *edit, const QString &text)
{
    const Binding b = m_edits.value(edit);
    QVariant v;
    try {
        switch (b.kind) {
        case Kind::Text: v = text; break;
        case Kind::Phone: v = hasDigit(text) ? QVariant(text) : QVariant(); break;
        case Kind::Whole: v = text.trimmed().isEmpty() ? QVariant() : QVariant(tamSayiOku(text)); break;
        case Kind::Rate:
        case Kind::Amount: v = text.trimmed().isEmpty() ? QVariant() : QVariant(sayiOku(text)); break;
        }
    } catch (const EngineError &) {
        return;  // half-typed number: the field keeps its last value, shown on leaving
    }
    write(edit, b.field, v);
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
    if (event->type() == QEvent::FocusOut) {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (edit && m_edits.contains(edit) && m_edits.value(edit).kind != Kind::Text) {
            const QString name = edit->objectName();
            if (name == QLatin1String("yilFaizEdit") || name == QLatin1String("ayFaizEdit")) rateLeft(edit);
            showField(edit);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TcariF::rateLeft(QLineEdit *edit)
{
    Table &t = *FirmaTakip;
    if (t.state() != Dataset::State::Edit && t.state() != Dataset::State::Insert) return;
    const bool yearly = edit->objectName() == QLatin1String("yilFaizEdit");
    const double rate = t.value(m_edits.value(edit).field).toDouble();
    if (rate <= 0) return;
    t.field(yearly ? QStringLiteral("aylik_faiz") : QStringLiteral("yillik_faiz")) = yearly ? rate / 12 : rate * 12;
    m_dirty = true;
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        if (it.value().kind == Kind::Rate) showField(it.key());
}

// ---- states ----

void TcariF::Editleriac()
{
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it) it.key()->setReadOnly(false);
    m_aciklama->setReadOnly(false);
    m_tur->setEnabled(true);
    for (auto it = m_flags.cbegin(); it != m_flags.cend(); ++it) it.key()->setEnabled(true);
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
    load();
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
            load();
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
    load();
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
        load();
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
