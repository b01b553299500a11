#pragma once
// The cash rows of a date range that leaves the working year. Each year keeps its
// cash in a file of its own; for a report over a range, the files of the other
// years the range touches are attached to the cash connection for the reading and
// let go when the span ends. A year without a file has no cash to add.
#include <QDate>
#include <QMap>
#include <QString>

class Connection;

class CashYearSpan {
public:
    // Attaches the files of the years first.year()-1 .. last.year() of the company
    // that exist, other than the connection's own (the working year's). Throws
    // EngineError when a file cannot be attached; nothing stays attached then.
    CashYearSpan(Connection &cash, const QString &company, int workingYear, const QDate &first, const QDate &last);
    ~CashYearSpan();
    CashYearSpan(const CashYearSpan &) = delete;
    CashYearSpan &operator=(const CashYearSpan &) = delete;

    // The rows of the years from..to as one table named nakit for a FROM line:
    // "nakit" when that is the working year's file alone, else a union of the
    // years' rows aliased nakit. A range with no file gives an empty table.
    QString source(int from, int to) const;
    bool hasYear(int year) const { return m_tables.contains(year); }

    // The carry-over's own opening rows: they stand for the former year's money and
    // are no money in or out of a period.
    static QString notCarriedOver();
    static QString carriedOver();

private:
    void release() noexcept;
    Connection &m_cash;
    QMap<int, QString> m_tables;  // year -> "nakit" or "y2023.nakit"
    QStringList m_attached;
};
