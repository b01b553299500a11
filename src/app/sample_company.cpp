#include "app/sample_company.h"

#include "cash/cash_row_writer.h"

#include "data/data_context.h"
#include "data/display_format.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/program_home.h"
#include "data/schema.h"
#include "data/table.h"
#include "data/template_copy.h"
#include "data/transaction.h"

#include <QDate>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <random>

namespace {

const char *const kCurrencies[] = {"TL", "USD", "EURO"};
const char *const kBanks[] = {"Ziraat Bankası", "İş Bankası", "Garanti BBVA", "Yapı Kredi", "Akbank",
                              "Halkbank", "Vakıfbank", "QNB", "Denizbank", "TEB"};
const char *const kNames[] = {"Çelik", "Demir", "Yıldız", "Öztürk", "Şahin", "Aydın", "Kaya", "Arslan",
                              "Doğan", "Kılıç", "Güneş", "Ünal", "İnce", "Erdoğan", "Koç", "Özdemir"};
const char *const kTrades[] = {"Ticaret", "İnşaat", "Gıda", "Tekstil", "Otomotiv", "Mobilya", "Kırtasiye", "Yapı"};

const char *const kCashTypes[] = {"Tahsilat", "Ödeme", "Kira", "Maaş", "Genel Gider"};
const double kRates[] = {1.0, 32.5, 35.2};  // TL, USD, EURO

struct Account {
    QString code;
    QString name;
    int kind;  // 0 customer, 1 supplier, 2 bank
};

} // namespace

SampleCompany generateSampleCompany(const QString &code, int n, int firstYear, int lastYear, const QDate &today)
{
    SampleCompany out{code, firstYear, lastYear, n};
    std::mt19937 rng(20241205);
    const auto pick = [&](int bound) { return int(rng() % unsigned(bound)); };

    const QString companyFile = ProgramHome::path(DataContext::companyFileName(code));
    QFile::remove(companyFile);
    copyTemplate(ProgramHome::path(QStringLiteral("CekSenet.mdb")), companyFile);
    Connection db;
    db.setConnectionString(ConnectionString::build(companyFile));
    db.open();

    // Accounts: customers, suppliers and banks.
    // About one account for five cheques: two thirds customers, then suppliers, then banks.
    const int accountCount = std::clamp(n / 5, 40, 600);
    const int customers = accountCount * 2 / 3;
    const int banks = std::max(5, accountCount / 30);
    const int suppliers = accountCount - customers - banks;
    QList<Account> accounts;
    for (int i = 0; i < accountCount; ++i) {
        const int kind = i < customers ? 0 : (i < customers + suppliers ? 1 : 2);
        const QString name = kind == 2 ? QString::fromUtf8(kBanks[i % 10]) + QStringLiteral(" Şube %1").arg(i)
                                       : QStringLiteral("%1 %2 %3")
                                             .arg(QString::fromUtf8(kNames[i % 16]), QString::fromUtf8(kTrades[(i / 16) % 8]))
                                             .arg(i);
        accounts.append({QStringLiteral("C%1").arg(i + 1, 4, 10, QChar('0')), name, kind});
    }
    const QStringList kinds = {QStringLiteral("Müşteri"), QStringLiteral("Satıcı"), QStringLiteral("Banka")};
    {
        TransactionScope tx{&db};
        Table cards(&db, QStringLiteral("firma"), QStringLiteral("PrimaryKey"));
        cards.open();
        for (const Account &a : accounts) {
            cards.append();
            cards.field(QStringLiteral("firma_kodu")) = a.code;
            cards.field(QStringLiteral("firma_adi")) = a.name;
            cards.field(QStringLiteral("musteri_satici")) = kinds[a.kind];
            cards.field(QStringLiteral("yildaki_gun")) = 365;
            cards.post();
        }
        Table types(&db, QStringLiteral("kasaneden"), QStringLiteral("kasanedeid"));
        types.open();
        for (const char *type : kCashTypes) {
            types.append();
            types.field(QStringLiteral("kasanedenine")) = QString::fromUtf8(type);
            types.post();
        }
        tx.commit();
    }

    const QDate start(out.firstYear, 1, 1);
    const int span = int(start.daysTo(QDate(lastYear, 12, 31)));
    {
        TransactionScope tx{&db};
        Table slips(&db, QStringLiteral("cekbordro"), QStringLiteral("PrimaryKey"));
        Table cheques(&db, QStringLiteral("cekgiris"), QStringLiteral("PrimaryKey"));
        Table given(&db, QStringLiteral("cekciro"), QStringLiteral("PrimaryKey"));
        Table exits(&db, QStringLiteral("cikisbordro"), QStringLiteral("PrimaryKey"));
        slips.open();
        cheques.open();
        given.open();
        exits.open();
        qint64 slip = 0, exitSlip = 0;
        int givenCount = 0;
        for (int i = 0; i < n; ++i) {
            const Account &from = accounts[pick(customers)];
            const bool aroundToday = today.isValid();
            const QDate due = aroundToday ? today.addDays(-240 + pick(390)) : start.addDays(pick(span + 1));
            QDate entry = due.addDays(-30 - pick(90));
            if (aroundToday && entry >= today) entry = today.addDays(-1 - pick(20));
            const QString currency = QString::fromLatin1(kCurrencies[pick(100) < 80 ? 0 : (pick(3) == 0 ? 2 : 1)]);
            const double rate = currency == QLatin1String("TL") ? 1.0 : (currency == QLatin1String("USD") ? 30.0 : 33.0);
            const double amount = double(500 + pick(200000)) / (pick(4) == 0 ? 1 : 100) * 10;
            if (i % 5 == 0) {
                slips.append();
                slips.field(QStringLiteral("islem_tarihi")) = entry;
                slips.field(QStringLiteral("alindigi_firma_kodu")) = from.code;
                slips.field(QStringLiteral("alindigi_firma")) = from.name;
                slips.field(QStringLiteral("para_birimi")) = currency;
                slips.post();
                slip = slips.field(QStringLiteral("bordro_ind")).asInteger();
            }
            cheques.append();
            cheques.field(QStringLiteral("bordro_ind")) = slip;
            cheques.field(QStringLiteral("bordro_sira_no")) = i % 5 + 1;
            cheques.field(QStringLiteral("islem_tarihi")) = entry;
            cheques.field(QStringLiteral("alindigi_firma_kodu")) = from.code;
            cheques.field(QStringLiteral("alindigi_firma")) = from.name;
            cheques.field(QStringLiteral("cek_tarihi")) = due;
            cheques.field(QStringLiteral("para_birimi")) = currency;
            cheques.field(QStringLiteral("cek_tutari")) = amount;
            cheques.field(QStringLiteral("cek_doviz_kuru")) = rate;
            cheques.field(QStringLiteral("cekTL_karsiligi")) = amount * rate;
            cheques.field(QStringLiteral("cek_gun")) = int(entry.daysTo(due));
            cheques.field(QStringLiteral("cek_net_tutar")) = amount;
            cheques.field(QStringLiteral("ceki_duzenleyen")) =
                QStringLiteral("%1 %2").arg(QString::fromUtf8(kNames[pick(16)]), QString::fromUtf8(kTrades[pick(8)]));
            cheques.field(QStringLiteral("cek_bankasi")) = QString::fromUtf8(kBanks[pick(10)]);
            cheques.field(QStringLiteral("cek_subesi")) = QStringLiteral("Merkez");
            cheques.field(QStringLiteral("cek_hesap_no")) = QString::number(100000 + pick(900000));
            cheques.field(QStringLiteral("cek_no")) = QString::number(1000000 + i);
            cheques.field(QStringLiteral("cek_vade_farki_yap")) = QStringLiteral("E");
            cheques.field(QStringLiteral("cek_masraf_yap")) = QStringLiteral("H");
            // States: half given out (a third of those to banks), the rest in the
            // portfolio, collected, returned or bounced.
            const QDate exitDate = today.isValid() ? std::min(entry.addDays(10), today) : entry.addDays(10);
            int state = pick(100);
            if (today.isValid()) {
                // Nothing is collected, returned or bounced before its day; a cheque in
                // hand whose day passed more than ten days ago was collected.
                if (due >= today && state >= 50 && state < 70) state = 70;
                else if (due < today.addDays(-10) && state >= 70) state = 55;
            }
            if (state < 50) {
                const bool bank = state < 17;
                const Account &to = bank ? accounts[customers + suppliers + pick(banks)] : accounts[customers + pick(suppliers)];
                if (givenCount % 4 == 0) {
                    exits.append();
                    exits.field(QStringLiteral("islem_tarihi")) = exitDate;
                    exits.field(QStringLiteral("ciro_firma_kodu")) = to.code;
                    exits.field(QStringLiteral("ciro_firma")) = to.name;
                    exits.post();
                    exitSlip = exits.field(QStringLiteral("bordro_ind")).asInteger();
                }
                ++givenCount;
                cheques.field(QStringLiteral("cek_ciro_id")) = exitSlip;
                cheques.field(QStringLiteral("cek_ciro_kime")) = to.name;
                cheques.field(QStringLiteral("cek_ciro_tarihi")) = exitDate;
                cheques.field(QStringLiteral("cek_banka_id")) = to.kind;
                if (bank) {
                    cheques.field(QStringLiteral("cek_banka_tarihi")) = exitDate;
                    cheques.field(QStringLiteral("cek_banka_adi")) = to.name;
                }
            } else if (state < 62) {
                cheques.field(QStringLiteral("cek_tahsilat_tarihi")) = due;
                cheques.field(QStringLiteral("cek_tahsil_kuru")) = rate;
                cheques.field(QStringLiteral("cek_tahsil_TL")) = amount * rate;
            } else if (state < 66) {
                cheques.field(QStringLiteral("cek_iade_tarihi")) = due.addDays(-5);
                cheques.field(QStringLiteral("cek_iade_kime")) = from.name;
            } else if (state < 70) {
                cheques.field(QStringLiteral("cek_karsiliklsiz_tarihi")) = due.addDays(2);
            }
            cheques.post();
            if (state < 50) {
                given.append();
                given.field(QStringLiteral("ciro_bordro_ind")) = exitSlip;
                given.field(QStringLiteral("islem_tarihi")) = exitDate;
                given.field(QStringLiteral("alindigi_firma_kodu")) = from.code;
                given.field(QStringLiteral("alindigi_firma")) = from.name;
                given.field(QStringLiteral("cek_alindigi_tarihi")) = entry;
                given.field(QStringLiteral("Ciro_firma_kodu")) = cheques.field(QStringLiteral("cek_ciro_kime")).asString().left(20);
                given.field(QStringLiteral("ciro_firma")) = cheques.field(QStringLiteral("cek_ciro_kime")).value();
                given.field(QStringLiteral("cek_tarihi")) = due;
                given.field(QStringLiteral("para_birimi")) = currency;
                given.field(QStringLiteral("cek_tutari")) = amount;
                given.field(QStringLiteral("cek_doviz_kuru")) = rate;
                given.field(QStringLiteral("cek_giris_id")) = cheques.field(QStringLiteral("cek_ind")).value();
                given.field(QStringLiteral("cek_banka_id")) = cheques.field(QStringLiteral("cek_banka_id")).value();
                given.field(QStringLiteral("cek_banka_tarihi")) = cheques.field(QStringLiteral("cek_banka_tarihi")).value();
                given.field(QStringLiteral("ceki_duzenleyen")) = cheques.field(QStringLiteral("ceki_duzenleyen")).value();
                given.field(QStringLiteral("cek_no")) = cheques.field(QStringLiteral("cek_no")).value();
                given.post();
            }
        }
        tx.commit();
    }

    // Own cheques issued to suppliers on exit slips of their own, about one for every
    // ten received cheques, one to three on a slip of one currency. Their own random
    // sequence keeps the rows above as they were. Those due already are mostly paid,
    // a few bounced or taken back; those still to come are to be paid.
    {
        std::mt19937 ownRng(20241206);
        const auto ownPick = [&](int bound) { return int(ownRng() % unsigned(bound)); };
        TransactionScope tx{&db};
        Table exits(&db, QStringLiteral("cikisbordro"), QStringLiteral("PrimaryKey"));
        Table own(&db, QStringLiteral("cekkendi"), QStringLiteral("PrimaryKey"));
        exits.open();
        own.open();
        const int ownCount = std::max(n / 10, 8);
        int written = 0;
        for (int slipNo = 0; written < ownCount; ++slipNo) {
            const Account &to = accounts[customers + ownPick(suppliers)];
            // The first slips fall due in the past, so that their cheques can take every state.
            const QDate due0 = !today.isValid() ? start.addDays(ownPick(span + 1))
                               : written < 8    ? today.addDays(-200 + ownPick(100))
                                                : today.addDays(-240 + ownPick(390));
            QDate slipDate = due0.addDays(-20 - ownPick(60));
            if (today.isValid() && slipDate >= today) slipDate = today.addDays(-1 - ownPick(10));
            // The first slips take each currency in turn, so that a small company has all three.
            const QString currency =
                QString::fromLatin1(kCurrencies[slipNo < 3 ? slipNo : (ownPick(100) < 75 ? 0 : 1 + ownPick(2))]);
            const double rate = currency == QLatin1String("TL") ? 1.0 : (currency == QLatin1String("USD") ? 30.0 : 33.0);
            const int onSlip = std::min(1 + ownPick(3), ownCount - written);
            exits.append();
            exits.field(QStringLiteral("islem_tarihi")) = slipDate;
            exits.field(QStringLiteral("ciro_firma_kodu")) = to.code;
            exits.field(QStringLiteral("ciro_firma")) = to.name;
            exits.field(QStringLiteral("para_birimi")) = currency;
            exits.field(QStringLiteral("doviz_kuru")) = rate;
            exits.post();
            const qint64 exitSlip = exits.field(QStringLiteral("bordro_ind")).asInteger();
            double slipTotal = 0;
            for (int k = 0; k < onSlip; ++k, ++written) {
                const QDate due = due0.addDays(30 * k);
                const double amount = roundKurus(double(1000 + ownPick(1500000)) / 10);
                slipTotal += amount;
                own.append();
                own.field(QStringLiteral("bordro_ind")) = exitSlip;
                own.field(QStringLiteral("bordro_sira_no")) = k + 1;
                own.field(QStringLiteral("islem_tarihi")) = slipDate;
                own.field(QStringLiteral("cirolandigi_firma_kodu")) = to.code;
                own.field(QStringLiteral("cirolandigi_firma")) = to.name;
                own.field(QStringLiteral("cek_tarihi")) = due;
                own.field(QStringLiteral("cek_gun")) = int(slipDate.daysTo(due));
                own.field(QStringLiteral("cek_tutari")) = amount;
                own.field(QStringLiteral("cek_vade_farki")) = 0.0;
                own.field(QStringLiteral("cek_masraf")) = 0.0;
                own.field(QStringLiteral("cek_net_tutar")) = amount;
                own.field(QStringLiteral("para_birimi")) = currency;
                own.field(QStringLiteral("cek_doviz_kuru")) = rate;
                own.field(QStringLiteral("cekTL_karsiligi")) = amount * rate;
                own.field(QStringLiteral("ceki_duzenleyen")) = QStringLiteral("Örnek Ticaret A.Ş.");
                own.field(QStringLiteral("cek_bankasi")) = QString::fromUtf8(kBanks[written % 3]);
                own.field(QStringLiteral("cek_subesi")) = QStringLiteral("Merkez");
                own.field(QStringLiteral("cek_hesap_no")) = QString::number(7000100 + written % 3);
                own.field(QStringLiteral("cek_no")) = QString::number(3000000 + written);
                own.field(QStringLiteral("cek_banka_id")) = to.kind;
                own.field(QStringLiteral("aciklama")) = QStringLiteral("Mal alımı");
                // States: 0 to be paid, 1 paid, 2 bounced, 3 taken back; the first
                // cheques take each in turn, the rest at random, only those due
                // already paid or bounced.
                const int r = ownPick(20);
                int state = written < 8 ? written % 4 : (r < 13 ? 1 : r == 13 ? 2 : r == 14 ? 3 : 0);
                const bool dueAlready = !today.isValid() || due < today;
                if (!dueAlready && (state == 1 || state == 2)) state = 0;
                const QDate latest = today.isValid() ? today : due.addDays(5);
                if (state == 1) own.field(QStringLiteral("cek_tahsilat_tarihi")) = due;
                else if (state == 2) own.field(QStringLiteral("cek_karsiliklsiz_tarihi")) = std::min(due.addDays(1), latest);
                else if (state == 3) own.field(QStringLiteral("cek_iade_tarihi")) = std::min(due.addDays(-3), latest);
                own.post();
            }
            exits.edit();
            exits.field(QStringLiteral("toplam_tutari")) = slipTotal;
            exits.field(QStringLiteral("toplam_net_tutar")) = slipTotal;
            exits.field(QStringLiteral("TL_karsiligi")) = slipTotal * rate;
            exits.post();
        }
        tx.commit();
    }

    // Movements and cash rows, each in the cash file of its year.
    const int years = lastYear - firstYear + 1;
    for (int year = out.firstYear; year <= lastYear; ++year) {
        const QString file = ProgramHome::path(DataContext::cashFileName(code, year));
        QFile::remove(file);
        copyTemplate(ProgramHome::path(QStringLiteral("Kasa.mdb")), file);
        Connection cash;
        cash.setConnectionString(ConnectionString::build(file));
        cash.open();
        TransactionScope tx{&cash};
        Table moves(&cash, QStringLiteral("carihareket"), QStringLiteral("PrimaryKey"));
        Table rows(&cash, QStringLiteral("nakit"), QStringLiteral("PrimaryKey"));
        moves.open();
        rows.open();
        const int days = QDate(year, 1, 1).daysInYear();
        for (int i = 0; i < 5 * n / years; ++i) {
            const Account &a = accounts[pick(accountCount)];
            const bool debit = pick(2) == 0;
            const double amount = double(100 + pick(100000)) / 10;
            moves.append();
            moves.field(QStringLiteral("cari_kodu")) = a.code;
            moves.field(QStringLiteral("cari_hesap_adi")) = a.name;
            moves.field(QStringLiteral("borc_tutari")) = debit ? amount : 0.0;
            moves.field(QStringLiteral("alacak_tutari")) = debit ? 0.0 : amount;
            moves.field(QStringLiteral("doviz_cinsi")) = QString::fromLatin1(kCurrencies[pick(10) < 8 ? 0 : 1 + pick(2)]);
            moves.field(QStringLiteral("islem_tarihi")) = QDate(year, 1, 1).addDays(pick(days));
            moves.field(QStringLiteral("aciklama")) = debit ? QStringLiteral("Satış faturası") : QStringLiteral("Çek girişi");
            moves.field(QStringLiteral("cek_id")) = i;
            moves.post();
        }
        // Cash rows in the three currencies; about one in four for an account, which
        // the cash row writer mirrors on that account's movements.
        for (int i = 0; i < 2 * n / years; ++i) {
            const bool in = pick(5) < 3;  // a shop takes in a little more than it pays out
            const double amount = double(100 + pick(50000)) / 10;
            const int currency = pick(10) < 7 ? 0 : 1 + pick(2);
            const double rate = kRates[currency];
            CashRowWriter::Fields values{
                {QStringLiteral("islem_tarihi"), QDate(year, 1, 1).addDays(pick(days))},
                {QStringLiteral("doviz_cinsi"), QString::fromLatin1(kCurrencies[currency])},
                {QStringLiteral("doviz_kuru"), rate},
                {in ? QStringLiteral("borc_tutar") : QStringLiteral("alacak_tutar"), amount},
                {in ? QStringLiteral("doviz_borc") : QStringLiteral("doviz_alacak"), roundKurus(rate * amount)},
                {QStringLiteral("neden"), QString::fromUtf8(in ? kCashTypes[0] : kCashTypes[1 + pick(4)])},
                {QStringLiteral("aciklama"), in ? QStringLiteral("Peşin satış") : QStringLiteral("Günlük gider")}};
            if (pick(4) == 0) {
                const Account &a = accounts[pick(accountCount)];
                values.append({QStringLiteral("firmakodu"), a.code});
                values.append({QStringLiteral("firmaadi"), a.name});
            }
            CashRowWriter::write(rows, {}, values);
        }
        tx.commit();
    }
    return out;
}
