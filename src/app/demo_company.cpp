#include "app/demo_company.h"

#include "app/login_steps.h"
#include "app/sample_company.h"
#include "data/data_context.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/program_home.h"
#include "data/table.h"

#include <QDate>

bool createDemoCompanyIfEmpty()
{
    Connection registry;
    registry.setConnectionString(ConnectionString::build(ProgramHome::path(QStringLiteral("AnaData/CekFirmalar.mdb"))));
    registry.open();
    Table companies(&registry, QStringLiteral("firma"), QStringLiteral("PrimaryKey"));
    companies.open();
    if (!companies.isEmpty()) return false;

    const int year = QDate::currentDate().year();
    generateSampleCompany(QStringLiteral("DEMO"), 400, year - 1, year, QDate::currentDate());

    const QList<QPair<QString, QString>> info = {
        {QStringLiteral("firma_kodu"), QStringLiteral("DEMO")},
        {QStringLiteral("firma_unvani_1"), QStringLiteral("Demo Kırtasiye ve Ticaret A.Ş.")},
        {QStringLiteral("firma_adresi_1"), QStringLiteral("Atatürk Cad. No: 12")},
        {QStringLiteral("adres_semt"), QStringLiteral("Kadıköy")},
        {QStringLiteral("adres_sehir"), QStringLiteral("İstanbul")},
        {QStringLiteral("vergi_dairesi"), QStringLiteral("Kadıköy")},
        {QStringLiteral("vergi_no"), QStringLiteral("1234567890")},
        {QStringLiteral("telefon1_no"), QStringLiteral("(216) 555 12 34")},
        {QStringLiteral("firma_sahibi"), QStringLiteral("Ayşe Yılmaz")},
    };
    companies.append();
    for (const auto &[field, value] : info) companies.field(field) = value;
    companies.post();

    // The company's own copy of its record, for report headers.
    Connection company;
    company.setConnectionString(ConnectionString::build(ProgramHome::path(DataContext::companyFileName(QStringLiteral("DEMO")))));
    company.open();
    Table copy(&company, QStringLiteral("firmabilgileri"), QStringLiteral("PrimaryKey"));
    copy.open();
    copy.append();
    for (const auto &[field, value] : info) copy.field(field) = value;
    copy.post();

    LoginMemory{QStringLiteral("DEMO"), QString::number(year), info[1].second}.write();
    return true;
}
