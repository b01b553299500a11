#include "given/tcekcikisf.h"
#include "data/cheque_state.h"
#include "received/cheque_lifecycle.h"

#include "accounts/account_picker.h"
#include "accounts/account_steps.h"
#include "accounts/tcarif.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/memory_dataset.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/table.h"
#include "given/tcikisceklerf.h"
#include "given/tcikisozetf.h"
#include "issued/tduzenlenenceklerf.h"
#include "issued/tcekduzenlef.h"
#include "received/tceklerf.h"
#include "reports/layout_common.h"
#include "reports/layouts_exit_slip.h"
#include "reports/report.h"
#include "widgets/form_kit.h"
#include "widgets/form_show.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
#include "widgets/rate_coupling.h"
#include "widgets/spreadsheet_show.h"
#include "widgets/wait_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace EntrySlip;
using namespace ExitSlip;
using FormKit::button;
using FormKit::kMoney;
using FormKit::lineEdit;
using FormKit::resultEdit;

namespace {

const QString kPickerContext = QStringLiteral("cekciro");

// Only the expense (5) and the description (16) are typed; every other column
// comes from the portfolio or the own cheque window.
QVector<SlipColumn> slipColumns()
{
    using E = SlipColumn::Editor;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter, centre = Qt::AlignCenter,
                        left = Qt::AlignLeft | Qt::AlignVCenter;
    return {
        {"", 30, true},
        {"Çekin Vadesi", 90, true, E::DueDate, centre},
        {"Çekin Tutarı", 110, true, E::Decimal, right, true},
        {"Gün", 45, true, E::Text, right},
        {"Vade Farkı", 90, true, E::Text, right},
        {"Masraf", 70, false, E::Decimal, right},
        {"Net Tutar", 110, true, E::Text, right},
        {"Çeki Düzenleyen", 150, true, E::Text, left},
        {"Adat", -1, true, E::Text, right},
        {"Bankası", 110, true, E::Text, left},
        {"Şubesi", 90, true, E::Text, left},
        {"Hesap No", 90, true, E::Text, left},
        {"Çek No", 90, true, E::Text, left},
        {"Alındığı Firma", 150, true, E::Text, left},
        {"Alındığı Tarih", 90, true, E::Text, centre},
        {"Alındığı Firma Kodu", -1, true, E::Text, centre},
        {"Açıklama", -1, false, E::Text, left, false, 50},
        {"Giriş Indexi", -1, true},
        {"Ciro Indexi", -1, true},
        {"Duzenleme Indexi", -1, true},
    };
}

// Enter runs to the right, from the drawer straight to the bank; arriving at the
// received account's code goes to the next row's due date.
int nextInputColumn(int col)
{
    if (col == ColDuzenleyen) return ColBanka;
    if (col + 1 >= ColAlindigiKod) return -1;
    return col + 1;
}

} // namespace

TcekcikisF::TcekcikisF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TcekcikisF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Verilen Çek ve Senet Çıkış Bordro İşlemleri"));
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 0);
    headingLabel = FormKit::heading(this, "headingLabel", QStringLiteral("Verilen Çek ve Senet Çıkış Bordro İşlemleri"));
    root->addWidget(headingLabel);
    buildHeader(root);
    buildGrid(root);
    buildFooter(root);
    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->followOpenCompany();
    root->addWidget(StatusBar1);
    KeyFilters::installEnterMovesFocus(this);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    formCommand("cekekle", QStringLiteral("  Çek Ekle   "), QKeySequence(Qt::SHIFT | Qt::Key_Insert), &TcekcikisF::cekEkle);
    formCommand("ekDzenle1", QStringLiteral("  Çek Düzenle"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
                &TcekcikisF::cekDuzenle);
    formCommand("MenuItem3", QStringLiteral("  Yeniden Hesapla"), QKeySequence(Qt::Key_F3), &TcekcikisF::BitBtn10Click);
    formCommand("MenuItem4", QStringLiteral("  Sıfırla"), QKeySequence(Qt::Key_F7), &TcekcikisF::yeniBordro);

    DataContext &ctx = DataContext::instance();
    m_slips = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("cikisbordro"), QStringLiteral("PrimaryKey"),
                                      QStringLiteral("CiroBordro"));
    m_given = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("cekciro"), QStringLiteral("cek_tarihi"),
                                      QStringLiteral("ciroTable"));
    m_received = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("cekgiris"), QStringLiteral("cek_tarihi"),
                                         QStringLiteral("CekTakip"));
    m_own = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("cekkendi"), QStringLiteral("PrimaryKey"),
                                    QStringLiteral("cekduzenleTable"));
    AccountPicker::registerHandler(kPickerContext, [this](const PickedAccount &card) { fillFromCard(card); });
    DateTimePicker15->setDate(QDate::currentDate().addDays(-1));
    DateTimePicker16->setDate(QDate::currentDate().addDays(-1));
    cikisDegisti = false;
    resize(1280, 760);
}

TcekcikisF::~TcekcikisF() { AccountPicker::unregisterTarget(kPickerContext); }

QAction *TcekcikisF::formCommand(const char *name, const QString &text, const QKeySequence &keys,
                                 void (TcekcikisF::*run)())
{
    auto *action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, run);
    addAction(action);
    return action;
}

void TcekcikisF::buildHeader(QVBoxLayout *root)
{
    JustaEdit1 = lineEdit(this, "JustaEdit1", QString(), 3);
    JustaEdit1->setReadOnly(true);
    JustaEdit1->setFocusPolicy(Qt::ClickFocus);
    DateTimePicker15 = new QDateEdit(this);
    DateTimePicker15->setObjectName(QStringLiteral("DateTimePicker15"));
    KeyFilters::setupDateEdit(DateTimePicker15);
    KoduEdit = lineEdit(this, "KoduEdit", QString(), 30);
    JustaEdit23 = lineEdit(this, "JustaEdit23");  // filled from the card, never cut
    JustaEdit23->setReadOnly(true);
    JvXPButton4 = button(this, "JvXPButton4", QStringLiteral("Bul"));
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    dovizBox->addItems({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
    dovizBox->setEnabled(false);  // the first cheque on the slip sets it
    kuruEdit = lineEdit(this, "kuruEdit", QStringLiteral("1"), 8);
    KeyFilters::installDecimalKeys(kuruEdit);

    auto *slip = new QGridLayout;
    slip->setHorizontalSpacing(6);
    slip->addWidget(new QLabel(QStringLiteral("Tarihi"), this), 0, 0);
    slip->addWidget(DateTimePicker15, 0, 1);
    slip->addWidget(new QLabel(QStringLiteral("No"), this), 0, 2, Qt::AlignRight);
    slip->addWidget(JustaEdit1, 0, 3);
    slip->addWidget(new QLabel(QStringLiteral("Cari Kodu"), this), 1, 0);
    slip->addWidget(KoduEdit, 1, 1, 1, 2);
    slip->addWidget(JvXPButton4, 1, 3);
    slip->addWidget(new QLabel(QStringLiteral("Cari Adı"), this), 2, 0);
    slip->addWidget(JustaEdit23, 2, 1, 1, 3);
    slip->addWidget(new QLabel(QStringLiteral("Para Cinsi"), this), 3, 0);
    slip->addWidget(dovizBox, 3, 1);
    slip->addWidget(new QLabel(QStringLiteral("Kuru"), this), 3, 2, Qt::AlignRight);
    slip->addWidget(kuruEdit, 3, 3);
    DateTimePicker15->setFixedWidth(120);
    dovizBox->setFixedWidth(120);
    JustaEdit1->setFixedWidth(90);
    kuruEdit->setFixedWidth(90);
    JvXPButton4->setFixedWidth(90);
    KoduEdit->setMinimumWidth(170);
    JustaEdit23->setMinimumWidth(300);

    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto *typeLayout = new QHBoxLayout(RadioGroup1);
    const QString types[] = {QStringLiteral("Müşteri"), QStringLiteral("Satıcı"), QStringLiteral("Banka")};
    for (int i = 0; i < 3; ++i) {
        exitType[i] = new QRadioButton(types[i], RadioGroup1);
        typeLayout->addWidget(exitType[i]);
    }
    exitType[0]->setChecked(true);

    auto *deduct = new QGroupBox(QStringLiteral("Cari Hesaba Borç Eklerken"), this);
    auto *deductLayout = new QVBoxLayout(deduct);
    vadefarkiCheck = new QCheckBox(QStringLiteral("Vade Farkını Düş"), deduct);
    vadefarkiCheck->setObjectName(QStringLiteral("vadefarkiCheck"));
    masrafCheck = new QCheckBox(QStringLiteral("Masrafı Düş"), deduct);
    masrafCheck->setObjectName(QStringLiteral("masrafCheck"));
    BSMVCheck = new QCheckBox(QStringLiteral("BSMV Düş"), deduct);
    BSMVCheck->setObjectName(QStringLiteral("BSMVCheck"));
    for (QCheckBox *c : {vadefarkiCheck, masrafCheck, BSMVCheck}) deductLayout->addWidget(c);
    auto *left = new QVBoxLayout;
    left->addWidget(RadioGroup1);
    left->addWidget(deduct);
    left->addStretch();

    Edit61 = lineEdit(this, "Edit61", QStringLiteral("365"), 3);
    KeyFilters::installDigitsOnly(Edit61);
    Edit62 = lineEdit(this, "Edit62", QStringLiteral("0"), 6);
    KeyFilters::installDecimalKeys(Edit62);
    Edit63 = lineEdit(this, "Edit63", QStringLiteral("0"), 8);
    KeyFilters::installDecimalKeys(Edit63);
    Edit64 = lineEdit(this, "Edit64", QStringLiteral("0"));
    KeyFilters::installDecimalKeys(Edit64);
    Edit64->setReadOnly(true);  // the card's expense, shown only
    JustaEdit57 = lineEdit(this, "JustaEdit57", QStringLiteral("5"), 8);
    KeyFilters::installDecimalKeys(JustaEdit57);
    Edit371 = lineEdit(this, "Edit371", QString(), 2);
    KeyFilters::installDigitsOnly(Edit371);
    CheckBox1 = new QCheckBox(QStringLiteral("Cumartesi - Pazar Günlerini Gün Hesabına Ekle"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    auto *terms = new QGridLayout;
    terms->setHorizontalSpacing(6);
    const QPair<QString, QLineEdit *> fields[] = {{QStringLiteral("Yıldaki Gün"), Edit61}, {QStringLiteral("BSMV"), JustaEdit57},
                                                  {QStringLiteral("Yıllık Faiz"), Edit62},  {QStringLiteral("Masraf"), Edit64},
                                                  {QStringLiteral("Aylık Faiz"), Edit63}};
    for (int i = 0; i < 5; ++i) {
        terms->addWidget(new QLabel(fields[i].first, this), i / 2, (i % 2) * 2);
        terms->addWidget(fields[i].second, i / 2, (i % 2) * 2 + 1);
        fields[i].second->setFixedWidth(80);
    }
    auto *collection = new QHBoxLayout;
    collection->setSpacing(6);
    collection->addWidget(new QLabel(QStringLiteral("Tahsilat Süresi Olarak"), this));
    Edit371->setFixedWidth(40);
    collection->addWidget(Edit371);
    collection->addWidget(new QLabel(QStringLiteral("Gün Ekle"), this));
    collection->addStretch();
    terms->addLayout(collection, 3, 0, 1, 4);
    terms->addWidget(CheckBox1, 4, 0, 1, 4);

    BitBtn1 = button(this, "BitBtn1", QStringLiteral("Çek Ekle (Ciro)"));
    JvXPButton1 = button(this, "JvXPButton1", QStringLiteral("Çek Düzenle"));
    JvXPButton3 = button(this, "JvXPButton3", QStringLiteral("KAYDET"));
    auto *close = button(this, "kapatBut", QStringLiteral("KAPAT"));
    close->setToolTip(QStringLiteral("Programı kapat..."));
    m_helpBut = makeHelpButton(this, QStringLiteral("ycekcikis"), nullptr);
    m_helpBut->setMinimumHeight(30);
    auto *buttons = new QGridLayout;
    buttons->addWidget(BitBtn1, 0, 0);
    buttons->addWidget(JvXPButton1, 0, 1);
    buttons->addWidget(JvXPButton3, 1, 0);
    buttons->addWidget(close, 1, 1);
    buttons->addWidget(m_helpBut, 2, 1);
    for (QPushButton *b : {BitBtn1, JvXPButton1, JvXPButton3, close, m_helpBut}) b->setMinimumWidth(130);

    auto *row = new QHBoxLayout;
    row->setSpacing(14);
    row->addLayout(slip);
    row->addLayout(left);
    row->addLayout(terms);
    row->addStretch(1);
    row->addLayout(buttons);
    root->addLayout(row);

    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(BitBtn1, &QPushButton::clicked, this, &TcekcikisF::cekEkle);
    connect(JvXPButton1, &QPushButton::clicked, this, &TcekcikisF::cekDuzenle);
    connect(JvXPButton3, &QPushButton::clicked, this, &TcekcikisF::sakla);
    connect(JvXPButton4, &QPushButton::clicked, this, [this] {
        AccountPicker::cariSecimYeri() = kPickerContext;
        if (m_cards) m_cards->ac(kPickerContext, QString(), JustaEdit23->text());
    });
    KoduEdit->installEventFilter(this);
    JustaEdit23->installEventFilter(this);
    for (QLineEdit *e : {KoduEdit, kuruEdit, Edit61, Edit371, Edit62, Edit63})
        connect(e, &QLineEdit::textEdited, this, [this] { markChanged(); });
    for (QLineEdit *e : {JustaEdit23, Edit62, Edit63})
        connect(e, &QLineEdit::textChanged, this, [this] { markChanged(); });
    connect(dovizBox, &QComboBox::currentTextChanged, this, [this] { markChanged(); });
    // The slip's own date, exit type, BSMV percent and boxes are the slip's too.
    connect(DateTimePicker15, &QDateEdit::dateChanged, this, [this] { markChanged(); });
    connect(JustaEdit57, &QLineEdit::textEdited, this, [this] { markChanged(); });
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{exitType[0], exitType[1], exitType[2], CheckBox1,
                                                                        vadefarkiCheck, masrafCheck, BSMVCheck})
        connect(b, &QAbstractButton::clicked, this, [this] { markChanged(); });

    m_rates = new RateCoupling(Edit62, Edit63, this);
    markTypingYellow(kuruEdit);
}

void TcekcikisF::buildGrid(QVBoxLayout *root)
{
    StringGrid1 = new SlipGrid(slipColumns(), this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setKeyColumns(ColVade, ColTutar);
    StringGrid1->setNextInputColumn(nextInputColumn);
    StringGrid1->setRowExit([this] { return StringGrid1Exit(); });
    StringGrid1->addCommand("satirsil", QStringLiteral("  Satır Sil   "), QKeySequence(Qt::SHIFT | Qt::Key_Delete),
                            [this] { satirsilClick(); });
    StringGrid1->addCommand("Dzelt1", QStringLiteral("  Düzelt"), QKeySequence(Qt::Key_F2), [this] { duzelt(); });
    StringGrid1->addCommand("ekiKopyala1", QStringLiteral("  Çeki Kopyala"), QKeySequence(Qt::Key_F10),
                            [this] { ceKopyala(); });
    connect(StringGrid1, &SlipGrid::edited, this, [this] { markChanged(); });
    root->addWidget(StringGrid1, 1);
}

void TcekcikisF::buildFooter(QVBoxLayout *root)
{
    JustaEdit5 = resultEdit(this, "JustaEdit5");
    JustaEdit6 = resultEdit(this, "JustaEdit6");
    JustaEdit7 = resultEdit(this, "JustaEdit7");
    JustaEdit8 = resultEdit(this, "JustaEdit8");
    JustaEdit70 = resultEdit(this, "JustaEdit70");
    Edit59 = resultEdit(this, "Edit59");
    for (QLineEdit *e : {JustaEdit5, JustaEdit6, JustaEdit7, JustaEdit8, JustaEdit70}) e->setMaxLength(20);
    DateTimePicker16 = new QDateEdit(this);
    DateTimePicker16->setObjectName(QStringLiteral("DateTimePicker16"));
    DateTimePicker16->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateTimePicker16->setReadOnly(true);  // typing and the arrows leave it as calculated
    DateTimePicker16->setButtonSymbols(QAbstractSpinBox::NoButtons);
    DateTimePicker16->setAlignment(Qt::AlignRight);
    DateTimePicker16->setFocusPolicy(Qt::ClickFocus);
    JvDotNetMemo1 = new QPlainTextEdit(this);
    JvDotNetMemo1->setObjectName(QStringLiteral("JvDotNetMemo1"));
    JvDotNetMemo1->setMaximumHeight(110);

    auto *totals = new QGridLayout;
    totals->setHorizontalSpacing(6);
    const QPair<QString, QWidget *> fields[] = {
        {QStringLiteral("Toplam Tutar"), JustaEdit5},     {QStringLiteral("BSMV"), JustaEdit70},
        {QStringLiteral("Toplam Vade Farkı"), JustaEdit6}, {QStringLiteral("Ort. Vad."), DateTimePicker16},
        {QStringLiteral("Toplam Masraflar"), JustaEdit7}, {QStringLiteral("Gün"), Edit59},
        {QStringLiteral("Toplam Net Tutar"), JustaEdit8}};
    for (int i = 0; i < 7; ++i) {
        auto *label = new QLabel(fields[i].first, this);
        if (i % 2) label->setContentsMargins(10, 0, 0, 0);
        totals->addWidget(label, i / 2, (i % 2) * 2);
        totals->addWidget(fields[i].second, i / 2, (i % 2) * 2 + 1);
        fields[i].second->setFixedWidth(130);
    }
    QFont bold = JustaEdit5->font();
    bold.setBold(true);
    JustaEdit5->setFont(bold);
    JustaEdit8->setFont(bold);
    totals->setRowStretch(4, 1);

    auto *memo = new QVBoxLayout;
    memo->addWidget(new QLabel(QStringLiteral("Genel Açıklama"), this));
    memo->addWidget(JvDotNetMemo1, 1);

    BitBtn10 = button(this, "BitBtn10", QStringLiteral("HESAPLA"));
    BitBtn2 = button(this, "BitBtn2", QStringLiteral("YENİ BORDRO"));
    BitBtn12 = button(this, "BitBtn12", QStringLiteral("KAYDET"));
    BitBtn20 = button(this, "BitBtn20", QStringLiteral("BORDRO AÇ"));
    auto *givenBut = button(this, "BitBtn3", QStringLiteral("Ciro Edilen Çekler"));
    auto *issuedBut = button(this, "JvXPButton2", QStringLiteral("Düzenlenen Çekler"));
    // The slip register and the given and issued cheque lists open their own
    // windows, which join later.
    for (QPushButton *b : {BitBtn20, givenBut, issuedBut}) b->setEnabled(false);
    auto *buttons = new QGridLayout;
    buttons->addWidget(BitBtn10, 0, 0);
    buttons->addWidget(BitBtn2, 1, 0);
    buttons->addWidget(BitBtn12, 2, 0);
    buttons->addWidget(BitBtn20, 3, 0);
    buttons->addWidget(givenBut, 0, 3);
    buttons->addWidget(issuedBut, 1, 3);
    buttons->setVerticalSpacing(4);

    yazayar = new QGroupBox(QStringLiteral("Raporlama Seçenekleri"), this);
    yazayar->setObjectName(QStringLiteral("yazayar"));
    auto *reportsLayout = new QVBoxLayout(yazayar);
    reportsLayout->setSpacing(2);
    const char *const choices[] = {"Çek Alındısı", "Çek Alındısı Detaylı", "Çek Alındısı Detaylı 2"};
    for (int i = 0; i < 3; ++i) {
        reportChoice[i] = new QRadioButton(QString::fromUtf8(choices[i]), yazayar);
        reportChoice[i]->setObjectName(QStringLiteral("yazayar%1").arg(i));
        reportsLayout->addWidget(reportChoice[i]);
    }
    reportChoice[0]->setChecked(true);
    STRG1Yaz = button(this, "STRG1Yaz", QStringLiteral("SEÇİLİ RAPORU YAZDIR"));
    BitBtn25 = button(this, "BitBtn25", QStringLiteral("Excel'e Aktar"));
    buttons->addWidget(yazayar, 0, 1, 3, 1);
    buttons->addWidget(STRG1Yaz, 3, 1);
    buttons->addWidget(BitBtn25, 3, 3);
    for (QPushButton *b : {BitBtn10, BitBtn2, BitBtn12, BitBtn20, givenBut, issuedBut, BitBtn25}) b->setMinimumWidth(140);

    auto *row = new QHBoxLayout;
    row->setSpacing(14);
    row->addLayout(totals);
    row->addLayout(memo, 1);
    row->addLayout(buttons);
    root->addLayout(row);
    connect(BitBtn10, &QPushButton::clicked, this, &TcekcikisF::BitBtn10Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TcekcikisF::yeniBordro);
    connect(BitBtn12, &QPushButton::clicked, this, &TcekcikisF::sakla);
    connect(STRG1Yaz, &QPushButton::clicked, this, &TcekcikisF::STRG1YazClick);
    connect(BitBtn25, &QPushButton::clicked, this, &TcekcikisF::CekExcel);
    connect(JvDotNetMemo1, &QPlainTextEdit::textChanged, this, [this] { markChanged(); });
}

void TcekcikisF::setListWindow(TceklerF *w)
{
    m_lists = w;
    BitBtn1->setEnabled(w != nullptr);
    if (!w) return;
    connect(w->cirolaButton, &QPushButton::clicked, this, &TcekcikisF::cirola);
    connect(w->popupItems.first(), &QAction::triggered, this, &TcekcikisF::cirola);
    w->installEventFilter(this);  // the summary goes with the lists
}

void TcekcikisF::setSummaryWindow(TcikisozetF *w)
{
    m_summary = w;
    if (w) connect(w, &TcikisozetF::tamamlandi, this, &TcekcikisF::ciroyuTamamla);
}

void TcekcikisF::setOwnChequeWindow(TcekduzenleF *w)
{
    m_ownWindow = w;
    JvXPButton1->setEnabled(w != nullptr);
}

void TcekcikisF::setSlipLists(TcikisceklerF *given, TduzenlenenceklerF *issued)
{
    m_givenLists = given;
    m_issuedLists = issued;
}

void TcekcikisF::setYardim(TyardimF *help) { connectHelpButton(m_helpBut, QStringLiteral("ycekcikis"), help); }

Params TcekcikisF::params() const
{
    Params p;
    p.slipDate = DateTimePicker15->date();
    p.yildakiGun = Edit61->text();
    p.yillikFaiz = Edit62->text();
    p.gunEkle = Edit371->text();
    p.bsmvPercent = JustaEdit57->text();
    p.weekendShift = CheckBox1->isChecked();
    return exitParams(p);
}

QVector<QStringList> TcekcikisF::rows() const { return StringGrid1->rows(); }

void TcekcikisF::showTotals(const Totals &t, bool withBsmv)
{
    JustaEdit5->setText(formatFloat(kMoney, t.amount));
    JustaEdit6->setText(formatFloat(kMoney, t.maturityDifference));
    JustaEdit7->setText(formatFloat(kMoney, t.expense));
    JustaEdit8->setText(formatFloat(kMoney, t.net));
    if (withBsmv) JustaEdit70->setText(t.bsmv > 0 ? formatFloat(kMoney, t.bsmv) : QStringLiteral("0"));
    if (t.hasAverage) {
        Edit59->setText(formatFloat(FormKit::kDays, t.averageDays));
        DateTimePicker16->setDate(t.averageDate);
    }
}

TcekcikisF::StepResult TcekcikisF::rowStep()
{
    const int r = StringGrid1->currentRow();
    if (r < 0) return StepResult::NotCalculated;
    QStringList cells = StringGrid1->rowCells(r);
    Params p = params();
    RowStep step;
    try {
        step = calculateRow(cells, p);
    } catch (const EngineError &e) {
        MessageBox::information(e.message());
        return StepResult::Stopped;
    }
    {
        const QSignalBlocker b1(Edit61), b2(Edit62);
        Edit61->setText(p.yildakiGun);
        Edit62->setText(p.yillikFaiz);
    }
    StringGrid1->writeRow(r, cells);
    if (!step.message.isEmpty()) MessageBox::information(step.message);
    if (step.outcome == DueDate::Stop) return StepResult::Stopped;
    return step.outcome == DueDate::Valid && cells[ColVade].size() == 10 ? StepResult::Calculated
                                                                          : StepResult::NotCalculated;
}

void TcekcikisF::hesapla()
{
    if (rowStep() == StepResult::Calculated) showTotals(calculateTotals(rows(), params()), false);
}

bool TcekcikisF::StringGrid1Exit()
{
    const StepResult result = rowStep();
    if (result == StepResult::Calculated) showTotals(calculateTotals(rows(), params()), true);
    return result != StepResult::Stopped;
}

void TcekcikisF::BitBtn10Click()
{
    hideSummary();
    StringGrid1->commitOpenEditor();
    for (QLineEdit *e : {JustaEdit5, JustaEdit6, JustaEdit7, JustaEdit8}) e->setText(formatFloat(kMoney, 0));
    const int count = StringGrid1->rowCount();
    if (count < 2) return;
    std::unique_ptr<WaitScope> wait;
    if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, count, TForm2::kHesaplama);
    const QSignalBlocker block(StringGrid1);
    // The totals depend only on the rows: worked out once, after the last row.
    bool calculated = false;
    for (int r = 0; r < count - 1; ++r) {
        StringGrid1->setCurrentCell(r, StringGrid1->currentColumn() < 0 ? ColVade : StringGrid1->currentColumn());
        const StepResult result = rowStep();
        if (result == StepResult::Calculated) calculated = true;
        if (result == StepResult::Stopped) break;
        if (wait) wait->step();
    }
    if (calculated) showTotals(calculateTotals(rows(), params()), true);
}

void TcekcikisF::ozeteekle()
{
    if (!m_summary) return;
    m_summary->JustaEdit5->setText(JustaEdit5->text());
    m_summary->JustaEdit6->setText(JustaEdit6->text());
    m_summary->JustaEdit7->setText(JustaEdit7->text());
    m_summary->JustaEdit8->setText(JustaEdit8->text());
    m_summary->Edit59->setText(Edit59->text());
    m_summary->DateTimePicker16->setDate(DateTimePicker16->date());
}

void TcekcikisF::hideSummary()
{
    if (m_summary) m_summary->hide();
}

void TcekcikisF::setCirolaShown(bool on)
{
    if (!m_lists) return;
    m_lists->cirolaButton->setVisible(on);
    m_lists->cirolaButton->setEnabled(on);
    m_lists->popupItems.first()->setVisible(on);
    m_lists->popupItems.first()->setEnabled(on);
}

void TcekcikisF::cekEkle()
{
    if (!m_lists) return;
    StringGrid1->commitOpenEditor();
    m_lists->CekleriHazirla();
    showFormMaximized(m_lists);
    setCirolaShown(true);
    if (m_summary) {
        m_summary->ac();
        ozeteekle();
        m_summary->show();
        m_summary->raise();
    }
}

void TcekcikisF::ciroyuTamamla()
{
    setCirolaShown(false);
    hideSummary();
    if (m_lists) m_lists->hide();
    show();
    raise();
    activateWindow();
}

void TcekcikisF::grow(int target)
{
    if (target == StringGrid1->rowCount() - 1) StringGrid1->addEmptyRow();
}

void TcekcikisF::cirola()
{
    if (!m_lists || !m_lists->listQuery.isActive() || m_lists->listQuery.isEmpty()) return;
    const qint64 key = m_lists->listQuery.field(QStringLiteral("cek_ind")).asInteger();
    // The list is a snapshot: the cheque is read afresh, so one given out meanwhile is refused.
    Query cheque(&DataContext::instance().ADOConnection1);
    try {
        cheque.sql() << QStringLiteral("SELECT * FROM cekgiris WHERE cek_ind=") + QString::number(key);
        cheque.open();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    if (cheque.isEmpty()) {
        MessageBox::information(QStringLiteral("Bu çek silinmiş. Listeyi yenileyiniz."));
        return;
    }
    StringGrid1->commitOpenEditor();
    QVector<QStringList> all = rows();
    const int target = targetRow(all);
    const QString currency = cheque.field(QStringLiteral("para_birimi")).asString();
    if (target == 0) {
        dovizBox->setCurrentText(currency);
    } else if (dovizBox->currentText() != currency) {
        MessageBox::information(currencyMessage(dovizBox->currentText()));
        return;
    }
    if (const QString why = refusal(cheque, all); !why.isEmpty()) {
        MessageBox::information(why);
        return;
    }
    QStringList cells = all[target];
    fillFromReceived(cells, cheque);
    StringGrid1->writeRow(target, cells);
    grow(target);
    {
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setCurrentCell(target, ColVade);
    }
    markChanged();
    hesapla();
    ozeteekle();
}

QString TcekcikisF::companyTitle() const
{
    Query q(&DataContext::instance().ADOConnection1);
    q.sql() << QStringLiteral("SELECT firma_unvani_1 FROM firmabilgileri");
    q.open();
    return q.isEmpty() ? QString() : q.field(QStringLiteral("firma_unvani_1")).asString();
}

bool TcekcikisF::kendiCekiYaz(const OwnCheque &c)
{
    if (c.amount == 0) return false;
    StringGrid1->commitOpenEditor();
    const QVector<QStringList> all = rows();
    int target = targetRow(all);
    if (target == 0) {
        dovizBox->setCurrentText(c.currency);
    } else if (dovizBox->currentText() != c.currency) {
        MessageBox::information(currencyMessage(dovizBox->currentText()));
        return false;
    }
    if (c.isCorrection()) {
        target = c.row - 1;
        // A correction writes only into the row that still holds that cheque: a row
        // deleted, moved up or rewritten since the window was filled is left alone.
        const auto sameCheque = [this](const QStringList &now) {
            for (int col : {int(ColNo), int(ColVade), int(ColTutar), int(ColBanka), int(ColSube), int(ColHesapNo),
                            int(ColCekNo), int(ColAciklama), int(ColDuzenlemeId)})
                if (now.value(col) != m_correcting.value(col)) return false;
            return true;
        };
        if (target < 0 || target >= all.size() || all[target].value(ColDuzenlemeId) != c.key || !sameCheque(all[target])) {
            MessageBox::information(QStringLiteral("Düzeltilen çek bordroda %1. satırda artık bulunmuyor; "
                                                   "çek yazılmadı.\n\rÇeki bordrodan yeniden seçip düzeltiniz.")
                                        .arg(c.row));
            return false;
        }
    }
    QString drawer;
    try {
        drawer = companyTitle();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    QStringList cells = all[target];
    fillOwnCheque(cells, c, drawer);
    m_correcting.clear();
    StringGrid1->writeRow(target, cells);
    if (!c.isCorrection()) grow(target);
    {
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setCurrentCell(target, ColVade);
    }
    markChanged();
    hesapla();
    ozeteekle();
    return true;
}

void TcekcikisF::cekDuzenle()
{
    if (!m_ownWindow) return;
    StringGrid1->commitOpenEditor();
    m_ownWindow->bosalt();
    m_ownWindow->goster();
}

void TcekcikisF::duzelt()
{
    StringGrid1->commitOpenEditor();
    const int r = StringGrid1->currentRow();
    if (r < 0 || !m_ownWindow) return;
    const QStringList cells = StringGrid1->rowCells(r);
    if (!isOwnCheque(cells)) {
        MessageBox::information(QStringLiteral("Sadece kendi düzenlediğiniz çekleri düzeltebilirsiniz!\n\r"
                                               "Firmalardan alınan çeklerin düzeltmek için önce çıkışını\n\r"
                                               "iptal edip, giriş bordrosunu düzeltin."));
        return;
    }
    // A paid, bounced or taken-back own cheque is no longer the slip's to change.
    if (const QString why = lockedRow(DataContext::instance().ADOConnection1, cells); !why.isEmpty()) {
        MessageBox::information(why);
        return;
    }
    OwnCheque c;
    c.due = cellDate(cells[ColVade]);
    c.currency = dovizBox->currentText();
    c.amount = sayiOku(cells[ColTutar]);
    c.bank = cells[ColBanka];
    c.branch = cells[ColSube];
    c.account = cells[ColHesapNo];
    c.number = cells[ColCekNo];
    c.description = cells[ColAciklama];
    c.key = cells[ColDuzenlemeId];
    c.row = cells[ColNo].toInt();
    m_correcting = cells;
    m_ownWindow->doldur(c);
    m_ownWindow->goster();
}

void TcekcikisF::ceKopyala()
{
    StringGrid1->commitOpenEditor();
    const int r = StringGrid1->currentRow();
    const QVector<QStringList> all = rows();
    const int t = copyTarget(all, r);
    if (t <= 0) return;
    QStringList copy = all[t];
    for (int c = ColVade; c <= ColAlindigiTarih; ++c) copy[c] = all[r][c];
    copy[ColDuzenlemeId] = kNewOwnCheque;
    StringGrid1->writeRow(t, copy);
    grow(t);
    markChanged();
}

bool TcekcikisF::sakla()
{
    StringGrid1->commitOpenEditor();
    return saveGrid({});
}

bool TcekcikisF::saveGrid(const Deleted &deleted)
{
    hideSummary();
    Header h;
    h.slipDate = DateTimePicker15->date();
    h.code = KoduEdit->text();
    h.name = JustaEdit23->text();
    h.exitType = exitType[1]->isChecked() ? 1 : exitType[2]->isChecked() ? 2 : 0;
    if (dovizBox->currentIndex() < 0) dovizBox->setCurrentIndex(0);
    h.currency = dovizBox->currentText();
    h.kuru = kuruEdit->text();
    h.aylikFaiz = Edit63->text();
    h.deductMaturity = vadefarkiCheck->isChecked();
    h.deductExpense = masrafCheck->isChecked();
    h.deductBsmv = BSMVCheck->isChecked();
    h.averageDate = DateTimePicker16->date();
    h.averageDays = Edit59->text();
    h.memo = JvDotNetMemo1->toPlainText();
    h.number = JustaEdit1->text().toLongLong();
    Params p = params();
    QVector<QStringList> grid = rows();
    // A slip dated in another year posts into that year's file and makes it the
    // working year (the default date is the day before, so on 1 January too): asked first.
    if (Lifecycle::needsYearSwitch(h.slipDate)
        && MessageBox::show(MessageBox::kCaptionShort, Lifecycle::yearQuestion(h.slipDate.year()), MessageBox::Icon::Question,
                            MessageBox::Yes | MessageBox::No, this)
               != MessageBox::Yes)
        return false;
    SaveResult result;
    try {
        std::unique_ptr<WaitScope> wait;
        if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, int(grid.size()), TForm2::kKayit);
        result = saveSlip(h, p, grid, Datasets{*m_slips, *m_given, *m_received, *m_own}, deleted);
    } catch (const EngineError &e) {
        MessageBox::error(QStringLiteral("Bordro kaydedilemedi; hiçbir satır yazılmadı.\n\r") + e.message());
        return false;
    }
    if (!result.saved) {
        MessageBox::information(result.message);
        return false;
    }
    const QSignalBlocker block(StringGrid1);
    for (int r = 0; r < grid.size(); ++r) StringGrid1->writeRow(r, grid[r]);
    {
        const QSignalBlocker b1(Edit61), b2(Edit62);
        Edit61->setText(p.yildakiGun);
        Edit62->setText(p.yillikFaiz);
    }
    JustaEdit1->setText(QString::number(h.number));
    kuruEdit->setText(h.kuru);
    showTotals(calculateTotals(grid, p), true);
    cikisDegisti = false;
    Q_EMIT saved();
    if (!result.message.isEmpty()) MessageBox::information(result.message);
    return true;
}

void TcekcikisF::satirsilClick()
{
    StringGrid1->commitOpenEditor();
    int r = StringGrid1->currentRow();
    if (r < 0) return;
    const int column = StringGrid1->currentColumn();
    const QVector<QStringList> before = rows();
    const QStringList cells = before[r];
    Deleted deleted;
    bool saveDue = false;
    if (!cells[ColVade].isEmpty()) {
        // A row whose cheque was taken back, bounced or paid stays on the slip.
        const QString why = lockedRow(DataContext::instance().ADOConnection1, cells);
        if (!why.isEmpty()) {
            MessageBox::information(why.contains(ChequeState::givenText(ChequeState::Given::TakenBack)) ? kTakenBackRow : why);
            return;
        }
    }
    if (!cells[ColVade].isEmpty()) {
        if (MessageBox::askYesNo(QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?"))) {
            if (!isOwnCheque(cells)) {
                // Only a cheque saved on this slip has a given row and a mark to take back.
                if (!cells[ColCiroIndex].isEmpty()) {
                    deleted.given << cells[ColCiroIndex].toLongLong();
                    if (!cells[ColGirisId].isEmpty()) deleted.returned << cells[ColGirisId].toLongLong();
                    saveDue = true;
                }
            } else if (storedOwnKey(cells) > 0) {
                deleted.own << storedOwnKey(cells);
                saveDue = true;
            } else {
                // A cheque never stored: a saved slip is saved again to shrink its totals.
                saveDue = !JustaEdit1->text().isEmpty();
            }
            StringGrid1->removeRow(r);
            if (StringGrid1->rowCount() == 0) StringGrid1->addEmptyRow();
            r = std::min(r, StringGrid1->rowCount() - 1);
            markChanged();
        }
    }
    // An empty row left current goes as well, without a question.
    if (StringGrid1->rowCells(r)[ColVade].isEmpty() && StringGrid1->rowCount() > 1) StringGrid1->removeRow(r);
    {
        const QSignalBlocker block(StringGrid1);
        StringGrid1->renumber();
        // Exactly one empty numbered row stays at the end.
        const int last = StringGrid1->rowCount() - 1;
        if (last < 0 || !StringGrid1->rowCells(last)[ColVade].isEmpty() || isOwnCheque(StringGrid1->rowCells(last)))
            StringGrid1->addEmptyRow();
    }
    if (saveDue && !saveGrid(deleted)) {
        // The save stopped (and said why): nothing was deleted, so the row comes back.
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setRowCount(int(before.size()));
        for (int i = 0; i < before.size(); ++i) StringGrid1->writeRow(i, before[i]);
        StringGrid1->setCurrentCell(std::min(int(before.size()) - 1, std::max(0, r)), column);
    }
}

bool TcekcikisF::gridibosalt()
{
    if (!MessageBox::askYesNo(QStringLiteral("Dosyayı Boşaltmak istediğinizden eminmisiniz?"))) return false;
    gridibosalt2();
    return true;
}

void TcekcikisF::gridibosalt2()
{
    StringGrid1->clearRows();
    for (QLineEdit *e : {JustaEdit1, JustaEdit5, JustaEdit6, JustaEdit7, JustaEdit8, KoduEdit, JustaEdit23, Edit59, Edit371})
        e->clear();
    m_rates->release();
    Edit61->setText(QStringLiteral("365"));
    Edit62->setText(QStringLiteral("0"));
    Edit63->setText(QStringLiteral("0"));
    Edit64->setText(QStringLiteral("0"));
    CheckBox1->setChecked(false);
    dovizBox->setCurrentText(QStringLiteral("TL"));
    kuruEdit->setText(QStringLiteral("1"));
    JvDotNetMemo1->clear();
    DateTimePicker16->setDate(QDate::currentDate());
}

void TcekcikisF::yeniBordro()
{
    hideSummary();
    gridibosalt();
    cikisDegisti = false;
}

void TcekcikisF::cariBul()
{
    const QString code = KoduEdit->text();
    if (code.isEmpty()) return;
    try {
        Query q(&DataContext::instance().ADOConnection1);
        if (AccountSteps::findAccount(q, code)) {
            fillFromCard(PickedAccount::fromCurrent(q));
            return;
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    if (MessageBox::askYesNo(QStringLiteral("Bu firma kodu bulunamadı. Yeni firma açılsınmı?"))) {
        if (m_cards) {
            m_cards->ac(kPickerContext);
            m_cards->yeniKart(code, JustaEdit23->text());
        }
    } else {
        KoduEdit->clear();
    }
    JustaEdit23->clear();
}

void TcekcikisF::fillFromCard(const PickedAccount &card)
{
    exitType[card.hesapTuru()]->setChecked(true);
    KoduEdit->setText(card.kodu);
    JustaEdit23->setText(card.adi);
    Edit61->setText(card.yildakiGun);
    m_rates->release();
    Edit62->setText(card.yillikFaiz);
    Edit63->setText(card.aylikFaiz);
    Edit64->setText(card.masraf);
    Edit371->setText(card.tahsilatSureEkle);
    JustaEdit57->setText(card.bsmv);
    CheckBox1->setChecked(card.haftaSonuEkle);
    vadefarkiCheck->setChecked(card.vadeFarkiDus);
    masrafCheck->setChecked(card.masrafDus);
    BSMVCheck->setChecked(card.bsmvDus);
    markChanged();
}

bool TcekcikisF::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == KoduEdit || watched == JustaEdit23) && event->type() == QEvent::FocusOut) {
        // Leaving the code (or the name) looks it up; switching windows or opening a menu is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) cariBul();
    } else if ((watched == KoduEdit || watched == JustaEdit23) && event->type() == QEvent::MouseButtonDblClick) {
        JvXPButton4->click();
        return true;
    } else if (watched == m_lists && event->type() == QEvent::Hide) {
        hideSummary();
    }
    return QWidget::eventFilter(watched, event);
}

void TcekcikisF::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous()) {
        hideSummary();
        // Minimizing is not leaving the slip.
        if (cikisDegisti)
            MessageBox::information(QStringLiteral("Değişiklikleri kayıt etmeden çıktınız?\n\r"
                                                   "Bilgilerinizin kaybolmaması için, giriş yapıp kayıt ediniz!"));
    }
    QWidget::hideEvent(event);
}

// ---- the receipts and the export ----

ExitSlipPrint::Receipt TcekcikisF::chosenReceipt() const
{
    for (int i = 0; i < 3; ++i)
        if (reportChoice[i]->isChecked()) return ExitSlipPrint::Receipt(i);
    return ExitSlipPrint::Receipt::Plain;
}

ExitSlipPrint::Slip TcekcikisF::slipTexts() const
{
    ExitSlipPrint::Slip s;
    s.number = JustaEdit1->text().toLongLong();
    s.date = DateTimePicker15->date();
    s.accountName = JustaEdit23->text();
    s.currency = dovizBox->currentText();
    s.yildakiGun = Edit61->text();
    s.yillikFaiz = Edit62->text();
    s.aylikFaiz = Edit63->text();
    s.total = JustaEdit5->text();
    s.maturity = JustaEdit6->text();
    s.expense = JustaEdit7->text();
    s.bsmv = JustaEdit70->text();
    s.net = JustaEdit8->text();
    s.averageDate = DateTimePicker16->date();
    s.averageDays = Edit59->text();
    for (int c = 0; c < StringGrid1->columnCount(); ++c) {
        const QTableWidgetItem *title = StringGrid1->horizontalHeaderItem(c);
        s.titles << (title ? title->text() : QString());
    }
    s.rows = rows();
    return s;
}

Report TcekcikisF::printout(ExitSlipPrint::Receipt receipt)
{
    using namespace ExitSlipPrint;
    Connection &company = DataContext::instance().ADOConnection1;
    const ExitSlipPrint::Slip s = slipTexts();
    // The printed cheques come from queries of their own: the slip's tables keep no filter.
    m_printGiven = givenCheques(company, s.number);
    m_printOwn = ownCheques(company, s.number);
    m_companyInfo = std::make_unique<Table>(&company, QStringLiteral("firmabilgileri"));
    m_companyInfo->open();
    Report r(receipt == Receipt::Plain      ? cikisAlindisiLayout()
             : receipt == Receipt::Detailed ? cikisAlindisiDetayliLayout()
                                            : cikisAlindisiDetayli2Layout());
    r.registerDataset(kExitGivenDataset, m_printGiven.get());
    r.registerDataset(kExitOwnDataset, m_printOwn.get());
    r.registerDataset(kCompanyDataset, m_companyInfo.get());
    if (!m_printTexts) m_printTexts = receiptTexts();
    fillReceiptMemos(r, *m_printTexts, receipt, s, accountAddress(company, KoduEdit->text()),
                     receiverName(*m_printGiven, *m_printOwn, s.accountName));
    return r;
}

void TcekcikisF::STRG1YazClick()
{
    StringGrid1->commitOpenEditor();
    if (const QString why = ExitSlipPrint::printRefusal(cikisDegisti, JustaEdit1->text()); !why.isEmpty()) {
        MessageBox::information(why);
        return;
    }
    try {
        const Report r = printout(chosenReceipt());
        // The next build of the given and issued lists shows the printed slip.
        const qint64 number = JustaEdit1->text().toLongLong();
        if (m_givenLists) m_givenLists->presetSlip(number);
        if (m_issuedLists) m_issuedLists->presetSlip(number);
        r.showPreview(this, QStringLiteral("Brenvo Rapor Önizleme"));
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TcekcikisF::CekExcel()
{
    StringGrid1->commitOpenEditor();
    showSpreadsheet(ExitSlipPrint::workbook(slipTexts()), QStringLiteral("CikisBordrosu"));
}
