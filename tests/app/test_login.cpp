// Start-up and login: the login form driven through its controls on a fresh home.
#include "app/tacilisf.h"
#include "app/demo_company.h"
#include "accounts/tcarif.h"
#include "app/tfirmaf.h"
#include "app/tgirisrf.h"
#include "app/company_registry.h"
#include "app/tgirisf.h"
#include "app/tsifref.h"
#include "app/uygulama.h"
#include "cash/tkasaf.h"
#include "cash/tkasarf.h"
#include "cash/tnakitnedenf.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "data/template_copy.h"
#include "mainmenu/tfrmmain.h"
#include "received/tceklerf.h"
#include "received/tcekortf.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

namespace {

// A registered company with its database, as the company form leaves it.
void registerCompany(TestHome &home, const QString &code, const QString &title)
{
    Table &reg = CompanyRegistry::firmaTable(false);
    if (!reg.isActive()) reg.open();
    reg.append();
    reg.field("firma_kodu") = code;
    reg.field("firma_unvani_1") = title;
    reg.post();
    QVERIFY(copyTemplate(home.path("CekSenet.mdb"), home.path("Data/" + code + ".mdb")));
}

void setPassword(const QString &password)
{
    Table &t = CompanyRegistry::sifreTable(false);
    if (!t.isActive()) t.open();
    t.append();
    t.field("sifre") = password;
    t.post();
}

QStringList shownTexts()
{
    QStringList out;
    for (const auto &s : MessageBox::shown()) out << s.text;
    return out;
}

void login(TgirisF *f, const QString &code, const QString &year, const QString &password = QString())
{
    f->firmaedit->setText(code);
    f->yilEdit->setText(year);
    f->sifreEdit->setText(password);
    f->JvXPButton13->click();
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splash();
    void firstStart();
    void loginCreatesAndReusesCashFile();
    void yearLimits_data();
    void yearLimits();
    void passwords();
    void unknownCodeAndMissingDatabase();
    void closeQuestionAndSecondCompany();
    void cashWindowsFromTheMenuAndTheCloseQuestion();
    void memoryAcrossStarts();
    void newCompanyThenLogin();
    void newCompanyBackAtTheLogin_data();
    void newCompanyBackAtTheLogin();
    void companySavedOrDeletedFromTheMainMenu();
    void unsavedPasswordIsNeverStored();
    void demoCompanyLooksInUse();
    void damagedFilesAtLogin_data();
    void damagedFilesAtLogin();
    void damagedFilesAtStart_data();
    void damagedFilesAtStart();
};

void TestLogin::splash()
{
    TacilisF s;
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QCOMPARE(s.size(), QSize(796, 402));
    const QImage shot = s.grab().toImage();
    QCOMPARE(shot.pixelColor(5, 5), QColor(126, 167, 228));
    const QStringList texts = [&] {
        QStringList t;
        for (auto *l : s.findChildren<QLabel *>()) t << l->text();
        return t;
    }();
    QCOMPARE(texts, (QStringList{"Brenvo Yazılım", "Çek/Senet Takip Programı ", "Bekleyin Program Açılıyor....."}));
    if (!qEnvironmentVariableIsEmpty("CEKSENET_SHOTS")) shot.save(qEnvironmentVariable("CEKSENET_SHOTS") + "/splash.png");
}

void TestLogin::firstStart()
{
    TestHome home;
    Uygulama app;
    TgirisF *f = app.girisF();
    QCOMPARE(f->objectName(), QString("TgirisF"));
    QCOMPARE(f->windowTitle(), QString("Brenvo Çek/Senet Takip Programı - Giriş"));
    QCOMPARE(f->yilEdit->text(), QString::number(QDate::currentDate().year()));
    QCOMPARE(f->Label1->text(), QString("........................."));
    QCOMPARE(f->findChild<QPushButton *>("JvXPButton13")->text(), QString("TAMAM"));
    QCOMPARE(f->findChild<QPushButton *>("JvXPButton2")->text(), QString("LİSTEDEN SEÇ"));
    QCOMPARE(f->findChild<QPushButton *>("JvXPButton1")->text(), QString("YENİ EKLE"));
    QCOMPARE(f->findChild<QPushButton *>("JvXPButton8")->text(), QString("ŞİFRE GİRİŞ"));
    QCOMPARE(f->findChild<QPushButton *>("guncelButton")->text(), QString("PROGRAMI GÜNCELLE"));
    QCOMPARE(f->sifreEdit->echoMode(), QLineEdit::Password);
    // The start-up connections are open on the AnaData files.
    DataContext &ctx = DataContext::instance();
    QVERIFY(ctx.ADOConnection2.isOpen() && ctx.ADOConnection1.isOpen() && ctx.kasaConnection.isOpen());
    QCOMPARE(ctx.kasaConnection.filePath(), home.path("AnaData/Kasa.mdb"));
    // The year field takes digits only, four at most; Enter moves on.
    registerCompany(home, "A1", "Anadolu");
    f->firmaedit->setText("A1");
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    f->yilEdit->clear();
    f->yilEdit->setFocus();
    QTest::keyClicks(f->yilEdit, "2a0-2 45");
    QCOMPARE(f->yilEdit->text(), QString("2024"));
    // Enter on a known code moves to the year and shows the title.
    f->firmaedit->setFocus();
    QTest::keyClick(f->firmaedit, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f->yilEdit);
    QCOMPARE(f->Label1->text(), QString("Anadolu"));
    QVERIFY(MessageBox::shown().isEmpty());
    f->hide();
}

void TestLogin::loginCreatesAndReusesCashFile()
{
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu Kırtasiye");
    TgirisF *f = app.girisF();
    QSignalSpy logged(f, &TgirisF::loggedIn);
    login(f, "A1", "2024");
    QCOMPARE(logged.count(), 1);
    QVERIFY(QFileInfo::exists(home.path("Data/A12024K.mdb")));
    DataContext &ctx = DataContext::instance();
    QCOMPARE(ctx.aktifSirketKodu, QString("A1"));
    QCOMPARE(ctx.calismaYili, 2024);
    QCOMPARE(ConnectionString::dataSource(ctx.kasaConnection.connectionString()), QString("Data/A12024K.mdb"));
    QCOMPARE(ConnectionString::dataSource(ctx.ADOConnection1.connectionString()), QString("Data/A1.mdb"));
    QVERIFY(!f->isVisible());
    QVERIFY(app.frmMain()->isVisible());
    QCOMPARE(app.frmMain()->JvNavPanelHeader1->text(), QString("Anadolu Kırtasiye"));
    QCOMPARE(app.frmMain()->kisinoedit->text(), QString("2024"));
    QCOMPARE(app.frmMain()->StatusBar1->panelText(3), QString("A1 - Anadolu Kırtasiye - 2024"));
    QCOMPARE(app.frmMain()->StatusBar1->panelText(2), QString(" Version: 4.0 Guncelleme: 0"));
    QCOMPARE(app.cariF()->StatusBar1->panelText(3), QString("A1 - Anadolu Kırtasiye - 2024"));
    // The main menu opens the account cards.
    QAction *cards = app.frmMain()->menuItem("Firma Cari Kart Giriş ve Değişiklik");
    QVERIFY(cards && cards->isEnabled());
    cards->trigger();
    QVERIFY(app.cariF()->isVisible());
    app.cariF()->hide();
    // ... and the received cheque lists, rebuilt for the company just opened.
    QAction *lists = app.frmMain()->menuItem("Alınan Çek ve Senet Listeleri");
    QVERIFY(lists && lists->isEnabled());
    lists->trigger();
    QVERIFY(app.ceklerF()->isVisible());
    QVERIFY(app.ceklerF()->eldekiceklerQuery.isActive());
    QCOMPARE(app.ceklerF()->StatusBar1->panelText(3), QString("A1 - Anadolu Kırtasiye - 2024"));
    app.ceklerF()->hide();
    // A row written in that year is still there after a second login to it.
    TestHome::insertRow(ctx.kasaConnection, "carihareket", {{"cari_kodu", "M1"}});
    login(f, "A1", "2024");
    Query q(&ctx.kasaConnection);
    q.sql() << "SELECT COUNT(*) AS n FROM carihareket";
    q.open();
    QCOMPARE(q.field("n").asInteger(), 1);
    QVERIFY(MessageBox::shown().isEmpty());

    // The entry slip from the main menu: a slip dated in another year moves the
    // program, and the year the forms show, to that year.
    QAction *slip = app.frmMain()->menuItem("Çek ve Senet Girişi");
    QVERIFY(slip && slip->isEnabled());
    slip->trigger();
    TcekortF *e = app.cekortF();
    QVERIFY(e->isVisible());
    TestHome::addAccountCard("M1", "Müşteri Bir", 0);
    e->DateTimePicker15->setDate(QDate(2023, 6, 1));
    e->KoduEdit->setText("M1");
    e->cariBul();
    MessageBox::queueAnswer(MessageBox::Yes);  // "Kayıt yılı 2023 olacak..."
    QVERIFY(e->sakla());
    QCOMPARE(ctx.calismaYili, 2023);
    QVERIFY(QFileInfo::exists(home.path("Data/A12023K.mdb")));
    QCOMPARE(app.frmMain()->kisinoedit->text(), QString("2023"));
    QCOMPARE(app.frmMain()->StatusBar1->panelText(3), QString("A1 - Anadolu Kırtasiye - 2023"));
    QCOMPARE(e->StatusBar1->panelText(3), QString("A1 - Anadolu Kırtasiye - 2023"));
    // The dashboard's balances read the new year's file, which holds the slip's credit.
    QTRY_VERIFY(app.frmMain()->ffQuery1.isActive());
    app.frmMain()->ffQuery1.setFiltered(false);  // the slip has no cheques: a zero balance
    QCOMPARE(app.frmMain()->ffQuery1.recordCount(), 1);
    app.frmMain()->ffQuery1.first();
    QCOMPARE(app.frmMain()->ffQuery1.field("cari_hesap_adi").asString(), QString("Müşteri Bir"));
    e->hide();
    // Only the year question was asked.
    QCOMPARE(MessageBox::shown().size(), 1);
}

void TestLogin::yearLimits_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("1969") << "1969" << false;
    QTest::newRow("1970") << "1970" << true;
    QTest::newRow("2100") << "2100" << true;
    QTest::newRow("2101") << "2101" << false;
    QTest::newRow("empty") << "" << false;
}

void TestLogin::yearLimits()
{
    QFETCH(QString, year);
    QFETCH(bool, accepted);
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    login(app.girisF(), "A1", year);
    const QString cashFile = home.path("Data/A1" + year + "K.mdb");
    if (accepted) {
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(QFileInfo::exists(cashFile));
        QCOMPARE(DataContext::instance().calismaYili, year.toInt());
    } else {
        QCOMPARE(shownTexts(), QStringList{"Çalışma yılı girişiniz hatalıdır!"});
        QCOMPARE(QDir(home.path("Data")).entryList({"*K.mdb"}), QStringList());
        QCOMPARE(DataContext::instance().kasaConnection.filePath(), home.path("AnaData/Kasa.mdb"));
    }
    // An empty code is refused after the year.
    MessageBox::clearShown();
    login(app.girisF(), "", "2024");
    QCOMPARE(shownTexts(), QStringList{"Firma girişiniz hatalıdır!"});
}

void TestLogin::passwords()
{
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    TgirisF *f = app.girisF();
    // No password set: any text passes.
    login(f, "A1", "2024", "ne olursa");
    QVERIFY(MessageBox::shown().isEmpty());
    QVERIFY(app.frmMain()->isVisible());
    app.frmMain()->hide();

    setPassword("Gizli");
    const QString wrong = "Şifreyi yalnış girdiniz!\n\rŞifre belirlemediyseniz boş geçin!";
    login(f, "A1", "2024", "gizli");  // case matters
    login(f, "A1", "2024", "");
    QCOMPARE(shownTexts(), (QStringList{wrong, wrong}));
    QCOMPARE(f->sifreEdit->text(), QString());
    QCOMPARE(MessageBox::shown().first().caption, QString("Brenvo Çek Senet Takip"));
    QCOMPARE(int(MessageBox::shown().first().icon), int(MessageBox::Icon::Critical));
    // A wrong master password counts with them: third wrong entry.
    Table &master = CompanyRegistry::masterTable(false);
    if (!master.isActive()) master.open();
    master.append();
    master.field("mids") = "usta";
    master.post();
    f->sifreEdit->setText("yanlış");
    f->JvXPButton8->click();
    QCOMPARE(MessageBox::shown().size(), 3);
    QCOMPARE(MessageBox::shown().last().text,
             QString("Master şifreyi yalnış girdiniz!\n\rMaster şifre belirlemediyseniz boş geçin!"));
    QVERIFY(!f->programEnded());
    // The right password still opens the company.
    login(f, "A1", "2024", "Gizli");
    QVERIFY(app.frmMain()->isVisible());
    app.frmMain()->hide();
    // The fourth wrong entry ends the program without the close question.
    MessageBox::clearShown();
    login(f, "A1", "2024", "x");
    QVERIFY(f->programEnded());
    QVERIFY(MessageBox::shown().isEmpty());
    QVERIFY(!DataContext::instance().ADOConnection1.isOpen());
}

void TestLogin::unknownCodeAndMissingDatabase()
{
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    TgirisF *f = app.girisF();
    const QString question = "Firma Kodunu yalnış girdiniz!\n\rYeni firma oluşturmak istermisiniz?";
    for (int answer : {MessageBox::Yes, MessageBox::No, MessageBox::Cancel}) {
        MessageBox::clearShown();
        MessageBox::queueAnswer(answer);
        login(f, "B7", "2024");
        QCOMPARE(shownTexts(), QStringList{question});
        QCOMPARE(MessageBox::shown().first().buttons, MessageBox::Yes | MessageBox::No | MessageBox::Cancel);
        QVERIFY(!app.frmMain()->isVisible());
    }
    // Codes are compared exactly.
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::No);
    f->firmaedit->setText("a1");
    QVERIFY(!f->firmaeditExit());
    // Nothing was created for the unknown code.
    QCOMPARE(QDir(home.path("Data")).entryList(QDir::Files), QStringList{"A1.mdb"});
    // A registered company whose database is gone is refused, and nothing is created.
    QFile::remove(home.path("Data/A1.mdb"));
    MessageBox::clearShown();
    login(f, "A1", "2024");
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(MessageBox::shown().first().text.contains("Data/A1.mdb"));
    QCOMPARE(QDir(home.path("Data")).entryList(QDir::Files), QStringList());
    QVERIFY(!app.frmMain()->isVisible());
}

void TestLogin::cashWindowsFromTheMenuAndTheCloseQuestion()
{
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    login(app.girisF(), "A1", "2024");
    QCOMPARE(app.kasaRF()->windowTitle(), QString("Brenvo Çek Senet Takip Programı Programı - Anadolu - 2024"));
    QCOMPARE(app.kasaRF()->StatusBar1->panelText(3), QString("  A1 - Anadolu - 2024"));
    app.frmMain()->menuItem("Kasa İşlemleri")->trigger();
    app.frmMain()->menuItem("Kasa İşlem Türü Girişi")->trigger();
    QVERIFY(app.kasaRF()->isVisible());
    QVERIFY(app.nakitnedenF()->isVisible());
    app.kasaRF()->yeniHareket();
    QVERIFY(app.kasaF()->isVisible());
    QVERIFY(app.kasaF()->hasPendingRow());
    // No to the close question hides them too; the typed row is dropped, never saved.
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::No);
    app.frmMain()->close();
    QCOMPARE(shownTexts(), QStringList{"Programı kapatmak istediğinize eminmisiniz?"});
    for (QWidget *w : {static_cast<QWidget *>(app.kasaRF()), static_cast<QWidget *>(app.kasaF()),
                       static_cast<QWidget *>(app.nakitnedenF())})
        QVERIFY(!w->isVisible());
    QVERIFY(!app.kasaF()->hasPendingRow());
    QCOMPARE(TestHome::countRows(DataContext::instance().kasaConnection, "nakit"), 0);
}

void TestLogin::closeQuestionAndSecondCompany()
{
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    registerCompany(home, "B2", "Boğaziçi");
    TgirisF *f = app.girisF();
    login(f, "A1", "2024");
    // Closing the main menu shows the login form and asks; No keeps the program.
    MessageBox::queueAnswer(MessageBox::No);
    app.frmMain()->close();
    QCOMPARE(shownTexts(), QStringList{"Programı kapatmak istediğinize eminmisiniz?"});
    QVERIFY(f->isVisible());
    QVERIFY(!app.frmMain()->isVisible());
    QVERIFY(!f->programEnded());
    // A slip left on the entry form of A1 is not carried into B2.
    TcekortF *slip = app.cekortF();
    slip->KoduEdit->setText("M1");
    slip->JustaEdit1->setText("5");
    slip->StringGrid1->item(0, EntrySlip::ColVade)->setText("31.03.2024");
    slip->girisDegisti = true;
    login(f, "B2", "2025");
    QCOMPARE(DataContext::instance().aktifSirketKodu, QString("B2"));
    QVERIFY(slip->KoduEdit->text().isEmpty());
    QVERIFY(slip->JustaEdit1->text().isEmpty());
    QVERIFY(slip->StringGrid1->item(0, EntrySlip::ColVade)->text().isEmpty());
    QVERIFY(!slip->girisDegisti);
    QVERIFY(QFileInfo::exists(home.path("Data/B22025K.mdb")));
    QCOMPARE(app.frmMain()->JvNavPanelHeader1->text(), QString("Boğaziçi"));
    // Yes ends the program and closes every connection.
    MessageBox::queueAnswer(MessageBox::Yes);
    app.frmMain()->close();
    QVERIFY(f->programEnded());
    QVERIFY(!DataContext::instance().kasaConnection.isOpen());
    QVERIFY(!DataContext::instance().ADOConnection2.isOpen());
}

void TestLogin::memoryAcrossStarts()
{
    TestHome home;
    {
        Uygulama app;
        registerCompany(home, "A1", "Anadolu Kırtasiye");
        TgirisF *f = app.girisF();
        f->firmaedit->setText("A1");
        QVERIFY(f->firmaeditExit());
        login(f, "A1", "2019");
        QSettings ini(home.path("FirmaAyar.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("Giris/Kodu").toString(), QString("A1"));
        QCOMPARE(ini.value("Giris/Yil").toString(), QString("2019"));
        QCOMPARE(ini.value("Giris/Adi").toString(), QString("Anadolu Kırtasiye"));
        DataContext::instance().closeAll();
    }
    Uygulama again;
    QCOMPARE(again.girisF()->firmaedit->text(), QString("A1"));
    QCOMPARE(again.girisF()->Label1->text(), QString("Anadolu Kırtasiye"));
    QCOMPARE(again.girisF()->yilEdit->text(), QString::number(QDate::currentDate().year()));
}

// The whole road of a new user: "YENİ EKLE", the company form, then the login.
void TestLogin::newCompanyThenLogin()
{
    TestHome home;
    Uygulama app;
    TgirisF *f = app.girisF();
    f->JvXPButton1->click();
    TfirmaF *form = app.firmaF();
    QVERIFY(form->isVisible());
    type(form->findChild<QLineEdit *>("koduEdit"), "A1");
    type(form->findChild<QLineEdit *>("adiEdit"), "Anadolu Kırtasiye");
    MessageBox::queueAnswer(MessageBox::Yes);
    form->findChild<QPushButton *>("kaydetBut")->click();
    QVERIFY(QFileInfo::exists(home.path("Data/A1.mdb")));
    QCOMPARE(f->firmaedit->text(), QString("A1"));
    form->hide();
    login(f, "A1", "2024");
    QVERIFY(app.frmMain()->isVisible());
    QCOMPARE(app.frmMain()->JvNavPanelHeader1->text(), QString("Anadolu Kırtasiye"));
    // The unknown-code question answered Yes opens the form with the typed code.
    app.frmMain()->hide();
    MessageBox::queueAnswer(MessageBox::Yes);
    login(f, "B7", "2024");
    QVERIFY(form->isVisible());
    QCOMPARE(form->findChild<QLineEdit *>("koduEdit")->text(), QString("B7"));
    QVERIFY(!app.frmMain()->isVisible());
    // Choosing in the company list fills the login form.
    form->hide();
    f->JvXPButton2->click();
    QVERIFY(app.girisRF()->isVisible());
    QSignalSpy chosen(app.girisRF(), &TgirisRF::companyChosen);
    app.girisRF()->sec();
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(f->firmaedit->text(), QString("A1"));
    QCOMPARE(f->Label1->text(), QString("Anadolu Kırtasiye"));
}

void TestLogin::newCompanyBackAtTheLogin_data()
{
    QTest::addColumn<QString>("year");  // the year worked in before the main menu closed
    QTest::newRow("2024") << "2024";
    QTest::newRow("2019") << "2019";
}

void TestLogin::newCompanyBackAtTheLogin()
{
    QFETCH(QString, year);
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    TgirisF *f = app.girisF();
    login(f, "A1", year);
    MessageBox::queueAnswer(MessageBox::No);
    app.frmMain()->close();
    QVERIFY(f->isVisible());
    // "YENİ EKLE" at the login window: the new company gets no cash file of a year
    // the user never chose.
    f->JvXPButton1->click();
    TfirmaF *form = app.firmaF();
    type(form->findChild<QLineEdit *>("koduEdit"), "AB");
    type(form->findChild<QLineEdit *>("adiEdit"), "Ab Ltd");
    MessageBox::queueAnswer(MessageBox::Yes);
    form->findChild<QPushButton *>("kaydetBut")->click();
    QVERIFY(QFileInfo::exists(home.path("Data/AB.mdb")));
    QVERIFY(!QFileInfo::exists(home.path("Data/AB" + year + "K.mdb")));
    QVERIFY(!app.frmMain()->isVisible());
    form->hide();
    // The login opens it in the year typed there.
    login(f, "AB", "2025");
    QCOMPARE(DataContext::instance().calismaYili, 2025);
    QCOMPARE(DataContext::instance().aktifSirketKodu, QString("AB"));
    QVERIFY(QFileInfo::exists(home.path("Data/AB2025K.mdb")));
}

// From the main menu: the company form opens on the open company's record; a new
// company saved there is opened with both its files, and the windows show it;
// deleting the open company goes back to the login.
void TestLogin::companySavedOrDeletedFromTheMainMenu()
{
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    TgirisF *f = app.girisF();
    login(f, "A1", "2024");
    QVERIFY(app.frmMain()->isVisible());
    TestHome::insertRow(DataContext::instance().kasaConnection, "carihareket",
                        {{"cari_kodu", "M1"}, {"cari_hesap_adi", "Müşteri"}, {"doviz_cinsi", "TL"}, {"borc_tutari", 100.0}});
    app.frmMain()->yenile();
    QVERIFY(!app.frmMain()->findChild<QLineEdit *>("bakiyeTL")->text().isEmpty());
    app.frmMain()->menuItem("Şirket Bilgilerini Değiştir")->trigger();
    TfirmaF *form = app.firmaF();
    QVERIFY(form->isVisible());
    QCOMPARE(form->findChild<QLineEdit *>("koduEdit")->text(), QString("A1"));
    QCOMPARE(form->findChild<QLineEdit *>("adiEdit")->text(), QString("Anadolu"));
    QVERIFY(form->findChild<QLineEdit *>("koduEdit")->isReadOnly());

    form->findChild<QPushButton *>("yeniB")->click();
    type(form->findChild<QLineEdit *>("koduEdit"), "B2");
    type(form->findChild<QLineEdit *>("adiEdit"), "Boğaziçi");
    MessageBox::queueAnswer(MessageBox::Yes);
    form->findChild<QPushButton *>("kaydetBut")->click();
    DataContext &ctx = DataContext::instance();
    QCOMPARE(ctx.aktifSirketKodu, QString("B2"));
    QCOMPARE(ctx.calismaYili, 2024);
    QVERIFY(ctx.ADOConnection1.filePath().endsWith("Data/B2.mdb"));
    QVERIFY(ctx.kasaConnection.filePath().endsWith("Data/B22024K.mdb"));  // never the other company's cash file
    QCOMPARE(app.frmMain()->StatusBar1->panelText(3), QString("B2 - Boğaziçi - 2024"));
    QCOMPARE(app.cekortF()->StatusBar1->panelText(3), QString("B2 - Boğaziçi - 2024"));
    QCOMPARE(app.frmMain()->JvNavPanelHeader1->text(), QString("Boğaziçi Ana Menü"));
    // The dashboard shows the new company's (empty) books, not the former one's totals.
    QCoreApplication::processEvents();
    for (const char *total : {"bakiyeTL", "bakiyeUSD", "bakiyeEURO"}) {
        const QString text = app.frmMain()->findChild<QLineEdit *>(total)->text();
        QVERIFY2(text.isEmpty() || text == ",00" || text == "0,00", qPrintable(QString(total) + ": " + text));
    }

    // Deleting the open company: its files close and the login comes back.
    for (int a : {MessageBox::Yes, MessageBox::No, MessageBox::Yes}) MessageBox::queueAnswer(a);
    form->findChild<QPushButton *>("KSilBut")->click();
    QVERIFY(!QFileInfo::exists(home.path("Data/B2.mdb")));
    QVERIFY(ctx.aktifSirketKodu.isEmpty());
    QVERIFY(!ctx.ADOConnection1.isOpen() && !ctx.kasaConnection.isOpen());
    QVERIFY(!app.frmMain()->isVisible());
    QVERIFY(f->isVisible());
    form->hide();
    MessageBox::clearShown();
    login(f, "A1", "2024");
    QVERIFY2(app.frmMain()->isVisible(), qPrintable(shownTexts().join(" | ")));
    QCOMPARE(ctx.aktifSirketKodu, QString("A1"));
}

// Typing into the password window stores nothing until SAKLA.
void TestLogin::unsavedPasswordIsNeverStored()
{
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    setPassword("gizli");
    app.sifreF()->show();
    auto *sifre = app.sifreF()->findChild<QLineEdit *>("Sifre");
    QCOMPARE(sifre->text(), QString("gizli"));
    sifre->clear();
    type(sifre, "yeni");
    login(app.girisF(), "A1", "2024", "gizli");
    QVERIFY(app.frmMain()->isVisible());
    QVERIFY(MessageBox::shown().isEmpty());
    Query q(&DataContext::instance().ADOConnection2);
    q.sql() << "SELECT sifre FROM sifre";
    q.open();
    QCOMPARE(q.field("sifre").asString(), QString("gizli"));
    // SAKLA stores it.
    app.sifreF()->findChild<QPushButton *>("JvXPButton7")->click();
    q.close();
    q.open();
    QCOMPARE(q.field("sifre").asString(), QString("yeni"));
}

void TestLogin::damagedFilesAtLogin_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("opens");
    for (const char *file : {"Data/A1.mdb", "Data/A12024K.mdb"}) {
        const bool cash = QByteArray(file).endsWith("K.mdb");
        for (const char *damage : {"garbage", "truncated", "zero", "foreign", "missing table", "read-only"}) {
            // A cash file of no bytes is made afresh from the template, as a missing one is;
            // a company file of no bytes has lost the company.
            const bool opens = QByteArray(damage) == "missing table" || (cash && QByteArray(damage) == "zero");
            QTest::addRow("%s %s", file, damage) << QString::fromLatin1(file) << QString::fromLatin1(damage) << opens;
        }
    }
}

// The company or cash file is damaged, foreign, older or read-only: the login is
// refused with a Turkish message naming the file and nothing is written, and the
// program stays on the login form; an older file is brought up to the schema.
void TestLogin::damagedFilesAtLogin()
{
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(bool, opens);
    TestHome home;
    Uygulama app;
    registerCompany(home, "A1", "Anadolu");
    QVERIFY(copyTemplate(home.path("Kasa.mdb"), home.path("Data/A12024K.mdb")));
    const bool cash = file.endsWith("K.mdb");
    QVERIFY(TestHome::spoilFile(home.path(file), damage, cash ? "nakit" : "cekgiris"));
    TgirisF *f = app.girisF();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    const QStringList files{home.path("Data/A1.mdb"), home.path("Data/A12024K.mdb"), home.path("FirmaAyar.ini")};
    QByteArray before;
    for (const QString &p : files) before += TestHome::checksum(p);
    QSignalSpy logged(f, &TgirisF::loggedIn);
    login(f, "A1", "2024");
    if (opens) {
        QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(shownTexts().join("|")));
        QCOMPARE(logged.count(), 1);
        QVERIFY(app.frmMain()->isVisible());
        Connection &c = cash ? DataContext::instance().kasaConnection : DataContext::instance().ADOConnection1;
        QVERIFY(c.hasTable(cash ? "nakit" : "cekgiris"));
        Query v(&c);
        v.sql() << "SELECT user_version AS v FROM pragma_user_version";
        v.open();
        QCOMPARE(v.field("v").asInteger(), qint64(Schema::kVersion));
        return;
    }
    QCOMPARE(logged.count(), 0);
    QCOMPARE(MessageBox::shown().size(), 1);
    const QString text = MessageBox::shown().first().text;
    QVERIFY2(text.contains('"' + QDir::toNativeSeparators(home.path(file)) + '"'), qPrintable(text));
    QVERIFY2(text.contains(damage == "read-only" ? "izinlerini denetleyin" : "yedekten geri yükleyin"), qPrintable(text));
    QByteArray after;
    for (const QString &p : files) after += TestHome::checksum(p);
    QCOMPARE(after, before);
    QVERIFY(f->isVisible());
    QVERIFY(!app.frmMain()->isVisible());
    QVERIFY(DataContext::instance().aktifSirketKodu.isEmpty());
    // The program goes on: the file put right, the same login opens the company.
    QFile::remove(home.path(file));
    if (!cash) QVERIFY(copyTemplate(home.path("CekSenet.mdb"), home.path(file)));
    MessageBox::clearShown();
    login(f, "A1", "2024");
    QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(shownTexts().join("|")));
    QCOMPARE(logged.count(), 1);
}

void TestLogin::damagedFilesAtStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("opens");
    for (const char *file : {"AnaData/CekFirmalar.mdb", "AnaData/CekSenet.mdb", "Kasa.mdb"}) {
        for (const char *damage : {"garbage", "truncated", "zero", "foreign", "missing table", "read-only"}) {
            // Every start-up file and template is made at the first start: one of
            // no bytes is made again as a missing one is. A template is only copied,
            // so it may be read-only.
            const bool opens = QByteArray(damage) == "missing table" || QByteArray(damage) == "zero" ||
                               (QByteArray(file) == "Kasa.mdb" && QByteArray(damage) == "read-only");
            QTest::addRow("%s %s", file, damage) << QString::fromLatin1(file) << QString::fromLatin1(damage) << opens;
        }
    }
}

// A damaged registry, start-up database or template at start: the start stops with
// the Turkish message naming the file (main shows it in a box), nothing written.
void TestLogin::damagedFilesAtStart()
{
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(bool, opens);
    QString dropTable = "master";
    if (file.endsWith("CekSenet.mdb")) dropTable = "gunluknot";
    if (file.endsWith("Kasa.mdb")) dropTable = "nakit";
    std::unique_ptr<TestHome> home = std::make_unique<TestHome>();
    const QString path = home->path(file);
    QVERIFY(TestHome::spoilFile(path, damage, dropTable));
    const QByteArray before = TestHome::checksum(path);
    try {
        ProgramHome::ensure();
        Uygulama app;
        QVERIFY2(opens, "started with a file that cannot be used");
        QVERIFY(app.girisF());
        Connection c;
        c.setConnectionString(ConnectionString::build(file));
        c.open();
        QVERIFY(c.hasTable(dropTable));
        // What is made from a template is a file to work in.
        if (!file.startsWith("AnaData")) {
            QVERIFY(copyTemplate(path, home->path("Data/kopya.mdb")));
            QVERIFY(QFileInfo(home->path("Data/kopya.mdb")).permissions() & QFileDevice::WriteOwner);
        }
    } catch (const EngineError &e) {
        QVERIFY2(!opens, qPrintable(e.message()));
        QVERIFY2(e.message().contains('"' + QDir::toNativeSeparators(path) + '"'), qPrintable(e.message()));
        QCOMPARE(TestHome::checksum(path), before);
    }
    QVERIFY(MessageBox::shown().isEmpty());
}

// The demo company is a business in use today: cheques still to come in the
// portfolio, those due already mostly collected or given out, movements this year.
void TestLogin::demoCompanyLooksInUse()
{
    TestHome home;
    QVERIFY(createDemoCompanyIfEmpty());
    const QDate today = QDate::currentDate();
    Connection c;
    c.setConnectionString(ConnectionString::build(home.path("Data/DEMO.mdb")));
    c.open();
    const auto count = [&c](const QString &where) {
        Query q(&c);
        q.sql() << "SELECT COUNT(*) AS n FROM cekgiris WHERE " + where;
        q.open();
        return q.field("n").asInteger();
    };
    const QString inHand = "cek_ciro_id IS NULL AND cek_tahsilat_tarihi IS NULL AND cek_iade_tarihi IS NULL "
                           "AND cek_karsiliklsiz_tarihi IS NULL";
    const QString todayText = "'" + today.toString("yyyy-MM-dd") + "'";
    const qint64 comingInHand = count(inHand + " AND cek_tarihi >= " + todayText);
    const qint64 overdueInHand = count(inHand + " AND cek_tarihi < " + todayText);
    QVERIFY2(comingInHand > 50, qPrintable(QString::number(comingInHand)));
    QVERIFY2(overdueInHand < comingInHand / 3, qPrintable(QString::number(overdueInHand)));
    QVERIFY(count("cek_tahsilat_tarihi IS NOT NULL") > 20);
    QVERIFY(count("cek_banka_tarihi IS NOT NULL") > 10);
    QVERIFY(count("cek_ciro_id IS NOT NULL AND cek_banka_tarihi IS NULL") > 20);
    QCOMPARE(count("cek_tahsilat_tarihi > " + todayText + " OR cek_ciro_tarihi > " + todayText), 0);
    QCOMPARE(count("cek_tarihi < '" + today.addMonths(-9).toString("yyyy-MM-dd") + "'"), 0);
    Connection cash;
    cash.setConnectionString(ConnectionString::build(home.path(DataContext::cashFileName("DEMO", today.year()))));
    cash.open();
    QVERIFY(TestHome::countRows(cash, "carihareket") > 100);
}

QTEST_MAIN(TestLogin)
#include "test_login.moc"
