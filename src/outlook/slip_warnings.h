#pragma once
// The questions the slips ask before a save: the entry slip when a cheque is
// already stored (same bank, account number and cheque number) and when the slip
// takes the account over its first risk limit; the exit slip when a cheque given
// away is past its due date or falls due within a chosen number of days of the
// slip date. Each can be switched off in the settings window.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

class Connection;

namespace SlipWarnings {

struct Settings {
    bool duplicate = true;
    bool risk = true;
    bool due = true;
    int dueDays = 7;
};
// Section "Uyarilar" of the main menu settings file; every warning on when missing.
Settings read();
bool write(const Settings &s);

// A cheque row as the entry slip holds it: bank, account number, cheque number and
// the stored cheque's key (0 for a new row).
struct ChequeKey {
    QString bank, account, number;
    qint64 key = 0;
};
// Empty when no row repeats a stored cheque or another row; else the question,
// naming where each repeat is. Rows with an empty cheque number or bank are not compared.
QString duplicateQuestion(Connection &company, const QVector<ChequeKey> &rows);

// Empty when the account has no first limit or stays within it; else the question.
// addedTl: the slip's new cheques not yet due, in TL.
QString riskQuestion(Connection &company, Connection *cash, const QString &code, const QString &name, double addedTl,
                     const QDate &today);

// The exit slip: empty when no due date is before the slip date or within `days`
// days after it; else the question listing them.
QString dueQuestion(const QVector<QDate> &dues, const QStringList &chequeNumbers, const QDate &slipDate, int days);

// The entry slip's questions before a save, as the settings allow, asked through
// the message box helper: false when the user chose not to save. grid holds the
// slip's rows as the entry slip's columns; rate is the slip's rate for a currency
// other than TL.
bool confirmEntrySlip(const QString &code, const QString &name, const QString &currency, double rate,
                      const QVector<QStringList> &grid, const QDate &today, class QWidget *parent = nullptr);

} // namespace SlipWarnings
