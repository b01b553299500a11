#include "history/tcekgecmisf.h"

#include "data/data_context.h"
#include "data/engine_error.h"
#include "history/cheque_history.h"
#include "reports/layout_common.h"
#include "reports/report.h"
#include "reports/report_messages.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TcekgecmisF::TcekgecmisF(QWidget *parent) : QWidget(parent, Qt::Window), olayQuery(&DataContext::instance().ADOConnection1)
{
    setObjectName(QStringLiteral("TcekgecmisF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Çek Geçmişi"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("ÇEK GEÇMİŞİ"), this);
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    heading->setFont(f);
    layout->addWidget(heading);
    baslikLabel = new QLabel(this);
    baslikLabel->setObjectName(QStringLiteral("baslikLabel"));
    baslikLabel->setWordWrap(true);
    layout->addWidget(baslikLabel);
    olayGrid = new DatasetGrid(this);
    olayGrid->setObjectName(QStringLiteral("olayGrid"));
    layout->addWidget(olayGrid, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    yazdirBut = new QPushButton(QStringLiteral("YAZDIR"), this);
    yazdirBut->setObjectName(QStringLiteral("yazdirBut"));
    kapatBut = new QPushButton(QStringLiteral("KAPAT"), this);
    kapatBut->setObjectName(QStringLiteral("kapatBut"));
    buttons->addWidget(yazdirBut);
    buttons->addWidget(kapatBut);
    layout->addLayout(buttons);
    connect(kapatBut, &QPushButton::clicked, this, &QWidget::hide);
    connect(yazdirBut, &QPushButton::clicked, this, &TcekgecmisF::print);
    connect(olayGrid, &QAbstractItemView::doubleClicked, this, [this] {
        if (!olayQuery.isActive() || olayQuery.isEmpty()) return;
        const qint64 slip = olayQuery.field(QStringLiteral("bordro_ind")).asInteger();
        if (slip <= 0) return;
        const QString op = olayQuery.field(QStringLiteral("islem")).asString();
        const bool entry = m_kind == OperationLog::Kind::Received && op == QLatin1String("Giriş");
        Q_EMIT slipWanted(!entry, slip);
    });
    resize(900, 420);
}

void TcekgecmisF::showCheque(OperationLog::Kind kind, qint64 cheque)
{
    m_kind = kind;
    m_cheque = cheque;
    Connection &company = DataContext::instance().ADOConnection1;
    try {
        baslikLabel->setText(ChequeHistory::headerText(ChequeHistory::header(company, kind, cheque)));
        olayQuery.reopen(ChequeHistory::eventsStatement(kind, cheque));
    } catch (const EngineError &e) {
        ReportMessages::error(e.message(), windowTitle());
        return;
    }
    olayGrid->setDataset(&olayQuery, {gridColumn("islem_tarihi", "Tarih", 80, FormKit::kDate),
                                      gridColumn("islem", "İşlem", 170),
                                      gridColumn("bordro_ind", "Bordro", 60),
                                      gridColumn("cari_kodu", "Cari", 90),
                                      gridColumn("tutar", "Tutar", 100, FormKit::kMoney),
                                      gridColumn("tl_tutar", "TL Karşılığı", 100, FormKit::kMoney),
                                      gridColumn("para_birimi", "PB", 40),
                                      gridColumn("kasa_yili", "Kasa Yılı", 70),
                                      gridColumn("yeniden", "Sonradan Çıkarıldı", 120)});
    show();
    raise();
    activateWindow();
}

static ReportLayout chequeHistoryLayout()
{
    ReportLayout layout = listLayout(QStringLiteral("ÇEK GEÇMİŞİ"));
    const QString ds = QStringLiteral("olayQuery");
    auto column = [&](double width, const char *heading, const char *field, const QString &format = QString(),
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        ReportColumn c;
        c.width = width;
        c.headings = {QString::fromUtf8(heading)};
        c.texts = {datasetField(ds, QString::fromLatin1(field))};
        c.format = format;
        c.alignment = align;
        return c;
    };
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    addColumns(layout, ds,
               {column(22, "TARİH", "islem_tarihi", kDateFormat), column(45, "İŞLEM", "islem"),
                column(16, "BORDRO", "bordro_ind"), column(24, "CARİ", "cari_kodu"),
                column(28, "TUTARI", "tutar", kAmountFormat, right), column(28, "TL KARŞILIĞI", "tl_tutar", kAmountFormat, right),
                column(12, "PB", "para_birimi")});
    return layout;
}

void TcekgecmisF::print()
{
    if (!olayQuery.isActive()) return;
    ReportLayout layout = chequeHistoryLayout();
    // The cheque's header line under the title.
    ReportMemo memo;
    memo.name = QStringLiteral("CekBaslik");
    memo.text = baslikLabel->text();
    memo.rect = QRectF(0, 0, 180, 6);
    memo.font = ::font(9, true);
    for (ReportBand &b : layout.bands)
        if (b.type == BandType::ColumnHeader) {
            for (ReportMemo &m : b.memos) m.rect.translate(0, 7);
            b.height += 7;
            b.memos.prepend(memo);
            break;
        }
    Report report(layout);
    report.registerDataset(QStringLiteral("olayQuery"), &olayQuery);
    report.showPreview(this);
}
