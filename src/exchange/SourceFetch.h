#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;

namespace vezal {

struct FetchOptions {
    std::chrono::milliseconds timeout{30000}; // the whole fetch, redirects included
    qint64 maxBytes = 50LL * 1024 * 1024;
    // Asked now and then while waiting; false stops the fetch (a cancel button).
    std::function<bool()> keepGoing;
};

struct Fetched {
    std::optional<QByteArray> bytes; // the whole body; none on a failure
    QString error;                   // why not, for the user
    bool cancelled = false;
};

// Reads a league's source: an http or https address, a file: address or a file path. Redirects are
// followed to http and https addresses only. Runs an event loop of its own while it waits, so it works in
// a program that runs none (vezal-cli) as well as under a window. Needs a QCoreApplication.
class SourceFetcher {
public:
    SourceFetcher();
    ~SourceFetcher();
    SourceFetcher(const SourceFetcher&) = delete;
    SourceFetcher& operator=(const SourceFetcher&) = delete;

    Fetched fetch(const QString& source, const FetchOptions& options);

private:
    Fetched fetchWeb(const QString& address, const FetchOptions& options);

    std::unique_ptr<QNetworkAccessManager> manager_; // made on the first web fetch
};

} // namespace vezal
