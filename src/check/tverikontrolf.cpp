#include "check/tverikontrolf.h"

#include "data/data_context.h"
#include "data/memory_dataset.h"
#include "data/program_home.h"
#include "data/table.h"
#include "reports/layout_common.h"
#include "reports/report.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace {

const QString kDataset = QStringLiteral("bulgular");
const QStringList kFields = {QStringLiteral("sira"),  QStringLiteral("tur"),  QStringLiteral("dosya"),
                             QStringLiteral("tablo"), QStringLiteral("kayit"), QStringLiteral("cari"),
                             QStringLiteral("aciklama")};

ReportLayout findingsLayout()
{
    ReportLayout l = listLayout(QStringLiteral("VERİ KONTROLÜ"));
    const QVector<ReportColumn> columns{
        {10, {QStringLiteral("SN")}, {QStringLiteral("[LINE#]")}, Qt::AlignCenter},
        {40, {QStringLiteral("BULGU")}, {datasetField(kDataset, QStringLiteral("tur"))}},
        {32, {QStringLiteral("DOSYA")}, {datasetField(kDataset, QStringLiteral("dosya"))}},
        {22, {QStringLiteral("KAYIT")}, {datasetField(kDataset, QStringLiteral("kayit"))}},
        {86, {QStringLiteral("AÇIKLAMA")}, {datasetField(kDataset, QStringLiteral("aciklama"))}},
    };
    addColumns(l, kDataset, columns);
    return l;
}

} // namespace

TverikontrolF::TverikontrolF(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TverikontrolF"));
    setWindowTitle(QStringLiteral("Veri Kontrolü"));
    resize(1000, 560);
    auto *v = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    durumLabel = new QLabel(this);
    durumLabel->setObjectName(QStringLiteral("durumLabel"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setMaximumWidth(260);
    kontrolBut = new QPushButton(QStringLiteral("KONTROL ET"), this);
    kontrolBut->setObjectName(QStringLiteral("kontrolBut"));
    yazdirBut = new QPushButton(QStringLiteral("YAZDIR"), this);
    yazdirBut->setObjectName(QStringLiteral("yazdirBut"));
    kapatBut = new QPushButton(QStringLiteral("KAPAT"), this);
    kapatBut->setObjectName(QStringLiteral("kapatBut"));
    top->addWidget(durumLabel, 1);
    top->addWidget(ProgressBar1);
    top->addWidget(kontrolBut);
    top->addWidget(yazdirBut);
    top->addWidget(kapatBut);
    v->addLayout(top);
    auto *hint = new QLabel(QStringLiteral("Kontrol verileri değiştirmez. Bir bulgunun kaydını açmak için satırına çift "
                                           "tıklayın."),
                            this);
    v->addWidget(hint);

    m_rows = new MemoryDataset(kFields, this);
    m_rows->setObjectName(kDataset);
    m_rows->setRows({});
    bulgularGrid = new DatasetGrid(this);
    bulgularGrid->setObjectName(QStringLiteral("bulgularGrid"));
    bulgularGrid->setDataset(m_rows, {{QStringLiteral("sira"), QStringLiteral("SN"), QString(), 40},
                                      {QStringLiteral("tur"), QStringLiteral("Bulgu"), QString(), 210},
                                      {QStringLiteral("dosya"), QStringLiteral("Dosya"), QString(), 150},
                                      {QStringLiteral("tablo"), QStringLiteral("Tablo"), QString(), 90},
                                      {QStringLiteral("kayit"), QStringLiteral("Kayıt"), QString(), 60},
                                      {QStringLiteral("cari"), QStringLiteral("Cari"), QString(), 70},
                                      {QStringLiteral("aciklama"), QStringLiteral("Açıklama"), QString(), 520}});
    v->addWidget(bulgularGrid, 1);
    m_company = new Table(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                          QString(), this);

    connect(kontrolBut, &QPushButton::clicked, this, &TverikontrolF::baslat);
    connect(yazdirBut, &QPushButton::clicked, this, [this] {
        if (!m_findings.isEmpty()) rapor().showPreview(this, QStringLiteral("Brenvo Rapor Önizleme"));
    });
    connect(kapatBut, &QPushButton::clicked, this, &QWidget::close);
    connect(bulgularGrid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        const int row = m_rows->recordAt(index.row()).asString(QStringLiteral("sira")).toInt() - 1;
        if (row >= 0 && row < m_findings.size()) Q_EMIT openRequested(m_findings[row]);
    });
}

TverikontrolF::~TverikontrolF()
{
    m_stop = true;
    if (m_thread) m_thread->wait();
}

void TverikontrolF::ac()
{
    show();
    raise();
    activateWindow();
    baslat();
}

void TverikontrolF::baslat()
{
    if (m_thread) return;
    const QString code = DataContext::instance().aktifSirketKodu;
    if (code.isEmpty()) return;
    m_stop = false;
    m_findings.clear();
    m_rows->setRows({});
    kontrolBut->setEnabled(false);
    yazdirBut->setEnabled(false);
    durumLabel->setText(QStringLiteral("Kontrol ediliyor..."));
    ProgressBar1->setRange(0, 0);
    const QString home = ProgramHome::dir();
    auto result = std::make_shared<DataCheck::Result>();
    QPointer<TverikontrolF> self(this);
    m_thread = QThread::create([this, self, home, code, result] {
        *result = DataCheck::run(home, code, [this, self](int done, int total, const QString &step) {
            if (m_stop) return false;
            QMetaObject::invokeMethod(
                this, [self, done, total, step] { if (self) self->progress(done, total, step); }, Qt::QueuedConnection);
            return true;
        });
    });
    connect(m_thread, &QThread::finished, this, [this, result] {
        m_thread->deleteLater();
        m_thread = nullptr;
        showResult(*result);
    });
    m_thread->start();
}

void TverikontrolF::progress(int done, int total, const QString &step)
{
    if (!m_thread) return;
    ProgressBar1->setRange(0, total);
    ProgressBar1->setValue(done);
    durumLabel->setText(step + QStringLiteral("..."));
}

void TverikontrolF::showResult(const DataCheck::Result &result)
{
    m_findings = result.findings;
    QVector<QVariantList> rows;
    for (int i = 0; i < m_findings.size(); ++i) {
        const DataCheck::Finding &f = m_findings[i];
        rows.append({QString::number(i + 1), DataCheck::kindText(f.kind), f.file, f.table,
                     f.key ? QString::number(f.key) : QString(), f.account, f.text});
    }
    m_rows->setRows(rows);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(1);
    kontrolBut->setEnabled(true);
    yazdirBut->setEnabled(!m_findings.isEmpty());
    if (!result.error.isEmpty()) m_summary = result.error;
    else if (result.stopped) m_summary = QStringLiteral("Kontrol durduruldu.");
    else if (m_findings.isEmpty())
        m_summary = QStringLiteral("%1 dosya kontrol edildi, sorun bulunamadı.").arg(result.files.size());
    else
        m_summary = QStringLiteral("%1 dosya kontrol edildi, %2 bulgu var.").arg(result.files.size()).arg(m_findings.size());
    durumLabel->setText(m_summary);
    Q_EMIT finished();
}

Report TverikontrolF::rapor()
{
    Report report(findingsLayout());
    report.registerDataset(kDataset, m_rows);
    if (!m_company->isActive()) m_company->open();
    else m_company->refresh();
    report.registerDataset(kCompanyDataset, m_company);
    return report;
}

void TverikontrolF::closeEvent(QCloseEvent *event)
{
    // A check still reading stops; its findings so far are shown.
    m_stop = true;
    QWidget::closeEvent(event);
}
