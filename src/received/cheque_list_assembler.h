#pragma once
// The statements every cheque list runs (received, given and issued cheques): the
// rows, their total and the monthly summary per currency. They share the lines of
// the chosen state and of the filter band, and differ only in their table and in
// the fields the filters test, which a Shape names.
#include "data/display_format.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace ChequeList {

// The table of a list and the fields its filters test.
struct Shape {
    QString table;           // "cekgiris"
    QString slipField;       // "bordro_ind": "Bordro No" tests it
    QString codeField;       // "alindigi_firma_kodu": "Firma Kodu" tests it
    QStringList nameFields;  // the names the name filter searches, any one may hold it
    // false: each condition in brackets, "AND (bordro_ind=12)";
    // true: bare, "AND bordro_ind=12" (the name search keeps its brackets).
    bool bareConditions = false;
};

// The values of the filter band.
struct FilterValues {
    QString bordroNo;   // as typed: "12a" reads 12, "abc" reads 0 (no filter)
    QString firmaKodu;
    QString paraCinsi;  // "Hepsi" (or empty) for every currency
    QString firmaAdi;   // part of a name
    bool tarihAcik = false;
    QDate basTarihi;
    QDate bitisTarihi;
};

struct Statements {
    QStringList list;
    QStringList total;
    QStringList monthly;
};

// "LIKE" operand finding the text anywhere in a field, with "%", "_" taken literally.
QString likeContains(const QString &text);

// The filter lines, in order: slip, code, currency, name, due-date range. Typed
// texts are quoted, so a quote finds the names containing it. Throws EngineError
// when "Bordro No" is beyond the integer range.
QStringList filterLines(const Shape &shape, const FilterValues &f);

// The three statements over the lines of the chosen state and the filter lines.
// orderBy: the list's last line; empty gives "ORDER BY cek_tarihi ASC;".
Statements assemble(const Shape &shape, const QStringList &stateLines, const FilterValues &f,
                    const QString &orderBy = QString());

// The rows of one slip alone, in the order of orderField ("Bordro No" read as an
// integer), for the slip registers' corrections.
QStringList slipList(const Shape &shape, const QString &bordroNo, const QString &orderField);

// "Kalan" (kalangun) is computed, not stored: days from the operation date to the
// due date. Ordering by it is ordering by the due date in the same direction, so a
// title click on it orders by cek_tarihi. Other lines pass unchanged.
QString listOrderLine(const QString &orderBy);

// 1 "Ocak" ... 12 "Aralık"; empty outside 1..12 (kept with the display formats).
using ::monthName;

} // namespace ChequeList
