#include "cash/tikitarihf.h"

#include "cash/cash_year_span.h"
#include "cash/two_date_statements.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
#include "reports/layout_common.h"
#include "reports/layouts_cash_reports.h"
#include "reports/report.h"
#include "widgets/currency_box.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// BorcToplam − AlacakToplam of a sums row.
void addDifference(Query *q, const QString &name)
{
    q->addCalculatedField(name, FieldType::Double, [](const Record &r) {
        return QVariant(r.asFloat(QStringLiteral("BorcToplam")) - r.asFloat(QStringLiteral("AlacakToplam")));
    });
}

} // namespace

TikitarihF::TikitarihF(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("TikitarihF"));
    setWindowTitle(MessageBox::kCaptionShort);
    Connection &cash = DataContext::instance().kasaConnection;
    ikitarihQuery = new Query(&cash, QStringLiteral("ikitarihQuery"), this);
    islemturuQuery = new Query(&cash, QStringLiteral("islemturuQuery"), this);
    tarihQuery = new Query(&cash, QStringLiteral("tarihQuery"), this);
    gunbasikasaQuery = new Query(&cash, QStringLiteral("gunbasikasaQuery"), this);
    addDifference(islemturuQuery, QStringLiteral("fark"));
    addDifference(tarihQuery, QStringLiteral("fark"));
    addDifference(gunbasikasaQuery, QStringLiteral("bakiye"));
    m_company = new Table(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"),
                          QString(), QStringLiteral("firmabilgileri"), this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->addWidget(FormKit::caption(QStringLiteral("Para Cinsi"), this, true), 0, 0);
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    CurrencyBox::fill(dovizBox, CurrencyBox::Order::HepsiFourth);
    grid->addWidget(dovizBox, 0, 1);
    grid->addWidget(FormKit::caption(QStringLiteral("İlk Tarih"), this, true), 1, 0);
    ilkTarihDate = new QDateEdit(QDate::currentDate().addDays(-30), this);
    ilkTarihDate->setObjectName(QStringLiteral("ilkTarihDate"));
    KeyFilters::setupDateEdit(ilkTarihDate);
    grid->addWidget(ilkTarihDate, 1, 1);
    grid->addWidget(FormKit::caption(QStringLiteral("Son Tarih"), this, true), 2, 0);
    SonTarihDate = new QDateEdit(QDate::currentDate(), this);
    SonTarihDate->setObjectName(QStringLiteral("SonTarihDate"));
    KeyFilters::setupDateEdit(SonTarihDate);
    grid->addWidget(SonTarihDate, 2, 1);
    QPushButton *yaz = FormKit::button(this, "STRG1Yaz", QStringLiteral("İKİ TARİH ARASI RAPORU YAZDIR"));
    connect(yaz, &QPushButton::clicked, this, &TikitarihF::yazdir);
    grid->addWidget(yaz, 3, 0, 1, 2);
}

TikitarihF::~TikitarihF() = default;

void TikitarihF::hazirla()
{
    using namespace TwoDateStatements;
    const QString currency = CurrencyBox::chosen(dovizBox, CurrencyBox::Order::HepsiFourth);
    const QDate first = ilkTarihDate->date(), last = SonTarihDate->date();
    // Every year file the range touches is read; the rows are read in full before
    // the other years' files are let go.
    const DataContext &ctx = DataContext::instance();
    CashYearSpan span(DataContext::instance().kasaConnection, ctx.aktifSirketKodu, ctx.calismaYili, first, last);
    const QString source = span.source(first.year(), last.year());
    const auto readAll = [](Query *q) { q->recordCount(); };
    if (raporTuru == kHareketler || raporTuru == kDetay) {
        ikitarihQuery->reopen(movements(currency, first, last, source));
        readAll(ikitarihQuery);
    }
    if (raporTuru == kIslemTuru) {
        islemturuQuery->reopen(typeTotals(currency, first, last, source));
        readAll(islemturuQuery);
    }
    if (raporTuru == kGunToplamlari || raporTuru == kDetay) {
        tarihQuery->reopen(dayTotals(currency, first, last, source));
        readAll(tarihQuery);
    }
    gunbasikasaQuery->reopen(openingOver(currency, first, span));
    readAll(gunbasikasaQuery);
}

Report TikitarihF::rapor()
{
    using namespace TwoDateStatements;
    ReportLayout layout;
    if (raporTuru == kHareketler) layout = ikiTarihArasiLayout();
    else if (raporTuru == kIslemTuru) layout = islemTuruToplamLayout();
    else if (raporTuru == kGunToplamlari) layout = gunToplamlariLayout();
    else layout = ikiTarihDetayLayout();
    Report report(layout);
    for (Query *q : {ikitarihQuery, islemturuQuery, tarihQuery, gunbasikasaQuery}) report.registerDataset(q->objectName(), q);
    if (!m_company->isActive()) m_company->open();
    else m_company->refresh();
    report.registerDataset(kCompanyDataset, m_company);
    report.setMemoText(QStringLiteral("Memo1"), title(raporTuru, ilkTarihDate->date(), SonTarihDate->date()));
    return report;
}

void TikitarihF::yazdir()
{
    try {
        hazirla();
        Report report = rapor();
        hide();
        report.showPreview(parentWidget(), QStringLiteral("Brenvo Rapor Önizleme"));
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}
