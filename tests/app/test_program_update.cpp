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

#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
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
    void boundedDownload_data();
    void boundedDownload();
    void cancelledFromTheWindow();
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
    QVERIFY2(MessageBox::shown().last().text.startsWith(
                 QStringLiteral("Güncelleme yapılamadı; program değiştirilmedi.\n\rSunucuda güncelleme dosyası yok. (")),
             qPrintable(MessageBox::shown().last().text));

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

// The download is bounded in size (announced or not) and in time, however slowly
// the bytes come; each bound fails with its own reason and the program as it was.
void TestProgramUpdate::boundedDownload_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<qint64>("mostReceived");  // bytes the progress may have seen
    using M = HttpTestServer::Mode;
    QTest::newRow("length announced past the limit") << int(M::Normal)
                                                     << "Sunucudaki dosya 100 KB sınırından büyük" << qint64(0);
    QTest::newRow("no length, body past the limit") << int(M::NoLength)
                                                    << "Sunucudaki dosya 100 KB sınırından büyük" << qint64(100 * 1024);
    QTest::newRow("a byte every 50 ms") << int(M::Trickle) << "İndirme 1 saniye içinde bitmedi; bağlantı çok yavaş."
                                        << qint64(40);
}

void TestProgramUpdate::boundedDownload()
{
    QFETCH(int, mode);
    QFETCH(QString, reason);
    QFETCH(qint64, mostReceived);
    Fixture fx;
    fx.server.setAnswer("/surum/ceksenet.sha256", {200, sumLine(kNew)});
    fx.server.setAnswer("/surum/ceksenet", {200, kNew, HttpTestServer::Mode(mode)});
    if (HttpTestServer::Mode(mode) != HttpTestServer::Mode::Trickle) fx.settings.maxBytes = 100 * 1024;  // kNew is 300 KB
    fx.settings.totalTimeoutMs = 1000;
    fx.settings.transferTimeoutMs = 500;  // the trickle never leaves the line quiet this long
    qint64 most = 0;
    fx.settings.progress = [&](qint64 received, qint64) {
        most = qMax(most, received);
        return true;
    };
    QElapsedTimer clock;
    clock.start();
    const auto r = ProgramUpdate::run(fx.settings);
    const qint64 ms = clock.elapsed();
    qInfo("stopped after %lld ms, %lld bytes seen", ms, most);
    QCOMPARE(int(r.outcome), int(ProgramUpdate::Outcome::Failed));
    QVERIFY2(r.detail.startsWith(reason), qPrintable(r.detail));
    QVERIFY(most <= mostReceived);
    QVERIFY(ms < 3000);
    QVERIFY(fx.untouched());
}

// "Vazgeç" on the download's window stops it: the program stays, the message says so.
void TestProgramUpdate::cancelledFromTheWindow()
{
    Fixture fx;
    fx.server.setAnswer("/surum/ceksenet.sha256", {200, sumLine(kNew)});
    fx.server.setAnswer("/surum/ceksenet", {200, kNew, HttpTestServer::Mode::Trickle});
    fx.settings.transferTimeoutMs = 5000;
    bool clicked = false;
    QString shownText;
    QTimer::singleShot(400, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() != u"GuncellemeF" || !w->isVisible()) continue;
            auto *button = w->findChild<QPushButton *>(QStringLiteral("VazgecButton"));
            QVERIFY(button);
            QCOMPARE(button->text(), QStringLiteral("Vazgeç"));
            shownText = w->findChild<QLabel *>()->text();
            QTest::mouseClick(button, Qt::LeftButton);
            clicked = true;
        }
    });
    MessageBox::queueAnswer(MessageBox::Yes);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!programiGuncelle(nullptr, fx.settings));
    QVERIFY(clicked);
    QVERIFY2(shownText.startsWith(QStringLiteral("İndiriliyor: ")), qPrintable(shownText));
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Güncelleme durduruldu; program değiştirilmedi."));
    QVERIFY(fx.untouched());
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
