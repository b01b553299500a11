#include "accounts/account_steps.h"

#include "data/connection.h"
#include "data/data_context.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/sql_translate.h"
#include "data/statement.h"
#include "data/table.h"
#include "data/turkish_text.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace AccountSteps {

void yeniKartVarsayilanlari(Dataset &card)
{
    card.field(QStringLiteral("yildaki_gun")) = 365;
    card.field(QStringLiteral("yillik_faiz")) = 0.0;
    card.field(QStringLiteral("aylik_faiz")) = 0.0;
    card.field(QStringLiteral("masraf")) = 0.0;
    card.field(QStringLiteral("BSMV")) = 0.0;
    card.field(QStringLiteral("tahsilatsure_ekle")) = 0;
}

bool findAccount(Query &q, const QString &code)
{
    q.close();
    q.sql().clear();
    q.sql() << QStringLiteral("SELECT * FROM firma WHERE ") + sqlCodeEquals(QStringLiteral("firma_kodu"), code);
    q.open();
    return !q.isEmpty();
}

bool kodBaskaKarttaVar(Query &q, const QString &code, const QVariant &ownInd)
{
    findAccount(q, code);
    bool taken = false;
    const qint64 own = ownInd.isNull() || !ownInd.isValid() ? -1 : ownInd.toLongLong();
    for (q.first(); !q.eof(); q.next())
        if (q.field(QStringLiteral("firma_ind")).asInteger() != own) { taken = true; break; }
    q.close();
    return taken;
}

namespace {

struct Reference {
    const char *table;
    const char *field;
    const char *what;
};

// Every link from a row to an account code.
const Reference kCompanyRefs[] = {
    {"cekbordro", "alindigi_firma_kodu", "giriş bordrosu"},
    {"cekgiris", "alindigi_firma_kodu", "alınan çek/senet"},
    {"cikisbordro", "ciro_firma_kodu", "çıkış bordrosu"},
    {"cekciro", "Ciro_firma_kodu", "ciro edilen çek/senet"},
    {"cekciro", "alindigi_firma_kodu", "ciro edilen çek/senet (alındığı firma)"},
    {"cekkendi", "cirolandigi_firma_kodu", "kendi çekimiz"},
    {"cekkendi", "banka_kodu", "kendi çekimiz (banka)"},
    {"resimfirma", "firmakodu", "evrak resmi"},
};
const Reference kCashRefs[] = {
    {"carihareket", "cari_kodu", "cari hareket"},
    {"nakit", "firmakodu", "kasa kaydı"},
    {"nakit", "bankakodu", "kasa kaydı (banka)"},
};

void count(Connection &c, const Reference &r, const QString &code, QStringList &out, const QString &suffix = QString())
{
    if (!c.hasTable(QLatin1String(r.table))) return;
    Statement st(c.handle(), QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"%2\"=?1 COLLATE %3")
                                 .arg(QLatin1String(r.table), QLatin1String(r.field), QLatin1String(kTurkishNoCaseCollation)));
    st.bindText(1, code);
    if (!st.step()) return;
    const qint64 n = sqlite3_column_int64(st.handle(), 0);
    if (n > 0) out << QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(r.what)) + suffix;
}

} // namespace

QStringList kartaBagliKayitlar(Connection &company, Connection *cash, const QString &code, const QString &companyCode)
{
    QStringList out;
    if (code.trimmed().isEmpty()) return out;
    if (!company.isOpen()) company.open();
    for (const Reference &r : kCompanyRefs) count(company, r, code, out);
    const bool cashOpen = cash && cash->isOpen();
    if (cashOpen)
        for (const Reference &r : kCashRefs) count(*cash, r, code, out);
    if (companyCode.isEmpty()) return out;

    // Movements of other years point at the card just the same.
    const QString openFile = cashOpen ? QFileInfo(cash->filePath()).canonicalFilePath() : QString();
    const QRegularExpression name(u'^' + QRegularExpression::escape(companyCode) + QStringLiteral("(\\d{4})K\\.mdb$"));
    QDir data(ProgramHome::path(QStringLiteral("Data")));
    QStringList files = data.entryList(QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const auto m = name.match(file);
        if (!m.hasMatch() || QFileInfo(data.filePath(file)).canonicalFilePath() == openFile) continue;
        const int year = m.captured(1).toInt();
        Connection other;
        other.setConnectionString(DataContext::cashConnectionString(companyCode, year));
        other.open();
        for (const Reference &r : kCashRefs) count(other, r, code, out, QStringLiteral(" (%1)").arg(year));
        other.close();
    }
    return out;
}

namespace {

// The folded "name code" key of the search, as the engine computes it.
const QString kKey = QStringLiteral(
    "instr(trlower(trim(coalesce(firma_adi,''))) || ' ' || trlower(trim(coalesce(firma_kodu,''))), ?1) > 0");

} // namespace

bool cariAra(Table &cards, const QString &text)
{
    const QString needle = turkceKucuk(text);
    if (needle.isEmpty() || !cards.isActive() || cards.isEmpty()) return false;
    Connection &c = *cards.connection();
    const qint64 key = cards.currentKey();
    const QVariant name = cards.field(QStringLiteral("firma_adi")).value();
    const QString tr = QLatin1String(kTurkishCollation);

    // The cards after the current one in the list's order (name, then row) come
    // first, then those from the top, which brings the current card round last.
    QString after = QStringLiteral("0");
    if (key >= 0) {
        after = name.isNull() ? QStringLiteral("(firma_adi IS NOT NULL OR rowid > ?3)")
                              : QStringLiteral("(firma_adi > ?2 COLLATE %1 OR (firma_adi = ?2 COLLATE %1 AND rowid > ?3))").arg(tr);
    }
    Statement st(c.handle(), QStringLiteral("SELECT firma_ind FROM firma WHERE ") + kKey
                                 + QStringLiteral(" ORDER BY CASE WHEN %1 THEN 0 ELSE 1 END, firma_adi COLLATE %2, rowid LIMIT 1")
                                       .arg(after, tr));
    st.bindText(1, needle);
    if (key >= 0) {
        if (!name.isNull()) st.bindText(2, name.toString());
        st.bindInt(3, key);
    }
    if (!st.step()) return false;
    const qint64 found = sqlite3_column_int64(st.handle(), 0);
    return cards.locate(QStringLiteral("firma_ind"), found);
}

} // namespace AccountSteps
