#include "data/operation_log.h"

#include "data/connection.h"
#include "data/statement.h"

#include <QDateTime>

namespace OperationLog {

void write(Connection &company, const Entry &e)
{
    Statement &st = company.cached(QStringLiteral("INSERT INTO %1 (cek_turu, cek_ind, islem, islem_tarihi, bordro_ind, cari_kodu, "
                                                  "tutar, tl_tutar, para_birimi, kasa_yili, yazilma, yeniden) "
                                                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, 'H')")
                                       .arg(company.tableRef(QStringLiteral("cekislem"))));
    st.reset();
    st.bindInt(1, int(e.kind));
    st.bindInt(2, e.cheque);
    st.bindText(3, e.operation.left(40));
    if (e.date.isValid()) st.bindText(4, e.date.toString(Qt::ISODate));
    else st.bindNull(4);
    if (e.slip > 0) st.bindInt(5, e.slip);
    else st.bindNull(5);
    if (e.account.isEmpty()) st.bindNull(6);
    else st.bindText(6, e.account.left(20));
    st.bindDouble(7, e.amount);
    st.bindDouble(8, e.tl);
    if (e.currency.isEmpty()) st.bindNull(9);
    else st.bindText(9, e.currency.left(5));
    if (e.cashYear > 0) st.bindInt(10, e.cashYear);
    else st.bindNull(10);
    st.bindText(11, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    st.execute();
    st.reset();
    company.noteWrite(nullptr);
}

} // namespace OperationLog
