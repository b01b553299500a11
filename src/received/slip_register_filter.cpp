#include "received/slip_register_filter.h"

#include "data/dataset.h"
#include "data/field_value.h"
#include "data/number_reading.h"
#include "data/turkish_text.h"

#include <QVariant>

namespace SlipRegister {

namespace {

bool between(const QByteArray &value, const QByteArray &low, const QByteArray &high)
{
    const std::string_view v(value.constData(), size_t(value.size()));
    return turkishCompareUtf8(v, std::string_view(low.constData(), size_t(low.size()))) >= 0
           && turkishCompareUtf8(v, std::string_view(high.constData(), size_t(high.size()))) <= 0;
}

// A day range with both ends included; a missing date is outside every range.
bool inDays(const QDate &value, const QDate &from, const QDate &to)
{
    return value.isValid() && value > from.addDays(-1) && value < to.addDays(1);
}

} // namespace

bool accepts(const Filter &f, const SlipValues &s) { return Matcher(f).accepts(s); }

Matcher::Matcher(const Filter &f) : m_filter(f)
{
    if (f.byNumber) {
        const std::optional<double> wanted = sayiOkuDene(f.number);
        if (wanted && *wanted > 0) m_number = *wanted;
    }
    m_codeLow = f.code.toUtf8();
    m_codeHigh = (f.code + QStringLiteral("zzzzzzzzzzz")).toUtf8();
    const QString high = f.name + QStringLiteral("zzzzzzzzzzzzz");
    m_nameLow = f.name.toUtf8();
    m_nameHigh = high.toUtf8();
    m_upperLow = turkceBuyuk(f.name).toUtf8();
    m_upperHigh = turkceBuyuk(high).toUtf8();
}

bool Matcher::accepts(const SlipValues &s) const
{
    const Filter &f = m_filter;
    if (m_number > 0 && double(s.number) != m_number) return false;
    if (f.byDate && !inDays(s.date, f.from, f.to)) return false;
    if (f.byAverage && !inDays(s.averageDate, f.averageFrom, f.averageTo)) return false;
    if (f.byCurrency && !f.currency.isEmpty() && s.currency != f.currency) return false;
    if (f.byCode && !f.code.isEmpty() && !between(s.code.toUtf8(), m_codeLow, m_codeHigh)) return false;
    if (f.byName) {
        const QByteArray name = s.name.toUtf8();
        if (!between(name, m_nameLow, m_nameHigh) && !between(name, m_upperLow, m_upperHigh)) return false;
    }
    return true;
}

SlipReader::SlipReader(QString codeField, QString nameField)
    : m_codeField(std::move(codeField)), m_nameField(std::move(nameField))
{
}

SlipValues SlipReader::read(const Record &r, const Dataset &ds) const
{
    if (m_ds != &ds || m_number < 0) {
        m_ds = &ds;
        m_number = ds.fieldIndex(QStringLiteral("bordro_ind"));
        m_code = ds.fieldIndex(m_codeField);
        m_name = ds.fieldIndex(m_nameField);
        m_currency = ds.fieldIndex(QStringLiteral("para_birimi"));
        m_date = ds.fieldIndex(QStringLiteral("islem_tarihi"));
        m_average = ds.fieldIndex(QStringLiteral("ortalama_vade"));
    }
    const auto at = [&r](int col) { return col >= 0 ? r.value(col) : QVariant(); };
    SlipValues v;
    v.number = FieldValue::asInteger(at(m_number));
    v.code = FieldValue::asString(at(m_code));
    v.name = FieldValue::asString(at(m_name));
    v.currency = FieldValue::asString(at(m_currency));
    const QVariant date = at(m_date), average = at(m_average);
    if (!date.isNull() && date.isValid()) v.date = FieldValue::asDate(date);
    if (!average.isNull() && average.isValid()) v.averageDate = FieldValue::asDate(average);
    return v;
}

QVariant daysLeft(const QDate &averageDate, const QDate &reference)
{
    if (!averageDate.isValid() || !reference.isValid()) return QVariant();
    return QVariant(qint64(reference.daysTo(averageDate)));
}

} // namespace SlipRegister
