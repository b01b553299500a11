#include "outlook/tvadegorunumuf.h"

#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "outlook/outlook_output.h"
#include "reports/layout_common.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "lists/cheque_list_window.h"
#include "widgets/form_kit.h"
#include "widgets/form_show.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/spreadsheet_show.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBarSeries>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {

const QColor kIn(46, 139, 87), kOut(192, 57, 43), kEndorsed(241, 196, 15), kOverdue(230, 126, 34),
    kBalance(41, 128, 185);

} // namespace

TvadeGorunumuF::TvadeGorunumuF(QWidget *parent)
    : QWidget(parent),
      firmabilgileri(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                     QStringLiteral("firmabilgileri"), this)
{
    setObjectName(QStringLiteral("TvadeGorunumuF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı   - Vade Görünümü"));
    setWindowFlag(Qt::Window);

    auto *root = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    donemBox = new QComboBox(this);
    donemBox->setObjectName(QStringLiteral("donemBox"));
    donemBox->addItems({QStringLiteral("Haftalık"), QStringLiteral("Aylık")});
    donemBox->setCurrentIndex(1);
    sayiSpin = new QSpinBox(this);
    sayiSpin->setObjectName(QStringLiteral("sayiSpin"));
    sayiSpin->setRange(1, 52);
    sayiSpin->setValue(6);
    paraBox = new QComboBox(this);
    paraBox->setObjectName(QStringLiteral("paraBox"));
    paraBox->addItem(kTlKarsiligi);
    paraBox->setMinimumWidth(120);
    top->addWidget(FormKit::caption(QStringLiteral("Dönem"), this, true));
    top->addWidget(donemBox);
    top->addWidget(FormKit::caption(QStringLiteral("Dönem Sayısı"), this, true));
    top->addWidget(sayiSpin);
    top->addWidget(FormKit::caption(QStringLiteral("Para Cinsi"), this, true));
    top->addWidget(paraBox);
    top->addSpacing(16);
    yenileBut = FormKit::button(this, "yenileBut", QStringLiteral("YENİLE"));
    yazdirBut = FormKit::button(this, "yazdirBut", QStringLiteral("YAZDIR"));
    excelBut = FormKit::button(this, "excelBut", QStringLiteral("EXCEL'E AKTAR"));
    kapatBut = FormKit::button(this, "kapatBut", QStringLiteral("KAPAT"));
    for (QPushButton *b : {yenileBut, yazdirBut, excelBut, kapatBut}) {
        b->setMinimumHeight(32);
        b->setMinimumWidth(96);
        top->addWidget(b);
    }
    top->addStretch(1);
    root->addLayout(top);

    auto *info = new QHBoxLayout;
    kasaLabel = new QLabel(this);
    kasaLabel->setObjectName(QStringLiteral("kasaLabel"));
    uyariLabel = new QLabel(this);
    uyariLabel->setObjectName(QStringLiteral("uyariLabel"));
    uyariLabel->setStyleSheet(QStringLiteral("color: #c0392b;"));
    info->addWidget(kasaLabel);
    info->addStretch(1);
    info->addWidget(uyariLabel);
    root->addLayout(info);

    vadeChart = new QChartView(this);
    vadeChart->setObjectName(QStringLiteral("vadeChart"));
    vadeChart->setRenderHint(QPainter::Antialiasing);
    vadeChart->setMinimumHeight(320);
    root->addWidget(vadeChart, 3);

    vadeTable = new QTableWidget(this);
    vadeTable->setObjectName(QStringLiteral("vadeTable"));
    vadeTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vadeTable->setColumnCount(int(Outlook::tableHeadings().size()));
    vadeTable->setHorizontalHeaderLabels(Outlook::tableHeadings());
    vadeTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    vadeTable->verticalHeader()->hide();
    root->addWidget(vadeTable, 2);

    KeyFilters::installEnterMovesFocus(this);
    connect(yenileBut, &QPushButton::clicked, this, [this] { Yenile(); });
    connect(yazdirBut, &QPushButton::clicked, this, &TvadeGorunumuF::yazdir);
    connect(excelBut, &QPushButton::clicked, this, [this] { excel(); });
    connect(kapatBut, &QPushButton::clicked, this, &QWidget::hide);
    // Changing a choice redraws from the figures already read.
    auto redraw = [this] {
        if (!m_options.today.isValid()) return;
        m_options = options();
        m_result = Outlook::compute(m_inputs, m_options);
        showResult();
    };
    connect(donemBox, &QComboBox::currentIndexChanged, this, redraw);
    connect(sayiSpin, &QSpinBox::valueChanged, this, redraw);
    connect(paraBox, &QComboBox::currentIndexChanged, this, redraw);
    auto drop = [this] {
        m_inputs = {};
        m_result = {};
        m_options = {};
        firmabilgileri.close();
        hide();
    };
    connect(&DataContext::instance(), &DataContext::companyClosed, this, drop);
    connect(&DataContext::instance(), &DataContext::companyOpened, this, drop);
    resize(1100, 760);
}

void TvadeGorunumuF::setListWindows(ChequeListWindow *received, ChequeListWindow *own)
{
    m_received = received;
    m_own = own;
}

Outlook::Options TvadeGorunumuF::options() const
{
    Outlook::Options o;
    o.today = QDate::currentDate();
    o.step = donemBox->currentIndex() == 0 ? Outlook::Step::Week : Outlook::Step::Month;
    o.periods = sayiSpin->value();
    o.currency = paraBox->currentIndex() <= 0 ? QString() : paraBox->currentText();
    return o;
}

bool TvadeGorunumuF::Yenile()
{
    DataContext &ctx = DataContext::instance();
    try {
        m_inputs = Outlook::read(ctx.ADOConnection1, &ctx.kasaConnection, QDate::currentDate());
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    // The currency choice offers what the figures hold, keeping the one chosen.
    const QString chosen = paraBox->currentText();
    paraBox->blockSignals(true);
    paraBox->clear();
    paraBox->addItem(kTlKarsiligi);
    paraBox->addItems(Outlook::currencies(m_inputs));
    const int at = paraBox->findText(chosen);
    paraBox->setCurrentIndex(at < 0 ? 0 : at);
    paraBox->blockSignals(false);
    m_options = options();
    m_result = Outlook::compute(m_inputs, m_options);
    showResult();
    return true;
}

QChart *TvadeGorunumuF::makeChart(const Outlook::Result &r)
{
    auto *chart = new QChart;
    auto *in = new QBarSet(QStringLiteral("Tahsil Edilecek"));
    auto *out = new QBarSet(QStringLiteral("Ödenecek"));
    auto *endorsed = new QBarSet(QStringLiteral("Cirolu (Vadesi Gelmemiş)"));
    in->setColor(kIn);
    out->setColor(kOut);
    endorsed->setColor(kEndorsed);
    QStringList labels;
    auto *balance = new QLineSeries;
    balance->setName(QStringLiteral("Öngörülen Bakiye"));
    balance->setColor(kBalance);
    QPen pen(kBalance);
    pen.setWidth(3);
    balance->setPen(pen);
    double low = 0, high = 0;
    for (int i = 0; i < r.periods.size(); ++i) {
        const Outlook::Period &p = r.periods[i];
        *in << p.in;
        *out << p.out;
        *endorsed << p.endorsed;
        labels << p.label;
        balance->append(i, p.balance);
        for (double v : {p.in, p.out, p.endorsed, p.balance}) {
            low = qMin(low, v);
            high = qMax(high, v);
        }
    }
    // The overdue period in the warning colour: its bars are drawn as selected.
    for (QBarSet *set : {in, out}) {
        set->setSelectedColor(kOverdue);
        set->selectBar(0);
    }
    auto *bars = new QBarSeries;
    bars->append({in, out, endorsed});
    chart->addSeries(bars);
    chart->addSeries(balance);
    auto *x = new QBarCategoryAxis;
    x->append(labels);
    auto *y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setRange(low, high > low ? high * 1.05 : low + 1);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

void TvadeGorunumuF::showResult()
{
    QChart *chart = makeChart(m_result);
    chart->setTitle(Outlook::title(m_options));
    if (auto *bars = qobject_cast<QBarSeries *>(chart->series().value(0))) {
        const QList<QBarSet *> sets = bars->barSets();
        for (int kind = 0; kind < sets.size(); ++kind)
            connect(sets[kind], &QBarSet::clicked, this, [this, kind](int index) { openPeriod(kind, index); });
    }
    QChart *old = vadeChart->chart();
    vadeChart->setChart(chart);
    if (old && old != chart) delete old;

    vadeTable->setRowCount(int(m_result.periods.size()));
    for (int row = 0; row < m_result.periods.size(); ++row) {
        const QStringList texts = Outlook::tableRow(m_result.periods[row]);
        for (int c = 0; c < texts.size(); ++c) {
            auto *item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (m_result.periods[row].overdue) item->setBackground(kOverdue.lighter(160));
            vadeTable->setItem(row, c, item);
        }
    }
    kasaLabel->setText(QStringLiteral("Bugünkü kasa bakiyesi: ") + formatFloat(kAmountFormat, m_result.cash));
    uyariLabel->setText(m_result.missingRates.isEmpty()
                            ? QString()
                            : QStringLiteral("Kuru girilmemiş para birimleri çeklerin kendi kurlarıyla hesaplandı: ")
                                  + m_result.missingRates.join(QStringLiteral(", ")));
}

Report TvadeGorunumuF::printout()
{
    QChartView view(makeChart(m_result));
    view.setRenderHint(QPainter::Antialiasing);
    view.resize(1200, 800);
    const QImage picture = view.grab().toImage();
    if (!firmabilgileri.isActive()) firmabilgileri.open();
    Report report(Outlook::printLayout(m_result, m_options, picture));
    report.registerDataset(kCompanyDataset, &firmabilgileri);
    return report;
}

void TvadeGorunumuF::yazdir()
{
    if (!m_options.today.isValid() && !Yenile()) return;
    try {
        printout().showPreview(this, TRaporOnizlemeF::kCaption);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

QString TvadeGorunumuF::excel()
{
    if (!m_options.today.isValid() && !Yenile()) return QString();
    const SpreadsheetExport::Result r = showSpreadsheet(Outlook::workbook(m_result, m_options), QStringLiteral("VadeGorunumu"));
    return r.outcome == SpreadsheetExport::Outcome::WriteFailed ? QString() : r.path;
}

void TvadeGorunumuF::openPeriod(int kind, int period)
{
    if (period < 0 || period >= m_result.periods.size()) return;
    ChequeListWindow *w = kind == 1 ? m_own : m_received;
    if (!w) return;
    const Outlook::Period &p = m_result.periods[period];
    // Held cheques: portfolio and bank; own: to pay; endorsed: the endorsed list.
    const int choice = kind == 0 ? 2 : kind == 2 ? 3 : 0;
    if (QAbstractButton *b = w->choiceGroup->button(choice)) b->setChecked(true);
    if (auto *past = w->findChild<QCheckBox *>(QStringLiteral("gecmisCheck"))) past->setChecked(false);
    w->bordroEdit->clear();
    w->firmaEdit->clear();
    w->firmaadiEdit->clear();
    const int currency = w->dovizBox->findText(m_options.currency.isEmpty() ? QStringLiteral("Hepsi") : m_options.currency);
    if (currency >= 0) w->dovizBox->setCurrentIndex(currency);
    w->basDate->setDate(p.from);
    w->bitDate->setDate(p.to);
    w->tarihCheck->setChecked(true);
    w->rebuild();
    showFormMaximized(w);
}
