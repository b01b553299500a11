#include "cash/cash_year_span.h"

#include "data/connection.h"
#include "data/data_context.h"
#include "data/program_home.h"
#include "data/sql_literals.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// The fields the period reports read, named alike in every year's file.
const QString kFields = QStringLiteral("nid, islem_tarihi, islem_vadesi, borc_tutar, alacak_tutar, doviz_cinsi, "
                                       "doviz_kuru, aciklama, neden, firmakodu, firmaadi");

} // namespace

CashYearSpan::CashYearSpan(Connection &cash, const QString &company, int workingYear, const QDate &first,
                           const QDate &last)
    : m_cash(cash)
{
    const int from = qMin(first, last).year() - 1, to = qMax(first, last).year();
    try {
        for (int y = from; y <= to; ++y) {
            if (y == workingYear) {
                m_tables.insert(y, QStringLiteral("nakit"));
                continue;
            }
            const QString path = ProgramHome::path(DataContext::cashFileName(company, y));
            if (!QFileInfo::exists(path)) continue;
            const QString alias = QStringLiteral("y%1").arg(y);
            m_cash.exec(QStringLiteral("ATTACH DATABASE %1 AS %2").arg(sqlText(path), alias));
            m_attached << alias;
            m_tables.insert(y, alias + QStringLiteral(".nakit"));
        }
    } catch (...) {
        release();
        throw;
    }
}

CashYearSpan::~CashYearSpan() { release(); }

void CashYearSpan::release() noexcept
{
    for (const QString &alias : std::as_const(m_attached)) {
        try {
            m_cash.exec(QStringLiteral("DETACH DATABASE %1").arg(alias));
        } catch (...) {
        }
    }
    m_attached.clear();
}

QString CashYearSpan::source(int from, int to) const
{
    QStringList parts;
    for (auto it = m_tables.cbegin(); it != m_tables.cend(); ++it)
        if (it.key() >= from && it.key() <= to) parts << QStringLiteral("SELECT %1 FROM %2").arg(kFields, it.value());
    if (parts.size() == 1 && m_tables.value(from) == QLatin1String("nakit") && from == to) return QStringLiteral("nakit");
    if (parts.isEmpty()) parts << QStringLiteral("SELECT %1 FROM nakit WHERE 0").arg(kFields);
    return QStringLiteral("(") + parts.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(") AS nakit");
}

QString CashYearSpan::notCarriedOver()
{
    return QStringLiteral("(islem_vadesi IS NULL OR neden IS NULL OR neden<>'DEVİR')");
}

QString CashYearSpan::carriedOver() { return QStringLiteral("(islem_vadesi IS NOT NULL AND neden='DEVİR')"); }
