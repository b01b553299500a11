#pragma once
// Whether the texts of prepared pages fit their boxes as the pages draw them.
#include "reports/prepared_report.h"

#include <QStringList>

// The texts that would be cut off: a one-line text wider than its box, a wrapped
// or several-line text taller or wider than it. Measured at 300 dpi with the
// margin the page painter keeps inside a box.
QStringList overflowingTexts(const PreparedReport &report);
