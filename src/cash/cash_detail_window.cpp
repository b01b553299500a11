#include "cash/cash_detail_window.h"

#include "cash/cash_entry_steps.h"
#include "cash/cash_row_writer.h"
#include "cash/tkasarf.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "data/sql_literals.h"
#include "data/query.h"
#include "data/table.h"
#include "reports/layout_common.h"
#include "reports/layouts_cash_reports.h"
#include "reports/report.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kRangeStart = QStringLiteral("Rapor Tarihi:");
const QString kDeleteCaption = QStringLiteral("Brenvo Günlük Kasa Takip");

QString money(double value) { return formatFloat(FormKit::kListAmount, value); }

} // namespace

CashDetailWindow::CashDetailWindow(Side side, QWidget *parent) : QWidget(parent), m_side(side)
{
    const bool collections = side == Side::Collections;
    setObjectName(collections ? QStringLiteral("TgelirdetayF") : QStringLiteral("TgiderdetayF"));
    setWindowTitle(collections ? QStringLiteral("Brenvo Çek Senet Takip Programı - Kasa Tahsilat Detay")
                               : QStringLiteral("Brenvo Çek Senet Takip Programı - Kasa Ödeme Detay"));
    query = new Query(&DataContext::instance().kasaConnection,
                      collections ? QStringLiteral("detaygelirQuery") : QStringLiteral("detaygiderQuery"), this);
    m_company = new Table(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                          kCompanyDataset, this);

    auto *root = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() + 6);
    Label1->setFont(big);
    root->addWidget(Label1);
    auto *info = new QHBoxLayout;
    info->addWidget(FormKit::caption(QStringLiteral("Toplam Tutar:"), this, true));
    Label2 = new QLabel(QStringLiteral("0,00"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    info->addWidget(Label2);
    info->addStretch(1);
    Label3 = new QLabel(kRangeStart, this);
    Label3->setObjectName(QStringLiteral("Label3"));
    info->addWidget(Label3);
    root->addLayout(info);

    DBGrid1 = new DatasetGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataset(query, {gridColumn("islem_tarihi", "Tarih", 85, FormKit::kDate),
                                gridColumn("aciklama", "Açıklama", 300),
                                collections ? gridColumn("borc_tutar", "Tahsilat Tutarı", 110, FormKit::kMoney)
                                            : gridColumn("alacak_tutar", "Ödeme Tutarı", 110, FormKit::kMoney),
                                gridColumn("doviz_cinsi", "PB", 64),
                                gridColumn("doviz_kuru", "D.Kuru", 64, QStringLiteral("#,##0.00000"))});
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    root->addWidget(DBGrid1, 1);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, [this] { duzelt(); });
    const struct {
        const char *name, *text;
        void (CashDetailWindow::*action)();
    } items[] = {{"duzeltMenuItem", "Kaydı Düzelt", &CashDetailWindow::duzelt},
                 {"silMenuItem", "Kaydı Sil", &CashDetailWindow::sil},
                 {"evrakMenuItem", "Evraklarına Bak/Ekle", nullptr}};  // the documents are wired by the application
    for (const auto &i : items) {
        auto *action = new QAction(QString::fromUtf8(i.text), DBGrid1);
        action->setObjectName(QLatin1String(i.name));
        if (i.action) connect(action, &QAction::triggered, this, i.action);
        else action->setEnabled(false);
        DBGrid1->addAction(action);
    }
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *yaz = FormKit::button(this, "yazdirBut", QStringLiteral("Yazdır"));
    connect(yaz, &QPushButton::clicked, this, &CashDetailWindow::yazdir);
    buttons->addWidget(yaz);
    QPushButton *kapatBut = FormKit::button(this, "kapatBut", QStringLiteral("Kapat"));
    connect(kapatBut, &QPushButton::clicked, this, &CashDetailWindow::kapat);
    buttons->addWidget(kapatBut);
    root->addLayout(buttons);
    resize(720, 480);
}

CashDetailWindow::~CashDetailWindow() = default;

double CashDetailWindow::yukle(const QString &type, const QDate &first, const QDate &last, const QString &currency)
{
    m_type = type;
    m_first = first;
    m_last = last;
    m_currency = currency;
    m_range = TypeReportStatements::reportDate(first, last);
    m_loaded = true;
    Label2->setText(QStringLiteral("0.00"));
    reload();
    Label3->setText(m_range);
    return m_total;
}

void CashDetailWindow::reload()
{
    const QString currency = m_currency;
    if (!currency.isEmpty() && currency != kHepsi) {
        query->setFilter([currency](const Record &r) { return r.asString(QStringLiteral("doviz_cinsi")) == currency; });
        query->setFiltered(true);
    } else {
        query->setFiltered(false);
    }
    query->reopen(TypeReportStatements::detail(m_side, m_type, m_first, m_last));
    showTotal();
}

void CashDetailWindow::showTotal()
{
    const QString amount = TypeReportStatements::amountField(m_side);
    double total = 0;
    for (int row = 0; row < query->recordCount(); ++row) total += query->recordAt(row).asFloat(amount);
    m_total = roundKurus(total);
    Label2->setText(money(m_total));
    Label1->setText(query->isEmpty() ? QString() : query->recordAt(0).asString(QStringLiteral("neden")));
}

Report CashDetailWindow::rapor()
{
    const bool collections = m_side == Side::Collections;
    Report report(collections ? tahsilatDetayLayout() : odemeDetayLayout());
    report.registerDataset(query->objectName(), query);
    if (!m_company->isActive()) m_company->open();
    else m_company->refresh();
    report.registerDataset(kCompanyDataset, m_company);
    const bool open = m_loaded && query->isActive();
    report.setMemoText(QStringLiteral("Memo1"),
                       open && !query->isEmpty() ? query->recordAt(0).asString(QStringLiteral("neden")) : QString());
    report.setMemoText(QStringLiteral("Memo11"), open ? m_range : QString());
    report.setMemoText(QStringLiteral("Memo19"), money(open ? m_total : 0));
    return report;
}

void CashDetailWindow::yazdir()
{
    if (m_recompute) m_recompute();
    if (!query->isActive()) return;
    rapor().showPreview(this, QStringLiteral("Brenvo Rapor Önizleme"));
}

void CashDetailWindow::kapat()
{
    query->close();
    m_loaded = false;
    m_total = 0;
    Label2->setText(QStringLiteral("0.00"));
    Label3->setText(kRangeStart);
    Label1->clear();
    hide();
}

void CashDetailWindow::closeEvent(QCloseEvent *event)
{
    kapat();
    event->accept();
}

bool CashDetailWindow::viewOnCurrent()
{
    if (!m_view || !query->isActive() || query->isEmpty() || query->currentRow() < 0) return false;
    const qint64 nid = query->value(QStringLiteral("nid")).toLongLong();
    if (nid <= 0) return false;
    return m_view->hareketeGit(FieldValue::asDate(query->value(QStringLiteral("islem_tarihi"))), nid);
}

void CashDetailWindow::duzelt()
{
    if (!viewOnCurrent()) return;
    m_view->duzelt();
}

void CashDetailWindow::sil()
{
    if (!query->isActive() || query->isEmpty()) return;
    if (MessageBox::show(kDeleteCaption, CashEntry::kDeleteQuestion, MessageBox::Icon::Question,
                         MessageBox::Yes | MessageBox::No, this)
        != MessageBox::Yes)
        return;
    if (!viewOnCurrent()) return;
    try {
        CashRowWriter::removeCurrent(*m_view->kasaRTable);
        // The list and its total without the deleted movement.
        const int row = query->currentRow();
        reload();
        if (!query->isEmpty()) query->setRecNo(qMin(row + 1, query->recordCount()));
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

QVariant CashDetailWindow::evrakAnahtari()
{
    if (!viewOnCurrent()) return {};
    return m_view->kasaRTable->value(QStringLiteral("nid"));
}
