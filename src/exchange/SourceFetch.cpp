#include "exchange/SourceFetch.h"

#include "exchange/SourceMessages.h"
#include "store/SystemErrors.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
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
    QFile file(path);
    const QString shown = QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("%1 dosyası açılamıyor: %2").arg(shown, fileErrorText(file)));
    if (file.size() > options.maxBytes)
        return failed(text(messages::kTooLarge).arg(path, megabytes(options.maxBytes)));
    // A device that does not tell its size (a pipe) is read no further than the limit.
    QByteArray bytes;
    while (bytes.size() <= options.maxBytes) {
        const QByteArray chunk = file.read(1 << 20);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("%1 dosyası okunamıyor: %2").arg(shown, fileErrorText(file)));
    if (bytes.size() > options.maxBytes)
        return failed(text(messages::kTooLarge).arg(path, megabytes(options.maxBytes)));
    Fetched fetched;
    fetched.bytes = std::move(bytes);
    return fetched;
}

// The network error in the user's words: no connection at all reads differently from a server's refusal.
QString networkError(const QNetworkReply& reply, const QString& address) {
    switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
        return text(messages::kHostNotFound).arg(address);
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::InsecureRedirectError:
        return text(messages::kSecureConnectionFailed).arg(address, reply.errorString());
    case QNetworkReply::ConnectionRefusedError:
        return text(messages::kNoNetwork).arg(address, QStringLiteral("bağlantı reddedildi"));
    case QNetworkReply::RemoteHostClosedError:
        return text(messages::kNoNetwork).arg(address, QStringLiteral("sunucu bağlantıyı kapattı"));
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return text(messages::kNoNetwork).arg(address, QStringLiteral("ağ bağlantısı yok"));
    default:
        return text(messages::kNoNetwork).arg(address, reply.errorString());
    }
}

} // namespace

SourceFetcher::SourceFetcher() = default;
SourceFetcher::~SourceFetcher() = default;

Fetched SourceFetcher::fetch(const QString& source, const FetchOptions& options) {
    const QString lower = source.toLower();
    if (lower.startsWith(QLatin1String("http://")) || lower.startsWith(QLatin1String("https://")))
        return fetchWeb(source, options);
    if (lower.startsWith(QLatin1String("file:"))) {
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
        const std::unique_ptr<QNetworkReply> reply(manager_->get(request));

        QEventLoop loop;
        bool timedOut = false;
        bool tooLarge = false;
        bool cancelled = false;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop,
                         [&](qint64 received, qint64 total) {
                             if (received > options.maxBytes || total > options.maxBytes) {
                                 tooLarge = true;
                                 reply->abort();
                             }
                         });
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            reply->abort();
        });
        QTimer poll;
        if (options.keepGoing) {
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (!options.keepGoing()) {
                    cancelled = true;
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

        if (cancelled) {
            Fetched fetched = failed(text(messages::kUpdateCancelled));
            fetched.cancelled = true;
            return fetched;
        }
        if (timedOut)
            return failed(
                text(messages::kTimedOut)
                    .arg(address, QString::number(std::chrono::duration<double>(options.timeout).count())));
        if (tooLarge)
            return failed(text(messages::kTooLarge).arg(address, megabytes(options.maxBytes)));
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QVariant target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
        if (status >= 300 && status < 400 && target.isValid()) {
            const QUrl next = url.resolved(target.toUrl());
            if (!isWebScheme(next.scheme().toLower()))
                return failed(text(messages::kRedirectRefused).arg(address, next.toString()));
            if (redirects >= kMostRedirects)
                return failed(text(messages::kTooManyRedirects).arg(address));
            url = next;
            continue;
        }
        if (status >= 400)
            return failed(text(messages::kHttpError)
                              .arg(address, QString::number(status),
                                   reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        if (reply->error() != QNetworkReply::NoError)
            return failed(networkError(*reply, address));
        Fetched fetched;
        fetched.bytes = reply->readAll();
        if (fetched.bytes->size() > options.maxBytes)
            return failed(text(messages::kTooLarge).arg(address, megabytes(options.maxBytes)));
        return fetched;
    }
}

} // namespace vezal
