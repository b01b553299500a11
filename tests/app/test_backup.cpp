// Backups and restores: the settings of the company list, the due rule of the
// automatic backup, the archive names and contents, and restores that either
// replace the files whole or change nothing.
#include "app/backup_archives.h"
#include "app/backup_panel.h"
#include "app/backup_restore.h"
#include "app/backup_settings.h"
#include "app/company_registry.h"
#include "app/tgirisf.h"
#include "app/tgirisrf.h"
#include "app/uygulama.h"
#include "mainmenu/tfrmmain.h"
#include "received/tcekortf.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/ini_text.h"
#include "data/program_home.h"
#include "data/table.h"
#include "data/zip_archive.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/dataset_grid.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"
#include "widgets/password_prompt.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QDateEdit>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>
#include <sqlite3.h>
#include <zip.h>

namespace {

DataContext &ctx() { return DataContext::instance(); }

const QString kRefused = QStringLiteral("Yedekten geri yükleme yapılamadı; mevcut bilgileriniz değiştirilmedi.\n\r");
const QString kFailed = QStringLiteral("Yedekleme işlemi başarısız oldu!\n\r");
const QString kAllDone = QStringLiteral("Tüm firmaların yedekleme işlemi\n\rbaşarılı bir şekilde gerçekleştirildi.");
const QString kRestoreQuestion = QStringLiteral(
    "Yedekten yükleme sonucu halihazırda mevcut bilgiler silinecek ve\n\ryedek alınan bilgiler yüklenecektir. "
    "Hali hazırda bilgilere bir daha\n\rulaşmanız mümkün olmayacaktır! İşleme devam edecekmisiniz?");

void writeSettings(const QString &text)
{
    QFile f(ProgramHome::path(QStringLiteral("Yedekler.dan")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

QString setting(const QString &section, const QString &key)
{
    return IniText::load(ProgramHome::path(QStringLiteral("Yedekler.dan"))).value(section, key);
}

void click(QWidget *w, const char *name)
{
    auto *b = w->findChild<QPushButton *>(QLatin1String(name));
    if (!b) qFatal("no button %s", name);
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList shownTexts()
{
    QStringList out;
    for (const auto &s : MessageBox::shown()) out.append(s.text);
    return out;
}

// Entry name -> (compression method, encryption method).
QMap<QString, QPair<int, int>> entries(const QString &archive)
{
    QMap<QString, QPair<int, int>> out;
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
    if (!z) return out;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        out.insert(QString::fromUtf8(st.name), {int(st.comp_method), int(st.encryption_method)});
    }
    zip_discard(z);
    return out;
}

// An archive with entries named as given (names a backup of ours never has).
bool writeRawZip(const QString &path, const QList<QPair<QString, QByteArray>> &files, bool stored = false)
{
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) return false;
    static QList<QByteArray> keep;  // the library reads the buffers when it closes
    for (const auto &[name, bytes] : files) {
        keep.append(bytes);
        zip_source_t *src = zip_source_buffer(z, keep.last().constData(), zip_uint64_t(keep.last().size()), 0);
        const zip_int64_t i = zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
        if (i < 0) return false;
        if (stored) zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_STORE, 0);
    }
    return zip_close(z) == 0;
}

// Rewrites the uncompressed size every header of the archive declares (the local
// headers and the central directory), as a crafted archive may lie about it.
bool patchDeclaredSize(const QString &archive, quint32 size)
{
    QFile f(archive);
    if (!f.open(QIODevice::ReadWrite)) return false;
    QByteArray bytes = f.readAll();
    const auto put = [&](qsizetype at) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = char((size >> (8 * i)) & 0xff);
    };
    int patched = 0;
    for (qsizetype at = bytes.indexOf("PK\x03\x04"); at >= 0; at = bytes.indexOf("PK\x03\x04", at + 4), ++patched)
        put(at + 22);
    for (qsizetype at = bytes.indexOf("PK\x01\x02"); at >= 0; at = bytes.indexOf("PK\x01\x02", at + 4), ++patched)
        put(at + 24);
    f.seek(0);
    return patched == 2 && f.write(bytes) == bytes.size();
}

// Runs statements on a database file outside the program.
bool execOn(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK
              && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file of the home with its checksum, to see that nothing changed anywhere.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(QDir(dir).relativeFilePath(path), TestHome::checksum(path));
    }
    return out;
}

// The rows of a table in a file, read on a connection of its own.
qint64 rowsInFile(const QString &file, Schema::Kind kind, const QString &table)
{
    Connection c;
    c.setSchemaKind(kind);
    c.setConnectionString(ConnectionString::build(file));
    c.open();
    return TestHome::countRows(c, table);
}

void addCash(const QString &reason, double amount)
{
    TestHome::insertRow(ctx().kasaConnection, QStringLiteral("nakit"),
                        {{"neden", reason}, {"doviz_cinsi", "TL"}, {"borc_tutar", amount},
                         {"islem_tarihi", QDate(2024, 3, 1)}});
}

void registerCompany(const QString &code, const QString &title)
{
    TestHome::insertRow(ctx().ADOConnection2, QStringLiteral("firma"), {{"firma_kodu", code}, {"firma_unvani_1", title}});
}

// A company "A" open in 2024 with one cash row, registered.
void companyA(TestHome &home)
{
    home.openCompany(QStringLiteral("A"), 2024);
    registerCompany(QStringLiteral("A"), QStringLiteral("Alfa Ltd."));
    addCash(QStringLiteral("ilk"), 100);
}

struct Clock {
    explicit Clock(const QDateTime &t) { Backup::setClockForTests(t); }
    ~Clock() { Backup::setClockForTests({}); }
};

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void settingsShown_data();
    void settingsShown();
    void settingsSaved();
    void dueRule_data();
    void dueRule();
    void automaticBackupAtShutdown();
    void automaticBackupFolderMissing_data();
    void automaticBackupFolderMissing();
    void automaticBackupWhenTheProgramEnds();
    void names_data();
    void names();
    void companyFilesTaken_data();
    void companyFilesTaken();
    void companyBackupThroughList();
    void allCompaniesBackup();
    void secondBackupOfTheDayAsks_data();
    void secondBackupOfTheDayAsks();
    void failedWriteLeavesNoArchive();
    void entryMethods();
    void restoreAllRoundTrip();
    void restoreRefused_data();
    void restoreRefused();
    void restoreSingleEncrypted_data();
    void restoreSingleEncrypted();
    void restoreRegistersUnknownCompany();
    void restoreFromTheProgram();
    void olderArchiveSetsLaterFilesAside_data();
    void olderArchiveSetsLaterFilesAside();
    void restoreNameInOtherCase();
    void restoreNeedsFreeSpace();
    void extractStopsAtItsLimit();
    void screenshot();
};

void TestBackup::init()
{
    PasswordPrompt::setTestMode(true);
    Backup::setClockForTests({});
}

// ---------------------------------------------------------------- settings

void TestBackup::settingsShown_data()
{
    QTest::addColumn<QString>("file");  // "-" for no file
    QTest::addColumn<QString>("folder"); // "<Yedek>" for the home's folder
    QTest::addColumn<QString>("interval");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QDate>("date");
    const QDate initial(2012, 1, 1);
    const QString all = QStringLiteral("[OtoYedekler]\nSonOtoYedek=/yedek/yer/\nYedekGun=15\nYedekAl=1\n"
                                       "TarihOtoGun=5\nTarihOtoAy=3\nTarihOtoYil=2024\n");
    QTest::newRow("no file") << "-" << "<Yedek>" << "7" << false << initial;
    QTest::newRow("every value") << all << "/yedek/yer/" << "15" << true << QDate(2024, 3, 5);
    QTest::newRow("31 February") << "[OtoYedekler]\nTarihOtoGun=31\nTarihOtoAy=2\nTarihOtoYil=2024\n"
                                 << "<Yedek>" << "7" << false << initial;
    QTest::newRow("1970") << "[OtoYedekler]\nTarihOtoGun=1\nTarihOtoAy=1\nTarihOtoYil=1970\n" << "<Yedek>" << "7"
                          << false << initial;
    QTest::newRow("2050") << "[OtoYedekler]\nTarihOtoGun=1\nTarihOtoAy=1\nTarihOtoYil=2050\n" << "<Yedek>" << "7"
                          << false << initial;
    QTest::newRow("month 13") << "[OtoYedekler]\nTarihOtoGun=1\nTarihOtoAy=13\nTarihOtoYil=2024\n" << "<Yedek>" << "7"
                              << false << initial;
    QTest::newRow("29 February of a leap year") << "[OtoYedekler]\nTarihOtoGun=29\nTarihOtoAy=2\nTarihOtoYil=2024\n"
                                                << "<Yedek>" << "7" << false << QDate(2024, 2, 29);
    QTest::newRow("short folder, empty interval, switch 2")
        << "[OtoYedekler]\nSonOtoYedek=C:\nYedekGun=\nYedekAl=2\n" << "<Yedek>" << "7" << false << initial;
    QTest::newRow("interval kept as typed") << "[OtoYedekler]\nYedekGun=30\nYedekAl=evet\n" << "<Yedek>" << "30" << false
                                            << initial;
}

void TestBackup::settingsShown()
{
    QFETCH(QString, file);
    QFETCH(QString, folder);
    QFETCH(QString, interval);
    QFETCH(bool, automatic);
    QFETCH(QDate, date);
    TestHome home;
    if (file != QLatin1String("-")) writeSettings(file);
    BackupPanel p;
    if (folder == QLatin1String("<Yedek>")) folder = QDir::toNativeSeparators(home.path(QStringLiteral("Yedek/")));
    QCOMPARE(p.Edit1->text(), folder);
    QCOMPARE(p.yedekgunEdit->text(), interval);
    QCOMPARE(p.CheckBox1->isChecked(), automatic);
    QCOMPARE(p.DateTimePicker1->date(), date);
    QVERIFY(p.DateTimePicker1->isReadOnly());
    QCOMPARE(p.yedekgunEdit->maxLength(), 3);
    QVERIFY(p.yedekgunEdit->alignment() & Qt::AlignRight);
}

void TestBackup::settingsSaved()
{
    TestHome home;
    writeSettings(QStringLiteral("; kept\n[OtoYedekler]\nTarihOtoGun=5\n[Baska]\nx=1,5\n"));
    BackupPanel p;
    p.show();
    retype(p.Edit1, QStringLiteral("/bir/yer/"));
    retype(p.yedekgunEdit, QStringLiteral("12a"));  // digits only
    p.CheckBox1->setChecked(true);
    click(&p, "JvXPButton6");
    QCOMPARE(setting("OtoYedekler", "SonOtoYedek"), QStringLiteral("/bir/yer/"));
    QCOMPARE(setting("OtoYedekler", "YedekGun"), QStringLiteral("12"));
    QCOMPARE(setting("OtoYedekler", "YedekAl"), QStringLiteral("1"));
    QCOMPARE(setting("OtoYedekler", "TarihOtoGun"), QStringLiteral("5"));
    QCOMPARE(setting("Baska", "x"), QStringLiteral("1,5"));

    // The folder dialog: a chosen folder ends with a separator and is saved; a
    // cancelled dialog saves the settings as they stand.
    const QString chosen = home.path(QStringLiteral("Yedek"));
    FileDialog::queueFolder(chosen);
    p.CheckBox1->setChecked(false);
    click(&p, "JvXPButton5");
    QCOMPARE(FileDialog::calls().last().caption, QStringLiteral("Brenvo Yedek"));
    QCOMPARE(FileDialog::calls().last().dir, QStringLiteral("/bir/yer/"));
    QCOMPARE(p.Edit1->text(), chosen + u'/');
    QCOMPARE(setting("OtoYedekler", "SonOtoYedek"), chosen + u'/');
    QCOMPARE(setting("OtoYedekler", "YedekAl"), QStringLiteral("2"));
    p.CheckBox1->setChecked(true);
    click(&p, "JvXPButton5");
    QCOMPARE(p.Edit1->text(), chosen + u'/');
    QCOMPARE(setting("OtoYedekler", "YedekAl"), QStringLiteral("1"));
}

// ---------------------------------------------------------------- automatic backup

void TestBackup::dueRule_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("due");
    const auto at = [](int day, int h, int m) { return QDateTime(QDate(2024, 3, day), QTime(h, m)); };
    QTest::newRow("7 days, on the 7th late") << true << "7" << at(7, 23, 59) << false;
    QTest::newRow("7 days, the 8th at midnight") << true << "7" << at(8, 0, 0) << true;
    QTest::newRow("7 days, the 8th afternoon") << true << "7" << at(8, 15, 30) << true;
    QTest::newRow("7 days, weeks later") << true << "7" << at(30, 9, 0) << true;
    QTest::newRow("switched off") << false << "7" << at(30, 9, 0) << false;
    QTest::newRow("unreadable interval counts as 0") << true << "7x" << at(1, 0, 0) << true;
    QTest::newRow("empty interval counts as 0") << true << "" << at(1, 8, 0) << true;
    QTest::newRow("before the last backup") << true << "0" << QDateTime(QDate(2024, 2, 29), QTime(23, 0)) << false;
}

void TestBackup::dueRule()
{
    QFETCH(bool, on);
    QFETCH(QString, interval);
    QFETCH(QDateTime, now);
    QFETCH(bool, due);
    QCOMPARE(Backup::automaticDue(on, QDate(2024, 3, 1), interval, now), due);
}

void TestBackup::automaticBackupAtShutdown()
{
    TestHome home;
    companyA(home);
    const QString folder = home.path(QStringLiteral("Yedek/"));
    writeSettings(QStringLiteral("[OtoYedekler]\nSonOtoYedek=%1\nYedekGun=7\nYedekAl=1\nTarihOtoGun=1\nTarihOtoAy=3\n"
                                 "TarihOtoYil=2024\n")
                      .arg(folder));
    BackupPanel p;
    p.Edit1->setText(QStringLiteral("/kaydedilmemis/"));  // not saved: the stored folder counts
    ctx().closeAll();
    {
        Clock c(QDateTime(QDate(2024, 3, 7), QTime(23, 59)));
        p.otomatikYedekGerekirseAl();
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
    QCOMPARE(setting("OtoYedekler", "TarihOtoGun"), QStringLiteral("1"));
    {
        Clock c(QDateTime(QDate(2024, 3, 8), QTime(9, 15)));
        p.otomatikYedekGerekirseAl();
    }
    const QString archive = folder + QStringLiteral("BrenvoCari_2024_03_08.zip");
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             (QStringList{"BrenvoCari_2024_03_08.zip", "BrenvoCari_2024_03_08.zipGen"}));
    QCOMPARE(entries(archive).keys(), (QStringList{"A.mdb", "A2024K.mdb"}));
    QCOMPARE(entries(archive + "Gen").keys(), (QStringList{"CekFirmalar.mdb", "CekSenet.mdb", "Kasa.mdb"}));
    QCOMPARE(setting("OtoYedekler", "TarihOtoGun"), QStringLiteral("8"));
    QCOMPARE(setting("OtoYedekler", "TarihOtoAy"), QStringLiteral("3"));
    QCOMPARE(setting("OtoYedekler", "TarihOtoYil"), QStringLiteral("2024"));
    QCOMPARE(p.DateTimePicker1->date(), QDate(2024, 3, 8));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestBackup::automaticBackupWhenTheProgramEnds()
{
    TestHome home;
    // The folder as the settings' edit stores it (the folder "Yedek" of the home).
    writeSettings(QStringLiteral("[OtoYedekler]\nSonOtoYedek=%1\nYedekAl=1\nYedekGun=3\nTarihOtoGun=1\nTarihOtoAy=3\nTarihOtoYil=2024\n")
                      .arg(home.path(QStringLiteral("Yedek/"))));
    Uygulama app;
    Clock c(QDateTime(QDate(2024, 3, 4), QTime(8, 0)));
    app.girisF()->sormadanKapat = QStringLiteral("tamam");
    app.girisF()->close();
    QVERIFY(app.girisF()->programEnded());
    // The default folder; every connection was closed first.
    QCOMPARE(QDir(home.path("Yedek")).entryList(QDir::Files),
             (QStringList{"BrenvoCari_2024_03_04.zip", "BrenvoCari_2024_03_04.zipGen"}));
    QVERIFY(!ctx().ADOConnection2.isOpen() && !ctx().ADOConnection1.isOpen() && !ctx().kasaConnection.isOpen());
    QCOMPARE(setting("OtoYedekler", "TarihOtoGun"), QStringLiteral("4"));
}

void TestBackup::automaticBackupFolderMissing_data()
{
    QTest::addColumn<QString>("folder");  // "SonOtoYedek" as stored; "*" is a missing folder of the home
    QTest::newRow("missing folder") << "*";
    QTest::newRow("empty") << "";
    QTest::newRow("two characters") << "ab";
}

void TestBackup::automaticBackupFolderMissing()
{
    QFETCH(QString, folder);
    TestHome home;
    QVERIFY(QDir().mkpath(home.path("Yedek")));
    writeSettings(QStringLiteral("[OtoYedekler]\nSonOtoYedek=%1\nYedekAl=1\nTarihOtoGun=1\nTarihOtoAy=3\nTarihOtoYil=2024\n")
                      .arg(folder == "*" ? home.path(QStringLiteral("yok/")) : folder));
    BackupPanel p;
    const auto before = snapshot(home.dir());
    Clock c(QDateTime(QDate(2024, 4, 1), QTime(12, 0)));
    p.otomatikYedekGerekirseAl();
    QCOMPARE(shownTexts(), QStringList{QStringLiteral("Otomatik yedekleme klasörü bulunamadığından\n\rotomatik yedekleme "
                                                      "işlemi başarısız oldu!\n\rOtomatik yedekleme adresini kontrol edin.")});
    QCOMPARE(snapshot(home.dir()), before);
}

// ---------------------------------------------------------------- names and contents

void TestBackup::names_data()
{
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("expected");
    const QDate d(2024, 3, 5);
    QTest::newRow("one company") << Backup::companyArchiveProposal("A1", d) << "A120240305";
    QTest::newRow("all companies") << Backup::allArchiveProposal(d) << "BrenvoCekSenet_2024_03_05";
    QTest::newRow("automatic") << Backup::automaticArchive("/y/", d) << "/y/BrenvoCari_2024_03_05.zip";
    QTest::newRow("companion") << Backup::companionOf("/y/b.zip") << "/y/b.zipGen";
    QTest::newRow("no extension gets .zip") << Backup::withExtension("/y/b", ".zip") << "/y/b.zip";
    QTest::newRow("no extension gets .ydk") << Backup::withExtension("/y.d/A120240305", ".ydk") << "/y.d/A120240305.ydk";
    QTest::newRow("an extension stays") << Backup::withExtension("/y/b.yedek", ".zip") << "/y/b.yedek";
}

void TestBackup::names()
{
    QFETCH(QString, got);
    QFETCH(QString, expected);
    QCOMPARE(got, expected);
}

void TestBackup::companyFilesTaken_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("registered");
    QTest::addColumn<QStringList>("taken");
    QTest::newRow("A beside AB") << "A" << QStringList{"A", "AB"} << QStringList{"A.mdb", "A2023K.mdb", "A2024K.mdb"};
    QTest::newRow("AB") << "AB" << QStringList{"A", "AB"} << QStringList{"AB.mdb", "AB2024K.mdb"};
    QTest::newRow("lower-case code") << "ab" << QStringList{"A", "AB"} << QStringList{"AB.mdb", "AB2024K.mdb"};
    QTest::newRow("a company named like a cash file")
        << "A" << QStringList{"A", "A2023K"} << QStringList{"A.mdb", "A2024K.mdb"};
}

void TestBackup::companyFilesTaken()
{
    QFETCH(QString, code);
    QFETCH(QStringList, registered);
    QFETCH(QStringList, taken);
    QTemporaryDir dir;
    for (const char *name : {"A.mdb", "A2023K.mdb", "A2024K.mdb", "AB.mdb", "AB2024K.mdb", "A24K.mdb", "A2024K.mdb-journal",
                             "A.mdb.bak", "XA.mdb", "A20240K.mdb"}) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QStringList names;
    for (const QString &path : Backup::companyFiles(dir.path(), code, registered)) names.append(QFileInfo(path).fileName());
    QCOMPARE(names, taken);
}

void TestBackup::companyBackupThroughList()
{
    TestHome home;
    companyA(home);
    // A second company whose code begins with the first one's.
    QFile::copy(home.path("Data/A.mdb"), home.path("Data/AB.mdb"));
    QFile::copy(home.path("Data/A2024K.mdb"), home.path("Data/AB2024K.mdb"));
    registerCompany(QStringLiteral("AB"), QStringLiteral("Ab Ltd."));
    QTemporaryDir out;
    TgirisRF r;
    r.showList();
    QVERIFY(QTest::qWaitForWindowExposed(&r));
    r.grid()->setCurrentIndex(r.grid()->model()->index(0, 0));
    Clock c(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));

    // Empty and mismatched passwords are refused and asked again.
    FileDialog::queueFile(out.filePath(QStringLiteral("yedekA")));
    PasswordPrompt::queueTyped(QString(), QString());
    PasswordPrompt::queueTyped(QStringLiteral("gizli"), QStringLiteral("gizl1"));
    PasswordPrompt::queueTyped(QStringLiteral("gizli"), QStringLiteral("gizli"));
    click(&r, "JvXPButton8");
    QCOMPARE(FileDialog::calls().size(), 1);
    QCOMPARE(FileDialog::calls()[0].kind, FileDialog::Kind::Save);
    QCOMPARE(FileDialog::calls()[0].dir, home.path(QStringLiteral("Yedek/A20240305")));
    QCOMPARE(FileDialog::calls()[0].filter, QStringLiteral("Yedek (*.ydk)"));
    QCOMPARE(PasswordPrompt::refusals(),
             (QStringList{"Şifre boş olamaz.", "Girilen iki şifre birbirini tutmuyor."}));
    const QString archive = out.filePath(QStringLiteral("yedekA.ydk"));
    const auto got = entries(archive);
    QCOMPARE(got.keys(), (QStringList{"A.mdb", "A2024K.mdb"}));
    for (const auto &methods : got) QCOMPARE(methods, qMakePair(int(ZIP_CM_DEFLATE), int(ZIP_EM_AES_256)));
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown()[0].icon, MessageBox::Icon::Information);

    // The pop-up item takes the same backup; a cancelled password writes nothing.
    FileDialog::queueFile(out.filePath(QStringLiteral("ikinci.ydk")));
    QAction *item = r.findChild<QAction *>(QStringLiteral("FirmannYedeiniAla1"));
    QVERIFY(r.popupMenu()->actions().contains(item));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("Firmanın Yedeğini Al"));
    QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Y));
    item->trigger();
    QCOMPARE(FileDialog::calls().size(), 2);
    QVERIFY(!QFile::exists(out.filePath(QStringLiteral("ikinci.ydk"))));
}

void TestBackup::allCompaniesBackup()
{
    TestHome home;
    companyA(home);
    QTemporaryDir out;
    BackupPanel p;
    Clock c(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    FileDialog::queueFile(out.filePath(QStringLiteral("tum")));
    click(&p, "JvXPButton1");
    QCOMPARE(FileDialog::calls()[0].caption, QStringLiteral("Brenvo Yedek"));
    QCOMPARE(FileDialog::calls()[0].dir, home.path(QStringLiteral("Yedek/BrenvoCekSenet_2024_03_05")));
    QCOMPARE(FileDialog::calls()[0].filter, QStringLiteral("Yedek (*.zip)"));
    QCOMPARE(shownTexts(), QStringList{kAllDone});
    QCOMPARE(entries(out.filePath("tum.zip")).keys(), (QStringList{"A.mdb", "A2024K.mdb"}));
    QCOMPARE(entries(out.filePath("tum.zipGen")).keys(), (QStringList{"CekFirmalar.mdb", "CekSenet.mdb", "Kasa.mdb"}));
    QCOMPARE(setting("TumYedekler", "SonTumYedek"), out.path());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), (QStringList{"tum.zip", "tum.zipGen"}));

    // The next backup starts in that folder.
    click(&p, "JvXPButton1");
    QCOMPARE(FileDialog::calls()[1].dir, out.filePath(QStringLiteral("BrenvoCekSenet_2024_03_05")));

    // A folder that cannot take the archive: the library's message, no success, no folder kept.
    MessageBox::clearShown();
    FileDialog::queueFile(home.path(QStringLiteral("yok/tum.zip")));
    click(&p, "JvXPButton1");
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(MessageBox::shown()[0].text.startsWith(kFailed));
    QVERIFY(MessageBox::shown()[0].text.size() > kFailed.size());
    QCOMPARE(setting("TumYedekler", "SonTumYedek"), out.path());
}

void TestBackup::secondBackupOfTheDayAsks_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");  // the name typed in the dialog, without its extension
    QTest::addColumn<QString>("file");   // the archive already there
    QTest::addColumn<int>("answer");
    QTest::newRow("company, kept") << "JvXPButton8" << "yedekA" << "yedekA.ydk" << int(MessageBox::No);
    QTest::newRow("company, replaced") << "JvXPButton8" << "yedekA" << "yedekA.ydk" << int(MessageBox::Yes);
    QTest::newRow("all, kept") << "JvXPButton1" << "tum" << "tum.zip" << int(MessageBox::No);
    QTest::newRow("all, replaced") << "JvXPButton1" << "tum" << "tum.zip" << int(MessageBox::Yes);
    QTest::newRow("all, companion there") << "JvXPButton1" << "tum" << "tum.zipGen" << int(MessageBox::No);
}

void TestBackup::secondBackupOfTheDayAsks()
{
    QFETCH(QString, button);
    QFETCH(QString, typed);
    QFETCH(QString, file);
    QFETCH(int, answer);
    TestHome home;
    companyA(home);
    QTemporaryDir out;
    {
        QFile f(out.filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ilk yedek");
    }
    BackupPanel p;
    MessageBox::clearShown();
    FileDialog::queueFile(out.filePath(typed));
    MessageBox::queueAnswer(answer);
    PasswordPrompt::queueTyped(QStringLiteral("gizli"), QStringLiteral("gizli"));
    click(&p, button.toLatin1().constData());
    QVERIFY(!MessageBox::shown().isEmpty());
    QCOMPARE(MessageBox::shown()[0].text, file + " zaten var. Üzerine yazılsın mı?");
    QCOMPARE(bytesOf(out.filePath(file)) == "ilk yedek", answer == MessageBox::No);
    if (answer == MessageBox::No) QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{file});
}

void TestBackup::failedWriteLeavesNoArchive()
{
    QTemporaryDir dir;
    const QString a = dir.filePath("yedek.zip"), b = dir.filePath("yedek.zipGen"), data = dir.filePath("x.mdb");
    QFile f(data);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("veri");
    f.close();
    QFile old(a);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("eski yedek");
    old.close();
    // The companion's file is gone by the time it is written.
    const QString failure = Backup::writeArchives({{a, {data}}, {b, {dir.filePath("yok.mdb")}}});
    QVERIFY(!failure.isEmpty());
    QCOMPARE(bytesOf(a), QByteArray("eski yedek"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"x.mdb", "yedek.zip"}));
}

void TestBackup::entryMethods()
{
    QTemporaryDir dir;
    QStringList files;
    for (const char *name : {"a.mdb", "b.png", "c.GZ", "d.jar", "e.txt"}) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4000, 'k'));
        files.append(f.fileName());
    }
    const QString archive = dir.filePath("m.zip");
    QCOMPARE(Backup::writeArchives({{archive, files}}), QString());
    const QMap<QString, QPair<int, int>> expected{{"a.mdb", {ZIP_CM_DEFLATE, ZIP_EM_NONE}},
                                                   {"b.png", {ZIP_CM_STORE, ZIP_EM_NONE}},
                                                   {"c.GZ", {ZIP_CM_STORE, ZIP_EM_NONE}},
                                                   {"d.jar", {ZIP_CM_STORE, ZIP_EM_NONE}},
                                                   {"e.txt", {ZIP_CM_DEFLATE, ZIP_EM_NONE}}};
    QCOMPARE(entries(archive), expected);
    // An archive of no files is still an archive.
    QCOMPARE(Backup::writeArchives({{dir.filePath("bos.zip"), {}}}), QString());
    ZipReader empty(dir.filePath("bos.zip"));
    QVERIFY(empty.isOpen());
    QCOMPARE(empty.count(), 0);
}

// ---------------------------------------------------------------- restores

void TestBackup::restoreAllRoundTrip()
{
    TestHome home;
    companyA(home);
    QTemporaryDir out;
    TgirisRF r;
    r.showList();
    BackupPanel &p = *r.backup();
    FileDialog::queueFile(out.filePath(QStringLiteral("tum.zip")));
    p.TumunuYedekle();
    QMap<QString, QByteArray> backedUp;
    for (const QString &f : {"Data/A.mdb", "Data/A2024K.mdb", "AnaData/CekFirmalar.mdb", "AnaData/CekSenet.mdb", "AnaData/Kasa.mdb"})
        backedUp.insert(f, TestHome::checksum(home.path(f)));

    // Later work, and a journal left beside the company file by a crash.
    addCash(QStringLiteral("sonra"), 50);
    registerCompany(QStringLiteral("Z"), QStringLiteral("Zeta"));
    CompanyRegistry::firmaTable().refresh();
    QCOMPARE(r.grid()->model()->rowCount(), 2);
    QFile journal(home.path("Data/A2024K.mdb-journal"));
    QVERIFY(journal.open(QIODevice::WriteOnly));
    journal.write(QByteArray(512, 'j'));
    journal.close();

    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::Yes);
    FileDialog::queueFile(out.filePath(QStringLiteral("tum.zip")));
    click(&p, "JvXPButton7");
    QCOMPARE(MessageBox::shown()[0].text, kRestoreQuestion);
    QCOMPARE(MessageBox::shown()[0].icon, MessageBox::Icon::Warning);
    QCOMPARE(FileDialog::calls().last().caption, QStringLiteral("Brenvo Çek Senet Takip Yedek"));
    QCOMPARE(FileDialog::calls().last().filter, QStringLiteral("Yedek (*.zip)"));
    QCOMPARE(FileDialog::calls().last().dir, out.path());  // the folder of the last backup of all
    QCOMPARE(MessageBox::shown().last().icon, MessageBox::Icon::Information);
    for (auto it = backedUp.cbegin(); it != backedUp.cend(); ++it)
        QVERIFY2(TestHome::checksum(home.path(it.key())) == it.value(), qPrintable(it.key()));
    QVERIFY(!QFile::exists(home.path("Data/A2024K.mdb-journal")));
    QCOMPARE(QDir(home.dir()).entryList({"GeriYukleme-*"}, QDir::AllEntries | QDir::Hidden), QStringList());

    // The connections are open on the restored files: a write lands in them.
    QVERIFY(ctx().kasaConnection.isOpen() && ctx().ADOConnection1.isOpen() && ctx().ADOConnection2.isOpen());
    addCash(QStringLiteral("geri yüklemeden sonra"), 10);
    QCOMPARE(rowsInFile(home.path("Data/A2024K.mdb"), Schema::Kind::Cash, "nakit"), 2);
    QCOMPARE(rowsInFile(home.path("AnaData/CekFirmalar.mdb"), Schema::Kind::Registry, "firma"), 1);
    // The list shows the restored registry.
    QCOMPARE(r.grid()->model()->rowCount(), 1);
}

void TestBackup::restoreRefused_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("reason");
    QTest::newRow("parent folder") << "../A.mdb" << false << "'../A.mdb' kaydı bir veritabanı dosya adı değil.";
    QTest::newRow("sub folder") << "Data/A.mdb" << false << "'Data/A.mdb' kaydı bir veritabanı dosya adı değil.";
    QTest::newRow("backslash") << "..\\A.mdb" << false << "'..\\A.mdb' kaydı bir veritabanı dosya adı değil.";
    QTest::newRow("absolute") << "/tmp/A.mdb" << false << "'/tmp/A.mdb' kaydı bir veritabanı dosya adı değil.";
    QTest::newRow("other type") << "A.txt" << false << "'A.txt' kaydı bir veritabanı dosya adı değil.";
    QTest::newRow("bad CRC") << "crc" << false << "'A2024K.mdb' kaydı bozuk";
    QTest::newRow("no zip") << "garbage zip" << false << "okunamadı";
    QTest::newRow("text, not a database") << "text" << false << "'A2024K.mdb':";
    QTest::newRow("foreign database") << "foreign" << false << "'A2024K.mdb':";
    QTest::newRow("damaged database") << "truncated" << false << "'A2024K.mdb':";
    QTest::newRow("companion missing") << "no companion" << true << "tum.zipGen' yedek dosyası bulunamadı.";
    QTest::newRow("companion without registry") << "companion without registry" << true
                                                << "şirket listesi (CekFirmalar.mdb) yok.";
    QTest::newRow("trigger rewriting cash amounts") << "trigger" << false
                                                    << "'A2024K.mdb': Dosyada programın tanımadığı nesneler var (tetikleyici on";
    QTest::newRow("view") << "view" << false << "'A2024K.mdb': Dosyada programın tanımadığı nesneler var (görünüm v";
    QTest::newRow("table of another program") << "table" << false
                                              << "'A2024K.mdb': Dosyada programın tanımadığı nesneler var (tablo baska)";
    QTest::newRow("empty archive") << "empty" << false << "'tum.zip' içinde geri yüklenecek bir dosya yok; hiçbir dosya geri yüklenmedi.";
    QTest::newRow("declared size past the cap") << "declared 2 GiB" << false
                                                << "'A2024K.mdb' kaydı açıldığında 2,0 GB tutuyor; bir veritabanı dosyası en çok 1,0 GB olabilir.";
    QTest::newRow("grows past its declared size") << "lying size" << false
                                                  << "'A2024K.mdb' kaydı bildirdiği büyüklükten (4 bayt) uzun";
    QTest::newRow("wrong password, AES") << "aes" << false << "Girilen şifre yanlış.";
    QTest::newRow("wrong password, old cipher") << "old cipher" << false << "Girilen şifre yanlış";
}

void TestBackup::restoreRefused()
{
    QFETCH(QString, fixture);
    QFETCH(bool, all);
    QFETCH(QString, reason);
    TestHome home;
    companyA(home);
    QTemporaryDir out;
    const QString archive = out.filePath(QStringLiteral("tum.zip"));
    const QByteArray company = bytesOf(home.path("Data/A.mdb"));
    const QByteArray cash = bytesOf(home.path("Data/A2024K.mdb"));
    const QString spoilt = out.filePath(QStringLiteral("A2024K.mdb"));
    const auto spoil = [&](const QString &how) {
        QFile::copy(home.path("Data/A2024K.mdb"), spoilt);
        QVERIFY(TestHome::spoilFile(spoilt, how));
        QVERIFY(writeRawZip(archive, {{"A2024K.mdb", bytesOf(spoilt)}}));
    };
    const QString companion = Backup::companionOf(archive);
    const auto goodCompanion = [&] {
        QCOMPARE(Backup::writeArchives({{companion, Backup::databaseFiles(home.path("AnaData"))}}), QString());
    };

    if (fixture.endsWith(QLatin1String(".mdb")) || fixture == QLatin1String("A.txt")) {
        QVERIFY(writeRawZip(archive, {{"A.mdb", company}, {fixture, company}}));
    } else if (fixture == QLatin1String("crc")) {
        QVERIFY(writeRawZip(archive, {{"A2024K.mdb", cash}}, true));
        QFile f(archive);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(30 + 10 + 2000);  // inside the stored bytes
        char c = 0;
        f.getChar(&c);
        f.seek(30 + 10 + 2000);
        f.putChar(char(c ^ 0x5a));
    } else if (fixture == QLatin1String("trigger") || fixture == QLatin1String("view") || fixture == QLatin1String("table")) {
        QVERIFY(QFile::copy(home.path("Data/A2024K.mdb"), spoilt));
        const char *sql = fixture == QLatin1String("trigger")
                              ? "CREATE TRIGGER on_kat AFTER INSERT ON nakit BEGIN "
                                "UPDATE nakit SET borc_tutar = borc_tutar * 10 WHERE rowid = new.rowid; END"
                          : fixture == QLatin1String("view") ? "CREATE VIEW v AS SELECT * FROM nakit"
                                                             : "CREATE TABLE baska(x)";
        QVERIFY(execOn(spoilt, sql));
        QVERIFY(writeRawZip(archive, {{"A2024K.mdb", bytesOf(spoilt)}}));
    } else if (fixture == QLatin1String("empty")) {
        QCOMPARE(Backup::writeArchives({{archive, {}}}), QString());
    } else if (fixture == QLatin1String("declared 2 GiB") || fixture == QLatin1String("lying size")) {
        // A few kilobytes of zeros that declare 2 GiB, or 8 MiB that declare 4 bytes.
        QVERIFY(writeRawZip(archive, {{"A2024K.mdb", QByteArray(8 << 20, '\0')}}));
        QVERIFY(patchDeclaredSize(archive, fixture == QLatin1String("lying size") ? 4u : 0x80000000u));
        QVERIFY(QFileInfo(archive).size() < 64 * 1024);
    } else if (fixture == QLatin1String("garbage zip")) {
        QFile f(archive);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PK\x03\x04 bu bir zip dosyası değil");
    } else if (fixture == QLatin1String("text")) {
        QVERIFY(writeRawZip(archive, {{"A2024K.mdb", QByteArray("metin, veritabanı değil\n").repeated(100)}}));
    } else if (fixture == QLatin1String("foreign") || fixture == QLatin1String("truncated")) {
        spoil(fixture);
    } else if (fixture == QLatin1String("no companion")) {
        QCOMPARE(Backup::writeArchives({{archive, {home.path("Data/A.mdb")}}}), QString());
    } else if (fixture == QLatin1String("companion without registry")) {
        QCOMPARE(Backup::writeArchives({{archive, {home.path("Data/A.mdb")}},
                                        {companion, {home.path("AnaData/Kasa.mdb"), home.path("AnaData/CekSenet.mdb")}}}),
                 QString());
    } else if (fixture == QLatin1String("aes")) {
        QCOMPARE(Backup::writeArchives({{archive, {home.path("Data/A.mdb")}}}, QStringLiteral("dogru")), QString());
        PasswordPrompt::queueTyped(QStringLiteral("yanlis"));
    } else if (fixture == QLatin1String("old cipher")) {
        const QString zip = QStandardPaths::findExecutable(QStringLiteral("zip"));
        if (zip.isEmpty()) QSKIP("the zip program is not installed");
        QCOMPARE(QProcess::execute(zip, {"-q", "-j", "-P", "dogru", archive, home.path("Data/A.mdb")}), 0);
        PasswordPrompt::queueTyped(QStringLiteral("yanlis"));
    }
    if (all && fixture != QLatin1String("no companion") && !QFile::exists(companion)) goodCompanion();

    const auto before = snapshot(home.dir());
    BackupPanel p;
    MessageBox::queueAnswer(MessageBox::Yes);
    FileDialog::queueFile(archive);
    if (all) p.TumFirmalarGeriYukle();
    else p.TekSiteGeriYukle();

    QCOMPARE(MessageBox::shown().size(), 2);
    const QString text = MessageBox::shown()[1].text;
    QVERIFY2(text.startsWith(kRefused) && text.contains(reason), qPrintable(text));
    QCOMPARE(MessageBox::shown()[1].icon, MessageBox::Icon::Critical);
    QCOMPARE(snapshot(home.dir()), before);
    // The open company works on, on its own files.
    QVERIFY(ctx().kasaConnection.isOpen());
    addCash(QStringLiteral("sonra"), 5);
    QCOMPARE(rowsInFile(home.path("Data/A2024K.mdb"), Schema::Kind::Cash, "nakit"), 2);
}

void TestBackup::restoreSingleEncrypted_data()
{
    QTest::addColumn<bool>("oldCipher");
    QTest::newRow("AES-256, our own backup") << false;
    QTest::newRow("old zip cipher") << true;
}

void TestBackup::restoreSingleEncrypted()
{
    QFETCH(bool, oldCipher);
    TestHome home;
    companyA(home);
    QTemporaryDir out;
    const QString archive = out.filePath(QStringLiteral("A.ydk"));
    const QStringList files{home.path("Data/A.mdb"), home.path("Data/A2024K.mdb")};
    if (oldCipher) {
        const QString zip = QStandardPaths::findExecutable(QStringLiteral("zip"));
        if (zip.isEmpty()) QSKIP("the zip program is not installed");
        QCOMPARE(QProcess::execute(zip, QStringList{"-q", "-j", "-P", "dogru", archive} + files), 0);
    } else {
        QCOMPARE(Backup::writeArchives({{archive, files}}, QStringLiteral("dogru")), QString());
    }
    const QByteArray cashAtBackup = TestHome::checksum(home.path("Data/A2024K.mdb"));
    addCash(QStringLiteral("sonra"), 50);

    BackupPanel p;
    MessageBox::queueAnswer(MessageBox::Yes);
    FileDialog::queueFile(archive);
    PasswordPrompt::queueTyped(QString());  // refused, asked again
    PasswordPrompt::queueTyped(QStringLiteral("dogru"));
    click(&p, "JvXPButton9");
    QCOMPARE(FileDialog::calls().last().filter, QStringLiteral("Yedek (*.ydk *.zip)"));
    QCOMPARE(FileDialog::calls().last().dir, home.path(QStringLiteral("Yedek")));
    QCOMPARE(PasswordPrompt::refusals(), QStringList{"Şifre boş olamaz."});
    QCOMPARE(MessageBox::shown().last().icon, MessageBox::Icon::Information);
    QCOMPARE(TestHome::checksum(home.path("Data/A2024K.mdb")), cashAtBackup);
    // The cash connection was closed before its file was replaced, and is on the restored one.
    addCash(QStringLiteral("geri yüklemeden sonra"), 10);
    QCOMPARE(rowsInFile(home.path("Data/A2024K.mdb"), Schema::Kind::Cash, "nakit"), 2);

    // A cancelled password question restores nothing and says nothing.
    const auto before = snapshot(home.dir());
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::Yes);
    FileDialog::queueFile(archive);
    click(&p, "JvXPButton9");
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(snapshot(home.dir()), before);
}

void TestBackup::restoreRegistersUnknownCompany()
{
    TestHome home;
    companyA(home);
    // Company Z of another installation: its own record names it.
    QTemporaryDir out;
    const QString z = out.filePath(QStringLiteral("Z.mdb"));
    QVERIFY(QFile::copy(home.path("CekSenet.mdb"), z));
    QFile(z).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    {
        Connection c;
        c.setSchemaKind(Schema::Kind::Company);
        c.setConnectionString(ConnectionString::build(z));
        c.open();
        TestHome::insertRow(c, QStringLiteral("firmabilgileri"),
                            {{"firma_kodu", "Z"}, {"firma_unvani_1", "Zeta Gıda A.Ş."}, {"vergi_no", "1234567890"}});
    }
    const QString archive = out.filePath(QStringLiteral("z.zip"));
    QCOMPARE(Backup::writeArchives({{archive, {z}}}), QString());

    TgirisRF r;
    r.showList();
    QVERIFY(QTest::qWaitForWindowExposed(&r));
    QCOMPARE(r.grid()->model()->rowCount(), 1);
    MessageBox::queueAnswer(MessageBox::Yes);
    FileDialog::queueFile(archive);
    r.backup()->TekSiteGeriYukle();
    QCOMPARE(MessageBox::shown().last().icon, MessageBox::Icon::Information);
    QVERIFY(QFile::exists(home.path("Data/Z.mdb")));
    QCOMPARE(r.grid()->model()->rowCount(), 2);
    Table t(&ctx().ADOConnection2, QStringLiteral("firma"));
    t.open();
    QVERIFY(t.locate(QStringLiteral("firma_kodu"), QStringLiteral("Z")));
    QCOMPARE(t.field(QStringLiteral("firma_unvani_1")).asString(), QStringLiteral("Zeta Gıda A.Ş."));
    QCOMPARE(t.field(QStringLiteral("vergi_no")).asString(), QStringLiteral("1234567890"));
}

void TestBackup::restoreFromTheProgram()
{
    TestHome home;
    Uygulama app;
    companyA(home);
    QTemporaryDir out;
    const QString archive = out.filePath(QStringLiteral("A.zip"));
    QCOMPARE(Backup::writeArchives({{archive, {home.path("Data/A.mdb"), home.path("Data/A2024K.mdb")}}}), QString());
    // Both backup items of the main menu show the company list with its backup panel.
    for (const char *item : {"Yedekleme İşlemleri", "Yedekten Geri Al"}) {
        app.girisRF()->hide();
        QAction *a = app.frmMain()->menuItem(QString::fromUtf8(item));
        QVERIFY(a && a->isEnabled());
        a->trigger();
        QVERIFY(app.girisRF()->isVisible());
    }
    // A slip typed before the restore points into rows that are gone: it is emptied.
    app.cekortF()->girisDegisti = true;
    MessageBox::queueAnswer(MessageBox::Yes);
    FileDialog::queueFile(archive);
    click(app.girisRF(), "JvXPButton9");
    QCOMPARE(MessageBox::shown().last().icon, MessageBox::Icon::Information);
    QVERIFY(!app.cekortF()->girisDegisti);
}

void TestBackup::olderArchiveSetsLaterFilesAside_data()
{
    QTest::addColumn<int>("answer");  // to the question about the files set aside
    QTest::newRow("set aside") << int(MessageBox::Yes);
    QTest::newRow("kept, nothing restored") << int(MessageBox::No);
}

void TestBackup::olderArchiveSetsLaterFilesAside()
{
    QFETCH(int, answer);
    TestHome home;
    companyA(home);
    QTemporaryDir out;
    const QString archive = out.filePath(QStringLiteral("A.ydk"));
    QCOMPARE(Backup::writeArchives({{archive, {home.path("Data/A.mdb"), home.path("Data/A2024K.mdb")}}}), QString());
    // After the backup: three slips and a year 2025 whose movements point at them;
    // company AB's file of 2025 is no file of A.
    for (int i = 0; i < 3; ++i) TestHome::insertRow(ctx().ADOConnection1, "cekbordro", {{"islem_tarihi", QDate(2025, 1, 2)}});
    QVERIFY(ensureCashFile("A", 2025));
    QVERIFY(ensureCashFile("AB", 2025));
    const auto before = snapshot(home.dir());

    BackupPanel p;
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::Yes);
    FileDialog::queueFile(archive);
    MessageBox::queueAnswer(answer);
    click(&p, "JvXPButton9");
    QCOMPARE(MessageBox::shown().size(), answer == MessageBox::Yes ? 3 : 2);
    QVERIFY(MessageBox::shown()[1].text.contains("A2025K.mdb"));
    QVERIFY(!MessageBox::shown()[1].text.contains("AB2025K.mdb"));
    if (answer == MessageBox::No) {
        QCOMPARE(snapshot(home.dir()), before);
        return;
    }
    QCOMPARE(MessageBox::shown().last().icon, MessageBox::Icon::Information);
    QVERIFY(!QFileInfo::exists(home.path("Data/A2025K.mdb")));
    QVERIFY(QFileInfo::exists(home.path("Data/AB2025K.mdb")));
    const QStringList aside = QDir(home.path("Yedek")).entryList({"GeriYuklemeOncesi-*"}, QDir::Dirs);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(QDir(home.path("Yedek/" + aside[0])).entryList(QDir::Files), QStringList{"A2025K.mdb"});
    QCOMPARE(rowsInFile(home.path("Data/A.mdb"), Schema::Kind::Company, "cekbordro"), 0);
    // The next slip takes a number never handed out before.
    const qint64 next = TestHome::insertRow(ctx().ADOConnection1, "cekbordro", {{"islem_tarihi", QDate(2025, 1, 3)}});
    QCOMPARE(next, 4);
}

// An entry named like the company's file in other letter case restores that file:
// no second file beside it that the program would never open.
void TestBackup::restoreNameInOtherCase()
{
    TestHome home;
    companyA(home);
    QTemporaryDir out;
    const QString archive = out.filePath(QStringLiteral("A.zip"));
    const QString copy = out.filePath(QStringLiteral("A2024K.mdb"));
    QVERIFY(QFile::copy(home.path("Data/A2024K.mdb"), copy));
    QVERIFY(execOn(copy, "INSERT INTO nakit(neden, doviz_cinsi, borc_tutar) VALUES ('yedekteki', 'TL', 7)"));
    QVERIFY(writeRawZip(archive, {{"a2024k.MDB", bytesOf(copy)}}));
    const QStringList before = QDir(home.path("Data")).entryList(QDir::Files);

    BackupPanel p;
    MessageBox::queueAnswer(MessageBox::Yes);
    FileDialog::queueFile(archive);
    p.TekSiteGeriYukle();
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Yedekten geri yükleme işlemi tamamlandı."));
    QCOMPARE(QDir(home.path("Data")).entryList(QDir::Files), before);
    QCOMPARE(TestHome::checksum(home.path("Data/A2024K.mdb")), TestHome::checksum(copy));
    QCOMPARE(rowsInFile(home.path("Data/A2024K.mdb"), Schema::Kind::Cash, "nakit"), 2);
}

// The declared sizes must fit on the disk with room to spare; checked before
// anything is written.
void TestBackup::restoreNeedsFreeSpace()
{
    TestHome home;
    companyA(home);
    QTemporaryDir out;
    const QString archive = out.filePath(QStringLiteral("A.zip"));
    QCOMPARE(Backup::writeArchives({{archive, {home.path("Data/A.mdb"), home.path("Data/A2024K.mdb")}}}), QString());
    const qint64 declared = QFileInfo(home.path("Data/A.mdb")).size() + QFileInfo(home.path("Data/A2024K.mdb")).size();
    const auto before = snapshot(home.dir());
    Backup::RestoreLimits limits;
    limits.reserve = 1000;
    QString asked;
    limits.freeBytes = [&](const QString &folder) {
        asked = folder;
        return declared + 999;
    };
    Backup::Staged staged = Backup::stageRestore({{archive, home.path("Data"), false}}, {}, limits);
    QVERIFY(!staged.ok);
    QVERIFY2(staged.reason.startsWith(QStringLiteral("Diskte yeterli boş yer yok")), qPrintable(staged.reason));
    QVERIFY(asked.startsWith(home.dir()));
    staged = {};
    QCOMPARE(snapshot(home.dir()), before);

    limits.freeBytes = [&](const QString &) { return declared + 1000; };
    staged = Backup::stageRestore({{archive, home.path("Data"), false}}, {}, limits);
    QVERIFY2(staged.ok, qPrintable(staged.reason));
}

// An entry writes at most its limit, whatever its header says, and leaves no file.
void TestBackup::extractStopsAtItsLimit()
{
    QTemporaryDir out;
    const QString archive = out.filePath(QStringLiteral("z.zip"));
    QVERIFY(writeRawZip(archive, {{"Z.mdb", QByteArray(8 << 20, '\0')}}));
    QVERIFY(patchDeclaredSize(archive, 4096));
    ZipReader zip(archive);
    QVERIFY(zip.isOpen());
    QCOMPARE(zip.entry(0).size, qint64(4096));
    const QString target = out.filePath(QStringLiteral("Z.mdb"));
    QElapsedTimer t;
    t.start();
    QVERIFY(!zip.extract(0, target, zip.entry(0).size));
    QVERIFY(zip.tooLarge());
    QVERIFY(t.elapsed() < 1000);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"z.zip"});
    // A true entry within its limit is whole; one byte less and it is refused.
    QVERIFY(writeRawZip(archive, {{"Z.mdb", QByteArray(3000, 'x')}}));
    ZipReader good(archive);
    QVERIFY(good.extract(0, target, 3000));
    QCOMPARE(QFileInfo(target).size(), qint64(3000));
    QVERIFY(!good.extract(0, target, 2999));
    QVERIFY(good.tooLarge());
}

void TestBackup::screenshot()
{
    TestHome home;
    companyA(home);
    registerCompany(QStringLiteral("B2"), QStringLiteral("Çınar Ticaret ve Sanayi Anonim Şirketi"));
    TgirisRF r;
    r.showList();
    QVERIFY(QTest::qWaitForWindowExposed(&r));
    r.grab().save(QStringLiteral("/tmp/tgirisrf_backup.png"));
}

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
