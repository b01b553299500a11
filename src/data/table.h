#pragma once
// Table access: a table opened by name in a named index order (or by fields),
// optionally limited to the rows whose link field equals a master value. Records
// are appended, edited, posted, cancelled and deleted through it.
//
// The dataset keeps the keys of its rows in order and reads rows on demand (in
// blocks, cached until the connection writes), so that a table of half a million
// movements opens at once. Rows appended after opening come at the end until the
// table is refreshed.
#include "data/dataset.h"

#include <QHash>
#include <vector>

// The message of a correction whose stored row is gone: an edit that changes no
// stored row is refused, never reported as saved.
inline const QString kEditedRowGone =
    QStringLiteral("Düzeltilen kayıt bulunamadı; başka bir yerden silinmiş olabilir. Kayıt yapılmadı.");

class Table : public Dataset {
    Q_OBJECT
public:
    explicit Table(QObject *parent = nullptr);
    Table(Connection *c, const QString &tableName, const QString &indexName = QString(),
          const QString &objectName = QString(), QObject *parent = nullptr);

    void setTableName(const QString &name);
    QString tableName() const { return m_table; }
    // A named index of the schema ("cek_tarihi", "PrimaryKey") or a field name.
    void setIndexName(const QString &name);
    // Fields separated by ";" to order by, instead of a named index.
    void setIndexFieldNames(const QString &fields);
    // The detail limitation: only rows whose field equals value. Reopens when open.
    void setMasterLink(const QString &field, const QVariant &value);
    void clearMasterLink();

    void open() override;
    void refresh() override;

    void edit() override;
    void append() override;
    void post() override;
    void cancel() override;
    bool newRowTouched() const override;
    void remove() override;
    void setFieldValue(int col, const QVariant &value) override;

    qint64 currentKey() const;  // the row id of the current record, -1 when none

protected:
    int physicalCount() const override { return int(m_keys.size()); }
    QVariant storedValue(int phys, int col) const override;
    void releaseRows() override;
    QVariant insertedValue(int col) const override { return m_buffer.value(col); }
    std::vector<int> locateCandidates(const QVector<int> &cols, const QVariantList &values,
                                      LocateOptions options) const override;

private:
    QString orderClause();
    QString whereClause() const;
    void loadKeys();
    const QVector<QVariant> &fetchRow(int phys) const;
    int autoNumberColumn() const;
    void keepPostedRow(qint64 key);
    const QString &writeSql(bool insert, const QVector<int> &cols);

    QString m_table;
    QString m_indexName;
    QString m_indexFields;
    QString m_linkField;
    QVariant m_linkValue;
    bool m_linked = false;

    std::vector<qint64> m_keys;
    // Where each key stands in m_keys, built once a large table has been searched
    // for a few rows many times, and kept while rows are only appended; any other
    // change of m_keys drops it.
    mutable QHash<qint64, int> m_positions;
    static constexpr int kLocatesBeforeMap = 32;
    mutable int m_fewRowLocates = 0;  // few-row locates since the keys were read
    void dropPositions()
    {
        m_positions.clear();
        m_fewRowLocates = 0;
    }
    QVector<QVariant> m_buffer;  // the record being edited or inserted
    QVector<bool> m_changed;
    int m_editPhys = -1;

    QHash<QByteArray, QString> m_writeSql;  // by the set of fields written
    quint64 m_writeSqlGeneration = 0;
    mutable QHash<qint64, QVector<QVariant>> m_cache;
    mutable quint64 m_cacheVersion = 0;
};
