#include "data/field_info.h"

#include <QRegularExpression>

FieldInfo fieldInfoFromDeclaration(const QString &name, const QString &declaredType, bool primaryKey)
{
    FieldInfo f;
    f.name = name;
    const QString d = declaredType.trimmed().toUpper();
    static const QRegularExpression sized(QStringLiteral("^(?:TEXT|VARCHAR|CHAR)\\s*\\((\\d+)\\)"));
    if (const auto m = sized.match(d); m.hasMatch()) {
        f.type = FieldType::Text;
        f.size = m.captured(1).toInt();
    } else if (d.startsWith(QLatin1String("INTEGER"))) {
        f.type = primaryKey ? FieldType::AutoNumber : FieldType::Long;
    } else if (d.startsWith(QLatin1String("SMALLINT"))) {
        f.type = FieldType::Short;
    } else if (d.startsWith(QLatin1String("DOUBLE")) || d.startsWith(QLatin1String("REAL"))) {
        f.type = FieldType::Double;
    } else if (d.startsWith(QLatin1String("DATE"))) {
        f.type = FieldType::Date;
    } else if (d.startsWith(QLatin1String("MEMO")) || d.startsWith(QLatin1String("TEXT"))) {
        f.type = FieldType::Memo;
    } else if (d.startsWith(QLatin1String("BLOB"))) {
        f.type = FieldType::Binary;
    }
    return f;
}

QString declarationOf(FieldType type, int size)
{
    switch (type) {
    case FieldType::AutoNumber: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Long: return QStringLiteral("INTEGER");
    case FieldType::Short: return QStringLiteral("SMALLINT");
    case FieldType::Double: return QStringLiteral("DOUBLE");
    case FieldType::Text: return QStringLiteral("TEXT(%1) COLLATE NOCASE").arg(size);
    case FieldType::Memo: return QStringLiteral("MEMO TEXT COLLATE NOCASE");
    case FieldType::Date: return QStringLiteral("DATE");
    case FieldType::Binary: return QStringLiteral("BLOB");
    case FieldType::Unknown: break;
    }
    return {};
}
