#include "widgets/currency_box.h"

#include "data/sql_literals.h"

#include <QComboBox>

namespace CurrencyBox {

QStringList items(Order order)
{
    const QStringList codes{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")};
    switch (order) {
    case Order::CurrenciesOnly: return codes;
    case Order::HepsiFirst: return QStringList{kHepsi} + codes;
    case Order::HepsiFourth: return codes + QStringList{kHepsi};
    }
    return codes;
}

void fill(QComboBox *box, Order order)
{
    box->clear();
    box->addItems(items(order));
    box->setCurrentIndex(0);
}

QString chosen(const QComboBox *box, Order order)
{
    if (order == Order::HepsiFourth && box->currentIndex() == kHepsiFourthIndex) return kHepsi;
    return box->currentText();
}

} // namespace CurrencyBox
