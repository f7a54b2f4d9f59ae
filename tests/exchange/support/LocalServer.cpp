#include "LocalServer.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <future>

namespace vezal::testing {

namespace {

QByteArray reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

class LocalServer::Thread : public QThread {
public:
    Thread() {
        start();
        port_ = portPromise_.get_future().get();
    }
    ~Thread() override {
        quit();
        wait();
    }

    void serve(const QString& path, const Answer& answer) {
        const QMutexLocker lock(&mutex_);
        answers_.insert(path, answer);
    }
    int count(const QString& path) const {
        const QMutexLocker lock(&mutex_);
        return counts_.value(path);
    }
    quint16 port() const { return port_; }

protected:
    void run() override {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this, &server] {
            while (QTcpSocket* socket = server.nextPendingConnection())
                handle(socket);
        });
        portPromise_.set_value(server.serverPort());
        exec();
        // The sockets are the server's children and go with it.
    }

private:
    static QByteArray chunk(const QByteArray& bytes) {
        return QByteArray::number(bytes.size(), 16) + "\r\n" + bytes + "\r\n";
    }

    static void send(QTcpSocket* socket, const Answer& answer) {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + reasonOf(answer.status) +
                          "\r\nConnection: close\r\n";
        const bool chunked = answer.framing != Framing::Length && answer.framing != Framing::CutShort;
        if (chunked)
            head += "Transfer-Encoding: chunked\r\n";
        else
            head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
        for (const auto& [name, value] : answer.headers)
            head += name + ": " + value + "\r\n";
        socket->write(head + "\r\n");
        const qsizetype half = answer.body.size() / 2;
        switch (answer.framing) {
        case Framing::Length:
            socket->write(answer.body);
            break;
        case Framing::CutShort:
            socket->write(answer.body.left(half));
            break;
        case Framing::Chunked:
            socket->write(chunk(answer.body.left(half)) + chunk(answer.body.mid(half)) + "0\r\n\r\n");
            break;
        case Framing::ChunkedWithoutEnd:
            socket->write(chunk(answer.body.left(half)));
            break;
        case Framing::ChunkedEndless: {
            // Kept a little ahead of the client, so that the test's memory holds no more than that.
            const QByteArray next = chunk(answer.body);
            const auto feed = [socket, next] {
                while (socket->state() == QAbstractSocket::ConnectedState &&
                       socket->bytesToWrite() < (1 << 18))
                    socket->write(next);
            };
            QObject::connect(socket, &QTcpSocket::bytesWritten, socket, feed);
            feed();
            return;
        }
        }
        socket->disconnectFromHost();
    }

    void handle(QTcpSocket* socket) {
        auto request = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n"))
                return;
            const QList<QByteArray> words = request->left(request->indexOf("\r\n")).split(' ');
            const QString path = QString::fromUtf8(words.value(1));
            Answer answer{404, "yok", {}, false};
            {
                const QMutexLocker lock(&mutex_);
                ++counts_[path];
                answer = answers_.value(path, answer);
            }
            request->clear();
            if (answer.stall)
                return;
            if (answer.delay.count() > 0)
                QTimer::singleShot(answer.delay, socket, [socket, answer] { send(socket, answer); });
            else
                send(socket, answer);
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    std::promise<quint16> portPromise_;
    quint16 port_ = 0;
    mutable QMutex mutex_;
    QHash<QString, Answer> answers_;
    QHash<QString, int> counts_;
};

LocalServer::LocalServer() : thread_(std::make_unique<Thread>()) {}
LocalServer::~LocalServer() = default;

void LocalServer::serve(const QString& path, const Answer& answer) {
    thread_->serve(path, answer);
}

void LocalServer::redirect(const QString& path, const QByteArray& location) {
    serve(path, Answer{302, {}, {{"Location", location}}, false});
}

QString LocalServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

quint16 LocalServer::port() const {
    return thread_->port();
}

int LocalServer::requestCount(const QString& path) const {
    return thread_->count(path);
}

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace vezal::testing
