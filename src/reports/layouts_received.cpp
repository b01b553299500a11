#include "reports/layouts_received.h"

#include "reports/layout_common.h"

ReportLayout cekVeSenetListesiLayout()
{
    const QString q = QStringLiteral("eldekiceklerQuery");
    ReportColumn kimden{59, {QStringLiteral("ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA")},
                        {datasetField(q, QStringLiteral("ceki_duzenleyen")) + QStringLiteral("/ ")
                         + datasetField(q, QStringLiteral("alindigi_firma"))}};
    kimden.headingNames = {QStringLiteral("Memo15")};
    kimden.textNames = {QStringLiteral("Memo16")};
    return chequeListLayout(QStringLiteral("ÇEK VE SENET LİSTESİ"), q, QStringLiteral("ceklertoplamQuery"), kimden);
}
