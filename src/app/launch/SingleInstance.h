#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace corvelle {

class InstanceLock;

// One Corvelle per user session. The first start owns the session bus name io.mirelo.corvelle
// or, where there is no session bus, a lock file with a local socket beside it, in the first of
// its folders where this user can make one. A later start hands its request to the owner and
// ends. Where no lock can be made at all, the start runs on its own and says so once.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.mirelo.corvelle")

public:
    static constexpr const char* serviceName = "io.mirelo.corvelle";
    static constexpr const char* objectPath = "/io/mirelo/corvelle";

    // What a start asks of the running instance: the settings window, or the panel at a tab
    // (empty: as it was).
    struct Request {
        bool settings = false;
        QString tab;
    };
    enum class Role { primary, forwarded, unanswered };

    // `lockDirectories`, first choice first, may hold the lock file and the socket when there
    // is no session bus.
    explicit SingleInstance(std::vector<std::filesystem::path> lockDirectories);
    ~SingleInstance() override;

    // Becomes the running instance, or hands `request` to the one that runs.
    Role claim(const Request& request);
    // Receives the requests of later starts, those that came before it was set first.
    void setHandler(std::function<void(const Request&)> handler);

    // The bus methods, named as D-Bus names them.
public Q_SLOTS:
    Q_SCRIPTABLE void Open(const QString& tab);
    Q_SCRIPTABLE void OpenSettings();

private:
    Role claimBusName(const Request& request);
    Role claimLock(const Request& request);
    void acceptStarts();
    void deliver(const Request& request);

    std::vector<std::filesystem::path> lockDirectories_;
    std::unique_ptr<InstanceLock> lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void(const Request&)> handler_;
    std::vector<Request> pending_;
};

}  // namespace corvelle
