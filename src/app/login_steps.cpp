#include "app/login_steps.h"

#include "data/data_context.h"
#include "data/program_home.h"

#include <QFileInfo>
#include <QSettings>

LoginMemory LoginMemory::read()
{
    QSettings ini(ProgramHome::path(QStringLiteral("FirmaAyar.ini")), QSettings::IniFormat);
    return {ini.value(QStringLiteral("Giris/Kodu")).toString(), ini.value(QStringLiteral("Giris/Yil")).toString(),
            ini.value(QStringLiteral("Giris/Adi")).toString()};
}

void LoginMemory::write() const
{
    QSettings ini(ProgramHome::path(QStringLiteral("FirmaAyar.ini")), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Giris/Kodu"), kodu);
    ini.setValue(QStringLiteral("Giris/Yil"), yil);
    ini.setValue(QStringLiteral("Giris/Adi"), adi);
    ini.sync();
}

OpenCompanyResult openCompanyDatabases(const QString &code, int year)
{
    DataContext &ctx = DataContext::instance();
    const QString companyFile = QStringLiteral("Data/") + code + QStringLiteral(".mdb");
    if (!QFileInfo::exists(ProgramHome::path(companyFile))) return OpenCompanyResult::NoCompanyDatabase;

    if (!ensureCashFile(code, year)) return OpenCompanyResult::NoCashTemplate;
    ctx.kasaConnection.close();
    ctx.kasaConnection.setConnectionString(DataContext::cashConnectionString(code, year));
    ctx.kasaConnection.open();
    ctx.ADOConnection1.close();
    ctx.ADOConnection1.setConnectionString(DataContext::companyConnectionString(code));
    ctx.ADOConnection1.open();
    ctx.aktifSirketKodu = code;
    // The login retitles the forms and prepares the dashboard itself; the signal is
    // for operations that switch the year while the program runs.
    ctx.calismaYili = year;
    return OpenCompanyResult::Opened;
}
