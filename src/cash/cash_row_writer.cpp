#include "cash/cash_row_writer.h"

#include "data/connection.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "data/transaction.h"

#include <QHash>
#include <sqlite3.h>

namespace CashRowWriter {
namespace {

bool isPending(const Table &t) { return t.state() == Dataset::State::Insert || t.state() == Dataset::State::Edit; }

// The pending row as typed, to be put back when the save fails.
struct PendingRow {
    Dataset::State state = Dataset::State::Browse;
    qint64 nid = 0;
    QVector<QPair<int, QVariant>> values;
};

PendingRow keepPending(Table &t)
{
    PendingRow p;
    p.state = t.state();
    if (!isPending(t)) return p;
    for (const FieldInfo &f : t.connection()->tableFields(t.tableName())) {
        const int i = t.fieldIndex(f.name);
        if (i < 0) continue;
        if (f.type == FieldType::AutoNumber) {
            p.nid = t.value(i).toLongLong();
            continue;
        }
        p.values.append({i, t.value(i)});
    }
    return p;
}

void restorePending(Table &t, const PendingRow &p)
{
    if (p.state == Dataset::State::Browse) return;
    try {
        if (!t.isActive()) t.open();
        if (isPending(t)) t.cancel();
        if (p.state == Dataset::State::Edit) {
            if (!t.locate(QStringLiteral("nid"), p.nid)) return;
            t.edit();
        } else {
            t.append();
        }
        for (const auto &[col, value] : p.values) t.setFieldValue(col, value);
    } catch (const EngineError &) {
        // The file itself is gone: there is no row left to keep.
    }
}

QVariant valueOf(const Table &t, const char *field) { return t.value(QLatin1String(field)); }

bool hasText(const QVariant &v) { return !v.toString().trimmed().isEmpty(); }

} // namespace

Written write(Table &nakit, const Fields &key, const Fields &values, const Former &former)
{
    Connection *cash = nakit.connection();
    if (!cash) throw EngineError(QStringLiteral("Kasa tablosunun bağlantısı yok."));
    const bool nested = cash->inTransaction();
    if (!nakit.isActive()) nakit.open();
    const PendingRow typed = keepPending(nakit);
    Written result;
    try {
        TransactionScope tx{cash, former.cash};
        if (!isPending(nakit)) {
            QStringList names;
            QVariantList wanted;
            for (const Field &k : key) {
                names << k.name;
                wanted << k.value;
            }
            if (!key.isEmpty() && nakit.locate(names.join(u';'), wanted)) {
                nakit.edit();
            } else {
                nakit.append();
                for (const Field &k : key) nakit.field(k.name) = k.value;
            }
        }
        for (const Field &v : values) nakit.field(v.name) = v.value;
        result.appended = nakit.state() == Dataset::State::Insert;

        // The mirror is made of the row as it will be stored.
        const QVariant code = valueOf(nakit, "firmakodu"), name = valueOf(nakit, "firmaadi");
        const QVariant day = valueOf(nakit, "islem_tarihi");
        const MovementWriter::Fields mirror{
            {QStringLiteral("islem_tarihi"), day},
            {QStringLiteral("vade_tarihi"), day},
            {QStringLiteral("cari_kodu"), code},
            {QStringLiteral("cari_hesap_adi"), name},
            {QStringLiteral("doviz_cinsi"), valueOf(nakit, "doviz_cinsi")},
            {QStringLiteral("doviz_kuru"), valueOf(nakit, "doviz_kuru")},
            {QStringLiteral("borc_tutari"), valueOf(nakit, "alacak_tutar")},
            {QStringLiteral("alacak_tutari"), valueOf(nakit, "borc_tutar")},
            {QStringLiteral("aciklama"), valueOf(nakit, "aciklama")},
        };
        const bool namesAccount = hasText(code) || hasText(name);

        result.nid = result.appended ? 0 : nakit.value(QStringLiteral("nid")).toLongLong();
        nakit.post();
        if (result.appended) result.nid = sqlite3_last_insert_rowid(cash->handle());

        if (namesAccount) {
            const MovementWriter::Fields link{{QStringLiteral("nakit_id"), result.nid}};
            MovementWriter::post(*cash, link, mirror + link);
            result.mirrored = true;
        }
        if (former.cash && former.nid > 0) {
            // The row moves: it and its mirror leave the former year's file.
            Statement &gone = former.cash->cached(
                QStringLiteral("DELETE FROM %1 WHERE nid=?").arg(former.cash->tableRef(QStringLiteral("nakit"))));
            gone.bindInt(1, former.nid);
            gone.execute();
            former.cash->noteWrite(nullptr);
            MovementWriter::remove(*former.cash, {{QStringLiteral("nakit_id"), former.nid}});
        }
        tx.commit();
    } catch (...) {
        restorePending(nakit, typed);
        throw;
    }
    if (!nested) DataContext::instance().announce({DataKind::Cash, DataKind::Movements});
    return result;
}

void removeCurrent(Table &nakit)
{
    if (!nakit.isActive() || nakit.isEmpty()) return;
    Connection *cash = nakit.connection();
    if (!cash) throw EngineError(QStringLiteral("Kasa tablosunun bağlantısı yok."));
    const bool nested = cash->inTransaction();
    const qint64 nid = nakit.value(QStringLiteral("nid")).toLongLong();
    {
        // Row and mirror were written together; they leave together.
        TransactionScope tx{cash};
        nakit.remove();
        if (nid > 0) MovementWriter::remove(*cash, {{QStringLiteral("nakit_id"), nid}});
        tx.commit();
    }
    if (!nested) DataContext::instance().announce({DataKind::Cash, DataKind::Movements});
}

} // namespace CashRowWriter
