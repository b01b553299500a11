#pragma once
// The record filter both slip registers share: a slip passes when every ticked
// condition holds. Codes and names match by their beginning (the text up to the
// text followed by a run of "z"), names also in Turkish upper case; dates are
// inclusive day ranges.
#include <QDate>
#include <QString>

namespace SlipRegister {

// The register's filter inputs as typed, each with its tick box.
struct Filter {
    bool byNumber = false;
    QString number;           // "Bordro No": applies when it reads above 0
    bool byCode = false;
    QString code;             // "Firm.Kodu": applies when not empty
    bool byCurrency = false;
    QString currency;         // "Para Cinsi": applies when not empty
    bool byName = false;
    QString name;             // "Firma Adı"
    bool byDate = false;
    QDate from, to;           // "Bordro tarihi", both days included
    bool byAverage = false;
    QDate averageFrom, averageTo;  // "Ortalama vade", both days included
};

// The stored values of one slip the filter looks at.
struct SlipValues {
    qint64 number = 0;
    QString code;
    QString name;
    QString currency;
    QDate date;
    QDate averageDate;
};

bool accepts(const Filter &filter, const SlipValues &slip);

// Days from the reference day to the slip's average due date; empty (null) without one.
QVariant daysLeft(const QDate &averageDate, const QDate &reference);

} // namespace SlipRegister
