#include "app/program_update.h"

#include "data/ini_text.h"
#include "data/program_home.h"
#include "widgets/message_box.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>

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
    bool cancelled = false;
    QString error;
};

// A network failure in Turkish, Qt's text after it for support.
QString networkReason(QNetworkReply::NetworkError e, const QString &text)
{
    QString why;
    switch (e) {
    case QNetworkReply::ConnectionRefusedError: why = QStringLiteral("Sunucu bağlantıyı kabul etmedi."); break;
    case QNetworkReply::RemoteHostClosedError: why = QStringLiteral("Sunucu bağlantıyı kesti."); break;
    case QNetworkReply::HostNotFoundError: why = QStringLiteral("Sunucu bulunamadı; adresi denetleyin."); break;
    case QNetworkReply::TimeoutError: why = QStringLiteral("Sunucu zamanında yanıt vermedi."); break;
    case QNetworkReply::SslHandshakeFailedError:
        why = QStringLiteral("Sunucunun güvenlik sertifikası doğrulanamadı.");
        break;
    case QNetworkReply::ContentNotFoundError: why = QStringLiteral("Sunucuda güncelleme dosyası yok."); break;
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::AuthenticationRequiredError: why = QStringLiteral("Sunucu dosyaya erişim izni vermedi."); break;
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError: why = QStringLiteral("Sunucu güvenli olmayan bir adrese yönlendirdi."); break;
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError: why = QStringLiteral("Vekil sunucuya (proxy) bağlanılamadı."); break;
    default:
        why = int(e) >= 400 ? QStringLiteral("Sunucu bir hata bildirdi.") : QStringLiteral("Bağlantı kurulamadı ya da yarıda kesildi.");
        break;
    }
    return why + QStringLiteral(" (") + text + u')';
}

Fetch fetch(QNetworkAccessManager &net, const QUrl &url, const Settings &s,
            const std::function<bool(const QByteArray &)> &sink,
            const std::function<bool(qint64, qint64)> &progress = {})
{
    Fetch f;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = net.get(request);
    // What the network layer keeps unread stays small: the body goes to the sink.
    reply->setReadBufferSize(qint64(1) << 20);
    QEventLoop loop;
    QTimer silence, deadline;
    silence.setSingleShot(true);
    deadline.setSingleShot(true);
    bool timedOut = false;
    bool pastDeadline = false;
    bool sinkFailed = false;
    bool tooLarge = false;
    qint64 received = 0;
    QObject::connect(&silence, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        pastDeadline = true;
        reply->abort();
    });
    const auto data = [&] {
        if (sinkFailed || tooLarge || f.cancelled) return;
        silence.start(s.transferTimeoutMs);
        const QByteArray chunk = reply->readAll();
        received += chunk.size();
        if (received > s.maxBytes) {
            tooLarge = true;
            reply->abort();
        } else if (!chunk.isEmpty() && !sink(chunk)) {
            sinkFailed = true;
            reply->abort();
        } else if (progress && !progress(received, reply->header(QNetworkRequest::ContentLengthHeader).toLongLong())) {
            f.cancelled = true;
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        f.answered = true;
        silence.start(s.transferTimeoutMs);
        // A length announced past the limit is refused before any of it comes.
        bool known = false;
        const qint64 length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && length > s.maxBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        f.answered = true;
        data();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // "Vazgeç" is noticed also while no byte comes.
    QTimer poll;
    if (progress) {
        QObject::connect(&poll, &QTimer::timeout, reply, [&] {
            if (!f.cancelled && !progress(received, reply->header(QNetworkRequest::ContentLengthHeader).toLongLong())) {
                f.cancelled = true;
                reply->abort();
            }
        });
        poll.start(100);
    }
    silence.start(s.connectTimeoutMs);
    deadline.start(s.totalTimeoutMs);
    // The progress window is modal: the user reaches its "Vazgeç" and nothing else.
    loop.exec();
    silence.stop();
    deadline.stop();
    poll.stop();
    if (!sinkFailed && !tooLarge && !f.cancelled && reply->bytesAvailable() > 0) data();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError e = reply->error();
    if (f.cancelled) {
        f.error = QStringLiteral("Güncelleme kullanıcı tarafından durduruldu.");
    } else if (tooLarge) {
        f.error = QStringLiteral("Sunucudaki dosya %1 sınırından büyük; bir program dosyası bu kadar büyük olamaz.")
                      .arg(s.maxBytes >= (1 << 20) ? QStringLiteral("%1 MB").arg(s.maxBytes >> 20)
                                                   : QStringLiteral("%1 KB").arg(s.maxBytes >> 10));
    } else if (sinkFailed) {
        f.error = QStringLiteral("İndirilen dosya diske yazılamadı; diskte yer olup olmadığını denetleyin.");
    } else if (pastDeadline) {
        f.error = QStringLiteral("İndirme %1 içinde bitmedi; bağlantı çok yavaş.")
                      .arg(s.totalTimeoutMs >= 60000 ? QStringLiteral("%1 dakika").arg(s.totalTimeoutMs / 60000)
                                                     : QStringLiteral("%1 saniye").arg(qMax(1, s.totalTimeoutMs / 1000)));
    } else if (timedOut || e != QNetworkReply::NoError) {
        f.error = timedOut ? QStringLiteral("Sunucu yanıt vermedi.") : networkReason(e, reply->errorString());
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
        f.error = QStringLiteral("Sunucu dosyayı vermedi (HTTP %1).").arg(status);
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
        *why = QStringLiteral("Yeni program dosyası programın klasörüne yazılamadı. (%1)").arg(out.errorString());
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
        *why = QStringLiteral("Program dosyası değiştirilemedi; programın klasörüne yazma izniniz olmayabilir.");
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
    if (s.source.isEmpty()) return failed(QStringLiteral("Güncelleme adresi tanımlı değil (Guncelleme.ini, [Guncelleme] Adres=...)."));
    if (!acceptableSource(s.source)) return failed(QStringLiteral("Güncelleme adresi https ile başlamalı."));
    if (s.programName.isEmpty() || s.programName.contains(u'/')) return failed(QStringLiteral("Program dosyasının adı geçersiz."));

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
    if (!m.hasMatch()) return failed(QStringLiteral("Sunucudaki sağlama dosyası (.sha256) okunamadı."));
    const QByteArray expected = m.captured(1).toLower().toLatin1();

    if (!QDir().mkpath(s.downloadFolder)) return failed(QStringLiteral("Yedek klasörü oluşturulamadı."));
    const QString part = QDir(s.downloadFolder).filePath(s.programName + QStringLiteral(".part"));
    const QString done = QDir(s.downloadFolder).filePath(s.programName);
    QFile out(part);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failed(QStringLiteral("İndirilecek dosya Yedek klasöründe açılamadı. (%1)").arg(out.errorString()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    f = fetch(
        net, child(s.source, s.programName), s,
        [&](const QByteArray &c) {
            hash.addData(c);
            return out.write(c) == c.size();
        },
        s.progress);
    const bool flushed = out.flush();
    out.close();
    const auto dropPart = [&] { QFile::remove(part); };
    if (f.noConnection) {
        dropPart();
        return {Outcome::NoConnection, f.error};
    }
    if (f.cancelled) {
        dropPart();
        return {Outcome::Cancelled, f.error};
    }
    if (!f.ok || !flushed) {
        dropPart();
        return failed(f.ok ? QStringLiteral("İndirilen dosya diske yazılamadı; diskte yer olup olmadığını denetleyin.") : f.error);
    }
    if (hash.result().toHex() != expected) {
        dropPart();
        return failed(QStringLiteral("İndirilen dosya sunucudaki sağlama ile tutmuyor; dosya eksik ya da değiştirilmiş."));
    }
    QFile::remove(done);
    if (!QFile::rename(part, done)) {
        dropPart();
        return failed(QStringLiteral("İndirilen dosya Yedek klasöründe adlandırılamadı."));
    }
    QString why;
    if (!replaceProgram(done, s.targetPath, &why)) return failed(why);
    return {Outcome::Updated, QString()};
}

} // namespace ProgramUpdate

namespace {

// The download's window: the bytes come in on its bar, and "Vazgeç" (or closing
// it) stops the update, leaving the program as it was.
class UpdateProgress : public QDialog {
public:
    explicit UpdateProgress(QWidget *parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("GuncellemeF"));
        setWindowTitle(MessageBox::kCaptionShort);
        setWindowModality(Qt::ApplicationModal);
        m_label = new QLabel(QStringLiteral("Bekleyin güncelleme yapılıyor"), this);
        m_bar = new QProgressBar(this);
        m_bar->setRange(0, 0);  // a moving bar until the length is known
        m_bar->setMinimumWidth(320);
        m_button = new QPushButton(QStringLiteral("Vazgeç"), this);
        m_button->setObjectName(QStringLiteral("VazgecButton"));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_label);
        layout->addWidget(m_bar);
        layout->addWidget(m_button, 0, Qt::AlignRight);
        connect(m_button, &QPushButton::clicked, this, [this] { reject(); });
    }
    bool report(qint64 received, qint64 total)
    {
        if (total > 0) {
            m_bar->setRange(0, 1000);
            m_bar->setValue(int(qBound(qint64(0), received * 1000 / total, qint64(1000))));
            m_label->setText(QStringLiteral("İndiriliyor: %1 / %2 KB").arg(received / 1024).arg(total / 1024));
        } else {
            m_label->setText(QStringLiteral("İndiriliyor: %1 KB").arg(received / 1024));
        }
        return !m_cancelled;
    }
    void reject() override
    {
        // The window stays until the download has stopped.
        m_cancelled = true;
        m_button->setEnabled(false);
        m_label->setText(QStringLiteral("Durduruluyor..."));
    }

private:
    QLabel *m_label;
    QProgressBar *m_bar;
    QPushButton *m_button;
    bool m_cancelled = false;
};

} // namespace

bool programiGuncelle(QWidget *parent, const ProgramUpdate::Settings &settings)
{
    using namespace ProgramUpdate;
    if (MessageBox::show(MessageBox::kCaptionShort,
                         QStringLiteral("Bu işlem programınızın versionunu yükseltecektir!\n\rDevam etmek istiyormusunuz?"),
                         MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, parent) != MessageBox::Yes)
        return false;
    Result r;
    {
        UpdateProgress window(parent);
        window.show();
        Settings s = settings;
        const auto outer = settings.progress;
        s.progress = [&](qint64 received, qint64 total) {
            return window.report(received, total) && (!outer || outer(received, total));
        };
        r = run(s);
    }
    switch (r.outcome) {
    case Outcome::Updated:
        MessageBox::information(kUpdated, MessageBox::kCaptionShort);
        return true;
    case Outcome::NoConnection:
        MessageBox::warning(kNoConnection, MessageBox::kCaptionShort);
        return false;
    case Outcome::Cancelled:
        MessageBox::information(QStringLiteral("Güncelleme durduruldu; program değiştirilmedi."), MessageBox::kCaptionShort);
        return false;
    case Outcome::Failed:
        MessageBox::error(QStringLiteral("Güncelleme yapılamadı; program değiştirilmedi.\n\r") + r.detail,
                          MessageBox::kCaptionShort);
        return false;
    }
    return false;
}
