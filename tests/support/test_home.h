#pragma once
// A fresh temporary program home for one test case: folders, templates and start-up
// databases made as on a first start, message boxes and file dialogs in test mode.
#include <QString>
#include <QVariantMap>
#include <QTemporaryDir>
#include <memory>

class TestHome {
public:
    TestHome();   // prepares the home and makes it the program's home
    ~TestHome();  // closes every connection
    QString dir() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.path() + u'/' + relative; }
    // Opens the start-up connections, then points company and cash at a company of
    // that code (company file copied from the template) and that year.
    void openCompany(const QString &code, int year);

    // The company's own record (report headers): "Öztürk Gıda Ltd. Şti." / "İzmir Şubesi".
    static void addCompanyRecord();
    // An account card of the open company: 365 days a year, the yearly rate given.
    static void addAccountCard(const QString &code, const QString &name, double yearlyRate = 0);
    // Appends one row with the given fields through a table dataset; returns its
    // AutoNumber key (0 when the table has none).
    static qint64 insertRow(class Connection &c, const QString &table, const QVariantMap &fields);
    // The rows of a table in the file behind a connection.
    static qint64 countRows(class Connection &c, const QString &table);

    // Spoils a database file the way disks, copies and other programs do:
    // "garbage" (20 KB of text), "truncated" (padded with rows, then cut in half),
    // "zero" (no bytes), "foreign" (an SQLite file of another program), "missing
    // table" (dropTable gone and no version recorded, as an older program left it),
    // "read-only" (no write bits). False when the file could not be spoilt.
    static bool spoilFile(const QString &path, const QString &how, const QString &dropTable = QString());
    // SHA-256 of a file's bytes ("missing" when there is none).
    static QByteArray checksum(const QString &path);

private:
    QTemporaryDir m_dir;
};
