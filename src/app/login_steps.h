#pragma once
// The non-widget steps of the login: reading the year, the login memory and
// opening a company's databases.
#include <QString>

// The login memory "FirmaAyar.ini", section "Giris".
struct LoginMemory {
    QString kodu, yil, adi;
    static LoginMemory read();
    void write() const;
};

enum class OpenCompanyResult { Opened, NoCashTemplate, NoCompanyDatabase };

// Points the cash connection at Data/<code><year>K.mdb (created from the template
// when missing) and the company connection at Data/<code>.mdb, both in the
// relative form. Nothing is created or opened when the company database is missing.
OpenCompanyResult openCompanyDatabases(const QString &code, int year);
