#pragma once

#include "app/windows/OwnedWindow.h"
#include "outbound/FeedbackService.h"
#include "outbound/UpdateController.h"
#include "platform/Notifier.h"
#include "present/BatteryIcon.h"
#include "present/MenuBarTitle.h"

#include <QMenu>
#include <QPointer>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvelle {

class AppSettings;
class BatteryCare;
class GnomeShellExtensions;
class Panel;
class PowerProfiles;
class StatusItem;
class SwayWindowPlacer;
class SystemMonitor;

// The application shell: builds the status item and the hidden panel at launch, starts the
// monitor, keeps the status item's title and picture current, toggles the panel on left clicks,
// shows the menu on right clicks, opens the larger, settings and feedback windows, and stops
// the monitor at termination. Main thread only.
class Shell {
public:
    // What the shell is built from; the app passes the real pieces, tests their doubles.
    struct Dependencies {
        AppSettings* appSettings = nullptr;  // none: AppSettings::shared()
        std::function<std::unique_ptr<SystemMonitor>(AppSettings&)> makeSystemMonitor;
        std::function<std::unique_ptr<StatusItem>()> makeStatusItem;
        std::shared_ptr<Notifier> notifier;
        std::function<std::unique_ptr<UpdateController>()> makeUpdateController;
        std::function<void()> quit;  // the application's terminate action
        // Where the feedback window sends; its client, loop and machine outlive the shell.
        std::optional<FeedbackService::Route> feedbackRoute;
        // The battery care controls for the panel and the larger window; they outlive the shell.
        BatteryCare* batteryCare = nullptr;
        PowerProfiles* powerProfiles = nullptr;
        // Under sway: places the panel once shown, which sway would otherwise centre.
        std::shared_ptr<SwayWindowPlacer> swayPlacer;
        // GNOME Shell's extensions, for the settings window's offer of ours; outlives the shell.
        const GnomeShellExtensions* gnomeShellExtensions = nullptr;
    };

    static constexpr QSize panelSize{480, 620};
    static constexpr QSize detailWindowSize{620, 720};
    static constexpr QSize detailWindowMinimumSize{520, 600};
    static constexpr QSize settingsWindowSize{420, 480};
    static constexpr QSize feedbackWindowSize{400, 440};

    explicit Shell(Dependencies dependencies);
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    void applicationDidFinishLaunching();
    void applicationWillTerminate();
    // A tray host came up after launch: the status item is built again where the desktop now lets
    // it go, showing the current picture and title at once.
    void replaceStatusItem();

    // A click on the status item: the right button shows the menu, anything else toggles the panel.
    void statusItemAction(bool rightMouseUp);
    void togglePanel();
    // Shows the panel (or brings the larger window forward), at `tab` when one is given: what a
    // second start asks for.
    void openPanel(std::optional<int> tab);
    void openDetailWindow();
    void openSettingsWindow();
    void openFeedbackWindow();
    void checkForUpdatesAction();
    void windowWillClose(QWidget* window);
    // The monitor's status-item callback: the new picture (none keeps the current one) and title,
    // with a short fade when the battery time text changed since the last call.
    void menuBarUpdate(const BatteryIcon& icon, const MenuBarTitle& title);

    SystemMonitor* systemMonitor() const { return systemMonitor_.get(); }
    OwnedWindow* panel() const { return panel_.get(); }
    Panel* panelContent() const { return panelContent_; }
    OwnedWindow* detailWindow() const { return detailWindow_; }
    OwnedWindow* settingsWindow() const { return settingsWindow_; }
    OwnedWindow* feedbackWindow() const { return feedbackWindow_; }

private:
    void setupStatusItem();
    void setupPanel();
    void positionPanelNearStatusItem();
    void showStatusMenu();
    OwnedWindow* makeWindow(Qt::WindowFlags flags, const std::string& title);
    // The settings or feedback window: brought forward while visible, otherwise built anew as a
    // fixed-size window that floats above the others.
    void openFloatingWindow(QPointer<OwnedWindow>& field, const std::string& title, QSize size,
                            const std::function<QWidget*()>& makeContent);
    // The action as a callback that does nothing once the shell is gone.
    std::function<void()> guarded(void (Shell::*action)());
    // Takes a window out of its field; it is deleted once back in the event loop.
    void retire(QPointer<OwnedWindow>& field);
    // A window that exists and is visible is brought to the front; true when it was.
    static bool frontIfVisible(OwnedWindow* window);

    Dependencies dependencies_;
    std::unique_ptr<SystemMonitor> systemMonitor_;
    AppSettings* appSettings_ = nullptr;
    std::unique_ptr<UpdateController> updaterController_;
    std::unique_ptr<StatusItem> statusItem_;
    std::unique_ptr<OwnedWindow> panel_;
    Panel* panelContent_ = nullptr;
    QPointer<OwnedWindow> detailWindow_;
    QPointer<OwnedWindow> settingsWindow_;
    QPointer<OwnedWindow> feedbackWindow_;
    // The feedback message not sent yet, kept when its window closes.
    QString feedbackDraft_;
    std::vector<QPointer<OwnedWindow>> retired_;
    std::string lastBatteryTimeString_;
    // What the status item shows, for a replacement item.
    std::optional<BatteryIcon> shownIcon_;
    std::optional<MenuBarTitle> shownTitle_;
    bool terminated_ = false;
    // Callbacks that outlive a call hold this weakly and do nothing once the shell is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace corvelle
