// The restore's checks on any archive: an archive is staged or refused with a
// reason, never both; a staged one moves only plain ".mdb" names into the
// folder, and nothing is left in the program folder once the staging is gone.
#include "app/backup_restore.h"
#include "data/program_home.h"
#include "fuzz_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir home;
    static const bool ready = [] {
        ProgramHome::setDir(home.path());
        return QDir().mkpath(home.filePath(QStringLiteral("Data")));
    }();
    if (!ready) fuzz::fault("no program folder");
    const QString &archive = fuzz::scratchFile("zip");
    fuzz::writeFile(archive, data, size);
    Backup::RestoreLimits limits;
    limits.maxEntry = 8 << 20;  // the fuzzer's own memory limit is near
    {
        const Backup::Staged staged = Backup::stageRestore({{archive, home.filePath(QStringLiteral("Data")), false}},
                                                           [] { return std::optional<QString>(QStringLiteral("x")); }, limits);
        if (staged.ok == !staged.reason.isEmpty()) fuzz::fault("staged and refused at once", staged.reason);
        for (const auto &move : staged.moves) {
            if (!Backup::isPlainDatabaseName(QFileInfo(move.second).fileName())) fuzz::fault("a move to another name", move.second);
            if (QFileInfo(move.second).absolutePath() != QFileInfo(home.filePath(QStringLiteral("Data/x"))).absolutePath())
                fuzz::fault("a move out of the folder", move.second);
        }
    }
    const QStringList left = QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (left != QStringList{QStringLiteral("Data")}) fuzz::fault("staging left behind", left.join(u' '));
    return 0;
}
