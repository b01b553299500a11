#pragma once
// The three statements of the received cheque lists (the rows, their total and the
// monthly summary per currency), built line by line from the filter values.
#include <QDate>
#include <QString>
#include <QStringList>

namespace ChequeList {

// The choices of "Gösterilecek Çekler", in the order of the radio buttons.
enum class Choice { Portfoy, Banka, PortfoyBanka, Ciro, Tahsil, Karsiliksiz, Iade, Tum };
inline constexpr int kChoiceCount = 8;
QStringList choiceTexts();

struct Filters {
    Choice choice = Choice::Portfoy;
    QString bordroNo;            // as typed: "12a" reads 12, "abc" reads 0 (no filter)
    QString firmaKodu;
    QString paraCinsi;           // "Hepsi" (or empty) for every currency
    QString firmaAdi;            // part of the account name or the drawer's name
    bool tarihAcik = false;
    QDate basTarihi;
    QDate bitisTarihi;
};

struct Statements {
    QStringList list;
    QStringList total;
    QStringList monthly;
};

QStringList stateLines(Choice choice);
// The filter lines, in order. Typed texts are escaped, so a quote finds the names
// containing it. Throws EngineError when "Bordro No" is beyond the integer range.
QStringList filterLines(const Filters &f);
// orderBy: the list's last line; empty gives "ORDER BY cek_tarihi ASC;".
Statements build(const Filters &f, const QString &orderBy = QString());

// "Kalan" (kalangun) is computed, not stored: days from the operation date to the
// due date. Ordering by it is ordering by the due date in the same direction, so a
// title click on it orders by cek_tarihi. Other lines pass unchanged.
QString listOrderLine(const QString &orderBy);

// 1 "Ocak" ... 12 "Aralık"; empty outside 1..12.
QString monthName(int month);

} // namespace ChequeList
