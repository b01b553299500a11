#include "app/backup_restore.h"

#include "app/company_registry.h"
#include "app/file_swap.h"
#include "app/restore_set_aside.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/program_home.h"
#include "data/table.h"
#include "data/zip_archive.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>

namespace Backup {
namespace {

const QString kRegistryFile = QStringLiteral("CekFirmalar.mdb");

Staged refused(const QString &reason)
{
    Staged s;
    s.reason = reason;
    return s;
}

QString fileName(const QString &path) { return QFileInfo(path).fileName(); }

// The kinds a restored file may be, the likeliest first.
QList<Schema::Kind> kindsFor(const QString &name, bool mainFolder)
{
    if (mainFolder) {
        if (name.compare(kRegistryFile, Qt::CaseInsensitive) == 0) return {Schema::Kind::Registry};
        if (name.compare(QStringLiteral("CekSenet.mdb"), Qt::CaseInsensitive) == 0) return {Schema::Kind::Company};
        if (name.compare(QStringLiteral("Kasa.mdb"), Qt::CaseInsensitive) == 0) return {Schema::Kind::Cash};
    }
    static const QRegularExpression cashName(QStringLiteral("\\d{4}K\\.mdb$"), QRegularExpression::CaseInsensitiveOption);
    if (cashName.match(name).hasMatch()) return {Schema::Kind::Cash, Schema::Kind::Company};
    return {Schema::Kind::Company, Schema::Kind::Cash};
}

// "4 bayt", "12,5 MB", "2,0 GB".
QString sizeText(qint64 bytes)
{
    static const char *const units[] = {"KB", "MB", "GB", "TB"};
    if (bytes < 1024) return QString::number(bytes) + QStringLiteral(" bayt");
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    return QLocale(QLocale::Turkish, QLocale::Turkey).toString(value, 'f', 1) + u' ' + QLatin1String(units[unit]);
}

// Where an entry goes: a file of the folder whose name differs only in letter case
// is the one the entry restores (the program opens that one); otherwise the entry's
// name with the extension written as the program writes it.
QString targetFor(const QString &folder, const QString &entryName)
{
    const QDir dir(folder);
    const QStringList there = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : there)
        if (name.compare(entryName, Qt::CaseInsensitive) == 0) return dir.filePath(name);
    static const QRegularExpression cashName(QStringLiteral("^(.*\\d{4})k\\.mdb$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = cashName.match(entryName);
    if (m.hasMatch()) return dir.filePath(m.captured(1) + QStringLiteral("K.mdb"));
    return dir.filePath(entryName.chopped(4) + QStringLiteral(".mdb"));
}

// The foreign objects in Turkish: "tetikleyici x, görünüm y, tablo z".
QString readable(const QStringList &objects)
{
    QStringList words;
    for (QString o : objects) {
        o.replace(QRegularExpression(QStringLiteral("^trigger ")), QStringLiteral("tetikleyici "));
        o.replace(QRegularExpression(QStringLiteral("^view ")), QStringLiteral("görünüm "));
        o.replace(QRegularExpression(QStringLiteral("^table ")), QStringLiteral("tablo "));
        words << o;
    }
    return words.join(QStringLiteral(", "));
}

// The kind the staged file passes as (an undamaged database of that kind), or the
// reason of the likeliest kind's refusal.
std::optional<Schema::Kind> checkedKind(const QString &path, bool mainFolder, QString *reason)
{
    const QList<Schema::Kind> kinds = kindsFor(fileName(path), mainFolder);
    for (Schema::Kind kind : kinds) {
        try {
            Connection::checkFile(path, kind, true);
        } catch (const EngineError &e) {
            if (reason->isEmpty()) *reason = e.message();
            continue;
        }
        // A trigger or view of another's making would run inside the program's own
        // writes (a trigger on the cash table rewriting amounts): such a file is refused.
        try {
            const QStringList foreign = Connection::foreignObjects(path, kind);
            if (foreign.isEmpty()) return kind;
            if (reason->isEmpty())
                *reason = QStringLiteral("Dosyada programın tanımadığı nesneler var (%1); bu yedek bu programın "
                                         "yaptığı bir yedek değil ya da sonradan değiştirilmiş.")
                              .arg(readable(foreign));
        } catch (const EngineError &e) {
            if (reason->isEmpty()) *reason = e.message();
        }
    }
    return std::nullopt;
}

// A restored company file counts on from the numbers the replaced one used, and
// the company's files the archive lacks are listed to be set aside.
bool keepNumbersAndFindLaterFiles(Staged &staged)
{
    try {
        for (const auto &[staging, target] : std::as_const(staged.moves))
            if (staged.companies.contains(target)) keepCountersAbove(staging, target);
    } catch (const EngineError &e) {
        staged.reason = e.message();
        return false;
    }
    staged.aside = filesNotInArchive(staged.moves, staged.companies);
    return true;
}

} // namespace

bool isPlainDatabaseName(const QString &name)
{
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(u':') || name.contains(QChar(0))) return false;
    if (name.startsWith(u'.') || name.contains(QStringLiteral(".."))) return false;
    return name.size() > 4 && name.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive);
}

Staged stageRestore(const QList<RestorePart> &parts, const PasswordAsk &askPassword, const RestoreLimits &limits)
{
    // Every archive must be there before anything is read.
    for (const RestorePart &part : parts)
        if (!QFileInfo(part.archive).isFile())
            return refused(QStringLiteral("'%1' yedek dosyası bulunamadı.").arg(QDir::toNativeSeparators(part.archive)));

    Staged staged;
    staged.dir = std::make_shared<QTemporaryDir>(ProgramHome::path(QStringLiteral("GeriYukleme-XXXXXX")));
    if (!staged.dir->isValid())
        return refused(QStringLiteral("Geçici klasör oluşturulamadı: ") + staged.dir->errorString());
    std::optional<QString> password;
    QSet<QString> targets;
    const auto freeBytes = [&] {
        if (limits.freeBytes) return limits.freeBytes(staged.dir->path());
        QStorageInfo disk(staged.dir->path());
        return disk.isValid() ? disk.bytesAvailable() : qint64(-1);
    };

    for (int p = 0; p < parts.size(); ++p) {
        const RestorePart &part = parts[p];
        const QString archiveName = fileName(part.archive);
        ZipReader zip(part.archive);
        if (!zip.isOpen())
            return refused(QStringLiteral("'%1' okunamadı: %2").arg(archiveName, zip.errorString()));
        const int n = zip.count();
        bool encrypted = false;
        bool hasRegistry = false;
        if (n == 0)
            return refused(QStringLiteral("'%1' içinde geri yüklenecek bir dosya yok; hiçbir dosya geri yüklenmedi.")
                               .arg(archiveName));
        QSet<QString> names;
        qint64 declared = 0;
        for (int i = 0; i < n; ++i) {
            const ZipReader::Entry e = zip.entry(i);
            if (!isPlainDatabaseName(e.name))
                return refused(QStringLiteral("'%1' içindeki '%2' kaydı bir veritabanı dosya adı değil.").arg(archiveName, e.name));
            if (names.contains(e.name.toLower()))
                return refused(QStringLiteral("'%1' içinde '%2' kaydı birden çok kez var.").arg(archiveName, e.name));
            names.insert(e.name.toLower());
            if (e.size < 0 || e.size > limits.maxEntry)
                return refused(QStringLiteral("'%1' içindeki '%2' kaydı açıldığında %3 tutuyor; bir veritabanı dosyası "
                                              "en çok %4 olabilir. Yedek dosyası bozuk ya da bu programın yedeği değil.")
                                   .arg(archiveName, e.name, sizeText(qMax<qint64>(e.size, 0)), sizeText(limits.maxEntry)));
            declared += e.size;
            encrypted = encrypted || e.encrypted;
            hasRegistry = hasRegistry || e.name.compare(kRegistryFile, Qt::CaseInsensitive) == 0;
        }
        if (part.mainFolder && !hasRegistry)
            return refused(QStringLiteral("'%1' içinde şirket listesi (%2) yok.").arg(archiveName, kRegistryFile));
        // Measured now, after the parts before this one were written.
        const qint64 free = freeBytes();
        if (free >= 0 && declared + limits.reserve > free)
            return refused(QStringLiteral("Diskte yeterli boş yer yok: yedekteki dosyalar açıldığında %1 tutuyor, "
                                          "diskte %2 boş yer var (en az %3 gerekiyor). Diskte yer açıp yeniden deneyin.")
                               .arg(sizeText(declared), sizeText(free), sizeText(declared + limits.reserve)));
        if (encrypted) {
            if (!password) {
                password = askPassword ? askPassword() : std::nullopt;
                if (!password) {
                    Staged cancelled;
                    cancelled.cancelled = true;
                    return cancelled;
                }
            }
            zip.setPassword(*password);
        }

        const QString folder = staged.dir->filePath(QString::number(p));
        QDir().mkpath(folder);
        for (int i = 0; i < n; ++i) {
            const ZipReader::Entry e = zip.entry(i);
            const QString target = targetFor(part.folder, e.name);
            const QString staging = QDir(folder).filePath(e.name);
            // An entry may not write more than it declares (a header may lie).
            if (!zip.extract(i, staging, e.size)) {
                if (zip.tooLarge())
                    return refused(QStringLiteral("'%1' içindeki '%2' kaydı bildirdiği büyüklükten (%3) uzun; yedek "
                                                  "dosyası bozuk.").arg(archiveName, e.name, sizeText(e.size)));
                if (e.encrypted && ZipReader::isPasswordError(zip.errorCode()))
                    return refused(QStringLiteral("Girilen şifre yanlış."));
                if (e.encrypted)
                    return refused(QStringLiteral("Girilen şifre yanlış ya da '%1' içindeki '%2' kaydı bozuk: %3")
                                       .arg(archiveName, e.name, zip.errorString()));
                return refused(QStringLiteral("'%1' içindeki '%2' kaydı bozuk: %3").arg(archiveName, e.name, zip.errorString()));
            }
            QString why;
            const std::optional<Schema::Kind> kind = checkedKind(staging, part.mainFolder, &why);
            // The staging copy is no place the user knows: the entry is named instead.
            why.replace(QDir::toNativeSeparators(staging), e.name).replace(staging, e.name);
            if (!kind) return refused(QStringLiteral("'%1' içindeki '%2': %3").arg(archiveName, e.name, why));
            if (targets.contains(target)) continue;
            targets.insert(target);
            staged.moves.append({staging, target});
            if (*kind == Schema::Kind::Company && !part.mainFolder) staged.companies.append(target);
        }
    }
    if (!keepNumbersAndFindLaterFiles(staged)) return refused(staged.reason);
    staged.ok = true;
    return staged;
}

Applied applyRestore(const Staged &staged, bool closeEvery, const QString &asideFolder)
{
    DataContext &ctx = DataContext::instance();
    QSet<QString> targets;
    for (const auto &m : staged.moves) targets.insert(QFileInfo(m.second).absoluteFilePath());

    // A connection left open on a replaced file would write on into the old one.
    Connection *const connections[] = {&ctx.ADOConnection2, &ctx.ADOConnection1, &ctx.kasaConnection};
    QList<Connection *> reopen;
    ctx.devirConnection.close();
    for (Connection *c : connections) {
        if (!c->isOpen()) continue;
        if (closeEvery || targets.contains(QFileInfo(c->filePath()).absoluteFilePath())) {
            c->close();
            reopen.append(c);
        }
    }
    const QString folder = asideFolder.isEmpty() ? setAsideFolder(QDateTime::currentDateTime()) : asideFolder;
    QString failure = setAside(staged.aside, folder);
    if (failure.isEmpty()) {
        failure = swapFiles(staged.moves);
        if (!failure.isEmpty()) putBack(staged.aside, folder);
    }
    QStringList reopenErrors;
    for (Connection *c : reopen) {
        try {
            // The working year's cash file was set aside: the year starts a new one.
            if (c == &ctx.kasaConnection && failure.isEmpty() && !QFileInfo::exists(c->filePath()))
                ensureCashFile(ctx.aktifSirketKodu, ctx.calismaYili);
            c->open();
        } catch (const EngineError &e) {
            reopenErrors.append(e.message());
        }
    }
    if (!failure.isEmpty()) return {false, failure};
    try {
        registerRestoredCompanies(staged.companies);
    } catch (const EngineError &e) {
        reopenErrors.append(e.message());
    }
    return {true, reopenErrors.join(QStringLiteral("\n\r"))};
}

void registerRestoredCompanies(const QStringList &files)
{
    if (files.isEmpty()) return;
    Connection &registryConnection = DataContext::instance().ADOConnection2;
    if (!registryConnection.isOpen()) registryConnection.open();
    Table registry(&registryConnection, QStringLiteral("firma"));
    registry.open();
    QSet<QString> known;
    for (registry.first(); !registry.eof(); registry.next())
        known.insert(registry.field(QStringLiteral("firma_kodu")).asString().toLower());

    bool added = false;
    for (const QString &file : files) {
        const QString code = QFileInfo(file).completeBaseName();
        if (known.contains(code.toLower()) || code.size() > CompanyRegistry::kCodeMaxLength) continue;
        if (!std::all_of(code.cbegin(), code.cend(), CompanyRegistry::isCodeChar)) continue;
        Connection company;
        company.setSchemaKind(Schema::Kind::Company);
        company.setConnectionString(ConnectionString::build(file));
        company.open();
        Table own(&company, QStringLiteral("firmabilgileri"));
        own.open();
        registry.append();
        if (!own.isEmpty()) {
            own.first();
            for (int i = 0; i < registry.fieldCount(); ++i) {
                const QString name = registry.fieldInfo(i).name;
                if (name == QLatin1String("firma_ind")) continue;
                const int from = own.fieldIndex(name);
                if (from >= 0) registry.setFieldValue(i, own.value(from));
            }
        }
        registry.setFieldValue(registry.fieldIndex(QStringLiteral("firma_kodu")), code);
        if (registry.field(QStringLiteral("firma_unvani_1")).asString().trimmed().isEmpty())
            registry.setFieldValue(registry.fieldIndex(QStringLiteral("firma_unvani_1")), code);
        registry.post();
        known.insert(code.toLower());
        added = true;
    }
    if (added) {
        Table &shared = CompanyRegistry::firmaTable(false);
        if (shared.isActive()) shared.refresh();
    }
}

} // namespace Backup
