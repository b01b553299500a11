#include "app/sample_company.h"

#include "app/company_builder.h"
#include "cash/cash_row_writer.h"

#include "data/data_context.h"
#include "data/engine_error.h"
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
#include <functional>
#include <memory>
#include <optional>
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

    const QDate start(out.firstYear, 1, 1), end(lastYear, 12, 31);
    const int span = int(start.daysTo(end));
    // Every date stays within the company's years, and nothing happens after today.
    const QDate latest = today.isValid() ? std::min(today, end) : end;
    const auto within = [&](const QDate &d) { return std::clamp(d, start, latest); };
    const auto rateOf = [](const QString &currency) {
        return currency == QLatin1String("TL") ? 1.0 : (currency == QLatin1String("USD") ? 30.0 : 33.0);
    };
    const auto asBuilder = [](const Account &a) { return CompanyBuilder::Account{a.code, a.name, a.kind}; };

    // The work is planned first, then done in date order through the program's own
    // saves and operations, as a user would have done it day by day.
    struct Event {
        QDate date;
        int order = 0;  // on one day: slips first, then what happens to their cheques
        std::function<void()> run;
    };
    QVector<Event> events;
    const auto must = [](const QString &message, const char *what) {
        if (!message.isEmpty()) throw EngineError(QStringLiteral("Örnek şirket yazılamadı (%1): %2").arg(QLatin1String(what), message));
    };

    // Received cheques on entry slips of five, each slip from one customer in one
    // currency. States: half given out (a third of those to banks, a few of them
    // taken back), the rest in the portfolio, collected, returned or bounced.
    auto entryKeys = std::make_shared<QVector<QVector<qint64>>>();
    auto givenKeys = std::make_shared<QVector<QVector<qint64>>>();
    const int slipCount = (n + 4) / 5;
    entryKeys->resize(slipCount);
    givenKeys->resize(slipCount);
    int chequeNo = 0;
    for (int slip = 0; slip < slipCount; ++slip) {
        const Account &from = accounts[pick(customers)];
        const QString currency = QString::fromLatin1(kCurrencies[pick(100) < 80 ? 0 : (pick(3) == 0 ? 2 : 1)]);
        const double rate = rateOf(currency);
        const bool aroundToday = today.isValid();
        const QDate firstDue = aroundToday ? today.addDays(-240 + pick(390)) : start.addDays(pick(span + 1));
        QDate entry = firstDue.addDays(-30 - pick(90));
        if (aroundToday && entry >= today) entry = today.addDays(-1 - pick(20));
        entry = within(entry);
        const int onSlip = std::min(5, n - slip * 5);
        QVector<CompanyBuilder::Cheque> cheques;
        QVector<int> given;
        const QDate exitDate = within(std::min(entry.addDays(10), latest));
        const bool toBank = pick(3) == 0;
        for (int k = 0; k < onSlip; ++k, ++chequeNo) {
            CompanyBuilder::Cheque c;
            c.due = std::max(entry.addDays(1), std::min(firstDue.addDays(7 * k), end));
            c.amount = roundKurus(double(500 + pick(200000)) / (pick(4) == 0 ? 1 : 100) * 10);
            c.drawer = QStringLiteral("%1 %2").arg(QString::fromUtf8(kNames[pick(16)]), QString::fromUtf8(kTrades[pick(8)]));
            c.bank = QString::fromUtf8(kBanks[pick(10)]);
            c.branch = QStringLiteral("Merkez");
            c.accountNo = QString::number(100000 + pick(900000));
            c.number = QString::number(1000000 + chequeNo);
            cheques << c;
            int state = pick(100);
            if (today.isValid()) {
                // Nothing is collected, returned or bounced before its day; a cheque in
                // hand whose day passed more than ten days ago was collected.
                if (c.due >= today && state >= 50 && state < 70) state = 70;
                else if (c.due < today.addDays(-10) && state >= 70) state = 55;
            }
            if (state < 50) {
                given << k;
                continue;
            }
            Event op;
            op.order = 2;
            if (state < 62) {
                op.date = within(c.due);
                op.run = [=] { must(CompanyBuilder::collect(entryKeys->at(slip).value(k), op.date, rate), "tahsilat"); };
            } else if (state < 66) {
                op.date = within(std::max(entry, c.due.addDays(-5)));
                op.run = [=] { must(CompanyBuilder::giveBack(entryKeys->at(slip).value(k), op.date, rate), "iade"); };
            } else if (state < 70) {
                op.date = within(c.due.addDays(2));
                op.run = [=] { must(CompanyBuilder::bounceReceived(entryKeys->at(slip).value(k), op.date), "karşılıksız"); };
            } else {
                continue;
            }
            events << op;
        }
        events << Event{entry, 0, [=] {
                            const auto saved = CompanyBuilder::entrySlip(entry, asBuilder(from), currency, rate, cheques);
                            must(saved.message, "giriş bordrosu");
                            (*entryKeys)[slip] = saved.keys;
                        }};
        if (given.isEmpty()) continue;
        const Account &to = toBank ? accounts[customers + suppliers + pick(banks)] : accounts[customers + pick(suppliers)];
        events << Event{exitDate, 1, [=] {
                            QVector<qint64> keys;
                            for (int k : given) keys << entryKeys->at(slip).value(k);
                            const auto saved = CompanyBuilder::exitSlip(exitDate, asBuilder(to), currency, rate, keys);
                            must(saved.message, "çıkış bordrosu");
                            (*givenKeys)[slip] = saved.keys;
                        }};
        // About one given cheque in twenty comes back.
        for (int g = 0; g < given.size(); ++g) {
            if (pick(20) != 0) continue;
            const QDate back = within(exitDate.addDays(5));
            events << Event{back, 3, [=] {
                                must(CompanyBuilder::takeBackGiven(givenKeys->at(slip).value(g), back, rate), "geri alma");
                            }};
        }
    }

    // Own cheques issued to suppliers on exit slips of their own, about one for every
    // ten received cheques, one to three on a slip of one currency. Their own random
    // sequence keeps the cheques above as they were. Those due already are mostly
    // paid, a few bounced or taken back; those still to come are to be paid.
    {
        std::mt19937 ownRng(20241206);
        const auto ownPick = [&](int bound) { return int(ownRng() % unsigned(bound)); };
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
            slipDate = within(slipDate);
            // The first slips take each currency in turn, so that a small company has all three.
            const QString currency =
                QString::fromLatin1(kCurrencies[slipNo < 3 ? slipNo : (ownPick(100) < 75 ? 0 : 1 + ownPick(2))]);
            const double rate = rateOf(currency);
            const int onSlip = std::min(1 + ownPick(3), ownCount - written);
            QVector<CompanyBuilder::Cheque> cheques;
            auto keys = std::make_shared<QVector<qint64>>();
            for (int k = 0; k < onSlip; ++k, ++written) {
                CompanyBuilder::Cheque c;
                c.due = std::max(slipDate.addDays(1), std::min(due0.addDays(30 * k), end));
                c.amount = roundKurus(double(1000 + ownPick(1500000)) / 10);
                c.drawer = QStringLiteral("Örnek Ticaret A.Ş.");
                c.bank = QString::fromUtf8(kBanks[written % 3]);
                c.branch = QStringLiteral("Merkez");
                c.accountNo = QString::number(7000100 + written % 3);
                c.number = QString::number(3000000 + written);
                c.description = QStringLiteral("Mal alımı");
                cheques << c;
                // States: 0 to be paid, 1 paid, 2 bounced, 3 taken back; the first
                // cheques take each in turn, the rest at random, only those due
                // already paid or bounced.
                const int r = ownPick(20);
                int state = written < 8 ? written % 4 : (r < 13 ? 1 : r == 13 ? 2 : r == 14 ? 3 : 0);
                const bool dueAlready = !today.isValid() || c.due < today;
                if (!dueAlready && (state == 1 || state == 2)) state = 0;
                if (state == 0) continue;
                Event op;
                op.order = 2;
                if (state == 1) {
                    op.date = within(c.due);
                    op.run = [=] { must(CompanyBuilder::payOwn(keys->value(k), op.date), "ödeme"); };
                } else if (state == 2) {
                    op.date = within(c.due.addDays(1));
                    op.run = [=] { must(CompanyBuilder::bounceOwn(keys->value(k), op.date), "karşılıksız"); };
                } else {
                    op.date = within(std::max(slipDate, c.due.addDays(-3)));
                    op.run = [=] { must(CompanyBuilder::takeBackOwn(keys->value(k), op.date, rate), "geri alma"); };
                }
                events << op;
            }
            events << Event{slipDate, 1, [=] {
                                const auto saved = CompanyBuilder::exitSlip(slipDate, asBuilder(to), currency, rate, {}, cheques);
                                must(saved.message, "çıkış bordrosu");
                                *keys = saved.keys;
                            }};
        }
    }

    // Cash rows in the three currencies; about one in four for an account, which
    // the cash row writer mirrors on that account's movements.
    const int years = lastYear - firstYear + 1;
    for (int year = out.firstYear; year <= lastYear; ++year) {
        const int days = QDate(year, 1, 1).daysInYear();
        for (int i = 0; i < 2 * n / years; ++i) {
            const bool in = pick(5) < 3;  // a shop takes in a little more than it pays out
            const double amount = double(100 + pick(50000)) / 10;
            const int currency = pick(10) < 7 ? 0 : 1 + pick(2);
            const double rate = kRates[currency];
            const QDate date = QDate(year, 1, 1).addDays(pick(days));
            CashRowWriter::Fields values{
                {QStringLiteral("islem_tarihi"), date},
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
            if (date > latest) continue;
            events << Event{date, 4, [values] {
                                Table rows(&DataContext::instance().kasaConnection, QStringLiteral("nakit"));
                                rows.setMasterLink(QStringLiteral("nid"), 0);
                                rows.open();
                                CashRowWriter::write(rows, {}, values);
                            }};
        }
    }

    std::stable_sort(events.begin(), events.end(),
                     [](const Event &a, const Event &b) { return a.date != b.date ? a.date < b.date : a.order < b.order; });

    // The year files start empty; the company is opened in the data context for the
    // saves, and whatever was open before is put back afterwards.
    for (int year = out.firstYear; year <= lastYear; ++year) {
        const QString file = ProgramHome::path(DataContext::cashFileName(code, year));
        QFile::remove(file);
        copyTemplate(ProgramHome::path(QStringLiteral("Kasa.mdb")), file);
    }
    DataContext &ctx = DataContext::instance();
    struct Restore {
        DataContext &ctx;
        QString code = ctx.aktifSirketKodu, title = ctx.aktifSirketUnvani;
        int year = ctx.calismaYili;
        QString companyString = ctx.ADOConnection1.connectionString(), cashString = ctx.kasaConnection.connectionString();
        bool companyOpen = ctx.ADOConnection1.isOpen(), cashOpen = ctx.kasaConnection.isOpen();
        ~Restore()
        {
            try {
                ctx.ADOConnection1.close();
                ctx.kasaConnection.close();
                ctx.ADOConnection1.setConnectionString(companyString);
                ctx.kasaConnection.setConnectionString(cashString);
                if (companyOpen) ctx.ADOConnection1.open();
                if (cashOpen) ctx.kasaConnection.open();
            } catch (...) {
            }
            ctx.aktifSirketKodu = code;
            ctx.aktifSirketUnvani = title;
            ctx.calismaYili = year;
        }
    } restore{ctx};
    db.close();
    if (ctx.openCompany(code, out.firstYear, QString()) != DataContext::OpenResult::Opened)
        throw EngineError(QStringLiteral("Örnek şirket açılamadı."));
    // Many saves share one transaction (they nest), a year at a time: the work of a
    // day at the windows, written at the speed of one save.
    std::optional<TransactionScope> tx;
    int inBatch = 0;
    for (const Event &e : std::as_const(events)) {
        if (tx && (e.date.year() != ctx.calismaYili || inBatch >= 5000)) {
            tx->commit();
            tx.reset();
        }
        if (!tx) {
            if (e.date.year() != ctx.calismaYili && !kasadegistir(e.date.year())) throw EngineError(kCashTemplateMissing);
            tx.emplace(std::initializer_list<Connection *>{&ctx.ADOConnection1, &ctx.kasaConnection});
            inBatch = 0;
        }
        e.run();
        ++inBatch;
    }
    if (tx) tx->commit();
    return out;
}
