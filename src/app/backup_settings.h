#pragma once
// The backup settings "Yedekler.dan" and the rules that need no window: what the
// company list shows, when the automatic backup is due, the archive names and the
// files each backup takes.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace Backup {

inline const QString kSettingsFile = QStringLiteral("Yedekler.dan");
inline const QString kAutoSection = QStringLiteral("OtoYedekler");
inline const QString kAllSection = QStringLiteral("TumYedekler");

// The automatic backup settings as the company list shows them.
struct Settings {
    QString folder;        // "SonOtoYedek", or the folder "Yedek" with a separator when shorter than 3
    QString interval;      // "YedekGun" as typed, "7" when empty
    bool automatic = false; // "YedekAl" is "1"
    QDate lastDate;        // the stored date of the last automatic backup; invalid when unusable
};

// Reads the settings file of the home; a missing file gives the defaults.
Settings loadSettings();
// The stored day, month and year of the last automatic backup, when each is in its
// range (day 1-31, month 1-12, year 1971-2049) and together they make a real date.
QDate storedDate(const QString &day, const QString &month, const QString &year);
// Writes folder, interval and the switch ("1" on, "2" off). False with a reason.
bool saveSettings(const QString &folder, const QString &interval, bool automatic, QString *error = nullptr);
// The stored values as the backups read them.
QString storedValue(const QString &section, const QString &key);
// Writes one value into the settings file.
bool storeValue(const QString &section, const QString &key, const QString &value, QString *error = nullptr);
// Records today as the day of the last automatic backup.
bool storeAutomaticDate(const QDate &day, QString *error = nullptr);

// The automatic backup is due when it is on and now is not earlier than the
// midnight starting last + interval days. The interval is read as a whole number;
// an unreadable one counts as 0.
bool automaticDue(bool automatic, const QDate &last, const QString &interval, const QDateTime &now);

// The clock the automatic backup reads; a test sets its own moment.
QDateTime now();
void setClockForTests(const QDateTime &moment);  // an invalid moment gives the real clock back

// Proposed archive names (without folder).
QString companyArchiveProposal(const QString &code, const QDate &day);  // A120240305
QString allArchiveProposal(const QDate &day);                            // BrenvoCekSenet_2024_03_05
// The automatic archive in a folder that ends with a separator.
QString automaticArchive(const QString &folder, const QDate &day);       // BrenvoCari_2024_03_05.zip
// The companion archive of "AnaData": the chosen name + "Gen".
QString companionOf(const QString &archive);
// A chosen name whose file name has no extension gets this one (".zip", ".ydk").
QString withExtension(const QString &chosen, const QString &extension);

// The files of one company in a folder: exactly code + ".mdb" and code + a
// four-digit year + "K.mdb" (letter case aside), never another company's files.
// A file whose name is another registered company's own database is left out
// ("A2024K.mdb" belongs to the company A2024K, not to A).
QStringList companyFiles(const QString &folder, const QString &code, const QStringList &registeredCodes = {});
// Every "*.mdb" file of a folder, sorted by name.
QStringList databaseFiles(const QString &folder);

} // namespace Backup
