#include "cash/tkasaf.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "cash/cash_entry_steps.h"
#include "cash/cash_row_writer.h"
#include "cash/tkasarf.h"
#include "cash/tnakitnedenf.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "widgets/currency_box.h"
#include "widgets/form_kit.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/record_binder.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace {

const QString kContext = QStringLiteral("kasa");

bool pending(const Table &t) { return t.state() == Dataset::State::Insert || t.state() == Dataset::State::Edit; }

} // namespace

TkasaF::TkasaF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TkasaF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı   - Kasa İşlemi"));
    auto *root = new QVBoxLayout(this);
    QLabel *heading = FormKit::heading(this, "baslikLabel", QStringLiteral("KASA HAREKET İŞLEMİ"));
    heading->setAlignment(Qt::AlignCenter);
    root->addWidget(heading);

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(8);
    int row = 0;
    const auto addRow = [&](const QString &label, QWidget *control, QWidget *extra = nullptr) {
        QLabel *l = FormKit::caption(label, this, true);
        l->setBuddy(control);
        form->addWidget(l, row, 0);
        if (extra) {
            auto *pair = new QHBoxLayout;
            pair->addWidget(control, 1);
            pair->addWidget(extra);
            form->addLayout(pair, row, 1);
        } else {
            form->addWidget(control, row, 1);
        }
        ++row;
    };
    vadesiDate = new QDateEdit(QDate::currentDate(), this);
    vadesiDate->setObjectName(QStringLiteral("vadesiDate"));
    KeyFilters::setupDateEdit(vadesiDate);
    addRow(QStringLiteral("İşlem Tarihi"), vadesiDate);
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    CurrencyBox::fill(dovizBox, CurrencyBox::Order::CurrenciesOnly);
    addRow(QStringLiteral("Para Cinsi"), dovizBox);

    m_binder = new RecordBinder(this);
    const auto amountEdit = [this](const char *name) {
        QLineEdit *e = FormKit::lineEdit(this, name, QString(), 20);
        KeyFilters::installDecimalKeys(e);
        e->setAlignment(Qt::AlignRight);
        return e;
    };
    DBEdit1 = amountEdit("DBEdit1");
    addRow(QStringLiteral("Kasaya Giren Tutar"), DBEdit1);
    DBEdit2 = amountEdit("DBEdit2");
    addRow(QStringLiteral("Kasadan Çıkan Tutar"), DBEdit2);
    DBEdit3 = amountEdit("DBEdit3");
    addRow(QStringLiteral("Döviz Kuru"), DBEdit3);
    m_binder->bindLine(DBEdit1, QStringLiteral("borc_tutar"), RecordBinder::Kind::Amount, FormKit::kMoney);
    m_binder->bindLine(DBEdit2, QStringLiteral("alacak_tutar"), RecordBinder::Kind::Amount, FormKit::kMoney);
    m_binder->bindLine(DBEdit3, QStringLiteral("doviz_kuru"), RecordBinder::Kind::Rate, FormKit::kCardRate);

    kisinoedit = FormKit::lineEdit(this, "kisinoedit");
    kisinoedit->setReadOnly(true);
    auto *bul = FormKit::button(this, "JvXPButton4", QStringLiteral("Bul"));
    connect(bul, &QPushButton::clicked, this, &TkasaF::firmaBul);
    addRow(QStringLiteral("Firma Kodu"), kisinoedit, bul);
    FirmaAdiEdit = FormKit::lineEdit(this, "FirmaAdiEdit");
    FirmaAdiEdit->setReadOnly(true);
    FirmaAdiEdit->setMinimumWidth(320);
    auto *sil = FormKit::button(this, "JvXPButton3", QStringLiteral("Firma Bilg.Sil"));
    connect(sil, &QPushButton::clicked, this, &TkasaF::firmaBilgiSil);
    addRow(QStringLiteral("Firma Adı"), FirmaAdiEdit, sil);
    for (QLineEdit *e : {kisinoedit, FirmaAdiEdit}) e->installEventFilter(this);

    DBEdit4 = FormKit::lineEdit(this, "DBEdit4", QString(), 200);
    addRow(QStringLiteral("Açıklama"), DBEdit4);
    m_binder->bindLine(DBEdit4, QStringLiteral("aciklama"), RecordBinder::Kind::Text);

    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->installEventFilter(this);
    auto *turBut = FormKit::button(this, "JvXPButton5", QStringLiteral("Kasa İşlem Türü Girişi"));
    connect(turBut, &QPushButton::clicked, this, &TkasaF::turGirisi);
    addRow(QStringLiteral("İşlem Türü"), DBLookupComboBox1, turBut);
    m_binder->bindCombo(DBLookupComboBox1, QStringLiteral("neden"));
    form->setColumnStretch(1, 1);
    for (QPushButton *side : {bul, sil, turBut}) side->setMinimumWidth(turBut->sizeHint().width());
    root->addLayout(form);

    auto *buttons = new QHBoxLayout;
    const struct {
        const char *name, *text;
        void (TkasaF::*action)();
    } kButtons[] = {{"JvXPButton2", "VAZGEÇ", &TkasaF::vazgec},
                    {"JvXPButton1", "YENİ HAREKET", &TkasaF::yeniHareket},
                    {"BitBtn1", "SAKLA", &TkasaF::sakla}};
    for (const auto &b : kButtons) {
        QPushButton *button = FormKit::button(this, b.name, QString::fromUtf8(b.text));
        connect(button, &QPushButton::clicked, this, b.action);
        buttons->addWidget(button);
    }
    m_help = makeHelpButton(this, QStringLiteral("ykasa"), nullptr);
    buttons->addWidget(m_help);
    QPushButton *kapat = FormKit::button(this, "JvXPButton6", QStringLiteral("KAPAT"));
    connect(kapat, &QPushButton::clicked, this, &QWidget::hide);
    buttons->addWidget(kapat);
    root->addLayout(buttons);
    root->addStretch(1);

    // What is typed goes into the pending row; the row is kept as typed, so that a
    // switch of the cash file by another window does not lose it.
    m_binder->setBeginPending([this](Table &t) { return beginPending(t); });
    connect(m_binder, &RecordBinder::written, this, [this] {
        m_typed = true;
        keepTyped();
    });
    connect(m_binder, &RecordBinder::writeFailed, this, [](const QString &m) { MessageBox::error(m); });

    AccountPicker::registerHandler(kContext, [this](const PickedAccount &card) { fillFromCard(card); });
    DataContext &ctx = DataContext::instance();
    connect(&ctx, &DataContext::cashYearChanged, this, [this] {
        if (m_switching || !m_lastTyped.active || !m_view) return;
        if (!cashTable().isActive() || !pending(cashTable())) putBack(m_lastTyped);
    });
    connect(&ctx, &DataContext::companyOpened, this, [this] { forgetRow(); });
    KeyFilters::installEnterMovesFocus(this);
    setTabOrder(vadesiDate, dovizBox);
    setTabOrder(dovizBox, DBEdit1);
    setTabOrder(DBEdit1, DBEdit2);
    setTabOrder(DBEdit2, DBEdit3);
    setTabOrder(DBEdit3, DBEdit4);
    resize(620, 420);
}

TkasaF::~TkasaF() { AccountPicker::unregisterTarget(kContext); }

void TkasaF::setView(TkasaRF *view)
{
    m_view = view;
    m_binder->setTable(view->kasaGTable);
    view->setEntryForm(this);
}

void TkasaF::setYardim(TyardimF *help) { connectHelpButton(m_help, QStringLiteral("ykasa"), help); }

Table &TkasaF::cashTable() { return *m_view->kasaGTable; }

bool TkasaF::satirBirakilsin()
{
    if (!hasPendingRow() || !m_typed) return true;
    return MessageBox::askYesNo(QStringLiteral("Kaydedilmemiş kasa hareketi iptal edilecektir. Devam edilsin mi?"));
}

bool TkasaF::hasPendingRow() const { return m_view && pending(*m_view->kasaGTable); }

void TkasaF::loadTypes()
{
    DBLookupComboBox1->clear();
    try {
        Query q(&DataContext::instance().ADOConnection1);
        q.sql() << QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY kasanedeid");
        q.open();
        for (q.first(); !q.eof(); q.next()) DBLookupComboBox1->addItem(q.value(0).toString());
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    // The combo shows the row's type when the list still has it, else nothing.
    m_binder->load();
    if (m_view) m_view->loadTypeNames();
}

// ---- the pending row ----

bool TkasaF::beginPending(Table &t)
{
    // Typing with no row pending (after a save, after "VAZGEÇ") begins a new row:
    // a saved row is corrected only through "DEĞİŞTİR", never by typing on.
    if (m_shownNid > 0) {
        // The account shown was the saved row's; the new row names none until picked.
        kisinoedit->clear();
        FirmaAdiEdit->clear();
        m_shownNid = 0;
    }
    t.append();
    return true;
}

void TkasaF::keepTyped()
{
    Table &t = cashTable();
    Typed typed;
    if (!pending(t)) {
        m_lastTyped = typed;
        return;
    }
    typed.active = true;
    if (t.state() == Dataset::State::Edit) {
        typed.nid = t.value(QStringLiteral("nid")).toLongLong();
        typed.year = DataContext::instance().calismaYili;
    }
    for (const FieldInfo &f : t.connection()->tableFields(t.tableName())) {
        if (f.type == FieldType::AutoNumber) continue;
        typed.values.append({f.name, t.value(f.name)});
    }
    m_lastTyped = typed;
}

void TkasaF::putBack(const Typed &typed)
{
    Table &t = cashTable();
    const DataContext &ctx = DataContext::instance();
    // The stored row the typed one stands for: the row under correction, or the row
    // of another year it was carried from.
    qint64 nid = typed.nid ? typed.nid : m_formerNid;
    int year = typed.nid ? typed.year : m_formerYear;
    try {
        if (!t.isActive()) t.open();
        if (pending(t)) t.cancel();
        if (nid > 0 && year == ctx.calismaYili && t.locate(QStringLiteral("nid"), nid)) {
            t.edit();
            m_formerNid = 0;
            m_formerYear = 0;
        } else {
            t.append();
            m_formerNid = nid;
            m_formerYear = nid > 0 ? year : 0;
        }
        for (const auto &[field, value] : typed.values)
            if (field != QLatin1String("nid")) t.field(field) = value;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    m_binder->load();
    keepTyped();
}

void TkasaF::forgetRow()
{
    m_lastTyped = Typed();
    m_formerNid = 0;
    m_formerYear = 0;
    m_typed = false;
}

void TkasaF::cancelPending()
{
    if (m_view && m_view->kasaGTable->isActive() && pending(*m_view->kasaGTable)) m_view->kasaGTable->cancel();
    forgetRow();
    m_binder->load();
}

// ---- the view's hand-offs ----

void TkasaF::yeniSatir(const QDate &day, const QString &currency)
{
    // Asked before anything of the form changes: "Hayır" keeps the row as typed,
    // with its own date and currency.
    if (!satirBirakilsin()) {
        show();
        raise();
        return;
    }
    cancelPending();
    if (day.isValid()) vadesiDate->setDate(day);
    if (!currency.isEmpty()) dovizBox->setCurrentIndex(dovizBox->findText(currency));
    if (dovizBox->currentIndex() < 0) dovizBox->setCurrentIndex(0);
    loadTypes();
    kisinoedit->clear();
    FirmaAdiEdit->clear();
    try {
        Table &t = cashTable();
        if (!t.isActive()) t.open();
        t.append();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    m_shownNid = 0;
    m_binder->load();
    keepTyped();
    show();
    raise();
    DBEdit1->setFocus();
}

void TkasaF::duzeltSatir()
{
    Table &t = cashTable();
    if (!t.isActive() || t.isEmpty()) return;
    forgetRow();
    loadTypes();
    vadesiDate->setDate(t.field(QStringLiteral("islem_tarihi")).asDate());
    dovizBox->setCurrentIndex(dovizBox->findText(t.value(QStringLiteral("doviz_cinsi")).toString()));
    FirmaAdiEdit->setText(t.value(QStringLiteral("firmaadi")).toString());
    kisinoedit->setText(t.value(QStringLiteral("firmakodu")).toString());
    try {
        t.edit();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    m_shownNid = t.value(QStringLiteral("nid")).toLongLong();
    m_binder->load();
    keepTyped();
    show();
    raise();
}

// ---- buttons ----

void TkasaF::yeniHareket()
{
    if (dovizBox->currentIndex() < 0) dovizBox->setCurrentIndex(0);
    if (!satirBirakilsin()) return;
    cancelPending();  // asked once: the new row begins without a second question
    const QDate date = vadesiDate->date();
    yeniSatir();
    vadesiDate->setDate(date);
}

void TkasaF::vazgec()
{
    cancelPending();
    if (!m_view) return;
    Table &day = *m_view->kasaRTable;
    if (day.isActive() && !day.isEmpty()) {
        vadesiDate->setDate(FieldValue::asDate(day.value(QStringLiteral("islem_tarihi"))));
        dovizBox->setCurrentIndex(dovizBox->findText(day.value(QStringLiteral("doviz_cinsi")).toString()));
    }
}

void TkasaF::firmaBilgiSil()
{
    kisinoedit->clear();
    FirmaAdiEdit->clear();
}

void TkasaF::firmaBul()
{
    AccountPicker::cariSecimYeri() = kContext;
    if (m_cards) m_cards->ac(kContext, kisinoedit->text(), FirmaAdiEdit->text());
}

void TkasaF::fillFromCard(const PickedAccount &card)
{
    kisinoedit->setText(card.kodu);
    FirmaAdiEdit->setText(card.adi);
    show();
    raise();
}

void TkasaF::turGirisi()
{
    if (m_types) m_types->ac();
}

bool TkasaF::kasadegistir() { return moveToYear(vadesiDate->date().year()); }

bool TkasaF::yilDegistir(int year)
{
    if (year == DataContext::instance().calismaYili) return true;
    // A typed row is not carried to another day by a switch of the year: dropped
    // when the user agrees, else the switch does not happen.
    if (!satirBirakilsin()) return false;
    cancelPending();
    m_shownNid = 0;
    bool switched = false;
    try {
        switched = ::kasadegistir(year);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    if (!switched) MessageBox::error(kCashTemplateMissing);
    return switched;
}

bool TkasaF::moveToYear(int year)
{
    DataContext &ctx = DataContext::instance();
    if (year == ctx.calismaYili) return true;
    if (m_view) keepTyped();
    const Typed typed = m_lastTyped;
    bool switched = false;
    m_switching = true;
    try {
        switched = ::kasadegistir(year);
    } catch (const EngineError &e) {
        m_switching = false;
        // The former file is open again; the typed row goes back into it.
        if (typed.active) putBack(typed);
        MessageBox::error(e.message());
        return false;
    }
    m_switching = false;
    if (!switched) {
        // Nothing was closed: the row is still pending as typed.
        MessageBox::error(kCashTemplateMissing);
        return false;
    }
    if (typed.active) putBack(typed);
    return true;
}

void TkasaF::sakla()
{
    if (!hasPendingRow()) return;
    Table &t = cashTable();
    CashEntry::Input in;
    in.date = vadesiDate->date();
    in.currency = dovizBox->currentText();
    in.giren = DBEdit1->text();
    in.cikan = DBEdit2->text();
    in.kur = DBEdit3->text();
    in.code = kisinoedit->text();
    in.name = FirmaAdiEdit->text();
    in.aciklama = DBEdit4->text();
    in.neden = t.value(QStringLiteral("neden"));
    const CashEntry::Outcome ready = CashEntry::prepare(in);
    if (!ready.message.isEmpty()) {
        MessageBox::warning(ready.message);
        return;
    }
    DataContext &ctx = DataContext::instance();
    if (in.date.year() != ctx.calismaYili) {
        if (MessageBox::show(MessageBox::kCaptionShort, CashEntry::yearQuestion(in.date.year()), MessageBox::Icon::Question,
                             MessageBox::Yes | MessageBox::No, this)
            != MessageBox::Yes)
            return;
        if (!moveToYear(in.date.year())) return;
    }
    // A row carried here from another year's file leaves that file in the same save.
    std::unique_ptr<Connection> formerCash;
    CashRowWriter::Former former;
    if (m_formerNid > 0 && m_formerYear != ctx.calismaYili) {
        const QString file = DataContext::cashFileName(ctx.aktifSirketKodu, m_formerYear);
        if (QFileInfo::exists(ProgramHome::path(file))) {
            formerCash = std::make_unique<Connection>();
            formerCash->setSchemaKind(Schema::Kind::Cash);
            formerCash->setConnectionString(ConnectionString::build(file));
            former = {formerCash.get(), m_formerNid};
        }
    }
    try {
        const CashRowWriter::Written w = CashRowWriter::write(cashTable(), {}, ready.values, former);
        m_shownNid = w.nid;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        // A corrected row deleted meanwhile has no pending row left to keep.
        if (hasPendingRow()) keepTyped();
        else cancelPending();
        return;
    }
    forgetRow();
    m_binder->load();
    if (m_view && m_view->isVisible()) m_view->showDay(in.date);
    MessageBox::information(CashEntry::kSaved);
}

// ---- events ----

void TkasaF::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Minimizing is no closing: the typed row stays.
    if (!event->spontaneous()) cancelPending();
}

bool TkasaF::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == kisinoedit || watched == FirmaAdiEdit) && event->type() == QEvent::MouseButtonDblClick) {
        firmaBul();
        return true;
    }
    if (watched == DBLookupComboBox1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        // Delete empties the type of the row.
        try {
            Table &t = cashTable();
            if (!t.isActive()) t.open();
            if (!pending(t)) beginPending(t);
            t.field(QStringLiteral("neden")) = QVariant();
            m_typed = true;
            keepTyped();
        } catch (const EngineError &e) {
            MessageBox::error(e.message());
        }
        DBLookupComboBox1->setCurrentIndex(-1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
