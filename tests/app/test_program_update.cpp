// The program update against a server on this computer: the good file replaces a
// dummy program file; every failure leaves it as it was and no ".part" behind.
#include "app/program_update.h"
#include "app/uygulama.h"
#include "data/data_context.h"
#include "received/tcekortf.h"
#include "data/ini_text.h"
#include "support/http_test_server.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <unistd.h>

namespace {

const QByteArray kOld = "eski program\n";
const QByteArray kNew = QByteArray("yeni program ") + QByteArray(300000, 'x');

QByteArray sumLine(const QByteArray &body, const char *name = "ceksenet")
{
    return QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() + "  " + name + "\n";
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("yok");
}

struct Fixture {
    TestHome home;
    HttpTestServer server;
    ProgramUpdate::Settings settings;
    QString target;
    Fixture()
    {
        QDir().mkpath(home.path("bin"));
        target = home.path("bin/ceksenet");
        QFile f(target);
        f.open(QIODevice::WriteOnly);
        f.write(kOld);
        f.close();
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup);
        settings.source = QUrl(server.baseUrl() + "/surum");
        settings.programName = "ceksenet";
        settings.targetPath = target;
        settings.downloadFolder = home.path("Yedek");
        settings.connectTimeoutMs = 1500;
        settings.transferTimeoutMs = 1500;
        MessageBox::clearShown();
    }
    void serveGood()
    {
        server.setAnswer("/surum/ceksenet.sha256", {200, sumLine(kNew)});
        server.setAnswer("/surum/ceksenet", {200, kNew});
    }
    bool untouched() const
    {
        return readAll(target) == kOld && !QFile::exists(settings.downloadFolder + "/ceksenet.part") &&
               !QFile::exists(target + ".yeni");
    }
};

} // namespace

class TestProgramUpdate : public QObject {
    Q_OBJECT
private slots:
    void goodFileReplacesTheProgram();
    void failuresLeaveTheProgram_data();
    void failuresLeaveTheProgram();
    void noAnswerIsNoConnection_data();
    void noAnswerIsNoConnection();
    void questionAndMessages();
    void sources();
    void programGoesOnAfterTheUpdate_data();
    void programGoesOnAfterTheUpdate();
};

void TestProgramUpdate::goodFileReplacesTheProgram()
{
    Fixture fx;
    fx.serveGood();
    const QFile::Permissions before = QFile::permissions(fx.target);
    const auto r = ProgramUpdate::run(fx.settings);
    QCOMPARE(int(r.outcome), int(ProgramUpdate::Outcome::Updated));
    QCOMPARE(readAll(fx.target), kNew);
    QCOMPARE(QFile::permissions(fx.target), before);
    QCOMPARE(readAll(fx.home.path("Yedek/ceksenet")), kNew);
    QVERIFY(!QFile::exists(fx.home.path("Yedek/ceksenet.part")));
    QVERIFY(!QFile::exists(fx.target + ".yeni"));
}

void TestProgramUpdate::failuresLeaveTheProgram_data()
{
    QTest::addColumn<QByteArray>("sum");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("folder");
    using M = HttpTestServer::Mode;
    QTest::newRow("wrong checksum") << sumLine("başka") << 200 << int(M::Normal) << "";
    QTest::newRow("no checksum line") << QByteArray("yok\n") << 200 << int(M::Normal) << "";
    QTest::newRow("404") << sumLine(kNew) << 404 << int(M::Normal) << "";
    QTest::newRow("short body") << sumLine(kNew) << 200 << int(M::Short) << "";
    QTest::newRow("read-only program folder") << sumLine(kNew) << 200 << int(M::Normal) << "read-only";
    // What a read-only folder does for an administrator, who may write anywhere.
    QTest::newRow("copy cannot be made") << sumLine(kNew) << 200 << int(M::Normal) << "blocked";
}

void TestProgramUpdate::failuresLeaveTheProgram()
{
    QFETCH(QByteArray, sum);
    QFETCH(int, status);
    QFETCH(int, mode);
    QFETCH(QString, folder);
    if (folder == "read-only" && ::geteuid() == 0) QSKIP("an administrator writes into read-only folders");
    Fixture fx;
    fx.server.setAnswer("/surum/ceksenet.sha256", {200, sum});
    fx.server.setAnswer("/surum/ceksenet", {status, kNew, HttpTestServer::Mode(mode)});
    const QString bin = fx.home.path("bin");
    if (folder == "read-only") QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner);
    if (folder == "blocked") QDir().mkpath(fx.target + ".yeni/dolu");
    const auto r = ProgramUpdate::run(fx.settings);
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(int(r.outcome), int(ProgramUpdate::Outcome::Failed));
    if (folder == "blocked") QDir(fx.target + ".yeni").removeRecursively();
    QVERIFY2(fx.untouched(), qPrintable(r.detail));
}

void TestProgramUpdate::noAnswerIsNoConnection_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("closed port") << "closed";
    QTest::newRow("silent server") << "silent";
}

void TestProgramUpdate::noAnswerIsNoConnection()
{
    QFETCH(QString, how);
    Fixture fx;
    fx.serveGood();
    if (how == "closed") {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();  // nothing listens there now
        fx.settings.source = QUrl(QStringLiteral("http://127.0.0.1:%1/surum").arg(port));
    } else {
        fx.server.setSilent(true);
    }
    const auto r = ProgramUpdate::run(fx.settings);
    QCOMPARE(int(r.outcome), int(ProgramUpdate::Outcome::NoConnection));
    QVERIFY(fx.untouched());
}

void TestProgramUpdate::questionAndMessages()
{
    Fixture fx;
    fx.serveGood();
    // No: nothing is asked of the server.
    MessageBox::queueAnswer(MessageBox::No);
    QVERIFY(!programiGuncelle(nullptr, fx.settings));
    QCOMPARE(fx.server.requests(), 0);
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown()[0].text,
             QStringLiteral("Bu işlem programınızın versionunu yükseltecektir!\n\rDevam etmek istiyormusunuz?"));
    QCOMPARE(MessageBox::shown()[0].caption, QStringLiteral("Brenvo Çek Senet Takip"));
    QVERIFY(fx.untouched());

    MessageBox::clearShown();
    fx.server.setAnswer("/surum/ceksenet", {404, "yok"});
    MessageBox::queueAnswer(MessageBox::Yes);
    QVERIFY(!programiGuncelle(nullptr, fx.settings));
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Güncelleme yapılamadı"));

    MessageBox::clearShown();
    fx.settings.source = QUrl("https://güncelleme.invalid/surum");
    MessageBox::queueAnswer(MessageBox::Yes);
    QVERIFY(!programiGuncelle(nullptr, fx.settings));
    QCOMPARE(MessageBox::shown().last().text,
             QStringLiteral("Internet bağlantınız yok! Bağlantı Yaptıktan sonra tekrar deneyiniz."));

    MessageBox::clearShown();
    fx.serveGood();
    fx.settings.source = QUrl(fx.server.baseUrl() + "/surum");
    MessageBox::queueAnswer(MessageBox::Yes);
    QVERIFY(programiGuncelle(nullptr, fx.settings));
    QCOMPARE(MessageBox::shown().last().text, ProgramUpdate::kUpdated);
    QVERIFY(MessageBox::shown().last().text.startsWith("Güncelleme yapıldı"));
    QCOMPARE(readAll(fx.target), kNew);
}

void TestProgramUpdate::programGoesOnAfterTheUpdate_data()
{
    QTest::addColumn<bool>("good");  // the server has a good program file
    QTest::newRow("updated") << true;
    QTest::newRow("failed") << false;
}

void TestProgramUpdate::programGoesOnAfterTheUpdate()
{
    QFETCH(bool, good);
    Fixture fx;
    if (good) fx.serveGood();
    Uygulama app;
    fx.home.openCompany("A1", 2024);
    app.cekortF()->girisDegisti = true;  // a slip typed and not saved
    MessageBox::queueAnswer(MessageBox::Yes);
    app.updateProgram(nullptr, fx.settings);
    QCOMPARE(readAll(fx.target) == kNew, good);
    // Nothing was closed: the slip and the company stay open.
    QVERIFY(app.cekortF()->girisDegisti);
    QVERIFY(DataContext::instance().ADOConnection1.isOpen());
    QVERIFY(DataContext::instance().kasaConnection.isOpen());
    app.cekortF()->girisDegisti = false;
}

void TestProgramUpdate::sources()
{
    TestHome home;
    qunsetenv("CEKSENET_UPDATE_URL");
    QVERIFY(ProgramUpdate::configuredSource({"ceksenet"}).isEmpty());
    IniText ini;
    ini.setValue("Guncelleme", "Adres", "https://ornek.com.tr/ceksenet");
    QVERIFY(ini.save(home.path("Guncelleme.ini")));
    QCOMPARE(ProgramUpdate::configuredSource({"ceksenet"}), QUrl("https://ornek.com.tr/ceksenet"));
    qputenv("CEKSENET_UPDATE_URL", "https://ortam.com.tr/x");
    QCOMPARE(ProgramUpdate::configuredSource({"ceksenet"}), QUrl("https://ortam.com.tr/x"));
    QCOMPARE(ProgramUpdate::configuredSource({"ceksenet", "--update-url", "https://arg.com.tr/y"}),
             QUrl("https://arg.com.tr/y"));
    QCOMPARE(ProgramUpdate::configuredSource({"ceksenet", "--update-url=https://arg.com.tr/z"}),
             QUrl("https://arg.com.tr/z"));
    qunsetenv("CEKSENET_UPDATE_URL");

    const struct {
        const char *url;
        bool ok;
    } cases[] = {{"https://ornek.com.tr/a", true}, {"http://127.0.0.1:8080/a", true}, {"http://localhost/a", true},
                 {"http://ornek.com.tr/a", false}, {"ftp://ornek.com.tr/a", false},  {"dosya", false}};
    for (const auto &c : cases) QCOMPARE(ProgramUpdate::acceptableSource(QUrl(c.url)), c.ok);

    // An http source elsewhere is refused before anything is fetched.
    ProgramUpdate::Settings s;
    s.source = QUrl("http://ornek.com.tr/a");
    s.programName = "ceksenet";
    s.targetPath = home.path("ceksenet");
    s.downloadFolder = home.path("Yedek");
    QCOMPARE(int(ProgramUpdate::run(s).outcome), int(ProgramUpdate::Outcome::Failed));
}

QTEST_MAIN(TestProgramUpdate)
#include "test_program_update.moc"
