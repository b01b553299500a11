#pragma once
// The datasets the windows work on: a cursor over rows with named fields, a
// client-side record filter, locate, calculated fields and change notifications
// for the grids. Table (table access) and Query (static SELECT snapshots) derive
// from it.
#include "data/connection.h"
#include "data/field_info.h"

#include <QDate>
#include <QDateTime>
#include <QFlags>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QVector>
#include <functional>
#include <vector>

class Connection;
class Dataset;

// One row of a dataset, as filters and calculated fields see it.
class Record {
public:
    Record(const Dataset *ds, int physical) : m_ds(ds), m_phys(physical) {}
    QVariant value(int col) const;
    QVariant value(const QString &field) const;
    QString asString(const QString &field) const;
    double asFloat(const QString &field) const;
    qint64 asInteger(const QString &field) const;
    QDate asDate(const QString &field) const;
    bool isNull(const QString &field) const;

private:
    const Dataset *m_ds;
    int m_phys;
};

// A field of the current record.
class Field {
public:
    Field(Dataset *ds, int col) : m_ds(ds), m_col(col) {}
    const FieldInfo &info() const;
    QString name() const { return info().name; }
    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    double asFloat() const;
    qint64 asInteger() const;
    QDate asDate() const;
    QDateTime asDateTime() const;
    QByteArray asBytes() const;
    void setValue(const QVariant &v);
    void clear() { setValue(QVariant()); }
    Field &operator=(const QVariant &v) { setValue(v); return *this; }

private:
    Dataset *m_ds;
    int m_col;
};

enum class LocateOption { CaseInsensitive = 1, PartialKey = 2 };
Q_DECLARE_FLAGS(LocateOptions, LocateOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

using RecordFilter = std::function<bool(const Record &)>;
using CalculatedField = std::function<QVariant(const Record &)>;

class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    void setConnection(Connection *c);
    Connection *connection() const { return m_connection; }

    virtual void open() = 0;
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    void setActive(bool on);
    // Reads the rows again and keeps the position where it can.
    virtual void refresh() = 0;
    State state() const { return m_state; }

    // Navigation over the visible rows (the filter applied).
    void first();
    void last();
    void next();
    void prior();
    void moveBy(int distance);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return !hasRecord(0); }
    // Every visible row: a query reads all its rows for it.
    int recordCount() const;
    int recNo() const { return m_pos + 1; }  // 1-based; 0 when there is no current row
    void setRecNo(int recNo);
    int currentRow() const { return m_pos; }  // 0-based; -1 when there is none

    // Rows read as they are needed (a query's): whether the visible row exists,
    // reading up to it; the visible rows read so far; whether more may come; and
    // reading up to rows more of them. Datasets that hold their rows read nothing.
    bool hasRecord(int row) const;
    int fetchedRecordCount() const;
    bool canFetchMore() const;
    void fetchMore(int rows);
    // Rows arrive only by reading (never inserted or removed one by one).
    bool fetchesOnDemand() const { return isActive() && !m_filtered && readsOnDemand(); }

    // Fields: the stored ones, then the calculated ones.
    int fieldCount() const { return int(m_fields.size()); }
    const FieldInfo &fieldInfo(int col) const { return m_fields[col]; }
    int fieldIndex(const QString &name) const;  // -1 when there is no such field
    Field fieldByName(const QString &name);      // throws for an unknown field
    Field field(const QString &name) { return fieldByName(name); }
    QVariant value(int col) const;               // the current record (or the edit buffer)
    QVariant value(const QString &name) const;
    QVariant valueAt(int row, int col) const;    // a visible row, for grids
    Record recordAt(int row) const { return Record(this, physicalOf(row)); }

    void addCalculatedField(const QString &name, FieldType type, CalculatedField compute);

    // Client-side record filter: while filtered, only the rows it accepts are visible.
    void setFilter(RecordFilter filter);
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

    // Moves to the first visible record whose fields (names separated by ";")
    // equal the values. Returns false and stays put when none does.
    bool locate(const QString &fields, const QVariantList &values, LocateOptions options = {});
    bool locate(const QString &field, const QVariant &value, LocateOptions options = {})
    {
        return locate(field, QVariantList{value}, options);
    }

    // While disabled, no change reaches the attached grids; enabling resets them once.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

    // Editing (tables only; a query raises an error).
    virtual void edit();
    virtual void append();
    void insert() { append(); }
    virtual void post();
    virtual void cancel();
    virtual void remove();
    // Ends a pending row before the dataset moves: posts it, but drops a new row
    // that nothing was written into (a grid's empty row the cursor left).
    void checkBrowseMode();
    // Whether a field of the pending new row was set; datasets that cannot tell say yes.
    virtual bool newRowTouched() const { return true; }
    // Runs just before a pending edit or insert is written (fields set by the
    // program, such as the day a rates row belongs to).
    void setBeforePost(std::function<void()> step) { m_beforePost = std::move(step); }

    // Used by Record and Field.
    QVariant physicalValue(int phys, int col) const;
    virtual void setFieldValue(int col, const QVariant &value);

Q_SIGNALS:
    void reset();                  // rows or fields changed wholesale
    void rowChanged(int row);
    void rowInserted(int row);
    // Before the row leaves (it can still be read), then after.
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void currentRowChanged(int row);
    void stateChanged();

protected:
    // The stored rows, in their order before filtering ("physical" rows).
    virtual int physicalCount() const = 0;
    // Reading as needed: the physical rows read so far, making one physical row
    // available (false when there is no such row), whether the statement still
    // has rows to give, and whether rows come that way at all.
    virtual int fetchedCount() const { return physicalCount(); }
    virtual bool fetchPhysical(int phys) const { return phys >= 0 && phys < physicalCount(); }
    virtual bool readingPending() const { return false; }
    virtual bool readsOnDemand() const { return false; }
    virtual QVariant storedValue(int phys, int col) const = 0;
    virtual void releaseRows() = 0;
    // A field of the record being inserted.
    virtual QVariant insertedValue(int) const { return {}; }
    // Physical rows matching the locate, in physical order; the default scans.
    virtual std::vector<int> locateCandidates(const QVector<int> &cols, const QVariantList &values,
                                              LocateOptions options) const;

    void setStoredFields(const QVector<FieldInfo> &fields);
    int storedFieldCount() const { return m_storedCount; }
    int physicalOf(int row) const { return m_filtered ? m_visible[size_t(row)] : row; }
    int rowOfPhysical(int phys) const;
    void rebuildVisible();
    void setState(State s);
    void afterOpen();                 // state Browse, filter applied, first record
    void setPosition(int row);        // clamps, sets bof/eof, signals
    void notifyReset();
    void notifyRowChanged(int row);
    void notifyRowInserted(int row);
    void notifyRowAboutToBeRemoved(int row);
    void notifyRowRemoved(int row);
    // Keeps the visible list in step with a physical row added at the end or removed.
    int physicalAppended(int phys);   // returns its visible row, or -1 when filtered out
    int physicalRemoved(int phys);    // returns the visible row it had, or -1


    QVector<FieldInfo> m_fields;
    mutable QHash<QString, int> m_fieldIndex;  // lower-case name -> column
    int m_storedCount = 0;
    QVector<CalculatedField> m_calculated;  // index: col - m_storedCount
    std::vector<int> m_visible;
    RecordFilter m_filter;
    std::function<void()> m_beforePost;
    bool m_filtered = false;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = State::Inactive;
    int m_disabled = 0;
    bool m_changedWhileDisabled = false;
    QPointer<Connection> m_connection;
};
