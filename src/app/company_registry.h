#pragma once
// The company registry and the company databases, without widgets: the shared
// registry tables, creating, re-saving and deleting a company. The company form and
// the company list call these; tests call them directly.
#include <QChar>
#include <QString>

class Table;

namespace CompanyRegistry {

inline const QString kTemplateFile = QStringLiteral("CekSenet.mdb");
inline const QString kDefaultMenuHeader = QStringLiteral("Brenvo Çek Senet Takip Programı Ana Menü");
constexpr int kCodeMaxLength = 12;

// The registry table `firma` (registry connection), one instance for the whole run,
// shared by the login form, the company form and the company list. Opened on first
// use unless open is false.
Table &firmaTable(bool open = true);
// The password tables of the registry database, opened on first use likewise.
Table &sifreTable(bool open = true);
Table &masterTable(bool open = true);

// A key accepted in a company code: the ASCII letters and the digits.
bool isCodeChar(QChar c);

// Data/CODE.mdb, absolute.
QString companyFile(const QString &code);
// True when a registry entry or a database file already uses this code, compared
// without regard to letter case: the file names of two such codes would clash
// wherever the file system folds case.
bool codeInUse(const QString &code);

// What a step of the registry ends with: done, or the message the caller shows.
struct Outcome {
    enum class Icon { Warning, Question, Critical };
    bool ok = true;
    QString message;
    Icon icon = Icon::Warning;
    static Outcome failed(const QString &text, Icon icon = Icon::Warning) { return {false, text, icon}; }
};

// Creates the company database of the new registry record being inserted (the
// table must be in insert state): checks, template copy, post, the company opened
// (both connections together once a working year is open), the copy in
// `firmabilgileri`. On failure the record stays in insert state.
Outcome dosyaac(Table &firma);

// Saves the current registry record of a registered company (posting a pending
// edit), opens it as dosyaac does and rewrites its copy in the company database.
// A registered company whose database is missing gets it from the template again.
Outcome saveCompany(Table &firma);

// Writes the current registry record into `firmabilgileri` of the open company
// database by field position (the key excepted); longer texts are cut to the
// copy's field sizes, the registry keeps the full text.
void copyToFirmabilgileri(Table &firma);

// The title kept in `firmabilgileri` of the open company database (as cut there).
QString copiedTitle();

// The deletion after its questions (see deleteCompanyAsking): the database file
// (the open company is closed first, so nothing writes into a deleted file) and
// the registry record. The yearly cash files stay.
Outcome firmasil(Table &firma);

} // namespace CompanyRegistry

// Deletes the current registry record with its questions: first "Firma
// silinecektir. Eminmisiniz?", then, when the company has a database file, the two
// file questions. Shows what goes wrong. Returns true when the record was removed
// (or a new unsaved one cancelled).
bool deleteCompanyAsking(Table &firma);
// Shows a registry step's message, when it has one; returns its ok.
bool showOutcome(const CompanyRegistry::Outcome &outcome);
