#include "app/login_steps.h"

#include "data/program_home.h"

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

