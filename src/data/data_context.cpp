#include "data/data_context.h"

#include "data/connection_string.h"
#include "data/file_errors.h"
#include "data/program_home.h"
#include "data/template_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A cash file that holds something; one of no bytes is made afresh, as a missing one is.
bool hasCashFile(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() && fi.size() > 0;
}

} // namespace

DataContext &DataContext::instance()
{
    static DataContext ctx;
    return ctx;
}

DataContext::DataContext()
{
    ADOConnection2.setSchemaKind(Schema::Kind::Registry);
    ADOConnection1.setSchemaKind(Schema::Kind::Company);
    kasaConnection.setSchemaKind(Schema::Kind::Cash);
    devirConnection.setSchemaKind(Schema::Kind::Cash);
}

void DataContext::openStartupConnections()
{
    // The templates and the start-up files are checked first, so a damaged one is
    // named at start, before anything is opened or copied from it.
    const std::pair<const char *, Schema::Kind> files[] = {
        {"AnaData/CekFirmalar.mdb", Schema::Kind::Registry}, {"AnaData/CekSenet.mdb", Schema::Kind::Company},
        {"AnaData/Kasa.mdb", Schema::Kind::Cash},            {"CekSenet.mdb", Schema::Kind::Company},
        {"Kasa.mdb", Schema::Kind::Cash}};
    const auto isTemplate = [](const char *file) { return !QByteArray(file).startsWith("AnaData"); };
    for (const auto &[file, kind] : files)
        Connection::checkFile(ProgramHome::path(QString::fromLatin1(file)), kind, true,
                              isTemplate(file) ? Connection::Access::ReadOnly : Connection::Access::ReadWrite);
    // Templates left by an older program get what the current schema adds (a
    // read-only one is only copied: each copy is brought up when it is opened).
    for (const auto &[file, kind] : files) {
        if (!isTemplate(file) || !FileErrors::isWritable(ProgramHome::path(QString::fromLatin1(file)))) continue;
        Connection templ;
        templ.setSchemaKind(kind);
        templ.setConnectionString(ConnectionString::build(QString::fromLatin1(file)));
        templ.open();
    }
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
    const QString companyFile = ProgramHome::path(companyFileName(code));
    if (!QFileInfo::exists(companyFile)) return OpenResult::NoCompanyDatabase;
    const QString cashFile = ProgramHome::path(cashFileName(code, year));
    const bool cashWasThere = year == 0 || hasCashFile(cashFile);
    // Year 0: no working year is open yet (the company form before the login); the
    // login points the cash connection.
    if (year != 0 && !ensureCashFile(code, year)) return OpenResult::NoCashTemplate;
    // Both files are checked before either is opened or brought up to the schema,
    // so a damaged, foreign or read-only one refuses the login with nothing written.
    try {
        Connection::checkFile(companyFile, Schema::Kind::Company, true);
        if (year != 0) Connection::checkFile(cashFile, Schema::Kind::Cash, true);
    } catch (...) {
        // A cash file made for this login from the template goes again.
        if (!cashWasThere) QFile::remove(cashFile);
        throw;
    }

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
    if (hasCashFile(file)) return true;
    const QString templ = ProgramHome::path(QStringLiteral("Kasa.mdb"));
    if (!QFileInfo::exists(templ)) return false;
    if (QFileInfo::exists(file) && !QFile::remove(file)) return false;
    return copyTemplate(templ, file);
}

bool kasadegistir(int year)
{
    DataContext &ctx = DataContext::instance();
    const QString file = ProgramHome::path(DataContext::cashFileName(ctx.aktifSirketKodu, year));
    const bool wasThere = hasCashFile(file);
    if (!ensureCashFile(ctx.aktifSirketKodu, year)) return false;
    try {
        Connection::checkFile(file, Schema::Kind::Cash, true);
    } catch (...) {
        if (!wasThere) QFile::remove(file);
        throw;
    }
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
