#include "app/launch/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace corvelle {
namespace {

constexpr int answerTimeoutMs = 1500;

// One line per request on the socket: "settings", or "open" followed by the tab.
QByteArray encode(const SingleInstance::Request& request) {
    return request.settings ? QByteArrayLiteral("settings\n") : "open " + request.tab.toUtf8() + "\n";
}

std::optional<SingleInstance::Request> decode(const QByteArray& line) {
    if (line == "settings") return SingleInstance::Request{true, {}};
    if (line == "open" || line.startsWith("open ")) return SingleInstance::Request{false, QString::fromUtf8(line.mid(5))};
    return std::nullopt;
}

}  // namespace

SingleInstance::SingleInstance(QString lockDirectory) : lockDirectory_(std::move(lockDirectory)) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

SingleInstance::Role SingleInstance::claim(const Request& request) {
    if (QDBusConnection::sessionBus().isConnected()) return claimBusName(request);
    return claimLock(request);
}

SingleInstance::Role SingleInstance::claimBusName(const Request& request) {
    QDBusConnection bus = QDBusConnection::sessionBus();
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
    QDir().mkpath(lockDirectory_);
    const QString socketPath = lockDirectory_ + "/io.mirelo.corvelle.socket";
    lock_ = std::make_unique<QLockFile>(lockDirectory_ + "/io.mirelo.corvelle.lock");
    // Only a dead owner makes a lock stale, however old it is.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        server_ = std::make_unique<QLocalServer>();
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        QLocalServer::removeServer(socketPath);  // left by an owner that died
        server_->listen(socketPath);
        connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::readSocket);
        return Role::primary;
    }
    lock_.reset();
    // The owner may hold the lock a moment before it listens.
    const QDeadlineTimer deadline(answerTimeoutMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            socket.write(encode(request));
            const bool sent = socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
            socket.disconnectFromServer();
            return sent ? Role::forwarded : Role::unanswered;
        }
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return Role::unanswered;
}

void SingleInstance::readSocket() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto readLines = [this, socket] {
            while (socket->canReadLine()) {
                if (const auto request = decode(socket->readLine().trimmed())) deliver(*request);
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, readLines);
        readLines();
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
