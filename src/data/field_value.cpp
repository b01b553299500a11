#include "data/field_value.h"

#include "data/statement.h"

#include "data/date_reading.h"
#include "data/engine_error.h"

#include <cmath>

namespace FieldValue {
namespace {

double parseDouble(const QString &raw, bool *ok)
{
    QString s = raw.trimmed();
    // Both "1.234,5" (regional) and "1234.5" (C form) are accepted.
    if (s.contains(u',')) {
        s.remove(u'.');
        s.replace(u',', u'.');
    }
    return s.toDouble(ok);
}

QVariant parseDate(const QString &raw)
{
    const QString s = raw.trimmed();
    // Day, month and year as typed ("1.1.24" is the first of January 2024), or the
    // stored form; text after the date makes it no date.
    const QDate d = tarihOku(s);
    if (d.isValid()) return d;
    for (const char *fmt : {"dd.MM.yyyy HH:mm:ss", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss"}) {
        const QDateTime dt = QDateTime::fromString(s, QString::fromLatin1(fmt));
        if (dt.isValid()) return dt;
    }
    return {};
}

bool isEmptyValue(const QVariant &v)
{
    return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty());
}

} // namespace

QVariant normalize(const QVariant &v, const FieldInfo &f)
{
    switch (f.type) {
    case FieldType::Text:
    case FieldType::Memo: {
        if (!v.isValid() || v.isNull()) return {};
        QString s = v.typeId() == QMetaType::QDate ? asString(v) : v.toString();
        if (f.type == FieldType::Text && f.size > 0 && s.size() > f.size) s.truncate(f.size);
        return s;
    }
    case FieldType::AutoNumber:
    case FieldType::Long:
    case FieldType::Short: {
        if (isEmptyValue(v)) return {};
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            return qint64(std::llround(v.toDouble()));
        if (v.typeId() == QMetaType::QString) {
            bool ok = false;
            const double d = parseDouble(v.toString(), &ok);
            if (!ok) throw EngineError(QStringLiteral("'%1' geçerli bir tamsayı değil.").arg(v.toString()));
            return qint64(std::llround(d));
        }
        if (v.typeId() == QMetaType::Bool) return qint64(v.toBool() ? 1 : 0);
        return v.toLongLong();
    }
    case FieldType::Double: {
        if (isEmptyValue(v)) return {};
        if (v.typeId() == QMetaType::QString) {
            bool ok = false;
            const double d = parseDouble(v.toString(), &ok);
            if (!ok) throw EngineError(QStringLiteral("'%1' geçerli bir sayı değil.").arg(v.toString()));
            return d;
        }
        return v.toDouble();
    }
    case FieldType::Date: {
        if (isEmptyValue(v)) return {};
        if (v.typeId() == QMetaType::QDate) return v.toDate().isValid() ? v : QVariant();
        if (v.typeId() == QMetaType::QDateTime) {
            const QDateTime dt = v.toDateTime();
            if (!dt.isValid()) return {};
            return dt.time() == QTime(0, 0) ? QVariant(dt.date()) : QVariant(dt);
        }
        const QVariant d = parseDate(v.toString());
        if (!d.isValid()) throw EngineError(QStringLiteral("'%1' geçerli bir tarih değil.").arg(v.toString()));
        return d;
    }
    case FieldType::Binary:
        if (!v.isValid() || v.isNull()) return {};
        return v.toByteArray();
    case FieldType::Unknown: break;
    }
    return v;
}

QString isoDate(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QVariant fromIsoDate(const char *p, int n)
{
    const auto num = [p](int from, int len, int &out) {
        out = 0;
        for (int i = from; i < from + len; ++i) {
            if (p[i] < '0' || p[i] > '9') return false;
            out = out * 10 + (p[i] - '0');
        }
        return true;
    };
    int y, m, d;
    if (n < 10 || !num(0, 4, y) || p[4] != '-' || !num(5, 2, m) || p[7] != '-' || !num(8, 2, d)) return {};
    const QDate date(y, m, d);
    if (!date.isValid()) return {};
    int hh, mm, ss = 0;
    if (n >= 16 && (p[10] == ' ' || p[10] == 'T') && num(11, 2, hh) && p[13] == ':' && num(14, 2, mm)) {
        if (n >= 19) num(17, 2, ss);
        if (hh || mm || ss) return QDateTime(date, QTime(hh, mm, ss));
    }
    return date;
}

QString asString(const QVariant &v)
{
    if (!v.isValid() || v.isNull()) return {};
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    case QMetaType::Double: {
        QString s = QString::number(v.toDouble(), 'g', 15);
        s.replace(u'.', u',');
        return s;
    }
    case QMetaType::QByteArray: return QString::fromLatin1(v.toByteArray().toHex());
    default: return v.toString();
    }
}

double asFloat(const QVariant &v)
{
    if (!v.isValid() || v.isNull()) return 0.0;
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = parseDouble(v.toString(), &ok);
        return ok ? d : 0.0;
    }
    return v.toDouble();
}

qint64 asInteger(const QVariant &v)
{
    if (!v.isValid() || v.isNull()) return 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::QString) return std::llround(asFloat(v));
    return v.toLongLong();
}

QDate asDate(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QString) return parseDate(v.toString()).toDate();
    return {};
}

QDateTime asDateTime(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    const QDate d = asDate(v);
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

void bind(Statement &st, int index, const QVariant &v, const FieldInfo &f)
{
    if (!v.isValid() || v.isNull()) {
        st.bindNull(index);
        return;
    }
    switch (f.type) {
    case FieldType::AutoNumber:
    case FieldType::Long:
    case FieldType::Short: st.bindInt(index, v.toLongLong()); break;
    case FieldType::Double: st.bindDouble(index, v.toDouble()); break;
    case FieldType::Date: st.bindText(index, isoDate(v)); break;
    case FieldType::Binary: st.bindBlob(index, v.toByteArray()); break;
    default: st.bindText(index, v.toString()); break;
    }
}

} // namespace FieldValue
