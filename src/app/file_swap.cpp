#include "app/file_swap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString asideName(const QString &path)
{
    for (int i = 0;; ++i) {
        const QString candidate = path + QStringLiteral(".eski") + (i ? QString::number(i) : QString());
        if (!QFileInfo::exists(candidate)) return candidate;
    }
}

QString cannotMove(const QString &from, const QString &to, const QFile &file)
{
    return QStringLiteral("'%1' dosyası '%2' olarak taşınamadı: %3")
        .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), file.errorString());
}

} // namespace

QString swapFiles(const QList<QPair<QString, QString>> &moves)
{
    QList<QPair<QString, QString>> aside;  // target -> where it went
    QList<QPair<QString, QString>> movedIn; // source -> target
    QString failure;

    const auto move = [&failure](const QString &from, const QString &to) {
        QFile f(from);
        if (f.rename(to)) return true;
        failure = cannotMove(from, to, f);
        return false;
    };

    bool ok = true;
    for (const auto &[from, to] : moves) {
        for (const QString &old : {to, to + QStringLiteral("-journal")}) {
            if (!QFileInfo::exists(old)) continue;
            const QString parked = asideName(old);
            if (!move(old, parked)) {
                ok = false;
                break;
            }
            aside.append({old, parked});
        }
        if (!ok) break;
    }
    if (ok) {
        for (const auto &[from, to] : moves) {
            if (!move(from, to)) {
                ok = false;
                break;
            }
            movedIn.append({from, to});
        }
    }
    if (ok) {
        for (const auto &[old, parked] : aside) QFile::remove(parked);
        return {};
    }
    // Undo in reverse order: the new files back where they came from, the former ones in place.
    for (auto it = movedIn.crbegin(); it != movedIn.crend(); ++it) QFile::rename(it->second, it->first);
    for (auto it = aside.crbegin(); it != aside.crend(); ++it) QFile::rename(it->second, it->first);
    return failure;
}
