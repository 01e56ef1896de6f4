#include "app/launch/SingleInstance.h"

#include "linux/InstanceLock.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace corvelle {
namespace {

constexpr int answerTimeoutMs = 1500;
// Bus calls that wait for the bus daemon; it answers in milliseconds unless it is wedged.
constexpr int busTimeoutMs = 3000;
// A later start writes its line at once; one that keeps a connection open longer is dropped.
constexpr int startTimeoutMs = 2000;
// A request line ("open " and a tab) is far shorter; a longer line is no start of ours.
constexpr qint64 maxRequestBytes = 4096;
// Later starts that may wait on the socket at once; past that, the one that waited longest goes.
constexpr int maxWaitingStarts = 8;

// One line per request on the socket: "settings", or "open" followed by the tab.
QByteArray encode(const SingleInstance::Request& request) {
    return request.settings ? QByteArrayLiteral("settings\n") : "open " + request.tab.toUtf8() + "\n";
}

std::optional<SingleInstance::Request> decode(const QByteArray& line) {
    if (line == "settings") return SingleInstance::Request{true, {}};
    if (line == "open" || line.startsWith("open ")) return SingleInstance::Request{false, QString::fromUtf8(line.mid(5))};
    return std::nullopt;
}

QString socketPathIn(const std::filesystem::path& directory) {
    return QString::fromStdString((directory / "io.mirelo.corvelle.socket").string());
}

// Hands the request to the instance that holds the lock beside `socketPath`.
SingleInstance::Role forward(const QString& socketPath, const SingleInstance::Request& request) {
    // The owner may hold the lock a moment before it listens.
    const QDeadlineTimer deadline(answerTimeoutMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            socket.write(encode(request));
            const bool sent = socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
            socket.disconnectFromServer();
            return sent ? SingleInstance::Role::forwarded : SingleInstance::Role::unanswered;
        }
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return SingleInstance::Role::unanswered;
}

void drop(QLocalSocket* socket) {
    socket->abort();
    socket->deleteLater();
}

}  // namespace

SingleInstance::SingleInstance(std::vector<std::filesystem::path> lockDirectories)
    : lockDirectories_(std::move(lockDirectories)) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

SingleInstance::Role SingleInstance::claim(const Request& request) {
    if (QDBusConnection::sessionBus().isConnected()) return claimBusName(request);
    return claimLock(request);
}

SingleInstance::Role SingleInstance::claimBusName(const Request& request) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (QDBusConnectionInterface* daemon = bus.interface()) daemon->setTimeout(busTimeoutMs);
    // The object is there before the name, so a call that follows the name finds it.
    bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots);
    if (bus.registerService(serviceName)) return Role::primary;
    bus.unregisterObject(objectPath);
    auto call = QDBusMessage::createMethodCall(serviceName, objectPath, serviceName,
                                               request.settings ? "OpenSettings" : "Open");
    if (!request.settings) call << request.tab;
    const QDBusMessage reply = bus.call(call, QDBus::Block, answerTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage ? Role::forwarded : Role::unanswered;
}

SingleInstance::Role SingleInstance::claimLock(const Request& request) {
    QStringList problems;
    for (const auto& directory : lockDirectories_) {
        auto lock = std::make_unique<InstanceLock>(directory / "io.mirelo.corvelle.lock");
        const QString socketPath = socketPathIn(directory);
        if (lock->state() == InstanceLock::State::busy) return forward(socketPath, request);
        if (lock->state() == InstanceLock::State::unusable) {
            problems << QString::fromStdString(lock->problem());
            continue;
        }
        server_ = std::make_unique<QLocalServer>();
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        QLocalServer::removeServer(socketPath);  // left by an owner that died: the lock is ours now
        if (server_->listen(socketPath)) {
            connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptStarts);
            lock_ = std::move(lock);
            return Role::primary;
        }
        // Where later starts cannot reach us the lock is no use: they find it free, as we leave it.
        problems << socketPath + ": " + server_->errorString();
        server_.reset();
    }
    std::fprintf(stderr, "corvelle: no instance lock can be made (%s): a second start will not find this one\n",
                 qPrintable(problems.join(QStringLiteral("; "))));
    return Role::primary;
}

// Each later start sends one line and goes. A connection that sends more than a request holds,
// or keeps quiet, is dropped, and no more than a few may wait at once: the newest is kept, as a
// real start sends its line at once, so connections that stay quiet cannot shut starts out.
void SingleInstance::acceptStarts() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // The server's children in the order they connected.
        auto waiting = server_->findChildren<QLocalSocket*>(Qt::FindDirectChildrenOnly);
        waiting.removeIf([socket](QLocalSocket* s) { return s == socket || s->state() != QLocalSocket::ConnectedState; });
        for (qsizetype i = 0; i < waiting.size() + 1 - maxWaitingStarts; ++i) drop(waiting[i]);
        socket->setReadBufferSize(maxRequestBytes);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(startTimeoutMs, socket, [socket] { drop(socket); });
        const auto readRequest = [this, socket] {
            if (socket->canReadLine()) {
                if (const auto request = decode(socket->readLine(maxRequestBytes).trimmed())) deliver(*request);
                drop(socket);
            } else if (socket->bytesAvailable() >= maxRequestBytes) {
                drop(socket);
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        readRequest();
    }
}

void SingleInstance::setHandler(std::function<void(const Request&)> handler) {
    handler_ = std::move(handler);
    for (const auto& request : std::exchange(pending_, {})) handler_(request);
}

void SingleInstance::Open(const QString& tab) { deliver({false, tab}); }

void SingleInstance::OpenSettings() { deliver({true, {}}); }

void SingleInstance::deliver(const Request& request) {
    if (handler_) {
        handler_(request);
    } else {
        pending_.push_back(request);
    }
}

}  // namespace corvelle
