#include "app/backup_settings.h"

#include "data/engine_error.h"
#include "data/ini_text.h"
#include "data/number_reading.h"
#include "data/program_home.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Backup {
namespace {

QString settingsPath() { return ProgramHome::path(kSettingsFile); }

// A stored number, or 0 when it is none.
qint64 wholeNumber(const QString &text)
{
    try {
        return tamSayiOku(text);
    } catch (const EngineError &) {
        return 0;
    }
}

QDateTime &testMoment()
{
    static QDateTime moment;
    return moment;
}

} // namespace

QDate storedDate(const QString &day, const QString &month, const QString &year)
{
    const qint64 d = wholeNumber(day), m = wholeNumber(month), y = wholeNumber(year);
    if (d <= 0 || d >= 32 || m <= 0 || m >= 13 || y <= 1970 || y >= 2050) return {};
    return QDate(int(y), int(m), int(d));  // invalid for a day the month does not have
}

Settings loadSettings()
{
    const IniText ini = IniText::load(settingsPath());
    Settings s;
    const QString folder = ini.value(kAutoSection, QStringLiteral("SonOtoYedek"));
    s.folder = folder.size() < 3 ? QDir::toNativeSeparators(ProgramHome::path(QStringLiteral("Yedek")) + u'/') : folder;
    const QString interval = ini.value(kAutoSection, QStringLiteral("YedekGun"));
    s.interval = interval.isEmpty() ? QStringLiteral("7") : interval;
    s.automatic = ini.value(kAutoSection, QStringLiteral("YedekAl")) == QLatin1String("1");
    s.lastDate = storedDate(ini.value(kAutoSection, QStringLiteral("TarihOtoGun")),
                            ini.value(kAutoSection, QStringLiteral("TarihOtoAy")),
                            ini.value(kAutoSection, QStringLiteral("TarihOtoYil")));
    return s;
}

bool saveSettings(const QString &folder, const QString &interval, bool automatic, QString *error)
{
    IniText ini = IniText::load(settingsPath());
    ini.setValue(kAutoSection, QStringLiteral("SonOtoYedek"), folder);
    ini.setValue(kAutoSection, QStringLiteral("YedekGun"), interval);
    ini.setValue(kAutoSection, QStringLiteral("YedekAl"), automatic ? QStringLiteral("1") : QStringLiteral("2"));
    return ini.save(settingsPath(), error);
}

QString storedValue(const QString &section, const QString &key)
{
    return IniText::load(settingsPath()).value(section, key);
}

bool storeValue(const QString &section, const QString &key, const QString &value, QString *error)
{
    IniText ini = IniText::load(settingsPath());
    ini.setValue(section, key, value);
    return ini.save(settingsPath(), error);
}

bool storeAutomaticDate(const QDate &day, QString *error)
{
    IniText ini = IniText::load(settingsPath());
    ini.setValue(kAutoSection, QStringLiteral("TarihOtoGun"), QString::number(day.day()));
    ini.setValue(kAutoSection, QStringLiteral("TarihOtoAy"), QString::number(day.month()));
    ini.setValue(kAutoSection, QStringLiteral("TarihOtoYil"), QString::number(day.year()));
    return ini.save(settingsPath(), error);
}

bool automaticDue(bool automatic, const QDate &last, const QString &interval, const QDateTime &now)
{
    if (!automatic || !last.isValid()) return automatic;
    const qint64 days = wholeNumber(interval);
    const QDateTime due(last.addDays(days), QTime(0, 0));
    return now >= due;
}

QDateTime now()
{
    const QDateTime &moment = testMoment();
    return moment.isValid() ? moment : QDateTime::currentDateTime();
}

void setClockForTests(const QDateTime &moment) { testMoment() = moment; }

QString companyArchiveProposal(const QString &code, const QDate &day)
{
    return code + day.toString(QStringLiteral("yyyyMMdd"));
}

QString allArchiveProposal(const QDate &day)
{
    return QStringLiteral("BrenvoCekSenet_") + day.toString(QStringLiteral("yyyy_MM_dd"));
}

QString automaticArchive(const QString &folder, const QDate &day)
{
    return folder + QStringLiteral("BrenvoCari_") + day.toString(QStringLiteral("yyyy_MM_dd")) + QStringLiteral(".zip");
}

QString companionOf(const QString &archive) { return archive + QStringLiteral("Gen"); }

QString withExtension(const QString &chosen, const QString &extension)
{
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty()) return chosen;
    return chosen + extension;
}

QStringList companyFiles(const QString &folder, const QString &code, const QStringList &registeredCodes)
{
    if (code.isEmpty()) return {};
    const QRegularExpression own(QStringLiteral("^%1(\\d{4}K)?\\.mdb$").arg(QRegularExpression::escape(code)),
                                 QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString &path : databaseFiles(folder)) {
        const QFileInfo fi(path);
        if (!own.match(fi.fileName()).hasMatch()) continue;
        const QString stem = fi.completeBaseName();
        const bool otherCompany = stem.compare(code, Qt::CaseInsensitive) != 0 &&
                                  registeredCodes.contains(stem, Qt::CaseInsensitive);
        if (!otherCompany) out.append(path);
    }
    return out;
}

QStringList databaseFiles(const QString &folder)
{
    const QDir dir(folder);
    QStringList out;
    for (const QString &name : dir.entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name))
        out.append(dir.filePath(name));
    return out;
}

} // namespace Backup
