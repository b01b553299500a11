#include "received/tcekortf.h"

#include "outlook/slip_warnings.h"
#include "received/cheque_lifecycle.h"

#include "accounts/account_picker.h"
#include "accounts/account_steps.h"
#include "accounts/tcarif.h"
#include "received/tceklerf.h"
#include "received/tcekbordrof.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/table.h"
#include "widgets/form_kit.h"
#include "widgets/form_show.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
#include "widgets/rate_coupling.h"
#include "widgets/slip_grid.h"
#include "widgets/spreadsheet_show.h"
#include "widgets/wait_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace EntrySlip;

using FormKit::button;
using FormKit::lineEdit;
using FormKit::resultEdit;
using FormKit::kMoney;

namespace {

// The slip's columns: row number, the cheque's fields, the calculated columns, the
// hidden links. Enter runs through the typed columns.
QVector<SlipColumn> slipColumns()
{
    using E = SlipColumn::Editor;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter, centre = Qt::AlignCenter,
                        left = Qt::AlignLeft | Qt::AlignVCenter;
    return {
        {"", 30, true},
        {"Çekin Vadesi", 90, false, E::DueDate, centre},
        {"Çekin Tutarı", 110, false, E::Decimal, right, true},
        {"Gün", 45, true, E::Text, right},
        {"Vade Farkı", 100, true, E::Text, right},
        {"Masraf", 70, false, E::Decimal, right},
        {"Net Tutar", 110, true, E::Text, right},
        {"Çeki Düzenleyen", 150, false, E::Text, left, false, 50},
        {"Adat", -1, true, E::Text, right},
        {"Bankası", 110, false, E::Text, left, false, 30},
        {"Şubesi", 100, false, E::Text, left, false, 30},
        {"Hesap No", 100, false, E::Text, left, false, 30},
        {"Çek No", 100, false, E::Text, left, false, 30},
        {"Verildiği Kişi", -1, true},
        {"Ciro Tarihi", -1, true, E::Text, centre},
        {"Tahsilat Tarihi", -1, true, E::Text, centre},
        {"Açıklama", 200, false, E::Text, left, false, 50},
        {"Index", -1, true},
        {"Index2", -1, true},
    };
}

int nextInputColumn(int col)
{
    if (col == ColDuzenleyen) return ColBanka;
    if (col == ColCekNo) return ColAciklama;
    if (col == ColAciklama) return -1;  // next row
    return col + 1;
}

} // namespace

TcekortF::TcekortF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TcekortF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Alınan Çek ve Senet Giriş Bordro İşlemleri"));
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 0);
    headingLabel = FormKit::heading(this, "headingLabel", QStringLiteral("Alınan Çek ve Senet Giriş Bordro İşlemleri"));
    root->addWidget(headingLabel);
    buildHeader(root);
    buildGrid(root);
    buildFooter(root);
    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->followOpenCompany();
    root->addWidget(StatusBar1);
    KeyFilters::installEnterMovesFocus(this);
    setFocusOrder();

    DataContext &ctx = DataContext::instance();
    m_slips = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("cekbordro"), QStringLiteral("islem_tarihi"),
                                      QStringLiteral("CekBordro"));
    m_cheques = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("cekgiris"), QStringLiteral("cek_tarihi"),
                                        QStringLiteral("CekTakip"));
    AccountPicker::registerHandler(QStringLiteral("cekgiris"), [this](const PickedAccount &card) { fillFromCard(card); });
    resize(1280, 760);
}

void TcekortF::setFocusOrder()
{
    // Results are read, not typed: Tab and Enter pass them by.
    for (QLineEdit *e : {JustaEdit23, JustaEdit1, JustaEdit5, JustaEdit6, JustaEdit7, JustaEdit8, JustaEdit70, Edit59})
        e->setFocusPolicy(Qt::ClickFocus);
    DateTimePicker16->setFocusPolicy(Qt::ClickFocus);
    // Enter runs through the header as it reads, down to "Gün Ekle", and on into the grid.
    const QList<QWidget *> order = {DateTimePicker15, KoduEdit, dovizBox, kuruEdit, accountType[0], accountType[1],
                                    accountType[2], vadefarkiCheck, masrafCheck, BSMVCheck, CheckBox1, Edit61,
                                    JustaEdit57, Edit62, Edit64, Edit63, Edit371, StringGrid1, JvDotNetMemo1,
                                    JvXPButton2};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TcekortF::setListWindow(TceklerF *w)
{
    m_lists = w;
    m_ceklerBut->setEnabled(w != nullptr);
}

TcekortF::~TcekortF() { AccountPicker::unregisterTarget(QStringLiteral("cekgiris")); }

void TcekortF::buildHeader(QVBoxLayout *root)
{
    DateTimePicker15 = new QDateEdit(QDate::currentDate().addDays(-1), this);
    DateTimePicker15->setObjectName(QStringLiteral("DateTimePicker15"));
    KeyFilters::setupDateEdit(DateTimePicker15);
    KoduEdit = lineEdit(this, "KoduEdit", QString(), 20);  // the code's field size
    JvXPButton2 = button(this, "JvXPButton2", QStringLiteral("Bul"));
    JustaEdit23 = lineEdit(this, "JustaEdit23");  // filled from the card, never cut
    JustaEdit23->setReadOnly(true);
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    dovizBox->addItems({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
    kuruEdit = lineEdit(this, "kuruEdit", QStringLiteral("1"), 8);
    KeyFilters::installDecimalKeys(kuruEdit);
    JustaEdit1 = lineEdit(this, "JustaEdit1");
    JustaEdit1->setReadOnly(true);

    // The slip and its account.
    auto *slip = new QGridLayout;
    slip->setHorizontalSpacing(6);
    slip->addWidget(new QLabel(QStringLiteral("Tarihi"), this), 0, 0);
    slip->addWidget(DateTimePicker15, 0, 1);
    slip->addWidget(new QLabel(QStringLiteral("No"), this), 0, 2, Qt::AlignRight);
    slip->addWidget(JustaEdit1, 0, 3);
    slip->addWidget(new QLabel(QStringLiteral("Cari Kodu"), this), 1, 0);
    slip->addWidget(KoduEdit, 1, 1, 1, 2);
    slip->addWidget(JvXPButton2, 1, 3);
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
    JvXPButton2->setFixedWidth(90);
    KoduEdit->setMinimumWidth(170);
    JustaEdit23->setMinimumWidth(300);

    auto *typeBox = new QGroupBox(this);
    typeBox->setObjectName(QStringLiteral("RadioGroup1"));
    auto *typeLayout = new QVBoxLayout(typeBox);
    const QString types[] = {QStringLiteral("Müşteri"), QStringLiteral("Satıcı"), QStringLiteral("Banka")};
    for (int i = 0; i < 3; ++i) {
        accountType[i] = new QRadioButton(types[i], typeBox);
        typeLayout->addWidget(accountType[i]);
    }
    accountType[0]->setChecked(true);

    auto *deduct = new QGroupBox(QStringLiteral("Cari Hesaba Alacak Eklerken"), this);
    auto *deductLayout = new QVBoxLayout(deduct);
    CheckBox1 = new QCheckBox(QStringLiteral("Cumartesi - Pazar Günlerini Gün Hesabına Ekle"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    vadefarkiCheck = new QCheckBox(QStringLiteral("Vade Farkını Düş"), deduct);
    vadefarkiCheck->setObjectName(QStringLiteral("vadefarkiCheck"));
    masrafCheck = new QCheckBox(QStringLiteral("Masrafı Düş"), deduct);
    masrafCheck->setObjectName(QStringLiteral("masrafCheck"));
    BSMVCheck = new QCheckBox(QStringLiteral("BSMV Düş"), deduct);
    BSMVCheck->setObjectName(QStringLiteral("BSMVCheck"));
    for (QCheckBox *c : {vadefarkiCheck, masrafCheck, BSMVCheck}) deductLayout->addWidget(c);

    // The interest terms, taken from the account card.
    Edit61 = lineEdit(this, "Edit61", QStringLiteral("365"), 3);
    KeyFilters::installDigitsOnly(Edit61);
    Edit62 = lineEdit(this, "Edit62", QStringLiteral("0"), 6);
    KeyFilters::installDecimalKeys(Edit62);
    Edit63 = lineEdit(this, "Edit63", QStringLiteral("0"), 8);
    KeyFilters::installDecimalKeys(Edit63);
    JustaEdit57 = lineEdit(this, "JustaEdit57", QStringLiteral("5"), 8);
    KeyFilters::installDecimalKeys(JustaEdit57);
    Edit64 = lineEdit(this, "Edit64", QStringLiteral("0"));
    KeyFilters::installDecimalKeys(Edit64);
    Edit371 = lineEdit(this, "Edit371", QString(), 2);
    KeyFilters::installDigitsOnly(Edit371);
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

    auto *close = button(this, "kapatBut", QStringLiteral("KAPAT"));
    JvXPButton1 = button(this, "JvXPButton1", QStringLiteral("KAYDET"));
    auto *cekler = m_ceklerBut = button(this, "ceklerBut", QStringLiteral("Çekler"));
    auto *excel = button(this, "excelAlBut", QStringLiteral("Excel'den Al"));
    cekler->setEnabled(false);  // until the lists window is set
    excel->setEnabled(false);   // until the import window is set
    m_helpBut = makeHelpButton(this, QStringLiteral("ycekgiris"), nullptr);
    m_helpBut->setMinimumHeight(30);
    auto *buttons = new QGridLayout;
    buttons->addWidget(JvXPButton1, 0, 0);
    buttons->addWidget(close, 0, 1);
    buttons->addWidget(cekler, 1, 0);
    buttons->addWidget(excel, 1, 1);
    buttons->addWidget(m_helpBut, 2, 1);
    buttons->setRowStretch(3, 1);
    for (QPushButton *b : {JvXPButton1, close, cekler, excel, m_helpBut}) b->setMinimumWidth(110);

    auto *row = new QHBoxLayout;
    row->setSpacing(14);
    row->addLayout(slip);
    row->addWidget(typeBox, 0, Qt::AlignTop);
    row->addWidget(deduct, 0, Qt::AlignTop);
    row->addLayout(terms);
    row->addStretch(1);
    row->addLayout(buttons);
    root->addLayout(row);

    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(cekler, &QPushButton::clicked, this, [this] {
        if (!m_lists) return;
        m_lists->CekleriHazirla();
        showFormMaximized(m_lists);
    });
    connect(JvXPButton1, &QPushButton::clicked, this, &TcekortF::sakla);
    connect(JvXPButton2, &QPushButton::clicked, this, [this] {
        AccountPicker::cariSecimYeri() = QStringLiteral("cekgiris");
        if (m_cards) m_cards->ac(QStringLiteral("cekgiris"), QString(), JustaEdit23->text());
    });
    KoduEdit->installEventFilter(this);
    JustaEdit23->installEventFilter(this);
    JustaEdit1->installEventFilter(this);
    for (QLineEdit *e : {KoduEdit, kuruEdit, Edit61, Edit371, Edit62, Edit63})
        connect(e, &QLineEdit::textEdited, this, [this] { markChanged(); });
    connect(dovizBox, &QComboBox::currentTextChanged, this, [this] { markChanged(); });

    // The yearly and monthly rates follow each other, led by the one being typed.
    m_rates = new RateCoupling(Edit62, Edit63, this);
    markTypingYellow(kuruEdit);
}

void TcekortF::buildGrid(QVBoxLayout *root)
{
    StringGrid1 = new SlipGrid(slipColumns(), this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setKeyColumns(ColVade, ColTutar);
    StringGrid1->setNextInputColumn(nextInputColumn);
    StringGrid1->setRowExit([this] { return StringGrid1Exit(); });
    StringGrid1->addCommand("yenidenHesaplaItem", QStringLiteral("  Yeniden Hesapla"), QKeySequence(Qt::Key_F3),
                            [this] { hesapla(); });
    StringGrid1->addCommand("yeniBordroItem", QStringLiteral("  Yeni Bordro"), QKeySequence(Qt::Key_F7), [this] { yeniBordro(); });
    StringGrid1->addCommand("bordroAcItem", QStringLiteral("  Bordro Aç"), QKeySequence(Qt::Key_F8),
                            [this] { bordroAc(); });
    StringGrid1->addCommand("satirEkleItem", QStringLiteral("  Satır Ekle   "), QKeySequence(Qt::SHIFT | Qt::Key_Insert),
                            [this] { satirEkle(); });
    StringGrid1->addCommand("satirSilItem", QStringLiteral("  Satır Sil   "), QKeySequence(Qt::SHIFT | Qt::Key_Delete),
                            [this] { satirSil(); });
    StringGrid1->addCommand("ceKopyalaItem", QStringLiteral("  Çeki Kopyala"), QKeySequence(Qt::Key_F10),
                            [this] { ceKopyala(); });
    connect(StringGrid1, &SlipGrid::edited, this, [this] { markChanged(); });
    root->addWidget(StringGrid1, 1);
}

void TcekortF::buildFooter(QVBoxLayout *root)
{
    JustaEdit5 = resultEdit(this, "JustaEdit5");
    JustaEdit6 = resultEdit(this, "JustaEdit6");
    JustaEdit7 = resultEdit(this, "JustaEdit7");
    JustaEdit8 = resultEdit(this, "JustaEdit8");
    JustaEdit70 = resultEdit(this, "JustaEdit70");
    Edit59 = resultEdit(this, "Edit59");
    DateTimePicker16 = new QDateEdit(QDate::currentDate(), this);
    DateTimePicker16->setObjectName(QStringLiteral("DateTimePicker16"));
    DateTimePicker16->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateTimePicker16->setReadOnly(true);
    DateTimePicker16->setButtonSymbols(QAbstractSpinBox::NoButtons);
    DateTimePicker16->setAlignment(Qt::AlignRight);
    DateTimePicker16->setFixedWidth(130);
    JvDotNetMemo1 = new QPlainTextEdit(this);
    JvDotNetMemo1->setObjectName(QStringLiteral("JvDotNetMemo1"));
    JvDotNetMemo1->setMaximumHeight(110);

    auto *totals = new QGridLayout;
    totals->setHorizontalSpacing(6);
    const QPair<QString, QWidget *> fields[] = {
        {QStringLiteral("Toplam Tutar"), JustaEdit5},     {QStringLiteral("BSMV"), JustaEdit70},
        {QStringLiteral("Toplam Vade Farkı"), JustaEdit6}, {QStringLiteral("Ort. Vadesi"), DateTimePicker16},
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

    auto *buttons = new QGridLayout;
    auto *hesaplaBut = button(this, "hesaplaBut", QStringLiteral("HESAPLA"));
    auto *yeniBut = button(this, "yeniBordroBut", QStringLiteral("YENİ BORDRO"));
    BitBtn12 = button(this, "BitBtn12", QStringLiteral("KAYDET"));
    auto *acBut = m_acBut = button(this, "bordroAcBut", QStringLiteral("BORDRO AÇ"));
    acBut->setEnabled(false);  // until the register is set
    buttons->addWidget(hesaplaBut, 0, 0);
    buttons->addWidget(yeniBut, 1, 0);
    buttons->addWidget(BitBtn12, 2, 0);
    buttons->addWidget(acBut, 3, 0);
    buttons->setVerticalSpacing(4);

    yazayar = new QGroupBox(QStringLiteral("Raporlama Seçenekleri"), this);
    yazayar->setObjectName(QStringLiteral("yazayar"));
    auto *reportsLayout = new QVBoxLayout(yazayar);
    reportsLayout->setSpacing(2);
    const char *items[] = {"Çek Alındısı", "Çek Alındısı Detaylı", "Çek Alındısı Detaylı 2"};
    for (int i = 0; i < 3; ++i) {
        yazayarItems[i] = new QRadioButton(QString::fromUtf8(items[i]), yazayar);
        yazayarItems[i]->setObjectName(QStringLiteral("yazayar%1").arg(i));
        reportsLayout->addWidget(yazayarItems[i]);
    }
    yazayarItems[0]->setChecked(true);
    auto *printBut = STRG1Yaz = button(this, "STRG1Yaz", QStringLiteral("SEÇİLİ RAPORU YAZDIR"));
    auto *exportBut = BitBtn25 = button(this, "BitBtn25", QStringLiteral("Excel'e Aktar"));
    buttons->addWidget(yazayar, 0, 1, 3, 1);
    buttons->addWidget(printBut, 3, 1);
    buttons->addWidget(exportBut, 3, 2);
    connect(printBut, &QPushButton::clicked, this, &TcekortF::raporYazdir);
    connect(exportBut, &QPushButton::clicked, this, &TcekortF::cekExcel);
    for (QPushButton *b : {hesaplaBut, yeniBut, BitBtn12, acBut, exportBut}) b->setMinimumWidth(130);

    auto *row = new QHBoxLayout;
    row->setSpacing(14);
    row->addLayout(totals);
    row->addLayout(memo, 1);
    row->addLayout(buttons);
    root->addLayout(row);
    connect(hesaplaBut, &QPushButton::clicked, this, &TcekortF::hesapla);
    connect(yeniBut, &QPushButton::clicked, this, &TcekortF::yeniBordro);
    connect(BitBtn12, &QPushButton::clicked, this, &TcekortF::sakla);
    connect(acBut, &QPushButton::clicked, this, &TcekortF::bordroAc);
    connect(JvDotNetMemo1, &QPlainTextEdit::textChanged, this, [this] { markChanged(); });
}

EntrySlipPrint::Layout TcekortF::chosenLayout() const
{
    if (yazayarItems[1]->isChecked()) return EntrySlipPrint::Layout::Detailed;
    if (yazayarItems[2]->isChecked()) return EntrySlipPrint::Layout::DetailedWithBank;
    return EntrySlipPrint::Layout::Receipt;
}

std::unique_ptr<EntrySlipPrint::Printout> TcekortF::printout()
{
    const QString refused = EntrySlipPrint::refusal(girisDegisti, JustaEdit1->text());
    if (!refused.isEmpty()) {
        MessageBox::information(refused);
        return nullptr;
    }
    EntrySlipPrint::Footer footer;
    footer.currency = dovizBox->currentText();
    footer.slipDate = DateTimePicker15->date();
    footer.total = JustaEdit5->text();
    footer.maturityDifference = JustaEdit6->text();
    footer.expense = JustaEdit7->text();
    footer.bsmv = JustaEdit70->text();
    footer.net = JustaEdit8->text();
    footer.averageDate = DateTimePicker16->date();
    footer.averageDays = Edit59->text();
    try {
        return std::make_unique<EntrySlipPrint::Printout>(DataContext::instance().ADOConnection1, chosenLayout(),
                                                          rakamlariOku(JustaEdit1->text()), KoduEdit->text(), footer);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return nullptr;
    }
}

void TcekortF::raporYazdir()
{
    if (auto p = printout()) p->report().showPreview(this);
}

SpreadsheetWorkbook TcekortF::excelWorkbook() const
{
    EntrySlipPrint::ExportInput in;
    for (int c = 0; c < StringGrid1->columnCount(); ++c) {
        const QTableWidgetItem *title = StringGrid1->horizontalHeaderItem(c);
        in.titles << (title ? title->text() : QString());
    }
    in.rows = rows();
    in.accountName = JustaEdit23->text();
    in.slipDate = DateTimePicker15->date();
    in.yildakiGun = Edit61->text();
    in.yillikFaiz = Edit62->text();
    in.aylikFaiz = Edit63->text();
    in.averageDate = DateTimePicker16->date();
    in.averageDays = Edit59->text();
    in.total = JustaEdit5->text();
    in.maturityDifference = JustaEdit6->text();
    in.expense = JustaEdit7->text();
    in.net = JustaEdit8->text();
    in.bsmvPercent = JustaEdit57->text();
    return EntrySlipPrint::workbook(in);
}

void TcekortF::cekExcel() { showSpreadsheet(excelWorkbook(), QStringLiteral("CekGirisBordrosu")); }

Params TcekortF::params() const
{
    Params p;
    p.slipDate = DateTimePicker15->date();
    p.yildakiGun = Edit61->text();
    p.yillikFaiz = Edit62->text();
    p.gunEkle = Edit371->text();
    p.bsmvPercent = JustaEdit57->text();
    p.weekendShift = CheckBox1->isChecked();
    return p;
}

QStringList TcekortF::rowCells(int row) const { return StringGrid1->rowCells(row); }

QVector<QStringList> TcekortF::rows() const { return StringGrid1->rows(); }

void TcekortF::showTotals(const Totals &t)
{
    JustaEdit5->setText(formatFloat(kMoney, t.amount));
    JustaEdit6->setText(formatFloat(kMoney, t.maturityDifference));
    JustaEdit7->setText(formatFloat(kMoney, t.expense));
    JustaEdit8->setText(formatFloat(kMoney, t.net));
    JustaEdit70->setText(t.bsmv > 0 ? formatFloat(kMoney, t.bsmv) : QStringLiteral("0"));
    if (t.hasAverage) {
        Edit59->setText(formatFloat(QStringLiteral("#,##0"), t.averageDays));
        DateTimePicker16->setDate(t.averageDate);
    }
}

bool TcekortF::StringGrid1Exit()
{
    const StepResult result = rowStep();
    if (result == StepResult::Calculated) showTotals(calculateTotals(rows(), params()));
    return result != StepResult::Stopped;
}

TcekortF::StepResult TcekortF::rowStep()
{
    const int r = StringGrid1->currentRow();
    if (r < 0) return StepResult::NotCalculated;
    QStringList cells = rowCells(r);
    Params p = params();
    RowStep step;
    try {
        step = calculateRow(cells, p);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return StepResult::Stopped;
    }
    Edit61->setText(p.yildakiGun);
    Edit62->setText(p.yillikFaiz);
    StringGrid1->writeRow(r, cells);
    if (!step.message.isEmpty()) MessageBox::warning(step.message);
    if (step.outcome == DueDate::Stop) return StepResult::Stopped;
    return step.outcome == DueDate::Valid && cells[ColVade].size() == 10 ? StepResult::Calculated
                                                                          : StepResult::NotCalculated;
}

void TcekortF::hesapla()
{
    StringGrid1->commitOpenEditor();
    for (QLineEdit *e : {JustaEdit5, JustaEdit6, JustaEdit7, JustaEdit8}) e->setText(formatFloat(kMoney, 0));
    const int count = StringGrid1->rowCount();
    if (count < 2) return;
    std::unique_ptr<WaitScope> wait;
    if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, count, TForm2::kHesaplama);
    const QSignalBlocker block(StringGrid1);
    // The totals depend only on the rows, so they are worked out once, after the last row.
    bool calculated = false;
    for (int r = 0; r < count - 1; ++r) {
        StringGrid1->setCurrentCell(r, StringGrid1->currentColumn() < 0 ? ColVade : StringGrid1->currentColumn());
        const StepResult result = rowStep();
        if (result == StepResult::Calculated) calculated = true;
        if (result == StepResult::Stopped) break;
        if (wait) wait->step();
    }
    if (calculated) showTotals(calculateTotals(rows(), params()));
}

bool TcekortF::sakla()
{
    StringGrid1->commitOpenEditor();
    return saveGrid({});
}

bool TcekortF::saveGrid(const QVector<qint64> &deletedCheques)
{
    Header h;
    h.slipDate = DateTimePicker15->date();
    h.code = KoduEdit->text();
    h.name = JustaEdit23->text();
    h.accountType = accountType[1]->isChecked() ? 1 : accountType[2]->isChecked() ? 2 : 0;
    h.currency = dovizBox->currentText().isEmpty() ? QStringLiteral("TL") : dovizBox->currentText();
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
    // working year: asked first.
    if (Lifecycle::needsYearSwitch(h.slipDate)
        && MessageBox::show(MessageBox::kCaptionShort, Lifecycle::yearQuestion(h.slipDate.year()), MessageBox::Icon::Question,
                            MessageBox::Yes | MessageBox::No, this)
               != MessageBox::Yes)
        return false;
    // A cheque already stored, or a slip over the account's risk limit, is asked first.
    if (!SlipWarnings::confirmEntrySlip(h.code, h.name, h.currency, sayiOkuDene(h.kuru).value_or(0), grid,
                                        QDate::currentDate(), this))
        return false;
    SaveResult result;
    try {
        std::unique_ptr<WaitScope> wait;
        if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, int(grid.size()), TForm2::kKayit);
        m_cheques->setFiltered(false);
        result = saveSlip(h, p, grid, Datasets{*m_slips, *m_cheques}, deletedCheques);
    } catch (const EngineError &e) {
        MessageBox::error(QStringLiteral("Bordro kaydedilemedi; hiçbir satır yazılmadı.\n\r") + e.message());
        return false;
    }
    if (!result.saved) {
        MessageBox::warning(result.message);
        return false;
    }
    for (int r = 0; r < grid.size(); ++r) StringGrid1->writeRow(r, grid[r]);
    JustaEdit1->setText(QString::number(h.number));
    kuruEdit->setText(h.kuru);
    showTotals(calculateTotals(grid, p));
    girisDegisti = false;
    // The register shows every slip again, this one as it now stands.
    if (m_register) m_register->filtreyiKapat();
    if (!result.message.isEmpty()) MessageBox::information(result.message);
    return true;
}

void TcekortF::gridibosalt2()
{
    StringGrid1->clearRows();
    for (QLineEdit *e : {JustaEdit1, JustaEdit5, JustaEdit6, JustaEdit7, JustaEdit8, KoduEdit, JustaEdit23, Edit59, Edit371})
        e->clear();
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

void TcekortF::yeniBordro()
{
    if (MessageBox::askYesNo(QStringLiteral("Dosyayı Boşaltmak istediğinizden eminmisiniz?"))) gridibosalt2();
    girisDegisti = false;
}

void TcekortF::satirEkle()
{
    StringGrid1->commitOpenEditor();
    const int r = std::max(0, StringGrid1->currentRow());
    StringGrid1->insertRow(r);
    StringGrid1->writeRow(r, QStringList(ColumnCount));
    StringGrid1->renumber();
}

void TcekortF::satirSil()
{
    StringGrid1->commitOpenEditor();
    int r = StringGrid1->currentRow();
    if (r < 0) return;
    const int column = StringGrid1->currentColumn();
    const QVector<QStringList> before = rows();
    QVector<qint64> deleted;
    const QStringList cells = before[r];
    if (!cells[ColVade].isEmpty()) {
        if (MessageBox::askYesNo(QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?"))) {
            // A stored cheque goes in the save that follows, in the same transaction, so
            // the slip's totals and movement never disagree with its cheques.
            if (!cells[ColKey].isEmpty()) deleted << cells[ColKey].toLongLong();
            StringGrid1->removeRow(r);
            if (StringGrid1->rowCount() == 0) StringGrid1->addEmptyRow();
            r = std::min(r, StringGrid1->rowCount() - 1);
        }
    }
    // An empty row left current goes as well, without a question.
    if (rowCells(r)[ColVade].isEmpty() && StringGrid1->rowCount() > 1) StringGrid1->removeRow(r);
    StringGrid1->renumber();
    StringGrid1->addEmptyRow();
    if (!deleted.isEmpty() && !saveGrid(deleted)) {
        // The save stopped (and said why): the cheque is still stored, so its row comes back.
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setRowCount(int(before.size()));
        for (int i = 0; i < before.size(); ++i) StringGrid1->writeRow(i, before[i]);
        StringGrid1->setCurrentCell(std::min(int(before.size()) - 1, std::max(0, r)), column);
    }
}

void TcekortF::ceKopyala()
{
    StringGrid1->commitOpenEditor();
    const int r = StringGrid1->currentRow();
    if (r < 0) return;
    QVector<QStringList> all = rows();
    if (sayiOku(all[r][ColVade]) <= 100) return;
    for (int t = r + 1; t < all.size(); ++t) {
        if (sayiOku(all[t][ColVade]) < 100) {
            QStringList copy = all[t];
            for (int c : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16}) copy[c] = all[r][c];
            StringGrid1->writeRow(t, copy);
            StringGrid1->addEmptyRow();
            markChanged();
            return;
        }
    }
}

void TcekortF::cariBul()
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
            m_cards->ac(QStringLiteral("cekgiris"));
            m_cards->yeniKart(code, JustaEdit23->text());
        }
    } else {
        KoduEdit->clear();
    }
    JustaEdit23->clear();
}

void TcekortF::fillFromCard(const PickedAccount &card)
{
    accountType[card.hesapTuru()]->setChecked(true);
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

bool TcekortF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == KoduEdit && event->type() == QEvent::FocusOut) {
        // Leaving the code looks it up; switching to another window or opening a menu is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) cariBul();
    } else if (watched == JustaEdit1 && event->type() == QEvent::MouseButtonDblClick) {
        bordroAc();
        return true;
    } else if ((watched == KoduEdit || watched == JustaEdit23) && event->type() == QEvent::MouseButtonDblClick) {
        JvXPButton2->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TcekortF::setRegister(TcekbordroF *w)
{
    m_register = w;
    m_acBut->setEnabled(w != nullptr);
}

bool TcekortF::degisiklikleriBirak()
{
    if (!girisDegisti || m_discardAgreed) return true;
    m_discardAgreed = MessageBox::askYesNo(QStringLiteral("Değişiklikleri kayıt etmeden çıkmak istiyormusunuz?"));
    return m_discardAgreed;
}

void TcekortF::bordroAc()
{
    StringGrid1->commitOpenEditor();
    if (!m_register || !degisiklikleriBirak()) return;
    m_register->ac();
}

void TcekortF::yukle(const LoadedSlip &s)
{
    const QSignalBlocker block(StringGrid1);
    gridibosalt2();
    StringGrid1->setRowCount(int(s.rows.size()));
    for (int r = 0; r < s.rows.size(); ++r) StringGrid1->writeRow(r, s.rows[r]);
    StringGrid1->renumber();
    StringGrid1->addEmptyRow();
    if (s.slipDate.isValid()) DateTimePicker15->setDate(s.slipDate);
    KoduEdit->setText(s.code);
    JustaEdit23->setText(s.name);
    JustaEdit1->setText(QString::number(s.number));
    Edit61->setText(s.yildakiGun);
    m_rates->release();
    Edit62->setText(s.yillikFaiz);
    Edit63->setText(s.aylikFaiz);
    JustaEdit57->setText(s.bsmvPercent);
    JustaEdit70->setText(s.bsmvAmount);
    Edit371->setText(s.gunEkle);
    const int item = dovizBox->findText(s.currency);
    if (item >= 0) dovizBox->setCurrentIndex(item);
    if (s.currency == QLatin1String("TL")) kuruEdit->setText(QStringLiteral("1"));
    else kuruEdit->setText(s.kuru);
    CheckBox1->setChecked(s.weekendShift);
    vadefarkiCheck->setChecked(s.deductMaturity);
    masrafCheck->setChecked(s.deductExpense);
    BSMVCheck->setChecked(s.deductBsmv);
    JustaEdit5->setText(s.totalAmount);
    JustaEdit6->setText(s.totalMaturity);
    JustaEdit7->setText(s.totalExpense);
    JustaEdit8->setText(s.totalNet);
    Edit59->setText(s.averageDays);
    if (s.averageDate.isValid()) DateTimePicker16->setDate(s.averageDate);
    JvDotNetMemo1->setPlainText(s.memo);
    if (s.accountType >= 0) accountType[s.accountType]->setChecked(true);
    girisDegisti = false;
    m_discardAgreed = false;
}

void TcekortF::setYardim(TyardimF *help)
{
    connectHelpButton(m_helpBut, QStringLiteral("ycekgiris"), help);
}

void TcekortF::hideEvent(QHideEvent *event)
{
    // Minimizing is not leaving the slip.
    if (girisDegisti && !event->spontaneous())
        MessageBox::warning(QStringLiteral("Değişiklikleri kayıt etmeden çıktınız?\n\rBilgilerinizin kaybolmaması için, giriş yapıp kayıt ediniz!"));
    QWidget::hideEvent(event);
}
