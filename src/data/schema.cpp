#include "data/schema.h"

#include "data/engine_error.h"
#include "data/statement.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <sqlite3.h>

namespace Schema {
namespace {

// The tables in a compact form: "table NAME", then "index NAME FIELD[,FIELD]",
// "lookup FIELD", "serve NAME FIELD,FIELD..." and one line per field: "name type [size]".
const char *const kRegistry = R"(
table firma
index PrimaryKey firma_ind
firma_ind auto
firma_kodu text 15
adres_semt text 30
adres_sehir text 30
vergi_dairesi text 30
vergi_no text 15
telefon1_no text 15
telefon2_no text 15
fax_no text 15
firma_sahibi text 30
firma_irtibat_kisi text 30
ikinci_adres1 text 100
ikinci_adres2 text 100
ikinci_adres_semt text 30
ikinci_adres_sehir text 30
ikinci_adres_tel_no text 15
firma_unvani_1 text 100
firma_unvani_2 text 100
firma_adresi_1 text 100
firma_adresi_2 text 100
lookup firma_kodu

table sifre
index PrimaryKey sid
sid auto
kullanici text 16
sifre text 16
adi text 16
soyadi text 16
firmaadi text 50
firmaadres text 70
firmatel text 20
firmafax text 20
ekle text 1
degistir text 1
herksesigor text 1
herkesidegistir text 1
baskasirandevuver text 1

table master
mids text 16
)";

const char *const kCompany = R"(
table firma
index firma_adi firma_adi
firma_ind auto
firma_kodu text 20
firma_adi text 50
musteri_satici text 15
firma_unvani_1 text 50
firma_unvani_2 text 50
firma_adresi_1 text 50
firma_adresi_2 text 50
adres_semt text 30
adres_sehir text 30
vergi_dairesi text 20
vergi_no text 16
telefon1_no text 15
telefon2_no text 15
fax_no text 15
firma_sahibi text 30
firma_irtibat_kisi text 30
ikinci_adres1 text 50
ikinci_adres2 text 50
ikinci_adres_semt text 30
ikinci_adres_sehir text 30
ikinci_adres_tel_no text 15
yildaki_gun short
yillik_faiz double
aylik_faiz double
hafta_sonu_ekle text 3
tahsilatsure_ekle short
borcsureekle short
alacaksureekle short
aciklama memo
masraf double
riski double
riski2 double
riski3 double
BSMV double
vade_farki_dus text 3
masraf_dus text 3
BSMV_dus text 3
lookup firma_kodu

table cekbordro
index islem_tarihi islem_tarihi
bordro_ind auto
islem_tarihi date
alindigi_firma_kodu text 20
alindigi_firma text 50
yildaki_gun short
yillik_faiz double
aylik_faiz double
tah_sure_ekle short
hafta_sonu_ekle text 3
para_birimi text 5
toplam_masraflar double
toplam_net_tutar double
ortalama_vade date
ortalama_gun long
genel_aciklama memo
TL_karsiligi double
BSMV double
vade_farki_dus text 3
masraf_dus text 3
BSMV_dus text 3
toplam_tutari double
toplam_vade_farki double
BSMV_oran double
doviz_kuru double
lookup alindigi_firma_kodu

table cekgiris
index cek_tarihi cek_tarihi
cek_ind auto
bordro_ind long
bordro_sira_no short
islem_tarihi date
alindigi_firma_kodu text 20
alindigi_firma text 50
cek_tarihi date
para_birimi text 5
cek_tutari double
cek_doviz_kuru double
cekTL_karsiligi double
cek_gun short
cek_adat double
cek_vade_farki double
cek_vade_farki_yap text 3
cek_vade_farki_id long
cek_masraf_yap text 3
cek_masraf double
cek_masraf_id long
cek_net_tutar double
cek_net_TL double
ceki_duzenleyen text 50
cek_bankasi text 30
cek_subesi text 30
cek_hesap_no text 30
cek_no text 30
cek_ciro_id long
cek_ciro_kime text 50
cek_ciro_tarihi date
cek_tahsilat_tarihi date
cek_tahsil_kuru double
cek_tahsil_TL double
aciklama text 50
cek_iade_id long
cek_iade_tarihi date
cek_iade_kime text 50
cek_karsiliksiz_id long
cek_karsiliklsiz_tarihi date
cek_banka_id long
cek_banka_tarihi date
cek_banka_adi text 30
cek_kur_farki double
cek_masraf_farki_TL double
cek_vade_farki_TL double
BSMV double
lookup bordro_ind
lookup cek_ciro_id
lookup alindigi_firma_kodu
serve portfolio cek_ciro_id,cek_tarihi

table cikisbordro
index PrimaryKey bordro_ind
bordro_ind auto
islem_tarihi date
ciro_firma_kodu text 20
ciro_firma text 50
yildaki_gun short
yillik_faiz double
aylik_faiz double
tah_sure_ekle short
hafta_sonu_ekle text 3
para_birimi text 5
toplam_masraflar double
toplam_net_tutar double
ortalama_vade date
ortalama_gun short
genel_aciklama memo
TL_karsiligi double
BSMV double
vade_farki_dus text 3
masraf_dus text 3
BSMV_dus text 3
toplam_tutari double
toplam_vade_farki double
BSMV_oran double
doviz_kuru double
lookup islem_tarihi
lookup ciro_firma_kodu

table cekciro
index cek_tarihi cek_tarihi
ciro_cek_ind auto
ciro_bordro_ind long
ciro_bordro_sira_no short
islem_tarihi date
alindigi_firma_kodu text 20
alindigi_firma text 50
cek_alindigi_tarihi date
Ciro_firma_kodu text 20
ciro_firma text 50
cek_tarihi date
para_birimi text 5
cek_tutari double
cek_doviz_kuru double
cekTL_karsiligi double
cek_gun short
cek_adat double
cek_vade_farki double
cek_vade_farki_yap text 3
cek_vade_farki_id long
cek_vade_farki_TL double
cek_masraf_yap text 3
cek_masraf double
cek_masraf_id long
cek_masraf_farki_TL double
cek_net_tutar double
cek_net_TL double
ceki_duzenleyen text 50
cek_bankasi text 30
cek_subesi text 30
cek_hesap_no text 30
cek_no text 30
cek_giris_id long
cek_tahsilat_tarihi date
aciklama text 50
cek_iade_id long
cek_iade_tarihi date
cek_iade_kime text 50
cek_karsiliksiz_id long
cek_karsiliklsiz_tarihi date
cek_banka_id long
cek_banka_tarihi date
cek_banka_adi text 50
cek_kur_farki double
BSMV double
lookup ciro_bordro_ind
lookup cek_giris_id
lookup Ciro_firma_kodu

table cekkendi
index PrimaryKey cek_ind
cek_ind auto
bordro_ind long
bordro_sira_no short
islem_tarihi date
cek_tutari double
banka_kodu text 20
cirolandigi_firma_kodu text 20
banka_adi text 30
cirolandigi_firma text 50
cek_tarihi date
cek_gun short
cek_adat double
cek_vade_farki double
cek_vade_farki_yap text 3
cek_vade_farki_id long
cek_masraf double
cek_masraf_yap text 3
cek_masraf_id long
cek_net_tutar double
ceki_duzenleyen text 50
cek_bankasi text 30
cek_subesi text 30
cek_hesap_no text 30
cek_no text 30
cek_tahsilat_tarihi date
cek_giris_id long
aciklama text 50
cek_kur_farki double
cekTL_karsiligi double
para_birimi text 5
cek_doviz_kuru double
cek_tahsil_kuru double
cek_tahsil_TL double
cek_iade_id long
cek_iade_tarihi date
cek_karsiliksiz_id long
cek_karsiliklsiz_tarihi date
cek_banka_id long
cek_banka_tarihi date
BSMV double
lookup bordro_ind
lookup cek_tarihi
lookup cirolandigi_firma_kodu

table firmabilgileri
index PrimaryKey firma_ind
firma_ind auto
firma_kodu text 15
adres_semt text 30
adres_sehir text 30
vergi_dairesi text 30
vergi_no text 16
telefon1_no text 15
telefon2_no text 15
fax_no text 15
firma_sahibi text 30
firma_irtibat_kisi text 30
ikinci_adres1 text 30
ikinci_adres2 text 30
ikinci_adres_semt text 30
ikinci_adres_sehir text 30
ikinci_adres_tel_no text 15
firma_unvani_1 text 30
firma_unvani_2 text 30
firma_adresi_1 text 30
firma_adresi_2 text 30

table gunluknot
index tarih tarih
gid auto
tarih date
not memo
kodu text 20

table kasaneden
index kasanedeid kasanedeid
kasanedeid auto
kasanedenine text 30

table kurturu
index kur_kodu kur_kodu
kurturu_ind auto
kur_kodu text 5
kur_adi text 20
aciklama text 30

table kurlar
index kur_tarihi kur_tarihi
kurt_id auto
kur_tarihi date
md_alis double
md_satis double
sd_alis double
sd_satis double
me_alis double
me_satis double
kur_kodu text 5

images resim 30 cekid

images resimkendi 30 cekid

table cekislem
index PrimaryKey islem_ind
islem_ind auto
cek_turu short
cek_ind long
islem text 40
islem_tarihi date
bordro_ind long
cari_kodu text 20
tutar double
tl_tutar double
para_birimi text 5
kasa_yili short
yazilma text 20
yeniden text 1
lookup cek_ind

images resimfirma 50 firmakodu
)";

const char *const kCash = R"(
table carihareket
index islem_tarihi islem_tarihi
chid auto
cari_kodu text 20
cari_hesap_adi text 50
borc_tutari double
alacak_tutari double
brut_tutar double
vade_fark double
cek_masraf double
komisyon double
cek_id long
nakit_id long
cek_iade_id long
cek_ciro_id long
aciklama text 150
islem_tarihi date
vade_tarihi date
doviz_cinsi text 5
doviz_alacak double
doviz_borc double
hes_dov_cinsi text 5
hes_doviz_alacak double
hes_doviz_borc double
kur_farki double
BSMV double
vade_farki_dus text 3
masraf_dus text 3
BSMV_dus text 3
bostutar1 double
bostutar2 double
bostutar3 double
bosint1 long
bosint2 long
bosint3 long
doviz_kuru double
fatura_KDV double
fatura_no text 15
fatura_seri text 5
irsaliye_no text 15
irsaliye_seri text 5
lookup cari_kodu
lookup cek_id
lookup nakit_id
lookup cek_iade_id
lookup cek_ciro_id
serve balances cari_hesap_adi,doviz_cinsi,alacak_tutari,borc_tutari
serve account cari_kodu,islem_tarihi
serve ledger cari_kodu,doviz_cinsi,cari_hesap_adi,islem_tarihi,borc_tutari,alacak_tutari,brut_tutar,vade_fark,cek_masraf,komisyon

table nakit
index islem_tarihi islem_tarihi
nid auto
cekid long
firmaid long
firmakodu text 20
firmaadi text 50
bankaid long
bankakodu text 20
bankaadi text 50
islem_tarihi date
islem_vadesi date
borc_tutar double
alacak_tutar double
neden text 50
doviz_cinsi text 5
doviz_borc double
doviz_alacak double
hes_dov_cinsi text 5
hes_doviz_borc double
hes_doviz_alacak double
aciklama text 200
kur_farki double
doviz_kuru double
fatura_KDV double
fatura_no text 15
fatura_seri text 5
irsaliye_no text 15
irsaliye_seri text 5
lookup cekid
serve sums islem_tarihi,doviz_cinsi,borc_tutar,alacak_tutar
serve currency doviz_cinsi,islem_tarihi,borc_tutar,alacak_tutar

images resimnakit 30 nakidid
)";

FieldType typeFromWord(const QString &w)
{
    static const QHash<QString, FieldType> map = {
        {"auto", FieldType::AutoNumber}, {"long", FieldType::Long},   {"short", FieldType::Short},
        {"double", FieldType::Double},   {"text", FieldType::Text},   {"memo", FieldType::Memo},
        {"date", FieldType::Date},       {"binary", FieldType::Binary}};
    return map.value(w, FieldType::Unknown);
}

// The document picture tables of cheques, own cheques, accounts and cash rows share
// their fields: "images NAME TITLESIZE LOOKUPFIELD" stands for one of them.
QString imageTable(const QStringList &w)
{
    return QStringLiteral("table %1\nindex PrimaryKey rid\nrid auto\ncekid long\nfirmaid long\nresimadi text 30\n"
                          "firmakodu text 20\nfirmaadi text %2\ncirocekid long\nresim binary\naciklama text 100\n"
                          "nakidid long\nbordroid long\nlookup %3")
        .arg(w.value(1), w.value(2), w.value(3));
}

QVector<TableDef> parse(const char *text)
{
    QVector<TableDef> out;
    QStringList lines;
    for (const QString &raw : QString::fromUtf8(text).split(u'\n')) {
        const QStringList w = raw.simplified().split(u' ', Qt::SkipEmptyParts);
        if (!w.isEmpty() && w[0] == QLatin1String("images")) lines << imageTable(w).split(u'\n');
        else lines << raw;
    }
    for (const QString &raw : std::as_const(lines)) {
        const QStringList w = raw.simplified().split(u' ', Qt::SkipEmptyParts);
        if (w.isEmpty()) continue;
        if (w[0] == QLatin1String("table")) {
            out.append(TableDef{w[1], {}, {}, {}, {}});
        } else if (w[0] == QLatin1String("index")) {
            out.last().namedIndexes.append(IndexDef{w[1], w[2].split(u',')});
        } else if (w[0] == QLatin1String("lookup")) {
            out.last().lookupIndexes.append(w[1]);
        } else if (w[0] == QLatin1String("serve")) {
            out.last().servingIndexes.append(IndexDef{w[1], w[2].split(u',')});
        } else {
            FieldInfo f;
            f.name = w[0];
            f.type = typeFromWord(w[1]);
            f.size = w.size() > 2 ? w[2].toInt() : 0;
            Q_ASSERT(f.type != FieldType::Unknown);
            out.last().fields.append(f);
        }
    }
    return out;
}

QString quoted(const QString &name) { return u'"' + name + u'"'; }

QString createTable(const TableDef &t)
{
    QStringList cols;
    for (const FieldInfo &f : t.fields) cols << quoted(f.name) + u' ' + declarationOf(f.type, f.size);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(t.name), cols.join(QStringLiteral(", ")));
}

// Plain indexes only, so that any SQLite tool reads the files; "IF NOT EXISTS"
// lets an upgrade run over a file that got some of them another way.
QString createIndex(const QString &name, const QString &table, const QStringList &quotedFields)
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)").arg(quoted(name), quoted(table), quotedFields.join(u','));
}

// The SQLite name and the statement of every index of a table.
QList<QPair<QString, QString>> createIndexes(const TableDef &t)
{
    QList<QPair<QString, QString>> out;
    for (const IndexDef &i : t.namedIndexes) {
        // The key needs no index of its own: the table is stored in its order.
        if (i.name == QLatin1String("PrimaryKey")) continue;
        QStringList fs;
        for (const QString &f : i.fields) fs << quoted(f);
        const QString name = sqliteIndexName(t.name, i.name);
        out.append({name, createIndex(name, t.name, fs)});
    }
    for (const QString &f : t.lookupIndexes) {
        const QString name = QStringLiteral("lk_%1_%2").arg(t.name, f);
        out.append({name, createIndex(name, t.name, {quoted(f)})});
    }
    for (const IndexDef &i : t.servingIndexes) {
        QStringList fs;
        for (const QString &f : i.fields) fs << quoted(f);
        const QString name = QStringLiteral("sv_%1_%2").arg(t.name, i.name);
        out.append({name, createIndex(name, t.name, fs)});
    }
    return out;
}

QStringList ddl(const QVector<TableDef> &defs)
{
    QStringList out;
    for (const TableDef &t : defs) {
        out << createTable(t);
        for (const auto &i : createIndexes(t)) out << i.second;
    }
    return out;
}

// Work a version needs beyond adding what is missing (filling a new field from
// old ones, say), run once on a file below that version after the missing
// tables and fields are added. None so far.
struct Step {
    int version;
    Kind kind;
    const char *sql;
};
// A company file from before the operation log gets its log filled once from
// what its cheques' fields and slips show, each row marked as reconstructed.
#define LOG_COLUMNS "INSERT INTO cekislem (cek_turu, cek_ind, islem, islem_tarihi, bordro_ind, cari_kodu, tutar, " \
                    "tl_tutar, para_birimi, kasa_yili, yazilma, yeniden) "
#define LOG_TAIL ", datetime('now','localtime'), 'E' "
const QVector<Step> &steps()
{
    static const QVector<Step> list{
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 1, cek_ind, 'Giriş', islem_tarihi, bordro_ind, alindigi_firma_kodu, cek_tutari, "
                     "cekTL_karsiligi, para_birimi, CAST(strftime('%Y', islem_tarihi) AS INTEGER)" LOG_TAIL "FROM cekgiris"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 1, cek_giris_id, CASE WHEN cek_banka_id=2 THEN 'Bankaya Verildi' ELSE 'Ciro' END, islem_tarihi, "
                     "ciro_bordro_ind, Ciro_firma_kodu, cek_tutari, cekTL_karsiligi, para_birimi, "
                     "CAST(strftime('%Y', islem_tarihi) AS INTEGER)" LOG_TAIL "FROM cekciro WHERE cek_giris_id IS NOT NULL"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 1, cek_giris_id, 'Karşılıksız (verilen)', cek_karsiliklsiz_tarihi, ciro_bordro_ind, Ciro_firma_kodu, "
                     "cek_tutari, cekTL_karsiligi, para_birimi, NULL" LOG_TAIL
                     "FROM cekciro WHERE cek_giris_id IS NOT NULL AND cek_karsiliklsiz_tarihi IS NOT NULL"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 1, cek_giris_id, 'Geri Alındı', cek_iade_tarihi, ciro_bordro_ind, Ciro_firma_kodu, cek_tutari, "
                     "cekTL_karsiligi, para_birimi, CAST(strftime('%Y', cek_iade_tarihi) AS INTEGER)" LOG_TAIL
                     "FROM cekciro WHERE cek_giris_id IS NOT NULL AND cek_iade_tarihi IS NOT NULL"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 1, cek_ind, 'Tahsilat', cek_tahsilat_tarihi, bordro_ind, alindigi_firma_kodu, cek_tutari, "
                     "cek_tahsil_TL, para_birimi, CAST(strftime('%Y', cek_tahsilat_tarihi) AS INTEGER)" LOG_TAIL
                     "FROM cekgiris WHERE cek_tahsilat_tarihi IS NOT NULL"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 1, cek_ind, 'İade', cek_iade_tarihi, bordro_ind, alindigi_firma_kodu, cek_tutari, "
                     "cekTL_karsiligi, para_birimi, CAST(strftime('%Y', cek_iade_tarihi) AS INTEGER)" LOG_TAIL
                     "FROM cekgiris WHERE cek_iade_tarihi IS NOT NULL"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 1, cek_ind, 'Karşılıksız', cek_karsiliklsiz_tarihi, bordro_ind, alindigi_firma_kodu, cek_tutari, "
                     "cekTL_karsiligi, para_birimi, NULL" LOG_TAIL "FROM cekgiris WHERE cek_karsiliklsiz_tarihi IS NOT NULL"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 3, cek_ind, 'Düzenlendi', islem_tarihi, bordro_ind, cirolandigi_firma_kodu, cek_tutari, "
                     "cekTL_karsiligi, para_birimi, CAST(strftime('%Y', islem_tarihi) AS INTEGER)" LOG_TAIL "FROM cekkendi"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 3, cek_ind, 'Ödendi', cek_tahsilat_tarihi, bordro_ind, cirolandigi_firma_kodu, cek_tutari, "
                     "cekTL_karsiligi, para_birimi, NULL" LOG_TAIL "FROM cekkendi WHERE cek_tahsilat_tarihi IS NOT NULL"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 3, cek_ind, 'Geri Alındı', cek_iade_tarihi, bordro_ind, cirolandigi_firma_kodu, cek_tutari, "
                     "cekTL_karsiligi, para_birimi, CAST(strftime('%Y', cek_iade_tarihi) AS INTEGER)" LOG_TAIL
                     "FROM cekkendi WHERE cek_iade_tarihi IS NOT NULL"},
        {2, Kind::Company,
         LOG_COLUMNS "SELECT 3, cek_ind, 'Karşılıksız', cek_karsiliklsiz_tarihi, bordro_ind, cirolandigi_firma_kodu, cek_tutari, "
                     "cekTL_karsiligi, para_birimi, NULL" LOG_TAIL "FROM cekkendi WHERE cek_karsiliklsiz_tarihi IS NOT NULL"},
    };
    return list;
}
#undef LOG_COLUMNS
#undef LOG_TAIL

QString text(const Statement &st, int col)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), col)));
}

} // namespace

const QVector<TableDef> &tables(Kind kind)
{
    static const QVector<TableDef> registry = parse(kRegistry);
    static const QVector<TableDef> company = parse(kCompany);
    static const QVector<TableDef> cash = parse(kCash);
    switch (kind) {
    case Kind::Registry: return registry;
    case Kind::Company: return company;
    case Kind::Cash: break;
    }
    return cash;
}

const TableDef *findTable(Kind kind, const QString &name)
{
    for (const TableDef &t : tables(kind))
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

QString sqliteIndexName(const QString &table, const QString &indexName)
{
    return QStringLiteral("ix_%1_%2").arg(table, indexName);
}

Inspection inspect(sqlite3 *db, Kind kind)
{
    Inspection in;
    {
        Statement st(db, QStringLiteral("PRAGMA main.user_version"));
        if (st.step()) in.version = sqlite3_column_int(st.handle(), 0);
    }
    QSet<QString> tablesThere, indexesThere;
    {
        Statement st(db, QStringLiteral("SELECT type, name FROM main.sqlite_master WHERE name NOT LIKE 'sqlite%'"));
        while (st.step()) (text(st, 0) == QLatin1String("table") ? tablesThere : indexesThere) << text(st, 1).toLower();
    }
    if (tablesThere.isEmpty()) {
        in.state = FileState::Empty;
        return in;
    }
    bool ours = false;
    for (const TableDef &t : tables(kind)) {
        if (!tablesThere.contains(t.name.toLower())) {
            in.statements << createTable(t);
            for (const auto &i : createIndexes(t)) in.statements << i.second;
            continue;
        }
        ours = true;
        QSet<QString> fieldsThere;
        {
            Statement st(db, QStringLiteral("PRAGMA main.table_info(%1)").arg(quoted(t.name)));
            while (st.step()) fieldsThere << text(st, 1).toLower();
        }
        for (const FieldInfo &f : t.fields) {
            if (fieldsThere.contains(f.name.toLower())) continue;
            // A key cannot be added to a table that has rows of its own making.
            if (f.type == FieldType::AutoNumber) {
                in.state = FileState::Foreign;
                return in;
            }
            in.statements << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                 .arg(quoted(t.name), quoted(f.name), declarationOf(f.type, f.size));
        }
        for (const auto &i : createIndexes(t))
            if (!indexesThere.contains(i.first.toLower())) in.statements << i.second;
    }
    if (!ours) {
        in.state = FileState::Foreign;
        return in;
    }
    for (const Step &step : steps())
        if (step.kind == kind && step.version > in.version) in.statements << QString::fromUtf8(step.sql);
    if (!in.statements.isEmpty() || in.version < kVersion) in.state = FileState::NeedsUpgrade;
    return in;
}

QStringList foreignObjects(sqlite3 *db, Kind kind)
{
    QStringList found;
    Statement st(db, QStringLiteral("SELECT type, name FROM main.sqlite_master WHERE type IN ('table','view','trigger')"));
    while (st.step()) {
        const QString type = text(st, 0), name = text(st, 1);
        // SQLite's own tables (sqlite_sequence, sqlite_stat1) come with the engine.
        if (type == QLatin1String("table") && (name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)
                                               || findTable(kind, name)))
            continue;
        found << type + u' ' + name;
    }
    return found;
}

void upgrade(sqlite3 *db, const Inspection &in)
{
    if (in.state != FileState::NeedsUpgrade) return;
    Statement(db, QStringLiteral("BEGIN IMMEDIATE")).execute();
    try {
        for (const QString &sql : in.statements) Statement(db, sql).execute();
        // A file from a later program keeps its higher number.
        if (in.version < kVersion) Statement(db, QStringLiteral("PRAGMA main.user_version=%1").arg(kVersion)).execute();
        Statement(db, QStringLiteral("COMMIT")).execute();
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void createDatabase(const QString &path, Kind kind)
{
    if (QFileInfo::exists(path)) throw EngineError(QStringLiteral("'%1' dosyası zaten var.").arg(path));
    const QString temp = path + QStringLiteral(".part");
    QFile::remove(temp);
    sqlite3 *db = nullptr;
    QString error;
    if (sqlite3_open_v2(temp.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("SQLite açılamadı");
    } else {
        QString script = QStringLiteral("PRAGMA journal_mode=DELETE; BEGIN;\n");
        for (const QString &s : ddl(tables(kind))) script += s + QStringLiteral(";\n");
        script += QStringLiteral("PRAGMA user_version=%1;\nCOMMIT;").arg(kVersion);
        char *err = nullptr;
        if (sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            error = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
            sqlite3_free(err);
        }
    }
    sqlite3_close(db);
    if (error.isEmpty() && !QFile::rename(temp, path)) error = QStringLiteral("yeniden adlandırılamadı");
    if (!error.isEmpty()) {
        QFile::remove(temp);
        throw EngineError(QStringLiteral("'%1' veritabanı oluşturulamadı: %2").arg(path, error));
    }
}

} // namespace Schema
