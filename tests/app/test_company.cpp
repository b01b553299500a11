// The company form, the company list and the password window, driven through their
// controls on a fresh home each.
#include "app/company_registry.h"
#include "app/tfirmaf.h"
#include "app/tgirisrf.h"
#include "widgets/dataset_grid.h"
#include "app/tsifref.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "data/program_home.h"
#include "data/table.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/message_box.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

namespace {

const QString kTitle40 = QStringLiteral("Çınar Ticaret ve Sanayi Anonim Şirketi X");  // 40 characters

DataContext &ctx() { return DataContext::instance(); }

QLineEdit *edit(QWidget *w, const char *name)
{
    auto *e = w->findChild<QLineEdit *>(QLatin1String(name));
    if (!e) qFatal("no edit %s", name);
    return e;
}

void click(QWidget *w, const char *name)
{
    auto *b = w->findChild<QPushButton *>(QLatin1String(name));
    if (!b) qFatal("no button %s", name);
    QTest::mouseClick(b, Qt::LeftButton);
}


bool dataFile(const QString &name) { return QFile::exists(ProgramHome::path(QStringLiteral("Data/") + name)); }

// The registry rows as code -> title, read apart from the shared table.
QMap<QString, QString> registry()
{
    Table t(&ctx().ADOConnection2, QStringLiteral("firma"));
    t.open();
    QMap<QString, QString> out;
    for (t.first(); !t.eof(); t.next())
        out.insert(t.field("firma_kodu").asString(), t.field("firma_unvani_1").asString());
    return out;
}

QString firstValue(Connection &c, const QString &table, const QString &field)
{
    Table t(&c, table);
    t.open();
    return t.isEmpty() ? QStringLiteral("<none>") : t.field(field).asString();
}

bool wasShown(const QString &text)
{
    for (const auto &s : MessageBox::shown())
        if (s.text == text) return true;
    return false;
}

// A company made through the form, answering the save question with Yes.
void createThroughForm(TfirmaF &f, const QString &code, const QString &title)
{
    f.yeniSirket();
    type(edit(&f, "koduEdit"), code);
    type(edit(&f, "adiEdit"), title);
    MessageBox::queueAnswer(MessageBox::Yes);
    click(&f, "kaydetBut");
}

const QString kExists = QStringLiteral(
    "Bu isimde kayıtlı firma mevcut!\n\rBu isimde firma oluşturmak için önce kayıtlı\n\rFirmayı silin");

} // namespace

class TestCompany : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void createCompany();
    void createRefused_data();
    void createRefused();
    void codeFilter_data();
    void codeFilter();
    void editCompany();
    void deleteCompany_data();
    void deleteCompany();
    void deleteRegistryEntryWithoutDatabase();
    void listChoosesAndDeletes();
    void passwords();
    void screenshots();
};

void TestCompany::createCompany()
{
    TestHome home;
    ctx().openStartupConnections();
    TfirmaF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QSignalSpy saved(&f, &TfirmaF::companySaved);
    QSignalSpy header(&f, &TfirmaF::menuHeaderChanged);

    createThroughForm(f, QStringLiteral("A1"), kTitle40);

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown()[0].text, QStringLiteral("Değişiklikler kayıt edilecektir. Eminmisiniz?"));
    QCOMPARE(registry(), (QMap<QString, QString>{{QStringLiteral("A1"), kTitle40}}));
    QVERIFY(dataFile("A1.mdb"));
    QVERIFY(!dataFile("A1" + QString::number(QDate::currentDate().year()) + "K.mdb"));  // made by the login
    QCOMPARE(ctx().aktifSirketKodu, QStringLiteral("A1"));
    QVERIFY(ctx().ADOConnection1.filePath().endsWith(QStringLiteral("Data/A1.mdb")));
    QCOMPARE(firstValue(ctx().ADOConnection1, "firmabilgileri", "firma_unvani_1"), kTitle40.left(30));
    QCOMPARE(firstValue(ctx().ADOConnection1, "firmabilgileri", "firma_kodu"), QStringLiteral("A1"));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved[0][0].toString(), QStringLiteral("A1"));
    QCOMPARE(header[0][0].toString(), kTitle40.left(30) + QStringLiteral(" Ana Menü"));
    QVERIFY(edit(&f, "koduEdit")->isReadOnly());  // a saved company keeps its code
    QVERIFY(!f.hasChanges());
}

void TestCompany::createRefused_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty code") << "" << "Deneme" << "" << "Firma kodunu boş geçemezsiniz.";
    QTest::newRow("empty title") << "B1" << "" << "" << "Firma adını boş geçemezsiniz.";
    QTest::newRow("template missing") << "B1" << "Deneme" << "noTemplate"
                                      << "Firma oluşturulması için gerekli dosya bulunamadı!";
    QTest::newRow("database exists") << "B1" << "Deneme" << "B1.mdb" << QString(kExists);
    QTest::newRow("same code in other case") << "B1" << "Deneme" << "b1.mdb" << QString(kExists);
}

void TestCompany::createRefused()
{
    QFETCH(QString, code);
    QFETCH(QString, title);
    QFETCH(QString, setup);
    QFETCH(QString, message);
    TestHome home;
    ctx().openStartupConnections();
    if (setup == "noTemplate") QVERIFY(QFile::remove(home.path("CekSenet.mdb")));
    else if (!setup.isEmpty()) QVERIFY(QFile::copy(home.path("Kasa.mdb"), home.path("Data/" + setup)));
    TfirmaF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));

    createThroughForm(f, code, title);

    QVERIFY2(wasShown(message), qPrintable(message));
    QVERIFY(registry().isEmpty());
    QCOMPARE(CompanyRegistry::firmaTable().state(), Dataset::State::Insert);  // left open for correction
    QVERIFY(!edit(&f, "koduEdit")->isReadOnly());
    if (setup.isEmpty() || setup == "noTemplate") QVERIFY(!dataFile("B1.mdb"));
    QVERIFY(!dataFile("B1.mdb.part"));
}

void TestCompany::codeFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("dash refused") << "A-1" << "A1";
    QTest::newRow("13th character") << "abcDEF123456X" << "abcDEF123456";
    QTest::newRow("punctuation and path") << "a_b.c/d\\e f" << "abcdef";
    QTest::newRow("Turkish letters") << "ÇİşğÖ1" << "1";
}

void TestCompany::codeFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    TestHome home;
    ctx().openStartupConnections();
    TfirmaF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.yeniSirket();
    type(edit(&f, "koduEdit"), typed);
    QCOMPARE(edit(&f, "koduEdit")->text(), kept);
    // A code handed over by the login form passes the same filter.
    f.vazgec();
    MessageBox::queueAnswer(MessageBox::Yes);
    f.yeniSirket(typed);
    QCOMPARE(edit(&f, "koduEdit")->text(), kept);
    QCOMPARE(CompanyRegistry::firmaTable().field("firma_kodu").asString(), kept);
}

void TestCompany::editCompany()
{
    TestHome home;
    ctx().openStartupConnections();
    TfirmaF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    createThroughForm(f, QStringLiteral("A1"), QStringLiteral("Eski Ad"));
    MessageBox::clearShown();

    // Answering No keeps everything as it was.
    retype(edit(&f, "adiEdit"), QStringLiteral("Yeni Ad"));
    MessageBox::queueAnswer(MessageBox::No);
    click(&f, "kaydetBut");
    QCOMPARE(registry().value("A1"), QStringLiteral("Eski Ad"));
    f.vazgec();  // asks again: Değişiklikler iptal edilecektir
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Değişiklikler iptal edilecektir, eminmisiniz?"));

    // Another company is open meanwhile: saving points the company connection back.
    home.openCompany(QStringLiteral("Z9"), 2024);
    f.duzelt();
    QVERIFY(edit(&f, "koduEdit")->isReadOnly());
    retype(edit(&f, "adiEdit"), QStringLiteral("İkinci Ünvan Ltd"));
    type(edit(&f, "irtibatKisiEdit"), QStringLiteral("Ayşe"));
    MessageBox::queueAnswer(MessageBox::Yes);
    click(&f, "kaydetBut");

    QCOMPARE(registry(), (QMap<QString, QString>{{QStringLiteral("A1"), QStringLiteral("İkinci Ünvan Ltd")}}));
    QCOMPARE(ctx().aktifSirketKodu, QStringLiteral("A1"));
    QVERIFY(ctx().ADOConnection1.filePath().endsWith(QStringLiteral("Data/A1.mdb")));
    QCOMPARE(firstValue(ctx().ADOConnection1, "firmabilgileri", "firma_unvani_1"), QStringLiteral("İkinci Ünvan Ltd"));
    QCOMPARE(firstValue(ctx().ADOConnection1, "firmabilgileri", "firma_irtibat_kisi"), QStringLiteral("Ayşe"));
    Table copy(&ctx().ADOConnection1, QStringLiteral("firmabilgileri"));
    copy.open();
    QCOMPARE(copy.recordCount(), 1);  // rewritten, not added
}

void TestCompany::deleteCompany_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("deleted");
    const int Y = MessageBox::Yes, N = MessageBox::No;
    QTest::newRow("confirmed") << QList<int>{Y, N, Y} << true;
    QTest::newRow("no to the first question") << QList<int>{N} << false;
    QTest::newRow("stop at the second") << QList<int>{Y, Y} << false;
    QTest::newRow("no to the third") << QList<int>{Y, N, N} << false;
}

void TestCompany::deleteCompany()
{
    QFETCH(QList<int>, answers);
    QFETCH(bool, deleted);
    TestHome home;
    ctx().openStartupConnections();
    TfirmaF f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    createThroughForm(f, QStringLiteral("A1"), QStringLiteral("Silinecek"));
    QVERIFY(QFile::copy(home.path("Kasa.mdb"), home.path("Data/A12024K.mdb")));
    QVERIFY(ctx().ADOConnection1.isOpen());
    MessageBox::clearShown();

    for (int a : answers) MessageBox::queueAnswer(a);
    click(&f, "KSilBut");

    QCOMPARE(MessageBox::shown().size(), answers.size());
    QCOMPARE(MessageBox::shown()[0].text, QStringLiteral("Firma silinecektir. Eminmisiniz?"));
    QCOMPARE(dataFile("A1.mdb"), !deleted);
    QCOMPARE(registry().contains("A1"), !deleted);
    QVERIFY(dataFile("A12024K.mdb"));  // the yearly cash files stay
    // The open company was closed before its file went; otherwise it stays open.
    QCOMPARE(ctx().ADOConnection1.isOpen(), !deleted);
}

void TestCompany::deleteRegistryEntryWithoutDatabase()
{
    TestHome home;
    ctx().openStartupConnections();
    TfirmaF f;
    f.show();
    createThroughForm(f, QStringLiteral("A1"), QStringLiteral("Dosyasız"));
    ctx().ADOConnection1.close();
    QVERIFY(QFile::remove(home.path("Data/A1.mdb")));
    MessageBox::clearShown();

    MessageBox::queueAnswer(MessageBox::Yes);
    f.sil();
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(registry().isEmpty());
}

void TestCompany::listChoosesAndDeletes()
{
    TestHome home;
    ctx().openStartupConnections();
    TfirmaF f;
    createThroughForm(f, QStringLiteral("A1"), QStringLiteral("Birinci A.Ş."));
    createThroughForm(f, QStringLiteral("B2"), QStringLiteral("İkinci Ltd"));
    // An unsaved new record must not reach the registry through a move in the list.
    f.yeniSirket(QStringLiteral("C3"));
    type(edit(&f, "adiEdit"), QStringLiteral("Yarım"));

    TgirisRF r;
    QSignalSpy chosen(&r, &TgirisRF::companyChosen);
    QSignalSpy header(&r, &TgirisRF::menuHeaderChanged);
    r.showList();
    QVERIFY(QTest::qWaitForWindowExposed(&r));
    QTableView *grid = r.findChild<QTableView *>(QStringLiteral("firmaGrid"));
    QVERIFY(grid);
    // The shared data grid, painted as every list: 255,255,192 and white rows.
    auto *shared = qobject_cast<DatasetGrid *>(grid);
    QVERIFY(shared && shared->rowPainter());
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kodu"));
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Firma Adı"));
    QVERIFY(!registry().contains("C3"));

    grid->setCurrentIndex(grid->model()->index(1, 0));
    click(&r, "secBut");
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toString(), QStringLiteral("B2"));
    QCOMPARE(chosen[0][1].toString(), QStringLiteral("İkinci Ltd"));
    QVERIFY(r.isHidden());

    r.showList();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_F2);
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(chosen[1][0].toString(), QStringLiteral("A1"));

    r.showList();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    for (int a : {MessageBox::Yes, MessageBox::No, MessageBox::Yes}) MessageBox::queueAnswer(a);
    click(&r, "silBut");
    QCOMPARE(header.size(), 1);
    QCOMPARE(header[0][0].toString(), CompanyRegistry::kDefaultMenuHeader);
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(registry().keys(), QStringList{"B2"});
    QVERIFY(!dataFile("A1.mdb"));
    QVERIFY(dataFile("B2.mdb"));
}

void TestCompany::passwords()
{
    TestHome home;
    ctx().openStartupConnections();
    TsifreF w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(edit(&w, "Sifre")->echoMode(), QLineEdit::Normal);
    type(edit(&w, "Sifre"), QStringLiteral("gizli"));
    type(edit(&w, "Master"), QStringLiteral("Usta1"));
    click(&w, "JvXPButton7");
    QVERIFY(w.isVisible());
    QCOMPARE(firstValue(ctx().ADOConnection2, "sifre", "sifre"), QStringLiteral("gizli"));
    QCOMPARE(firstValue(ctx().ADOConnection2, "master", "mids"), QStringLiteral("Usta1"));

    // A change is edited into the same record; one not saved is dropped on hiding.
    retype(edit(&w, "Sifre"), QStringLiteral("yeni"));
    click(&w, "JvXPButton7");
    retype(edit(&w, "Master"), QStringLiteral("unutulan"));
    w.hide();
    QCOMPARE(firstValue(ctx().ADOConnection2, "sifre", "sifre"), QStringLiteral("yeni"));
    QCOMPARE(firstValue(ctx().ADOConnection2, "master", "mids"), QStringLiteral("Usta1"));
    Table s(&ctx().ADOConnection2, QStringLiteral("sifre"));
    s.open();
    QCOMPARE(s.recordCount(), 1);
    w.show();
    QCOMPARE(edit(&w, "Master")->text(), QStringLiteral("Usta1"));
    QCOMPARE(edit(&w, "Sifre")->text(), QStringLiteral("yeni"));
}

void TestCompany::screenshots()
{
    TestHome home;
    ctx().openStartupConnections();
    TfirmaF f;
    createThroughForm(f, QStringLiteral("A1"), kTitle40);
    f.duzelt();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.grab().save(QStringLiteral("/tmp/tfirmaf.png"));
    TgirisRF r;
    r.showList();
    QVERIFY(QTest::qWaitForWindowExposed(&r));
    r.grab().save(QStringLiteral("/tmp/tgirisrf.png"));
    TsifreF s;
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.grab().save(QStringLiteral("/tmp/tsifref.png"));
}

QTEST_MAIN(TestCompany)
#include "test_company.moc"
