#pragma once
// The checks and values of a cash movement typed in the cash entry form, without
// the form: what the row becomes, or why it cannot be saved.
#include "cash/cash_row_writer.h"

#include <QDate>
#include <QString>

namespace CashEntry {

inline const QString kNoAmount = QStringLiteral("Borç veya alacak tutarı girmelisiniz.");
inline const QString kBothAmounts =
    QStringLiteral("Aynı anda hem borç ve alacak işlemi yapamazsınız. Bir tane işlemi iptal ediniz.");
inline const QString kSaved = QStringLiteral("İşlem başarıyla kayıt edildi");
inline const QString kDeleteQuestion = QStringLiteral("Kaydı silmek istediğinize eminmisiniz?");

// "Kayıt yılı 2025 olacak. Devam etmek istediğinize eminmisiniz?"
QString yearQuestion(int year);

// The form as typed: the amount and rate edits' texts, the rest as the row holds them.
struct Input {
    QDate date;              // "İşlem Tarihi"
    QString currency;        // "Para Cinsi"
    QString giren;           // "Kasaya Giren Tutar"
    QString cikan;           // "Kasadan Çıkan Tutar"
    QString kur;             // "Döviz Kuru"
    QString code, name;      // "Firma Kodu", "Firma Adı"
    QString aciklama;
    QVariant neden;          // the transaction type, empty when none
};

struct Outcome {
    QString message;                // why nothing may be saved; empty when the row is ready
    CashRowWriter::Fields values;   // the fields of the row to write
    double rate = 1;                // the rate stored
};

// The row's fields: the account, the day and currency, the amounts (an empty amount
// stays empty, a side with no money has no currency amount either), the rate (1
// when empty or 0, and always 1 for TL), the currency amounts rate × amount, the
// description and the type. Amounts are stored to the kuruş.
Outcome prepare(const Input &in);

} // namespace CashEntry
