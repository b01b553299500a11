#include "data/connection_string.h"

namespace ConnectionString {

QString build(const QString &dataSource, bool withExtendedProperties)
{
    const QString empty = QStringLiteral("\"\"");
    QList<QPair<QString, QString>> pairs = {
        {"Provider", "Microsoft.Jet.OLEDB.4.0"},
        {"User ID", "Admin"},
        {"Data Source", dataSource},
        {"Mode", "Share Deny None"},
        {"Extended Properties", empty},
        {"Persist Security Info", "False"},
        {"Jet OLEDB:System database", empty},
        {"Jet OLEDB:Registry Path", empty},
        {"Jet OLEDB:Database Password", kDatabasePassword},
        {"Jet OLEDB:Engine Type", "5"},
        {"Jet OLEDB:Database Locking Mode", "1"},
        {"Jet OLEDB:Global Partial Bulk Ops", "2"},
        {"Jet OLEDB:Global Bulk Transactions", "1"},
        {"Jet OLEDB:New Database Password", empty},
        {"Jet OLEDB:Create System Database", "False"},
        {"Jet OLEDB:Encrypt Database", "False"},
        {"Jet OLEDB:Don't Copy Locale on Compact", "False"},
        {"Jet OLEDB:Compact Without Replica Repair", "False"},
        {"Jet OLEDB:SFP", "False"},
    };
    if (!withExtendedProperties) pairs.removeAt(4);
    QStringList parts;
    for (const auto &[k, v] : pairs) parts << k + '=' + v;
    return parts.join(';');
}

QList<QPair<QString, QString>> parse(const QString &s)
{
    QList<QPair<QString, QString>> out;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype eq = s.indexOf('=', i);
        if (eq < 0) break;
        const QString key = s.mid(i, eq - i).trimmed();
        qsizetype j = eq + 1;
        QString value;
        if (j < s.size() && s[j] == '"') {
            // A quoted value may hold ';'; "" inside stands for one quote.
            ++j;
            while (j < s.size()) {
                if (s[j] == '"') {
                    if (j + 1 < s.size() && s[j + 1] == '"') { value += '"'; j += 2; continue; }
                    ++j;
                    break;
                }
                value += s[j++];
            }
            const qsizetype semi = s.indexOf(';', j);
            j = semi < 0 ? s.size() : semi;
        } else {
            const qsizetype semi = s.indexOf(';', j);
            const qsizetype end = semi < 0 ? s.size() : semi;
            value = s.mid(j, end - j).trimmed();
            j = end;
        }
        out.append({key, value});
        i = j + 1;
    }
    return out;
}

QString dataSource(const QString &s)
{
    for (const auto &[k, v] : parse(s))
        if (k.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0) return v;
    return {};
}

} // namespace ConnectionString
