#include "support/test_home.h"

#include "data/data_context.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "data/template_copy.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"

#include <QCryptographicHash>
#include <QtTest>
#include <sqlite3.h>

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

bool TestHome::spoilFile(const QString &path, const QString &how, const QString &dropTable)
{
    const auto run = [&](const QStringList &statements) {
        sqlite3 *db = nullptr;
        bool ok = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
        for (const QString &sql : statements)
            ok = ok && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return ok;
    };
    QFile f(path);
    if (how == QLatin1String("garbage")) {
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        return f.write(QByteArray(20000, 'x')) == 20000;
    }
    if (how == QLatin1String("truncated")) {
        // Enough rows that the cut lands inside the data.
        if (!run({QStringLiteral("CREATE TABLE dolgu (x TEXT)"),
                  QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<3000) "
                                 "INSERT INTO dolgu SELECT hex(randomblob(40)) FROM n")}))
            return false;
        return f.resize(f.size() / 2);
    }
    if (how == QLatin1String("zero")) return f.resize(0);
    if (how == QLatin1String("foreign")) {
        if (f.exists() && !f.remove()) return false;
        return run({QStringLiteral("CREATE TABLE kisiler (ad TEXT, telefon TEXT)"),
                    QStringLiteral("INSERT INTO kisiler VALUES ('Ayşe', '555')")});
    }
    if (how == QLatin1String("missing table"))
        return run({QStringLiteral("DROP TABLE \"%1\"").arg(dropTable), QStringLiteral("PRAGMA user_version=0")});
    if (how == QLatin1String("read-only"))
        return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return false;
}

QByteArray TestHome::checksum(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArrayLiteral("missing");
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}
