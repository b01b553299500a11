#include "given/exit_slip_load.h"

#include "data/display_format.h"
#include "data/query.h"
#include "given/exit_slip_rows.h"

namespace ExitSlip {

namespace {

// A field's text, empty for a field the table does not have.
QString text(Dataset &d, const char *name)
{
    const QString field = QString::fromLatin1(name);
    return d.fieldIndex(field) < 0 ? QString() : d.field(field).asString();
}

QString money(Dataset &d, const char *name)
{
    const QString field = QString::fromLatin1(name);
    return d.fieldIndex(field) < 0 ? QString() : formatFloat(QStringLiteral("#,##0.00"), d.field(field).asFloat());
}

QString day(Dataset &d, const char *name)
{
    const QString field = QString::fromLatin1(name);
    if (d.fieldIndex(field) < 0 || d.field(field).isNull()) return QString();
    return d.field(field).asDate().toString(QStringLiteral("dd.MM.yyyy"));
}

// Columns 1 to 12, shared by portfolio and own cheques.
void chequeCells(Dataset &d, QStringList &c)
{
    c[1] = day(d, "cek_tarihi");
    c[2] = money(d, "cek_tutari");
    c[3] = text(d, "cek_gun");
    c[4] = money(d, "cek_vade_farki");
    c[5] = money(d, "cek_masraf");
    c[6] = money(d, "cek_net_tutar");
    c[7] = text(d, "ceki_duzenleyen");
    c[8] = money(d, "cek_adat");
    c[9] = text(d, "cek_bankasi");
    c[10] = text(d, "cek_subesi");
    c[11] = text(d, "cek_hesap_no");
    c[12] = text(d, "cek_no");
}

} // namespace

EntrySlip::LoadedSlip loadExitSlip(Connection &company, qint64 number)
{
    EntrySlip::LoadedSlip s;
    const QString n = QString::number(number);
    Query slip(&company);
    slip.reopen({QStringLiteral("SELECT * FROM cikisbordro WHERE bordro_ind=") + n + u';'});
    if (slip.isEmpty()) return s;
    s.found = true;
    int row = 0;
    Query given(&company);
    given.reopen({QStringLiteral("SELECT * FROM cekciro WHERE ciro_bordro_ind=") + n,
                  QStringLiteral("ORDER BY ciro_cek_ind ASC;")});
    for (given.first(); !given.eof(); given.next()) {
        QStringList c(ExitColumnCount);
        c[0] = QString::number(++row);
        chequeCells(given, c);
        c[ColAlindigiFirma] = text(given, "alindigi_firma");
        c[ColAlindigiTarih] = day(given, "cek_alindigi_tarihi");
        c[ColAlindigiKod] = text(given, "alindigi_firma_kodu");
        c[16] = text(given, "aciklama");
        c[ColGirisId] = text(given, "cek_giris_id");
        c[ColCiroIndex] = text(given, "ciro_cek_ind");
        s.rows << c;
    }
    Query own(&company);
    own.reopen({QStringLiteral("SELECT * FROM cekkendi WHERE bordro_ind=") + n, QStringLiteral("ORDER BY cek_ind ASC;")});
    for (own.first(); !own.eof(); own.next()) {
        QStringList c(ExitColumnCount);
        c[0] = QString::number(++row);
        chequeCells(own, c);
        c[16] = text(own, "aciklama");
        c[ColDuzenlemeId] = text(own, "cek_ind");
        s.rows << c;
    }
    EntrySlip::readSlipHeader(company, slip, QStringLiteral("ciro_firma_kodu"), QStringLiteral("ciro_firma"), s);
    return s;
}

} // namespace ExitSlip
