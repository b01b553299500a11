#include "data/year_files.h"

#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/program_home.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace YearFiles {

QVector<int> years(const QString &code)
{
    QVector<int> result;
    if (code.isEmpty()) return result;
    // The code followed by exactly four digits: "A1" never takes the files of "A12".
    const QRegularExpression name(u'^' + QRegularExpression::escape(code) + QStringLiteral("(\\d{4})K\\.mdb$"),
                                  QRegularExpression::CaseInsensitiveOption);
    const QDir data(ProgramHome::path(QStringLiteral("Data")));
    for (const QString &file : data.entryList(QDir::Files)) {
        const QRegularExpressionMatch m = name.match(file);
        if (!m.hasMatch()) continue;
        const int year = m.captured(1).toInt();
        if (year >= 1900 && year <= 2999 && !result.contains(year)) result << year;
    }
    std::sort(result.begin(), result.end());
    return result;
}

Others::Others(const QString &code, int exceptYear)
{
    for (int year : years(code)) {
        if (year == exceptYear) continue;
        auto c = std::make_unique<Connection>();
        c->setSchemaKind(Schema::Kind::Cash);
        c->setConnectionString(ConnectionString::build(DataContext::cashFileName(code, year)));
        m_list << c.get();
        m_years << year;
        m_owned.push_back(std::move(c));
    }
}

Others::~Others() = default;

int Others::yearOf(const Connection *c) const
{
    const int i = int(m_list.indexOf(const_cast<Connection *>(c)));
    return i < 0 ? 0 : m_years[i];
}

} // namespace YearFiles
