#include "received/tcekortf.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "received/tceklerf.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/table.h"
#include "widgets/form_show.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
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
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace EntrySlip;

namespace {

const QString kMoney = QStringLiteral("#,##0.00");

// Light blue on odd rows, light yellow on even ones; the amount in blue.
class SlipGridDelegate : public QStyledItemDelegate {
public:
    SlipGridDelegate(QObject *parent, QObject *keys) : QStyledItemDelegate(parent), m_keys(keys) {}
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == ColNo) {
            // The row number sits on the button face, as the titles do.
            option->backgroundBrush = option->palette.button();
            option->displayAlignment = Qt::AlignCenter;
            return;
        }
        option->backgroundBrush = (index.row() + 1) % 2 ? QColor(223, 235, 255) : QColor(249, 255, 225);
        if (index.column() == ColTutar) option->palette.setColor(QPalette::Text, Qt::blue);
        const int c = index.column();
        if (c == ColVade || c == ColCiroTarihi || c == ColTahsilTarihi) option->displayAlignment = Qt::AlignCenter;
        else if (c == ColTutar || c == ColGun || c == ColVadeFarki || c == ColMasraf || c == ColNet || c == ColAdat)
            option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
        else option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    }
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            // Every place optional (Qt's "0"), so a half-typed date reaches the row step,
            // which completes it or says what is wrong.
            if (index.column() == ColVade) edit->setInputMask(QStringLiteral("00.00.0000;_"));
            else if (index.column() == ColTutar || index.column() == ColMasraf) KeyFilters::installDecimalKeys(edit);
            // The slip moves through the columns itself on Enter, Up and Down.
            edit->setProperty("enterKeepsKey", true);
            edit->installEventFilter(m_keys);
        }
        return w;
    }

    // A masked date goes into the cell as shown, blanks included ("5_.3_.24__"), so
    // day, month and year keep their places for the completion; a mask left
    // without any digit leaves the cell empty.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *edit = qobject_cast<QLineEdit *>(editor);
        if (!edit || edit->inputMask().isEmpty()) return QStyledItemDelegate::setModelData(editor, model, index);
        const QString shown = edit->displayText();
        const bool anyDigit = std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); });
        model->setData(index, anyDigit ? shown : QString(), Qt::EditRole);
    }

    // Enter is the slip's: it writes the cell and moves on itself (the form's key
    // filter on the editor). Qt's own handling would commit the same editor once
    // more, later, after the slip has already closed it.
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent *>(event)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) return false;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    // Writes the editor's text into its cell; the editor stays open.
    void commit(QWidget *editor) { Q_EMIT const_cast<SlipGridDelegate *>(this)->commitData(editor); }

    // Writes the editor's text into its cell and closes it, before the slip moves on.
    void finish(QWidget *editor)
    {
        commit(editor);
        // Closing hides the focused editor; its focus-out must not commit it a second time.
        editor->removeEventFilter(const_cast<SlipGridDelegate *>(this));
        Q_EMIT const_cast<SlipGridDelegate *>(this)->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

private:
    QObject *m_keys;
};

bool isReadOnlyColumn(int c)
{
    return c == ColNo || c == ColGun || c == ColVadeFarki || c == ColNet || c == ColAdat || c == ColVerildigi ||
           c == ColCiroTarihi || c == ColTahsilTarihi || c == ColCiroId || c == ColKey;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text = QString(), int maxLength = 0)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
}

QLineEdit *resultEdit(QWidget *parent, const char *name)
{
    auto *e = lineEdit(parent, name);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->setMinimumWidth(110);
    return e;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setMinimumHeight(30);
    return b;
}

} // namespace

TcekortF::TcekortF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TcekortF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Alınan Çek ve Senet Giriş Bordro İşlemleri"));
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 0);
    headingLabel = new QLabel(QStringLiteral("Alınan Çek ve Senet Giriş Bordro İşlemleri"), this);
    headingLabel->setObjectName(QStringLiteral("headingLabel"));
    QFont hf = headingLabel->font();
    hf.setPointSize(hf.pointSize() + 5);
    hf.setBold(true);
    headingLabel->setFont(hf);
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
    m_movements = std::make_unique<Table>(&ctx.kasaConnection, QStringLiteral("carihareket"),
                                          QStringLiteral("islem_tarihi"), QStringLiteral("ffTable1"));
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
    KoduEdit = lineEdit(this, "KoduEdit", QString(), 30);
    JvXPButton2 = button(this, "JvXPButton2", QStringLiteral("Bul"));
    JustaEdit23 = lineEdit(this, "JustaEdit23", QString(), 30);
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
    excel->setEnabled(false);   // the import joins later
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
    kuruEdit->installEventFilter(this);
    for (QLineEdit *e : {KoduEdit, kuruEdit, Edit61, Edit371, Edit62, Edit63})
        connect(e, &QLineEdit::textEdited, this, [this] { markChanged(); });
    connect(dovizBox, &QComboBox::currentTextChanged, this, [this] { markChanged(); });

    // The yearly and monthly rates follow each other, led by the one being typed.
    Edit62->installEventFilter(this);
    Edit63->installEventFilter(this);
    const auto rate = [](const QString &text) {
        QString t = text;
        t.remove(u' ');
        return t.isEmpty() ? 0.0 : strictNumber(t);
    };
    const auto shortest = [](double v) { return QString::number(v, 'g', 15).replace(u'.', u','); };
    connect(Edit62, &QLineEdit::textChanged, this, [this, rate, shortest](const QString &t) {
        if (m_lead != RateLead::Yearly || m_settingRate) return;
        try {
            m_settingRate = true;
            Edit63->setText(shortest(rate(t) / 12));
        } catch (const EngineError &) {
        }
        m_settingRate = false;
    });
    connect(Edit63, &QLineEdit::textChanged, this, [this, rate, shortest](const QString &t) {
        if (m_lead != RateLead::Monthly || m_settingRate) return;
        try {
            m_settingRate = true;
            Edit62->setText(shortest(rate(t) * 12));
        } catch (const EngineError &) {
        }
        m_settingRate = false;
    });
}

void TcekortF::buildGrid(QVBoxLayout *root)
{
    StringGrid1 = new QTableWidget(1, ColumnCount, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    const struct { const char *title; int width; } cols[ColumnCount] = {
        {"", 30},          {"Çekin Vadesi", 90}, {"Çekin Tutarı", 110}, {"Gün", 45},       {"Vade Farkı", 100},
        {"Masraf", 70},    {"Net Tutar", 110},   {"Çeki Düzenleyen", 150}, {"Adat", -1}, {"Bankası", 110},
        {"Şubesi", 100},   {"Hesap No", 100},    {"Çek No", 100},      {"Verildiği Kişi", -1}, {"Ciro Tarihi", -1},
        {"Tahsilat Tarihi", -1}, {"Açıklama", 200}, {"Index", -1},      {"Index2", -1}};
    QStringList titles;
    for (const auto &c : cols) titles << QString::fromUtf8(c.title);
    StringGrid1->setHorizontalHeaderLabels(titles);
    for (int c = 0; c < ColumnCount; ++c) {
        if (cols[c].width < 0) StringGrid1->setColumnHidden(c, true);
        else StringGrid1->setColumnWidth(c, cols[c].width);
    }
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setItemDelegate(new SlipGridDelegate(StringGrid1, this));
    StringGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->horizontalHeader()->setSectionsMovable(true);
    StringGrid1->installEventFilter(this);
    StringGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    const struct { const char *name, *text; QKeySequence keys; void (TcekortF::*slot)(); } items[] = {
        {"yenidenHesaplaItem", "  Yeniden Hesapla", QKeySequence(Qt::Key_F3), &TcekortF::hesapla},
        {"yeniBordroItem", "  Yeni Bordro", QKeySequence(Qt::Key_F7), &TcekortF::yeniBordro},
        {"bordroAcItem", "  Bordro Aç", QKeySequence(Qt::Key_F8), nullptr},
        {"satirEkleItem", "  Satır Ekle   ", QKeySequence(Qt::SHIFT | Qt::Key_Insert), &TcekortF::satirEkle},
        {"satirSilItem", "  Satır Sil   ", QKeySequence(Qt::SHIFT | Qt::Key_Delete), &TcekortF::satirSil},
        {"ceKopyalaItem", "  Çeki Kopyala", QKeySequence(Qt::Key_F10), &TcekortF::ceKopyala},
    };
    for (const auto &item : items) {
        auto *action = new QAction(QString::fromUtf8(item.text), StringGrid1);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(item.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        if (item.slot) connect(action, &QAction::triggered, this, item.slot);
        else action->setEnabled(false);  // the slip register joins later
        StringGrid1->addAction(action);
    }
    renumber();
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int, int, int previousRow, int) {
        // Leaving a row runs the row step on it.
        if (previousRow < 0 || previousRow == StringGrid1->currentRow()) return;
        const int now = StringGrid1->currentRow();
        StringGrid1->blockSignals(true);
        StringGrid1->setCurrentCell(previousRow, StringGrid1->currentColumn());
        StringGrid1Exit();
        StringGrid1->setCurrentCell(now, StringGrid1->currentColumn());
        StringGrid1->blockSignals(false);
    });
    connect(StringGrid1, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *) { markChanged(); });
    StringGrid1->viewport()->installEventFilter(this);
    // Leaving the grid (not for its own cell editor) runs the row step.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        const auto inGrid = [this](QWidget *w) { return w && (w == StringGrid1 || StringGrid1->isAncestorOf(w)); };
        if (inGrid(old) && !inGrid(now) && now && isAncestorOf(now)) {
            commitOpenEditor();
            StringGrid1Exit();
        }
    });
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
    auto *acBut = button(this, "bordroAcBut", QStringLiteral("BORDRO AÇ"));
    acBut->setEnabled(false);  // the slip register joins later
    buttons->addWidget(hesaplaBut, 0, 0);
    buttons->addWidget(yeniBut, 1, 0);
    buttons->addWidget(BitBtn12, 2, 0);
    buttons->addWidget(acBut, 3, 0);
    buttons->setVerticalSpacing(4);

    // The printouts and the export of the slip join later.
    auto *reports = new QGroupBox(QStringLiteral("Raporlama Seçenekleri"), this);
    reports->setObjectName(QStringLiteral("yazayar"));
    auto *reportsLayout = new QVBoxLayout(reports);
    reportsLayout->setSpacing(2);
    for (const char *item : {"Çek Alındısı", "Çek Alındısı Detaylı", "Çek Alındısı Detaylı 2"})
        reportsLayout->addWidget(new QRadioButton(QString::fromUtf8(item), reports));
    static_cast<QRadioButton *>(reportsLayout->itemAt(0)->widget())->setChecked(true);
    auto *printBut = button(this, "STRG1Yaz", QStringLiteral("SEÇİLİ RAPORU YAZDIR"));
    auto *exportBut = button(this, "BitBtn25", QStringLiteral("Excel'e Aktar"));
    reports->setEnabled(false);
    printBut->setEnabled(false);
    exportBut->setEnabled(false);
    buttons->addWidget(reports, 0, 1, 3, 1);
    buttons->addWidget(printBut, 3, 1);
    buttons->addWidget(exportBut, 3, 2);
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
    connect(JvDotNetMemo1, &QPlainTextEdit::textChanged, this, [this] { markChanged(); });
}

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

QStringList TcekortF::rowCells(int row) const
{
    QStringList cells;
    cells.reserve(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c) {
        const QTableWidgetItem *item = StringGrid1->item(row, c);
        cells << (item ? item->text() : QString());
    }
    return cells;
}

QVector<QStringList> TcekortF::rows() const
{
    QVector<QStringList> out;
    out.reserve(StringGrid1->rowCount());
    for (int r = 0; r < StringGrid1->rowCount(); ++r) out << rowCells(r);
    return out;
}

void TcekortF::writeRow(int row, const QStringList &cells)
{
    const QSignalBlocker block(StringGrid1);
    for (int c = 0; c < ColumnCount; ++c) {
        QTableWidgetItem *item = StringGrid1->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            StringGrid1->setItem(row, c, item);
        }
        if (isReadOnlyColumn(c)) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setText(cells.value(c));
    }
}

void TcekortF::renumber()
{
    const QSignalBlocker block(StringGrid1);
    for (int r = 0; r < StringGrid1->rowCount(); ++r) {
        QStringList cells = rowCells(r);
        cells[ColNo] = QString::number(r + 1);
        writeRow(r, cells);
    }
}

void TcekortF::addEmptyRow()
{
    const int r = StringGrid1->rowCount();
    StringGrid1->insertRow(r);
    QStringList cells(ColumnCount);
    cells[ColNo] = QString::number(r + 1);
    writeRow(r, cells);
}

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
    writeRow(r, cells);
    if (!step.message.isEmpty()) MessageBox::warning(step.message);
    if (step.outcome == DueDate::Stop) return StepResult::Stopped;
    return step.outcome == DueDate::Valid && cells[ColVade].size() == 10 ? StepResult::Calculated
                                                                          : StepResult::NotCalculated;
}

void TcekortF::commitOpenEditor()
{
    // What is typed in the open cell editor belongs to the cell before a command reads it.
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (editor && StringGrid1->isAncestorOf(editor) && StringGrid1->currentRow() >= 0)
        static_cast<SlipGridDelegate *>(StringGrid1->itemDelegate())->commit(editor);
}

void TcekortF::hesapla()
{
    commitOpenEditor();
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
    commitOpenEditor();
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
    SaveResult result;
    try {
        std::unique_ptr<WaitScope> wait;
        if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, int(grid.size()), TForm2::kKayit);
        m_cheques->setFiltered(false);
        result = saveSlip(h, p, grid, Datasets{*m_slips, *m_cheques, *m_movements}, deletedCheques);
    } catch (const EngineError &e) {
        MessageBox::error(QStringLiteral("Bordro kaydedilemedi; hiçbir satır yazılmadı.\n\r") + e.message());
        return false;
    }
    if (!result.saved) {
        MessageBox::warning(result.message);
        return false;
    }
    for (int r = 0; r < grid.size(); ++r) writeRow(r, grid[r]);
    JustaEdit1->setText(QString::number(h.number));
    kuruEdit->setText(h.kuru);
    showTotals(calculateTotals(grid, p));
    girisDegisti = false;
    if (!result.message.isEmpty()) MessageBox::information(result.message);
    return true;
}

void TcekortF::gridibosalt2()
{
    {
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setRowCount(0);
        addEmptyRow();
    }
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
    commitOpenEditor();
    const int r = std::max(0, StringGrid1->currentRow());
    StringGrid1->insertRow(r);
    writeRow(r, QStringList(ColumnCount));
    renumber();
}

void TcekortF::satirSil()
{
    commitOpenEditor();
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
            if (StringGrid1->rowCount() == 0) addEmptyRow();
            r = std::min(r, StringGrid1->rowCount() - 1);
        }
    }
    // An empty row left current goes as well, without a question.
    if (rowCells(r)[ColVade].isEmpty() && StringGrid1->rowCount() > 1) StringGrid1->removeRow(r);
    renumber();
    addEmptyRow();
    if (!deleted.isEmpty() && !saveGrid(deleted)) {
        // The save stopped (and said why): the cheque is still stored, so its row comes back.
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setRowCount(int(before.size()));
        for (int i = 0; i < before.size(); ++i) writeRow(i, before[i]);
        StringGrid1->setCurrentCell(std::min(int(before.size()) - 1, std::max(0, r)), column);
    }
}

void TcekortF::ceKopyala()
{
    commitOpenEditor();
    const int r = StringGrid1->currentRow();
    if (r < 0) return;
    QVector<QStringList> all = rows();
    if (sayiOku(all[r][ColVade]) <= 100) return;
    for (int t = r + 1; t < all.size(); ++t) {
        if (sayiOku(all[t][ColVade]) < 100) {
            QStringList copy = all[t];
            for (int c : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16}) copy[c] = all[r][c];
            writeRow(t, copy);
            addEmptyRow();
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
        q.sql() << QStringLiteral("SELECT * FROM firma WHERE ") + sqlCodeEquals(QStringLiteral("firma_kodu"), code);
        q.open();
        if (!q.isEmpty()) {
            q.first();
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
    Edit61->setText(QString::number(card.yildakiGun));
    const auto plain = [](double v) { return QString::number(v, 'g', 15).replace(u'.', u','); };
    m_lead = RateLead::None;
    Edit62->setText(plain(card.yillikFaiz));
    Edit63->setText(plain(card.aylikFaiz));
    Edit64->setText(plain(card.masraf));
    Edit371->setText(QString::number(card.tahsilatSureEkle));
    JustaEdit57->setText(plain(card.bsmv));
    CheckBox1->setChecked(card.haftaSonuEkle);
    vadefarkiCheck->setChecked(card.vadeFarkiDus);
    masrafCheck->setChecked(card.masrafDus);
    BSMVCheck->setChecked(card.bsmvDus);
    markChanged();
}

int TcekortF::nextInputColumn(int col) const
{
    if (col == ColDuzenleyen) return ColBanka;
    if (col == ColCekNo) return ColAciklama;
    if (col == ColAciklama) return -1;  // next row
    return col + 1;
}

bool TcekortF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == KoduEdit && event->type() == QEvent::FocusOut) {
        // Leaving the code looks it up; switching to another window or opening a menu is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) cariBul();
    } else if ((watched == KoduEdit || watched == JustaEdit23) && event->type() == QEvent::MouseButtonDblClick) {
        JvXPButton2->click();
        return true;
    } else if (watched == Edit62 || watched == Edit63 || watched == kuruEdit) {
        // The rates and "Kuru" are yellow while they are typed in.
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            auto *edit = static_cast<QLineEdit *>(watched);
            QPalette pal = edit->palette();
            pal.setColor(QPalette::Base, event->type() == QEvent::FocusIn ? QColor(Qt::yellow) : QColor(Qt::white));
            edit->setPalette(pal);
        }
        if (watched != kuruEdit && event->type() == QEvent::FocusIn)
            m_lead = watched == Edit62 ? RateLead::Yearly : RateLead::Monthly;
        if (watched != kuruEdit && event->type() == QEvent::FocusOut)
            m_lead = watched == Edit62 ? RateLead::Monthly : RateLead::Yearly;
    } else if (watched == StringGrid1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // Every click in the grid runs the row step on the current row.
        StringGrid1Exit();
    } else if (event->type() == QEvent::ShortcutOverride && StringGrid1->isAncestorOf(qobject_cast<QWidget *>(watched))) {
        // In the cell editor Shift+Insert and Shift+Delete are the grid menu's row
        // commands, not paste and cut.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::ShiftModifier && (key->key() == Qt::Key_Insert || key->key() == Qt::Key_Delete)) {
            event->ignore();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress &&
               (watched == StringGrid1 || StringGrid1->isAncestorOf(qobject_cast<QWidget *>(watched)))) {
        auto *key = static_cast<QKeyEvent *>(event);
        const int row = StringGrid1->currentRow(), col = StringGrid1->currentColumn();
        // Keys of the cell editor: its text goes into the cell first.
        if (auto *editor = qobject_cast<QLineEdit *>(watched); editor && row >= 0 && col >= 0) {
            const int k = key->key();
            auto *delegate = static_cast<SlipGridDelegate *>(StringGrid1->itemDelegate());
            if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Up || k == Qt::Key_Down) delegate->finish(editor);
            // Left at the start and Right at the end of the text leave the cell, as the
            // always-open cell editor would otherwise trap the arrows.
            const bool atStart = editor->cursorPosition() == 0 && !editor->hasSelectedText();
            const bool atEnd = editor->cursorPosition() == editor->text().size() && !editor->hasSelectedText();
            if ((k == Qt::Key_Left && atStart) || (k == Qt::Key_Right && atEnd)) {
                const int step = k == Qt::Key_Left ? -1 : 1;
                int target = col + step;
                while (target > ColNo && target < ColumnCount && StringGrid1->isColumnHidden(target)) target += step;
                if (target > ColNo && target < ColumnCount) {
                    delegate->finish(editor);
                    StringGrid1->setCurrentCell(row, target);
                }
                return true;
            }
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const int next = nextInputColumn(col);
            if (next >= 0) StringGrid1->setCurrentCell(row, next);
            else if (row + 1 < StringGrid1->rowCount()) StringGrid1->setCurrentCell(row + 1, ColVade);
            return true;
        }
        // Delete in a calculated column moves on, as Tab does.
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier && watched == StringGrid1 &&
            isReadOnlyColumn(col) && col + 1 < ColumnCount) {
            int target = col + 1;
            while (target < ColumnCount - 1 && StringGrid1->isColumnHidden(target)) ++target;
            StringGrid1->setCurrentCell(row, target);
            return true;
        }
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            if (!StringGrid1Exit()) return true;
            const bool down = key->key() == Qt::Key_Down;
            if (down && col == ColTutar && row == StringGrid1->rowCount() - 1 && rowCells(row)[ColVade].size() > 7)
                addEmptyRow();
            const int target = down ? row + 1 : row - 1;
            if (target >= 0 && target < StringGrid1->rowCount()) StringGrid1->setCurrentCell(target, col);
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease && StringGrid1->currentColumn() == ColTutar) {
        // While the integer part of an amount is typed it is shown grouped ("12.500").
        auto *editor = qobject_cast<QLineEdit *>(watched);
        auto *key = static_cast<QKeyEvent *>(event);
        const int k = key->key();
        const bool arrow = k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down;
        const bool separator = k == Qt::Key_Comma || k == Qt::Key_Period || (key->modifiers() & Qt::KeypadModifier &&
                                                                              (k == Qt::Key_Period || k == Qt::Key_Comma));
        if (editor && StringGrid1->isAncestorOf(editor) && !arrow && !separator && !editor->text().contains(u',') &&
            editor->text().size() > 2) {
            const QString grouped = formatFloat(QStringLiteral("#,##0"), sayiOku(editor->text()));
            if (grouped != editor->text()) {
                // The cursor keeps its place counted from the end, where the digits did not move.
                const qsizetype fromEnd = editor->text().size() - editor->cursorPosition();
                editor->setText(grouped);
                editor->setCursorPosition(int(std::max<qsizetype>(0, grouped.size() - fromEnd)));
            }
        }
    }
    return QWidget::eventFilter(watched, event);
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
