#pragma once
// Layouts of the tools windows.
#include "reports/report_layout.h"

// The calculator's printout "frReport1": the title and the four parameter lines on
// the first page, the print date and the column header line on every page, the
// body lines one per row of the dataset "vadefarkSatirlari" (field "satir") so a
// long list flows over pages, "Sayfa n" at the bottom. The header texts come from
// the one row of "vadefarkBaslik" (fields memo1, memo5 ... memo9), so any text the
// user typed prints as it is. The lines are fixed-width: the font is Courier New,
// or DejaVu Sans Mono where it is missing.
ReportLayout vadeFarkiLayout();
inline const QString kVadeFarkiLines = QStringLiteral("vadefarkSatirlari");
inline const QString kVadeFarkiHeader = QStringLiteral("vadefarkBaslik");

// The fixed-pitch family the printouts of text lines use.
QString fixedPitchFamily();
