#pragma once
// The program folder: the home that holds AnaData/, Data/, Yedek/, the templates,
// the settings files and the help texts. Every relative file name of the program is
// taken relative to it.
#include <QString>
#include <QStringList>

namespace ProgramHome {

// --home DIR, else $CEKSENET_HOME, else $XDG_DATA_HOME/ceksenet (~/.local/share/ceksenet).
QString resolve(const QStringList &arguments);

void setDir(const QString &dir);
QString dir();
QString path(const QString &relative);  // dir() + "/" + relative

// First start: creates the folders, the templates CekSenet.mdb and Kasa.mdb and the
// start-up databases of AnaData from the schema. Existing files are never touched.
// Throws EngineError when a file cannot be made.
void ensure();

} // namespace ProgramHome
