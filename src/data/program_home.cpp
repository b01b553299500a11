#include "data/program_home.h"

#include "data/engine_error.h"
#include "data/schema.h"
#include "data/template_copy.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

    const auto make = [](const QString &file, Schema::Kind kind) {
        if (!QFileInfo::exists(file)) Schema::createDatabase(file, kind);
    };
    make(path(QStringLiteral("CekSenet.mdb")), Schema::Kind::Company);
    make(path(QStringLiteral("Kasa.mdb")), Schema::Kind::Cash);
    make(path(QStringLiteral("AnaData/CekFirmalar.mdb")), Schema::Kind::Registry);
    // The start-up databases are plain copies of the templates.
    const auto copy = [](const QString &from, const QString &to) {
        if (!QFileInfo::exists(to) && !copyTemplate(from, to))
            throw EngineError(QStringLiteral("'%1' dosyası oluşturulamadı.").arg(to));
    };
    copy(path(QStringLiteral("CekSenet.mdb")), path(QStringLiteral("AnaData/CekSenet.mdb")));
    copy(path(QStringLiteral("Kasa.mdb")), path(QStringLiteral("AnaData/Kasa.mdb")));
}

} // namespace ProgramHome
