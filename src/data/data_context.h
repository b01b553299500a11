#pragma once
// The four connections of the program and the login values. One instance lives for
// the whole run; every window reaches the data through it.
#include "data/connection.h"

#include <QObject>
#include <QString>

class DataContext : public QObject {
    Q_OBJECT
public:
    static DataContext &instance();

    Connection ADOConnection2{QStringLiteral("ADOConnection2")};  // registry database
    Connection ADOConnection1{QStringLiteral("ADOConnection1")};  // company database
    Connection kasaConnection{QStringLiteral("kasaConnection")};  // cash database of the working year
    Connection devirConnection{QStringLiteral("devirConnection")}; // cash database of the year being closed

    QString aktifSirketKodu;  // code of the open company
    int calismaYili = 0;      // working year of the open cash database

    // Points the registry, company and cash connections at their start-up files
    // and opens them (the home must have been prepared).
    void openStartupConnections();
    // Closes every dataset and the connections: cash, company, registry.
    void closeAll();

    // The relative connection strings of a company's files ("Data/" + name + ".mdb").
    static QString companyConnectionString(const QString &code);
    static QString cashConnectionString(const QString &code, int year);
    // The cash file of a company and year, relative to the home: Data/A12024K.mdb.
    static QString cashFileName(const QString &code, int year);

Q_SIGNALS:
    // An operation dated in another year switched the cash connection to this
    // working year (kasadegistir); captions and the dashboard follow it.
    void cashYearChanged(int year);

private:
    DataContext() = default;
};

// The cash database switch: points the cash connection at the working year's file
// of the active company, creating the file from the template "Kasa.mdb" when it is
// missing. Without the template it shows "Kasa oluşturulması için gerekli dosya
// bulunamadı!", changes nothing and returns false; the caller must then not write
// rows dated in that year.
bool kasadegistir(int year);

// Makes sure the cash file of a company and year exists, copying it from the
// template "Kasa.mdb" when it is missing. False when it cannot (no template).
bool ensureCashFile(const QString &code, int year);
