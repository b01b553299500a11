#include "lists/cheque_list_window.h"

#include "widgets/form_kit.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "reports/layout_common.h"
#include "reports/preview_window.h"
#include "widgets/currency_box.h"
#include "widgets/dataset_grid.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
#include "widgets/row_paint_delegate.h"
#include "widgets/title_sort.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kAmount = FormKit::kListAmount;
const QString kDaysLeft = QStringLiteral("kalangun");

QVector<GridColumn> monthlyColumns()
{
    GridColumn yil{QStringLiteral("YIL"), QStringLiteral("YIL"), QString(), 50, false, Qt::AlignCenter};
    GridColumn ay{QStringLiteral("ay_adi"), QStringLiteral("AY"), QString(), 70};
    GridColumn pb{QStringLiteral("para_birimi"), QStringLiteral("PB"), QString(), 45};
    GridColumn toplam{QStringLiteral("Toplam_Tutar"), QStringLiteral("Toplam Tutar"), kAmount, 110, false,
                      Qt::AlignRight | Qt::AlignVCenter};
    return {yil, ay, pb, toplam};
}

bool showsDaysLeft(const QVector<GridColumn> &columns)
{
    return std::any_of(columns.begin(), columns.end(), [](const GridColumn &c) { return c.field == kDaysLeft; });
}

} // namespace

ChequeListWindow::ChequeListWindow(const Description &d, QWidget *parent)
    : QMainWindow(parent),
      listQuery(&DataContext::instance().ADOConnection1, d.listQuery, this),
      totalQuery(&DataContext::instance().ADOConnection1, d.totalQuery, this),
      monthlyQuery(&DataContext::instance().ADOConnection1, d.monthlyQuery, this),
      firmabilgileri(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                     QStringLiteral("firmabilgileri"), this),
      m_description(d)
{
    setObjectName(d.objectName);
    setWindowTitle(d.caption);

    // "Kalan": whole days from the operation date to the due date.
    if (showsDaysLeft(d.columns))
        listQuery.addCalculatedField(kDaysLeft, FieldType::Long, [this](const Record &r) {
            if (r.isNull(QStringLiteral("cek_tarihi"))) return QVariant();
            return QVariant(islemTarihi().daysTo(r.asDate(QStringLiteral("cek_tarihi"))));
        });
    monthlyQuery.addCalculatedField(QStringLiteral("ay_adi"), FieldType::Text, [](const Record &r) {
        return QVariant(ChequeList::monthName(int(r.asInteger(QStringLiteral("AY")))));
    });

    auto *central = new QWidget(this);
    auto *v = new QVBoxLayout(central);
    baslikLabel = FormKit::heading(central, "baslikLabel", d.heading, 6);
    v->addWidget(baslikLabel);
    v->addWidget(new QLabel(QStringLiteral("  Seçim Yaptıktan sonra \"GÜNCELLE\" tuşuna tıklayın."), central));
    v->addWidget(buildFilterPanel());

    listGrid = new DatasetGrid(central);
    listGrid->setObjectName(d.gridName);
    listGrid->setDataset(&listQuery, d.columns);
    listGrid->rowPainter()->setDueDateColouring(QStringLiteral("cek_tarihi"), 4);
    JvDBGrid1 = new DatasetGrid(central);
    JvDBGrid1->setObjectName(QStringLiteral("JvDBGrid1"));
    JvDBGrid1->setDataset(&monthlyQuery, monthlyColumns());
    for (DatasetGrid *g : {listGrid, JvDBGrid1}) {
        g->installEventFilter(this);  // Enter walks the columns
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->verticalHeader()->setDefaultSectionSize(22);
    }
    connectTitleSort(listGrid, &sortDirection,
                     [this](const QString &orderBy) { rebuild(ChequeList::listOrderLine(orderBy)); });
    v->addWidget(listGrid, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buildFooter(), 1);
    JvDBGrid1->setFixedHeight(150);
    // Wide enough for its four columns, the row numbers and the scroll bar, so
    // "Toplam Tutar" shows whole on a 1366-pixel screen.
    // (The row numbers' width is not known before the rows: room for four digits.)
    int monthlyWidth = JvDBGrid1->fontMetrics().horizontalAdvance(QStringLiteral("9999")) + 16
                       + JvDBGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    for (const GridColumn &c : monthlyColumns()) monthlyWidth += c.width;
    JvDBGrid1->setMinimumWidth(monthlyWidth);
    // The monthly sums under their caption.
    auto *monthly = new QVBoxLayout;
    monthly->setSpacing(2);
    auto *monthlyCaption = new QLabel(QStringLiteral("Aylık Rapor"), central);
    monthlyCaption->setObjectName(QStringLiteral("aylikRaporLabel"));
    monthlyCaption->setAlignment(Qt::AlignCenter);
    QFont bold = monthlyCaption->font();
    bold.setBold(true);
    monthlyCaption->setFont(bold);
    monthly->addWidget(monthlyCaption);
    monthly->addWidget(JvDBGrid1);
    bottom->addLayout(monthly);
    v->addLayout(bottom);
    setCentralWidget(central);

    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->followOpenCompany();
    setStatusBar(StatusBar1);

    buildPopupMenu();
    KeyFilters::installEnterMovesFocus(this);

    AccountPicker::registerHandler(d.pickerContext, [this](const PickedAccount &card) {
        firmaEdit->setText(card.kodu);
        firmaadiEdit->setText(card.adi);
    });
    setWindowState(Qt::WindowMaximized);
}

ChequeListWindow::~ChequeListWindow() { AccountPicker::unregisterTarget(m_description.pickerContext); }

QWidget *ChequeListWindow::buildFilterPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto *h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);

    auto *g = new QGridLayout;
    m_filterGrid = g;
    auto label = [panel](const QString &text) { return new QLabel(text, panel); };
    bordroEdit = new QLineEdit(panel);
    bordroEdit->setObjectName(QStringLiteral("bordroEdit"));
    firmaEdit = new QLineEdit(panel);
    firmaEdit->setObjectName(QStringLiteral("firmaEdit"));
    dovizBox = new QComboBox(panel);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    CurrencyBox::fill(dovizBox, CurrencyBox::Order::HepsiFirst);
    basDate = new QDateEdit(QDate::currentDate(), panel);
    basDate->setObjectName(QStringLiteral("basDate"));
    bitDate = new QDateEdit(QDate::currentDate(), panel);
    bitDate->setObjectName(QStringLiteral("bitDate"));
    KeyFilters::setupDateEdit(basDate);
    KeyFilters::setupDateEdit(bitDate);
    tarihCheck = new QCheckBox(panel);
    tarihCheck->setObjectName(QStringLiteral("tarihCheck"));
    firmaadiEdit = new QLineEdit(panel);
    firmaadiEdit->setObjectName(QStringLiteral("firmaadiEdit"));
    for (QLineEdit *e : {firmaEdit, firmaadiEdit}) e->installEventFilter(this);

    g->addWidget(label(QStringLiteral("Bordro No")), 0, 0);
    g->addWidget(bordroEdit, 0, 1);
    g->addWidget(label(QStringLiteral("Firma Kodu")), 1, 0);
    g->addWidget(firmaEdit, 1, 1);
    g->addWidget(label(QStringLiteral("Para Cinsi")), 2, 0);
    g->addWidget(dovizBox, 2, 1);
    g->addWidget(label(QStringLiteral("Başla. tarihi")), 0, 2);
    g->addWidget(basDate, 0, 3);
    g->addWidget(tarihCheck, 0, 4);
    g->addWidget(label(QStringLiteral("Bitiş tarihi")), 1, 2);
    g->addWidget(bitDate, 1, 3);
    g->addWidget(label(m_description.nameLabel), 2, 2);
    g->addWidget(firmaadiEdit, 2, 3, 1, 2);
    h->addLayout(g);

    RadioGroup1 = new QGroupBox(QStringLiteral("Gösterilecek Çekler"), panel);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    choiceGroup = new QButtonGroup(RadioGroup1);
    auto *g1 = new QGridLayout(RadioGroup1);
    const QStringList &states = m_description.stateTexts;
    const int rows = m_description.stateRows > 0 ? m_description.stateRows : int(states.size());
    for (int i = 0; i < states.size(); ++i) {
        auto *b = new QRadioButton(states[i], RadioGroup1);
        choiceGroup->addButton(b, i);
        g1->addWidget(b, i % rows, i / rows);
    }
    if (!states.isEmpty()) choiceGroup->button(0)->setChecked(true);
    h->addWidget(RadioGroup1);

    if (m_description.printChoices) {
        RadioGroup2 = new QGroupBox(QStringLiteral("Yazdırma Seçenekleri"), panel);
        RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
        printGroup = new QButtonGroup(RadioGroup2);
        auto *g2 = new QVBoxLayout(RadioGroup2);
        const QStringList prints = {QStringLiteral("Duzenleyen ve Alınan Firma"), QStringLiteral("Sadece Duzenleyen"),
                                    QStringLiteral("Sadece Alınan Firma")};
        for (int i = 0; i < prints.size(); ++i) {
            auto *b = new QRadioButton(prints[i], RadioGroup2);
            printGroup->addButton(b, i);
            g2->addWidget(b);
        }
        printGroup->button(0)->setChecked(true);
        h->addWidget(RadioGroup2);
    }

    auto *buttons = new QGridLayout;
    for (int i = 0; i < m_description.buttons.size(); ++i) {
        const Button &spec = m_description.buttons[i];
        auto *b = new QPushButton(spec.text, panel);
        b->setObjectName(QLatin1String(spec.name));
        b->setMinimumHeight(30);
        buttons->addWidget(b, i / 2, i % 2);
        QPushButton **first = nullptr;  // the member of the role
        switch (spec.role) {
        case ButtonRole::Refresh:
            first = &guncelleButton;
            connect(b, &QPushButton::clicked, this, [this] { rebuild(); });
            break;
        case ButtonRole::Print:
            first = &yazdirButton;
            connect(b, &QPushButton::clicked, this, &ChequeListWindow::yazdir);
            break;
        case ButtonRole::Close:
            first = &kapatButton;
            connect(b, &QPushButton::clicked, this, &QWidget::hide);
            break;
        case ButtonRole::Own: break;
        }
        if (first && !*first) *first = b;
    }
    h->addLayout(buttons);
    h->addStretch(1);

    connect(choiceGroup, &QButtonGroup::idClicked, this, [this] { rebuild(); });
    connect(tarihCheck, &QCheckBox::clicked, this, [this] { rebuild(); });
    return panel;
}

QWidget *ChequeListWindow::buildFooter()
{
    auto *footer = new QWidget(this);
    auto *g = new QGridLayout(footer);
    g->addWidget(new QLabel(QStringLiteral("Çeklerin Toplam Tutarı"), footer), 0, 0);
    toplamEdit = FormKit::resultEdit(footer, "", 150);
    toplamEdit->setObjectName(m_description.totalEditName);
    g->addWidget(toplamEdit, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("İşlem tarihi"), footer), 1, 0);
    islemDate = new QDateEdit(QDate::currentDate(), footer);
    islemDate->setObjectName(QStringLiteral("islemDate"));
    KeyFilters::setupDateEdit(islemDate);
    g->addWidget(islemDate, 1, 1);
    tumkolonCheck = new QCheckBox(QStringLiteral("Tüm kolonu göster"), footer);
    tumkolonCheck->setObjectName(QStringLiteral("tumkolonCheck"));
    tumkolonCheck->setChecked(true);
    g->addWidget(tumkolonCheck, 2, 0, 1, 2);
    g->setColumnStretch(2, 1);
    g->setRowStretch(3, 1);
    listGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(tumkolonCheck, &QCheckBox::toggled, this, [this](bool rows) {
        listGrid->setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    });
    // "Kalan" counts from this day: repaint the column when it changes.
    connect(islemDate, &QDateEdit::dateChanged, this, [this] { listGrid->viewport()->update(); });
    return footer;
}

void ChequeListWindow::buildPopupMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    for (const PopupItem &item : m_description.popupItems) {
        QAction *a = menu->addAction(item.text);
        a->setObjectName(QLatin1String(item.name));
        popupItems << a;
    }
    for (DatasetGrid *g : {listGrid, JvDBGrid1}) {
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(g, &QWidget::customContextMenuRequested, menu,
                [g, menu](const QPoint &p) { menu->popup(g->viewport()->mapToGlobal(p)); });
    }
}

void ChequeListWindow::addPopupItem(QAction *item)
{
    if (auto *menu = findChild<QMenu *>(QStringLiteral("PopupMenu1"))) menu->addAction(item);
}

void ChequeListWindow::setCariF(TcariF *cari) { m_cari = cari; }

QDate ChequeListWindow::islemTarihi() const { return islemDate->date(); }

QPushButton *ChequeListWindow::button(const char *name) const
{
    return findChild<QPushButton *>(QLatin1String(name));
}

int ChequeListWindow::stateChoice() const { return qMax(0, choiceGroup->checkedId()); }

ChequeList::FilterValues ChequeListWindow::filterValues() const
{
    ChequeList::FilterValues f;
    f.bordroNo = bordroEdit->text();
    f.firmaKodu = firmaEdit->text();
    f.paraCinsi = CurrencyBox::chosen(dovizBox, CurrencyBox::Order::HepsiFirst);
    f.firmaAdi = firmaadiEdit->text();
    f.tarihAcik = tarihCheck->isChecked();
    f.basTarihi = basDate->date();
    f.bitisTarihi = bitDate->date();
    return f;
}

void ChequeListWindow::rebuild(const QString &orderBy)
{
    try {
        const ChequeList::Statements s =
            ChequeList::assemble(m_description.shape, stateLines(), filterValues(), orderBy);
        // All three close first, so that a statement that fails leaves none showing old rows.
        for (Query *q : {&listQuery, &totalQuery, &monthlyQuery}) q->close();
        listQuery.reopen(s.list);
        totalQuery.reopen(s.total);
        monthlyQuery.reopen(s.monthly);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    showTotal();
}

void ChequeListWindow::reopenSlipList(const QString &orderField)
{
    try {
        listQuery.reopen(ChequeList::slipList(m_description.shape, bordroEdit->text(), orderField));
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void ChequeListWindow::showTotal()
{
    const QString total = QStringLiteral("Cek_Toplami");
    if (!totalQuery.isActive() || totalQuery.isEmpty() || totalQuery.field(total).isNull()) {
        toplamEdit->clear();
        return;
    }
    toplamEdit->setText(formatFloat(kAmount, totalQuery.field(total).asFloat()));
}

Report ChequeListWindow::printout()
{
    if (!firmabilgileri.isActive()) firmabilgileri.open();
    Report report(m_description.layout());
    report.registerDataset(listQuery.objectName(), &listQuery);
    report.registerDataset(totalQuery.objectName(), &totalQuery);
    report.registerDataset(kCompanyDataset, &firmabilgileri);
    if (!printGroup) return report;
    const QString duzenleyen = datasetField(listQuery.objectName(), QStringLiteral("ceki_duzenleyen"));
    const QString firma = datasetField(listQuery.objectName(), QStringLiteral("alindigi_firma"));
    switch (printGroup->checkedId()) {
    case 1:
        report.setMemoText(QStringLiteral("Memo15"), QStringLiteral("ÇEKİ DÜZENLEYEN"));
        report.setMemoText(QStringLiteral("Memo16"), duzenleyen);
        break;
    case 2:
        report.setMemoText(QStringLiteral("Memo15"), QStringLiteral("ALINDIĞI FİRMA"));
        report.setMemoText(QStringLiteral("Memo16"), firma);
        break;
    default:
        report.setMemoText(QStringLiteral("Memo15"), QStringLiteral("ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA"));
        report.setMemoText(QStringLiteral("Memo16"), duzenleyen + QStringLiteral("/ ") + firma);
    }
    return report;
}

void ChequeListWindow::yazdir()
{
    try {
        const Report report = printout();
        listQuery.disableControls();
        report.showPreview(this, TRaporOnizlemeF::kCaption);
        listQuery.enableControls();
    } catch (const EngineError &e) {
        listQuery.enableControls();
        MessageBox::error(e.message());
    }
}

void ChequeListWindow::openPicker(QLineEdit *edit)
{
    if (!m_cari) return;
    const QString &context = m_description.pickerContext;
    AccountPicker::cariSecimYeri() = context;
    if (edit == firmaEdit) m_cari->ac(context, edit->text());
    else m_cari->ac(context, QString(), edit->text());
}

bool ChequeListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && (watched == firmaEdit || watched == firmaadiEdit)) {
        openPicker(static_cast<QLineEdit *>(watched));
        return true;
    }
    if ((watched == listGrid || watched == JvDBGrid1)
        && KeyFilters::enterMovesToNextColumn(static_cast<DatasetGrid *>(watched), event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}
