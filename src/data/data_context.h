#pragma once
// The four connections of the program and the login values. One instance lives for
// the whole run; every window reaches the data through it, and listens to it: the
// context announces a company opened, the working year switched and data written,
// so windows follow by themselves instead of being pushed.
#include "data/connection.h"

#include <QObject>
#include <QString>
#include <initializer_list>

// What a save changed, for the windows that show it.
enum class DataKind { Cheques = 1, Movements = 2, Cash = 4, Accounts = 8, Slips = 16 };

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
    QString aktifSirketUnvani; // title of the open company, as the windows show it

    // Points the registry, company and cash connections at their start-up files
    // and opens them (the home must have been prepared).
    void openStartupConnections();
    // Closes every dataset and the connections: cash, company, registry.
    void closeAll();

    enum class OpenResult { Opened, NoCompanyDatabase, NoCashTemplate };
    // Opens a company: points the company and cash connections at Data/<code>.mdb
    // and its cash file of the year (created from the template when missing)
    // together, sets the login values and announces companyOpened. Nothing is
    // created or changed when the company database is missing or the cash file
    // cannot be made. Both files are checked first (a database of their kind,
    // undamaged, writable); a failed check throws EngineError naming the file
    // with nothing written. Engine errors propagate with nothing changed.
    OpenResult openCompany(const QString &code, int year, const QString &title);
    // The open company has gone (deleted): both connections close, the login values
    // clear and companyClosed is announced.
    void closeCompany();

    // The company database of a code, relative to the home: Data/A1.mdb.
    static QString companyFileName(const QString &code);
    // The relative connection strings of a company's files.
    static QString companyConnectionString(const QString &code);
    static QString cashConnectionString(const QString &code, int year);
    // The cash file of a company and year, relative to the home: Data/A12024K.mdb.
    static QString cashFileName(const QString &code, int year);

    // Announces written data after a save's commit.
    void announce(std::initializer_list<DataKind> kinds)
    {
        int what = 0;
        for (DataKind k : kinds) what |= int(k);
        Q_EMIT dataChanged(what);
    }

Q_SIGNALS:
    // A login or the company form opened a company (both connections point at it).
    void companyOpened(const QString &code, const QString &title, int year);
    // The open company was closed (deleted); the windows go back to the login.
    void companyClosed();
    // An operation dated in another year switched the cash connection to this
    // working year (kasadegistir); captions and the dashboard follow it.
    void cashYearChanged(int year);
    // A save committed rows of these kinds (DataKind flags).
    void dataChanged(int what);

private:
    DataContext();
};

// The message a caller shows when a year's cash file cannot be made.
inline const QString kCashTemplateMissing = QStringLiteral("Kasa oluşturulması için gerekli dosya bulunamadı!");

// The cash database switch: points the cash connection at the working year's file
// of the active company, creating the file from the template "Kasa.mdb" when it is
// missing. Without the template it changes nothing and returns false; the caller
// shows kCashTemplateMissing and must not write rows dated in that year. A file that
// cannot be opened throws, leaving the previous year's file open.
bool kasadegistir(int year);

// Makes sure the cash file of a company and year exists, copying it from the
// template "Kasa.mdb" when it is missing. False when it cannot (no template).
bool ensureCashFile(const QString &code, int year);
