#pragma once
// The figures of the due-date outlook: what falls due in and out, period by period,
// from today on, with the projected balance. Reading the database (sums per due
// day and currency) and working out the periods are apart, so that the periods are
// worked out on hand-made sums in tests.
#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

class Connection;

namespace Outlook {

// One sum of cheques due on one day in one currency. storedTl is their value in TL
// at the rates stored on the cheques, used when the currency has no rate of its own.
struct DueSum {
    QDate due;
    QString currency;
    double amount = 0;
    double storedTl = 0;
    int count = 0;
};

struct Inputs {
    QVector<DueSum> held;      // received cheques the company still holds (portfolio and at banks)
    QVector<DueSum> own;       // own cheques still to pay
    QVector<DueSum> endorsed;  // received cheques endorsed away, not yet come back
    QMap<QString, double> cash;   // today's cash balance per currency
    QMap<QString, double> rates;  // the latest rate of each currency, by upper-case code
};

enum class Step { Week, Month };

struct Options {
    QDate today;
    Step step = Step::Month;
    int periods = 6;
    // A currency code: only that currency's cheques and cash, in that currency.
    // Empty: every currency, in TL at its latest rate.
    QString currency;
};

struct Period {
    QDate from, to;        // both days included
    bool overdue = false;  // the period of cheques due before today
    QString label;
    double in = 0;         // held cheques falling due
    double out = 0;        // own cheques falling due
    double endorsed = 0;   // endorsed cheques falling due (they come back if they bounce)
    int inCount = 0, outCount = 0, endorsedCount = 0;
    double balance = 0;    // cash plus the ins, less the outs, up to the period's end
};

struct Result {
    double cash = 0;             // the balance the line starts from
    QVector<Period> periods;     // the overdue period first, then the chosen ones
    QStringList missingRates;    // currencies valued at their cheques' own rates
};

inline const QString kTl = QStringLiteral("TL");

// Every currency the inputs hold, TL first, the rest by name.
QStringList currencies(const Inputs &in);

// The periods from options.today on: the overdue period (held cheques and own
// cheques due before today; endorsed cheques already due are not counted, they
// are past their risk), then `periods` weeks of seven days from today, or months
// (the first from today to the month's end, then whole calendar months). Cheques
// due after the last period are left out.
Result compute(const Inputs &in, const Options &options);

// The statements: sums per due day and currency of each kind of cheque, the cash
// balance per currency at the end of a day, and the rates.
QStringList heldSums();
QStringList endorsedSums(const QDate &today);
QStringList ownSums();
QStringList cashSums(const QDate &day);
QStringList rateRows();

// Reads the inputs: the cheques from the company database, the cash from the
// working year's cash database (skipped when it is not open). Throws EngineError.
Inputs read(Connection &company, Connection *cash, const QDate &today);

// The label of a period as the table and the chart show it.
QString periodLabel(const Period &p, Step step);

} // namespace Outlook
