#pragma once
// The backup controls of the company list: the four backup and restore buttons and
// the automatic backup settings. The steps themselves are plain functions
// (backup_settings.h, backup_archives.h, backup_restore.h).
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class BackupPanel : public QWidget {
    Q_OBJECT
public:
    explicit BackupPanel(QWidget *parent = nullptr);

    QLineEdit *Edit1 = nullptr;           // automatic backup folder
    QLineEdit *yedekgunEdit = nullptr;    // days between automatic backups
    QCheckBox *CheckBox1 = nullptr;       // automatic backup on
    QDateEdit *DateTimePicker1 = nullptr; // date of the last automatic backup
    QPushButton *JvXPButton5 = nullptr;   // "Otomatik Yedek Adresini Bul"
    QPushButton *JvXPButton6 = nullptr;   // "Oto.Yed.Ayarlarını Sakla"
    QPushButton *JvXPButton8 = nullptr;   // "Tek Şirket Yedek Al"
    QPushButton *JvXPButton1 = nullptr;   // "Tüm Şirketler Yedek Al"
    QPushButton *JvXPButton7 = nullptr;   // "Tüm Şirketler Geri Yükle"
    QPushButton *JvXPButton9 = nullptr;   // "Tek Şirket Geri Yükle"

    // Reads "Yedekler.dan" into the controls (done once, when the panel is made).
    void ayarlariYukle();
    void ayarlariSakla();     // "Oto.Yed.Ayarlarını Sakla"
    void adresBul();          // "Otomatik Yedek Adresini Bul"
    void FirmannYedeiniAla1Click(); // backup of the company selected in the list
    void TumunuYedekle();     // backup of all companies
    void TumunuYedekleOto();  // the automatic backup, unconditionally
    void TumFirmalarGeriYukle();
    void TekSiteGeriYukle();

    // Whether the automatic backup is due now (the clock of Backup::now()).
    bool otomatikYedekZamani() const;
    // The automatic backup at shutdown, when due.
    void otomatikYedekGerekirseAl();

Q_SIGNALS:
    // Files under the open company were replaced: slips typed before point into old rows.
    void slipsResetRequested();
    void restored();

private:
    // Restores the archives after the question; closeEvery for the restore of all companies.
    void geriYukle(const QString &dialogFilter, const QString &startDir, bool allCompanies);
    // Asks before the companies' files the archive lacks are set aside; true to go on.
    bool confirmSetAside(const QStringList &files);
    // Asks before an existing archive (by its final name) is replaced; true to go on.
    bool mayReplace(const QStringList &archives);
};
