#pragma once
// The files of one company as the data check reads them: the company file and its
// year files (Data/<CODE>.mdb, Data/<CODE><YEAR>K.mdb), each opened read-only on a
// handle of its own, and the column readers the check uses.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace CheckFiles {

struct ReadError {
    QString message;
};

class File {
public:
    File(QString home, QString relative, int year);
    ~File();
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    QString relative;  // "Data/A1.mdb"
    QString path;
    int year = 0;      // 0 for the company file

    // Opens the file read-only; false with the reason when it cannot.
    bool open(QString *error);
    // Runs a statement and calls row for every row. Throws ReadError.
    void rows(const char *sql, const std::function<void(sqlite3_stmt *)> &row) const;

private:
    sqlite3 *m_db = nullptr;
};

struct Set {
    std::unique_ptr<File> company;             // null when the company file is missing
    std::vector<std::unique_ptr<File>> years;  // in year order
    std::vector<File *> all() const;
};

// The company file of the code and every year file of it in the home's Data folder.
Set find(const QString &home, const QString &code);

// Column readers: an empty field reads as 0, an empty text or NULL as not set.
QString text(sqlite3_stmt *st, int col);
double real(sqlite3_stmt *st, int col);
qint64 integer(sqlite3_stmt *st, int col);
bool isSet(sqlite3_stmt *st, int col);

} // namespace CheckFiles
