#include "app/company_registry.h"

#include "data/data_context.h"
#include "data/program_home.h"
#include "data/table.h"
#include "data/template_copy.h"
#include "widgets/message_box.h"

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

void tell(const QString &text, MessageBox::Icon icon = MessageBox::Icon::Warning)
{
    MessageBox::show(MessageBox::kCaption, text, icon, MessageBox::Ok);
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

// The template copied to the company's file. Shows the message and returns false
// when that cannot be done.
bool createDatabaseFile(const QString &code)
{
    const QString templ = ProgramHome::path(kTemplateFile);
    if (!QFileInfo::exists(templ)) {
        tell(QStringLiteral("Firma oluşturulması için gerekli dosya bulunamadı!"));
        return false;
    }
    QDir().mkpath(ProgramHome::path(QStringLiteral("Data")));
    if (!copyTemplate(templ, companyFile(code))) {
        tell(QStringLiteral("Firma dosyası oluşturulamadı!"), MessageBox::Icon::Critical);
        return false;
    }
    return true;
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
    return ProgramHome::path(QStringLiteral("Data/") + code + QStringLiteral(".mdb"));
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

void openCompanyDatabase(const QString &code)
{
    DataContext &ctx = DataContext::instance();
    ctx.ADOConnection1.close();
    QDir::setCurrent(ProgramHome::dir());
    ctx.ADOConnection1.setConnectionString(DataContext::companyConnectionString(code));
    ctx.ADOConnection1.open();
    ctx.aktifSirketKodu = code;
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

bool dosyaac(Table &firma)
{
    const QString code = codeOf(firma);
    if (code.isEmpty()) {
        tell(QStringLiteral("Firma kodunu boş geçemezsiniz."), MessageBox::Icon::Question);
        return false;
    }
    if (firma.field(QStringLiteral("firma_unvani_1")).asString().trimmed().isEmpty()) {
        tell(QStringLiteral("Firma adını boş geçemezsiniz."), MessageBox::Icon::Question);
        return false;
    }
    // The code names files: a code from elsewhere (the login field) may hold anything.
    if (!isValidCode(code)) {
        tell(QStringLiteral("Firma kodu en çok 12 harf ve rakamdan oluşabilir."));
        return false;
    }
    if (!QFileInfo::exists(ProgramHome::path(kTemplateFile))) {
        tell(QStringLiteral("Firma oluşturulması için gerekli dosya bulunamadı!"));
        return false;
    }
    if (codeInUse(code)) {
        tell(QStringLiteral("Bu isimde kayıtlı firma mevcut!\n\rBu isimde firma oluşturmak için önce kayıtlı\n\rFirmayı silin"));
        return false;
    }
    if (!createDatabaseFile(code)) return false;
    try {
        firma.post();
    } catch (...) {
        QFile::remove(companyFile(code));  // no database without its registry entry
        throw;
    }
    openCompanyDatabase(code);
    copyToFirmabilgileri(firma);
    return true;
}

bool saveCompany(Table &firma)
{
    if (firma.isEmpty() && firma.state() != Dataset::State::Edit) return false;
    if (firma.field(QStringLiteral("firma_unvani_1")).asString().trimmed().isEmpty()) {
        tell(QStringLiteral("Firma adını boş geçemezsiniz."), MessageBox::Icon::Question);
        return false;
    }
    firma.post();
    const QString code = codeOf(firma);
    if (code.isEmpty() || !isValidCode(code)) {
        tell(QStringLiteral("Firma kodunu boş geçemezsiniz."), MessageBox::Icon::Question);
        return false;
    }
    if (!QFileInfo::exists(companyFile(code)) && !createDatabaseFile(code)) return false;
    openCompanyDatabase(code);
    copyToFirmabilgileri(firma);
    return true;
}

bool deleteCompany(Table &firma)
{
    if (!MessageBox::askYesNo(QStringLiteral("Firma silinecektir. Eminmisiniz?"))) return false;
    if (firma.state() == Dataset::State::Insert) {
        firma.cancel();
        return true;
    }
    firma.cancel();  // a pending edit of the record being deleted is dropped
    if (firma.isEmpty()) return false;
    return firmasil(firma);
}

bool firmasil(Table &firma)
{
    const QString code = codeOf(firma);
    if (code.isEmpty()) {
        firma.remove();
        return true;
    }
    const QString file = companyFile(code);
    if (QFileInfo::exists(file)) {
        if (MessageBox::askYesNo(QStringLiteral("Bu firmayı silmeniz halinde girmiş olduğunuz\n\rbilgiler de "
                                                "silinecektir. İşlemi kesmek istermisiniz?")))
            return false;
        if (!MessageBox::askYesNo(QStringLiteral("Bu işlem sonunda bu firma dosyalarına\n\rbir daha ulaşmanız "
                                                 "mümkün olmayacaktır. İşleme devam etmek istiyormusunuz?")))
            return false;
        // The open company's file is closed first, so nothing writes into a deleted file.
        DataContext &ctx = DataContext::instance();
        if (ctx.ADOConnection1.isOpen()
            && QFileInfo(ctx.ADOConnection1.filePath()).absoluteFilePath() == QFileInfo(file).absoluteFilePath()) {
            ctx.ADOConnection1.close();
            if (ctx.aktifSirketKodu == code) ctx.aktifSirketKodu.clear();
        }
        if (!QFile::remove(file)) {
            tell(QStringLiteral("Firma Silinemiyor!!!"), MessageBox::Icon::Critical);
            return false;
        }
    }
    // A registry entry whose database is missing is removed as well.
    firma.remove();
    return true;
}

} // namespace CompanyRegistry
