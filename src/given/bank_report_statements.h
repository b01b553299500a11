#pragma once
// The statements of the bank report: the cheques handed to banks on exit slips
// (cekciro rows of exit type 2) due in a date range, for every bank or one, with
// their totals per bank and currency and per currency, and the report's title.
#include <QDate>
#include <QString>
#include <QStringList>

namespace BankReport {

// The bank choice that stands for every bank.
inline const QString kAllBanks = QStringLiteral("Tüm Bankalar");

struct Statements {
    QStringList banks;       // the banks holding cheques in the range, for the choice list
    QStringList list;        // the cheques, by due date
    QStringList perBank;     // ciro_firma, para_birimi, cektutari
    QStringList perCurrency; // para_birimi, cektutari
};

// from..to both included; bank is the choice's text (kAllBanks or empty: every bank).
Statements build(const QDate &from, const QDate &to, const QString &bank);

// "Ziraat Bankası de Bulunan 5/3/2024 - 10/4/2024 Tarihleri Arası Vadeli Çekler", or
// "Tüm Bankalardaki ... Tarihleri Arası Vadeli Çekler" for every bank.
QString title(const QDate &from, const QDate &to, const QString &bank);

// The TL value of a listed cheque: its amount times its rate; a TL cheque is worth
// its amount even when no rate was stored with it.
double tlValue(const QString &currency, double amount, double rate);

bool isAllBanks(const QString &bank);

} // namespace BankReport
