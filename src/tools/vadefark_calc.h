#pragma once
// The maturity-difference calculator's arithmetic on the grid's cell texts: the
// line step (dates completed, days from the calculation date, adat and maturity
// difference of the debt and of the credit), the totals and the average due dates,
// the rate that offsets the balance, the sort key. The window runs them on its
// grid; tests call them directly.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace VadeFark {

// Grid columns; the line number is column 0.
enum Column {
    ColNo = 0, ColIslem = 1, ColVade = 2, ColAciklama = 3, ColBorc = 4, ColAlacak = 5, ColGun = 6,
    ColBorcFark = 7, ColAlacakFark = 8, ColBorcAdat = 9, ColAlacakAdat = 10, ColIndex = 11, ColIndex2 = 12,
    ColumnCount = 13
};

QStringList columnTitles();  // "" (line number), "İşlem Tarihi", "Vade Tarihi", ...

// The parameters above the grid, as typed.
struct Params {
    QDate hesapTarihi;             // the calculation date
    QString yildakiGun = QStringLiteral("365");
    QString yillikFaiz;
    QString borcEkSure, alacakEkSure;  // days added to the due dates of debts and credits
    bool borcHaftaSonu = false;    // a debt due on Saturday or Sunday counts from Monday
    bool alacakHaftaSonu = false;  // the same for a credit
};

enum class LineOutcome {
    Calculated,     // days, adat and differences written
    NotCalculated,  // no due date to count from
    Stopped         // a date was refused: message, cell emptied
};

struct LineResult {
    LineOutcome outcome = LineOutcome::NotCalculated;
    QString message;  // the date message to show, when a date was refused
};

// The line step on one row of 13 cells. An empty yearly rate in params becomes "0"
// (the window shows it). Throws EngineError when the yearly rate or the days in a
// year do not read as numbers (an empty days edit included), when the days in a
// year are 0, or when an amount cell holds no number.
LineResult calculateLine(QStringList &cells, Params &params);

// The results below the grid. An average is empty when its total is not positive:
// the window then leaves what it showed.
struct Results {
    double borc = 0, alacak = 0, bakiye = 0;
    double borcFark = 0, alacakFark = 0, netFark = 0;
    std::optional<int> borcOrtGun, alacakOrtGun, genelOrtGun;
    QDate borcOrtVade, alacakOrtVade, genelOrtVade;
};

// Sums over the numbered rows (down to the first row without a line number), as
// the cells show them, and the amount-weighted averages. With equal totals the
// general average is the debt average less the credit average as shown, so the
// texts the two edits show are given for an average this call does not compute.
// Throws EngineError when a summed cell holds no number.
Results calculateResults(const QVector<QStringList> &rows, const QDate &hesapTarihi,
                         const QString &shownBorcOrtGun, const QString &shownAlacakOrtGun);

// The calculation date moved by average days, kept within 31.12.1899 - 31.12.9999.
QDate averageDate(const QDate &hesapTarihi, qint64 days);

// The yearly rate at which the maturity difference would cover the balance
// ("FAİZ BUL"), from the texts of the result edits: debt and credit average days,
// balance, debt and credit totals. Empty when there is nothing to divide by: equal
// totals, a zero total on the dividing side, or equal average days.
struct OffsettingRate {
    double yearly = 0;
    double monthly = 0;
};
std::optional<OffsettingRate> offsettingRate(const QString &borcOrtGun, const QString &alacakOrtGun,
                                             const QString &bakiye, const QString &borc, const QString &alacak);

// The sort key of a row: the transaction date as yyyymmdd when the row has a due
// date, else "99999999", so undated rows and the input row go last.
QString sortKey(const QStringList &cells, int defaultYear);
// Writes the keys into column 12, sorts the rows by them (rows of equal keys keep
// their order) and renumbers them 1, 2, ...
void sortRows(QVector<QStringList> &rows, int defaultYear);

// Whether nothing is typed in a row (its dates, description and amounts).
bool isEmptyLine(const QStringList &cells);

// Line numbers 1, 2, ... in column 0.
void renumber(QVector<QStringList> &rows);

} // namespace VadeFark
