#include "reports/report_messages.h"

#include <QDebug>

namespace ReportMessages {
namespace {

Handler &handler()
{
    static Handler h;
    return h;
}

void tell(Kind kind, const QString &text, const QString &caption)
{
    if (handler()) handler()(kind, text, caption);
    else qWarning().noquote() << caption << text;
}

} // namespace

void setHandler(Handler h) { handler() = std::move(h); }
void information(const QString &text, const QString &caption) { tell(Kind::Information, text, caption); }
void error(const QString &text, const QString &caption) { tell(Kind::Error, text, caption); }

} // namespace ReportMessages
