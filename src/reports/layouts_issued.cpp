#include "reports/layouts_issued.h"

#include "reports/layout_common.h"

ReportLayout duzenlenenCeklerListesiLayout()
{
    const QString q = QStringLiteral("duzenlenenQuery");
    const ReportColumn firma{59, {QStringLiteral("DÜZENLENDİĞİ FİRMA")}, {datasetField(q, QStringLiteral("cirolandigi_firma"))}};
    return chequeListLayout(QStringLiteral("DÜZENLENEN ÇEKLER"), q, QStringLiteral("duzenlenencekToplamQuery"), firma);
}

ReportLayout cekBasLayout()
{
    ReportLayout l;
    l.name = QStringLiteral("frReportCekBas");
    return l;
}
