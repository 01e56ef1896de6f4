#include "app/panel/SwayWindowPlacer.h"

#include "app/panel/PanelPlacement.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <cstdlib>

namespace corvelle {
namespace {

constexpr quint32 runCommand = 0;
constexpr quint32 getTree = 4;
constexpr int headerSize = 14;  // "i3-ipc", payload length, message type
constexpr int attempts = 25;
constexpr int retryMilliseconds = 40;
// The whole of one placement, from connecting to the command's answer: sway answers in
// milliseconds, so a socket that keeps quiet this long is not going to.
constexpr int placementMilliseconds = 3000;
// A tree of thousands of windows is a few megabytes; a header that claims more is refused.
constexpr qint64 maxReplyBytes = 16 << 20;

QByteArray message(quint32 type, const QByteArray& payload) {
    QByteArray bytes("i3-ipc");
    const quint32 words[] = {qToLittleEndian(static_cast<quint32>(payload.size())), qToLittleEndian(type)};
    bytes.append(reinterpret_cast<const char*>(words), sizeof words);
    return bytes + payload;
}

QRect rect(const QJsonValue& value) {
    const QJsonObject r = value.toObject();
    return {r["x"].toInt(), r["y"].toInt(), r["width"].toInt(), r["height"].toInt()};
}

std::optional<SwayWindowPlacer::Window> search(const QJsonObject& node, qint64 pid, const QString& title,
                                               QRect output, QRect workspace) {
    const QString type = node["type"].toString();
    if (type == QLatin1String("output")) output = rect(node["rect"]);
    if (type == QLatin1String("workspace")) workspace = rect(node["rect"]);
    if (node["pid"].toInteger() == pid && node["name"].toString() == title && node["visible"].toBool()) {
        const QRect content = rect(node["rect"]);
        return SwayWindowPlacer::Window{node["id"].toInteger(),
                                        QSize(content.width(), content.height() + rect(node["deco_rect"]).height()),
                                        workspace, output};
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node[QLatin1String(children)].toArray()) {
            if (auto found = search(child.toObject(), pid, title, output, workspace)) return found;
        }
    }
    return std::nullopt;
}

// One placement: asks for the tree until the window is in it, then sends the command. It ends,
// closing its socket, on the command's answer, on any error or refused answer, or when its time
// is up.
class Placement : public QObject {
public:
    Placement(const QString& socketPath, QString title, std::optional<QRect> icon, int margin, bool sticky)
        : title_(std::move(title)), icon_(icon), margin_(margin), sticky_(sticky) {
        socket_->setReadBufferSize(1 << 20);
        QObject::connect(socket_, &QLocalSocket::connected, this, [this] { socket_->write(message(getTree, {})); });
        QObject::connect(socket_, &QLocalSocket::readyRead, this, [this] { read(); });
        QObject::connect(socket_, &QLocalSocket::errorOccurred, this, &Placement::finish);
        QTimer::singleShot(placementMilliseconds, this, &Placement::finish);
        socket_->connectToServer(socketPath);
    }

private:
    void finish() {
        socket_->abort();
        deleteLater();
    }

    void read() {
        buffer_ += socket_->readAll();
        if (buffer_.size() < headerSize) return;
        const qsizetype length = qFromLittleEndian<quint32>(buffer_.constData() + 6);
        const quint32 type = qFromLittleEndian<quint32>(buffer_.constData() + 10);
        if (!buffer_.startsWith("i3-ipc") || length > maxReplyBytes) return finish();
        if (buffer_.size() < headerSize + length) return;
        const QByteArray payload = buffer_.mid(headerSize, length);
        buffer_.remove(0, headerSize + length);
        if (type == getTree) {
            answer(QJsonDocument::fromJson(payload).object());
        } else {
            finish();
        }
    }

    void answer(const QJsonObject& tree) {
        const auto window = SwayWindowPlacer::find(tree, QCoreApplication::applicationPid(), title_);
        if (!window) {
            // Not mapped yet: ask again shortly, for a while.
            if (++attempt_ >= attempts) return finish();
            QTimer::singleShot(retryMilliseconds, this, [this] { socket_->write(message(getTree, {})); });
            return;
        }
        const QPoint at = icon_ ? PanelPlacement::origin(icon_, window->outerSize, window->workspace)
                                : PanelPlacement::corner(window->outerSize, window->workspace, window->output, margin_);
        const QString command = QStringLiteral("[con_id=%1] floating enable, %2move absolute position %3 %4")
                                    .arg(window->containerId)
                                    .arg(sticky_ ? QStringLiteral("sticky enable, ") : QString())
                                    .arg(at.x())
                                    .arg(at.y());
        socket_->write(message(runCommand, command.toUtf8()));
    }

    // A child: it goes with the placement, after the placement's connections are gone.
    QLocalSocket* socket_ = new QLocalSocket(this);
    QByteArray buffer_;
    QString title_;
    std::optional<QRect> icon_;
    int margin_;
    bool sticky_;
    int attempt_ = 0;
};

}  // namespace

std::shared_ptr<SwayWindowPlacer> SwayWindowPlacer::fromEnvironment() {
    const char* socket = std::getenv("SWAYSOCK");
    if (!socket || !*socket) return nullptr;
    return std::make_shared<SwayWindowPlacer>(QString::fromLocal8Bit(socket));
}

std::optional<SwayWindowPlacer::Window> SwayWindowPlacer::find(const QJsonObject& tree, qint64 pid, const QString& title) {
    return search(tree, pid, title, {}, {});
}

void SwayWindowPlacer::place(const QString& title, const std::optional<QRect>& icon, int margin, bool sticky) {
    // A newer request for the window replaces one still under way, so placements cannot pile up
    // behind a compositor that is slow to answer.
    QPointer<QObject>& underWay = underWay_[title];
    delete underWay.data();
    underWay = new Placement(socketPath_, title, icon, margin, sticky);
}

}  // namespace corvelle
