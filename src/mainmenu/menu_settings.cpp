#include "mainmenu/menu_settings.h"

#include "data/program_home.h"

#include <QFileInfo>
#include <QSettings>

namespace MenuSettings {

QString filePath() { return ProgramHome::path(QStringLiteral("csayar.apr")); }

Values read()
{
    Values v;
    QSettings s(filePath(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("AnaMenu"));
    auto flag = [&](const char *key) { return s.value(QLatin1String(key)).toString(); };
    auto colour = [&](const char *key) {
        bool ok = false;
        const qint64 n = s.value(QLatin1String(key), 1).toLongLong(&ok);
        return ok ? n : 1;
    };
    v.eldecekA = flag("eldecekA");
    v.cirocekA = flag("cirocekA");
    v.duzenlenenA = flag("duzenlenenA");
    v.bankalardakiA = flag("bankalardakiA");
    v.alacakA = flag("alacakA");
    v.borcA = flag("borcA");
    v.gunnotA = flag("gunnotA");
    v.yanpanrenA = colour("yanpanrenA");
    v.zeminrenA = colour("zeminrenA");
    v.yanrenA = colour("yanrenA");
    return v;
}

bool writeDefaultSettingsIfMissing()
{
    if (QFileInfo::exists(filePath())) return false;
    QSettings s(filePath(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("AnaMenu"));
    for (const char *key : {"eldecekA", "cirocekA", "duzenlenenA", "bankalardakiA", "alacakA", "borcA", "gunnotA"})
        s.setValue(QLatin1String(key), QStringLiteral("E"));
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

qint64 colourToInt(const QColor &c)
{
    if (!c.isValid()) return -1;
    return qint64(c.red()) | (qint64(c.green()) << 8) | (qint64(c.blue()) << 16);
}

QColor colourFromInt(qint64 v)
{
    if (v < 0 || v > 0xFFFFFF) return {};
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

} // namespace MenuSettings
