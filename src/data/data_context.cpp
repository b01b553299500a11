#include "data/data_context.h"

#include "data/connection_string.h"
#include "data/program_home.h"
#include "data/template_copy.h"
#include "widgets/message_box.h"

#include <QDir>
#include <QFileInfo>

DataContext &DataContext::instance()
{
    static DataContext ctx;
    return ctx;
}

void DataContext::openStartupConnections()
{
    ADOConnection2.setConnectionString(ConnectionString::build(QStringLiteral("AnaData\\CekFirmalar.mdb"), false));
    ADOConnection1.setConnectionString(ConnectionString::build(QStringLiteral("AnaData\\CekSenet.mdb"), false));
    kasaConnection.setConnectionString(ConnectionString::build(QStringLiteral("AnaData\\Kasa.mdb"), false));
    ADOConnection2.open();
    ADOConnection1.open();
    kasaConnection.open();
}

void DataContext::closeAll()
{
    devirConnection.close();
    kasaConnection.close();
    ADOConnection1.close();
    ADOConnection2.close();
}

QString DataContext::companyConnectionString(const QString &code)
{
    return ConnectionString::build(QStringLiteral("Data/") + code + QStringLiteral(".mdb"));
}

QString DataContext::cashFileName(const QString &code, int year)
{
    return QStringLiteral("Data/") + code + QString::number(year) + QStringLiteral("K.mdb");
}

QString DataContext::cashConnectionString(const QString &code, int year)
{
    return ConnectionString::build(cashFileName(code, year));
}

bool ensureCashFile(const QString &code, int year)
{
    const QString file = ProgramHome::path(DataContext::cashFileName(code, year));
    if (QFileInfo::exists(file)) return true;
    const QString templ = ProgramHome::path(QStringLiteral("Kasa.mdb"));
    return QFileInfo::exists(templ) && copyTemplate(templ, file);
}

bool kasadegistir(int year)
{
    DataContext &ctx = DataContext::instance();
    const QString file = ProgramHome::path(DataContext::cashFileName(ctx.aktifSirketKodu, year));
    if (!ensureCashFile(ctx.aktifSirketKodu, year)) {
        MessageBox::show(QStringLiteral("Brenvo Çek Senet Takip Programı"),
                         QStringLiteral("Kasa oluşturulması için gerekli dosya bulunamadı!"),
                         MessageBox::Icon::Warning, MessageBox::Ok);
        return false;
    }
    // Closing the connection closes every dataset on it; the caller reopens what it needs.
    const QString previous = ctx.kasaConnection.connectionString();
    const bool wasOpen = ctx.kasaConnection.isOpen();
    ctx.kasaConnection.close();
    ctx.kasaConnection.setConnectionString(ConnectionString::build(QDir::toNativeSeparators(file)));
    try {
        ctx.kasaConnection.open();
    } catch (...) {
        // A file that cannot be opened leaves the previous year's file in place.
        ctx.kasaConnection.setConnectionString(previous);
        if (wasOpen) {
            try { ctx.kasaConnection.open(); } catch (...) {}
        }
        throw;
    }
    ctx.calismaYili = year;
    Q_EMIT ctx.cashYearChanged(year);
    return true;
}
