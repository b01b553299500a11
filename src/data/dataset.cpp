#include "data/dataset.h"

#include "data/connection.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "data/turkish_text.h"

#include <algorithm>

// ---- Record and Field ----

QVariant Record::value(int col) const { return m_ds->physicalValue(m_phys, col); }

QVariant Record::value(const QString &field) const
{
    const int col = m_ds->fieldIndex(field);
    if (col < 0) throw EngineError(QStringLiteral("'%1' alanı bulunamadı.").arg(field));
    return value(col);
}

QString Record::asString(const QString &f) const { return FieldValue::asString(value(f)); }
double Record::asFloat(const QString &f) const { return FieldValue::asFloat(value(f)); }
qint64 Record::asInteger(const QString &f) const { return FieldValue::asInteger(value(f)); }
QDate Record::asDate(const QString &f) const { return FieldValue::asDate(value(f)); }
bool Record::isNull(const QString &f) const { return value(f).isNull(); }

const FieldInfo &Field::info() const { return m_ds->fieldInfo(m_col); }
QVariant Field::value() const { return m_ds->value(m_col); }
bool Field::isNull() const { return value().isNull(); }
QString Field::asString() const { return FieldValue::asString(value()); }
double Field::asFloat() const { return FieldValue::asFloat(value()); }
qint64 Field::asInteger() const { return FieldValue::asInteger(value()); }
QDate Field::asDate() const { return FieldValue::asDate(value()); }
QDateTime Field::asDateTime() const { return FieldValue::asDateTime(value()); }
QByteArray Field::asBytes() const { return value().toByteArray(); }
void Field::setValue(const QVariant &v) { m_ds->setFieldValue(m_col, v); }

// ---- Dataset ----

Dataset::Dataset(QObject *parent) : QObject(parent) {}

Dataset::~Dataset()
{
    if (m_connection) m_connection->detach(this);
}

void Dataset::setConnection(Connection *c)
{
    if (m_connection == c) return;
    if (isActive()) close();
    if (m_connection) m_connection->detach(this);
    m_connection = c;
    if (c) c->attach(this);
}

void Dataset::close()
{
    if (m_state == State::Inactive) return;
    if (m_state == State::Edit || m_state == State::Insert) cancel();
    releaseRows();
    m_visible.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    setState(State::Inactive);
    notifyReset();
}

void Dataset::setActive(bool on)
{
    if (on) open();
    else close();
}

void Dataset::setStoredFields(const QVector<FieldInfo> &fields)
{
    // Calculated fields stay after the stored ones.
    QVector<FieldInfo> calculated = m_fields.mid(m_storedCount);
    m_fields = fields;
    m_storedCount = int(fields.size());
    m_fields += calculated;
    m_fieldIndex.clear();
}

void Dataset::addCalculatedField(const QString &name, FieldType type, CalculatedField compute)
{
    FieldInfo f;
    f.name = name;
    f.type = type;
    m_fields.append(f);
    m_calculated.append(std::move(compute));
    m_fieldIndex.clear();
}

int Dataset::fieldIndex(const QString &name) const
{
    // Field names are looked up on every read and write; keep them hashed.
    if (m_fieldIndex.size() != m_fields.size()) {
        m_fieldIndex.clear();
        for (int i = int(m_fields.size()) - 1; i >= 0; --i) m_fieldIndex.insert(m_fields[i].name.toLower(), i);
    }
    return m_fieldIndex.value(name.toLower(), -1);
}

Field Dataset::fieldByName(const QString &name)
{
    const int col = fieldIndex(name);
    if (col < 0) throw EngineError(QStringLiteral("%1: '%2' alanı bulunamadı.").arg(objectName(), name));
    return Field(this, col);
}

int Dataset::recordCount() const
{
    if (!isActive()) return 0;
    return m_filtered ? int(m_visible.size()) : physicalCount();
}

bool Dataset::hasRecord(int row) const
{
    if (!isActive() || row < 0) return false;
    if (m_filtered) return row < int(m_visible.size());
    return fetchPhysical(row);
}

int Dataset::fetchedRecordCount() const
{
    if (!isActive()) return 0;
    return m_filtered ? int(m_visible.size()) : fetchedCount();
}

bool Dataset::canFetchMore() const { return isActive() && !m_filtered && readingPending(); }

void Dataset::fetchMore(int rows)
{
    if (rows > 0 && canFetchMore()) fetchPhysical(fetchedCount() + rows - 1);
}

QVariant Dataset::physicalValue(int phys, int col) const
{
    if (col >= m_storedCount) return m_calculated[col - m_storedCount](Record(this, phys));
    return storedValue(phys, col);
}

QVariant Dataset::value(int col) const
{
    if (col < 0 || col >= m_fields.size()) throw EngineError(QStringLiteral("Alan sırası geçersiz."));
    // While inserting, the current record is the new one, which is not a stored row yet.
    if (m_state == State::Insert && col < m_storedCount) return insertedValue(col);
    if (m_pos < 0) return {};
    return physicalValue(physicalOf(m_pos), col);
}

QVariant Dataset::value(const QString &name) const
{
    const int col = fieldIndex(name);
    if (col < 0) throw EngineError(QStringLiteral("%1: '%2' alanı bulunamadı.").arg(objectName(), name));
    return value(col);
}

QVariant Dataset::valueAt(int row, int col) const
{
    if (!hasRecord(row)) return {};
    return physicalValue(physicalOf(row), col);
}

int Dataset::rowOfPhysical(int phys) const
{
    if (!m_filtered) return phys;
    const auto it = std::lower_bound(m_visible.begin(), m_visible.end(), phys);
    return (it != m_visible.end() && *it == phys) ? int(it - m_visible.begin()) : -1;
}

void Dataset::rebuildVisible()
{
    m_visible.clear();
    if (!m_filtered || !m_filter) return;
    const int n = physicalCount();
    for (int p = 0; p < n; ++p)
        if (m_filter(Record(this, p))) m_visible.push_back(p);
}

void Dataset::setFilter(RecordFilter filter)
{
    m_filter = std::move(filter);
    if (m_filtered && isActive()) {
        checkBrowseMode();
        rebuildVisible();
        notifyReset();
        first();
    }
}

void Dataset::setFiltered(bool on)
{
    if (on && !m_filter) on = false;
    if (on == m_filtered) return;
    if (isActive()) checkBrowseMode();
    m_filtered = on;
    if (!isActive()) return;
    rebuildVisible();
    notifyReset();
    first();
}

void Dataset::setState(State s)
{
    if (m_state == s) return;
    m_state = s;
    // A row begun inside a save belongs to it: when the save rolls back, the row
    // goes with it instead of waiting to be posted by the next save.
    if ((s == State::Edit || s == State::Insert) && m_connection && m_connection->inTransaction())
        m_connection->noteTouched(this);
    Q_EMIT stateChanged();
}

void Dataset::afterOpen()
{
    setState(State::Browse);
    rebuildVisible();
    m_pos = -1;
    notifyReset();
    first();
}

void Dataset::setPosition(int row)
{
    // Past the rows read so far, the count decides (a query reads the rest for it).
    row = std::max(row, 0);
    if (!hasRecord(row)) row = recordCount() - 1;
    if (row < 0) {
        m_pos = -1;
        m_bof = m_eof = true;
    } else {
        m_pos = row;
        m_bof = m_eof = false;
    }
    if (!m_disabled) Q_EMIT currentRowChanged(m_pos);
}

void Dataset::first()
{
    checkBrowseMode();
    setPosition(0);
    m_bof = true;
}

void Dataset::last()
{
    checkBrowseMode();
    setPosition(recordCount() - 1);
    m_eof = true;
}

void Dataset::next()
{
    checkBrowseMode();
    if (!hasRecord(m_pos + 1)) {
        m_eof = true;
        return;
    }
    setPosition(m_pos + 1);
}

void Dataset::prior()
{
    checkBrowseMode();
    if (m_pos <= 0) {
        m_bof = true;
        return;
    }
    setPosition(m_pos - 1);
}

void Dataset::moveBy(int distance)
{
    checkBrowseMode();
    const int target = m_pos + distance;
    setPosition(target);
    if (target >= 0 && !hasRecord(target)) m_eof = true;
    if (target < 0) m_bof = true;
}

void Dataset::setRecNo(int recNo)
{
    checkBrowseMode();
    setPosition(recNo - 1);
}

std::vector<int> Dataset::locateCandidates(const QVector<int> &cols, const QVariantList &values,
                                           LocateOptions options) const
{
    const bool insensitive = options.testFlag(LocateOption::CaseInsensitive);
    const bool partial = options.testFlag(LocateOption::PartialKey);
    QVariantList wanted;
    for (int i = 0; i < cols.size(); ++i) {
        const FieldInfo &f = m_fields[cols[i]];
        QVariant w = values.value(i);
        if (f.isText() && !w.isNull()) {
            QString s = w.toString();
            wanted << (insensitive ? turkishFold(s) : s);
        } else {
            wanted << w;
        }
    }
    std::vector<int> out;
    const int n = physicalCount();
    for (int p = 0; p < n; ++p) {
        bool match = true;
        for (int i = 0; i < cols.size() && match; ++i) {
            const FieldInfo &f = m_fields[cols[i]];
            const QVariant v = physicalValue(p, cols[i]);
            const QVariant &w = wanted[i];
            if (w.isNull() || !w.isValid()) {
                match = v.isNull();
            } else if (v.isNull()) {
                match = false;
            } else if (f.isText() || (f.type == FieldType::Unknown && v.typeId() == QMetaType::QString)) {
                const QString s = insensitive ? turkishFold(v.toString()) : v.toString();
                match = partial ? s.startsWith(w.toString()) : s == w.toString();
            } else if (f.type == FieldType::Date || v.typeId() == QMetaType::QDate) {
                match = FieldValue::asDateTime(v) == FieldValue::asDateTime(w);
            } else {
                match = FieldValue::asFloat(v) == FieldValue::asFloat(w);
            }
        }
        if (match) out.push_back(p);
    }
    return out;
}

bool Dataset::locate(const QString &fields, const QVariantList &values, LocateOptions options)
{
    if (!isActive()) return false;
    checkBrowseMode();
    QVector<int> cols;
    for (const QString &name : fields.split(u';', Qt::SkipEmptyParts)) {
        const int c = fieldIndex(name.trimmed());
        if (c < 0) throw EngineError(QStringLiteral("%1: '%2' alanı bulunamadı.").arg(objectName(), name.trimmed()));
        cols << c;
    }
    if (cols.isEmpty()) return false;
    const std::vector<int> found = locateCandidates(cols, values, options);
    // The first candidate in the visible order wins.
    int best = -1;
    for (int phys : found) {
        const int row = rowOfPhysical(phys);
        if (row >= 0 && (best < 0 || row < best)) best = row;
    }
    if (best < 0) return false;
    setPosition(best);
    return true;
}

void Dataset::disableControls() { ++m_disabled; }

void Dataset::enableControls()
{
    if (m_disabled == 0) return;
    if (--m_disabled == 0 && m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        Q_EMIT reset();
        Q_EMIT currentRowChanged(m_pos);
    }
}

void Dataset::notifyReset()
{
    if (m_disabled) { m_changedWhileDisabled = true; return; }
    Q_EMIT reset();
}

void Dataset::notifyRowChanged(int row)
{
    if (m_disabled) { m_changedWhileDisabled = true; return; }
    Q_EMIT rowChanged(row);
}

void Dataset::notifyRowInserted(int row)
{
    if (m_disabled) { m_changedWhileDisabled = true; return; }
    Q_EMIT rowInserted(row);
}

void Dataset::notifyRowAboutToBeRemoved(int row)
{
    if (m_disabled) return;
    Q_EMIT rowAboutToBeRemoved(row);
}

void Dataset::notifyRowRemoved(int row)
{
    if (m_disabled) { m_changedWhileDisabled = true; return; }
    Q_EMIT rowRemoved(row);
}

int Dataset::physicalAppended(int phys)
{
    if (!m_filtered) return phys;
    if (m_filter && !m_filter(Record(this, phys))) return -1;
    m_visible.push_back(phys);
    return int(m_visible.size()) - 1;
}

int Dataset::physicalRemoved(int phys)
{
    if (!m_filtered) return phys;
    int row = -1;
    for (size_t i = 0; i < m_visible.size(); ++i) {
        if (m_visible[i] == phys) row = int(i);
        else if (m_visible[i] > phys) --m_visible[i];
    }
    if (row >= 0) m_visible.erase(m_visible.begin() + row);
    return row;
}

void Dataset::edit() { throw EngineError(QStringLiteral("%1 salt okunur; kayıt değiştirilemez.").arg(objectName())); }
void Dataset::append() { edit(); }
void Dataset::post() {}
void Dataset::cancel() {}
void Dataset::remove() { edit(); }

void Dataset::setFieldValue(int, const QVariant &)
{
    throw EngineError(QStringLiteral("%1 düzenleme durumunda değil.").arg(objectName()));
}

void Dataset::checkBrowseMode()
{
    if (m_state == State::Insert && !newRowTouched()) {
        cancel();
        return;
    }
    if (m_state == State::Edit || m_state == State::Insert) post();
}
