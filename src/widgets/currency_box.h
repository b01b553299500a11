#pragma once
// The currency choice boxes. Every box offers "TL", "USD", "EURO"; lists and reports
// add "Hepsi". Most put it first; the cash register view and the date-range cash
// reports put it fourth and recognise it by its position (item index 3).
#include <QString>
#include <QStringList>

class QComboBox;

namespace CurrencyBox {

enum class Order {
    CurrenciesOnly,  // "TL", "USD", "EURO"
    HepsiFirst,      // "Hepsi", "TL", "USD", "EURO"
    HepsiFourth,     // "TL", "USD", "EURO", "Hepsi"
};

inline constexpr int kHepsiFourthIndex = 3;

QStringList items(Order order);
// Replaces the box's items and selects the first one.
void fill(QComboBox *box, Order order);
// The chosen code; "Hepsi" when the box shows it (by its text, or for HepsiFourth by
// index 3, which is how those windows recognise it).
QString chosen(const QComboBox *box, Order order);

} // namespace CurrencyBox
