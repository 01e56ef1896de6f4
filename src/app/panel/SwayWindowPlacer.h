#pragma once

#include <QJsonObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace corvelle {

// Places our floating windows under sway, which puts every floating window it maps (and every X
// window that asks to move or resize) in the middle of the output, whatever position it asks
// for. Through sway's IPC socket, once the window is in sway's tree, it is made floating and moved
// where PanelPlacement puts it inside its workspace, which leaves out the bars. Asynchronous: the
// UI thread never waits on the compositor. Main thread only.
class SwayWindowPlacer {
public:
    // A window of ours in sway's tree.
    struct Window {
        qint64 containerId = 0;
        QSize outerSize;  // with the borders and title bar sway draws
        QRect workspace;  // the usable area of its output
        QRect output;
    };

    // None outside sway (no SWAYSOCK).
    static std::shared_ptr<SwayWindowPlacer> fromEnvironment();
    explicit SwayWindowPlacer(QString socketPath) : socketPath_(std::move(socketPath)) {}

    // The shown window titled `title` of process `pid`, in the answer to GET_TREE.
    static std::optional<Window> find(const QJsonObject& tree, qint64 pid, const QString& title);

    // Floats our window titled `title` and moves it near `icon` (the host's click point), or into
    // its output's corner by the bar, `margin` pixels in; `sticky` keeps it on every workspace.
    // Waits up to a second for sway to map it, and gives up on a compositor that does not answer
    // within a few seconds or answers with more than any tree holds.
    void place(const QString& title, const std::optional<QRect>& icon, int margin, bool sticky);

private:
    QString socketPath_;
    // The placement under way for each window title; empty once it ended.
    std::map<QString, QPointer<QObject>> underWay_;
};

}  // namespace corvelle
