#include "support/test_home.h"

#include "data/data_context.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "data/template_copy.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"

#include <QtTest>

TestHome::TestHome()
{
    if (!m_dir.isValid()) qFatal("no temporary folder");
    ProgramHome::setDir(m_dir.path());
    ProgramHome::ensure();
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);
}

TestHome::~TestHome()
{
    DataContext::instance().closeAll();
    DataContext::instance().aktifSirketKodu.clear();
    DataContext::instance().calismaYili = 0;
}

void TestHome::openCompany(const QString &code, int year)
{
    DataContext &ctx = DataContext::instance();
    ctx.openStartupConnections();
    copyTemplate(path(QStringLiteral("CekSenet.mdb")), path(DataContext::companyFileName(code)));
    if (ctx.openCompany(code, year, QString()) != DataContext::OpenResult::Opened) qFatal("company not opened");
}

void TestHome::addCompanyRecord()
{
    Table t(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"));
    t.open();
    t.append();
    t.fieldByName("firma_unvani_1").setValue(QStringLiteral("Öztürk Gıda Ltd. Şti."));
    t.fieldByName("firma_unvani_2").setValue(QStringLiteral("İzmir Şubesi"));
    t.post();
}

void TestHome::addAccountCard(const QString &code, const QString &name, double yearlyRate)
{
    Table cards(&DataContext::instance().ADOConnection1, QStringLiteral("firma"), QStringLiteral("firma_adi"));
    cards.open();
    cards.append();
    cards.field(QStringLiteral("firma_kodu")) = code;
    cards.field(QStringLiteral("firma_adi")) = name;
    cards.field(QStringLiteral("yildaki_gun")) = 365;
    cards.field(QStringLiteral("yillik_faiz")) = yearlyRate;
    cards.field(QStringLiteral("tahsilatsure_ekle")) = 0;
    cards.post();
}

qint64 TestHome::insertRow(Connection &c, const QString &table, const QVariantMap &fields)
{
    Table t(&c, table);
    t.open();
    t.append();
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) t.field(it.key()) = it.value();
    t.post();
    for (int i = 0; i < t.fieldCount(); ++i)
        if (t.fieldInfo(i).type == FieldType::AutoNumber) return t.value(i).toLongLong();
    return 0;
}

qint64 TestHome::countRows(Connection &c, const QString &table)
{
    Query q(&c);
    q.sql() << QStringLiteral("SELECT COUNT(*) AS n FROM ") + table;
    q.open();
    return q.field(QStringLiteral("n")).asInteger();
}
