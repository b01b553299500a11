#include "accounts/ledger_statements.h"

#include "data/dataset.h"
#include "data/sql_literals.h"
#include "data/turkish_text.h"

namespace Ledger {
namespace {

// "AND doviz_cinsi='USD'", or nothing for every currency.
QStringList currencyLine(const QString &currency)
{
    if (currency.isEmpty() || currency == kHepsi) return {};
    return {QStringLiteral("AND doviz_cinsi=") + sqlText(currency)};
}

QString codeLine(const QString &code) { return QStringLiteral("AND cari_kodu=") + sqlText(code); }

// The period is written as open bounds a day outside, so both ends are included.
QString periodBounds(const QString &alias, const QDate &first, const QDate &last)
{
    return QStringLiteral("(%1islem_tarihi)<").arg(alias) + sqlDate(last.addDays(1))
           + QStringLiteral(" AND (%1islem_tarihi)>").arg(alias) + sqlDate(first.addDays(-1));
}

QStringList accountSums(const QString &code, const QDate &before, const QString &currency)
{
    QStringList s{QStringLiteral("Select B.cari_kodu, SUM(B.borc_tutari) as SUMborc_tutari,"),
                  QStringLiteral("SUM(B.alacak_tutari) as SUMalacak_tutari "), QStringLiteral("FROM carihareket B"),
                  QStringLiteral("WHERE (B.islem_tarihi)<") + sqlDate(before), codeLine(code)};
    s << currencyLine(currency) << QStringLiteral("GROUP BY B.cari_kodu ");
    return s;
}

} // namespace

QStringList accountListStatement(const QDate &asOf, const QString &currency, const QString &direction)
{
    QStringList s{QStringLiteral("Select B.cari_kodu, B.cari_hesap_adi, B.doviz_cinsi, SUM(B.borc_tutari) as SUMborc_tutari,"),
                  QStringLiteral("SUM(B.alacak_tutari) as SUMalacak_tutari, SUM(B.brut_tutar) as SUMbrut_tutar,"),
                  QStringLiteral("SUM(B.vade_fark) as SUMvade_fark, SUM(B.cek_masraf) as SUMcek_masraf,"),
                  QStringLiteral("SUM(B.komisyon) as SUMkomisyon FROM carihareket B"),
                  QStringLiteral("WHERE (B.islem_tarihi)<") + sqlDate(asOf.addDays(1))};
    s << currencyLine(currency) << QStringLiteral("GROUP BY B.cari_kodu, B.doviz_cinsi, B.cari_hesap_adi")
      << QStringLiteral("ORDER BY B.cari_hesap_adi ") + direction;
    return s;
}

QStringList accountTotalsStatement(const QDate &asOf, const QString &currency, const QString &direction)
{
    QStringList s{QStringLiteral("Select B.doviz_cinsi, SUM(B.borc_tutari) as SUMborc_tutari,"),
                  QStringLiteral("SUM(B.alacak_tutari) as SUMalacak_tutari "), QStringLiteral("FROM carihareket B"),
                  QStringLiteral("WHERE (B.islem_tarihi)<") + sqlDate(asOf.addDays(1))};
    s << currencyLine(currency) << QStringLiteral("GROUP BY B.doviz_cinsi ")
      << QStringLiteral("ORDER BY B.doviz_cinsi ") + direction;
    return s;
}

QStringList carriedForwardStatement(const QString &code, const QDate &first, const QString &currency)
{
    return accountSums(code, first, currency);
}

QStringList upToEndStatement(const QString &code, const QDate &last, const QString &currency)
{
    return accountSums(code, last.addDays(1), currency);
}

QStringList periodStatement(const QString &code, const QDate &first, const QDate &last, const QString &currency)
{
    QStringList s{QStringLiteral("Select * FROM carihareket "), QStringLiteral("WHERE ") + periodBounds(QString(), first, last),
                  codeLine(code)};
    s << currencyLine(currency) << QStringLiteral("ORDER BY islem_tarihi ASC;");
    return s;
}

QStringList periodTotalsStatement(const QString &code, const QDate &first, const QDate &last, const QString &currency,
                                  const QString &direction)
{
    QStringList s{QStringLiteral("Select B.doviz_cinsi, B.cari_kodu, SUM(B.borc_tutari) as SUMborc_tutari,"),
                  QStringLiteral("SUM(B.alacak_tutari) as SUMalacak_tutari "), QStringLiteral("FROM carihareket B"),
                  QStringLiteral("WHERE ") + periodBounds(QStringLiteral("B."), first, last), codeLine(code)};
    s << currencyLine(currency) << QStringLiteral("GROUP BY B.doviz_cinsi,B.cari_kodu ")
      << QStringLiteral("ORDER BY B.doviz_cinsi ") + direction;
    return s;
}

QStringList allMovementsStatement(const QString &field, const QString &direction)
{
    return {QStringLiteral("Select * FROM carihareket ORDER BY ") + field + u' ' + direction};
}

QStringList balancesByNameStatement()
{
    return {QStringLiteral("Select cari_hesap_adi,doviz_cinsi,SUM(alacak_tutari) as SUMalacak_tutari,"),
            QStringLiteral("SUM(borc_tutari) as SUMborc_tutari from carihareket "),
            QStringLiteral("GROUP BY cari_hesap_adi,doviz_cinsi;")};
}

int totalsGridHeight(int rows, int present)
{
    if (rows <= 0) return present;
    if (rows == 1) return 50;
    if (rows == 2) return 70;
    if (rows == 3) return 90;
    return 110;
}

QHash<qint64, double> runningBalances(const Dataset &movements, const QString &code, double carriedForward)
{
    QHash<qint64, double> out;
    if (!movements.isActive()) return out;
    const int chid = movements.fieldIndex(QStringLiteral("chid"));
    const int kod = movements.fieldIndex(QStringLiteral("cari_kodu"));
    const int borc = movements.fieldIndex(QStringLiteral("borc_tutari"));
    const int alacak = movements.fieldIndex(QStringLiteral("alacak_tutari"));
    if (chid < 0 || kod < 0 || borc < 0 || alacak < 0) return out;
    double sum = carriedForward;
    for (int row = 0, n = movements.recordCount(); row < n; ++row) {
        if (movements.valueAt(row, kod).toString() != code) continue;
        sum += movements.valueAt(row, borc).toDouble() - movements.valueAt(row, alacak).toDouble();
        out.insert(movements.valueAt(row, chid).toLongLong(), sum);
    }
    return out;
}

bool searchAccounts(Dataset &accounts, const QString &text)
{
    if (!accounts.isActive() || accounts.isEmpty()) return false;
    const QString key = turkceKucuk(text);
    const int name = accounts.fieldIndex(QStringLiteral("cari_hesap_adi"));
    if (name < 0) return false;
    const int n = accounts.recordCount();
    int row = accounts.currentRow();
    for (int step = 0; step <= n; ++step) {
        row = row + 1 >= n ? 0 : row + 1;
        if (turkceKucuk(accounts.valueAt(row, name).toString()).contains(key)) {
            accounts.setRecNo(row + 1);
            return true;
        }
    }
    return false;
}

} // namespace Ledger
