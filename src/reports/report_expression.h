#pragma once
// The text of a memo compiled once against the bound datasets: literal words and
// bracketed expressions
//   [dataset."field"]         the field of the dataset's row (the master band's row
//                             for the master dataset, the current row otherwise)
//   [Page#] [TotalPages] [DATE] [TIME] [LINE#]
//   [SUM(dataset."field")]    the sum over the master band's rows
//   [COUNT]                   the number of master rows
// Fields and sums take the memo's display format.
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

class Dataset;

using ReportDatasets = QHash<QString, Dataset *>;

// Stands in for [TotalPages] until the page count is known.
inline constexpr QChar kTotalPagesMark = QChar(0xE000);

struct ExpressionContext {
    int page = 1;
    int line = 0;         // [LINE#]: the master row's number from 1
    int masterRow = -1;   // the master dataset's row being printed
    QDateTime now;
};

class TextTemplate {
public:
    // Throws ReportError for an unknown dataset, field or expression.
    static TextTemplate compile(const QString &text, const QString &displayFormat,
                                const ReportDatasets &datasets, Dataset *master);
    QString evaluate(const ExpressionContext &ctx) const;
    bool isConstant() const;
    bool usesTotalPages() const { return m_totalPages; }

private:
    enum class Kind { Literal, Field, Page, TotalPages, Date, Time, Line };
    struct Part {
        Kind kind = Kind::Literal;
        QString literal;  // also a sum or count, computed when compiling
        Dataset *dataset = nullptr;
        int column = -1;
        bool isMaster = false;
    };
    QVector<Part> m_parts;
    QString m_format;
    bool m_totalPages = false;
};
