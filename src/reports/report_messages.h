#pragma once
// How the report engine tells the user something (a text not found, no printer,
// a failed print or save): through the program's message seam, which the
// widgets layer installs, so the engine itself shows no dialog of its own.
#include <QString>
#include <functional>

namespace ReportMessages {

enum class Kind { Information, Error };
using Handler = std::function<void(Kind kind, const QString &text, const QString &caption)>;

// The program's message helper installs itself here; without one the text goes
// to the log.
void setHandler(Handler handler);
void information(const QString &text, const QString &caption);
void error(const QString &text, const QString &caption);

} // namespace ReportMessages
