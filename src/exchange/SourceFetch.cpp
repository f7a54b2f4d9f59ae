#include "exchange/SourceFetch.h"

#include "exchange/InputFile.h"
#include "exchange/SourceMessages.h"
#include "store/StoreError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

constexpr int kMostRedirects = 10;

bool isWebScheme(const QString& scheme) {
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

Fetched failed(QString error) {
    Fetched fetched;
    fetched.error = std::move(error);
    return fetched;
}

QString megabytes(qint64 bytes) {
    return QString::number(bytes / (1024 * 1024));
}

Fetched readLocalFile(const QString& path, const FetchOptions& options) {
    try {
        Fetched fetched;
        fetched.body = openInputFile(path, options.maxBytes);
        return fetched;
    } catch (const StoreError& failure) {
        return failed(failure.message());
    }
}

// The network error in the user's words: no connection at all reads differently from a server's refusal.
QString networkError(const QNetworkReply& reply, const QString& address) {
    switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
        return text(messages::kHostNotFound).arg(address);
    case QNetworkReply::SslHandshakeFailedError:
        return text(messages::kSecureConnectionFailed)
            .arg(address, QStringLiteral("sunucunun sertifikası doğrulanamadı"));
    case QNetworkReply::InsecureRedirectError:
        return text(messages::kSecureConnectionFailed)
            .arg(address, QStringLiteral("güvenli adres güvenli olmayan bir adrese yönlendiriyor"));
    case QNetworkReply::ConnectionRefusedError:
        return text(messages::kNoNetwork).arg(address, QStringLiteral("bağlantı reddedildi"));
    case QNetworkReply::RemoteHostClosedError:
        return text(messages::kNoNetwork).arg(address, QStringLiteral("sunucu bağlantıyı kapattı"));
    case QNetworkReply::TimeoutError:
        return text(messages::kNoNetwork).arg(address, QStringLiteral("bağlantı zaman aşımına uğradı"));
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
        return text(messages::kNoNetwork).arg(address, QStringLiteral("ağ bağlantısı yok"));
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError:
        return text(messages::kNoNetwork).arg(address, QStringLiteral("vekil sunucu (proxy) hatası"));
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::ProtocolUnknownError:
        return text(messages::kBadAnswer).arg(address);
    default:
        return text(messages::kNoNetwork)
            .arg(address, QStringLiteral("ağ hatası %1").arg(static_cast<int>(reply.error())));
    }
}

// The server's status in the user's words; its own words (English, as a rule) only where there are none.
QString statusWords(int status, const QString& serverWords) {
    switch (status) {
    case 400:
        return QStringLiteral("istek geçersiz");
    case 401:
    case 407:
        return QStringLiteral("kimlik doğrulaması istiyor");
    case 403:
        return QStringLiteral("erişim yasak");
    case 404:
        return QStringLiteral("dosya bulunamadı");
    case 410:
        return QStringLiteral("dosya kaldırılmış");
    case 429:
        return QStringLiteral("çok fazla istek; biraz sonra yeniden deneyiniz");
    case 500:
        return QStringLiteral("sunucu hatası");
    case 502:
    case 504:
        return QStringLiteral("sunucunun arkasındaki sunucu yanıt vermedi");
    case 503:
        return QStringLiteral("sunucu şu an hizmet veremiyor");
    default:
        return serverWords.isEmpty() ? QStringLiteral("açıklamasız")
                                     : QLatin1Char('"') + serverWords + QLatin1Char('"');
    }
}

bool isEncoded(const QNetworkReply& reply) {
    const QByteArray encoding = reply.rawHeader("Content-Encoding").trimmed().toLower();
    return !encoding.isEmpty() && encoding != "identity";
}

// One request's wait. The body goes to a temporary file as it comes, so that memory holds none of it.
struct Transfer {
    std::unique_ptr<QTemporaryFile> body;
    qint64 received = 0;     // body bytes, decoded
    qint64 wireReceived = 0; // as the connection counts them
    qint64 wireTotal = -1;   // as the server announced them; -1: not announced
    bool timedOut = false;
    bool tooLarge = false;
    bool cancelled = false;
    bool notKept = false; // the temporary file took no more

    void take(QNetworkReply& reply, qint64 maxBytes) {
        const QByteArray bytes = reply.readAll();
        received += bytes.size();
        if (received > maxBytes) {
            tooLarge = true;
            reply.abort();
        } else if (body->write(bytes) != bytes.size()) {
            notKept = true;
            reply.abort();
        }
    }
};

} // namespace

bool isWebAddress(const QString& source) {
    return source.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           source.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

SourceFetcher::SourceFetcher() = default;
SourceFetcher::~SourceFetcher() = default;

Fetched SourceFetcher::fetch(const QString& source, const FetchOptions& options) {
    if (isWebAddress(source))
        return fetchWeb(source, options);
    if (source.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(source);
        if (url.isLocalFile())
            return readLocalFile(url.toLocalFile(), options);
        return failed(text(messages::kBadSourceAddress).arg(source));
    }
    if (source.isEmpty())
        return failed(text(messages::kNoSource));
    if (!QDir::isAbsolutePath(source))
        return failed(text(messages::kBadSourceAddress).arg(source));
    return readLocalFile(source, options);
}

Fetched SourceFetcher::fetchWeb(const QString& address, const FetchOptions& options) {
    if (!manager_)
        manager_ = std::make_unique<QNetworkAccessManager>();
    // One deadline over the whole fetch, redirects included.
    QDeadlineTimer deadline(options.timeout);
    QUrl url(address);
    for (int redirects = 0;; ++redirects) {
        QNetworkRequest request(url);
        // Redirects are followed here, so that one to another scheme gets this program's own refusal.
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Vezal"));
        Transfer transfer;
        transfer.body =
            std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("vezal-XXXXXX.csv")));
        if (!transfer.body->open())
            return failed(
                text(messages::kDownloadNotKept).arg(address, QDir::toNativeSeparators(QDir::tempPath())));
        const std::unique_ptr<QNetworkReply> reply(manager_->get(request));
        // Qt holds no more than this before the loop below takes it.
        reply->setReadBufferSize(1 << 20);

        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop,
                         [&] { transfer.take(*reply, options.maxBytes); });
        QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop,
                         [&](qint64 received, qint64 total) {
                             transfer.wireReceived = received;
                             transfer.wireTotal = total;
                             if (total > options.maxBytes) {
                                 transfer.tooLarge = true;
                                 reply->abort();
                             }
                         });
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            transfer.timedOut = true;
            reply->abort();
        });
        QTimer poll;
        if (options.keepGoing) {
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (!options.keepGoing()) {
                    transfer.cancelled = true;
                    reply->abort();
                }
            });
            poll.start(50);
        }
        timer.start(std::max<qint64>(0, deadline.remainingTime()));
        if (!reply->isFinished())
            loop.exec();
        timer.stop();
        poll.stop();
        if (!transfer.tooLarge && !transfer.notKept && reply->bytesAvailable() > 0)
            transfer.take(*reply, options.maxBytes);

        if (transfer.cancelled) {
            Fetched fetched = failed(text(messages::kUpdateCancelled));
            fetched.cancelled = true;
            return fetched;
        }
        if (transfer.timedOut)
            return failed(
                text(messages::kTimedOut)
                    .arg(address, QString::number(std::chrono::duration<double>(options.timeout).count())));
        if (transfer.tooLarge)
            return failed(text(messages::kTooLarge).arg(address, megabytes(options.maxBytes)));
        if (transfer.notKept)
            return failed(
                text(messages::kDownloadNotKept).arg(address, QDir::toNativeSeparators(QDir::tempPath())));
        const QVariant statusValue = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        const int status = statusValue.toInt();
        if (status >= 300 && status < 400) {
            // Qt takes a missing Location for the address itself, which would loop to the redirect limit.
            const QVariant target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
            const QUrl next = target.isValid() ? url.resolved(target.toUrl()) : QUrl();
            if (reply->rawHeader("Location").trimmed().isEmpty() || next.isEmpty())
                return failed(text(messages::kRedirectWithoutAddress).arg(address).arg(status));
            if (!isWebScheme(next.scheme().toLower()))
                return failed(text(messages::kRedirectRefused).arg(address, next.toString()));
            if (redirects >= kMostRedirects)
                return failed(text(messages::kTooManyRedirects).arg(address));
            url = next;
            continue;
        }
        if (status >= 400)
            return failed(
                text(messages::kHttpError)
                    .arg(address, QString::number(status),
                         statusWords(
                             status,
                             reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())));
        // The server answered and began the body, and the connection broke before its end.
        const bool answered = statusValue.isValid();
        if (reply->error() == QNetworkReply::RemoteHostClosedError && answered)
            return failed(text(messages::kIncomplete).arg(address));
        if (reply->error() != QNetworkReply::NoError && answered && isEncoded(*reply))
            return failed(text(messages::kNotDecoded)
                              .arg(address, QString::fromLatin1(reply->rawHeader("Content-Encoding"))));
        if (reply->error() != QNetworkReply::NoError)
            return failed(networkError(*reply, address));
        // What Qt lets pass as finished: a body short of its announced length.
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if ((length.isValid() && !isEncoded(*reply) && transfer.received != length.toLongLong()) ||
            (transfer.wireTotal >= 0 && transfer.wireReceived < transfer.wireTotal))
            return failed(text(messages::kIncomplete).arg(address));
        if (!transfer.body->flush() || !transfer.body->seek(0))
            return failed(
                text(messages::kDownloadNotKept).arg(address, QDir::toNativeSeparators(QDir::tempPath())));
        Fetched fetched;
        fetched.body = std::move(transfer.body);
        return fetched;
    }
}

} // namespace vezal
