#include "received/entry_slip_load.h"
#include "data/cheque_state.h"

#include "data/display_format.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "received/cheque_list_assembler.h"
#include "received/cheque_list_statements.h"

namespace EntrySlip {

namespace {

const QString kMoneyFormat = QStringLiteral("#,##0.00");

QString dayText(const QDate &d) { return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("30.12.1899"); }

QString money(const Field &f) { return formatFloat(kMoneyFormat, f.asFloat()); }

// A stored number as plain text: whole numbers without decimals, others with the
// decimal comma; empty for an empty field.
QString plain(const Field &f)
{
    if (f.isNull()) return QString();
    const double v = f.asFloat();
    if (v == double(qint64(v))) return QString::number(qint64(v));
    return QString::number(v, 'g', 15).replace(u'.', u',');
}

// A slip may be corrected only while none of its cheques carries money rows of
// its own: an endorsed, collected or returned cheque does.
Refusal refusalOfRow(Dataset &q)
{
    const auto isSet = [&](const char *f) { return ChequeState::isSet(q.field(QString::fromLatin1(f)).value()); };
    if (isSet("cek_ciro_tarihi")) return Refusal::Endorsed;
    if (isSet("cek_tahsilat_tarihi")) return Refusal::Collected;
    if (isSet("cek_iade_tarihi")) return Refusal::Returned;
    // A bounce posts nothing: the slip may still be corrected.
    return Refusal::None;
}

} // namespace

QString refusalMessage(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Endorsed:
        return QStringLiteral("Bordroda ciro edilmiş çek/çekler var! Devam etmeden önce bu kayıtları siliniz!");
    case Refusal::Collected:
        return QStringLiteral("Bordroda tahsil edilmiş çek/çekler var! Devam etmeden önce bu kayıtları siliniz!");
    case Refusal::Returned:
        return QStringLiteral("Bordroda iade edilmiş çek/çekler var! Devam etmeden önce bu kayıtları siliniz!");
    case Refusal::Bounced:
        return QStringLiteral("Bordroda karşılıksız çek/çekler var! Devam etmeden önce bu kayıtları siliniz!");
    case Refusal::None:
        break;
    }
    return QString();
}

Refusal refusalOfCheques(Connection &company, const QVector<qint64> &keys)
{
    if (keys.isEmpty()) return Refusal::None;
    QStringList list;
    for (qint64 k : keys) list << QString::number(k);
    Query q(&company);
    q.reopen({QStringLiteral("SELECT cek_ind, cek_ciro_id, cek_ciro_tarihi, cek_tahsilat_tarihi, cek_iade_tarihi, "
                             "cek_karsiliklsiz_tarihi, cek_banka_tarihi FROM cekgiris"),
              QStringLiteral("WHERE cek_ind IN (") + list.join(u',') + u')',
              QStringLiteral("ORDER BY cek_tarihi ASC;")});
    for (q.first(); !q.eof(); q.next())
        if (const Refusal r = refusalOfRow(q); r != Refusal::None) return r;
    return Refusal::None;
}

void readSlipHeader(Connection &company, Dataset &slip, const QString &codeField, const QString &nameField,
                    LoadedSlip &s)
{
    const auto h = [&](const char *name) { return slip.field(QString::fromLatin1(name)); };
    s.slipDate = h("islem_tarihi").isNull() ? QDate() : h("islem_tarihi").asDate();
    s.code = slip.field(codeField).asString();
    s.name = slip.field(nameField).asString();
    s.number = h("bordro_ind").asInteger();
    s.yildakiGun = plain(h("yildaki_gun"));
    s.yillikFaiz = plain(h("yillik_faiz"));
    s.aylikFaiz = plain(h("aylik_faiz"));
    s.bsmvPercent = plain(h("BSMV_oran"));
    s.bsmvAmount = money(h("BSMV"));
    s.gunEkle = plain(h("tah_sure_ekle"));
    s.currency = h("para_birimi").asString();
    s.kuru = plain(h("doviz_kuru"));
    if (s.currency == QLatin1String("TL")) s.kuru = QStringLiteral("1");
    const auto yes = [&](const char *name) { return h(name).asString() == QLatin1String("E"); };
    s.weekendShift = yes("hafta_sonu_ekle");
    s.deductMaturity = yes("vade_farki_dus");
    s.deductExpense = yes("masraf_dus");
    s.deductBsmv = yes("BSMV_dus");
    s.totalAmount = money(h("toplam_tutari"));
    s.totalMaturity = money(h("toplam_vade_farki"));
    s.totalExpense = money(h("toplam_masraflar"));
    s.totalNet = money(h("toplam_net_tutar"));
    s.averageDays = formatFloat(QStringLiteral("#,##0"), h("ortalama_gun").asFloat());
    s.averageDate = h("ortalama_vade").isNull() ? QDate() : h("ortalama_vade").asDate();
    s.memo = h("genel_aciklama").asString();

    // The account type follows the card; its other defaults stay those of the slip.
    Query card(&company, QStringLiteral("firmaQuery"));
    card.reopen({QStringLiteral("SELECT * FROM firma WHERE ") + sqlCodeEquals(QStringLiteral("firma_kodu"), s.code) + u';'});
    if (!card.isEmpty()) {
        const QString kind = card.field(QStringLiteral("musteri_satici")).asString();
        s.accountType = kind == QStringLiteral("Satıcı") ? 1 : kind == QLatin1String("Banka") ? 2 : 0;
    }
}

LoadedSlip loadSlip(Connection &company, qint64 number)
{
    LoadedSlip s;
    Query slip(&company);
    slip.reopen({QStringLiteral("SELECT * FROM cekbordro WHERE bordro_ind=") + QString::number(number) + u';'});
    if (slip.isEmpty()) return s;
    s.found = true;

    Query cheques(&company);
    cheques.reopen(ChequeList::slipList(ChequeList::receivedShape(), QString::number(number), QStringLiteral("cek_tarihi")));
    // Every cheque is checked before anything is handed on.
    for (cheques.first(); !cheques.eof(); cheques.next()) {
        s.refusal = refusalOfRow(cheques);
        if (s.refusal != Refusal::None) return s;
    }
    int row = 0;
    for (cheques.first(); !cheques.eof(); cheques.next()) {
        QStringList c(ColumnCount);
        const auto f = [&](const char *name) { return cheques.field(QString::fromLatin1(name)); };
        c[ColNo] = QString::number(++row);
        c[ColVade] = f("cek_tarihi").isNull() ? QString() : dayText(f("cek_tarihi").asDate());
        c[ColTutar] = money(f("cek_tutari"));
        c[ColGun] = f("cek_gun").asString();
        c[ColVadeFarki] = money(f("cek_vade_farki"));
        c[ColMasraf] = money(f("cek_masraf"));
        c[ColNet] = money(f("cek_net_tutar"));
        c[ColDuzenleyen] = f("ceki_duzenleyen").asString();
        c[ColAdat] = money(f("cek_adat"));
        c[ColBanka] = f("cek_bankasi").asString();
        c[ColSube] = f("cek_subesi").asString();
        c[ColHesapNo] = f("cek_hesap_no").asString();
        c[ColCekNo] = f("cek_no").asString();
        c[ColVerildigi] = f("cek_ciro_kime").asString();
        c[ColCiroTarihi] = dayText(f("cek_ciro_tarihi").asDate());
        c[ColTahsilTarihi] = dayText(f("cek_tahsilat_tarihi").asDate());
        c[ColAciklama] = f("aciklama").asString();
        c[ColCiroId] = f("cek_ciro_id").asString();
        c[ColKey] = f("cek_ind").asString();
        s.rows << c;
    }

    readSlipHeader(company, slip, QStringLiteral("alindigi_firma_kodu"), QStringLiteral("alindigi_firma"), s);
    return s;
}

} // namespace EntrySlip
