#include "app/backup_panel.h"

#include "app/backup_archives.h"
#include "app/backup_restore.h"
#include "app/backup_settings.h"
#include "app/company_registry.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/program_home.h"
#include "data/table.h"
#include "widgets/file_dialog.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/password_prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kBackupTitle = QStringLiteral("Brenvo Yedek");
const QString kRestoreTitle = QStringLiteral("Brenvo Çek Senet Takip Yedek");
const QString kFailed = QStringLiteral("Yedekleme işlemi başarısız oldu!\n\r");
const QString kRestoreQuestion = QStringLiteral(
    "Yedekten yükleme sonucu halihazırda mevcut bilgiler silinecek ve\n\ryedek alınan bilgiler yüklenecektir. "
    "Hali hazırda bilgilere bir daha\n\rulaşmanız mümkün olmayacaktır! İşleme devam edecekmisiniz?");
const QDate kInitialDate(2012, 1, 1);

QString homeFolder(const char *name) { return ProgramHome::path(QString::fromLatin1(name)); }

// A stored folder when it has at least 2 characters, else the next choice.
QString folderOr(const QString &stored, const QString &otherwise) { return stored.size() >= 2 ? stored : otherwise; }

QString inFolder(const QString &folder, const QString &name) { return QDir(folder).filePath(name); }

// The hourglass while archives are written or read (a large company takes seconds).
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

QString writeBusy(const QList<Backup::Archive> &archives, const QString &password = QString())
{
    BusyCursor busy;
    return Backup::writeArchives(archives, password);
}

// The codes of the registry, read apart from the shared table so its position stays.
QStringList registeredCodes()
{
    Table t(&DataContext::instance().ADOConnection2, QStringLiteral("firma"));
    t.open();
    QStringList codes;
    for (t.first(); !t.eof(); t.next()) codes.append(t.field(QStringLiteral("firma_kodu")).asString());
    return codes;
}

} // namespace

BackupPanel::BackupPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BackupPanel"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    JvXPButton8 = FormKit::button(this, "JvXPButton8", QStringLiteral("Tek Şirket Yedek Al"));
    JvXPButton1 = FormKit::button(this, "JvXPButton1", QStringLiteral("Tüm Şirketler Yedek Al"));
    JvXPButton7 = FormKit::button(this, "JvXPButton7", QStringLiteral("Tüm Şirketler Geri Yükle"));
    JvXPButton9 = FormKit::button(this, "JvXPButton9", QStringLiteral("Tek Şirket Geri Yükle"));
    for (QPushButton *b : {JvXPButton8, JvXPButton1, JvXPButton7, JvXPButton9}) outer->addWidget(b);

    auto *box = new QGroupBox(QStringLiteral("OTOMATİK YEDEK ALMA AYARLARI"), this);
    box->setObjectName(QStringLiteral("otoYedekPanel"));
    auto *grid = new QGridLayout(box);
    Edit1 = FormKit::lineEdit(box, "Edit1");
    Edit1->setMinimumWidth(260);
    JvXPButton5 = FormKit::button(box, "JvXPButton5", QStringLiteral("Otomatik Yedek Adresini Bul"));
    yedekgunEdit = FormKit::lineEdit(box, "yedekgunEdit", QStringLiteral("7"));
    yedekgunEdit->setMaxLength(3);
    yedekgunEdit->setAlignment(Qt::AlignRight);
    yedekgunEdit->setMaximumWidth(60);
    CheckBox1 = new QCheckBox(QStringLiteral("Otomatik Olarak Yedek Al"), box);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    DateTimePicker1 = new QDateEdit(kInitialDate, box);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateTimePicker1->setReadOnly(true);
    DateTimePicker1->setButtonSymbols(QAbstractSpinBox::NoButtons);
    JvXPButton6 = FormKit::button(box, "JvXPButton6", QStringLiteral("Oto.Yed.Ayarlarını Sakla"));

    grid->addWidget(new QLabel(QStringLiteral("Otomatik Yedeklenecek Yer"), box), 0, 0, 1, 3);
    grid->addWidget(Edit1, 1, 0, 1, 3);
    grid->addWidget(JvXPButton5, 2, 0, 1, 3);
    grid->addWidget(yedekgunEdit, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("Günde Bir Alınsın"), box), 3, 1, 1, 2);
    grid->addWidget(CheckBox1, 4, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Son Yedek Alınma Tarihi"), box), 5, 0, 1, 2);
    grid->addWidget(DateTimePicker1, 5, 2);
    grid->addWidget(JvXPButton6, 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    outer->addSpacing(8);
    outer->addWidget(box);

    KeyFilters::installDigitsOnly(yedekgunEdit);
    connect(JvXPButton5, &QPushButton::clicked, this, &BackupPanel::adresBul);
    connect(JvXPButton6, &QPushButton::clicked, this, &BackupPanel::ayarlariSakla);
    connect(JvXPButton8, &QPushButton::clicked, this, &BackupPanel::FirmannYedeiniAla1Click);
    connect(JvXPButton1, &QPushButton::clicked, this, &BackupPanel::TumunuYedekle);
    connect(JvXPButton7, &QPushButton::clicked, this, &BackupPanel::TumFirmalarGeriYukle);
    connect(JvXPButton9, &QPushButton::clicked, this, &BackupPanel::TekSiteGeriYukle);

    ayarlariYukle();
}

void BackupPanel::ayarlariYukle()
{
    const Backup::Settings s = Backup::loadSettings();
    Edit1->setText(s.folder);
    yedekgunEdit->setText(s.interval);
    CheckBox1->setChecked(s.automatic);
    if (s.lastDate.isValid()) DateTimePicker1->setDate(s.lastDate);
}

void BackupPanel::ayarlariSakla()
{
    QString error;
    if (!Backup::saveSettings(Edit1->text(), yedekgunEdit->text(), CheckBox1->isChecked(), &error))
        MessageBox::error(QStringLiteral("Yedekleme ayarları kaydedilemedi: ") + error);
}

void BackupPanel::adresBul()
{
    const QString start = folderOr(Backup::storedValue(Backup::kAutoSection, QStringLiteral("SonOtoYedek")), homeFolder("Yedek"));
    const QString chosen = FileDialog::folder(kBackupTitle, start, this);
    if (!chosen.isEmpty()) Edit1->setText(QDir::toNativeSeparators(QDir(chosen).absolutePath() + u'/'));
    ayarlariSakla();
}

void BackupPanel::FirmannYedeiniAla1Click()
{
    QString code;
    try {
        Table &firma = CompanyRegistry::firmaTable();
        if (firma.state() != Dataset::State::Browse) firma.cancel();
        if (!firma.isEmpty()) code = firma.field(QStringLiteral("firma_kodu")).asString();
        if (code.isEmpty()) {
            MessageBox::warning(QStringLiteral("Yedeği alınacak şirketi listeden seçin."));
            return;
        }
        const QString proposal = inFolder(homeFolder("Yedek"), Backup::companyArchiveProposal(code, Backup::now().date()));
        const QString chosen =
            FileDialog::saveFileNoOverwriteQuestion(kBackupTitle, proposal, QStringLiteral("Yedek (*.ydk)"), this);
        if (chosen.isEmpty()) return;
        if (!mayReplace({Backup::withExtension(chosen, QStringLiteral(".ydk"))})) return;
        const QStringList files = Backup::companyFiles(homeFolder("Data"), code, registeredCodes());
        if (files.isEmpty()) {
            MessageBox::warning(QStringLiteral("%1 şirketinin yedeklenecek dosyası bulunamadı.").arg(code));
            return;
        }
        const std::optional<QString> password = PasswordPrompt::askNew(kBackupTitle, this);
        if (!password) return;
        const QString archive = Backup::withExtension(chosen, QStringLiteral(".ydk"));
        const QString failure = writeBusy({{archive, files}}, *password);
        if (!failure.isEmpty()) {
            MessageBox::error(kFailed + failure);
            return;
        }
        MessageBox::information(QStringLiteral("%1 şirketinin yedekleme işlemi\n\rbaşarılı bir şekilde gerçekleştirildi.").arg(code));
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void BackupPanel::TumunuYedekle()
{
    const QString start = folderOr(Backup::storedValue(Backup::kAllSection, QStringLiteral("SonTumYedek")), homeFolder("Yedek"));
    const QString chosen = FileDialog::saveFileNoOverwriteQuestion(
        kBackupTitle, inFolder(start, Backup::allArchiveProposal(Backup::now().date())), QStringLiteral("Yedek (*.zip)"), this);
    if (chosen.isEmpty()) return;
    const QString archive = Backup::withExtension(chosen, QStringLiteral(".zip"));
    if (!mayReplace({archive, Backup::companionOf(archive)})) return;
    const QString failure = writeBusy(
        {{archive, Backup::databaseFiles(homeFolder("Data"))},
         {Backup::companionOf(archive), Backup::databaseFiles(homeFolder("AnaData"))}});
    if (!failure.isEmpty()) {
        MessageBox::error(kFailed + failure);
        return;
    }
    Backup::storeValue(Backup::kAllSection, QStringLiteral("SonTumYedek"),
                       QDir::toNativeSeparators(QFileInfo(archive).absolutePath()));
    MessageBox::show(MessageBox::kCaption,
                     QStringLiteral("Tüm firmaların yedekleme işlemi\n\rbaşarılı bir şekilde gerçekleştirildi."),
                     MessageBox::Icon::Information, MessageBox::Ok, this);
}

bool BackupPanel::otomatikYedekZamani() const
{
    return Backup::automaticDue(CheckBox1->isChecked(), DateTimePicker1->date(), yedekgunEdit->text(), Backup::now());
}

void BackupPanel::otomatikYedekGerekirseAl()
{
    if (otomatikYedekZamani()) TumunuYedekleOto();
}

void BackupPanel::TumunuYedekleOto()
{
    // The folder as stored, not the unsaved text of the edit, and not the folder
    // "Yedek" the settings' edit shows for a short one: a stored folder that is
    // not there says so.
    const QString folder = Backup::storedValue(Backup::kAutoSection, QStringLiteral("SonOtoYedek"));
    if (!QFileInfo(QDir::fromNativeSeparators(folder)).isDir()) {
        MessageBox::error(QStringLiteral("Otomatik yedekleme klasörü bulunamadığından\n\rotomatik yedekleme işlemi başarısız "
                                         "oldu!\n\rOtomatik yedekleme adresini kontrol edin."));
        return;
    }
    const QDate today = Backup::now().date();
    const QString archive = Backup::automaticArchive(QDir::fromNativeSeparators(folder), today);
    const QString failure = writeBusy(
        {{archive, Backup::databaseFiles(homeFolder("Data"))},
         {Backup::companionOf(archive), Backup::databaseFiles(homeFolder("AnaData"))}});
    if (!failure.isEmpty()) {
        MessageBox::error(kFailed + failure);
        return;
    }
    // The date is kept only once the archives are whole.
    QString error;
    if (!Backup::storeAutomaticDate(today, &error))
        MessageBox::error(QStringLiteral("Yedekleme ayarları kaydedilemedi: ") + error);
    DateTimePicker1->setDate(today);
}

void BackupPanel::TumFirmalarGeriYukle()
{
    const QString start =
        folderOr(Backup::storedValue(Backup::kAllSection, QStringLiteral("SonTumYedek")),
                 folderOr(Backup::storedValue(Backup::kAutoSection, QStringLiteral("SonOtoYedek")), homeFolder("Yedek")));
    geriYukle(QStringLiteral("Yedek (*.zip)"), start, true);
}

void BackupPanel::TekSiteGeriYukle() { geriYukle(QStringLiteral("Yedek (*.ydk *.zip)"), homeFolder("Yedek"), false); }

bool BackupPanel::mayReplace(const QStringList &archives)
{
    // Asked on the archive's final name, with its extension: the dialog saw the
    // name before ".zip" or ".ydk" was added.
    QStringList existing;
    for (const QString &a : archives)
        if (QFileInfo::exists(a)) existing << QFileInfo(a).fileName();
    if (existing.isEmpty()) return true;
    return MessageBox::show(MessageBox::kCaption,
                            existing.join(QStringLiteral(", ")) + QStringLiteral(" zaten var. Üzerine yazılsın mı?"),
                            MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, this)
           == MessageBox::Yes;
}

bool BackupPanel::confirmSetAside(const QStringList &files)
{
    if (files.isEmpty()) return true;
    QStringList names;
    for (const QString &f : files) names << QFileInfo(f).fileName();
    return MessageBox::show(MessageBox::kCaption,
                            QStringLiteral("Yedekte bulunmayan şu dosyalar silinmeden Yedek klasöründe "
                                           "\"GeriYuklemeOncesi\" ile başlayan tarihli bir klasöre alınacaktır:\n\r")
                                + names.join(QStringLiteral(", ")) + QStringLiteral("\n\rDevam edilsin mi?"),
                            MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, this)
           == MessageBox::Yes;
}

void BackupPanel::geriYukle(const QString &dialogFilter, const QString &startDir, bool allCompanies)
{
    if (MessageBox::show(MessageBox::kCaption, kRestoreQuestion, MessageBox::Icon::Warning, MessageBox::Yes | MessageBox::No,
                         this) != MessageBox::Yes)
        return;
    const QString archive = FileDialog::openFile(kRestoreTitle, startDir, dialogFilter, this);
    if (archive.isEmpty()) return;
    QList<Backup::RestorePart> parts{{archive, homeFolder("Data"), false}};
    if (allCompanies) parts.append({Backup::companionOf(archive), homeFolder("AnaData"), true});

    // Open tables may hold unsaved records of the files about to go.
    Table &firma = CompanyRegistry::firmaTable(false);
    if (firma.isActive() && firma.state() != Dataset::State::Browse) firma.cancel();

    // The hourglass is lifted while the password is asked.
    std::optional<BusyCursor> busy(std::in_place);
    const Backup::Staged staged = Backup::stageRestore(parts, [this, &busy] {
        busy.reset();
        const auto password = PasswordPrompt::ask(kRestoreTitle, QStringLiteral("Yedek Şifresi"), this);
        busy.emplace();
        return password;
    });
    if (!staged.ok) busy.reset();
    if (staged.cancelled) return;
    if (!staged.ok) {
        MessageBox::error(Backup::kRestoreRefused + staged.reason);
        return;
    }
    if (!confirmSetAside(staged.aside)) return;
    const Backup::Applied applied = Backup::applyRestore(staged, allCompanies);
    busy.reset();
    if (!applied.swapped) {
        MessageBox::error(Backup::kRestoreRefused + applied.message);
        return;
    }
    Q_EMIT slipsResetRequested();
    try {
        CompanyRegistry::firmaTable();
    } catch (const EngineError &) {
    }
    DataContext::instance().announce(
        {DataKind::Cheques, DataKind::Movements, DataKind::Cash, DataKind::Accounts, DataKind::Slips});
    Q_EMIT restored();
    if (!applied.message.isEmpty()) {
        MessageBox::error(applied.message);
        return;
    }
    MessageBox::information(QStringLiteral("Yedekten geri yükleme işlemi tamamlandı."));
}
