#include "given/exit_slip_rows.h"
#include "data/data_context.h"
#include "received/cheque_lifecycle.h"

#include "data/dataset.h"
#include "data/display_format.h"
#include "data/number_reading.h"
#include "widgets/form_kit.h"

namespace ExitSlip {

using namespace EntrySlip;

namespace {
// A cell read as a number; text that is none reads as 0.
double reads(const QString &cell) { return sayiOkuDene(cell).value_or(0.0); }
} // namespace

int targetRow(const QVector<QStringList> &rows)
{
    for (int r = 0; r < rows.size(); ++r)
        if (reads(rows[r].value(ColVade)) < 5 && reads(rows[r].value(ColTutar)) < 0.01) return r;
    return 0;
}

QString currencyMessage(const QString &slipCurrency)
{
    return QStringLiteral("Çek çıkış bordrosu aynı para cinsinden düzenlenmelidir.\n\rDaha önceki girişleriniz \"") +
           slipCurrency + QStringLiteral("\" olarak yapılmış");
}

QString dateCell(const QDate &date) { return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString(); }

QString refusal(Dataset &cheque, const QVector<QStringList> &rows)
{
    for (const char *f : {"cek_ciro_tarihi", "cek_tahsilat_tarihi", "cek_karsiliklsiz_tarihi", "cek_iade_tarihi"}) {
        const Field field = cheque.field(QString::fromLatin1(f));
        if (!field.isNull() && field.asDate().isValid())
            return QStringLiteral("Bu çeke daha öncesinden Ciro/Tahsilat/Karşılıksız/İade\n\rişlemi yapılmıştır. "
                                  "Seçiminizi değiştiriniz.");
    }
    // A cheque given out on a slip whose date was lost still carries the slip's number.
    if (!cheque.field(QStringLiteral("cek_ciro_id")).isNull())
        return QStringLiteral("Bu çeke daha öncesinden Ciro/Tahsilat/Karşılıksız/İade\n\rişlemi yapılmıştır. "
                              "Seçiminizi değiştiriniz.");
    const QString key = cheque.field(QStringLiteral("cek_ind")).asString();
    for (const QStringList &r : rows)
        if (r.value(ColGirisId) == key)
            return QStringLiteral("Bu çek daha öncesinden bordroya eklenmiştir.\n\rBaşka seçim yapınız.");
    // Its endorsement undone, a cheque is still held by the slip that kept its row.
    Connection &company = DataContext::instance().ADOConnection1;
    if (const qint64 slip = Lifecycle::holdingSlip(company, key.toLongLong()))
        return Lifecycle::heldMessage(Lifecycle::readReceived(company, key.toLongLong()), slip);
    return {};
}

void fillFromReceived(QStringList &row, Dataset &c)
{
    while (row.size() < ExitColumnCount) row << QString();
    row[ColVade] = dateCell(c.field(QStringLiteral("cek_tarihi")).asDate());
    row[ColTutar] = formatFloat(FormKit::kMoney, c.field(QStringLiteral("cek_tutari")).asFloat());
    row[ColDuzenleyen] = c.field(QStringLiteral("ceki_duzenleyen")).asString();
    row[ColAdat] = formatFloat(FormKit::kMoney, c.field(QStringLiteral("cek_adat")).asFloat());
    row[ColBanka] = c.field(QStringLiteral("cek_bankasi")).asString();
    row[ColSube] = c.field(QStringLiteral("cek_subesi")).asString();
    row[ColHesapNo] = c.field(QStringLiteral("cek_hesap_no")).asString();
    row[ColCekNo] = c.field(QStringLiteral("cek_no")).asString();
    row[ColAlindigiFirma] = c.field(QStringLiteral("alindigi_firma")).asString();
    row[ColAlindigiTarih] = dateCell(c.field(QStringLiteral("islem_tarihi")).asDate());
    row[ColAlindigiKod] = c.field(QStringLiteral("alindigi_firma_kodu")).asString();
    row[ColAciklama] = c.field(QStringLiteral("aciklama")).asString();
    row[ColGirisId] = c.field(QStringLiteral("cek_ind")).asString();
}

void fillOwnCheque(QStringList &row, const OwnCheque &c, const QString &drawer)
{
    while (row.size() < ExitColumnCount) row << QString();
    row[ColVade] = dateCell(c.due);
    row[ColTutar] = formatFloat(FormKit::kMoney, c.amount);
    row[ColDuzenleyen] = drawer;
    row[ColBanka] = c.bank;
    row[ColSube] = c.branch;
    row[ColHesapNo] = c.account;
    row[ColCekNo] = c.number;
    row[ColAciklama] = c.description;
    row[ColDuzenlemeId] = c.key.isEmpty() ? kNewOwnCheque : c.key;
}

int copyTarget(const QVector<QStringList> &rows, int from)
{
    if (from < 0 || from >= rows.size()) return -1;
    const QStringList &r = rows[from];
    const bool own = r.value(ColDuzenlemeId) == kNewOwnCheque || storedOwnKey(r) > 0;
    if (reads(r.value(ColVade)) <= 100 || !own) return -1;
    for (int t = from + 1; t < rows.size(); ++t)
        if (reads(rows[t].value(ColVade)) < 100) return t;
    return -1;
}

} // namespace ExitSlip
