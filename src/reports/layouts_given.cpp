#include "reports/layouts_given.h"

#include "reports/layout_common.h"

ReportLayout cirolananCeklerListesiLayout()
{
    const QString q = QStringLiteral("cirolananceklerQuery");
    ReportColumn kimden{59, {QStringLiteral("ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA")},
                        {datasetField(q, QStringLiteral("ceki_duzenleyen")) + QStringLiteral("/ ")
                         + datasetField(q, QStringLiteral("alindigi_firma"))}};
    kimden.headingNames = {QStringLiteral("Memo15")};
    kimden.textNames = {QStringLiteral("Memo16")};
    ReportLayout l = chequeListLayout(QStringLiteral("CİROLANAN ÇEK VE SENET LİSTESİ"), q,
                                      QStringLiteral("cekcirotoplamQuery"), kimden);
    l.name = QStringLiteral("frReport3");
    return l;
}
