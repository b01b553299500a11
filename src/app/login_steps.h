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

