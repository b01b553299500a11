#pragma once
// Builds a company with realistic data: account cards, received cheques on entry
// slips in every state and currency, given cheques on exit slips, own cheques
// issued on exit slips (about one for ten received, in every state and currency), account
// movements and cash rows in the yearly cash files. The demo company a new user
// starts with and the benchmarks' large company are both made by it.
#include <QDate>
#include <QString>

struct SampleCompany {
    QString code;
    int firstYear = 0;
    int lastYear = 0;
    int cheques = 0;
};

// The home must be prepared. Writes Data/<code>.mdb (from the template) and the
// cash files Data/<code><year>K.mdb of every year from firstYear to lastYear.
// The slips, operations and cash rows go through the program's own saves
// (CompanyBuilder), in date order, so every movement and balance is what the
// slips and operations say and the data check finds nothing. The company is
// opened in the data context meanwhile; what was open before is put back.
// Existing files of the code are replaced. Throws EngineError on a failed save.
// With a valid today (the demo company), the cheques fall due around it, from eight
// months before to five months after, and their states follow the calendar: those
// due already are mostly collected or given out, those still to come are in the
// portfolio or given out. Without it, due dates spread evenly over the years.
SampleCompany generateSampleCompany(const QString &code, int cheques, int firstYear, int lastYear,
                                    const QDate &today = QDate());
