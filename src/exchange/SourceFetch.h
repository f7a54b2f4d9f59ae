#pragma once

#include <QIODevice>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

class QNetworkAccessManager;

namespace vezal {

// An http or https address, in any letter case.
bool isWebAddress(const QString& source);

struct FetchOptions {
    std::chrono::milliseconds timeout{30000}; // the whole fetch, redirects included
    qint64 maxBytes = 50LL * 1024 * 1024;
    // Asked now and then while waiting; false stops the fetch (a cancel button).
    std::function<bool()> keepGoing;
};

struct Fetched {
    // The whole body, open for reading at its start: a local file itself, a web body in a temporary file
    // that goes with it (memory never holds a body). None on a failure.
    std::unique_ptr<QIODevice> body;
    QString error; // why not, for the user
    bool cancelled = false;
};

// Reads a league's source: an http or https address, a file: address or a file path (a regular file
// only). Redirects are followed to http and https addresses only. A body is taken only whole: one shorter
// than the length the server gave, or a chunked one without its last chunk, is an error, as is one that
// does not decode. The size and time limits hold however the body comes. Runs an event loop of its own while
// it waits, so it works in a program that runs none (vezal-cli) as well as under a window. Needs a
// QCoreApplication.
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
