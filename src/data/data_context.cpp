#include "data/data_context.h"

#include "data/connection_string.h"
#include "data/program_home.h"
#include "data/template_copy.h"

#include <QDir>
#include <QFileInfo>

DataContext &DataContext::instance()
{
    static DataContext ctx;
    return ctx;
}

void DataContext::openStartupConnections()
{
    ADOConnection2.setConnectionString(ConnectionString::build(QStringLiteral("AnaData\\CekFirmalar.mdb"), false));
    ADOConnection1.setConnectionString(ConnectionString::build(QStringLiteral("AnaData\\CekSenet.mdb"), false));
    kasaConnection.setConnectionString(ConnectionString::build(QStringLiteral("AnaData\\Kasa.mdb"), false));
    ADOConnection2.open();
    ADOConnection1.open();
    kasaConnection.open();
}

void DataContext::closeAll()
{
    devirConnection.close();
    kasaConnection.close();
    ADOConnection1.close();
    ADOConnection2.close();
}

DataContext::OpenResult DataContext::openCompany(const QString &code, int year, const QString &title)
{
    if (!QFileInfo::exists(ProgramHome::path(companyFileName(code)))) return OpenResult::NoCompanyDatabase;
    // Year 0: no working year is open yet (the company form before the login); the
    // login points the cash connection.
    if (year != 0 && !ensureCashFile(code, year)) return OpenResult::NoCashTemplate;

    const QString companyBefore = ADOConnection1.connectionString();
    const QString cashBefore = kasaConnection.connectionString();
    try {
        ADOConnection1.setConnectionString(companyConnectionString(code));
        ADOConnection1.open();
        if (year != 0) {
            kasaConnection.setConnectionString(cashConnectionString(code, year));
            kasaConnection.open();
        }
    } catch (...) {
        // Never one connection on the new company and the other on the old one.
        for (auto [c, before] : {std::pair{&ADOConnection1, companyBefore}, std::pair{&kasaConnection, cashBefore}}) {
            if (c->connectionString() == before && c->isOpen()) continue;
            c->setConnectionString(before);
            try {
                if (!before.isEmpty()) c->open();
            } catch (...) {
            }
        }
        throw;
    }
    aktifSirketKodu = code;
    aktifSirketUnvani = title;
    calismaYili = year;
    Q_EMIT companyOpened(code, title, year);
    return OpenResult::Opened;
}

void DataContext::closeCompany()
{
    // Both connections go back to the start-up files, closed until they are needed.
    ADOConnection1.setConnectionString(ConnectionString::build(QStringLiteral("AnaData\\CekSenet.mdb"), false));
    kasaConnection.setConnectionString(ConnectionString::build(QStringLiteral("AnaData\\Kasa.mdb"), false));
    const bool wasOpen = !aktifSirketKodu.isEmpty();
    aktifSirketKodu.clear();
    aktifSirketUnvani.clear();
    if (wasOpen) Q_EMIT companyClosed();
}

void DataContext::setCompanyTitle(const QString &title)
{
    if (aktifSirketKodu.isEmpty() || title == aktifSirketUnvani) return;
    aktifSirketUnvani = title;
    Q_EMIT companyOpened(aktifSirketKodu, title, calismaYili);
}

QString DataContext::companyFileName(const QString &code)
{
    return QStringLiteral("Data/") + code + QStringLiteral(".mdb");
}

QString DataContext::companyConnectionString(const QString &code)
{
    return ConnectionString::build(companyFileName(code));
}

QString DataContext::cashFileName(const QString &code, int year)
{
    return QStringLiteral("Data/") + code + QString::number(year) + QStringLiteral("K.mdb");
}

QString DataContext::cashConnectionString(const QString &code, int year)
{
    return ConnectionString::build(cashFileName(code, year));
}

bool ensureCashFile(const QString &code, int year)
{
    const QString file = ProgramHome::path(DataContext::cashFileName(code, year));
    if (QFileInfo::exists(file)) return true;
    const QString templ = ProgramHome::path(QStringLiteral("Kasa.mdb"));
    return QFileInfo::exists(templ) && copyTemplate(templ, file);
}

bool kasadegistir(int year)
{
    DataContext &ctx = DataContext::instance();
    if (!ensureCashFile(ctx.aktifSirketKodu, year)) return false;
    // Closing the connection closes every dataset on it; the caller reopens what it needs.
    const QString previous = ctx.kasaConnection.connectionString();
    const bool wasOpen = ctx.kasaConnection.isOpen();
    ctx.kasaConnection.close();
    ctx.kasaConnection.setConnectionString(DataContext::cashConnectionString(ctx.aktifSirketKodu, year));
    try {
        ctx.kasaConnection.open();
    } catch (...) {
        // A file that cannot be opened leaves the previous year's file in place.
        ctx.kasaConnection.setConnectionString(previous);
        if (wasOpen) {
            try { ctx.kasaConnection.open(); } catch (...) {}
        }
        throw;
    }
    ctx.calismaYili = year;
    Q_EMIT ctx.cashYearChanged(year);
    return true;
}
