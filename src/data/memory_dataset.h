#pragma once
// A read-only dataset over rows held in memory: lines a window works out for a
// printout (the calculator's body lines) bound to a report like any query.
#include "data/dataset.h"

#include <QStringList>

class MemoryDataset : public Dataset {
    Q_OBJECT
public:
    // Text fields of the given names.
    explicit MemoryDataset(const QStringList &fields, QObject *parent = nullptr);

    // Replaces the rows (one value per field) and opens the dataset on the first.
    void setRows(const QVector<QVariantList> &rows);
    void open() override;
    void refresh() override;

protected:
    int physicalCount() const override { return int(m_rows.size()); }
    QVariant storedValue(int phys, int col) const override { return m_rows[phys].value(col); }
    void releaseRows() override {}

private:
    QVector<FieldInfo> m_fieldInfos;
    QVector<QVariantList> m_rows;
};
