#include "data/program_home.h"

#include "data/engine_error.h"
#include "data/schema.h"
#include "data/template_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// The help texts are compiled into the library as a resource; a static library
// needs its resource registered by hand.
static void registerHelpTexts()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    Q_UNUSED(done);
}

namespace ProgramHome {

namespace {
QString &current()
{
    static QString d;
    return d;
}
} // namespace

QString resolve(const QStringList &arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--home") && i + 1 < arguments.size()) return QDir(arguments[i + 1]).absolutePath();
        if (a.startsWith(QLatin1String("--home="))) return QDir(a.mid(7)).absolutePath();
    }
    const QString env = qEnvironmentVariable("CEKSENET_HOME");
    if (!env.isEmpty()) return QDir(env).absolutePath();
    QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (xdg.isEmpty()) xdg = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(xdg + QStringLiteral("/ceksenet")).absolutePath();
}

void setDir(const QString &d) { current() = QDir::cleanPath(QDir(d).absolutePath()); }

QString dir() { return current().isEmpty() ? QDir::currentPath() : current(); }

QString path(const QString &relative) { return dir() + u'/' + relative; }

void ensure()
{
    QDir home(dir());
    for (const char *folder : {"AnaData", "Data", "Yedek"})
        if (!home.mkpath(QString::fromLatin1(folder)))
            throw EngineError(QStringLiteral("'%1' klasörü oluşturulamadı.").arg(path(QString::fromLatin1(folder))));

    // A file of no bytes holds nothing (a copy or a disk that failed): it is made
    // again as a missing one is.
    const auto dropEmpty = [](const QString &file) {
        const QFileInfo fi(file);
        if (fi.exists() && fi.size() == 0 && !QFile::remove(file))
            throw EngineError(QStringLiteral("'%1' dosyası boş ve silinemiyor; dosya izinlerini denetleyin.").arg(file), 0, file);
    };
    const auto make = [&](const QString &file, Schema::Kind kind) {
        dropEmpty(file);
        if (!QFileInfo::exists(file)) Schema::createDatabase(file, kind);
    };
    make(path(QStringLiteral("CekSenet.mdb")), Schema::Kind::Company);
    make(path(QStringLiteral("Kasa.mdb")), Schema::Kind::Cash);
    make(path(QStringLiteral("AnaData/CekFirmalar.mdb")), Schema::Kind::Registry);
    // The start-up databases are plain copies of the templates.
    const auto copy = [&](const QString &from, const QString &to) {
        dropEmpty(to);
        if (!QFileInfo::exists(to) && !copyTemplate(from, to))
            throw EngineError(QStringLiteral("'%1' dosyası oluşturulamadı.").arg(to));
    };
    copy(path(QStringLiteral("CekSenet.mdb")), path(QStringLiteral("AnaData/CekSenet.mdb")));
    copy(path(QStringLiteral("Kasa.mdb")), path(QStringLiteral("AnaData/Kasa.mdb")));

    // The help texts the help buttons load; a text the user has edited stays.
    registerHelpTexts();
    const QDir help(QStringLiteral(":/help"));
    for (const QString &name : help.entryList(QDir::Files)) {
        const QString target = path(name);
        if (QFileInfo::exists(target)) continue;
        if (!QFile::copy(help.filePath(name), target))
            throw EngineError(QStringLiteral("'%1' dosyası oluşturulamadı.").arg(target));
        // Copies from a resource are read-only; the user may edit the text.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
}

} // namespace ProgramHome
