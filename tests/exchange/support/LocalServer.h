#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>

namespace vezal::testing {

// An HTTP server on 127.0.0.1 in a thread of its own, so that it answers while the test's thread waits
// (an event loop of its own, or a child process). Serves the answers it is given by path; anything else
// is a 404.
class LocalServer {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        bool stall = false; // reads the request and never answers
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
