#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <chrono>
#include <memory>

namespace vezal::testing {

// An HTTP server on 127.0.0.1 in a thread of its own, so that it answers while the test's thread waits
// (an event loop of its own, or a child process). Serves the answers it is given by path; anything else
// is a 404.
class LocalServer {
public:
    // How the body goes out, whole or broken off as a failing server or connection breaks it.
    enum class Framing {
        Length,            // Content-Length and the whole body
        CutShort,          // Content-Length of the whole body, half of it sent, then the connection closed
        Chunked,           // chunked, in two chunks and the last, empty one
        ChunkedWithoutEnd, // chunked, half the body in one chunk, then the connection closed: no last chunk
        ChunkedEndless,    // chunked, the body sent again and again until the client goes
    };

    struct Answer {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        bool stall = false; // reads the request and never answers
        Framing framing = Framing::Length;
        std::chrono::milliseconds delay{0}; // the answer waits this long after the request
    };

    LocalServer();
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    // May be changed while the server runs: the next request gets the new answer.
    void serve(const QString& path, const Answer& answer);
    void serveFile(const QString& path, const QByteArray& body) { serve(path, Answer{200, body, {}, false}); }
    // A 302 to the address.
    void redirect(const QString& path, const QByteArray& location);

    QString url(const QString& path) const;
    quint16 port() const;
    int requestCount(const QString& path) const;

private:
    class Thread;
    std::unique_ptr<Thread> thread_;
};

// A port on 127.0.0.1 that nothing listens on (it was free a moment ago).
quint16 closedPort();

} // namespace vezal::testing
