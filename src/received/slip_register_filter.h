#pragma once
// The record filter both slip registers share: a slip passes when every ticked
// condition holds. Codes and names match by their beginning (the text up to the
// text followed by a run of "z"), names also in Turkish upper case; dates are
// inclusive day ranges.
#include <QByteArray>
#include <QDate>
#include <QString>

class Dataset;
class Record;

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

// The filter made ready for a whole register: the number read and the name and
// code bounds worked out once, so that each slip costs only its comparisons.
class Matcher {
public:
    Matcher() = default;
    explicit Matcher(const Filter &filter);
    bool accepts(const SlipValues &slip) const;

private:
    Filter m_filter;
    double m_number = 0;  // 0: "Bordro No" does not apply
    QByteArray m_codeLow, m_codeHigh, m_nameLow, m_nameHigh, m_upperLow, m_upperHigh;
};

// Reads what the filter looks at from a register's rows: the slip number,
// islem_tarihi, ortalama_vade, para_birimi and the given code and name fields,
// their columns found by name once.
class SlipReader {
public:
    SlipReader(QString codeField, QString nameField);
    SlipValues read(const Record &r, const Dataset &ds) const;

private:
    QString m_codeField, m_nameField;
    mutable const Dataset *m_ds = nullptr;
    mutable int m_number = -1, m_code = -1, m_name = -1, m_currency = -1, m_date = -1, m_average = -1;
};

// Days from the reference day to the slip's average due date; empty (null) without one.
QVariant daysLeft(const QDate &averageDate, const QDate &reference);

} // namespace SlipRegister
