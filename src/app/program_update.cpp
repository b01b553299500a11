#include "app/program_update.h"

#include "data/ini_text.h"
#include "data/program_home.h"
#include "widgets/message_box.h"
#include "widgets/wait_window.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace ProgramUpdate {
namespace {

const QString kNoConnection =
    QStringLiteral("Internet bağlantınız yok! Bağlantı Yaptıktan sonra tekrar deneyiniz.");

// One GET; the body goes to the sink as it arrives. answered tells whether the
// server sent anything at all (a silent server counts as no connection).
struct Fetch {
    bool ok = false;
    bool answered = false;
    bool noConnection = false;
    QString error;
};

Fetch fetch(QNetworkAccessManager &net, const QUrl &url, const Settings &s,
            const std::function<bool(const QByteArray &)> &sink)
{
    Fetch f;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = net.get(request);
    QEventLoop loop;
    QTimer silence;
    silence.setSingleShot(true);
    bool timedOut = false;
    bool sinkFailed = false;
    qint64 received = 0;
    QObject::connect(&silence, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    const auto data = [&] {
        silence.start(s.transferTimeoutMs);
        const QByteArray chunk = reply->readAll();
        received += chunk.size();
        if (received > s.maxBytes || (!chunk.isEmpty() && !sink(chunk))) {
            sinkFailed = true;
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        f.answered = true;
        silence.start(s.transferTimeoutMs);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        f.answered = true;
        data();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    silence.start(s.connectTimeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);  // no second command while the download runs
    silence.stop();
    if (!sinkFailed && reply->bytesAvailable() > 0) data();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError e = reply->error();
    if (sinkFailed) {
        f.error = received > s.maxBytes ? QStringLiteral("dosya çok büyük") : QStringLiteral("dosya yazılamadı");
    } else if (timedOut || e != QNetworkReply::NoError) {
        f.error = timedOut ? QStringLiteral("sunucu yanıt vermedi") : reply->errorString();
        switch (e) {
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::HostNotFoundError:
        case QNetworkReply::TimeoutError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
        case QNetworkReply::UnknownNetworkError:
        case QNetworkReply::ProxyConnectionRefusedError:
        case QNetworkReply::ProxyNotFoundError:
            f.noConnection = !f.answered;
            break;
        default:
            f.noConnection = timedOut && !f.answered;
            break;
        }
        if (status >= 400) f.noConnection = false;
    } else if (status != 200) {
        f.error = QStringLiteral("sunucu %1 döndürdü").arg(status);
    } else {
        f.ok = true;
    }
    reply->deleteLater();
    return f;
}

QUrl child(const QUrl &folder, const QString &name)
{
    QUrl u = folder;
    QString path = u.path();
    if (!path.endsWith(u'/')) path += u'/';
    u.setPath(path + name);
    return u;
}

Result failed(const QString &why) { return {Outcome::Failed, why}; }

// Copies the downloaded file beside the program with its permissions, flushes it
// and renames it over the program, so the program file is either the old or the new one.
bool replaceProgram(const QString &source, const QString &target, QString *why)
{
    const QString temp = target + QStringLiteral(".yeni");
    QFile::remove(temp);
    QFile in(source);
    QFile out(temp);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        *why = out.errorString();
        return false;
    }
    bool ok = true;
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        ok = out.write(chunk) == chunk.size();
    }
    ok = ok && out.flush() && ::fsync(out.handle()) == 0;
    out.close();
    ok = ok && out.error() == QFileDevice::NoError &&
         QFile::setPermissions(temp, QFileInfo(target).exists() ? QFile::permissions(target)
                                                              : QFile::permissions(source));
    if (!ok || std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
        *why = QStringLiteral("program dosyası değiştirilemedi");
        QFile::remove(temp);
        return false;
    }
    return true;
}

} // namespace

bool acceptableSource(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty()) return false;
    if (url.scheme() == QLatin1String("https")) return true;
    const QString host = url.host();
    return url.scheme() == QLatin1String("http") &&
           (host == QLatin1String("127.0.0.1") || host == QLatin1String("localhost") || host == QLatin1String("::1"));
}

QUrl configuredSource(const QStringList &arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a.startsWith(QLatin1String("--update-url="))) return QUrl(a.mid(13));
        if (a == QLatin1String("--update-url") && i + 1 < arguments.size()) return QUrl(arguments[i + 1]);
    }
    const QString env = qEnvironmentVariable("CEKSENET_UPDATE_URL");
    if (!env.isEmpty()) return QUrl(env);
    const QString ini =
        IniText::load(ProgramHome::path(QStringLiteral("Guncelleme.ini"))).value(QStringLiteral("Guncelleme"), QStringLiteral("Adres"));
    return ini.isEmpty() ? QUrl() : QUrl(ini);
}

Settings programSettings(const QStringList &arguments)
{
    Settings s;
    s.source = configuredSource(arguments);
    s.targetPath = QCoreApplication::applicationFilePath();
    s.programName = QFileInfo(s.targetPath).fileName();
    s.downloadFolder = ProgramHome::path(QStringLiteral("Yedek"));
    return s;
}

Result run(const Settings &s)
{
    if (s.source.isEmpty()) return failed(QStringLiteral("güncelleme adresi tanımlı değil"));
    if (!acceptableSource(s.source)) return failed(QStringLiteral("güncelleme adresi https olmalı"));
    if (s.programName.isEmpty() || s.programName.contains(u'/')) return failed(QStringLiteral("program adı geçersiz"));

    QNetworkAccessManager net;
    QByteArray sumLine;
    Fetch f = fetch(net, child(s.source, s.programName + QStringLiteral(".sha256")), s, [&](const QByteArray &c) {
        sumLine += c;
        return sumLine.size() < 4096;
    });
    if (f.noConnection) return {Outcome::NoConnection, f.error};
    if (!f.ok) return failed(f.error);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^\\s*([0-9a-fA-F]{64})\\b")).match(QString::fromLatin1(sumLine));
    if (!m.hasMatch()) return failed(QStringLiteral("sağlama satırı okunamadı"));
    const QByteArray expected = m.captured(1).toLower().toLatin1();

    if (!QDir().mkpath(s.downloadFolder)) return failed(QStringLiteral("Yedek klasörü açılamadı"));
    const QString part = QDir(s.downloadFolder).filePath(s.programName + QStringLiteral(".part"));
    const QString done = QDir(s.downloadFolder).filePath(s.programName);
    QFile out(part);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return failed(out.errorString());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    f = fetch(net, child(s.source, s.programName), s, [&](const QByteArray &c) {
        hash.addData(c);
        return out.write(c) == c.size();
    });
    const bool flushed = out.flush();
    out.close();
    const auto dropPart = [&] { QFile::remove(part); };
    if (f.noConnection) {
        dropPart();
        return {Outcome::NoConnection, f.error};
    }
    if (!f.ok || !flushed) {
        dropPart();
        return failed(f.ok ? QStringLiteral("dosya yazılamadı") : f.error);
    }
    if (hash.result().toHex() != expected) {
        dropPart();
        return failed(QStringLiteral("sağlama tutmadı"));
    }
    QFile::remove(done);
    if (!QFile::rename(part, done)) {
        dropPart();
        return failed(QStringLiteral("indirilen dosya adlandırılamadı"));
    }
    QString why;
    if (!replaceProgram(done, s.targetPath, &why)) return failed(why);
    return {Outcome::Updated, QString()};
}

} // namespace ProgramUpdate

bool programiGuncelle(QWidget *parent, const ProgramUpdate::Settings &settings)
{
    using namespace ProgramUpdate;
    if (MessageBox::show(MessageBox::kCaptionShort,
                         QStringLiteral("Bu işlem programınızın versionunu yükseltecektir!\n\rDevam etmek istiyormusunuz?"),
                         MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, parent) != MessageBox::Yes)
        return false;
    Result r;
    {
        TForm2 wait(parent);
        WaitScope scope(wait, 0, QStringLiteral("Bekleyin güncelleme yapılıyor"));
        wait.progressBar()->setRange(0, 0);  // no known length: a moving bar
        r = run(settings);
    }
    switch (r.outcome) {
    case Outcome::Updated:
        MessageBox::information(kUpdated, MessageBox::kCaptionShort);
        return true;
    case Outcome::NoConnection:
        MessageBox::warning(kNoConnection, MessageBox::kCaptionShort);
        return false;
    case Outcome::Failed:
        MessageBox::error(QStringLiteral("Güncelleme yapılamadı"), MessageBox::kCaptionShort);
        return false;
    }
    return false;
}
