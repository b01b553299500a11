#include "app/year_end.h"

#include "app/tgirisf.h"
#include "app/year_end_carry.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "widgets/message_box.h"

#include <QFileInfo>

bool YilSonuDevri(TgirisF &login)
{
    DataContext &ctx = DataContext::instance();
    // The open company and its working year, whatever the login fields name now.
    const QString code = ctx.aktifSirketKodu;
    const int y = ctx.calismaYili;
    if (code.isEmpty() || y == 0) {
        MessageBox::warning(QStringLiteral("Önce bir şirkete giriş yapın."));
        return false;
    }
    const QString yText = QString::number(y), nextText = QString::number(y + 1);
    if (!MessageBox::askYesNo(QStringLiteral("Bu işlem ") + yText + QStringLiteral(" yılı dönem sonu cari ve kasa bakiyelerini ") +
                              nextText + QStringLiteral("\n\r") + QStringLiteral(" yılı dönembaşına aktaracaktır.") +
                              QStringLiteral("Devam edilsinmi?")))
        return false;

    QList<YearEnd::CashSum> cash;
    QList<YearEnd::AccountSum> accounts;
    try {
        ctx.devirConnection.close();
        ctx.devirConnection.setConnectionString(ctx.kasaConnection.connectionString());
        ctx.devirConnection.open();
        cash = YearEnd::cashSums(ctx.devirConnection);
        accounts = YearEnd::accountSums(ctx.devirConnection, ctx.ADOConnection1);
        // The login's own opening, in the next year; it shows why when it cannot.
        if (!login.openCompanyFor(code, y + 1)) return false;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    // Never write into any file but the next year's.
    const QString nextFile = QFileInfo(DataContext::cashFileName(code, y + 1)).fileName();
    if (ctx.calismaYili != y + 1 || QFileInfo(ctx.kasaConnection.filePath()).fileName() != nextFile) return false;

    if (!MessageBox::askYesNo(QStringLiteral("Yıl sonu devir tutarları alındı.\n\rYeni yıla aktarılsınmı?"))) return false;
    try {
        YearEnd::writeOpenings(ctx.kasaConnection, y, cash, accounts);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    ctx.announce({DataKind::Cash, DataKind::Movements});
    MessageBox::information(QStringLiteral("Aktarım tamamlandı"));
    return true;
}
