#include "received/cheque_lifecycle.h"

#include "data/connection.h"
#include "data/data_context.h"
#include "data/program_home.h"
#include "data/statement.h"
#include "data/engine_error.h"
#include "data/transaction.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace Lifecycle {

QDate Row::date(const char *field) const
{
    const QVariant v = value(field);
    if (v.isNull()) return QDate();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

Row read(Connection &c, const QString &table, const QString &keyField, qint64 key)
{
    Row row;
    if (key <= 0) return row;
    Statement &st = c.cached(QStringLiteral("SELECT * FROM %1 WHERE %2=?1").arg(c.tableRef(table), keyField));
    st.reset();
    st.bindInt(1, key);
    if (st.step()) {
        row.found = true;
        sqlite3_stmt *h = st.handle();
        for (int i = 0, n = sqlite3_column_count(h); i < n; ++i) {
            const QString name = QString::fromUtf8(sqlite3_column_name(h, i)).toLower();
            QVariant v;
            switch (sqlite3_column_type(h, i)) {
            case SQLITE_INTEGER: v = qint64(sqlite3_column_int64(h, i)); break;
            case SQLITE_FLOAT: v = sqlite3_column_double(h, i); break;
            case SQLITE_TEXT:
                v = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(h, i)), sqlite3_column_bytes(h, i));
                break;
            case SQLITE_BLOB: v = QByteArray(); break;  // pictures are never read here
            default: break;
            }
            row.fields.insert(name, v);
        }
    }
    st.reset();
    return row;
}

OperationLog::Entry logEntry(const Row &row, OperationLog::Kind kind, const QString &operation, const QDate &date)
{
    OperationLog::Entry e;
    e.kind = kind;
    e.cheque = row.integer("cek_ind");
    e.operation = operation;
    e.date = date;
    e.slip = row.integer("bordro_ind");
    e.account = row.text(kind == OperationLog::Kind::Own ? "cirolandigi_firma_kodu" : "alindigi_firma_kodu");
    e.amount = row.amount("cek_tutari");
    e.tl = row.amount("cekTL_karsiligi");
    e.currency = row.text("para_birimi");
    return e;
}

QString refusal(const Row &row, const QString &stateText)
{
    return ChequeState::refusal(row.text("cek_no"), row.date("cek_tarihi"), row.amount("cek_tutari"),
                                row.text("para_birimi"), stateText);
}

qint64 holdingSlip(Connection &company, qint64 receivedKey, qint64 exceptSlip)
{
    if (receivedKey <= 0) return 0;
    Statement &st = company.cached(QStringLiteral("SELECT ciro_bordro_ind FROM %1 WHERE cek_giris_id=?1 AND "
                                                  "cek_iade_tarihi IS NULL AND ciro_bordro_ind<>?2 "
                                                  "ORDER BY ciro_bordro_ind LIMIT 1")
                                       .arg(company.tableRef(QStringLiteral("cekciro"))));
    st.reset();
    st.bindInt(1, receivedKey);
    st.bindInt(2, exceptSlip);
    const qint64 slip = st.step() ? sqlite3_column_int64(st.handle(), 0) : 0;
    st.reset();
    return slip;
}

QString heldMessage(const Row &received, qint64 slip)
{
    return ChequeState::refusal(received.text("cek_no"), received.date("cek_tarihi"), received.amount("cek_tutari"),
                                received.text("para_birimi"),
                                QString::number(slip) + QStringLiteral(" nolu çıkış bordrosunda duran"))
           + QStringLiteral("\n\rÖnce çeki o bordrodan siliniz ya da geri alınız.");
}

bool needsYearSwitch(const QDate &date)
{
    return date.isValid() && date.year() != DataContext::instance().calismaYili;
}

bool isCarriedOver(int year)
{
    const DataContext &ctx = DataContext::instance();
    return QFileInfo::exists(ProgramHome::path(DataContext::cashFileName(ctx.aktifSirketKodu, year + 1)));
}

QString yearQuestion(int year)
{
    QString text = QStringLiteral("Kayıt yılı ") + QString::number(year)
                   + QStringLiteral(" olacak. Devam etmek istediğinize eminmisiniz?");
    if (isCarriedOver(year))
        text += QStringLiteral("\n\r\n\r") + QString::number(year + 1) + QStringLiteral(" yılının dosyası açılmış: ")
                + QString::number(year)
                + QStringLiteral(" yılına yapılan kayıt devir bakiyelerini değiştirir; devir işlemini yeniden yapınız.");
    return text;
}

MovementWriter::Fields collectionKey(qint64 chequeKey) { return {{QStringLiteral("cekid"), chequeKey}}; }

std::unique_ptr<YearFiles::Others> otherYearsFor(const QDate &previous)
{
    const DataContext &ctx = DataContext::instance();
    if (!previous.isValid() || previous.year() == ctx.calismaYili) return nullptr;
    return std::make_unique<YearFiles::Others>(ctx.aktifSirketKodu, ctx.calismaYili);
}

Outcome inOneSave(const YearFiles::Others *others, const std::function<void()> &writes)
{
    DataContext &ctx = DataContext::instance();
    Outcome o;
    try {
        QList<Connection *> files{&ctx.ADOConnection1};
        if (ctx.kasaConnection.isOpen()) files << &ctx.kasaConnection;
        if (others) files += QList<Connection *>(others->connections().begin(), others->connections().end());
        TransactionScope tx{files};
        writes();
        tx.commit();
        o.done = true;
    } catch (const Refused &refused) {
        o.message = refused.message;
    } catch (const EngineError &e) {
        o.engineError = true;
        o.message = e.message();
    }
    return o;
}

int removeInOtherYears(const QVector<Connection *> &others, const QString &table, const MovementWriter::Fields &key)
{
    int n = 0;
    for (Connection *c : others) n += MovementWriter::removeRows(*c, table, key);
    return n;
}

} // namespace Lifecycle
