#include "data/memory_dataset.h"

MemoryDataset::MemoryDataset(const QStringList &fields, QObject *parent) : Dataset(parent)
{
    for (const QString &name : fields) m_fieldInfos.append({name, FieldType::Memo, 0});
    setStoredFields(m_fieldInfos);
}

void MemoryDataset::setRows(const QVector<QVariantList> &rows)
{
    m_rows = rows;
    if (isActive()) refresh();
    else open();
}

void MemoryDataset::open()
{
    if (isActive()) return;
    setStoredFields(m_fieldInfos);
    afterOpen();
}

void MemoryDataset::refresh()
{
    if (!isActive()) {
        open();
        return;
    }
    rebuildVisible();
    notifyReset();
    setPosition(0);
}
