#include "app/company_registry.h"

#include "data/data_context.h"
#include "data/program_home.h"
#include "data/table.h"
#include "data/template_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace CompanyRegistry {

namespace {

Table &openOnRegistry(Table &t, bool open)
{
    if (open && !t.isActive()) {
        Connection &c = DataContext::instance().ADOConnection2;
        if (!c.isOpen()) c.open();
        t.open();
    }
    return t;
}

QString codeOf(Table &firma)
{
    return firma.field(QStringLiteral("firma_kodu")).asString();
}

bool isValidCode(const QString &code)
{
    if (code.isEmpty() || code.size() > kCodeMaxLength) return false;
    for (QChar c : code)
        if (!isCodeChar(c)) return false;
    return true;
}

// The template copied to the company's file.
Outcome createDatabaseFile(const QString &code)
{
    const QString templ = ProgramHome::path(kTemplateFile);
    if (!QFileInfo::exists(templ)) return Outcome::failed(QStringLiteral("Firma oluşturulması için gerekli dosya bulunamadı!"));
    QDir().mkpath(ProgramHome::path(QStringLiteral("Data")));
    if (!copyTemplate(templ, companyFile(code)))
        return Outcome::failed(QStringLiteral("Firma dosyası oluşturulamadı!"), Outcome::Icon::Critical);
    return {};
}

// Opens the saved company: before any login the company connection alone (the
// login points the cash connection), afterwards both together in the working year.
Outcome openSaved(Table &firma)
{
    DataContext &ctx = DataContext::instance();
    switch (ctx.openCompany(codeOf(firma), ctx.calismaYili, firma.field(QStringLiteral("firma_unvani_1")).asString())) {
    case DataContext::OpenResult::Opened: break;
    case DataContext::OpenResult::NoCashTemplate: return Outcome::failed(kCashTemplateMissing);
    case DataContext::OpenResult::NoCompanyDatabase:
        return Outcome::failed(QStringLiteral("Firma dosyası oluşturulamadı!"), Outcome::Icon::Critical);
    }
    copyToFirmabilgileri(firma);
    return {};
}

} // namespace

Table &firmaTable(bool open)
{
    static Table t(&DataContext::instance().ADOConnection2, QStringLiteral("firma"),
                   QStringLiteral("PrimaryKey"), QStringLiteral("firmaTable"));
    return openOnRegistry(t, open);
}

Table &sifreTable(bool open)
{
    static Table t(&DataContext::instance().ADOConnection2, QStringLiteral("sifre"),
                   QStringLiteral("PrimaryKey"), QStringLiteral("sifreTable"));
    return openOnRegistry(t, open);
}

Table &masterTable(bool open)
{
    static Table t(&DataContext::instance().ADOConnection2, QStringLiteral("master"), QString(),
                   QStringLiteral("masterTable"));
    return openOnRegistry(t, open);
}

bool isCodeChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9');
}

QString companyFile(const QString &code)
{
    return ProgramHome::path(DataContext::companyFileName(code));
}

bool codeInUse(const QString &code)
{
    const QString fileName = code + QStringLiteral(".mdb");
    const QStringList files = QDir(ProgramHome::path(QStringLiteral("Data"))).entryList(QDir::Files);
    for (const QString &f : files)
        if (f.compare(fileName, Qt::CaseInsensitive) == 0) return true;

    // The registry itself, read apart from the shared table so its position stays.
    Table t(&DataContext::instance().ADOConnection2, QStringLiteral("firma"));
    t.open();
    for (t.first(); !t.eof(); t.next())
        if (t.field(QStringLiteral("firma_kodu")).asString().compare(code, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void copyToFirmabilgileri(Table &firma)
{
    Table copy(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"));
    copy.open();
    if (copy.isEmpty()) {
        copy.append();
    } else {
        copy.first();
        copy.edit();
    }
    // By position, key excepted; the copy cuts texts to its own (shorter) sizes.
    const int n = std::min(firma.fieldCount(), copy.fieldCount());
    for (int i = 1; i < n; ++i) copy.setFieldValue(i, firma.value(i));
    copy.post();
}

QString copiedTitle()
{
    Table copy(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"));
    copy.open();
    return copy.isEmpty() ? QString() : copy.field(QStringLiteral("firma_unvani_1")).asString();
}

Outcome dosyaac(Table &firma)
{
    const QString code = codeOf(firma);
    if (code.isEmpty()) return Outcome::failed(QStringLiteral("Firma kodunu boş geçemezsiniz."), Outcome::Icon::Question);
    if (firma.field(QStringLiteral("firma_unvani_1")).asString().trimmed().isEmpty())
        return Outcome::failed(QStringLiteral("Firma adını boş geçemezsiniz."), Outcome::Icon::Question);
    // The code names files: a code from elsewhere (the login field) may hold anything.
    if (!isValidCode(code)) return Outcome::failed(QStringLiteral("Firma kodu en çok 12 harf ve rakamdan oluşabilir."));
    if (!QFileInfo::exists(ProgramHome::path(kTemplateFile)))
        return Outcome::failed(QStringLiteral("Firma oluşturulması için gerekli dosya bulunamadı!"));
    if (codeInUse(code))
        return Outcome::failed(
            QStringLiteral("Bu isimde kayıtlı firma mevcut!\n\rBu isimde firma oluşturmak için önce kayıtlı\n\rFirmayı silin"));
    if (Outcome made = createDatabaseFile(code); !made.ok) return made;
    try {
        firma.post();
    } catch (...) {
        QFile::remove(companyFile(code));  // no database without its registry entry
        throw;
    }
    return openSaved(firma);
}

Outcome saveCompany(Table &firma)
{
    if (firma.isEmpty() && firma.state() != Dataset::State::Edit) return Outcome::failed(QString());
    if (firma.field(QStringLiteral("firma_unvani_1")).asString().trimmed().isEmpty())
        return Outcome::failed(QStringLiteral("Firma adını boş geçemezsiniz."), Outcome::Icon::Question);
    firma.post();
    const QString code = codeOf(firma);
    if (code.isEmpty() || !isValidCode(code))
        return Outcome::failed(QStringLiteral("Firma kodunu boş geçemezsiniz."), Outcome::Icon::Question);
    if (!QFileInfo::exists(companyFile(code)))
        if (Outcome made = createDatabaseFile(code); !made.ok) return made;
    return openSaved(firma);
}

Outcome firmasil(Table &firma)
{
    const QString code = codeOf(firma);
    const QString file = companyFile(code);
    if (!code.isEmpty() && QFileInfo::exists(file)) {
        DataContext &ctx = DataContext::instance();
        if (ctx.ADOConnection1.isOpen()
            && QFileInfo(ctx.ADOConnection1.filePath()).absoluteFilePath() == QFileInfo(file).absoluteFilePath()) {
            // Neither connection may stay on a company that is going.
            if (ctx.aktifSirketKodu == code) ctx.closeCompany();
            else ctx.ADOConnection1.close();
        }
        if (!QFile::remove(file)) return Outcome::failed(QStringLiteral("Firma Silinemiyor!!!"), Outcome::Icon::Critical);
    }
    // A registry entry whose database is missing is removed as well.
    firma.remove();
    return {};
}

} // namespace CompanyRegistry
