#include "reports/preview_window.h"

#include "data/turkish_text.h"
#include "reports/page_view.h"
#include "reports/report_files.h"
#include "reports/report_output.h"
#include "reports/report_messages.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QString kReportFilter = QStringLiteral("Brenvo Rapor Dosyası (*.brp)");
const QString kPdfFilter = QStringLiteral("PDF Dosyası (*.pdf)");
const int kPercents[] = {25, 50, 75, 100, 125, 150, 200, 300};

QString withSuffix(QString path, const QString &suffix)
{
    if (QFileInfo(path).suffix().isEmpty()) path += u'.' + suffix;
    return path;
}
} // namespace

TRaporOnizlemeF::TRaporOnizlemeF(PreparedReport report, const QString &caption, QWidget *parent)
    : QDialog(parent), m_report(std::move(report))
{
    setObjectName(QStringLiteral("TRaporOnizlemeF"));
    setWindowTitle(caption.isEmpty() ? kCaption : caption);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1000, 800);

    m_preview = new PageView(this);
    m_preview->setObjectName(QStringLiteral("onizleme"));
    m_preview->setReport(&m_report, &m_highlights);
    connect(m_preview, &PageView::currentPageChanged, this, &TRaporOnizlemeF::updatePageLabel);

    buildToolBar();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_preview, 1);

    auto shortcut = [this](const QKeySequence &keys, auto slot) {
        auto *s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::Key_PageDown), [this] { nextPage(); });
    shortcut(QKeySequence(Qt::Key_PageUp), [this] { previousPage(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        m_findEdit->setFocus();
        m_findEdit->selectAll();
    });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { print(); });
    // Esc closes the dialog as every dialog does.

    fitWidth();
    updatePageLabel();
}

TRaporOnizlemeF::~TRaporOnizlemeF() = default;

void TRaporOnizlemeF::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("onizlemeToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto action = [this](const QString &name, const QString &text, const QString &tip, auto slot) {
        QAction *a = m_toolBar->addAction(text);
        a->setObjectName(name);
        a->setToolTip(tip);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    m_zoomBox = new QComboBox(m_toolBar);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->addItem(QStringLiteral("Sayfaya Sığdır"));
    m_zoomBox->addItem(QStringLiteral("Genişliğe Sığdır"));
    for (int p : kPercents) m_zoomBox->addItem(QStringLiteral("%%1").arg(p), p);
    m_zoomBox->setToolTip(QStringLiteral("Yakınlaştırma"));
    connect(m_zoomBox, &QComboBox::activated, this, &TRaporOnizlemeF::onZoomChosen);
    m_toolBar->addWidget(m_zoomBox);
    action(QStringLiteral("uzaklastirAct"), QStringLiteral("−"), QStringLiteral("Uzaklaştır"), [this] {
        setZoomPercent(qMax(10, int(zoomFactor() * 100 / 1.25 + 0.5)));
    });
    action(QStringLiteral("yakinlastirAct"), QStringLiteral("+"), QStringLiteral("Yakınlaştır"), [this] {
        setZoomPercent(qMin(800, int(zoomFactor() * 125 + 0.5)));
    });
    m_toolBar->addSeparator();

    action(QStringLiteral("ilkSayfaAct"), QStringLiteral("|◀"), QStringLiteral("İlk sayfa"), [this] { goToPage(1); });
    action(QStringLiteral("oncekiSayfaAct"), QStringLiteral("◀"), QStringLiteral("Önceki sayfa (PgUp)"),
           [this] { previousPage(); });
    m_pageLabel = new QLabel(m_toolBar);
    m_pageLabel->setObjectName(QStringLiteral("sayfaLabel"));
    m_pageLabel->setContentsMargins(6, 0, 6, 0);
    m_toolBar->addWidget(m_pageLabel);
    action(QStringLiteral("sonrakiSayfaAct"), QStringLiteral("▶"), QStringLiteral("Sonraki sayfa (PgDn)"),
           [this] { nextPage(); });
    action(QStringLiteral("sonSayfaAct"), QStringLiteral("▶|"), QStringLiteral("Son sayfa"),
           [this] { goToPage(pageCount()); });
    m_toolBar->addSeparator();

    m_findEdit = new QLineEdit(m_toolBar);
    m_findEdit->setObjectName(QStringLiteral("bulEdit"));
    m_findEdit->setPlaceholderText(QStringLiteral("Aranacak metin (Ctrl+F)"));
    m_findEdit->setMaximumWidth(180);
    connect(m_findEdit, &QLineEdit::returnPressed, this, &TRaporOnizlemeF::findNext);
    m_toolBar->addWidget(m_findEdit);
    action(QStringLiteral("bulAct"), QStringLiteral("Bul"), QStringLiteral("Sonraki eşleşmeyi bul"),
           [this] { findNext(); });
    m_toolBar->addSeparator();

    action(QStringLiteral("yazdirAct"), QStringLiteral("Yazdır"), QStringLiteral("Raporu yazdır (Ctrl+P)"),
           [this] { print(); });
    action(QStringLiteral("kaydetAct"), QStringLiteral("Kaydet"), QStringLiteral("Hazırlanan raporu dosyaya kaydet"),
           [this] { saveReport(); });
    action(QStringLiteral("yukleAct"), QStringLiteral("Yükle"), QStringLiteral("Kaydedilmiş raporu aç"),
           [this] { loadReport(); });
    action(QStringLiteral("pdfAct"), QStringLiteral("PDF Kaydet"), QStringLiteral("Raporu PDF dosyası olarak kaydet"),
           [this] { savePdf(); });
    m_toolBar->addSeparator();
    action(QStringLiteral("cikisAct"), QStringLiteral("Çıkış"), QStringLiteral("Önizlemeyi kapat (Esc)"),
           [this] { reject(); });
}

void TRaporOnizlemeF::setReport(PreparedReport report)
{
    m_report = std::move(report);
    m_matches.clear();
    m_current = -1;
    m_findText.clear();
    m_highlights.clear();
    m_preview->setReport(&m_report, &m_highlights);
    goToPage(1);
    updatePageLabel();
}

int TRaporOnizlemeF::pageCount() const { return m_preview->pageCount(); }
int TRaporOnizlemeF::currentPage() const { return m_preview->currentPage(); }

void TRaporOnizlemeF::goToPage(int page)
{
    if (pageCount() == 0) return;
    m_preview->setCurrentPage(qBound(1, page, pageCount()));
    updatePageLabel();
}

void TRaporOnizlemeF::updatePageLabel()
{
    m_pageLabel->setText(QStringLiteral("Sayfa %1 / %2").arg(currentPage()).arg(pageCount()));
}

void TRaporOnizlemeF::fitPage()
{
    m_preview->setZoomMode(PageView::ZoomMode::FitPage);
    m_zoomBox->setCurrentIndex(0);
}

void TRaporOnizlemeF::fitWidth()
{
    m_preview->setZoomMode(PageView::ZoomMode::FitWidth);
    m_zoomBox->setCurrentIndex(1);
}

void TRaporOnizlemeF::setZoomPercent(int percent)
{
    m_preview->setZoomFactor(percent / 100.0);
    const int i = m_zoomBox->findData(percent);
    if (i >= 0) {
        m_zoomBox->setCurrentIndex(i);
    } else {
        m_zoomBox->setEditable(false);
        m_zoomBox->setCurrentIndex(-1);
        m_zoomBox->setPlaceholderText(QStringLiteral("%%1").arg(percent));
    }
}

double TRaporOnizlemeF::zoomFactor() const { return m_preview->zoomFactor(); }

void TRaporOnizlemeF::onZoomChosen(int index)
{
    if (index == 0) fitPage();
    else if (index == 1) fitWidth();
    else setZoomPercent(m_zoomBox->itemData(index).toInt());
}

int TRaporOnizlemeF::find(const QString &text)
{
    m_findText = text;
    if (m_findEdit->text() != text) m_findEdit->setText(text);  // "next" goes on with this search
    m_matches.clear();
    m_current = -1;
    const QString needle = turkishFold(text.trimmed());
    if (!needle.isEmpty()) {
        for (int p = 0; p < m_report.pageCount(); ++p) {
            const QVector<PageItem> &items = m_report.pages[p].items;
            for (int i = 0; i < items.size(); ++i)
                if (turkishFold(items[i].text).contains(needle)) m_matches.append({p, i});
        }
    }
    if (m_matches.isEmpty()) {
        updateHighlights();
        if (!needle.isEmpty())
            ReportMessages::information(QStringLiteral("\"%1\" bulunamadı.").arg(text.trimmed()), windowTitle());
        return 0;
    }
    m_current = 0;
    updateHighlights();
    goToPage(m_matches.first().first + 1);
    return int(m_matches.size());
}

void TRaporOnizlemeF::findNext()
{
    const QString text = m_findEdit->text();
    if (text != m_findText || m_matches.isEmpty()) {
        find(text);
        return;
    }
    m_current = (m_current + 1) % int(m_matches.size());
    updateHighlights();
    goToPage(m_matches[m_current].first + 1);
}

void TRaporOnizlemeF::updateHighlights()
{
    m_highlights = QVector<PageHighlight>(m_report.pageCount());
    for (int i = 0; i < m_matches.size(); ++i) {
        const auto [page, item] = m_matches[i];
        m_highlights[page].items.insert(item);
        if (i == m_current) m_highlights[page].current = item;
    }
    m_preview->refresh();
}

bool TRaporOnizlemeF::print()
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer on this computer (or no print service): the report can still be
        // kept as a PDF file and printed elsewhere.
        ReportMessages::information(QStringLiteral("Bilgisayarda tanımlı yazıcı bulunamadı.\nRapor PDF dosyası olarak kaydedilecek."),
                                windowTitle());
        return savePdf();
    }
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, m_report);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, m_report.pageCount());
    if (dialog.exec() != QDialog::Accepted) return false;
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (!printReport(m_report, printer, range ? printer.fromPage() : 0, range ? printer.toPage() : 0)) {
        ReportMessages::error(QStringLiteral("Rapor yazdırılamadı."), windowTitle());
        return false;
    }
    return true;
}

bool TRaporOnizlemeF::saveReport()
{
    QString path = ReportFiles::choose(this, ReportFiles::Mode::Save, QStringLiteral("Raporu Kaydet"), kReportFilter);
    if (path.isEmpty()) return false;
    path = withSuffix(path, QStringLiteral("brp"));
    QString error;
    if (!m_report.save(path, &error)) {
        ReportMessages::error(error, windowTitle());
        return false;
    }
    return true;
}

bool TRaporOnizlemeF::loadReport()
{
    const QString path = ReportFiles::choose(this, ReportFiles::Mode::Open, QStringLiteral("Rapor Yükle"),
                                             kReportFilter + QStringLiteral(";;Tüm Dosyalar (*)"));
    if (path.isEmpty()) return false;
    PreparedReport loaded;
    QString error;
    if (!PreparedReport::load(path, &loaded, &error)) {
        ReportMessages::error(error, windowTitle());
        return false;
    }
    setReport(std::move(loaded));
    return true;
}

bool TRaporOnizlemeF::savePdf()
{
    QString path = ReportFiles::choose(this, ReportFiles::Mode::Save, QStringLiteral("PDF Olarak Kaydet"), kPdfFilter);
    if (path.isEmpty()) return false;
    path = withSuffix(path, QStringLiteral("pdf"));
    QString error;
    if (!writePdf(m_report, path, &error)) {
        ReportMessages::error(error, windowTitle());
        return false;
    }
    return true;
}
