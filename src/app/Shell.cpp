#include "app/Shell.h"

#include "app/panel/Panel.h"
#include "app/panel/PanelPlacement.h"
#include "app/panel/SwayWindowPlacer.h"
#include "app/status/StatusItem.h"
#include "app/status/StatusMenu.h"
#include "app/windows/FeedbackView.h"
#include "app/windows/OwnedWindow.h"
#include "app/windows/SettingsView.h"
#include "localization/LShell.h"
#include "monitor/SystemMonitor.h"
#include "outbound/TelemetryService.h"
#include "settings/AppSettings.h"
#include "util/Format.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

namespace corvelle {
namespace {

QScreen* screenFor(const std::optional<QRect>& area) {
    if (area) {
        if (QScreen* screen = QGuiApplication::screenAt(area->center())) return screen;
    }
    return QGuiApplication::primaryScreen();
}

void centre(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
}

void setContent(QWidget& window, QWidget* content) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

}  // namespace

Shell::Shell(Dependencies dependencies) : dependencies_(std::move(dependencies)) {}

Shell::~Shell() {
    alive_.reset();
    // The windows observe the monitor: they go first.
    for (auto* field : {&detailWindow_, &settingsWindow_, &feedbackWindow_}) retire(*field);
    for (auto& window : retired_) delete window.data();
    panel_.reset();
    statusItem_.reset();
    systemMonitor_.reset();
}

void Shell::applicationDidFinishLaunching() {
    appSettings_ = dependencies_.appSettings ? dependencies_.appSettings : &AppSettings::shared();
    systemMonitor_ = dependencies_.makeSystemMonitor(*appSettings_);
    // Checks at once, then daily.
    updaterController_ = dependencies_.makeUpdateController();
    updaterController_->start();
    setupStatusItem();
    setupPanel();
    if (dependencies_.notifier) dependencies_.notifier->requestPermission();
    systemMonitor_->start();
}

void Shell::applicationWillTerminate() {
    if (terminated_ || !systemMonitor_) return;
    terminated_ = true;
    // The end event goes out while the monitor saves; quitting waits for it at most a second.
    const auto telemetry = TelemetryService::shared();
    if (telemetry) telemetry->sendEnd(telemetry->snapshot(systemMonitor_->stats().get(), *appSettings_));
    systemMonitor_->stop();
    if (telemetry) telemetry->finish(1.0);
}

void Shell::setupStatusItem() {
    // The old item goes first: a new one takes over its bus object paths.
    statusItem_.reset();
    statusItem_ = dependencies_.makeStatusItem();
    statusItem_->setPlaceholderIcon(QString::fromStdString(L::statusItemDescription()));
    std::weak_ptr<bool> alive = alive_;
    statusItem_->onLeftClick = [this, alive] {
        if (alive.lock()) statusItemAction(false);
    };
    statusItem_->onRightClick = [this, alive] {
        if (alive.lock()) statusItemAction(true);
    };
    statusItem_->makeMenu = [this, alive] {
        return buildStatusMenu({[this, alive] {
                                    if (alive.lock()) openPanel(std::nullopt);
                                },
                                guarded(&Shell::openSettingsWindow), guarded(&Shell::checkForUpdatesAction),
                                dependencies_.quit});
    };
    statusItem_->showItem();
    systemMonitor_->setOnMenuBarUpdate([this, alive](const BatteryIcon& icon, const MenuBarTitle& title) {
        if (alive.lock()) menuBarUpdate(icon, title);
    });
}

void Shell::replaceStatusItem() {
    if (!statusItem_ || terminated_) return;
    setupStatusItem();
    if (shownIcon_) statusItem_->setBatteryIcon(*shownIcon_);
    if (shownTitle_) statusItem_->setTitle(*shownTitle_);
}

void Shell::menuBarUpdate(const BatteryIcon& icon, const MenuBarTitle& title) {
    if (!statusItem_ || !systemMonitor_) return;
    const std::string time = batteryTimeString(systemMonitor_->stats()->batteryTimeRemaining);
    const bool fade = time != lastBatteryTimeString_ && !lastBatteryTimeString_.empty() && !time.empty();
    lastBatteryTimeString_ = time;
    statusItem_->setBatteryIcon(icon);
    shownIcon_ = icon;
    statusItem_->setTitle(title);
    shownTitle_ = title;
    if (fade) statusItem_->fadeTitle();
}

void Shell::statusItemAction(bool rightMouseUp) {
    if (rightMouseUp) {
        showStatusMenu();
    } else {
        togglePanel();
    }
}

void Shell::showStatusMenu() {
    statusItem_->showMenu(statusItem_->makeMenu());
}

void Shell::setupPanel() {
    // A utility window with a title and only a close control; Escape closes it too.
    panel_.reset(makeWindow(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                Qt::WindowStaysOnTopHint,
                            "Corvelle"));
    panel_->setAttribute(Qt::WA_ShowWithoutActivating);
    panel_->setClosesOnEscape(true);
    Panel::Options options;
    options.onOpenDetail = guarded(&Shell::openDetailWindow);
    options.onOpenSettings = guarded(&Shell::openSettingsWindow);
    options.onOpenFeedback = guarded(&Shell::openFeedbackWindow);
    options.pinnedWidgets = appSettings_->loadPinnedWidgets();
    options.batteryCare = dependencies_.batteryCare;
    options.powerProfiles = dependencies_.powerProfiles;
    panelContent_ = new Panel(*systemMonitor_, *appSettings_, std::move(options));
    setContent(*panel_, panelContent_);
    // Of a fixed size, which tiling compositors float even as a native Wayland window.
    panel_->setFixedSize(panelSize);
}

void Shell::togglePanel() {
    if (frontIfVisible(detailWindow_)) return;
    if (panel_->isVisible()) {
        panel_->hide();
        systemMonitor_->setPopoverVisible(false);
    } else {
        positionPanelNearStatusItem();
        // Shown without taking the keyboard from the application in front.
        panel_->show();
        panel_->raise();
        if (dependencies_.swayPlacer) {
            dependencies_.swayPlacer->place(panel_->windowTitle(), statusItem_->itemGeometry(), PanelPlacement::gap, false);
        }
        systemMonitor_->setPopoverVisible(true);
    }
}

void Shell::openPanel(std::optional<int> tab) {
    if (!panel_ || frontIfVisible(detailWindow_)) return;
    if (panel_->isVisible()) {
        panel_->raise();
    } else {
        togglePanel();
    }
    if (tab) panelContent_->setSelectedTab(*tab);
}

void Shell::positionPanelNearStatusItem() {
    if (!statusItem_) return;
    const auto icon = statusItem_->itemGeometry();
    std::optional<QRect> available, whole;
    if (const QScreen* screen = screenFor(icon)) {
        available = screen->availableGeometry();
        whole = screen->geometry();
    }
    panel_->move(PanelPlacement::origin(icon, panel_->size(), available, whole));
}

void Shell::openDetailWindow() {
    if (frontIfVisible(detailWindow_)) return;
    panel_->hide();
    systemMonitor_->setPopoverVisible(false);
    Panel::Options options;
    options.isDetailWindow = true;
    options.pinnedWidgets = appSettings_->loadPinnedWidgets();
    options.batteryCare = dependencies_.batteryCare;
    options.powerProfiles = dependencies_.powerProfiles;
    OwnedWindow* window = makeWindow(Qt::Window, "Corvelle");
    setContent(*window, new Panel(*systemMonitor_, *appSettings_, std::move(options)));
    window->resize(detailWindowSize);
    window->setMinimumSize(detailWindowMinimumSize);
    centre(*window);
    retire(detailWindow_);
    detailWindow_ = window;
    systemMonitor_->setPopoverVisible(true);
    window->bringToFront();
}

void Shell::openSettingsWindow() {
    openFloatingWindow(settingsWindow_, L::settingsWindowTitle(), settingsWindowSize, [this] {
        return new SettingsView(*appSettings_, guarded(&Shell::checkForUpdatesAction),
                                dependencies_.gnomeShellExtensions);
    });
}

void Shell::openFeedbackWindow() {
    // The form keeps the snapshot of the moment it opened.
    openFloatingWindow(feedbackWindow_, L::feedbackWindowTitle(), feedbackWindowSize,
                       [this] {
                           return new FeedbackView(systemMonitor_->stats().get(), *appSettings_,
                                                   dependencies_.feedbackRoute.value(), feedbackDraft_);
                       });
}

void Shell::openFloatingWindow(QPointer<OwnedWindow>& field, const std::string& title, QSize size,
                                     const std::function<QWidget*()>& makeContent) {
    if (frontIfVisible(field)) return;
    OwnedWindow* window = makeWindow(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint, title);
    setContent(*window, makeContent());
    window->setFixedSize(size);
    centre(*window);
    retire(field);
    field = window;
    window->bringToFront();
}

void Shell::checkForUpdatesAction() {
    if (updaterController_) updaterController_->checkForUpdates();
}

void Shell::windowWillClose(QWidget* window) {
    for (auto* field : {&detailWindow_, &settingsWindow_, &feedbackWindow_}) {
        if (*field && *field == window) {
            retire(*field);
            break;
        }
    }
    // The closing window still counts as visible at this point; it is on its way out.
    const bool panelShown = panel_ && panel_.get() != window && panel_->isVisible();
    const bool detailShown = detailWindow_ && detailWindow_ != window && detailWindow_->isVisible();
    if (!panelShown && !detailShown && systemMonitor_) systemMonitor_->setPopoverVisible(false);
}

std::function<void()> Shell::guarded(void (Shell::*action)()) {
    std::weak_ptr<bool> alive = alive_;
    return [this, alive, action] {
        if (alive.lock()) (this->*action)();
    };
}

OwnedWindow* Shell::makeWindow(Qt::WindowFlags flags, const std::string& title) {
    std::weak_ptr<bool> alive = alive_;
    auto* window = new OwnedWindow(flags, [this, alive](OwnedWindow* closing) {
        if (alive.lock()) windowWillClose(closing);
    });
    window->setWindowTitle(QString::fromStdString(title));
    return window;
}

void Shell::retire(QPointer<OwnedWindow>& field) {
    if (!field) return;
    std::erase_if(retired_, [](const QPointer<OwnedWindow>& window) { return window.isNull(); });
    retired_.push_back(field);
    field->deleteLater();
    field = nullptr;
}

bool Shell::frontIfVisible(OwnedWindow* window) {
    if (!window || !window->isVisible()) return false;
    window->bringToFront();
    return true;
}

}  // namespace corvelle
