#pragma once
// The text of a memo compiled once against the bound datasets: literal words and
// bracketed expressions
//   [dataset."field"]         the field of the row being printed when the dataset is
//                             the data band's (or detail band's) own, the current row otherwise
//   [Page#] [TotalPages] [DATE] [TIME]
//   [LINE#] [CURRENT#]        the row's number in its data band, from 1
//   [SUM(dataset."field")]    the sum over every row of the dataset
//   [COUNT]                   the number of rows of the band's dataset
//   [SUM(a."x") + 100 - SUM(b."y")]  arithmetic (+ - * / and parentheses) between
//                             sums, fields and numbers
// Fields, sums and results take the memo's display format; amounts (and results)
// print "#,##0.00" when the memo names none. "\n\r" (or "\r\n") in a text is one
// line break.
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>
#include <memory>

class Dataset;

using ReportDatasets = QHash<QString, Dataset *>;

// Stands in for [TotalPages] until the page count is known.
inline constexpr QChar kTotalPagesMark = QChar(0xE000);

// The format amounts print in when a memo names none.
inline const QString kDefaultAmountFormat = QStringLiteral("#,##0.00");

struct ExpressionContext {
    int page = 1;
    int line = 0;                   // [LINE#]: the row's number in its band from 1
    const Dataset *master = nullptr;  // the data band's dataset, and its row being printed
    int masterRow = -1;
    const Dataset *detail = nullptr;  // the detail band's dataset, and its row being printed
    int detailRow = -1;
    QDateTime now;
};

class TextTemplate {
public:
    // Throws ReportError for an unknown dataset, field or expression. `master` is the
    // band's own dataset ([COUNT]).
    static TextTemplate compile(const QString &text, const QString &displayFormat,
                                const ReportDatasets &datasets, Dataset *master);
    QString evaluate(const ExpressionContext &ctx) const;
    bool isConstant() const;
    bool usesTotalPages() const { return m_totalPages; }

    struct Node;  // an arithmetic expression's tree

private:
    enum class Kind { Literal, Field, Page, TotalPages, Date, Time, Line, Arithmetic };
    struct Part {
        Kind kind = Kind::Literal;
        QString literal;  // also a lone sum or count, computed when compiling
        Dataset *dataset = nullptr;
        int column = -1;
        std::shared_ptr<const Node> expression;
    };
    QVector<Part> m_parts;
    QString m_format;
    bool m_totalPages = false;
};

// A text's line breaks as one "\n" each: "\n\r", "\r\n" and a lone "\r".
QString normalizeLineBreaks(QString text);
